// The game's window procedure: the window messages that carry the player's input become input events.
#pragma once

#include "platform/win/win_types.h"

// Input messages are ignored (answered 0) until the game clock exists; other messages answer 0 too.
Windows::LRESULT MessageHandlingProcedure(
    Windows::HWND window, Windows::UINT message, Windows::WPARAM wParam, Windows::LPARAM lParam);
