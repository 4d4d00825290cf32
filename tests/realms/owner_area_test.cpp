// Owner areas on small worlds: built at game start, split when a province in the middle is lost, merged
// when it is won back, and after many random changes of controller still connected, of one controller,
// and with border counts that agree both ways and with a fresh count.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "realms/country.h"
#include "realms/owner_area.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

class OwnerAreas : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        provinces = std::make_unique<CProvince[]>(kMapProvinceCount);
        for (int n = 0; n < kMapProvinceCount; ++n) {
            provinces[n].number = n;
            provinces[n].terrain = n == 0 ? TERRAIN_OCEAN : TERRAIN_PLAINS;
            CProvince::_pProvince[n] = &provinces[n];
        }
        gOwnerAreaHooks.NeighborAdded = [](CRZOwnerArea&, CRZOwnerArea&) { ++gAdded; };
        gOwnerAreaHooks.NeighborRemoved = [](CRZOwnerArea&, CRZOwnerArea&) { ++gRemoved; };
        gOwnerAreaHooks.AreaRemoved = [](CRZOwnerArea&) { ++gVanished; };
        gAdded = gRemoved = gVanished = 0;
    }
    void TearDown() override
    {
        CRZOwnerArea::CleanupAllOwnerAreas();
        CRZCountry::DeleteAll();
        for (CProvince*& p : CProvince::_pProvince)
            p = nullptr;
        gOwnerAreaHooks = CRZOwnerAreaHooks {};
    }

    static CProvince& P(int n) { return *CProvince::GetProvince(n); }

    static void Link(int a, int b)
    {
        P(a).AddNeighbor({ b, 0, 0 });
        P(b).AddNeighbor({ a, 0, 0 });
    }

    static CRZCountry* Realm(int id)
    {
        if (!CRZCountry::GetCountry(id))
            CRZCountry::ConstructCountry(id);
        return CRZCountry::GetCountry(id);
    }

    static void Control(int province, int realm)
    {
        Realm(realm);
        P(province).InitController(realm);
    }

    // Every rule the areas must keep, checked against the provinces themselves.
    static void ExpectSound(int last, const std::string& when)
    {
        std::set<CRZOwnerArea*> areas;
        for (int n = 1; n <= last; ++n) {
            const CProvince& p = P(n);
            if (p.IsLand() && p.controller != 0) {
                ASSERT_NE(p.ownerArea, nullptr) << when << ": " << n;
                ASSERT_NE(p.ownerArea->GetLandArea(), nullptr) << when << ": " << n;
                EXPECT_TRUE(p.ownerArea->GetProvinces().Contains(const_cast<CProvince*>(&p))) << when;
                EXPECT_TRUE(
                    CRZCountry::GetCountry(p.controller)->landAreas.Contains(p.ownerArea->GetLandArea()))
                    << when << ": " << n;
            }
            if (p.ownerArea)
                areas.insert(p.ownerArea);
        }
        for (CRZOwnerArea* area : areas) {
            // One controller, connected, and every border counted as a fresh count gives it.
            const auto members = area->GetProvinces();
            ASSERT_FALSE(members.IsEmpty()) << when;
            const int owner = (*members.GetHead())->controller;
            std::set<int> reached { (*members.GetHead())->GetNumber() };
            std::vector<int> stack { *reached.begin() };
            std::map<CRZOwnerArea*, int> borders;
            for (auto it = members.GetHead(); !it.IsEnd(); it++) {
                EXPECT_EQ((*it)->controller, owner) << when;
                EXPECT_EQ((*it)->ownerArea, area) << when;
                for (const Adjacent& a : (*it)->neighbours)
                    if (P(a.number).ownerArea && P(a.number).ownerArea != area)
                        ++borders[P(a.number).ownerArea];
            }
            while (!stack.empty()) {
                const int n = stack.back();
                stack.pop_back();
                for (const Adjacent& a : P(n).neighbours)
                    if (P(a.number).ownerArea == area && reached.insert(a.number).second)
                        stack.push_back(a.number);
            }
            EXPECT_EQ(static_cast<int>(reached.size()), members.GetSize()) << when << ": area not connected";
            EXPECT_EQ(area->GetNeighbors().size(), borders.size()) << when;
            for (const auto& [other, count] : borders) {
                EXPECT_EQ(area->GetNeighborCount(*other), count) << when;
                EXPECT_EQ(other->GetNeighborCount(*area), count) << when;
            }
        }
        for (int realm = 1; realm < static_cast<int>(kCountryTableSlots); ++realm)
            if (CRZCountry* country = CRZCountry::GetCountry(realm)) {
                for (auto it = country->landAreas.GetHead(); !it.IsEnd(); it++) {
                    EXPECT_TRUE(areas.count(*it)) << when << ": realm " << realm << " keeps a vanished area";
                }
            }
    }

    std::unique_ptr<CProvince[]> provinces;
    static inline int gAdded = 0, gRemoved = 0, gVanished = 0;
};

// A chain 1-2-3 held by realm 1, beside a chain 4-5-6 held by realm 4, along the sea zone 7.
TEST_F(OwnerAreas, AChainSplitsWhenItsMiddleIsLostAndMergesWhenItIsWonBack)
{
    for (int n : { 1, 2, 4, 5 })
        Link(n, n + 1);
    for (int n : { 1, 2, 3 }) {
        Link(n, n + 3);
        Link(n, 7);
    }
    P(7).terrain = TERRAIN_OCEAN;
    P(3).portSeaZone = 7;
    for (int n : { 1, 2, 3 })
        Control(n, 1);
    for (int n : { 4, 5, 6 })
        Control(n, 4);
    CRZOwnerArea::InitAllOwnerAreas();
    ExpectSound(7, "start");

    CRZOwnerArea* chain = P(1).ownerArea;
    CRZOwnerArea* other = P(4).ownerArea;
    CRZOwnerArea* sea = P(7).ownerArea;
    ASSERT_NE(chain, other);
    EXPECT_EQ(P(3).ownerArea, chain);
    EXPECT_NE(sea->GetSeaArea(), nullptr);
    EXPECT_EQ(chain->GetNeighborCount(*other), 3);
    EXPECT_EQ(chain->GetNeighborCount(*sea), 3);
    EXPECT_EQ(chain->GetBestPort(), 3);
    EXPECT_EQ(chain->GetOwner(), CRZCountry::GetCountry(1));
    EXPECT_EQ(Realm(1)->landAreas.GetSize(), 1);

    P(2).SetController(4);
    ExpectSound(7, "middle lost");
    EXPECT_NE(P(1).ownerArea, P(3).ownerArea);
    EXPECT_EQ(P(2).ownerArea, other);
    EXPECT_EQ(Realm(1)->landAreas.GetSize(), 2);
    EXPECT_EQ(Realm(1)->controlledProvinces.GetSize(), 2);
    EXPECT_TRUE(Realm(4)->controlledProvinces.Contains(2));
    for (int end : { 1, 3 }) {
        EXPECT_EQ(P(end).ownerArea->GetNeighborCount(*other), 2) << end;
        EXPECT_EQ(P(end).ownerArea->GetNeighborCount(*sea), 1) << end;
    }
    EXPECT_EQ(other->GetNeighborCount(*sea), 1);
    EXPECT_EQ(P(3).ownerArea->GetBestPort(), 3);
    EXPECT_EQ(P(1).ownerArea->GetBestPort(), 1);

    const int vanishedBefore = gVanished;
    P(2).SetController(1);
    ExpectSound(7, "middle won back");
    EXPECT_EQ(P(1).ownerArea, P(3).ownerArea);
    EXPECT_EQ(P(2).ownerArea, P(1).ownerArea);
    EXPECT_EQ(Realm(1)->landAreas.GetSize(), 1);
    EXPECT_EQ(gVanished, vanishedBefore + 1); // the smaller end was merged away
    EXPECT_EQ(P(1).ownerArea->GetNeighborCount(*other), 3);
    EXPECT_EQ(P(1).ownerArea->GetNeighborCount(*sea), 3);
    EXPECT_EQ(other->GetNeighborCount(*sea), 0);
    EXPECT_FALSE(other->IsAdjacent(*sea));
}

TEST_F(OwnerAreas, ALostLoneProvinceTakesItsAreaAlongAndNobodyMeansTheRebels)
{
    Link(1, 2);
    Control(1, 1);
    Control(2, 2);
    Realm(kRebelCountry);
    CRZOwnerArea::InitAllOwnerAreas();
    CRZOwnerArea* lone = P(1).ownerArea;
    ASSERT_NE(lone, nullptr);
    EXPECT_FALSE(lone->GetLandArea()->HasCapital());

    P(1).SetController(2);
    ExpectSound(2, "taken");
    EXPECT_TRUE(Realm(1)->landAreas.IsEmpty());
    EXPECT_EQ(P(1).ownerArea, P(2).ownerArea);
    EXPECT_EQ(gVanished, 1);

    P(2).SetController(0);
    ExpectSound(2, "to nobody");
    EXPECT_EQ(P(2).controller, kRebelCountry);
    EXPECT_EQ(Realm(kRebelCountry)->landAreas.GetSize(), 1);
    P(2).SetController(0); // already the rebels': nothing changes
    ExpectSound(2, "to nobody again");
    EXPECT_EQ(Realm(kRebelCountry)->landAreas.GetSize(), 1);

    Realm(2)->capital = 1;
    EXPECT_TRUE(P(1).ownerArea->GetLandArea()->HasCapital());
    EXPECT_FALSE(P(2).ownerArea->GetLandArea()->HasCapital()); // the rebels' area, without a capital
}

TEST_F(OwnerAreas, AThousandRandomChangesOfControllerKeepTheAreasSound)
{
    // A 12 x 12 grid of land with a lake in the middle and a sea column along its east side, in two regions.
    constexpr int side = 12;
    auto at = [](int x, int y) { return 1 + y * side + x; };
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (x + 1 < side)
                Link(at(x, y), at(x + 1, y));
            if (y + 1 < side)
                Link(at(x, y), at(x, y + 1));
        }
    const int lastLand = side * side;
    P(at(5, 5)).terrain = TERRAIN_LAKE;
    for (int y = 0; y < side; ++y) {
        const int sea = lastLand + 1 + y;
        P(sea).terrain = TERRAIN_OCEAN;
        P(sea).region = y < side / 2 ? 1 : 2;
        Link(at(side - 1, y), sea);
        if (y > 0)
            Link(sea, sea - 1);
    }
    const int last = lastLand + side;
    std::mt19937 random(20260);
    const int realms[] = { 1, 2, 3, 4, kRebelCountry };
    for (int n = 1; n <= lastLand; ++n)
        if (P(n).IsLand())
            Control(n, realms[random() % 4]);
    Realm(kRebelCountry);
    CRZOwnerArea::InitAllOwnerAreas();
    ExpectSound(last, "start");
    EXPECT_EQ(P(lastLand + 1).ownerArea, P(lastLand + side / 2).ownerArea);
    EXPECT_NE(P(lastLand + 1).ownerArea, P(last).ownerArea); // another region, another sea area
    EXPECT_NE(P(at(5, 5)).ownerArea, nullptr);

    for (int step = 0; step < 1000 && !HasFailure(); ++step) {
        const int province = 1 + static_cast<int>(random() % lastLand);
        const int realm = random() % 6 == 0 ? 0 : realms[random() % 5];
        P(province).SetController(realm);
        ExpectSound(last, "step " + std::to_string(step));
    }
    EXPECT_GT(gAdded, 0);
    EXPECT_GT(gRemoved, 0);
    EXPECT_GT(gVanished, 0);
}

} // namespace
