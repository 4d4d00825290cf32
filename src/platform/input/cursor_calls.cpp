// The Win32 cursor calls: the pointer's position in game-area pixels and the cursor's visibility.
#include <SDL.h>

#include "platform/display/basic_hwnd_imp.h"
#include "platform/input/game_opengl_view.h"
#include "platform/input/window_messages.h"

#include "foundation/safeguards.h"

namespace Windows {

BOOL GetCursorPos(POINT* point)
{
    static Ravel::GameOpenGLView gDetachedView;
    Ravel::GameOpenGLView* view = Ravel::GameOpenGLView::Current();
    if (!view)
        view = &gDetachedView;
    Ravel::ViewPoint at;
    Ravel::BasicHWNDImpOBJC* wrapper = Ravel::getGameWindowWrapper();
    SDL_Window* window = wrapper ? wrapper->getGameWindow() : nullptr;
    if (Ravel::gIsGameFrontmost == 0) {
        at = Ravel::ViewPoint { view->viewWidth() / 2, view->viewHeight() / 2 };
    } else if (window) {
        // The present position, not the last event's: the global pointer less the window's place.
        int gx = 0;
        int gy = 0;
        int wx = 0;
        int wy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        SDL_GetWindowPosition(window, &wx, &wy);
        at = view->clampToView(view->toView(gx - wx, gy - wy, nullptr));
    } else {
        at = view->lastPos();
    }
    if (point) {
        point->x = at.x;
        point->y = at.y;
    }
    return TRUE;
}

BOOL SetCursorPos(int, int)
{
    return FALSE;
}

int ShowCursor(BOOL show)
{
    if (Ravel::GameOpenGLView* view = Ravel::GameOpenGLView::Current())
        view->setCursorVisible(show != 0);
    return 0;
}

} // namespace Windows
