// The Win32 message calls over the host's window-message queue, and the start-up window calls.
#include "platform/input/window_messages.h"

#include <atomic>
#include <deque>
#include <mutex>

#include "platform/display/basic_hwnd_imp.h"

#include "foundation/safeguards.h"

namespace Windows {

namespace {

std::atomic<int> gQuitRaised { 0 };

std::mutex gClassesMutex;
std::deque<WNDCLASSEXA> gWindowClasses;

} // namespace

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT remove)
{
    if (takeWindowMessage(msg, remove == PM_REMOVE))
        return TRUE;
    Ravel::goodSuspendPoint();
    return FALSE;
}

BOOL GetMessageA(MSG* msg, HWND, UINT, UINT)
{
    if (gQuitRaised.exchange(0) != 0)
        return FALSE;
    return takeWindowMessage(msg) ? TRUE : FALSE;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    addWindowMessage(window, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int)
{
    gQuitRaised = 1;
    addWindowMessage(nullptr, WM_QUIT, 0, 0);
}

BOOL RegisterClassExA(const WNDCLASSEXA* windowClass)
{
    if (windowClass) {
        std::lock_guard<std::mutex> hold(gClassesMutex);
        gWindowClasses.push_back(*windowClass);
    }
    return TRUE;
}

BOOL UnregisterClassA(LPCSTR, HINSTANCE)
{
    return FALSE;
}

HWND CreateWindowExA(
    DWORD, LPCSTR, LPCSTR windowName, DWORD, int, int, int width, int height, HWND, HMENU, HINSTANCE, LPVOID)
{
    if (Ravel::getGameWindowWrapper())
        return nullptr;
    // The wrapper keeps the name pointer; the game passes a text of static storage.
    auto* wrapper = new Ravel::BasicHWNDImpOBJC(width, height, windowName ? windowName : "");
    return reinterpret_cast<HWND>(wrapper);
}

int GetSystemMetrics(int)
{
    return 0;
}

BOOL ShowWindow(HWND, int)
{
    return FALSE;
}

BOOL UpdateWindow(HWND)
{
    return FALSE;
}

HWND SetFocus(HWND)
{
    return nullptr;
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

HWND GetDesktopWindow()
{
    return kDesktopWindowHandle;
}

} // namespace Windows
