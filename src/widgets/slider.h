// CSlider: a float value within a range, set by a knob dragged along a horizontal track or stepped by two
// arrows, kept by dragging inside a narrower band shown by two markers; CBullet, the knob, which the player
// can lock where it stands.
#pragma once

#include <cstdint>

#include "gfx/sprite.h"
#include "widgets/button.h"
#include "widgets/input.h"

inline constexpr const char* kSliderLowMarker = "gfx\\interface\\hslider_min.bmp";
inline constexpr const char* kSliderHighMarker = "gfx\\interface\\hslider_max.bmp";

// The knob: a right click or a double click on it locks it (disabled) or unlocks it, back where it was
// last pressed.
class CBullet : public CRZBtn {
public:
    CBullet(const char* bitmap);
    int Update(CRZEvent* event) override;
    bool IsLocked() const { return IsDisabled(); }
    CPoint GetPressedAt() const { return CPoint(mPressedX, mPressedY); }

private:
    std::int32_t mPressedX = 0;
    std::int32_t mPressedY = 0;
};

class CSlider : public CSprite, public CInputable {
public:
    CSlider(float minimum, float maximum, float value, float step, const char* minusImage,
        const char* plusImage, const char* knobImage, const char* trackImage);

    // The knob, then the arrows; dragging and held arrows act on loop ticks and held-button events.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;
    void MoveTo(int x, int y) override;
    // Over the track's width, from one track height above its top to two below it.
    int Within(int x, int y) override;
    int SetDestinationImage(CImage* image) override;
    int HandleInput(CRZInputEvent* event) override;

    float GetValue() const { return mValue; }
    void SetValue(float value) { mValue = value; }
    // Fractions of the range.
    void SetLimits(float low, float high)
    {
        mLowLimit = low;
        mHighLimit = high;
    }
    float GetLowLimit() const { return mLowLimit; }
    float GetHighLimit() const { return mHighLimit; }
    bool IsChanged() const { return mChanged != 0; }
    void SetArrowsShown(bool shown) { mArrowsShown = shown ? 1 : 0; }
    CRZBtn& GetMinusArrow() { return mMinus; }
    CRZBtn& GetPlusArrow() { return mPlus; }
    CBullet& GetKnob() { return mKnob; }
    CSprite& GetLowMarker() { return mLowMarker; }
    CSprite& GetHighMarker() { return mHighMarker; }

private:
    // The value's place along the track: 0 at the minimum, 0 for an empty range.
    float Fraction() const;
    void PlaceKnob();

    CRZBtn mMinus;
    CRZBtn mPlus;
    CBullet mKnob;
    CSprite mLowMarker;
    CSprite mHighMarker;
    float mLowLimit = 0.0f;
    float mHighLimit = 1.0f;
    float mValue;
    float mStep;
    float mMinimum;
    float mMaximum;
    std::int32_t mChanged = 0;
    std::int32_t mArrowsShown = 1;
};
