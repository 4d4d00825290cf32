// CScheduler, the one holder of every posted event not yet processed (gEventScheduler): undated events
// first in first out, dated events when the game date reaches them, the outgoing network copies and
// the pending input.
#pragma once

#include <cstdint>
#include <functional>

#include "events/event.h"
#include "foundation/calendar_date.h"
#include "foundation/heap.h"
#include "foundation/linked_list.h"
#include "foundation/queue_stack.h"

class CRZNetEvent;
class CRZInputEvent;

// The base heap holds the dated events, earliest record date on top. Every event handed to the
// scheduler belongs to it until it is processed (through ProcessLocalEvent, which deletes it) or erased.
class CScheduler : public CDynamicHeap<CRZEvent> {
public:
    CScheduler() = default;
    // Deletes every event still held, input included.
    ~CScheduler() override;

    // The immediate queue's head, else the earliest dated event (due or not), else null.
    CRZEvent* Peek() const override;
    // Dated plus immediate events.
    uint32_t GetSize() const override;
    bool IsEmpty() const override;
    // The next event that may run, removed: the immediate queue's head; else the earliest dated event
    // when the clock's date has reached it; else null. Without a clock no dated event is due.
    CRZEvent* Pop() override;
    // Deletes every immediate, dated and outgoing event; pending input stays.
    void Erase() override;
    // Immediate events in queue order, then dated events in the heap's tree order. f may rewrite a
    // record but must not add or remove events.
    void ForEach(const std::function<void(CRZEvent*)>& f) override;

    // The earliest dated event, due or not; the clock asks it whether a dated event is due.
    CRZEvent* PeekHeap() const { return CDynamicHeap<CRZEvent>::Peek(); }
    bool IsQueueEmpty() const { return queue.IsEmpty(); }
    uint32_t GetQueueSize() const { return static_cast<uint32_t>(queue.GetSize()); }

    // immediate: to the tail of the undated queue. Otherwise by the record date: from day 1 of year 0
    // on into the dated heap; the zero date or anything before it joins the undated queue.
    void Push(CRZEvent* event, bool immediate);

    // Runs events until none may run; events posted meanwhile run in the same call, and dated events
    // whose day has come run after every undated one.
    void ProcessAll();
    // Runs the next event that may run; false when there is none.
    bool ProcessNext();

    // Network copies waiting for the end of the frame.
    void AddExternalEvent(CRZNetEvent* event);
    // Sends every outgoing copy through the open session, in order, and deletes it; without an open
    // session the copies are deleted unsent.
    void EmptyExternalList();
    uint32_t GetExternalCount() const { return static_cast<uint32_t>(outgoing.GetSize()); }

    // Input events in arrival order; they are processed at once and never dated or sent.
    void AddInputEvent(CRZInputEvent* event);
    void ProcessInput();
    void EmptyInputList();
    uint32_t GetInputCount() const { return static_cast<uint32_t>(input.GetSize()); }

    // The game clock's current date, which decides whether a dated event is due; the clock sets it
    // when it is made and clears it when it goes.
    void SetClockDate(const CDate* date) { clockDate = date; }

private:
    CQueue<CRZEvent*> queue;
    CList<CRZNetEvent*> outgoing;
    CList<CRZInputEvent*> input;
    const CDate* clockDate = nullptr;
};

extern CScheduler gEventScheduler;

// Queues a mouse or key event for the next input pass.
void PostInputEvent(CRZInputEvent* event);
