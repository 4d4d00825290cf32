// CListBox: the older list of the plain message box and menu screens: a title and a fixed number of text
// lines of one height addressed by index, scrolled by a top-line index with two buttons and a thumb on a
// drawn track, each line coloured by its state (selectable, selected, under the cursor).
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/point_rect.h"
#include "foundation/rz_id.h"
#include "gfx/drawable.h"

class CFont;
class CImage;
class CRZBtn;
class CSpriteList;

inline constexpr const char* kListBoxThumbImage = "gfx\\interface\\menu\\scrollbar_bar.bmp";
// Where the display list keeps a box that adds itself.
inline constexpr int kListBoxDepth = 8999;

// The colour codes of the lines' states.
inline constexpr const char* kListSelectableCode = "%057";
inline constexpr const char* kListSelectedCode = "%777";
inline constexpr const char* kListPlainCode = "%333";
inline constexpr const char* kListHoveredCode = "%777";

struct CListBoxLine {
    std::int32_t value = 0;
    CRZID id;
    std::int32_t reserved = 0;
    std::int32_t selectable = 0;
    std::string text;
    // The text itself when none was given.
    std::string second;
};

class CListBox : public CDrawable {
public:
    // With the thumb "gfx\interface\menu\scrollbar_bar.bmp"; a null image means no such button.
    CListBox(int x, int y, int width, int visibleLines, const char* title, CFont* titleFont, CFont* lineFont,
        const char* downImage, const char* upImage, bool addToDisplay);
    ~CListBox() override;
    CListBox(const CListBox&) = delete;
    CListBox& operator=(const CListBox&) = delete;

    void Init(int x, int y, int width, int visibleLines, const char* title, CFont* titleFont, CFont* lineFont,
        const char* downImage, const char* upImage, const char* thumbImage, bool addToDisplay);

    // Scrolling, selection (a double click also sets activated) and the line under the cursor; 3 when taken.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;
    // The screen position of the image the box draws into; input is moved back by it.
    void MoveTo(int x, int y) override
    {
        mScreenDX = x;
        mScreenDY = y;
    }
    int GetWidth() override { return mWidth; }
    void SetDestinationImage(CImage* image);

    // The newest line comes into view once the lines outnumber the visible ones. Answers the stored
    // second text, which lives as long as the box.
    const char* AddString(
        const char* text, int value, bool selectable, const CRZID& id, const char* secondText);
    // Word-wraps the text into selectable lines of value 0, each beginning with the prefix (a colour
    // code); codes take no width. Unless keepScroll, the first line comes into view.
    void AddText(const char* text, const char* prefix, bool keepScroll);
    // The word and a space after the line.
    static void InsertWord(std::string& word, std::string& line);

    int GetSelected() const { return mSelected; }
    int GetPreviousSelected() const { return mPreviousSelected; }
    int GetHovered() const { return mHovered; }
    bool IsActivated() const { return mActivated != 0; }
    int GetTop() const { return mTop; }
    int GetCount() const { return mCount; }
    int GetVisibleLines() const { return mVisibleLines; }
    bool NeedsScrolling() const { return mNeedsScrolling != 0; }
    const CListBoxLine* GetLine(int index) const;
    // The text a line is drawn with: its state's colour code before it.
    std::string GetDrawnText(int index) const;
    // The line's drawing position (y of its top) in the destination image.
    int GetLineY(int shown) const;
    CRZBtn* GetUpButton() const { return mUp; }
    CRZBtn* GetDownButton() const { return mDown; }
    CRZBtn* GetThumb() const { return mThumb; }
    CSpriteList* GetDrawables() const { return mDrawables; }

    // Set by the owners.
    void SetCentredTitle(bool centred) { mCentredTitle = centred ? 1 : 0; }
    void SetTitleOnImageCentre(bool centred) { mTitleOnImageCentre = centred ? 1 : 0; }
    void SetCentredLines(bool centred) { mCentredLines = centred ? 1 : 0; }
    void SetSelectionList(bool selection) { mSelectionList = selection ? 1 : 0; }
    void SetBarOffset(int offset) { mBarOffset = offset; }
    void SetSingleLineTrack(bool single) { mSingleLineTrack = single ? 1 : 0; }
    void SetShown(bool shown) { mShown = shown ? 1 : 0; }

private:
    void AddLine(const std::string& prefix, const std::string& line);
    int MaxTop() const { return std::max(mCount - mVisibleLines, 0); }
    // The scroll parts at the drawn place plus the offset; the thumb from the top line unless dragged.
    void PlaceScrollParts(int dx, int dy);
    int ThumbYFor(int top, int upY) const;
    // The shown line under the point in drawing positions, or -1.
    int LineAt(CPoint at) const;

    std::int32_t mCentredTitle = 0;
    std::int32_t mTitleOnImageCentre = 0;
    std::int32_t mActivated = 0;
    std::int32_t mY = 0;
    std::int32_t mThumbHeld = 0;
    std::int32_t mBarOffset = 0;
    std::int32_t mShown = 1;
    std::int32_t mWidth = 0;
    CImage* mDest = nullptr;
    std::int32_t mCentredLines = 1;
    std::int32_t mSelectionList = 1;
    std::int32_t mNeedsScrolling = 0;
    std::string mTitle;
    CFont* mTitleFont = nullptr;
    CFont* mLineFont = nullptr;
    CSpriteList* mDrawables = nullptr;
    std::int32_t mVisibleLines = 0;
    std::int32_t mTop = 0;
    std::int32_t mCount = 0;
    std::int32_t mSelected = -1;
    std::int32_t mPreviousSelected = -1;
    std::int32_t mHovered = -1;
    std::int32_t mX1 = 0;
    std::int32_t mTopY = 0;
    std::int32_t mX2 = 0;
    std::int32_t mBottomY = 0;
    CRZBtn* mUp = nullptr;
    CRZBtn* mDown = nullptr;
    CRZBtn* mThumb = nullptr;
    std::int32_t mScreenDX = 0;
    std::int32_t mScreenDY = 0;
    std::int32_t mDragging = 0;
    std::int32_t mTrackHeight = 0;
    std::int32_t mThumbY = 0;
    std::int32_t mGrabOffset = 0;
    std::int32_t mSingleLineTrack = 0;
    std::int32_t mAddedToDisplay = 0;
    std::vector<std::unique_ptr<CListBoxLine>> mLines;
};
