// The daily and monthly world update of the global game state: the tables derived from characters,
// relations, wars and armies, the consistency checks, the clean-up of empty divisions, the ranking, the
// marriage pool, loyalty, manpower and realm neighbourhood, and the pruning of long-dead characters.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "armies/division.h"
#include "armies/unit.h"
#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/loyalty_month.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "events/event_hooks.h"
#include "events/game_clock.h"
#include "foundation/fatal_error.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/war.h"
#include "world/cheats.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kSlots = static_cast<int>(kCountryTableSlots);

// A realm whose index points outside the table gets no flags: its index would write past them.
bool InTable(const CRZCountry* realm)
{
    return realm != nullptr && realm->index >= 0 && realm->index < kSlots;
}

bool IsReligion(int32_t religion)
{
    return religion >= 0 && religion < kReligionCount;
}

// Calls f for every realm of the table.
template <class F> void ForEachRealm(F f)
{
    for (int i = 0; i < kSlots; ++i) {
        if (CRZCountry* realm = CRZCountry::_pCountry[i])
            f(realm);
    }
}

// Calls f for every real country of the table.
template <class F> void ForEachRealCountry(F f)
{
    for (int i = 0; i < kSlots; ++i) {
        CRZCountry* realm = CRZCountry::_pCountry[i];
        if (realm != nullptr && CRZCountry::IsRealCountry(i))
            f(realm);
    }
}

// Calls f for every division of every army of the realm.
template <class F> void ForEachDivision(CRZCountry* realm, F f)
{
    for (auto army = realm->armies.GetHead(); !army.IsEnd(); army++) {
        for (auto division = (*army)->divisions.GetHead(); !division.IsEnd(); division++)
            f(*division);
    }
}

CRZCountry* RealmOf(const CCharacter* character)
{
    if (character == nullptr)
        return nullptr;
    CRZCountry* realm = character->GetCountry();
    return InTable(realm) ? realm : nullptr;
}

// Sets the pair of flags of two realms for each other.
void SetPairFlag(
    uint8_t (CRZCountry::*flags)[kCountryTableSlots], CRZCountry* a, CRZCountry* b, uint8_t value)
{
    (a->*flags)[b->index] = value;
    (b->*flags)[a->index] = value;
}

// The holder of the title's own liege: a ruler's titles each answer for themselves here.
CCharacter* HolderOfLiege(const CTitle* title)
{
    const CTitle* liege = title ? title->GetOwnLiege() : nullptr;
    return liege ? liege->GetCurrentHolder() : nullptr;
}

void AddNeighbour(CRZCountry* realm, int32_t index)
{
    if (!realm->neighbours.Contains(index))
        realm->neighbours.Append(index);
}

// The daily walks visit tens of thousands of objects scattered over the heap and wait on memory more
// than they compute: the object kFar entries ahead is fetched while one is worked on.
constexpr std::size_t kFar = 12;

} // namespace

void CRZGlobal::BuildLiveChars()
{
    // Refilled by the relation pass that follows: their nodes are kept for it.
    for (const CRZID& id : listedByRelations) {
        if (CCharacter* character = CRef<CCharacter>(id).Get()) {
            character->allies.RemoveAllKeepingNodes();
            character->friends.RemoveAllKeepingNodes();
            character->rivals.RemoveAllKeepingNodes();
        }
    }
    listedByRelations.clear();
    livingWomenCount = 0;
    if (characterServer == nullptr) {
        CCharacter::_maybeDead.clear();
        liveChars.clear();
        liveCharCount = 0;
        liveBasis = CLiveBasis {};
        return;
    }
    const std::vector<CCharacter*>& everyone = characterServer->GetOrder();
    const std::size_t count = everyone.size();
    // Looking at every character each day is a wait on memory per character for the few who died. While
    // the date only moves on, the list is only appended to, the machine keeps its role and no death was
    // dated ahead (IsAlive undoes one), nobody comes back to life: yesterday's table, less those who may
    // have died since, followed by the living among the characters appended since, is the table in list
    // order.
    CLiveBasis basis { characterServer->GetOrderEpoch(), GetGameToday(), IsHostMachine(),
        CCharacter::_deathsAhead, count, 0 };
    const bool carried = liveBasis.epoch == basis.epoch && liveBasis.epoch != 0
        && !(liveBasis.date > basis.date) && liveBasis.onHost == basis.onHost
        && liveBasis.deathsAhead == basis.deathsAhead && liveBasis.listed <= count;
    int32_t women = 0;
    auto keep = [&women](CCharacter* character) {
        if (!character->IsAlive() || character->IsAnonymous())
            return false;
        if (character->IsFemale())
            ++women;
        return true;
    };
    std::size_t first = 0;
    if (carried) {
        women = liveBasis.women;
        maybeDead.clear();
        for (const CRZID& id : CCharacter::_maybeDead) {
            if (CCharacter* character = CRef<CCharacter>(id).Get())
                maybeDead.push_back(character);
        }
        if (!maybeDead.empty()) {
            std::sort(maybeDead.begin(), maybeDead.end());
            std::size_t out = 0;
            for (CCharacter* character : liveChars) {
                if (std::binary_search(maybeDead.begin(), maybeDead.end(), character)) {
                    // Counted again by keep if he is still among the living.
                    if (character->IsFemale())
                        --women;
                    if (!keep(character))
                        continue;
                }
                liveChars[out++] = character;
            }
            liveChars.resize(out);
        }
        first = liveBasis.listed;
    } else {
        liveChars.clear();
    }
    CCharacter::_maybeDead.clear();
    for (std::size_t i = first; i < count; ++i) {
        if (i + kFar < count)
            __builtin_prefetch(everyone[i + kFar]);
        // The table grows past its first capacity; Paranoia reports the excess when it runs.
        if (keep(everyone[i]))
            liveChars.push_back(everyone[i]);
    }
    livingWomenCount = women;
    basis.women = women;
    liveBasis = basis;
    liveCharCount = static_cast<int32_t>(liveChars.size());
    RecountVassals();
}

void CRZGlobal::RecountVassals()
{
    // Every living character's vassals are recounted, but only a titled ruler has any and only one who
    // had a list can have one to empty: the rest would be visited for nothing, a cache miss each.
    vassalRecount.clear();
    for (const CRZID& id : CCharacter::_mayHaveVassals) {
        if (CCharacter* character = CRef<CCharacter>(id).Get())
            vassalRecount.push_back(character);
    }
    CCharacter::_mayHaveVassals.clear();
    // The recount of one reads no other's list, so the order is free: sorted only to visit each once.
    std::sort(vassalRecount.begin(), vassalRecount.end());
    vassalRecount.erase(std::unique(vassalRecount.begin(), vassalRecount.end()), vassalRecount.end());
    for (CCharacter* character : vassalRecount) {
        if (character->IsAlive() && !character->IsAnonymous())
            character->CalcVassals();
        if (!character->titles.IsEmpty() || !character->GetVassals().IsEmpty())
            CCharacter::_mayHaveVassals.push_back(character->GetID());
    }
}

void CRZGlobal::HandleDailyUpdate()
{
    ForEachRealm([](CRZCountry* realm) {
        std::memset(realm->truceFlags, 0, sizeof realm->truceFlags);
        std::memset(realm->allianceFlags, 0, sizeof realm->allianceFlags);
    });

    // Marriages, most of the registry, set nothing here: they are not even visited. The registry is only
    // appended to in play and a relation keeps its type, so the ones that matter are picked from the
    // relations appended since the last day, and picked anew whenever the registry's order is remade.
    CRelations& relations = *CRelations::GetInstance();
    const std::vector<CRelation*>& registry = relations.GetOrder();
    if (settingRelations.epoch != relations.GetOrderEpoch()) {
        settingRelations = CSettingRelations {};
        settingRelations.epoch = relations.GetOrderEpoch();
    }
    for (std::size_t i = settingRelations.listed; i < registry.size(); ++i) {
        if (i + kFar < registry.size())
            __builtin_prefetch(registry[i + kFar]);
        const CRelationType type = registry[i]->GetType();
        if (type == RELATION_TRUCE || type == RELATION_ALLIANCE || type == RELATION_FRIEND
            || type == RELATION_RIVAL)
            settingRelations.relations.push_back(registry[i]);
    }
    settingRelations.listed = registry.size();
    const std::vector<CRelation*>& setting = settingRelations.relations;
    for (std::size_t i = 0; i < setting.size(); ++i) {
        if (i + kFar < setting.size())
            __builtin_prefetch(setting[i + kFar]);
        CRelation* relation = setting[i];
        CCharacter* primary = relation->GetPrimary();
        CCharacter* secondary = relation->GetSecondary();

        // A relation out of force stays on record: the saved game keeps its dates, and a truce or alliance
        // that lapsed with its grounds (one realm, a lost title) is in force again when they return.
        if (primary == nullptr || secondary == nullptr || !relation->IsActive())
            continue;
        switch (relation->GetType()) {
        case RELATION_TRUCE:
        case RELATION_ALLIANCE: {
            CRZCountry* primaryRealm = RealmOf(primary);
            CRZCountry* secondaryRealm = RealmOf(secondary);
            const bool truce = relation->GetType() == RELATION_TRUCE;
            if (primaryRealm && secondaryRealm)
                SetPairFlag(truce ? &CRZCountry::truceFlags : &CRZCountry::allianceFlags, primaryRealm,
                    secondaryRealm, 1);
            if (!truce) {
                primary->allies.Append(secondary);
                secondary->allies.Append(primary);
                listedByRelations.push_back(primary->GetID());
                listedByRelations.push_back(secondary->GetID());
            }
            break;
        }
        case RELATION_FRIEND:
            primary->friends.Append(secondary);
            secondary->friends.Append(primary);
            listedByRelations.push_back(primary->GetID());
            listedByRelations.push_back(secondary->GetID());
            break;
        case RELATION_RIVAL:
            primary->rivals.Append(secondary);
            secondary->rivals.Append(primary);
            listedByRelations.push_back(primary->GetID());
            listedByRelations.push_back(secondary->GetID());
            break;
        case RELATION_MARRIAGE:
        default:
            break;
        }
    }
}

void CRZGlobal::RefreshWars()
{
    for (int i = 0; i < kSlots; ++i) {
        warCount[i] = 0;
        relativeArmyPower[i] = 0.0f;
        if (CRZCountry* realm = CRZCountry::_pCountry[i]) {
            relativeArmyPower[i] = realm->standingArmyPower;
            realm->atWar = 0;
            std::memset(realm->atWarWith, 0, sizeof realm->atWarWith);
            std::memset(realm->atWarWithReligion, 0, sizeof realm->atWarWithReligion);
        }
    }

    wars.Lock();
    for (auto it = wars.GetHead(); !it.IsEnd(); it++) {
        CWar* war = *it;
        CCharacter* attacker = war->GetAttacker();
        CCharacter* defender = war->GetDefender();
        CRZCountry* a = RealmOf(attacker);
        CRZCountry* d = RealmOf(defender);
        if (!war->IsValid()) {
            // A side whose leader is gone has no realm whose flags could be cleared.
            if (a && d)
                SetPairFlag(&CRZCountry::atWarWith, a, d, 0);
            wars.Remove(it);
            delete war;
            continue;
        }
        if (a == nullptr || d == nullptr)
            continue;
        a->atWar = 1;
        d->atWar = 1;
        SetPairFlag(&CRZCountry::atWarWith, a, d, 1);
        if (IsReligion(defender->religion))
            a->atWarWithReligion[defender->religion] = 1;
        if (IsReligion(attacker->religion))
            d->atWarWithReligion[attacker->religion] = 1;
        ++warCount[a->index];
        ++warCount[d->index];
    }
    wars.Unlock();

    // Each war ties up the weaker side's share of both armies.
    for (auto it = wars.GetHead(); !it.IsEnd(); it++) {
        CRZCountry* a = RealmOf((*it)->GetAttacker());
        CRZCountry* d = RealmOf((*it)->GetDefender());
        if (a == nullptr || d == nullptr)
            continue;
        const float shareA = a->standingArmyPower / static_cast<float>(warCount[a->index]);
        const float shareD = d->standingArmyPower / static_cast<float>(warCount[d->index]);
        const float tied = std::min(shareA, shareD);
        relativeArmyPower[a->index] -= tied;
        relativeArmyPower[d->index] -= tied;
    }
}

void CRZGlobal::Paranoia()
{
    if (!CRZCheats::_isParanoia)
        return;
    if (liveCharCount > kLiveCharacterCapacity)
        _AssertRelease("Too many characters are alive!");

    if (characterServer != nullptr) {
        for (auto it = characterServer->GetHead(); !it.IsEnd(); it++) {
            const CCharacter* character = *it;
            const int type = character->GetID().type;
            const int number = static_cast<int>(character->GetID().number);
            if (!character->IsAlive()) {
                if (character->GetMilitaryCommand() != nullptr)
                    _AssertRelease("Dead character id(%d, %d) commands a regiment!", type, number);
                continue;
            }
            if (!character->IsRuler())
                continue;
            if (character->courtPosition > 1)
                _AssertRelease("Ruler character id(%d, %d) has a court position!", type, number);
            const CTitle* primary = character->GetPrimaryTitle();
            if (primary == nullptr)
                continue;
            const CCharacter* liege = HolderOfLiege(primary);
            for (auto title = character->titles.GetHead(); !title.IsEnd(); title++) {
                const CCharacter* holder = HolderOfLiege(*title);
                if (holder != liege && holder != character)
                    _AssertRelease("Ruler character id(%d, %d) has multiple lieges!", type, number);
            }
        }
    }

    ForEachRealCountry([](CRZCountry* realm) {
        ForEachDivision(realm, [](CDivision* division) {
            const CCharacter* leader = division->GetLeader();
            if (leader == nullptr || leader->IsAnonymous() || leader->GetMilitaryCommand() == division)
                return;
            _AssertRelease(
                "Regiment id(%d, %d) and Character id(%d, %d) mismatch, maybe one character leads multiple "
                "regiments!",
                static_cast<int>(division->GetID().type), static_cast<int>(division->GetID().number),
                static_cast<int>(leader->GetID().type), static_cast<int>(leader->GetID().number));
        });
    });
}

void CRZGlobal::Janitor()
{
    if (!IsHostMachine())
        return;
    ForEachRealCountry([](CRZCountry* realm) {
        // Collected first: killing a division changes the lists being walked.
        CList<CDivision*> empty;
        ForEachDivision(realm, [&](CDivision* division) {
            if (static_cast<float>(division->GetTotalMen()) < 1.0f)
                empty.Append(division);
        });
        for (auto it = empty.GetHead(); !it.IsEnd(); it++)
            realm->KillDivision(*it, 0, 0);
    });
}

int CRZGlobal::SortRankTable(const void* a, const void* b)
{
    const CRZRank& first = *static_cast<const CRZRank*>(a);
    const CRZRank& second = *static_cast<const CRZRank*>(b);
    if (first.score > second.score)
        return -1;
    if (first.score < second.score)
        return 1;
    // Every machine must rank alike, so ties do not depend on the sort.
    return (first.country > second.country) - (first.country < second.country);
}

void CRZGlobal::CalcRanks()
{
    for (int i = 0; i < kSlots; ++i) {
        CRZCountry* realm = CRZCountry::_pCountry[i];
        const bool ranked = realm != nullptr && CRZCountry::IsRealCountry(i);
        rankTable[i] = CRZRank { i, ranked ? realm->CalcRankingScore() : -1.0f };
    }
    std::qsort(rankTable, kCountryTableSlots, sizeof rankTable[0], &CRZGlobal::SortRankTable);
}

void CRZGlobal::HandleMonthlyUpdate()
{
    marriagePool.RemoveAll();
    const CLoyaltyMonth month;
    for (CCharacter* character : liveChars) {
        const CRZCountry* realm = character->GetCountry();
        if (character->IsFemale() && character->IsAdult() && character->FindSpouse() == nullptr
            && realm != nullptr && CRZCountry::IsRealCountry(realm->index))
            marriagePool.Append(character);
        character->ChangeLoyaltyToLiege(character->GetMonthlyLoyaltyChange());
    }

    ForEachRealm([](CRZCountry* realm) {
        realm->manpowerSum = 0.0f;
        realm->realmManpowerSum = 0.0f;
    });

    std::fill(creditedFor.begin(), creditedFor.end(), -1);
    for (int p = 0; p < static_cast<int>(kProvinceArraySize); ++p) {
        const CProvince* province = CProvince::GetProvince(p);
        CRZCountry* owner = province ? province->GetOwner() : nullptr;
        if (!InTable(owner))
            continue;
        const float manpower = province->manpowerTotal;
        auto credit = [&](CRZCountry* realm) {
            realm->manpowerSum += manpower;
            realm->realmManpowerSum += manpower;
            creditedFor[static_cast<std::size_t>(realm->index)] = p;
        };
        credit(owner);
        // Up the liege chain; a realm reached again (a ruler who is his own liege, or a cycle in a
        // corrupt save) has had its share, and the walk never takes more steps than there are realms.
        CCharacter* liege = owner->ruler ? owner->ruler->GetLiegeRuler() : nullptr;
        for (int step = 0; liege != nullptr && step < kSlots; ++step) {
            CRZCountry* realm = RealmOf(liege);
            if (realm != nullptr) {
                if (creditedFor[static_cast<std::size_t>(realm->index)] == p)
                    break;
                credit(realm);
            }
            liege = liege->GetLiegeRuler();
        }
    }

    ForEachRealm([](CRZCountry* realm) {
        if (realm->IsRealm())
            return;
        if (const CRZCountry* head = realm->GetRealm())
            realm->realmManpowerSum = head->realmManpowerSum;
    });

    DetermineRealmNeighbours();
}

void CRZGlobal::DetermineRealmNeighbours()
{
    ForEachRealm([](CRZCountry* realm) { realm->RefreshKnowledge(); });
    for (int a = 0; a < kSlots; ++a) {
        CRZCountry* realmA = CRZCountry::_pCountry[a];
        if (realmA == nullptr || !CRZCountry::IsRealCountry(a))
            continue;
        for (int b = 0; b < kSlots; ++b) {
            CRZCountry* realmB = CRZCountry::_pCountry[b];
            if (!realmA->neighbourFlags[b] || realmB == nullptr || !CRZCountry::IsRealCountry(b))
                continue;
            CRZCountry* headA = realmA->GetRealm();
            CRZCountry* headB = realmB->GetRealm();
            if (headA == nullptr || headB == nullptr || headA == headB)
                continue;
            AddNeighbour(headA, headB->index);
            AddNeighbour(headB, headA->index);
        }
    }
}

void CRZGlobal::PruneCharacters()
{
    if (characterServer == nullptr)
        return;
    const int today = (gpTimer ? gpTimer->GetDate() : startDate).GetDays();
    characterServer->Lock();
    for (auto it = characterServer->GetHead(); !it.IsEnd(); it++) {
        CCharacter* character = *it;
        const bool forgotten = !character->IsAlive() && !character->IsRuler() && character->titles.IsEmpty()
            && character->claims.IsEmpty() && today - kPruneAfterDays > character->deathDate.GetDays()
            && CIdentity::GetObjectFromID(character->father) == nullptr
            && CIdentity::GetObjectFromID(character->mother) == nullptr && character->children.IsEmpty()
            && character->spouses.IsEmpty();
        if (forgotten) {
            characterServer->Remove(it);
            delete character;
        }
    }
    characterServer->Unlock();
}
