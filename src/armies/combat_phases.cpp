// A battle's day on the host: the phase schedule, each side's companies firing at the enemy's, the morale
// check and the losses, and the computer generals' wish to fall back. The draws come from the game's own
// generator, which the host alone moves here; the other machines follow the events the results post.
#include <cmath>
#include <cstring>

#include "armies/combat.h"
#include "armies/company.h"
#include "armies/division.h"
#include "armies/unit.h"
#include "characters/culture_table.h"
#include "foundation/random_generator.h"
#include "realms/country.h"

#include "foundation/safeguards.h"

namespace {

struct Shot {
    TroopType type;
    float multiplier;
};

// Who fires in which phase, in order; the attacker fires first.
constexpr Shot kAdvance[] = { { ARCHER_CAVALRY, 1.0f }, { ARCHERS, 1.0f } };
constexpr Shot kSkirmish[]
    = { { LIGHT_CAVALRY, 1.0f }, { ARCHER_CAVALRY, 1.0f }, { ARCHERS, 1.0f }, { MILITIA, 1.0f } };
constexpr Shot kMelee[] = { { HEAVY_CAVALRY, 1.0f }, { LIGHT_CAVALRY, 1.0f }, { ARCHER_CAVALRY, 0.5f },
    { PIKEMEN, 1.0f }, { HEAVY_INFANTRY, 1.0f }, { ARCHERS, 0.5f }, { MILITIA, 1.0f } };
constexpr Shot kPursuit[] = { { LIGHT_CAVALRY, 1.0f }, { ARCHER_CAVALRY, 1.0f } };

bool CultureIs(int32_t culture, const char* tag)
{
    return culture >= 0 && culture < kCultureCount && std::strcmp(kCultureTable[culture].tag, tag) == 0;
}

bool IsCrusaderOrder(int32_t culture)
{
    return CultureIs(culture, "templar_knight") || CultureIs(culture, "teutonic_order")
        || CultureIs(culture, "hospitaler_knights");
}

int Draw()
{
    return gGameRandom.Next();
}

} // namespace

void CRZCombatant::FormCompanies()
{
    for (CCompany* company : companies)
        delete company;
    companies.clear();
    for (auto it = GetFightingRegiments().GetHead(); !it.IsEnd(); it++) {
        CList<CCompany*> formed;
        (*it)->AddCompanies(formed);
        for (auto c = formed.GetHead(); !c.IsEnd(); c++)
            companies.push_back(*c);
    }
}

CRZCombatant::~CRZCombatant()
{
    for (CCompany* company : companies)
        delete company;
}

void CRZCombatant::FireAt(CRZCombatant& enemy, TroopType type, float multiplier)
{
    // The firing list is copied: the enemy's companies are formed anew for every shot.
    std::vector<CCompany*> firing;
    for (CCompany* company : companies) {
        if (company->GetType() == type && company->IsFighting())
            firing.push_back(company);
    }
    CMilitaryComposition& tally = attacker ? battle->defenderLosses : battle->attackerLosses;
    const CCharacter* chief = GetLeader();
    const float bonus = chief != nullptr ? chief->GetAttributes().GetCombatBonus() : 1.0f;
    for (CCompany* company : firing) {
        enemy.FormCompanies();
        if (enemy.companies.empty())
            return;
        CCompany* target = enemy.companies[static_cast<std::size_t>(Draw()) % enemy.companies.size()];
        const CDivision* shooter = company->GetRegiment();
        const CDivision* struck = target->GetRegiment();
        const TroopType e = target->GetType();
        const float crusade
            = IsCrusaderOrder(shooter->culture) && CultureIs(struck->culture, "muslim") ? 1.25f : 1.0f;
        const float roll = static_cast<float>(8 * (Draw() % 100));
        const float damage = std::trunc(
            shooter->GetAttValue(type) * shooter->GetAttMultiplier(type, e) * crusade * roll * multiplier);
        const float defence = struck->GetDefValue(e);
        const float x = defence > 0.0f ? damage / defence : 0.0f;
        int killed = static_cast<int>(x / 100.0f);
        if (x < 100.0f)
            killed = x > static_cast<float>(Draw() % 100) ? 1 : 0;
        if (killed > target->GetSize())
            killed = target->GetSize();
        const float morale = 2.0f * (bonus * shooter->GetShockValue(type) * roll / 100.0f);
        target->AddMoraleLosses(morale);
        target->AddLosses(killed);
        tally.Add(e, static_cast<float>(killed));
    }
}

void CRZCombatant::CheckTroopMorale()
{
    for (auto it = GetRegiments().GetHead(); !it.IsEnd(); it++) {
        if (!(*it)->IsRouted() && !(*it)->CheckMorale())
            (*it)->Rout();
    }
    if (GetFightingRegiments().IsEmpty())
        Retreat(nullptr, battle->province);
}

void CRZCombatant::TakeLosses()
{
    CRZUnitList* armies = GetUnits();
    if (armies == nullptr)
        return;
    std::vector<CRZUnit*> standing;
    for (auto it = armies->GetHead(); !it.IsEnd(); it++)
        standing.push_back(*it);
    bool anyKept = false;
    for (CRZUnit* army : standing) {
        std::vector<CDivision*> held;
        for (auto d = army->divisions.GetHead(); !d.IsEnd(); d++)
            held.push_back(*d);
        for (CDivision* division : held) {
            // The losses reach the division through an event that comes later; the men they leave decide
            // now, or a beaten side would stand another day with empty divisions.
            const int left = division->GetTotalMen() - division->losses.GetTotalSize();
            division->TakeLosses();
            if (left < 1)
                KillDivision(division);
        }
        if (army->divisions.IsEmpty())
            KillUnit(army);
        else
            anyKept = true;
    }
    if (!anyKept && !IsWinner())
        Retreat(nullptr, battle->province);
}

void CRZCombat::Fight()
{
    const Shot* shots = nullptr;
    std::size_t count = 0;
    switch (phase) {
    case ADVANCE:
        shots = kAdvance;
        count = std::size(kAdvance);
        break;
    case SKIRMISH:
        shots = kSkirmish;
        count = std::size(kSkirmish);
        break;
    case FRONT:
    case FLANK:
        shots = kMelee;
        count = std::size(kMelee);
        break;
    case PURSUE:
        shots = kPursuit;
        count = std::size(kPursuit);
        break;
    default:
        return;
    }
    attackerSide->FormCompanies();
    defenderSide->FormCompanies();
    if (phase == PURSUE) {
        CRZCombatant* winner = GetWinner();
        if (winner != nullptr) {
            for (std::size_t i = 0; i < count; ++i)
                winner->FireAt(winner->GetOpponent(), shots[i].type, shots[i].multiplier);
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i)
        attackerSide->FireAt(*defenderSide, shots[i].type, shots[i].multiplier);
    for (std::size_t i = 0; i < count; ++i)
        defenderSide->FireAt(*attackerSide, shots[i].type, shots[i].multiplier);
}

void CRZCombat::ExecuteCombatPhase()
{
    CalculateModifiers();
    if (++phaseDays > 4) {
        phaseDays = 0;
        phase = phase == FLANK ? SKIRMISH : phase + 1;
    }
    if (attackerSide->GetLeader() == nullptr || defenderSide->GetLeader() == nullptr) {
        EndCombat();
        return;
    }
    Fight();
    attackerSide->CheckTroopMorale();
    defenderSide->CheckTroopMorale();
    attackerSide->TakeLosses();
    defenderSide->TakeLosses();
    AiCheckRetreat();
    if (TerminationCheck())
        EndCombat();
    else
        ScheduleNextPhase();
}

void CRZCombat::AiCheckRetreat()
{
    if (!CRZCountry::OnHost() || attackerSide->defeated || defenderSide->defeated
        || gCombatHooks.CheckForRetreat == nullptr)
        return;
    auto wants = [](CRZCombatant& side, bool anyAnswer) {
        for (auto it = side.GetUnits()->GetHead(); !it.IsEnd(); it++) {
            if ((*it)->agent == NOID)
                continue;
            const int answer = gCombatHooks.CheckForRetreat(**it);
            if (anyAnswer ? answer != 0 : answer == 1)
                return true;
        }
        return false;
    };
    if (wants(*attackerSide, false))
        attackerSide->Retreat(nullptr, province);
    else if (wants(*defenderSide, true))
        defenderSide->Retreat(nullptr, province);
}

CMilitaryComposition CRZCombatant::GetStrength()
{
    CMilitaryComposition total;
    for (auto it = GetRegiments().GetHead(); !it.IsEnd(); it++)
        total += (*it)->GetStrength();
    return total;
}

int CRZCombatant::GetTotalMen()
{
    int men = 0;
    for (auto it = GetRegiments().GetHead(); !it.IsEnd(); it++) {
        if (!(*it)->IsRouted())
            men += (*it)->GetTotalMen();
    }
    return men;
}

float CRZCombatant::GetCurrentMorale()
{
    CList<CDivision*>& all = GetRegiments();
    if (all.IsEmpty())
        return 0.0f;
    float sum = 0.0f;
    for (auto it = all.GetHead(); !it.IsEnd(); it++)
        sum += (*it)->GetCurrentMorale();
    return sum / static_cast<float>(all.GetSize());
}

CList<CDivision*>& CRZCombatant::GetFightingRegiments()
{
    fightingDivisions.RemoveAll();
    for (auto it = GetRegiments().GetHead(); !it.IsEnd(); it++) {
        if (!(*it)->IsRouted())
            fightingDivisions.Append(*it);
    }
    return fightingDivisions;
}
