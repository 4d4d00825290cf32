// The DirectPlay lobby object: it only builds the TCP/IP address text that the session's
// InitializeConnection takes; every other lobby call answers 0.
#pragma once

#include "platform/dplay/dplay_types.h"
#include "platform/elements/iunknown_imp.h"

namespace Ravel {

class IDirectPlayLobbyImp3 : public Windows::IDirectPlayLobby3, public IUnknownImp {
public:
    // The size of the address a caller allocates.
    static constexpr Windows::DWORD kAddressSize = 1024;

    Windows::HRESULT QueryInterface(Windows::REFIID, void**) override { return 0; }
    Windows::ULONG AddRef() override { return IUnknownImp::AddRef(); }
    Windows::ULONG Release() override { return IUnknownImp::Release(); }

    // Without a buffer: size set to kAddressSize. With one: the address text of the DPAID_INet element,
    // NUL-terminated and cut to the buffer, size set to kAddressSize. A service provider other than
    // TCP/IP ends the process with status 1: the game offers no other.
    Windows::HRESULT CreateCompoundAddress(Windows::LPCDPCOMPOUNDADDRESSELEMENT elements,
        Windows::DWORD count, Windows::LPVOID address, Windows::LPDWORD size) override;

    Windows::HRESULT Connect(Windows::DWORD, Windows::IDirectPlay4**, Windows::IUnknown*) override
    {
        return 0;
    }
    Windows::HRESULT CreateAddress(Windows::REFGUID, Windows::REFGUID, Windows::LPCVOID, Windows::DWORD,
        Windows::LPVOID, Windows::LPDWORD) override
    {
        return 0;
    }
    Windows::HRESULT EnumAddress(
        Windows::LPDPENUMADDRESSCALLBACK, Windows::LPCVOID, Windows::DWORD, Windows::LPVOID) override
    {
        return 0;
    }
    Windows::HRESULT EnumAddressTypes(
        Windows::LPDPLENUMADDRESSTYPESCALLBACK, Windows::REFGUID, Windows::LPVOID, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT EnumLocalApplications(
        Windows::LPDPLENUMLOCALAPPLICATIONSCALLBACK, Windows::LPVOID, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT GetConnectionSettings(Windows::DWORD, Windows::LPVOID, Windows::LPDWORD) override
    {
        return 0;
    }
    Windows::HRESULT ReceiveLobbyMessage(
        Windows::DWORD, Windows::DWORD, Windows::LPDWORD, Windows::LPVOID, Windows::LPDWORD) override
    {
        return 0;
    }
    Windows::HRESULT RunApplication(
        Windows::DWORD, Windows::LPDWORD, Windows::LPDPLCONNECTION, Windows::HANDLE) override
    {
        return 0;
    }
    Windows::HRESULT SendLobbyMessage(
        Windows::DWORD, Windows::DWORD, Windows::LPVOID, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT SetConnectionSettings(Windows::DWORD, Windows::DWORD, Windows::LPDPLCONNECTION) override
    {
        return 0;
    }
    Windows::HRESULT SetLobbyMessageEvent(Windows::DWORD, Windows::DWORD, Windows::HANDLE) override
    {
        return 0;
    }
    Windows::HRESULT ConnectEx(Windows::DWORD, Windows::REFIID, Windows::LPVOID*, Windows::IUnknown*) override
    {
        return 0;
    }
    Windows::HRESULT RegisterApplication(Windows::DWORD, Windows::LPVOID) override { return 0; }
    Windows::HRESULT UnregisterApplication(Windows::DWORD, Windows::REFGUID) override { return 0; }
    Windows::HRESULT WaitForConnectionSettings(Windows::DWORD) override { return 0; }
};

} // namespace Ravel
