// The full generated world as the map loads it: every province from the table, neighbours that agree both
// ways, the straits, and the flags, ports and positions the loading derives.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "foundation/data_file.h"
#include "map/map_province.h"
#include "realms/country.h"
#include "realms/owner_area.h"
#include "text/new_text.h"

namespace {

class GeneratedWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SetDataFolderOverride(VELLMARK_DATA_DIR);
        SetDataPath();
        CGameMapProvince::MakeProvinces();
        boxes = CGameMapProvince::LoadBoundBoxes(CGameMapProvince::kBoundBoxTable);
        loaded = CGameMapProvince::InitProvinces();
        texts = TextStrings.Init(RZ_LANGUAGE_0) == 1;
    }
    static void TearDownTestSuite() { CGameMapProvince::ReleaseProvinces(); }

    static CProvince& P(int n) { return *CProvince::GetProvince(n); }

    static inline bool boxes = false, loaded = false, texts = false;
};

TEST_F(GeneratedWorld, LoadsEveryProvinceOfTheMap)
{
    ASSERT_TRUE(boxes);
    ASSERT_TRUE(loaded);
    int land = 0, water = 0;
    for (int n = 0; n < kMapProvinceCount; ++n) {
        ASSERT_NE(CProvince::GetProvince(n), nullptr) << n;
        EXPECT_EQ(P(n).GetNumber(), n);
    }
    for (int n = 1; n <= kLastTableProvince; ++n) {
        (P(n).IsLand() ? land : water)++;
        EXPECT_GT(P(n).GetNeighborCount(), 0) << n;
    }
    EXPECT_GT(land, 500);
    EXPECT_GT(water, 100);
    EXPECT_EQ(land + water, 1003);
    EXPECT_EQ(P(0).GetNeighborCount(), 0);
    EXPECT_TRUE(P(399).IsLand());
    for (int n = 1000; n <= kLastTableProvince; ++n)
        EXPECT_FALSE(P(n).IsLand()) << "titles from 1000 are duchies, so " << n << " is no county";
    EXPECT_EQ(CProvince::GetProvince(-1), nullptr);
    EXPECT_EQ(CProvince::GetProvince(kMapProvinceCount), nullptr);
}

TEST_F(GeneratedWorld, StraitsJoinLandBothWays)
{
    const int straits[][2] = { { 741, 496 }, { 742, 496 }, { 744, 495 } };
    for (const auto& s : straits) {
        EXPECT_TRUE(P(s[0]).IsLand() && P(s[1]).IsLand()) << s[0];
        EXPECT_TRUE(P(s[0]).IsAdjacent(s[1])) << s[0];
        EXPECT_TRUE(P(s[1]).IsAdjacent(s[0])) << s[1];
        EXPECT_FALSE(P(s[0]).IsRiverCrossing(s[1]));
    }
    EXPECT_EQ(P(496).GetAddedNeighborCount(), 2);
    EXPECT_EQ(P(495).GetAddedNeighborCount(), 1);
}

TEST_F(GeneratedWorld, NeighboursAgreeAndFlagsFollowThem)
{
    int coastal = 0, crossings = 0, rivers = 0;
    for (int n = 1; n <= kLastTableProvince; ++n) {
        const CProvince& p = P(n);
        bool ocean = false, land = false, river = false;
        bool riverSeen = false;
        for (int i = 0; i < p.GetNeighborCount(); ++i) {
            const Adjacent& a = p.GetNeighbor(i);
            ASSERT_GE(a.number, 1);
            ASSERT_LE(a.number, kLastTableProvince);
            const CProvince& other = P(a.number);
            EXPECT_TRUE(other.IsAdjacent(n)) << n << " -> " << a.number;
            EXPECT_EQ(other.IsRiverCrossing(n), p.IsRiverCrossing(a.number));
            ocean |= other.terrain == TERRAIN_OCEAN;
            land |= other.terrain < TERRAIN_OCEAN;
            river |= a.kind == kCrossingRiver;
            // River provinces come after every other neighbour of the map's table.
            if (i < p.GetNeighborCount() - p.GetAddedNeighborCount()) {
                if (other.terrain == TERRAIN_RIVER)
                    riverSeen = true;
                else
                    EXPECT_FALSE(riverSeen) << n;
            }
        }
        EXPECT_EQ(p.IsCoastal(), p.IsLand() && ocean) << n;
        EXPECT_EQ(p.TouchesLand(), (p.terrain == TERRAIN_OCEAN || p.terrain == TERRAIN_LAKE) && land) << n;
        EXPECT_EQ(p.HasRiverCrossing(), river) << n;
        coastal += p.IsCoastal();
        crossings += p.HasRiverCrossing();
        rivers += p.terrain == TERRAIN_RIVER;
    }
    EXPECT_GT(coastal, 100);
    EXPECT_GT(crossings, 20);
    EXPECT_GT(rivers, 10);
}

TEST_F(GeneratedWorld, RiversNeverCutAContinent)
{
    // Land reached across land (river crossings included) is the same as land reached through the river
    // provinces too: every river has its crossings.
    auto components = [](bool throughRivers) {
        std::vector<int> mark(kProvinceArraySize, -1);
        int count = 0;
        for (int start = 1; start <= kLastTableProvince; ++start) {
            if (!P(start).IsLand() || mark[static_cast<std::size_t>(start)] >= 0)
                continue;
            std::vector<int> stack { start };
            mark[static_cast<std::size_t>(start)] = count;
            while (!stack.empty()) {
                const int n = stack.back();
                stack.pop_back();
                for (const Adjacent& a : P(n).neighbours) {
                    const CProvince& other = P(a.number);
                    const bool passable = other.IsLand() || (throughRivers && other.terrain == TERRAIN_RIVER);
                    if (passable && mark[static_cast<std::size_t>(a.number)] < 0) {
                        mark[static_cast<std::size_t>(a.number)] = count;
                        stack.push_back(a.number);
                    }
                }
            }
            ++count;
        }
        std::vector<int> land;
        for (int n = 1; n <= kLastTableProvince; ++n)
            if (P(n).IsLand())
                land.push_back(mark[static_cast<std::size_t>(n)]);
        return std::make_pair(count, land);
    };
    const auto [overLand, byLand] = components(false);
    const auto [overRivers, byRivers] = components(true);
    EXPECT_EQ(overLand, overRivers);
    EXPECT_EQ(byLand, byRivers);
    EXPECT_LT(overLand, 40);
}

TEST_F(GeneratedWorld, PortsOpenOnTheirSeaAndPositionsLieInTheBox)
{
    int ports = 0;
    for (int n = 1; n <= kLastTableProvince; ++n) {
        const CProvince& p = P(n);
        if (p.portSeaZone > 0) {
            ++ports;
            EXPECT_TRUE(p.IsAdjacent(p.portSeaZone)) << n;
            EXPECT_EQ(P(p.portSeaZone).terrain, TERRAIN_OCEAN) << n;
        }
        EXPECT_EQ(p.GetPort() != nullptr && p.GetPort()->GetSeaZone() == p.portSeaZone, p.portSeaZone > 0)
            << n;
        const CRect& box = p.boundingBox;
        for (const CPoint& at : { p.castle, p.siege, p.harbour, p.works }) {
            EXPECT_GE(at.x, box.left) << n;
            EXPECT_LE(at.x, box.right) << n;
            EXPECT_GE(at.y, box.top) << n;
            EXPECT_LE(at.y, box.bottom) << n;
        }
        if (p.IsLand()) {
            EXPECT_GE(p.titleRealms[0], 1000) << n;
            EXPECT_LT(p.titleRealms[0], 1263) << n;
            EXPECT_GE(p.titleRealms[1], 1263) << n;
            EXPECT_GT(p.area, 0);
            EXPECT_GT(p.region, 0);
        }
    }
    EXPECT_GT(ports, 50);
    EXPECT_EQ(CRZAreaDB::_Region[0].GetSize(), 1); // only the empty province has no region
}

TEST_F(GeneratedWorld, EveryAreaHasItsName)
{
    ASSERT_TRUE(texts);
    for (int a = 0; a < kAreaCount; ++a) {
        EXPECT_EQ(std::string(szTransArea[a]).find(' '), std::string::npos) << a;
        EXPECT_STRNE(CRZAreaDB::GetAreaName(a), kUnknownString) << szTransArea[a];
    }
    EXPECT_STREQ(CRZAreaDB::GetAreaName(CRZAreaDB::WhichArea("syrian_desert")), "Syrian Desert");
    EXPECT_STREQ(CRZAreaDB::GetAreaName(CRZAreaDB::WhichArea("ALPI_CARNICHE")), "Alpi Carniche");
}

TEST_F(GeneratedWorld, OwnerAreasCoverTheWorldAndFollowAThousandConquests)
{
    ASSERT_TRUE(loaded);
    CRZCountry::InitCountryArray();
    ClearCountryControl();
    // Every county is held by its duchy, the realm the table names first.
    std::vector<int> land;
    for (int n = 1; n <= kLastTableProvince; ++n)
        if (P(n).IsLand()) {
            land.push_back(n);
            if (!CRZCountry::GetCountry(P(n).titleRealms[0]))
                CRZCountry::ConstructCountry(P(n).titleRealms[0]);
            P(n).InitController(P(n).titleRealms[0]);
        }
    CRZOwnerArea::InitAllOwnerAreas();
    auto check = [&](const char* when) {
        std::set<CRZOwnerArea*> areas;
        for (int n = 1; n <= kLastTableProvince; ++n) {
            const CProvince& p = P(n);
            if (p.IsLand() || p.terrain == TERRAIN_OCEAN || p.terrain == TERRAIN_LAKE) {
                ASSERT_NE(p.ownerArea, nullptr) << when << ": " << n;
            }
            if (!p.ownerArea)
                continue;
            areas.insert(p.ownerArea);
            EXPECT_EQ(p.ownerArea->GetLandArea() != nullptr, p.IsLand()) << when << ": " << n;
        }
        for (CRZOwnerArea* area : areas) {
            std::map<CRZOwnerArea*, int> borders;
            for (auto it = area->GetProvinces().GetHead(); !it.IsEnd(); it++)
                for (const Adjacent& a : (*it)->neighbours)
                    if (P(a.number).ownerArea && P(a.number).ownerArea != area)
                        ++borders[P(a.number).ownerArea];
            ASSERT_EQ(area->GetNeighbors().size(), borders.size()) << when;
            for (const auto& [other, count] : borders) {
                EXPECT_EQ(area->GetNeighborCount(*other), count) << when;
                EXPECT_EQ(other->GetNeighborCount(*area), count) << when;
            }
        }
    };
    check("start");
    int realms = 0, landAreas = 0;
    for (int realm = 1; realm < static_cast<int>(kCountryTableSlots); ++realm)
        if (const CRZCountry* country = CRZCountry::GetCountry(realm)) {
            ++realms;
            landAreas += country->landAreas.GetSize();
            EXPECT_FALSE(country->landAreas.IsEmpty()) << realm;
        }
    EXPECT_GT(realms, 50);
    EXPECT_GE(landAreas, realms);
    EXPECT_FALSE(CRZOwnerArea::_SeaList.IsEmpty());
    std::mt19937 random(23);
    for (int step = 0; step < 1000; ++step) {
        // A province falls to the duchy of a random neighbour, so realms grow, split and merge.
        CProvince& p = P(land[random() % land.size()]);
        const Adjacent& a = p.neighbours[random() % p.neighbours.size()];
        if (P(a.number).IsLand())
            p.SetController(P(a.number).controller);
    }
    check("after conquests");
    CRZOwnerArea::CleanupAllOwnerAreas();
    for (int n = 0; n < kMapProvinceCount; ++n)
        EXPECT_EQ(P(n).ownerArea, nullptr);
    for (int n : land)
        P(n).InitController(0);
    CRZCountry::DeleteAll();
}

} // namespace
