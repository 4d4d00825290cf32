// The drop-down box over the generated pictures, fonts and texts: the choices it takes, what it shows
// with none, opening and picking by clicks, rows that cannot be picked, closing by moving away, and a
// wheel turn that must not pick the choice added last.
#include <gtest/gtest.h>

#include <string>

#include "gfx/solid_frame.h"
#include "text/new_text.h"
#include "widgets/drop_down.h"
#include "widgets/generated_interface.h"
#include "widgets/list_box.h"

#include "foundation/safeguards.h"

namespace {

class DropDownTest : public widgets_test::GeneratedInterface {
protected:
    void SetUp() override
    {
        GeneratedInterface::SetUp();
        ASSERT_EQ(TextStrings.Init(RZ_LANGUAGE_0), 1);
    }
    void TearDown() override
    {
        TextStrings.DeleteAll();
        GeneratedInterface::TearDown();
    }
    // A left click: press and release at the point.
    int Click(CDropDown& box, CPoint at)
    {
        Send(box, _CRZEVT_MOUSELBDOWN_, at);
        return Send(box, _CRZEVT_MOUSELBUP_, at);
    }
    static CPoint Centre(CRZBtn* button)
    {
        const CPoint p = button->GetPosition();
        return CPoint(p.x + button->GetWidth() / 2, p.y + button->GetHeight() / 2);
    }
    // The middle of the list's row at index, as the open list lays it out.
    CPoint Row(CDropDown& box, int index)
    {
        const CPoint list = box.GetList()->GetPosition();
        return CPoint(list.x + 20, list.y + index * font->GetLineHeight() + font->GetLineHeight() / 2);
    }
    int CountColour(int x0, int y0, int x1, int y1, std::uint16_t colour)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += video_test::Pixel16(&screen, x, y) == colour;
        return n;
    }
};

TEST_F(DropDownTest, ChoicesAreUpperCaseAndACaseVariantIsRefused)
{
    CDropDown box(160, 120, DROPDOWN_LIGHT);
    const struct {
        const char* text;
        bool disabled;
        int added;
    } kCases[] = {
        { "Aldmere", false, 1 },
        { "aLDMERE", false, 0 },
        { "Brannock", true, 1 },
        { "BRANNOCK", false, 0 },
        { "Corvale", false, 1 },
    };
    int value = 10;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.disabled ? box.AddDisabledEntry(c.text) : box.AddEntry(c.text, value++, true), c.added);
    }
    EXPECT_EQ(box.GetList()->GetSize(), 3);
    // The first choice added is the selection.
    EXPECT_EQ(box.GetInt(), 10);
    EXPECT_STREQ(box.GetSelectedString(), "ALDMERE");
    // Upper-casing a text longer than any row keeps to the row's limit.
    const std::string longText(600, 'q');
    EXPECT_EQ(box.AddEntry(longText.c_str(), 99, true), 1);
    const auto* last = dynamic_cast<CNewListBoxString*>(*box.GetList()->GetTail());
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->GetText(), std::string(255, 'Q'));
}

TEST_F(DropDownTest, WithoutChoicesItShowsTheNoChoiceTextInRed)
{
    CDropDown box(160, 120, DROPDOWN_LIGHT);
    EXPECT_EQ(box.GetInt(), -1);
    EXPECT_EQ(box.GetSelectedString(), nullptr);
    box.MoveTo(100, 100);
    screen.Fill16Bit(CVideo::TrueToHigh(0, 0, 64));
    box.Draw(DRAW_TYPE_0);
    const int lineHeight = font->GetLineHeight();
    EXPECT_GT(CountColour(104, 102, 104 + 120, 102 + lineHeight, CVideo::TrueToHigh(255, 0, 0)), 10);
    EXPECT_EQ(CountColour(104, 102, 104 + 120, 102 + lineHeight, CVideo::TrueToHigh(255, 255, 255)), 0);
    // The closed frame's corner in its default colour, the open frame parked.
    EXPECT_EQ(video_test::Pixel16(&screen, 100, 100), CRZSolidFrame::DefaultFrameColour());
    EXPECT_EQ(box.GetOpenFrame()->GetPosition(), CPoint(-1000, -1000));
}

TEST_F(DropDownTest, ClicksOpenTheBoxAndPickOnlySelectableRows)
{
    CDropDown box(160, 120, DROPDOWN_DARK);
    box.AddEntry("Aldmere", 1, true);
    box.AddDisabledEntry("Brannock");
    box.AddEntry("Corvale", 3, false);
    box.AddEntry("Dunholt", 4, true);
    box.MoveTo(100, 100);
    ASSERT_TRUE(box.IsClosed());

    EXPECT_EQ(Click(box, Centre(box.GetClosedButton())), 3);
    ASSERT_FALSE(box.IsClosed());
    box.Draw(DRAW_TYPE_0);
    EXPECT_EQ(box.GetList()->GetPosition(), CPoint(104, 123));

    // A disabled row and a row made unselectable leave the box open and the choice as it was.
    for (int row : { 1, 2 }) {
        SCOPED_TRACE(row);
        Click(box, Row(box, row));
        EXPECT_FALSE(box.IsClosed());
        EXPECT_EQ(box.GetInt(), 1);
        EXPECT_EQ(box.GetList()->GetSelected(), box.GetSelected());
    }
    // A selectable one is taken and closes the box.
    EXPECT_EQ(Click(box, Row(box, 3)), 3);
    EXPECT_TRUE(box.IsClosed());
    EXPECT_EQ(box.GetInt(), 4);
    EXPECT_STREQ(box.GetSelectedString(), "DUNHOLT");

    // Open again: the open button closes it without a change.
    Click(box, Centre(box.GetClosedButton()));
    ASSERT_FALSE(box.IsClosed());
    Click(box, Centre(box.GetOpenButton()));
    EXPECT_TRUE(box.IsClosed());
    EXPECT_EQ(box.GetInt(), 4);
}

TEST_F(DropDownTest, MovingAwayClosesItUnchangedButARightPressDoesNot)
{
    CDropDown box(160, 120, DROPDOWN_LIGHT);
    box.AddEntry("Aldmere", 1, true);
    box.AddEntry("Brannock", 2, true);
    box.MoveTo(100, 100);
    Click(box, Centre(box.GetClosedButton()));
    ASSERT_FALSE(box.IsClosed());

    EXPECT_EQ(Send(box, _CRZEVT_MOUSERBDOWN_, CPoint(400, 400)), 0);
    EXPECT_FALSE(box.IsClosed());
    EXPECT_EQ(Send(box, _CRZEVT_MOUSEMOVE_, CPoint(150, 150)), 0);
    EXPECT_FALSE(box.IsClosed());
    EXPECT_EQ(Send(box, _CRZEVT_MOUSEMOVE_, CPoint(100 + 160, 150)), 0);
    EXPECT_TRUE(box.IsClosed());
    EXPECT_EQ(box.GetInt(), 1);
}

TEST_F(DropDownTest, AWheelTurnOverTheOpenListKeepsTheSelection)
{
    CDropDown box(160, 80, DROPDOWN_LIGHT);
    for (int i = 0; i < 12; ++i)
        box.AddEntry(("Realm " + std::to_string(i)).c_str(), i, true);
    box.MoveTo(100, 100);
    Click(box, Centre(box.GetClosedButton()));
    ASSERT_FALSE(box.IsClosed());
    ASSERT_TRUE(box.GetList()->NeedsScrolling());
    const CPoint over = Row(box, 0);
    EXPECT_EQ(Send(box, _CRZEVT_MOUSEWHEEL_, over, 0, -1), 3);
    EXPECT_EQ(widgets_test::FirstVisibleIndex(*box.GetList()), 1);
    EXPECT_FALSE(box.IsClosed());
    EXPECT_EQ(box.GetInt(), 0);
    EXPECT_STREQ(box.GetSelectedString(), "REALM 0");
}

TEST_F(DropDownTest, ABoxTooLowForItsListGetsAnEmptyOne)
{
    for (int height : { 0, 5, font->GetLineHeight() + 4 }) {
        SCOPED_TRACE(height);
        CDropDown box(160, height, DROPDOWN_LIGHT);
        EXPECT_EQ(box.GetList()->GetHeight(), 0);
        box.AddEntry("Aldmere", 1, true);
        box.MoveTo(10, 10);
        Click(box, Centre(box.GetClosedButton()));
        box.Draw(DRAW_TYPE_0);
        EXPECT_EQ(Send(box, _CRZEVT_MOUSEWHEEL_, CPoint(20, 40), 0, -1), 0);
        EXPECT_EQ(box.GetInt(), 1);
    }
}

} // namespace
