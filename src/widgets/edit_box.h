// CEditBox: the one-line text input of the game (player names, addresses, chat lines, numbers): a fixed
// buffer, a cursor and a horizontal scroll, drawn with a bitmap font and a blinking cursor while it has the
// focus. Its owner reads the text and the entered flag after each event.
#pragma once

#include <cstdint>
#include <memory>

#include "gfx/drawable.h"
#include "widgets/input.h"

class CFont;
class CImage;

class CEditBox : public CDrawable, public CInputable {
public:
    // maxLength characters at most; the text (may be null) is copied in, cut to them.
    CEditBox(int x, int y, int width, int maxLength, CFont* font, CImage* dest, const char* text);

    // Keys while focused (every key is then taken, refused ones included), the blink, and the focus from
    // left-button releases; 3 when taken.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;
    void MoveTo(int x, int y) override;
    int GetWidth() override { return mWidth; }
    int HandleInput(CRZInputEvent* event) override;

    void ClearString();
    // The text cut to the maximum length; the cursor and the scroll stay.
    void StoreString(const char* text);
    // "%" and three digits 0 to 7 for blue, green and red in steps of 32; any other length is ignored.
    void SetColor(const char* code);
    // Applies one game key code: editing keys, or a character to insert.
    void GetKeys(CRZInputEvent* event);

    const char* GetText() const { return mText.get(); }
    int GetCursor() const { return mCursor; }
    int GetFirstVisible() const { return mFirstVisible; }
    bool IsEntered() const { return mEntered != 0; }
    void ClearEntered() { mEntered = 0; }
    bool HasFocus() const { return mFocus != 0; }
    void SetFocus(bool focus) { mFocus = focus ? 1 : 0; }
    bool IsCursorShown() const { return mCursorShown != 0; }
    std::uint16_t GetColor() const { return mColour; }
    void SetColour(std::uint16_t colour) { mColour = colour; }
    void SetDigitsOnly(bool digits) { mDigitsOnly = digits ? 1 : 0; }
    void SetDropShadow(bool drop) { mDropShadow = drop ? 1 : 0; }
    void SetNoSeparators(bool none) { mNoSeparators = none ? 1 : 0; }
    void SetDestinationImage(CImage* image) { mDest = image; }
    int GetMaxLength() const { return mBufferSize - 2; }

    static constexpr int kBlinkTicks = 10;
    static constexpr int kMaxDrawn = 127;

private:
    void Insert(int c);
    // Moves the first visible character on until the text before the cursor fits the width.
    void Scroll();
    int Length() const;
    int AllocatedSize() const { return mBufferSize + 2; }

    CImage* mDest;
    CFont* mFont;
    std::unique_ptr<char[]> mText;
    std::int32_t mX1 = 0;
    std::int32_t mY1 = 0;
    std::int32_t mX2 = 0;
    std::int32_t mY2 = 0;
    std::int32_t mCursor = 0;
    std::int32_t mBufferSize;
    std::int32_t mBlinkCount = 0;
    char mUnderCursor = 0;
    std::int32_t mFocus = 1;
    std::int32_t mCursorShown = 1;
    std::int32_t mEntered = 0;
    std::int32_t mFirstVisible = 0;
    std::int32_t mWidth;
    std::int32_t mDigitsOnly = 0;
    std::int32_t mDropShadow = 0;
    std::int32_t mNoSeparators = 0;
    std::uint16_t mColour;
};
