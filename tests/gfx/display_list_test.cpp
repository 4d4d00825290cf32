// Sprite lists and the display list: drawing order, events offered from the front, what each answer does,
// and that no entry outlives its drawable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/display_list.h"
#include "gfx/sprite_list.h"

#include "foundation/safeguards.h"

namespace {

// Records its draws into a shared log and answers Update with a fixed code.
class Probe : public CDrawable {
public:
    Probe(std::string inName, std::vector<std::string>& inLog, int inAnswer = 0)
        : name(std::move(inName))
        , log(inLog)
        , answer(inAnswer)
    {
    }
    ~Probe() override { log.push_back("~" + name); }
    int Draw(CRZDrawType type) override
    {
        log.push_back(name + std::to_string(type));
        return 0;
    }
    int Update(CRZEvent*) override
    {
        log.push_back("?" + name);
        return answer;
    }
    std::string name;
    std::vector<std::string>& log;
    int answer;
};

using Log = std::vector<std::string>;

TEST(SpriteListTest, DrawsBackToFrontAndOffersEventsFrontFirst)
{
    Log log;
    struct Case {
        int answerOfB;
        int result;
        Log events; // offered, destroyed
        Log order; // drawn afterwards
    } cases[] = {
        { 0, 0, { "?C", "?B", "?A" }, { "A0", "B0", "C0" } },
        { 1, 3, { "?C", "?B", "~B" }, { "A0", "C0" } },
        { 2, 3, { "?C", "?B" }, { "A0", "C0", "B0" } },
        { 7, 3, { "?C", "?B" }, { "A0", "B0", "C0" } },
    };
    for (const Case& c : cases) {
        {
            CSpriteList list;
            list.Append(new Probe("A", log));
            list.Append(new Probe("B", log, c.answerOfB));
            list.Append(new Probe("C", log));
            log.clear();
            EXPECT_EQ(list.Update(nullptr), c.result) << c.answerOfB;
            EXPECT_EQ(log, c.events) << c.answerOfB;
            log.clear();
            list.Draw(DRAW_TYPE_0);
            EXPECT_EQ(log, c.order) << c.answerOfB;
            log.clear();
        }
        EXPECT_EQ(log.size(), c.order.size()) << "the list destroys what it holds";
        log.clear();
    }
    CWindowList windows;
    windows.Append(new Probe("A", log));
    windows.Append(new Probe("B", log));
    windows.DrawFrontToBack(DRAW_TYPE_2);
    EXPECT_EQ(log, (Log { "B2", "A2" }));
    CSpriteList empty;
    EXPECT_EQ(empty.Update(nullptr), 0);
}

TEST(DisplayListTest, DepthOrderPassesAndRemoval)
{
    Log log;
    CDisplayList list;
    Probe a("A", log), b("B", log), c("C", log);
    list.Add(&a, 10, DRAW_TYPE_0);
    list.Add(&b, 5, DRAW_TYPE_0);
    list.Add(&c, 10, DRAW_TYPE_0);
    list.Add(&a, 20, DRAW_TYPE_2);
    list.Draw();
    EXPECT_EQ(log, (Log { "B0", "C0", "A0", "A2" }));
    list.RemoveThis(&a);
    EXPECT_EQ(list.RemoveThis(&a, DRAW_TYPE_0), 0);
    EXPECT_EQ(list.RemoveThis(&c, DRAW_TYPE_2), 0);
    EXPECT_EQ(list.RemoveThis(&c, DRAW_TYPE_0), 1);
    EXPECT_EQ(list.GetSize(), 1);
    list.RemoveThis(&a); // not listed: nothing happens
    EXPECT_EQ(list.GetSize(), 1);
    list.RemoveThis(&b);
}

TEST(DisplayListTest, AnAnimationThatEndsTakesEveryEntryOfItsDrawable)
{
    Log log;
    CDisplayList list;
    auto* done = new Probe("D", log, 1);
    Probe keep("K", log, 3);
    list.Add(done, 1, DRAW_TYPE_0);
    list.Add(done, 2, DRAW_TYPE_2);
    list.Add(&keep, 3, DRAW_TYPE_0);
    list.Add(&keep, 4, DRAW_TYPE_4);
    EXPECT_EQ(list.Update(nullptr), 3);
    EXPECT_EQ(log, (Log { "?K", "?D", "~D" })) << "pass 0 only, from the top, on past other answers";
    EXPECT_EQ(list.GetSize(), 2);
    log.clear();
    list.Draw();
    EXPECT_EQ(log, (Log { "K0", "K4" }));
    keep.answer = 0;
    EXPECT_EQ(list.Update(nullptr), 0);

    auto* gone = new Probe("G", log);
    list.Add(gone, 0, DRAW_TYPE_0);
    list.Add(gone, 9, DRAW_TYPE_3);
    list.Delete(gone, DRAW_TYPE_0);
    EXPECT_EQ(list.GetSize(), 2);
    list.RemoveThis(&keep);
}

} // namespace
