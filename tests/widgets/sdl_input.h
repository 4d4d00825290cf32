// Test helper of the window tests under Xvfb: SDL mouse events made and pushed as the player's would
// come, the real pointer moved, and one frame's input taken through the game view, the window messages,
// the input component and the input queue, as the game loop takes it.
#pragma once

#include <SDL.h>

#include "app/window_procedure.h"
#include "events/event_scheduler.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/input/game_opengl_view.h"
#include "platform/input/window_messages.h"
#include "widgets/input.h"

namespace widgets_test {

inline SDL_Event MouseButton(bool down, int x, int y)
{
    SDL_Event e {};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    return e;
}

// SDL's queue through the view, the window messages through the window procedure, the cursor and the held
// button through the input component, then the input events.
inline void PumpInput(Ravel::GameOpenGLView& view)
{
    SDL_Event e;
    for (int guard = 0; guard < 200 && SDL_PollEvent(&e); ++guard)
        view.handleEvent(e);
    Windows::MSG msg {};
    for (int guard = 0; guard < 200 && Windows::PeekMessageA(&msg, nullptr, 0, 0, Windows::PM_REMOVE);
         ++guard)
        MessageHandlingProcedure(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    gpInput->Update();
    gEventScheduler.ProcessInput();
}

// Moves the real pointer over the game window, which the input component reads each frame.
inline void PointerTo(Ravel::BasicHWNDImpOBJC* wrapper, int x, int y)
{
    int wx = 0;
    int wy = 0;
    SDL_GetWindowPosition(wrapper->getGameWindow(), &wx, &wy);
    SDL_WarpMouseGlobal(wx + x, wy + y);
    SDL_PumpEvents();
}

} // namespace widgets_test
