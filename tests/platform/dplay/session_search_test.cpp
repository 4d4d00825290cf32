// Finding sessions over UDP on loopback: broadcast and directed searches, the host's answers, and
// datagrams of other games, earlier searches or broken form that must be passed over.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/dplay/dplay_fixtures.h"
#include "platform/dplay/message_buffer.h"

#include "foundation/safeguards.h"

using namespace Windows;
using namespace dplay_test;

namespace {

constexpr GUID kApplication = { 0x12345678, 0x1111, 0x2222, { 1, 2, 3, 4, 5, 6, 7, 8 } };

struct Found {
    std::vector<DPSESSIONDESC2> sessions;
    std::vector<std::string> names;
    int timedOut = 0;
};

BOOL Collect(LPCDPSESSIONDESC2 desc, LPDWORD, DWORD flags, LPVOID context)
{
    auto* found = static_cast<Found*>(context);
    if (flags & DPESC_TIMEDOUT) {
        EXPECT_EQ(desc, nullptr);
        ++found->timedOut;
        return FALSE;
    }
    found->sessions.push_back(*desc);
    found->names.push_back(desc->lpszSessionNameA);
    return TRUE;
}

HRESULT Search(Machine& searcher, Found& found, DWORD timeout, DWORD flags)
{
    DPSESSIONDESC2 desc {};
    desc.dwSize = sizeof desc;
    desc.guidApplication = kApplication;
    return searcher.Do([&](Ravel::IDirectPlayImp4& dp) {
        return dp.EnumSessions(&desc, timeout, Collect, &found, flags | DPENUMSESSIONS_RETURNSTATUS);
    });
}

// A plain UDP socket on loopback for playing the other side by hand.
class RawSocket {
public:
    explicit RawSocket(std::uint16_t port = 0)
    {
        mFd = ::socket(AF_INET, SOCK_DGRAM, 0);
        timeval wait { 0, 300000 };
        ::setsockopt(mFd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        mBound = ::bind(mFd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawSocket() { ::close(mFd); }
    bool bound() const { return mBound; }

    void SendTo(const sockaddr_in& to, const Ravel::MessageBuffer& message)
    {
        ::sendto(mFd, message.Data(), static_cast<std::size_t>(message.Size()), 0,
            reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    // Waits at most 300 ms; empty when nothing came.
    std::vector<std::uint8_t> Receive(sockaddr_in* from = nullptr)
    {
        std::uint8_t buffer[2048];
        sockaddr_in sender {};
        socklen_t size = sizeof sender;
        ssize_t got = ::recvfrom(mFd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&sender), &size);
        if (from)
            *from = sender;
        return got > 0 ? std::vector<std::uint8_t>(buffer, buffer + got) : std::vector<std::uint8_t>();
    }

private:
    int mFd = -1;
    bool mBound = false;
};

// The local address a UDP socket of this machine has bound at the port, as the kernel lists it (hex,
// "0100007F" for 127.0.0.1); empty when none is bound there.
std::string BoundUdpAddress(std::uint16_t port)
{
    std::ifstream table("/proc/net/udp");
    std::string line;
    char wanted[8];
    std::snprintf(wanted, sizeof wanted, ":%04X", port);
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local;
        fields >> slot >> local;
        if (local.size() == 13 && local.substr(8) == wanted)
            return local.substr(0, 8);
    }
    return "";
}

sockaddr_in Loopback(std::uint16_t port)
{
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

void WriteSearchHeader(Ravel::MessageBuffer& out, const char* game, std::uint8_t kind, std::uint32_t nonce)
{
    out.WriteByte('E');
    out.WriteString(game);
    out.WriteByte(kind);
    out.WriteLong(nonce);
}

class SessionSearch : public testing::Test {
protected:
    void SetUp() override
    {
        UseLoopbackPorts();
        std::snprintf(gGameName, sizeof gGameName, "%s", "Vellmark");
    }
};

} // namespace

// A broadcast search finds the host once although it asked three times, and the result joins it.
TEST_F(SessionSearch, BroadcastFindsTheHostOnceAndItsAnswerJoinsIt)
{
    Machine host, searcher;
    ASSERT_EQ(host.Host(4), DP_OK);
    DPID king = 0;
    ASSERT_EQ(host.AddPlayer("King", &king), DP_OK);

    Found found;
    ASSERT_EQ(Search(searcher, found, 0, DPENUMSESSIONS_ASYNC), DP_OK);
    EXPECT_TRUE(found.sessions.empty());
    ASSERT_TRUE(WaitFor([&] {
        Search(searcher, found, 0, DPENUMSESSIONS_ASYNC);
        return !found.sessions.empty();
    }));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Search(searcher, found, 0, DPENUMSESSIONS_ASYNC);
    EXPECT_EQ(found.timedOut, 0);
    Search(searcher, found, 0, DPENUMSESSIONS_ASYNC | DPENUMSESSIONS_STOPASYNC);
    Search(searcher, found, 0, DPENUMSESSIONS_ASYNC);
    EXPECT_EQ(found.timedOut, 1);
    ASSERT_EQ(found.sessions.size(), 1u);

    const DPSESSIONDESC2& session = found.sessions[0];
    EXPECT_EQ(found.names[0], "Test realm");
    EXPECT_EQ(session.dwSize, sizeof(DPSESSIONDESC2));
    EXPECT_EQ(session.guidInstance.Data1, htonl(INADDR_LOOPBACK));
    EXPECT_EQ(session.guidInstance.Data2, host.port());
    EXPECT_EQ(session.guidInstance.Data3, 0);
    EXPECT_TRUE(IsEqualGUID(session.guidApplication, kApplication));
    EXPECT_EQ(session.dwReserved1, htonl(INADDR_LOOPBACK));
    EXPECT_EQ(session.dwReserved2, host.port());
    EXPECT_EQ(session.dwMaxPlayers, 4u);
    EXPECT_EQ(session.dwCurrentPlayers, 1u);
    EXPECT_EQ(session.dwUser1, 7u);
    EXPECT_EQ(session.dwUser2, 11u);

    ASSERT_EQ(searcher.Join(session), DP_OK);
    DPID count = 0;
    EXPECT_EQ(searcher.AddPlayer("Count", &count), DP_OK);
}

// A synchronous search reports during its wait, makes no timed-out call, and is over afterwards; a host
// closed to new players still answers with its flags.
TEST_F(SessionSearch, SynchronousSearchReportsWithinItsTimeout)
{
    Machine host, searcher;
    ASSERT_EQ(host.Host(8, DPSESSION_NEWPLAYERSDISABLED), DP_OK);
    Found found;
    ASSERT_EQ(Search(searcher, found, 400, 0), DP_OK);
    ASSERT_EQ(found.sessions.size(), 1u);
    EXPECT_EQ(found.sessions[0].dwFlags, DPSESSION_NEWPLAYERSDISABLED);
    EXPECT_EQ(found.timedOut, 0);
    Search(searcher, found, 400, DPENUMSESSIONS_ASYNC);
    EXPECT_EQ(found.sessions.size(), 1u);
    EXPECT_EQ(found.timedOut, 0);
}

// A named host is asked directly; the port of the address text is where this machine would host.
TEST_F(SessionSearch, NamedHostIsAskedDirectly)
{
    Machine host, searcher;
    std::uint16_t port = FreeUdpPort();
    std::string address = "127.0.0.1:" + std::to_string(port);
    EXPECT_EQ(host.Do([&](Ravel::IDirectPlayImp4& dp) { return dp.InitializeConnection(address.data(), 0); }),
        DP_OK);
    ASSERT_EQ(host.Host(), DP_OK);
    EXPECT_EQ(host.port(), port);

    char none[] = "";
    EXPECT_EQ(
        searcher.Do([&](Ravel::IDirectPlayImp4& dp) { return dp.InitializeConnection(none, 0); }), DP_OK);
    char named[] = "127.0.0.1";
    EXPECT_EQ(
        searcher.Do([&](Ravel::IDirectPlayImp4& dp) { return dp.InitializeConnection(named, 0); }), DP_OK);
    Found found;
    ASSERT_TRUE(WaitFor([&] {
        Search(searcher, found, 0, DPENUMSESSIONS_ASYNC);
        return !found.sessions.empty();
    }));
    EXPECT_EQ(found.sessions[0].guidInstance.Data2, port);
    Search(searcher, found, 0, DPENUMSESSIONS_ASYNC | DPENUMSESSIONS_STOPASYNC);
    EXPECT_EQ(found.sessions.size(), 1u);
    EXPECT_EQ(found.timedOut, 1);
}

// The host answers a request of its own game with the wire layout, and nothing else.
TEST_F(SessionSearch, HostAnswersOnlyRequestsOfItsOwnGame)
{
    Machine host;
    ASSERT_EQ(host.Host(), DP_OK);
    RawSocket raw;
    ASSERT_TRUE(raw.bound());
    sockaddr_in target = Loopback(gEnumerationTargetPort);

    struct Case {
        const char* game;
        std::uint8_t kind;
        bool answered;
    } cases[] = { { "Vellmark", 0, true }, { "vellmark", 0, false }, { "Vellmark II", 0, false },
        { "Vellmark", 1, false } };
    for (const Case& c : cases) {
        Ravel::MessageBuffer request;
        WriteSearchHeader(request, c.game, c.kind, 0xCAFE0000 + c.kind);
        request.EndWriting();
        raw.SendTo(target, request);
        std::vector<std::uint8_t> answer = raw.Receive();
        ASSERT_EQ(!answer.empty(), c.answered) << c.game;
        if (answer.empty())
            continue;
        Ravel::MessageBuffer in(answer.data(), static_cast<int>(answer.size()));
        char text[256];
        EXPECT_EQ(in.ReadByte(), 'E');
        EXPECT_TRUE(in.ReadString(text, sizeof text));
        EXPECT_STREQ(text, "Vellmark");
        EXPECT_EQ(in.ReadByte(), 1);
        EXPECT_EQ(in.ReadLong(), 0xCAFE0000u);
        EXPECT_EQ(in.ReadLong(), static_cast<std::uint32_t>(INADDR_LOOPBACK)); // the bound address
        EXPECT_EQ(in.ReadShort(), host.port());
        EXPECT_TRUE(in.ReadString(text, sizeof text));
        EXPECT_STREQ(text, "Test realm");
        in.Skip(4 + 16 + 4 + 4);
        EXPECT_EQ(in.Position(), static_cast<int>(answer.size()));
        EXPECT_FALSE(in.Overrun());
    }
    // A truncated request is not answered either.
    Ravel::MessageBuffer cut;
    cut.WriteByte('E');
    cut.WriteBytes("Vellmark", 8);
    cut.EndWriting();
    raw.SendTo(target, cut);
    EXPECT_TRUE(raw.Receive().empty());
}

// The searcher keeps only answers of its game to its present request, and reads a broken one no further
// than it goes.
TEST_F(SessionSearch, SearcherPassesOverForeignStaleAndBrokenAnswers)
{
    RawSocket fakeHost(gEnumerationTargetPort);
    ASSERT_TRUE(fakeHost.bound());
    Machine searcher;
    Found found;
    ASSERT_EQ(Search(searcher, found, 0, DPENUMSESSIONS_ASYNC), DP_OK);
    sockaddr_in from {};
    std::vector<std::uint8_t> request = fakeHost.Receive(&from);
    ASSERT_EQ(request.size(), 7u + 8u);
    Ravel::MessageBuffer in(request.data(), static_cast<int>(request.size()));
    in.Skip(1 + 9 + 1);
    std::uint32_t nonce = in.ReadLong();

    auto answer = [&](const char* game, std::uint32_t withNonce, std::uint16_t port, const std::string& name,
                      bool whole) {
        Ravel::MessageBuffer out;
        WriteSearchHeader(out, game, 1, withNonce);
        out.WriteLong(0);
        out.WriteShort(port);
        out.WriteString(name.c_str());
        if (whole) {
            for (int i = 0; i < 7; ++i)
                out.WriteLong(static_cast<std::uint32_t>(i));
        }
        out.EndWriting();
        fakeHost.SendTo(from, out);
    };
    answer("Vellmark", nonce + 1, 1000, "stale", true);
    answer("Other", nonce, 1001, "foreign", true);
    answer("Vellmark", nonce, 1002, "broken", false);
    answer("Vellmark", nonce, 1003, std::string(300, 'n'), true);
    answer("Vellmark", nonce, 1003, "again", true);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Search(searcher, found, 0, DPENUMSESSIONS_ASYNC | DPENUMSESSIONS_STOPASYNC);
    ASSERT_EQ(found.sessions.size(), 1u);
    EXPECT_EQ(found.sessions[0].guidInstance.Data2, 1003);
    EXPECT_EQ(found.names[0], std::string(255, 'n'));
    EXPECT_EQ(found.sessions[0].dwCurrentPlayers, 6u);
    EXPECT_EQ(found.timedOut, 1);
}

// Two programs searching at once tell their answers apart: each draws its own nonce, also when both
// start from the same state (forked from one process).
TEST_F(SessionSearch, EveryProgramDrawsItsOwnNonce)
{
    RawSocket fakeHost(gEnumerationTargetPort);
    ASSERT_TRUE(fakeHost.bound());
    pid_t children[2] = {};
    for (pid_t& child : children) {
        child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            Machine searcher;
            Found found;
            const bool sent = Search(searcher, found, 0, DPENUMSESSIONS_ASYNC) == DP_OK;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            _exit(sent ? 0 : 1);
        }
    }
    std::map<std::uint16_t, std::uint32_t> nonceByPort;
    for (int receives = 0; receives < 12 && nonceByPort.size() < 2; ++receives) {
        sockaddr_in from {};
        std::vector<std::uint8_t> request = fakeHost.Receive(&from);
        if (request.size() != 7u + 8u)
            continue;
        Ravel::MessageBuffer in(request.data(), static_cast<int>(request.size()));
        in.Skip(1 + 9 + 1);
        nonceByPort[ntohs(from.sin_port)] = in.ReadLong();
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ASSERT_EQ(nonceByPort.size(), 2u);
    EXPECT_NE(nonceByPort.begin()->second, nonceByPort.rbegin()->second);
}

// Hosts and searches bind loopback in tests, so nothing a test opens answers from outside the machine.
TEST_F(SessionSearch, TestsBindLoopbackOnly)
{
    EXPECT_EQ(gBindAddress, INADDR_LOOPBACK);
    Machine host;
    ASSERT_EQ(host.Host(4), DP_OK);
    EXPECT_EQ(BoundUdpAddress(host.port()), "0100007F") << "the hosted session";
    EXPECT_EQ(BoundUdpAddress(gEnumerationTargetPort), "0100007F") << "where the host hears searches";
}

TEST_F(SessionSearch, OffersTheOneTcpConnection)
{
    Machine machine;
    struct Offered {
        int calls = 0;
        GUID provider {};
        std::string shortName, longName;
        DWORD size = 0;
    } offered;
    machine.Do([&](Ravel::IDirectPlayImp4& dp) {
        return dp.EnumConnections(
            nullptr,
            [](LPCGUID provider, LPVOID, DWORD size, LPCDPNAME name, DWORD, LPVOID context) -> BOOL {
                auto* seen = static_cast<Offered*>(context);
                ++seen->calls;
                seen->provider = *provider;
                seen->size = size;
                seen->shortName = name->lpszShortNameA;
                seen->longName = name->lpszLongNameA;
                return TRUE;
            },
            &offered, 0);
    });
    EXPECT_EQ(offered.calls, 1);
    EXPECT_TRUE(IsEqualGUID(offered.provider, DPSPGUID_TCPIP));
    EXPECT_EQ(offered.size, 21u);
    EXPECT_EQ(offered.shortName, "DPTCPIPFaker");
    EXPECT_EQ(offered.longName, "DirectPlay4 TCP/IP Connection Faker");
}
