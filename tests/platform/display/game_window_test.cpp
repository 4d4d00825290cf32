// The game window under a real X display (Xvfb in CI): window and context, card section from the
// driver, fullscreen and windowed switching, the temporary windowed mode, the wait panel and closing.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <cstdlib>
#include <string>

#include "platform/display/basic_hwnd_imp.h"
#include "platform/display/overlay_panel.h"
#include "platform/display/scrolly_about_box.h"
#include "platform/host/host_scratch.h"
#include "platform/render/basic_texture.h"
#include "platform/render/card_settings.h"
#include "platform/render/gl_errors.h"
#include "platform/render/our_context.h"

using Ravel::BasicHWNDImpOBJC;

namespace {

class GameWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display (make test runs under xvfb-run)";
        unsetenv("SDL_VIDEODRIVER");
        // Video stays up for the whole program: unloading the GL driver between tests would hide
        // its own allocations from the leak checker's module names.
        if (!SDL_WasInit(SDL_INIT_VIDEO)) {
            ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        }
        host_test::UsePrefs("");
        mWrapper = new BasicHWNDImpOBJC(1024, 768, "Vellmark");
    }
    void TearDown() override { delete mWrapper; }
    std::string ErrorsOf(void (*step)(BasicHWNDImpOBJC*))
    {
        testing::internal::CaptureStderr();
        step(mWrapper);
        return testing::internal::GetCapturedStderr();
    }
    BasicHWNDImpOBJC* mWrapper = nullptr;
};

TEST_F(GameWindow, WindowedOpensWithAGLContextAndReadsTheDriver)
{
    Windows::RECT before {};
    ASSERT_EQ(Windows::GetWindowRect(reinterpret_cast<Windows::HWND>(mWrapper), &before), 1);
    EXPECT_EQ(before.right, 1024);
    EXPECT_EQ(before.bottom, 768);

    ASSERT_EQ(mWrapper->openOnAdapter(0, 1024, 768, 32, false), Windows::DD_OK);
    ASSERT_NE(mWrapper->getWindow(), nullptr);
    EXPECT_EQ(Ravel::getMainWindow(), mWrapper->getWindow());
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(mWrapper->getWindow(), &w, &h);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    EXPECT_GT(Ravel::openGLVersion, 1.0F);
    EXPECT_EQ(Ravel::GetStageContext().gl, mWrapper->getContext());

    Ravel::UseStageContext();
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(version, nullptr);
    Ravel::CardSettings::me().setContext(Ravel::GetStageContext());
    std::string section = Ravel::CardSettings::me().section();
    if (std::string(version).find("Mesa") != std::string::npos) {
        EXPECT_EQ(section, "CardSettings#mesa") << version;
    }
    EXPECT_NE(section, "CardSettings#") << version;

    Windows::RECT rect {};
    ASSERT_EQ(Windows::GetWindowRect(reinterpret_cast<Windows::HWND>(mWrapper), &rect), 1);
    EXPECT_EQ(rect.right - rect.left, 1024);
    EXPECT_EQ(Windows::GetWindowRect(nullptr, &rect), 0);
}

TEST_F(GameWindow, CardSettingMinusOneTurnsRectangleTexturesOff)
{
    ASSERT_EQ(mWrapper->openOnAdapter(0, 1024, 768, 32, false), Windows::DD_OK);
    Ravel::UseStageContext();
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!Ravel::IsExtensionListed(extensions, "GL_EXT_texture_rectangle")
        && !Ravel::IsExtensionListed(extensions, "GL_ARB_texture_rectangle"))
        GTEST_SKIP() << "the driver has no rectangle textures";
    Ravel::CardSettings& settings = Ravel::CardSettings::me();
    settings.setContext(Ravel::GetStageContext());
    bool listed = Ravel::IsExtensionListed(extensions, "GL_EXT_texture_rectangle");
    EXPECT_EQ(Ravel::BasicTexture::IsRectTextureAvailable(), listed);

    host_test::UsePrefs("<key>" + settings.section()
        + "</key><dict><key>GL_EXT_texture_rectangle</key><string>-1</string></dict>");
    settings.setContext(Ravel::GetStageContext()); // a new section clears the cached answers
    EXPECT_FALSE(Ravel::BasicTexture::IsRectTextureAvailable());
}

TEST_F(GameWindow, UnavailableMultisamplingFallsBackInsteadOfFailing)
{
    ASSERT_EQ(mWrapper->openOnAdapter(0, 1024, 768, 32, false, 0, true, 8), Windows::DD_OK);
    ASSERT_NE(mWrapper->getWindow(), nullptr);
    int samples = mWrapper->getNow()->mAntiAlias;
    EXPECT_TRUE(samples == 8 || samples == 4 || samples == 2 || samples == 0) << samples;
}

TEST_F(GameWindow, ImpossibleRequestIsAnsweredWithAnError)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(mWrapper->openOnAdapter(0, 0, 0, 32, false), Windows::RV_DXERR_FAILED);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(mWrapper->getWindow(), nullptr);
}

TEST_F(GameWindow, FiftySwitchesBetweenFullscreenAndWindowedStayClean)
{
    ASSERT_EQ(mWrapper->openOnAdapter(0, 1024, 768, 32, false), Windows::DD_OK);
    SDL_DisplayMode desktop {};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    for (int i = 0; i < 50; ++i) {
        bool fullscreen = i % 2 == 0;
        ASSERT_EQ(mWrapper->openOnAdapter(0, 1024, 768, 32, fullscreen), Windows::DD_OK) << i;
        ASSERT_EQ(mWrapper->isFullscreen(), fullscreen);
        // Let the window system catch up, as the host's loop would.
        SDL_PumpEvents();
        mWrapper->clearFrame();
        mWrapper->present();
        ASSERT_EQ(getGLErrors("switch"), 0) << i;
    }
    // The last switch went windowed: the game area fills the window.
    Ravel::ViewportRect area = mWrapper->gameViewport();
    EXPECT_EQ(area, (Ravel::ViewportRect { 0, 0, 1024, 768 }));
    ASSERT_EQ(mWrapper->openOnAdapter(0, 1024, 768, 32, true), Windows::DD_OK);
    for (int i = 0; i < 20; ++i) {
        SDL_PumpEvents();
        SDL_Delay(10);
    }
    int dw = 0;
    int dh = 0;
    SDL_GL_GetDrawableSize(mWrapper->getWindow(), &dw, &dh);
    if (dw == desktop.w && dh == desktop.h) {
        EXPECT_EQ(mWrapper->gameViewport(), Ravel::LetterboxRect(desktop.w, desktop.h, 1024, 768));
    }
    EXPECT_EQ(mWrapper->getNow()->mWide, 1024);
    // The X window itself covers the display, not only the size SDL reports: with no window manager
    // (as under Xvfb) a shown window asked to go fullscreen keeps its windowed size otherwise.
    SDL_SysWMinfo info {};
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(mWrapper->getWindow(), &info)) << SDL_GetError();
    if (info.subsystem == SDL_SYSWM_X11) {
        XWindowAttributes attributes {};
        ASSERT_NE(XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes), 0);
        EXPECT_EQ(attributes.width, desktop.w);
        EXPECT_EQ(attributes.height, desktop.h);
    }
}

TEST_F(GameWindow, TemporaryWindowedModeNestsThreeDeep)
{
    ASSERT_EQ(mWrapper->openOnAdapter(0, 1024, 768, 32, true), Windows::DD_OK);
    mWrapper->startTemporaryWindowedMode();
    EXPECT_FALSE(mWrapper->isFullscreen());
    mWrapper->startTemporaryWindowedMode();
    mWrapper->startTemporaryWindowedMode();
    std::string full = ErrorsOf([](BasicHWNDImpOBJC* w) { w->startTemporaryWindowedMode(); });
    EXPECT_NE(full.find("push() called when stack full"), std::string::npos) << full;
    EXPECT_EQ(mWrapper->stateUsed(), 3);
    mWrapper->doneTemporaryWindowedMode();
    mWrapper->doneTemporaryWindowedMode();
    EXPECT_FALSE(mWrapper->isFullscreen());
    mWrapper->doneTemporaryWindowedMode();
    EXPECT_TRUE(mWrapper->isFullscreen());
    std::string empty = ErrorsOf([](BasicHWNDImpOBJC* w) { w->doneTemporaryWindowedMode(); });
    EXPECT_NE(empty.find("pop() called on empty stack"), std::string::npos) << empty;
    EXPECT_TRUE(mWrapper->isFullscreen());
}

TEST_F(GameWindow, WaitPanelDrawsOverTheFrameAndPutsTheStateBack)
{
    ASSERT_EQ(mWrapper->openOnAdapter(0, 1024, 768, 32, false), Windows::DD_OK);
    mWrapper->startWaitState();
    EXPECT_TRUE(mWrapper->isWaiting());
    Ravel::UseStageContext();
    mWrapper->clearFrame();
    GLint before[4] = {};
    glGetIntegerv(GL_VIEWPORT, before);
    Ravel::OverlayPanel panel;
    panel.show();
    panel.draw(1024, 768, 0);
    GLint after[4] = {};
    glGetIntegerv(GL_VIEWPORT, after);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(before), sizeof before),
        std::string(reinterpret_cast<char*>(after), sizeof after));
    unsigned char inside[4] = {};
    unsigned char outside[4] = {};
    // Window rows count from the bottom: the panel hangs from the top, centred.
    glReadPixels(512 - 100, 768 - 20, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, inside);
    glReadPixels(20, 20, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, outside);
    EXPECT_GT(inside[0], 5);
    EXPECT_EQ(outside[0], 0);
    EXPECT_EQ(getGLErrors("wait panel"), 0);
    mWrapper->doneWaitState();
    EXPECT_FALSE(mWrapper->isWaiting());
}

TEST_F(GameWindow, CloseTwiceIsHarmlessAndForgetsTheWindow)
{
    ASSERT_EQ(mWrapper->openOnAdapter(0, 1024, 768, 32, false), Windows::DD_OK);
    mWrapper->close();
    EXPECT_EQ(Ravel::getGameWindowWrapper(), nullptr);
    EXPECT_EQ(Ravel::getMainWindow(), nullptr);
    EXPECT_TRUE(Ravel::GetStageContext().isNull());
    mWrapper->close();
    EXPECT_EQ(mWrapper->getWindow(), nullptr);
    Ravel::presentScreen(); // no wrapper: nothing to show, nothing to crash
}

TEST_F(GameWindow, CreditsBoxOpensAndCloses)
{
    Ravel::ScrollyAboutBox& box = Ravel::ScrollyAboutBox::Get();
    ASSERT_TRUE(box.go()) << "the toolkit found no display (make test runs under xvfb-run)";
    Ravel::ScrollyAboutBox::PumpDialogs();
    EXPECT_TRUE(box.isOpen());
    box.done();
    Ravel::ScrollyAboutBox::PumpDialogs();
    EXPECT_FALSE(box.isOpen());
}

TEST(CreditsScroll, TenPixelsPerSecondWhateverTheTimerRate)
{
    // The end of the text lies at 100 pixels; the reader never touches it.
    for (double stepSeconds : { 0.004, 0.1, 0.7 }) {
        Ravel::CreditsScroll scroll;
        scroll.restart();
        double offset = 0.0;
        double t = 7.0;
        for (int i = 0; i < 4000 && scroll.running(); ++i, t += stepSeconds) {
            double target = scroll.step(t, offset);
            if (target < 0.0)
                break;
            offset = target < 100.0 ? target : 100.0;
            scroll.reached(offset);
            if (t - 7.0 <= 5.0) {
                EXPECT_NEAR(offset, (t - 7.0) * 10.0, 1e-6);
            }
        }
        EXPECT_FALSE(scroll.running()) << stepSeconds; // the end stopped it
        EXPECT_DOUBLE_EQ(offset, 100.0);
    }
}

TEST(CreditsScroll, ScrollingByHandStopsItUntilTheNextOpening)
{
    Ravel::CreditsScroll scroll;
    scroll.restart();
    EXPECT_DOUBLE_EQ(scroll.step(10.0, 0.0), 0.0);
    scroll.reached(0.0);
    EXPECT_DOUBLE_EQ(scroll.step(11.0, 0.0), 10.0);
    scroll.reached(10.0);
    EXPECT_LT(scroll.step(12.0, 45.0), 0.0); // the reader moved it
    EXPECT_LT(scroll.step(13.0, 45.0), 0.0);
    scroll.restart();
    EXPECT_DOUBLE_EQ(scroll.step(20.0, 0.0), 0.0);
}

TEST(CreditsText, HtmlBecomesPlainLines)
{
    std::string html
        = "<html><head><title>T</title><style>p{}</style></head><body>\n<h1>Vellmark</h1>\n"
          "<p>Design   and\n code</p><p>A &amp; B &lt;3&gt; &copy; &bogus;</p>x<br>y</body></html>";
    EXPECT_EQ(
        Ravel::CreditsTextFromHtml(html), "Vellmark\n\nDesign and code\n\nA & B <3> \xC2\xA9 &bogus;\nx\ny");
    EXPECT_EQ(Ravel::CreditsTextFromHtml("<p>cut off <b"), "cut off");
    EXPECT_EQ(Ravel::CreditsTextFromHtml(""), "");
}

} // namespace
