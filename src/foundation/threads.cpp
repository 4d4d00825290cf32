// The lobby's thread and lock classes: the POSIX mutex, the polling semaphore, the thread wrapper's
// start gate and end wait, and the critical-section object.
#include "foundation/threads.h"

#include <exception>
#include <thread>

#include "foundation/fatal_error.h"

#include "foundation/safeguards.h"

// ---- Mutex ----

Mutex::Mutex(const std::string& name)
    : name(name)
{
    if (pthread_mutex_init(&_mutex, nullptr) != 0)
        _Err("pthread_mutex_init( &_mutex, NULL ) failed", "Unknown method", "Mutex", 48);
}

Mutex::~Mutex()
{
    if (pthread_mutex_destroy(&_mutex) != 0)
        _Err("pthread_mutex_destroy( &_mutex ) failed. ", "Unknown method", "Mutex", 91);
}

void Mutex::lock()
{
    if (pthread_mutex_lock(&_mutex) != 0)
        _Err("pthread_mutex_lock( &_mutex ) failed.", "Unknown method", "Mutex", 138);
}

void Mutex::unlock()
{
    if (pthread_mutex_unlock(&_mutex) != 0)
        _Err("Releasemutex(_mutex) failed. ", "Unknown method", "Mutex", 172);
}

// ---- PSemaphore ----

PSemaphore::PSemaphore(int startValue, const std::string& name)
    : _semaphoreValue(startValue)
    , name(name)
{
    if (startValue != 0)
        RV_assert_failed("startValue == 0", "PSemaphore", 67);
    Windows::InitializeCriticalSection(&section);
}

PSemaphore::~PSemaphore()
{
    Windows::DeleteCriticalSection(&section);
}

int PSemaphore::down(unsigned int limit)
{
    const Windows::DWORD start = limit != 0 ? Windows::GetTickCount() : 0;
    // Unsigned difference, so a tick count that wraps during the wait still measures correctly.
    auto expired = [&] { return limit != 0 && Windows::GetTickCount() - start > limit; };
    for (;;) {
        // Only a hint whether to sleep; the unit is taken under the section below.
        while (_semaphoreValue.load() <= 0) {
            if (expired())
                return 1;
            Windows::Sleep(1);
        }
        Windows::EnterCriticalSection(&section);
        if (_semaphoreValue.load() > 0) {
            --_semaphoreValue;
            Windows::LeaveCriticalSection(&section);
            return 0;
        }
        // Another taker was faster.
        Windows::LeaveCriticalSection(&section);
        if (expired())
            return 1;
    }
}

int PSemaphore::up()
{
    Windows::EnterCriticalSection(&section);
    if (_semaphoreValue.load() < 0)
        RV_assert_failed("_semaphoreValue >= 0", "PSemaphore", 112);
    ++_semaphoreValue;
    Windows::LeaveCriticalSection(&section);
    return 0;
}

// ---- PThread ----

namespace {

// The handle of a thread made here only has to be non-null: nothing but CloseHandle ever sees it.
char gThreadToken;

// Threads run detached: the wrapper's own end wait, not a join, keeps it alive while they use it.
void* MakeStdThread(void (*entry)(void*), void* argument, uint32_t* threadId)
{
    static std::atomic<uint32_t> gNextThreadId { 1 };
    try {
        std::thread(entry, argument).detach();
    } catch (const std::exception&) {
        return nullptr;
    }
    *threadId = gNextThreadId++;
    return &gThreadToken;
}

std::atomic<PThreadBase::ThreadCreator> gThreadCreator { &MakeStdThread };

} // namespace

std::atomic<int32_t> PThreadBase::_objects { 0 };

PThreadBase::ThreadCreator PThreadBase::SetThreadCreator(ThreadCreator creator)
{
    return gThreadCreator.exchange(creator ? creator : &MakeStdThread);
}

PThreadBase::PThreadBase(void* object, Invoke invoke, const std::string& name, int priority)
    : object(object)
    , invoke(invoke)
    , name(name)
    , priority(priority)
{
    ++_objects;
}

PThreadBase::~PThreadBase()
{
    Join();
    --_objects;
}

void* PThreadBase::run()
{
    _Err("void* PThread::run() was called. Should not happen!", "Unknown method", "VL_PThread", 488);
    return nullptr;
}

bool PThreadBase::start()
{
    std::lock_guard<std::mutex> lock(gateMutex);
    if (state == kStateStarted)
        return false;
    const int32_t previous = state;
    state = kStateStarted;
    uint32_t id = 0;
    void* made = gThreadCreator.load()(&Dispatch, this, &id);
    if (made == nullptr) {
        state = previous;
        return false;
    }
    // The new thread waits at the gate until its handle and id are in place.
    handle = made;
    threadId = id;
    released = true;
    gate.notify_all();
    return true;
}

void PThreadBase::Join()
{
    std::unique_lock<std::mutex> lock(gateMutex);
    if (!released)
        return;
    gate.wait(lock, [this] { return finished; });
}

void PThreadBase::Dispatch(void* wrapper)
{
    PThreadBase* self = static_cast<PThreadBase*>(wrapper);
    {
        std::unique_lock<std::mutex> lock(self->gateMutex);
        self->gate.wait(lock, [self] { return self->released; });
    }
    if (self->invoke == nullptr)
        self->run();
    else
        self->invoke(self->object);
    // The last touch of the wrapper: once `finished` is seen, its owner may free it.
    std::lock_guard<std::mutex> lock(self->gateMutex);
    self->handle = nullptr;
    self->finished = true;
    self->gate.notify_all();
}

// ---- CWindowsThreadSafeObject ----

CWindowsThreadSafeObject::CWindowsThreadSafeObject()
{
    Windows::InitializeCriticalSection(&section);
}

CWindowsThreadSafeObject::~CWindowsThreadSafeObject()
{
    Windows::DeleteCriticalSection(&section);
}

void CWindowsThreadSafeObject::Lock(const char*)
{
    Windows::EnterCriticalSection(&section);
}

void CWindowsThreadSafeObject::Unlock(const char*)
{
    Windows::LeaveCriticalSection(&section);
}
