// Two machines over TCP on 127.0.0.1, a host and a client in two processes, each playing one realm of the
// tiny generated game: every kind of diplomatic request travels from its sender to the host, on to the other
// player's answer, back through the host to the sender, and both machines end in the same state.
#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "app/game.h"
#include "app/headless.h"
#include "characters/character.h"
#include "characters/title.h"
#include "events/event_factory.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/net_event.h"
#include "foundation/data_file.h"
#include "foundation/random_generator.h"
#include "player/player.h"
#include "realms/country.h"
#include "realms/request.h"
#include "realms/war.h"

#include "tiny_game.h"

#include "foundation/safeguards.h"

namespace {

testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new CTinyGameFolder);

constexpr const char* kGame = "scenarios\\tiny.rzg";
// Frames on the wire: a little-endian size word, then an event's record; sizes from here on mark the
// test's own frames.
constexpr uint32_t kBarrierFrame = 0xFFFFFFF0u;
constexpr uint32_t kHashFrame = 0xFFFFFFF1u;
constexpr auto kWaitLimit = std::chrono::seconds(20);
constexpr std::size_t kPeaceStep = 4;

void PutWord(std::vector<uint8_t>& out, uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(word >> (8 * i)));
}

uint32_t GetWord(const uint8_t* in)
{
    return uint32_t { in[0] } | uint32_t { in[1] } << 8 | uint32_t { in[2] } << 16 | uint32_t { in[3] } << 24;
}

// One machine's end of the connection: what the game sends goes out as frames, what arrives is rebuilt as
// the multiplayer session rebuilds it and posted here.
class CLoopbackSession : public CEventSession {
public:
    CLoopbackSession(int inSocket, bool inHost)
        : socket(inSocket)
        , host(inHost)
    {
    }
    bool IsHost() const override { return host; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent* event) override
    {
        std::vector<uint8_t> frame;
        PutWord(frame, event->GetDataSize());
        frame.insert(frame.end(), event->GetRecordBytes(), event->GetRecordBytes() + event->GetDataSize());
        Write(frame);
    }
    void SendMark(uint32_t kind, uint64_t value)
    {
        std::vector<uint8_t> frame;
        PutWord(frame, kind);
        PutWord(frame, static_cast<uint32_t>(value));
        PutWord(frame, static_cast<uint32_t>(value >> 32));
        Write(frame);
    }
    // Reads what has arrived (waiting at most 5 ms), posts its events and processes every ready one.
    bool Pump()
    {
        pollfd wait { socket, POLLIN, 0 };
        if (poll(&wait, 1, 5) > 0) {
            uint8_t buffer[65536];
            const ssize_t got = recv(socket, buffer, sizeof buffer, 0);
            if (got <= 0)
                return false;
            pending.insert(pending.end(), buffer, buffer + got);
        }
        std::size_t at = 0;
        while (pending.size() - at >= 4) {
            const uint32_t size = GetWord(&pending[at]);
            const std::size_t body = size >= kBarrierFrame ? 8 : size;
            if (pending.size() - at - 4 < body)
                break;
            const uint8_t* record = &pending[at + 4];
            if (size == kBarrierFrame)
                ++barriers;
            else if (size == kHashFrame)
                peerHash = uint64_t { GetWord(record) } | uint64_t { GetWord(record + 4) } << 32;
            else {
                CRZNetEvent net(record, size);
                if (CRZEvent* event = BuildEventFromNetwork(&net))
                    PostLocalEvent(event);
            }
            at += 4 + body;
        }
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(at));
        gEventScheduler.ProcessAll();
        gEventScheduler.EmptyExternalList();
        return true;
    }

    int barriers = 0;
    uint64_t peerHash = 0;

private:
    void Write(const std::vector<uint8_t>& frame)
    {
        std::size_t sent = 0;
        while (sent < frame.size()) {
            const ssize_t n = send(socket, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return;
            sent += static_cast<std::size_t>(n);
        }
    }

    int socket;
    bool host;
    std::vector<uint8_t> pending;
};

// Answers reaching a realm (the host's re-issue to the sender), counted on this machine.
int gAnswersDelivered = 0;
CRZReturnType CountingDelivery(CRZEvent* event)
{
    if (event->GetType() == _CRZEVT_RESPONSE_ && event->GetReceiver().type == RZTYPE_COUNTRY)
        ++gAnswersDelivered;
    return DeliverEvent(event);
}

// Two feudal realms with rulers and a man and a woman who may marry across them.
struct CCast {
    CRZCountryID host = 0;
    CRZCountryID client = 0;
    CRZID groom;
    CRZID bride;
    CRZID child;
};

CCast FindCast()
{
    CCast cast;
    std::vector<CRZCountry*> realms;
    for (int i = 1; i < static_cast<int>(kCountryTableSlots); ++i) {
        CRZCountry* realm = CRZCountry::GetCountry(i);
        if (CRZCountry::IsRealCountry(i) && realm != nullptr && realm->ruler != nullptr
            && !realm->ruler->IsVassal() && realm->GetFormOfGoverment() == GOV_FEUDAL
            && realm->members.GetSize() > 2)
            realms.push_back(realm);
    }
    for (CRZCountry* a : realms) {
        for (CRZCountry* b : realms) {
            if (a == b)
                continue;
            for (auto m = a->members.GetHead(); !m.IsEnd() && cast.host == 0; m++) {
                for (auto w = b->members.GetHead(); !w.IsEnd(); w++) {
                    if (!(*m)->IsFemale() && !(*m)->IsRuler() && !(*w)->IsRuler() && (*m)->CanMarry(*w)) {
                        cast = { a->index, b->index, (*m)->GetID(), (*w)->GetID(), NOID };
                        break;
                    }
                }
            }
            if (cast.host != 0) {
                for (auto c = a->members.GetHead(); !c.IsEnd(); c++) {
                    if ((*c)->GetAge() < 13 && (*c)->GetID() != cast.bride)
                        cast.child = (*c)->GetID();
                }
                return cast;
            }
        }
    }
    return cast;
}

// A request of each kind in the order they are put, with who sends it: true for the host's player.
struct CStep {
    bool hostSends;
    std::function<CRequest*(CRZCountryID from, CRZCountryID to, const CCast& cast)> make;
};

const std::vector<CStep>& Steps()
{
    static const std::vector<CStep> steps = {
        { true,
            [](CRZCountryID f, CRZCountryID t, const CCast&) { return new COfferAllianceRequest(f, t); } },
        { false,
            [](CRZCountryID f, CRZCountryID t, const CCast& c) {
                return new COfferMarrigeRequest(f, t, c.bride, c.groom);
            } },
        { true,
            [](CRZCountryID f, CRZCountryID t, const CCast& c) {
                return new CSendFosterlingRequest(f, t, c.child);
            } },
        { false,
            [](CRZCountryID f, CRZCountryID t, const CCast&) { return new CMobilizeHostRequest(f, t); } },
        { true,
            [](CRZCountryID f, CRZCountryID t, const CCast&) {
                // The war the sender declared just before.
                CRZCountry* from = CRZCountry::GetCountry(f);
                CRZCountry* to = CRZCountry::GetCountry(t);
                CWar* war = from->GetWar(t);
                return static_cast<CRequest*>(new CSueForPeaceRequest(f, t,
                    war != nullptr ? CPeaceProposal(war->GetID(), from->ruler, to->ruler)
                                   : CPeaceProposal()));
            } },
        { false,
            [](CRZCountryID f, CRZCountryID t, const CCast&) {
                return new COfferVassalizationRequest(f, t);
            } },
        { true,
            [](CRZCountryID f, CRZCountryID t, const CCast&) { return new CPledgeAllegienceRequest(f, t); } },
        { false,
            [](CRZCountryID f, CRZCountryID t, const CCast&) {
                const CRZCountry* target = CRZCountry::GetCountry(t);
                const CTitle* title = target->ruler != nullptr ? target->ruler->GetPrimaryTitle() : nullptr;
                return static_cast<CRequest*>(
                    new CRevokeTitleRequest(f, t, title != nullptr ? title->GetID() : NOID));
            } },
    };
    return steps;
}

// Pumps until the condition holds; false when the time or the pass limit runs out or the peer has gone.
bool PumpUntil(CLoopbackSession& session, const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + kWaitLimit;
    for (int pass = 0; pass < 100000 && std::chrono::steady_clock::now() < end; ++pass) {
        if (done())
            return true;
        if (!session.Pump())
            return false;
    }
    return done();
}

// One machine's game: every request of the list, answered 1 by whichever player it reaches; then two
// rounds of barriers, so that what either side sent in answer to the other has arrived, and the state hash.
// The failure, or an empty text.
std::string PlayMachine(int socket, bool host, const CCast& cast, uint64_t& hash, std::vector<int>& asked)
{
    CLoopbackSession session(socket, host);
    SetEventSession(&session);
    SetEventDelivery(&CountingDelivery);
    gAnswersDelivered = 0;
    ClearCountryControl();
    gCountryControl[cast.host] = host ? CONTROL_LOCAL_PLAYER : CONTROL_NETWORK_PLAYER;
    gCountryControl[cast.client] = host ? CONTROL_NETWORK_PLAYER : CONTROL_LOCAL_PLAYER;
    gGameRandom.Seed(7);
    gpGame = new CRZGame(kGame, 0);
    if (!gpGame->IsLoaded())
        return std::string("the game did not load: ") + gpGame->GetLoadError();
    session.Pump();
    const CRZCountryID mine = host ? cast.host : cast.client;
    auto* player = dynamic_cast<CRZPlayer*>(CRZCountry::GetCountry(mine));
    if (player == nullptr)
        return "the local player's realm is no player realm";
    std::string failure;
    for (std::size_t k = 0; k < Steps().size() && failure.empty(); ++k) {
        const CStep& step = Steps()[k];
        const bool mineSends = step.hostSends == host;
        const CRZCountryID from = step.hostSends ? cast.host : cast.client;
        const CRZCountryID to = step.hostSends ? cast.client : cast.host;
        if (mineSends && k == kPeaceStep) {
            // Peace needs a war: the sender declares it, and the host's set-up reaches the other machine
            // before the request that follows it.
            CRZCountry::GetCountry(from)->DeclareWar(to, false, false);
            if (!PumpUntil(session, [&] { return CRZCountry::GetCountry(from)->GetWar(to) != nullptr; }))
                failure = "the war was never set up";
        }
        if (mineSends) {
            std::unique_ptr<CRequest> request(step.make(from, to, cast));
            request->SendToHost();
        }
        const bool arrived = PumpUntil(session, [&] {
            if (!mineSends && player->GetOpenAnswerCount() > 0) {
                player->Answer(0, 1);
                asked.push_back(static_cast<int>(k));
            }
            return gAnswersDelivered >= static_cast<int>(k) + 1;
        });
        if (!arrived)
            failure = "request " + std::to_string(k) + " got no answer back to its sender";
    }
    const CCharacter* groom = CRef<CCharacter>(cast.groom).Get();
    if (failure.empty()
        && (groom == nullptr || groom->FindSpouse() == nullptr || groom->FindSpouse()->GetID() != cast.bride))
        failure = "the marriage was not made";
    for (int round = 1; round <= 2 && failure.empty(); ++round) {
        session.SendMark(kBarrierFrame, 0);
        if (!PumpUntil(session, [&] { return session.barriers >= round; }))
            failure = "the other machine never reached the end";
    }
    hash = HashGameState();
    session.SendMark(kHashFrame, hash);
    if (failure.empty() && !PumpUntil(session, [&] { return session.peerHash != 0; }))
        failure = "the other machine sent no state hash";
    if (failure.empty() && session.peerHash != hash)
        failure = "the two machines ended in different states";
    delete gpGame;
    gpGame = nullptr;
    SetEventDelivery(nullptr);
    SetEventSession(nullptr);
    return failure;
}

TEST(LoopbackRequests, EveryKindTravelsThroughTheHostBothWaysAndBothMachinesEndAlike)
{
    // The realms and people are chosen on the game as loaded, then the world is built again on each machine.
    gpGame = new CRZGame(kGame, 0);
    ASSERT_TRUE(gpGame->IsLoaded()) << gpGame->GetLoadError();
    const CCast cast = FindCast();
    delete gpGame;
    gpGame = nullptr;
    ASSERT_NE(cast.host, 0) << "the tiny game has no two realms whose people may marry";

    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);

    const pid_t client = fork();
    ASSERT_GE(client, 0);
    if (client == 0) {
        close(listener);
        const int line = socket(AF_INET, SOCK_STREAM, 0);
        int status = 2;
        if (line >= 0 && connect(line, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            uint64_t hash = 0;
            std::vector<int> asked;
            const std::string failure = PlayMachine(line, false, cast, hash, asked);
            if (!failure.empty())
                std::fprintf(stderr, "client: %s\n", failure.c_str());
            // The client's player answered in his window every request the host's player sent.
            bool answeredAll = true;
            for (int k : { 0, 2, 4, 6 })
                answeredAll = answeredAll && std::find(asked.begin(), asked.end(), k) != asked.end();
            for (int k : asked)
                answeredAll = answeredAll && k % 2 == 0;
            status = failure.empty() && answeredAll ? 0 : 1;
            if (failure.empty() && status != 0)
                std::fprintf(stderr, "client: answered %zu requests\n", asked.size());
        }
        std::fflush(stderr);
        _exit(status);
    }
    pollfd waiting { listener, POLLIN, 0 };
    ASSERT_EQ(poll(&waiting, 1, 10000), 1) << "the client never connected";
    const int line = accept(listener, nullptr, nullptr);
    close(listener);
    ASSERT_GE(line, 0);
    uint64_t hash = 0;
    std::vector<int> asked;
    const std::string failure = PlayMachine(line, true, cast, hash, asked);
    close(line);
    int status = -1;
    ASSERT_EQ(waitpid(client, &status, 0), client);
    EXPECT_EQ(failure, "");
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the client failed (its line is above)";
    EXPECT_NE(hash, 0u);
    // The host's player answered in his window every request the client's player sent.
    EXPECT_EQ(asked, (std::vector<int> { 1, 3, 5, 7 }));
}

} // namespace
