// The host's marches: a move order to a neighbouring province becomes one dated step, whose end moves the
// army on every machine; an order to an army in battle becomes its retreat; a march that a battle broke
// off is taken up again with the days already marched.
#include <algorithm>
#include <cmath>

#include "armies/army_servers.h"
#include "armies/combat.h"
#include "armies/unit.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/records_army.h"
#include "events/variable_events.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/terrain.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;

// Only neighbours are reached in one step; a longer way needs the path search.
bool OneStepAway(const CRZUnit& army, const CProvince& from, int to)
{
    return from.IsAdjacent(to) && army.HaveAccess(CProvince::GetProvince(to));
}

void SetPath(CRZUnit& army, bool replace, int to)
{
    CList<int32_t> path;
    path.Append(to);
    ProcessGlobalEvent(new CRZUnitMovePathEvent(army.GetID(), replace, path));
}

} // namespace

CRZUnitServer* CRZUnitServer::_pInstance = nullptr;

CRZUnitServer::CRZUnitServer()
{
    CRZStaticObject::Create(StaticID(UNIT_SERVER));
    _pInstance = this;
}

CRZUnitServer::~CRZUnitServer()
{
    if (_pInstance == this)
        _pInstance = nullptr;
}

int CRZUnitServer::Update(CRZEvent* event)
{
    if (!CRZCountry::OnHost())
        return 0;
    switch (event->GetType()) {
    case _CRZEVT_UNITMOVE_ADD_DEST_: {
        const auto* record = RecordAs<CRZUnitMoveAddDestEventData>(event);
        if (record != nullptr)
            handleUnitAddDestination(
                CRZUnit::GetUnit(record->unit), record->province, record->flag != 0, record->date);
        return kHandled;
    }
    case _CRZEVT_UNITSERVERUPDATE_: {
        const auto* record = RecordAs<CRZUnitServerMoveUpdateEventData>(event);
        if (record != nullptr)
            handleUnitServerMoveUpdate(CRZUnit::GetUnit(record->unit), record->province);
        return kHandled;
    }
    default:
        return 0;
    }
}

int CRZUnitServer::GetEstimatedMovementTime(CRZUnit*, int, int to)
{
    const CProvince* target = CProvince::GetProvince(to);
    if (target == nullptr || target->terrain < 0 || target->terrain >= kTerrainCount)
        return 1;
    const double cost = CTerrain::TerrainMoveCost[target->terrain] * 10.0;
    return std::max(1, static_cast<int>(std::trunc(static_cast<float>(cost))));
}

void CRZUnitServer::handleUnitAddDestination(CRZUnit* army, int to, bool replace, const CDate& date)
{
    if (army == nullptr)
        return;
    if (replace && to == army->GetProvince() && !army->movementOrders.empty()) {
        CancelMovements(army);
        return;
    }
    if (CRZCombat* battle = army->battle) {
        CRZCombatant& side = army->isAttackerCombat() ? battle->Attackers() : battle->Defenders();
        side.Retreat(army, army->GetRetreatProvinceID());
        return;
    }
    const CProvince* target = CProvince::GetProvince(to);
    const CProvince* here = CProvince::GetProvince(army->GetProvince());
    if (target == nullptr || target->terrain == TERRAIN_OCEAN || target->terrain == TERRAIN_LAKE
        || here == nullptr)
        return;
    if (!OneStepAway(*army, *here, to))
        return;
    const bool marching = !army->movementOrders.empty();
    if (marching && replace && army->movementOrders.front() != to)
        RemoveScheduledUnitMoves(army);
    const bool schedule = !marching || (replace && army->movementOrders.front() != to);
    SetPath(*army, replace, to);
    if (schedule)
        ScheduleMoveUpdate(army, army->GetProvince(), to, date);
}

void CRZUnitServer::ScheduleMoveUpdate(CRZUnit* army, int from, int to, const CDate& date)
{
    const int days = GetEstimatedMovementTime(army, from, to);
    const CDate today = GetGameToday();
    CDate start = date > today ? date : today;
    CDate end = start;
    end.AddDays(days);
    army->movestart = start;
    army->movetime = end;
    auto* step = new CRZUnitServerMoveUpdateEvent(army->GetID(), to);
    army->scheduledMove = step;
    ScheduleLocalEvent(step, end);
}

void CRZUnitServer::handleUnitServerMoveUpdate(CRZUnit* army, int to)
{
    if (army == nullptr)
        return;
    army->scheduledMove = nullptr;
    if (!army->HaveAccess(CProvince::GetProvince(to))) {
        CancelMovements(army);
        return;
    }
    if (army->movementOrders.size() > 1)
        ScheduleMoveUpdate(army, to, army->movementOrders[1], GetGameToday());
    ProcessGlobalEvent(new CRZUnitMoveEvent(_CRZEVT_UNITMOVE_, army->GetID(), to, NOID));
}

void CRZUnitServer::ScheduleRestartedMove(CRZUnit* army)
{
    const CProvince* here = army != nullptr ? CProvince::GetProvince(army->GetProvince()) : nullptr;
    if (here == nullptr || army->interruptedDest == 0 || !OneStepAway(*army, *here, army->interruptedDest))
        return;
    const int to = army->interruptedDest;
    SetPath(*army, true, to);
    CDate start = GetGameToday();
    start.AddDays(-army->interruptedDays);
    CDate end = start;
    end.AddDays(GetEstimatedMovementTime(army, army->GetProvince(), to));
    army->movestart = start;
    army->movetime = end;
    auto* step = new CRZUnitServerMoveUpdateEvent(army->GetID(), to);
    army->scheduledMove = step;
    ScheduleLocalEvent(step, end);
}

void CRZUnitServer::CancelMovements(CRZUnit* army)
{
    if (army == nullptr)
        return;
    if (army->retreating) {
        const int to = army->GetRetreatProvinceID();
        if (to != 0 && to != army->GetProvince()) {
            handleUnitAddDestination(army, to, true, CDate());
            return;
        }
        if (army->owner != nullptr)
            ProcessGlobalEvent(
                new CRZUnitEvent(_CRZEVT_UNITDELETE_, army->owner->GetID(), army->GetID(), true));
        return;
    }
    if (!army->movementOrders.empty())
        ProcessGlobalEvent(new CRZUnitEvent(_CRZEVT_UNITMOVECANCEL_, army->GetID(), army->GetID(), true));
}

void CRZUnitServer::RemoveScheduledUnitMoves(CRZUnit* army)
{
    if (army == nullptr || army->scheduledMove == nullptr)
        return;
    army->scheduledMove->GetData()->receiver = NOID;
    army->scheduledMove = nullptr;
}
