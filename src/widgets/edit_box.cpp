// The edit box: the editing keys, insertion with its filters, the horizontal scroll and the blinking cursor.
#include "widgets/edit_box.h"

#include <algorithm>
#include <cstring>

#include "events/generic_events.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "widgets/track_columns.h"

#include "foundation/safeguards.h"

namespace {

// Game key codes of the editing keys.
enum : int {
    KEY_UP = 1,
    KEY_DOWN = 2,
    KEY_LEFT = 3,
    KEY_RIGHT = 4,
    KEY_DELETE = 7,
    KEY_BACKSPACE = 8,
    KEY_LINE_FEED = 10,
    KEY_ENTER = 13,
    KEY_ESCAPE = 14,
    KEY_HOME = 16,
    KEY_END = 17,
    KEY_TAB = 267,
};

// The lowest code of the keys of the key table that type no character (F10 is 246).
constexpr int kFirstFunctionKey = 246;

// Keys that do nothing here; "%", backslash, "|" and "§" would be read as codes by the fonts.
constexpr int kIgnored[]
    = { KEY_UP, KEY_DOWN, 5, KEY_ESCAPE, 18, 27, KEY_TAB, kBackslashKeyCode, '%', '\\', '|', 167 };

bool IsSeparator(int c)
{
    return c == ',' || c == '.' || c == '/' || c == ':' || c == ';' || c == '\\';
}

} // namespace

CEditBox::CEditBox(int x, int y, int width, int maxLength, CFont* font, CImage* dest, const char* text)
    : mDest(dest)
    , mFont(font)
    , mBufferSize(std::max(maxLength, 0) + 2)
    , mWidth(width)
    , mColour(TrueToHigh(255, 255, 255))
{
    mText = std::make_unique<char[]>(static_cast<std::size_t>(AllocatedSize()));
    if (text)
        StoreString(text);
    MoveTo(x, y);
}

void CEditBox::MoveTo(int x, int y)
{
    mX1 = x;
    mY1 = y;
    mX2 = x + mWidth;
    mY2 = y + (mFont ? mFont->GetLineHeight() : 0);
}

int CEditBox::HandleInput(CRZInputEvent* event)
{
    return Update(event);
}

int CEditBox::Length() const
{
    return static_cast<int>(std::strlen(mText.get()));
}

void CEditBox::ClearString()
{
    std::memset(mText.get(), 0, static_cast<std::size_t>(AllocatedSize()));
    mCursor = 0;
    mEntered = 0;
    mFirstVisible = 0;
}

void CEditBox::StoreString(const char* text)
{
    std::memset(mText.get(), 0, static_cast<std::size_t>(AllocatedSize()));
    if (text)
        std::memcpy(mText.get(), text, std::min(std::strlen(text), static_cast<std::size_t>(GetMaxLength())));
    mCursor = std::min(mCursor, Length());
    mFirstVisible = std::min(mFirstVisible, mCursor);
}

void CEditBox::SetColor(const char* code)
{
    if (!code || std::strlen(code) != 4)
        return;
    int digit[3];
    for (int i = 0; i < 3; ++i) {
        if (code[i + 1] < '0' || code[i + 1] > '7')
            return;
        digit[i] = code[i + 1] - '0';
    }
    mColour = TrueToHigh(digit[2] * 32, digit[1] * 32, digit[0] * 32);
}

void CEditBox::Scroll()
{
    const auto wider = [this] {
        int width = 0;
        for (int i = mFirstVisible; i < mCursor; ++i)
            width += (mFont ? mFont->CharWidth(static_cast<unsigned char>(mText[i])) : 0) + 1;
        return width > mWidth;
    };
    while (mFirstVisible < mCursor && wider())
        ++mFirstVisible;
}

void CEditBox::Insert(int c)
{
    // Only characters go in: the codes of function keys, page keys and Tab (246 and up) and control codes
    // are taken and dropped, as a char they would be other characters and 256 a NUL that cuts the text.
    if (c < 32 || c >= kFirstFunctionKey || c == 127)
        return;
    if (mNoSeparators && IsSeparator(c))
        return;
    if (mDigitsOnly && (c < '0' || c > '9'))
        return;
    const int length = Length();
    if (length >= GetMaxLength() || mCursor >= GetMaxLength())
        return;
    char* text = mText.get();
    std::memmove(text + mCursor + 1, text + mCursor, static_cast<std::size_t>(length - mCursor + 1));
    text[mCursor] = static_cast<char>(c);
    ++mCursor;
    Scroll();
}

void CEditBox::GetKeys(CRZInputEvent* event)
{
    const int key = event->Record().value1;
    char* text = mText.get();
    const int length = Length();
    switch (key) {
    case KEY_ENTER:
    case KEY_LINE_FEED:
        if (mCursor > 0)
            mEntered = 1;
        return;
    case KEY_LEFT:
        if (mCursor > 0)
            --mCursor;
        mFirstVisible = std::min(mFirstVisible, mCursor);
        return;
    case KEY_RIGHT:
        if (mCursor < length)
            ++mCursor;
        mFirstVisible = 0;
        Scroll();
        return;
    case KEY_HOME:
        mCursor = 0;
        mFirstVisible = 0;
        return;
    case KEY_END:
        mCursor = length;
        mFirstVisible = 0;
        Scroll();
        return;
    case KEY_DELETE:
        std::memmove(
            text + mCursor, text + mCursor + 1, static_cast<std::size_t>(AllocatedSize() - mCursor - 1));
        text[AllocatedSize() - 1] = 0;
        return;
    case KEY_BACKSPACE:
        if (mCursor == 0)
            return;
        --mCursor;
        std::memmove(
            text + mCursor, text + mCursor + 1, static_cast<std::size_t>(AllocatedSize() - mCursor - 1));
        text[AllocatedSize() - 1] = 0;
        mFirstVisible = std::min(mFirstVisible, mCursor);
        return;
    default:
        break;
    }
    if (std::find(std::begin(kIgnored), std::end(kIgnored), key) != std::end(kIgnored))
        return;
    Insert(key);
}

int CEditBox::Update(CRZEvent* event)
{
    if (!event || !mText)
        return 0;
    switch (event->GetType()) {
    case _CRZEVT_KEYUP_: {
        auto* input = dynamic_cast<CRZInputEvent*>(event);
        if (!mFocus || !input)
            return 0;
        GetKeys(input);
        return UPDATE_TAKEN;
    }
    case _CRZEVT_TICK_ANIMATIONS_:
        if (mFocus && ++mBlinkCount >= kBlinkTicks) {
            mCursorShown = !mCursorShown;
            if (mCursorShown)
                mUnderCursor = mText[mCursor];
            mBlinkCount = 0;
        }
        return 0;
    case _CRZEVT_MOUSELBUP_: {
        const CPoint at = CInput::EventPosition(event);
        if (mX1 < at.x && at.x < mX2 && mY1 < at.y && at.y < mY2) {
            mFocus = 1;
            mCursorShown = 1;
            mBlinkCount = 0;
            return UPDATE_TAKEN;
        }
        mFocus = 0;
        mCursorShown = 0;
        return 0;
    }
    default:
        return 0;
    }
}

int CEditBox::Draw(CRZDrawType)
{
    if (!mDest || !mFont || !mText)
        return 0;
    char shown[kMaxDrawn + 1] = {};
    int width = 0;
    int cursorX = 0;
    int n = 0;
    const int length = Length();
    for (int i = mFirstVisible; i < length && n < kMaxDrawn; ++i) {
        const int w = mFont->CharWidth(static_cast<unsigned char>(mText[i]));
        if (width + w >= mWidth)
            break;
        if (i < mCursor)
            cursorX += w;
        shown[n++] = mText[i];
        width += w;
    }
    if (mDropShadow)
        mFont->PrintDrop(shown, mX1, mY1, mDest, mColour);
    else
        mFont->Print(shown, mX1, mY1, mDest, mColour);
    if (mCursorShown && mFocus) {
        const std::uint16_t white[2] = { 0xFFFF, 0xFFFF };
        DrawTrackColumns(mDest, mX1 + cursorX, mY1, mY2 - 2, white, 2, -1);
    }
    return 0;
}
