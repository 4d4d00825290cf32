// The Win32 calls that answer fixed values or map to one POSIX call: memory status, current folder,
// errors, images and icons, COM start-up and the Winsock entry points.
#pragma once

#include "platform/win/win_types.h"

namespace Windows {

// 512 MiB of physical memory, all of it available, on every machine; every other field 0.
void GlobalMemoryStatus(MEMORYSTATUS* status);

// Win32's contract over getcwd: the length written (without the terminator); when the buffer is too small
// the size needed (with the terminator) and the buffer untouched; 0 on failure.
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);

// Always 0.
DWORD GetLastError();

// Nothing is loaded: the handle -1.
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HGDIOBJ GetStockObject(int index);

HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();

// Clears the whole record and reports version 1.1, whatever was asked for; answers 0.
int WSAStartup(WORD version, WSADATA* data);
int WSACleanup();
// The calling thread's errno.
int WSAGetLastError();
// close() on the descriptor, with its result.
int closesocket(SOCKET socket);

} // namespace Windows
