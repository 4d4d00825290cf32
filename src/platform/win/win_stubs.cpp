// The Win32 calls with fixed answers, and the Winsock entry points that map to one POSIX call.
#include "platform/win/win_stubs.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "foundation/safeguards.h"

namespace Windows {

void GlobalMemoryStatus(MEMORYSTATUS* status)
{
    if (!status)
        return;
    std::memset(status, 0, sizeof *status);
    status->dwTotalPhys = 0x20000000;
    status->dwAvailPhys = 0x20000000;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer)
{
    char* folder = getcwd(nullptr, 0);
    if (!folder)
        return 0;
    std::size_t length = std::strlen(folder);
    DWORD answer;
    if (!buffer || length >= size) {
        answer = static_cast<DWORD>(length + 1);
    } else {
        std::memcpy(buffer, folder, length + 1);
        answer = static_cast<DWORD>(length);
    }
    std::free(folder);
    return answer;
}

DWORD GetLastError()
{
    return 0;
}

HANDLE LoadImageA(HINSTANCE, LPCSTR, UINT, int, int, UINT)
{
    return INVALID_HANDLE_VALUE;
}

HICON LoadIconA(HINSTANCE, LPCSTR)
{
    return nullptr;
}

HGDIOBJ GetStockObject(int)
{
    return nullptr;
}

HRESULT CoInitialize(LPVOID)
{
    return S_OK;
}

void CoUninitialize() { }

int WSAStartup(WORD, WSADATA* data)
{
    if (data) {
        std::memset(data, 0, sizeof *data);
        data->wVersion = 0x0101;
    }
    return 0;
}

int WSACleanup()
{
    return 0;
}

int WSAGetLastError()
{
    return errno;
}

int closesocket(SOCKET socket)
{
    return close(static_cast<int>(socket));
}

} // namespace Windows
