// Cultures and religions: lookups by tag, word and keyword, the mappings and names.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "characters/culture.h"
#include "datalang/lexer.h"
#include "platform/win/win32.h"
#include "text/new_text.h"

namespace {

// The keyword id of a word, 0 when it is none.
int KeywordOf(const char* word)
{
    for (int id = TT_FIRST_KEYWORD; id <= TT_LAST_KEYWORD; ++id)
        if (const char* text = CLexer::GetString(id); text && stricmp(text, word) == 0)
            return id;
    return 0;
}

} // namespace

TEST(Culture, WhichFindsTagsWhateverTheirCase)
{
    const std::pair<const char*, int> cases[] = {
        { "NORSE", 46 },
        { "norse", 46 },
        { "Templar_Knight", 47 },
        { "none", 0 },
        { "lappish", 1 },
        { "hospitaler_knights", 49 },
        { "vikings", 0 },
        { "", 0 },
        { "norse ", 0 },
    };
    for (const auto& [text, culture] : cases)
        EXPECT_EQ(CRZCulture::Which(text), culture) << text;
    EXPECT_EQ(CRZCulture::Which(nullptr), 0);
    // Every tag leads back to its own culture.
    for (int culture = 0; culture < kCultureCount; ++culture)
        EXPECT_EQ(CRZCulture::Which(CRZCulture::GetTag(culture)), culture) << culture;
}

TEST(Culture, Mappings)
{
    struct Case {
        int culture;
        int unit;
        const char* rz2Tag;
        int rz2;
        int religion;
        bool dark;
    };
    const Case cases[] = {
        { 0, 0, "none", 0, RELIGION_PAGAN, false },
        { 9, 16, "anglosaxon", 9, RELIGION_CATHOLIC, false },
        { 24, 42, "slavonic", 24, RELIGION_ORTHODOX, false },
        { 28, 40, "armenian", 28, RELIGION_ORTHODOX, false },
        { 29, 33, "turkish", 33, RELIGION_MUSLIM, true },
        { 36, 36, "mongol", 36, RELIGION_PAGAN, true },
        { 37, 41, "polish", 37, RELIGION_CATHOLIC, false },
        { 46, 46, "scandinavian", 46, RELIGION_PAGAN, false },
        // The knightly orders are their own troops, catholic, and export as italian or german.
        { 47, 47, "italian", 21, RELIGION_CATHOLIC, false },
        { 48, 48, "german", 14, RELIGION_CATHOLIC, false },
        { 49, 49, "italian", 21, RELIGION_CATHOLIC, false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CRZCulture::MapUnitCulture(c.culture), c.unit) << c.culture;
        EXPECT_STREQ(CRZCulture::GetRZ2Tag(c.culture), c.rz2Tag) << c.culture;
        EXPECT_EQ(CRZCulture::MapRZ2Culture(c.culture), c.rz2) << c.culture;
        EXPECT_EQ(CRZCulture::GetDefaultReligion(c.culture), c.religion) << c.culture;
        EXPECT_EQ(CRZCulture::IsDark(c.culture), c.dark) << c.culture;
    }
    // Numbers outside the table read as none, but export as given.
    EXPECT_EQ(CRZCulture::MapRZ2Culture(50), 50);
    EXPECT_EQ(CRZCulture::MapRZ2Culture(-3), -3);
    EXPECT_STREQ(CRZCulture::GetTag(50), "none");
    EXPECT_EQ(CRZCulture::MapUnitCulture(-1), 0);
    EXPECT_EQ(CRZCulture::GetDefaultReligion(1000), RELIGION_PAGAN);
}

TEST(Religion, KeywordsAndWords)
{
    const std::pair<const char*, int> words[] = {
        { "catholic", RELIGION_CATHOLIC },
        { "ORTHODOX", RELIGION_ORTHODOX },
        { "moslem", RELIGION_MUSLIM },
        { "Muslim", RELIGION_MUSLIM },
        { "jewish", RELIGION_JEWISH },
        { "pagan", RELIGION_PAGAN },
        { "none", RELIGION_NONE },
        { "sunni", RELIGION_NONE },
        { "gold", RELIGION_NONE },
    };
    for (const auto& [word, religion] : words) {
        EXPECT_EQ(CRZReligion::Which(word), religion) << word;
        // The keyword of the same word reads the same.
        EXPECT_EQ(CRZReligion::FindType(KeywordOf(word)), religion) << word;
    }
    EXPECT_EQ(CRZReligion::Which(nullptr), RELIGION_NONE);
    // Read as moslem, written as muslim.
    EXPECT_STREQ(CLexer::GetString(CRZReligion::GetToken(CRZReligion::Which("moslem"))), "muslim");
    const char* const written[] = { "catholic", "orthodox", "muslim", "jewish", "pagan", "none", "none" };
    for (int religion = 0; religion <= 6; ++religion)
        EXPECT_STREQ(CLexer::GetString(CRZReligion::GetToken(religion)), written[religion]) << religion;
    EXPECT_STREQ(CLexer::GetString(CRZReligion::GetToken(-1)), "none");
}

TEST(Religion, NamesAndCultureNamesComeFromTheTextDatabase)
{
    TextStrings.Add("MOSLEM", const_cast<char*>("Islam"));
    TextStrings.Add("PAGAN", const_cast<char*>("Heathen"));
    TextStrings.Add("CULTURE_NORSE", const_cast<char*>("Norse"));
    EXPECT_STREQ(CRZReligion::GetName(RELIGION_MUSLIM), "Islam");
    EXPECT_STREQ(CRZReligion::GetName(RELIGION_PAGAN), "Heathen");
    EXPECT_STREQ(CRZReligion::GetName(RELIGION_NONE), "Heathen");
    EXPECT_STREQ(CRZReligion::GetName(-2), "Heathen");
    EXPECT_STREQ(CRZCulture::GetName(46), "Norse");
    EXPECT_STREQ(CRZCulture::GetName(45), kUnknownString);
}
