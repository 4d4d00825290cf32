// Bounded text copies, decimal reading, the 8-bit text conversions and the tick stopwatch.
#include "foundation/utilities.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win/win32.h"

#include "foundation/safeguards.h"

bool CopyString(char* to, const char* from, std::size_t size)
{
    if (size == 0)
        return from[0] == '\0';
    const std::size_t length = std::strlen(from);
    const std::size_t n = length < size ? length : size - 1;
    std::memcpy(to, from, n);
    to[n] = '\0';
    return n == length;
}

bool AppendFormat(char* buffer, std::size_t size, const char* format, ...)
{
    if (size == 0)
        return false;
    const std::size_t used = strnlen(buffer, size - 1);
    buffer[used] = '\0';
    std::va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(buffer + used, size - used, format, arguments);
    va_end(arguments);
    return written >= 0 && static_cast<std::size_t>(written) < size - used;
}

float qvx_atof(const char* text)
{
    return static_cast<float>(std::strtod(text, nullptr));
}

int TextToInt(const char* text)
{
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

char* toupperstring(const char* from, char* to, std::size_t size)
{
    CopyString(to, from, size);
    return to;
}

char* ConvertFromUnicode(const char* from, char* to, std::size_t size)
{
    CopyString(to, from, size);
    return to;
}

char* ConvertToUnicode(const char* from, char* to, std::size_t size)
{
    CopyString(to, from, size);
    return to;
}

std::uint32_t CCycleCounter::TickCount()
{
    // 60 ticks per 1000 ms, taken from the platform's millisecond counter.
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(Windows::GetTickCount()) * 3 / 50);
}

void CCycleCounter::Start()
{
    count = TickCount();
}

void CCycleCounter::Stop()
{
    count = TickCount() - count;
}
