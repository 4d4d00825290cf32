// The game view's event translation: button messages preceded by moves, Control-click as the right
// button, double clicks, wheel steps, modifier keys as key messages of their own, characters from text.
#include "platform/input/game_opengl_view.h"

#include <SDL.h>
#include <cmath>

#include "platform/display/basic_hwnd_imp.h"
#include "platform/host/game_app_delegate.h"
#include "platform/host/host_timers.h"
#include "platform/input/key_table.h"
#include "platform/input/window_messages.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

GameOpenGLView* gCurrentView = nullptr;

void Post(Windows::UINT message, Windows::WPARAM wParam, Windows::LPARAM lParam)
{
    Windows::addWindowMessage(Windows::kGameWindowHandle, message, wParam, lParam);
}

// The code points of a UTF-8 text; a malformed sequence gives nothing for its bytes.
template <typename Visit> void ForEachCodePoint(const std::string& text, Visit visit)
{
    std::size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80 ? 0
            : (lead >> 5) == 6  ? 1
            : (lead >> 4) == 14 ? 2
            : (lead >> 3) == 30 ? 3
                                : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
            ++i;
            continue;
        }
        std::uint32_t code = extra == 0 ? lead : lead & (0x3Fu >> extra);
        bool good = true;
        for (int k = 1; k <= extra; ++k) {
            auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                good = false;
                break;
            }
            code = (code << 6) | (next & 0x3Fu);
        }
        i += good ? static_cast<std::size_t>(extra) + 1 : 1;
        if (good)
            visit(code);
    }
}

// Function-key characters and NUL never reach the game as characters.
bool IsCharacterSent(std::uint32_t code)
{
    return code != 0 && !(code >= 0xF700 && code <= 0xF7FF);
}

} // namespace

GameOpenGLView::GameOpenGLView(int fallbackWidth, int fallbackHeight)
    : mFallbackWidth(fallbackWidth)
    , mFallbackHeight(fallbackHeight)
{
}

GameOpenGLView::~GameOpenGLView()
{
    if (mWatchTimer != 0)
        HostTimers::remove(mWatchTimer);
    if (gCurrentView == this)
        gCurrentView = nullptr;
    if (GameAppDelegate* delegate = GameAppDelegate::getMain()) {
        if (delegate->getGameResponder() == this)
            delegate->setGameResponder(nullptr);
    }
}

GameOpenGLView* GameOpenGLView::Current()
{
    return gCurrentView;
}

void GameOpenGLView::viewDidMoveToWindow()
{
    {
        std::lock_guard<std::recursive_mutex> hold(mMouseLock);
        mHardwareMouse = true;
        mBigMouse = true;
        mWantVisible = true;
        mCurCursor = nullptr;
        mOwnMouse = false;
        mLastPos = ViewPoint {};
        mWasRightClick = false;
        mIsLeftDown = false;
        mIsRightDown = false;
        mSystemMouseVisible = true;
        mWinMsgKnownModifierKeys = 0;
    }
    gCurrentView = this;
    if (GameAppDelegate* delegate = GameAppDelegate::getMain())
        delegate->setGameResponder(this);
    if (mWatchTimer == 0)
        mWatchTimer = HostTimers::add(0, 1000, [this] { watchMouse(); });
}

int GameOpenGLView::viewWidth() const
{
    if (BasicHWNDImpOBJC* wrapper = getGameWindowWrapper()) {
        BasicHWNDImpOBJC& w = *wrapper;
        int wide = w.getNow()->mWide;
        return wide > 0 ? wide : w.getWidth();
    }
    return mFallbackWidth;
}

int GameOpenGLView::viewHeight() const
{
    if (BasicHWNDImpOBJC* wrapper = getGameWindowWrapper()) {
        BasicHWNDImpOBJC& w = *wrapper;
        int high = w.getNow()->mHigh;
        return high > 0 ? high : w.getHeight();
    }
    return mFallbackHeight;
}

ViewPoint GameOpenGLView::toView(int windowX, int windowY, bool* inside) const
{
    double x = windowX;
    double y = windowY;
    int wide = viewWidth();
    int high = viewHeight();
    BasicHWNDImpOBJC* wrapper = getGameWindowWrapper();
    SDL_Window* window = wrapper ? wrapper->getGameWindow() : nullptr;
    if (window) {
        // Window points to drawable pixels, then out of the letterboxed game area into its own pixels.
        int ww = 0;
        int wh = 0;
        int dw = 0;
        int dh = 0;
        SDL_GetWindowSize(window, &ww, &wh);
        SDL_GL_GetDrawableSize(window, &dw, &dh);
        ViewportRect area = wrapper->gameViewport();
        if (ww > 0 && wh > 0 && area.w > 0 && area.h > 0) {
            double px = x * dw / ww;
            double py = y * dh / wh;
            int top = dh - (area.y + area.h);
            x = (px - area.x) * wide / area.w;
            y = (py - top) * high / area.h;
        }
    }
    ViewPoint point { static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)) };
    if (inside)
        *inside = point.x >= 0 && point.y >= 0 && point.x < wide && point.y < high;
    return point;
}

ViewPoint GameOpenGLView::clampToView(ViewPoint point) const
{
    int wide = viewWidth();
    int high = viewHeight();
    point.x = point.x < 0 ? 0 : point.x >= wide ? (wide > 0 ? wide - 1 : 0) : point.x;
    point.y = point.y < 0 ? 0 : point.y >= high ? (high > 0 ? high - 1 : 0) : point.y;
    return point;
}

Windows::LPARAM GameOpenGLView::pointParam(ViewPoint point) const
{
    ViewPoint p = clampToView(point);
    auto bits = static_cast<std::uint32_t>(p.x & 0xFFFF) | (static_cast<std::uint32_t>(p.y & 0xFFFF) << 16);
    return static_cast<Windows::LPARAM>(bits);
}

bool GameOpenGLView::windowIsKey() const
{
    BasicHWNDImpOBJC* wrapper = getGameWindowWrapper();
    SDL_Window* window = wrapper ? wrapper->getGameWindow() : nullptr;
    // Without a window (headless play) the game has the keyboard to itself.
    return window == nullptr || SDL_GetKeyboardFocus() == window;
}

void GameOpenGLView::updateMouseTo(ViewPoint point, bool inside)
{
    ViewPoint at = point;
    {
        std::lock_guard<std::recursive_mutex> hold(mMouseLock);
        mOwnMouse = false;
        if (gIsGameFrontmost != 0 && windowIsKey() && inside) {
            mOwnMouse = true;
            mLastPos = point;
        } else {
            at = ViewPoint { viewWidth() / 2, viewHeight() / 2 };
        }
        if (mOwnMouse && mHardwareMouse && mWantVisible) {
            if (mCurCursor)
                SDL_SetCursor(mCurCursor);
            if (!mSystemMouseVisible)
                SDL_ShowCursor(SDL_ENABLE);
            mSystemMouseVisible = true;
        } else if (mOwnMouse) {
            if (mSystemMouseVisible)
                SDL_ShowCursor(SDL_DISABLE);
            mSystemMouseVisible = false;
        } else if (!mSystemMouseVisible) {
            mSystemMouseVisible = true;
            SDL_SetCursor(SDL_GetDefaultCursor());
            SDL_ShowCursor(SDL_ENABLE);
        }
    }
    Windows::WPARAM buttons
        = (mIsLeftDown ? Windows::MK_LBUTTON : 0) | (mIsRightDown ? Windows::MK_RBUTTON : 0);
    Post(Windows::WM_MOUSEMOVE, buttons, pointParam(at));
}

void GameOpenGLView::mouseButton(const SDL_MouseButtonEvent& button)
{
    bool inside = false;
    ViewPoint point = toView(button.x, button.y, &inside);
    Windows::LPARAM where = pointParam(point);
    bool down = button.type == SDL_MOUSEBUTTONDOWN;
    if (button.button == SDL_BUTTON_RIGHT) {
        mIsRightDown = down;
        Post(down ? Windows::WM_RBUTTONDOWN : Windows::WM_RBUTTONUP, down ? Windows::MK_RBUTTON : 0, where);
        return;
    }
    if (button.button != SDL_BUTTON_LEFT)
        return;
    updateMouseTo(point, inside);
    if (!down) {
        bool wasRight = mWasRightClick;
        mWasRightClick = false;
        if (wasRight)
            mIsRightDown = false;
        else
            mIsLeftDown = false;
        Post(wasRight ? Windows::WM_RBUTTONUP : Windows::WM_LBUTTONUP, 0, where);
        return;
    }
    std::uint32_t flags
        = mWinMsgKnownModifierKeys | ModifierFlagsFromSdl(static_cast<std::uint16_t>(SDL_GetModState()));
    bool control = (flags & kControlFlag) != 0;
    bool doubleClick = button.clicks >= 2;
    mIsLeftDown = !control;
    mIsRightDown = control;
    mWasRightClick = control;
    if (control)
        Post(doubleClick ? Windows::WM_RBUTTONDBLCLK : Windows::WM_RBUTTONDOWN, Windows::MK_RBUTTON, where);
    else
        Post(doubleClick ? Windows::WM_LBUTTONDBLCLK : Windows::WM_LBUTTONDOWN, Windows::MK_LBUTTON, where);
}

void GameOpenGLView::handleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_MOUSEMOTION: {
        bool inside = false;
        ViewPoint point = toView(event.motion.x, event.motion.y, &inside);
        updateMouseTo(point, inside);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        mouseButton(event.button);
        break;
    case SDL_MOUSEWHEEL: {
        float delta = event.wheel.preciseY;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
            delta = -delta;
        bool inside = false;
        ViewPoint point = toView(event.wheel.mouseX, event.wheel.mouseY, &inside);
        auto steps = static_cast<std::int32_t>(delta * 20.0F);
        Post(Windows::WM_MOUSEWHEEL, static_cast<std::uint32_t>(steps) << 16, pointParam(point));
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        SDL_Keycode key = event.key.keysym.sym;
        bool down = event.type == SDL_KEYDOWN;
        std::uint32_t flags = ModifierFlagsFromSdl(event.key.keysym.mod);
        if (std::uint32_t own = ModifierFlagOfKey(key)) {
            flags = down ? (flags | own) : (flags & ~own);
            addWindowMessageForModifiers(flags);
            break;
        }
        // The text a press types arrives as the next event; it belongs in front of the key message.
        std::string text;
        SDL_Event next;
        if (down && KeyMayType(key)
            && SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1
            && next.type == SDL_TEXTINPUT
            && SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT) == 1)
            text = next.text.text;
        handleKey(key, text, down, flags);
        break;
    }
    case SDL_TEXTINPUT:
        postCharacters(event.text.text);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_LEAVE)
            updateMouseTo(ViewPoint { -1, -1 }, false);
        break;
    default:
        break;
    }
}

void GameOpenGLView::postCharacters(const std::string& text)
{
    ForEachCodePoint(text, [](std::uint32_t code) {
        if (IsCharacterSent(code))
            Post(Windows::WM_CHAR, code, 0);
    });
}

void GameOpenGLView::handleKey(SDL_Keycode key, const std::string& text, bool down, std::uint32_t flags)
{
    if (down) {
        // Keypad digits type their digits: only the key code says that they came from the keypad.
        if (!text.empty())
            postCharacters(text);
        else if (std::uint32_t typed = ControlCharacterOfKey(key, flags))
            Post(Windows::WM_CHAR, typed, 0);
    }
    std::uint32_t code = VirtualKeyFromSdl(key);
    if (code == 0)
        return;
    addWindowMessageForModifiers(flags);
    Post(down ? Windows::WM_KEYDOWN : Windows::WM_KEYUP, code, 0);
}

void GameOpenGLView::addWindowMessageForModifiers(std::uint32_t flags)
{
    static constexpr struct {
        std::uint32_t flag;
        Windows::WPARAM key;
    } kModifiers[] = { { kControlFlag, 0x11 }, { kShiftFlag, 0x10 }, { kOptionFlag, 0x12 } };
    for (const auto& modifier : kModifiers) {
        if (((flags ^ mWinMsgKnownModifierKeys) & modifier.flag) != 0)
            Post((flags & modifier.flag) != 0 ? Windows::WM_KEYDOWN : Windows::WM_KEYUP, modifier.key, 0);
    }
    mWinMsgKnownModifierKeys = flags;
}

bool GameOpenGLView::cursorVisible() const
{
    std::lock_guard<std::recursive_mutex> hold(mMouseLock);
    return mWantVisible;
}

void GameOpenGLView::setCursorVisible(bool visible)
{
    ViewPoint at;
    {
        std::lock_guard<std::recursive_mutex> hold(mMouseLock);
        mWantVisible = visible;
        at = mLastPos;
    }
    updateMouseTo(at, true);
}

void GameOpenGLView::setCursor(SDL_Cursor* cursor)
{
    {
        std::lock_guard<std::recursive_mutex> hold(mMouseLock);
        if (cursor == mCurCursor)
            return;
        mCurCursor = cursor;
    }
    watchMouse();
}

void GameOpenGLView::resetSystemCursorFlagTo(bool visible)
{
    std::lock_guard<std::recursive_mutex> hold(mMouseLock);
    mSystemMouseVisible = visible;
}

bool GameOpenGLView::ownMouse() const
{
    std::lock_guard<std::recursive_mutex> hold(mMouseLock);
    return mOwnMouse;
}

ViewPoint GameOpenGLView::lastPos() const
{
    std::lock_guard<std::recursive_mutex> hold(mMouseLock);
    return mLastPos;
}

bool GameOpenGLView::pointerNow(ViewPoint* point, bool* inside) const
{
    BasicHWNDImpOBJC* wrapper = getGameWindowWrapper();
    SDL_Window* window = wrapper ? wrapper->getGameWindow() : nullptr;
    if (!window)
        return false;
    // The global pointer less the window's place: the present position, not the last event's.
    int gx = 0;
    int gy = 0;
    int wx = 0;
    int wy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    SDL_GetWindowPosition(window, &wx, &wy);
    *point = toView(gx - wx, gy - wy, inside);
    return true;
}

void GameOpenGLView::watchMouse()
{
    ViewPoint point;
    bool inside = false;
    if (pointerNow(&point, &inside))
        updateMouseTo(point, inside);
    else
        updateMouseTo(lastPos(), true);
    addWindowMessageForModifiers(ModifierFlagsFromSdl(static_cast<std::uint16_t>(SDL_GetModState())));
}

GameOpenGLView& InstallGameView()
{
    static GameOpenGLView view;
    if (GameOpenGLView::Current() != &view)
        view.viewDidMoveToWindow();
    return view;
}

} // namespace Ravel
