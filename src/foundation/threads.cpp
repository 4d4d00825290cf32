// The lobby's thread and lock classes: the POSIX mutex, the polling semaphore, the thread wrapper's
// start gate and end wait, and the critical-section object.
#include "foundation/threads.h"

#include "foundation/fatal_error.h"

#include "foundation/safeguards.h"

// ---- Mutex ----

Mutex::Mutex(const std::string& inName)
    : name(inName)
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

PSemaphore::PSemaphore(int startValue, const std::string& inName)
    : _semaphoreValue(startValue)
    , name(inName)
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

Windows::HANDLE MakePlatformThread(
    Windows::LPTHREAD_START_ROUTINE routine, void* argument, Windows::DWORD* threadId)
{
    return Windows::CreateThread(nullptr, 0, routine, argument, 0, threadId);
}

std::atomic<PThreadBase::ThreadCreator> gThreadCreator { &MakePlatformThread };

} // namespace

std::atomic<int32_t> PThreadBase::_objects { 0 };

PThreadBase::ThreadCreator PThreadBase::SetThreadCreator(ThreadCreator creator)
{
    return gThreadCreator.exchange(creator ? creator : &MakePlatformThread);
}

PThreadBase::PThreadBase(void* inObject, Invoke inInvoke, const std::string& inName, int inPriority)
    : object(inObject)
    , invoke(inInvoke)
    , name(inName)
    , priority(inPriority)
{
    ++_objects;
}

PThreadBase::~PThreadBase()
{
    Join();
    if (state == kStateStarted)
        Windows::CloseHandle(handle);
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
    Windows::DWORD id = 0;
    Windows::HANDLE made = gThreadCreator.load()(&Dispatch, this, &id);
    if (made == nullptr) {
        Windows::GetLastError();
        state = previous;
        return false;
    }
    // The new thread waits at the gate until its handle and id are in place.
    handle = made;
    threadId = id;
    released = true;
    gate.notify_all();
    if (priority != 0)
        Windows::SetThreadPriority(handle, priority);
    return true;
}

void PThreadBase::Join()
{
    std::unique_lock<std::mutex> lock(gateMutex);
    if (!released)
        return;
    gate.wait(lock, [this] { return finished; });
}

Windows::DWORD PThreadBase::Dispatch(void* wrapper)
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
    // The last touch of the wrapper: once `finished` is seen, its owner may free it. The handle stays
    // in place for the destructor to close, which lets the platform's thread object go.
    std::lock_guard<std::mutex> lock(self->gateMutex);
    self->finished = true;
    self->gate.notify_all();
    return 1;
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
