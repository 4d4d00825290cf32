// Dispatch of a window message to the game's window procedure. In a file of its own so that a program
// that never pumps messages need not provide the procedure.
#include "platform/input/window_messages.h"

#include "foundation/safeguards.h"

namespace Windows {

BOOL TranslateMessage(const MSG*)
{
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (!msg)
        return 0;
    return gameWindProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

} // namespace Windows
