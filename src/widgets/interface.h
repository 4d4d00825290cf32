// CInterface (gpInterface): the in-game interface as input dispatch sees it: its windows, its own
// sprites and inputables, and the fixed order in which every input event is offered to its receivers.
#pragma once

#include "events/event_routing.h"
#include "foundation/linked_list.h"
#include "gfx/sprite_list.h"
#include "widgets/input.h"

class CRZInputEvent;

// The local player as input dispatch asks it (gpPlayer).
class CInputPlayer {
public:
    virtual ~CInputPlayer() = default;
    // The open right-click menu takes the event; non-zero when taken.
    virtual int UpdateRCDM(CRZEvent* event) = 0;
    virtual int HandleTopInput(CRZInputEvent* event) = 0;
    virtual bool HasRightClickMenu() const = 0;
    virtual bool HasChatLine() const = 0;
    // The open chat line takes the event, closing or sending itself as its answer says (the chat line of
    // the player interface); answers what the interface passes on.
    virtual int UpdateChat(CRZInputEvent* event) = 0;
};

// The receivers that other subsystems own, each null while it does not exist, and what dispatch reads
// of the game. The options screen and the front end are those of the event routes (gEventRoutes).
struct CInterfaceReceivers {
    CInputable* console = nullptr;
    CInputable* gotoBox = nullptr;
    CRZEventHandler* messageLog = nullptr; // gpLogHistory
    CRZEventHandler* minimap = nullptr;
    CInputable* map = nullptr; // gpMap: takes whatever nobody else took
    CInputPlayer* player = nullptr;
    // The end-of-year report is on screen.
    bool (*IsEndOfYearShown)() = nullptr;
    // The front end is active (outside a running game it always counts as such).
    bool (*IsFrontEndActive)() = nullptr;
    // The settings' game speed 0..7, and its change (the clock reads it through its own hook).
    int (*GetGameSpeed)() = nullptr;
    void (*SetGameSpeed)(int speed) = nullptr;
    // A line for the message log.
    void (*LogLine)(const char* text) = nullptr;
};
extern CInterfaceReceivers gInterfaceReceivers;

inline constexpr int kGameSpeedMax = 7;

class CInterface : public CRZInterfaceHandler {
public:
    CInterface();
    ~CInterface() override;
    CInterface(const CInterface&) = delete;
    CInterface& operator=(const CInterface&) = delete;

    // Broadcasts reach the windows (the close-all event closes them).
    CRZReturnType Update(CRZEvent* event) override;
    // Offers the event to the receivers in their fixed order until one takes it.
    CRZReturnType HandleInput(CRZInputEvent* event) override;

    // Owned; front at the tail.
    CWindowList& GetWindows() { return *mWindows; }
    // The interface's own buttons; owned.
    CSpriteList& GetSprites() { return *mSprites; }
    // Not owned; offered in list order.
    CList<CInputable*>& GetInputables() { return mInputables; }

private:
    int SpeedKey(CRZInputEvent* event);
    int OfferInputables(CRZInputEvent* event);

    CWindowList* mWindows;
    CSpriteList* mSprites;
    CList<CInputable*> mInputables;
};

extern CInterface* gpInterface;
