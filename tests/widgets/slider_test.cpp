// The slider over the options screen's generated set: dragging inside the band, arrows stepping out of
// it and a held arrow pulling back, the knob's lock, the three-track-heights hit band, and the empty
// range and zero-width track that must give no NaN.
#include <gtest/gtest.h>

#include <cmath>

#include "widgets/generated_interface.h"
#include "widgets/slider.h"

#include "foundation/safeguards.h"

namespace {

class Sliders : public widgets_test::GeneratedInterface {
protected:
    static CSlider* Make(float minimum, float maximum, float value)
    {
        return new CSlider(minimum, maximum, value, 10.0f, "gfx\\interface\\button area\\btn_minus.bmp",
            "gfx\\interface\\button area\\btn_plus.bmp", "gfx\\interface\\button area\\btn_slider.bmp",
            "gfx\\interface\\sprite_slider.bmp");
    }
    CPoint KnobCentre(CSlider& slider)
    {
        const CPoint at = slider.GetKnob().GetPosition();
        return CPoint(at.x + slider.GetKnob().GetWidth() / 2, at.y + 4);
    }
};

TEST_F(Sliders, ADragStopsAtTheBandsLimits)
{
    std::unique_ptr<CSlider> slider(Make(0.0f, 1000.0f, 500.0f));
    slider->SetLimits(0.25f, 0.75f);
    slider->MoveTo(100, 100);
    ASSERT_EQ(slider->GetWidth(), 160);
    CInput::_isLeftButton = 1;
    EXPECT_EQ(Send(*slider, _CRZEVT_MOUSELBDOWN_, KnobCentre(*slider)), 3);
    EXPECT_EQ(Send(*slider, _CRZEVT_MOUSELBHELD_, CPoint(600, 105)), 3);
    EXPECT_FLOAT_EQ(slider->GetValue(), 750.0f);
    EXPECT_TRUE(slider->IsChanged());
    EXPECT_EQ(Send(*slider, _CRZEVT_TIMER_TICK_LOOP_, CPoint(0, 105)), 3);
    EXPECT_FLOAT_EQ(slider->GetValue(), 250.0f);
    Send(*slider, _CRZEVT_MOUSELBHELD_, CPoint(100 + 80, 105));
    EXPECT_FLOAT_EQ(slider->GetValue(), 500.0f);
    CInput::_isLeftButton = 0;
    EXPECT_EQ(Send(*slider, _CRZEVT_MOUSELBUP_, CPoint(100 + 80, 105)), 3);
    Send(*slider, _CRZEVT_MOUSEMOVE_, CPoint(0, 0));
    EXPECT_FALSE(slider->IsChanged());
}

TEST_F(Sliders, ArrowsStepOutsideTheBandAndAHeldArrowPullsBack)
{
    std::unique_ptr<CSlider> slider(Make(0.0f, 1000.0f, 250.0f));
    slider->SetLimits(0.25f, 0.75f);
    slider->MoveTo(100, 100);
    const CPoint minus = slider->GetMinusArrow().GetPosition();
    const CPoint at(minus.x + 7, minus.y + 7);
    CInput::_isLeftButton = 1;
    EXPECT_EQ(Send(*slider, _CRZEVT_MOUSELBDOWN_, at), 3);
    EXPECT_FLOAT_EQ(slider->GetValue(), 240.0f);
    Send(*slider, _CRZEVT_TIMER_TICK_LOOP_, at);
    EXPECT_FLOAT_EQ(slider->GetValue(), 250.0f);
    EXPECT_TRUE(slider->IsChanged());
    CInput::_isLeftButton = 0;
    Send(*slider, _CRZEVT_MOUSELBUP_, at);
    Send(*slider, _CRZEVT_TIMER_TICK_LOOP_, at);
    EXPECT_TRUE(slider->GetMinusArrow().isUp());
    // Released, the arrow steps out and stays out.
    CInput::_isLeftButton = 1;
    Send(*slider, _CRZEVT_MOUSELBDOWN_, at);
    CInput::_isLeftButton = 0;
    Send(*slider, _CRZEVT_MOUSELBUP_, at);
    Send(*slider, _CRZEVT_TIMER_TICK_LOOP_, at);
    EXPECT_FLOAT_EQ(slider->GetValue(), 240.0f);
    // Steps stop at the range's ends.
    for (int i = 0; i < 40; ++i) {
        CInput::_isLeftButton = 1;
        Send(*slider, _CRZEVT_MOUSELBDOWN_, at);
        CInput::_isLeftButton = 0;
        Send(*slider, _CRZEVT_MOUSELBUP_, at);
        Send(*slider, _CRZEVT_TIMER_TICK_LOOP_, at);
    }
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.0f);
}

TEST_F(Sliders, ARightClickOrDoubleClickOnTheKnobLocksAndUnlocksIt)
{
    std::unique_ptr<CSlider> slider(Make(0.0f, 1000.0f, 500.0f));
    slider->MoveTo(100, 100);
    const CPoint knob = KnobCentre(*slider);
    for (CRZEvtType lock : { _CRZEVT_MOUSERBUP_, _CRZEVT_MOUSELBDOUBLECLICK_ }) {
        EXPECT_EQ(Send(*slider, lock, knob), 3);
        EXPECT_TRUE(slider->GetKnob().IsLocked());
        Send(*slider, _CRZEVT_MOUSEMOVE_, CPoint(0, 0));
        EXPECT_TRUE(slider->GetMinusArrow().IsDisabled());
        EXPECT_TRUE(slider->GetPlusArrow().IsDisabled());
        // A locked knob does not drag.
        CInput::_isLeftButton = 1;
        Send(*slider, _CRZEVT_MOUSELBDOWN_, knob);
        Send(*slider, _CRZEVT_MOUSELBHELD_, CPoint(250, 105));
        CInput::_isLeftButton = 0;
        Send(*slider, _CRZEVT_MOUSELBUP_, knob);
        EXPECT_FLOAT_EQ(slider->GetValue(), 500.0f);
        EXPECT_EQ(Send(*slider, lock, knob), 3);
        EXPECT_FALSE(slider->GetKnob().IsLocked());
        Send(*slider, _CRZEVT_MOUSEMOVE_, CPoint(0, 0));
        EXPECT_FALSE(slider->GetMinusArrow().IsDisabled());
    }
}

TEST_F(Sliders, TheHitBandIsThreeTrackHeightsAndAnEmptyRangeGivesNoNaN)
{
    std::unique_ptr<CSlider> slider(Make(0.0f, 100.0f, 50.0f));
    slider->MoveTo(100, 100);
    const int h = slider->GetHeight();
    EXPECT_TRUE(slider->Within(150, 100 - h));
    EXPECT_TRUE(slider->Within(150, 100 + 2 * h));
    EXPECT_FALSE(slider->Within(150, 100 - h - 1));
    EXPECT_FALSE(slider->Within(150, 100 + 2 * h + 1));
    EXPECT_FALSE(slider->Within(99, 105));

    std::unique_ptr<CSlider> empty(Make(5.0f, 5.0f, 5.0f));
    empty->MoveTo(100, 100);
    const CPoint knob = KnobCentre(*empty);
    CInput::_isLeftButton = 1;
    Send(*empty, _CRZEVT_MOUSELBDOWN_, knob);
    Send(*empty, _CRZEVT_MOUSELBHELD_, CPoint(200, 105));
    EXPECT_FLOAT_EQ(empty->GetValue(), 5.0f);
    EXPECT_EQ(empty->GetKnob().GetPosition().x, 100 - empty->GetKnob().GetWidth() / 2);

    std::unique_ptr<CSlider> thin(Make(0.0f, 100.0f, 50.0f));
    thin->SetTotalFrames(1000); // frames of no width: a track without width
    ASSERT_EQ(thin->GetWidth(), 0);
    thin->MoveTo(100, 100);
    const CPoint thinKnob = KnobCentre(*thin);
    Send(*thin, _CRZEVT_MOUSELBDOWN_, thinKnob);
    Send(*thin, _CRZEVT_MOUSELBHELD_, CPoint(200, 105));
    EXPECT_TRUE(std::isfinite(thin->GetValue()));
    EXPECT_FLOAT_EQ(thin->GetValue(), 0.0f);
    CInput::_isLeftButton = 0;
}

} // namespace
