// The client endpoint: the day-by-day advance of the date on every machine, and the session and
// end-of-game events addressed to this machine.
#include "world/client.h"

#include <algorithm>
#include <cstring>

#include "events/event_posting.h"
#include "events/event_routing.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/records_session.h"
#include "messages/end_box.h"
#include "scripted/game_event_server.h"
#include "world/global.h"

#include "foundation/safeguards.h"

CRZClientHooks gClientHooks;
CRZClient* gpClient = nullptr;

namespace {

// The int at the head of a record laid out as CRZIntData, or false when the record is too short to
// hold one.
bool ReadIntRecord(const CRZEvent* event, int32_t& value)
{
    if (event->GetDataSize() < sizeof(CRZIntData))
        return false;
    std::memcpy(&value, reinterpret_cast<const uint8_t*>(event->GetData()) + offsetof(CRZIntData, value),
        sizeof value);
    return true;
}

// Days a date event asks for, kept to what one event may carry: the count comes from the network.
int DaysOf(const CRZEvent* event)
{
    int32_t days = 0;
    if (!ReadIntRecord(event, days))
        return 0;
    return std::clamp<int32_t>(days, 0, kMaxDaysPerDateEvent);
}

} // namespace

CRZClient::CRZClient()
{
    Create(BASIC_CLIENT);
}

CRZClient::~CRZClient()
{
    if (gEventRoutes.client == this)
        gEventRoutes.client = nullptr;
}

int CRZClient::Update(CRZEvent* event)
{
    switch (event->GetType()) {
    case _CRZEVT_TIMER_DATE_:
        AdvanceDays(event);
        return 0;
    case _CRZEVT_PING_: {
        int32_t value = 0;
        if (ReadIntRecord(event, value) && gClientHooks.HandlePing)
            gClientHooks.HandlePing(value);
        return 0;
    }
    case _CRZEVT_DROP_PLAYER_INGAME_: {
        int32_t player = -1;
        // The index comes from the network: only the session's own player records are touched.
        if (ReadIntRecord(event, player) && player >= 0 && player < kSessionPlayers
            && gClientHooks.ClearPlayerReady)
            gClientHooks.ClearPlayerReady(player);
        return 3;
    }
    case _CRZEVT_EXECUTE_EVENT_:
        if (gGlobal.gameEventServer)
            gGlobal.gameEventServer->Update(event);
        return 0;
    case _CRZEVT_WE_HAVE_A_WINNER_:
        HandleWinner(event);
        return 0;
    default:
        return 0;
    }
}

void CRZClient::AdvanceDays(CRZEvent* event)
{
    // The count is read again every round, as the event may be looked at by the day's handlers.
    for (int day = 0; gpTimer != nullptr && day < DaysOf(event); ++day) {
        gpTimer->HandleAddDays(1);
        ProcessLocalEvent(new CRZTimerEvent(_CRZEVT_TIMER_DAY_, ALLID, gpTimer->GetDate()));
    }
}

void CRZClient::HandleWinner(CRZEvent* event)
{
    auto* victory = dynamic_cast<CRZVictoryEvent*>(event);
    if (victory == nullptr)
        return;
    // The clock stops before the box shows, so no day passes behind it.
    if (gpTimer)
        gpTimer->SetRunning(false);
    const CRZCountryID local = gClientHooks.GetLocalCountry ? gClientHooks.GetLocalCountry() : 0;
    endBox = std::make_unique<CEndBox>(local, victory->Record().country);
    gameEndResult = static_cast<int32_t>(victory->Record().victory);
    endBox->SetText();
    endBox->InitBox();
}

void ReplaceClient()
{
    delete gpClient;
    gpClient = new CRZClient;
    gEventRoutes.client = gpClient;
}
