// CRZBtn: every clickable picture of the game, a sprite of four frames (up, over, down, disabled) that turns
// mouse and key events into a small state machine and leaves the one-shot clicked and fired flags for its
// owner; the lit, menu and stateless kinds, and the handler through which a window passes a pressed id on.
#pragma once

#include <cstdint>

#include "gfx/sprite.h"
#include "widgets/input.h"

class CFont;

// A window hands the id of a pressed button to its owner through this.
class CButtonHandler {
public:
    virtual ~CButtonHandler() = default;
    virtual void HandleButtonPressed(int) { }
};

// The frames of a button's image, laid left to right.
enum : int {
    BUTTON_FRAME_UP = 0,
    BUTTON_FRAME_OVER = 1,
    BUTTON_FRAME_DOWN = 2,
    BUTTON_FRAME_DISABLED = 3,
};

// The click every press and hot key plays.
inline constexpr int kButtonClickSound = 32;
// Clock ticks from the press to the first repeat of a held button, and the interval after it.
inline constexpr int kButtonFirstRepeat = 8;
inline constexpr int kButtonRepeatStart = 4;
inline constexpr int kButtonRepeatIdle = 16;

class CRZBtn : public CSprite, public CInputable {
public:
    // An empty sprite.
    CRZBtn();
    // Frames from the bitmap; a hot key of 0 or -1 is none (game key codes, e.g. 14 Escape, 253 F3).
    CRZBtn(const char* bitmap, int id, int hotKey);
    // As above, then the text is written onto all four frames of an image of the button's own.
    CRZBtn(const char* bitmap, const char* text, CFont* font, int id, int hotKey);
    // A blank image of that size and colour depth.
    CRZBtn(int width, int height, int depth);

    // The state machine: 3 when the event was the button's (a swallowed click on a disabled or parked
    // button included), 0 otherwise. Clicked and fired are cleared first and tell what this event did.
    int Update(CRZEvent* event) override;
    void MoveTo(int x, int y) override;
    int HandleInput(CRZInputEvent* event) override;

    // Hooks of the kinds: a completed click on an up (OnUp) or down (OnDown) button.
    virtual void OnUp() { }
    virtual void OnDown() { }
    virtual void Enable();
    virtual void SetUpFrame() { SetFrame(BUTTON_FRAME_UP); }
    virtual void SetDownFrame() { SetFrame(BUTTON_FRAME_DOWN); }
    virtual void SetOverFrame() { SetFrame(BUTTON_FRAME_OVER); }
    virtual void SetDisableFrame() { SetFrame(BUTTON_FRAME_DISABLED); }

    // Back to the state a new button has: up, enabled, momentary, no sound, no repeat pending.
    void Init();
    void Up();
    void Down();
    bool isDown() const { return mState == 1; }
    bool isUp() const { return mState == 0; }
    // Shows the over frame unless another button showed it in this input pass.
    void Over();
    void Disable();
    bool IsDisabled() const { return mDisabled != 0; }
    void SetSound(int sound) { mSound = sound; }
    int GetSound() const { return mSound; }
    int GetID() const { return mID; }
    void SetID(int id) { mID = id; }
    int GetHotKey() const { return mHotKey; }
    void SetHotKey(int key) { mHotKey = key; }
    bool IsClicked() const { return mClicked != 0; }
    bool IsFired() const { return mFired != 0; }
    bool IsOver() const { return mOver != 0; }
    // 1: pops up when the left button is no longer held; 0: a toggle that stays down until pressed again.
    void SetReleaseOnMouseUp(bool release) { mReleaseOnMouseUp = release ? 1 : 0; }

    // Writes the text centred onto each frame of the button's own image, frame n in colour cn.
    void DrawButton(const char* text, CFont* font, std::uint16_t c0, std::uint16_t c1, std::uint16_t c2,
        std::uint16_t c3);
    // c for the up frame, white for over and down, grey for disabled.
    void DrawButton(const char* text, CFont* font, std::uint16_t c);

    // The clock ticks that held buttons repeat by; null: the game clock's animation ticks (0 without one).
    static int (*_pGetTicks)();
    static int GetTicks();

protected:
    void PlayClick();
    bool IsInert() const;

    std::int32_t mState = 0;
    std::int32_t mDisabled = 0;
    std::int32_t mHotKey = 0;
    std::int32_t mID = 0;
    std::int32_t mClicked = 0;
    std::int32_t mSound = -1;
    std::int32_t mSoundToggle = 0;
    std::int32_t mFired = 0;
    std::int32_t mNextRepeat = 0;
    std::int32_t mReleaseOnMouseUp = 1;
    std::int32_t mRepeatInterval = kButtonRepeatIdle;
    std::int32_t mOver = 0;
};

// Light levels by which one-frame buttons show their state.
inline constexpr int kLightUp = 0;
inline constexpr int kLightDisabled = 1;
inline constexpr int kLightDown = 2;

// The four frame operations of a one-frame button set the sprite's light level instead: up 0, disabled 1,
// over and down 2.
template <class Base> class CLitFrames : public Base {
public:
    using Base::Base;
    void SetUpFrame() override { this->SetLight(kLightUp); }
    void SetDownFrame() override { this->SetLight(kLightDown); }
    void SetOverFrame() override { this->SetLight(kLightDown); }
    void SetDisableFrame() override { this->SetLight(kLightDisabled); }
};

// A one-frame button on a blank image that shows its state through the sprite's light level.
class CRZLightedButton : public CLitFrames<CRZBtn> {
public:
    CRZLightedButton(int width, int height, int depth);
};

// A button of a radio group (CNewRadioButton), which keeps its place within the group.
class CRZMenuBtn : public CRZBtn {
public:
    // No hot key.
    CRZMenuBtn(const char* bitmap, int id);
    CRZMenuBtn(int width, int height, int depth);

    CPoint GetRelativePosition() const { return CPoint(mRelX, mRelY); }
    void SetRelativePosition(int x, int y)
    {
        mRelX = x;
        mRelY = y;
    }

private:
    std::int32_t mRelX = 0;
    std::int32_t mRelY = 0;
    [[maybe_unused]] std::int32_t mReserved = 0;
};

// A menu button of one frame, lit as CRZLightedButton.
class CRZLightedMenuButton : public CLitFrames<CRZMenuBtn> {
public:
    CRZLightedMenuButton(const char* bitmap, int id);
};

// One frame always shown, with the full state machine behind it.
class CStatelessButton : public CRZBtn {
public:
    CStatelessButton(int width, int height, int depth);
    void SetDownFrame() override { }
    void SetOverFrame() override { }
    void SetDisableFrame() override { }
};

// Gives the realms' improvements their offering buttons (gImprovementButtonHooks): momentary buttons with
// the improvement's number as id and no hot key.
void InstallImprovementButtonHooks();
