// The edit box: key sequences over a table (Enter, the maximum, digits only, Home and Delete, Backspace,
// keys that are no characters), the scroll that keeps the cursor in the box, StoreString's cut and
// SetColor's codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/edit_box.h"
#include "widgets/generated_interface.h"

#include "foundation/safeguards.h"

namespace {

class EditBoxes : public widgets_test::GeneratedInterface {
protected:
    int Key(CEditBox& box, int code) { return Send(box, _CRZEVT_KEYUP_, CPoint(), code); }
};

TEST_F(EditBoxes, KeySequences)
{
    constexpr int ENTER = 13, HOME = 16, END = 17, DEL = 7, BACK = 8, LEFT = 3;
    const struct {
        const char* name;
        int maxLength;
        bool digits;
        std::vector<int> keys;
        const char* text;
        int cursor;
        bool entered;
    } kCases[] = {
        { "Enter at the start", 20, false, { ENTER }, "", 0, false },
        { "Enter after a character", 20, false, { 'a', ENTER }, "a", 1, true },
        { "maximum 8 takes 8", 8, false, { 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j' }, "abcdefgh", 8,
            false },
        { "digits only", 20, true, { 'a', '1', 'b', '2' }, "12", 2, false },
        { "Home then Delete", 20, false, { 'a', 'b', 'c', HOME, DEL }, "bc", 0, false },
        { "Backspace at the start", 20, false, { 'a', HOME, BACK }, "a", 0, false },
        { "Backspace and insertion in the middle", 20, false, { 'a', 'b', 'c', LEFT, BACK, 'x', END }, "axc",
            3, false },
        { "keys that are no characters", 20, false,
            { 'a', 246, 255, 256, 260, 261, 266, 267, 9, 6, 11, 31, 127, -5, 300, '%', '\\', '|', 167, -89 },
            "a", 1, false },
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        CEditBox box(10, 10, 200, c.maxLength, font, &screen, nullptr);
        box.SetDigitsOnly(c.digits);
        for (int key : c.keys)
            EXPECT_EQ(Key(box, key), 3) << "every key is taken while focused";
        EXPECT_STREQ(box.GetText(), c.text);
        EXPECT_EQ(box.GetCursor(), c.cursor);
        EXPECT_EQ(box.IsEntered(), c.entered);
    }
}

TEST_F(EditBoxes, FocusComesAndGoesWithClicksAndTypingKeepsTheCursorInView)
{
    CEditBox box(10, 10, 40, 100, font, &screen, nullptr);
    EXPECT_EQ(Send(box, _CRZEVT_MOUSELBUP_, CPoint(300, 300)), 0);
    EXPECT_FALSE(box.HasFocus());
    EXPECT_EQ(Key(box, 'a'), 0);
    EXPECT_EQ(Send(box, _CRZEVT_MOUSELBUP_, CPoint(20, 15)), 3);
    EXPECT_TRUE(box.HasFocus());
    for (int i = 0; i < 30; ++i)
        Key(box, 'm');
    EXPECT_GT(box.GetFirstVisible(), 0);
    int width = 0;
    for (int i = box.GetFirstVisible(); i < box.GetCursor(); ++i)
        width += font->CharWidth('m') + 1;
    EXPECT_LE(width, 40);
    Key(box, 16);
    EXPECT_EQ(box.GetFirstVisible(), 0);
    screen.Fill16Bit(0);
    box.Draw(DRAW_TYPE_0);
    EXPECT_EQ(video_test::Pixel16(&screen, 10, 12), 0xFFFF) << "the cursor at the start";
}

TEST_F(EditBoxes, StoreStringCutsToTheMaximumAndSetColorTakesFourCharacterCodes)
{
    CEditBox box(10, 10, 200, 8, font, &screen, std::string(2000, 'q').c_str());
    EXPECT_EQ(std::string(box.GetText()), std::string(8, 'q'));
    box.StoreString(std::string(2000, 'z').c_str());
    EXPECT_EQ(std::string(box.GetText()), std::string(8, 'z'));
    box.SetColor("%700");
    EXPECT_EQ(box.GetColor(), CVideo::TrueToHigh(0, 0, 224));
    box.SetColor("%007");
    EXPECT_EQ(box.GetColor(), CVideo::TrueToHigh(224, 0, 0));
    for (const char* ignored : { "%70", "%7000", "%800", "" })
        box.SetColor(ignored);
    EXPECT_EQ(box.GetColor(), CVideo::TrueToHigh(224, 0, 0));
}

} // namespace
