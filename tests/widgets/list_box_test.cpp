// Both list boxes over the generated pictures and fonts: word wrap (fit, line ends, empty lines, colours
// running on, cut words and the buffers' ends), scrolling by arrows, wheel, bar and slider, the pinned
// slider, the bar's columns clipped to a small image, and the classic box's pages, clicks and line codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/classic_list_box.h"
#include "widgets/generated_interface.h"
#include "widgets/list_box.h"

#include "foundation/safeguards.h"

namespace {

using video_test::Pixel16;
using video_test::SetPixel16;

class ListBoxes : public widgets_test::GeneratedInterface {
protected:
    std::vector<std::string> Rows(CNewListBox& list)
    {
        std::vector<std::string> rows;
        list.ForEach([&](CNewListBoxEntry* row) {
            auto* text = dynamic_cast<CNewListBoxString*>(row);
            rows.push_back(text ? text->GetText() : std::string("<row>"));
        });
        return rows;
    }
    static int FirstIndex(CNewListBox& list) { return widgets_test::FirstVisibleIndex(list); }
    // A list of n one-line rows of the font's height at (100, 50).
    void Fill(CNewListBox& list, int n)
    {
        for (int i = 0; i < n; ++i)
            list.AddText(("row " + std::to_string(i) + "\n").c_str());
        list.MoveTo(100, 50);
    }
};

TEST_F(ListBoxes, WordWrapTable)
{
    const int width = font->Length("alpha beta ") + 2;
    const struct {
        const char* text;
        std::vector<std::string> rows;
    } kCases[] = {
        { "alpha beta gamma", { "alpha beta ", "gamma" } },
        { "alpha\nbeta", { "alpha", "beta" } },
        { "alpha\rbeta\r\n\n", { "alpha", "beta" } },
        { "\n\n\n", {} },
        { "alpha beta\ngamma", { "alpha beta", "gamma" } },
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        CNewListBox list(width, 100, LISTBOX_SHADOW, 0);
        list.AddText(c.text);
        EXPECT_EQ(Rows(list), c.rows);
        if (!c.rows.empty()) {
            EXPECT_EQ(list.GetFirstVisible(), *list.GetHead());
        }
    }
}

TEST_F(ListBoxes, AColourCodeRunsOnIntoTheNextRow)
{
    const int width = font->Length("alpha beta ") + 2;
    CNewListBox list(width, 100, LISTBOX_SHADOW, 0);
    const std::uint16_t start = CVideo::TrueToHigh(10, 10, 10);
    list.AddText("%700alpha beta gamma", start);
    ASSERT_EQ(list.GetSize(), 2);
    const auto* first = dynamic_cast<CNewListBoxString*>(*list.GetHead());
    const auto* second = dynamic_cast<CNewListBoxString*>(*list.GetTail());
    EXPECT_EQ(first->GetColour(), start);
    EXPECT_EQ(second->GetColour(), CVideo::TrueToHigh(0, 0, 224));
}

TEST_F(ListBoxes, ALongTextIsCutWithDotsThatFit)
{
    std::string text;
    while (font->Length(text.c_str()) < 300)
        text += "Wide words ";
    CNewListBoxString row(font, text.c_str(), 100, 0, false, true);
    const std::string& shown = row.GetShownText();
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_LE(font->Length(shown.c_str()), 100);
    EXPECT_GT(font->Length(shown.c_str()), 100 - 2 * font->Length("W") - 3 * font->Length("."));
}

TEST_F(ListBoxes, WordsAndLinesOfTwoThousandCharactersAreBrokenNotOverrun)
{
    const std::string word(2000, 'x');
    const std::string spaced = [] {
        std::string s;
        for (int i = 0; i < 700; ++i)
            s += "ab ";
        return s;
    }();
    for (const std::string& text : { word, spaced }) {
        CNewListBox list(100000, 100, LISTBOX_SHADOW, 0);
        list.AddText(text.c_str());
        std::size_t total = 0;
        list.ForEach([&](CNewListBoxEntry* row) {
            const std::string& t = dynamic_cast<CNewListBoxString*>(row)->GetText();
            EXPECT_LE(t.size(), 255u);
            total += t.size();
        });
        EXPECT_EQ(total, text.size());
        CListBox classic(0, 0, 100000, 5, "t", font, font, nullptr, nullptr, false);
        classic.AddText(text.c_str(), "%057", false);
        std::size_t classicTotal = 0;
        for (int i = 0; i < classic.GetCount(); ++i) {
            EXPECT_LE(classic.GetLine(i)->text.size(), 255u + 4u);
            classicTotal += classic.GetLine(i)->text.size() - 4;
        }
        EXPECT_GE(classicTotal, text.size() - 700);
    }
}

TEST_F(ListBoxes, RowsThatFitShowNoScrollPartsAndIgnoreTheWheel)
{
    CNewListBox list(150, 14 * 5, LISTBOX_SHADOW, 0);
    Fill(list, 5);
    EXPECT_FALSE(list.NeedsScrolling());
    EXPECT_EQ(Send(list, _CRZEVT_MOUSEWHEEL_, CPoint(120, 60), 0, -1), 0);
    screen.Fill16Bit(0x1111);
    list.Draw(DRAW_TYPE_0);
    const CPoint up = list.GetUpArrow()->GetPosition();
    EXPECT_EQ(Pixel16(&screen, up.x + 4, up.y + 4), 0x1111);
    EXPECT_EQ(Pixel16(&screen, list.GetBar().x, list.GetBar().y + 2), 0x1111);

    // A last row only cut by the bottom edge does not make the list scroll.
    CNewListBox cut(150, 14 * 4 + 7, LISTBOX_SHADOW, 0);
    Fill(cut, 5);
    EXPECT_FALSE(cut.CanScrollDown());
    EXPECT_FALSE(cut.NeedsScrolling());
}

TEST_F(ListBoxes, TheSliderPinsToTheBarsEndsAndTheWheelScrollsByRows)
{
    CNewListBox list(150, 14 * 6, LISTBOX_SHADOW, 0);
    Fill(list, 40);
    ASSERT_TRUE(list.NeedsScrolling());
    const CNewListBoxBar& bar = list.GetBar();
    const int travel = bar.height - list.GetSlider()->GetHeight();
    EXPECT_EQ(Send(list, _CRZEVT_MOUSEWHEEL_, CPoint(120, 60), 0, -1), 3);
    EXPECT_EQ(FirstIndex(list), 1);
    EXPECT_EQ(Send(list, _CRZEVT_MOUSEWHEEL_, CPoint(120, 60), 0, 1), 3);
    EXPECT_EQ(FirstIndex(list), 0);
    EXPECT_EQ(Send(list, _CRZEVT_MOUSEWHEEL_, CPoint(20, 60), 0, -1), 0) << "outside the list";
    for (int i = 0; i < 60; ++i)
        list.ScrollDown();
    EXPECT_EQ(FirstIndex(list), 34);
    EXPECT_EQ(list.GetSlider()->GetPosition().y, bar.y + travel);
    for (int i = 0; i < 60; ++i)
        list.ScrollUp();
    EXPECT_EQ(FirstIndex(list), 0);
    EXPECT_EQ(list.GetSlider()->GetPosition().y, bar.y);
}

TEST_F(ListBoxes, ABarClickPagesAboutAListHeightAndTheSliderDrags)
{
    CNewListBox list(150, 14 * 6, LISTBOX_SHADOW, 0);
    Fill(list, 40);
    const CNewListBoxBar& bar = list.GetBar();
    for (int i = 0; i < 20; ++i)
        list.ScrollDown();
    ASSERT_EQ(FirstIndex(list), 20);
    const CPoint slider = list.GetSlider()->GetPosition();
    EXPECT_EQ(Send(list, _CRZEVT_MOUSELBUP_, CPoint(bar.x, slider.y - 2)), 3);
    EXPECT_EQ(FirstIndex(list), 14);
    list.Draw(DRAW_TYPE_0);
    const CPoint on = list.GetSlider()->GetPosition();
    Send(list, _CRZEVT_MOUSELBUP_, CPoint(on.x + 4, on.y + 4));
    EXPECT_EQ(FirstIndex(list), 14) << "a click on the slider pages nothing";

    // Dragging the slider to the bar's bottom shows the last page.
    CInput::_isLeftButton = 1;
    EXPECT_EQ(Send(list, _CRZEVT_MOUSELBDOWN_, CPoint(on.x + 4, on.y + 4)), 3);
    EXPECT_EQ(Send(list, _CRZEVT_MOUSELBHELD_, CPoint(on.x + 4, bar.y + bar.height + 50)), 3);
    EXPECT_EQ(FirstIndex(list), 34);
    EXPECT_EQ(list.GetSlider()->GetPosition().y, bar.y + bar.height - list.GetSlider()->GetHeight());
    CInput::_isLeftButton = 0;
    EXPECT_EQ(Send(list, _CRZEVT_MOUSELBUP_, CPoint(on.x + 4, bar.y + bar.height)), 3);
}

TEST_F(ListBoxes, ADragOnABarNoTallerThanTheSliderMovesNothing)
{
    CNewListBox list(150, 40, LISTBOX_SHADOW, 0);
    Fill(list, 10);
    ASSERT_LE(list.GetBar().height, list.GetSlider()->GetHeight());
    const CPoint on = list.GetSlider()->GetPosition();
    CInput::_isLeftButton = 1;
    Send(list, _CRZEVT_MOUSELBDOWN_, CPoint(on.x + 4, on.y + 4));
    ASSERT_TRUE(list.GetSlider()->isDown());
    EXPECT_EQ(Send(list, _CRZEVT_MOUSELBHELD_, CPoint(on.x + 4, on.y + 30)), 3);
    EXPECT_EQ(FirstIndex(list), 0);
    EXPECT_EQ(list.GetSlider()->GetPosition(), on);
}

TEST_F(ListBoxes, AppendedTextStaysScrolledPastTheResetLimit)
{
    CNewListBox list(150, 14 * 3, LISTBOX_SHADOW, 5);
    list.MoveTo(100, 50);
    for (int i = 0; i < 5; ++i)
        list.AppendText(("line " + std::to_string(i)).c_str(), 0);
    EXPECT_EQ(FirstIndex(list), 0);
    list.AppendText("line 5", 0);
    EXPECT_GT(FirstIndex(list), 0);
    EXPECT_FALSE(list.CanScrollDown()) << "the newest row is in view";
}

TEST_F(ListBoxes, ADividerClickReachesOnSelectedAndTicksLightTheRowUnderTheCursor)
{
    CNewListBox list(150, 100, LISTBOX_SHADOW, 0);
    list.MoveTo(100, 50);
    list.AddString("first", 1, true, NOID);
    auto* divider = new CNewListBoxDivider(150, 10, 0xFFFF);
    list.Append(divider);
    list.AddString("last", 2, false, NOID);
    EXPECT_EQ(Send(list, _CRZEVT_MOUSELBUP_, CPoint(120, 50 + 14 + 5)), 3);
    EXPECT_EQ(list.GetSelected(), divider);
    Send(list, _CRZEVT_TIMER_TICK_LOOP_, CPoint(120, 55));
    EXPECT_TRUE((*list.GetHead())->IsHighlighted());
    Send(list, _CRZEVT_TIMER_TICK_LOOP_, CPoint(120, 50 + 14 + 5));
    EXPECT_FALSE((*list.GetHead())->IsHighlighted());
    EXPECT_FALSE(divider->IsHighlighted()) << "a divider is never lit";
}

TEST_F(ListBoxes, TheBarDrawsItsColumnsFromEightLeftAndIsClippedToItsImage)
{
    CNewListBox list(150, 14 * 6, LISTBOX_SHADOW, 0);
    Fill(list, 40);
    screen.Fill16Bit(0x1111);
    list.Draw(DRAW_TYPE_0);
    const CNewListBoxBar& bar = list.GetBar();
    const int y = bar.y + bar.height - 1;
    for (int i = 0; i < CNewListBoxBar::kColumns; ++i) {
        SCOPED_TRACE(i);
        const bool key = i <= 2 || i == 16;
        EXPECT_EQ(Pixel16(&screen, bar.x - 8 + i, y), key ? 0x1111 : bar.colours[i]);
    }
    EXPECT_EQ(bar.colours[6], CVideo::TrueToHigh(58, 51, 38));
    EXPECT_EQ(bar.colours[13], CVideo::TrueToHigh(114, 108, 96));

    // In a window image smaller than the bar every write stays inside the image.
    CImage window(120, 40, 16, IMAGE_SYSTEM);
    window.Fill16Bit(0x2222);
    CNewListBox narrow(80, 14 * 6, LISTBOX_SHADOW, 0);
    Fill(narrow, 40);
    narrow.SetDestinationImage(&window);
    narrow.MoveTo(0, 10);
    for (int i = 0; i < 60; ++i)
        narrow.ScrollDown();
    narrow.Draw(DRAW_TYPE_0);
    ASSERT_GT(narrow.GetBar().y + narrow.GetBar().height, 40);
    EXPECT_EQ(Pixel16(&window, narrow.GetBar().x, 39), narrow.GetBar().colours[8])
        << "the bar reaches the last row";
}

// The classic list box.

class ClassicListBox : public ListBoxes {
protected:
    // Lines start below the title at GetLineY; the box at (100, 50), 200 wide.
    CPoint LinePoint(CListBox& box, int shown) { return CPoint(150, box.GetLineY(shown) + 3); }
};

TEST_F(ClassicListBox, PastTheVisibleCountTheNewestLinesAndTheScrollPartsShow)
{
    CListBox box(100, 50, 200, 5, "Title", font, font, "gfx\\interface\\btn_pil_down.bmp",
        "gfx\\interface\\btn_pil_up.bmp", false);
    for (int i = 0; i < 5; ++i)
        box.AddString(("line " + std::to_string(i)).c_str(), i, true, NOID, nullptr);
    EXPECT_FALSE(box.NeedsScrolling());
    EXPECT_EQ(box.GetTop(), 0);
    for (int i = 5; i < 8; ++i)
        box.AddString(("line " + std::to_string(i)).c_str(), i, true, NOID, nullptr);
    EXPECT_TRUE(box.NeedsScrolling());
    EXPECT_EQ(box.GetTop(), 3);
    screen.Fill16Bit(0x1111);
    box.Draw(DRAW_TYPE_0);
    const CPoint up = box.GetUpButton()->GetPosition();
    EXPECT_EQ(up.x, 300);
    EXPECT_NE(Pixel16(&screen, up.x + 8, up.y + 8), 0x1111);

    // The wheel stops at the first and the last full page.
    const CPoint inside(150, box.GetLineY(1));
    EXPECT_EQ(Send(box, _CRZEVT_MOUSEWHEEL_, inside, 0, 1), 3);
    EXPECT_EQ(box.GetTop(), 3);
    for (int i = 0; i < 5; ++i)
        Send(box, _CRZEVT_MOUSEWHEEL_, inside, 0, -1);
    EXPECT_EQ(box.GetTop(), 0);

    // The down arrow steps a line; the thumb drags to the last page.
    const CPoint down = box.GetDownButton()->GetPosition();
    CInput::_isLeftButton = 1;
    Send(box, _CRZEVT_MOUSELBDOWN_, CPoint(down.x + 8, down.y + 8));
    EXPECT_EQ(box.GetTop(), 1);
    CInput::_isLeftButton = 0;
    Send(box, _CRZEVT_MOUSELBUP_, CPoint(down.x + 8, down.y + 8));
    const CPoint thumb = box.GetThumb()->GetPosition();
    CInput::_isLeftButton = 1;
    EXPECT_EQ(Send(box, _CRZEVT_MOUSELBDOWN_, CPoint(thumb.x + 6, thumb.y + 4)), 3);
    EXPECT_EQ(Send(box, _CRZEVT_MOUSELBHELD_, CPoint(thumb.x + 6, down.y + 40)), 3);
    box.Draw(DRAW_TYPE_0);
    EXPECT_EQ(box.GetTop(), 3);
}

TEST_F(ClassicListBox, ClicksSelectOnlySelectableLinesAndADoubleClickActivates)
{
    CListBox box(100, 50, 200, 5, "Title", font, font, nullptr, nullptr, false);
    box.AddString("plain", 0, false, NOID, nullptr);
    box.AddString("choice", 1, true, NOID, "second");
    EXPECT_STREQ(box.GetLine(1)->second.c_str(), "second");
    EXPECT_EQ(Send(box, _CRZEVT_MOUSELBUP_, LinePoint(box, 0)), 0);
    EXPECT_EQ(box.GetSelected(), -1);
    EXPECT_EQ(Send(box, _CRZEVT_MOUSELBUP_, LinePoint(box, 1)), 3);
    EXPECT_EQ(box.GetSelected(), 1);
    EXPECT_FALSE(box.IsActivated());
    EXPECT_EQ(Send(box, _CRZEVT_MOUSELBDOUBLECLICK_, LinePoint(box, 1)), 3);
    EXPECT_TRUE(box.IsActivated());
    EXPECT_EQ(box.GetPreviousSelected(), 1);
    Send(box, _CRZEVT_MOUSEMOVE_, CPoint(5, 5));
    EXPECT_FALSE(box.IsActivated()) << "cleared by the next update";
}

TEST_F(ClassicListBox, LinesTakeTheColourCodeOfTheirState)
{
    CListBox box(100, 50, 200, 5, "Title", font, font, nullptr, nullptr, false);
    box.AddString("plain", 0, false, NOID, nullptr);
    box.AddString("choice", 1, true, NOID, nullptr);
    box.AddString("%700chosen", 2, true, NOID, nullptr);
    box.AddString("%700hover", 3, true, NOID, nullptr);
    Send(box, _CRZEVT_MOUSELBUP_, LinePoint(box, 2));
    Send(box, _CRZEVT_MOUSEMOVE_, LinePoint(box, 3));
    EXPECT_EQ(box.GetHovered(), 3);
    EXPECT_EQ(box.GetDrawnText(0), "%333plain");
    EXPECT_EQ(box.GetDrawnText(1), "%057choice");
    EXPECT_EQ(box.GetDrawnText(2), "%777chosen");
    EXPECT_EQ(box.GetDrawnText(3), "%777hover");
    box.SetSelectionList(false);
    EXPECT_EQ(box.GetDrawnText(1), "%333choice");
}

TEST_F(ClassicListBox, WrapCountsNoWidthForCodesAndNeverReadsPastTheEnd)
{
    const int width = font->Length("abcd");
    CListBox box(100, 50, width, 5, "Title", font, font, nullptr, nullptr, false);
    box.AddText("ab%700cd", "", false);
    ASSERT_EQ(box.GetCount(), 1);
    EXPECT_EQ(box.GetLine(0)->text, "ab%700cd");
    box.AddText("abcdx", "", false);
    EXPECT_EQ(box.GetCount(), 3) << "a word wider than the box is cut before its last character";
    EXPECT_EQ(box.GetLine(2)->text, "x");

    const struct {
        std::string text;
        std::string line;
    } kEnds[] = { { "a%", "a%" }, { "a%1", "a%1" }, { "a%12", "a%12" }, { "a\xa7", "a\xa7" }, { "a\\", "a" },
        { "a\\%1", "a%1" }, { "a\\nb", "a" } };
    for (const auto& c : kEnds) {
        SCOPED_TRACE(c.text);
        CListBox ends(100, 50, 400, 5, "Title", font, font, nullptr, nullptr, false);
        // A copy of exactly the text's bytes, so that a read past the end is caught.
        std::vector<char> bytes(c.text.begin(), c.text.end());
        bytes.push_back('\0');
        ends.AddText(bytes.data(), "", false);
        ASSERT_GE(ends.GetCount(), 1);
        EXPECT_EQ(ends.GetLine(0)->text, c.line);
    }
}

} // namespace
