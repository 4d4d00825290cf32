// CNewListBox: the scrolling list of the game's windows (message texts, choices, court members, requests),
// a list of rows of mixed heights that word-wraps text, scrolls by whole rows with arrows, a drawn bar and a
// draggable slider, answers the wheel and reports a clicked row; and its rows.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/linked_list.h"
#include "foundation/point_rect.h"
#include "foundation/rz_id.h"
#include "gfx/drawable.h"
#include "widgets/input.h"

class CFont;
class CImage;
class CRZBtn;

// Text of one row, and the word and line buffers of word wrap, in characters.
inline constexpr int kListTextMax = 255;
inline constexpr const char* kListBoxFontFile = "gfx\\fonts\\proforma12.bmp";

// One row: it reports its own height and draws itself at the place the list gives it.
class CNewListBoxEntry : public CDrawable {
public:
    CNewListBoxEntry();

    void MoveTo(int x, int y) override
    {
        mX = x;
        mY = y;
    }
    int GetWidth() override { return 0; }
    virtual void SetHeight(int) { }
    virtual int GetHeight() { return 0; }
    // The argument, the list's width, is for rows that light a band of their own.
    virtual void HighlightOn(int) { mHighlighted = 1; }
    virtual void HighlightOff() { mHighlighted = 0; }
    virtual bool IsHighlighted() { return mHighlighted != 0; }
    // Edges excluded.
    virtual int Within(int x, int y);
    virtual bool IsSelectable() { return mSelectable != 0; }
    virtual void SetSelectable(bool selectable) { mSelectable = selectable ? 1 : 0; }
    virtual void SetDestinationImage(CImage* image) { mDest = image; }

    CPoint GetPosition() const { return CPoint(mX, mY); }
    CImage* GetDestinationImage() const { return mDest; }
    // The list's area, given before each draw.
    void SetArea(const CRect& area) { mArea = area; }
    const CRect& GetArea() const { return mArea; }

protected:
    std::int32_t mX = 0;
    std::int32_t mY = 0;
    CImage* mDest;
    std::int32_t mHighlighted = 0;
    CRect mArea;
    std::int32_t mSelectable = 0;
};

// A line of text, cut with "..." to the row's width.
class CNewListBoxString : public CNewListBoxEntry {
public:
    // The text is kept up to 255 characters.
    CNewListBoxString(
        CFont* font, const char* text, int width, std::uint16_t colour, bool centred, bool dropShadow);

    int Draw(CRZDrawType type) override;
    int GetWidth() override { return mWidth; }
    void SetHeight(int height) override { mHeight = height; }
    int GetHeight() override { return mHeight; }

    const std::string& GetText() const { return mText; }
    const std::string& GetShownText() const { return mShown; }
    std::uint16_t GetColour() const { return mColour; }
    void SetColour(std::uint16_t colour) { mColour = colour; }
    void SetDropShadow(bool drop) { mDropShadow = drop ? 1 : 0; }

protected:
    // Draws the shown text in that colour as the row's shadow and centring flags say.
    void PrintIn(std::uint16_t colour);

    CFont* mFont;
    std::uint16_t mColour;
    std::int32_t mDropShadow;
    std::int32_t mCentred;
    std::string mText;
    std::string mShown;
    std::int32_t mWidth;
    std::int32_t mHeight;
};

// A choice of a list: a value and an object id for its owner, lit while the cursor is over it, grey when
// disabled.
class CSelectableListBoxString : public CNewListBoxString {
public:
    CSelectableListBoxString(
        CFont* font, const char* text, int width, int value, const CRZID& id, bool enabled);

    int Draw(CRZDrawType type) override;

    int GetValue() const { return mValue; }
    const CRZID& GetObjectID() const { return mObjectID; }
    bool IsEnabled() const { return mEnabled != 0; }
    void SetEnabled(bool enabled) { mEnabled = enabled ? 1 : 0; }

private:
    std::int32_t mValue;
    CRZID mObjectID;
    std::int32_t mEnabled;
    std::uint16_t mHighlightColour;
};

// A horizontal line across the row at half its height; never lit.
class CNewListBoxDivider : public CNewListBoxEntry {
public:
    CNewListBoxDivider(int width, int height, std::uint16_t colour);
    int Draw(CRZDrawType type) override;
    int GetWidth() override { return mWidth; }
    int GetHeight() override { return mHeight; }
    void HighlightOn(int) override { }

private:
    std::int32_t mWidth;
    std::int32_t mHeight;
    std::uint16_t mColour;
};

// Empty room of a height; never selectable.
class CNewListBoxSpacer : public CNewListBoxEntry {
public:
    explicit CNewListBoxSpacer(int height);
    int GetHeight() override { return mHeight; }
    void SetSelectable(bool) override { }

private:
    std::int32_t mHeight;
};

// The scroll bar's track: 17 pixel columns around its centre column x, key-coloured columns left alone.
class CNewListBoxBar {
public:
    static constexpr int kColumns = 17;

    CNewListBoxBar();
    // From the row y down, clipped to the image on every side.
    void Draw(CImage* image) const;
    // x from 4 left of x to 20 right of it, y over the height.
    bool Within(int x, int y) const;

    std::uint16_t colours[kColumns];
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t height = 0;
    // Columns of this colour are not drawn.
    std::uint16_t key;
};

// 1: the scroll parts without shadow; anything else the shadowed ones.
enum ListBoxType : std::int32_t {
    LISTBOX_SHADOW = 0,
    LISTBOX_NOSHADOW = 1,
};

class CNewListBox : public CList<CNewListBoxEntry*>, public CDrawable, public CInputable {
public:
    // resetLimit: AppendText returns to the first row while the list holds at most that many rows.
    CNewListBox(int width, int height, ListBoxType type, int resetLimit);
    ~CNewListBox() override;
    CNewListBox(const CNewListBox&) = delete;
    CNewListBox& operator=(const CNewListBox&) = delete;

    // Scroll parts, then the rows in view; 3 when taken.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;
    int GetWidth() override { return mWidth; }
    virtual void OnSelected(CNewListBoxEntry* row) { mSelected = row; }
    // The list area's top left; the scroll parts go right of it.
    void MoveTo(int x, int y) override;
    int HandleInput(CRZInputEvent* event) override;

    // The arrows' right edge at the column.
    void SetScrollBarPos(int column);
    void SetScrollBarPosRelative(int dx) { SetScrollBarPos(mBarColumn + dx); }
    void SetDestinationImage(CImage* image);
    CImage* GetDestinationImage() const { return mDest; }

    int GetTotalHeight();
    // 0 at the first row, 1 once the last row is in view; 0 when the rows fit.
    float GetCurrentPos();
    void SetCurrentPos(float position);
    bool CanScrollUp();
    // Some row starts at or below the list's bottom: a row only cut by the edge does not count.
    bool CanScrollDown();
    bool NeedsScrolling() { return CanScrollUp() || CanScrollDown(); }
    void ScrollUp();
    void ScrollDown();
    void ResetPos() { mFirst = GetHead(); }

    // Word-wraps the text into rows (line feed and carriage return end a line; an inline colour runs on
    // into the next row) and shows the first row.
    void AddText(const char* text, std::uint16_t colour);
    void AddText(const char* text) { AddText(text, mColour); }
    // Running text (chat, logs): every row in the colour with a drop shadow, the newest in view once the
    // list holds more rows than the reset limit.
    void AppendText(const char* text, std::uint16_t colour);
    // Owned by the list, which answers it.
    CSelectableListBoxString* AddString(const char* text, int value, bool enabled, const CRZID& id);

    CNewListBoxEntry* GetSelected() const { return mSelected; }
    void SetSelected(CNewListBoxEntry* row) { mSelected = row; }
    // Null before the first update with rows.
    CNewListBoxEntry* GetFirstVisible() const { return mFirst.IsEnd() ? nullptr : *mFirst; }
    int GetHeight() const { return mHeight; }
    CPoint GetPosition() const { return CPoint(mX, mY); }
    CRZBtn* GetUpArrow() const { return mUp; }
    CRZBtn* GetDownArrow() const { return mDown; }
    CRZBtn* GetSlider() const { return mSlider; }
    const CNewListBoxBar& GetBar() const { return *mBar; }
    CFont* GetFont() const { return mFont; }
    void SetFont(CFont* font) { mFont = font; }
    std::uint16_t GetColour() const { return mColour; }
    void SetColour(std::uint16_t colour) { mColour = colour; }
    void SetCentred(bool centred) { mCentred = centred ? 1 : 0; }
    void SetDropShadow(bool drop) { mDropShadow = drop ? 1 : 0; }
    void SetClearSelectionOnClick(bool clear) { mClearOnClick = clear ? 1 : 0; }
    void SetRowOffset(int offset) { mRowOffset = offset; }

private:
    // The wrap of both text adders; append moves the view on with every row.
    void Wrap(const char* text, bool append);
    void AddWord(std::string& word, std::string& line, bool append);
    void InsertLine(std::string& line, bool append);
    void PlaceSlider();
    bool InArea(CPoint at) const;
    // Scrolls about one list height towards the cursor when a click lands on the bar off the slider.
    void Page(int cursorY);

    CNewListBoxEntry* mSelected = nullptr;
    std::int32_t mHeight;
    std::int32_t mWidth;
    std::int32_t mX = 0;
    std::int32_t mY = 0;
    std::int32_t mBarColumn = 0;
    Iterator mFirst;
    CRZBtn* mUp;
    CRZBtn* mDown;
    CRZBtn* mSlider;
    CImage* mDest;
    CNewListBoxBar* mBar;
    CFont* mFont;
    std::uint16_t mColour;
    std::int32_t mCentred = 0;
    std::int32_t mDropShadow = 1;
    std::int32_t mClearOnClick = 1;
    std::int32_t mRowOffset = 0;
    std::int32_t mDragging = 0;
    std::int32_t mGrabOffset = 0;
    std::int32_t mResetLimit;
    // The colour of the rows of the text being appended.
    std::uint16_t mAppendColour = 0;
};
