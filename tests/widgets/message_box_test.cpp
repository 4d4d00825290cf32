// Message boxes: text parts filled from one text, the coat of arms at both corners, the pause of pausing
// boxes, and the timed notice with its OK button and its two layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "app/game.h"
#include "events/game_clock.h"
#include "events/route_fakes.h"
#include "messages/message_handler.h"
#include "player/player_info_timer.h"
#include "support/fake_game.h"
#include "text/new_text.h"
#include "widgets/dialog_player.h"
#include "widgets/generated_interface.h"
#include "widgets/generic_button.h"
#include "widgets/message_box.h"
#include "widgets/standard_buttons.h"

#include "foundation/safeguards.h"

namespace {

using routefakes::CFakeLoopTimers;
using routefakes::gNow;
using widgets_test::CRecordingPlayer;

// The rows of a part, each as its text.
std::vector<std::string> Rows(const CNewListBox* part)
{
    std::vector<std::string> rows;
    for (auto it = const_cast<CNewListBox*>(part)->GetHead(); !it.IsEnd(); it++)
        if (const auto* row = dynamic_cast<const CNewListBoxString*>(*it))
            rows.push_back(row->GetText());
    return rows;
}

std::string Joined(const CNewListBox* part)
{
    std::string text;
    for (const std::string& row : Rows(part))
        text += row;
    return text;
}

class MessageBoxTest : public widgets_test::GeneratedInterface {
protected:
    void SetUp() override
    {
        GeneratedInterface::SetUp();
        ASSERT_EQ(TextStrings.Init(RZ_LANGUAGE_0), 1);
        gWidgetHooks = {};
        gWidgetHooks.player = &player;
        gNow = 0;
        CRZTimer::mLastTimerActionTime = 0;
        CRZTimer::mLastTickRest = 0;
        gClockHooks.timers = &timers;
        ASSERT_TRUE(InitTimer(15));
    }
    // n animation ticks of 15 ms, 13 at most per timer callback (under the clock's 200 ms cap).
    void RunTicks(int n)
    {
        for (; n > 0; n -= 13)
            timers.Fire(static_cast<uint32_t>(15 * std::min(n, 13)));
    }
    void TearDown() override
    {
        KillTimer();
        gClockHooks = {};
        CRZGenericButton::DeInitSprites();
        gWidgetHooks = {};
        gEventRoutes.game = nullptr;
        gEventRoutes.player = nullptr;
        gGameStateHooks = {};
        TextStrings.DeleteAll();
        GeneratedInterface::TearDown();
    }

    CRecordingPlayer player;
    CFakeLoopTimers timers;
};

TEST_F(MessageBoxTest, InsertTextFillsPartsZeroToSixWithThreeAndFiveInCapitals)
{
    struct Case {
        const char* text;
        std::vector<std::string> parts; // 0 to 7
    };
    const Case cases[] = {
        { "a;b;c;d;e;f", { "a", "b", "c", "D", "e", "F", "", "" } },
        { "a;;c", { "a", "", "c", "", "", "", "", "" } },
        { "p0;p1;p2;p3;p4;p5;p6;p7;p8;p9", { "p0", "p1", "p2", "P3", "p4", "P5", "p6", "" } },
    };
    for (const Case& c : cases) {
        CNiceMsgBoxBase box(7);
        box.InsertText(c.text);
        for (int part = 0; part < kNiceBoxParts; ++part)
            EXPECT_EQ(Joined(box.GetPart(part)), c.parts[static_cast<std::size_t>(part)])
                << c.text << " part " << part;
    }
}

TEST_F(MessageBoxTest, LayoutPaintsTheCoatOfArmsAtBothUpperCornersAndGrowsWithTheText)
{
    constexpr std::uint16_t kArms = 0x07E0 ^ 0x001F;
    gWidgetHooks.MakeCoatOfArms = [](CRZCountryID) -> CRZBtn* {
        // Four frames of 20 by 24.
        auto* arms = new CRZBtn(80, 24, 16);
        arms->GetImage()->Fill16Bit(kArms);
        return arms;
    };
    CNiceMsgBoxBase small(7);
    small.InsertText("Header;Title");
    small.Init();
    CNiceMsgBoxBase large(7);
    large.InsertText("Header;Title;one;two;three;four;five");
    large.Init();
    ASSERT_NE(large.GetShield(), nullptr);
    CImage* image = large.GetImage();
    for (const CPoint& corner : { kShieldLeft, kShieldRight }) {
        EXPECT_EQ(video_test::Pixel16(image, corner.x, corner.y), kArms) << corner.x;
        EXPECT_EQ(video_test::Pixel16(image, corner.x + 19, corner.y + 23), kArms) << corner.x;
        EXPECT_NE(video_test::Pixel16(image, corner.x + 20, corner.y + 24), kArms) << corner.x;
    }
    EXPECT_EQ(large.GetLayoutSize().x, kNiceBoxWidth);
    EXPECT_GT(large.GetLayoutSize().y, small.GetLayoutSize().y);
}

// A started single-player game with the clock running, and a message type that asks for a pause.
class PausingBoxTest : public MessageBoxTest {
protected:
    void SetUp() override
    {
        MessageBoxTest::SetUp();
        gEventRoutes.game = &game;
        gEventRoutes.player = &player;
        gpTimer->SetRunning(true);
        saved = CMessageHandler::_MessType[kPausing];
        CMessageHandler::_MessType[kPausing].pause = 1;
        CMessageHandler::_MessType[kQuiet].pause = 0;
    }
    void TearDown() override
    {
        CMessageHandler::_MessType[kPausing] = saved;
        MessageBoxTest::TearDown();
    }
    static constexpr MessageTypeNumber kPausing = 12;
    static constexpr MessageTypeNumber kQuiet = 13;
    CStartedGame game;
    CMessType saved {};
};

TEST_F(PausingBoxTest, APausingBoxStopsTheClockAndClosingAnyOfThemLiftsThePause)
{
    auto first = std::make_unique<CNiceMsgBoxBasePause>(kPausing, 7);
    EXPECT_TRUE(player.pause);
    EXPECT_FALSE(gpTimer->IsRunning());
    auto second = std::make_unique<CNiceMsgBoxBasePause>(kPausing, 7);
    first.reset();
    // Kept as given: the first box to close lifts the pause although the second is still open.
    EXPECT_FALSE(player.pause);
    EXPECT_TRUE(gpTimer->IsRunning());
    second.reset();
    EXPECT_FALSE(player.pause);

    auto quiet = std::make_unique<CNiceMsgBoxBasePause>(kQuiet, 7);
    EXPECT_FALSE(player.pause);
    EXPECT_TRUE(gpTimer->IsRunning());
}

TEST_F(PausingBoxTest, AMultiplayerGameIsNeitherPausedNorResumed)
{
    gGameStateHooks.GetSessionPlayerCount = [] { return 2; };
    player.pause = true; // the player's own pause button
    {
        CNiceMsgBoxBasePause box(kPausing, 7);
        EXPECT_TRUE(gpTimer->IsRunning());
    }
    EXPECT_TRUE(player.pause);
    player.pause = false;
    {
        CNiceMsgBoxBasePause box(kPausing, 7);
        EXPECT_FALSE(player.pause);
    }
}

TEST_F(MessageBoxTest, ANoticeClosesAfterItsTicksOrAtOnceOnOK)
{
    CMessageBox timed("Gold", "The treasury is full.", 4);
    RunTicks(4 * kInfoTimerTicksPerSecond - 1);
    EXPECT_NE(Send(timed, _CRZEVT_TIMER_TICK_LOOP_, CPoint(1, 1)), 1);
    RunTicks(1);
    EXPECT_EQ(Send(timed, _CRZEVT_TIMER_TICK_LOOP_, CPoint(1, 1)), 1);

    CMessageBox byKey("The treasury is full.", 4);
    EXPECT_EQ(Send(byKey, _CRZEVT_KEYUP_, CPoint(1, 1), kEnterKey), 1);

    CMessageBox byClick("The treasury is full.", 4);
    byClick.Draw(DRAW_TYPE_0);
    CRZOKButton* button = byClick.GetOKButton();
    const CPoint centre(
        button->GetPosition().x + button->GetWidth() / 2, button->GetPosition().y + button->GetHeight() / 2);
    EXPECT_NE(Send(byClick, _CRZEVT_MOUSELBDOWN_, centre), 1);
    EXPECT_EQ(Send(byClick, _CRZEVT_MOUSELBUP_, centre), 1);
}

TEST_F(MessageBoxTest, NoticeLayoutsByHeaderAndText)
{
    CFont* plain = font;
    const int lineHeight = plain->GetLineHeight();
    const CMessageBox headerOnly("Header", "", 4);
    EXPECT_EQ(headerOnly.GetLayoutSize(), CPoint(364, lineHeight + 80));
    const CMessageBox empty("", 4);
    EXPECT_EQ(empty.GetLayoutSize(), CPoint(64, 64));
    const CMessageBox oneLine("Peace", 4);
    EXPECT_EQ(oneLine.GetLayoutSize(), CPoint(364, 2 * lineHeight + 80));
    const std::string longText(400, 'w');
    const int lines = plain->GetLineBreaks(longText.c_str(), 300);
    ASSERT_GT(lines, 1);
    const CMessageBox wrapped(longText.c_str(), 4);
    EXPECT_EQ(wrapped.GetLayoutSize(), CPoint(364, (lines + 1) * lineHeight + 80));
}

} // namespace
