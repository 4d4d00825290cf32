// A child's face: the digit pairs of his parents' DNA, now and then a new pair; and how a DNA reads.
#include "characters/portrait_dna.h"

#include "characters/culture.h"
#include "foundation/random_generator.h"

#include "foundation/safeguards.h"

namespace {

char DigitAt(const char* text, int at)
{
    for (int i = 0; i < at; ++i)
        if (text == nullptr || text[i] == '\0')
            return '3';
    return text != nullptr && text[at] != '\0' ? text[at] : '3';
}

int DigitValue(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

} // namespace

void CPortraitDNA::MergeDNA(char* out, const char* first, const char* second, int seed)
{
    CRandomGenerator draws(static_cast<uint32_t>(seed));
    for (int pair = 0; pair < kPortraitLayers; ++pair) {
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
    out[2 * kPortraitLayers] = '\0';
}

void CPortraitDNA::CompleteDNA(const char* dna, char (&out)[15])
{
    bool ended = dna == nullptr;
    for (int at = 0; at < 2 * kPortraitLayers; ++at) {
        ended = ended || dna[at] == '\0';
        out[at] = ended ? kDefaultDNA[at] : dna[at];
    }
    out[2 * kPortraitLayers] = '\0';
}

int CPortraitDNA::GetPair(const char (&complete)[15], int layer)
{
    if (layer < 0 || layer >= kPortraitLayers)
        return 0;
    return DigitValue(complete[2 * layer]) * 10 + DigitValue(complete[2 * layer + 1]);
}

int CPortraitDNA::SelectFrame(int pair, int frames)
{
    if (frames < 1)
        return -1;
    return pair < frames ? pair : pair % frames;
}

int CPortraitDNA::ChooseSet(int gender, int culture)
{
    return (gender == 1 ? 1 : 0) + (CRZCulture::IsDark(culture) ? 2 : 0);
}
