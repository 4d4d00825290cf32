// The settings dialog on a real X display (Xvfb in CI): its picture with the five settings, OK writing
// the whole file, Cancel leaving it byte for byte, and an unwritable file answered as not saved.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <cstdlib>
#include <sys/stat.h>

#include "platform/host/host_hooks.h"
#include "platform/input/input_hooks.h"
#include "platform/input/picture_check.h"
#include "platform/settings/settings_dialog.h"

#include "foundation/safeguards.h"

using Ravel::GameSettingsDialog;

namespace {

class SettingsDialog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display (make test runs under xvfb-run)";
        Windows::SetMessageBoxAutoAnswer(true);
    }
    void TearDown() override
    {
        GameSettingsDialog::SetShownHook(nullptr);
        Windows::SetMessageBoxAutoAnswer(false);
    }
    input_test::ScratchDir mDir;
};

TEST_F(SettingsDialog, ShowsTheFiveSettingsAndOkWritesThem)
{
    std::string path = mDir.write("settings.cfg",
        "0\r\n0\r\n0\r\n\"SCREEN_SIZE_X 1280\"\r\n\"SCREEN_SIZE_Y 800\"\r\n\"MUSIC_ON\"\r\n\"old.host\"\r\n"
        "SHOW_SETTINGS_DIALOG\r\n0\r\n");
    std::string png = input_test::PathIn(mDir, "settings.png");
    const char* keep = std::getenv("VELLMARK_SCREENSHOT_DIR");
    int shown = 0;
    std::string captions;
    Ravel::SettingsControls before;
    int width = 0;
    int height = 0;
    bool pictured = false;
    bool framed = false;
    GameSettingsDialog::SetShownHook([&](GameSettingsDialog& dialog) {
        ++shown;
        before = dialog.controls();
        captions = dialog.captions();
        // A loaded display server may show the window before its contents: look again for a while.
        for (int attempt = 0; attempt < 40 && !pictured; ++attempt) {
            if (attempt > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            pictured
                = dialog.screenshot(png.c_str()) && input_test::PictureShowsSomething(png, &width, &height);
        }
        framed = pictured && input_test::PictureHasPlainMargin(png, 8);
        if (keep)
            dialog.screenshot((std::string(keep) + "/settings_dialog.png").c_str());
        dialog.setControls({ true, false, "new.host", true, true });
        dialog.pressedOKButton();
    });
    EXPECT_EQ(GameSettingsDialog::showVLSettingsDialog(path.c_str()), Ravel::kSettingsSaved);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(before.dontShowThisDialog);
    EXPECT_TRUE(before.playBackgroundMusic);
    EXPECT_EQ(before.serverHostname, "old.host");
    EXPECT_FALSE(before.stretchedVideoModes);
    EXPECT_FALSE(before.windowedMode);
    for (const char* caption : { "music", "stretched", "window", "Do not show" })
        EXPECT_NE(captions.find(caption), std::string::npos) << captions;
    EXPECT_TRUE(pictured) << width << "x" << height;
    EXPECT_GT(height, 150);
    EXPECT_TRUE(framed) << "a setting or button runs to the dialog's edge";

    EXPECT_EQ(input_test::ReadAll(path),
        "0\r\n0\r\n0\r\n\"SCREEN_SIZE_X 1280\"\r\n\"SCREEN_SIZE_Y 800\"\r\n\"MUSIC_OFF\"\r\n\"new.host\"\r\n"
        "NO_SETTINGS_DIALOG\r\n0\r\nSTRETCHED_VIDEO\r\nWINDOWED_MODE\r\n");
    EXPECT_STREQ(HallName, "new.host");
    EXPECT_EQ(nomusic, 1);
    EXPECT_EQ(gWindowedMode, 1);
}

TEST_F(SettingsDialog, CancelLeavesTheFileByteForByte)
{
    const std::string bytes
        = "0\r\n0\r\n0\r\n\"SCREEN_SIZE_X 1024\"\r\n\"SCREEN_SIZE_Y 768\"\r\n\"MUSIC_ON\"\r\n\"h\"\r\n"
          "SHOW_SETTINGS_DIALOG\r\n0\r\nNO_STRETCHED_VIDEO\r\nFULLSCREEN_MODE\r\ntrailing";
    std::string path = mDir.write("settings.cfg", bytes);
    nomusic = 0;
    GameSettingsDialog::SetShownHook([](GameSettingsDialog& dialog) {
        dialog.setControls({ true, false, "changed", true, true });
        dialog.pressedCancelButton();
    });
    EXPECT_EQ(GameSettingsDialog::showVLSettingsDialog(path.c_str()), Ravel::kSettingsCancelled);
    EXPECT_EQ(input_test::ReadAll(path), bytes);
    EXPECT_EQ(nomusic, 0);
}

TEST_F(SettingsDialog, UnwritableFileIsNotAnsweredAsSaved)
{
    // A folder where the file should be: nothing can replace it, whoever runs the test.
    std::string path = input_test::PathIn(mDir, "settings.cfg");
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    GameSettingsDialog::SetShownHook([](GameSettingsDialog& dialog) {
        dialog.setControls({ true, false, "kept.for.this.run", false, true });
        dialog.pressedOKButton();
    });
    testing::internal::CaptureStderr();
    int answer = GameSettingsDialog::showVLSettingsDialog(path.c_str());
    std::string logged = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, Ravel::kSettingsNotSaved);
    EXPECT_NE(logged.find("could not be saved"), std::string::npos) << logged;
    EXPECT_NE(logged.find("file"), std::string::npos) << "the assertion names the file";
    struct stat info { };
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_STREQ(HallName, "kept.for.this.run") << "the settings hold for this run";
}

TEST_F(SettingsDialog, StartUpShowsTheDialogWhenAskedAndCancelStopsIt)
{
    std::string path = mDir.write("settings.cfg",
        "0\r\n0\r\n0\r\n\"SCREEN_SIZE_X 800\"\r\n\"SCREEN_SIZE_Y "
        "600\"\r\n\"MUSIC_OFF\"\r\n\"h\"\r\nNO_SETTINGS_DIALOG\r\n");
    int shown = 0;
    GameSettingsDialog::SetShownHook([&](GameSettingsDialog& dialog) {
        ++shown;
        dialog.pressedCancelButton();
    });
    EXPECT_TRUE(Ravel::ReadSettingsAtStart(path.c_str(), false)) << "the file does not ask for it";
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(gScreenWidth, 1024);
    EXPECT_EQ(gScreenHeight, 768);
    EXPECT_EQ(nomusic, 1);
    const char* argv[] = { "vellmark", "--settings" };
    EXPECT_TRUE(Ravel::SettingsDialogRequested(2, argv));
    EXPECT_FALSE(Ravel::ReadSettingsAtStart(path.c_str(), true)) << "the user cancelled";
    EXPECT_EQ(shown, 1);
}

} // namespace
