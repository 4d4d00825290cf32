// The lobby object's address builder: the size query, the TCP/IP address text, and texts that do not fit.
#include <gtest/gtest.h>

#include <string>

#include "platform/dplay/direct_play_lobby_imp3.h"

#include "foundation/safeguards.h"

using namespace Windows;

namespace {

struct Lobby {
    Ravel::IDirectPlayLobbyImp3* lobby = new Ravel::IDirectPlayLobbyImp3;
    ~Lobby() { lobby->Release(); }
};

DPCOMPOUNDADDRESSELEMENT Provider(const GUID* provider)
{
    return { DPAID_ServiceProvider, sizeof(GUID), const_cast<GUID*>(provider) };
}

DPCOMPOUNDADDRESSELEMENT Address(const std::string& text, DWORD size)
{
    return { DPAID_INet, size, const_cast<char*>(text.c_str()) };
}

} // namespace

TEST(DirectPlayLobby, BuildsTheAddressText)
{
    Lobby l;
    DWORD size = 0;
    EXPECT_EQ(l.lobby->CreateCompoundAddress(nullptr, 0, nullptr, &size), DP_OK);
    EXPECT_EQ(size, 1024u);

    struct Case {
        std::string text;
        DWORD dataSize;
        std::string expected;
    } cases[] = {
        { "castle.example:2300", 20, "castle.example:2300" },
        { "", 1, "" },
        // A text without its NUL ends at its stated size; one longer than the buffer is cut to it.
        { "10.0.0.1garbage", 8, "10.0.0.1" },
        { std::string(2000, 'h'), 2001, std::string(1023, 'h') },
    };
    for (const Case& c : cases) {
        char buffer[1024];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        DPCOMPOUNDADDRESSELEMENT elements[] = { Provider(&DPSPGUID_TCPIP), Address(c.text, c.dataSize) };
        size = sizeof buffer;
        l.lobby->CreateCompoundAddress(elements, 2, buffer, &size);
        EXPECT_EQ(std::string(buffer), c.expected);
        EXPECT_EQ(size, 1024u);
    }

    // Without an address element the buffer is left as it was; a smaller buffer is never passed.
    char buffer[8] = "kept";
    DPCOMPOUNDADDRESSELEMENT providerOnly[] = { Provider(&DPSPGUID_TCPIP) };
    size = sizeof buffer;
    l.lobby->CreateCompoundAddress(providerOnly, 1, buffer, &size);
    EXPECT_STREQ(buffer, "kept");
    std::string text = "a.very.long.host.name";
    DPCOMPOUNDADDRESSELEMENT address[] = { Address(text, static_cast<DWORD>(text.size() + 1)) };
    l.lobby->CreateCompoundAddress(address, 1, buffer, &size);
    EXPECT_STREQ(buffer, "a.very.");
}

TEST(DirectPlayLobby, AnotherServiceProviderEndsTheProgram)
{
    const GUID modem = { 0x44EAA760, 0xCB68, 0x11CF, { 0x9C, 0x4E, 0x00, 0xA0, 0xC9, 0x05, 0x42, 0x5E } };
    EXPECT_EXIT(
        {
            Lobby l;
            char buffer[1024];
            DWORD size = sizeof buffer;
            DPCOMPOUNDADDRESSELEMENT elements[] = { Provider(&modem) };
            l.lobby->CreateCompoundAddress(elements, 1, buffer, &size);
        },
        testing::ExitedWithCode(1), "element.lpData == &DPSPGUID_TCPIP");
}
