// Win32 threads over POSIX threads, and the handle bookkeeping that lets CloseHandle free what it may.
#include "platform/win/win_threads.h"

#include <exception>
#include <mutex>
#include <unordered_set>

#include "platform/elements/iunknown_imp.h"
#include "platform/elements/logging.h"
#include "platform/elements/os_except.h"
#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Windows {

namespace {

Ravel::Logging gLog("code", Ravel::sourceFileBaseName(__FILE__), Ravel::Logging::kError);

// The handles this file gave out and that are still open; never destroyed, since detached threads may
// finish while the process exits.
struct Handles {
    std::mutex lock;
    std::unordered_set<WindowsThread*> threads;
    std::unordered_set<void*> mutexes;
};

Handles& TheHandles()
{
    static Handles* sHandles = new Handles;
    return *sHandles;
}

std::atomic<DWORD> gNextThreadId { 1 };

} // namespace

WindowsThread::WindowsThread(LPTHREAD_START_ROUTINE routine, void* argument)
    : mRoutine(routine)
    , mArgument(argument)
{
    do {
        mThreadId = gNextThreadId.fetch_add(1, std::memory_order_relaxed);
    } while (mThreadId == 0);

    Handles& handles = TheHandles();
    {
        std::lock_guard<std::mutex> hold(handles.lock);
        handles.threads.insert(this);
    }
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    // Nobody joins these threads: the game never waits for one through this interface.
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    int result = pthread_create(&mThread, &attributes, MainProc, this);
    pthread_attr_destroy(&attributes);
    if (result != 0) {
        std::lock_guard<std::mutex> hold(handles.lock);
        handles.threads.erase(this);
        throw Ravel::osExcept("pthread_create", result, __FILE__, __LINE__);
    }
}

void* WindowsThread::MainProc(void* raw)
{
    auto* self = static_cast<WindowsThread*>(raw);
    pthread_setcancelstate(PTHREAD_CANCEL_ENABLE, nullptr);
    DWORD result = 0;
    pthread_cleanup_push(CleanupProc, self);
    try {
        result = self->mRoutine(self->mArgument);
    } catch (const std::exception& e) {
        gLog.error(e);
    } catch (int code) {
        // The game's fatal-error path throws an integer.
        gLog.error("thread %u ended by the game's error %d", self->mThreadId, code);
    }
    // A cancellation unwinds as an exception of no C++ type and is left to go on: the clean-up
    // handler still runs.
    pthread_cleanup_pop(1);
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(result));
}

void WindowsThread::CleanupProc(void* raw)
{
    auto* self = static_cast<WindowsThread*>(raw);
    Handles& handles = TheHandles();
    std::lock_guard<std::mutex> hold(handles.lock);
    self->mFinished.store(1, std::memory_order_release);
    if (self->mClosed) {
        handles.threads.erase(self);
        delete self;
    }
}

HANDLE CreateThread(
    LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE routine, LPVOID argument, DWORD, LPDWORD threadId)
{
    if (!routine) {
        RV_ASSERT(routine != nullptr);
        return nullptr;
    }
    try {
        auto* thread = new WindowsThread(routine, argument);
        if (threadId)
            *threadId = thread->threadId();
        return thread;
    } catch (const std::exception& e) {
        gLog.error(e);
        return nullptr;
    }
}

BOOL SetThreadPriority(HANDLE, int)
{
    return 0;
}

BOOL CloseHandle(HANDLE handle)
{
    if (!handle)
        return 0;
    Handles& handles = TheHandles();
    Ravel::IUnknownImp* mutex = nullptr;
    {
        std::lock_guard<std::mutex> hold(handles.lock);
        auto thread = handles.threads.find(static_cast<WindowsThread*>(handle));
        if (thread != handles.threads.end()) {
            WindowsThread* object = *thread;
            object->mClosed = true;
            if (object->finished()) {
                handles.threads.erase(thread);
                delete object;
            }
            return 0;
        }
        if (handles.mutexes.erase(handle) != 0)
            mutex = static_cast<Ravel::IUnknownImp*>(handle);
    }
    if (mutex)
        mutex->Release();
    return 0;
}

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR)
{
    auto* mutex = new Ravel::IUnknownImp();
    Handles& handles = TheHandles();
    std::lock_guard<std::mutex> hold(handles.lock);
    handles.mutexes.insert(static_cast<void*>(mutex));
    return mutex;
}

} // namespace Windows
