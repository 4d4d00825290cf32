// Finding sessions: a searcher's request by broadcast or to one named host on UDP, the host's answers, and
// the sessions found handed to the game's enumeration callback with the host's address in the instance GUID.
#include "platform/dplay/direct_play_imp4.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <enet/enet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <random>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/elements/rv_assert.h"
#include "platform/win/win_stubs.h"
#include "platform/win/win_time.h"

#include "foundation/safeguards.h"

using namespace Windows;

std::uint16_t gEnumerationTargetPort = 25713;
std::uint16_t gEnumerationPort = 25711;
std::uint32_t gEnumerationBroadcastAddress = INADDR_BROADCAST;
std::uint32_t gBindAddress = INADDR_ANY;
char gGameName[32] = "DEFAULT_GAMENAME";

namespace Ravel {

namespace {

constexpr std::uint8_t kSearchMark = 0x45; // "E"
constexpr std::uint8_t kRequest = 0;
constexpr std::uint8_t kAnswer = 1;
constexpr int kRequestRepeats = 3;
constexpr int INVALID_SOCKET = -1;
constexpr DWORD kSyncPollMs = 100;
// Datagrams taken per call, so that a flood cannot hold the frame.
constexpr int kMaxDatagramsPerTick = 256;
// A fixed connection block: nothing reads it, the game only passes it back.
constexpr char kConnectionText[] = "Vellmark TCP/IP link";
static_assert(sizeof kConnectionText == 21, "twenty characters and the NUL");

void CopyBounded(char* out, std::size_t outSize, const char* text)
{
    if (!text) {
        out[0] = '\0';
        return;
    }
    std::size_t length = std::strlen(text);
    if (length >= outSize)
        length = outSize - 1;
    std::memcpy(out, text, length);
    out[length] = '\0';
}

// Tells this search's answers from late answers to an earlier one. Every process must draw its own, so the
// nonce comes from the system's entropy; it never reaches the game's state.
std::uint32_t NewNonce()
{
    return static_cast<std::uint32_t>(std::random_device()());
}

void WriteHeader(MessageBuffer& out, std::uint8_t kind, std::uint32_t nonce)
{
    out.WriteByte(kSearchMark);
    out.WriteString(gGameName);
    out.WriteByte(kind);
    out.WriteLong(nonce);
}

} // namespace

bool IDirectPlayImp4::CreateEnumerationSocket(std::uint16_t port)
{
    if (mEnumerationSocket >= 0) {
        closesocket(static_cast<SOCKET>(mEnumerationSocket));
        mEnumerationSocket = -1;
    }
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return false;
    int flags = ::fcntl(fd, F_GETFL, 0);
    int blockerr = (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) ? -1 : 0;
    RV_ASSERT(!blockerr);
    int on = 1;
    int broaderr = ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    RV_ASSERT(!broaderr);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(gBindAddress);
    address.sin_port = htons(port);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        std::fputs("Failed to bind host enumeration socket!\n", stderr);
        closesocket(static_cast<SOCKET>(fd));
        return false;
    }
    mEnumerationSocket = fd;
    return true;
}

void IDirectPlayImp4::EndEnumeration()
{
    mResults.clear();
    mReported = 0;
    if (mEnumerationSocket >= 0) {
        closesocket(static_cast<SOCKET>(mEnumerationSocket));
        mEnumerationSocket = -1;
    }
    mSearchUnderWay = false;
}

void IDirectPlayImp4::BroadcastEnumerationRequest(std::uint16_t port)
{
    mNonce = NewNonce();
    mResults.clear();
    mReported = 0;
    RV_ASSERT(mEnumerationSocket != INVALID_SOCKET);
    if (mEnumerationSocket < 0)
        return;
    MessageBuffer request;
    WriteHeader(request, kRequest, mNonce);
    request.EndWriting();
    sockaddr_in target {};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = htonl(gEnumerationBroadcastAddress);
    target.sin_port = htons(port);
    for (int i = 0; i < kRequestRepeats; ++i) {
        ssize_t result = ::sendto(mEnumerationSocket, request.Data(),
            static_cast<std::size_t>(request.Size()), 0, reinterpret_cast<sockaddr*>(&target), sizeof target);
        RV_ASSERT(result != -1);
    }
}

void IDirectPlayImp4::SendEnumerationRequestToCertainIP()
{
    mResults.clear();
    mReported = 0;
    RV_ASSERT(mEnumerationSocket != INVALID_SOCKET);
    addrinfo hints {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(mHostText, nullptr, &hints, &found) != 0 || !found)
        return;
    sockaddr_in target {};
    std::memcpy(&target, found->ai_addr, sizeof target);
    ::freeaddrinfo(found);
    target.sin_port = htons(gEnumerationTargetPort);
    mNonce = NewNonce();
    if (mEnumerationSocket >= 0) {
        MessageBuffer request;
        WriteHeader(request, kRequest, mNonce);
        request.EndWriting();
        for (int i = 0; i < kRequestRepeats; ++i) {
            ssize_t result
                = ::sendto(mEnumerationSocket, request.Data(), static_cast<std::size_t>(request.Size()), 0,
                    reinterpret_cast<sockaddr*>(&target), sizeof target);
            RV_ASSERT(result != -1);
        }
    }
    mSearchUnderWay = true;
    mSearchFinished = false;
    mSearchStart = GetTickCount();
}

void IDirectPlayImp4::TickEnumerationSocket(bool asHost)
{
    if (mEnumerationSocket < 0)
        return;
    std::uint8_t buffer[MessageBuffer::BIG_ENOUGH];
    for (int count = 0; count < kMaxDatagramsPerTick; ++count) {
        sockaddr_in sender {};
        socklen_t senderSize = sizeof sender;
        ssize_t got = ::recvfrom(
            mEnumerationSocket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&sender), &senderSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (sender.sin_family != AF_INET)
            continue;
        MessageBuffer in(buffer, static_cast<int>(got));
        char name[sizeof gGameName];
        if (in.ReadByte() != kSearchMark || !in.ReadString(name, sizeof name)
            || std::strcmp(name, gGameName) != 0)
            continue;
        // A name that was cut to fit is not this game's name either.
        if (static_cast<std::size_t>(in.Position()) != 2 + std::strlen(name))
            continue;
        std::uint8_t kind = in.ReadByte();
        std::uint32_t nonce = in.ReadLong();
        if (in.Overrun() || kind != (asHost ? kRequest : kAnswer))
            continue;

        if (asHost) {
            MessageBuffer answer;
            WriteHeader(answer, kAnswer, nonce);
            answer.WriteLong(mOurHost ? ntohl(mOurHost->address.host) : 0);
            answer.WriteShort(mOurHost ? mOurHost->address.port : gServerPort);
            answer.WriteString(mAnswerName);
            answer.WriteLong(mAnswerFlags);
            for (std::uint32_t word : mAnswerUser)
                answer.WriteLong(word);
            answer.WriteLong(mAnswerMaxPlayers);
            answer.WriteLong(mAnswerCurrentPlayers);
            answer.EndWriting();
            ::sendto(mEnumerationSocket, answer.Data(), static_cast<std::size_t>(answer.Size()), 0,
                reinterpret_cast<sockaddr*>(&sender), senderSize);
            continue;
        }

        if (nonce != mNonce)
            continue;
        SessionRecord record;
        record.Address = sender.sin_addr.s_addr;
        in.ReadLong(); // the host's bind address; its sender address is the one to use
        record.Port = in.ReadShort();
        in.ReadString(record.Name, sizeof record.Name);
        record.Flags = in.ReadLong();
        for (std::uint32_t& word : record.User)
            word = in.ReadLong();
        record.MaxPlayers = in.ReadLong();
        record.CurrentPlayers = in.ReadLong();
        if (in.Overrun())
            continue;
        bool known = false;
        for (const SessionRecord& result : mResults)
            known = known || (result.Address == record.Address && result.Port == record.Port);
        if (!known)
            mResults.push_back(record);
    }
}

void IDirectPlayImp4::GiveResultsToCallback(
    const GUID& application, LPDPENUMSESSIONSCALLBACK2 callback, LPVOID context, bool final, DWORD)
{
    if (!callback) {
        mReported = mResults.size();
        return;
    }
    DWORD timeout = 0;
    for (; mReported < mResults.size(); ++mReported) {
        SessionRecord& record = mResults[mReported];
        DPSESSIONDESC2 desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        desc.dwFlags = record.Flags;
        desc.guidInstance.Data1 = record.Address;
        desc.guidInstance.Data2 = record.Port;
        desc.guidApplication = application;
        desc.dwMaxPlayers = record.MaxPlayers;
        desc.dwCurrentPlayers = record.CurrentPlayers;
        desc.lpszSessionNameA = record.Name;
        desc.lpszPasswordA = record.Password;
        desc.dwReserved1 = record.Address;
        desc.dwReserved2 = record.Port;
        desc.dwUser1 = record.User[0];
        desc.dwUser2 = record.User[1];
        desc.dwUser3 = record.User[2];
        desc.dwUser4 = record.User[3];
        callback(&desc, &timeout, 0, context);
    }
    if (final)
        callback(nullptr, &timeout, DPESC_TIMEDOUT, context);
}

void IDirectPlayImp4::UpdateEnumerationResponseData(bool withName, const DPSESSIONDESC2* desc)
{
    if (!desc)
        desc = &mSessionDesc;
    mAnswerFlags = desc->dwFlags;
    mAnswerUser[0] = desc->dwUser1;
    mAnswerUser[1] = desc->dwUser2;
    mAnswerUser[2] = desc->dwUser3;
    mAnswerUser[3] = desc->dwUser4;
    mAnswerMaxPlayers = desc->dwMaxPlayers;
    mAnswerCurrentPlayers = desc->dwCurrentPlayers;
    if (!withName)
        return;
    // Longer texts are cut to the field: the answer must stay one datagram the searcher can read.
    RV_ASSERT(!desc->lpszSessionNameA || ::strlen(desc->lpszSessionNameA) < ENET_STRING_LEN);
    RV_ASSERT(!desc->lpszPasswordA || ::strlen(desc->lpszPasswordA) < ENET_STRING_LEN);
    CopyBounded(mAnswerName, sizeof mAnswerName, desc->lpszSessionNameA);
    CopyBounded(mAnswerPassword, sizeof mAnswerPassword, desc->lpszPasswordA);
}

HRESULT IDirectPlayImp4::InitializeConnection(LPVOID connection, DWORD)
{
    const char* text = static_cast<const char*>(connection);
    if (!text || text[0] == '\0')
        return DP_OK;
    mAddressGiven = true;
    const char* colon = std::strchr(text, ':');
    std::size_t hostLength = colon ? static_cast<std::size_t>(colon - text) : std::strlen(text);
    if (hostLength >= sizeof mHostText)
        hostLength = sizeof mHostText - 1;
    std::memcpy(mHostText, text, hostLength);
    mHostText[hostLength] = '\0';
    mPortGiven = false;
    mPortText[0] = '\0';
    if (colon && colon[1] != '\0') {
        CopyBounded(mPortText, sizeof mPortText, colon + 1);
        mPortGiven = true;
    }
    if (!CreateEnumerationSocket(gEnumerationPort)) {
        std::fputs("Couldn't create enumeration socket for asking certain IP\n", stderr);
        return DP_OK;
    }
    SendEnumerationRequestToCertainIP();
    return DP_OK;
}

HRESULT IDirectPlayImp4::EnumConnections(LPCGUID, LPDPENUMCONNECTIONSCALLBACK callback, LPVOID context, DWORD)
{
    if (!callback)
        return DP_OK;
    char shortName[] = "DPTCPIPFaker";
    char longName[] = "DirectPlay4 TCP/IP Connection Faker";
    DPNAME name { sizeof(DPNAME), 0, shortName, longName };
    char connection[sizeof kConnectionText];
    std::memcpy(connection, kConnectionText, sizeof connection);
    callback(&DPSPGUID_TCPIP, connection, sizeof connection, &name, 0, context);
    return DP_OK;
}

HRESULT IDirectPlayImp4::EnumSessions(
    LPDPSESSIONDESC2 desc, DWORD timeout, LPDPENUMSESSIONSCALLBACK2 callback, LPVOID context, DWORD flags)
{
    RV_ASSERT(flags & DPENUMSESSIONS_RETURNSTATUS);
    GUID application {};
    if (desc)
        application = desc->guidApplication;

    if (!mSearchUnderWay) {
        if (!CreateEnumerationSocket(gEnumerationPort))
            std::fputs("Failed to create eumeration socket!\n", stderr);
        BroadcastEnumerationRequest(gEnumerationTargetPort);
        mSearchStart = GetTickCount();
        if (flags & DPENUMSESSIONS_ASYNC) {
            mSearchUnderWay = true;
            mSearchFinished = false;
            return DP_OK;
        }
        RV_ASSERT(timeout > 0);
        do {
            Sleep(kSyncPollMs);
            TickEnumerationSocket(false);
            GiveResultsToCallback(application, callback, context, false, flags);
        } while (GetTickCount() - mSearchStart < timeout);
        mSearchUnderWay = true;
        mSearchFinished = true;
        if (mEnumerationSocket >= 0) {
            closesocket(static_cast<SOCKET>(mEnumerationSocket));
            mEnumerationSocket = -1;
        }
        return DP_OK;
    }

    if (mSearchFinished)
        return DP_OK;
    TickEnumerationSocket(false);
    bool stop
        = (flags & DPENUMSESSIONS_STOPASYNC) || (timeout != 0 && GetTickCount() - mSearchStart > timeout);
    GiveResultsToCallback(application, callback, context, stop, flags);
    if (stop) {
        mSearchFinished = true;
        if (mEnumerationSocket >= 0) {
            closesocket(static_cast<SOCKET>(mEnumerationSocket));
            mEnumerationSocket = -1;
        }
    }
    return DP_OK;
}

} // namespace Ravel
