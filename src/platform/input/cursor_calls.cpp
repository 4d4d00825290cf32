// The Win32 cursor calls: the pointer's position in game-area pixels and the cursor's visibility.
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
    if (Ravel::gIsGameFrontmost == 0)
        at = Ravel::ViewPoint { view->viewWidth() / 2, view->viewHeight() / 2 };
    else if (view->pointerNow(&at, nullptr))
        at = view->clampToView(at);
    else
        at = view->lastPos();
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
