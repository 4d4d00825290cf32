// Names built from syllables: a culture's speech family gives the beginnings, vowels, endings of syllables
// and the endings that mark a man's, a woman's or a family's name.
#include "character_names.h"

#include <cstring>
#include <iterator>
#include <vector>

#include "characters/culture_table.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

struct Speech {
    std::vector<const char*> onsets, vowels, codas, male, female, family;
};

// One speech per family of cultures, by the export tag of the culture table.
const Speech& SpeechOf(int culture)
{
    static const Speech kNorth { { "b", "d", "g", "h", "k", "r", "s", "t", "th", "v", "sv", "bj", "hr",
                                     "st" },
        { "a", "e", "i", "o", "u", "ei", "au", "y" }, { "", "", "r", "n", "l", "rn", "lf", "g", "k" },
        { "ar", "ulf", "mund", "bjorn", "ald", "" }, { "a", "dis", "hild", "ny", "run" },
        { "sson", "ing", "heim", "dal" } };
    static const Speech kGael { { "b", "c", "d", "f", "g", "l", "m", "n", "r", "s", "br", "cl", "fi" },
        { "a", "e", "i", "o", "ai", "ea", "ua" }, { "", "n", "ch", "dh", "r", "ll", "gh" },
        { "an", "ach", "ir", "dan", "" }, { "a", "ith", "ne", "enn" }, { "ach", "ain", "agh", "ery" } };
    static const Speech kGerman { { "b", "d", "f", "g", "h", "k", "l", "r", "s", "w", "br", "fr", "gr",
                                      "sch" },
        { "a", "e", "i", "o", "u", "ie", "ei" }, { "", "l", "n", "r", "rt", "lf", "nd", "ch" },
        { "bert", "rich", "mar", "wig", "olf", "" }, { "a", "gund", "trud", "hild", "lind" },
        { "burg", "stein", "feld", "au", "ingen" } };
    static const Speech kRomance { { "b", "c", "d", "g", "l", "m", "p", "r", "s", "t", "v", "gu", "fl",
                                       "pr" },
        { "a", "e", "i", "o", "u", "ia", "io" }, { "", "", "l", "n", "r", "s" },
        { "o", "ert", "ald", "ain", "ez", "" }, { "a", "ine", "ette", "ia", "elle" },
        { "ville", "ez", "oni", "ard", "eau" } };
    static const Speech kSlav { { "b", "d", "g", "k", "l", "m", "n", "r", "s", "v", "z", "br", "pr", "st",
                                    "vl" },
        { "a", "e", "i", "o", "u", "ia", "y" }, { "", "", "d", "m", "n", "r", "sl", "sz" },
        { "slav", "mir", "gost", "dan", "ek" }, { "a", "ava", "mila", "ena", "ka" },
        { "ovic", "ski", "in", "ov", "ak" } };
    static const Speech kFinn { { "h", "k", "l", "m", "p", "s", "t", "v", "j", "gy", "cs" },
        { "a", "e", "i", "o", "u", "aa", "ae", "y" }, { "", "", "l", "n", "s", "t", "k" },
        { "o", "mo", "kka", "las", "or" }, { "a", "ke", "ja", "ka", "la" },
        { "nen", "la", "fi", "y", "vari" } };
    static const Speech kGreek { { "d", "k", "l", "m", "n", "p", "t", "th", "ph", "ch", "st", "kr", "g",
                                     "v" },
        { "a", "e", "i", "o", "y", "ai", "eo", "ou" }, { "", "", "n", "s", "r", "l" },
        { "os", "ios", "as", "ikos", "an" }, { "a", "ia", "ene", "issa", "ou" },
        { "ides", "enos", "atzes", "akes", "ian" } };
    static const Speech kTurk { { "b", "d", "k", "q", "m", "s", "t", "y", "ch", "sh", "j", "g", "er" },
        { "a", "e", "i", "o", "u", "ai", "ei" }, { "", "n", "r", "l", "t", "k", "z", "lan" },
        { "khan", "tai", "bek", "ar", "ur" }, { "a", "ai", "gul", "in", "ei" },
        { "oglu", "id", "uk", "ay", "ar" } };
    static const Speech kArab { { "b", "d", "f", "h", "j", "k", "m", "n", "r", "s", "t", "z", "kh", "sh",
                                    "q" },
        { "a", "i", "u", "aa", "ai", "ay" }, { "", "", "d", "m", "n", "r", "l", "f" },
        { "ad", "im", "an", "ud", "ir", "" }, { "a", "ah", "iya", "ira", "ima" },
        { "id", "ami", "awi", "ari", "abi" } };
    static const struct {
        const char* tag;
        const Speech* speech;
    } kFamilies[] = {
        { "scandinavian", &kNorth },
        { "gaelic", &kGael },
        { "german", &kGerman },
        { "dutch", &kGerman },
        { "anglosaxon", &kGerman },
        { "french", &kRomance },
        { "iberian", &kRomance },
        { "italian", &kRomance },
        { "basque", &kRomance },
        { "slavonic", &kSlav },
        { "russian", &kSlav },
        { "polish", &kSlav },
        { "czech", &kSlav },
        { "lithuanian", &kSlav },
        { "baltic", &kSlav },
        { "ugric", &kFinn },
        { "magyar", &kFinn },
        { "greek", &kGreek },
        { "georgian", &kGreek },
        { "armenian", &kGreek },
        { "turkish", &kTurk },
        { "mongol", &kTurk },
        { "arabic", &kArab },
        { "persian", &kArab },
    };
    const char* tag = culture >= 0 && culture < kCultureCount ? kCultureTable[culture].rz2Tag : "";
    for (const auto& family : kFamilies)
        if (std::strncmp(tag, family.tag, std::strlen(family.tag)) == 0)
            return *family.speech;
    if (std::strncmp(tag, "ruthen", 6) == 0)
        return kSlav;
    return kRomance;
}

const char* Pick(Random& random, const std::vector<const char*>& list)
{
    return list[static_cast<std::size_t>(random.Range(0, static_cast<int>(list.size()) - 1))];
}

std::string Syllables(Random& random, const Speech& speech, int count)
{
    std::string word;
    for (int i = 0; i < count; ++i) {
        word += Pick(random, speech.onsets);
        word += Pick(random, speech.vowels);
        if (i + 1 < count)
            word += Pick(random, speech.codas);
    }
    return word;
}

std::string Capitalised(std::string word)
{
    if (!word.empty() && word[0] >= 'a' && word[0] <= 'z')
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

} // namespace

std::string GivenName(Random& random, int culture, int gender)
{
    const Speech& speech = SpeechOf(culture);
    std::string stem = Syllables(random, speech, random.Range(1, 2));
    return Capitalised(stem + Pick(random, gender == 0 ? speech.male : speech.female));
}

std::string FamilyName(Random& random, int culture)
{
    const Speech& speech = SpeechOf(culture);
    return Capitalised(Syllables(random, speech, random.Range(1, 2)) + Pick(random, speech.family));
}

void WriteCharacterNames(const Context& context)
{
    Random random = context.RandomFor("db\\character_names.csv");
    std::string out = "#culture;gender;name;\r\n";
    // Culture 0 is none: nobody is born into it.
    for (int culture = 1; culture < kCultureCount; ++culture)
        for (int gender = 0; gender < 2; ++gender)
            for (int i = 0; i < 40; ++i)
                out += std::string(kCultureTable[culture].tag) + ";" + (gender == 0 ? "male" : "female") + ";"
                    + GivenName(random, culture, gender) + ";\r\n";
    WriteDataFile(context, "db\\character_names.csv", out);
}

} // namespace datagen
