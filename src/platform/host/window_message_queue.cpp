// The window-message queue: records by value, in arrival order across threads.
#include "platform/host/window_message_queue.h"

#include <deque>
#include <mutex>

#include "foundation/safeguards.h"

namespace Windows {

namespace {

std::mutex gQueueMutex;
std::deque<tagMSG> gWindowMessageQ;

} // namespace

void addWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    tagMSG record {};
    record.hwnd = window;
    record.message = message;
    record.wParam = wParam;
    record.lParam = lParam;
    std::lock_guard<std::mutex> hold(gQueueMutex);
    gWindowMessageQ.push_back(record);
}

void clearWindowMessages()
{
    std::lock_guard<std::mutex> hold(gQueueMutex);
    gWindowMessageQ.clear();
}

bool takeWindowMessage(MSG* out, bool remove)
{
    std::lock_guard<std::mutex> hold(gQueueMutex);
    if (gWindowMessageQ.empty())
        return false;
    if (out)
        *out = gWindowMessageQ.front();
    if (remove)
        gWindowMessageQ.pop_front();
    return true;
}

std::size_t windowMessageCount()
{
    std::lock_guard<std::mutex> hold(gQueueMutex);
    return gWindowMessageQ.size();
}

} // namespace Windows
