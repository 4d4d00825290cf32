// A division in battle, and the events that change it: its attack, defence, shock and morale values, its
// companies, and the losses it collects from them and applies on every machine.
#include <cmath>

#include "armies/battle_result.h"
#include "armies/combat_stats.h"
#include "armies/company.h"
#include "armies/division.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/records_army.h"
#include "foundation/logs.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;
// Above this a losses event names more men or morale than any division holds: a forged record.
constexpr float kMostLost = 1.0e7f;

// The leader's bonus; a division without a leader fights under the anonymous soldier.
float LeaderCombatBonus(const CDivision& division)
{
    const CCharacter* leader = division.GetLeader();
    if (leader == nullptr)
        leader = dynamic_cast<const CCharacter*>(CIdentity::GetObjectFromID(kAnonymousSoldierID));
    return leader != nullptr ? leader->GetAttributes().GetCombatBonus() : CAttributeTuple().GetCombatBonus();
}

// The advance the division has whose rating is highest for the type; a later advance must rate strictly
// higher, so the lowest number wins a tie, and a rating of 0 never counts.
template <class Rate> const CAdvanceType* BestAdvance(const CAdvanceTuple& advances, Rate rate)
{
    const CAdvanceType* best = nullptr;
    float bestRating = 0.0f;
    for (int advance = 0; advance < kAdvanceCount; ++advance) {
        if (!advances.Exists(advance))
            continue;
        const CAdvanceType* type = CAdvanceType::Get(advance);
        if (type == nullptr)
            continue;
        if (const float rating = rate(*type); rating > bestRating) {
            best = type;
            bestRating = rating;
        }
    }
    return best;
}

bool IsSoundLoss(float value)
{
    return std::isfinite(value) && value >= 0.0f && value <= kMostLost;
}

} // namespace

void CCompany::AddLosses(int men)
{
    regiment->AddLosses(type, men);
}

void CCompany::AddMoraleLosses(float amount)
{
    regiment->AddMoraleLosses(amount);
}

bool CCompany::IsFighting() const
{
    return !regiment->IsRouted();
}

const CAdvanceType* CDivision::GetBestWeaponAdvance(int type) const
{
    return BestAdvance(advances, [type](const CAdvanceType& advance) {
        return advance.GetWeapon() != nullptr ? advance.GetWeapon()->GetSuitability(type) : 0.0f;
    });
}

const CAdvanceType* CDivision::GetBestArmorAdvance(int type) const
{
    return BestAdvance(advances, [type](const CAdvanceType& advance) {
        return advance.GetArmor() != nullptr ? advance.GetArmor()->GetDefenceValue(type) : 0.0f;
    });
}

float CDivision::GetAttValue(int type) const
{
    const CAdvanceType* best = GetBestWeaponAdvance(type);
    return best != nullptr ? best->GetWeapon()->GetAttackValue(type) : CCombatStats::GetBaseAttValue(type);
}

float CDivision::GetDefValue(int type) const
{
    const CAdvanceType* best = GetBestArmorAdvance(type);
    return best != nullptr ? best->GetArmor()->GetDefenceValue(type) : CCombatStats::GetBaseDefValue(type);
}

float CDivision::GetAttMultiplier(int type, int enemyType) const
{
    const CAdvanceType* best = GetBestWeaponAdvance(type);
    return best != nullptr ? best->GetWeapon()->GetAttackMultiplier(type, enemyType) : 1.0f;
}

const char* CDivision::GetBestWeaponName(int type) const
{
    const CAdvanceType* best = GetBestWeaponAdvance(type);
    return best != nullptr ? best->GetName() : CCombatStats::GetBaseWeaponName(type);
}

const char* CDivision::GetBestArmorName(int type) const
{
    const CAdvanceType* best = GetBestArmorAdvance(type);
    return best != nullptr ? best->GetName() : CCombatStats::GetBaseArmorName(type);
}

CCombatMultiplier CDivision::GetCombatMultiplier() const
{
    CCombatMultiplier total;
    for (int advance = 0; advance < kAdvanceCount; ++advance) {
        if (!advances.Exists(advance))
            continue;
        if (const CAdvanceType* type = CAdvanceType::Get(advance);
            type != nullptr && type->GetCombatMultiplier())
            total.MemberwiseMultiplicationAndAssignment(*type->GetCombatMultiplier());
    }
    return total;
}

float CDivision::GetMoraleValue(int type) const
{
    return LeaderCombatBonus(*this) * 2.0f * GetCombatMultiplier().GetMoraleMultiplier(type)
        * CCombatStats::GetBaseMoraleValue(type);
}

float CDivision::GetShockValue(int type) const
{
    return LeaderCombatBonus(*this) * GetCombatMultiplier().GetShockMultiplier(type)
        * CCombatStats::GetBaseShockValue(type);
}

void CDivision::CalculateMaxMorale()
{
    maxMorale = 0.0f;
    for (int type = 0; type < kTroopTypeCount; ++type)
        maxMorale += static_cast<float>(strength.Get(type)) * GetMoraleValue(type);
}

float CDivision::CalcEffectivePower() const
{
    const CMilitaryComposition fighting = GetStrength();
    float power = 0.0f;
    for (int type = 0; type < kTroopTypeCount; ++type)
        power += fighting.GetValue(type) * GetAttValue(type);
    return power * morale;
}

void CDivision::AddCompanies(CList<CCompany*>& companies)
{
    const CMilitaryComposition fighting = GetStrength();
    for (int type = 0; type < kTroopTypeCount; ++type) {
        // Without a company size the men could never be cut; they stay out of the battle.
        const int size = CCombatStats::GetCoySize(type);
        if (size < 1)
            continue;
        for (int left = fighting.Get(type); left > 0; left -= size)
            companies.Append(new CCompany(static_cast<TroopType>(type), left < size ? left : size, this));
    }
}

void CDivision::AddLosses(int type, int lost)
{
    losses.Add(type, static_cast<float>(lost));
}

void CDivision::TakeLosses()
{
    if (!IsHostMachine())
        return;
    PostGlobalEvent(new CRZDivisionLossesEvent(GetID(), CompositionToRecord(losses), moraleLosses));
    losses = CMilitaryComposition();
    moraleLosses = 0.0f;
}

float CDivision::GetUpkeep() const
{
    float upkeep = 0.0f;
    for (int type = 0; type < kTroopTypeCount; ++type)
        upkeep += strength.GetValue(type) * CCombatStats::GetUpkeep(type);
    return upkeep * 0.01f;
}

int CDivision::Update(CRZEvent* event)
{
    if (event->GetType() == _CRZEVT_SET_MERC_) {
        // Paid men owe their home province nothing: it no longer counts them as its levy.
        thirdFlag = true;
        if (CProvince* home = CProvince::GetProvince(homeProvince);
            home != nullptr && home->levyRegiment == GetID())
            home->levyRegiment = NOID;
        return kHandled;
    }
    if (event->GetType() != _CRZEVT_DIVISION_LOSSES_)
        return 0;
    const CRZDivisionLossesEventData* record = RecordAs<CRZDivisionLossesEventData>(event);
    bool sound = record != nullptr && IsSoundLoss(record->morale);
    for (int type = 0; sound && type < kTroopTypeCount; ++type)
        sound = IsSoundLoss(record->losses.values[type]);
    if (!sound) {
        history("Division losses: a loss is no number of men or morale; event dropped\n");
        return kHandled;
    }
    strength -= CompositionFromRecord(record->losses);
    strength.Floor();
    men = strength.GetTotalSize();
    morale = maxMorale >= 0.001f ? morale - record->morale / maxMorale : 0.0f;
    if (morale < 0.0f)
        morale = 0.0f;
    return kHandled;
}
