// Test ground of the widgets drawn from the data generator's pictures and fonts: a tiny generated folder
// made once per suite, a 640 by 480 back buffer (or one of another size), the interface fonts and an injected
// button clock.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "events/generic_events.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "support/data_folder.h"
#include "widgets/button.h"
#include "widgets/input.h"
#include "widgets/list_box.h"

namespace widgets_test {

inline int gButtonTicks = 0;

// The tiny folder of seed 5 in the scratch folder, once per suite.
inline void GenerateTinyFolder()
{
    ASSERT_TRUE(video_test::GenerateTinyData(5)) << "the data generator is built beside the tests";
}

// The index of the list's first visible row, -1 for none.
inline int FirstVisibleIndex(CNewListBox& list)
{
    int index = 0;
    for (auto it = list.GetHead(); !it.IsEnd(); it++, ++index)
        if (*it == list.GetFirstVisible())
            return index;
    return -1;
}

template <int Width = 640, int Height = 480> class GeneratedInterfaceOf : public fixture::GfxFileTest {
protected:
    static void SetUpTestSuite() { GenerateTinyFolder(); }
    void SetUp() override
    {
        fixture::GfxFileTest::SetUp();
        CVideo::pBackBuffer = &screen;
        CImageBase::InitAlpha();
        ASSERT_EQ(LoadInterfaceFonts(), 1);
        font = gpFontDB->GetFont("gfx\\fonts\\proforma12.bmp");
        ASSERT_NE(font, nullptr);
        gButtonTicks = 100;
        CRZBtn::_pGetTicks = [] { return gButtonTicks; };
        CInput::_isLeftButton = 0;
        CInput::_isOverButton = 0;
        CInput::_ClippedPos = CInput::_MouseOffset = CPoint();
    }
    void TearDown() override
    {
        CRZBtn::_pGetTicks = nullptr;
        delete gpFontDB;
        gpFontDB = nullptr;
        CVideo::pBackBuffer = nullptr;
        CInput::_isLeftButton = 0;
        fixture::GfxFileTest::TearDown();
    }

    // An input event at the point; loop ticks read the cursor, which is put there first.
    template <class Receiver>
    int Send(Receiver& receiver, CRZEvtType type, CPoint at, int value1 = 0, int value2 = 0)
    {
        CInput::_ClippedPos = at;
        if (type == _CRZEVT_TIMER_TICK_LOOP_ || type == _CRZEVT_TICK_ANIMATIONS_) {
            CRZGenericEvent tick(type, ALLID);
            return receiver.Update(&tick);
        }
        CRZInputEvent event(type, value1, value2, at);
        return receiver.Update(&event);
    }

    video_test::ScopedHeadlessVideo video { Width, Height, false };
    CImage screen { Width, Height, 16, IMAGE_SYSTEM };
    CFont* font = nullptr;
};

class GeneratedInterface : public GeneratedInterfaceOf<> { };

} // namespace widgets_test
