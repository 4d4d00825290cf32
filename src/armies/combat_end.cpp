// How a battle ends: a side retreating, the winner and the major-battle test, and the results that reach
// the wars, the crusade, the realms and the computer opponents. Decided on the host; every machine follows
// through the global events.
#include <cmath>

#include "armies/battle_result.h"
#include "armies/combat.h"
#include "armies/unit.h"
#include "characters/character.h"
#include "characters/crusade.h"
#include "events/event_posting.h"
#include "events/records_army.h"
#include "events/variable_events.h"
#include "realms/country.h"
#include "realms/war.h"

#include "foundation/safeguards.h"

namespace {

// The two Christian faiths of the religion table.
constexpr int32_t kCatholic = 0;
constexpr int32_t kOrthodox = 1;

bool IsAllNonChristian(const CRZCountryList& realms)
{
    for (auto it = realms.GetHead(); !it.IsEnd(); it++) {
        const CRZCountry* realm = CRZCountry::GetCountry(*it);
        if (realm == nullptr)
            return false;
        const int32_t faith = realm->ruler != nullptr ? realm->ruler->religion : kCatholic;
        if (faith == kCatholic || faith == kOrthodox)
            return false;
    }
    return true;
}

} // namespace

void CRZCombat::HandleRetreat(CRZUnit* army, int where, bool attacker)
{
    CRZCombatant& side = attacker ? *attackerSide : *defenderSide;
    const CRZCombatant& pursuer = side.GetOpponent();
    const bool alreadyRetreating = side.retreating;
    const bool pursuerRetreating = pursuer.retreating;
    side.HandleRetreat(army, where);
    if (CRZCountry::OnHost() && !alreadyRetreating && !pursuerRetreating)
        side.RetreatNow(army);
}

void CRZCombat::CalcMajorBattle(CRZCombatant& winner, CRZCombatant& loser)
{
    const int winnerLost = winner.startingStrength - winner.GetSize();
    const int loserLost = loser.startingStrength - loser.GetSize();
    major = winner.startingStrength > 9999 && loser.startingStrength > 9999
        && winnerLost < static_cast<int>(std::trunc(static_cast<double>(loserLost) * 0.5))
        && static_cast<int>(std::trunc(static_cast<double>(loser.startingStrength) * 0.666)) <= loserLost;
}

void CRZCombat::EndCombat()
{
    if (ended)
        return;
    if (attackerSide->IsWinner()) {
        attackerSide->BattleWon(*defenderSide);
        CalcMajorBattle(*attackerSide, *defenderSide);
    } else if (defenderSide->IsWinner()) {
        defenderSide->BattleWon(*attackerSide);
        CalcMajorBattle(*defenderSide, *attackerSide);
    }
    const DynamicID self = GetID();
    ProcessGlobalEvent(new CRZCombatEvent(_CRZEVT_COMBAT_ENDED_, self, kind, self, GetGameToday()));
    SendBattleResultEvents();
    PostLocalEvent(new CRZCombatEvent(_CRZEVT_COMBAT_ENDED_, COMBAT_SERVER, kind, self, GetGameToday()));
}

void CRZCombat::HandleCombatEnded()
{
    if (ended)
        return;
    ended = true;
    attackerSide->HandleCombatEnded();
    defenderSide->HandleCombatEnded();
}

void CRZCombat::SendBattleResultEvents()
{
    const CDate today = GetGameToday();
    auto result = [&](bool aggressorAttacked) {
        return CBattleResult(province, startDate, today, attackerLosses, defenderLosses, aggressorAttacked,
            defenderSide->defeated, attackerSide->participants.GetSize(),
            defenderSide->participants.GetSize());
    };
    if (const CCrusade* crusade = CCrusade::GetInstance(); crusade != nullptr && crusade->IsActive()) {
        const bool attackersHeathen = IsAllNonChristian(attackerSide->participants);
        const bool defendersHeathen = IsAllNonChristian(defenderSide->participants);
        if (attackersHeathen != defendersHeathen) {
            const CRZCombatant& credited = attackersHeathen ? *attackerSide : *defenderSide;
            crusade->AddScoreFromBattle(result(true), attackersHeathen, credited.participants);
        }
    }
    if (CWar::_pWars != nullptr) {
        for (auto it = CWar::_pWars->GetHead(); !it.IsEnd(); it++) {
            CWar* war = *it;
            if (war == nullptr || !war->IsValid())
                continue;
            if (war->IsAttacker(attackerSide->participants) && war->IsDefender(defenderSide->participants))
                war->AddBattleResult(result(true));
            else if (war->IsAttacker(defenderSide->participants)
                && war->IsDefender(attackerSide->participants))
                war->AddBattleResult(result(false));
        }
    }

    CRZCombatant& w = attackerSide->IsWinner() ? *attackerSide : *defenderSide;
    CRZCombatant& o = w.GetOpponent();
    const bool won = w.IsWinner();
    bool first = true;
    auto notify = [&](CRZCountryID realm, RZBattleResultType type) {
        if (gCombatHooks.NotifyBattleResult != nullptr)
            gCombatHooks.NotifyBattleResult(realm, *this, type, first);
        first = false;
    };
    // The lists are copied: a realm's handler must not change what is being walked.
    CRZCountryList winners;
    CRZCountryList losers;
    for (auto it = w.participants.GetHead(); !it.IsEnd(); it++)
        winners.Append(*it);
    for (auto it = o.participants.GetHead(); !it.IsEnd(); it++)
        losers.Append(*it);
    for (auto it = winners.GetHead(); !it.IsEnd(); it++) {
        if (won) {
            ProcessGlobalEvent(new CRZBattleWonEvent(
                _CRZEVT_PROVBATTLEWON_, CountryIdentity(*it), GetID(), province, losers));
        }
        notify(*it, won ? BATTLE_WON : BATTLE_DRAW);
    }
    for (auto it = losers.GetHead(); !it.IsEnd(); it++) {
        if (won) {
            ProcessGlobalEvent(new CRZBattleLostEvent(_CRZEVT_PROVBATTLELOST_, CountryIdentity(*it), province,
                static_cast<unsigned short>(major ? 1 : 0)));
        }
        notify(*it, won ? BATTLE_LOST : BATTLE_DRAW);
    }
}
