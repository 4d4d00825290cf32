// Overlap boxes and the character widgets: where a row of icons stands in its width (overlapping when it
// must), the hovered icon drawn above its neighbours, entries that remove themselves, trait icons, and
// characters that leave the registry while their icon or court row is still shown.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "characters/character.h"
#include "characters/title.h"
#include "characters/trait.h"
#include "events/game_clock.h"
#include "foundation/identity.h"
#include "gfx/sprite.h"
#include "realms/country.h"
#include "widgets/button.h"
#include "widgets/character_box.h"
#include "widgets/dialog_player.h"
#include "widgets/generated_interface.h"
#include "widgets/overlap_box.h"
#include "widgets/widget_hooks.h"

#include "foundation/safeguards.h"

namespace {

// An icon of a given width and colour; it asks to be removed on a left release over it.
class CBlockEntry : public CBoxEntry {
public:
    CBlockEntry(int width, std::uint16_t colour, int* destroyedCount = nullptr)
        : sprite(width, width, 16)
        , destroyed(destroyedCount)
    {
        sprite.GetImage()->Fill16Bit(colour);
        sprite.SetRectangularHit(true);
    }
    ~CBlockEntry() override
    {
        if (destroyed)
            ++*destroyed;
    }
    CSprite* GetSprite() override { return &sprite; }
    int Update(CRZEvent* event) override
    {
        const CPoint at = CInput::EventPosition(event);
        return event->GetType() == _CRZEVT_MOUSELBUP_ && Within(at.x, at.y) ? UPDATE_REMOVE : 0;
    }
    CSprite sprite;
    int* destroyed;
};

class OverlapBoxTest : public widgets_test::GeneratedInterface {
protected:
    void SetUp() override
    {
        GeneratedInterface::SetUp();
        CIdentity::TotalInit(NOID, 0);
        gpTimer = new CRZTimer(15);
        gCharacterBoxHooks.MakePortrait = [](CCharacter*) -> CRZBtn* {
            auto* portrait = new CRZBtn(128, 128, 16);
            portrait->SetTotalFrames(1);
            portrait->GetImage()->Fill16Bit(CVideo::TrueToHigh(200, 40, 40));
            portrait->SetRectangularHit(true);
            return portrait;
        };
        gCharacterBoxHooks.ShowCharacter = [](CCharacter* who) { gShown.push_back(who); };
        gShown.clear();
    }
    void TearDown() override
    {
        gCharacterBoxHooks = CCharacterBoxHooks();
        people.clear();
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
        GeneratedInterface::TearDown();
    }
    CCharacter* Person(const char* name)
    {
        people.push_back(std::make_unique<CCharacter>());
        CCharacter* person = people.back().get();
        person->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(people.size())));
        person->SetName(name);
        return person;
    }
    void Gone(CCharacter* person)
    {
        for (auto& p : people)
            if (p.get() == person)
                p.reset();
    }
    static std::vector<int> Lefts(COverlapBox& box)
    {
        std::vector<int> x;
        box.GetLayoutOrder().ForEach([&](CBoxEntry* e) { x.push_back(e->GetSprite()->GetPosition().x); });
        return x;
    }

    std::vector<std::unique_ptr<CCharacter>> people;
    static inline std::vector<CCharacter*> gShown;
};

TEST_F(OverlapBoxTest, IconsStandAtMostFiveApartAndOverlapWhenTheyDoNotFit)
{
    const struct {
        int count;
        int width;
        int fromRight;
        std::vector<int> lefts;
    } kCases[] = {
        { 3, 120, 0, { 0, 37, 74 } }, // a gap of 12 is capped at 5
        { 4, 100, 0, { 0, 22, 44, 66 } }, // floor(-28 / 3) = -10, not -9
        { 1, 100, 0, { 0 } },
        { 1, 100, 1, { 68 } },
        { 3, 120, 1, { 88, 51, 14 } },
        { 2, 64, 0, { 0, 32 } },
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(
            testing::Message() << c.count << " in " << c.width << (c.fromRight ? " from the right" : ""));
        CList<CBoxEntry*> entries;
        for (int i = 0; i < c.count; ++i)
            entries.Append(new CBlockEntry(32, 0));
        COverlapBox box(0, 10, c.width, 32, entries, c.fromRight, false);
        EXPECT_TRUE(entries.IsEmpty());
        EXPECT_EQ(Lefts(box), c.lefts);
        box.GetLayoutOrder().ForEach([](CBoxEntry* e) { EXPECT_EQ(e->GetSprite()->GetPosition().y, 10); });
        box.MoveTo(100, 20);
        EXPECT_EQ(Lefts(box).front(), c.lefts.front() + 100);
    }
}

TEST_F(OverlapBoxTest, AHoveredMiddleIconIsDrawnAboveBothNeighbours)
{
    const std::uint16_t colours[4] = { CVideo::TrueToHigh(255, 0, 0), CVideo::TrueToHigh(0, 0, 255),
        CVideo::TrueToHigh(255, 255, 0), CVideo::TrueToHigh(0, 255, 255) };
    CList<CBoxEntry*> entries;
    for (std::uint16_t colour : colours)
        entries.Append(new CBlockEntry(32, colour));
    COverlapBox box(100, 100, 100, 32, entries, 0, false);
    box.SetDestinationImage(&screen);
    const auto pixel = [&](int x) { return video_test::Pixel16(&screen, x, 110); };

    box.Draw(DRAW_TYPE_0);
    EXPECT_EQ(pixel(100 + 24), colours[0]); // the first stands in front as built
    EXPECT_EQ(pixel(100 + 50), colours[1]);

    // Over the second icon where the third covers it too: the second comes to the front.
    EXPECT_EQ(Send(box, _CRZEVT_MOUSEMOVE_, CPoint(100 + 50, 110)), 0);
    auto second = box.GetLayoutOrder().GetHead();
    second++;
    EXPECT_EQ(*box.GetStackingOrder().GetHead(), *second);
    box.Draw(DRAW_TYPE_0);
    EXPECT_EQ(pixel(100 + 24), colours[1]);
    EXPECT_EQ(pixel(100 + 50), colours[1]);
    EXPECT_EQ(pixel(100 + 60), colours[2]);
    // Off every icon nothing changes.
    Send(box, _CRZEVT_MOUSEMOVE_, CPoint(20, 20));
    box.Draw(DRAW_TYPE_0);
    EXPECT_EQ(pixel(100 + 24), colours[1]);
}

TEST_F(OverlapBoxTest, AnEntryAskingToGoLeavesBothListsAndIsDeleted)
{
    int destroyed = 0;
    CList<CBoxEntry*> entries;
    for (int i = 0; i < 3; ++i)
        entries.Append(new CBlockEntry(32, 0, &destroyed));
    {
        COverlapBox box(0, 0, 120, 32, entries, 0, false);
        EXPECT_EQ(Send(box, _CRZEVT_MOUSELBUP_, CPoint(40, 5)), UPDATE_REMOVE);
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(box.GetLayoutOrder().GetSize(), 2);
        EXPECT_EQ(box.GetStackingOrder().GetSize(), 2);
        EXPECT_EQ(Lefts(box), (std::vector<int> { 0, 74 }));
        EXPECT_EQ(Send(box, _CRZEVT_MOUSELBUP_, CPoint(50, 5)), 0);
    }
    EXPECT_EQ(destroyed, 3);
}

TEST_F(OverlapBoxTest, TraitIconsShowTheirFrameAndATraitOutsideTheTableShowsNone)
{
    ASSERT_TRUE(CTraitType::Init());
    COverlapBox box(10, 10, 200, 24, new CTraitBoxEntry(93), 0, false);
    ASSERT_EQ(box.GetLayoutOrder().GetSize(), 1);
    CSprite* icon = (*box.GetLayoutOrder().GetHead())->GetSprite();
    EXPECT_EQ(icon->GetTotalFrames(), kTraitIconFrames);
    EXPECT_EQ(icon->GetFrame(), 93);
    EXPECT_EQ(icon->GetWidth(), 24);
    EXPECT_STREQ(box.GetWindowInstantRollover(CPoint(20, 20)), CTraitType::Get(93)->GetName());
    EXPECT_EQ(box.GetWindowInstantRollover(CPoint(100, 20)), nullptr);
    for (int trait : { -1, 94, 100000 }) {
        SCOPED_TRACE(trait);
        COverlapBox none(10, 10, 200, 24, new CTraitBoxEntry(trait), 0, false);
        EXPECT_TRUE(none.GetLayoutOrder().IsEmpty());
        none.Draw(DRAW_TYPE_0);
        EXPECT_EQ(none.GetWindowDelayedRollover(CPoint(20, 20)), nullptr);
    }
    CTraitType::Shutdown();
}

TEST_F(OverlapBoxTest, AGoneCharactersIconDrawsNothingHasNoTipAndIgnoresClicks)
{
    CCharacter* ansgar = Person("Ansgar");
    COverlapBox box(50, 50, 64, 64, new CCharacterBoxEntry(CRef<CCharacter>(ansgar)), 0, true);
    ASSERT_EQ(box.GetLayoutOrder().GetSize(), 1);
    box.SetDestinationImage(&screen);
    EXPECT_EQ((*box.GetLayoutOrder().GetHead())->GetSprite()->GetWidth(), 64);
    EXPECT_STREQ(box.GetWindowInstantRollover(CPoint(60, 60)), "Ansgar");
    Send(box, _CRZEVT_MOUSELBDOWN_, CPoint(60, 60));
    Send(box, _CRZEVT_MOUSELBUP_, CPoint(60, 60));
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0], ansgar);

    Gone(ansgar);
    screen.Fill16Bit(0);
    box.Draw(DRAW_TYPE_0);
    EXPECT_EQ(video_test::Pixel16(&screen, 60, 60), 0);
    EXPECT_EQ(box.GetWindowInstantRollover(CPoint(60, 60)), nullptr);
    EXPECT_EQ(box.GetWindowDelayedRollover(CPoint(60, 60)), nullptr);
    EXPECT_EQ(Send(box, _CRZEVT_MOUSELBDOWN_, CPoint(60, 60)), 0);
    EXPECT_EQ(Send(box, _CRZEVT_MOUSELBUP_, CPoint(60, 60)), 0);
    EXPECT_EQ(gShown.size(), 1u);

    // An identity that names nobody makes no icon at all.
    COverlapBox nobody(
        0, 0, 64, 64, new CCharacterBoxEntry(CRef<CCharacter>(CRZID(RZTYPE_CHARACTER, 999))), 0, true);
    EXPECT_TRUE(nobody.GetLayoutOrder().IsEmpty());
}

TEST_F(OverlapBoxTest, TheCourtListKeepsOneSelectedRowAndGoneCharactersShowNothing)
{
    CCharacterListBox court(220, 4 * CCharacterListBoxEntry::kHeight, nullptr);
    court.SetDestinationImage(&screen);
    std::vector<CCharacterListBoxEntry*> rows;
    for (const char* name : { "Ansgar", "Brunhild", "Cedric" }) {
        rows.push_back(new CCharacterListBoxEntry(Person(name)));
        court.Append(rows.back());
    }
    court.MoveTo(100, 100);
    const auto rowPoint = [](int i) { return CPoint(150, 100 + i * CCharacterListBoxEntry::kHeight + 10); };
    const auto flags = [&] {
        std::vector<int> f;
        for (auto* row : rows)
            f.push_back(row->IsSelected() ? 1 : 0);
        return f;
    };
    EXPECT_EQ(Send(court, _CRZEVT_MOUSELBUP_, rowPoint(0)), 3);
    EXPECT_EQ(flags(), (std::vector<int> { 1, 0, 0 }));
    Send(court, _CRZEVT_MOUSELBUP_, rowPoint(2));
    EXPECT_EQ(flags(), (std::vector<int> { 0, 0, 1 }));
    // Below the last row, inside the list: the selection stays.
    Send(court, _CRZEVT_MOUSELBUP_, rowPoint(3));
    EXPECT_EQ(flags(), (std::vector<int> { 0, 0, 1 }));
    EXPECT_EQ(court.GetSelected(), rows[2]);
    EXPECT_NE(court.GetInstantRollover(rowPoint(1).x, rowPoint(1).y), nullptr);

    // Brunhild dies: her row draws nothing, has no tip and takes no click.
    Gone(rows[1]->GetCharacter());
    screen.Fill16Bit(0);
    court.Draw(DRAW_TYPE_0);
    const auto painted = [&](int row) {
        int n = 0;
        for (int y = 100 + row * 32; y < 100 + (row + 1) * 32; ++y)
            for (int x = 100; x < 300; ++x)
                n += video_test::Pixel16(&screen, x, y) != 0;
        return n;
    };
    EXPECT_GT(painted(0), 100);
    EXPECT_EQ(painted(1), 0);
    EXPECT_EQ(court.GetInstantRollover(rowPoint(1).x, rowPoint(1).y), nullptr);
    Send(court, _CRZEVT_MOUSELBUP_, rowPoint(1));
    EXPECT_EQ(flags(), (std::vector<int> { 0, 0, 1 }));
}

TEST_F(OverlapBoxTest, ATitlesArmsTakeThePlayerToItsRealmOnlyWhileTheRealmExists)
{
    widgets_test::CRecordingPlayer player;
    gWidgetHooks = {};
    gWidgetHooks.player = &player;
    gWidgetHooks.MakeCoatOfArms = [](CRZCountryID) -> CRZBtn* {
        auto* arms = new CRZBtn(32, 32, 16);
        arms->SetTotalFrames(1);
        arms->SetRectangularHit(true);
        return arms;
    };
    CRZCountry::InitCountryArray();
    CTitle title(6);
    COverlapBox box(0, 0, 64, 32, new CTitleBoxEntry(&title), 0, false);
    ASSERT_EQ(box.GetLayoutOrder().GetSize(), 1);
    const auto click = [&] {
        Send(box, _CRZEVT_MOUSELBDOWN_, CPoint(10, 10));
        return Send(box, _CRZEVT_MOUSELBUP_, CPoint(10, 10));
    };
    click();
    EXPECT_TRUE(player.shownCountries.empty());
    CRZCountry::ConstructCountry(6);
    EXPECT_EQ(click(), 3);
    EXPECT_EQ(player.shownCountries, std::vector<CRZCountryID> { 6 });
    // A null title makes no icon.
    COverlapBox none(0, 0, 64, 32, new CTitleBoxEntry(nullptr), 0, false);
    EXPECT_TRUE(none.GetLayoutOrder().IsEmpty());
    CRZCountry::DeleteAll();
    gWidgetHooks = {};
}

} // namespace
