// FormatDataText, the one way a text from the game's tables is filled in as a printf-style format:
// a data text can hold anything, so it is never handed to printf itself.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One value for a data text's format: a whole number (%d %i %u %x %X %o %c), a decimal (%f %F %e %E %g %G)
// or a text (%s). A null text counts as empty.
class CTextArg {
public:
    enum class Kind : std::uint8_t { Integer, Decimal, Text };

    CTextArg(int value)
        : kind(Kind::Integer)
        , integer(value)
    {
    }
    CTextArg(long value)
        : kind(Kind::Integer)
        , integer(value)
    {
    }
    CTextArg(long long value)
        : kind(Kind::Integer)
        , integer(value)
    {
    }
    CTextArg(unsigned value)
        : kind(Kind::Integer)
        , integer(value)
    {
    }
    CTextArg(double value)
        : kind(Kind::Decimal)
        , decimal(value)
    {
    }
    CTextArg(const char* value)
        : kind(Kind::Text)
        , text(value ? value : "")
    {
    }
    CTextArg(std::string_view value)
        : kind(Kind::Text)
        , text(value)
    {
    }
    CTextArg(const std::string& value)
        : kind(Kind::Text)
        , text(value)
    {
    }

    Kind kind;
    long long integer = 0;
    double decimal = 0.0;
    std::string_view text;
};

// The format filled with the values in order. A specifier takes the next value only when its conversion
// suits that value's kind; any other specifier (a wrong kind, none left, %n, %p, %*d, a width or precision
// above 99, a lone % at the end) is printed as it stands and the value waits for the next one. "%%" gives
// "%", the escape for the font's colour codes ("%%777" prints "%777").
std::string FormatDataText(std::string_view format, std::initializer_list<CTextArg> args = {});
