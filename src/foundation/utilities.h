// Small text utilities used throughout the game: bounded copies, decimal reading and the 8-bit text
// conversions, plus the tick stopwatch that times loading.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies at most size - 1 bytes of from into to and terminates it; size 0 writes nothing.
// Returns false when the text had to be cut.
bool CopyString(char* to, const char* from, std::size_t size);

template <std::size_t N> bool CopyString(char (&to)[N], const char* from)
{
    return CopyString(to, from, N);
}

// ASCII letters A to Z folded to lower case; every other byte, 0x80 to 0xFF included, unchanged.
inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// ASCII letters a to z raised to upper case; every other byte unchanged.
inline char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Appends the formatted text to the terminated text in buffer, cut to the buffer's size. Descriptions are
// built line by line this way. False when the text had to be cut (or size is 0).
bool AppendFormat(char* buffer, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// The decimal number at the start of the text (what strtod accepts), in single precision; 0 without one.
float qvx_atof(const char* text);

// The integer at the start of the text, as atoi reads it, but held to the int range instead of overflowing.
int TextToInt(const char* text);

// All texts of the game are 8-bit: these copy their text unchanged (cut to the destination's size)
// and return the destination.
char* toupperstring(const char* from, char* to, std::size_t size);
char* ConvertFromUnicode(const char* from, char* to, std::size_t size);
char* ConvertToUnicode(const char* from, char* to, std::size_t size);

template <std::size_t N> char* ConvertFromUnicode(const char* from, char (&to)[N])
{
    return ConvertFromUnicode(from, to, N);
}

template <std::size_t N> char* ConvertToUnicode(const char* from, char (&to)[N])
{
    return ConvertToUnicode(from, to, N);
}

template <std::size_t N> char* toupperstring(const char* from, char (&to)[N])
{
    return toupperstring(from, to, N);
}

// A stopwatch in system ticks of 1/60 s.
class CCycleCounter {
public:
    CCycleCounter() = default;
    virtual ~CCycleCounter() = default;

    void Start();
    // Leaves the ticks elapsed since Start (modulo 2^32) in the count.
    void Stop();
    std::uint32_t GetCount() const { return count; }

    // The system tick count: sixtieths of a second since the program started, wrapping.
    static std::uint32_t TickCount();

private:
    std::uint32_t count = 0;
};
