// The province's events and its periodic work: the router, the day (buildings, revolts), the month (income,
// levy, loyalty), construction, privileges and the texts and sums the interface asks of it.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "app/game.h"
#include "events/event.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "foundation/logs.h"
#include "foundation/random_generator.h"
#include "foundation/text_format.h"
#include "foundation/utilities.h"
#include "realms/country.h"
#include "realms/owner_area.h"
#include "realms/province.h"
#include "realms/terrain.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;

bool IsHost()
{
    return gCountryHooks.IsHost != nullptr && gCountryHooks.IsHost();
}

// The record of an event whose class matches its type; null for a record too short to be one.
template <class Event> const auto* RecordOf(CRZEvent* event)
{
    using Record = std::remove_reference_t<decltype(static_cast<Event*>(event)->Record())>;
    if (event->GetDataSize() < sizeof(Record))
        return static_cast<const Record*>(nullptr);
    return &static_cast<Event*>(event)->Record();
}

// A float from a peer: non-finite amounts would poison the state they are added to on every machine.
bool ReadAmount(CRZEvent* event, float& amount)
{
    const auto* record = RecordOf<CRZFloatEvent>(event);
    if (record == nullptr || !std::isfinite(record->value)) {
        mydebug("province event %s dropped: no finite amount\n", event->GetName());
        return false;
    }
    amount = record->value;
    return true;
}

// The estates' loyalty and privilege events: which estate, and whether its loyalty (else its share).
struct EstateEvent {
    CRZEvtType type;
    int estate;
    bool loyalty;
};
constexpr EstateEvent kEstateEvents[] = {
    { _CRZEVT_NOBLE_LOYALTY_, CStandsTuple::NOBLES, true },
    { _CRZEVT_NOBLE_PRIVILEGES_, CStandsTuple::NOBLES, false },
    { _CRZEVT_CLERGY_LOYALTY_, CStandsTuple::CLERGY, true },
    { _CRZEVT_CLERGY_PRIVILEGES_, CStandsTuple::CLERGY, false },
    { _CRZEVT_BURGHER_LOYALTY_, CStandsTuple::BURGHERS, true },
    { _CRZEVT_BURGHER_PRIVILEGES_, CStandsTuple::BURGHERS, false },
    { _CRZEVT_PEASANT_LOYALTY_, CStandsTuple::PEASANTS, true },
    { _CRZEVT_PEASANT_PRIVILEGES_, CStandsTuple::PEASANTS, false },
};

// Troops per type, TroopType order, for each estate's share of the levy.
using Mix = int[CStandsTuple::COUNT][kTroopTypeCount];

// By military law 7, 8, 9 and 10.
constexpr Mix kLawMix[4] = {
    { { 0, 0, 0, 1, 0, 1, 0 }, { 0, 0, 0, 1, 1, 0, 0 }, { 0, 1, 0, 0, 1, 0, 0 }, { 1, 0, 0, 0, 0, 0, 2 } },
    { { 0, 0, 0, 0, 0, 1, 1 }, { 0, 0, 0, 1, 1, 0, 0 }, { 0, 1, 0, 0, 0, 0, 2 }, { 1, 1, 0, 0, 0, 0, 2 } },
    { { 0, 0, 0, 0, 1, 1, 0 }, { 0, 0, 0, 1, 1, 0, 0 }, { 0, 1, 0, 0, 0, 0, 1 }, { 0, 0, 0, 0, 1, 0, 1 } },
    { { 0, 0, 0, 1, 0, 1, 0 }, { 0, 0, 0, 1, 0, 1, 0 }, { 0, 1, 0, 0, 1, 0, 0 }, { 0, 1, 0, 0, 1, 0, 0 } },
};
constexpr int kFirstMilitaryLaw = 7;

// By terrain: forest, hills, marsh, mountain, plains.
constexpr Mix kTerrainMix[5] = {
    { { 0, 0, 0, 1, 0, 0, 0 }, {}, {}, { 0, 1, 0, 0, 0, 0, 0 } },
    { {}, {}, { 0, 0, 0, 0, 1, 0, 0 }, { 0, 0, 0, 0, 1, 0, 0 } },
    { { 0, 0, 0, 0, 0, 1, 0 }, { 0, 0, 0, 0, 0, 1, 0 }, {}, {} },
    { {}, { 0, 0, 0, 1, 0, 0, 0 }, { 0, 0, 0, 0, 1, 0, 0 }, {} },
    { {}, {}, { 0, 1, 0, 0, 0, 0, 0 }, { 1, 0, 0, 0, 0, 0, 0 } },
};

// Rebels by estate, TroopType order.
constexpr float kRevoltForce[CStandsTuple::COUNT][kTroopTypeCount] = {
    { 0, 0, 0, 0, 0, 100, 250 },
    { 0, 0, 0, 100, 200, 50, 0 },
    { 20, 0, 0, 100, 100, 10, 0 },
    { 50, 100, 0, 0, 100, 100, 0 },
};

CRZCountry* LiegeRealm(const CRZCountry& owner)
{
    const CCharacter* liege = owner.ruler ? owner.ruler->GetLiegeRuler() : nullptr;
    return liege ? liege->GetCountry() : nullptr;
}

} // namespace

int CProvince::Update(CRZEvent* event)
{
    const CRZEvtType type = event->GetType();
    switch (type) {
    case _CRZEVT_TIMER_DAY_:
        UpdateOccupation();
        handleTimerDay();
        privileges = GetPrivileges();
        CheckRevolts();
        return 0;
    case _CRZEVT_TIMER_MONTH_:
        manpowerTotal = currentLevy.GetTotal();
        CalcModifier();
        HandleMonthly();
        DetemineStrategicValue();
        return 0;
    case _CRZEVT_GAME_STARTED_:
        HandleGameStarted();
        return 0;
    case _CRZEVT_COMBAT_CREATE_:
        if (const auto* record = RecordOf<CRZCombatEvent>(event)) {
            // A battle is made only under a free identity: a repeated or forged creation makes none.
            if (gProvinceHooks.CreateCombat != nullptr && !battles.Contains(record->combat)
                && !gProvinceHooks.CreateCombat(*this, record->number, record->combat, record->date)) {
                history("province %d: no battle can be made under identity %u:%u; dropped\n", number,
                    static_cast<unsigned>(record->combat.type), static_cast<unsigned>(record->combat.number));
                return 0;
            }
            CombatStarted(record->combat);
        }
        return 0;
    case _CRZEVT_COMBAT_DELETE_:
        if (const auto* record = RecordOf<CRZCombatEvent>(event))
            CombatEnded(record->combat);
        return 0;
    case _CRZEVT_FORTRESS_DAMAGE_:
        if (const auto* record = RecordOf<CRZFortressEvent>(event)) {
            // Subtracted in 64 bits: a peer's extreme number must not wrap the level around.
            auto damaged = [](int32_t level, int32_t damage) {
                return static_cast<int32_t>(std::clamp<int64_t>(int64_t { level } - damage, 0, INT32_MAX));
            };
            landFortress = damaged(landFortress, record->first);
            coastalFortress = damaged(coastalFortress, record->second);
        }
        return 0;
    case _CRZEVT_EXPIRE_CONSTRUCTION_:
        // The construction sprites belong to the map's drawing, which keeps none here yet.
        return kHandled;
    case _CRZEVT_CHANGE_PROVINCE_RRISK_: {
        const auto* record = RecordOf<CRZProvinceIncomeEvent>(event);
        if (record == nullptr || !std::isfinite(record->value)) {
            mydebug("province %d: revolt risk change without a finite amount dropped\n", number);
            return kHandled;
        }
        const double risk = std::trunc(static_cast<double>(revoltRisk) + record->value);
        revoltRisk = static_cast<int32_t>(std::clamp(risk, 0.0, 2147483647.0));
        return kHandled;
    }
    case _CRZEVT_SET_CAPITAL_:
        // Without an owner there is no realm whose capital this could become.
        if (CRZCountry* owner = GetOwner()) {
            owner->capital = number;
            owner->actingCapital = number;
        }
        return kHandled;
    case _CRZEVT_CHANGE_SIEGE_: {
        float amount = 0.0f;
        // Held to the progress's range as well: a sally never takes more than the siege has won, nor
        // gives more than the whole.
        if (ReadAmount(event, amount) && occupation > 0.01f)
            occupation = std::clamp(occupation - amount, 0.01f, 1.0f);
        return 0;
    }
    default:
        break;
    }
    for (const EstateEvent& row : kEstateEvents) {
        float amount = 0.0f;
        if (row.type != type || !ReadAmount(event, amount))
            continue;
        // Loyalty is held to its range where it is read, the shares are made whole again the next day.
        CStandsTuple& values = row.loyalty ? loyalty : privileges;
        values.Set(row.estate, values.Get(row.estate) + amount);
    }
    return 0;
}

void CProvince::HandleGameStarted()
{
    CalcModifier();
    CRZCountry* owner = GetOwner();
    if (controller == 0 && owner != nullptr)
        controller = owner->index;
    DetemineStrategicValue();
    CalculateRegimentSize();
    if (!(gProvinceHooks.IsSavedGame && gProvinceHooks.IsSavedGame()))
        currentLevy = maximumLevy;
    if (IsLand() && number > 0 && owner == nullptr)
        mydebug("Province %d lacks an owner.\n", number);
    manpowerTotal = currentLevy.GetTotal();
}

void CProvince::handleTimerDay()
{
    if (HasImprovementUnderConstruction() && CRZGame::GetCurrentDate() >= constructionDone) {
        CRZCountry* owner = GetOwner();
        if (const CProvinceImprovementType* type = CProvinceImprovementType::Get(construction); owner && type)
            owner->CreateProvinceImprovement(*this, *type);
    }
    FillVacantCounty();
}

void CProvince::CheckRevolts()
{
    if (!IsHost())
        return;
    loyalty = GetLoyalty();
    static constexpr int kOrder[]
        = { CStandsTuple::PEASANTS, CStandsTuple::BURGHERS, CStandsTuple::CLERGY, CStandsTuple::NOBLES };
    for (const int estate : kOrder) {
        const int chance = static_cast<int>((0.2f - loyalty.Get(estate)) * 50.0f);
        if (chance <= 0)
            continue;
        if (gGameRandom.Next() % 100 < chance && gGameRandom.Next() % 300 <= 9) {
            CreateRevolt(estate);
            return;
        }
    }
}

void CProvince::CreateRevolt(int estate)
{
    if (estate < 0 || estate >= CStandsTuple::COUNT)
        return;
    const float scale = std::max(0.2f, baseIncome * (GetPrivileges().Get(estate) + 0.5f) * 0.5f);
    CMilitaryComposition force;
    for (int type = 0; type < kTroopTypeCount; ++type)
        force.Add(type, kRevoltForce[estate][type] * scale);
    if (!(force.GetTotal() > 1.0f))
        return;
    if (gProvinceHooks.RaiseRebels != nullptr)
        gProvinceHooks.RaiseRebels(*this, force);
    // The rising calms the estate on every machine, not the host's alone: the loyalty is every machine's.
    const float calm = std::min(loyalty.Get(estate) + 0.2f, 1.0f) - loyalty.Get(estate);
    for (const EstateEvent& change : kEstateEvents) {
        if (change.loyalty && change.estate == estate)
            ProcessGlobalEvent(new CRZFloatEvent(change.type, GetID(), calm));
    }
}

void CProvince::HandleMonthly()
{
    DoContributeScore();
    CalculateRegimentSize();
    CRZCountry* owner = GetOwner();
    if (owner == nullptr)
        return;

    float growth
        = owner->ruler ? static_cast<float>(owner->ruler->GetAttributes().GetMartial()) * 0.01f : 0.0f;
    switch (owner->GetDifficultyModifier()) {
    case -1:
        growth *= 1.5f;
        break;
    case -2:
        growth *= 2.0f;
        break;
    case 1:
        growth *= 0.66f;
        break;
    case 2:
        growth *= 0.5f;
        break;
    default:
        break;
    }
    growth *= modifier.speedFactor;
    if (owner->ruler && owner->ruler->religion == religion && religion == 2)
        growth *= 2.5f;
    for (int type = 0; type < kTroopTypeCount; ++type) {
        const float cap = maximumLevy.GetValue(type);
        const float grown = currentLevy.GetValue(type) + cap * (1.0f / 12.0f) * growth;
        // Emptied first, so that the new value is held as it is and a full levy reads exactly full.
        currentLevy.Add(type, -currentLevy.GetValue(type));
        currentLevy.Add(type, std::min(grown, cap));
    }

    CStandsTuple drift;
    for (int estate = 0; estate < CStandsTuple::COUNT; ++estate)
        drift.Set(estate, owner->GetLoyaltyProgress(estate));
    drift += modifier.periodicLoyalty;
    ChangeLoyalty(drift);
}

void CProvince::DoContributeScore()
{
    CRZCountry* owner = GetOwner();
    if (owner == nullptr || owner != GetController())
        return;
    CCompositeScore score = modifier.GetProvinceMonthlyScore(*this);
    float goldFactor = 1.0f;
    if (!owner->IsRealm() && score.GetGold() > 0.0f) {
        if (CRZCountry* liege = LiegeRealm(*owner)) {
            const float share = liege->budget[SLIDER_SCUTAGE] * 0.5f;
            liege->AddScore(
                CCompositeScore(VLST_PROVINCE, CSimpleScore(score.GetGold() * share, 0.0f, 0.0f)));
            goldFactor = 1.0f - share;
        }
    }
    score.MemberwiseMultiplicationAndAssignment(CSimpleScore(goldFactor, 1.0f / 12.0f, 1.0f / 12.0f));
    owner->AddScore(score);
}

void CProvince::CalculateRegimentSize()
{
    CRZCountry* owner = GetOwner();
    maximumLevy = CMilitaryComposition();
    if (owner == nullptr)
        return;
    const float demesne = std::clamp(owner->GetDemesneIncomeModifier(modifier.demesne), 0.0f, 1.0f);
    const float stewardship = owner->ruler ? owner->ruler->GetAttributes().GetGoldIncomeModifier() : 1.0f;
    const float base = std::max(1.0f,
        ((baseIncome * demesne * stewardship) * modifier.scoreFactor.GetGold()
            + modifier.periodicScore.GetGold())
            * 10.0f);

    const Mix* law = nullptr;
    for (int i = 0; i < 4 && law == nullptr; ++i)
        if (owner->HasLaw(kFirstMilitaryLaw + i))
            law = &kLawMix[i];
    const Mix* ground
        = terrain >= TERRAIN_FOREST && terrain <= TERRAIN_PLAINS ? &kTerrainMix[terrain] : nullptr;
    const CStandsTuple shares = GetPrivileges();
    float levy[kTroopTypeCount] = {};
    for (int estate = 0; estate < CStandsTuple::COUNT; ++estate) {
        const float men = std::trunc(std::clamp(base * (shares.Get(estate) * 10.0f), -1.0e9f, 1.0e9f));
        for (int type = 0; type < kTroopTypeCount; ++type)
            levy[type] += men
                * static_cast<float>(
                    (law ? (*law)[estate][type] : 0) + (ground ? (*ground)[estate][type] : 0));
    }
    float scutage = 1.0f;
    if (!owner->IsRealm())
        if (const CRZCountry* liege = LiegeRealm(*owner))
            scutage = (1.0f - liege->budget[SLIDER_SCUTAGE]) * 0.5f + 0.5f;
    for (int type = 0; type < kTroopTypeCount; ++type)
        maximumLevy.Add(type, std::max(levy[type], 0.0f) * scutage);
}

void CProvince::DetemineStrategicValue()
{
    if (!IsLand() || GetOwner() == nullptr) {
        strategicValue = 0;
        return;
    }
    int value = GetNeighborCount() / 2;
    if (ownerArea == nullptr || ownerArea->GetProvinces().GetSize() < 2)
        value += GetNeighborCount() > 0 ? 2 : 1;
    for (const Adjacent& neighbour : neighbours) {
        const CProvince* other = GetProvince(neighbour.number);
        if (other && other->controller != controller)
            value = static_cast<int>(
                static_cast<float>(value) + 1.0f + 0.02f * static_cast<float>(other->landFortress));
    }
    strategicValue = value;
}

const char* CProvince::GetAttritionCapInfo() const
{
    static char buffer[4096];
    buffer[0] = '\0';
    AppendFormat(buffer, sizeof buffer, "%s\n",
        FormatDataText(TextStrings.GetString("BASE_SUPPORT"), { 100 }).c_str());
    AppendFormat(buffer, sizeof buffer, "%s %+.f\n", CTerrain::GetTerrainName(terrain),
        static_cast<double>(GetTerrainSupply()));
    auto line = [](const char* label, float value) {
        if (value != 0.0f)
            AppendFormat(buffer, sizeof buffer, "%s: %s %.2f\n", label ? label : "", value > 0.0f ? "+" : "",
                static_cast<double>(value));
    };
    for (int advance = 0; advance < kAdvanceCount; ++advance)
        if (const CAdvanceType* type = HasAdvance(advance) ? CAdvanceType::Get(advance) : nullptr)
            line(type->GetName(), type->GetModifier().supportable);
    for (int improvement = 0; improvement < kNoImprovement; ++improvement)
        if (const CProvinceImprovementType* type
            = HasImprovement(improvement) ? CProvinceImprovementType::Get(improvement) : nullptr)
            line(type->GetName(), type->GetModifier().supportable);
    for (int effect = 0; effect < kEffectCount; ++effect)
        if (const CProvinceEffectType* type = HasEffect(effect) ? CProvinceEffectType::Get(effect) : nullptr)
            line(type->GetName(), type->GetModifier().supportable);
    return buffer;
}

void CProvince::GetTroopStrength(const CRZCountry& realm, int& enemy, int& neutral, int& friendly) const
{
    enemy = neutral = friendly = 0;
    if (gProvinceHooks.DescribeArmy == nullptr)
        return;
    for (auto it = units.GetHead(); !it.IsEnd(); it++) {
        CSiegeArmy army;
        if (!gProvinceHooks.DescribeArmy(*it, army) || army.realm == nullptr)
            continue;
        if (realm.IsEnemy(army.realm->index))
            enemy += army.strength;
        else if (realm.IsFriend(army.realm->index))
            friendly += army.strength;
        else
            neutral += army.strength;
    }
}

void CProvince::CombatStarted(const DynamicID& battle)
{
    if (!battles.Contains(battle))
        battles.Append(battle);
}

void CProvince::CombatEnded(const DynamicID& battle)
{
    if (!battles.Contains(battle))
        return;
    battles.Remove(battle);
    if (gProvinceHooks.DeleteCombat != nullptr)
        gProvinceHooks.DeleteCombat(battle);
}
