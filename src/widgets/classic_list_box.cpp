// The classic list box: lines by index, word wrap with inline colour codes, the thumb in 16.16 steps, and
// the lines coloured by their state.
#include "widgets/classic_list_box.h"

#include <cstdint>

#include "events/generic_events.h"
#include "gfx/display_list.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite_list.h"
#include "platform/sound/sound.h"
#include "widgets/button.h"
#include "widgets/input.h"
#include "widgets/track_columns.h"

#include "foundation/safeguards.h"

namespace {

constexpr std::size_t kWordMax = 255;
constexpr int kLineGap = 10;

// "%" or "§" and three characters: a colour code that takes no room.
bool IsCodeMarker(unsigned char c)
{
    return c == '%' || c == 167;
}

bool BeginsWithCode(const std::string& text)
{
    return text.size() >= 4 && IsCodeMarker(static_cast<unsigned char>(text[0]));
}

CRZBtn* MakeButton(const char* image)
{
    if (!image)
        return nullptr;
    auto* button = new CRZBtn(image, 0, -1);
    if (button->GetImage())
        button->GetImage()->SetHasTransparency(true);
    return button;
}

} // namespace

CListBox::CListBox(int x, int y, int width, int visibleLines, const char* title, CFont* titleFont,
    CFont* lineFont, const char* downImage, const char* upImage, bool addToDisplay)
{
    Init(x, y, width, visibleLines, title, titleFont, lineFont, downImage, upImage, kListBoxThumbImage,
        addToDisplay);
}

void CListBox::Init(int x, int y, int width, int visibleLines, const char* title, CFont* titleFont,
    CFont* lineFont, const char* downImage, const char* upImage, const char* thumbImage, bool addToDisplay)
{
    mY = y;
    mWidth = width;
    mDest = CVideo::pBackBuffer;
    mTitle = std::string("%777") + (title ? title : "");
    mTitleFont = titleFont;
    mLineFont = lineFont;
    if (!mDrawables)
        mDrawables = new CSpriteList();
    mVisibleLines = std::max(visibleLines, 0);
    const int lineHeight = lineFont ? lineFont->GetLineHeight() : 0;
    mX1 = x;
    mTopY = y + lineHeight;
    mX2 = x + width;
    mBottomY = y + mVisibleLines * lineHeight + kLineGap;
    mUp = MakeButton(upImage);
    mDown = MakeButton(downImage);
    mThumb = MakeButton(thumbImage);
    if (addToDisplay && gpDisplayList) {
        gpDisplayList->Add(this, kListBoxDepth, DRAW_TYPE_0);
        mAddedToDisplay = 1;
    }
}

CListBox::~CListBox()
{
    if (mAddedToDisplay && gpDisplayList)
        gpDisplayList->RemoveThis(this);
    delete mDrawables;
    delete mUp;
    delete mDown;
    delete mThumb;
}

void CListBox::SetDestinationImage(CImage* image)
{
    mDest = image;
    for (CRZBtn* button : { mUp, mDown, mThumb })
        if (button)
            button->SetDestinationImage(image);
}

const CListBoxLine* CListBox::GetLine(int index) const
{
    return index >= 0 && index < mCount ? mLines[static_cast<std::size_t>(index)].get() : nullptr;
}

const char* CListBox::AddString(
    const char* text, int value, bool selectable, const CRZID& id, const char* secondText)
{
    auto line = std::make_unique<CListBoxLine>();
    line->value = value;
    line->id = id;
    line->selectable = selectable ? 1 : 0;
    line->text = text ? text : "";
    line->second = secondText ? secondText : line->text;
    mLines.push_back(std::move(line));
    ++mCount;
    if (mCount == mVisibleLines + 1)
        mNeedsScrolling = 1;
    if (mCount > mVisibleLines)
        mTop = mCount - mVisibleLines;
    mDragging = 0;
    return mLines.back()->second.c_str();
}

void CListBox::InsertWord(std::string& word, std::string& line)
{
    line += word;
    line += ' ';
    word.clear();
}

void CListBox::AddLine(const std::string& prefix, const std::string& line)
{
    if (!line.empty())
        AddString((prefix + line).c_str(), 0, true, NOID, nullptr);
}

void CListBox::AddText(const char* text, const char* prefix, bool keepScroll)
{
    if (!text || !mLineFont)
        return;
    const std::string lead = prefix ? prefix : "";
    std::string word;
    std::string line;
    int lineWidth = 0;
    int wordWidth = 0;
    const auto endLine = [&] {
        AddLine(lead, line);
        line.clear();
        lineWidth = 0;
    };
    // Copies a colour code, or as much of one as the text still holds.
    const auto copyCode = [&](const unsigned char*& p) {
        for (int i = 0; i < 4 && *p; ++i)
            word += static_cast<char>(*p++);
    };
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p;) {
        const unsigned char c = *p;
        if (c == ' ') {
            // The line's buffer takes no more: what it holds goes first.
            if (line.size() + word.size() + 1 > kWordMax)
                endLine();
            InsertWord(word, line);
            lineWidth += wordWidth + mLineFont->CharWidth(' ');
            wordWidth = 0;
            ++p;
            continue;
        }
        if (c == '\r' || c == '\n' || (c == '\\' && p[1] == 'n')) {
            if (line.size() + word.size() > kWordMax)
                endLine();
            line += word;
            word.clear();
            wordWidth = 0;
            endLine();
            p += c == '\\' ? 2 : 1;
            continue;
        }
        if (IsCodeMarker(c)) {
            copyCode(p);
        } else if (c == '\\') {
            ++p;
            copyCode(p);
        } else {
            word += static_cast<char>(c);
            wordWidth += mLineFont->CharWidth(c);
            ++p;
            if (lineWidth + wordWidth > mWidth) {
                if (!line.empty())
                    endLine();
                // A word wider than the box alone is cut: its last character starts the next line.
                if (wordWidth > mWidth && word.size() > 1) {
                    AddLine(lead, word.substr(0, word.size() - 1));
                    word.erase(0, word.size() - 1);
                    wordWidth = mLineFont->CharWidth(c);
                }
            }
        }
        if (word.size() >= kWordMax) {
            endLine();
            AddLine(lead, word);
            word.clear();
            wordWidth = 0;
        }
    }
    if (line.size() + word.size() > kWordMax)
        endLine();
    line += word;
    endLine();
    if (!keepScroll)
        mTop = 0;
}

int CListBox::ThumbYFor(int top, int upY) const
{
    const int span = mCount - mVisibleLines;
    if (span <= 0 || !mUp)
        return upY;
    const std::int64_t step = static_cast<std::int64_t>(mTrackHeight) * 65536 / span;
    return upY + mUp->GetHeight() / 2 + static_cast<int>(step * top / 65536);
}

void CListBox::PlaceScrollParts(int dx, int dy)
{
    if (!mUp || !mDown)
        return;
    const int titleHeight = mTitleFont ? mTitleFont->GetLineHeight() : 0;
    const int x = dx + mX2 + mBarOffset;
    mUp->MoveTo(x, dy + mTopY + titleHeight);
    mDown->MoveTo(x, dy + mBottomY + 8);
    const int upY = mUp->GetPosition().y;
    mTrackHeight = mDown->GetPosition().y - upY - mUp->GetHeight();
    if (!mThumb)
        return;
    if (!mDragging) {
        mThumb->MoveTo(x, ThumbYFor(mTop, upY));
        return;
    }
    mThumb->MoveTo(x, mThumbY + dy);
    int top = 0;
    for (int t = 0; t <= MaxTop(); ++t)
        if (ThumbYFor(t, upY) <= mThumbY + dy)
            top = t;
    mTop = top;
}

int CListBox::LineAt(CPoint at) const
{
    const int lineHeight = mLineFont ? mLineFont->GetLineHeight() : 0;
    const int titleHeight = mTitleFont ? mTitleFont->GetLineHeight() : 0;
    const int shown = std::min(mVisibleLines, mCount - mTop);
    for (int i = 0; i < shown; ++i) {
        const int y0 = mTopY + titleHeight + kLineGap + i * lineHeight;
        if (at.x >= mX1 && at.x <= mX2 && at.y >= y0 && at.y <= y0 + lineHeight)
            return i;
    }
    return -1;
}

int CListBox::GetLineY(int shown) const
{
    const int lineHeight = mLineFont ? mLineFont->GetLineHeight() : 0;
    const int titleHeight = mTitleFont ? mTitleFont->GetLineHeight() : 0;
    return mTopY + titleHeight + shown * lineHeight + kLineGap;
}

int CListBox::Update(CRZEvent* event)
{
    if (!event)
        return 0;
    const CRZEvtType type = event->GetType();
    const CPoint at = CInput::EventPosition(event);
    const bool scrolling = mNeedsScrolling && mUp && mDown && mThumb;
    if (scrolling) {
        PlaceScrollParts(mScreenDX, mScreenDY);
        mUp->Update(event);
        mDown->Update(event);
        mThumb->Update(event);
        const CPoint up = mUp->GetPosition();
        const int trackTop = up.y + mUp->GetHeight();
        const int trackBottom = mDown->GetPosition().y;
        if (type == _CRZEVT_MOUSELBDOWN_) {
            if (mThumb->isDown()) {
                mGrabOffset = at.y - mThumb->GetPosition().y;
                return UPDATE_TAKEN;
            }
            const int w = mUp->GetWidth();
            if (at.x >= up.x + w / 4 && at.x <= up.x + 3 * w / 4 && at.y >= trackTop && at.y <= trackBottom) {
                mDragging = 1;
                mThumbY = at.y - mScreenDY;
                return UPDATE_TAKEN;
            }
        }
        if (type == _CRZEVT_MOUSEWHEEL_ && at.x > mX1 + mScreenDX && at.x < mX2 + mScreenDX
            && at.y > mTopY + mScreenDY && at.y < mBottomY + mScreenDY) {
            const auto* input = dynamic_cast<CRZInputEvent*>(event);
            mTop = std::clamp(mTop + (input ? input->Record().value2 : 0), 0, MaxTop());
            return UPDATE_TAKEN;
        }
        if (type == _CRZEVT_MOUSELBHELD_ && mThumb->isDown()) {
            mUp->Up();
            mDown->Up();
            const int first = ThumbYFor(0, up.y);
            mThumbY = std::clamp(at.y - mGrabOffset, first, first + std::max(mTrackHeight, 0)) - mScreenDY;
            mThumbHeld = mDragging = 1;
            return UPDATE_TAKEN;
        }
    }
    mActivated = 0;
    mPreviousSelected = mSelected;
    if (type == _CRZEVT_MOUSELBUP_ || type == _CRZEVT_KEYUP_) {
        mThumbHeld = mDragging = 0;
        if (mThumb)
            mThumb->Up();
    }
    if (scrolling) {
        if (mUp->IsFired()) {
            mTop = std::max(mTop - 1, 0);
            mDragging = 0;
        }
        if (mDown->IsFired()) {
            mTop = std::min(mTop + 1, MaxTop());
            mDragging = 0;
        }
    }
    if (mSelectionList && mCount > 0 && (type == _CRZEVT_MOUSELBUP_ || type == _CRZEVT_MOUSELBDOUBLECLICK_)) {
        const int i = LineAt(CPoint(at.x - mScreenDX, at.y - mScreenDY));
        const CListBoxLine* line = GetLine(mTop + i);
        if (i >= 0 && line && line->selectable) {
            if (type == _CRZEVT_MOUSELBDOUBLECLICK_)
                mActivated = 1;
            if (gpSound)
                gpSound->Play(kButtonClickSound);
            mSelected = mTop + i;
            return UPDATE_TAKEN;
        }
    }
    if (mSelectionList) {
        const CPoint mouse = CInput::GetMousePosition();
        const int i = LineAt(CPoint(mouse.x - mScreenDX, mouse.y - mScreenDY));
        mHovered = i >= 0 ? mTop + i : -1;
    } else {
        mHovered = -1;
    }
    return 0;
}

std::string CListBox::GetDrawnText(int index) const
{
    const CListBoxLine* line = GetLine(index);
    if (!line)
        return std::string();
    const bool lit = mSelectionList && (index == mSelected || index == mHovered);
    const char* code = !mSelectionList ? kListPlainCode
        : index == mSelected           ? kListSelectedCode
        : index == mHovered            ? kListHoveredCode
        : line->selectable             ? kListSelectableCode
                                       : kListPlainCode;
    if (lit && BeginsWithCode(line->text))
        return code + line->text.substr(4);
    return code + line->text;
}

int CListBox::Draw(CRZDrawType)
{
    if (!mShown)
        return 0;
    const std::uint16_t white = TrueToHigh(255, 255, 255);
    if (mNeedsScrolling && mUp && mDown) {
        PlaceScrollParts(0, 0);
        const int centre = mUp->GetPosition().x + mUp->GetWidth() / 2;
        const int top = mUp->GetPosition().y + mUp->GetHeight();
        const int bottom = mDown->GetPosition().y;
        if (mSingleLineTrack) {
            const std::uint16_t column = TrueToHigh(255, 255, 222);
            DrawTrackColumns(mDest, centre - 1, top, bottom, &column, 1, -1);
        } else {
            const std::uint16_t columns[4]
                = { white, TrueToHigh(78, 78, 78), TrueToHigh(162, 162, 162), TrueToHigh(35, 35, 35) };
            DrawTrackColumns(mDest, centre - 4, top, bottom, columns, 4, -1);
        }
        mUp->Draw(DRAW_TYPE_0);
        mDown->Draw(DRAW_TYPE_0);
        if (mThumb)
            mThumb->Draw(DRAW_TYPE_0);
    }
    if (mTitleFont && mDest) {
        const std::string title = "%000" + mTitle;
        if (mTitleOnImageCentre)
            mTitleFont->PrintCenter(title.c_str(), mDest->GetWidth() / 2, mTopY, mDest, white);
        else if (mCentredTitle)
            mTitleFont->PrintCenter(title.c_str(), (mX1 + mX2) / 2, mTopY, mDest, white);
        else
            mTitleFont->Print(title.c_str(), mX1, mTopY, mDest, white);
    }
    for (int i = 0; i < mVisibleLines && mTop + i < mCount && mDest; ++i) {
        const std::string text = GetDrawnText(mTop + i);
        if (mCentredLines && mTitleFont)
            mTitleFont->PrintCenter(text.c_str(), (mX1 + mX2) / 2, GetLineY(i), mDest, white);
        else if (mLineFont)
            mLineFont->Print(text.c_str(), mX1, GetLineY(i), mDest, white);
    }
    return 0;
}
