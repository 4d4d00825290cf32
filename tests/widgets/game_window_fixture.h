// The game window on the X display for widget tests: a tiny generated folder, the interface fonts, the
// game view, the input component, and one frame's input pumped from SDL's queue to the input events.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <memory>

#include "events/event_routing.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "widgets/generated_interface.h"
#include "widgets/input_recorder.h"
#include "widgets/sdl_input.h"

namespace widgets_test {

class GameWindowTest : public fixture::GfxFileTest {
protected:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    static void SetUpTestSuite() { GenerateTinyFolder(); }
    // Input events go to the receiver, as the interface would offer them.
    void SetUpWindow(const char* title, CRZInterfaceHandler* receiver)
    {
        GfxFileTest::SetUp();
        mWindow = std::make_unique<video_test::ScopedGameWindow>(kWidth, kHeight, title);
        ASSERT_TRUE(mWindow->ok());
        CImageBase::InitAlpha();
        ASSERT_EQ(LoadInterfaceFonts(), 1);
        mView.viewDidMoveToWindow();
        mInput = std::make_unique<ScopedInput>();
        gEventRoutes.gameInterface = receiver;
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override
    {
        mInput.reset();
        delete gpFontDB;
        gpFontDB = nullptr;
        mWindow.reset();
        GfxFileTest::TearDown();
    }

    void Pump() { PumpInput(mView); }
    void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }

    std::unique_ptr<video_test::ScopedGameWindow> mWindow;
    Ravel::GameOpenGLView mView { kWidth, kHeight };
    std::unique_ptr<ScopedInput> mInput;
};

} // namespace widgets_test
