// "settings.cfg": exact bytes written, older and damaged files, the start-up reading of each line, the
// controls read from and written to the lines, and a file that cannot be written.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/elements/replace_file.h"
#include "platform/host/host_hooks.h"
#include "platform/input/input_hooks.h"
#include "platform/settings/settings_dialog.h"
#include "platform/settings/settings_file.h"

#include "foundation/safeguards.h"

using Ravel::SettingsFile;
using Ravel::StartupSettings;

namespace {

const char kDefaultBytes[]
    = "0\r\n0\r\n0\r\n\"SCREEN_SIZE_X 1024\"\r\n\"SCREEN_SIZE_Y 768\"\r\n\"MUSIC_ON\"\r\n"
      "\"lobby.vellmark.net\"\r\nSHOW_SETTINGS_DIALOG\r\n0\r\nNO_STRETCHED_VIDEO\r\n"
      "FULLSCREEN_MODE\r\n";

std::string Lines(std::initializer_list<std::string> lines, const char* end = "\r\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

TEST(SettingsFile, DefaultsWrittenAsElevenCrLfLinesAndReadBack)
{
    input_test::ScratchDir dir;
    std::string path = input_test::PathIn(dir, "settings.cfg");
    ASSERT_FALSE(SettingsFile().read(path.c_str())) << "no file yet";
    ASSERT_TRUE(SettingsFile().write(path.c_str()));
    EXPECT_EQ(input_test::ReadAll(path), kDefaultBytes);

    SettingsFile again;
    ASSERT_TRUE(again.read(path.c_str()));
    EXPECT_EQ(again.linesRead(), 11);
    Ravel::SettingsControls controls = Ravel::ControlsFromFile(again);
    EXPECT_FALSE(controls.dontShowThisDialog);
    EXPECT_TRUE(controls.playBackgroundMusic);
    EXPECT_EQ(controls.serverHostname, "lobby.vellmark.net");
    EXPECT_FALSE(controls.stretchedVideoModes);
    EXPECT_FALSE(controls.windowedMode);
    EXPECT_FALSE(std::ifstream(path + ".tmp").good()) << "no temporary file is left";
}

TEST(SettingsFile, AFailureAtEachStepOfTheReplaceLeavesTheOldFile)
{
    input_test::ScratchDir dir;
    std::string path = input_test::PathIn(dir, "settings.cfg");
    const std::string old = Lines({ "1", "1", "1" });
    {
        std::ofstream(path, std::ios::binary) << old;
    }
    SettingsFile file;
    for (Ravel::ReplaceStep step :
        { Ravel::ReplaceStep::kCreate, Ravel::ReplaceStep::kWrite, Ravel::ReplaceStep::kFlush,
            Ravel::ReplaceStep::kSyncFile, Ravel::ReplaceStep::kClose, Ravel::ReplaceStep::kRename }) {
        std::string error;
        Ravel::InjectReplaceFailure(step);
        const bool written = file.write(path.c_str(), &error);
        Ravel::InjectReplaceFailure(Ravel::ReplaceStep::kNone);
        EXPECT_FALSE(written) << static_cast<int>(step);
        EXPECT_EQ(error, std::strerror(EIO));
        EXPECT_EQ(input_test::ReadAll(path), old);
        EXPECT_FALSE(std::ifstream(path + ".tmp").good());
    }
}

TEST(SettingsFile, ControlsWrittenAndReadBackTheSame)
{
    input_test::ScratchDir dir;
    std::string path = input_test::PathIn(dir, "settings.cfg");
    Ravel::SettingsControls chosen { true, false, "games.example.org", true, true };
    SettingsFile file;
    Ravel::ApplyControls(chosen, file);
    ASSERT_TRUE(file.write(path.c_str()));
    EXPECT_EQ(input_test::ReadAll(path),
        Lines({ "0", "0", "0", "\"SCREEN_SIZE_X 1024\"", "\"SCREEN_SIZE_Y 768\"", "\"MUSIC_OFF\"",
            "\"games.example.org\"", "NO_SETTINGS_DIALOG", "0", "STRETCHED_VIDEO", "WINDOWED_MODE" }));
    EXPECT_STREQ(HallName, "games.example.org");
    EXPECT_EQ(gShowSettingsDialog, 0);
    EXPECT_EQ(nomusic, 1);
    EXPECT_EQ(gUseStretchedVideoModes, 1);
    EXPECT_EQ(gWindowedMode, 1);

    SettingsFile again;
    ASSERT_TRUE(again.read(path.c_str()));
    Ravel::SettingsControls read = Ravel::ControlsFromFile(again);
    EXPECT_EQ(read.dontShowThisDialog, chosen.dontShowThisDialog);
    EXPECT_EQ(read.playBackgroundMusic, chosen.playBackgroundMusic);
    EXPECT_EQ(read.serverHostname, chosen.serverHostname);
    EXPECT_EQ(read.stretchedVideoModes, chosen.stretchedVideoModes);
    EXPECT_EQ(read.windowedMode, chosen.windowedMode);

    // Start-up reads the same file to the same flags.
    SettingsFile fresh;
    ASSERT_TRUE(fresh.read(path.c_str()));
    StartupSettings start = Ravel::ReadStartupSettings(fresh);
    EXPECT_TRUE(start.noMusic);
    EXPECT_EQ(start.hallName, "games.example.org");
    EXPECT_FALSE(start.showSettingsDialog);
    EXPECT_TRUE(start.stretchedVideo);
    EXPECT_TRUE(start.windowedMode);
}

TEST(SettingsFile, NineLineFileIsCompletedToEleven)
{
    input_test::ScratchDir dir;
    std::string path = dir.write("settings.cfg",
        Lines({ "0", "0", "0", "\"SCREEN_SIZE_X 1280\"", "\"SCREEN_SIZE_Y 1024\"", "\"MUSIC_ON\"",
            "\"h.example\"", "NO_SETTINGS_DIALOG", "0" }));
    SettingsFile file;
    ASSERT_TRUE(file.read(path.c_str()));
    EXPECT_EQ(file.linesRead(), 9);
    Ravel::SettingsControls controls = Ravel::ControlsFromFile(file);
    EXPECT_FALSE(controls.stretchedVideoModes);
    EXPECT_FALSE(controls.windowedMode);
    Ravel::ApplyControls(controls, file);
    ASSERT_TRUE(file.write(path.c_str()));
    EXPECT_EQ(input_test::ReadAll(path),
        Lines({ "0", "0", "0", "\"SCREEN_SIZE_X 1280\"", "\"SCREEN_SIZE_Y 1024\"", "\"MUSIC_ON\"",
            "\"h.example\"", "NO_SETTINGS_DIALOG", "0", "NO_STRETCHED_VIDEO", "FULLSCREEN_MODE" }));
}

TEST(SettingsFile, StartupReadingOfEachLine)
{
    const std::string longLine(5000, 'x');
    const struct {
        const char* name;
        std::string bytes;
        StartupSettings expected;
    } kCases[] = {
        { "sizes above the least kept",
            Lines({ "0", "0", "0", "\"SCREEN_SIZE_X 1600\"", "\"SCREEN_SIZE_Y   1200\"", "\"MUSIC_ON\"" }),
            { 1600, 1200, false, "lobby.vellmark.net", true, false, false } },
        { "small sizes raised", Lines({ "0", "0", "0", "\"SCREEN_SIZE_X 640\"", "\"SCREEN_SIZE_Y 480\"" }),
            { 1024, 768, false, "lobby.vellmark.net", true, false, false } },
        { "short, garbled and huge sizes keep the least",
            Lines({ "0", "0", "0", "\"SCREEN\"", "\"SCREEN_SIZE_Y 99999999999999999999\"" }),
            { 1024, 768, false, "lobby.vellmark.net", true, false, false } },
        { "music off, lobby, flags",
            Lines({ "0", "0", "0", "x", "y", "\"MUSIC_OFF\"", "\"my.host\"", "NO_SETTINGS_DIALOG", "0",
                "STRETCHED_VIDEO", "WINDOWED_MODE" }),
            { 1024, 768, true, "my.host", false, true, true } },
        { "line feeds alone end lines too",
            Lines({ "0", "0", "0", "\"SCREEN_SIZE_X 1280\"", "\"SCREEN_SIZE_Y 800\"", "\"MUSIC_OFF\"",
                      "\"lf.host\"", "NO_SETTINGS_DIALOG", "0", "NO_STRETCHED_VIDEO", "WINDOWED_MODE" },
                "\n"),
            { 1280, 800, true, "lf.host", false, false, true } },
        { "empty lobby and empty flag lines keep the defaults",
            Lines({ "0", "0", "0", "", "", "\"MUSIC\"", "\"\"", "", "0", "", "" }),
            { 1024, 768, false, "", true, false, false } },
        { "a 5000-character lobby line is cut", Lines({ "0", "0", "0", "", "", "", "\"" + longLine + "\"" }),
            { 1024, 768, false, std::string(300, 'x'), true, false, false } },
        { "a last line without its line end still counts",
            Lines({ "0", "0", "0", "x", "y", "\"MUSIC_ON\"", "\"h\"", "SHOW_SETTINGS_DIALOG", "0",
                "NO_STRETCHED_VIDEO" })
                + "WINDOWED_MODE",
            { 1024, 768, false, "h", true, false, true } },
        { "garbage without line ends", longLine,
            { 1024, 768, false, "lobby.vellmark.net", true, false, false } },
    };
    input_test::ScratchDir dir;
    for (const auto& c : kCases) {
        std::string path = dir.write("settings.cfg", c.bytes);
        SettingsFile file;
        ASSERT_TRUE(file.read(path.c_str()));
        for (int line = 1; line <= SettingsFile::kLineCount; ++line)
            EXPECT_LE(file.line(line).size(), SettingsFile::kMaxLineLength) << c.name;
        StartupSettings got = Ravel::ReadStartupSettings(file);
        EXPECT_EQ(got.screenWidth, c.expected.screenWidth) << c.name;
        EXPECT_EQ(got.screenHeight, c.expected.screenHeight) << c.name;
        EXPECT_EQ(got.noMusic, c.expected.noMusic) << c.name;
        EXPECT_EQ(got.hallName, c.expected.hallName) << c.name;
        EXPECT_EQ(got.showSettingsDialog, c.expected.showSettingsDialog) << c.name;
        EXPECT_EQ(got.stretchedVideo, c.expected.stretchedVideo) << c.name;
        EXPECT_EQ(got.windowedMode, c.expected.windowedMode) << c.name;
    }
}

TEST(SettingsFile, ApplyingStartupSettingsBoundsTheLobbyName)
{
    StartupSettings settings;
    settings.hallName = std::string(4000, 'h');
    settings.noMusic = true;
    Ravel::ApplyStartupSettings(settings);
    EXPECT_EQ(std::strlen(HallName), sizeof HallName - 1);
    EXPECT_EQ(nomusic, 1);
    settings.hallName.clear();
    Ravel::ApplyStartupSettings(settings);
    EXPECT_STREQ(HallName, Ravel::kDefaultLobbyHost) << "no name in the file keeps the default server";
}

TEST(SettingsFile, HostNameLosesLineBreaksAndFitsItsLine)
{
    SettingsFile file;
    Ravel::SettingsControls controls;
    controls.serverHostname = "a\r\nb" + std::string(400, 'c');
    controls.serverHostname.replace(301, 2, "\xC3\xA9"); // a two-byte character on the cut
    Ravel::ApplyControls(controls, file);
    const std::string& line = file.line(7);
    EXPECT_LE(line.size(), SettingsFile::kMaxLineLength);
    EXPECT_EQ(line.front(), '"');
    EXPECT_EQ(line.back(), '"');
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(line.substr(1, 2), "ab");
    EXPECT_EQ(line.find("\xC3"), std::string::npos) << "the split character is dropped whole";
}

TEST(SettingsFile, WriteFailureIsReportedAndLeavesTheOldFile)
{
    input_test::ScratchDir dir;
    std::string missing = input_test::PathIn(dir, "no/such/folder/settings.cfg");
    std::string reason;
    EXPECT_FALSE(SettingsFile().write(missing.c_str(), &reason));
    EXPECT_FALSE(reason.empty());

    // A folder the user may not write into: the old file stays as it was.
    std::string path = dir.write("settings.cfg", "old");
    ASSERT_EQ(chmod(dir.path().c_str(), 0500), 0);
    bool written = SettingsFile().write(path.c_str(), &reason);
    chmod(dir.path().c_str(), 0700);
    if (geteuid() != 0) {
        EXPECT_FALSE(written);
        EXPECT_EQ(input_test::ReadAll(path), "old");
    }

    Windows::SetMessageBoxAutoAnswer(true);
    testing::internal::CaptureStderr();
    Ravel::ReportSettingsNotSaved(missing.c_str(), "No such file or directory %s");
    std::string logged = testing::internal::GetCapturedStderr();
    Windows::SetMessageBoxAutoAnswer(false);
    EXPECT_NE(logged.find("could not be saved"), std::string::npos) << logged;
    EXPECT_NE(logged.find("No such file or directory %s"), std::string::npos) << logged;
}

} // namespace
