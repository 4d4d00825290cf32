// CDropDown: a one-line box showing the chosen one of several named choices, each with a value; a click
// on its button opens a taller frame with the list of choices, and picking one closes it again.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/drawable.h"

class CFont;
class CImage;
class CNewListBox;
class CNewListBoxEntry;
class CRZBtn;
class CRZSolidFrame;

// 1 dark; anything else light.
enum DropDownMode : std::int32_t {
    DROPDOWN_LIGHT = 0,
    DROPDOWN_DARK = 1,
};

inline constexpr const char* kDropDownFontFile = "gfx\\fonts\\proforma12.bmp";
inline constexpr const char* kDropDownButton = "gfx\\interface\\btn_dropdown.bmp";
inline constexpr const char* kDropDownButtonDark = "gfx\\interface\\btn_dropdown_dark.bmp";
// Where the open list starts below the box's top, and its room left of the frame's right edge.
inline constexpr int kDropDownListTop = 23;
inline constexpr int kDropDownListMargin = 24;
// Choices are cut to the room of the closed frame less this.
inline constexpr int kDropDownChoiceMargin = 20;

class CDropDown : public CDrawable {
public:
    // width by height is the open box; the closed one is a line of the font's height plus 4. The list of
    // choices gets the open box's whole lines of the font less the closed box and 10 pixels, never less
    // than nothing. Draws into the back buffer.
    CDropDown(int width, int height, DropDownMode mode);
    ~CDropDown() override;
    CDropDown(const CDropDown&) = delete;
    CDropDown& operator=(const CDropDown&) = delete;

    // The list first (a selectable row picked closes the box), then the buttons, then a mouse event
    // outside the open box closes it. Answers what the part that took the event answered, else 0.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;
    // Lays the parts out for the box's state; the hidden ones are parked at (-1000, -1000).
    void MoveTo(int x, int y) override;

    // A choice whose text equals an existing one but for letter case is refused (0); otherwise 1. The text
    // is shown in upper case, cut to 255 characters. The first choice added becomes the selection.
    int AddEntry(const char* text, int value, bool selectable);
    // A grey row that can never be chosen, under the same duplicate rule.
    int AddDisabledEntry(const char* text);

    // The selected choice's value, -1 when none.
    int GetInt() const;
    // The selected choice's shown text, null when none; valid while the choice lives.
    const char* GetSelectedString() const;
    void SetDestinationImage(CImage* image);

    bool IsClosed() const { return mClosed != 0; }
    CNewListBox* GetList() const { return mList; }
    CRZBtn* GetClosedButton() const { return mClosedButton; }
    CRZBtn* GetOpenButton() const { return mOpenButton; }
    CRZSolidFrame* GetClosedFrame() const { return mClosedFrame; }
    CRZSolidFrame* GetOpenFrame() const { return mOpenFrame; }
    CNewListBoxEntry* GetSelected() const { return mSelected; }

private:
    bool HasChoice(const std::string& upper) const;
    void Open(bool open);

    CNewListBox* mList = nullptr;
    CImage* mDest = nullptr;
    CNewListBoxEntry* mSelected = nullptr;
    CFont* mFont = nullptr;
    CRZSolidFrame* mClosedFrame = nullptr;
    CRZSolidFrame* mOpenFrame = nullptr;
    CRZBtn* mClosedButton = nullptr;
    CRZBtn* mOpenButton = nullptr;
    std::int32_t mX = 0;
    std::int32_t mY = 0;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    std::int32_t mClosed = 1;
    std::string mNoChoice;
    DropDownMode mMode;
    std::uint16_t mChoiceColour = 0;
};
