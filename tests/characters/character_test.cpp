// Characters in real realms and titles: age and death, realm moves, titles and owned provinces, liege
// queries, relations that must not dangle, court offices and the keys their texts are built from.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "characters/character.h"
#include "characters/culture.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/realm_character_hooks.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

class CharacterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        InstallRealmCharacterHooks();
        CTitle::ConstructAll();
        gpTimer = new CRZTimer(15);
        Today(CDate(14, 2, 1100));
    }
    void TearDown() override
    {
        people.clear();
        DeleteAll(*CRelations::GetInstance());
        CTitle::DestroyAll();
        CRZCountry::DeleteAll();
        gCharacterHooks = {};
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
    }

    static void Today(const CDate& date) { gpTimer->SetDate(date); }

    static CRZCountry* Realm(int index)
    {
        if (CRZCountry::_pCountry[index] == nullptr)
            CRZCountry::ConstructCountry(index);
        return CRZCountry::_pCountry[index];
    }

    // An adult man of the realm, registered.
    CCharacter* Person(CRZCountry* realm = nullptr)
    {
        people.push_back(std::make_unique<CCharacter>());
        CCharacter* person = people.back().get();
        person->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(people.size())));
        person->birthDate = CDate(0, 0, 1070);
        person->SetCountry(realm);
        return person;
    }

    CCharacter* Ruler(int index)
    {
        CRZCountry* realm = Realm(index);
        CCharacter* ruler = Person(realm);
        realm->AddRulerImmidiatly(ruler);
        CTitle::GetTitle(index)->SetNewHolder(ruler);
        return ruler;
    }

    std::vector<std::unique_ptr<CCharacter>> people;
};

TEST_F(CharacterTest, AgeTurnsOnTheBirthdayAndAdulthoodAtSixteen)
{
    CCharacter* boy = Person();
    boy->birthDate = CDate(14, 2, 1084); // 15 March 1084
    Today(CDate(13, 2, 1100));
    EXPECT_EQ(boy->GetAge(), 15);
    EXPECT_FALSE(boy->IsAdult());
    Today(CDate(14, 2, 1100));
    EXPECT_EQ(boy->GetAge(), 16);
    EXPECT_TRUE(boy->IsAdult());
    boy->birthDate = CDate(0, 0, 1101); // not yet born
    EXPECT_EQ(boy->GetAge(), -1);
}

TEST_F(CharacterTest, AFutureDeathDateIsErasedAndAPostedDeathCountsOnTheHost)
{
    CCharacter* person = Person();
    person->deathDate = CDate(0, 0, 1101);
    EXPECT_TRUE(person->IsAlive());
    EXPECT_EQ(person->deathDate, CDate());
    person->deathDate = CDate(13, 2, 1100);
    EXPECT_FALSE(person->IsAlive());
    person->deathDate = CDate();
    person->deathPosted = 1; // no session: this machine is the host
    EXPECT_FALSE(person->IsAlive());
}

TEST_F(CharacterTest, MovingATitledCharacterToTheRealmOfNobodyVacatesHisTitles)
{
    CCharacter* count = Ruler(7);
    CTitle::GetTitle(1100)->SetNewHolder(count);
    CCharacter* chancellor = Person(Realm(7));
    chancellor->SetCourtPosition(COURT_CHANCELLOR);
    ASSERT_EQ(Realm(7)->courtPositions[0], chancellor);

    count->SetCountry(Realm(kNobodyCountry));
    EXPECT_TRUE(count->titles.IsEmpty());
    EXPECT_EQ(CTitle::GetTitle(7)->GetCurrentHolder(), nullptr);
    EXPECT_EQ(CTitle::GetTitle(1100)->GetCurrentHolder(), nullptr);
    EXPECT_EQ(count->realmId, kNobodyCountry);
    EXPECT_TRUE(Realm(kNobodyCountry)->GetCountryMembers().Contains(count));
    EXPECT_FALSE(Realm(7)->GetCountryMembers().Contains(count));

    // A courtier who leaves takes his office with him.
    chancellor->SetCountry(Realm(8));
    EXPECT_EQ(Realm(7)->courtPositions[0], nullptr);
    EXPECT_EQ(chancellor->courtPosition, COURT_COURTIER);
}

TEST_F(CharacterTest, ACountyAddsItsProvinceToTheOwnedListAndTitlesSortHighestFirst)
{
    CCharacter* lord = Person(Realm(12));
    CTitle::GetTitle(12)->SetNewHolder(lord);
    CTitle::GetTitle(1010)->SetNewHolder(lord);
    CTitle::GetTitle(13)->SetNewHolder(lord);
    CTitle::GetTitle(1300)->SetNewHolder(lord);
    EXPECT_EQ(lord->GetPrimaryTitle(), CTitle::GetTitle(1300));
    int lastRank = 1000;
    for (auto title = lord->titles.GetHead(); !title.IsEnd(); title++) {
        EXPECT_LE((*title)->GetRankPts(), lastRank);
        lastRank = (*title)->GetRankPts();
    }
    EXPECT_EQ(lord->GetOwnedProvinces().GetSize(), 2);
    EXPECT_TRUE(lord->GetOwnedProvinces().Contains(12));
    EXPECT_TRUE(lord->GetOwnedProvinces().Contains(13));
    EXPECT_FALSE(lord->GetOwnedProvinces().Contains(1010));
    EXPECT_EQ(lord->GetRank(), 112);
    EXPECT_EQ(lord->GetNumOfKingdomTitles(), 1);
    EXPECT_EQ(lord->GetNumOfDuchyTitles(), 1);

    CTitle::GetTitle(12)->SetNewHolder(nullptr);
    EXPECT_FALSE(lord->GetOwnedProvinces().Contains(12));
    lord->RefreshOwnedProvinces();
    EXPECT_EQ(lord->GetOwnedProvinces().GetSize(), 1);
}

TEST_F(CharacterTest, LiegeRulersVassalsAndRealmsUnderARuler)
{
    CCharacter* king = Ruler(1300);
    CCharacter* duke = Ruler(1010);
    CCharacter* count = Ruler(20);
    CCharacter* courtier = Person(Realm(20));
    duke->SetLiegeRuler(king);
    count->SetLiegeRuler(duke);

    EXPECT_EQ(count->GetLiegeRuler(), duke);
    EXPECT_EQ(duke->GetLiegeRuler(), king);
    EXPECT_EQ(king->GetLiegeRuler(), nullptr);
    EXPECT_TRUE(count->IsVassal());
    EXPECT_EQ(courtier->GetLiegeForLoyalty(), count);
    EXPECT_EQ(count->GetLiegeForLoyalty(), duke);
    EXPECT_TRUE(count->IsRuler());
    EXPECT_FALSE(courtier->IsRuler());

    king->CalcVassals();
    duke->CalcVassals();
    ASSERT_EQ(king->GetVassals().GetSize(), 1);
    EXPECT_EQ((*king->GetVassals().GetHead()).Get(), duke);
    EXPECT_EQ(king->GetNumOfVassalDukes(), 1);
    EXPECT_EQ(duke->GetNumOfVassalCounts(), 1);
    courtier->CalcVassals();
    EXPECT_TRUE(courtier->GetVassals().IsEmpty());

    EXPECT_TRUE(king->IsRealmUnderMe(count));
    EXPECT_TRUE(duke->IsRealmUnderMe(count));
    EXPECT_FALSE(count->IsRealmUnderMe(duke));
    EXPECT_TRUE(count->IsRealmUnderMe(count));

    count->SetLiegeRuler(nullptr);
    EXPECT_EQ(count->GetLiegeRuler(), nullptr);
    EXPECT_FALSE(duke->IsRealmUnderMe(count));
}

TEST_F(CharacterTest, RelationListsAreSymmetricAndADeletedCharacterLeavesNoneBehind)
{
    CCharacter* a = Person();
    CCharacter* b = Person();
    CRelation* friendship = a->CreateRelation(b, RELATION_FRIEND);
    EXPECT_EQ(a->CreateRelation(b, RELATION_FRIEND), friendship);
    a->CreateRelation(b, RELATION_ALLIANCE);
    b->CreateRelation(a, RELATION_RIVAL);
    EXPECT_TRUE(a->HasFriendship(b));
    EXPECT_TRUE(b->HasFriendship(a));
    EXPECT_TRUE(a->HasRivalry(b));
    EXPECT_TRUE(a->friends.Contains(b) && b->friends.Contains(a));
    EXPECT_TRUE(a->allies.Contains(b) && b->allies.Contains(a));

    a->LoseFriend(b);
    EXPECT_FALSE(a->HasFriendship(b));
    EXPECT_FALSE(b->friends.Contains(a));

    a->CreateRelation(b, RELATION_FRIEND);
    a->enemies.Append(b);
    b->enemies.Append(a);
    people[1].reset(); // b goes
    EXPECT_TRUE(a->allies.IsEmpty());
    EXPECT_TRUE(a->friends.IsEmpty());
    EXPECT_TRUE(a->rivals.IsEmpty());
    EXPECT_TRUE(a->enemies.IsEmpty());
    EXPECT_EQ(a->GetRelation(nullptr, RELATION_FRIEND), nullptr);
}

TEST_F(CharacterTest, SpousesMarriagesAndFamily)
{
    CCharacter* husband = Person();
    CCharacter* wife = Person();
    wife->gender = GENDER_FEMALE;
    CRelation* marriage = husband->CreateRelation(wife, RELATION_MARRIAGE);
    EXPECT_EQ(wife->GetSpouse().Get(), husband);
    marriage->Terminate();
    EXPECT_EQ(wife->GetSpouse().Get(), nullptr);
    EXPECT_EQ(wife->GetSpouses().GetSize(), 1); // ended marriages still count here

    CCharacter* son = Person();
    CCharacter* daughter = Person();
    daughter->gender = GENDER_FEMALE;
    son->father = daughter->father = husband->GetID();
    son->birthDate = CDate(0, 0, 1090);
    daughter->birthDate = CDate(0, 0, 1085);
    EXPECT_TRUE(husband->IsOurChild(son));
    EXPECT_TRUE(son->IsSibling(daughter));
    husband->children.Add(CRef<CCharacter>(daughter));
    husband->children.Add(CRef<CCharacter>(son));
    EXPECT_EQ((*husband->children.GetHead()).Get(), son); // sons first
}

TEST_F(CharacterTest, TraitsAttributesLoyaltyAndReligiousQueries)
{
    CCharacter* person = Person();
    person->SetBaseAttributes(CAttributeTuple(3, 4, 5, 6, 7, 8));
    person->AddMartial(2.9f);
    person->AddDiplomacy(-10.5f);
    EXPECT_EQ(person->GetBaseAttributes().Get(CAttributeTuple::MARTIAL), 5);
    EXPECT_EQ(person->GetAttributes().Get(CAttributeTuple::DIPLOMACY), 0); // capped at zero
    person->SetLoyaltyToLiege(1.5f);
    EXPECT_FLOAT_EQ(person->GetLoyaltyToLiege(), 1.0f);
    person->ChangeLoyaltyToLiege(-2.0f);
    EXPECT_FLOAT_EQ(person->GetLoyaltyToLiege(), 0.0f);

    CCharacter* other = Person();
    other->religion = RELIGION_ORTHODOX;
    EXPECT_FALSE(person->IsReligiousEnemy(other));
    other->religion = RELIGION_MUSLIM;
    EXPECT_TRUE(person->IsReligiousEnemy(other));

    EXPECT_TRUE(person->MayHaveMilitaryCommand());
    person->AddTrait(TRAIT_WAR_INVALID);
    EXPECT_FALSE(person->MayHaveMilitaryCommand());
    EXPECT_FALSE(person->CanBecomePriest());
    person->AddTrait(TRAIT_MASTERMIND_THEOLOGIAN);
    EXPECT_TRUE(person->CanBecomePriest());
    person->religion = RELIGION_PAGAN;
    EXPECT_FALSE(person->HasEcclesticalEducation());

    CCharacter anonymous;
    anonymous.Create(kAnonymousSoldierID);
    anonymous.SetMilitaryCommand(reinterpret_cast<CDivision*>(&anonymous));
    EXPECT_FALSE(anonymous.HasMilitaryCommand());
    EXPECT_STREQ(anonymous.GetBriefInfo(), TextStrings.GetString("ANONYMOUS_SOLDIER_DESC"));
}

TEST_F(CharacterTest, CourtRefusesTitledWomenAsMarshalAndTheYoung)
{
    CCharacter* ruler = Ruler(30);
    CCharacter* titled = Person(Realm(30));
    CTitle::GetTitle(31)->SetNewHolder(titled);
    CCharacter* woman = Person(Realm(30));
    woman->gender = GENDER_FEMALE;
    CCharacter* boy = Person(Realm(30));
    boy->birthDate = CDate(0, 0, 1085);
    CCharacter* man = Person(Realm(30));
    man->SetBaseAttributes(CAttributeTuple(9, 4, 5, 6, 0, 0));

    EXPECT_FALSE(titled->CanBeCourtPosition(COURT_MARSHAL));
    EXPECT_TRUE(titled->CanBeCourtPosition(COURT_COURTIER));
    EXPECT_FLOAT_EQ(woman->GetSuitability(COURT_MARSHAL), -1.0f);
    EXPECT_TRUE(woman->CanBeCourtPosition(COURT_STEWARD));
    for (int position = COURT_NONE; position <= COURT_CHAPLAIN; ++position)
        EXPECT_FLOAT_EQ(boy->GetSuitability(static_cast<VLCourtPosition>(position)), -1.0f) << position;
    EXPECT_FLOAT_EQ(man->GetSuitability(COURT_MARSHAL), 9.0f);
    EXPECT_FLOAT_EQ(man->GetSuitability(COURT_CHANCELLOR), 4.0f);
    EXPECT_FLOAT_EQ(man->GetSuitability(COURT_SPYMASTER), 5.0f);
    EXPECT_FLOAT_EQ(man->GetSuitability(COURT_CHAPLAIN), -1.0f); // no priest

    const int32_t before = ruler->courtPosition;
    ruler->SetCourtPosition(COURT_MARSHAL);
    EXPECT_EQ(ruler->courtPosition, before);
    EXPECT_EQ(Realm(30)->courtPositions[2], nullptr);
}

TEST_F(CharacterTest, ANewOfficeHolderReplacesTheOldAndTitlesEndAnOffice)
{
    Ruler(40);
    CCharacter* first = Person(Realm(40));
    CCharacter* second = Person(Realm(40));
    first->SetCourtPosition(COURT_CHANCELLOR);
    EXPECT_EQ(Realm(40)->courtPositions[0], first);
    second->SetCourtPosition(COURT_CHANCELLOR);
    EXPECT_EQ(Realm(40)->courtPositions[0], second);
    EXPECT_EQ(first->courtPosition, COURT_COURTIER);
    second->SetCourtPosition(COURT_STEWARD);
    EXPECT_EQ(Realm(40)->courtPositions[0], nullptr);
    EXPECT_EQ(Realm(40)->courtPositions[1], second);

    CTitle::GetTitle(41)->SetNewHolder(second);
    EXPECT_EQ(Realm(40)->courtPositions[1], nullptr);
    EXPECT_EQ(second->courtPosition, COURT_COURTIER);

    first->SetCourtPosition(COURT_SPYMASTER);
    people[1].reset(); // the destructor clears the office
    EXPECT_EQ(Realm(40)->courtPositions[3], nullptr);
}

TEST_F(CharacterTest, TitleAndRealmNameKeysFollowGovernmentReligionCultureAndGender)
{
    const int turkish = CRZCulture::Which("turkish");
    struct Case {
        int title;
        int government;
        int religion;
        int culture;
        bool female;
        const char* holderKey;
        const char* realmKey;
    };
    const Case cases[] = {
        { 1271, 0, 0, 0, false, "TIER_KING_EMPIRE", "TIER_EMPIRE" },
        { 5, 1, 0, 0, false, "TIER_COUNT_REPUBLIC", "TIER_COUNTY_REPUBLIC" },
        { 1300, 1, 0, 0, true, "TIER_KING_REPUBLIC", "TIER_KINGDOM_REPUBLIC" },
        { 5, 2, 0, 0, false, "TIER_COUNT_ECCLESTICAL", "TIER_COUNTY_ECCLESTICAL" },
        { 1323, 2, 0, 0, false, "TIER_KING_ECCLESTICAL", nullptr },
        { 1300, 2, 0, 0, false, "TIER_DUKE_ECCLESTICAL", nullptr },
        { 1010, 3, 0, 0, false, "TIER_GRANDMASTER", nullptr },
        { 5, 0, RELIGION_MUSLIM, turkish, false, "TIER_COUNT_TURKISH", "TIER_COUNTY_TURKISH" },
        { 1300, 0, RELIGION_MUSLIM, turkish, true, "TIER_KING_TURKISH", "TIER_KINGDOM_TURKISH" },
        { 1300, 0, RELIGION_MUSLIM, 1, false, "TIER_KING", "TIER_KINGDOM" },
        { 1010, 0, RELIGION_MUSLIM, 1, true, "TIER_DUKE_MUSLIM", "TIER_DUCHY_MUSLIM" },
        { 1010, 0, RELIGION_ORTHODOX, 1, true, "TIER_DUCHESS_ORTHODOX", "TIER_DUCHY_ORTHODOX" },
        { 5, 0, RELIGION_PAGAN, 1, true, "TIER_COUNTESS_PAGAN", "TIER_COUNTY_PAGAN" },
        { 1300, 0, RELIGION_PAGAN, 1, false, "TIER_KING", "TIER_KINGDOM_PAGAN" },
        { 1300, 0, RELIGION_CATHOLIC, 1, true, "TIER_QUEEN", "TIER_KINGDOM" },
        { 1010, 0, RELIGION_JEWISH, 1, false, "TIER_DUKE", "TIER_DUCHY" },
        { 5, 4, 0, 0, false, nullptr, nullptr },
    };
    for (const Case& c : cases) {
        const CTitle* title = CTitle::GetTitle(c.title);
        const char* holderKey = title->GetTitleTypeKey(c.government, c.religion, c.culture, c.female);
        const char* realmKey = title->GetCountryNameKey(c.government, c.religion, c.culture);
        EXPECT_STREQ(holderKey, c.holderKey) << c.title << " " << c.government << " " << c.religion;
        EXPECT_STREQ(realmKey, c.realmKey) << c.title << " " << c.government << " " << c.religion;
    }
}

} // namespace

namespace {

TEST_F(CharacterTest, WarValuesOfVacantAndHeldTitlesAndTheUsurpersPrice)
{
    EXPECT_FLOAT_EQ(CTitle::GetTitle(1100)->GetWarValue(), 100.0f);
    EXPECT_FLOAT_EQ(CTitle::GetTitle(1300)->GetWarValue(), 250.0f);
    CCharacter* king = Ruler(1300);
    CTitle::GetTitle(50)->SetNewHolder(king);
    CCharacter* duke = Ruler(1100);
    CTitle::GetTitle(51)->SetNewHolder(duke);
    duke->SetLiegeRuler(king);
    king->CalcVassals();
    EXPECT_FLOAT_EQ(CTitle::GetTitle(1300)->GetWarValue(), 25.0f * 4.0f);
    EXPECT_FLOAT_EQ(CTitle::GetTitle(1300)->GetPrestigeValue(), 100.0f);
    EXPECT_FLOAT_EQ(CTitle::GetTitle(1300)->GetCreateBishopryPietyValue(), 500.0f);
    EXPECT_FLOAT_EQ(CTitle::GetTitle(1300)->GetPrestigeUsurpCost(), -100.0f);
    king->AddTrait(TRAIT_EXCOMMUNICATED);
    EXPECT_FLOAT_EQ(CTitle::GetTitle(1300)->GetPrestigeUsurpCost(), -10.0f);
    EXPECT_FLOAT_EQ(CTitle::GetTitle(1100)->GetWarValue(), 50.0f);
}

TEST_F(CharacterTest, AGrantedCountyPassesItsProvincesControlWithoutCountingAsAConquest)
{
    CCharacter* giver = Ruler(60);
    CCharacter* taker = Ruler(61);
    CProvince province;
    province.number = 60;
    province.terrain = TERRAIN_PLAINS;
    CProvince::_pProvince[60] = &province;
    province.SetController(60);
    province.lastControllerChange = CDate(1, 1, 1090);
    CTitle::GetTitle(60)->SetNewHolder(giver);

    CTitle::GetTitle(60)->SetNewHolder(taker);
    EXPECT_EQ(province.GetControllerID(), 61);
    EXPECT_EQ(province.lastControllerChange, CDate(1, 1, 1090));
    EXPECT_TRUE(taker->GetOwnedProvinces().Contains(60));
    EXPECT_FALSE(giver->GetOwnedProvinces().Contains(60));

    EXPECT_FLOAT_EQ(CTitle::GetTitle(60)->GetWarValue(), province.GetWarValue());
    EXPECT_FLOAT_EQ(CTitle::GetTitle(61)->GetWarValue(), 0.0f); // no province there

    // Held by someone else, the province stays where it is.
    Realm(62);
    province.SetController(62);
    CTitle::GetTitle(60)->SetNewHolder(giver);
    EXPECT_EQ(province.GetControllerID(), 62);
    province.SetController(0); // the realm's land area goes with its last province
    CProvince::_pProvince[60] = nullptr;
}

} // namespace

namespace {

TEST_F(CharacterTest, ARealmsTitlesSettleUnderItsDuchiesAndKingdoms)
{
    // Province -> (duchy, kingdom) of this realm's counties.
    static const std::map<int, std::pair<int, int>> kLand {
        { 10, { 1100, 1301 } },
        { 11, { 1102, 1301 } },
        { 12, { 1101, 1300 } },
        { 13, { 1102, 1302 } },
        { 14, { 1100, 1301 } },
    };
    gCharacterHooks.GetProvinceTitleRealm = [](int32_t province, int which) -> int32_t {
        const auto found = kLand.find(province);
        return found == kLand.end() ? 0 : which == 0 ? found->second.first : found->second.second;
    };
    auto list = [](std::initializer_list<int> ids) {
        CList<CTitle*> titles;
        for (int id : ids)
            titles.Append(CTitle::GetTitle(id));
        return titles;
    };
    auto liegeOf = [](int id) {
        const CTitle* liege = CTitle::GetTitle(id)->GetOwnLiege();
        return liege != nullptr ? liege->GetCountryID() : 0;
    };

    CTitle::ExpandInternalVassalLiegeRelations(
        CTitle::GetTitle(1300), list({ 1300, 1301, 1100, 1101, 1103, 10, 11, 12, 13, 14 }));
    const std::pair<int, int> expected[] = {
        { 10, 1100 }, // its own duchy
        { 14, 1100 },
        { 12, 1101 },
        { 11, 1301 }, // its duchy is not the realm's: its kingdom
        { 13, 1300 }, // neither: the top kingdom
        { 1100, 1301 }, // where both of its counties lie
        { 1101, 1300 },
        { 1103, 1300 }, // no vassals anywhere: the top kingdom
        { 1300, 0 },
    };
    for (const auto& [title, liege] : expected)
        EXPECT_EQ(liegeOf(title), liege) << title;

    // Under a duchy, counties of other duchies go to the top; without a duchy or kingdom nothing moves.
    CTitle::ExpandInternalVassalLiegeRelations(CTitle::GetTitle(1101), list({ 1101, 11, 13 }));
    EXPECT_EQ(liegeOf(11), 1101);
    EXPECT_EQ(liegeOf(13), 1101);
    CTitle::ExpandInternalVassalLiegeRelations(CTitle::GetTitle(12), list({ 12, 10 }));
    EXPECT_EQ(liegeOf(10), 1100);
}

TEST_F(CharacterTest, TheGrabbersPriceFollowsWhoPlaysHimExcommunicationAndRivalry)
{
    static int32_t difficulty = 0, aggressiveness = 0;
    gCharacterHooks.GetDifficultyModifier = [](const CRZCountry*) { return difficulty; };
    gCharacterHooks.GetAiAggressiveness = []() { return aggressiveness; };
    CCharacter* holder = Ruler(1100);
    CCharacter* grabber = Ruler(70);
    const CTitle* duchy = CTitle::GetTitle(1100);
    const float value = duchy->GetWarValue();
    ASSERT_GT(value, 0.0f);

    struct Case {
        int32_t control, difficulty, aggressiveness;
        bool excommunicated, catholic, rival;
        float factor;
    };
    const Case cases[] = {
        { 0, 0, 0, false, true, false, 40.0f },
        { 0, 0, 1, false, true, false, 20.0f },
        { 0, 0, 2, false, true, false, 10.0f },
        { 0, 0, 3, false, true, false, 5.0f },
        { 0, 0, 4, false, true, false, 3.0f },
        { CONTROL_LOCAL_PLAYER, -2, 0, false, true, false, 1.0f },
        { CONTROL_LOCAL_PLAYER, -1, 0, false, true, false, 3.0f },
        { CONTROL_NETWORK_PLAYER, 0, 0, false, true, false, 5.0f },
        { CONTROL_LOCAL_PLAYER, 1, 0, false, true, false, 10.0f },
        { CONTROL_LOCAL_PLAYER, 2, 0, false, true, false, 20.0f },
        { 0, 0, 3, true, true, false, 0.5f },
        { 0, 0, 3, true, false, false, 5.0f }, // only a catholic grabber pays less
        { 0, 0, 3, false, true, true, 2.5f },
        { 0, 0, 3, true, true, true, 0.25f },
    };
    for (const Case& c : cases) {
        gCountryControl[70] = c.control;
        difficulty = c.difficulty;
        aggressiveness = c.aggressiveness;
        if (c.excommunicated)
            holder->AddTrait(TRAIT_EXCOMMUNICATED);
        else
            holder->RemoveTrait(TRAIT_EXCOMMUNICATED);
        grabber->religion = c.catholic ? RELIGION_CATHOLIC : RELIGION_ORTHODOX;
        if (c.rival)
            grabber->CreateRelation(holder, RELATION_RIVAL);
        else if (grabber->HasRivalry(holder))
            grabber->LoseRival(holder);
        EXPECT_FLOAT_EQ(duchy->GetPrestigeGrabCost(Realm(70)), c.factor * value)
            << c.control << " " << c.difficulty << " " << c.aggressiveness << " " << c.excommunicated
            << c.rival;
    }
    gCountryControl[70] = 0;
}

TEST_F(CharacterTest, EventsChangeCourtRealmFriendsRivalsAndReligion)
{
    Ruler(80);
    CCharacter* courtier = Person(Realm(80));
    CCharacter* other = Person(Realm(80));
    const CRZID self = courtier->GetID();

    CRZChangeCourtPosEvent court(_CRZEVT_CHANGE_COURT_POS_, self, self, COURT_STEWARD);
    EXPECT_EQ(courtier->Update(&court), 0);
    EXPECT_EQ(Realm(80)->courtPositions[1], courtier);
    CRZChangeCourtPosEvent nonsense(_CRZEVT_CHANGE_COURT_POS_, self, self, 4000);
    courtier->Update(&nonsense);
    EXPECT_EQ(courtier->courtPosition, COURT_STEWARD);
    // A type sent with too short a record is no change.
    CRZGenericEvent shortRecord(_CRZEVT_CHANGE_COURT_POS_, self);
    courtier->Update(&shortRecord);
    EXPECT_EQ(courtier->courtPosition, COURT_STEWARD);

    CRZCharacterCharacterEvent befriend(_CRZEVT_UNNAMED_380_, self, self, other->GetID());
    courtier->Update(&befriend);
    EXPECT_TRUE(courtier->HasFriendship(other));
    EXPECT_TRUE(other->friends.Contains(courtier));
    CRZCharacterCharacterEvent unfriend(_CRZEVT_UNNAMED_381_, self, self, other->GetID());
    courtier->Update(&unfriend);
    EXPECT_FALSE(courtier->HasFriendship(other));
    EXPECT_FALSE(other->friends.Contains(courtier));
    CRZCharacterCharacterEvent rival(_CRZEVT_UNNAMED_382_, self, other->GetID(), self);
    courtier->Update(&rival);
    EXPECT_TRUE(other->HasRivalry(courtier));
    CRZCharacterCharacterEvent reconcile(_CRZEVT_UNNAMED_383_, self, self, other->GetID());
    courtier->Update(&reconcile);
    EXPECT_FALSE(courtier->rivals.Contains(other));
    CRZCharacterCharacterEvent nobody(_CRZEVT_UNNAMED_380_, self, self, CRZID(RZTYPE_CHARACTER, 5000));
    courtier->Update(&nobody);
    EXPECT_TRUE(courtier->friends.IsEmpty());

    CRZCharacterReligionEvent convert(
        _CRZEVT_SET_CHAR_RELIGION_, self, self, static_cast<RZReligionType>(RELIGION_PAGAN));
    courtier->Update(&convert);
    EXPECT_EQ(courtier->religion, RELIGION_PAGAN);
    CRZCharacterReligionEvent bad(_CRZEVT_SET_CHAR_RELIGION_, self, self, static_cast<RZReligionType>(77));
    courtier->Update(&bad);
    EXPECT_EQ(courtier->religion, RELIGION_PAGAN);

    CRZCountryEvent move(_CRZEVT_CHANGE_COUNTRY_, self, 81, false);
    courtier->Update(&move);
    EXPECT_EQ(courtier->realmId, 0 + 80); // no realm 81 yet: he stays
    Realm(81);
    courtier->Update(&move);
    EXPECT_EQ(courtier->realmId, 81);
    EXPECT_EQ(Realm(80)->courtPositions[1], nullptr);
}

} // namespace
