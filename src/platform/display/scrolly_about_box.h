// The credits box: a dialog of its own (GTK 3) whose text scrolls slowly upward by itself, starting
// 7.0 s after it opens, until the reader scrolls by hand or the end is reached.
#pragma once

#include <string>

namespace Ravel {

// The automatic scroll's arithmetic, apart from the toolkit: 10 pixels per second from its start.
class CreditsScroll {
public:
    static constexpr double kPixelsPerSecond = 10.0;
    static constexpr double kStartDelaySeconds = 7.0;

    // A new scroll from the top; the first step takes its start time.
    void restart();
    // One timer step at nowSeconds with the text's present offset: answers the offset to scroll to, or a
    // negative number when the scroll is over (the reader moved the text, or the end held it back).
    double step(double nowSeconds, double currentOffset);
    // Records where the text really went after step's answer was applied; short of it ends the scroll.
    void reached(double offset);
    bool running() const { return mRunning; }

private:
    bool mRestart = true;
    bool mRunning = true;
    double mStartTime = 0.0;
    double mScrollPos = 0.0;
};

// Plain text from the credits page: tags dropped, line and paragraph breaks kept, the common entities
// decoded.
std::string CreditsTextFromHtml(const std::string& html);

class ScrollyAboutBox {
public:
    // The one credits box; the credits are read from "data/mac/credits.html" beside the program.
    static ScrollyAboutBox& Get();

    // Opens the box (again from the top); false, with the reason logged, when no dialog can be shown
    // (no display, no toolkit).
    bool go();
    // Stops the scroll and closes the box.
    void done();
    bool isOpen() const;
    // The box's text as shown.
    const std::string& text() const { return mText; }

    // Runs the dialogs' pending toolkit work without waiting; the host calls it at every poll.
    static void PumpDialogs();

private:
    ScrollyAboutBox();
    void scroll();

    std::string mText;
    CreditsScroll mScroll;
    int mTimer = 0;
    void* mWindow = nullptr; // GtkWidget*
    void* mScrolled = nullptr; // GtkScrolledWindow*
};

} // namespace Ravel
