// The emulated Win32 message calls over the one window-message queue, the window calls the game makes
// once at start-up, the cursor calls and the message box.
#pragma once

#include "platform/host/window_message_queue.h"
#include "platform/win/win_types.h"

namespace Windows {

constexpr UINT WM_KEYDOWN = 0x100;
constexpr UINT WM_KEYUP = 0x101;
constexpr UINT WM_CHAR = 0x102;
constexpr UINT WM_MOUSEMOVE = 0x200;
constexpr UINT WM_LBUTTONDOWN = 0x201;
constexpr UINT WM_LBUTTONUP = 0x202;
constexpr UINT WM_LBUTTONDBLCLK = 0x203;
constexpr UINT WM_RBUTTONDOWN = 0x204;
constexpr UINT WM_RBUTTONUP = 0x205;
constexpr UINT WM_RBUTTONDBLCLK = 0x206;
constexpr UINT WM_MOUSEWHEEL = 0x20A;

constexpr UINT MK_LBUTTON = 1;
constexpr UINT MK_RBUTTON = 2;
constexpr UINT PM_NOREMOVE = 0;
constexpr UINT PM_REMOVE = 1;

// The handle every input message carries: the game's main window.
inline const HWND kGameWindowHandle = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-4));
// What GetDesktopWindow hands out.
inline const HWND kDesktopWindowHandle = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-5));

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using HCURSOR = HICON;
using HBRUSH = struct HBRUSH__*;
using HMENU = struct HMENU__*;

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};

// Answers 1 and copies the oldest record into *msg (when not null); the record is removed only for
// PM_REMOVE. 0 on an empty queue, leaving *msg as it was. The window and range are ignored.
BOOL PeekMessageA(MSG* msg, HWND window, UINT first, UINT last, UINT remove);
// 0 once after PostQuitMessage (the queue untouched), 0 on an empty queue; else takes the oldest
// record into *msg (when not null) and answers 1. Never waits.
BOOL GetMessageA(MSG* msg, HWND window, UINT first, UINT last);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Raises the quit flag and queues WM_QUIT behind what is already queued; the exit code is not kept.
void PostQuitMessage(int exitCode);
// No character messages are made here: the game view posts WM_CHAR itself.
BOOL TranslateMessage(const MSG* msg);
// Hands the record to the game's window procedure.
LRESULT DispatchMessageA(const MSG* msg);

BOOL RegisterClassExA(const WNDCLASSEXA* windowClass);
BOOL UnregisterClassA(LPCSTR name, HINSTANCE instance);
// Makes the game window wrapper (no window opens until the display mode is set); null when one exists.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
int GetSystemMetrics(int index);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
HWND SetFocus(HWND window);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND GetDesktopWindow();

// The pointer in game-area pixels, clamped to the game area; the area's centre while the game is in
// the background. Answers 1.
BOOL GetCursorPos(POINT* point);
// The pointer is never moved: answers 0.
BOOL SetCursorPos(int x, int y);
// Shows or hides the cursor over the game window; there is no display counter, so it answers 0.
int ShowCursor(BOOL show);

constexpr UINT MB_OK = 0;
constexpr UINT MB_YESNOCANCEL = 3;
constexpr UINT MB_YESNO = 4;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// A modal alert whose text and caption are shown literally. Answers the button's IDOK, IDYES, IDNO or
// IDCANCEL; 0 for an unsupported type (one "unsupported" button) or when the alert could not be shown.
// Without a display, or after SetMessageBoxAutoAnswer(true), the text is logged and the default
// (first) button answers.
int MessageBoxA(HWND window, LPCSTR text, LPCSTR caption, UINT type);
void SetMessageBoxAutoAnswer(bool automatic);

} // namespace Windows

// The game's window procedure, implemented by the game application (and by tests).
Windows::LRESULT gameWindProc(
    Windows::HWND window, Windows::UINT message, Windows::WPARAM wParam, Windows::LPARAM lParam);
