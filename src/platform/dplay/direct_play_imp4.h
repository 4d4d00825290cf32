// The DirectPlay 4 emulation: a host-relayed session of up to 32 players over ENet, with the session
// search over UDP beside it. Main thread only; the network is serviced only when the game calls in.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "platform/dplay/dplay_types.h"
#include "platform/dplay/message_buffer.h"
#include "platform/elements/iunknown_imp.h"

struct _ENetHost;
struct _ENetPeer;
struct _ENetEvent;

// The ENet port of a hosted session, where hosts listen for search requests and where a searcher
// listens for answers (0: any free port, since hosts answer to the port a request came from).
extern std::uint16_t gServerPort;
extern std::uint16_t gEnumerationTargetPort;
extern std::uint16_t gEnumerationPort;
// Where a search broadcasts its request, IPv4 in host byte order (255.255.255.255; tests use loopback).
extern std::uint32_t gEnumerationBroadcastAddress;
// The address that hosted sessions and the search socket bind, IPv4 in host byte order: every interface
// (0) for play; tests bind loopback so that nothing they open is reachable from outside the machine.
extern std::uint32_t gBindAddress;
// Only machines with equal game names see each other's sessions; the game sets its product name at start.
extern char gGameName[32];
// How long joining waits for the host to accept the connection before it fails, in ms (5000).
extern std::uint32_t gConnectWaitMs;
// How long a client waits for the host's answer to its connection or its new player before giving up, so
// that a host that never answers cannot hang the game, in ms (10000).
extern std::uint32_t gAnswerWaitMs;
// How long a peer may leave what it was sent unacknowledged before the session counts it lost, in ms; 0
// keeps ENet's own limits (a silent host is lost after some 20 s). Tests shorten both waits so each
// give-up path runs in about a second.
extern std::uint32_t gPeerTimeoutMs;

namespace Ravel {

constexpr int ENET_MAX_PLAYERS = 32;
constexpr int ENET_STRING_LEN = 256;

// The game's data in one data message: a message is at most BIG_ENOUGH bytes and 13 go to the header.
constexpr int kMaxGameMessage = MessageBuffer::BIG_ENOUGH - 13;

struct PlayerData {
    Windows::DPNAME Name {};
    std::unique_ptr<char[]> ShortName;
    std::unique_ptr<char[]> LongName;
    std::uint32_t Flags = 0;
    Windows::DPID DPID = 0;
    Windows::HANDLE Event = nullptr;
    // The player's slot on the host: the identity between machines.
    std::uint32_t ServerIndex = 0;
    bool IsLocal = false;
    _ENetPeer* PlayerPeer = nullptr;
};

// A message waiting for a local player; it owns its bytes and, for a system message, the name copies
// its DPNAME points at.
class PendingMessage : public MessageBuffer {
public:
    PendingMessage(const void* bytes, int size, int sender, int receiver)
        : MessageBuffer(CopyTag {}, bytes, size)
        , SenderSlot(sender)
        , ReceiverSlot(receiver)
    {
    }

    // -1 for a system message.
    int SenderSlot;
    int ReceiverSlot;
    std::unique_ptr<char[]> OwnedTexts[2];
};

class IDirectPlayImp4 : public Windows::IDirectPlay4, public IUnknownImp {
public:
    static constexpr std::uint32_t kWaitingIndex = 0xFFFFFFFFU;
    static constexpr std::uint32_t kRefusedIndex = 0xFFFFFFFEU;

    IDirectPlayImp4() noexcept;
    ~IDirectPlayImp4() override;

    Windows::HRESULT QueryInterface(Windows::REFIID, void**) override { return 0; }
    Windows::ULONG AddRef() override { return IUnknownImp::AddRef(); }
    Windows::ULONG Release() override { return IUnknownImp::Release(); }

    Windows::HRESULT Close() override;
    Windows::HRESULT CreatePlayer(Windows::LPDPID player, Windows::LPDPNAME name, Windows::HANDLE event,
        Windows::LPVOID data, Windows::DWORD dataSize, Windows::DWORD flags) override;
    Windows::HRESULT DestroyPlayer(Windows::DPID player) override;
    Windows::HRESULT EnumPlayers(Windows::LPGUID instance, Windows::LPDPENUMPLAYERSCALLBACK2 callback,
        Windows::LPVOID context, Windows::DWORD flags) override;
    Windows::HRESULT EnumSessions(Windows::LPDPSESSIONDESC2 desc, Windows::DWORD timeout,
        Windows::LPDPENUMSESSIONSCALLBACK2 callback, Windows::LPVOID context, Windows::DWORD flags) override;
    Windows::HRESULT Open(Windows::LPDPSESSIONDESC2 desc, Windows::DWORD flags) override;
    // DPERR_NOMESSAGES, DPERR_BUFFERTOOSMALL (size set to the message's; it stays queued), -1 for a null
    // size, else 0. A delivered system message's name pointers live until the next Receive or Close.
    Windows::HRESULT Receive(Windows::LPDPID from, Windows::LPDPID to, Windows::DWORD flags,
        Windows::LPVOID data, Windows::LPDWORD size) override;
    // -1 for data longer than kMaxGameMessage or a client without its host; an unknown player is 0.
    Windows::HRESULT Send(Windows::DPID from, Windows::DPID to, Windows::DWORD flags, Windows::LPVOID data,
        Windows::DWORD size) override;
    Windows::HRESULT SetSessionDesc(Windows::LPDPSESSIONDESC2 desc, Windows::DWORD flags) override;
    Windows::HRESULT EnumConnections(Windows::LPCGUID application,
        Windows::LPDPENUMCONNECTIONSCALLBACK callback, Windows::LPVOID context,
        Windows::DWORD flags) override;
    Windows::HRESULT InitializeConnection(Windows::LPVOID connection, Windows::DWORD flags) override;

    // Services ENet at most every 50 ms and the search socket every call; the game calls it every frame.
    void Tick();

    // The ENet port this machine's host listens on (0 without one); the search answer carries it.
    std::uint16_t HostPort() const;
    const Windows::DPSESSIONDESC2& SessionDesc() const { return mSessionDesc; }

    // Search and answering (session search file).
    bool CreateEnumerationSocket(std::uint16_t port);
    void BroadcastEnumerationRequest(std::uint16_t port);
    void SendEnumerationRequestToCertainIP();
    void TickEnumerationSocket(bool asHost);
    void GiveResultsToCallback(const Windows::GUID& application, Windows::LPDPENUMSESSIONSCALLBACK2 callback,
        Windows::LPVOID context, bool final, Windows::DWORD flags);
    void UpdateEnumerationResponseData(bool withName, const Windows::DPSESSIONDESC2* desc);
    void EndEnumeration();

    // The slots every other interface slot needs; they do nothing and answer 0.
    Windows::HRESULT AddPlayerToGroup(Windows::DPID, Windows::DPID) override { return 0; }
    Windows::HRESULT CreateGroup(
        Windows::LPDPID, Windows::LPDPNAME, Windows::LPVOID, Windows::DWORD, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT DeletePlayerFromGroup(Windows::DPID, Windows::DPID) override { return 0; }
    Windows::HRESULT DestroyGroup(Windows::DPID) override { return 0; }
    Windows::HRESULT EnumGroupPlayers(Windows::DPID, Windows::LPGUID, Windows::LPDPENUMPLAYERSCALLBACK2,
        Windows::LPVOID, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT EnumGroups(
        Windows::LPGUID, Windows::LPDPENUMPLAYERSCALLBACK2, Windows::LPVOID, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT GetCaps(Windows::LPDPCAPS, Windows::DWORD) override { return 0; }
    Windows::HRESULT GetGroupData(Windows::DPID, Windows::LPVOID, Windows::LPDWORD, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT GetGroupName(Windows::DPID, Windows::LPVOID, Windows::LPDWORD) override { return 0; }
    Windows::HRESULT GetMessageCount(Windows::DPID, Windows::LPDWORD) override { return 0; }
    Windows::HRESULT GetPlayerAddress(Windows::DPID, Windows::LPVOID, Windows::LPDWORD) override { return 0; }
    Windows::HRESULT GetPlayerCaps(Windows::DPID, Windows::LPDPCAPS, Windows::DWORD) override { return 0; }
    Windows::HRESULT GetPlayerData(Windows::DPID, Windows::LPVOID, Windows::LPDWORD, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT GetPlayerName(Windows::DPID, Windows::LPVOID, Windows::LPDWORD) override { return 0; }
    Windows::HRESULT GetSessionDesc(Windows::LPVOID, Windows::LPDWORD) override { return 0; }
    Windows::HRESULT Initialize(Windows::LPGUID) override { return 0; }
    Windows::HRESULT SetGroupData(Windows::DPID, Windows::LPVOID, Windows::DWORD, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT SetGroupName(Windows::DPID, Windows::LPDPNAME, Windows::DWORD) override { return 0; }
    Windows::HRESULT SetPlayerData(Windows::DPID, Windows::LPVOID, Windows::DWORD, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT SetPlayerName(Windows::DPID, Windows::LPDPNAME, Windows::DWORD) override { return 0; }
    Windows::HRESULT AddGroupToGroup(Windows::DPID, Windows::DPID) override { return 0; }
    Windows::HRESULT CreateGroupInGroup(Windows::DPID, Windows::LPDPID, Windows::LPDPNAME, Windows::LPVOID,
        Windows::DWORD, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT DeleteGroupFromGroup(Windows::DPID, Windows::DPID) override { return 0; }
    Windows::HRESULT EnumGroupsInGroup(Windows::DPID, Windows::LPGUID, Windows::LPDPENUMPLAYERSCALLBACK2,
        Windows::LPVOID, Windows::DWORD) override
    {
        return 0;
    }
    Windows::HRESULT GetGroupConnectionSettings(
        Windows::DWORD, Windows::DPID, Windows::LPVOID, Windows::LPDWORD) override
    {
        return 0;
    }
    Windows::HRESULT SecureOpen(Windows::LPCDPSESSIONDESC2, Windows::DWORD, Windows::LPCDPSECURITYDESC,
        Windows::LPDPCREDENTIALS) override
    {
        return 0;
    }
    Windows::HRESULT SendChatMessage(Windows::DPID, Windows::DPID, Windows::DWORD, Windows::LPDPCHAT) override
    {
        return 0;
    }
    Windows::HRESULT SetGroupConnectionSettings(
        Windows::DWORD, Windows::DPID, Windows::LPDPLCONNECTION) override
    {
        return 0;
    }
    Windows::HRESULT StartSession(Windows::DWORD, Windows::DPID) override { return 0; }
    Windows::HRESULT GetGroupFlags(Windows::DPID, Windows::LPDWORD) override { return 0; }
    Windows::HRESULT GetGroupParent(Windows::DPID, Windows::LPDPID) override { return 0; }
    Windows::HRESULT GetPlayerAccount(
        Windows::DPID, Windows::DWORD, Windows::LPVOID, Windows::LPDWORD) override
    {
        return 0;
    }
    Windows::HRESULT GetPlayerFlags(Windows::DPID, Windows::LPDWORD) override { return 0; }
    Windows::HRESULT GetGroupOwner(Windows::DPID, Windows::LPDPID) override { return 0; }
    Windows::HRESULT SetGroupOwner(Windows::DPID, Windows::DPID) override { return 0; }
    Windows::HRESULT SendEx(Windows::DPID, Windows::DPID, Windows::DWORD, Windows::LPVOID, Windows::DWORD,
        Windows::DWORD, Windows::DWORD, Windows::LPVOID, Windows::ULONG_PTR*) override
    {
        return 0;
    }
    Windows::HRESULT GetMessageQueue(
        Windows::DPID, Windows::DPID, Windows::DWORD, Windows::LPDWORD, Windows::LPDWORD) override
    {
        return 0;
    }
    Windows::HRESULT CancelMessage(Windows::DWORD, Windows::DWORD) override { return 0; }
    Windows::HRESULT CancelPriority(Windows::DWORD, Windows::DWORD, Windows::DWORD) override { return 0; }

private:
    struct SessionRecord {
        std::uint32_t Address = 0; // as socket addresses hold it
        std::uint16_t Port = 0;
        char Name[ENET_STRING_LEN] {};
        char Password[ENET_STRING_LEN] {};
        std::uint32_t Flags = 0;
        std::uint32_t User[4] {};
        std::uint32_t MaxPlayers = 0;
        std::uint32_t CurrentPlayers = 0;
    };

    Windows::HRESULT OpenAsHost(Windows::LPDPSESSIONDESC2 desc, Windows::DWORD flags);
    Windows::HRESULT OpenAsClient(Windows::LPDPSESSIONDESC2 desc, Windows::DWORD flags);
    void StoreSessionDesc(const Windows::DPSESSIONDESC2& desc);
    Windows::HRESULT InternalDestroyPlayer(Windows::DPID id, bool announce);
    // Releases a record whose creation failed: nobody was told of it, so nothing is announced or counted.
    void DropUnannouncedPlayer(int slot);
    int TakeFreeSlot();
    int FindByDPID(Windows::DPID id) const;
    int FindByServerIndex(std::uint32_t index) const;
    int MakePlayerRecord(
        const char* shortName, const char* longName, std::uint32_t flags, Windows::HANDLE event, bool local);
    void RaisePlayerCounts();
    void LowerPlayerCounts();
    // Calls Tick until done() or the wait runs out; false on a time-out.
    template <typename Done> bool TickUntil(Done done);

    void HandleEvent(_ENetEvent& event);
    void HandlePacket(_ENetPeer* peer, const std::uint8_t* bytes, int size);
    void HandleData(_ENetPeer* peer, MessageBuffer& in);
    void HandleConnectionRequest(_ENetPeer* peer);
    void HandlePlayerCreated(_ENetPeer* peer, MessageBuffer& in);
    void HandleCreationAnswer(MessageBuffer& in);
    void HandlePlayerDestroyed(_ENetPeer* peer, MessageBuffer& in);
    void HandleDisconnect(_ENetPeer* peer);

    bool SendPacket(_ENetPeer* peer, const MessageBuffer& message);
    void WritePlayerCreated(MessageBuffer& out, int slot, std::uint32_t serverIndex);
    void SendPlayerCreatedToOthers(int slot, _ENetPeer* except);
    void WriteDataMessage(
        MessageBuffer& out, std::uint32_t from, std::uint32_t to, const void* data, std::uint32_t size);
    // The distinct connections that own remote players, in slot order.
    std::vector<_ENetPeer*> RemotePeers() const;

    void QueueMessage(const void* data, int size, int senderSlot, int receiverSlot);
    void QueueSystemMessage(Windows::DWORD type, int aboutSlot);
    void ClearMessageQueue();

    Windows::DPSESSIONDESC2 mSessionDesc {};
    bool mAddressGiven = false;
    char mHostText[ENET_STRING_LEN] {};
    bool mPortGiven = false;
    char mPortText[28] {};
    _ENetHost* mOurHost = nullptr;
    _ENetPeer* mOurPeer = nullptr;

    char mAnswerName[ENET_STRING_LEN] {};
    char mAnswerPassword[ENET_STRING_LEN] {};
    std::uint32_t mAnswerFlags = 0;
    std::uint32_t mAnswerUser[4] {};
    std::uint32_t mAnswerMaxPlayers = 0;
    std::uint32_t mAnswerCurrentPlayers = 0;

    int mEnumerationSocket = -1;
    std::uint32_t mNonce = 0;
    std::vector<SessionRecord> mResults;
    std::size_t mReported = 0;
    bool mSearchUnderWay = false;
    bool mSearchFinished = false;
    Windows::DWORD mSearchStart = 0;

    Windows::DWORD mLastService = 0;
    bool mAccepted = false;
    Windows::DPID mNextDPID = 1;
    std::unique_ptr<PlayerData> mPlayers[ENET_MAX_PLAYERS];
    int mFreeSlots[ENET_MAX_PLAYERS] {};
    int mFreeCount = 0;
    bool mIsHost = false;
    std::list<std::unique_ptr<PendingMessage>> mPending;
    std::unique_ptr<PendingMessage> mLastDelivered;
};

} // namespace Ravel
