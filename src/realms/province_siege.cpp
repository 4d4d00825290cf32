// Sieges: the day's siege of a province by the armies at war with its holder, the choice of who takes it,
// and conquest. Control itself changes only through the host's change-of-control event.
#include <algorithm>

#include "app/game.h"
#include "characters/character.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_realm.h"
#include "foundation/random_generator.h"
#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

bool IsHost()
{
    return gCountryHooks.IsHost != nullptr && gCountryHooks.IsHost();
}

bool Allied(const CRZCountry& a, const CRZCountry& b)
{
    return b.index >= 0 && b.index < static_cast<int>(kCountryTableSlots) && a.allianceFlags[b.index] != 0;
}

// What the strongest fortress does to a siege.
struct Fortress {
    float defence;
    float divisor;
    float dailyCap;
};

constexpr int kFirstFortress = 39;
constexpr int kLastFortress = 43;
constexpr Fortress kNoFortress { -1.0f, 4.0f, 10.0f };
constexpr Fortress kFortresses[] = {
    { 0.2f, 4.0f, 10.0f },
    { 0.8f, 8.0f, 5.0f },
    { 1.5f, 16.0f, 2.0f },
    { 2.5f, 32.0f, 1.5f },
    { 5.0f, 64.0f, 2.0f },
};

Fortress StrongestFortress(const CProvince& province)
{
    for (int type = kLastFortress; type >= kFirstFortress; --type)
        if (province.HasImprovement(type))
            return kFortresses[type - kFirstFortress];
    return kNoFortress;
}

void PostChangeOfControl(const CRZCountry& realm, int province, const CRZID& character)
{
    ProcessGlobalEvent(
        new CRZProvChangeEvent(_CRZEVT_PROVCHANGECONTROL_, realm.GetID(), province, character));
}

} // namespace

void CProvince::UpdateOccupation()
{
    if (!IsLand())
        return;
    CRZCountry* defender = GetController();
    if (defender == nullptr)
        defender = CRZCountry::GetCountry(fallbackController);
    if (defender == nullptr || !battles.IsEmpty())
        return;
    if (units.IsEmpty()) {
        if (occupation > 0.0f) {
            occupation = 0.0f;
            sieger = NOID;
        }
        return;
    }
    if (gProvinceHooks.DescribeArmy == nullptr)
        return;

    const CTitle* county = GetBestFreeTitle(nullptr);
    float strength = 0.0f;
    bool siegerPresent = false;
    CRZCountry* besieger = nullptr;
    CCharacter* best = nullptr;
    float bestScore = 0.0f;
    for (auto it = units.GetHead(); !it.IsEnd(); it++) {
        CSiegeArmy army;
        if (!gProvinceHooks.DescribeArmy(*it, army))
            continue;
        if (army.leader != nullptr && sieger != NOID && army.leader->GetID() == sieger)
            siegerPresent = true;
        if (!army.mayBesiege || army.realm == nullptr || !army.realm->IsEnemy(defender->index))
            continue;
        strength += army.siegeStrength;
        if (army.leader == nullptr)
            continue;
        if (army.leader->IsAnonymous() && besieger == nullptr && !army.holdsBack) {
            besieger = army.realm;
            continue;
        }
        CCharacter* candidate = army.leader->IsAnonymous() ? army.realm->ruler : army.leader;
        if (candidate == nullptr)
            continue;
        float score = static_cast<float>(candidate->titles.GetSize())
            + static_cast<float>(candidate->GetAttributes().GetDiplomacy()) * 0.5f;
        if (county != nullptr && candidate->HasClaim(county))
            score += 100000.0f;
        if (best == nullptr || score > bestScore) {
            best = candidate;
            bestScore = score;
        }
    }

    CCharacter* current = GetSieger();
    const bool claimant = best != nullptr && county != nullptr && best->HasClaim(county);
    CCharacter* chosen
        = siegerPresent && current != nullptr && !current->IsAnonymous() && !claimant ? current : best;
    CSiegeArmy command;
    const bool commands = chosen != nullptr && !chosen->IsAnonymous() && chosen->HasMilitaryCommand()
        && gProvinceHooks.DescribeCommand != nullptr
        && gProvinceHooks.DescribeCommand(chosen->GetMilitaryCommand(), command);
    if (commands && command.realm != nullptr)
        besieger = command.realm;

    const Fortress fortress = StrongestFortress(*this);
    if (fortress.defence > 0.0f) {
        strength -= fortress.defence;
        if (strength < 0.0f)
            strength /= 25.0f;
    }
    const float gain = std::min(strength / fortress.divisor, fortress.dailyCap);

    if (besieger == nullptr) {
        occupation = 0.0f;
        return;
    }
    CCharacter* character = chosen;
    if (chosen == nullptr || !chosen->HasMilitaryCommand()) {
        sieger = kAnonymousSoldierID;
        character = besieger->ruler;
    } else {
        sieger = chosen->GetID();
    }
    if (!(commands && command.holdsBack))
        AddOccupation(gain / 100.0f, besieger, character);

    // The garrison sallies out: the chance and the blow both grow with the walls.
    if (IsHost() && occupation < 1.0f
        && static_cast<float>(gGameRandom.Next() % 100) < fortress.defence + 5.0f)
        PostGlobalEvent(new CRZFloatEvent(_CRZEVT_CHANGE_SIEGE_, GetID(), fortress.defence * 0.01f));
}

float CProvince::AddOccupation(float change, CRZCountry* besieger, CCharacter* character)
{
    occupation += change;
    if (change < 0.0f && occupation < 0.001f)
        occupation = 0.001f;
    CRZCountry* best = besieger ? GetBestOccupier(besieger) : nullptr;
    if (occupation >= 1.0f) {
        occupation = 0.0f;
        if (best != nullptr && best != GetController() && IsHost())
            PostChangeOfControl(*best, number, character ? character->GetID() : NOID);
    }
    return occupation;
}

void CProvince::ClearOccupation()
{
    occupation = 0.0f;
    CRZCountry* owner = GetOwner();
    if (owner != nullptr && owner != GetController() && IsHost())
        PostChangeOfControl(*owner, number, NOID);
}

CRZCountry* CProvince::GetBestOccupier(CRZCountry* besieger) const
{
    CRZCountry* owner = GetOwner();
    if (owner == nullptr || besieger == nullptr)
        return nullptr;
    CRZCountry* choice = nullptr;
    if (IsAdjacentToControlled(*besieger)) {
        choice = besieger;
    } else {
        int bestWeight = 0;
        for (const Adjacent& neighbour : neighbours) {
            const CProvince* other = GetProvince(neighbour.number);
            if (other == nullptr || other->GetOwner() == nullptr)
                continue;
            CRZCountry* holder = other->GetController();
            if (other->GetOwner() == besieger && holder == besieger) {
                choice = besieger;
            } else if (holder != nullptr && Allied(*holder, *besieger) && holder->IsEnemy(controller)
                && holder->controlledProvinces.GetSize() > bestWeight) {
                choice = holder;
                bestWeight = holder->controlledProvinces.GetSize();
            }
        }
        if (choice == nullptr)
            choice = besieger;
    }
    if (besieger == owner)
        return besieger;
    // A friend of the owner who takes the walls hands them back to him.
    if (Allied(*besieger, *owner))
        return owner;
    CRZCountry* holder = GetController();
    if (holder == nullptr || holder->IsEnemy(besieger->index))
        return choice;
    const CRZCountry* top = besieger->GetRealm();
    return top != nullptr && holder->IsEnemy(top->index) ? choice : holder;
}

void CProvince::Conquer(CRZCountry* realm)
{
    CRZCountry* owner = GetOwner();
    if (owner != nullptr && owner != realm) {
        revoltRisk = 0;
        if (owner == GetController() && realm != nullptr)
            SetController(realm->index);
    }
    lastConquest = CRZGame::GetCurrentDate();
    if (gProvinceHooks.UpdateExiled != nullptr)
        gProvinceHooks.UpdateExiled(*this);
    if (gProvinceHooks.OwnerChanged != nullptr)
        gProvinceHooks.OwnerChanged(*this);
}
