// The tests' side of the game hooks (a window procedure that records what it got) and a reader of
// what the window-message queue holds.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/input/window_messages.h"

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

// A fresh folder under the system's temporary folder, removed with its files at destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return mPath; }
    std::string file(const std::string& name) const { return mPath + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string mPath;
};

std::string ReadAll(const std::string& path);

} // namespace input_test
