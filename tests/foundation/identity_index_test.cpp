// The identity registry's flat table against a plain map: adds, finds and removals in any order, through
// growth and the moves that keep probe runs unbroken after a removal.
#include "foundation/identity_index.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

namespace {

struct Object {
    CRZID id;
    const CRZID& GetHashKey() const { return id; }
};

TEST(IdentityIndex, AgreesWithAMapThroughGrowthAndRemovals)
{
    CIdentityIndex<Object> index;
    std::map<std::pair<uint16_t, uint32_t>, Object*> model;
    std::vector<std::unique_ptr<Object>> objects;
    uint32_t state = 12345;
    auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    // Few types and numbers close together: many keys share a home or sit side by side.
    for (int step = 0; step < 200000; ++step) {
        const CRZID id(static_cast<uint16_t>(10 + next() % 3), next() % 40000);
        const auto key = std::make_pair(id.type, id.number);
        auto held = model.find(key);
        if (held == model.end()) {
            objects.push_back(std::make_unique<Object>(Object { id }));
            index.Add(objects.back().get());
            model[key] = objects.back().get();
        } else if (next() % 2 == 0) {
            Object stranger { id };
            EXPECT_FALSE(index.Remove(&stranger)) << "only the object held under the key leaves";
            EXPECT_TRUE(index.Remove(held->second));
            EXPECT_FALSE(index.Remove(held->second));
            model.erase(held);
        }
        const CRZID probe(static_cast<uint16_t>(10 + next() % 3), next() % 40000);
        auto expected = model.find(std::make_pair(probe.type, probe.number));
        ASSERT_EQ(index.Find(probe), expected == model.end() ? nullptr : expected->second) << "step " << step;
    }
    ASSERT_EQ(index.GetCount(), model.size());
    for (const auto& [key, object] : model)
        ASSERT_EQ(index.Find(CRZID(key.first, key.second)), object);
    std::size_t visited = 0;
    index.ForEach([&](Object* object) {
        ++visited;
        EXPECT_EQ(model.at(std::make_pair(object->id.type, object->id.number)), object);
    });
    EXPECT_EQ(visited, model.size());
}

TEST(IdentityIndex, TypeAndNumberAreOneKey)
{
    CIdentityIndex<Object> index;
    Object a { CRZID(10, 7) };
    Object b { CRZID(7, 10) };
    Object c { CRZID(10, 0x70000) };
    index.Add(&a);
    index.Add(&b);
    index.Add(&c);
    EXPECT_EQ(index.Find(CRZID(10, 7)), &a);
    EXPECT_EQ(index.Find(CRZID(7, 10)), &b);
    EXPECT_EQ(index.Find(CRZID(10, 0x70000)), &c);
    EXPECT_EQ(index.Find(CRZID(17, 0)), nullptr);
}

} // namespace
