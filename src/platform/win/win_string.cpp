// The case-insensitive comparison the game uses for names and keys.
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

namespace {

// Folds A..Z only; other values, negative ones included, stay as they are (the C library's tolower
// in the C locale, without its undefined behaviour for negative arguments).
int FoldAscii(int c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

} // namespace

int stricmp(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        if (*a == '\0')
            return *b == '\0' ? 0 : -1;
        if (*b == '\0')
            return 1;
        int ca = FoldAscii(static_cast<signed char>(*a));
        int cb = FoldAscii(static_cast<signed char>(*b));
        if (ca != cb)
            return ca > cb ? 1 : -1;
    }
}
