// Machines for the multiplayer transport tests: DirectPlay objects serviced on their own threads, free
// loopback ports, and the messages a local player has been sent.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/dplay/direct_play_imp4.h"

namespace dplay_test {

// A UDP port on 127.0.0.1 that was free a moment ago.
std::uint16_t FreeUdpPort();

// Points the search at loopback and free ports of this process, and lets ENet hosts take any free port.
void UseLoopbackPorts();

// Polls cond every 10 ms for at most ms milliseconds.
bool WaitFor(const std::function<bool()>& cond, int ms = 5000);

// One received message: sender and receiver as the receiving machine names them, and the bytes.
struct Received {
    Windows::DPID from = 0;
    Windows::DPID to = 0;
    std::vector<std::uint8_t> bytes;
    Windows::DWORD SystemType() const;
    std::string Text() const { return std::string(bytes.begin(), bytes.end()); }
};

// A DirectPlay object whose network is serviced every few milliseconds on a thread of its own, as the
// game's frame would; every call from the test goes through Do, under the same lock.
class Machine {
public:
    Machine();
    ~Machine();

    template <typename F> auto Do(F f)
    {
        std::lock_guard<std::mutex> hold(mLock);
        return f(*mPlay);
    }

    Windows::HRESULT Host(Windows::DWORD maxPlayers = 32, Windows::DWORD flags = 0);
    Windows::HRESULT Join(const Machine& host);
    Windows::HRESULT Join(const Windows::DPSESSIONDESC2& found);
    // event, when given, is the Multiprocessing Services event signalled for each message queued to the
    // player.
    Windows::HRESULT AddPlayer(const char* name, Windows::DPID* id, Windows::HANDLE event = nullptr);
    // Everything queued for this machine's players now.
    std::vector<Received> Drain();
    // Drains until pred holds for what was gathered, for at most ms; answers all that came.
    std::vector<Received> DrainUntil(
        const std::function<bool(const std::vector<Received>&)>& pred, int ms = 5000);

    std::uint16_t port() const { return mPort; }
    Ravel::IDirectPlayImp4& raw() { return *mPlay; }

private:
    std::mutex mLock;
    Ravel::IDirectPlayImp4* mPlay;
    std::uint16_t mPort = 0;
    std::atomic<bool> mStop { false };
    std::thread mThread;
};

std::size_t CountType(const std::vector<Received>& got, Windows::DWORD type);
std::size_t CountText(const std::vector<Received>& got, const std::string& text);

} // namespace dplay_test
