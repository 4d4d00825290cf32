// Win32 threads on POSIX threads: the lobby's connection and remote-call threads run through these.
#pragma once

#include <atomic>
#include <pthread.h>

#include "platform/win/win_types.h"

namespace Windows {

// The object behind a thread handle. It runs detached; CloseHandle frees it once the routine is over.
class WindowsThread {
public:
    static constexpr std::uint32_t kMarker = 0x1001BEEF;

    // Starts the thread at once; throws Ravel::osExcept when the system refuses.
    WindowsThread(LPTHREAD_START_ROUTINE routine, void* argument);

    // 0 while the routine runs, 1 once the thread's clean-up has run (also after a cancellation).
    int finished() const { return mFinished.load(std::memory_order_acquire); }
    // The identifier stored by CreateThread: unique among this run's threads, never 0.
    DWORD threadId() const { return mThreadId; }
    pthread_t thread() const { return mThread; }

    std::uint32_t marker = kMarker;

private:
    friend BOOL CloseHandle(HANDLE handle);

    static void* MainProc(void* self);
    static void CleanupProc(void* self);

    pthread_t mThread {};
    std::atomic<int> mFinished { 0 };
    bool mClosed = false;
    DWORD mThreadId = 0;
    LPTHREAD_START_ROUTINE mRoutine;
    void* mArgument;
};

// Runs routine(argument) on a new thread and answers its handle; writes the thread's identifier through
// threadId when it is not null. Attributes, stack size and flags (a suspended start too) are ignored.
// Answers null, with the failure logged, when no thread can be made.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stackSize, LPTHREAD_START_ROUTINE routine,
    LPVOID argument, DWORD flags, LPDWORD threadId);

// Does nothing; answers 0.
BOOL SetThreadPriority(HANDLE thread, int priority);

// Answers 0. Closing a thread handle lets its object go once the routine has ended (the thread itself
// goes on); closing a CreateMutexA handle releases it; any other handle is left alone.
BOOL CloseHandle(HANDLE handle);

// A bare reference-counted object (count 1) standing for a mutex: it locks nothing and nothing waits on it.
HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCSTR name);

} // namespace Windows
