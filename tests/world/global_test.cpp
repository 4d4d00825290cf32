// The global game state: its "globaldata" block written and read back, its errors, its reactions to the
// day, month, game-start and flag events, and realm control.
#include <gtest/gtest.h>

#include <string>

#include "characters/flags.h"
#include "datalang/parser.h"
#include "datalang/script_text.h"
#include "events/generic_events.h"
#include "events/records_realm.h"
#include "world_fakes.h"

#include "foundation/safeguards.h"

using namespace worldfakes;

namespace {

class GlobalTest : public WorldTest {
protected:
    void TearDown() override
    {
        gGlobal.flags.RemoveAll();
        DeleteAll(gGlobal.objects);
        WorldTest::TearDown();
    }

    // The block as a saved game holds it.
    static std::string SavedText()
    {
        CLScript* script = gGlobal.GetScript();
        std::string text = "globaldata = " + WrittenText(*script);
        delete script;
        return text;
    }

    // Reads a whole "globaldata = { ... }" text; the fatal message, or "" with the reader's answer.
    static std::string Load(const std::string& text, int* answer = nullptr)
    {
        support::ScratchFile file(text);
        return FatalMessageOf([&] {
            CRZParser parser(file.Path(), "r");
            EXPECT_EQ(parser.ParseSimpleStatement(), 1);
            const int read = gGlobal.ParseFields(parser);
            if (answer)
                *answer = read;
        });
    }
};

TEST_F(GlobalTest, SavedBlockHoldsTheClockDateAndOnlyWarsWhoseLeadersExist)
{
    CRZCountry* realmA = Realm(1);
    CRZCountry* realmB = Realm(2);
    CCharacter* a = Ruler(realmA);
    CCharacter* b = Ruler(realmB);
    CCharacter* gone = Ruler(Realm(3));
    War(a, b);
    War(a, gone)->type = 7;
    gone->Destroy();
    gGlobal.startDate = CDate(0, 0, 1066);
    gGlobal.endDate = CDate(0, 0, 1453);
    gpTimer->SetDate(CDate(0, 2, 1100));
    gGlobal.flags.SetFlag("saxons", 3);
    CRZCheats::_isFantasy = 1;

    const std::string saved = SavedText();
    EXPECT_NE(saved.find("startdate = { year = 1100 month = march day = 0"), std::string::npos) << saved;
    EXPECT_NE(saved.find("desc = \"fantasy\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("saxons = 3"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("type = 7"), std::string::npos) << saved;

    DeleteAll(gGlobal.wars);
    gGlobal.flags.RemoveAll();
    gpTimer->SetDate(CDate(0, 0, 1066));
    int answer = -1;
    EXPECT_EQ(Load(saved, &answer), "");
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(gpTimer->GetDate() == CDate(0, 2, 1100));
    EXPECT_TRUE(gGlobal.startDate == CDate(0, 2, 1100));
    EXPECT_TRUE(gGlobal.endDate == CDate(0, 0, 1453));
    EXPECT_EQ(CRZCheats::_isFantasy, 1);
    ASSERT_EQ(gGlobal.wars.GetSize(), 1);
    EXPECT_EQ((*gGlobal.wars.GetHead())->GetAttacker(), a);
    EXPECT_EQ((*gGlobal.wars.GetHead())->GetDefender(), b);
    ASSERT_NE(gGlobal.flags.Find("SAXONS"), nullptr);
    EXPECT_EQ(gGlobal.flags.Find("SAXONS")->value, 3);
}

TEST_F(GlobalTest, ReadingReportsBadStatementsAndForgetsAnEarlierFantasy)
{
    struct Case {
        const char* text;
        const char* fatal;
        int answer;
    };
    const Case cases[] = {
        { "globaldata = { }", "", 0 },
        { "globaldata = { enddate = { year = 1200 } }", "", 0 },
        { "globaldata = { startdate }", "", -2 },
        { "globaldata = { colour = 3 }", "Globals : Unexpected field", 0 },
        { "globaldata = { startdate = 1100 }", "No Left Curly", 0 },
        { "globaldata = { war = 3 }", "No Left Curly", 0 },
        { "globaldata = { papacy = { } }", "Globals : No papacy to read", 0 },
        { "globaldata = { war = { attacker = { type = 10 id = 1 } ", "end of file", 0 },
    };
    for (const Case& c : cases) {
        CRZCheats::_isFantasy = 1;
        int answer = 0;
        const std::string fatal = Load(c.text, &answer);
        if (c.fatal[0] == '\0') {
            EXPECT_EQ(fatal, "") << c.text;
            EXPECT_EQ(answer, c.answer) << c.text;
            EXPECT_EQ(CRZCheats::_isFantasy, 0) << c.text;
        } else {
            EXPECT_NE(fatal.find(c.fatal), std::string::npos) << c.text << " gave " << fatal;
        }
        DeleteAll(gGlobal.wars);
    }
}

// Records every event the first object list offers it.
class CSeen : public CRZObj {
public:
    int Update(CRZEvent* event) override
    {
        types.push_back(event->GetType());
        return answer;
    }
    std::vector<CRZEvtType> types;
    int answer = 0;
};

TEST_F(GlobalTest, UpdateRunsTheDayMonthAndStartStepsAndPassesEveryEventOn)
{
    CRZCountry* realmA = Realm(5, 40.0f);
    CRZCountry* realmB = Realm(9, 10.0f);
    CCharacter* a = Ruler(realmA);
    CCharacter* b = Ruler(realmB);
    a->score = CSimpleScore(0.0f, 2.0f, 0.0f);
    b->score = CSimpleScore(0.0f, 13.0f, 0.0f);
    Relate(RELATION_TRUCE, a, b);
    War(a, b);
    Province(0, realmA, 4.0f)->AddNeighbor({ 1, 0, 0 });
    Province(1, realmB, 0.0f);
    auto* seen = new CSeen;
    seen->answer = 2;
    gGlobal.objects.Append(seen);

    CRZGenericEvent started(_CRZEVT_GAME_STARTED_, ALLID);
    EXPECT_EQ(gGlobal.Update(&started), 3); // the object list's answer
    EXPECT_EQ(gGlobal.GetLiveCharCount(), 2);
    EXPECT_EQ(realmA->truceFlags[9], 1);
    EXPECT_EQ(gGlobal.rankTable[0].country, 9);
    EXPECT_FLOAT_EQ(gGlobal.GetRelativeArmyPower(5), 30.0f);
    EXPECT_FLOAT_EQ(realmA->manpowerSum, 4.0f);
    ASSERT_EQ(realmA->neighbours.GetSize(), 1); // each province's knowledge is renewed, not added to
    EXPECT_EQ(*realmA->neighbours.GetHead(), 9);

    a->score = CSimpleScore(0.0f, 14.0f, 0.0f);
    CRZTimerEvent month(_CRZEVT_TIMER_MONTH_, ALLID, gpTimer->GetDate());
    gGlobal.Update(&month);
    EXPECT_EQ(gGlobal.rankTable[0].country, 5);

    CRZFlagEvent set(_CRZEVT_SET_FLAG_, ALLID, "crowned", 4);
    CRZFlagEvent inc(_CRZEVT_INC_FLAG_, ALLID, "crowned", 3);
    gGlobal.Update(&set);
    gGlobal.Update(&inc);
    ASSERT_NE(gGlobal.flags.Find("crowned"), nullptr);
    EXPECT_EQ(gGlobal.flags.Find("crowned")->value, 7);

    CRZGenericEvent other(_CRZEVT_REFRESHMAP_, ALLID);
    seen->answer = 0;
    EXPECT_EQ(gGlobal.Update(&other), 0);
    const std::vector<CRZEvtType> expected = { _CRZEVT_GAME_STARTED_, _CRZEVT_TIMER_MONTH_, _CRZEVT_SET_FLAG_,
        _CRZEVT_INC_FLAG_, _CRZEVT_REFRESHMAP_ };
    EXPECT_EQ(seen->types, expected);
}

TEST_F(GlobalTest, ClearingRealmControlLeavesTheLastSlotMarked)
{
    gCountryControl[7] = CONTROL_LOCAL_PLAYER;
    gCountryControl[100] = CONTROL_NETWORK_PLAYER;
    ClearCountryControl();
    for (int i = 0; i + 1 < static_cast<int>(kCountryTableSlots); ++i)
        ASSERT_EQ(gCountryControl[i], CONTROL_COMPUTER) << i;
    EXPECT_EQ(gCountryControl[kCountryTableSlots - 1], 4);
}

} // namespace
