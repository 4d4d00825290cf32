// The emulated Win32 calls the game makes: the game reaches the platform only through these.
#pragma once

#include <cstdint>

namespace Windows {

using DWORD = std::uint32_t;
using BOOL = std::int32_t;

// Milliseconds since the application started, unsigned 32-bit and wrapping; never goes backwards.
DWORD GetTickCount();
void Sleep(DWORD milliseconds);

// A re-entrant lock, like Win32's: the owning thread may enter it again.
struct CRITICAL_SECTION {
    void* impl = nullptr;
};
void InitializeCriticalSection(CRITICAL_SECTION* section);
void EnterCriticalSection(CRITICAL_SECTION* section);
void LeaveCriticalSection(CRITICAL_SECTION* section);
void DeleteCriticalSection(CRITICAL_SECTION* section);

} // namespace Windows

// ASCII case-insensitive comparison answering exactly -1, 0 or 1; bytes >= 0x80 are not folded.
int stricmp(const char* a, const char* b);

// Logs a failed assertion ("%s (%s:%d)": expression, base name of the file, line) and returns.
void RV_assert_failed(const char* expression, const char* file, int line);

#define RV_ASSERT(e) ((e) ? (void)0 : RV_assert_failed(#e, __FILE__, __LINE__))
