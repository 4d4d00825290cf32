// The game's two error paths: _AssertRelease stops the current operation by throwing,
// _Err reports an operating-system failure and lets the caller go on.
#pragma once

#include <cstddef>

// Size of the buffer that holds the last fatal message, terminator included.
inline constexpr std::size_t kAssertMessageSize = 1024;

// Formats the message into the fatal-message buffer (cut to fit, never past it) and throws the int -1.
// Nothing is printed here; whoever catches the int reads the text with GetAssertMessage.
[[noreturn]] void _AssertRelease(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The text of the last _AssertRelease; it stays after the throw until the next one.
const char* GetAssertMessage();

// Writes "Error: <message>" and the place to standard error, then raises the platform assertion hook.
void _Err(const char* message, const char* function, const char* file, int line);
