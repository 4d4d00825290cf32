// The computer opponents' notifications.
#include "ai/ai_router.h"

#include "foundation/safeguards.h"

CList<CAISubscriber*> CAIRouter::_Subscribers;

void CAIRouter::Subscribe(CAISubscriber* subscriber)
{
    if (subscriber != nullptr && !_Subscribers.Contains(subscriber))
        _Subscribers.Append(subscriber);
}

void CAIRouter::Unsubscribe(CAISubscriber* subscriber)
{
    _Subscribers.Remove(subscriber);
}

void CAIRouter::Notify(int notification, int first, int second)
{
    for (auto it = _Subscribers.GetHead(); !it.IsEnd(); it++)
        (*it)->OnNotify(notification, first, second);
}

void CAIRouter::NotifyArmyDeleted(CRZUnit& army)
{
    for (auto it = _Subscribers.GetHead(); !it.IsEnd(); it++)
        (*it)->OnArmyDeleted(army);
}
