// Buttons: the state machine every clickable picture runs, held-button repeats in clock ticks, labels
// written onto the frames, and the one-frame kinds.
#include "widgets/button.h"

#include <algorithm>

#include "events/game_clock.h"
#include "events/generic_events.h"
#include "gfx/font.h"
#include "gfx/image_descriptor.h"
#include "platform/sound/sound.h"
#include "realms/province_improvement.h"

#include "foundation/safeguards.h"

int (*CRZBtn::_pGetTicks)() = nullptr;

namespace {

constexpr int kEqualsKey = 61;
constexpr int kPlusKey = 43;

} // namespace

CRZBtn::CRZBtn()
{
    Init();
}

CRZBtn::CRZBtn(const char* bitmap, int id, int hotKey)
    : CSprite(bitmap)
    , mHotKey(hotKey)
    , mID(id)
{
    Init();
}

CRZBtn::CRZBtn(const char* bitmap, const char* text, CFont* font, int id, int hotKey)
    : CSprite(bitmap)
    , mHotKey(hotKey)
    , mID(id)
{
    SetTotalFrames(4);
    Individualize();
    DrawButton(text, font, 0);
    Init();
}

CRZBtn::CRZBtn(int width, int height, int depth)
    : CSprite(width, height, depth)
{
    Init();
}

int CRZBtn::GetTicks()
{
    if (_pGetTicks)
        return _pGetTicks();
    return gpTimer ? gpTimer->GetAnimationTicks() : 0;
}

void CRZBtn::Init()
{
    mOver = 0;
    SetTotalFrames(4);
    if (mDisabled)
        SetUpFrame();
    mDisabled = 0;
    mState = 0;
    SetUpFrame();
    mReleaseOnMouseUp = 1;
    mSound = -1;
    mNextRepeat = 0;
    mRepeatInterval = kButtonRepeatIdle;
    mClicked = mSoundToggle = mFired = 0;
}

void CRZBtn::Up()
{
    mState = 0;
    SetUpFrame();
    mSoundToggle = 0;
}

void CRZBtn::Down()
{
    mState = 1;
    SetDownFrame();
}

void CRZBtn::Over()
{
    if (CInput::_isOverButton)
        return;
    SetOverFrame();
    CInput::_isOverButton = 1;
}

void CRZBtn::Enable()
{
    if (mDisabled)
        SetUpFrame();
    mDisabled = 0;
}

void CRZBtn::Disable()
{
    if (mReleaseOnMouseUp)
        Up();
    SetDisableFrame();
    mDisabled = 1;
}

void CRZBtn::MoveTo(int x, int y)
{
    CSprite::MoveTo(x, y);
}

int CRZBtn::HandleInput(CRZInputEvent* event)
{
    return Update(event);
}

void CRZBtn::PlayClick()
{
    if (gpSound)
        gpSound->Play(kButtonClickSound);
}

bool CRZBtn::IsInert() const
{
    return mDisabled || _X < 0 || _Y < 0;
}

int CRZBtn::Update(CRZEvent* event)
{
    mFired = 0;
    mClicked = 0;
    if (!event)
        return 0;
    const CRZEvtType type = event->GetType();
    const auto* input = dynamic_cast<CRZInputEvent*>(event);
    const CPoint at = CInput::EventPosition(event);
    const bool isClick
        = type == _CRZEVT_MOUSELBUP_ || type == _CRZEVT_MOUSELBDOWN_ || type == _CRZEVT_MOUSELBDOUBLECLICK_;
    if (IsInert())
        return isClick && Within(at.x, at.y) ? UPDATE_TAKEN : 0;

    switch (type) {
    case _CRZEVT_MOUSEMOVE_:
        mOver = Within(at.x, at.y);
        if (mOver && isUp())
            Over();
        return 0;
    case _CRZEVT_MOUSELBUP_:
        if (!Within(at.x, at.y))
            return 0;
        if (isUp())
            OnUp();
        else
            OnDown();
        mClicked = 1;
        mFired = 0;
        return UPDATE_TAKEN;
    case _CRZEVT_MOUSELBDOWN_:
        if (!Within(at.x, at.y))
            return 0;
        PlayClick();
        if (isUp()) {
            if (mSound >= 0 && mSoundToggle == 0 && gpSound) {
                gpSound->Play(mSound);
                mSoundToggle = 1;
            }
            mState = 1;
            SetDownFrame();
            mFired = 1;
            mRepeatInterval = kButtonRepeatStart;
            mNextRepeat = GetTicks() + kButtonFirstRepeat;
        } else {
            if (mSound >= 0 && mSoundToggle == 1 && gpSound)
                gpSound->Play(mSound);
            mSoundToggle = 0;
            mState = 0;
            SetUpFrame();
        }
        return UPDATE_TAKEN;
    case _CRZEVT_MOUSELBDOUBLECLICK_:
        return Within(at.x, at.y) ? UPDATE_TAKEN : 0;
    case _CRZEVT_KEYUP_: {
        const int key = input ? input->Record().value1 : 0;
        const bool hot
            = mHotKey != 0 && mHotKey != -1 && (key == mHotKey || (key == kEqualsKey && mHotKey == kPlusKey));
        if (!hot)
            return 0;
        PlayClick();
        if (isUp()) {
            mState = 1;
            SetDownFrame();
            OnDown();
            mFired = 1;
        } else {
            mState = 0;
            SetUpFrame();
            mSoundToggle = 0;
            OnUp();
        }
        mClicked = 1;
        return UPDATE_TAKEN;
    }
    case _CRZEVT_TIMER_TICK_LOOP_: {
        if (isDown()) {
            if (mReleaseOnMouseUp && !CInput::LeftButtonHold()) {
                mState = 0;
                SetUpFrame();
                mSoundToggle = 0;
                OnUp();
            } else if (GetTicks() >= mNextRepeat) {
                mFired = 1;
                mNextRepeat = GetTicks() + mRepeatInterval;
                mRepeatInterval = std::max(mRepeatInterval - 2, 2);
            }
        }
        const CPoint mouse = CInput::GetMousePosition();
        if (!Within(mouse.x, mouse.y)) {
            if (isUp()) {
                SetUpFrame();
                mSoundToggle = 0;
            } else {
                SetDownFrame();
            }
        } else if (isUp()) {
            Over();
        }
        return 0;
    }
    default:
        return 0;
    }
}

void CRZBtn::DrawButton(
    const char* text, CFont* font, std::uint16_t c0, std::uint16_t c1, std::uint16_t c2, std::uint16_t c3)
{
    CImage* image = GetImage();
    if (!image || !font || !text)
        return;
    const std::uint16_t colours[4] = { c0, c1, c2, c3 };
    const int frameWidth = image->GetWidth() / 4;
    const int x = std::max(0, (frameWidth - font->Length(text)) / 2);
    const int y = std::max(0, (image->GetHeight() - font->GetLineHeight()) / 2);
    for (int frame = 0; frame < 4; ++frame)
        font->Print(text, x + frame * frameWidth, y, image, colours[frame]);
}

void CRZBtn::DrawButton(const char* text, CFont* font, std::uint16_t c)
{
    const std::uint16_t white = TrueToHigh(255, 255, 255);
    DrawButton(text, font, c, white, white, TrueToHigh(128, 128, 128));
}

CRZLightedButton::CRZLightedButton(int width, int height, int depth)
    : CLitFrames<CRZBtn>(width, height, depth)
{
    SetTotalFrames(1);
    SetUpFrame();
}

CRZMenuBtn::CRZMenuBtn(const char* bitmap, int id)
    : CRZBtn(bitmap, id, -1)
{
}

CRZMenuBtn::CRZMenuBtn(int width, int height, int depth)
    : CRZBtn(width, height, depth)
{
}

CRZLightedMenuButton::CRZLightedMenuButton(const char* bitmap, int id)
    : CLitFrames<CRZMenuBtn>(bitmap, id)
{
    SetTotalFrames(1);
    SetUpFrame();
}

CStatelessButton::CStatelessButton(int width, int height, int depth)
    : CRZBtn(width, height, depth)
{
    SetTotalFrames(1);
}

void InstallImprovementButtonHooks()
{
    gImprovementButtonHooks.MakeButton
        = [](const char* bitmap, int id) -> CSprite* { return new CRZBtn(bitmap, id, 0); };
    // Only buttons made above are handed back.
    gImprovementButtonHooks.IsPressed
        = [](CSprite* button) { return static_cast<CRZBtn*>(button)->isDown(); };
    gImprovementButtonHooks.SetEnabled = [](CSprite* button, bool enabled) {
        auto* offer = static_cast<CRZBtn*>(button);
        if (enabled)
            offer->Enable();
        else
            offer->Disable();
    };
}
