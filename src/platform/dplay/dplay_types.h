// The DirectPlay 4 and DirectPlay lobby 3 types, constants and interfaces (published slot order) that the
// multiplayer session calls; records are laid out for 64-bit Linux, so their sizes come from sizeof.
#pragma once

#include <cstring>

#include "platform/win/win_types.h"

namespace Windows {

using DPID = DWORD;
using LPDPID = DPID*;
using LPCGUID = const GUID*;
using LPGUID = GUID*;

constexpr DPID DPID_SYSMSG = 0;
constexpr DPID DPID_ALLPLAYERS = 0;

constexpr DWORD DPOPEN_JOIN = 0x1;
constexpr DWORD DPOPEN_CREATE = 0x2;
constexpr DWORD DPOPEN_RETURNSTATUS = 0x80;

constexpr DWORD DPSESSION_NEWPLAYERSDISABLED = 0x1;
constexpr DWORD DPSESSION_MIGRATEHOST = 0x4;
constexpr DWORD DPSESSION_JOINDISABLED = 0x20;

constexpr DWORD DPSEND_GUARANTEED = 0x1;

constexpr DWORD DPRECEIVE_ALL = 0x1;
constexpr DWORD DPRECEIVE_TOPLAYER = 0x2;
constexpr DWORD DPRECEIVE_FROMPLAYER = 0x4;
constexpr DWORD DPRECEIVE_PEEK = 0x8;

constexpr DWORD DPENUMPLAYERS_LOCAL = 0x8;
constexpr DWORD DPENUMPLAYERS_REMOTE = 0x10;
constexpr DWORD DPENUMPLAYERS_SESSION = 0x80;

constexpr DWORD DPENUMSESSIONS_ASYNC = 0x10;
constexpr DWORD DPENUMSESSIONS_STOPASYNC = 0x20;
constexpr DWORD DPENUMSESSIONS_RETURNSTATUS = 0x80;
constexpr DWORD DPESC_TIMEDOUT = 0x1;

constexpr DWORD DPPLAYERTYPE_PLAYER = 1;

constexpr DWORD DPSYS_CREATEPLAYERORGROUP = 0x3;
constexpr DWORD DPSYS_DESTROYPLAYERORGROUP = 0x5;
constexpr DWORD DPSYS_SESSIONLOST = 0x31;

struct DPNAME {
    DWORD dwSize;
    DWORD dwFlags;
    char* lpszShortNameA;
    char* lpszLongNameA;
};
using LPDPNAME = DPNAME*;
using LPCDPNAME = const DPNAME*;

struct DPSESSIONDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    GUID guidInstance;
    GUID guidApplication;
    DWORD dwMaxPlayers;
    DWORD dwCurrentPlayers;
    char* lpszSessionNameA;
    char* lpszPasswordA;
    DWORD dwReserved1;
    DWORD dwReserved2;
    DWORD dwUser1;
    DWORD dwUser2;
    DWORD dwUser3;
    DWORD dwUser4;
};
using LPDPSESSIONDESC2 = DPSESSIONDESC2*;
using LPCDPSESSIONDESC2 = const DPSESSIONDESC2*;

struct DPMSG_CREATEPLAYERORGROUP {
    DWORD dwType;
    DWORD dwPlayerType;
    DPID dpId;
    DWORD dwCurrentPlayers;
    LPVOID lpData;
    DWORD dwDataSize;
    DPNAME dpnName;
    DPID dpIdParent;
    DWORD dwFlags;
};

struct DPMSG_DESTROYPLAYERORGROUP {
    DWORD dwType;
    DWORD dwPlayerType;
    DPID dpId;
    LPVOID lpLocalData;
    DWORD dwLocalDataSize;
    LPVOID lpRemoteData;
    DWORD dwRemoteDataSize;
    DPNAME dpnName;
    DPID dpIdParent;
    DWORD dwFlags;
};

struct DPMSG_SESSIONLOST {
    DWORD dwType;
};

struct DPCOMPOUNDADDRESSELEMENT {
    GUID guidDataType;
    DWORD dwDataSize;
    LPVOID lpData;
};
using LPCDPCOMPOUNDADDRESSELEMENT = const DPCOMPOUNDADDRESSELEMENT*;

// The service provider and the two address element types the lobby object knows.
inline constexpr GUID DPSPGUID_TCPIP
    = { 0x36E95EE0, 0x8577, 0x11CF, { 0x96, 0x0C, 0x00, 0x80, 0xC7, 0x53, 0x4E, 0x82 } };
inline constexpr GUID DPAID_ServiceProvider
    = { 0x07D916C0, 0xE0AF, 0x11CF, { 0x9C, 0x4E, 0x00, 0xA0, 0xC9, 0x05, 0x42, 0x5E } };
inline constexpr GUID DPAID_INet
    = { 0xC4A54DA0, 0xE0AF, 0x11CF, { 0x9C, 0x4E, 0x00, 0xA0, 0xC9, 0x05, 0x42, 0x5E } };

inline bool IsEqualGUID(const GUID& a, const GUID& b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

using LPDPENUMPLAYERSCALLBACK2
    = BOOL (*)(DPID id, DWORD playerType, LPCDPNAME name, DWORD flags, LPVOID context);
using LPDPENUMSESSIONSCALLBACK2
    = BOOL (*)(LPCDPSESSIONDESC2 desc, LPDWORD timeout, DWORD flags, LPVOID context);
using LPDPENUMCONNECTIONSCALLBACK = BOOL (*)(LPCGUID serviceProvider, LPVOID connection, DWORD connectionSize,
    LPCDPNAME name, DWORD flags, LPVOID context);

// Records of slots the game never calls are left opaque.
using LPDPCAPS = void*;
using LPDPCHAT = void*;
using LPDPCREDENTIALS = void*;
using LPCDPSECURITYDESC = const void*;
using LPDPACCOUNTDESC = void*;
using LPDPLCONNECTION = void*;

struct IDirectPlay4 : IUnknown {
    virtual HRESULT AddPlayerToGroup(DPID group, DPID player) = 0;
    virtual HRESULT Close() = 0;
    virtual HRESULT CreateGroup(LPDPID group, LPDPNAME name, LPVOID data, DWORD dataSize, DWORD flags) = 0;
    virtual HRESULT CreatePlayer(
        LPDPID player, LPDPNAME name, HANDLE event, LPVOID data, DWORD dataSize, DWORD flags)
        = 0;
    virtual HRESULT DeletePlayerFromGroup(DPID group, DPID player) = 0;
    virtual HRESULT DestroyGroup(DPID group) = 0;
    virtual HRESULT DestroyPlayer(DPID player) = 0;
    virtual HRESULT EnumGroupPlayers(
        DPID group, LPGUID instance, LPDPENUMPLAYERSCALLBACK2 callback, LPVOID context, DWORD flags)
        = 0;
    virtual HRESULT EnumGroups(
        LPGUID instance, LPDPENUMPLAYERSCALLBACK2 callback, LPVOID context, DWORD flags)
        = 0;
    virtual HRESULT EnumPlayers(
        LPGUID instance, LPDPENUMPLAYERSCALLBACK2 callback, LPVOID context, DWORD flags)
        = 0;
    virtual HRESULT EnumSessions(
        LPDPSESSIONDESC2 desc, DWORD timeout, LPDPENUMSESSIONSCALLBACK2 callback, LPVOID context, DWORD flags)
        = 0;
    virtual HRESULT GetCaps(LPDPCAPS caps, DWORD flags) = 0;
    virtual HRESULT GetGroupData(DPID group, LPVOID data, LPDWORD size, DWORD flags) = 0;
    virtual HRESULT GetGroupName(DPID group, LPVOID data, LPDWORD size) = 0;
    virtual HRESULT GetMessageCount(DPID player, LPDWORD count) = 0;
    virtual HRESULT GetPlayerAddress(DPID player, LPVOID data, LPDWORD size) = 0;
    virtual HRESULT GetPlayerCaps(DPID player, LPDPCAPS caps, DWORD flags) = 0;
    virtual HRESULT GetPlayerData(DPID player, LPVOID data, LPDWORD size, DWORD flags) = 0;
    virtual HRESULT GetPlayerName(DPID player, LPVOID data, LPDWORD size) = 0;
    virtual HRESULT GetSessionDesc(LPVOID data, LPDWORD size) = 0;
    virtual HRESULT Initialize(LPGUID guid) = 0;
    virtual HRESULT Open(LPDPSESSIONDESC2 desc, DWORD flags) = 0;
    virtual HRESULT Receive(LPDPID from, LPDPID to, DWORD flags, LPVOID data, LPDWORD size) = 0;
    virtual HRESULT Send(DPID from, DPID to, DWORD flags, LPVOID data, DWORD size) = 0;
    virtual HRESULT SetGroupData(DPID group, LPVOID data, DWORD size, DWORD flags) = 0;
    virtual HRESULT SetGroupName(DPID group, LPDPNAME name, DWORD flags) = 0;
    virtual HRESULT SetPlayerData(DPID player, LPVOID data, DWORD size, DWORD flags) = 0;
    virtual HRESULT SetPlayerName(DPID player, LPDPNAME name, DWORD flags) = 0;
    virtual HRESULT SetSessionDesc(LPDPSESSIONDESC2 desc, DWORD flags) = 0;
    virtual HRESULT AddGroupToGroup(DPID parent, DPID group) = 0;
    virtual HRESULT CreateGroupInGroup(
        DPID parent, LPDPID group, LPDPNAME name, LPVOID data, DWORD dataSize, DWORD flags)
        = 0;
    virtual HRESULT DeleteGroupFromGroup(DPID parent, DPID group) = 0;
    virtual HRESULT EnumConnections(
        LPCGUID application, LPDPENUMCONNECTIONSCALLBACK callback, LPVOID context, DWORD flags)
        = 0;
    virtual HRESULT EnumGroupsInGroup(
        DPID group, LPGUID instance, LPDPENUMPLAYERSCALLBACK2 callback, LPVOID context, DWORD flags)
        = 0;
    virtual HRESULT GetGroupConnectionSettings(DWORD flags, DPID group, LPVOID data, LPDWORD size) = 0;
    virtual HRESULT InitializeConnection(LPVOID connection, DWORD flags) = 0;
    virtual HRESULT SecureOpen(
        LPCDPSESSIONDESC2 desc, DWORD flags, LPCDPSECURITYDESC security, LPDPCREDENTIALS credentials)
        = 0;
    virtual HRESULT SendChatMessage(DPID from, DPID to, DWORD flags, LPDPCHAT chat) = 0;
    virtual HRESULT SetGroupConnectionSettings(DWORD flags, DPID group, LPDPLCONNECTION connection) = 0;
    virtual HRESULT StartSession(DWORD flags, DPID group) = 0;
    virtual HRESULT GetGroupFlags(DPID group, LPDWORD flags) = 0;
    virtual HRESULT GetGroupParent(DPID group, LPDPID parent) = 0;
    virtual HRESULT GetPlayerAccount(DPID player, DWORD flags, LPVOID data, LPDWORD size) = 0;
    virtual HRESULT GetPlayerFlags(DPID player, LPDWORD flags) = 0;
    virtual HRESULT GetGroupOwner(DPID group, LPDPID owner) = 0;
    virtual HRESULT SetGroupOwner(DPID group, DPID owner) = 0;
    virtual HRESULT SendEx(DPID from, DPID to, DWORD flags, LPVOID data, DWORD size, DWORD priority,
        DWORD timeout, LPVOID context, ULONG_PTR* messageId)
        = 0;
    virtual HRESULT GetMessageQueue(DPID from, DPID to, DWORD flags, LPDWORD messages, LPDWORD bytes) = 0;
    virtual HRESULT CancelMessage(DWORD messageId, DWORD flags) = 0;
    virtual HRESULT CancelPriority(DWORD minPriority, DWORD maxPriority, DWORD flags) = 0;

protected:
    ~IDirectPlay4() = default;
};

using LPDPENUMADDRESSCALLBACK = BOOL (*)(REFGUID type, DWORD size, LPCVOID data, LPVOID context);
using LPDPLENUMADDRESSTYPESCALLBACK = BOOL (*)(REFGUID type, LPVOID context, DWORD flags);
using LPDPLENUMLOCALAPPLICATIONSCALLBACK = BOOL (*)(const void* application, LPVOID context, DWORD flags);

struct IDirectPlayLobby3 : IUnknown {
    virtual HRESULT Connect(DWORD flags, IDirectPlay4** directPlay, IUnknown* outer) = 0;
    virtual HRESULT CreateAddress(
        REFGUID serviceProvider, REFGUID type, LPCVOID data, DWORD dataSize, LPVOID address, LPDWORD size)
        = 0;
    virtual HRESULT EnumAddress(LPDPENUMADDRESSCALLBACK callback, LPCVOID address, DWORD size, LPVOID context)
        = 0;
    virtual HRESULT EnumAddressTypes(
        LPDPLENUMADDRESSTYPESCALLBACK callback, REFGUID serviceProvider, LPVOID context, DWORD flags)
        = 0;
    virtual HRESULT EnumLocalApplications(
        LPDPLENUMLOCALAPPLICATIONSCALLBACK callback, LPVOID context, DWORD flags)
        = 0;
    virtual HRESULT GetConnectionSettings(DWORD appId, LPVOID data, LPDWORD size) = 0;
    virtual HRESULT ReceiveLobbyMessage(
        DWORD flags, DWORD appId, LPDWORD messageFlags, LPVOID data, LPDWORD size)
        = 0;
    virtual HRESULT RunApplication(DWORD flags, LPDWORD appId, LPDPLCONNECTION connection, HANDLE event) = 0;
    virtual HRESULT SendLobbyMessage(DWORD flags, DWORD appId, LPVOID data, DWORD size) = 0;
    virtual HRESULT SetConnectionSettings(DWORD flags, DWORD appId, LPDPLCONNECTION connection) = 0;
    virtual HRESULT SetLobbyMessageEvent(DWORD flags, DWORD appId, HANDLE event) = 0;
    virtual HRESULT CreateCompoundAddress(
        LPCDPCOMPOUNDADDRESSELEMENT elements, DWORD count, LPVOID address, LPDWORD size)
        = 0;
    virtual HRESULT ConnectEx(DWORD flags, REFIID iid, LPVOID* out, IUnknown* outer) = 0;
    virtual HRESULT RegisterApplication(DWORD flags, LPVOID description) = 0;
    virtual HRESULT UnregisterApplication(DWORD flags, REFGUID application) = 0;
    virtual HRESULT WaitForConnectionSettings(DWORD flags) = 0;

protected:
    ~IDirectPlayLobby3() = default;
};

} // namespace Windows
