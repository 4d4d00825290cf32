// The event scheduler: choice of the next event, the processing loops and the outgoing and input lists.
#include "events/event_scheduler.h"

#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/net_event.h"

#include "foundation/safeguards.h"

CScheduler gEventScheduler;

namespace {

// Takes every value out of a list of owned events and deletes it.
template <class T> void DeleteEvents(CList<T*>& list)
{
    for (auto it = list.GetHead(); !it.IsEnd(); it++)
        delete *it;
    list.RemoveAll();
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
    DeleteEvents(queue);
    while (CRZEvent* event = PopTail())
        delete event;
    DeleteEvents(outgoing);
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
    while (!outgoing.IsEmpty()) {
        CRZNetEvent* event = *outgoing.GetHead();
        outgoing.RemoveHead();
        event->Process();
        delete event;
    }
}

void CScheduler::AddInputEvent(CRZInputEvent* event)
{
    if (event != nullptr)
        input.Append(event);
}

void CScheduler::ProcessInput()
{
    while (!input.IsEmpty()) {
        CRZInputEvent* event = *input.GetHead();
        input.RemoveHead();
        ProcessLocalEvent(event);
    }
}

void CScheduler::EmptyInputList()
{
    DeleteEvents(input);
}

void PostInputEvent(CRZInputEvent* event)
{
    gEventScheduler.AddInputEvent(event);
}
