// The slider and its knob: placement along the track, dragging inside the band, arrow steps pulled back
// into the band while held, and the knob's lock.
#include "widgets/slider.h"

#include <algorithm>
#include <cmath>

#include "events/generic_events.h"

#include "foundation/safeguards.h"

CBullet::CBullet(const char* bitmap)
    : CRZBtn(bitmap, 0, -1)
{
}

int CBullet::Update(CRZEvent* event)
{
    if (!event)
        return CRZBtn::Update(event);
    const CRZEvtType type = event->GetType();
    if ((type == _CRZEVT_MOUSELBDOWN_ || type == _CRZEVT_MOUSERBUP_) && !IsLocked()) {
        mPressedX = _X;
        mPressedY = _Y;
    }
    if (type == _CRZEVT_MOUSERBUP_ || type == _CRZEVT_MOUSELBDOUBLECLICK_) {
        const CPoint at = CInput::EventPosition(event);
        if (Within(at.x, at.y)) {
            if (IsLocked())
                Enable();
            else
                Disable();
            MoveTo(mPressedX, mPressedY);
            return UPDATE_TAKEN;
        }
    }
    return CRZBtn::Update(event);
}

CSlider::CSlider(float minimum, float maximum, float value, float step, const char* minusImage,
    const char* plusImage, const char* knobImage, const char* trackImage)
    : CSprite(trackImage)
    , mMinus(minusImage, 0, -1)
    , mPlus(plusImage, 0, -1)
    , mKnob(knobImage)
    , mLowMarker(kSliderLowMarker)
    , mHighMarker(kSliderHighMarker)
    , mValue(value)
    , mStep(step)
    , mMinimum(minimum)
    , mMaximum(maximum)
{
}

int CSlider::HandleInput(CRZInputEvent* event)
{
    return Update(event);
}

float CSlider::Fraction() const
{
    const float range = mMaximum - mMinimum;
    if (!(range > 0.0f) || !std::isfinite(range))
        return 0.0f;
    return (mValue - mMinimum) / range;
}

void CSlider::PlaceKnob()
{
    if (mKnob.IsLocked()) {
        const CPoint at = mKnob.GetPressedAt();
        mKnob.MoveTo(at.x, at.y);
        return;
    }
    const int width = GetWidth();
    const int centre = _X + static_cast<int>(std::clamp(Fraction(), 0.0f, 1.0f) * static_cast<float>(width));
    mKnob.MoveTo(centre - mKnob.GetWidth() / 2, _Y + GetHeight() / 2 - mKnob.GetHeight() / 2);
}

void CSlider::MoveTo(int x, int y)
{
    CSprite::MoveTo(x, y);
    const int width = GetWidth();
    const int height = GetHeight();
    mMinus.MoveTo(x - mMinus.GetWidth(), y + (height - mMinus.GetHeight()) / 2);
    mPlus.MoveTo(x + width, y + (height - mPlus.GetHeight()) / 2);
    PlaceKnob();
    const auto marker = [&](CSprite& sprite, float limit) {
        sprite.MoveTo(x + static_cast<int>(static_cast<float>(width) * limit) - sprite.GetWidth() / 2,
            y + (height - sprite.GetHeight()) / 2);
    };
    marker(mLowMarker, mLowLimit);
    marker(mHighMarker, mHighLimit);
}

int CSlider::Within(int x, int y)
{
    const int height = GetHeight();
    return x >= _X && x < _X + GetWidth() && y >= _Y - height && y <= _Y + 2 * height;
}

int CSlider::SetDestinationImage(CImage* image)
{
    mMinus.SetDestinationImage(image);
    mPlus.SetDestinationImage(image);
    mKnob.SetDestinationImage(image);
    return CSprite::SetDestinationImage(image);
}

int CSlider::Draw(CRZDrawType type)
{
    PlaceKnob();
    CSprite::Draw(type);
    if (mLowLimit > 0.0f)
        mLowMarker.Draw(type);
    if (mHighLimit < 1.0f)
        mHighMarker.Draw(type);
    if (mArrowsShown) {
        mMinus.Draw(type);
        mPlus.Draw(type);
    }
    mKnob.Draw(type);
    return 0;
}

int CSlider::Update(CRZEvent* event)
{
    if (!event)
        return 0;
    const CRZEvtType type = event->GetType();
    if (type == _CRZEVT_MOUSELBUP_ && mKnob.isDown() && !mKnob.IsLocked()) {
        mKnob.Up();
        return UPDATE_TAKEN;
    }
    PlaceKnob();
    int result = 0;
    if (!mArrowsShown) {
        result = mKnob.Update(event);
    } else {
        mMinus.Enable();
        mPlus.Enable();
        if (mKnob.IsLocked()) {
            mMinus.Disable();
            mPlus.Disable();
        }
        result = mKnob.Update(event);
        bool minusFired = false;
        bool plusFired = false;
        if (!result) {
            result = mMinus.Update(event);
            minusFired = mMinus.IsFired();
        }
        if (!result) {
            result = mPlus.Update(event);
            plusFired = mPlus.IsFired();
        }
        if (minusFired || plusFired) {
            mValue += minusFired ? -mStep : mStep;
            mValue = std::clamp(mValue, mMinimum, std::max(mMinimum, mMaximum));
        }
    }
    bool pulled = false;
    if (!result && (type == _CRZEVT_TIMER_TICK_LOOP_ || type == _CRZEVT_MOUSELBHELD_)) {
        const float range = mMaximum - mMinimum;
        if (mKnob.isDown() && !mKnob.IsLocked()) {
            const int width = GetWidth();
            // A track without width gives no place to read: the knob stays at the band's low end.
            const float along = width > 0
                ? static_cast<float>(CInput::EventPosition(event).x - _X) / static_cast<float>(width)
                : mLowLimit;
            const float fraction = std::clamp(along, mLowLimit, std::max(mLowLimit, mHighLimit));
            mValue = std::clamp(mMinimum + fraction * range, mMinimum, std::max(mMinimum, mMaximum));
            mChanged = 1;
            return UPDATE_TAKEN;
        }
        if ((mMinus.isDown() || mPlus.isDown()) && range > 0.0f) {
            const float fraction = Fraction();
            if (fraction < mLowLimit || fraction > mHighLimit) {
                const float limit = fraction < mLowLimit ? mLowLimit : mHighLimit;
                mValue = std::clamp(mMinimum + limit * range, mMinimum, mMaximum);
                mChanged = 1;
                pulled = true;
            }
        }
    }
    if (!mKnob.isDown() && !pulled)
        mChanged = 0;
    return result;
}
