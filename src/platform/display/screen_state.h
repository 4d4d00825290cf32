// The record that describes one screen configuration of the game window.
#pragma once

namespace Ravel {

struct ScreenState {
    bool mFullscreen = false;
    int mRefreshRate = 0; // Hz; 0 for any
    bool mForceSync = false; // swap interval: wait for the vertical retrace
    int mWide = 0; // the game area (the back buffer) in pixels
    int mHigh = 0;
    int mColorBits = 0;
    int mDepthBits = 0; // -1 leaves the choice to the preparation (24)
    int mStencilBits = 0;
    int mAntiAlias = 0; // multisample count; 0 for none
    bool mStretched = false;
    bool mHasFullMode = false; // a fullscreen display mode was chosen
    int mFullModeWide = 0; // the chosen display mode: the desktop the game area is scaled onto
    int mFullModeHigh = 0;
    long mRendererID = 0;

    bool operator==(const ScreenState&) const = default;
};

// Where a back buffer of w by h lies, scaled to fit and centred, on a drawable of dw by dh.
struct ViewportRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const ViewportRect&) const = default;
};
ViewportRect LetterboxRect(int dw, int dh, int w, int h);

} // namespace Ravel
