// The Win32 and DirectX types, records and result codes of the emulated interface, laid out for a
// 64-bit Linux machine: DWORD and LONG stay 32-bit, handles are pointer-sized, sizes come from sizeof.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Windows {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using INT = std::int32_t;
using UINT = std::uint32_t;
using BOOL = std::int32_t;
using CHAR = char;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using HRESULT = std::int32_t;
using ULONG_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using SIZE_T = std::size_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LPVOID = void*;
using LPCVOID = const void*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPDWORD = DWORD*;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

// Handles are opaque pointers; the distinct structs keep a window from being passed where an icon is meant.
using HANDLE = void*;
using HWND = struct HWND__*;
using HINSTANCE = struct HINSTANCE__*;
using HICON = struct HICON__*;
using HDC = struct HDC__*;
using HGDIOBJ = void*;
using SOCKET = std::uintptr_t;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

static_assert(sizeof(DWORD) == 4 && sizeof(LONG) == 4 && sizeof(ULONG) == 4, "32-bit Win32 integers");
static_assert(sizeof(WORD) == 2 && sizeof(BYTE) == 1, "Win32 small integers");
static_assert(
    sizeof(HANDLE) == sizeof(void*) && sizeof(HWND) == sizeof(void*) && sizeof(HDC) == sizeof(void*),
    "handles are pointer-sized");
static_assert(
    sizeof(WPARAM) == sizeof(void*) && sizeof(LPARAM) == sizeof(void*), "message words hold a pointer");

// Result codes. Every emulated DirectDraw and Direct3D method answers 0 or -2020; the DirectPlay
// emulation adds its two receive codes; -1 is its only other failure.
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT DD_OK = 0;
constexpr HRESULT DP_OK = 0;
constexpr HRESULT RV_DXERR_FAILED = -2020;
constexpr HRESULT DPERR_BUFFERTOOSMALL = static_cast<HRESULT>(0x8877001EU);
constexpr HRESULT DPERR_NOMESSAGES = static_cast<HRESULT>(0x887700BEU);
constexpr HRESULT DPERR_GENERIC = -1;

static_assert(static_cast<std::uint32_t>(RV_DXERR_FAILED) == 0xFFFFF81CU, "the emulation's one failure code");

constexpr bool SUCCEEDED(HRESULT result)
{
    return result >= 0;
}
constexpr bool FAILED(HRESULT result)
{
    return result < 0;
}

// A COM interface identifier; compared as 16 bytes.
struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
static_assert(sizeof(GUID) == 16, "GUID is 16 bytes");
using IID = GUID;
using REFIID = const IID&;
using REFGUID = const GUID&;

// The first three slots of every emulated COM interface.
struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
static_assert(sizeof(SYSTEMTIME) == 16, "eight 16-bit fields");

struct MEMORYSTATUS {
    DWORD dwLength;
    DWORD dwMemoryLoad;
    SIZE_T dwTotalPhys;
    SIZE_T dwAvailPhys;
    SIZE_T dwTotalPageFile;
    SIZE_T dwAvailPageFile;
    SIZE_T dwTotalVirtual;
    SIZE_T dwAvailVirtual;
};
using _MEMORYSTATUS = MEMORYSTATUS;

constexpr int WSADESCRIPTION_LEN = 256;
constexpr int WSASYS_STATUS_LEN = 128;

// The 64-bit Winsock order: the two counts and the vendor pointer come before the texts.
struct WSADATA {
    WORD wVersion;
    WORD wHighVersion;
    USHORT iMaxSockets;
    USHORT iMaxUdpDg;
    char* lpVendorInfo;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
};
using LPWSADATA = WSADATA*;

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

// The Win32 critical-section record; the emulation keeps its lock in LockSemaphore and reads no other field.
struct _RTL_CRITICAL_SECTION {
    void* DebugInfo = nullptr;
    LONG LockCount = 0;
    LONG RecursionCount = 0;
    HANDLE OwningThread = nullptr;
    HANDLE LockSemaphore = nullptr;
    ULONG_PTR SpinCount = 0;
};
using CRITICAL_SECTION = _RTL_CRITICAL_SECTION;
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

// Multiprocessing Services events (flag words that a waiter takes and clears) and their result codes.
using OSStatus = std::int32_t;
using MPEventID = struct OpaqueMPEventID*;
using MPEventFlags = std::uint32_t;
// Positive durations count milliseconds, negative ones microseconds.
using Duration = std::int32_t;

constexpr OSStatus noErr = 0;
constexpr OSStatus paramErr = -50;
constexpr OSStatus kMPTimeoutErr = -29296;
constexpr OSStatus kMPInvalidIDErr = -29299;
constexpr Duration kDurationImmediate = 0;
constexpr Duration kDurationForever = 0x7FFFFFFF;
constexpr Duration kDurationMillisecond = 1;

} // namespace Windows
