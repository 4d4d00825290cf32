// Buttons: the state machine over tables of event sequences, held-button repeats on an injected clock, the
// "+" hot key, one over frame per input pass, radio groups, and text buttons composed from the generated
// tiles with the label colour of each frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "events/generic_events.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "support/data_folder.h"
#include "widgets/button.h"
#include "widgets/generic_button.h"
#include "widgets/radio_button.h"

#include "foundation/safeguards.h"

namespace {

int gTicks = 0;

// A 16-bit strip of four 16 by 16 frames in one colour (no keyed pixel, so the whole square is hit).
void WriteStrip(const std::string& name, int frames = 4)
{
    fixture::Bmp bmp;
    bmp.width = 16 * frames;
    bmp.height = 16;
    bmp.bits = 16;
    bmp.table = false;
    for (int i = 0; i < bmp.width * bmp.height; ++i)
        fixture::Put16(bmp.pixels, 0x1234);
    fixture::WriteFile(name, fixture::Bytes(bmp));
}

class CCountingButton : public CRZBtn {
public:
    CCountingButton(const char* bitmap, int hotKey)
        : CRZBtn(bitmap, 7, hotKey)
    {
    }
    void OnUp() override { ++ups; }
    void OnDown() override { ++downs; }
    int ups = 0;
    int downs = 0;
};

class ButtonTest : public fixture::GfxFileTest {
protected:
    void SetUp() override
    {
        GfxFileTest::SetUp();
        CVideo::pBackBuffer = &screen;
        WriteStrip("gfx/button.bmp");
        gTicks = 100;
        CRZBtn::_pGetTicks = [] { return gTicks; };
        CInput::_isLeftButton = 0;
        CInput::_isOverButton = 0;
        CInput::_ClippedPos = CInput::_MouseOffset = CPoint();
    }
    void TearDown() override
    {
        CRZBtn::_pGetTicks = nullptr;
        CVideo::pBackBuffer = nullptr;
        CInput::_isLeftButton = 0;
        GfxFileTest::TearDown();
    }

    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage screen { 320, 240, 16, IMAGE_SYSTEM };
};

int Send(CRZBtn& button, CRZEvtType type, CPoint at, int key = 0)
{
    if (type == _CRZEVT_TIMER_TICK_LOOP_) {
        CInput::_ClippedPos = at;
        CRZGenericEvent tick(type, ALLID);
        return button.Update(&tick);
    }
    CRZInputEvent event(type, key, 0, at);
    return button.HandleInput(&event);
}

TEST_F(ButtonTest, EventSequences)
{
    const CPoint in(105, 105);
    const CPoint out(10, 10);
    const CPoint parkedIn(-995, -995);
    enum Setup { MOMENTARY, TOGGLE, DISABLED, PARKED };
    struct Step {
        CRZEvtType type;
        CPoint at;
        int key;
        int held; // the left button as the input component last saw it
        int answer, frame, state, clicked, fired, ups, downs;
    };
    const CRZEvtType DOWN = _CRZEVT_MOUSELBDOWN_, UP = _CRZEVT_MOUSELBUP_, TICK = _CRZEVT_TIMER_TICK_LOOP_,
                     KEY = _CRZEVT_KEYUP_, DOUBLE = _CRZEVT_MOUSELBDOUBLECLICK_;
    const struct {
        const char* name;
        Setup setup;
        std::vector<Step> steps;
    } kCases[] = {
        { "press and release inside", MOMENTARY,
            { { DOWN, in, 0, 1, 3, 2, 1, 0, 1, 0, 0 }, { UP, in, 0, 0, 3, 2, 1, 1, 0, 0, 1 },
                { TICK, out, 0, 0, 0, 0, 0, 0, 0, 1, 1 } } },
        { "release outside", MOMENTARY,
            { { DOWN, in, 0, 1, 3, 2, 1, 0, 1, 0, 0 }, { UP, out, 0, 0, 0, 2, 1, 0, 0, 0, 0 },
                { TICK, out, 0, 0, 0, 0, 0, 0, 0, 1, 0 } } },
        { "a press outside and a double click", MOMENTARY,
            { { DOWN, out, 0, 1, 0, 0, 0, 0, 0, 0, 0 }, { DOUBLE, in, 0, 0, 3, 0, 0, 0, 0, 0, 0 } } },
        { "toggle pressed twice", TOGGLE,
            { { DOWN, in, 0, 1, 3, 2, 1, 0, 1, 0, 0 }, { UP, in, 0, 0, 3, 2, 1, 1, 0, 0, 1 },
                { TICK, out, 0, 0, 0, 2, 1, 0, 0, 0, 1 }, { DOWN, in, 0, 1, 3, 0, 0, 0, 0, 0, 1 },
                { UP, in, 0, 0, 3, 0, 0, 1, 0, 1, 1 } } },
        { "hot key twice", MOMENTARY,
            { { KEY, out, 'k', 0, 3, 2, 1, 1, 1, 0, 1 }, { KEY, out, 'j', 0, 0, 2, 1, 0, 0, 0, 1 },
                { KEY, out, 'k', 0, 3, 0, 0, 1, 0, 1, 1 } } },
        { "disabled", DISABLED,
            { { DOWN, in, 0, 1, 3, 3, 0, 0, 0, 0, 0 }, { UP, in, 0, 0, 3, 3, 0, 0, 0, 0, 0 },
                { DOWN, out, 0, 1, 0, 3, 0, 0, 0, 0, 0 }, { KEY, out, 'k', 0, 0, 3, 0, 0, 0, 0, 0 },
                { _CRZEVT_MOUSEMOVE_, in, 0, 0, 0, 3, 0, 0, 0, 0, 0 } } },
        { "parked off screen", PARKED,
            { { DOWN, parkedIn, 0, 1, 3, 0, 0, 0, 0, 0, 0 }, { DOWN, in, 0, 1, 0, 0, 0, 0, 0, 0, 0 },
                { KEY, out, 'k', 0, 0, 0, 0, 0, 0, 0, 0 } } },
    };
    for (const auto& c : kCases) {
        CCountingButton button("gfx\\button.bmp", 'k');
        button.MoveTo(100, 100);
        if (c.setup == TOGGLE)
            button.SetReleaseOnMouseUp(false);
        if (c.setup == DISABLED)
            button.Disable();
        if (c.setup == PARKED)
            button.MoveTo(-1000, -1000);
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            SCOPED_TRACE(testing::Message() << c.name << ", step " << i);
            CInput::_isLeftButton = s.held;
            EXPECT_EQ(Send(button, s.type, s.at, s.key), s.answer);
            EXPECT_EQ(button.GetFrame(), s.frame);
            EXPECT_EQ(button.isDown() ? 1 : 0, s.state);
            EXPECT_EQ(button.IsClicked() ? 1 : 0, s.clicked);
            EXPECT_EQ(button.IsFired() ? 1 : 0, s.fired);
            EXPECT_EQ(button.ups, s.ups);
            EXPECT_EQ(button.downs, s.downs);
        }
    }
}

TEST_F(ButtonTest, HeldButtonFiresAtThePressThenAfterEightFourAndEveryTwoTicks)
{
    CRZBtn button("gfx\\button.bmp", 1, -1);
    button.MoveTo(100, 100);
    CInput::_isLeftButton = 1;
    ASSERT_EQ(Send(button, _CRZEVT_MOUSELBDOWN_, CPoint(104, 104)), 3);
    EXPECT_TRUE(button.IsFired());
    std::vector<int> fired;
    for (int t = 1; t <= 20; ++t) {
        gTicks = 100 + t;
        Send(button, _CRZEVT_TIMER_TICK_LOOP_, CPoint(104, 104));
        if (button.IsFired())
            fired.push_back(t);
    }
    EXPECT_EQ(fired, (std::vector<int> { 8, 12, 14, 16, 18, 20 }));
    EXPECT_TRUE(button.isDown());
}

TEST_F(ButtonTest, PlusHotKeyAlsoAnswersEquals)
{
    CRZBtn plus("gfx\\button.bmp", 1, '+');
    CRZBtn other("gfx\\button.bmp", 2, 'a');
    EXPECT_EQ(Send(plus, _CRZEVT_KEYUP_, CPoint(), '='), 3);
    EXPECT_TRUE(plus.IsClicked());
    EXPECT_TRUE(plus.isDown());
    EXPECT_EQ(Send(other, _CRZEVT_KEYUP_, CPoint(), '='), 0);
}

TEST_F(ButtonTest, OfTwoOverlappingButtonsOnlyTheFirstShowsItsOverFrame)
{
    CRZBtn first("gfx\\button.bmp", 1, -1);
    CRZBtn second("gfx\\button.bmp", 2, -1);
    first.MoveTo(100, 100);
    second.MoveTo(104, 104);
    Send(first, _CRZEVT_MOUSEMOVE_, CPoint(110, 110));
    Send(second, _CRZEVT_MOUSEMOVE_, CPoint(110, 110));
    EXPECT_EQ(first.GetFrame(), BUTTON_FRAME_OVER);
    EXPECT_EQ(second.GetFrame(), BUTTON_FRAME_UP);
    EXPECT_TRUE(second.IsOver());
}

TEST_F(ButtonTest, OneFrameKindsShowTheirStateByLightOrNotAtAll)
{
    CRZLightedButton lit(16, 16, 16);
    CStatelessButton plain(16, 16, 16);
    for (CRZBtn* button : { static_cast<CRZBtn*>(&lit), static_cast<CRZBtn*>(&plain) }) {
        button->MoveTo(100, 100);
        button->SetRectangularHit(true);
        CInput::_isLeftButton = 1;
        EXPECT_EQ(Send(*button, _CRZEVT_MOUSELBDOWN_, CPoint(104, 104)), 3);
        EXPECT_TRUE(button->isDown());
        EXPECT_EQ(button->GetTotalFrames(), 1);
        EXPECT_EQ(button->GetFrame(), 0);
    }
    EXPECT_EQ(lit.GetLight(), kLightDown);
    EXPECT_EQ(plain.GetLight(), 0);
    lit.Disable();
    EXPECT_EQ(lit.GetLight(), kLightDisabled);
    lit.Enable();
    EXPECT_EQ(lit.GetLight(), kLightUp);
}

TEST_F(ButtonTest, RadioGroupKeepsTheSelectedButtonDown)
{
    CNewRadioButton group;
    group.SetOrigin(100, 100);
    CRZMenuBtn* a = group.AddEntry("gfx\\button.bmp", 1, false);
    CRZMenuBtn* b = group.AddEntry("gfx\\button.bmp", 2, false);
    a->SetRelativePosition(0, 0);
    b->SetRelativePosition(20, 0);
    group.SetSelected(1);
    group.Draw(DRAW_TYPE_0);
    EXPECT_EQ(group.GetSize(), 2);
    EXPECT_TRUE(a->isDown());
    EXPECT_TRUE(b->isUp());

    const auto click = [&](CPoint at) {
        CInput::_isLeftButton = 1;
        CRZInputEvent down(_CRZEVT_MOUSELBDOWN_, 0, 0, at);
        group.Update(&down);
        CInput::_isLeftButton = 0;
        CRZInputEvent up(_CRZEVT_MOUSELBUP_, 0, 0, at);
        group.Update(&up);
        CInput::_ClippedPos = at;
        CRZGenericEvent tick(_CRZEVT_TIMER_TICK_LOOP_, ALLID);
        group.Update(&tick);
    };
    click(CPoint(104, 104));
    EXPECT_TRUE(a->isDown()) << "clicking the selected button leaves it pressed";
    EXPECT_EQ(group.GetSelected(), 1);
    click(CPoint(124, 104));
    EXPECT_EQ(group.GetSelected(), 2);
    EXPECT_TRUE(b->isDown());
    EXPECT_TRUE(a->isUp());
}

// Text buttons over the data generator's tiles: ends of 8 pixels, centres of 32, 16 high for small fonts.
class GenericButtonTest : public ButtonTest {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(video_test::GenerateTinyData(3)) << "the data generator is built beside the tests";
    }
    void SetUp() override
    {
        ButtonTest::SetUp();
        CImageBase::InitAlpha();
        ASSERT_EQ(LoadInterfaceFonts(), 1);
        font = gpFontDB->GetFont(kButtonFontFile);
        ASSERT_NE(font, nullptr);
        CRZGenericButton::InitSprites();
    }
    void TearDown() override
    {
        CRZGenericButton::DeInitSprites();
        delete gpFontDB;
        gpFontDB = nullptr;
        ButtonTest::TearDown();
    }
    CFont* font = nullptr;
};

TEST_F(GenericButtonTest, WidthComesFromTheLabelOrTheLongerDownText)
{
    ASSERT_LE(font->GetLineHeight(), CRZGenericButton::kSmallFontHeight);
    const char* const kLabels[] = { "Ok", "Continue", "A rather long label for one button" };
    for (const char* label : kLabels) {
        SCOPED_TRACE(label);
        CRZGenericButton button(label, font, 0);
        const int n = font->Length(label) / 32 + 1;
        EXPECT_EQ(CRZGenericButton::GetNeededCenterBlocks(label, font), n);
        EXPECT_EQ(button.GetImage()->GetWidth(), 4 * (16 + 32 * n));
        EXPECT_EQ(button.GetImage()->GetHeight(), 16);
        EXPECT_EQ(button.GetTotalFrames(), 4);
        EXPECT_STREQ(button.GetName(), label);
    }
    CRZGenericButton button("Ok", font, 0);
    const char* down = "Pressed down for a good while";
    button.Reconstruct("Ok", font, 0, down);
    EXPECT_EQ(button.GetImage()->GetWidth(), 4 * (16 + 32 * (font->Length(down) / 32 + 1)));
    CRZGenericButton wide("Ok", font, 100);
    EXPECT_EQ(wide.GetImage()->GetWidth(), 400);
    EXPECT_EQ(wide.GetFrameWidth(), 100);
}

TEST_F(GenericButtonTest, EachFramePrintsTheLabelInItsStateColour)
{
    CRZGenericButton button("Wwwwww", font, 0);
    CImage* image = button.GetImage();
    const int frame = button.GetFrameWidth();
    const std::uint16_t kColours[4] = { CVideo::TrueToHigh(255, 255, 255), CVideo::TrueToHigh(240, 220, 176),
        CVideo::TrueToHigh(240, 220, 176), CVideo::TrueToHigh(100, 100, 100) };
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        int own = 0;
        int white = 0;
        for (int y = 0; y < image->GetHeight(); ++y) {
            for (int x = s * frame; x < (s + 1) * frame; ++x) {
                const std::uint16_t pixel = video_test::Pixel16(image, x, y);
                own += pixel == kColours[s];
                white += pixel == kColours[0];
            }
        }
        EXPECT_GT(own, 4);
        if (s != 0) {
            EXPECT_EQ(white, 0);
        }
    }
    EXPECT_TRUE(image->HasTransparency());
}

TEST_F(GenericButtonTest, CentredOnANegativeColumn)
{
    CRZGenericButton button("Ok", 5, -200, 40, 0, nullptr);
    EXPECT_EQ(button.GetID(), 5);
    EXPECT_EQ(button.GetPosition().x, 200 - button.GetFrameWidth() / 2);
    EXPECT_EQ(button.GetPosition().y, 40);
    const std::string longLabel(400, 'x');
    CRZGenericButton cut(longLabel.c_str(), font, 0);
    EXPECT_EQ(std::string(cut.GetName()), longLabel.substr(0, 255));
}

} // namespace
