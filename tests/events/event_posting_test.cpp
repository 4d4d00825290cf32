// The posting operations in single player, on the host and on a client: what runs here, what goes to
// the outgoing list, and that every event is deleted after processing.
#include <gtest/gtest.h>

#include "event_fakes.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "events/net_event.h"

#include "foundation/safeguards.h"

namespace {

enum class Machine { SinglePlayer, Host, Client };

// Runs the frame's processing and sending; answers how many copies the session sent.
size_t Drain(CFakeSession& session)
{
    gEventScheduler.ProcessAll();
    gEventScheduler.EmptyExternalList();
    return session.sentTypes.size();
}

class Posting : public EventTest {
protected:
    CFakeSession session;

    void On(Machine machine)
    {
        session.host = machine == Machine::Host;
        session.open = machine != Machine::SinglePlayer;
        SetEventSession(&session);
    }
    static CRZEvent* Request() { return new CRZIntEvent(_CRZEVT_GAIN_MANPOWER_, INVESTMENT_SERVER, 5); }
};

} // namespace

TEST_F(Posting, ToHostEventRunsOnTheHostAndIsOnlySentByAClient)
{
    struct Case {
        Machine machine;
        size_t delivered;
        size_t sent;
    };
    for (const Case& c : { Case { Machine::SinglePlayer, 1, 0 }, Case { Machine::Host, 1, 0 },
             Case { Machine::Client, 0, 1 } }) {
        On(c.machine);
        delivered.clear();
        session.sentTypes.clear();
        PostToHostEvent(Request());
        EXPECT_EQ(Drain(session), c.sent);
        EXPECT_EQ(delivered.size(), c.delivered);

        delivered.clear();
        session.sentTypes.clear();
        ProcessToHostEvent(Request());
        EXPECT_EQ(Drain(session), c.sent);
        EXPECT_EQ(delivered.size(), c.delivered);
    }
}

TEST_F(Posting, ToHostEventClearsFlagsItWasPostedWith)
{
    On(Machine::Host);
    CRZEvent* event = Request();
    event->SetSend(true);
    event->SetLocal(false);
    PostToHostEvent(event);
    ASSERT_EQ(gEventScheduler.Peek(), event);
    EXPECT_FALSE(event->GetSend());
    EXPECT_TRUE(event->GetLocal());
}

TEST_F(Posting, GlobalEventRunsHereAndSendsTheRecordAsPosted)
{
    On(Machine::Host);
    CRZIntEvent* event = new CRZIntEvent(_CRZEVT_TIMER_DATE_, BASIC_CLIENT, 3);
    std::vector<uint8_t> posted(reinterpret_cast<uint8_t*>(event->GetData()),
        reinterpret_cast<uint8_t*>(event->GetData()) + event->GetDataSize());
    // The receiver changes the record; the copy was taken before it saw the event.
    onDeliver = [](CRZEvent* e) { static_cast<CRZIntEvent*>(e)->Record().value = 99; };
    PostGlobalEvent(event);
    EXPECT_EQ(Drain(session), 1u);
    EXPECT_EQ(delivered, std::vector<uint32_t> { _CRZEVT_TIMER_DATE_ });
    EXPECT_EQ(session.sentRecords.at(0), posted);
}

TEST_F(Posting, ProcessOperationsAnswerTheRoutingAndDropEventsWithoutReceiver)
{
    On(Machine::Host);
    EXPECT_EQ(ProcessGlobalEvent(Request()), 1);
    EXPECT_EQ(ProcessLocalEvent(Request()), 1);
    EXPECT_EQ(ProcessGlobalEvent(new CRZGenericEvent(_CRZEVT_GAME_END_, NOID)), 0);
    EXPECT_EQ(delivered.size(), 2u);
    EXPECT_EQ(Drain(session), 1u) << "the dropped event is not sent either";
}

TEST_F(Posting, ExternalEventIsSentAndNeverRunsHere)
{
    On(Machine::Client);
    PostExternalEvent(Request());
    EXPECT_TRUE(gEventScheduler.IsEmpty());
    EXPECT_TRUE(delivered.empty());
    EXPECT_EQ(gEventScheduler.GetExternalCount(), 1u);
    EXPECT_EQ(Drain(session), 1u);
    EXPECT_TRUE(delivered.empty());
}

TEST_F(Posting, ReceivedEventPostedLocallyIsNotSentAgain)
{
    On(Machine::Client);
    CRZIntEvent original(_CRZEVT_PING_, BASIC_CLIENT, 8);
    original.SetSend(true);
    CRZNetEvent net(&original);
    PostLocalEvent(new CRZIntEvent(&net));
    EXPECT_EQ(Drain(session), 0u);
    EXPECT_EQ(delivered, std::vector<uint32_t> { _CRZEVT_PING_ });
}

TEST_F(Posting, ScheduledEventIsLocalAndDated)
{
    On(Machine::Client);
    CRZEvent* event = Request();
    event->SetSend(true);
    clock = CDate(0, 0, 1066);
    ScheduleLocalEvent(event, CDate(2, 0, 1066));
    EXPECT_FALSE(event->GetSend());
    EXPECT_TRUE(event->GetLocal());
    EXPECT_TRUE(event->GetDate() == CDate(2, 0, 1066));
    EXPECT_EQ(gEventScheduler.GetQueueSize(), 0u);
    clock = CDate(2, 0, 1066);
    EXPECT_EQ(Drain(session), 0u);
    EXPECT_EQ(delivered.size(), 1u);
}
