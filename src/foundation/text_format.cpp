// The filling of data texts used as formats: each specifier is parsed here and only a rebuilt, known-safe
// specifier with the matching value reaches snprintf.
#include "foundation/text_format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "foundation/safeguards.h"

// The formats handed to snprintf here are rebuilt from a checked specifier (flags, width, precision and a
// conversion matched to the value's kind), never taken from the text: the compiler cannot see that.
#pragma GCC diagnostic ignored "-Wformat-nonliteral"

namespace {

constexpr int kLargestField = 99;

bool IsIntegerConversion(char c)
{
    return std::strchr("diuxXoc", c) != nullptr && c != '\0';
}

bool IsDecimalConversion(char c)
{
    return std::strchr("fFeEgG", c) != nullptr && c != '\0';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads up to three digits; false when the number has more than two (a field that size is a mistake or
// an unescaped colour code, and is printed as text).
bool ReadField(std::string_view format, std::size_t& at, int& value)
{
    value = 0;
    int digits = 0;
    while (at < format.size() && IsDigit(format[at])) {
        value = value * 10 + (format[at] - '0');
        ++at;
        if (++digits > 2)
            return false;
    }
    return value <= kLargestField;
}

struct CSpecifier {
    std::string flags;
    int width = -1;
    int precision = -1;
    char conversion = '\0';
    std::size_t end = 0; // one past the specifier in the format
};

// Parses the specifier starting at the '%' at start; false when it is none the formatter fills.
bool ParseSpecifier(std::string_view format, std::size_t start, CSpecifier& spec)
{
    std::size_t at = start + 1;
    while (at < format.size() && std::strchr("-+ #0", format[at]) != nullptr && format[at] != '\0') {
        if (spec.flags.size() < 5)
            spec.flags += format[at];
        ++at;
    }
    if (at < format.size() && IsDigit(format[at])) {
        if (!ReadField(format, at, spec.width))
            return false;
    }
    if (at < format.size() && format[at] == '.') {
        ++at;
        if (!ReadField(format, at, spec.precision))
            return false;
    }
    // Length modifiers are read and dropped: the value's own kind decides the width of what is printed.
    while (at < format.size() && (format[at] == 'h' || format[at] == 'l' || format[at] == 'L'))
        ++at;
    if (at >= format.size())
        return false;
    spec.conversion = format[at];
    spec.end = at + 1;
    return true;
}

bool Suits(const CSpecifier& spec, const CTextArg& arg)
{
    switch (arg.kind) {
    case CTextArg::Kind::Integer:
        return IsIntegerConversion(spec.conversion);
    case CTextArg::Kind::Decimal:
        return IsDecimalConversion(spec.conversion);
    case CTextArg::Kind::Text:
        return spec.conversion == 's';
    }
    return false;
}

void Fill(std::string& out, CSpecifier spec, const CTextArg& arg)
{
    // Flags and precisions printf leaves undefined for a conversion are dropped.
    const auto drop = [&spec](char flag) { std::erase(spec.flags, flag); };
    if (spec.conversion == 'd' || spec.conversion == 'i' || spec.conversion == 'c')
        drop('#');
    if (spec.conversion == 'c') {
        drop('0');
        spec.precision = -1;
    }
    std::string safe = "%" + spec.flags;
    if (spec.width >= 0)
        safe += std::to_string(spec.width);
    if (spec.precision >= 0)
        safe += "." + std::to_string(spec.precision);
    char buffer[512];
    int length = 0;
    switch (arg.kind) {
    case CTextArg::Kind::Integer:
        if (spec.conversion == 'c') {
            safe += 'c';
            length = std::snprintf(buffer, sizeof buffer, safe.c_str(),
                static_cast<int>(static_cast<unsigned char>(arg.integer)));
        } else {
            safe += "ll";
            safe += spec.conversion;
            if (spec.conversion == 'd' || spec.conversion == 'i')
                length = std::snprintf(buffer, sizeof buffer, safe.c_str(), arg.integer);
            else
                length = std::snprintf(
                    buffer, sizeof buffer, safe.c_str(), static_cast<unsigned long long>(arg.integer));
        }
        break;
    case CTextArg::Kind::Decimal:
        safe += spec.conversion;
        length = std::snprintf(buffer, sizeof buffer, safe.c_str(), arg.decimal);
        break;
    case CTextArg::Kind::Text: {
        // Texts may be longer than any buffer: pad and cut them here.
        std::string_view text = arg.text;
        if (spec.precision >= 0 && text.size() > static_cast<std::size_t>(spec.precision))
            text = text.substr(0, static_cast<std::size_t>(spec.precision));
        const std::size_t pad = spec.width > 0 && text.size() < static_cast<std::size_t>(spec.width)
            ? static_cast<std::size_t>(spec.width) - text.size()
            : 0;
        const bool left = spec.flags.find('-') != std::string::npos;
        if (!left)
            out.append(pad, ' ');
        out.append(text);
        if (left)
            out.append(pad, ' ');
        return;
    }
    }
    if (length > 0)
        out.append(buffer, std::min(static_cast<std::size_t>(length), sizeof buffer - 1));
}

} // namespace

std::string FormatDataText(std::string_view format, std::initializer_list<CTextArg> args)
{
    std::string out;
    out.reserve(format.size() + 16);
    const CTextArg* next = args.begin();
    std::size_t at = 0;
    while (at < format.size()) {
        const std::size_t percent = format.find('%', at);
        if (percent == std::string_view::npos) {
            out.append(format.substr(at));
            break;
        }
        out.append(format.substr(at, percent - at));
        if (percent + 1 < format.size() && format[percent + 1] == '%') {
            out += '%';
            at = percent + 2;
            continue;
        }
        CSpecifier spec;
        if (next != args.end() && ParseSpecifier(format, percent, spec) && Suits(spec, *next)) {
            Fill(out, spec, *next);
            ++next;
            at = spec.end;
            continue;
        }
        // Not one to fill: the '%' is printed and what follows it is read again as plain text.
        out += '%';
        at = percent + 1;
    }
    return out;
}
