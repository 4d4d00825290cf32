// Display states: completing a requested state, making it the one in force with the display given
// back on failure, and the temporary windowed mode's stack of saved states.
#include <SDL.h>
#include <stdexcept>

#include "platform/display/basic_hwnd_imp.h"
#include "platform/elements/logging.h"
#include "platform/elements/os_except.h"
#include "platform/elements/rv_assert.h"
#include "platform/host/os_access.h"
#include "platform/render/our_context.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kError);

// Holds the host lock for a scope, also when an exception leaves it.
class OSAccess {
public:
    OSAccess() { beginOSAccess(); }
    ~OSAccess() { endOSAccess(); }
    OSAccess(const OSAccess&) = delete;
    OSAccess& operator=(const OSAccess&) = delete;
};

} // namespace

Windows::HRESULT BasicHWNDImpOBJC::openOnAdapter(int display, float width, float height, int colorBits,
    bool fullscreen, int refreshRate, bool sync, int antiAlias, bool stretched)
{
    ScreenState state;
    state.mFullscreen = fullscreen;
    state.mRefreshRate = refreshRate;
    state.mForceSync = sync;
    state.mColorBits = colorBits;
    state.mAntiAlias = antiAlias;
    state.mStretched = stretched;
    state.mWide = static_cast<int>(width);
    state.mHigh = static_cast<int>(height);
    state.mDepthBits = -1;
    state.mStencilBits = 0;
    try {
        prepareScreenStateForUse(state, display);
    } catch (const std::exception& e) {
        gLog.error(e);
        return Windows::RV_DXERR_FAILED;
    }
    return resetToState(state, display) ? Windows::DD_OK : Windows::RV_DXERR_FAILED;
}

void BasicHWNDImpOBJC::prepareScreenStateForUse(ScreenState& state, int display)
{
    if (state.mWide <= 0 || state.mHigh <= 0)
        throw std::invalid_argument("a screen state needs a size");
    SDL_DisplayMode mode {};
    bool haveMode = SDL_GetDesktopDisplayMode(display, &mode) == 0;
    if (!state.mFullscreen) {
        state.mColorBits = haveMode ? static_cast<int>(SDL_BITSPERPIXEL(mode.format)) : 32;
    } else {
        // Fullscreen covers the desktop in its own mode; the game area keeps its size and is scaled onto it.
        if (!haveMode || mode.w <= 0 || mode.h <= 0)
            throw osExcept("Cannot find a fullscreen display mode!", 0, __FILE__, __LINE__);
        state.mHasFullMode = true;
        state.mFullModeWide = mode.w;
        state.mFullModeHigh = mode.h;
        state.mColorBits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
    }
    if (state.mDepthBits == -1)
        state.mDepthBits = 24;
}

bool BasicHWNDImpOBJC::resetToState(const ScreenState& state, int display)
{
    OSAccess access;
    try {
        prepareForReset();
        mNow = state;
        mDisplay = display;
        if (state.mFullscreen) {
            gLog.info("Capture displays...");
            gLog.info("switching modes...");
        }
        if (mWindow && mContext)
            changeToState(state, display);
        else
            makeToState(state, display);
        if (mWindow) {
            gLog.info("make visible...");
            SDL_ShowWindow(mWindow);
            SDL_RaiseWindow(mWindow);
        }
        if (mFirstTimeEver)
            Ravel::startWaitState();
        mFirstTimeEver = false;
        if (mWindow) {
            OurContext { mWindow, mContext }.use();
            SDL_GL_SetSwapInterval(mNow.mForceSync ? 1 : 0);
        }
        if (!mHasWaitPanel)
            createWaitPanel();
        glReset();
        return true;
    } catch (const std::exception& e) {
        gLog.error(e);
        // Never leave the desktop covered by a window that failed to become the game's screen.
        if (mWindow) {
            SDL_SetWindowFullscreen(mWindow, 0);
            SDL_HideWindow(mWindow);
        }
        SDL_ShowCursor(SDL_ENABLE);
        return false;
    }
}

void BasicHWNDImpOBJC::prepareForReset()
{
    OSAccess access;
    gLog.info("prepareForReset start");
    gLog.info("prepareForReset stuff");
    if (mWindow) {
        SDL_HideWindow(mWindow);
        if (mNow.mFullscreen) {
            SDL_SetWindowFullscreen(mWindow, 0);
            SDL_ShowCursor(SDL_ENABLE);
        }
    }
    gLog.info("prepareForReset ending");
}

void BasicHWNDImpOBJC::startTemporaryWindowedMode()
{
    if (mStateUsed >= 3) {
        gLog.error("push() called when stack full");
        return;
    }
    for (int i = mStateUsed; i > 0; --i)
        mStateStack[i] = mStateStack[i - 1];
    mStateStack[0] = mNow;
    ++mStateUsed;
    if (mNow.mFullscreen) {
        ScreenState windowed = mNow;
        windowed.mFullscreen = false;
        windowed.mHasFullMode = false;
        try {
            prepareScreenStateForUse(windowed, mDisplay);
        } catch (const std::exception& e) {
            gLog.error(e);
            return;
        }
        resetToState(windowed, mDisplay);
    }
}

void BasicHWNDImpOBJC::doneTemporaryWindowedMode()
{
    if (mStateUsed <= 0) {
        gLog.error("pop() called on empty stack");
        return;
    }
    ScreenState saved = mStateStack[0];
    if (!(saved == mNow))
        resetToState(saved, mDisplay);
    mNow = saved;
    for (int i = 0; i + 1 < mStateUsed; ++i)
        mStateStack[i] = mStateStack[i + 1];
    mStateStack[mStateUsed - 1] = ScreenState {};
    --mStateUsed;
}

} // namespace Ravel
