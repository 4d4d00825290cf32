// The interface buttons and their database: "db\buttons.txt" read into slots by id with every key and
// shortcut form, the errors that refuse a file and keep nothing of it, radio groups through up lists,
// springing back without one, held repeats, and the tutorial's hold on a button.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/game.h"
#include "events/generic_events.h"
#include "foundation/fatal_error.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "support/data_folder.h"
#include "support/fake_game.h"
#include "text/new_text.h"
#include "widgets/interface.h"
#include "widgets/interface_button.h"

#include "foundation/safeguards.h"

namespace {

class CPressRecorder : public CButtonHandler {
public:
    void HandleButtonPressed(int id) override { pressed.push_back(id); }
    std::vector<int> pressed;
};

// A 16-bit strip of four 16 by 16 frames, each its own colour.
void WriteStrip(const std::string& name)
{
    fixture::Bmp bmp;
    bmp.width = 64;
    bmp.height = 16;
    bmp.bits = 16;
    bmp.table = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x)
            fixture::Put16(bmp.pixels, 0x1000 + 0x0100 * (x / 16));
    fixture::WriteFile(name, fixture::Bytes(bmp));
}

class ButtonDB : public fixture::GfxFileTest {
protected:
    void SetUp() override
    {
        GfxFileTest::SetUp();
        CVideo::pBackBuffer = &screen;
        WriteStrip("gfx/interface/button area/strip.bmp");
        WriteStrip("gfx/interface/button area/icon.bmp");
        WriteStrip("gfx/interface/piw/buildings/strip.bmp");
        // Text buttons give their tiles the button palettes.
        for (const char* palette : { "gfx/palette/tb.bmp", "gfx/palette/tb2.bmp" })
            fixture::WriteFile(
                palette, fixture::Bytes(fixture::Bmp { 4, 1, 8, 0, 40, 0, 0, true, std::string(4, '\x05') }));
        gpInterface = &interface;
        CInput::_isLeftButton = 0;
        CInput::_isOverButton = 0;
        ticks = 0;
        CRZBtn::_pGetTicks = [] { return ticks; };
    }
    void TearDown() override
    {
        gpInterface = nullptr;
        CRZGenericButton::DeInitSprites();
        CRZBtn::_pGetTicks = nullptr;
        gGameStateHooks = CRZGameStateHooks();
        gInterfaceReceivers = CInterfaceReceivers();
        CVideo::pBackBuffer = nullptr;
        GfxFileTest::TearDown();
    }
    static std::string Write(const std::string& text)
    {
        fixture::WriteFile("db/buttons.txt", text);
        return "db\\buttons.txt";
    }
    int Stored(const CRZButtonDB& db) const
    {
        int n = 0;
        for (int id = 0; id < kInterfaceButtonCount; ++id)
            n += db.GetButton(id) != nullptr;
        return n;
    }
    // Press and release at the button's place, then the loop tick with the left button up.
    static void Click(CRZBtn& button)
    {
        const CPoint at(button.GetPosition().x + 4, button.GetPosition().y + 4);
        CInput::_isLeftButton = 1;
        CRZInputEvent down(_CRZEVT_MOUSELBDOWN_, 0, 0, at);
        button.Update(&down);
        CInput::_isLeftButton = 0;
        CRZInputEvent up(_CRZEVT_MOUSELBUP_, 0, 0, at);
        button.Update(&up);
        CInput::_ClippedPos = CPoint(0, 0);
        CRZGenericEvent tick(_CRZEVT_TIMER_TICK_LOOP_, ALLID);
        button.Update(&tick);
    }

    static inline int ticks = 0;
    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage screen { 320, 240, 16, IMAGE_SYSTEM };
    CInterface interface;
};

TEST_F(ButtonDB, ShortcutNamesBecomeGameKeyCodes)
{
    const struct {
        const char* name;
        int code;
    } kCases[] = { { "f3", 253 }, { "f10", 246 }, { "F10", 246 }, { "f1", 255 }, { "enter", 13 },
        { "esc", 14 }, { "ESC", 14 }, { "del", 7 }, { "xyz", 'x' }, { "f11", 'f' }, { "1", '1' } };
    std::string file;
    for (const auto& c : kCases) {
        EXPECT_EQ(GetShortcutCode(c.name), c.code) << c.name;
    }
    file = "press = { id = BUTTON_QUICK_LOAD shortcut = f3 }\r\nhold = { id = BUTTON_ZOOM_IN shortcut = xyz "
           "}\r\n";
    CRZButtonDB db(Write(file).c_str());
    ASSERT_TRUE(db.IsLoaded()) << GetAssertMessage();
    EXPECT_EQ(db.GetButton(26)->GetHotKey(), 253);
    EXPECT_EQ(db.GetButton(0)->GetHotKey(), 'x');
}

TEST_F(ButtonDB, EveryKindAndKeyIsReadIntoTheSlotOfItsId)
{
    const std::string longKey(400, 'K');
    const std::string file
        = "# the side panel\r\n"
          "press = { id = button_merge upper = MERGE_UP lower = MERGE_LOW bitmap = \"icon.bmp\" "
          "background = \"strip.bmp\" up = { BUTTON_ZOOM_IN, BUTTON_ZOOM_OUT BUTTON_SPLIT_ARMY } }\r\n"
          "lighted = { id = BUTTON_EDITOR_CITY background = \"strip.bmp\" upper = "
        + longKey
        + " }\r\n"
          "generic = { id = BUTTON_SAVE_GAME bitmap = SAVE_LABEL }\r\n"
          "hold = { id = BUTTON_ZOOM_OUT }\r\n"
          "press = { upper = NO_ID_HERE }\r\n";
    const int before = interface.GetSprites().GetSize();
    CRZButtonDB db(Write(file).c_str());
    ASSERT_TRUE(db.IsLoaded()) << GetAssertMessage();
    EXPECT_EQ(Stored(db), 4) << "the block without an id is not stored";
    EXPECT_EQ(interface.GetSprites().GetSize(), before + 4);

    CRZInterfaceBaseBtn* merge = db.GetButton(8);
    ASSERT_NE(merge, nullptr);
    EXPECT_STREQ(merge->GetUpperKey(), "MERGE_UP");
    EXPECT_STREQ(merge->GetLowerKey(), "MERGE_LOW");
    std::vector<int> up;
    for (auto it = merge->GetUpList().GetHead(); !it.IsEnd(); it++)
        up.push_back(*it);
    EXPECT_EQ(up, (std::vector<int> { 0, 1, 4 }));
    EXPECT_EQ(merge->GetTotalFrames(), 4);
    EXPECT_STREQ(merge->GetImage()->GetName(), "gfx\\interface\\button area\\strip.bmp");
    ASSERT_NE(merge->GetIcon(), nullptr);
    EXPECT_STREQ(merge->GetIcon()->GetFileName(), "gfx\\interface\\button area\\icon.bmp");
    EXPECT_EQ(merge->GetPosition().x, kParkedPosition) << "new buttons are hidden";

    CRZInterfaceBaseBtn* city = db.GetButton(27);
    EXPECT_EQ(city->IsLighted(), 1);
    EXPECT_STREQ(city->GetImage()->GetName(), "gfx\\interface\\piw\\buildings\\strip.bmp");
    EXPECT_EQ(std::string(city->GetUpperKey()), longKey.substr(0, 255));
    EXPECT_STREQ(city->GetLowerText(), "") << "an empty key is its own text";

    CRZInterfaceBaseBtn* save = db.GetButton(12);
    EXPECT_EQ(save->IsGeneric(), 1);
    EXPECT_STREQ(save->GetIcon()->GetFileName(), "gfx\\interface\\button area\\empty.bmp");
    EXPECT_NE(dynamic_cast<CRZInterfaceHoldButton*>(db.GetButton(1)), nullptr);
}

TEST_F(ButtonDB, ABadFileIsRefusedWithItsReportAndKeepsNoButton)
{
    const std::string longName(300, 'n');
    const struct {
        const char* name;
        std::string file;
        const char* report;
    } kCases[] = {
        { "unknown id", "press = { id = BUTTON_MERGE }\r\npress = { id = BUTTON_NOPE }\r\n", "BUTTON_NOPE" },
        { "unknown key", "press = { id = BUTTON_MERGE colour = 3 }\r\n",
            "InterfaceButton : Unexpected Field" },
        { "unknown kind", "press = { id = BUTTON_MERGE }\r\nblob = { id = BUTTON_ZOOM_IN }\r\n",
            "(Unexpected field)" },
        { "no block", "press = { id = BUTTON_MERGE }\r\npress = 3\r\n", "No Left Curly" },
        { "file name too long", "press = { id = BUTTON_MERGE background = \"" + longName + "\" }\r\n",
            "File name too long" },
        { "end inside an up list", "press = { id = BUTTON_MERGE up = { BUTTON_ZOOM_IN", "Unexpected Field" },
    };
    const int before = interface.GetSprites().GetSize();
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        CRZButtonDB db(Write(c.file).c_str());
        EXPECT_FALSE(db.IsLoaded());
        EXPECT_NE(std::string(GetAssertMessage()).find(c.report), std::string::npos) << GetAssertMessage();
        EXPECT_EQ(Stored(db), 0);
        EXPECT_EQ(interface.GetSprites().GetSize(), before);
    }
}

TEST_F(ButtonDB, AClickRaisesTheUpListAndStaysDownWithoutOneItSpringsBack)
{
    const std::string file
        = "press = { id = BUTTON_MAPMODE_TYPE_A background = \"strip.bmp\" }\r\n"
          "press = { id = BUTTON_MAPMODE_TYPE_B background = \"strip.bmp\" }\r\n"
          "press = { id = BUTTON_MAPMODE_TYPE_C background = \"strip.bmp\" }\r\n"
          "press = { id = BUTTON_MAPMODE_TYPE_D background = \"strip.bmp\" "
          "up = { BUTTON_MAPMODE_TYPE_A, BUTTON_MAPMODE_TYPE_B, BUTTON_MAPMODE_TYPE_C } }\r\n";
    CRZButtonDB db(Write(file).c_str());
    ASSERT_TRUE(db.IsLoaded()) << GetAssertMessage();
    CPressRecorder handler;
    for (int id = 17; id <= 20; ++id) {
        db.GetButton(id)->SetHandler(&handler);
        db.GetButton(id)->SetShowPos(CPoint(20 * (id - 16), 50));
    }
    for (int id = 17; id <= 19; ++id)
        db.GetButton(id)->Down();
    Click(*db.GetButton(20));
    EXPECT_TRUE(db.GetButton(20)->isDown());
    EXPECT_EQ(db.GetButton(20)->GetFrame(), BUTTON_FRAME_DOWN);
    for (int id = 17; id <= 19; ++id)
        EXPECT_TRUE(db.GetButton(id)->isUp()) << id;
    Click(*db.GetButton(17));
    EXPECT_TRUE(db.GetButton(17)->isUp()) << "without an up list the button springs back";
    EXPECT_EQ(handler.pressed, (std::vector<int> { 20, 17 }));

    db.HideAll();
    EXPECT_EQ(db.GetButton(17)->GetPosition().x, kParkedPosition);
    db.Disable(20);
    EXPECT_TRUE(db.GetButton(20)->IsDisabled());
    EXPECT_TRUE(db.GetButton(20)->isUp());
}

TEST_F(ButtonDB, AHoldButtonCallsItsHandlerOncePerSevenHeldTicks)
{
    CRZButtonDB db(Write("hold = { id = BUTTON_ZOOM_IN background = \"strip.bmp\" }\r\n").c_str());
    ASSERT_TRUE(db.IsLoaded()) << GetAssertMessage();
    CRZInterfaceBaseBtn* zoom = db.GetButton(0);
    CPressRecorder handler;
    zoom->SetHandler(&handler);
    zoom->SetShowPos(CPoint(40, 40));
    CInput::_isLeftButton = 1;
    CRZInputEvent down(_CRZEVT_MOUSELBDOWN_, 0, 0, CPoint(44, 44));
    ASSERT_EQ(zoom->Update(&down), 3);
    CInput::_ClippedPos = CPoint(44, 44);
    std::vector<int> calls;
    for (int tick = 1; tick <= 20; ++tick) {
        const std::size_t before = handler.pressed.size();
        CRZGenericEvent loop(_CRZEVT_TIMER_TICK_LOOP_, ALLID);
        zoom->Update(&loop);
        calls.push_back(static_cast<int>(handler.pressed.size() - before));
    }
    const std::vector<int> expected { 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2 };
    EXPECT_EQ(calls, expected);
}

TEST_F(ButtonDB, TheTutorialKeepsItsDisabledButtonsDisabledAndHearsEveryPress)
{
    CRZButtonDB db(Write("press = { id = BUTTON_MERGE background = \"strip.bmp\" }\r\n"
                         "press = { id = BUTTON_SPLIT_ARMY background = \"strip.bmp\" }\r\n")
                       .c_str());
    ASSERT_TRUE(db.IsLoaded()) << GetAssertMessage();
    static int lastPressed = -1;
    gGameStateHooks.IsTutorialScenario = [] { return true; };
    gInterfaceReceivers.IsTutorialDisabled = [](int id) { return id == 8; };
    gInterfaceReceivers.SetLastPressedButton = [](int id) { lastPressed = id; };
    db.Disable(8);
    db.Disable(4);
    db.Enable(8);
    db.Enable(4);
    EXPECT_TRUE(db.GetButton(8)->IsDisabled());
    EXPECT_FALSE(db.GetButton(4)->IsDisabled());
    db.GetButton(4)->SetShowPos(CPoint(60, 60));
    Click(*db.GetButton(4));
    EXPECT_EQ(lastPressed, 4);
}

} // namespace

namespace {

// The data generator's "db\buttons.txt" and its pictures, read through the game's reader.
TEST_F(ButtonDB, TheGeneratedFileHoldsEveryNamedButtonWithDistinctFrames)
{
    ASSERT_TRUE(video_test::GenerateTinyData(4)) << "the data generator is built beside the tests";
    ASSERT_TRUE(TextStrings.Init(static_cast<RZLanguageType>(0))) << "the generated text tables load";
    CRZButtonDB db("db\\buttons.txt");
    ASSERT_TRUE(db.IsLoaded()) << GetAssertMessage();
    std::set<std::string> kinds;
    std::set<int> keys;
    for (int id = 0; id < kInterfaceButtonCount; ++id) {
        CRZInterfaceBaseBtn* button = db.GetButton(id);
        EXPECT_EQ(button != nullptr, GetInterfaceButtonName(id) != nullptr) << id;
        if (!button)
            continue;
        SCOPED_TRACE(GetInterfaceButtonName(id));
        kinds.insert(typeid(*button).name());
        keys.insert(button->GetHotKey());
        EXPECT_STRNE(button->GetUpperText(), "UNKNOWN STRING WANTED\n");
        EXPECT_STRNE(button->GetLowerText(), "UNKNOWN STRING WANTED\n");
        if (button->IsGeneric()) {
            EXPECT_STREQ(button->GetIcon()->GetFileName(), "gfx\\interface\\button area\\empty.bmp");
            continue;
        }
        // The background's four frames differ from each other.
        CImage* image = button->GetImage();
        ASSERT_EQ(button->GetTotalFrames(), 4);
        std::set<std::uint16_t> centres;
        for (int frame = 0; frame < 4; ++frame)
            centres.insert(video_test::Pixel16(image,
                frame * button->GetFrameWidth() + button->GetFrameWidth() / 2, image->GetHeight() / 2));
        EXPECT_EQ(centres.size(), 4u);
        EXPECT_STRNE(image->GetName(), "gfx/dummy.bmp");
    }
    EXPECT_EQ(kinds.size(), 4u) << "every kind";
    for (int code : { 13, 14, 7, 255, 253, 246, int('z') })
        EXPECT_TRUE(keys.count(code)) << code;
    std::vector<int> up;
    for (auto it = db.GetButton(17)->GetUpList().GetHead(); !it.IsEnd(); it++)
        up.push_back(*it);
    EXPECT_EQ(up, (std::vector<int> { 18, 19, 20, 21 }));
}

} // namespace
