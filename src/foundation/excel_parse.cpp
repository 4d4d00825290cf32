// The semicolon-table reader: typed field readers and row skipping over a CFile.
#include "foundation/excel_parse.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "foundation/safeguards.h"

namespace {
constexpr char kSeparator = ';';
constexpr char kRowEnd = '\r';
constexpr char kDropped = '\n';
} // namespace

CExcelParse::CExcelParse(const char* name)
    : file(name)
{
    // The opening's failure is cleared here; the table then reads as empty.
    opened = !file.ErrorFlag();
    if (!opened)
        std::fprintf(stderr, "Cannot open table %s\n", name ? name : "");
}

bool CExcelParse::NextChar(bool quiet, char* c)
{
    return opened && file.Read(c, 1, quiet);
}

bool CExcelParse::parse_string(char* out, int size)
{
    int stored = 0;
    bool cut = false;
    char c = 0;
    bool ended = false;
    for (;;) {
        if (!NextChar(false, &c))
            break;
        if (c == kSeparator || c == kRowEnd) {
            ended = true;
            break;
        }
        if (c == kDropped)
            continue;
        if (stored < size - 1)
            out[stored++] = c;
        else
            cut = true;
    }
    if (size > 0)
        out[stored] = '\0';
    rowEnded = !ended || c == kRowEnd;
    lastCut = cut;
    if (cut && !cutReported) {
        cutReported = true;
        char* name = file.GetRealFileName();
        std::fprintf(stderr, "A field of table %s was cut to %d bytes\n", name ? name : "", size - 1);
        delete[] name;
    }
    return ended;
}

bool CExcelParse::parse_int(int* out)
{
    char buffer[kNumberFieldSize];
    if (!parse_string(buffer, sizeof buffer))
        return false;
    long value = std::strtol(buffer, nullptr, 10);
    if (value > INT_MAX)
        value = INT_MAX;
    else if (value < INT_MIN)
        value = INT_MIN;
    *out = static_cast<int>(value);
    return true;
}

template <class Number> bool CExcelParse::ParseFloatInto(Number* out)
{
    char buffer[kNumberFieldSize];
    if (!parse_string(buffer, sizeof buffer))
        return false;
    float value;
    if (std::sscanf(buffer, "%f", &value) == 1)
        *out = value;
    return true;
}

bool CExcelParse::parse_float(float* out)
{
    return ParseFloatInto(out);
}

bool CExcelParse::parse_double(double* out)
{
    return ParseFloatInto(out);
}

bool CExcelParse::SkipEnds(int n, bool fields)
{
    char c;
    for (int i = 0; i < n; ++i) {
        do {
            // Field skipping reads with error reporting, row skipping quietly.
            if (!NextChar(!fields, &c))
                return false;
        } while (c != kRowEnd && !(fields && c == kSeparator));
    }
    return true;
}

bool CExcelParse::skip_entries(int n)
{
    return SkipEnds(n, true);
}

bool CExcelParse::skip_rows(int n)
{
    return SkipEnds(n, false);
}

int CExcelParse::CountRows()
{
    Reset();
    int rows = 0;
    while (skip_rows(1))
        ++rows;
    Reset();
    return rows;
}

void CExcelParse::Reset()
{
    if (opened)
        file.Reset();
}
