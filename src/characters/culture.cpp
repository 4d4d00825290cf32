// Cultures and religions: lookups by number, tag and keyword.
#include "characters/culture.h"

#include "characters/culture_table.h"
#include "platform/win/win32.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

inline constexpr CRZTokenType KW_NONE = static_cast<CRZTokenType>(86);
inline constexpr CRZTokenType KW_CATHOLIC = static_cast<CRZTokenType>(313);
inline constexpr CRZTokenType KW_ORTHODOX = static_cast<CRZTokenType>(314);
inline constexpr CRZTokenType KW_MUSLIM = static_cast<CRZTokenType>(315);
inline constexpr CRZTokenType KW_MOSLEM = static_cast<CRZTokenType>(316);
inline constexpr CRZTokenType KW_PAGAN = static_cast<CRZTokenType>(319);
inline constexpr CRZTokenType KW_JEWISH = static_cast<CRZTokenType>(320);

struct CReligionRow {
    CRZTokenType token;
    const char* word;
    const char* nameKey;
};

// Religions 0 to 4; the other spelling of muslim is read, never written.
const CReligionRow kReligions[] = {
    { KW_CATHOLIC, "catholic", "CATHOLIC" },
    { KW_ORTHODOX, "orthodox", "ORTHODOX" },
    { KW_MUSLIM, "muslim", "MOSLEM" },
    { KW_JEWISH, "jewish", "JEWISH" },
    { KW_PAGAN, "pagan", "PAGAN" },
};
const char* const kMoslem = "moslem";

const CCultureRow& Row(int culture)
{
    return kCultureTable[culture >= 0 && culture < kCultureCount ? culture : 0];
}

} // namespace

const char* CRZCulture::GetTag(int culture)
{
    return Row(culture).tag;
}

const char* CRZCulture::GetName(int culture)
{
    return TextStrings.GetString(Row(culture).nameKey);
}

RZCultureType CRZCulture::Which(const char* text)
{
    if (text == nullptr)
        return CULTURE_NONE;
    for (int culture = 0; culture < kCultureCount; ++culture)
        if (stricmp(kCultureTable[culture].tag, text) == 0)
            return static_cast<RZCultureType>(culture);
    return CULTURE_NONE;
}

bool CRZCulture::IsDark(int culture)
{
    return culture >= 29 && culture <= 36;
}

RZCultureType CRZCulture::MapUnitCulture(int culture)
{
    return static_cast<RZCultureType>(Row(culture).unitCulture);
}

const char* CRZCulture::GetRZ2Tag(int culture)
{
    return Row(culture).rz2Tag;
}

RZCultureType CRZCulture::MapRZ2Culture(int culture)
{
    return static_cast<RZCultureType>(
        culture >= 0 && culture < kCultureCount ? kCultureTable[culture].rz2Culture : culture);
}

RZReligionType CRZCulture::GetDefaultReligion(int culture)
{
    return Row(culture).defaultReligion;
}

CRZTokenType CRZReligion::GetToken(int religion)
{
    return religion >= RELIGION_CATHOLIC && religion <= RELIGION_PAGAN ? kReligions[religion].token : KW_NONE;
}

RZReligionType CRZReligion::FindType(int token)
{
    if (token == KW_MOSLEM)
        return RELIGION_MUSLIM;
    for (int religion = RELIGION_CATHOLIC; religion <= RELIGION_PAGAN; ++religion)
        if (kReligions[religion].token == token)
            return static_cast<RZReligionType>(religion);
    return RELIGION_NONE;
}

RZReligionType CRZReligion::Which(const char* text)
{
    if (text == nullptr)
        return RELIGION_NONE;
    if (stricmp(text, kMoslem) == 0)
        return RELIGION_MUSLIM;
    for (int religion = RELIGION_CATHOLIC; religion <= RELIGION_PAGAN; ++religion)
        if (stricmp(kReligions[religion].word, text) == 0)
            return static_cast<RZReligionType>(religion);
    return RELIGION_NONE;
}

const char* CRZReligion::GetName(int religion)
{
    const bool named = religion >= RELIGION_CATHOLIC && religion <= RELIGION_JEWISH;
    return TextStrings.GetString(named ? kReligions[religion].nameKey : "PAGAN");
}
