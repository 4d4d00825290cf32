// Fatal errors of the game code and error reports of the lobby's thread and socket classes.
#include "foundation/fatal_error.h"

#include <cstdarg>
#include <cstdio>

#include "platform/win/win32.h"

#include "foundation/safeguards.h"

namespace {
char szString[kAssertMessageSize];
}

void _AssertRelease(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vsnprintf(szString, sizeof szString, format, args);
    va_end(args);
    throw -1;
}

const char* GetAssertMessage()
{
    return szString;
}

void _Err(const char* message, const char* function, const char* file, int line)
{
    std::fprintf(stderr, "Error: %s\n", message);
    std::fprintf(stderr, "In function %s, file %s, line %d\n", function, file, line);
    // The hook names this file and a fixed line, as every report from here always has.
    RV_assert_failed("false", "Err", 21);
}
