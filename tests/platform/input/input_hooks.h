// The tests' side of the game hooks (a window procedure that records what it got) and a reader of
// what the window-message queue holds.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/input/window_messages.h"
#include "support/scratch.h"

namespace input_test {

struct Dispatched {
    Windows::HWND hwnd;
    Windows::UINT message;
    Windows::WPARAM wParam;
    Windows::LPARAM lParam;
};
extern std::vector<Dispatched> gDispatched;

struct Msg {
    Windows::UINT message;
    Windows::WPARAM wParam;
    Windows::LPARAM lParam;
    bool operator==(const Msg&) const = default;
};
void PrintTo(const Msg& m, std::ostream* out);

// Empties the queue (and lowers a raised quit flag); answers what it held, oldest first.
std::vector<Msg> TakeMessages();

// The lParam of a point message.
Windows::LPARAM At(int x, int y);

} // namespace input_test

namespace input_test {

using support::ReadAll;
using support::ScratchDir;

// The path of name inside the scratch folder.
std::string PathIn(const ScratchDir& dir, const std::string& name);

} // namespace input_test
