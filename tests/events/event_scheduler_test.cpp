// The scheduler: undated before dated, dated events on their day, draining of events posted while
// processing, and the outgoing and input lists.
#include <gtest/gtest.h>

#include <vector>

#include "event_fakes.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "events/net_event.h"

#include "foundation/safeguards.h"

namespace {

CRZIntEvent* Numbered(int n)
{
    return new CRZIntEvent(_CRZEVT_AI_TICK_, CRZID(3, 1), n);
}

// The numbers carried by the events the fake routing delivered, in order.
std::vector<int> gRun;
void RecordNumber(CRZEvent* event)
{
    if (auto* numbered = dynamic_cast<CRZIntEvent*>(event))
        gRun.push_back(numbered->Record().value);
}

struct Point {
    int x, y;
};

class Scheduler : public EventTest {
protected:
    void SetUp() override
    {
        EventTest::SetUp();
        gRun.clear();
        onDeliver = &RecordNumber;
    }
};

} // namespace

TEST_F(Scheduler, UndatedEventsRunFirstInFirstOutBeforeDatedOnes)
{
    clock = CDate(0, 0, 1100);
    ScheduleLocalEvent(Numbered(10), CDate(0, 0, 1099));
    PostLocalEvent(Numbered(1));
    ScheduleLocalEvent(Numbered(11), CDate(5, 3, 1066));
    PostGlobalEvent(Numbered(2));
    PostLocalEvent(Numbered(3));
    EXPECT_EQ(gEventScheduler.GetSize(), 5u);
    EXPECT_EQ(gEventScheduler.GetQueueSize(), 3u);

    gEventScheduler.ProcessAll();
    EXPECT_EQ(gRun, (std::vector<int> { 1, 2, 3, 11, 10 }));
    EXPECT_TRUE(gEventScheduler.IsEmpty());
}

TEST_F(Scheduler, DatedEventRunsOnItsDayAndNotBefore)
{
    clock = CDate(28, 11, 1100);
    ScheduleLocalEvent(Numbered(1), CDate(0, 0, 1101));
    ScheduleLocalEvent(Numbered(2), CDate(29, 11, 1100));

    EXPECT_FALSE(gEventScheduler.ProcessNext());
    EXPECT_EQ(gEventScheduler.Pop(), nullptr);
    ASSERT_NE(gEventScheduler.Peek(), nullptr);
    EXPECT_TRUE(gEventScheduler.Peek()->GetDate() == CDate(29, 11, 1100));
    EXPECT_EQ(gEventScheduler.PeekHeap(), gEventScheduler.Peek());

    clock.AddDays(1);
    gEventScheduler.ProcessAll();
    EXPECT_EQ(gRun, std::vector<int> { 2 });
    clock.AddDays(1);
    gEventScheduler.ProcessAll();
    EXPECT_EQ(gRun, (std::vector<int> { 2, 1 }));
}

TEST_F(Scheduler, DatesBeforeDayOneJoinTheUndatedQueue)
{
    clock = CDate(0, 0, 1066);
    ScheduleLocalEvent(Numbered(1), CDate(5, 0, 1070));
    ScheduleLocalEvent(Numbered(2), CDate());
    ScheduleLocalEvent(Numbered(3), CDate(-1, 0, 0));
    ScheduleLocalEvent(Numbered(4), CDate(1, 0, 0));
    EXPECT_EQ(gEventScheduler.GetQueueSize(), 2u);
    EXPECT_EQ(gEventScheduler.GetSize(), 4u);
    gEventScheduler.ProcessAll();
    EXPECT_EQ(gRun, (std::vector<int> { 2, 3, 4 }));
}

TEST_F(Scheduler, WithoutAClockNoDatedEventIsDue)
{
    gEventScheduler.SetClockDate(nullptr);
    ScheduleLocalEvent(Numbered(1), CDate(0, 0, 1066));
    PostLocalEvent(Numbered(2));
    gEventScheduler.ProcessAll();
    EXPECT_EQ(gRun, std::vector<int> { 2 });
    EXPECT_EQ(gEventScheduler.GetSize(), 1u);
}

TEST_F(Scheduler, EventsPostedWhileProcessingRunInTheSameDrain)
{
    clock = CDate(0, 0, 1100);
    // Each delivered event below 5 posts its successor, and the first also one that is due today.
    onDeliver = [](CRZEvent* event) {
        RecordNumber(event);
        const int n = static_cast<CRZIntEvent*>(event)->Record().value;
        if (n == 1)
            ScheduleLocalEvent(Numbered(100), CDate(0, 0, 1100));
        if (n < 5)
            PostLocalEvent(Numbered(n + 1));
    };
    PostLocalEvent(Numbered(1));
    gEventScheduler.ProcessAll();
    EXPECT_EQ(gRun, (std::vector<int> { 1, 2, 3, 4, 5, 100 }));
    EXPECT_TRUE(gEventScheduler.IsEmpty());
}

TEST_F(Scheduler, ForEachVisitsQueueThenHeapAndMayRewriteRecords)
{
    PostLocalEvent(Numbered(1));
    ScheduleLocalEvent(Numbered(2), CDate(0, 0, 1200));
    PostLocalEvent(Numbered(3));
    std::vector<int> seen;
    gEventScheduler.ForEach([&seen](CRZEvent* event) {
        CRZIntEvent* e = static_cast<CRZIntEvent*>(event);
        seen.push_back(e->Record().value);
        e->Record().value *= 10;
    });
    EXPECT_EQ(seen, (std::vector<int> { 1, 3, 2 }));
    clock = CDate(0, 0, 1200);
    gEventScheduler.ProcessAll();
    EXPECT_EQ(gRun, (std::vector<int> { 10, 30, 20 }));
}

TEST_F(Scheduler, EraseDeletesQueuedDatedAndOutgoingButKeepsInput)
{
    PostLocalEvent(Numbered(1));
    ScheduleLocalEvent(Numbered(2), CDate(0, 0, 1300));
    ScheduleLocalEvent(Numbered(3), CDate(0, 0, 1301));
    std::unique_ptr<CRZEvent> copied(Numbered(4));
    gEventScheduler.AddExternalEvent(new CRZNetEvent(copied.get()));
    PostInputEvent(new CRZInputEvent(_CRZEVT_MOUSEMOVE_, 0, 0, Point { 4, 5 }));

    gEventScheduler.Erase();
    EXPECT_TRUE(gEventScheduler.IsEmpty());
    EXPECT_EQ(gEventScheduler.GetExternalCount(), 0u);
    EXPECT_EQ(gEventScheduler.GetInputCount(), 1u);

    gEventScheduler.ProcessInput();
    EXPECT_EQ(delivered, std::vector<uint32_t> { _CRZEVT_MOUSEMOVE_ });
    EXPECT_EQ(gEventScheduler.GetInputCount(), 0u);
}

TEST_F(Scheduler, OutgoingListIsSentThroughAnOpenSessionAndAlwaysEmptied)
{
    CFakeSession session;
    SetEventSession(&session);
    for (bool open : { true, false }) {
        session.open = open;
        session.sentTypes.clear();
        PostGlobalEvent(new CRZIntEvent(_CRZEVT_PING_, BASIC_CLIENT, 1));
        PostGlobalEvent(new CRZGenericEvent(_CRZEVT_GAME_END_, ALLID));
        gEventScheduler.ProcessAll();
        EXPECT_EQ(gEventScheduler.GetExternalCount(), 2u);
        gEventScheduler.EmptyExternalList();
        EXPECT_EQ(gEventScheduler.GetExternalCount(), 0u);
        if (open)
            EXPECT_EQ(session.sentTypes, (std::vector<uint32_t> { _CRZEVT_PING_, _CRZEVT_GAME_END_ }));
        else
            EXPECT_TRUE(session.sentTypes.empty());
    }
    // Without any session the copies are freed unsent; LeakSanitizer checks that nothing stays.
    SetEventSession(nullptr);
    PostGlobalEvent(new CRZIntEvent(_CRZEVT_PING_, BASIC_CLIENT, 1));
    gEventScheduler.ProcessAll();
    gEventScheduler.EmptyExternalList();
    EXPECT_EQ(gEventScheduler.GetExternalCount(), 0u);
}
