// The fatal-message capture that every test of bad input shares.
#pragma once

#include <functional>
#include <string>

namespace support {

// The text of the _AssertRelease that the action ended with, or "" when it ended normally; a thrown int
// other than the fatal error's -1 fails the test.
std::string FatalMessageOf(const std::function<void()>& action);

} // namespace support
