// The DirectPlay session over ENet: players and their slots, the host's relay, the message queue of the
// local players and the system messages for players that come and go.
#include "platform/dplay/direct_play_imp4.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <enet/enet.h>

#include "platform/elements/rv_assert.h"
#include "platform/win/win_locks.h"
#include "platform/win/win_time.h"

#include "foundation/safeguards.h"

using namespace Windows;

std::uint16_t gServerPort = 25712;
std::uint32_t gConnectWaitMs = 5000;
std::uint32_t gAnswerWaitMs = 10000;
std::uint32_t gPeerTimeoutMs = 0;

namespace Ravel {

namespace {

enum Kind : std::uint8_t {
    kData = 0,
    kConnectionRequest = 2,
    kConnectionAccepted = 3,
    kPlayerCreated = 4,
    kCreationAnswer = 5,
    kPlayerDestroyed = 6,
};

constexpr std::uint32_t kToAll = 0xFFFFFFFFU;
constexpr DWORD kServiceIntervalMs = 50;
constexpr DWORD kDisconnectWaitMs = 3000;
// All the flag bits a waiting game could ask for.
constexpr MPEventFlags kPlayerEventFlags = 31;

void ApplyPeerTimeout(ENetPeer* peer)
{
    if (gPeerTimeoutMs != 0)
        enet_peer_timeout(peer, 0, gPeerTimeoutMs, gPeerTimeoutMs);
}

std::unique_ptr<char[]> CopyText(const char* text)
{
    if (!text)
        return nullptr;
    std::size_t length = std::strlen(text);
    std::unique_ptr<char[]> copy(new char[length + 1]);
    std::memcpy(copy.get(), text, length + 1);
    return copy;
}

// The fields the create and destroy messages share; the rest stay zero (no data, no parent group).
template <typename Message> Message PlayerMessage(DWORD type, const PlayerData& about, const DPNAME& name)
{
    Message message;
    std::memset(&message, 0, sizeof message);
    message.dwType = type;
    message.dwPlayerType = DPPLAYERTYPE_PLAYER;
    message.dpId = about.DPID;
    message.dpnName = name;
    message.dwFlags = about.Flags;
    return message;
}

void Signal(HANDLE event)
{
    if (event)
        MPSetEvent(static_cast<MPEventID>(event), kPlayerEventFlags);
}

} // namespace

IDirectPlayImp4::IDirectPlayImp4() noexcept
{
    enet_initialize();
    for (int i = 0; i < ENET_MAX_PLAYERS; ++i)
        mFreeSlots[i] = i;
    mFreeCount = ENET_MAX_PLAYERS;
}

IDirectPlayImp4::~IDirectPlayImp4()
{
    Close();
    enet_deinitialize();
}

std::uint16_t IDirectPlayImp4::HostPort() const
{
    return mOurHost && mIsHost ? mOurHost->address.port : 0;
}

// ---- session description --------------------------------------------------------------------------------

void IDirectPlayImp4::StoreSessionDesc(const DPSESSIONDESC2& desc)
{
    mSessionDesc.dwFlags = desc.dwFlags;
    mSessionDesc.guidInstance = desc.guidInstance;
    mSessionDesc.guidApplication = desc.guidApplication;
    mSessionDesc.dwMaxPlayers = desc.dwMaxPlayers;
    mSessionDesc.dwCurrentPlayers = desc.dwCurrentPlayers;
    mSessionDesc.lpszSessionNameA = desc.lpszSessionNameA;
    mSessionDesc.lpszPasswordA = desc.lpszPasswordA;
    mSessionDesc.dwUser1 = desc.dwUser1;
    mSessionDesc.dwUser2 = desc.dwUser2;
    mSessionDesc.dwUser3 = desc.dwUser3;
    mSessionDesc.dwUser4 = desc.dwUser4;
}

HRESULT IDirectPlayImp4::SetSessionDesc(LPDPSESSIONDESC2 desc, DWORD)
{
    if (!desc)
        return DPERR_GENERIC;
    StoreSessionDesc(*desc);
    UpdateEnumerationResponseData(false, nullptr);
    return DP_OK;
}

// ---- opening and closing --------------------------------------------------------------------------------

HRESULT IDirectPlayImp4::Open(LPDPSESSIONDESC2 desc, DWORD flags)
{
    if (!desc)
        return DPERR_GENERIC;
    if (flags & DPOPEN_CREATE)
        return OpenAsHost(desc, flags);
    RV_ASSERT(flags & DPOPEN_JOIN);
    return OpenAsClient(desc, flags);
}

HRESULT IDirectPlayImp4::OpenAsHost(LPDPSESSIONDESC2 desc, DWORD flags)
{
    RV_ASSERT(!(desc->dwFlags & DPSESSION_MIGRATEHOST));
    RV_ASSERT(flags & DPOPEN_RETURNSTATUS);
    StoreSessionDesc(*desc);
    UpdateEnumerationResponseData(true, desc);
    ClearMessageQueue();
    EndEnumeration();
    RV_ASSERT(!mOurHost);
    if (mOurHost) {
        // A second Open on a live host keeps the session it has.
        std::fputs("Error creating Enet host\n", stderr);
        return DPERR_GENERIC;
    }

    ENetAddress address {};
    address.host = htonl(gBindAddress);
    address.port = gServerPort;
    bool addressOk = true;
    if (mAddressGiven && enet_address_set_host(&address, mHostText) != 0)
        addressOk = false;
    if (mPortGiven) {
        char* end = nullptr;
        errno = 0;
        long port = std::strtol(mPortText, &end, 10);
        if (errno != 0 || end == mPortText || *end != '\0' || port < 0 || port > 0xFFFF)
            addressOk = false;
        else
            address.port = static_cast<enet_uint16>(port);
    }
    mOurHost = addressOk ? enet_host_create(&address, ENET_MAX_PLAYERS, 1, 0, 0) : nullptr;
    if (!mOurHost) {
        std::fputs("Error creating Enet host\n", stderr);
        return DPERR_GENERIC;
    }
    if (!CreateEnumerationSocket(gEnumerationTargetPort))
        std::fputs("Failed to create server enumeration socket\n", stderr);
    mIsHost = true;
    return DP_OK;
}

template <typename Done> bool IDirectPlayImp4::TickUntil(Done done)
{
    DWORD start = GetTickCount();
    for (;;) {
        Tick();
        if (done())
            return true;
        if (GetTickCount() - start > gAnswerWaitMs)
            return false;
        Sleep(1);
    }
}

HRESULT IDirectPlayImp4::OpenAsClient(LPDPSESSIONDESC2 desc, DWORD)
{
    ClearMessageQueue();
    EndEnumeration();
    RV_ASSERT(!mOurHost);
    RV_ASSERT(!mOurPeer);
    if (mOurHost) {
        std::fputs("Error creating Enet client\n", stderr);
        return DPERR_GENERIC;
    }
    mOurHost = enet_host_create(nullptr, 1, 1, 0, 0);
    if (!mOurHost) {
        std::fputs("Error creating Enet client\n", stderr);
        return DPERR_GENERIC;
    }
    ENetAddress address {};
    address.host = desc->guidInstance.Data1;
    address.port = desc->guidInstance.Data2;
    mOurPeer = enet_host_connect(mOurHost, &address, 1, 0);
    if (!mOurPeer) {
        std::fputs("Connection to server failed in Enet\n", stderr);
        return DPERR_GENERIC;
    }
    ENetEvent event {};
    int result = enet_host_service(mOurHost, &event, gConnectWaitMs);
    if (result <= 0 || event.type != ENET_EVENT_TYPE_CONNECT) {
        if (result <= 0)
            std::fprintf(stderr, "Connection to server failed in Enet () - %d\n", result);
        else
            std::fprintf(stderr, "Connection to server failed in Enet () - unexpected event came: %d\n",
                static_cast<int>(event.type));
        if (result > 0 && event.type == ENET_EVENT_TYPE_RECEIVE)
            enet_packet_destroy(event.packet);
        enet_peer_reset(mOurPeer);
        mOurPeer = nullptr;
        return DPERR_GENERIC;
    }
    ApplyPeerTimeout(mOurPeer);
    mIsHost = false;
    mAccepted = false;
    MessageBuffer request;
    request.WriteByte(kConnectionRequest);
    request.EndWriting();
    SendPacket(mOurPeer, request);
    // The host answers a request at once; one that accepts the connection and then stays silent is given
    // up on rather than waited for for ever.
    if (!TickUntil([this] { return mAccepted || !mOurPeer; }) || !mAccepted) {
        if (mOurPeer) {
            enet_peer_reset(mOurPeer);
            mOurPeer = nullptr;
        }
        return DPERR_GENERIC;
    }
    return DP_OK;
}

HRESULT IDirectPlayImp4::Close()
{
    ClearMessageQueue();
    EndEnumeration();
    for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
        if (mPlayers[slot])
            InternalDestroyPlayer(mPlayers[slot]->DPID, false);
    }
    // Nobody is left to read what the destroyed players were told.
    ClearMessageQueue();
    if (mOurPeer && mOurHost) {
        enet_peer_disconnect(mOurPeer, 0);
        DWORD start = GetTickCount();
        bool gone = false;
        while (!gone && GetTickCount() - start < kDisconnectWaitMs) {
            ENetEvent event {};
            int result = enet_host_service(mOurHost, &event, 20);
            if (result < 0)
                break;
            if (result > 0 && event.type == ENET_EVENT_TYPE_RECEIVE)
                enet_packet_destroy(event.packet);
            else if (result > 0 && event.type == ENET_EVENT_TYPE_DISCONNECT)
                gone = true;
        }
        if (!gone)
            enet_peer_reset(mOurPeer);
    }
    mOurPeer = nullptr;
    if (mOurHost) {
        enet_host_destroy(mOurHost);
        mOurHost = nullptr;
    }
    mIsHost = false;
    mAccepted = false;
    return DP_OK;
}

// ---- players --------------------------------------------------------------------------------------------

int IDirectPlayImp4::TakeFreeSlot()
{
    if (mFreeCount <= 0)
        return -1;
    int slot = mFreeSlots[0];
    std::memmove(mFreeSlots, mFreeSlots + 1, sizeof(int) * static_cast<std::size_t>(mFreeCount - 1));
    --mFreeCount;
    return slot;
}

int IDirectPlayImp4::FindByDPID(DPID id) const
{
    for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
        if (mPlayers[slot] && mPlayers[slot]->DPID == id)
            return slot;
    }
    return -1;
}

int IDirectPlayImp4::FindByServerIndex(std::uint32_t index) const
{
    for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
        if (mPlayers[slot] && mPlayers[slot]->ServerIndex == index)
            return slot;
    }
    return -1;
}

int IDirectPlayImp4::MakePlayerRecord(
    const char* shortName, const char* longName, std::uint32_t flags, HANDLE event, bool local)
{
    int slot = TakeFreeSlot();
    if (slot < 0)
        return -1;
    RV_ASSERT(!mPlayers[slot]);
    auto player = std::make_unique<PlayerData>();
    player->Flags = flags;
    player->DPID = mNextDPID++;
    player->Event = event;
    player->ShortName = CopyText(shortName);
    player->LongName = CopyText(longName);
    player->Name.dwSize = sizeof(DPNAME);
    player->Name.dwFlags = 0;
    player->Name.lpszShortNameA = player->ShortName.get();
    player->Name.lpszLongNameA = player->LongName.get();
    player->IsLocal = local;
    player->ServerIndex = mIsHost ? static_cast<std::uint32_t>(slot) : kWaitingIndex;
    mPlayers[slot] = std::move(player);
    return slot;
}

void IDirectPlayImp4::RaisePlayerCounts()
{
    ++mSessionDesc.dwCurrentPlayers;
    ++mAnswerCurrentPlayers;
}

void IDirectPlayImp4::LowerPlayerCounts()
{
    if (mSessionDesc.dwCurrentPlayers > 0)
        --mSessionDesc.dwCurrentPlayers;
    if (mAnswerCurrentPlayers > 0)
        --mAnswerCurrentPlayers;
}

HRESULT IDirectPlayImp4::CreatePlayer(
    LPDPID id, LPDPNAME name, HANDLE event, LPVOID data, DWORD dataSize, DWORD flags)
{
    RV_ASSERT(!data);
    RV_ASSERT(!dataSize);
    RV_ASSERT(!flags);
    bool full = (mSessionDesc.dwFlags & DPSESSION_NEWPLAYERSDISABLED)
        || mSessionDesc.dwCurrentPlayers >= mSessionDesc.dwMaxPlayers;
    if (mIsHost && full)
        return DPERR_GENERIC;
    if (!mIsHost && !mOurPeer)
        return DPERR_GENERIC;
    const char* shortName = name ? name->lpszShortNameA : nullptr;
    const char* longName = name ? name->lpszLongNameA : nullptr;
    int slot = MakePlayerRecord(shortName, longName, flags, event, true);
    if (slot < 0)
        return DPERR_GENERIC;
    if (id)
        *id = mPlayers[slot]->DPID;

    if (mIsHost) {
        SendPlayerCreatedToOthers(slot, nullptr);
        RaisePlayerCounts();
        QueueSystemMessage(DPSYS_CREATEPLAYERORGROUP, slot);
        return DP_OK;
    }

    MessageBuffer out;
    WritePlayerCreated(out, slot, kWaitingIndex);
    if (!SendPacket(mOurPeer, out)) {
        DropUnannouncedPlayer(slot);
        return DPERR_GENERIC;
    }
    PlayerData* player = mPlayers[slot].get();
    TickUntil([this, player, slot] {
        return mPlayers[slot].get() != player || player->ServerIndex != kWaitingIndex || !mOurPeer;
    });
    if (mPlayers[slot].get() != player)
        return DPERR_GENERIC;
    if (player->ServerIndex == kWaitingIndex || player->ServerIndex == kRefusedIndex || !mOurPeer) {
        DropUnannouncedPlayer(slot);
        return DPERR_GENERIC;
    }
    RaisePlayerCounts();
    QueueSystemMessage(DPSYS_CREATEPLAYERORGROUP, slot);
    return DP_OK;
}

void IDirectPlayImp4::DropUnannouncedPlayer(int slot)
{
    mPlayers[slot].reset();
    mFreeSlots[mFreeCount++] = slot;
}

HRESULT IDirectPlayImp4::DestroyPlayer(DPID id)
{
    return InternalDestroyPlayer(id, true);
}

HRESULT IDirectPlayImp4::InternalDestroyPlayer(DPID id, bool announce)
{
    int slot = FindByDPID(id);
    if (slot < 0)
        return DPERR_GENERIC;
    if (announce) {
        MessageBuffer out;
        out.WriteByte(kPlayerDestroyed);
        out.WriteLong(mPlayers[slot]->ServerIndex);
        out.EndWriting();
        if (mIsHost) {
            for (ENetPeer* peer : RemotePeers())
                SendPacket(peer, out);
        } else if (mOurPeer) {
            SendPacket(mOurPeer, out);
        }
    }
    QueueSystemMessage(DPSYS_DESTROYPLAYERORGROUP, slot);
    mPlayers[slot].reset();
    mFreeSlots[mFreeCount++] = slot;
    LowerPlayerCounts();
    return DP_OK;
}

HRESULT IDirectPlayImp4::EnumPlayers(
    LPGUID instance, LPDPENUMPLAYERSCALLBACK2 callback, LPVOID context, DWORD flags)
{
    RV_ASSERT((flags & DPENUMPLAYERS_SESSION) == 0);
    RV_ASSERT(!instance);
    if (!callback)
        return DP_OK;
    for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
        PlayerData* player = mPlayers[slot].get();
        if (!player)
            continue;
        if ((flags & DPENUMPLAYERS_REMOTE) && player->IsLocal)
            continue;
        if ((flags & DPENUMPLAYERS_LOCAL) && !player->IsLocal)
            continue;
        callback(player->DPID, DPPLAYERTYPE_PLAYER, &player->Name, player->Flags, context);
    }
    return DP_OK;
}

std::vector<ENetPeer*> IDirectPlayImp4::RemotePeers() const
{
    std::vector<ENetPeer*> peers;
    for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
        const PlayerData* player = mPlayers[slot].get();
        if (!player || player->IsLocal || !player->PlayerPeer)
            continue;
        bool known = false;
        for (ENetPeer* peer : peers)
            known = known || peer == player->PlayerPeer;
        if (!known)
            peers.push_back(player->PlayerPeer);
    }
    return peers;
}

// ---- sending --------------------------------------------------------------------------------------------

bool IDirectPlayImp4::SendPacket(ENetPeer* peer, const MessageBuffer& message)
{
    if (!peer || !mOurHost || message.Overflowed() || message.Size() <= 0)
        return false;
    ENetPacket* packet = enet_packet_create(
        message.Data(), static_cast<std::size_t>(message.Size()), ENET_PACKET_FLAG_RELIABLE);
    if (!packet)
        return false;
    if (enet_peer_send(peer, 0, packet) != 0) {
        enet_packet_destroy(packet);
        return false;
    }
    enet_host_flush(mOurHost);
    return true;
}

void IDirectPlayImp4::WritePlayerCreated(MessageBuffer& out, int slot, std::uint32_t serverIndex)
{
    const PlayerData& player = *mPlayers[slot];
    out.WriteByte(kPlayerCreated);
    out.WriteString(player.ShortName.get());
    out.WriteString(player.LongName.get());
    out.WriteLong(player.Flags);
    out.WriteLong(serverIndex);
    out.EndWriting();
}

void IDirectPlayImp4::SendPlayerCreatedToOthers(int slot, ENetPeer* except)
{
    MessageBuffer out;
    WritePlayerCreated(out, slot, mPlayers[slot]->ServerIndex);
    for (ENetPeer* peer : RemotePeers()) {
        if (peer != except)
            SendPacket(peer, out);
    }
}

void IDirectPlayImp4::WriteDataMessage(
    MessageBuffer& out, std::uint32_t from, std::uint32_t to, const void* data, std::uint32_t size)
{
    out.WriteByte(kData);
    out.WriteLong(from);
    out.WriteLong(to);
    out.WriteLong(size);
    out.WriteBytes(data, size);
    out.EndWriting();
}

HRESULT IDirectPlayImp4::Send(DPID from, DPID to, DWORD flags, LPVOID data, DWORD size)
{
    RV_ASSERT(flags & DPSEND_GUARANTEED);
    if (size > static_cast<DWORD>(kMaxGameMessage) || (!data && size > 0))
        return DPERR_GENERIC;
    int fromSlot = FindByDPID(from);
    if (fromSlot < 0)
        return DP_OK;
    PlayerData& sender = *mPlayers[fromSlot];

    if (to != DPID_ALLPLAYERS) {
        int toSlot = FindByDPID(to);
        if (toSlot < 0)
            return DP_OK;
        PlayerData& receiver = *mPlayers[toSlot];
        if (receiver.IsLocal) {
            QueueMessage(data, static_cast<int>(size), fromSlot, toSlot);
            Signal(receiver.Event);
            return DP_OK;
        }
        MessageBuffer out;
        WriteDataMessage(out, sender.ServerIndex, receiver.ServerIndex, data, size);
        if (mIsHost) {
            RV_ASSERT(receiver.PlayerPeer);
            SendPacket(receiver.PlayerPeer, out);
            return DP_OK;
        }
        if (!mOurPeer)
            return DPERR_GENERIC;
        SendPacket(mOurPeer, out);
        return DP_OK;
    }

    bool anyRemote = false;
    for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
        PlayerData* player = mPlayers[slot].get();
        if (!player || slot == fromSlot)
            continue;
        if (player->IsLocal) {
            QueueMessage(data, static_cast<int>(size), fromSlot, slot);
            Signal(player->Event);
            continue;
        }
        anyRemote = true;
        if (mIsHost) {
            RV_ASSERT(player->PlayerPeer);
            MessageBuffer out;
            WriteDataMessage(out, sender.ServerIndex, player->ServerIndex, data, size);
            SendPacket(player->PlayerPeer, out);
        }
    }
    if (!mIsHost && anyRemote) {
        if (!mOurPeer)
            return DPERR_GENERIC;
        MessageBuffer out;
        WriteDataMessage(out, sender.ServerIndex, kToAll, data, size);
        SendPacket(mOurPeer, out);
    }
    return DP_OK;
}

// ---- the queue of local players -------------------------------------------------------------------------

void IDirectPlayImp4::QueueMessage(const void* data, int size, int senderSlot, int receiverSlot)
{
    mPending.push_back(std::make_unique<PendingMessage>(data, size, senderSlot, receiverSlot));
}

void IDirectPlayImp4::QueueSystemMessage(DWORD type, int aboutSlot)
{
    for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
        PlayerData* local = mPlayers[slot].get();
        if (!local || !local->IsLocal)
            continue;
        std::unique_ptr<char[]> shortName;
        std::unique_ptr<char[]> longName;
        DPNAME name { sizeof(DPNAME), 0, nullptr, nullptr };
        std::unique_ptr<PendingMessage> message;
        if (type == DPSYS_SESSIONLOST) {
            DPMSG_SESSIONLOST lost {};
            lost.dwType = type;
            message = std::make_unique<PendingMessage>(&lost, static_cast<int>(sizeof lost), -1, slot);
        } else {
            const PlayerData& about = *mPlayers[aboutSlot];
            shortName = CopyText(about.ShortName.get());
            longName = CopyText(about.LongName.get());
            name.lpszShortNameA = shortName.get();
            name.lpszLongNameA = longName.get();
            if (type == DPSYS_CREATEPLAYERORGROUP) {
                DPMSG_CREATEPLAYERORGROUP create
                    = PlayerMessage<DPMSG_CREATEPLAYERORGROUP>(type, about, name);
                create.dwCurrentPlayers = mAnswerCurrentPlayers;
                message
                    = std::make_unique<PendingMessage>(&create, static_cast<int>(sizeof create), -1, slot);
            } else {
                DPMSG_DESTROYPLAYERORGROUP destroy
                    = PlayerMessage<DPMSG_DESTROYPLAYERORGROUP>(type, about, name);
                message
                    = std::make_unique<PendingMessage>(&destroy, static_cast<int>(sizeof destroy), -1, slot);
            }
        }
        message->OwnedTexts[0] = std::move(shortName);
        message->OwnedTexts[1] = std::move(longName);
        mPending.push_back(std::move(message));
        Signal(local->Event);
    }
}

void IDirectPlayImp4::ClearMessageQueue()
{
    mLastDelivered.reset();
    mPending.clear();
}

HRESULT IDirectPlayImp4::Receive(LPDPID from, LPDPID to, DWORD flags, LPVOID data, LPDWORD size)
{
    Tick();
    mLastDelivered.reset();
    if (!size)
        return DPERR_GENERIC;
    for (auto it = mPending.begin(); it != mPending.end();) {
        PendingMessage& message = **it;
        bool system = message.SenderSlot < 0;
        bool senderGone = !system && !mPlayers[message.SenderSlot];
        bool receiverGone = !mPlayers[message.ReceiverSlot];
        if (senderGone || receiverGone) {
            it = mPending.erase(it);
            continue;
        }
        const PlayerData& receiver = *mPlayers[message.ReceiverSlot];
        bool fits = (flags & DPRECEIVE_ALL) != 0;
        if (!fits) {
            fits = true;
            if (flags & DPRECEIVE_TOPLAYER)
                fits = fits && to && receiver.DPID == *to;
            if (flags & DPRECEIVE_FROMPLAYER)
                fits = fits && !system && from && mPlayers[message.SenderSlot]->DPID == *from;
        }
        if (!fits) {
            ++it;
            continue;
        }
        DWORD messageSize = static_cast<DWORD>(message.Size());
        DWORD room = data ? *size : 0;
        if (room < messageSize) {
            *size = messageSize;
            return DPERR_BUFFERTOOSMALL;
        }
        if (from)
            *from = system ? DPID_SYSMSG : mPlayers[message.SenderSlot]->DPID;
        if (to)
            *to = receiver.DPID;
        *size = messageSize;
        if (messageSize > 0)
            std::memcpy(data, message.Data(), messageSize);
        if (!(flags & DPRECEIVE_PEEK)) {
            mLastDelivered = std::move(*it);
            mPending.erase(it);
        }
        return DP_OK;
    }
    return DPERR_NOMESSAGES;
}

// ---- servicing the network ------------------------------------------------------------------------------

void IDirectPlayImp4::Tick()
{
    if (mOurHost && GetTickCount() - mLastService > kServiceIntervalMs) {
        mLastService = GetTickCount();
        ENetEvent event {};
        int result;
        // One pass takes what has arrived; a peer that floods cannot keep the frame here for ever.
        for (int events = 0; events < 4096 && mOurHost; ++events) {
            result = enet_host_service(mOurHost, &event, 0);
            if (result < 0) {
                std::fprintf(stderr, "Error %d in enet_host_service()\n", result);
                break;
            }
            if (result == 0)
                break;
            HandleEvent(event);
        }
    }
    TickEnumerationSocket(mIsHost);
}

void IDirectPlayImp4::HandleEvent(ENetEvent& event)
{
    switch (event.type) {
    case ENET_EVENT_TYPE_RECEIVE: {
        RV_ASSERT(event.channelID == 0);
        ENetPacket* packet = event.packet;
        if (packet->dataLength > 0
            && packet->dataLength <= static_cast<std::size_t>(MessageBuffer::BIG_ENOUGH))
            HandlePacket(event.peer, packet->data, static_cast<int>(packet->dataLength));
        enet_packet_destroy(packet);
        break;
    }
    case ENET_EVENT_TYPE_CONNECT:
        ApplyPeerTimeout(event.peer);
        break;
    case ENET_EVENT_TYPE_DISCONNECT:
        HandleDisconnect(event.peer);
        break;
    default:
        break;
    }
}

void IDirectPlayImp4::HandlePacket(ENetPeer* peer, const std::uint8_t* bytes, int size)
{
    MessageBuffer in(bytes, size);
    switch (in.ReadByte()) {
    case kData:
        HandleData(peer, in);
        break;
    case kConnectionRequest:
        if (mIsHost)
            HandleConnectionRequest(peer);
        break;
    case kConnectionAccepted:
        if (!mIsHost && peer == mOurPeer)
            mAccepted = true;
        break;
    case kPlayerCreated:
        HandlePlayerCreated(peer, in);
        break;
    case kCreationAnswer:
        if (!mIsHost)
            HandleCreationAnswer(in);
        break;
    case kPlayerDestroyed:
        HandlePlayerDestroyed(peer, in);
        break;
    default:
        std::fputs("Got unknown message in connection callback - handle it\n", stderr);
        break;
    }
}

void IDirectPlayImp4::HandleData(ENetPeer* peer, MessageBuffer& in)
{
    std::uint32_t fromIndex = in.ReadLong();
    std::uint32_t toIndex = in.ReadLong();
    std::uint32_t length = in.ReadLong();
    // The length is checked against what the packet holds before anything is copied.
    if (in.Overrun() || length > static_cast<std::uint32_t>(in.Remaining()))
        return;
    const std::uint8_t* data = in.Data() + in.Position();
    int fromSlot = FindByServerIndex(fromIndex);
    if (fromSlot < 0 || fromIndex >= static_cast<std::uint32_t>(ENET_MAX_PLAYERS))
        return;
    // A connection speaks only for the players it owns.
    if (mIsHost && mPlayers[fromSlot]->PlayerPeer != peer)
        return;

    if (toIndex != kToAll) {
        int toSlot = FindByServerIndex(toIndex);
        if (toSlot < 0 || toIndex >= static_cast<std::uint32_t>(ENET_MAX_PLAYERS))
            return;
        PlayerData& receiver = *mPlayers[toSlot];
        if (mIsHost && !receiver.IsLocal) {
            RV_ASSERT(receiver.PlayerPeer);
            MessageBuffer forward(in.Data(), in.Size());
            SendPacket(receiver.PlayerPeer, forward);
            return;
        }
        RV_ASSERT(receiver.IsLocal);
        if (!receiver.IsLocal)
            return;
        QueueMessage(data, static_cast<int>(length), fromSlot, toSlot);
        Signal(receiver.Event);
        return;
    }

    for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
        PlayerData* player = mPlayers[slot].get();
        if (player && player->IsLocal) {
            QueueMessage(data, static_cast<int>(length), fromSlot, slot);
            Signal(player->Event);
        }
    }
    if (mIsHost) {
        MessageBuffer forward(in.Data(), in.Size());
        for (ENetPeer* other : RemotePeers()) {
            if (other != peer)
                SendPacket(other, forward);
        }
    }
}

void IDirectPlayImp4::HandleConnectionRequest(ENetPeer* peer)
{
    if (mSessionDesc.dwFlags & DPSESSION_JOINDISABLED) {
        enet_peer_disconnect(peer, 0);
        return;
    }
    MessageBuffer accepted;
    accepted.WriteByte(kConnectionAccepted);
    accepted.EndWriting();
    SendPacket(peer, accepted);
    for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
        if (!mPlayers[slot])
            continue;
        MessageBuffer out;
        WritePlayerCreated(out, slot, mPlayers[slot]->ServerIndex);
        SendPacket(peer, out);
    }
}

void IDirectPlayImp4::HandlePlayerCreated(ENetPeer* peer, MessageBuffer& in)
{
    char shortName[ENET_STRING_LEN];
    char longName[ENET_STRING_LEN];
    in.ReadString(shortName, sizeof shortName);
    in.ReadString(longName, sizeof longName);
    std::uint32_t flags = in.ReadLong();
    std::uint32_t index = in.ReadLong();
    if (in.Overrun())
        return;

    if (mIsHost) {
        bool full = (mSessionDesc.dwFlags & DPSESSION_NEWPLAYERSDISABLED)
            || mSessionDesc.dwCurrentPlayers >= mSessionDesc.dwMaxPlayers || mFreeCount == 0;
        if (full) {
            MessageBuffer refused;
            refused.WriteByte(kCreationAnswer);
            refused.WriteByte(0);
            refused.WriteLong(kWaitingIndex);
            refused.EndWriting();
            SendPacket(peer, refused);
            return;
        }
    } else {
        // The host names a player once, by a slot of its table that no player here holds.
        if (peer != mOurPeer || index >= static_cast<std::uint32_t>(ENET_MAX_PLAYERS)
            || FindByServerIndex(index) >= 0)
            return;
    }
    int slot = MakePlayerRecord(
        shortName[0] ? shortName : nullptr, longName[0] ? longName : nullptr, flags, nullptr, false);
    if (slot < 0)
        return;
    PlayerData& player = *mPlayers[slot];
    if (mIsHost) {
        player.PlayerPeer = peer;
        MessageBuffer answer;
        answer.WriteByte(kCreationAnswer);
        answer.WriteByte(1);
        answer.WriteLong(player.ServerIndex);
        answer.EndWriting();
        SendPacket(peer, answer);
        SendPlayerCreatedToOthers(slot, peer);
    } else {
        player.ServerIndex = index;
    }
    RaisePlayerCounts();
    QueueSystemMessage(DPSYS_CREATEPLAYERORGROUP, slot);
}

void IDirectPlayImp4::HandleCreationAnswer(MessageBuffer& in)
{
    std::uint8_t accepted = in.ReadByte();
    std::uint32_t index = in.ReadLong();
    if (in.Overrun())
        return;
    int slot = FindByServerIndex(kWaitingIndex);
    if (slot < 0)
        return;
    if (accepted && index < static_cast<std::uint32_t>(ENET_MAX_PLAYERS) && FindByServerIndex(index) < 0)
        mPlayers[slot]->ServerIndex = index;
    else
        mPlayers[slot]->ServerIndex = kRefusedIndex;
}

void IDirectPlayImp4::HandlePlayerDestroyed(ENetPeer* peer, MessageBuffer& in)
{
    std::uint32_t index = in.ReadLong();
    if (in.Overrun() || index >= static_cast<std::uint32_t>(ENET_MAX_PLAYERS))
        return;
    int slot = FindByServerIndex(index);
    if (slot < 0)
        return;
    // A client may end only its own players; the host may end any player of a client.
    if (mIsHost && mPlayers[slot]->PlayerPeer != peer)
        return;
    if (!mIsHost && peer != mOurPeer)
        return;
    InternalDestroyPlayer(mPlayers[slot]->DPID, mIsHost);
}

void IDirectPlayImp4::HandleDisconnect(ENetPeer* peer)
{
    if (!mIsHost) {
        if (peer != mOurPeer)
            return;
        mOurPeer = nullptr;
        for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
            if (mPlayers[slot] && !mPlayers[slot]->IsLocal)
                InternalDestroyPlayer(mPlayers[slot]->DPID, false);
        }
        QueueSystemMessage(DPSYS_SESSIONLOST, -1);
        return;
    }
    std::vector<DPID> gone;
    for (int slot = 0; slot < ENET_MAX_PLAYERS; ++slot) {
        PlayerData* player = mPlayers[slot].get();
        if (player && !player->IsLocal && player->PlayerPeer == peer) {
            player->PlayerPeer = nullptr;
            gone.push_back(player->DPID);
        }
    }
    for (DPID id : gone)
        InternalDestroyPlayer(id, true);
}

} // namespace Ravel
