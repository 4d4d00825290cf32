// Reading the province, terrain, neighbour and bounding-box tables from small fixtures: defaults for
// unknown words, the bounding-box centre for missing positions, and bad rows and tables refused whole.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "map/map_province.h"
#include "realms/terrain.h"
#include "support/data_folder.h"

namespace {

void Write(const std::string& path, const std::string& contents)
{
    std::filesystem::create_directories(
        std::filesystem::path(support::gDataFolder + "/" + path).parent_path());
    std::ofstream(support::gDataFolder + "/" + path, std::ios::binary) << contents;
}

std::string Le32(std::int32_t v)
{
    std::string out(4, '\0');
    for (int k = 0; k < 4; ++k)
        out[static_cast<std::size_t>(k)]
            = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF);
    return out;
}

// A row of the province table: number, then the given fields, padded with zeros to its 35 columns.
std::string Row(int number, const std::string& fields)
{
    std::string row = std::to_string(number) + ";" + fields;
    int columns = 1;
    for (char c : fields)
        columns += c == ';';
    for (; columns < 35; ++columns)
        row += "0;";
    return row + "\r\n";
}

// Boxes of 0..1003: province n spans (10n, 20) to (10n + 8, 40).
std::string Boxes()
{
    std::string out;
    for (int n = 0; n < 1004; ++n)
        out += Le32(10 * n) + Le32(20) + Le32(10 * n + 8) + Le32(40);
    return out;
}

// Neighbours: every pair (a, b) given both ways.
std::string Adjacency(const std::vector<std::array<int, 3>>& links)
{
    std::vector<std::vector<std::array<int, 2>>> of(1004);
    for (const auto& l : links) {
        of[static_cast<std::size_t>(l[0])].push_back({ l[1], l[2] });
        of[static_cast<std::size_t>(l[1])].push_back({ l[0], l[2] });
    }
    std::string offsets, records;
    int count = 0;
    for (int p = 0; p < 1004; ++p) {
        offsets += Le32(count);
        for (const auto& r : of[static_cast<std::size_t>(p)]) {
            records += Le32(r[0]) + Le32(r[1]) + Le32(0);
            ++count;
        }
    }
    return offsets + Le32(count) + records;
}

class ProvinceTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDataPath();
        CGameMapProvince::MakeProvinces();
        Write("map/boundbox.tbl", Boxes());
        Write("db/spreadneighbours.csv", "1;3\r\n0;2\r\n5;9999\r\n");
        ASSERT_TRUE(CGameMapProvince::LoadBoundBoxes(CGameMapProvince::kBoundBoxTable));
    }
    void TearDown() override { CGameMapProvince::ReleaseProvinces(); }

    static CProvince& P(int n) { return *CProvince::GetProvince(n); }

    // Rows 0..5 as given, then the plain sea rows up to 1003.
    static void Table(const std::string& first)
    {
        std::string table = "header\r\n" + first;
        for (int n = 6; n < 1004; ++n)
            table += Row(n, "K;;region_sea;atlantic;0;ocean;;none;0;");
        Write("db/province.csv", table);
    }
};

TEST_F(ProvinceTables, RowsGiveTheirFactsAndUnknownWordsTheDefaults)
{
    Table(Row(0, "PROV0;;-;-;0;ocean;;none;0;") //
        + Row(1,
            "PROV1;x;BRITAIN;Scotland;2;forest;;english;7.5;ABYD;ALEP;----;----;----;0;0;0;5;33;34;0;0;") //
        + Row(2, "PROV2;x;atlantis;nowhere;0;swamp;;klingon;3;") //
        + Row(3, "PROV3;x;region_lake;lake_area;0;SEA;;none;0;") //
        + Row(4, "PROV4;x;spain;tejo;0;march;;none;4;") //
        + Row(5, "PROV5;x;spain;tejo;0;hill;;none;4;;;;;;1;2;3;4;5;6;7;8;9;9;1;0;0;0;2;2;2;"));
    Write("map/adjacent.tbl", Adjacency({ { 1, 2, 0 }, { 1, 3, 1 }, { 2, 6, 0 }, { 3, 4, 0 } }));
    ASSERT_TRUE(CGameMapProvince::InitProvinces());

    EXPECT_EQ(P(1).region, CRZAreaDB::WhichRegion("britain"));
    EXPECT_EQ(P(1).area, CRZAreaDB::WhichArea("scotland"));
    EXPECT_EQ(P(1).terrain, TERRAIN_FOREST);
    EXPECT_EQ(P(1).portSeaZone, 2);
    ASSERT_NE(P(1).GetPort(), nullptr);
    EXPECT_EQ(P(1).GetPort()->GetSeaZone(), 2);
    EXPECT_FALSE(P(1).GetPort()->HasShips());
    EXPECT_EQ(P(2).GetPort(), nullptr);
    EXPECT_FLOAT_EQ(P(1).GetIncome(), 7.5f);
    EXPECT_EQ(P(1).titleRealms[0], 1000);
    EXPECT_EQ(P(1).titleRealms[1], 1263);
    EXPECT_EQ(P(1).titleRealms[2], 0);
    // Castle (0, 0) is the box's centre; siege (0, 5) stays; works (0, 0) falls back too.
    EXPECT_EQ(P(1).castle, CPoint(14, 30));
    EXPECT_EQ(P(1).siege, CPoint(0, 5));
    EXPECT_EQ(P(1).harbour, CPoint(33, 34));
    EXPECT_EQ(P(1).works, CPoint(14, 30));
    EXPECT_EQ(P(2).region, 0);
    EXPECT_EQ(P(2).area, 0);
    EXPECT_EQ(P(2).terrain, TERRAIN_PLAINS);
    EXPECT_EQ(P(3).terrain, TERRAIN_LAKE);
    EXPECT_EQ(P(4).terrain, TERRAIN_MARSH);
    EXPECT_EQ(P(5).terrain, TERRAIN_HILLS);
    EXPECT_EQ(P(5).castle, CPoint(1, 2));
    EXPECT_EQ(P(5).decorations, 2);
    EXPECT_TRUE(CRZAreaDB::_Areas[CRZAreaDB::WhichArea("tejo")].Contains(&P(4)));

    EXPECT_TRUE(P(1).HasRiverCrossing());
    EXPECT_TRUE(P(1).IsRiverCrossing(3));
    EXPECT_FALSE(P(1).IsRiverCrossing(2));
    EXPECT_TRUE(P(2).IsCoastal());
    EXPECT_TRUE(P(6).TouchesLand());
    EXPECT_FALSE(P(1).IsCoastal());
    EXPECT_TRUE(P(4).IsIsland()); // only a lake beside it
    EXPECT_FALSE(P(1).IsIsland());
    EXPECT_EQ(P(1).spreadNeighbours, std::vector<int32_t> { 3 });
    EXPECT_EQ(P(3).spreadNeighbours, std::vector<int32_t> { 1 });
    EXPECT_TRUE(P(5).spreadNeighbours.empty());
    EXPECT_EQ(P(3).GetOwner(), nullptr); // a lake has no owner

    // The next game reads the same tables into the same provinces.
    ASSERT_TRUE(CGameMapProvince::InitProvinces());
    EXPECT_EQ(P(1).spreadNeighbours, std::vector<int32_t> { 3 });
    EXPECT_EQ(P(1).GetNeighborCount(), 2);
    EXPECT_EQ(CRZAreaDB::_Areas[CRZAreaDB::WhichArea("tejo")].GetSize(), 2);
}

TEST_F(ProvinceTables, BadRowsAreSkippedAndKeepTheirDefaults)
{
    const std::string longField(10240, 'x');
    Table(Row(0, "PROV0;;-;-;0;ocean;;none;0;") //
        + Row(2, "PROV2;;spain;tejo;0;forest;;none;4;") // out of order
        + "2;PROV2;;spain;tejo;0;forest\r\n" // short
        + Row(3, "PROV3;" + longField + ";spain;tejo;0;forest;;none;4;") //
        + Row(4, "PROV4;;spain;tejo;0;desert;;none;4;") //
        + Row(5000, "PROV5;;spain;tejo;0;desert;;none;4;"));
    Write("map/adjacent.tbl", Adjacency({}));
    testing::internal::CaptureStderr();
    CGameMapProvince::InitProvinces();
    const std::string warnings = testing::internal::GetCapturedStderr();
    for (int n : { 1, 2, 3, 5 }) {
        EXPECT_EQ(P(n).terrain, TERRAIN_OCEAN) << n;
        EXPECT_FLOAT_EQ(P(n).GetIncome(), 10.0f) << n;
    }
    EXPECT_EQ(P(4).terrain, TERRAIN_DESERT);
    EXPECT_NE(warnings.find("db\\province.csv line 3"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("too few fields"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("a field too long"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("province 5000 where 5 belongs"), std::string::npos) << warnings;
}

TEST_F(ProvinceTables, BadNeighbourTablesAreRefusedWhole)
{
    Table("");
    Write("map/adjacent.tbl", Adjacency({ { 7, 8, 0 } }));
    ASSERT_TRUE(CGameMapProvince::LoadAdjacencyTable(CGameMapProvince::kAdjacencyTable));
    const std::string good = Adjacency({ { 7, 8, 0 } });
    std::string backwards = good, outside = good, self = good;
    backwards.replace(4 * 9, 4, Le32(5)); // offsets of 8 below those of 7
    outside.replace(1005 * 4, 4, Le32(1004)); // 7's neighbour beyond the table
    self.replace(1005 * 4, 4, Le32(7));
    std::string huge = good;
    huge.replace(1004 * 4, 4, Le32(0x7FFFFFFF));
    const std::string cases[]
        = { good.substr(0, 100), good.substr(0, good.size() - 1), backwards, outside, self, huge };
    for (const std::string& bad : cases) {
        Write("map/adjacent.tbl", bad);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(CGameMapProvince::LoadAdjacencyTable(CGameMapProvince::kAdjacencyTable));
        EXPECT_NE(testing::internal::GetCapturedStderr(), "");
        EXPECT_TRUE(P(7).IsAdjacent(8));
        EXPECT_EQ(P(7).GetNeighborCount(), 1);
    }
    Write("map/boundbox.tbl", "short");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(CGameMapProvince::LoadBoundBoxes(CGameMapProvince::kBoundBoxTable));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(P(7).boundingBox.left, 70);
}

TEST(Terrain, WordsNamesAndCosts)
{
    const std::pair<const char*, int> words[] = { { "forest", 0 }, { "HILL", 1 }, { "hills", 1 },
        { "march", 2 }, { "mountain", 3 }, { "plains", 4 }, { "desert", 5 }, { "Ocean", 6 }, { "river", 7 },
        { "sea", 8 }, { "marsh", 4 }, { "", 4 }, { nullptr, 4 } };
    for (const auto& [word, terrain] : words)
        EXPECT_EQ(CTerrain::GetTerrain(word), terrain) << (word ? word : "null");
    EXPECT_EQ(CTerrain::GetTerrainName(9), nullptr);
    EXPECT_EQ(CTerrain::GetTerrainDesc(-1), nullptr);
    EXPECT_NE(CTerrain::GetTerrainName(8), nullptr);

    SetDataPath();
    Write("db/terrain.csv", "name;cost\r\nforest;1.5\r\nhills;-2\r\nmarch;2\r\nmountain;3.5\r\n");
    testing::internal::CaptureStderr();
    CTerrain::Init();
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_DOUBLE_EQ(CTerrain::TerrainMoveCost[0], 1.5);
    EXPECT_DOUBLE_EQ(CTerrain::TerrainMoveCost[1], 1.0); // refused
    EXPECT_DOUBLE_EQ(CTerrain::TerrainMoveCost[3], 3.5);
    EXPECT_DOUBLE_EQ(CTerrain::TerrainMoveCost[8], 1.0); // the table ended early
    EXPECT_NE(warnings.find("line 3"), std::string::npos) << warnings;
}

} // namespace
