// The world generator: sites on a jittered grid become land provinces, sea zones and rivers; a warped
// Voronoi partition of the map turns them into the label image, and the tables are read off the image.
#include "world_map.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <thread>

#include "realms/area_names.h"
#include "realms/country_tags.h"
#include "realms/terrain_types.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

constexpr int kGridX = 48, kGridY = 30;
constexpr int kSites = kGridX * kGridY;
constexpr int kLandSites = 700;
constexpr int kRiverTarget = 40;
constexpr int kWorkers = 4;
// The sea channel with land on both shores that the strait crossings bridge.
constexpr int kStraitColumn = kGridX / 2, kStraitRow = kGridY / 2 - 2;

enum class SiteKind : std::uint8_t { Sea, Land };

// Smooth value noise over a lattice of random values, sampled in lattice units.
class ValueNoise {
public:
    ValueNoise(Random& random, int inColumns, int inRows)
        : columns(inColumns)
        , rows(inRows)
        , values(static_cast<std::size_t>((inColumns + 1) * (inRows + 1)))
    {
        for (float& v : values)
            v = static_cast<float>(random.Next() % 10000) / 10000.0f;
    }
    float At(float u, float v) const
    {
        u = std::clamp(u, 0.0f, static_cast<float>(columns) - 0.001f);
        v = std::clamp(v, 0.0f, static_cast<float>(rows) - 0.001f);
        const int i = static_cast<int>(u), j = static_cast<int>(v);
        float fu = u - static_cast<float>(i), fv = v - static_cast<float>(j);
        fu = fu * fu * (3.0f - 2.0f * fu);
        fv = fv * fv * (3.0f - 2.0f * fv);
        const float a = Get(i, j), b = Get(i + 1, j), c = Get(i, j + 1), d = Get(i + 1, j + 1);
        return (a + (b - a) * fu) + ((c + (d - c) * fu) - (a + (b - a) * fu)) * fv;
    }

private:
    float Get(int i, int j) const { return values[static_cast<std::size_t>(j * (columns + 1) + i)]; }
    int columns, rows;
    std::vector<float> values;
};

int SiteIndex(int i, int j)
{
    return j * kGridX + i;
}

struct Site {
    float u = 0, v = 0; // in cell units
    SiteKind kind = SiteKind::Sea;
    int zone = -1; // sea zone of a sea site
    int number = 0; // province of a land site (sea sites take their zone's)
    // Rivers along this site's edges: the site across and the river's index.
    std::vector<std::pair<int, int>> rivers;
};

struct Generator {
    Generator(const Context& inContext, World& inWorld)
        : context(inContext)
        , world(inWorld)
    {
    }
    const Context& context;
    World& world;
    std::vector<Site> sites = std::vector<Site>(kSites);
    std::vector<std::vector<int>> zones; // sea sites per zone
    std::vector<std::pair<int, int>> riverEdges; // pairs of land sites, one per river segment
    std::vector<int> riverOf; // river index per river edge
    int riverCount = 0;
    std::vector<int> zoneNumber, riverNumber;
    float cellW = 0, cellH = 0, riverWidth = 0;

    std::vector<int> GridNeighbours(int s) const
    {
        const int i = s % kGridX, j = s / kGridX;
        std::vector<int> out;
        if (i > 0)
            out.push_back(s - 1);
        if (i + 1 < kGridX)
            out.push_back(s + 1);
        if (j > 0)
            out.push_back(s - kGridX);
        if (j + 1 < kGridY)
            out.push_back(s + kGridX);
        return out;
    }

    void PlaceSites()
    {
        Random random = context.RandomFor("world sites");
        ValueNoise continents(random, 6, 4), detail(random, 16, 10);
        std::vector<float> score(kSites);
        for (int j = 0; j < kGridY; ++j)
            for (int i = 0; i < kGridX; ++i) {
                Site& site = sites[SiteIndex(i, j)];
                site.u = static_cast<float>(i) + 0.5f + static_cast<float>(random.Range(-30, 30)) / 100.0f;
                site.v = static_cast<float>(j) + 0.5f + static_cast<float>(random.Range(-30, 30)) / 100.0f;
                const float fu = site.u / kGridX, fv = site.v / kGridY;
                float s = continents.At(fu * 6, fv * 4) * 0.75f + detail.At(fu * 16, fv * 10) * 0.35f;
                s -= 0.25f * std::max(0.0f, std::abs(fv - 0.5f) * 2.0f - 0.7f) / 0.3f; // seas at the poles
                // The map joins east to west across sea only.
                if (i == 0 || i == kGridX - 1)
                    s = -10;
                score[SiteIndex(i, j)] = s;
            }
        for (int j = kStraitRow - 1; j <= kStraitRow + 4; ++j)
            score[SiteIndex(kStraitColumn, j)] = -10;
        for (int j = kStraitRow; j <= kStraitRow + 3; ++j) {
            score[SiteIndex(kStraitColumn - 1, j)] = 10;
            score[SiteIndex(kStraitColumn + 1, j)] = 10;
        }
        std::vector<int> order(kSites);
        for (int s = 0; s < kSites; ++s)
            order[s] = s;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return score[a] > score[b]; });
        for (int k = 0; k < kLandSites; ++k)
            sites[order[k]].kind = SiteKind::Land;
    }

    bool IsStraitSite(int s) const
    {
        const int i = s % kGridX, j = s / kGridX;
        return i >= kStraitColumn - 1 && i <= kStraitColumn + 1 && j >= kStraitRow - 1 && j <= kStraitRow + 4;
    }

    void LayRivers()
    {
        Random random = context.RandomFor("world rivers");
        std::set<std::pair<int, int>> used;
        for (int attempt = 0; attempt < 4000 && riverCount < kRiverTarget; ++attempt) {
            const bool vertical = random.Range(0, 1) == 0;
            const int length = random.Range(2, 5);
            const int i = random.Range(1, kGridX - 3), j = random.Range(1, kGridY - 3);
            std::vector<std::pair<int, int>> edges;
            bool ok = true;
            for (int k = 0; k < length && ok; ++k) {
                const int a = vertical ? SiteIndex(i, j + k) : SiteIndex(i + k, j);
                const int b = vertical ? SiteIndex(i + 1, j + k) : SiteIndex(i + k, j + 1);
                if (j + k >= kGridY - 1 || i + k >= kGridX - 1 || sites[a].kind != SiteKind::Land
                    || sites[b].kind != SiteKind::Land || IsStraitSite(a) || IsStraitSite(b)
                    || used.count({ a, b }) || sites[a].rivers.size() + sites[b].rivers.size() >= 4)
                    ok = false;
                else
                    edges.push_back({ a, b });
            }
            if (!ok)
                continue;
            for (auto [a, b] : edges) {
                used.insert({ a, b });
                sites[a].rivers.push_back({ b, riverCount });
                sites[b].rivers.push_back({ a, riverCount });
                riverEdges.push_back({ a, b });
                riverOf.push_back(riverCount);
            }
            ++riverCount;
        }
    }

    void GroupSeaZones()
    {
        // Connected sea sites within 2 x 2 blocks start as zones.
        std::vector<int> zoneOf(kSites, -1);
        for (int s = 0; s < kSites; ++s) {
            if (sites[s].kind != SiteKind::Sea || zoneOf[s] >= 0)
                continue;
            const int block = (s % kGridX) / 2 + (s / kGridX) / 2 * kGridX;
            std::vector<int> stack { s }, members;
            zoneOf[s] = static_cast<int>(zones.size());
            while (!stack.empty()) {
                const int t = stack.back();
                stack.pop_back();
                members.push_back(t);
                for (int n : GridNeighbours(t))
                    if (sites[n].kind == SiteKind::Sea && zoneOf[n] < 0
                        && (n % kGridX) / 2 + (n / kGridX) / 2 * kGridX == block) {
                        zoneOf[n] = zoneOf[s];
                        stack.push_back(n);
                    }
            }
            std::sort(members.begin(), members.end());
            zones.push_back(members);
        }
        const int target = kWorldProvinces - 1 - kLandSites - riverCount;
        auto renumber = [&] {
            std::fill(zoneOf.begin(), zoneOf.end(), -1);
            for (int z = 0; z < static_cast<int>(zones.size()); ++z)
                for (int s : zones[z])
                    zoneOf[s] = z;
        };
        renumber();
        while (static_cast<int>(zones.size()) > target) {
            // The smallest zone joins its smallest neighbouring zone.
            int smallest = 0;
            for (int z = 1; z < static_cast<int>(zones.size()); ++z)
                if (zones[z].size() < zones[smallest].size())
                    smallest = z;
            int into = -1;
            for (int s : zones[smallest])
                for (int n : GridNeighbours(s))
                    if (zoneOf[n] >= 0 && zoneOf[n] != smallest
                        && (into < 0 || zones[zoneOf[n]].size() < zones[into].size()))
                        into = zoneOf[n];
            if (into < 0) { // a lone pool: the nearest zone by site order takes it
                into = smallest == 0 ? 1 : smallest - 1;
            }
            zones[into].insert(zones[into].end(), zones[smallest].begin(), zones[smallest].end());
            std::sort(zones[into].begin(), zones[into].end());
            zones.erase(zones.begin() + smallest);
            renumber();
        }
        while (static_cast<int>(zones.size()) < target) {
            // The largest zone gives the far half of a flood from its first site to a new zone.
            int largest = 0;
            for (int z = 1; z < static_cast<int>(zones.size()); ++z)
                if (zones[z].size() > zones[largest].size())
                    largest = z;
            if (zones[largest].size() < 2)
                throw std::runtime_error("world: too few sea sites for the sea zones");
            std::vector<int> order { zones[largest][0] };
            std::set<int> seen { zones[largest][0] };
            for (std::size_t k = 0; k < order.size(); ++k)
                for (int n : GridNeighbours(order[k]))
                    if (zoneOf[n] == largest && seen.insert(n).second)
                        order.push_back(n);
            for (int s : zones[largest])
                if (seen.insert(s).second)
                    order.push_back(s);
            const std::size_t half = order.size() / 2;
            std::vector<int> first(order.begin(), order.begin() + static_cast<long>(half));
            std::vector<int> second(order.begin() + static_cast<long>(half), order.end());
            std::sort(first.begin(), first.end());
            std::sort(second.begin(), second.end());
            zones[largest] = first;
            zones.push_back(second);
            renumber();
        }
        for (int s = 0; s < kSites; ++s)
            sites[s].zone = zoneOf[s];
    }

    void NumberProvinces()
    {
        Random random = context.RandomFor("world numbers");
        const std::set<int> reserved { 399, 495, 496, 741, 742, 744 };
        std::vector<int> candidates;
        for (int n = 1; n <= 999; ++n)
            if (!reserved.count(n))
                candidates.push_back(n);
        for (std::size_t k = candidates.size() - 1; k > 0; --k)
            std::swap(candidates[k], candidates[static_cast<std::size_t>(random.Next() % (k + 1))]);
        const int waterCount = kWorldProvinces - 1 - kLandSites;
        std::vector<int> water(candidates.begin(), candidates.begin() + (waterCount - 4));
        for (int n = 1000; n < kWorldProvinces; ++n)
            water.push_back(n);
        std::sort(water.begin(), water.end());
        std::set<int> waterSet(water.begin(), water.end());
        std::map<int, int> fixed { { SiteIndex(kStraitColumn - 1, kStraitRow + 1), 496 },
            { SiteIndex(kStraitColumn - 1, kStraitRow + 2), 495 },
            { SiteIndex(kStraitColumn + 1, kStraitRow), 741 },
            { SiteIndex(kStraitColumn + 1, kStraitRow + 1), 742 },
            { SiteIndex(kStraitColumn + 1, kStraitRow + 2), 744 } };
        std::set<int> fixedNumbers;
        for (auto [s, n] : fixed)
            fixedNumbers.insert(n);
        std::vector<int> land;
        for (int n = 1; n <= 999; ++n)
            if (!waterSet.count(n) && !fixedNumbers.count(n))
                land.push_back(n);
        std::size_t next = 0;
        for (int s = 0; s < kSites; ++s) {
            if (sites[s].kind != SiteKind::Land)
                continue;
            auto f = fixed.find(s);
            sites[s].number = f != fixed.end() ? f->second : land.at(next++);
        }
        std::size_t w = 0;
        for (std::size_t z = 0; z < zones.size(); ++z)
            zoneNumber.push_back(water.at(w++));
        for (int r = 0; r < riverCount; ++r)
            riverNumber.push_back(water.at(w++));
        for (int s = 0; s < kSites; ++s)
            if (sites[s].kind == SiteKind::Sea)
                sites[s].number = zoneNumber[static_cast<std::size_t>(sites[s].zone)];
    }

    // The province at a pixel: the nearest site in warped space, or a river where the pixel lies close to
    // the bisector of a river edge of its site.
    std::uint16_t Label(int x, int y, const ValueNoise& warpU, const ValueNoise& warpV,
        const ValueNoise& fineU, const ValueNoise& fineV) const
    {
        float u = (static_cast<float>(x) + 0.5f) / cellW, v = (static_cast<float>(y) + 0.5f) / cellH;
        u += (warpU.At(u, v) - 0.5f) * 0.45f + (fineU.At(u * 3, v * 3) - 0.5f) * 0.1f;
        v += (warpV.At(u, v) - 0.5f) * 0.45f + (fineV.At(u * 3, v * 3) - 0.5f) * 0.1f;
        const int ci = std::clamp(static_cast<int>(std::floor(u)), 0, kGridX - 1);
        const int cj = std::clamp(static_cast<int>(std::floor(v)), 0, kGridY - 1);
        int best = -1;
        float bestD = 1e30f;
        int candidates[9];
        float distances[9];
        int count = 0;
        for (int dj = -1; dj <= 1; ++dj)
            for (int di = -1; di <= 1; ++di) {
                const int i = ci + di, j = cj + dj;
                if (i < 0 || i >= kGridX || j < 0 || j >= kGridY)
                    continue;
                const int s = SiteIndex(i, j);
                const float du = u - sites[s].u, dv = v - sites[s].v;
                const float d = du * du + dv * dv;
                candidates[count] = s;
                distances[count++] = d;
                if (d < bestD) {
                    bestD = d;
                    best = s;
                }
            }
        const Site& site = sites[static_cast<std::size_t>(best)];
        if (!site.rivers.empty()) {
            const float own = std::sqrt(bestD);
            for (auto [other, river] : site.rivers)
                for (int k = 0; k < count; ++k)
                    if (candidates[k] == other && std::sqrt(distances[k]) - own < riverWidth)
                        return static_cast<std::uint16_t>(riverNumber[static_cast<std::size_t>(river)]);
        }
        return static_cast<std::uint16_t>(site.number);
    }

    void Render()
    {
        Random random = context.RandomFor("world warp");
        const ValueNoise warpU(random, kGridX + 1, kGridY + 1), warpV(random, kGridX + 1, kGridY + 1);
        const ValueNoise fineU(random, 3 * kGridX + 3, 3 * kGridY + 3),
            fineV(random, 3 * kGridX + 3, 3 * kGridY + 3);
        world.labels.assign(
            static_cast<std::size_t>(world.width) * static_cast<std::size_t>(world.height), 0);
        std::vector<std::thread> workers;
        for (int w = 0; w < kWorkers; ++w)
            workers.emplace_back([&, w] {
                for (int y = w; y < world.height; y += kWorkers)
                    for (int x = 0; x < world.width; ++x)
                        world.labels[static_cast<std::size_t>(y) * static_cast<std::size_t>(world.width)
                            + static_cast<std::size_t>(x)]
                            = Label(x, y, warpU, warpV, fineU, fineV);
            });
        for (std::thread& t : workers)
            t.join();
    }

    void Measure()
    {
        std::vector<std::int64_t> sumX(kWorldProvinces), sumY(kWorldProvinces);
        for (WorldProvince& p : world.provinces) {
            p.left = world.width;
            p.top = world.height;
            p.right = -1;
            p.bottom = -1;
        }
        for (int y = 0; y < world.height; ++y)
            for (int x = 0; x < world.width; ++x) {
                const int n = world.At(x, y);
                WorldProvince& p = world.provinces[static_cast<std::size_t>(n)];
                p.left = std::min(p.left, x);
                p.right = std::max(p.right, x);
                p.top = std::min(p.top, y);
                p.bottom = std::max(p.bottom, y);
                ++p.pixels;
                sumX[static_cast<std::size_t>(n)] += x;
                sumY[static_cast<std::size_t>(n)] += y;
            }
        for (int n = 0; n < kWorldProvinces; ++n) {
            WorldProvince& p = world.provinces[static_cast<std::size_t>(n)];
            if (p.pixels == 0) {
                if (n != 0)
                    throw std::runtime_error("world: province " + std::to_string(n) + " has no pixels");
                p.left = p.top = p.right = p.bottom = 0;
                continue;
            }
            p.castle = { static_cast<int>(sumX[static_cast<std::size_t>(n)] / p.pixels),
                static_cast<int>(sumY[static_cast<std::size_t>(n)] / p.pixels) };
        }
    }

    void FindNeighbours()
    {
        std::vector<std::uint8_t> touching(static_cast<std::size_t>(kWorldProvinces) * kWorldProvinces);
        auto touch = [&](int a, int b) {
            if (a != b && a != 0 && b != 0) {
                touching[static_cast<std::size_t>(a) * kWorldProvinces + static_cast<std::size_t>(b)] = 1;
                touching[static_cast<std::size_t>(b) * kWorldProvinces + static_cast<std::size_t>(a)] = 1;
            }
        };
        for (int y = 0; y < world.height; ++y)
            for (int x = 0; x < world.width; ++x) {
                const int here = world.At(x, y);
                touch(here, world.At(x + 1 < world.width ? x + 1 : 0, y)); // the map joins east to west
                if (y + 1 < world.height)
                    touch(here, world.At(x, y + 1));
            }
        std::set<std::pair<int, int>> acrossRiver;
        for (auto [a, b] : riverEdges) {
            const int na = sites[static_cast<std::size_t>(a)].number,
                      nb = sites[static_cast<std::size_t>(b)].number;
            acrossRiver.insert({ na, nb });
            acrossRiver.insert({ nb, na });
            touch(na, nb);
        }
        for (int a = 1; a < kWorldProvinces; ++a) {
            std::vector<WorldNeighbour> first, rivers;
            for (int b = 1; b < kWorldProvinces; ++b) {
                if (!touching[static_cast<std::size_t>(a) * kWorldProvinces + static_cast<std::size_t>(b)])
                    continue;
                const WorldNeighbour n { b, acrossRiver.count({ a, b }) ? 1 : 0 };
                (world.provinces[static_cast<std::size_t>(b)].terrain == TERRAIN_RIVER ? rivers : first)
                    .push_back(n);
            }
            first.insert(first.end(), rivers.begin(), rivers.end());
            world.provinces[static_cast<std::size_t>(a)].neighbours = first;
        }
    }

    // A few facts are needed before the neighbours are known (terrain of water decides their order).
    void AssignWaterTerrain()
    {
        for (std::size_t z = 0; z < zones.size(); ++z)
            world.provinces[static_cast<std::size_t>(zoneNumber[z])].terrain = TERRAIN_OCEAN;
        for (int r = 0; r < riverCount; ++r)
            world.provinces[static_cast<std::size_t>(riverNumber[static_cast<std::size_t>(r)])].terrain
                = TERRAIN_RIVER;
    }

    // Small bodies of water cut off from the open sea are lakes.
    void FindLakes()
    {
        std::vector<int> component(kWorldProvinces, -1);
        std::vector<std::vector<int>> components;
        for (int z : zoneNumber) {
            if (component[static_cast<std::size_t>(z)] >= 0)
                continue;
            std::vector<int> stack { z }, members;
            component[static_cast<std::size_t>(z)] = static_cast<int>(components.size());
            while (!stack.empty()) {
                const int t = stack.back();
                stack.pop_back();
                members.push_back(t);
                for (const WorldNeighbour& n : world.provinces[static_cast<std::size_t>(t)].neighbours)
                    if (world.provinces[static_cast<std::size_t>(n.number)].terrain == TERRAIN_OCEAN
                        && component[static_cast<std::size_t>(n.number)] < 0) {
                        component[static_cast<std::size_t>(n.number)]
                            = component[static_cast<std::size_t>(z)];
                        stack.push_back(n.number);
                    }
            }
            components.push_back(members);
        }
        for (const std::vector<int>& members : components)
            if (members.size() <= 2)
                for (int n : members)
                    world.provinces[static_cast<std::size_t>(n)].terrain = TERRAIN_LAKE;
    }

    static int BlockArea(const Site& site)
    {
        const int i = std::clamp(static_cast<int>(site.u), 0, kGridX - 1) / 4;
        const int j = std::clamp(static_cast<int>(site.v), 0, kGridY - 1) / 3;
        return 1 + i + j * (kGridX / 4);
    }

    void Describe()
    {
        Random random = context.RandomFor("world provinces");
        ValueNoise relief(random, 12, 8), wet(random, 10, 6);
        // The land regions, laid out west to east in three bands.
        static const int kLandRegions[12] = { 3, 15, 14, 5, 6, 4, 16, 7, 2, 10, 8, 1 };
        static const char* const kCultures[17][2] = { { "none", "none" }, { "turkish", "greek" },
            { "southslavic", "greek" }, { "english", "scottish" }, { "polish", "lithuanian" },
            { "frankish", "norman" }, { "german", "saxon" }, { "italian", "latin" }, { "muslim", "persian" },
            { "dutch", "frankish" }, { "muslim", "turkish" }, { "none", "none" }, { "none", "none" },
            { "none", "none" }, { "russian", "easternslavic" }, { "swedish", "norwegian" },
            { "castillan", "catalan" } };
        // Duchies: connected land sites in 2 x 2 blocks; kingdoms: duchies by 8 x 6 blocks.
        std::vector<int> duchyOf(kSites, -1);
        std::vector<int> duchyFirst;
        for (int s = 0; s < kSites; ++s) {
            if (sites[s].kind != SiteKind::Land || duchyOf[s] >= 0)
                continue;
            const int block = (s % kGridX) / 2 + (s / kGridX) / 2 * kGridX;
            const int duchy = static_cast<int>(duchyFirst.size());
            duchyFirst.push_back(s);
            std::vector<int> stack { s };
            duchyOf[s] = duchy;
            while (!stack.empty()) {
                const int t = stack.back();
                stack.pop_back();
                for (int n : GridNeighbours(t))
                    if (sites[n].kind == SiteKind::Land && duchyOf[n] < 0
                        && (n % kGridX) / 2 + (n / kGridX) / 2 * kGridX == block) {
                        duchyOf[n] = duchy;
                        stack.push_back(n);
                    }
            }
        }
        const int duchyLimit = kFirstKingdomCountry - kFirstBuiltInCountry;
        // Too many duchies: the last ones fold into a grid neighbour's duchy.
        for (int d = static_cast<int>(duchyFirst.size()) - 1; d >= duchyLimit; --d) {
            int into = 0;
            for (int s = 0; s < kSites; ++s)
                if (duchyOf[s] == d)
                    for (int n : GridNeighbours(s))
                        if (duchyOf[n] >= 0 && duchyOf[n] < d)
                            into = duchyOf[n];
            for (int s = 0; s < kSites; ++s)
                if (duchyOf[s] == d)
                    duchyOf[s] = into;
        }
        std::map<int, int> kingdomOfBlock;
        for (int s = 0; s < kSites; ++s) {
            if (sites[s].kind != SiteKind::Land)
                continue;
            const Site& site = sites[s];
            WorldProvince& p = world.provinces[static_cast<std::size_t>(site.number)];
            const float fu = site.u / kGridX, fv = site.v / kGridY;
            const int regionBlock
                = std::clamp(static_cast<int>(fu * 4), 0, 3) + 4 * std::clamp(static_cast<int>(fv * 3), 0, 2);
            p.region = kLandRegions[regionBlock];
            p.area = BlockArea(site);
            const float height = relief.At(fu * 12, fv * 8), water = wet.At(fu * 10, fv * 6);
            if (height > 0.72f)
                p.terrain = TERRAIN_MOUNTAIN;
            else if (height > 0.6f)
                p.terrain = TERRAIN_HILLS;
            else if (fv > 0.7f && water < 0.45f)
                p.terrain = TERRAIN_DESERT;
            else if (water > 0.68f)
                p.terrain = TERRAIN_MARSH;
            else if (water > 0.5f)
                p.terrain = TERRAIN_FOREST;
            else
                p.terrain = TERRAIN_PLAINS;
            p.culture = kCultures[p.region][random.Range(0, 3) == 0 ? 1 : 0];
            p.income = static_cast<float>(random.Range(30, 120)) / 10.0f;
            const int duchy = duchyOf[s];
            const Site& head = sites[static_cast<std::size_t>(duchyFirst[static_cast<std::size_t>(duchy)])];
            const int kingdomBlock = static_cast<int>(head.u) / 8 + static_cast<int>(head.v) / 6 * 8;
            auto [it, added]
                = kingdomOfBlock.try_emplace(kingdomBlock, static_cast<int>(kingdomOfBlock.size()));
            p.duchy = kFirstBuiltInCountry + duchy;
            p.kingdom = kFirstKingdomCountry + it->second;
        }
        for (std::size_t z = 0; z < zones.size(); ++z) {
            WorldProvince& p = world.provinces[static_cast<std::size_t>(zoneNumber[z])];
            p.region = p.terrain == TERRAIN_LAKE ? 11 : 13;
            p.area = BlockArea(sites[static_cast<std::size_t>(zones[z][0])]);
        }
        for (std::size_t e = 0; e < riverEdges.size(); ++e) {
            WorldProvince& p
                = world
                      .provinces[static_cast<std::size_t>(riverNumber[static_cast<std::size_t>(riverOf[e])])];
            p.region = 12;
            p.area = BlockArea(sites[static_cast<std::size_t>(riverEdges[e].first)]);
        }
        // Ports on most coasts, opening on the first sea zone of the coast.
        for (int n = 1; n < kWorldProvinces; ++n) {
            WorldProvince& p = world.provinces[static_cast<std::size_t>(n)];
            if (p.terrain >= TERRAIN_OCEAN)
                continue;
            for (const WorldNeighbour& neighbour : p.neighbours)
                if (world.provinces[static_cast<std::size_t>(neighbour.number)].terrain == TERRAIN_OCEAN) {
                    if (random.Range(0, 9) < 7)
                        p.port = neighbour.number;
                    break;
                }
        }
        NameProvinces(random);
        // Spread neighbours: two coasts of one sea zone that do not touch.
        for (std::size_t z = 0; z < zones.size(); ++z) {
            const WorldProvince& sea = world.provinces[static_cast<std::size_t>(zoneNumber[z])];
            std::vector<int> coasts;
            for (const WorldNeighbour& n : sea.neighbours)
                if (world.provinces[static_cast<std::size_t>(n.number)].terrain < TERRAIN_OCEAN)
                    coasts.push_back(n.number);
            bool added = false;
            for (std::size_t a = 0; a < coasts.size() && !added; ++a)
                for (std::size_t b = a + 1; b < coasts.size() && !added; ++b) {
                    const auto& list = world.provinces[static_cast<std::size_t>(coasts[a])].neighbours;
                    if (std::none_of(list.begin(), list.end(),
                            [&](const WorldNeighbour& n) { return n.number == coasts[b]; })) {
                        world.spreadNeighbours.push_back({ coasts[a], coasts[b] });
                        added = true;
                    }
                }
        }
    }

    void NameProvinces(Random& random)
    {
        static const char* const kStart[]
            = { "Al", "Bel", "Cor", "Dun", "Ew", "Fal", "Gar", "Hal", "Is", "Kel", "Lor", "Mar", "Nor", "Os",
                  "Pel", "Ros", "Sar", "Tor", "Ul", "Val", "Wen", "Yr", "Brae", "Cael" };
        static const char* const kMiddle[] = { "a", "e", "i", "o", "u", "ea", "ia", "en", "an", "or" };
        static const char* const kEnd[] = { "mark", "ford", "holm", "dale", "wick", "burg", "stead", "mere",
            "ton", "gard", "vik", "rin", "stan", "mont", "ria", "nor" };
        std::set<std::string> taken;
        for (int n = 1; n < kWorldProvinces; ++n) {
            std::string base;
            for (int attempt = 0; attempt < 50; ++attempt) {
                base = std::string(kStart[random.Range(0, 23)]) + kMiddle[random.Range(0, 9)]
                    + kEnd[random.Range(0, 15)];
                if (taken.insert(base).second)
                    break;
            }
            WorldProvince& p = world.provinces[static_cast<std::size_t>(n)];
            switch (p.terrain) {
            case TERRAIN_OCEAN:
                p.name = "Sea of " + base;
                break;
            case TERRAIN_RIVER:
                p.name = "River " + base;
                break;
            case TERRAIN_LAKE:
                p.name = "Lake " + base;
                break;
            default:
                p.name = base;
            }
        }
    }

    // The pixel of a province nearest to each of its wanted places: castle at the centre, the siege camp
    // to the west, the works to the east, the harbour towards its port's sea.
    void PlacePositions()
    {
        struct Want {
            float x = 0, y = 0;
            std::int64_t best = -1;
            int bx = 0, by = 0;
        };
        std::vector<std::array<Want, 4>> wants(kWorldProvinces);
        for (int n = 1; n < kWorldProvinces; ++n) {
            const WorldProvince& p = world.provinces[static_cast<std::size_t>(n)];
            const float cx = static_cast<float>(p.castle.x), cy = static_cast<float>(p.castle.y);
            const float rx = static_cast<float>(p.right - p.left) / 4.0f,
                        ry = static_cast<float>(p.bottom - p.top) / 5.0f;
            wants[static_cast<std::size_t>(n)][0] = { cx, cy };
            wants[static_cast<std::size_t>(n)][1] = { cx - rx, cy + ry };
            wants[static_cast<std::size_t>(n)][2] = { cx + rx, cy + ry };
            const WorldProvince& sea = world.provinces[static_cast<std::size_t>(p.port)];
            wants[static_cast<std::size_t>(n)][3] = p.port
                ? Want { static_cast<float>(sea.castle.x), static_cast<float>(sea.castle.y) }
                : Want { cx, cy };
        }
        for (int y = 0; y < world.height; ++y)
            for (int x = 0; x < world.width; ++x) {
                const int n = world.At(x, y);
                if (n == 0)
                    continue;
                for (Want& w : wants[static_cast<std::size_t>(n)]) {
                    const auto dx = static_cast<std::int64_t>(static_cast<float>(x) - w.x);
                    const auto dy = static_cast<std::int64_t>(static_cast<float>(y) - w.y);
                    const std::int64_t d = dx * dx + dy * dy;
                    if (w.best < 0 || d < w.best) {
                        w.best = d;
                        w.bx = x;
                        w.by = y;
                    }
                }
            }
        for (int n = 1; n < kWorldProvinces; ++n) {
            WorldProvince& p = world.provinces[static_cast<std::size_t>(n)];
            const auto& w = wants[static_cast<std::size_t>(n)];
            // Positions are world pixels; 0 is kept for "none", so the first column and row move in by one.
            auto at = [](const Want& want) {
                return WorldPoint { std::max(want.bx, 1), std::max(want.by, 1) };
            };
            p.castle = at(w[0]);
            p.siege = at(w[1]);
            p.works = at(w[2]);
            p.harbour = at(w[3]);
        }
    }

    void Run()
    {
        const bool full = context.size == WorldSize::Full;
        world.width = full ? 9472 : 1184;
        world.height = full ? 6016 : 752;
        cellW = static_cast<float>(world.width) / kGridX;
        cellH = static_cast<float>(world.height) / kGridY;
        riverWidth = (full ? 14.0f : 3.0f) / cellW;
        PlaceSites();
        LayRivers();
        GroupSeaZones();
        NumberProvinces();
        AssignWaterTerrain();
        Render();
        Measure();
        FindNeighbours();
        FindLakes();
        // Lakes change nothing in the order of neighbours (only rivers go last).
        Describe();
        PlacePositions();
    }
};

std::string Hex32(std::int32_t value)
{
    std::string out(4, '\0');
    const auto u = static_cast<std::uint32_t>(value);
    for (int k = 0; k < 4; ++k)
        out[static_cast<std::size_t>(k)] = static_cast<char>((u >> (8 * k)) & 0xFF);
    return out;
}

std::string Tag(int number)
{
    if (number < kFirstBuiltInCountry)
        return "----";
    return kBuiltInCountryTags[number - kFirstBuiltInCountry];
}

std::string Number(float value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", static_cast<double>(value));
    return buffer;
}

} // namespace

World GenerateWorld(const Context& context)
{
    World world;
    Generator generator(context, world);
    generator.Run();
    return world;
}

void WriteWorldFiles(const Context& context, const World& world)
{
    std::string boxes, offsets, records, grid;
    std::uint32_t count = 0;
    for (int n = 0; n < kWorldProvinces; ++n) {
        const WorldProvince& p = world.provinces[static_cast<std::size_t>(n)];
        boxes += Hex32(p.left) + Hex32(p.top) + Hex32(p.right) + Hex32(p.bottom);
        offsets += Hex32(static_cast<std::int32_t>(count));
        if (n == 0)
            continue;
        for (const WorldNeighbour& neighbour : p.neighbours) {
            records += Hex32(neighbour.number) + Hex32(neighbour.kind) + Hex32(0);
            ++count;
        }
    }
    offsets += Hex32(static_cast<std::int32_t>(count));
    WriteDataFile(context, "map\\boundbox.tbl", boxes);
    WriteDataFile(context, "map\\adjacent.tbl", offsets + records);
    for (int k = 0; k < 10240; ++k)
        grid += Hex32(0);
    WriteDataFile(context, "map\\idgrid.tbl", grid);

    std::string table
        = "id;name;description;region;area;port;terrain;notes;culture;income;duchy;kingdom;title3;"
          "title4;title5;castle_x;castle_y;siege_x;siege_y;harbour_x;harbour_y;works_x;works_y;"
          "deco1_x;deco1_y;deco1_kind;deco2_x;deco2_y;deco2_kind;deco3_x;deco3_y;deco3_kind;"
          "deco4_x;deco4_y;deco4_kind;\r\n";
    for (int n = 0; n < kWorldProvinces; ++n) {
        const WorldProvince& p = world.provinces[static_cast<std::size_t>(n)];
        auto field = [&](const std::string& text) { table += text + ";"; };
        auto point = [&](const WorldPoint& at) {
            field(std::to_string(at.x));
            field(std::to_string(at.y));
        };
        field(std::to_string(n));
        field("PROV" + std::to_string(n));
        field(p.name);
        field(szRegion[p.region]);
        field(szArea[p.area]);
        field(std::to_string(p.port));
        field(kTerrainWord[p.terrain]);
        field("-");
        field(p.culture);
        field(Number(p.income));
        field(Tag(p.duchy));
        field(Tag(p.kingdom));
        for (int k = 0; k < 3; ++k)
            field("----");
        point(p.castle);
        point(p.siege);
        point(p.harbour);
        point(p.works);
        for (int k = 0; k < 12; ++k)
            field("0");
        table += "\r\n";
    }
    WriteDataFile(context, "db\\province.csv", table);

    static const double kMoveCost[kTerrainCount] = { 1.5, 1.5, 2.0, 2.5, 1.0, 1.5, 1.0, 1.0, 1.0 };
    std::string terrain = "terrain;movement cost\r\n";
    for (int t = 0; t < kTerrainCount; ++t)
        terrain += std::string(kTerrainWord[t]) + ";" + Number(static_cast<float>(kMoveCost[t])) + "\r\n";
    WriteDataFile(context, "db\\terrain.csv", terrain);

    std::string spread;
    for (auto [a, b] : world.spreadNeighbours)
        spread += std::to_string(a) + ";" + std::to_string(b) + "\r\n";
    WriteDataFile(context, "db\\spreadneighbours.csv", spread);
}

std::vector<GeneratedText> WorldTexts(const World& world)
{
    std::vector<GeneratedText> texts;
    for (int n = 1; n < kWorldProvinces; ++n)
        texts.push_back({ "config\\province_names.csv", "PROV" + std::to_string(n),
            world.provinces[static_cast<std::size_t>(n)].name });
    for (int a = 0; a < kAreaCount; ++a) {
        std::string name = a == 0 ? "Nowhere" : szArea[a];
        bool upper = true;
        for (char& c : name) {
            if (c == '_') {
                c = ' ';
                upper = true;
            } else if (upper) {
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - 'a' + 'A');
                upper = false;
            }
        }
        texts.push_back({ "config\\world_names.csv", szTransArea[a], name });
    }
    return texts;
}

} // namespace datagen
