// The frame's event budget on a fake clock, the window's destroy message, dates as the player reads them
// and the music folder of "music.ini".
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/settings.h"
#include "app/window_procedure.h"
#include "app/winmain.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "gfx/song.h"
#include "platform/input/window_messages.h"
#include "support/data_folder.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

int gTicks = 0;
int gDelivered = 0;

// Each delivered event costs the frame one clock tick.
CRZReturnType TickPerEvent(CRZEvent*)
{
    ++gDelivered;
    ++gTicks;
    return 0;
}

TEST(Frame, FiftyReadyEventsAreWorkedOffThreePerFrame)
{
    SetEventDelivery(&TickPerEvent);
    for (int i = 0; i < 50; ++i)
        PostLocalEvent(new CRZGenericEvent(_CRZEVT_TIMER_TICK_LOOP_, ALLID));
    const auto clock = [] { return gTicks; };
    EXPECT_EQ(ProcessReadyEvents(clock), 3);
    EXPECT_EQ(gDelivered, 3);
    int frames = 1;
    while (ProcessReadyEvents(clock) > 0 && frames < 100)
        ++frames;
    EXPECT_EQ(gDelivered, 50);
    EXPECT_EQ(frames, 17);
    // Nothing ready: the frame goes on at once.
    EXPECT_EQ(ProcessReadyEvents(clock), 0);
    SetEventDelivery(nullptr);
}

TEST(Frame, TheSecondDestroyMessageShutsNothingDownAndTheNextFrameEndsTheGame)
{
    SetDataPath();
    auto* settings = new CSettings();
    settings->InitSettings();
    gpSettings = settings;
    Windows::SetMessageBoxAutoAnswer(true);
    EXPECT_EQ(MessageHandlingProcedure(nullptr, 2, 0, 0), 0);
    // ShutDown saved and released the settings.
    EXPECT_EQ(gpSettings, nullptr);
    EXPECT_EQ(isShutDown, 1);
    CSettings untouched;
    gpSettings = &untouched;
    EXPECT_EQ(MessageHandlingProcedure(nullptr, 2, 0, 0), 0);
    EXPECT_EQ(MessageHandlingProcedure(nullptr, Windows::WM_QUIT, 0, 0), 0);
    EXPECT_EQ(gpSettings, &untouched);
    gpSettings = nullptr;
    EXPECT_EQ(GameMainTick(), 0);
}

class Texts : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SetDataPath();
        std::filesystem::create_directories(support::gDataFolder + "/config");
        std::ofstream table(support::gDataFolder + "/config/text.csv", std::ios::binary);
        table << "#key;English;;;;;;;;;;\r\n";
        const char* months[] = { "JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE", "JULY", "AUGUST",
            "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER" };
        for (const char* month : months)
            table << month << ";" << month[0] << std::string(month + 1).substr(0, 2) << ";;;;;;;;;;\r\n";
        table.close();
        ASSERT_EQ(TextStrings.Init(RZ_LANGUAGE_0), 1);
    }
    void TearDown() override { std::snprintf(dateorder, sizeof dateorder, "%s", "M D, Y"); }
};

TEST_F(Texts, DatesFollowTheOrderOfTheLanguage)
{
    const struct {
        const char* order;
        CDate date;
        std::size_t size;
        const char* expected;
    } cases[] = {
        { "M D, Y", CDate(0, 2, 1187), 64, "MAR 1, 1187" },
        { "D. M Y", CDate(0, 11, 1066), 64, "1. DEC 1066" },
        { "Y-M-D", CDate(0, 0, 1453), 64, "1453-JAN-1" },
        { "M D, Y", CDate(0, 2, 1187), 6, "MAR 1" },
    };
    for (const auto& c : cases) {
        std::snprintf(dateorder, sizeof dateorder, "%s", c.order);
        char text[65];
        std::memset(text, 'x', sizeof text);
        ConvertToLocaleDate(text, c.size, c.date);
        EXPECT_STREQ(text, c.expected) << c.order;
        EXPECT_EQ(text[c.size], 'x') << "written past the buffer";
    }
}

TEST(MusicIni, OnlyAFolderOfTheDataFolderReplacesMusic)
{
    SetDataPath();
    const struct {
        const char* file;
        const char* expected;
    } cases[] = {
        { "[music]\r\nPATH=tunes\r\n", "tunes" },
        { "[music]\nPATH=songs/old\n", "songs/old" },
        { "[music]\r\nPATH\r\n", "music" },
        { "[music]\r\nPATH=\r\n", "music" },
        { "[music]\r\nPATH=/etc\r\n", "music" },
        { "[music]\r\nPATH=..\\secrets\r\n", "music" },
        { "[music]\r\nPATH=a/../../b\r\n", "music" },
        { "PATH=tunes", "music" },
        { nullptr, "music" },
    };
    for (const auto& c : cases) {
        std::filesystem::remove(support::gDataFolder + "/music.ini");
        if (c.file)
            std::ofstream(support::gDataFolder + "/music.ini", std::ios::binary) << c.file;
        std::snprintf(MusicPath, sizeof MusicPath, "%s", "left over");
        testing::internal::CaptureStderr();
        ReadMusicIni();
        testing::internal::GetCapturedStderr();
        EXPECT_STREQ(MusicPath, c.expected) << (c.file ? c.file : "no file");
    }
    std::ofstream(support::gDataFolder + "/music.ini", std::ios::binary)
        << "[music]\r\nPATH=" << std::string(5000, 'a') << "\r\n";
    testing::internal::CaptureStderr();
    ReadMusicIni();
    testing::internal::GetCapturedStderr();
    EXPECT_STREQ(MusicPath, "music");
}

} // namespace
