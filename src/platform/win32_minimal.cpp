// The least of the Win32 emulation that the foundation needs: clock, sleep, locks, stricmp, assertions.
#include "platform/win/win32.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "foundation/safeguards.h"

namespace Windows {

namespace {
const auto gStart = std::chrono::steady_clock::now();
}

DWORD GetTickCount()
{
    auto elapsed = std::chrono::steady_clock::now() - gStart;
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void Sleep(DWORD milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void InitializeCriticalSection(CRITICAL_SECTION* section)
{
    section->impl = new std::recursive_mutex;
}

void EnterCriticalSection(CRITICAL_SECTION* section)
{
    static_cast<std::recursive_mutex*>(section->impl)->lock();
}

void LeaveCriticalSection(CRITICAL_SECTION* section)
{
    static_cast<std::recursive_mutex*>(section->impl)->unlock();
}

void DeleteCriticalSection(CRITICAL_SECTION* section)
{
    delete static_cast<std::recursive_mutex*>(section->impl);
    section->impl = nullptr;
}

} // namespace Windows

int stricmp(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        if (*a == '\0')
            return *b == '\0' ? 0 : -1;
        if (*b == '\0')
            return 1;
        int ca = static_cast<signed char>(*a);
        int cb = static_cast<signed char>(*b);
        if (ca >= 'A' && ca <= 'Z')
            ca += 'a' - 'A';
        if (cb >= 'A' && cb <= 'Z')
            cb += 'a' - 'A';
        if (ca != cb)
            return ca > cb ? 1 : -1;
    }
}

void RV_assert_failed(const char* expression, const char* file, int line)
{
    const char* base = std::strrchr(file, '/');
    base = base ? base + 1 : file;
    std::fprintf(stderr, "%s (%s:%d)\n", expression, base, line);
}
