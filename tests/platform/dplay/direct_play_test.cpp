// The DirectPlay session over ENet on loopback: players and their system messages, the host's relay,
// refusals, machines that leave, and packets that do not follow the wire format.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstring>
#include <enet/enet.h>
#include <string>
#include <thread>

#include "platform/dplay/dplay_fixtures.h"
#include "platform/dplay/message_buffer.h"
#include "platform/win/win_locks.h"

#include "foundation/safeguards.h"

using namespace Windows;
using namespace dplay_test;

namespace {

HRESULT SendText(Machine& machine, DPID from, DPID to, const std::string& text)
{
    std::string copy = text;
    return machine.Do([&](Ravel::IDirectPlayImp4& dp) {
        return dp.Send(from, to, DPSEND_GUARANTEED, copy.data(), static_cast<DWORD>(copy.size()));
    });
}

struct Seen {
    DPID id;
    std::string name;
    bool remote;
};

std::vector<Seen> Players(Machine& machine, DWORD flags = 0)
{
    std::vector<Seen> seen;
    machine.Do([&](Ravel::IDirectPlayImp4& dp) {
        return dp.EnumPlayers(
            nullptr,
            [](DPID id, DWORD, LPCDPNAME name, DWORD, LPVOID context) -> BOOL {
                static_cast<std::vector<Seen>*>(context)->push_back(
                    { id, name->lpszShortNameA ? name->lpszShortNameA : "", false });
                return TRUE;
            },
            &seen, flags);
    });
    return seen;
}

// A host with its King and two clients with a player each, every machine knowing all three.
void SeatThree(Machine& host, Machine& first, Machine& second, DPID& king, DPID& a, DPID& b)
{
    ASSERT_EQ(host.Host(), DP_OK);
    ASSERT_EQ(host.AddPlayer("King", &king), DP_OK);
    ASSERT_EQ(first.Join(host), DP_OK);
    ASSERT_EQ(first.AddPlayer("A", &a), DP_OK);
    ASSERT_EQ(second.Join(host), DP_OK);
    ASSERT_EQ(second.AddPlayer("B", &b), DP_OK);
    ASSERT_TRUE(WaitFor([&] { return Players(first).size() == 3 && Players(second).size() == 3; }));
}

class DirectPlaySession : public testing::Test {
protected:
    void SetUp() override { UseLoopbackPorts(); }
    void TearDown() override
    {
        gConnectWaitMs = 5000;
        gAnswerWaitMs = 10000;
        gPeerTimeoutMs = 0;
    }
};

} // namespace

// One machine alone: its local players talk through the queue, and the queue's filters and size rules hold.
TEST_F(DirectPlaySession, LocalPlayersShareTheQueueWithItsRules)
{
    Machine host;
    ASSERT_EQ(host.Host(), DP_OK);
    ASSERT_NE(host.port(), 0);
    MPEventID dukeEvent = nullptr;
    ASSERT_EQ(MPCreateEvent(&dukeEvent), noErr);
    DPID king = 0, duke = 0;
    ASSERT_EQ(host.AddPlayer("King", &king), DP_OK);
    ASSERT_EQ(host.AddPlayer("Duke", &duke, dukeEvent), DP_OK);
    EXPECT_NE(king, duke);
    // The duke's event tells the game that mail waits: here his own arrival.
    MPEventFlags flags = 0;
    EXPECT_EQ(MPWaitForEvent(dukeEvent, &flags, kDurationImmediate), noErr);
    EXPECT_EQ(MPWaitForEvent(dukeEvent, &flags, kDurationImmediate), kMPTimeoutErr);
    EXPECT_EQ(host.raw().SessionDesc().dwCurrentPlayers, 2u);

    // The king hears of himself and of the duke, the duke of himself; the names a system message points
    // at stay valid until the next Receive.
    host.Do([&](Ravel::IDirectPlayImp4& dp) {
        std::vector<std::string> names;
        for (int i = 0; i < 3; ++i) {
            DPMSG_CREATEPLAYERORGROUP create {};
            DPID from = 99, to = 0;
            DWORD size = sizeof create;
            EXPECT_EQ(dp.Receive(&from, &to, DPRECEIVE_ALL, &create, &size), DP_OK);
            EXPECT_EQ(from, DPID_SYSMSG);
            EXPECT_EQ(create.dwType, DPSYS_CREATEPLAYERORGROUP);
            EXPECT_EQ(create.dwCurrentPlayers, i == 0 ? 1u : 2u);
            names.push_back(create.dpnName.lpszShortNameA);
        }
        EXPECT_EQ(names, (std::vector<std::string> { "King", "Duke", "Duke" }));
        return 0;
    });
    EXPECT_TRUE(host.Drain().empty());

    ASSERT_EQ(SendText(host, king, duke, "tribute"), DP_OK);
    EXPECT_EQ(MPWaitForEvent(dukeEvent, &flags, kDurationImmediate), noErr);
    ASSERT_EQ(SendText(host, duke, king, "homage"), DP_OK);
    EXPECT_EQ(MPWaitForEvent(dukeEvent, &flags, kDurationImmediate), kMPTimeoutErr);
    host.Do([&](Ravel::IDirectPlayImp4& dp) {
        char buffer[16];
        DPID from = king, to = 0;
        DWORD size = 0;
        // Only what the duke sent, asked for by sender; a zero-sized buffer learns its size first.
        EXPECT_EQ(dp.Receive(&from, &to, DPRECEIVE_FROMPLAYER, nullptr, &size), DPERR_BUFFERTOOSMALL);
        EXPECT_EQ(size, 7u);
        size = sizeof buffer;
        from = duke;
        EXPECT_EQ(dp.Receive(&from, &to, DPRECEIVE_FROMPLAYER | DPRECEIVE_PEEK, buffer, &size), DP_OK);
        EXPECT_EQ(std::string(buffer, size), "homage");
        EXPECT_EQ(to, king);
        to = duke;
        size = sizeof buffer;
        EXPECT_EQ(dp.Receive(&from, &to, DPRECEIVE_TOPLAYER, buffer, &size), DP_OK);
        EXPECT_EQ(std::string(buffer, size), "tribute");
        EXPECT_EQ(from, king);
        size = sizeof buffer;
        EXPECT_EQ(dp.Receive(&from, &to, DPRECEIVE_ALL, buffer, &size), DP_OK);
        EXPECT_EQ(std::string(buffer, size), "homage");
        EXPECT_EQ(dp.Receive(&from, &to, DPRECEIVE_ALL, buffer, &size), DPERR_NOMESSAGES);
        EXPECT_EQ(dp.Receive(&from, &to, DPRECEIVE_ALL, buffer, nullptr), DPERR_GENERIC);
        return 0;
    });

    // Data that cannot fit one message is refused instead of sent cut or past the buffer.
    std::string tooLong(Ravel::kMaxGameMessage + 1, 'x');
    EXPECT_EQ(SendText(host, king, duke, tooLong), DPERR_GENERIC);
    EXPECT_EQ(SendText(host, king, duke, std::string(Ravel::kMaxGameMessage, 'y')), DP_OK);
    EXPECT_EQ(SendText(host, king, 999, "nobody"), DP_OK);

    // The destroyed duke's own mail is dropped; the king hears of his going.
    host.Drain();
    ASSERT_EQ(SendText(host, king, duke, "late"), DP_OK);
    EXPECT_EQ(host.Do([&](Ravel::IDirectPlayImp4& dp) { return dp.DestroyPlayer(duke); }), DP_OK);
    EXPECT_EQ(host.Do([&](Ravel::IDirectPlayImp4& dp) { return dp.DestroyPlayer(duke); }), DPERR_GENERIC);
    std::vector<Received> got = host.Drain();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].SystemType(), DPSYS_DESTROYPLAYERORGROUP);
    EXPECT_EQ(got[0].to, king);
    EXPECT_EQ(host.raw().SessionDesc().dwCurrentPlayers, 1u);
    host.Do([](Ravel::IDirectPlayImp4& dp) { return dp.Close(); });
    MPDeleteEvent(dukeEvent);
}

// A client joins, learns of the host's player, and the two exchange messages; identities agree by slot.
TEST_F(DirectPlaySession, ClientJoinsAndTalksWithTheHost)
{
    Machine host, client;
    ASSERT_EQ(host.Host(), DP_OK);
    DPID king = 0;
    ASSERT_EQ(host.AddPlayer("King", &king), DP_OK);
    ASSERT_EQ(client.Join(host), DP_OK);
    DPID count = 0;
    ASSERT_EQ(client.AddPlayer("Count", &count), DP_OK);

    std::vector<Received> atHost
        = host.DrainUntil([](auto& got) { return CountType(got, DPSYS_CREATEPLAYERORGROUP) >= 2; });
    ASSERT_EQ(CountType(atHost, DPSYS_CREATEPLAYERORGROUP), 2u);
    std::vector<Seen> remote = Players(host, DPENUMPLAYERS_REMOTE);
    ASSERT_EQ(remote.size(), 1u);
    EXPECT_EQ(remote[0].name, "Count");
    std::vector<Seen> local = Players(client, DPENUMPLAYERS_LOCAL);
    ASSERT_EQ(local.size(), 1u);
    EXPECT_EQ(local[0].id, count);
    std::vector<Seen> everyone = Players(client);
    ASSERT_EQ(everyone.size(), 2u);
    DPID kingAtClient = everyone[0].name == "King" ? everyone[0].id : everyone[1].id;
    EXPECT_EQ(client.raw().SessionDesc().dwCurrentPlayers, 2u);

    ASSERT_EQ(SendText(client, count, kingAtClient, "fealty"), DP_OK);
    atHost = host.DrainUntil([](auto& got) { return CountText(got, "fealty") >= 1; });
    ASSERT_EQ(CountText(atHost, "fealty"), 1u);
    for (const Received& one : atHost) {
        if (one.Text() == "fealty") {
            EXPECT_EQ(one.from, remote[0].id);
            EXPECT_EQ(one.to, king);
        }
    }
    ASSERT_EQ(SendText(host, king, remote[0].id, "a fief"), DP_OK);
    std::vector<Received> atClient
        = client.DrainUntil([](auto& got) { return CountText(got, "a fief") >= 1; });
    EXPECT_EQ(CountText(atClient, "a fief"), 1u);
}

// A message to all from one client reaches every other machine once through the host and never comes back.
TEST_F(DirectPlaySession, BroadcastIsRelayedOnceAndNeverEchoed)
{
    Machine host, first, second;
    DPID king = 0, a = 0, b = 0;
    ASSERT_NO_FATAL_FAILURE(SeatThree(host, first, second, king, a, b));

    ASSERT_EQ(SendText(first, a, DPID_ALLPLAYERS, "crusade"), DP_OK);
    ASSERT_EQ(SendText(host, king, DPID_ALLPLAYERS, "peace"), DP_OK);
    auto both = [](auto& got) { return CountText(got, "crusade") >= 1 && CountText(got, "peace") >= 1; };
    std::vector<Received> atHost = host.DrainUntil([](auto& got) { return CountText(got, "crusade") >= 1; });
    std::vector<Received> atSecond = second.DrainUntil(both);
    std::vector<Received> atFirst = first.DrainUntil([](auto& got) { return CountText(got, "peace") >= 1; });
    // Time for a stray copy to arrive before counting.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    for (Received& one : host.Drain())
        atHost.push_back(one);
    for (Received& one : second.Drain())
        atSecond.push_back(one);
    for (Received& one : first.Drain())
        atFirst.push_back(one);
    EXPECT_EQ(CountText(atHost, "crusade"), 1u);
    EXPECT_EQ(CountText(atHost, "peace"), 0u);
    EXPECT_EQ(CountText(atSecond, "crusade"), 1u);
    EXPECT_EQ(CountText(atSecond, "peace"), 1u);
    EXPECT_EQ(CountText(atFirst, "crusade"), 0u);
    EXPECT_EQ(CountText(atFirst, "peace"), 1u);
}

// A host closed to joining drops the connection; a full host refuses the player and the client's record goes.
TEST_F(DirectPlaySession, ClosedOrFullHostRefuses)
{
    Machine closed;
    ASSERT_EQ(closed.Host(32, DPSESSION_JOINDISABLED), DP_OK);
    Machine turnedAway;
    EXPECT_EQ(turnedAway.Join(closed), DPERR_GENERIC);

    Machine full;
    ASSERT_EQ(full.Host(1), DP_OK);
    DPID king = 0;
    ASSERT_EQ(full.AddPlayer("King", &king), DP_OK);
    DPID extra = 0;
    EXPECT_EQ(full.AddPlayer("Extra", &extra), DPERR_GENERIC);
    Machine late;
    ASSERT_EQ(late.Join(full), DP_OK);
    DPID refused = 0;
    EXPECT_EQ(late.AddPlayer("Late", &refused), DPERR_GENERIC);
    EXPECT_EQ(Players(late, DPENUMPLAYERS_LOCAL).size(), 0u);
    EXPECT_EQ(late.raw().SessionDesc().dwCurrentPlayers, 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(Players(full).size(), 1u);
    EXPECT_EQ(CountType(full.Drain(), DPSYS_CREATEPLAYERORGROUP), 1u);
}

// A client that leaves is announced to the host and the other clients.
TEST_F(DirectPlaySession, LeavingClientIsAnnouncedEverywhere)
{
    Machine host, leaving, staying;
    DPID king = 0, a = 0, b = 0;
    ASSERT_NO_FATAL_FAILURE(SeatThree(host, leaving, staying, king, a, b));
    host.Drain();
    staying.Drain();

    leaving.Do([](Ravel::IDirectPlayImp4& dp) { return dp.Close(); });
    auto destroyed = [](auto& got) { return CountType(got, DPSYS_DESTROYPLAYERORGROUP) >= 1; };
    EXPECT_EQ(CountType(host.DrainUntil(destroyed), DPSYS_DESTROYPLAYERORGROUP), 1u);
    EXPECT_EQ(CountType(staying.DrainUntil(destroyed), DPSYS_DESTROYPLAYERORGROUP), 1u);
    EXPECT_EQ(Players(host).size(), 2u);
    EXPECT_EQ(Players(staying).size(), 2u);
}

// A raw ENet peer sends packets that break the format; the host drops each and its session stays whole.
// A well-formed player creation follows them: its answer proves the host read every packet before it.
TEST_F(DirectPlaySession, HostDropsMalformedPackets)
{
    Machine host, client;
    ASSERT_EQ(host.Host(), DP_OK);
    DPID king = 0, count = 0;
    ASSERT_EQ(host.AddPlayer("King", &king), DP_OK);
    ASSERT_EQ(client.Join(host), DP_OK);
    ASSERT_EQ(client.AddPlayer("Count", &count), DP_OK);
    ASSERT_TRUE(WaitFor([&] { return Players(host).size() == 2; }));
    host.Drain();

    ENetHost* rogue = enet_host_create(nullptr, 1, 1, 0, 0);
    ASSERT_NE(rogue, nullptr);
    ENetAddress address {};
    address.host = htonl(INADDR_LOOPBACK);
    address.port = host.port();
    ENetPeer* peer = enet_host_connect(rogue, &address, 1, 0);
    ENetEvent event {};
    ASSERT_GT(enet_host_service(rogue, &event, 3000), 0);
    ASSERT_EQ(event.type, ENET_EVENT_TYPE_CONNECT);

    auto send = [&](const Ravel::MessageBuffer& message) {
        enet_peer_send(
            peer, 0, enet_packet_create(message.Data(), message.Size(), ENET_PACKET_FLAG_RELIABLE));
    };
    Ravel::MessageBuffer unknown;
    unknown.WriteByte(1);
    unknown.EndWriting();
    Ravel::MessageBuffer lying; // claims far more data than it carries, from a player it does not own
    lying.WriteByte(0);
    lying.WriteLong(0);
    lying.WriteLong(0xFFFFFFFF);
    lying.WriteLong(100000);
    lying.WriteBytes("abc", 3);
    lying.EndWriting();
    Ravel::MessageBuffer spoofed; // a whole message, but in the name of the host's own player
    spoofed.WriteByte(0);
    spoofed.WriteLong(0);
    spoofed.WriteLong(0xFFFFFFFF);
    spoofed.WriteLong(3);
    spoofed.WriteBytes("abc", 3);
    spoofed.EndWriting();
    Ravel::MessageBuffer cutName; // a player whose name runs off the end
    cutName.WriteByte(4);
    cutName.WriteBytes("Nameless", 8);
    cutName.EndWriting();
    Ravel::MessageBuffer killOther; // ends a player of another machine
    killOther.WriteByte(6);
    killOther.WriteLong(1);
    killOther.EndWriting();
    Ravel::MessageBuffer killOutOfRange;
    killOutOfRange.WriteByte(6);
    killOutOfRange.WriteLong(0x7FFFFFFF);
    killOutOfRange.EndWriting();
    Ravel::MessageBuffer sentinel;
    sentinel.WriteByte(4);
    sentinel.WriteString("Sentinel");
    sentinel.WriteString("");
    sentinel.WriteLong(0);
    sentinel.WriteLong(0);
    sentinel.EndWriting();

    testing::internal::CaptureStderr();
    for (const Ravel::MessageBuffer* message :
        { &unknown, &lying, &spoofed, &cutName, &killOther, &killOutOfRange, &sentinel })
        send(*message);
    enet_host_flush(rogue);
    // The channel is reliable and ordered: the creation answer comes after the host read the rest.
    bool answered = false;
    for (int i = 0; i < 500 && !answered; ++i) {
        while (enet_host_service(rogue, &event, 10) > 0) {
            if (event.type != ENET_EVENT_TYPE_RECEIVE)
                continue;
            answered = answered || (event.packet->dataLength >= 2 && event.packet->data[0] == 5);
            enet_packet_destroy(event.packet);
        }
    }
    std::string printed = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(answered) << "the host never answered the well-formed creation after the bad packets";
    EXPECT_NE(printed.find("Got unknown message in connection callback - handle it\n"), std::string::npos);
    EXPECT_EQ(Players(host).size(), 3u);
    const std::vector<Received> got
        = host.DrainUntil([](auto& all) { return CountType(all, DPSYS_CREATEPLAYERORGROUP) >= 1; });
    EXPECT_EQ(got.size(), 1u);
    EXPECT_EQ(CountType(got, DPSYS_CREATEPLAYERORGROUP), 1u);
    enet_peer_reset(peer);
    enet_host_destroy(rogue);
}

// When the host goes, a client first loses the host's players and then the session.
TEST_F(DirectPlaySession, ClientLearnsOfALostHost)
{
    auto host = std::make_unique<Machine>();
    Machine client;
    ASSERT_EQ(host->Host(), DP_OK);
    DPID king = 0, count = 0;
    ASSERT_EQ(host->AddPlayer("King", &king), DP_OK);
    gPeerTimeoutMs = 1000;
    ASSERT_EQ(client.Join(*host), DP_OK);
    ASSERT_EQ(client.AddPlayer("Count", &count), DP_OK);
    client.Drain();
    host.reset();

    // ENet notices a silent host only when its pings go unanswered for the peer timeout.
    std::vector<Received> got
        = client.DrainUntil([](auto& sofar) { return CountType(sofar, DPSYS_SESSIONLOST) >= 1; }, 10000);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].SystemType(), DPSYS_DESTROYPLAYERORGROUP);
    EXPECT_EQ(got[1].SystemType(), DPSYS_SESSIONLOST);
    EXPECT_EQ(got[1].to, count);
    EXPECT_EQ(SendText(client, count, DPID_ALLPLAYERS, "anyone?"), DP_OK);
}

// Joining where no host listens fails after the connection wait, with the reason on the error stream.
TEST_F(DirectPlaySession, JoinWithoutAHostFails)
{
    Machine client;
    DPSESSIONDESC2 desc {};
    desc.guidInstance.Data1 = htonl(INADDR_LOOPBACK);
    desc.guidInstance.Data2 = FreeUdpPort();
    gConnectWaitMs = 200;
    testing::internal::CaptureStderr();
    EXPECT_EQ(client.Join(desc), DPERR_GENERIC);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Connection to server failed in Enet () - 0\n"),
        std::string::npos);
    DPID id = 0;
    EXPECT_EQ(client.AddPlayer("Alone", &id), DPERR_GENERIC);
}

// A host that takes the connection but never accepts the request does not hold the joining game for ever.
TEST_F(DirectPlaySession, SilentHostIsGivenUpOn)
{
    ENetAddress address {};
    address.host = htonl(INADDR_LOOPBACK);
    address.port = 0;
    ENetHost* silent = enet_host_create(&address, 4, 1, 0, 0);
    ASSERT_NE(silent, nullptr);
    std::atomic<bool> stop { false };
    std::thread service([&] {
        // Completes the ENet handshake and drops every packet; ends when the test is done.
        ENetEvent event {};
        while (!stop.load()) {
            while (enet_host_service(silent, &event, 10) > 0) {
                if (event.type == ENET_EVENT_TYPE_RECEIVE)
                    enet_packet_destroy(event.packet);
            }
        }
    });
    Machine client;
    DPSESSIONDESC2 desc {};
    desc.guidInstance.Data1 = htonl(INADDR_LOOPBACK);
    desc.guidInstance.Data2 = silent->address.port;
    gAnswerWaitMs = 300;
    EXPECT_EQ(client.Join(desc), DPERR_GENERIC);
    stop = true;
    service.join();
    enet_host_destroy(silent);
}
