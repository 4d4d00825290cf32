// The one game window: an SDL window with one OpenGL compatibility context, windowed or fullscreen on
// the desktop, with the game's back buffer scaled and letterboxed; also the emulated window handle.
// Headless (IsHeadless) the wrapper keeps its states and makes no window.
#pragma once

#include "platform/display/overlay_panel.h"
#include "platform/display/screen_state.h"
#include "platform/win/win_types.h"

struct SDL_Window;

namespace Ravel {

class BasicHWNDImpOBJC {
public:
    // Stores the size and name of the window to be; opens nothing. Becomes the wrapper that
    // getGameWindowWrapper answers. name is not copied.
    BasicHWNDImpOBJC(int width, int height, const char* name);
    ~BasicHWNDImpOBJC();
    BasicHWNDImpOBJC(const BasicHWNDImpOBJC&) = delete;
    BasicHWNDImpOBJC& operator=(const BasicHWNDImpOBJC&) = delete;

    int getDisplay() const { return mDisplay; }
    SDL_Window* getWindow() const { return mWindow; }
    SDL_Window* getGameWindow() const { return mWindow; }
    void* getContext() const { return mContext; }
    void* getFullscreenContext() const { return mContext; }
    int getWidth() const { return mWidth; }
    int getHeight() const { return mHeight; }
    void setWidth(int width) { mWidth = width; }
    void setHeight(int height) { mHeight = height; }
    bool isFullscreen() const { return mNow.mFullscreen; }
    ScreenState* getNow() { return &mNow; }
    int stateUsed() const { return mStateUsed; }

    // Asks for a screen: builds a state, completes it and makes it the one in force. Answers DD_OK,
    // or RV_DXERR_FAILED with the cause logged when no window, context or mode could be had; the game
    // must then report the failure and end.
    Windows::HRESULT openOnAdapter(int display, float width, float height, int colorBits, bool fullscreen,
        int refreshRate = 0, bool sync = true, int antiAlias = 0, bool stretched = false);
    // Completes the state in place: the display mode of a fullscreen state, the colour bits, a depth of
    // 24 for -1. Throws Ravel::osExcept when no mode can be had, std::invalid_argument for a windowed
    // state of size 0.
    static void prepareScreenStateForUse(ScreenState& state, int display);
    // Makes the state the one in force; false, with the cause logged and the display given back, when
    // that failed.
    bool resetToState(const ScreenState& state, int display);
    // Takes the present state down: hides the window and leaves fullscreen.
    void prepareForReset();
    // Leave fullscreen for a while (an alert, a hidden application); up to three deep.
    void startTemporaryWindowedMode();
    void doneTemporaryWindowedMode();

    // Shows the frame: the wait display over it when it is on, then the buffer swap.
    void present();
    // Black over the whole drawable, bars included; the frame then draws into the game area.
    void clearFrame();
    // Puts the viewport on the game area after the drawable changed size.
    void updateViewport();
    ViewportRect gameViewport() const;
    // Closes the window and its context; the wrapper stops being the game window wrapper.
    void close();

    void createWaitPanel();
    void startWaitState();
    void doneWaitState();
    bool isWaiting() const { return mWaitPanel.isShown(); }

private:
    void makeToState(const ScreenState& state, int display);
    void changeToState(const ScreenState& state, int display);
    void glReset();
    void setStage();

    int mDisplay = 0;
    SDL_Window* mWindow = nullptr;
    void* mContext = nullptr;
    ScreenState mNow;
    ScreenState mStateStack[3];
    int mStateUsed = 0;
    OverlayPanel mWaitPanel;
    bool mHasWaitPanel = false;
    int mWidth;
    int mHeight;
    const char* mName;
    bool mFirstTimeEver = true;
};

// The game window wrapper; null before one is made and after close.
BasicHWNDImpOBJC* getGameWindowWrapper();
// The wrapper's window; null without a wrapper or window.
SDL_Window* getMainWindow();
// Shows the frame of the game window, when there is one.
void presentScreen();
// The area the game covers on its screen, in screen pixels; the display's bounds without a window.
ViewportRect getScreenBounds();
// The suspension point of the message pump; nothing suspends the game, so it answers 0.
int goodSuspendPoint();
// Delivers every platform event for the given milliseconds, after dropping pending mouse clicks.
void ProcessEventsForMs(long milliseconds);
void startOtherWindow();
void doneOtherWindow();

} // namespace Ravel

namespace Windows {

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

// The game window's frame on the screen; before a window exists (0, 0, width, height) of the creation
// size. Answers 1, or 0 for a handle that is not the game window.
BOOL GetWindowRect(HWND window, RECT* rect);

} // namespace Windows
