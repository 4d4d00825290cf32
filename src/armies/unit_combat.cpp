// An army in battle and on the march: who it may fight, where it falls back to, and the events that
// complete it, move it and check it daily.
#include "armies/unit.h"

#include <algorithm>

#include "armies/army_servers.h"
#include "armies/combat.h"
#include "armies/division.h"
#include "armies/unit_list.h"
#include "characters/character.h"
#include "events/event_posting.h"
#include "events/records_army.h"
#include "events/variable_events.h"
#include "realms/country.h"
#include "realms/owner_area.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;

bool ControllerAtWarWith(const CProvince* province, const CRZCountry* realm)
{
    return province != nullptr && realm != nullptr && province->GetControllerID() != kNoCountry
        && realm->IsAtWarWith(province->GetControllerID());
}

void TellCombatServer(CRZUnit& army)
{
    if (CRZCountry::OnHost() && army.exclusion == 0) {
        if (CRZCombatServer* server = CRZCombatServer::GetInstance())
            server->NewUnitArrived(&army, army.GetProvince());
    }
}

void DeleteLocally(CRZUnit& army)
{
    if (army.owner != nullptr)
        PostLocalEvent(new CRZUnitEvent(_CRZEVT_UNITDELETE_, army.owner->GetID(), army.GetID(), true));
}

} // namespace

int CRZUnit::Update(CRZEvent* event)
{
    switch (event->GetType()) {
    case _CRZEVT_UNIT_FINISH_:
        TellCombatServer(*this);
        return kHandled;
    case _CRZEVT_TIMER_DAY_: {
        const CProvince* here = CProvince::GetProvince(province);
        if (retreating && !IsInBattle() && movementOrders.empty()) {
            if (ControllerAtWarWith(here, owner))
                DeleteLocally(*this);
            else
                retreating = false;
        } else if (exclusion == 0 && movementOrders.empty() && !IsInBattle() && !retreating) {
            if (ControllerAtWarWith(here, owner)) {
                if (divisions.IsEmpty()) {
                    DeleteLocally(*this);
                    return 0;
                }
                exiled = false;
            }
            TellCombatServer(*this);
        }
        return 0;
    }
    case _CRZEVT_UNITMOVEDATE_:
        if (const auto* record = RecordAs<CRZUnitMoveDateEventData>(event)) {
            movestart = record->first;
            movetime = record->second;
        }
        return kHandled;
    case _CRZEVT_UNITMOVE_: {
        const auto* record = RecordAs<CRZUnitMoveEventData>(event);
        const int to = record != nullptr ? record->province : 0;
        if (CProvince::GetProvince(to) == nullptr || to == 0)
            return kHandled;
        interruptedDest = 0;
        previousProvince = province;
        if (!movementOrders.empty() && movementOrders.front() == to)
            movementOrders.erase(movementOrders.begin());
        if (movementOrders.empty()) {
            moving = false;
            retreating = false;
        }
        exiled = false;
        const int from = province;
        SetInProvince(to);
        if (from != to)
            TellCombatServer(*this);
        return kHandled;
    }
    case _CRZEVT_UNITMOVEPATH_: {
        auto* path = dynamic_cast<CRZUnitMovePathEvent*>(event);
        // The count must fit the record that carries the provinces.
        if (path == nullptr || 32ull + 2ull * path->GetCount() > path->GetHeldSize())
            return kHandled;
        if (path->Record().flag != 0)
            movementOrders.clear();
        for (uint32_t i = 0; i < path->GetCount(); ++i) {
            const int next = path->GetProvince(i);
            if (next != 0 && CProvince::GetProvince(next) != nullptr)
                movementOrders.push_back(next);
        }
        moving = !movementOrders.empty();
        return kHandled;
    }
    case _CRZEVT_UNITMOVECANCEL_:
        if (!IsInBattle())
            CancelAllMovement();
        return kHandled;
    default:
        return 0;
    }
}

CCharacter* CRZUnit::GetLeader() const
{
    CCharacter* best = nullptr;
    for (auto it = divisions.GetHead(); !it.IsEnd(); it++) {
        CCharacter* leader = *it != nullptr ? (*it)->GetLeader() : nullptr;
        if (leader != nullptr && (best == nullptr || leader->GetRank() > best->GetRank()))
            best = leader;
    }
    if (best != nullptr)
        return best;
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(kAnonymousSoldierID));
}

bool CRZUnit::IsEnemy(const CRZUnit* other) const
{
    if (other == nullptr || owner == nullptr || other->owner == nullptr)
        return false;
    return owner->IsEnemy(other->owner->index) || other->owner->IsEnemy(owner->index);
}

bool CRZUnit::IsValidOpponent(const CRZUnit* other, const CRZCombat*) const
{
    if (other == nullptr || other == this)
        return false;
    if (exiled || other->exiled || exclusion != 0 || other->exclusion != 0)
        return false;
    if (owner == other->owner || divisions.IsEmpty() || other->divisions.IsEmpty())
        return false;
    if (retreating || other->retreating)
        return false;
    return IsEnemy(other);
}

void CRZUnit::CombatStarted(const DynamicID& battleId, bool attacker)
{
    retreating = false;
    const bool first = battle == nullptr;
    if (first && !movementOrders.empty()) {
        interruptedDest = movementOrders.front();
        const CDate today = GetGameToday();
        interruptedDays = today > movestart ? today.GetDays() - movestart.GetDays() : 0;
    } else if (first) {
        interruptedDest = 0;
    }
    // The battle is set after the march is cancelled: a fighting army's cancel would be ignored.
    CancelAllMovement();
    battle = CRZCombat::GetCombat(battleId);
    isAttacker = attacker;
}

void CRZUnit::CombatEnded(const DynamicID& battleId)
{
    if (battle != nullptr && battle->GetID() == battleId) {
        battle = nullptr;
        isAttacker = false;
    }
}

void CRZUnit::Retreat(int)
{
    for (auto it = divisions.GetHead(); !it.IsEnd(); it++) {
        if (*it != nullptr)
            (*it)->ResetState();
    }
    retreating = true;
}

void CRZUnit::CancelAllMovement()
{
    if (CRZCountry::OnHost()) {
        if (CRZUnitServer* server = CRZUnitServer::GetInstance())
            server->RemoveScheduledUnitMoves(this);
    }
    retreating = false;
    moving = false;
    movementOrders.clear();
}

bool CRZUnit::CanRetreatTo(int number) const
{
    const CProvince* here = CProvince::GetProvince(province);
    const CProvince* there = CProvince::GetProvince(number);
    if (number == 0 || there == nullptr || here == nullptr || owner == nullptr
        || owner->index == kRebelCountry)
        return false;
    if (!here->IsAdjacent(number) || there->terrain == TERRAIN_OCEAN || there->terrain == TERRAIN_LAKE)
        return false;
    if (!HaveAccess(there))
        return false;
    if (owner->HaveAccess(number))
        return true;
    const CRZCountry* landlord = there->GetOwner();
    const CRZCountryID controller = there->GetControllerID();
    if (landlord == nullptr || controller == kNoCountry)
        return true;
    if (landlord != owner && !owner->IsAtWarWith(landlord->index))
        return false;
    if (controller == owner->index || owner->IsAtWarWith(landlord->index))
        return true;
    return landlord == owner;
}

int CRZUnit::GetRetreatProvinceID() const
{
    const CProvince* here = CProvince::GetProvince(province);
    if (!CRZCountry::OnHost() || here == nullptr || owner == nullptr || owner->index == kRebelCountry)
        return 0;
    const CProvince* cameFrom = CProvince::GetProvince(previousProvince);
    int best = 0;
    float bestScore = 0.0f;
    for (int i = 0; i < here->GetNeighborCount(); ++i) {
        const int number = here->GetNeighbor(i).number;
        const CProvince* candidate = CProvince::GetProvince(number);
        if (candidate == nullptr || !candidate->IsLand() || !HaveAccess(candidate))
            continue;
        if (cameFrom != nullptr && number != previousProvince && !cameFrom->IsAdjacent(number))
            continue;
        if (ControllerAtWarWith(candidate, owner))
            continue;
        float score = 200.0f - 1.0f;
        if (candidate->ownerArea != nullptr)
            score += static_cast<float>(candidate->ownerArea->GetProvinces().GetSize());
        if (candidate->GetOwner() == owner)
            score += 10.0f;
        if (number == previousProvince)
            score += 70.0f;
        const float infrastructure = candidate->GetInfrastructure();
        score *= infrastructure;
        if (candidate->area != owner->GetHomeArea() && infrastructure < 0.33f)
            score = infrastructure;
        if (score > 0.1f && (best == 0 || score > bestScore)) {
            best = number;
            bestScore = score;
        }
    }
    return best;
}

CCharacter* CRZUnitList::GetLeader() const
{
    CCharacter* best = nullptr;
    for (auto it = GetHead(); !it.IsEnd(); it++) {
        CCharacter* leader = *it != nullptr ? (*it)->GetLeader() : nullptr;
        if (leader != nullptr && (best == nullptr || leader->GetRank() > best->GetRank()))
            best = leader;
    }
    return best;
}

bool CRZUnitList::IsEnemy(const CRZUnit* army) const
{
    if (army == nullptr)
        return false;
    for (auto it = GetHead(); !it.IsEnd(); it++) {
        if (*it != nullptr && (*it)->IsEnemy(army))
            return true;
    }
    return false;
}

bool CRZUnitList::IsValidOpponent(const CRZUnit* army, const CRZCombat* battle) const
{
    if (army == nullptr || IsEmpty())
        return false;
    for (auto it = GetHead(); !it.IsEnd(); it++) {
        if (*it == nullptr || !(*it)->IsValidOpponent(army, battle))
            return false;
    }
    return true;
}
