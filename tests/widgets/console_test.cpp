// The command console: its keys and history, the command table with its usages and refusals, the files
// it writes, safe printing of any text, a language switch under open widgets and the clipped cursor.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/game.h"
#include "armies/unit.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video.h"
#include "realms/country.h"
#include "support/scratch.h"
#include "text/new_text.h"
#include "widgets/console.h"
#include "widgets/dialog_player.h"
#include "widgets/generated_interface.h"
#include "widgets/generic_button.h"
#include "widgets/message_box.h"
#include "world/cheats.h"

#include "foundation/safeguards.h"

namespace {

using widgets_test::CRecordingPlayer;

class ConsoleTest : public widgets_test::GeneratedInterface {
protected:
    void SetUp() override
    {
        GeneratedInterface::SetUp();
        ASSERT_EQ(TextStrings.Init(RZ_LANGUAGE_0), 1);
        CRZCountry::InitCountryArray();
        gWidgetHooks = {};
        gWidgetHooks.player = &player;
        console = std::make_unique<CConsole>();
        Send(*console, _CRZEVT_TOGGLE_CONSOLE_, CPoint());
    }
    void TearDown() override
    {
        console.reset();
        gWidgetHooks = {};
        gGameStateHooks = {};
        CRZCountry::DeleteAll();
        CRZCheats::_isNoFOW = 0;
        CRZCheats::_isParanoia = 0;
        TextStrings.DeleteAll();
        CRZGenericButton::DeInitSprites();
        GeneratedInterface::TearDown();
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            Send(*console, _CRZEVT_KEYUP_, CPoint(), static_cast<unsigned char>(c));
    }
    // The line typed and run; answers the output lines it printed, oldest first.
    std::vector<std::string> Run(const std::string& line)
    {
        const std::size_t before = console->GetHistory().size();
        Type(line);
        Send(*console, _CRZEVT_KEYUP_, CPoint(), 13);
        std::vector<std::string> printed;
        const auto& history = console->GetHistory();
        const std::size_t added
            = std::min<std::size_t>(history.size() - std::min(before, history.size()), history.size());
        for (std::size_t i = added; i-- > 0;)
            if (history[i].kind == CConsole::OUTPUT)
                printed.push_back(history[i].text);
        return printed;
    }

    CRecordingPlayer player;
    std::unique_ptr<CConsole> console;
};

using Lines = std::vector<std::string>;

TEST_F(ConsoleTest, TheCommandTable)
{
    struct Case {
        const char* line;
        Lines printed;
    };
    const Case cases[] = {
        { "", { "\n" } },
        { "HELP",
            { "%070     Help\n", "%070----------------\n", "%070creategroup %077name (0-9)\n",
                "%070closegroup %077(0-9)\n", "%070messall %077'text'\n", "%070messgroup %077'text'\n",
                "%070addplayer %077 Group(0-9) CountryTag\n", "%070removeplayer %077CountryTag\n",
                "%070listplayers\n", "%070load %077filename\n", "%070save %077filename\n",
                "%070----------------\n", "%070READY.\n" } },
        { "teleport 1004", { "\n%007Usage :  %077teleport %077prov\n" } },
        { "teleport 0", { "\n%007Usage :  %077teleport %077prov\n" } },
        { "messgroup 1 hi", { "%007Not A Network Game\n" } },
        { "messgroup 1", { "%007Usage: %077messgroup num mess\n" } },
        { "closegroup 10", { "%007Usage: %077closegroup 0-9\n" } },
        { "listplayers", { "%007Not A Network Game\n" } },
        { "save ../x", { "\n%007Usage :  %077save %077filename\n" } },
        { "load a/b", { "\n%007Usage :  %077load %077filename\n" } },
        { "save .hidden", { "\n%007Usage :  %077save %077filename\n" } },
        { "save", { "\n%007Usage :  %077save %077filename\n" } },
        { "language 10", { "%007usage :  %077language num should be between 0 - 9\n" } },
        { "language -1", { "%007usage :  %077language num should be between 0 - 9\n" } },
        { "language", { "%007usage :  %077language num should be between 0 - 9\n" } },
        { "paranoia", { "[CHEAT ON] Verifying game state every day!\n", "\n" } },
        { "info XYZ", { "%007Unknown country!\n", "\n" } },
        { "info", { "\n%007Usage :  %077info cid\n" } },
        { "frobnicate", { "%007?unknown %006command %005error\n", "\n" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Run(c.line), c.printed) << c.line;
    EXPECT_EQ(CRZCheats::_isParanoia, 1);
}

TEST_F(ConsoleTest, CheatsAreUnknownInAMultiplayerGameAndToggleOutsideIt)
{
    gGameStateHooks.GetSessionPlayerCount = [] { return 2; };
    EXPECT_EQ(Run("nofog"), (Lines { "%007?unknown %006command %005error\n", "\n" }));
    EXPECT_EQ(CRZCheats::_isNoFOW, 0);
    gGameStateHooks = {};
    EXPECT_EQ(Run("nofog"), (Lines { "[CHEAT ON] The fog of war is now gone!\n", "\n" }));
    EXPECT_EQ(Run("NoFog"), (Lines { "[CHEAT OFF] A misty fog of war suddenly appears!\n", "\n" }));
    EXPECT_EQ(CRZCheats::_isNoFOW, 0);

    CRZUnit army;
    player.selected = &army;
    EXPECT_EQ(Run("teleport 17"), (Lines { "\n%777Ok\n", "\n" }));
    EXPECT_EQ(army.GetProvince(), 17);
}

TEST_F(ConsoleTest, HistoryKeepsTwoHundredLinesAndRecallWalksTypedLinesOnly)
{
    for (int i = 0; i < 201; ++i)
        console->printf("line %d", { i });
    ASSERT_EQ(console->GetHistory().size(), 200u);
    EXPECT_EQ(console->GetHistory().front().text, "line 200");
    EXPECT_EQ(console->GetHistory().back().text, "line 1");

    Run("goto");
    Run("at");
    constexpr int kUp = 1;
    constexpr int kDown = 2;
    Send(*console, _CRZEVT_KEYUP_, CPoint(), kUp);
    EXPECT_EQ(console->GetInput(), "at");
    Send(*console, _CRZEVT_KEYUP_, CPoint(), kUp);
    EXPECT_EQ(console->GetInput(), "goto");
    Send(*console, _CRZEVT_KEYUP_, CPoint(), kUp);
    EXPECT_EQ(console->GetInput(), "goto") << "no older typed line";
    Send(*console, _CRZEVT_KEYUP_, CPoint(), kDown);
    EXPECT_EQ(console->GetInput(), "at");
    Send(*console, _CRZEVT_KEYUP_, CPoint(), kDown);
    EXPECT_EQ(console->GetInput(), "at") << "never back to an empty line";

    // Typed lines pushed out of the history leave the count of typed lines with them.
    for (int i = 0; i < 200; ++i)
        console->printf("filler");
    EXPECT_EQ(console->GetTypedCount(), 0);
}

TEST_F(ConsoleTest, KeysAcceptAsciiCommandCharactersUpToAHundred)
{
    for (int code : { -89, 200, 300, -1, int { '#' }, int { '_' } })
        Send(*console, _CRZEVT_KEYUP_, CPoint(), code);
    EXPECT_EQ(console->GetInput(), "");
    Type(std::string(120, 'W'));
    EXPECT_EQ(console->GetInput().size(), 100u);
    Send(*console, _CRZEVT_KEYUP_, CPoint(), 8);
    EXPECT_EQ(console->GetInput().size(), 99u);

    // Closed, the console takes nothing and is drawn with no height.
    Send(*console, _CRZEVT_TOGGLE_CONSOLE_, CPoint());
    EXPECT_EQ(Send(*console, _CRZEVT_KEYUP_, CPoint(), 'a'), 0);
    EXPECT_EQ(console->GetHeight(), 0);
}

TEST_F(ConsoleTest, TheCursorBlockIsCutToTheBackBuffer)
{
    CImage* back = CVideo::pBackBuffer;
    CFont* face = FindFont("gfx\\fonts\\proforma12.bmp");
    ASSERT_NE(face, nullptr);
    constexpr std::uint16_t kCursor = 0xF81F;
    // The cursor's pixels after the frames, each frame darkening the last; the final one shows the cursor.
    const auto cursorPixels = [&](int frames) {
        back->Fill16Bit(0);
        for (int frame = 0; frame < frames; ++frame)
            console->Draw(DRAW_TYPE_0);
        int count = 0;
        for (int y = 0; y < back->GetHeight(); ++y)
            for (int x = 0; x < back->GetWidth(); ++x)
                count += video_test::Pixel16(back, x, y) == kCursor ? 1 : 0;
        return count;
    };
    Type("ab");
    EXPECT_EQ(cursorPixels(7), 8 * 8);
    // A full line of wide glyphs ends beyond the right edge: a block there would spill into the next rows.
    Type(std::string(98, 'W'));
    const int left = face->Length(("%070" + console->GetInput()).c_str());
    ASSERT_GE(left, back->GetWidth());
    EXPECT_EQ(cursorPixels(8), 0);
}

TEST_F(ConsoleTest, AnyTextPrintsSafelyAndColourEscapesStay)
{
    console->printf("%s%s%n", { "a" });
    EXPECT_EQ(console->GetHistory().front().text, "a%s%n");
    console->printf("%d", { "word" });
    EXPECT_EQ(console->GetHistory().front().text, "%d");
    console->printf("%");
    EXPECT_EQ(console->GetHistory().front().text, "%");
    console->printf("%%777Ok");
    EXPECT_EQ(console->GetHistory().front().text, "%777Ok");
}

TEST_F(ConsoleTest, SaveStatsWritesATagAndNameRowPerRealm)
{
    support::ScratchDir folder;
    support::WorkingDirIn here(folder.path());
    CRZCountry::ConstructCountry(1100);
    CRZCountry::GetCountry(1100)->SetTag("ALD");
    EXPECT_EQ(Run("savestats"), (Lines { "\n%077Stats saved to statistics.csv\n", "\n" }));
    std::ifstream file("statistics.csv", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    ASSERT_EQ(text.rfind("Tag;Country;\r\n", 0), 0u) << text;
    EXPECT_NE(
        text.find("ALD;" + std::string(CRZCountry::GetCountry(1100)->GetName()) + ";\r\n"), std::string::npos)
        << text;

    gWidgetHooks.SaveAs = [](const char* path) {
        EXPECT_STREQ(path, "scenarios\\autumn.rzg");
        return true;
    };
    EXPECT_EQ(Run("save autumn"), (Lines { "\n" }));
}

TEST_F(ConsoleTest, ALanguageSwitchUnderAnOpenBoxAndConsoleLeavesNothingFreed)
{
    CMessageBox box("Header", "The treasury is full.", 4);
    CNiceMsgBoxBase nice(7);
    nice.InsertText(TextStrings.GetString("OK"));
    nice.Init();
    Type(std::string(100, 'W'));
    for (int frame = 0; frame < 8; ++frame)
        console->Draw(DRAW_TYPE_0);
    console->GetInput();
    Send(*console, _CRZEVT_KEYUP_, CPoint(), 13);
    EXPECT_EQ(Run("language 1"), (Lines { TextStrings.GetString("LANGUAGE") }));
    EXPECT_EQ(TextStrings.GetLanguage(), 1);
    for (int frame = 0; frame < 2; ++frame) {
        box.Draw(DRAW_TYPE_0);
        nice.Draw(DRAW_TYPE_0);
        console->Draw(DRAW_TYPE_0);
    }
}

} // namespace
