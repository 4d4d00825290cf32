// Loopback machines for the multiplayer transport tests.
#include "platform/dplay/dplay_fixtures.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "foundation/safeguards.h"

using namespace Windows;

namespace dplay_test {

namespace {

// Every program that uses these machines binds loopback from its start, before any test opens a socket.
class LoopbackOnly : public testing::Environment {
public:
    void SetUp() override { gBindAddress = INADDR_LOOPBACK; }
};
testing::Environment* const kLoopbackOnly = testing::AddGlobalTestEnvironment(new LoopbackOnly);

} // namespace

std::uint16_t FreeUdpPort()
{
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

void UseLoopbackPorts()
{
    gServerPort = 0;
    gEnumerationPort = 0;
    gEnumerationTargetPort = FreeUdpPort();
    gEnumerationBroadcastAddress = INADDR_LOOPBACK;
}

bool WaitFor(const std::function<bool()>& cond, int ms)
{
    for (int waited = 0; waited <= ms; waited += 10) {
        if (cond())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return cond();
}

DWORD Received::SystemType() const
{
    DWORD type = 0;
    if (from == DPID_SYSMSG && bytes.size() >= sizeof type)
        std::memcpy(&type, bytes.data(), sizeof type);
    return type;
}

Machine::Machine()
    : mPlay(new Ravel::IDirectPlayImp4)
{
    mThread = std::thread([this] {
        // Stopped by the destructor; each pass is one frame's servicing.
        while (!mStop.load()) {
            {
                std::lock_guard<std::mutex> hold(mLock);
                mPlay->Tick();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
}

Machine::~Machine()
{
    mStop = true;
    mThread.join();
    mPlay->Release();
}

HRESULT Machine::Host(DWORD maxPlayers, DWORD flags)
{
    char name[] = "Test realm";
    DPSESSIONDESC2 desc {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = flags;
    desc.dwMaxPlayers = maxPlayers;
    desc.lpszSessionNameA = name;
    desc.dwUser1 = 7;
    desc.dwUser2 = 11;
    HRESULT result
        = Do([&](Ravel::IDirectPlayImp4& dp) { return dp.Open(&desc, DPOPEN_CREATE | DPOPEN_RETURNSTATUS); });
    mPort = mPlay->HostPort();
    return result;
}

HRESULT Machine::Join(const Machine& host)
{
    DPSESSIONDESC2 desc {};
    desc.dwSize = sizeof desc;
    desc.guidInstance.Data1 = htonl(INADDR_LOOPBACK);
    desc.guidInstance.Data2 = host.port();
    return Join(desc);
}

HRESULT Machine::Join(const DPSESSIONDESC2& found)
{
    DPSESSIONDESC2 desc = found;
    return Do([&](Ravel::IDirectPlayImp4& dp) { return dp.Open(&desc, DPOPEN_JOIN); });
}

HRESULT Machine::AddPlayer(const char* name, DPID* id, HANDLE event)
{
    std::string copy = name;
    DPNAME dpName { sizeof(DPNAME), 0, copy.data(), nullptr };
    return Do([&](Ravel::IDirectPlayImp4& dp) { return dp.CreatePlayer(id, &dpName, event, nullptr, 0, 0); });
}

std::vector<Received> Machine::Drain()
{
    std::vector<Received> got;
    Do([&](Ravel::IDirectPlayImp4& dp) {
        // At most a few hundred messages wait in any test.
        for (int i = 0; i < 1000; ++i) {
            Received one;
            DWORD size = 0;
            HRESULT result = dp.Receive(&one.from, &one.to, DPRECEIVE_ALL, nullptr, &size);
            if (result != DPERR_BUFFERTOOSMALL)
                break;
            one.bytes.resize(size);
            if (dp.Receive(&one.from, &one.to, DPRECEIVE_ALL, one.bytes.data(), &size) != DP_OK)
                break;
            got.push_back(std::move(one));
        }
        return 0;
    });
    return got;
}

std::vector<Received> Machine::DrainUntil(
    const std::function<bool(const std::vector<Received>&)>& pred, int ms)
{
    std::vector<Received> all;
    WaitFor(
        [&] {
            for (Received& one : Drain())
                all.push_back(std::move(one));
            return pred(all);
        },
        ms);
    return all;
}

std::size_t CountType(const std::vector<Received>& got, DWORD type)
{
    std::size_t count = 0;
    for (const Received& one : got)
        count += one.SystemType() == type ? 1 : 0;
    return count;
}

std::size_t CountText(const std::vector<Received>& got, const std::string& text)
{
    std::size_t count = 0;
    for (const Received& one : got)
        count += one.from != DPID_SYSMSG && one.Text() == text ? 1 : 0;
    return count;
}

} // namespace dplay_test
