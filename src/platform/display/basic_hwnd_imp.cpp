// The game window wrapper: making the window and its context, switching it, presenting and closing,
// and the functions around the one game window.
#include "platform/display/basic_hwnd_imp.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstring>
#include <vector>

#include "platform/elements/logging.h"
#include "platform/elements/os_except.h"
#include "platform/elements/prefs.h"
#include "platform/elements/rv_assert.h"
#include "platform/host/fs_application.h"
#include "platform/host/headless.h"
#include "platform/host/os_access.h"
#include "platform/render/our_context.h"
#include "platform/win/win_time.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kError);
BasicHWNDImpOBJC* gLastWind = nullptr;

void SetPixelAttributes(const ScreenState& state)
{
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    bool sixteen = state.mColorBits > 0 && state.mColorBits <= 16;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, sixteen ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, sixteen ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, sixteen ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, state.mDepthBits > 0 ? state.mDepthBits : 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, state.mStencilBits);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, state.mAntiAlias != 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, state.mAntiAlias);
}

// The order in which a pixel format that the machine lacks is given up: multisampling 4, 2, none,
// then the stencil, then depth 16 and none. Each step keeps the ones before it.
std::vector<ScreenState> PixelFormatCandidates(const ScreenState& state)
{
    std::vector<ScreenState> candidates { state };
    ScreenState s = state;
    if (s.mAntiAlias != 0) {
        for (int samples : { 4, 2, 0 }) {
            s.mAntiAlias = samples;
            candidates.push_back(s);
        }
    }
    s.mStencilBits = 0;
    candidates.push_back(s);
    if (s.mDepthBits != 0) {
        s.mDepthBits = 16;
        candidates.push_back(s);
        s.mDepthBits = 0;
        candidates.push_back(s);
    }
    return candidates;
}

void WindowTitle(char* title, int size)
{
    int length = size;
    Prefs::GetInstance().get("GameWrapper", "windTitle", title, &length, "Vellmark");
}

} // namespace

ViewportRect LetterboxRect(int dw, int dh, int w, int h)
{
    if (dw <= 0 || dh <= 0 || w <= 0 || h <= 0)
        return ViewportRect { 0, 0, dw > 0 ? dw : 0, dh > 0 ? dh : 0 };
    // Compare dw/w with dh/h in integers: the narrower ratio decides.
    long long byWidth = static_cast<long long>(dw) * h;
    long long byHeight = static_cast<long long>(dh) * w;
    ViewportRect r;
    if (byWidth <= byHeight) {
        r.w = dw;
        r.h = static_cast<int>(byWidth / w);
    } else {
        r.h = dh;
        r.w = static_cast<int>(byHeight / h);
    }
    r.x = (dw - r.w) / 2;
    r.y = (dh - r.h) / 2;
    return r;
}

BasicHWNDImpOBJC::BasicHWNDImpOBJC(int width, int height, const char* name)
    : mWidth(width)
    , mHeight(height)
    , mName(name)
{
    gLastWind = this;
}

BasicHWNDImpOBJC::~BasicHWNDImpOBJC()
{
    if (mWindow || mContext)
        close();
    if (gLastWind == this)
        gLastWind = nullptr;
}

void BasicHWNDImpOBJC::makeToState(const ScreenState& state, int display)
{
    if (IsHeadless()) {
        mNow = state;
        mDisplay = display;
        return;
    }
    char title[128];
    WindowTitle(title, sizeof title);
    gLog.info("creating window...");
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (state.mFullscreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    bool madeWindow = false;
    for (const ScreenState& candidate : PixelFormatCandidates(state)) {
        SetPixelAttributes(candidate);
        SDL_Window* window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
            SDL_WINDOWPOS_CENTERED_DISPLAY(display), candidate.mWide, candidate.mHigh, flags);
        if (!window) {
            gLog.info("no pixel format: %s", SDL_GetError());
            continue;
        }
        madeWindow = true;
        SDL_GLContext context = SDL_GL_CreateContext(window);
        if (!context) {
            gLog.info("no context: %s", SDL_GetError());
            SDL_DestroyWindow(window);
            continue;
        }
        mWindow = window;
        mContext = context;
        mNow = candidate;
        mDisplay = display;
        setStage();
        return;
    }
    if (!madeWindow)
        throw osExcept(
            "Unable to find a pixel format matching these specifications.", -1, __FILE__, __LINE__);
    throw osExcept("Unable to create OpenGL context.", -1, __FILE__, __LINE__);
}

void BasicHWNDImpOBJC::changeToState(const ScreenState& state, int display)
{
    mNow = state;
    mDisplay = display;
    if (!mWindow)
        return;
    if (!state.mFullscreen) {
        gLog.info("altering for windowed...");
        if (SDL_SetWindowFullscreen(mWindow, 0) != 0)
            throw osExcept("Unable to leave fullscreen.", -1, __FILE__, __LINE__);
        SDL_SetWindowSize(mWindow, state.mWide, state.mHigh);
        SDL_SetWindowPosition(
            mWindow, SDL_WINDOWPOS_CENTERED_DISPLAY(display), SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    } else {
        gLog.info("altering for inState->mFullscreen...");
        // A window going fullscreen is first made the display's size: with no window manager to honour
        // the fullscreen request, the window would keep its windowed size while SDL reports the
        // display's, and the letterboxed game area would be cut off.
        SDL_Rect bounds {};
        if (SDL_GetDisplayBounds(display, &bounds) == 0) {
            SDL_SetWindowPosition(mWindow, bounds.x, bounds.y);
            SDL_SetWindowSize(mWindow, bounds.w, bounds.h);
        }
        if (SDL_SetWindowFullscreen(mWindow, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
            throw osExcept("Unable to change inDisplay mode.", -1, __FILE__, __LINE__);
    }
    setStage();
}

void BasicHWNDImpOBJC::setStage()
{
    OurContext stage { mWindow, mContext };
    SetStageContext(stage);
    UseStageContext();
}

void BasicHWNDImpOBJC::glReset()
{
    if (!mWindow)
        return;
    gLog.info("gl reset...");
    OurContext { mWindow, mContext }.use(true);
    glFrontFace(GL_CW);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0F, 0.0F, 0.0F, 1.0F);
    if (mNow.mAntiAlias != 0)
        glEnable(0x809D); // GL_MULTISAMPLE
    GLbitfield mask = GL_COLOR_BUFFER_BIT;
    if (mNow.mDepthBits != 0)
        mask |= GL_DEPTH_BUFFER_BIT;
    if (mNow.mStencilBits != 0)
        mask |= GL_STENCIL_BUFFER_BIT;
    int dw = 0;
    int dh = 0;
    SDL_GL_GetDrawableSize(mWindow, &dw, &dh);
    glViewport(0, 0, dw, dh);
    glClear(mask);
    SDL_GL_SwapWindow(mWindow);
    updateViewport();
    gLog.info("done.");
}

ViewportRect BasicHWNDImpOBJC::gameViewport() const
{
    if (!mWindow)
        return ViewportRect { 0, 0, mNow.mWide, mNow.mHigh };
    int dw = 0;
    int dh = 0;
    SDL_GL_GetDrawableSize(mWindow, &dw, &dh);
    if (mNow.mStretched)
        return ViewportRect { 0, 0, dw, dh };
    return LetterboxRect(dw, dh, mNow.mWide, mNow.mHigh);
}

void BasicHWNDImpOBJC::updateViewport()
{
    if (!mWindow)
        return;
    OurContext { mWindow, mContext }.use();
    ViewportRect r = gameViewport();
    glViewport(r.x, r.y, r.w, r.h);
}

void BasicHWNDImpOBJC::clearFrame()
{
    if (!mWindow)
        return;
    OurContext { mWindow, mContext }.use();
    int dw = 0;
    int dh = 0;
    SDL_GL_GetDrawableSize(mWindow, &dw, &dh);
    glViewport(0, 0, dw, dh);
    glClearColor(0.0F, 0.0F, 0.0F, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT);
    updateViewport();
}

void BasicHWNDImpOBJC::present()
{
    if (!mWindow)
        return;
    OurContext { mWindow, mContext }.use();
    if (mWaitPanel.isShown()) {
        int dw = 0;
        int dh = 0;
        SDL_GL_GetDrawableSize(mWindow, &dw, &dh);
        mWaitPanel.draw(dw, dh, Windows::GetTickCount());
    }
    SDL_GL_SwapWindow(mWindow);
}

void BasicHWNDImpOBJC::close()
{
    gLog.info("close start, calling prepareForReset");
    prepareForReset();
    gLog.info("close continues, calling prepareForReset");
    beginOSAccess();
    if (GetStageContext().gl == mContext)
        ClearStageContext();
    if (OurContext::gCur.gl == mContext && mContext) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        OurContext::gCur = OurContext {};
    }
    if (mContext) {
        SDL_GL_DeleteContext(mContext);
        mContext = nullptr;
    }
    if (mWindow) {
        SDL_DestroyWindow(mWindow);
        mWindow = nullptr;
    }
    mHasWaitPanel = false;
    mWaitPanel.hide();
    if (gLastWind == this)
        gLastWind = nullptr;
    endOSAccess();
    gLog.info("close done");
}

void BasicHWNDImpOBJC::createWaitPanel()
{
    mHasWaitPanel = true;
}

void BasicHWNDImpOBJC::startWaitState()
{
    if (mHasWaitPanel && mWindow)
        mWaitPanel.show();
}

void BasicHWNDImpOBJC::doneWaitState()
{
    if (mHasWaitPanel && mWindow)
        mWaitPanel.hide();
}

BasicHWNDImpOBJC* getGameWindowWrapper()
{
    return gLastWind;
}

SDL_Window* getMainWindow()
{
    return gLastWind ? gLastWind->getWindow() : nullptr;
}

void presentScreen()
{
    if (gLastWind)
        gLastWind->present();
}

ViewportRect getScreenBounds()
{
    int display = gLastWind ? gLastWind->getDisplay() : 0;
    SDL_Rect bounds {};
    if (SDL_GetDisplayBounds(display, &bounds) != 0)
        return ViewportRect {};
    // Windowed or fullscreen on the desktop, the game's screen is the whole display.
    return ViewportRect { bounds.x, bounds.y, bounds.w, bounds.h };
}

int goodSuspendPoint()
{
    return 0;
}

void ProcessEventsForMs(long milliseconds)
{
    SDL_FlushEvents(SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP);
    Windows::DWORD start = Windows::GetTickCount();
    SDL_Event event;
    do {
        if (FSApplication::nextEvent(&event))
            FSApplication::sendEvent(event);
        else if (milliseconds > 0)
            giveOSTime(1);
    } while (static_cast<long>(Windows::GetTickCount() - start) < milliseconds);
}

void startOtherWindow() { }

void doneOtherWindow() { }

} // namespace Ravel

namespace Windows {

BOOL GetWindowRect(HWND window, RECT* rect)
{
    Ravel::BasicHWNDImpOBJC* wrapper = Ravel::getGameWindowWrapper();
    if (!rect || !wrapper || reinterpret_cast<Ravel::BasicHWNDImpOBJC*>(window) != wrapper)
        return 0;
    SDL_Window* sdlWindow = wrapper->getWindow();
    if (!sdlWindow) {
        *rect = RECT { 0, 0, wrapper->getWidth(), wrapper->getHeight() };
        return 1;
    }
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    SDL_GetWindowPosition(sdlWindow, &x, &y);
    SDL_GetWindowSize(sdlWindow, &w, &h);
    *rect = RECT { x, y, x + w, y + h };
    return 1;
}

} // namespace Windows
