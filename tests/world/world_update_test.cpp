// The daily and monthly world update: relation flags and lists, wars and relative army power, the
// consistency checks, the host's clean-up of empty divisions, ranks, manpower up the liege chains,
// the marriage pool, realm neighbours and the pruning of long-dead characters.
#include <gtest/gtest.h>

#include <string>

#include "datalang/script_text.h"
#include "events/generic_events.h"
#include "world_fakes.h"

#include "foundation/safeguards.h"

using namespace worldfakes;

namespace {

class WorldUpdateTest : public WorldTest {
protected:
    void Day()
    {
        CRZTimerEvent day(_CRZEVT_TIMER_DAY_, ALLID, gpTimer->GetDate());
        gGlobal.Update(&day);
    }
    void Month()
    {
        CRZTimerEvent month(_CRZEVT_TIMER_MONTH_, ALLID, gpTimer->GetDate());
        gGlobal.Update(&month);
    }
};

TEST_F(WorldUpdateTest, TruceSetsBothRealmsFlagsNextDayAndAnEndedOneStaysOnRecord)
{
    CRZCountry* r5 = Realm(5);
    CRZCountry* r9 = Realm(9);
    CCharacter* a = Ruler(r5);
    CCharacter* b = Ruler(r9);
    CRelation* truce = Relate(RELATION_TRUCE, a, b);
    r5->truceFlags[100] = 1; // stale flags of yesterday go

    Day();
    EXPECT_EQ(r5->truceFlags[9], 1);
    EXPECT_EQ(r9->truceFlags[5], 1);
    EXPECT_EQ(r5->truceFlags[100], 0);
    EXPECT_EQ(r5->allianceFlags[9], 0);

    truce->Terminate();
    Day();
    EXPECT_EQ(r5->truceFlags[9], 0);
    EXPECT_EQ(r9->truceFlags[5], 0);
    EXPECT_TRUE(CRelations::GetInstance()->Contains(truce));
    EXPECT_TRUE(a->relations.Contains(truce));
    EXPECT_TRUE(b->relations.Contains(truce));
}

TEST_F(WorldUpdateTest, ATruceThatLapsedWithItsGroundsIsInForceAgainWhenTheyReturn)
{
    CRZCountry* r5 = Realm(5);
    CRZCountry* r9 = Realm(9);
    CCharacter* a = Ruler(r5);
    CCharacter* b = Ruler(r9);
    TitleOf(a);
    CTitle* title = TitleOf(b);
    CRelation* truce = Relate(RELATION_TRUCE, a, b);
    title->SetNewHolder(nullptr); // an untitled party holds no truce
    Day();
    EXPECT_EQ(r5->truceFlags[9], 0);
    ASSERT_TRUE(CRelations::GetInstance()->Contains(truce));

    title->SetNewHolder(b);
    Day();
    EXPECT_EQ(r5->truceFlags[9], 1);
    EXPECT_EQ(r9->truceFlags[5], 1);
}

TEST_F(WorldUpdateTest, ACharacterDestroyedBeforeHisRelationLeavesItWithoutThatSideAndTheTruceLapses)
{
    CRZCountry* r5 = Realm(5);
    CCharacter* a = Ruler(r5);
    CCharacter* b = Ruler(Realm(9));
    CRelation* truce = Relate(RELATION_TRUCE, a, b);
    ASSERT_TRUE(b->relations.Contains(truce));
    CTitle::GetTitle(b->GetPrimaryTitle()->GetCountryID())->SetNewHolder(nullptr);
    server.Remove(b);
    characters.back().reset();

    EXPECT_EQ(truce->GetSecondary(), nullptr);
    EXPECT_FALSE(truce->IsActive());
    Day();
    EXPECT_EQ(r5->truceFlags[9], 0);
    EXPECT_TRUE(CRelations::GetInstance()->Contains(truce));
    EXPECT_TRUE(a->relations.Contains(truce));
}

TEST_F(WorldUpdateTest, RelationsRefillTheCharactersListsAndEndedMarriagesStay)
{
    CRZCountry* r1 = Realm(1);
    CRZCountry* r2 = Realm(2);
    CCharacter* a = Ruler(r1);
    CCharacter* b = Ruler(r2);
    CCharacter* c = Character(r1);
    Relate(RELATION_ALLIANCE, a, b);
    CRelation* friendship = Relate(RELATION_FRIEND, a, c);
    Relate(RELATION_RIVAL, b, c);
    CRelation* marriage = Relate(RELATION_MARRIAGE, a, c);
    marriage->Terminate();

    Day();
    Day(); // refilled, not doubled
    EXPECT_EQ(r1->allianceFlags[2], 1);
    EXPECT_EQ(r2->allianceFlags[1], 1);
    EXPECT_EQ(a->allies.GetSize(), 1);
    EXPECT_EQ(*a->allies.GetHead(), b);
    EXPECT_EQ(*b->allies.GetHead(), a);
    EXPECT_EQ(*a->friends.GetHead(), c);
    EXPECT_EQ(*c->friends.GetHead(), a);
    EXPECT_EQ(*b->rivals.GetHead(), c);
    EXPECT_EQ(*c->rivals.GetHead(), b);
    EXPECT_TRUE(CRelations::GetInstance()->Contains(marriage));

    // A list filled on one day and not the next is empty then.
    friendship->Terminate();
    Day();
    EXPECT_TRUE(a->friends.IsEmpty());
    EXPECT_TRUE(c->friends.IsEmpty());
    EXPECT_EQ(*c->rivals.GetHead(), b);
}

TEST_F(WorldUpdateTest, RelativeArmyPowerFollowsTheWorkedExample)
{
    CRZCountry* realmA = Realm(10, 100.0f);
    CRZCountry* realmB = Realm(11, 30.0f);
    CRZCountry* realmC = Realm(12, 200.0f);
    Realm(13, 55.0f); // at peace: keeps its whole army
    CCharacter* a = Ruler(realmA);
    CCharacter* b = Ruler(realmB);
    CCharacter* c = Ruler(realmC);
    a->religion = 1;
    b->religion = 2;
    c->religion = 3;
    War(a, b);
    War(c, a);

    gGlobal.RefreshWars();
    EXPECT_EQ(gGlobal.warCount[10], 2);
    EXPECT_EQ(gGlobal.warCount[11], 1);
    EXPECT_EQ(gGlobal.warCount[12], 1);
    EXPECT_FLOAT_EQ(gGlobal.GetRelativeArmyPower(10), 20.0f);
    EXPECT_FLOAT_EQ(gGlobal.GetRelativeArmyPower(11), 0.0f);
    EXPECT_FLOAT_EQ(gGlobal.GetRelativeArmyPower(12), 150.0f);
    EXPECT_FLOAT_EQ(gGlobal.GetRelativeArmyPower(13), 55.0f);
    EXPECT_EQ(gGlobal.GetRelativeArmyPower(-1), 0.0f);
    EXPECT_EQ(realmA->atWar, 1);
    EXPECT_EQ(realmA->atWarWith[11], 1);
    EXPECT_EQ(realmB->atWarWith[10], 1);
    EXPECT_EQ(realmA->atWarWith[12], 1);
    EXPECT_EQ(realmA->atWarWithReligion[2], 1u);
    EXPECT_EQ(realmA->atWarWithReligion[3], 1u);
    EXPECT_EQ(realmB->atWarWithReligion[1], 1u);
    EXPECT_EQ(realmB->atWarWithReligion[3], 0u);
}

TEST_F(WorldUpdateTest, AWarThatIsNoLongerValidIsDroppedAndItsFlagsCleared)
{
    CRZCountry* realmA = Realm(20, 10.0f);
    CRZCountry* realmB = Realm(21, 10.0f);
    CCharacter* a = Ruler(realmA);
    CCharacter* b = Ruler(realmB);
    War(a, b);
    gGlobal.RefreshWars();
    ASSERT_EQ(realmA->atWarWith[21], 1);

    b->realmId = realmA->index; // both leaders now in one realm
    gGlobal.RefreshWars();
    EXPECT_TRUE(gGlobal.wars.IsEmpty());
    EXPECT_EQ(realmA->atWarWith[21], 0);
    EXPECT_EQ(realmA->atWar, 0);
    EXPECT_FLOAT_EQ(gGlobal.GetRelativeArmyPower(20), 10.0f);
}

TEST_F(WorldUpdateTest, JanitorRemovesDivisionsWithoutMenOnTheHostOnly)
{
    CRZCountry* realm = Realm(30);
    CRZUnit* army = Army(realm);
    CDivision* empty = Division(army, 0);
    CDivision* manned = Division(army, 1);
    const DynamicID emptyId = empty->GetID();
    CCharacter* leader = Character(realm);
    empty->SetLeader(leader);
    leader->militaryCommand = empty;

    CFakeSession client;
    SetEventSession(&client);
    gGlobal.Janitor();
    EXPECT_EQ(army->divisions.GetSize(), 2);

    SetEventSession(nullptr);
    Forget(empty);
    Day();
    EXPECT_EQ(CRZDynamicObject::GetObjectFromID(emptyId), nullptr) << "the realm destroyed it";
    EXPECT_EQ(leader->militaryCommand, nullptr);
    EXPECT_EQ(realm->GetUnit(army->GetID()), army);
    EXPECT_EQ(realm->GetUnit(emptyId), nullptr);
    EXPECT_EQ(army->divisions.GetSize(), 1);
    EXPECT_EQ(*army->divisions.GetHead(), manned);
}

TEST_F(WorldUpdateTest, RanksAreSortedDescendingWithTiesByRealmIndex)
{
    // Ten a province and a vassal realm, and the ruler's prestige and piety.
    CCharacter* three = Ruler(Realm(3));
    three->score = CSimpleScore(50.0f, 3.0f, 2.0f);
    CRZCountry* realm7 = Realm(7);
    CCharacter* seven = Ruler(realm7);
    Province(200, realm7, 0.0f);
    Vassal(Ruler(Realm(8)), seven);
    CCharacter* four = Ruler(Realm(4));
    four->score = CSimpleScore(0.0f, 0.0f, 5.0f);
    Ruler(Realm(kNobodyCountry))->score = CSimpleScore(0.0f, 100.0f, 0.0f); // not a real country

    gGlobal.CalcRanks();
    EXPECT_EQ(gGlobal.rankTable[0].country, 7);
    EXPECT_FLOAT_EQ(gGlobal.rankTable[0].score, 20.0f);
    EXPECT_EQ(gGlobal.rankTable[1].country, 3);
    EXPECT_EQ(gGlobal.rankTable[2].country, 4);
    EXPECT_FLOAT_EQ(gGlobal.rankTable[2].score, 5.0f);
    EXPECT_EQ(gGlobal.rankTable[3].country, 8);
    EXPECT_FLOAT_EQ(gGlobal.rankTable[4].score, -1.0f);
    for (int i = 1; i < static_cast<int>(kCountryTableSlots); ++i)
        EXPECT_GE(gGlobal.rankTable[i - 1].score, gGlobal.rankTable[i].score) << i;
    EXPECT_EQ(gGlobal.rankTable[4].country, 0); // the unranked follow in index order
}

TEST_F(WorldUpdateTest, ManpowerClimbsTheLiegeChainAndVassalsShareTheirHeadsSum)
{
    CRZCountry* county = Realm(40);
    CRZCountry* duchy = Realm(1040);
    CRZCountry* kingdom = Realm(1300);
    CCharacter* count = Ruler(county);
    CCharacter* duke = Ruler(duchy);
    CCharacter* king = Ruler(kingdom);
    Vassal(count, duke);
    Vassal(duke, king);
    Province(0, county, 100.0f);
    Province(1, duchy, 10.0f);
    Province(1003, kingdom, 1.0f);

    Month();
    EXPECT_FLOAT_EQ(county->manpowerSum, 100.0f);
    EXPECT_FLOAT_EQ(duchy->manpowerSum, 110.0f);
    EXPECT_FLOAT_EQ(kingdom->manpowerSum, 111.0f);
    EXPECT_FLOAT_EQ(kingdom->realmManpowerSum, 111.0f);
    EXPECT_FLOAT_EQ(county->realmManpowerSum, 111.0f);
    EXPECT_FLOAT_EQ(duchy->realmManpowerSum, 111.0f);
}

TEST_F(WorldUpdateTest, ALiegeCycleInACorruptSaveEndsWithEachRealmCreditedOnce)
{
    CRZCountry* realmA = Realm(50);
    CRZCountry* realmB = Realm(51);
    CRZCountry* realmC = Realm(52);
    CCharacter* a = Ruler(realmA);
    CCharacter* b = Ruler(realmB);
    CCharacter* c = Ruler(realmC);
    // Lieges of titles never cycle, but rulers can: a holds a second title under which b's sits.
    Vassal(a, b);
    CTitle::GetTitle(60)->SetNewHolder(a);
    TitleOf(b)->SetLiege(CTitle::GetTitle(60));
    Vassal(c, a); // a chain that runs into the cycle
    ASSERT_EQ(a->GetLiegeRuler(), b);
    ASSERT_EQ(b->GetLiegeRuler(), a);
    Province(5, realmA, 7.0f);
    Province(6, realmC, 3.0f);

    gGlobal.HandleMonthlyUpdate();
    EXPECT_FLOAT_EQ(realmA->manpowerSum, 10.0f);
    EXPECT_FLOAT_EQ(realmB->manpowerSum, 10.0f);
    EXPECT_FLOAT_EQ(realmC->manpowerSum, 3.0f);
}

TEST_F(WorldUpdateTest, MarriagePoolTakesUnmarriedAdultWomenOfRealRealmsAndLoyaltyMoves)
{
    CRZCountry* realm = Realm(60);
    CCharacter* widow = Character(realm);
    widow->gender = 1;
    {
        CCharacter gone; // the husband is dead and gone
        Relate(RELATION_MARRIAGE, widow, &gone);
    }
    CCharacter* wife = Character(realm);
    wife->gender = 1;
    CCharacter* husband = Character(realm);
    Relate(RELATION_MARRIAGE, wife, husband);
    CCharacter* girl = Character(realm);
    girl->gender = 1;
    girl->birthDate = CDate(0, 0, 1090);
    CCharacter* stateless = Character(Realm(kNobodyCountry));
    stateless->gender = 1;
    CCharacter* ruler = Ruler(realm);
    Relate(RELATION_RIVAL, husband, ruler); // loyalty to a rival falls

    gGlobal.BuildLiveChars();
    gGlobal.HandleDailyUpdate(); // the day refills the rivals the month reads
    EXPECT_EQ(gGlobal.GetLiveCharCount(), 6);
    EXPECT_EQ(gGlobal.livingWomenCount, 4);
    gGlobal.HandleMonthlyUpdate();
    ASSERT_EQ(gGlobal.marriagePool.GetSize(), 1);
    EXPECT_EQ(*gGlobal.marriagePool.GetHead(), widow);
    // Both feel half the scutage (+0.005) and a liege court of no diplomacy (-0.05); he his rivalry too.
    EXPECT_FLOAT_EQ(husband->GetLoyaltyToLiege(), 0.925f);
    EXPECT_FLOAT_EQ(wife->GetLoyaltyToLiege(), 0.955f);
}

TEST_F(WorldUpdateTest, LiveCharactersLeaveOutTheDeadAndAnonymousAndGrowPastTheTable)
{
    Kill(Character());
    CCharacter* anonymous = Character();
    anonymous->Create(kAnonymousSoldierID);
    CCharacter* living = Ruler(Realm(1));
    CCharacter* vassal = Ruler(Realm(2));
    Vassal(vassal, living);
    gGlobal.BuildLiveChars();
    ASSERT_EQ(gGlobal.GetLiveCharCount(), 2);
    EXPECT_EQ(gGlobal.GetLiveChar(0), living);
    EXPECT_EQ(gGlobal.GetLiveChar(2), nullptr);
    EXPECT_EQ(gGlobal.GetLiveChar(-1), nullptr);
    ASSERT_EQ(living->GetVassals().GetSize(), 1); // counted for the day
    EXPECT_EQ((*living->GetVassals().GetHead()).Get(), vassal);

    while (gGlobal.GetLiveCharCount() <= kLiveCharacterCapacity) {
        for (int i = 0; i < 1000; ++i)
            Character();
        gGlobal.BuildLiveChars();
    }
    EXPECT_EQ(gGlobal.GetLiveCharCount(), static_cast<int>(characters.size()) - 2);
    CRZCheats::_isParanoia = 1;
    EXPECT_EQ(FatalMessageOf([] { gGlobal.Paranoia(); }), "Too many characters are alive!");
}

TEST_F(WorldUpdateTest, LiveTableCarriedOverDaysMatchesAWalkOfEveryCharacter)
{
    using Table = std::vector<CCharacter*>;
    auto table = [] {
        Table live;
        for (int i = 0; i < gGlobal.GetLiveCharCount(); ++i)
            live.push_back(gGlobal.GetLiveChar(i));
        return live;
    };
    CCharacter* a = Character();
    CCharacter* b = Character();
    CCharacter* c = Character();
    gGlobal.BuildLiveChars();

    Kill(b);
    CCharacter* d = Character();
    d->gender = 1;
    gGlobal.BuildLiveChars();
    EXPECT_EQ(table(), (Table { a, c, d }));
    EXPECT_EQ(gGlobal.livingWomenCount, 1);

    // On the host a posted death leaves the table at once; a death then applied with a date ahead is
    // undone at the next look, for him as for anyone.
    c->MarkDeathPosted();
    gGlobal.BuildLiveChars();
    EXPECT_EQ(table(), (Table { a, d }));
    CDate ahead = gpTimer->GetDate();
    ahead.AddDays(3);
    c->Die(ahead);
    gGlobal.BuildLiveChars();
    EXPECT_EQ(c->deathDate, CDate());
    EXPECT_EQ(table(), (Table { a, d }));

    // A date set back before a death (a game loaded in the same process) brings him back in list order.
    const CDate today = gpTimer->GetDate();
    CDate before = today;
    before.AddDays(-2);
    gpTimer->SetDate(before);
    gGlobal.BuildLiveChars();
    EXPECT_EQ(table(), (Table { a, b, d }));
    gpTimer->SetDate(today);

    server.Remove(server.Find(a));
    gGlobal.BuildLiveChars();
    EXPECT_EQ(table(), (Table { b, d }));
    EXPECT_EQ(gGlobal.livingWomenCount, 1);
}

TEST_F(WorldUpdateTest, ParanoiaStopsOnEachInconsistency)
{
    CRZCheats::_isParanoia = 1;
    CRZCountry* realm = Realm(70);
    CCharacter* ruler = Ruler(realm);
    EXPECT_EQ(FatalMessageOf([] { gGlobal.Paranoia(); }), "");

    ruler->courtPosition = 2;
    EXPECT_EQ(FatalMessageOf([] { gGlobal.Paranoia(); }), "Ruler character id(10, 1) has a court position!");
    ruler->courtPosition = 0;

    CCharacter* king = Character();
    CCharacter* otherKing = Character();
    Vassal(ruler, king);
    EXPECT_EQ(FatalMessageOf([] { gGlobal.Paranoia(); }), "");
    CTitle* secondCounty = CTitle::GetTitle(71);
    secondCounty->SetNewHolder(ruler);
    secondCounty->SetLiege(TitleOf(otherKing));
    EXPECT_EQ(FatalMessageOf([] { gGlobal.Paranoia(); }), "Ruler character id(10, 1) has multiple lieges!");
    secondCounty->SetNewHolder(nullptr);

    CRZUnit* army = Army(realm);
    CDivision* division = Division(army, 100);
    division->SetLeader(king);
    const std::string mismatch = FatalMessageOf([] { gGlobal.Paranoia(); });
    EXPECT_NE(mismatch.find("Character id(10, 2) mismatch"), std::string::npos) << mismatch;
    king->militaryCommand = division;
    EXPECT_EQ(FatalMessageOf([] { gGlobal.Paranoia(); }), "");

    Kill(king);
    EXPECT_EQ(FatalMessageOf([] { gGlobal.Paranoia(); }), "Dead character id(10, 2) commands a regiment!");

    CRZCheats::_isParanoia = 0;
    EXPECT_EQ(FatalMessageOf([] { gGlobal.Paranoia(); }), "");
}

TEST_F(WorldUpdateTest, NeighbouringRealmsMakeTheirHeadsNeighboursOnce)
{
    CRZCountry* kingdomA = Realm(1300);
    CRZCountry* kingdomB = Realm(1301);
    CRZCountry* vassalA = Realm(80);
    CRZCountry* vassalB = Realm(81);
    Ruler(kingdomA);
    Ruler(kingdomB);
    Vassal(Ruler(vassalA), kingdomA->ruler);
    Vassal(Ruler(vassalB), kingdomB->ruler);
    // 10 (vassal A) borders 11 (vassal B) and 12 (its own king).
    CProvince* a = Province(10, vassalA, 0.0f);
    CProvince* b = Province(11, vassalB, 0.0f);
    CProvince* king = Province(12, kingdomA, 0.0f);
    a->AddNeighbor({ 11, 0, 0 });
    a->AddNeighbor({ 12, 0, 0 });
    b->AddNeighbor({ 10, 0, 0 });
    king->AddNeighbor({ 10, 0, 0 });

    gGlobal.DetermineRealmNeighbours();
    gGlobal.DetermineRealmNeighbours();
    EXPECT_EQ(vassalA->neighbourFlags[81], 1);
    EXPECT_EQ(kingdomA->neighbourFlags[80], 1);
    EXPECT_FLOAT_EQ(vassalA->borderShares[81], 0.5f);
    // The king's own knowledge names his vassal; the realms' heads are added once.
    ASSERT_EQ(kingdomA->neighbours.GetSize(), 2);
    EXPECT_EQ(*kingdomA->neighbours.GetHead(), 80);
    EXPECT_EQ(*kingdomA->neighbours.GetTail(), 1301);
    ASSERT_EQ(kingdomB->neighbours.GetSize(), 1);
    EXPECT_EQ(*kingdomB->neighbours.GetHead(), 1300);
    EXPECT_EQ(vassalA->neighbours.GetSize(), 2) << "its own knowledge: each foreign owner once";
}

TEST_F(WorldUpdateTest, CharactersDeadForMoreThan360DaysWithNothingLeftArePruned)
{
    const CDate today = gpTimer->GetDate();
    auto deadSince = [&](int days) {
        CCharacter* character = Character();
        character->deathDate.ConvertFromDays(today.GetDays() - days);
        return character;
    };
    CCharacter* exactly360 = deadSince(360);
    CCharacter* pruned = deadSince(361);
    CCharacter* withParent = deadSince(400);
    withParent->father = exactly360->GetID();
    CCharacter* withClaimsOrSpouse = deadSince(400);
    withClaimsOrSpouse->spouses.Append(CRef<CCharacter>(CRZID(RZTYPE_CHARACTER, 12345)));
    // The pruned character sits in a living one's lists, which must not keep him.
    CCharacter* living = Character();
    for (CRelationType type : { RELATION_ALLIANCE, RELATION_FRIEND, RELATION_RIVAL })
        pruned->CreateRelation(living, type);
    living->enemies.Append(pruned);
    pruned->enemies.Append(living);
    const CRZID prunedId = pruned->GetID();
    ASSERT_EQ(characters[1].get(), pruned);
    (void)characters[1].release(); // the prune deletes it

    gGlobal.PruneCharacters();
    EXPECT_EQ(server.GetSize(), 4);
    EXPECT_TRUE(living->allies.IsEmpty());
    EXPECT_TRUE(living->friends.IsEmpty());
    EXPECT_TRUE(living->rivals.IsEmpty());
    EXPECT_TRUE(living->enemies.IsEmpty());
    for (auto it = living->relations.GetHead(); !it.IsEnd(); it++)
        EXPECT_EQ((*it)->GetPrimary(), nullptr);
    Day(); // the relation pass walks what is left without touching him
    EXPECT_EQ(CIdentity::GetObjectFromID(prunedId), nullptr);
    EXPECT_TRUE(server.Contains(exactly360));
    EXPECT_TRUE(server.Contains(withParent));
    EXPECT_TRUE(server.Contains(withClaimsOrSpouse));
    EXPECT_FALSE(server.IsLocked());
}

} // namespace
