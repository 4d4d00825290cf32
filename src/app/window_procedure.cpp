// The game's window procedure: the close of the window runs ShutDown once, activation stops and restarts
// the clock, and buttons, wheel and keys go to the input component and the input queue.
#include "app/window_procedure.h"

#include "app/winmain.h"
#include "platform/display/basic_hwnd_imp.h"

#include <cstdint>

#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "gfx/video.h"
#include "platform/input/window_messages.h"
#include "widgets/input.h"

#include "foundation/safeguards.h"

namespace {

constexpr Windows::UINT kDestroy = 2;
constexpr Windows::UINT kActivateApp = 28;
constexpr Windows::UINT kSysKeyDown = 0x104;
constexpr Windows::UINT kSysKeyUp = 0x105;
constexpr Windows::UINT kMoving = 534;
constexpr Windows::UINT kMciNotify = 953;

bool IsInputMessage(Windows::UINT message)
{
    return (message >= Windows::WM_KEYDOWN && message <= Windows::WM_CHAR) || message == kSysKeyDown
        || message == kSysKeyUp || message == Windows::WM_MOUSEWHEEL
        || (message >= Windows::WM_LBUTTONDOWN && message <= Windows::WM_RBUTTONUP);
}

CPoint PointOf(Windows::LPARAM lParam)
{
    return CPoint(
        static_cast<std::int16_t>(lParam & 0xFFFF), static_cast<std::int16_t>((lParam >> 16) & 0xFFFF));
}

// Each button message sets or clears its button's state (the double click leaves it) and posts its event
// with the message's key-state word and position.
struct ButtonRow {
    Windows::UINT message;
    CRZEvtType type;
    std::int32_t* state;
    std::int32_t value;
};

const ButtonRow kButtonRows[] = {
    { Windows::WM_LBUTTONDOWN, _CRZEVT_MOUSELBDOWN_, &CInput::_isLeftButton, 1 },
    { Windows::WM_LBUTTONUP, _CRZEVT_MOUSELBUP_, &CInput::_isLeftButton, 0 },
    { Windows::WM_LBUTTONDBLCLK, _CRZEVT_MOUSELBDOUBLECLICK_, nullptr, 0 },
    { Windows::WM_RBUTTONDOWN, _CRZEVT_MOUSERBDOWN_, &CInput::_isRightButton, 1 },
    { Windows::WM_RBUTTONUP, _CRZEVT_MOUSERBUP_, &CInput::_isRightButton, 0 },
};

void Button(Windows::UINT message, Windows::WPARAM wParam, Windows::LPARAM lParam)
{
    for (const ButtonRow& row : kButtonRows) {
        if (row.message != message)
            continue;
        if (row.state)
            *row.state = row.value;
        PostInputEvent(new CRZInputEvent(row.type, 0, static_cast<int>(wParam), PointOf(lParam)));
        return;
    }
}

} // namespace

Windows::LRESULT MessageHandlingProcedure(
    Windows::HWND window, Windows::UINT message, Windows::WPARAM wParam, Windows::LPARAM lParam)
{
    switch (message) {
    case kDestroy:
    case Windows::WM_QUIT:
        if (!isShutDown) {
            ShutDown();
            Windows::PostQuitMessage(0);
            isShutDown = 1;
        }
        return 0;
    case kActivateApp:
        isActive = static_cast<int>(wParam);
        if (gpTimer && wParam == 0)
            gpTimer->SetRunning(false);
        else if (gpTimer) {
            gpTimer->RestartTimer();
            CVideo::RestoreFront();
        }
        return 0;
    case kMoving: {
        CRect rect;
        Windows::RECT bounds {};
        if (Windows::GetWindowRect(MainWindowsHwnd, &bounds)) {
            rect = CRect(bounds.left, bounds.top, bounds.right, bounds.bottom);
            CVideo::SetWindowRect(&rect);
        }
        return 0;
    }
    case kMciNotify:
        return 0;
    default:
        break;
    }
    if (!IsInputMessage(message))
        return Windows::DefWindowProcA(window, message, wParam, lParam);
    // Input before the clock exists has no game to go to.
    if (!gpTimer || !gpInput)
        return 0;
    const bool buttonsIgnored = CInput::_isMiddle != 0;
    switch (message) {
    case Windows::WM_KEYDOWN:
    case kSysKeyDown:
        gpInput->SetSpecialKeys(static_cast<unsigned>(wParam), static_cast<long>(lParam));
        break;
    case Windows::WM_KEYUP:
    case kSysKeyUp:
        gpInput->SetUpKeys(static_cast<unsigned>(wParam), static_cast<long>(lParam));
        if (CInput::_isMiddle != 0)
            CInput::_isMiddle = CInput::_isMiddle == 1 ? 0 : 1;
        break;
    case Windows::WM_CHAR:
        gpInput->GenerateKeyboardEvent(static_cast<unsigned>(wParam), static_cast<long>(lParam));
        break;
    case Windows::WM_MOUSEWHEEL: {
        const auto delta = static_cast<std::int16_t>((wParam >> 16) & 0xFFFF);
        CPoint at = PointOf(lParam);
        at.x -= CVideo::FrontClipper.left;
        at.y -= CVideo::FrontClipper.top;
        PostInputEvent(new CRZInputEvent(_CRZEVT_MOUSEWHEEL_, 0, delta > 0 ? 1 : delta < 0 ? -1 : 0, at));
        break;
    }
    default:
        if (!buttonsIgnored)
            Button(message, wParam, lParam);
        break;
    }
    return 0;
}
