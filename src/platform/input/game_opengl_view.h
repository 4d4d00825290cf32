// The game view: turns SDL mouse, wheel and key events of the game window into the emulated Win32
// messages the game reads, and keeps the system cursor in step with what the game wants.
#pragma once

#include <SDL_events.h>
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/host/fs_application.h"
#include "platform/win/win_types.h"

struct SDL_Cursor;

namespace Ravel {

// A point in game-area pixels (the back buffer), origin top-left, y downward.
struct ViewPoint {
    int x = 0;
    int y = 0;
};

class GameOpenGLView : public GameResponder {
public:
    // A game area of the given size stands in while there is no game window wrapper.
    explicit GameOpenGLView(int fallbackWidth = 1024, int fallbackHeight = 768);
    ~GameOpenGLView() override;
    GameOpenGLView(const GameOpenGLView&) = delete;
    GameOpenGLView& operator=(const GameOpenGLView&) = delete;

    // The view that receives the game window's input; null while none is attached.
    static GameOpenGLView* Current();

    // Takes the start values, becomes the delegate's game responder and the current view, and starts
    // the once-a-second watch of the mouse and the modifier keys.
    void viewDidMoveToWindow();
    void handleEvent(const SDL_Event& event) override;

    bool cursorVisible() const;
    // Runs the mouse update at the last real position, so the cursor re-shows where it was.
    void setCursorVisible(bool visible);
    // The game's cursor image (not owned); null for the system arrow.
    void setCursor(SDL_Cursor* cursor);
    bool canUseBigCursors() const { return mBigMouse; }
    void resetSystemCursorFlagTo(bool visible);
    bool ownMouse() const;
    // Mouse update at the present pointer position, then a re-read of the modifier keys.
    void watchMouse();

    // The last position the mouse was really seen at inside the game area.
    ViewPoint lastPos() const;
    // Window coordinates to game-area pixels, not clamped; inside tells whether it lies in the area.
    ViewPoint toView(int windowX, int windowY, bool* inside) const;
    ViewPoint clampToView(ViewPoint point) const;
    // Where the pointer is now (not at the last event), in game-area pixels; false without a window.
    bool pointerNow(ViewPoint* point, bool* inside) const;
    int viewWidth() const;
    int viewHeight() const;

    // Posts the key messages of the modifier keys whose state changed since the last report.
    void addWindowMessageForModifiers(std::uint32_t flags);
    // One key: its typed text (UTF-8, may be empty), then the modifier changes, then the key message.
    void handleKey(SDL_Keycode key, const std::string& text, bool down, std::uint32_t flags);

private:
    void updateMouseTo(ViewPoint point, bool inside);
    void mouseButton(const SDL_MouseButtonEvent& button);
    void postCharacters(const std::string& text);
    bool windowIsKey() const;
    Windows::LPARAM pointParam(ViewPoint point) const;

    int mFallbackWidth;
    int mFallbackHeight;
    bool mHardwareMouse = true;
    bool mBigMouse = true;
    bool mWantVisible = true;
    SDL_Cursor* mCurCursor = nullptr;
    mutable std::recursive_mutex mMouseLock;
    bool mOwnMouse = false;
    ViewPoint mLastPos;
    bool mWasRightClick = false;
    bool mIsLeftDown = false;
    bool mIsRightDown = false;
    bool mSystemMouseVisible = true;
    std::uint32_t mWinMsgKnownModifierKeys = 0;
    int mWatchTimer = 0;
};

// Makes the view of the game window, attaches it and answers it; the same view on later calls.
GameOpenGLView& InstallGameView();

} // namespace Ravel
