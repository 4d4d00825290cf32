// A child's face: the digit pairs of his parents' DNA, now and then a new pair.
#include "characters/portrait_dna.h"

#include "foundation/random_generator.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kPairs = 7;

char DigitAt(const char* text, int at)
{
    for (int i = 0; i < at; ++i)
        if (text == nullptr || text[i] == '\0')
            return '3';
    return text != nullptr && text[at] != '\0' ? text[at] : '3';
}

} // namespace

void MergeDNA(char* out, const char* first, const char* second, int seed)
{
    CRandomGenerator draws(static_cast<uint32_t>(seed));
    for (int pair = 0; pair < kPairs; ++pair) {
        const int r = draws.Next() % 100;
        for (int digit = 0; digit < 2; ++digit) {
            const int at = 2 * pair + digit;
            if (r < 48)
                out[at] = DigitAt(second, at);
            else if (r > 95)
                out[at] = static_cast<char>('0' + draws.Next() % 10);
            else
                out[at] = DigitAt(first, at);
        }
    }
    out[2 * kPairs] = '\0';
}
