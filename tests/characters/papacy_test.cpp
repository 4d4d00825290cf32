// The papacy: who may follow the pope and in which order on every machine, who fills a see, how the host
// chooses a controller, how every machine applies it, and the papacy's block of a saved game.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "characters/character_server.h"
#include "characters/papacy.h"
#include "characters/relation.h"
#include "datalang/block_round_trip.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "realms/realm_land.h"
#include "support/fatal_message.h"

#include "foundation/safeguards.h"

namespace {

struct Shown {
    int type;
    int32_t realm;
    std::string text;
};
std::vector<Shown> gShown;

class PapacyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        gEventScheduler.Erase();
        CRelations::Init();
        CPapacy::Init();
        gShown.clear();
        gCharacterHooks.ShowMessage = [](int type, int32_t realm, const char* const* texts, int) {
            gShown.push_back({ type, realm, texts[1] });
        };
        for (CRZCountryID id : { kPapalState, kFrance, kSee }) {
            CRZCountry::ConstructCountry(id);
            Listed(land.Ruler(Realm(id)));
        }
        Realm(kSee)->ImmidiateSetFormOfGoverment(GOV_ECCLESIASTICAL);
        Realm(kPapalState)->ImmidiateSetFormOfGoverment(GOV_ECCLESIASTICAL);
    }
    void TearDown() override
    {
        gEventScheduler.Erase();
        CPapacy::Shutdown();
        CRelations::Shutdown();
        CRZCountry::DeleteAll();
        everyone.RemoveAll();
        delete gpTimer;
        gpTimer = nullptr;
    }

    CRZCountry* Realm(CRZCountryID id) { return CRZCountry::GetCountry(id); }
    CCharacter* Listed(CCharacter* c)
    {
        everyone.Append(c);
        c->birthDate = CDate(0, 0, 1060);
        return c;
    }
    // A catholic man of the realm's court, born 1070, with the intrigue given.
    CCharacter* Courtier(CRZCountryID realm, int intrigue = 0)
    {
        land.rulers.push_back(std::make_unique<CCharacter>());
        CCharacter* c = land.rulers.back().get();
        c->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(500 + land.rulers.size())));
        c->birthDate = CDate(0, 0, 1070);
        c->SetBaseAttributes(CAttributeTuple(0, 0, intrigue, 0, 5, 5));
        c->RefreshAttributes();
        c->SetCountry(Realm(realm));
        everyone.Append(c);
        return c;
    }
    static std::vector<CCharacter*> Names(const CSuccessorList& list)
    {
        std::vector<CCharacter*> names;
        for (auto it = list.GetHead(); !it.IsEnd(); it++)
            names.push_back((*it).Get());
        return names;
    }
    // The controller requests queued for the host, by the identity each names.
    static std::vector<CRZID> Requested()
    {
        std::vector<CRZID> ids;
        gEventScheduler.ForEach([&](CRZEvent* event) {
            if (event->GetType() == _CRZEVT_SETPAPALCONTROLLER_ && event->GetReceiver() == CHARACTER_SERVER)
                ids.push_back(static_cast<CRZIdEvent*>(event)->Record().id);
        });
        gEventScheduler.Erase();
        return ids;
    }

    static constexpr CRZCountryID kPapalState = 1323, kFrance = 1030, kSee = 1031;
    CRealmLand land;
    CCharacterServer everyone;
};

TEST_F(PapacyTest, SuccessorsAreTheThreeMostSuitableAndNeverTheExcommunicated)
{
    CPapacy* papacy = CPapacy::GetInstance();
    CCharacter* bishop = Realm(kSee)->ruler;
    CCharacter* cardinal = Courtier(kPapalState, 10);
    CCharacter* monk = Courtier(kPapalState, 8);
    CCharacter* heretic = Courtier(kPapalState, 30);
    heretic->AddTrait(TRAIT_EXCOMMUNICATED);
    CCharacter* chaplain = Courtier(kFrance, 9);
    chaplain->courtPosition = COURT_CHAPLAIN;
    Courtier(kFrance, 50); // no controller yet: France's court is not asked
    // Suitability: 5 x intrigue (the bishop has none), a chaplain's times 0.8.
    EXPECT_EQ(Names(papacy->GetPapalSuccessors()), (std::vector<CCharacter*> { cardinal, monk, chaplain }));

    // The controller's court joins, but not his sons who were never schooled in the church.
    CCharacter* king = Realm(kFrance)->ruler;
    papacy->controller = king->GetID();
    CCharacter* son = Courtier(kFrance, 40);
    son->father = king->GetID();
    const std::vector<CCharacter*> withCourt = Names(papacy->GetPapalSuccessors());
    ASSERT_EQ(withCourt.size(), 3u);
    EXPECT_NE(withCourt[0], son);
    EXPECT_EQ(withCourt[1], cardinal);
    for (const CCharacter* c : withCourt)
        EXPECT_TRUE(c != heretic && c != bishop);

    // A controller whose realm is gone brings no court.
    CRZCountry* france = Realm(kFrance);
    CRZCountry::_pCountry[kFrance] = nullptr;
    EXPECT_EQ(Names(papacy->GetPapalSuccessors()), (std::vector<CCharacter*> { cardinal, monk, chaplain }));
    CRZCountry::_pCountry[kFrance] = france;
}

TEST_F(PapacyTest, EqualSuccessorsKeepTheOrderTheyWereGatheredIn)
{
    // Enough equals that an unstable sort would mix them.
    std::vector<CCharacter*> court;
    for (int i = 0; i < 40; ++i)
        court.push_back(Courtier(kPapalState, 7));
    EXPECT_EQ(Names(CPapacy::GetInstance()->GetPapalSuccessors()),
        (std::vector<CCharacter*> { court[0], court[1], court[2] }));
    EXPECT_FALSE(CPapacy::papalSuitabilityCmp(CRef<CCharacter>(court[0]), CRef<CCharacter>(court[1])));
    EXPECT_TRUE(CPapacy::papalSuitabilityCmp(CRef<CCharacter>(court[0]), CRef<CCharacter>()));
    EXPECT_FALSE(CPapacy::papalSuitabilityCmp(CRef<CCharacter>(), CRef<CCharacter>(court[0])));
}

TEST_F(PapacyTest, ANewBishopIsAnUnmarriedCatholicManOfThePapalCourtOrAPlainCourtierOfTheController)
{
    CPapacy* papacy = CPapacy::GetInstance();
    EXPECT_EQ(papacy->GetNewBishop(), nullptr);
    CCharacter* married = Courtier(kPapalState, 30);
    CCharacter* bride = Courtier(kPapalState);
    bride->gender = GENDER_FEMALE;
    married->CreateRelation(bride, RELATION_MARRIAGE);
    Courtier(kPapalState, 40)->religion = 1;
    CCharacter* young = Courtier(kPapalState, 40);
    young->birthDate = CDate(0, 0, 1090);
    CCharacter* priest = Courtier(kPapalState, 2);
    EXPECT_EQ(papacy->GetNewBishop(), priest);

    papacy->controller = Realm(kFrance)->ruler->GetID();
    CCharacter* steward = Courtier(kFrance, 20);
    steward->courtPosition = COURT_STEWARD;
    CCharacter* clerk = Courtier(kFrance, 3);
    EXPECT_EQ(papacy->GetNewBishop(), clerk) << "an officer is no candidate";

    CRZCountry* state = Realm(kPapalState);
    CRZCountry::_pCountry[kPapalState] = nullptr;
    EXPECT_EQ(papacy->GetNewBishop(), nullptr) << "no papal state, no bishops";
    EXPECT_EQ(CPapacy::GetPope(), nullptr);
    EXPECT_EQ(papacy->controller, NOID) << "nor a controller";
    CRZCountry::_pCountry[kPapalState] = state;
}

TEST_F(PapacyTest, TheHostChoosesTheFirstFitHeirElseTheMostPiousRulerAndEveryMachineAppliesIt)
{
    CPapacy* papacy = CPapacy::GetInstance();
    CCharacter* pope = Realm(kPapalState)->ruler;
    CCharacter* king = Realm(kFrance)->ruler;
    king->score = CSimpleScore(0.0f, 0.0f, 10.0f);
    CRZCountry::ConstructCountry(1032);
    CCharacter* saint = Listed(land.Ruler(Realm(1032)));
    saint->score = CSimpleScore(0.0f, 0.0f, 80.0f);
    CRZCountry::ConstructCountry(1033);
    CCharacter* heathen = Listed(land.Ruler(Realm(1033)));
    heathen->religion = 4;
    heathen->score = CSimpleScore(0.0f, 0.0f, 500.0f);

    papacy->DetermineNewController();
    EXPECT_EQ(Requested(), std::vector<CRZID> { saint->GetID() }) << "the most pious catholic feudal ruler";

    // The pope's nephew, a catholic feudal ruler, comes first through the pope's succession.
    CCharacter* brother = Listed(land.Ruler(Realm(kSee)));
    pope->father = CRZID(RZTYPE_CHARACTER, 900);
    brother->father = pope->father;
    king->father = brother->GetID();
    brother->children.Add(CRef<CCharacter>(king));
    auto* grandfather = new CCharacter;
    grandfather->Create(pope->father);
    land.rulers.emplace_back(grandfather);
    grandfather->children.Add(CRef<CCharacter>(pope));
    grandfather->children.Add(CRef<CCharacter>(brother));
    papacy->DetermineNewController();
    EXPECT_EQ(Requested(), std::vector<CRZID> { king->GetID() });

    // No one fit: the controller is cleared.
    for (CCharacter* c : { king, saint })
        c->AddTrait(TRAIT_EXCOMMUNICATED);
    papacy->DetermineNewController();
    EXPECT_EQ(Requested(), std::vector<CRZID> { NOID });

    // A client only applies what the host issues.
    gCharacterHooks.IsHost = [] { return false; };
    papacy->DetermineNewController();
    EXPECT_TRUE(Requested().empty());

    CRZIdEvent issued(_CRZEVT_SETPAPALCONTROLLER_, PAPACY, saint->GetID());
    EXPECT_EQ(papacy->Update(&issued), 0);
    EXPECT_EQ(papacy->GetPapalController(), saint);
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0].type, 99);
    EXPECT_EQ(gShown[0].realm, 1032);
    EXPECT_EQ(gShown[0].text, saint->GetLongName());
    CRZGenericEvent other(_CRZEVT_START_CRUSADES_, PAPACY);
    papacy->Update(&other);
    CRZGenericEvent bare(_CRZEVT_SETPAPALCONTROLLER_, PAPACY);
    papacy->Update(&bare);
    EXPECT_EQ(papacy->GetPapalController(), saint) << "other types and a short record change nothing";
}

TEST_F(PapacyTest, TheBlockHoldsTheControllerOnlyWhileThereIsOne)
{
    CPapacy* papacy = CPapacy::GetInstance();
    EXPECT_EQ(WrittenBlock(*papacy).find("control"), std::string::npos);
    papacy->controller = Realm(kFrance)->ruler->GetID();
    const std::string written = WrittenBlock(*papacy);
    EXPECT_NE(written.find("control"), std::string::npos) << written;

    CPapacy read;
    ReadBack(*papacy, read);
    EXPECT_EQ(read.controller, papacy->controller);
    EXPECT_NE(support::FatalMessageOf([&] {
        ReadBlock(read, "pope = 3 }");
    }).find("unknown lhs in scenario file (papacy)"),
        std::string::npos);
}

} // namespace
