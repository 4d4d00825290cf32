// The scrolling list: rows, word wrap, the scroll parts and the bar, scrolling by whole rows, and the
// rows' drawing.
#include "widgets/list_box.h"

#include <algorithm>
#include <vector>

#include "events/generic_events.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "widgets/button.h"
#include "widgets/track_columns.h"

#include "foundation/safeguards.h"

namespace {

const char* const kArrowImages[2][3] = {
    { "gfx\\interface\\btn_pil_up.bmp", "gfx\\interface\\btn_pil_down.bmp",
        "gfx\\interface\\btn_slider.bmp" },
    { "GFX\\interface\\btn_pil_up_noshadow.bmp", "GFX\\interface\\btn_pil_down_noshadow.bmp",
        "GFX\\interface\\btn_slider_noshadow.bmp" },
};

constexpr int kParked = -1000;

} // namespace

void DrawTrackColumns(
    CImage* image, int x, int top, int bottom, const std::uint16_t* colours, int count, int key)
{
    if (!image || image->GetBytesPerPixel() != 2)
        return;
    const int firstRow = std::max(top, 0);
    const int endRow = std::min(bottom, image->GetHeight());
    const int firstColumn = std::max(x, 0);
    const int endColumn = std::min(x + count, image->GetWidth());
    if (firstRow >= endRow || firstColumn >= endColumn)
        return;
    unsigned char* base = image->Lock();
    if (!base)
        return;
    for (int row = firstRow; row < endRow; ++row) {
        auto* pixels
            = reinterpret_cast<std::uint16_t*>(base + static_cast<std::ptrdiff_t>(row) * image->GetPitch());
        for (int column = firstColumn; column < endColumn; ++column) {
            const std::uint16_t colour = colours[column - x];
            if (key < 0 || colour != key)
                pixels[column] = colour;
        }
    }
    image->Unlock();
}

// Rows.

CNewListBoxEntry::CNewListBoxEntry()
    : mDest(CVideo::pBackBuffer)
{
}

int CNewListBoxEntry::Within(int x, int y)
{
    return x > mX && x < mX + GetWidth() && y > mY && y < mY + GetHeight();
}

CNewListBoxString::CNewListBoxString(
    CFont* font, const char* text, int width, std::uint16_t colour, bool centred, bool dropShadow)
    : mFont(font)
    , mColour(colour)
    , mDropShadow(dropShadow ? 1 : 0)
    , mCentred(centred ? 1 : 0)
    , mText(text ? text : "")
    , mWidth(width)
    , mHeight(font ? font->GetLineHeight() : 0)
{
    if (mText.size() > static_cast<std::size_t>(kListTextMax))
        mText.resize(kListTextMax);
    if (!mFont || mFont->Length(mText.c_str()) <= width) {
        mShown = mText;
        return;
    }
    // Only characters that fit before the dots are kept, so the cut text never runs past the row; a
    // colour code is kept whole and takes no room.
    int budget = width - 3 * mFont->Length(".");
    for (std::size_t i = 0; i < mText.size();) {
        const unsigned char c = static_cast<unsigned char>(mText[i]);
        if (c == '%' || c == 167) {
            const std::size_t n = std::min<std::size_t>(4, mText.size() - i);
            mShown.append(mText, i, n);
            i += n;
            continue;
        }
        const int w = mFont->CharWidth(c);
        if (w > budget)
            break;
        mShown += static_cast<char>(c);
        budget -= w;
        ++i;
    }
    mShown += "...";
}

void CNewListBoxString::PrintIn(std::uint16_t colour)
{
    if (!mFont || !mDest)
        return;
    if (!mDropShadow)
        mFont->Print(mShown.c_str(), mX, mY, mDest, colour);
    else if (mCentred)
        mFont->PrintDropCenter(mShown.c_str(), mX + mWidth / 2, mY, mDest, colour);
    else
        mFont->PrintDrop(mShown.c_str(), mX, mY, mDest, colour);
}

int CNewListBoxString::Draw(CRZDrawType)
{
    PrintIn(mColour);
    return 0;
}

CSelectableListBoxString::CSelectableListBoxString(
    CFont* font, const char* text, int width, int value, const CRZID& id, bool enabled)
    : CNewListBoxString(font, text, width, 0, false, true)
    , mValue(value)
    , mObjectID(id)
    , mEnabled(enabled ? 1 : 0)
    , mHighlightColour(TrueToHigh(116, 101, 94))
{
}

int CSelectableListBoxString::Draw(CRZDrawType)
{
    if (IsHighlighted())
        PrintIn(mHighlightColour);
    else if (!mEnabled)
        PrintIn(TrueToHigh(127, 127, 127));
    else
        PrintIn(mColour);
    return 0;
}

CNewListBoxDivider::CNewListBoxDivider(int width, int height, std::uint16_t colour)
    : mWidth(width)
    , mHeight(height)
    , mColour(colour)
{
}

int CNewListBoxDivider::Draw(CRZDrawType)
{
    if (mWidth > 0) {
        const std::vector<std::uint16_t> line(static_cast<std::size_t>(mWidth), mColour);
        DrawTrackColumns(mDest, mX, mY + mHeight / 2, mY + mHeight / 2 + 1, line.data(), mWidth, -1);
    }
    return 0;
}

CNewListBoxSpacer::CNewListBoxSpacer(int height)
    : mHeight(height)
{
}

// The bar.

CNewListBoxBar::CNewListBoxBar()
    : key(CVideo::TrueToHigh(0, 255, 0))
{
    const std::uint16_t black = CVideo::TrueToHigh(0, 0, 0);
    const std::uint16_t dark = CVideo::TrueToHigh(70, 62, 46);
    const std::uint16_t table[kColumns]
        = { key, key, key, black, black, black, CVideo::TrueToHigh(58, 51, 38), dark, dark, dark, dark, dark,
              CVideo::TrueToHigh(95, 88, 74), CVideo::TrueToHigh(114, 108, 96), black, black, key };
    std::copy(std::begin(table), std::end(table), colours);
}

void CNewListBoxBar::Draw(CImage* image) const
{
    DrawTrackColumns(image, x - 8, y, y + height, colours, kColumns, key);
}

bool CNewListBoxBar::Within(int px, int py) const
{
    return px - x >= -4 && px - x <= 20 && py - y >= 0 && py - y <= height - 1;
}

// The list.

CNewListBox::CNewListBox(int width, int height, ListBoxType type, int resetLimit)
    : mHeight(height)
    , mWidth(width)
    , mUp(new CRZBtn(kArrowImages[type == LISTBOX_NOSHADOW][0], 0, -1))
    , mDown(new CRZBtn(kArrowImages[type == LISTBOX_NOSHADOW][1], 0, -1))
    , mSlider(new CRZBtn(kArrowImages[type == LISTBOX_NOSHADOW][2], 0, -1))
    , mDest(CVideo::pBackBuffer)
    , mBar(new CNewListBoxBar())
    , mFont(gpFontDB ? gpFontDB->GetFont(kListBoxFontFile) : nullptr)
    , mColour(TrueToHigh(0, 0, 0))
    , mResetLimit(resetLimit)
{
    MoveTo(0, 0);
    ResetPos();
}

CNewListBox::~CNewListBox()
{
    ForEach([](CNewListBoxEntry* row) { delete row; });
    RemoveAll();
    delete mUp;
    delete mDown;
    delete mSlider;
    delete mBar;
}

int CNewListBox::HandleInput(CRZInputEvent* event)
{
    return Update(event);
}

void CNewListBox::MoveTo(int x, int y)
{
    mX = x;
    mY = y;
    SetScrollBarPos(x + mWidth + mUp->GetWidth());
}

void CNewListBox::SetScrollBarPos(int column)
{
    mBarColumn = column;
    mUp->MoveTo(column - mUp->GetWidth(), mY);
    mDown->MoveTo(column - mDown->GetWidth(), mY + mHeight - mDown->GetHeight());
    const CPoint up = mUp->GetPosition();
    mBar->x = up.x + mUp->GetWidth() / 2 - 2;
    mBar->y = up.y + mUp->GetHeight();
    mBar->height = mDown->GetPosition().y - mBar->y;
    PlaceSlider();
}

void CNewListBox::PlaceSlider()
{
    const int travel = mBar->height - mSlider->GetHeight();
    mSlider->MoveTo(mBarColumn - mSlider->GetWidth(),
        mBar->y + static_cast<int>(static_cast<float>(std::max(travel, 0)) * GetCurrentPos()));
}

void CNewListBox::SetDestinationImage(CImage* image)
{
    mDest = image;
    mUp->SetDestinationImage(image);
    mDown->SetDestinationImage(image);
    mSlider->SetDestinationImage(image);
    ForEach([image](CNewListBoxEntry* row) { row->SetDestinationImage(image); });
}

int CNewListBox::GetTotalHeight()
{
    int total = 0;
    ForEach([&total](CNewListBoxEntry* row) { total += row->GetHeight(); });
    return total;
}

float CNewListBox::GetCurrentPos()
{
    const int hidden = GetTotalHeight() - mHeight;
    if (hidden <= 0 || !CanScrollUp())
        return 0.0f;
    // Pinned to the end once nothing more can come into view, whatever the rows' heights.
    if (!CanScrollDown())
        return 1.0f;
    int offset = 0;
    for (Iterator it = GetHead(); !it.IsEnd() && !(it == mFirst); it++)
        offset += (*it)->GetHeight();
    return std::clamp(static_cast<float>(offset) / static_cast<float>(hidden), 0.0f, 1.0f);
}

void CNewListBox::SetCurrentPos(float position)
{
    const int target = static_cast<int>(static_cast<float>(GetTotalHeight() - mHeight) * position);
    mFirst = GetHead();
    if (target <= 0)
        return;
    int end = 0;
    for (Iterator it = GetHead(); !it.IsEnd(); it++) {
        end += (*it)->GetHeight();
        if (end > target) {
            mFirst = it;
            return;
        }
    }
}

bool CNewListBox::CanScrollUp()
{
    return !mFirst.IsEnd() && mFirst.GetNode()->prev != nullptr;
}

bool CNewListBox::CanScrollDown()
{
    int y = 0;
    for (Iterator it = mFirst; !it.IsEnd(); it++) {
        if (y >= mHeight)
            return true;
        y += (*it)->GetHeight();
    }
    return false;
}

void CNewListBox::ScrollUp()
{
    if (CanScrollUp())
        mFirst--;
    else
        SetCurrentPos(0.0f);
    PlaceSlider();
}

void CNewListBox::ScrollDown()
{
    if (CanScrollDown())
        mFirst++;
    else
        SetCurrentPos(1.0f);
    PlaceSlider();
}

// Word wrap.

void CNewListBox::AddText(const char* text, std::uint16_t colour)
{
    mColour = colour;
    Wrap(text, false);
}

void CNewListBox::AppendText(const char* text, std::uint16_t colour)
{
    mAppendColour = colour;
    Wrap(text, true);
    if (GetSize() <= mResetLimit)
        ResetPos();
    PlaceSlider();
}

void CNewListBox::Wrap(const char* text, bool append)
{
    if (!text || !mFont)
        return;
    std::string word;
    std::string line;
    for (const char* p = text; *p; ++p) {
        const char c = *p;
        if (c == '\n' || c == '\r') {
            AddWord(word, line, append);
            InsertLine(line, append);
            continue;
        }
        word += c;
        // A word as long as the buffer holds is added as it stands; the rest starts the next word.
        if (c == ' ' || word.size() >= static_cast<std::size_t>(kListTextMax))
            AddWord(word, line, append);
    }
    AddWord(word, line, append);
    InsertLine(line, append);
    if (!append)
        ResetPos();
}

void CNewListBox::AddWord(std::string& word, std::string& line, bool append)
{
    if (word.empty())
        return;
    const bool fits = mFont->Length(word.c_str()) + mFont->Length(line.c_str()) < mWidth
        && line.size() + word.size() <= static_cast<std::size_t>(kListTextMax);
    if (!fits)
        InsertLine(line, append);
    line += word;
    word.clear();
}

void CNewListBox::InsertLine(std::string& line, bool append)
{
    if (line.empty())
        return;
    const std::uint16_t colour = append ? mAppendColour : mColour;
    auto* row
        = new CNewListBoxString(mFont, line.c_str(), mWidth, colour, mCentred != 0, append || mDropShadow);
    row->SetDestinationImage(mDest);
    Append(row);
    if (append) {
        // The new row comes into view at the bottom; rows that still fit stay shown.
        if (mFirst.IsEnd())
            mFirst = GetHead();
        while (CanScrollDown())
            mFirst++;
        PlaceSlider();
    } else {
        mColour = mFont->GetLastColor(line.c_str(), mColour);
    }
    line.clear();
}

CSelectableListBoxString* CNewListBox::AddString(const char* text, int value, bool enabled, const CRZID& id)
{
    auto* row = new CSelectableListBoxString(mFont, text, mWidth, value, id, enabled);
    row->SetDestinationImage(mDest);
    Append(row);
    if (mFirst.IsEnd())
        mFirst = GetHead();
    return row;
}

// Input and drawing.

bool CNewListBox::InArea(CPoint at) const
{
    return at.x >= mX && at.x < mX + mWidth && at.y >= mY && at.y < mY + mHeight;
}

void CNewListBox::Page(int cursorY)
{
    const int top = mSlider->GetPosition().y;
    const int direction = cursorY < top ? -1 : cursorY > top + mSlider->GetHeight() ? 1 : 0;
    if (direction == 0)
        return;
    // Every step takes at least a pixel off, so rows without height cannot stall the page.
    for (int remainder = mHeight; remainder > 0;) {
        if (direction < 0)
            ScrollUp();
        else
            ScrollDown();
        remainder -= mFirst.IsEnd() ? remainder : std::max((*mFirst)->GetHeight(), 1);
    }
}

int CNewListBox::Update(CRZEvent* event)
{
    if (!event)
        return 0;
    if (mFirst.IsEnd())
        mFirst = GetHead();
    const CRZEvtType type = event->GetType();
    const CPoint at = CInput::EventPosition(event);
    if (type == _CRZEVT_MOUSELBUP_) {
        if (mClearOnClick)
            mSelected = nullptr;
        mSlider->Up();
    }
    if (NeedsScrolling()) {
        int result = mSlider->Update(event);
        const int travel = mBar->height - mSlider->GetHeight();
        if (mSlider->isDown() && type == _CRZEVT_MOUSELBDOWN_) {
            mGrabOffset = mSlider->GetPosition().y - at.y;
            result = UPDATE_TAKEN;
        }
        if (mSlider->isDown() && type == _CRZEVT_MOUSELBHELD_) {
            // A bar no taller than the slider leaves it nowhere to go.
            if (travel > 0) {
                const int top = std::clamp(at.y - (mBar->y - mGrabOffset), 0, travel);
                const float fraction = static_cast<float>(top) / static_cast<float>(travel);
                SetCurrentPos(fraction);
                mSlider->MoveTo(mSlider->GetPosition().x,
                    mBar->y + static_cast<int>(fraction * static_cast<float>(travel)));
                mDragging = 1;
            }
            result = UPDATE_TAKEN;
        }
        if (mDragging && type == _CRZEVT_MOUSELBUP_) {
            mDragging = 0;
            return UPDATE_TAKEN;
        }
        if (result)
            return result;
        result = mUp->Update(event);
        if (mUp->IsFired())
            ScrollUp();
        if (result)
            return result;
        result = mDown->Update(event);
        if (mDown->IsFired())
            ScrollDown();
        if (result)
            return result;
        if (type == _CRZEVT_MOUSEWHEEL_ && InArea(at)) {
            const auto* input = dynamic_cast<CRZInputEvent*>(event);
            if (input && input->Record().value2 < 1)
                ScrollDown();
            else
                ScrollUp();
            return UPDATE_TAKEN;
        }
        if (type == _CRZEVT_MOUSELBUP_ && mBar->Within(at.x, at.y)) {
            Page(at.y);
            return UPDATE_TAKEN;
        }
    }
    const CPoint mouse = CInput::GetMousePosition();
    int y = mY;
    for (Iterator it = mFirst; !it.IsEnd() && y < mY + mHeight; it++) {
        CNewListBoxEntry* row = *it;
        row->MoveTo(mX, y + mRowOffset);
        const int answer = row->Update(event);
        if (answer)
            return answer;
        if (type == _CRZEVT_MOUSELBUP_ && row->Within(at.x, at.y)) {
            OnSelected(row);
            return UPDATE_TAKEN;
        }
        if (type == _CRZEVT_TIMER_TICK_LOOP_) {
            row->HighlightOff();
            if (row->Within(mouse.x, mouse.y))
                row->HighlightOn(mWidth);
        }
        y += row->GetHeight();
    }
    return 0;
}

int CNewListBox::Draw(CRZDrawType type)
{
    if (mFirst.IsEnd())
        mFirst = GetHead();
    if (NeedsScrolling()) {
        if (!mDragging)
            PlaceSlider();
        mUp->Draw(type);
        mDown->Draw(type);
        mBar->Draw(mDest);
        mSlider->Draw(type);
    }
    ForEach([](CNewListBoxEntry* row) { row->MoveTo(kParked, kParked); });
    int y = mY;
    const CRect area(mX, mY, mX + mWidth, mY + mHeight);
    for (Iterator it = mFirst; !it.IsEnd() && y < mY + mHeight; it++) {
        CNewListBoxEntry* row = *it;
        row->MoveTo(mX, y + mRowOffset);
        row->SetArea(area);
        row->Draw(type);
        y += row->GetHeight();
    }
    return 0;
}
