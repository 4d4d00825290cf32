// Delivery of news: the type's texts with the caller's strings and the form of address put in, the log
// line dated and kept, boxed types logged before their box, switched-off types silent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/random_generator.h"
#include "messages/message_handler.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

struct Box {
    int type;
    std::string text, first, second;
    int place;
};
std::vector<Box> gBoxes;
float gPoints = 0.0f;
bool gHasPlayer = false;

void Text(const char* key, const char* text)
{
    TextStrings.Add(key, const_cast<char*>(text));
}

class MessageDelivery : public testing::Test {
protected:
    void SetUp() override
    {
        for (CMessType& type : CMessageHandler::_MessType) {
            type.shown = type.defaultShown;
            type.box = type.defaultBox;
            type.pause = type.defaultPause;
        }
        gpLogHistory = new CMessageHistoryList;
        gBoxes.clear();
        gHasPlayer = false;
        gMessageHooks.FormatDate = [](char* buffer, std::size_t size, const CDate&) {
            std::snprintf(buffer, size, "%s", "May 1 1066");
        };
        gMessageHooks.OpenBox = [](MessageType type, CRZCountryID, const char* text, const char* first,
                                    const char* second, int place, int32_t) {
            gBoxes.push_back({ type, text, first, second, place });
        };
        gMessageHooks.GetPlayerVictoryPoints = [](float& points) {
            points = gPoints;
            return gHasPlayer;
        };
        Text("CHARBIRTHREALM_LOG", "%s has a child: %s, a %s. May God keep %s");
        Text("DECLWAROTHER_LOG", "%s has declared war on %s");
        Text("THEYSLCOM_LOG", "%s has slain our commander %s");
        Text("CRUSADESLOST_LOG", "The crusade has failed %s");
        Text("OASSO_LOG", "%d%% of %s %n%s%s%s%s");
        Text("ADDTRAITPLAYER_LOG", "%t: %s is now %s");
        Text("NEWPOPE_HEADER", "A new pope%s");
        Text("NEWPOPE_1", "%s is dead, %s");
        Text("NEWPOPE_2", "");
        Text("NEWPOPE_3", "never joined");
        for (const char* key : { "NEWPOPE_4", "NEWPOPE_5", "NEWPOPE_6" })
            Text(key, "");
        Text("NEWPOPE_LOG", "%s is dead and %s holds the Holy See");
        Text("NEWPOPE_BTN1", "So be it");
        Text("NEWPOPE_BTN2", "Go there");
        Text("MESS_MASTERCALL1", "my lord");
        Text("MESS_MASTERCALL3", "your lordship");
        Text("MESS_MASTERCALL6", "your majesty");
    }
    void TearDown() override
    {
        delete gpLogHistory;
        gpLogHistory = nullptr;
        gMessageHooks = CMessageHooks {};
    }

    static std::string Last() { return gpLogHistory->GetLine(gpLogHistory->GetCount() - 1).text; }
};

TEST_F(MessageDelivery, ALogLineTakesTheStringsAfterTheFirstInOrder)
{
    struct Case {
        int type;
        std::vector<const char*> strings;
        int place;
        const char* line;
    };
    const Case cases[] = {
        { 34, { "", "Count Odo", "Hugh", "son", "him", "" }, -1,
            "May 1 1066 : Count Odo has a child: Hugh, a son. May God keep him" },
        { 5, { "Aragon", "Aragon", "Navarre" }, 7, "May 1 1066 : Aragon has declared war on Navarre" },
        // This type's text names its two strings the other way round.
        { 23, { "", "Sir Guy", "the Moors" }, 12, "May 1 1066 : the Moors has slain our commander Sir Guy" },
        // With the box's string alone nothing is filled in.
        { 101, { "" }, -1, "May 1 1066 : The crusade has failed %s" },
        // A text from the tables is data: what it cannot fill stays as written, a missing string is empty.
        { 96, { "", "Odo", "Hugh" }, -1, "May 1 1066 : %d% of Odo %nHugh" },
    };
    for (CMessType& type : CMessageHandler::_MessType)
        type.box = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(gMessageHandler.ShowMessage(static_cast<MessageType>(c.type), 3, c.strings, c.place), 1);
        EXPECT_EQ(Last(), c.line) << c.type;
        EXPECT_EQ(gpLogHistory->GetLine(gpLogHistory->GetCount() - 1).place, c.place) << c.type;
        EXPECT_EQ(gpLogHistory->GetType(gpLogHistory->GetCount() - 1), c.type);
    }
    EXPECT_TRUE(gBoxes.empty());
}

TEST_F(MessageDelivery, ABoxedTypeLogsFirstAndItsBoxJoinsPartsUpToTheFirstEmpty)
{
    ASSERT_EQ(CMessageHandler::_MessType[98].box, 1);
    EXPECT_EQ(gMessageHandler.ShowMessage(static_cast<MessageType>(98), 3, "", "Pope Leo", "Pope Urban"), 1);
    ASSERT_EQ(gpLogHistory->GetCount(), 1u);
    EXPECT_EQ(Last(), "May 1 1066 : Pope Leo is dead and Pope Urban holds the Holy See");
    ASSERT_EQ(gBoxes.size(), 1u);
    // Part 3 is not joined after the empty part 2.
    EXPECT_EQ(gBoxes[0].text, "A new pope;Pope Leo is dead, Pope Urban");
    EXPECT_EQ(gBoxes[0].first, "So be it");
    EXPECT_EQ(gBoxes[0].place, -1);
    EXPECT_EQ(CMessageHandler::_MessType[98].box, 1);
}

TEST_F(MessageDelivery, ATypeSwitchedOffShowsNothing)
{
    CMessageHandler::_MessType[98].shown = 0;
    CMessageHandler::_MessType[34].shown = 0;
    EXPECT_EQ(gMessageHandler.ShowMessage(static_cast<MessageType>(98), 3, "", "Leo", "Urban"), 0);
    EXPECT_EQ(
        gMessageHandler.ShowMessage(static_cast<MessageType>(34), 3, "", "Odo", "Hugh", "son", "him", ""), 0);
    EXPECT_EQ(gpLogHistory->GetCount(), 0u);
    EXPECT_TRUE(gBoxes.empty());
    std::string out = "untouched";
    EXPECT_EQ(gMessageHandler.FormatMessageA(static_cast<MessageType>(34), out), 0);
    EXPECT_EQ(out, "untouched");
}

TEST_F(MessageDelivery, BadCallsAreDroppedAndNoLogIsNoCrash)
{
    const char* const none[] = { "" };
    EXPECT_EQ(gMessageHandler.ShowMessage(static_cast<MessageType>(103), 3, none, -1), 0);
    EXPECT_EQ(gMessageHandler.ShowMessage(static_cast<MessageType>(-1), 3, none, -1), 0);
    EXPECT_EQ(
        gMessageHandler.ShowMessage(static_cast<MessageType>(5), 3, std::span<const char* const>(), -1), 0);
    EXPECT_EQ(gpLogHistory->GetCount(), 0u);
    delete gpLogHistory;
    gpLogHistory = nullptr;
    EXPECT_EQ(gMessageHandler.ShowMessage(static_cast<MessageType>(5), 3, "A", "A", "B", 4), 1);
}

TEST_F(MessageDelivery, TheFormOfAddressFollowsTheStandingOnlyWithAPlayer)
{
    std::string text = "%t, %t!";
    gMessageHandler.InsertTitle(text);
    EXPECT_EQ(text, "%t, %t!");
    gHasPlayer = true;
    const struct {
        float points;
        const char* text;
    } cases[] = { { 250.0f, "your lordship, your lordship!" }, { -10.0f, "my lord, my lord!" },
        { 99.9f, "my lord, my lord!" }, { 5000.0f, "your majesty, your majesty!" } };
    for (const auto& c : cases) {
        gPoints = c.points;
        text = "%t, %t!";
        gMessageHandler.InsertTitle(text);
        EXPECT_EQ(text, c.text) << c.points;
    }
    // An address that itself holds the sequence is put in once, not again and again.
    Text("MESS_MASTERCALL1", "sire %t");
    gPoints = 0.0f;
    gMessageHandler.ShowMessage(static_cast<MessageType>(38), 3, "", "Odo", "brave");
    EXPECT_EQ(Last(), "May 1 1066 : sire %t: Odo is now brave");
}

TEST_F(MessageDelivery, TheLogDropsItsOldestLineAndCountsEveryLine)
{
    for (int i = 0; i < 3; ++i)
        gMessageHandler.ShowMessage(static_cast<MessageType>(5), 3, "", "A", "B");
    gpLogHistory->RemoveTop();
    EXPECT_EQ(gpLogHistory->GetCount(), 2u);
    EXPECT_EQ(gpLogHistory->GetLoggedCount(), 3u);
    gpLogHistory->RemoveTop();
    gpLogHistory->RemoveTop();
    gpLogHistory->RemoveTop();
    EXPECT_EQ(gpLogHistory->GetCount(), 0u);
}

TEST_F(MessageDelivery, MessagesNeverDrawOnTheGamesGenerator)
{
    gGameRandom.Seed(77);
    const int expected = CRandomGenerator(77).Next();
    gHasPlayer = true;
    gMessageHandler.ShowMessage(static_cast<MessageType>(98), 3, "", "Leo", "Urban");
    gMessageHandler.ShowMessage(static_cast<MessageType>(38), 3, "", "Odo", "brave");
    EXPECT_EQ(gGameRandom.Next(), expected);
}

} // namespace
