// The one exception of the platform layer: an operating-system call failed. It is caught and logged
// at the layer's boundary and never reaches the game.
#pragma once

#include <exception>

namespace Ravel {

class osExcept : public std::exception {
public:
    // message: a literal naming the failing call (not copied); code: the system's error code.
    osExcept(const char* message, int code, const char* file = nullptr, int line = 0) noexcept;

    // "message (code) file:line", or "message (code)" when no file is known.
    const char* what() const noexcept override { return mText; }

    const char* message() const noexcept { return mMessage; }
    int code() const noexcept { return mCode; }

private:
    const char* mMessage;
    int mCode;
    const char* mFile;
    int mLine;
    char mText[256];
};

} // namespace Ravel
