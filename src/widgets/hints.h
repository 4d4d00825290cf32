// CHints: the movable window of numbered gameplay hints with Next, Previous, More and Close and the box
// that decides whether hints open at game start; the number of the next hint lives in the settings
// record, so hints go on where the player left off. More shows a help picture over the whole screen.
#pragma once

#include <cstdint>

#include "widgets/window.h"

class CNewListBox;
class CRZBtn;
class CRZGenericButton;
class CSprite;

inline constexpr const char* kHintCheckBoxBitmap = "gfx\\interface\\btn_kryssruta_small.bmp";
inline constexpr const char* kHintPicture = "tutorial\\introduction help.bmp";
inline constexpr const char* kHintFullPicture = "tutorial\\fullscreen help.bmp";
// Previous looks for the highest hint at or below this number.
inline constexpr int kHighestHint = 100;

class CHints : public CWindow {
public:
    static constexpr int kWidth = 672;
    static constexpr int kHeight = 584;
    static constexpr int kTop = 128;

    // At (1022 − width, 128), showing the next hint, and in the interface's window list when there is one.
    CHints();
    // Stores the box's state as the show-hints flag and saves the settings.
    ~CHints() override;
    CHints(const CHints&) = delete;
    CHints& operator=(const CHints&) = delete;

    // Shows the next hint; after the last one, "HINT_1".
    void InitHintBox();
    // Shows the previous hint; from the first, the highest there is at or below 100. Without any hint
    // text it stops at 1 rather than counting on below.
    void PreviousHintBox();

    // 1 closes the window (Close or the close-all event); while the full-screen help is shown it takes
    // presses, and a release, double click or key closes it.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;

    int GetCurrentHint() const { return mCurrent; }
    bool IsForward() const { return mForward != 0; }
    CNewListBox* GetText() const { return mText; }
    CRZBtn* GetCheckBox() const { return mCheckBox; }
    CRZGenericButton* GetNextButton() const { return mNext; }
    CRZGenericButton* GetPreviousButton() const { return mPrevious; }
    CRZGenericButton* GetCloseButton() const { return mClose; }
    CRZGenericButton* GetMoreButton() const { return mMore; }

    static std::int32_t _isActive;
    static std::int32_t _isFull;
    static CSprite* _pFull;

    // Offsets in the window.
    static constexpr int kNextX = 588, kNextY = 472;
    static constexpr int kPreviousX = 496, kPreviousY = 472;
    static constexpr int kMoreX = 228, kMoreY = 546;
    static constexpr int kCloseX = 348, kCloseY = 546;
    static constexpr int kCheckX = 16, kCheckY = 536;
    static constexpr int kPictureX = 16, kPictureY = 16;
    static constexpr int kTextX = 344, kTextY = 386;
    static constexpr int kHeaderX = 344, kHeaderY = 368;

private:
    // The hint's text in place of the one shown.
    void ShowText(const char* text);
    void ShowFull(bool on);
    // Each button at the window's position plus its offset (input) or at its offset (drawing).
    void PlaceButtons(bool onScreen);

    CRZBtn* mCheckBox;
    CRZGenericButton* mClose;
    CRZGenericButton* mMore;
    CRZGenericButton* mNext;
    CRZGenericButton* mPrevious;
    CNewListBox* mText = nullptr;
    std::int32_t mCurrent = 0;
    std::int32_t mForward = 1;
    CSprite* mPicture;
};
