// The country-tag registry: numbering, tags both ways, names, colours and flag palettes, and the reading
// of "db\country.csv".
#include "realms/country_db.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "characters/culture.h"
#include "datalang/parser.h"
#include "foundation/excel_parse.h"
#include "foundation/fatal_error.h"
#include "foundation/logs.h"
#include "foundation/utilities.h"
#include "platform/win/win32.h"
#include "realms/country_tags.h"
#include "realms/province.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

CCountryDB DBCountries[kCountryTableSlots];

namespace {

const char* const kCountryTable = "db\\country.csv";
const char* const kNoCountryTag = "----";
const char* const kNobodyTag = "NONE";
constexpr int32_t kNobody = 1401;
constexpr int kCountyColors = 23;
// Entries 0 and 1 of a flag keep the base colours; the bottom palette fills up to 141, the top the rest.
constexpr int kFlagBottomFirst = 2;
constexpr int kFlagTopFirst = 142;

const char* const kColorNames[] = { "Black", "Green", "Orange", "LightBlue", "LightGray", "LightBrown",
    "DarkYellow", "Yellow", "DarkGray", "LightYellow", "Gray", "DarkGreen", "Blue", "LightRed", "White",
    "DarkBrown", "Red", "LightGreen", "LightOrange", "Brown", "DarkBlue", "DarkRed", "DarkOrange" };
constexpr int kUnknownColor = 18;

bool IsCountry(int id)
{
    return id >= 0 && id < static_cast<int>(kCountryTableSlots);
}

void CopyEntries(CPalette& to, const CPalette& from, int first, int count)
{
    const std::size_t words = static_cast<std::size_t>(count) * sizeof(std::uint32_t);
    std::memcpy(
        to._Colors[first], from._Colors[first], static_cast<std::size_t>(count) * sizeof to._Colors[0]);
    std::memcpy(&to._Normal16[first], &from._Normal16[first], words);
    std::memcpy(&to._Half16[first], &from._Half16[first], words);
    std::memcpy(&to._Bright16[first], &from._Bright16[first], words);
}

void ResetRecords()
{
    static const CPalette empty;
    for (CCountryDB& record : DBCountries) {
        CopyString(record.tag, kNoCountryTag);
        record.name[0] = '\0';
        record.number = 0;
        record.color = 0;
        record.nationality = 0;
        CopyEntries(record.flagPalette, empty, 0, 256);
    }
}

// The reading of the table's rows; false on a row that must stop start-up, reported with its line.
class CCountryTableReader {
public:
    bool ReadRows(bool named[])
    {
        CExcelParse table(kCountryTable);
        CPalette::FindPalette("t-infantry c-min.bmp");
        table.skip_rows(1);
        for (int line = 2;; ++line) {
            char fields[kFields][256] = {};
            bool atEnd = false;
            int count = 0;
            while (count < kFields && !atEnd) {
                atEnd = !table.parse_string(fields[count], sizeof fields[count]);
                ++count;
                if (table.EndedRow())
                    break;
            }
            if (atEnd && count == 1 && fields[0][0] == '\0')
                return MissingEnd(line);
            if (stricmp(fields[0], "END") == 0)
                return true;
            // Cells past the fifth are not ours.
            if (!table.EndedRow())
                table.skip_rows(1);
            if (!ReadRow(fields, line, named))
                return false;
            if (atEnd)
                return MissingEnd(line);
        }
    }

private:
    static constexpr int kFields = 5;

    // The rows read so far stand.
    static bool MissingEnd(int line)
    {
        std::fprintf(stderr, "%s: no END row; read to the end of the file at line %d\n", kCountryTable, line);
        return true;
    }

    static bool Refuse(int line, const char* what, const char* text)
    {
        std::fprintf(stderr, "Error in DB: %s line %d: %s \"%.64s\"\n", kCountryTable, line, what, text);
        return false;
    }

    static bool ReadRow(char (&fields)[kFields][256], int line, bool named[])
    {
        const CRZCountryID id = CCountryDB::TagToID(fields[0]);
        if (id == 0)
            return Refuse(line, "unknown tag", fields[0]);
        const int culture = CRZCulture::Which(fields[2]);
        if (culture == 0)
            return Refuse(line, "unknown culture", fields[2]);
        CCountryDB& record = DBCountries[id];
        CopyString(record.name, TextStrings.GetString(record.tag));
        record.color = CCountryDB::GetColor(fields[1]);
        record.nationality = culture;
        try {
            record.SetPalette(fields[3], fields[4]);
        } catch (int) {
            return Refuse(line, GetAssertMessage(), fields[0]);
        }
        named[id] = true;
        return true;
    }
};

} // namespace

CCountryDB::CCountryDB()
    : CCountryDB(kNoCountryTag, 0)
{
}

CCountryDB::CCountryDB(const char* newTag, CRZCountryID newNumber)
    : tag {}
    , name {}
    , number(newNumber)
    , color(0)
    , nationality(0)
{
    CopyString(tag, newTag ? newTag : "");
}

CCountryDB& CCountryDB::operator=(const CCountryDB& other)
{
    if (this != &other) {
        CopyString(tag, other.tag);
        number = other.number;
    }
    return *this;
}

bool CCountryDB::Init()
{
    // Built from nothing each time, so a record no row names is plain whatever came before.
    ResetRecords();
    const char* countyOf = TextStrings.GetString("COUNTY_OF");
    char key[32];
    for (CRZCountryID id = kFirstCounty; id <= kLastCounty; ++id) {
        CCountryDB& record = DBCountries[id];
        std::snprintf(record.tag, sizeof record.tag, "C%03d", id);
        std::snprintf(key, sizeof key, "PROV%d", id);
        std::snprintf(record.name, sizeof record.name, "%s %s", countyOf, TextStrings.GetString(key));
        record.number = id;
        record.color = (id - 1) % kCountyColors;
    }
    DBCountries[0] = CCountryDB(kNoCountryTag, 0);
    DBCountries[kNobody] = CCountryDB(kNobodyTag, kNobody);
    for (int i = 0; i < kBuiltInCountryTagCount; ++i)
        DBCountries[kFirstBuiltInCountry + i] = CCountryDB(kBuiltInCountryTags[i], kFirstBuiltInCountry + i);
    CRZParser::_pTagToID = TagToID;

    bool named[kCountryTableSlots + 1] = {};
    bool read = false;
    try {
        for (CRZCountryID id = kFirstCounty; id <= kLastCounty; ++id)
            DBCountries[id].SetPalette("purple_regular", "gold_regular");
        read = CCountryTableReader().ReadRows(named);
    } catch (int) {
        std::fprintf(stderr, "Error in DB: %s: %s\n", kCountryTable, GetAssertMessage());
    }
    if (!read) {
        ResetRecords();
        CRZParser::_pTagToID = nullptr;
        return false;
    }
    for (CRZCountryID id = 0; id < static_cast<CRZCountryID>(kCountryTableSlots); ++id) {
        if (!named[id])
            mydebug("Missing %s in country.csv\r\n", DBCountries[id].tag);
        if (std::strcmp(IDToSimpleName(id), kUnknownString) == 0)
            mydebug("Missing name for %s\r\n", DBCountries[id].tag);
    }
    return true;
}

void CCountryDB::SetNationality()
{
    for (CRZCountryID id = kFirstCounty; id <= kLastCounty; ++id)
        if (const CProvince* province = CProvince::GetProvince(id))
            DBCountries[id].nationality = province->culture;
}

CRZCountryID CCountryDB::TagToID(const char* text)
{
    if (text == nullptr)
        return 0;
    for (const CCountryDB& record : DBCountries)
        if (stricmp(record.tag, text) == 0)
            return record.number;
    return 0;
}

const char* CCountryDB::IDToTag(CRZCountryID id)
{
    for (const CCountryDB& record : DBCountries)
        if (record.number == id)
            return record.tag;
    return kNobodyTag;
}

const char* CCountryDB::IDToName(int id)
{
    return IsCountry(id) ? DBCountries[id].name : "";
}

const char* CCountryDB::IDToSimpleName(CRZCountryID id)
{
    if (id < kFirstCounty || id > kLastCounty)
        return IDToName(id);
    char key[32];
    std::snprintf(key, sizeof key, "PROV%d", id);
    return TextStrings.GetString(key);
}

int CCountryDB::GetColor(const char* colorName)
{
    if (colorName != nullptr)
        for (int color = 0; color < static_cast<int>(std::size(kColorNames)); ++color)
            if (stricmp(kColorNames[color], colorName) == 0)
                return color;
    return kUnknownColor;
}

void CCountryDB::SetPalette(const char* top, const char* bottom)
{
    CPalette* base = CPalette::FindPalette("flag_top_green_regular.bmp");
    base->Calc16BitPalette();
    char file[300];
    std::snprintf(file, sizeof file, "flag_top_%s.bmp", top ? top : "");
    const CPalette* topPalette = CPalette::FindPalette(file);
    std::snprintf(file, sizeof file, "flag_bottom_%s.bmp", bottom ? bottom : "");
    const CPalette* bottomPalette = CPalette::FindPalette(file);
    CopyEntries(flagPalette, *base, 0, 256);
    CopyEntries(flagPalette, *bottomPalette, kFlagBottomFirst, kFlagTopFirst - kFlagBottomFirst);
    CopyEntries(flagPalette, *topPalette, kFlagTopFirst, 256 - kFlagTopFirst);
}
