// Scratch preference files for the host tests: the shipped defaults and the user's file point at
// files of the test's own, so the machine's preferences never leak in.
#pragma once

#include <string>

namespace host_test {

// Writes an XML property list with the inner dict content to a fresh temporary file; answers its path.
std::string WritePlist(const std::string& dictContent);
// Shipped defaults from dictContent and an empty user file.
void UsePrefs(const std::string& dictContent);

} // namespace host_test
