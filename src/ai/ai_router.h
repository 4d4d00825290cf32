// CAIRouter, where the host tells the computer opponents what happened in the world that their plans
// must follow: a province changing hands or controller, a rebel army raised, an army gone.
#pragma once

#include "foundation/linked_list.h"

class CRZUnit;

// The notifications by number.
enum AINotification : int {
    AINOTIFY_BATTLE_RESULT = 14,
    AINOTIFY_PROVINCE_CONTROLLER_CHANGED = 18,
    AINOTIFY_PROVINCE_OWNER_CHANGED = 19,
    AINOTIFY_REBEL_ARMY_RAISED = 20,
};

// One part of the opponents that follows the notifications; it unsubscribes before it goes.
class CAISubscriber {
public:
    virtual ~CAISubscriber() = default;
    // The notification with its values (the realm and how its battle ended for a battle result, the province
    // for a rebel army raised, the previous owner or controller and the province for a change of owner or
    // controller).
    virtual void OnNotify(int notification, int first, int second) = 0;
    // The army is about to go; no pointer to it may be kept.
    virtual void OnArmyDeleted(CRZUnit& army) = 0;
};

class CAIRouter {
public:
    static void Subscribe(CAISubscriber* subscriber);
    static void Unsubscribe(CAISubscriber* subscriber);
    // Each subscriber hears it, in the order they subscribed.
    static void Notify(int notification, int first, int second);
    static void NotifyArmyDeleted(CRZUnit& army);

private:
    static CList<CAISubscriber*> _Subscribers;
};
