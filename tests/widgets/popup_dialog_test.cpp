// Answer windows and the question box: requests that expire, portraits of the characters that still
// exist, the Enter key, the answers of trade and war windows, the prestige a refused vassal costs, the
// question box's texts, answers and pause, and data texts that carry hostile format specifiers.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/game.h"
#include "characters/character.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "foundation/text_format.h"
#include "realms/country.h"
#include "realms/request.h"
#include "realms/war.h"
#include "support/data_folder.h"
#include "text/new_text.h"
#include "widgets/character_box.h"
#include "widgets/dialog_player.h"
#include "widgets/generated_interface.h"
#include "widgets/generic_button.h"
#include "widgets/list_box.h"
#include "widgets/overlap_box.h"
#include "widgets/popup_dialog.h"
#include "widgets/question_box.h"

#include "foundation/safeguards.h"

namespace {

// The player, keeping the list of open pop-ups.
class CPopupPlayer : public widgets_test::CRecordingPlayer {
public:
    void AddPopup(CWindow* popup) override { popups.push_back(popup); }
    void RemovePopup(CWindow* popup) override { std::erase(popups, popup); }
    std::vector<CWindow*> popups;
};

class CRecordingRequest : public CRequest {
public:
    explicit CRecordingRequest(CRZCountryID from)
        : CRequest(CRZID(RZTYPE_DYNAMIC, 77), from)
    {
    }
    // Its realms are not built here: it stands for a request in force until it expires.
    bool IsValid() const override { return true; }
    void AnswerToHost(int answer) override { answers.push_back(answer); }
    void WriteToPopup(std::string (&parts)[8]) const override { parts[2] = "A marriage is proposed"; }
    std::vector<int> answers;
};

struct Posted {
    int type;
    CRZID receiver;
    CRZID object;
    float value;
};

struct Recorded {
    std::vector<CRZCountryID> wars;
    std::vector<bool> firstFlags;
    int accepted = 0;
    int declined = 0;
};
Recorded* gRecorded = nullptr;
const CWar* gWar = nullptr;

class PopupTest : public widgets_test::GeneratedInterface {
protected:
    enum : CRZCountryID { kPlayer = 5, kFriend = 6, kEnemy = 7 };

    void SetUp() override
    {
        GeneratedInterface::SetUp();
        ASSERT_EQ(TextStrings.Init(RZ_LANGUAGE_0), 1);
        CRZGenericButton::InitSprites();
        CIdentity::TotalInit(NOID, 0);
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(10, 5, 1100));
        for (CRZCountryID id : { kPlayer, kFriend, kEnemy }) {
            CRZCountry::ConstructCountry(id);
            CRZCountry::_pCountry[id]->ruler = Person();
        }
        player.country = CRZCountry::_pCountry[kPlayer];
        gWidgetHooks = {};
        gWidgetHooks.player = &player;
        gRecorded = &recorded;
        gWar = nullptr;
        gPopupHooks = {};
        gPopupHooks.GetWar = [](CRZCountryID, CRZCountryID) { return gWar; };
        gPopupHooks.DeclareWar = [](CRZCountry*, CRZCountryID target, bool first, bool) {
            gRecorded->wars.push_back(target);
            gRecorded->firstFlags.push_back(first);
        };
        gPopupHooks.AcceptTrade = [](CRZCountry*, CRZDiplomaticEvent*) { ++gRecorded->accepted; };
        gPopupHooks.DeclineTrade = [](CRZCountry*, CRZDiplomaticEvent*) { ++gRecorded->declined; };
        gCharacterBoxHooks.MakePortrait = [](CCharacter*) -> CRZBtn* {
            auto* portrait = new CRZBtn(128, 128, 16);
            portrait->SetTotalFrames(1);
            return portrait;
        };
    }
    void TearDown() override
    {
        gEventScheduler.Erase();
        gCharacterBoxHooks = {};
        gPopupHooks = {};
        gWidgetHooks = {};
        gGameStateHooks = {};
        gRecorded = nullptr;
        CRZGenericButton::DeInitSprites();
        CRZCountry::DeleteAll();
        people.clear();
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
        TextStrings.DeleteAll();
        GeneratedInterface::TearDown();
    }
    CCharacter* Person()
    {
        people.push_back(std::make_unique<CCharacter>());
        people.back()->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(people.size())));
        return people.back().get();
    }
    static CCharacter* Ruler(CRZCountryID id) { return CRZCountry::_pCountry[id]->ruler; }
    // Every event waiting in the scheduler, oldest first.
    static std::vector<Posted> Queue()
    {
        std::vector<Posted> out;
        gEventScheduler.ForEach([&](CRZEvent* e) {
            Posted p { static_cast<int>(e->GetType()), e->GetReceiver(), NOID, 0.0f };
            if (auto* f = dynamic_cast<CRZCharacterFloatEvent*>(e)) {
                p.object = f->Record().character;
                p.value = f->Record().value;
            }
            if (auto* q = dynamic_cast<CRZQuestionEvent*>(e))
                p.value = static_cast<float>(q->Record().value);
            out.push_back(p);
        });
        return out;
    }
    int Key(CWindow& box, int code)
    {
        CRZInputEvent key(_CRZEVT_KEYUP_, code, 0, CPoint(1, 1));
        return box.Update(&key);
    }
    int Tick(CWindow& box) { return Send(box, _CRZEVT_TIMER_TICK_LOOP_, CPoint(1, 1)); }

    CPopupPlayer player;
    Recorded recorded;
    std::vector<std::unique_ptr<CCharacter>> people;
};

TEST_F(PopupTest, ARequestShowsThePortraitsOfItsFirstTwoLivingCharactersAndExpiresUnanswered)
{
    CRecordingRequest request(kFriend);
    request.Timestamp(CDate(20, 5, 1100));
    CCharacter* gone = Person();
    CCharacter* second = Person();
    CCharacter* third = Person();
    CCharacter* fourth = Person();
    for (CCharacter* c : { gone, second, third, fourth })
        request.characters.Append(c->GetID());
    const CRZID goneID = gone->GetID();
    people[people.size() - 4].reset();
    ASSERT_EQ(CIdentity::GetObjectFromID(goneID), nullptr);

    auto* box = new CRZAnswerRequestWindow(&player, &request);
    ASSERT_EQ(player.popups.size(), 1u);
    ASSERT_NE(box->GetExtra(0), nullptr);
    ASSERT_NE(box->GetExtra(1), nullptr);
    EXPECT_EQ(box->GetExtra(0)->GetPosition(), CPoint(16, 94));
    EXPECT_EQ(box->GetExtra(1)->GetPosition(), CPoint(box->GetWidth() - 80, 94));
    const auto shown = [](COverlapBox* extra) {
        return dynamic_cast<CCharacterBoxEntry*>(*extra->GetLayoutOrder().GetHead())->GetCharacter();
    };
    EXPECT_EQ(shown(box->GetExtra(0)), second);
    EXPECT_EQ(shown(box->GetExtra(1)), third);
    EXPECT_STREQ(box->GetRollover(), TextStrings.GetString("IW_ANSWER_REQUEST_ROLLOEVER"));

    EXPECT_NE(Tick(*box), 1);
    EXPECT_TRUE(request.answers.empty());
    // The day after its expiration the request is answered no at the next update.
    gpTimer->SetDate(CDate(21, 5, 1100));
    EXPECT_EQ(Tick(*box), 1);
    EXPECT_EQ(request.answers, std::vector<int> { 0 });
    delete box;
    EXPECT_TRUE(player.popups.empty());
}

TEST_F(PopupTest, EnterPressesAcceptOfTradeAndPeaceOnly)
{
    CRecordingRequest request(kFriend);
    request.Timestamp(CDate(1, 1, 1200));
    CRZDiplomaticEvent offer(_CRZEVT_TRADE_UNIONS_, ALLID, {}, {}, kFriend, kPlayer, 0);
    const struct {
        const char* kind;
        std::function<CPopupDialog*()> make;
        bool enter;
    } kCases[] = {
        { "request", [&] { return new CRZAnswerRequestWindow(&player, &request); }, false },
        { "trade", [&] { return new CRZAnswerTradeWindow(&player, &offer); }, true },
        { "ally", [&] { return new CRZAnswerWarOnAllyWindow(&player, kFriend, kEnemy); }, false },
        { "vassal", [&] { return new CRZAnswerWarOnVassalWindow(&player, kFriend, kEnemy); }, false },
        { "peace", [&] { return new CRZAnswerOfferPeaceWindow(&player, kFriend); }, true },
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.kind);
        std::unique_ptr<CPopupDialog> box(c.make());
        ASSERT_TRUE(box->IsValid());
        EXPECT_EQ(Key(*box, 13) == 1, c.enter);
    }
    EXPECT_EQ(recorded.accepted, 1);
    EXPECT_TRUE(request.answers.empty());
    EXPECT_TRUE(recorded.wars.empty());
}

TEST_F(PopupTest, TradeAnswersReachTheRealmAndWarWindowsJoinTheWar)
{
    CRZDiplomaticEvent offer(_CRZEVT_TRADE_UNIONS_, ALLID, {}, {}, kFriend, kPlayer, 0);
    {
        CRZAnswerTradeWindow trade(&player, &offer);
        EXPECT_EQ(trade.GetSender(), kFriend);
        EXPECT_EQ(Key(trade, 14), 1);
    }
    EXPECT_EQ(recorded.declined, 1);
    EXPECT_EQ(recorded.accepted, 0);

    // Accept by a click on the button: the ally window declares war with flags false, true.
    CRZAnswerWarOnAllyWindow ally(&player, kFriend, kEnemy);
    ally.MoveTo(200, 100);
    CRZGenericButton* accept = ally.GetAcceptButton();
    Tick(ally);
    const CPoint at(200 + accept->GetPosition().x + accept->GetWidth() / 2,
        100 + accept->GetPosition().y + accept->GetHeight() / 2);
    EXPECT_NEAR(at.x - 200, 254, 1);
    Send(ally, _CRZEVT_MOUSELBDOWN_, at);
    EXPECT_EQ(Send(ally, _CRZEVT_MOUSELBUP_, at), 1);
    EXPECT_EQ(recorded.wars, std::vector<CRZCountryID> { kEnemy });

    // At war with the enemy already, the call is void and closes without effect.
    CRZAnswerWarOnAllyWindow late(&player, kFriend, kEnemy);
    CRZCountry::_pCountry[kPlayer]->atWarWith[kEnemy] = 1;
    EXPECT_FALSE(late.IsValid());
    EXPECT_EQ(Tick(late), 1);
    EXPECT_EQ(recorded.wars.size(), 1u);
}

TEST_F(PopupTest, RefusingAnAttackedVassalCostsPrestigeButOneThatAttackedCostsNothing)
{
    const struct {
        const char* name;
        bool vassalAttacked;
        bool playerAtWar;
        int posted;
    } kCases[] = {
        { "the vassal was attacked", true, false, 1 },
        { "the vassal attacked", false, false, 0 },
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        CWar war(c.vassalAttacked ? Ruler(kEnemy) : Ruler(kFriend),
            c.vassalAttacked ? Ruler(kFriend) : Ruler(kEnemy));
        gWar = &war;
        CRZAnswerWarOnVassalWindow vassal(&player, kFriend, kEnemy);
        EXPECT_EQ(Key(vassal, 14), 1);
        const std::vector<Posted> queue = Queue();
        ASSERT_EQ(static_cast<int>(queue.size()), c.posted);
        if (c.posted) {
            EXPECT_EQ(queue[0].type, 377);
            EXPECT_EQ(queue[0].receiver, CHARACTER_SERVER);
            EXPECT_EQ(queue[0].object, CRZID(RZTYPE_COUNTRY, kPlayer));
            EXPECT_EQ(queue[0].value, -100.0f);
        }
        gEventScheduler.Erase();
        gWar = nullptr;
    }
    // Defending an attacked vassal declares war with the first flag set.
    CWar war(Ruler(kEnemy), Ruler(kFriend));
    gWar = &war;
    CRZAnswerWarOnVassalWindow vassal(&player, kFriend, kEnemy);
    vassal.OnOk();
    EXPECT_EQ(recorded.firstFlags, std::vector<bool> { true });
    gWar = nullptr;
}

TEST_F(PopupTest, WarTextsSayWhoAttackedAndNameTheRealms)
{
    CRZCountry* friendRealm = CRZCountry::_pCountry[kFriend];
    CRZCountry* enemyRealm = CRZCountry::_pCountry[kEnemy];
    // The asking ruler attacked; one of his allies already fights the enemy's ruler.
    CWar war(Ruler(kFriend), Ruler(kEnemy));
    gWar = &war;
    CCharacter* ally = Person();
    Ruler(kFriend)->allies.Append(ally);
    ally->enemies.Append(Ruler(kEnemy));
    CRZAnswerWarOnAllyWindow attacking(&player, kFriend, kEnemy);
    EXPECT_EQ(attacking.GetText1(),
        FormatDataText(TextStrings.GetString("ANSWERALLY1B"), { friendRealm->GetName() }));
    EXPECT_EQ(attacking.GetText2(),
        FormatDataText(TextStrings.GetString("ANSWERALLY2B"), { enemyRealm->GetName() })
            + TextStrings.GetString("ANSWERALLY3B"));
    gWar = nullptr;
    Ruler(kFriend)->allies.RemoveAll();
    ally->enemies.RemoveAll();

    CRZAnswerWarOnVassalWindow attacked(&player, kFriend, kEnemy);
    EXPECT_EQ(attacked.GetText1(), TextStrings.GetString("ANSWERVASSAL1"));
    EXPECT_EQ(attacked.GetText2(),
        FormatDataText(
            TextStrings.GetString("ANSWERVASSAL2"), { enemyRealm->GetName(), friendRealm->GetName() }));
}

TEST_F(PopupTest, HostileFormatsInTheTextsPrintAsTheyStand)
{
    // A table of the player's language whose texts hold specifiers that would read or write past the
    // values a formatter is given.
    const std::string name = "config/hostile.csv";
    {
        std::ofstream table(support::gDataFolder + "/" + name, std::ios::binary);
        for (const char* key : { "ANSWERALLY1B", "ANSWERALLY2B", "ANSWERALLY2", "ANSWERVASSAL2", "PEACE_ROLL",
                 "QUIT_HEADER", "QUIT_1" }) {
            table << key << ';';
            for (int i = 0; i < kLanguageCount; ++i)
                table << "%s%s%n%d%x%%777;";
            table << "\r\n";
        }
        table << "#EOF;;;;;;;;;;;\r\n";
    }
    ASSERT_TRUE(TextStrings.ParseFile(name.c_str(), RZ_LANGUAGE_0));
    const std::string friendName = CRZCountry::_pCountry[kFriend]->GetName();
    const std::string enemyName = CRZCountry::_pCountry[kEnemy]->GetName();
    CWar war(Ruler(kFriend), Ruler(kEnemy));
    gWar = &war;
    CRZAnswerWarOnAllyWindow ally(&player, kFriend, kEnemy);
    EXPECT_EQ(ally.GetText1(), friendName + "%s%n%d%x%777");
    gWar = nullptr;
    CRZAnswerWarOnAllyWindow attacked(&player, kFriend, kEnemy);
    EXPECT_EQ(attacked.GetText2(), enemyName + friendName + "%n%d%x%777");
    CRZAnswerOfferPeaceWindow peace(&player, kFriend);
    EXPECT_EQ(std::string(peace.GetRollover()), friendName + "%s%n%d%x%777");
    EXPECT_EQ(CQuestionBox::BuildText("QUIT").substr(0, 20), "%s%s%n%d%x%%777;%s%s");
}

class QuestionBoxTest : public PopupTest { };

TEST_F(QuestionBoxTest, TextsStopAtTheFirstEmptyOneAfterTheFirst)
{
    const std::string name = "config/questions.csv";
    {
        std::ofstream table(support::gDataFolder + "/" + name, std::ios::binary);
        const auto row = [&](const std::string& key, const std::string& text) {
            table << key << ';';
            for (int i = 0; i < kLanguageCount; ++i)
                table << text << ';';
            table << "\r\n";
        };
        for (const char* stem : { "QA", "QB" }) {
            row(std::string(stem) + "_HEADER", "Header");
            row(std::string(stem) + "_1", "one");
        }
        row("QB_2", "two");
        row("QB_4", "four");
        row("QB_5", "five");
        for (const char* key : { "QA_2", "QA_3", "QA_4", "QA_5", "QA_6", "QB_3", "QB_6" })
            row(key, "");
        table << "#EOF;;;;;;;;;;;\r\n";
    }
    ASSERT_TRUE(TextStrings.ParseFile(name.c_str(), RZ_LANGUAGE_0));
    EXPECT_EQ(CQuestionBox::BuildText("QA"), "Header;one");
    EXPECT_EQ(CQuestionBox::BuildText("QB"), "Header;one;two");
}

TEST_F(QuestionBoxTest, ButtonsPostTheirAnswerLocallyAndThePauseFollowsTheBox)
{
    const struct {
        int key;
        int answer;
    } kCases[] = { { 13, 265 }, { 0, 266 } };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.answer);
        std::string stem = "QUIT";
        auto* box = new CQuestionBox(stem.c_str(), 4);
        stem = "GARBAGE";
        EXPECT_EQ(box->GetStem(), "QUIT");
        EXPECT_TRUE(player.pause);
        box->MoveTo(300, 200);
        int result = 0;
        if (c.key) {
            result = Key(*box, c.key);
        } else {
            CRZGenericButton* second = box->GetSecondButton();
            EXPECT_EQ(second->GetPosition().x + second->GetWidth() / 2, 3 * box->GetWidth() / 4);
            const CPoint at(300 + second->GetPosition().x + second->GetWidth() / 2,
                200 + second->GetPosition().y + second->GetHeight() / 2);
            Send(*box, _CRZEVT_MOUSELBDOWN_, at);
            result = Send(*box, _CRZEVT_MOUSELBUP_, at);
        }
        EXPECT_EQ(result, 1);
        const std::vector<Posted> queue = Queue();
        ASSERT_EQ(queue.size(), 1u);
        EXPECT_EQ(queue[0].type, c.answer);
        EXPECT_EQ(queue[0].receiver, CRZID(RZTYPE_COUNTRY, kPlayer));
        EXPECT_EQ(queue[0].value, 4.0f);
        gEventScheduler.ForEach([](CRZEvent* e) { EXPECT_FALSE(e->GetSend()); });
        delete box;
        EXPECT_FALSE(player.pause);
        gEventScheduler.Erase();
    }
    // In a multiplayer game the box leaves the pause alone both ways.
    gGameStateHooks.GetSessionPlayerCount = [] { return 2; };
    player.pause = true;
    delete new CQuestionBox("QUIT", 0);
    EXPECT_TRUE(player.pause);
    player.pause = false;
    auto* box = new CQuestionBox("QUIT", 0);
    EXPECT_FALSE(player.pause);
    delete box;
}

} // namespace
