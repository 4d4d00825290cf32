// The wait panel laid over the game window while the game cannot draw: a dark 300 by 200 panel under
// the top edge of the window with a spinner, drawn into the game window's own frame.
#pragma once

#include <cstdint>

namespace Ravel {

class OverlayPanel {
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 200;
    static constexpr int kSpokes = 12;

    void show() { mShown = true; }
    void hide() { mShown = false; }
    bool isShown() const { return mShown; }

    // A click on the panel does nothing but beep.
    void performClick();

    // Draws the panel over what the frame holds, on a drawable of width by height pixels; the spinner
    // turns one spoke every 80 ms. The OpenGL state it changes is put back.
    void draw(int width, int height, std::uint32_t nowMs) const;

    // The spoke drawn brightest at a time.
    static int LeadingSpoke(std::uint32_t nowMs) { return static_cast<int>((nowMs / 80U) % kSpokes); }

private:
    bool mShown = false;
};

} // namespace Ravel
