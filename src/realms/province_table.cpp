// Reading the provinces' fixed facts: their rows of "db\province.csv", the straits and the spread neighbours.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "characters/culture.h"
#include "foundation/excel_parse.h"
#include "foundation/logs.h"
#include "realms/country_tags.h"
#include "realms/province.h"
#include "realms/terrain.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kProvinceColumns = 35;
// Longer than any name, key or number of the table: a longer field is refused with its row.
constexpr int kFieldSize = 256;

// The fields of one row, read whole before any is used, so that a bad row changes nothing.
struct ProvinceRow {
    char text[kProvinceColumns][kFieldSize];
};

enum RowRead { ROW_READ, ROW_SHORT, ROW_CUT, ROW_END };

RowRead ReadRow(CExcelParse& table, ProvinceRow& row)
{
    RowRead result = ROW_READ;
    for (int column = 0; column < kProvinceColumns; ++column) {
        if (!table.parse_string(row.text[column], kFieldSize))
            return column == 0 && row.text[0][0] == '\0' ? ROW_END : ROW_SHORT;
        if (table.WasCut())
            result = ROW_CUT;
        if (table.EndedRow() && column + 1 < kProvinceColumns)
            return ROW_SHORT;
    }
    // The rest of the row, unless the last field was its end.
    if (!table.EndedRow())
        table.skip_rows(1);
    return result;
}

int Int(const char* text)
{
    const long value = std::strtol(text, nullptr, 10);
    return value > 1000000 ? 1000000 : value < -1000000 ? -1000000 : static_cast<int>(value);
}

// A country tag of the table: the built-in tags by their table, county tags "C%03d" by number.
CRZCountryID TagToCountry(const char* tag)
{
    if ((tag[0] == 'C' || tag[0] == 'c') && std::strlen(tag) == 4) {
        char* end = nullptr;
        const long number = std::strtol(tag + 1, &end, 10);
        if (*end == '\0' && number >= 1 && number <= 999)
            return static_cast<CRZCountryID>(number);
    }
    for (int k = 0; k < kBuiltInCountryTagCount; ++k)
        if (strcasecmp(tag, kBuiltInCountryTags[k]) == 0)
            return kFirstBuiltInCountry + k;
    return 0;
}

int gRowLine = 1;

} // namespace

bool CProvince::ReadProvince(int index)
{
    if (!DataBase)
        return false;
    if (index == 0)
        gRowLine = 1;
    static ProvinceRow row;
    const RowRead read = ReadRow(*DataBase, row);
    ++gRowLine;
    if (read == ROW_END)
        return false;
    if (read != ROW_READ) {
        std::fprintf(stderr, "%s line %d: %s, row skipped\n", kTable, gRowLine,
            read == ROW_SHORT ? "too few fields" : "a field too long");
        return true;
    }
    char* end = nullptr;
    const long rowNumber = std::strtol(row.text[0], &end, 10);
    if (end == row.text[0] || rowNumber != index || rowNumber > kLastTableProvince) {
        std::fprintf(stderr, "%s line %d: province %s where %d belongs, row skipped\n", kTable, gRowLine,
            row.text[0], index);
        return true;
    }
    number = static_cast<int32_t>(rowNumber);
    CIdentity::Create(RZTYPE_PROVINCE, static_cast<uint32_t>(number));
    SetName(TextStrings.GetString(row.text[1]));
    region = AddToRegion(row.text[3], this);
    area = AddToArea(row.text[4], this);
    portSeaZone = Int(row.text[5]);
    if (portSeaZone < 0 || portSeaZone > kLastTableProvince)
        portSeaZone = 0;
    terrain = CTerrain::GetTerrain(row.text[6]);
    culture = CRZCulture::Which(row.text[8]);
    float income = 10.0f;
    if (std::sscanf(row.text[9], "%f", &income) == 1)
        baseIncome = income;
    for (int k = 0; k < 5; ++k)
        titleRealms[k] = TagToCountry(row.text[10 + k]);
    // The box comes from the file: its sides are summed wide, so no pair of them overflows.
    const auto middle = [](int32_t a, int32_t b) { return static_cast<int32_t>((int64_t { a } + b) / 2); };
    const CPoint centre(
        middle(boundingBox.left, boundingBox.right), middle(boundingBox.top, boundingBox.bottom));
    auto position = [&](int column, bool bothZero) {
        const CPoint at(Int(row.text[column]), Int(row.text[column + 1]));
        const bool fallBack = bothZero ? at.x == 0 && at.y == 0 : at.x < 1 && at.y < 1;
        return fallBack ? centre : at;
    };
    castle = position(15, true);
    siege = position(17, false);
    siegeCopy = siege;
    harbour = position(19, false);
    works = position(21, false);
    decorations = 0;
    for (int k = 0; k < 4; ++k)
        if (Int(row.text[23 + 3 * k]) >= 1)
            ++decorations;
    InitPort(portSeaZone > 0 ? new CRZPort(portSeaZone) : nullptr);
    if (port && Int(row.text[21]) == 0 && Int(row.text[22]) == 0)
        mydebug("Missing coordinates for port in %d (%s)  Seazone should be in %d\n", number, GetName(),
            portSeaZone);
    return true;
}

void CProvince::InitStraits()
{
    static const int kStraits[][2] = { { 741, 496 }, { 742, 496 }, { 744, 495 } };
    for (const auto& strait : kStraits) {
        CProvince* a = GetProvince(strait[0]);
        CProvince* b = GetProvince(strait[1]);
        if (!a || !b)
            continue;
        a->AddNeighbor({ strait[1], 0, 0 });
        b->AddNeighbor({ strait[0], 0, 0 });
    }
}

void CProvince::ReadSpreadNeighbours(const char* name)
{
    CExcelParse table(name);
    int line = 0;
    for (;;) {
        int a = 0, b = 0;
        if (!table.parse_int(&a))
            break;
        ++line;
        if (table.EndedRow() || !table.parse_int(&b)) {
            std::fprintf(stderr, "%s line %d: a pair needs two provinces\n", name, line);
            continue;
        }
        if (!table.EndedRow())
            table.skip_rows(1);
        if (a <= 0 || b <= 0)
            continue;
        CProvince* first = a <= kLastTableProvince ? GetProvince(a) : nullptr;
        CProvince* second = b <= kLastTableProvince ? GetProvince(b) : nullptr;
        if (!first || !second) {
            std::fprintf(stderr, "%s line %d: no province %d or %d\n", name, line, a, b);
            continue;
        }
        first->spreadNeighbours.push_back(b);
        second->spreadNeighbours.push_back(a);
    }
}
