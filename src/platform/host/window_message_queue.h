// The emulated window-message queue that input reaches the game through: one mutex-guarded
// first-in first-out queue of Win32 message records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win/win_types.h"

namespace Windows {

struct POINT {
    LONG x;
    LONG y;
};

// The Win32 MSG record as the game reads it.
struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
using MSG = tagMSG;

constexpr UINT WM_QUIT = 18;

// Appends a record with time 0 and point (0, 0); any thread may call it.
void addWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Empties the whole queue: what was clicked or typed while the game loaded must not reach its first frame.
void clearWindowMessages();
// Copies the oldest record into *out (when not null) and, when remove is set, takes it off the queue;
// false on an empty queue.
bool takeWindowMessage(MSG* out, bool remove = true);
std::size_t windowMessageCount();

} // namespace Windows
