// The event scheduler: choice of the next event, the processing loops and the outgoing and input lists.
#include "events/event_scheduler.h"

#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/net_event.h"

#include "foundation/safeguards.h"

CScheduler gEventScheduler;

namespace {

// Takes the events out of a list from its head, one at a time, and hands each to act, which owns it
// from then on; events that act appends meanwhile are taken too.
template <class T, class Act> void Drain(CList<T*>& list, Act act)
{
    while (!list.IsEmpty()) {
        T* event = *list.GetHead();
        list.RemoveHead();
        act(event);
    }
}

void DeleteEvent(CRZEvent* event)
{
    delete event;
}

} // namespace

CScheduler::~CScheduler()
{
    EmptyInputList();
    CScheduler::Erase();
}

CRZEvent* CScheduler::Peek() const
{
    if (!queue.IsEmpty())
        return *queue.GetHead();
    return PeekHeap();
}

uint32_t CScheduler::GetSize() const
{
    return CDynamicHeap<CRZEvent>::GetSize() + GetQueueSize();
}

bool CScheduler::IsEmpty() const
{
    return queue.IsEmpty() && CDynamicHeap<CRZEvent>::IsEmpty();
}

CRZEvent* CScheduler::Pop()
{
    if (!queue.IsEmpty()) {
        CRZEvent* event = *queue.GetHead();
        queue.RemoveHead();
        return event;
    }
    CRZEvent* top = PeekHeap();
    if (top == nullptr || clockDate == nullptr || !(*clockDate >= top->GetDate()))
        return nullptr;
    return CDynamicHeap<CRZEvent>::Pop();
}

void CScheduler::Erase()
{
    Drain(queue, DeleteEvent);
    while (CRZEvent* event = PopTail())
        delete event;
    Drain(outgoing, DeleteEvent);
}

void CScheduler::ForEach(const std::function<void(CRZEvent*)>& f)
{
    for (auto it = queue.GetHead(); !it.IsEnd(); it++)
        f(*it);
    CDynamicHeap<CRZEvent>::ForEach(f);
}

void CScheduler::Push(CRZEvent* event, bool immediate)
{
    if (event == nullptr)
        return;
    if (!immediate && event->GetDate().GetDays() >= 1)
        CDynamicHeap<CRZEvent>::Push(event);
    else
        queue.Push(event);
}

void CScheduler::ProcessAll()
{
    while (CRZEvent* event = Pop())
        ProcessLocalEvent(event);
}

bool CScheduler::ProcessNext()
{
    CRZEvent* event = Pop();
    if (event == nullptr)
        return false;
    ProcessLocalEvent(event);
    return true;
}

void CScheduler::AddExternalEvent(CRZNetEvent* event)
{
    if (event != nullptr)
        outgoing.Append(event);
}

void CScheduler::EmptyExternalList()
{
    Drain(outgoing, [](CRZNetEvent* event) {
        event->Process();
        delete event;
    });
}

void CScheduler::AddInputEvent(CRZInputEvent* event)
{
    if (event != nullptr)
        input.Append(event);
}

void CScheduler::ProcessInput()
{
    Drain(input, [](CRZInputEvent* event) { ProcessLocalEvent(event); });
}

void CScheduler::EmptyInputList()
{
    Drain(input, DeleteEvent);
}

void PostInputEvent(CRZInputEvent* event)
{
    gEventScheduler.AddInputEvent(event);
}
