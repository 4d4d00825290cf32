// The province array of the map and the reading of its bounding-box and neighbour tables.
#include "map/map_province.h"

#include <cstdio>
#include <memory>

#include "foundation/data_file.h"
#include "foundation/excel_parse.h"

#include "foundation/safeguards.h"

CProvince* CGameMapProvince::Province = nullptr;
int CGameMapProvince::nSelected = 0;

namespace {

constexpr int kTableProvinces = static_cast<int>(kProvinceArraySize);
constexpr int kOffsetCount = kTableProvinces + 1;
constexpr int kRecordBytes = 12;

std::int32_t Little32(const unsigned char* bytes)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0])
        | static_cast<std::uint32_t>(bytes[1]) << 8 | static_cast<std::uint32_t>(bytes[2]) << 16
        | static_cast<std::uint32_t>(bytes[3]) << 24);
}

// The whole file, or false with a message when it cannot be read.
bool ReadWhole(const char* name, std::vector<unsigned char>& bytes)
{
    CFile file(name);
    if (file.ErrorFlag()) {
        std::fprintf(stderr, "Cannot open map table %s\n", name);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(file.GetSize() > 0 ? file.GetSize() : 0));
    if (!bytes.empty() && !file.Read(bytes.data(), static_cast<int>(bytes.size()), false)) {
        std::fprintf(stderr, "Cannot read map table %s\n", name);
        return false;
    }
    return true;
}

} // namespace

void CGameMapProvince::MakeProvinces()
{
    ReleaseProvinces();
    Province = new CProvince[kMapProvinceCount];
    for (int n = 0; n < kMapProvinceCount; ++n) {
        Province[n].number = n;
        CProvince::_pProvince[n] = &Province[n];
    }
}

void CGameMapProvince::ReleaseProvinces()
{
    for (CProvince*& province : CProvince::_pProvince)
        province = nullptr;
    delete[] Province;
    Province = nullptr;
}

bool CGameMapProvince::LoadBoundBoxes(const char* name)
{
    std::vector<unsigned char> bytes;
    if (!ReadWhole(name, bytes))
        return false;
    if (bytes.size() < static_cast<std::size_t>(kTableProvinces) * 16) {
        std::fprintf(stderr, "%s: %zu bytes, too short for %d boxes\n", name, bytes.size(), kTableProvinces);
        return false;
    }
    for (int n = 0; n < kTableProvinces && Province; ++n) {
        const unsigned char* at = bytes.data() + static_cast<std::size_t>(n) * 16;
        Province[n].boundingBox = CRect(Little32(at), Little32(at + 4), Little32(at + 8), Little32(at + 12));
    }
    return Province != nullptr;
}

bool CGameMapProvince::LoadAdjacencyTable(const char* name)
{
    std::vector<unsigned char> bytes;
    if (!ReadWhole(name, bytes))
        return false;
    const std::size_t headerBytes = static_cast<std::size_t>(kOffsetCount) * 4;
    if (bytes.size() < headerBytes) {
        std::fprintf(stderr, "%s: too short for its offsets\n", name);
        return false;
    }
    std::vector<std::uint32_t> offsets(kOffsetCount);
    for (int k = 0; k < kOffsetCount; ++k)
        offsets[static_cast<std::size_t>(k)] = static_cast<std::uint32_t>(Little32(bytes.data() + 4 * k));
    const std::uint64_t records = offsets[kTableProvinces];
    if (records > (bytes.size() - headerBytes) / kRecordBytes) {
        std::fprintf(stderr, "%s: %llu records do not fit in the file\n", name,
            static_cast<unsigned long long>(records));
        return false;
    }
    for (int p = 1; p < kTableProvinces; ++p)
        if (offsets[static_cast<std::size_t>(p)] > offsets[static_cast<std::size_t>(p) + 1]) {
            std::fprintf(stderr, "%s: the offsets of province %d run backwards\n", name, p);
            return false;
        }
    auto record = [&](std::uint32_t index) {
        const unsigned char* at = bytes.data() + headerBytes + static_cast<std::size_t>(index) * kRecordBytes;
        return Adjacent { Little32(at), Little32(at + 4), Little32(at + 8) };
    };
    for (int p = 1; p < kTableProvinces; ++p)
        for (std::uint32_t r = offsets[static_cast<std::size_t>(p)];
             r < offsets[static_cast<std::size_t>(p) + 1]; ++r) {
            const Adjacent a = record(r);
            if (a.number < 1 || a.number >= kTableProvinces || a.number == p) {
                std::fprintf(
                    stderr, "%s: province %d has neighbour %d\n", name, p, static_cast<int>(a.number));
                return false;
            }
        }
    if (!Province)
        return false;
    Province[0].ClearNeighbors();
    for (int p = 1; p < kTableProvinces; ++p) {
        CProvince& province = Province[p];
        const std::uint32_t first = offsets[static_cast<std::size_t>(p)];
        const std::uint32_t count = offsets[static_cast<std::size_t>(p) + 1] - first;
        province.ClearNeighbors();
        province.neighbours.resize(count);
        for (std::uint32_t k = 0; k < count; ++k)
            province.SetNeighbor(static_cast<int>(k), record(first + k));
    }
    return true;
}

bool CGameMapProvince::InitProvinces()
{
    if (!Province)
        return false;
    CRZAreaDB::Reset();
    std::unique_ptr<CExcelParse> table;
    if (!CProvince::DataBase) {
        table = std::make_unique<CExcelParse>(CProvince::kTable);
        CProvince::DataBase = table.get();
    }
    CExcelParse& database = *CProvince::DataBase;
    const bool opened = database.IsOpen();
    database.Reset();
    database.skip_rows(1);
    for (int n = 0; n < kTableProvinces; ++n) {
        Province[n].InitData();
        Province[n].ReadProvince(n);
    }
    if (table)
        CProvince::DataBase = nullptr;
    CRZAreaDB::CalculateNeighbors();
    static const struct {
        int texture;
        bool viewable;
    } kMapOwn[4] = { { 24, true }, { 25, true }, { 24, false }, { 25, false } };
    for (int k = 0; k < 4; ++k) {
        CProvince& own = Province[kTableProvinces + k];
        own.number = kTableProvinces + k;
        own.texture = kMapOwn[k].texture;
        own.viewable = kMapOwn[k].viewable;
        own.CIdentity::Create(RZTYPE_PROVINCE, static_cast<std::uint32_t>(own.number));
    }
    Province[0].texture = 0;
    Province[0].viewable = false;
    const bool neighbours = LoadAdjacencyTable(kAdjacencyTable);
    CProvince::InitStraits();
    CProvince::ReadSpreadNeighbours();
    return opened && neighbours;
}
