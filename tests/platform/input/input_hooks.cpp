// The game's hooks for the input, settings and movie tests: the platform layer calls them, and
// these programs never run a game, so each one only records that it was reached.
#include "platform/input/input_hooks.h"

#include <cstdint>
#include <fstream>
#include <sstream>

#include "fixtures/game_hooks_stub.h"

#include "foundation/safeguards.h"

namespace input_test {

std::string PathIn(const ScratchDir& dir, const std::string& name)
{
    return dir.path() + "/" + name;
}

std::vector<Dispatched> gDispatched;

void PrintTo(const Msg& m, std::ostream* out)
{
    *out << std::hex << "{0x" << m.message << ", 0x" << m.wParam << ", 0x" << m.lParam << "}" << std::dec;
}

std::vector<Msg> TakeMessages()
{
    std::vector<Msg> out;
    Windows::MSG msg {};
    Windows::GetMessageA(&msg, nullptr, 0, 0) ? out.push_back({ msg.message, msg.wParam, msg.lParam })
                                              : void();
    while (Windows::PeekMessageA(&msg, nullptr, 0, 0, Windows::PM_REMOVE))
        out.push_back({ msg.message, msg.wParam, msg.lParam });
    return out;
}

Windows::LPARAM At(int x, int y)
{
    return static_cast<Windows::LPARAM>(
        static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 16));
}

namespace {

Windows::LRESULT RecordingWindProc(
    Windows::HWND window, Windows::UINT message, Windows::WPARAM wParam, Windows::LPARAM lParam)
{
    gDispatched.push_back({ window, message, wParam, lParam });
    return 77;
}

// Set before any test runs: these programs never run a game, so the stub hooks serve, and only the
// window procedure records what the platform hands it.
const bool gRecording = (gStubWindProc = RecordingWindProc, true);

} // namespace

} // namespace input_test
