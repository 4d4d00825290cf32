// The thread and lock classes of the online lobby: a named mutex, a counting semaphore, a wrapper that
// runs an object's run() on its own thread, guarded lists and a lockable object over a critical section.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <list>
#include <mutex>
#include <pthread.h>
#include <string>

#include "platform/win/win32.h"

// A plain, non-recursive POSIX mutex; failures are reported through _Err and the call goes on.
// lock()/unlock() also make it usable with std::lock_guard.
class Mutex {
public:
    explicit Mutex(const std::string& name);
    virtual ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void lock();
    void unlock();
    const std::string& GetName() const { return name; }

private:
    std::string name;
    pthread_mutex_t _mutex;
};

// A counting semaphore. down() polls in 1 ms sleeps; the unit itself is only ever taken under the
// critical section, so two waiters and one up() wake exactly one of them.
class PSemaphore {
public:
    // The lobby always starts at 0; another start value is reported and kept.
    PSemaphore(int startValue, const std::string& name);
    virtual ~PSemaphore();
    PSemaphore(const PSemaphore&) = delete;
    PSemaphore& operator=(const PSemaphore&) = delete;

    // Takes one unit. limit is in milliseconds, 0 waits for ever. Answers 0 when a unit was taken,
    // 1 when more than `limit` milliseconds passed without one.
    int down(unsigned int limit);
    // Adds one unit; answers 0.
    int up();
    int GetValue() const { return _semaphoreValue.load(); }

private:
    std::atomic<int32_t> _semaphoreValue;
    std::string name;
    Windows::CRITICAL_SECTION section;
};

// The base of every thread wrapper: the platform thread, its start gate and the wait for its end.
// The thread only begins its work once start() has stored the handle and the thread id, and a
// wrapper is never freed while its thread still runs: the destructor waits for run() to return.
class PThreadBase {
public:
    enum : int32_t { kStateMade = 1, kStateStarted = 4 };

    // Makes a platform thread that runs routine(argument) and stores its id; answers its handle, or null
    // when no thread could be made. The platform's CreateThread unless a test puts a failing one in.
    using ThreadCreator = Windows::HANDLE (*)(
        Windows::LPTHREAD_START_ROUTINE routine, void* argument, Windows::DWORD* threadId);
    // Installs another creator (null restores the platform's) and answers the one it replaces.
    static ThreadCreator SetThreadCreator(ThreadCreator creator);

    // The number of live thread wrappers.
    static std::atomic<int32_t> _objects;

    virtual ~PThreadBase();
    PThreadBase(const PThreadBase&) = delete;
    PThreadBase& operator=(const PThreadBase&) = delete;

    // Reached only by a wrapper made without an object: reports the mistake and returns.
    virtual void* run();

    // Answers true when the thread was made; a wrapper starts at most once.
    bool start();
    // Waits until the thread's run() has returned; at once for a wrapper that never started.
    void Join();

    int32_t GetState() const { return state; }
    int32_t GetPriority() const { return priority; }
    uint32_t GetThreadId() const { return threadId; }
    const std::string& GetName() const { return name; }

protected:
    using Invoke = void (*)(void* object);
    PThreadBase(void* object, Invoke invoke, const std::string& name, int priority);

private:
    static Windows::DWORD Dispatch(void* wrapper);

    void* object;
    Invoke invoke;
    std::string name;
    int32_t priority;
    Windows::DWORD threadId = 0;
    Windows::HANDLE handle = nullptr;
    int32_t state = kStateMade;

    std::mutex gateMutex;
    std::condition_variable gate;
    bool released = false; // start() has stored the handle and the id
    bool finished = false; // the thread is done with this wrapper
};

// Runs T::run() of one object on a new thread. The owner makes run() return before it destroys the
// wrapper; the destructor then waits for the thread to leave it.
template <class T> class PThread : public PThreadBase {
public:
    PThread(T* inObject, const std::string& inName, int inPriority)
        : PThreadBase(inObject, inObject ? &PThread::Call : nullptr, inName, inPriority)
    {
    }
    ~PThread() override { Join(); }

private:
    static void Call(void* object) { static_cast<T*>(object)->run(); }
};

// A standard list with the mutex that its users hold around every access; it locks nothing itself.
template <class T> class ThreadSafeList : public std::list<T>, public Mutex {
public:
    ThreadSafeList()
        : Mutex("ThreadSafeList Mutex")
    {
    }
};

// A guarded list whose semaphore counts the entries producers announced: the producer appends under
// the mutex and then calls up(); the consumer calls down() before it locks and takes the front.
template <class T> class PSemaphoreList : public ThreadSafeList<T>, public PSemaphore {
public:
    PSemaphoreList()
        : PSemaphore(0, "Noname semaphore")
    {
    }
};

// The lockable-object interface of the lobby's front-end page.
class CThreadSafeObject {
public:
    virtual void Lock(const char* who) = 0;
    virtual void Unlock(const char* who) = 0;
    virtual ~CThreadSafeObject() = default;
};

// A re-entrant critical section behind CThreadSafeObject; `who` only names the caller and is ignored.
class CWindowsThreadSafeObject : public CThreadSafeObject {
public:
    CWindowsThreadSafeObject();
    ~CWindowsThreadSafeObject() override;
    CWindowsThreadSafeObject(const CWindowsThreadSafeObject&) = delete;
    CWindowsThreadSafeObject& operator=(const CWindowsThreadSafeObject&) = delete;

    void Lock(const char* who) override;
    void Unlock(const char* who) override;

private:
    Windows::CRITICAL_SECTION section;
};
