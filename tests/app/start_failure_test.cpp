// Start-up failures end the program with status 1 and say why, where the game once reported success or
// ended without a word: a fatal assertion is caught at the host's hook and shown, and a window that
// cannot be made is named.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/winmain.h"
#include "foundation/data_file.h"
#include "platform/input/window_messages.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace {

const char kSettings[]
    = "0\r\n0\r\n0\r\n\"SCREEN_SIZE_X 1024\"\r\n\"SCREEN_SIZE_Y 768\"\r\n\"MUSIC_OFF\"\r\n"
      "\"lobby.vellmark.net\"\r\nNO_SETTINGS_DIALOG\r\n0\r\nNO_STRETCHED_VIDEO\r\nWINDOWED_MODE\r\n";

// A data folder with nothing but the settings: every table start-up reads before the window is missing,
// which start-up survives.
class StartFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // The message box is logged and answered at once, whether or not a display is there.
        Windows::SetMessageBoxAutoAnswer(true);
        SetDataPath();
        // A death test's child removes the scratch folder as it exits: it is made again for the next.
        std::filesystem::create_directories(support::gDataFolder);
        std::filesystem::current_path(support::gDataFolder);
        std::ofstream(support::gDataFolder + "/settings.cfg", std::ios::binary) << kSettings;
        std::filesystem::remove_all(support::gDataFolder + "/config");
    }
};

TEST_F(StartFailure, AFatalAssertionIsShownAndEndsWithStatusOne)
{
    std::filesystem::create_directories(support::gDataFolder + "/config");
    std::ofstream(support::gDataFolder + "/config/text.csv", std::ios::binary)
        << "#key;English;;;;;;;;;;\r\nA KEY WITH BLANKS;a;b;c;d;e;f;g;h;i;j;\r\n";
    EXPECT_EXIT(RunWinMain(), testing::ExitedWithCode(1), "Vellmark: TextDB Error");
}

TEST_F(StartFailure, AWindowThatCannotBeMadeIsNamedAndEndsWithStatusOne)
{
    EXPECT_EXIT(
        {
            // The emulation makes one game window: a second cannot be made.
            Windows::CreateWindowExA(
                0, "taken", "taken", 0, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
            RunWinMain();
        },
        testing::ExitedWithCode(1), "Error Creating Window!");
}

} // namespace
