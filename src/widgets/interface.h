// CInterface (gpInterface): the in-game interface as input dispatch sees it: its windows, its own
// sprites and inputables, and the fixed order in which every input event is offered to its receivers.
#pragma once

#include <cstdint>

#include "events/event_routing.h"
#include "foundation/linked_list.h"
#include "foundation/point_rect.h"
#include "gfx/sprite_list.h"
#include "widgets/input.h"

class CPalette;
class CRZBtn;
class CRZGotoBox;
class CRZInputEvent;
class CSprite;
class CWindow;

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
    // The message log as drawn in the interface's first pass (gpLogHistory); null draws none.
    CDrawable* messageLogView = nullptr;
    // A hint shown over the whole screen, drawn alone at (0, 0) while set.
    CDrawable* fullScreenHint = nullptr;
    // A multiplayer game that waits for its players to start.
    bool (*IsWaitingForPlayers)() = nullptr;
    // The running tutorial keeps the interface button of that id disabled.
    bool (*IsTutorialDisabled)(int buttonId) = nullptr;
    // The local player records the interface button last pressed, which the tutorial checks.
    void (*SetLastPressedButton)(int buttonId) = nullptr;
};
extern CInterfaceReceivers gInterfaceReceivers;

inline constexpr int kGameSpeedMax = 7;

enum CursorType : int {
    CURSOR_ACTIVE = 0,
    CURSOR_INACTIVE = 1,
};

// The side panel takes the left 244 pixels of the screen.
inline constexpr int kSidePanelWidth = 244;
// The interface's three places in the display list: background and message log, its buttons, windows.
inline constexpr int kInterfaceBackDepth = 1000;
inline constexpr int kInterfaceButtonDepth = 2200;
inline constexpr int kInterfaceWindowDepth = 2500;

class CInterface : public CDrawable, public CRZInterfaceHandler {
public:
    // Takes "topblob.act", builds the side panel, enters its three passes in the display list (when there
    // is one), clears the span buffer and registers the cursors.
    CInterface();
    // Removes the cursors and the display-list entries; destroys the side panel and every window.
    ~CInterface() override;
    CInterface(const CInterface&) = delete;
    CInterface& operator=(const CInterface&) = delete;

    // In a running game the right-click menu, the windows, then the chat line, message log and buttons;
    // outside, the front end and then the windows. Loop ticks reach the buttons this way.
    CRZReturnType Update(CRZEvent* event) override;
    // Offers the event to the receivers in their fixed order until one takes it.
    CRZReturnType HandleInput(CRZInputEvent* event) override;
    // Pass 0: the waiting caption, message log and side panel; pass 4: the buttons; others: the windows.
    int Draw(CRZDrawType type) override;

    void RefreshSide();
    void DrawBackground();
    void InitCursors();
    void SetCursor(CursorType type);
    int GetCursor() const { return mCurrentCursor; }

    // At the front: drawn last and offered input first.
    void AddWindow(CWindow* window);
    void AddWindowAtEnd(CWindow* window);
    // Taken out without being destroyed; likewise for buttons and inputables.
    void RemoveWindow(CWindow* window);
    // Owned from now on.
    void AddButton(CRZBtn* button);
    void RemoveButton(CRZBtn* button);
    void AddInputable(CInputable* inputable);
    void RemoveInputable(CInputable* inputable);

    // 1 when the point is on the screen under a window of the last drawn frame.
    int IsWindowAt(int x, int y) const;
    int GetWindowInstantRollover(CPoint& point);
    int GetWindowDelayedRollover(CPoint& point);
    // The id of the first interface button in list order that the point hits; -1 for none.
    int GetButtonIDAt(int x, int y);

    // The point below the side panel, the bottom of its top piece, and its left edge.
    CPoint GetBottomPos();
    int GetHeaderEndPos();
    int GetXPos() const { return 0; }

    // Owned; front at the tail.
    CWindowList& GetWindows() { return *mWindows; }
    // The interface's own buttons; owned.
    CSpriteList& GetSprites() { return *mSprites; }
    // Not owned; offered in list order.
    CList<CInputable*>& GetInputables() { return mInputables; }
    // Remade with the side panel; null before.
    CRZGotoBox* GetGotoBox() const { return mGotoBox; }
    CSprite* GetSidePiece(int piece) const { return piece == 0 ? mTop : piece == 1 ? mMiddle : mBottom; }

    static CPalette* _pPalette;

private:
    int SpeedKey(CRZInputEvent* event);
    int OfferInputables(CRZInputEvent* event);
    void DrawWindows(CRZDrawType type);
    // The rollover of the first window from the front that holds the point; 0 when none does.
    int WindowRollover(CPoint& point, int (CWindow::*rollover)(CPoint&));
    void DestroySide();

    CWindowList* mWindows;
    CSpriteList* mSprites;
    CList<CInputable*> mInputables;
    CPalette* mPalette = nullptr;
    // The goto box is the interface's own; the minimap dots' slot is filled by their owner.
    CRZGotoBox* mGotoBox = nullptr;
    CSprite* mTop = nullptr;
    CSprite* mBottom = nullptr;
    CSprite* mMiddle = nullptr;
    std::int32_t mCursorIds[2] = {};
    std::int32_t mCurrentCursor = 0;
    CDrawable* mDots = nullptr;
};

extern CInterface* gpInterface;
