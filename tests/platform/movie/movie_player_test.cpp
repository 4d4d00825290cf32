// The movie player: movies made by the data generator's encoder played headless and in a window,
// skipped by a click, missing and broken files passed over, the row padding of odd widths.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "movie_encoder.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/host/headless.h"
#include "platform/input/input_hooks.h"
#include "platform/movie/movie_player.h"

#include "foundation/safeguards.h"

using Ravel::RealMoviePlayer;

namespace {

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Each channel within a few steps: the encoder and the scaler round.
bool Near(std::uint32_t a, std::uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int x = static_cast<int>((a >> shift) & 0xFF);
        int y = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(x - y) > 12)
            return false;
    }
    return true;
}

void PushClick()
{
    SDL_Event e {};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&e);
    e.type = SDL_MOUSEBUTTONUP;
    SDL_PushEvent(&e);
}

class MoviePlayer : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Sound goes to SDL's silent driver, so the sound path runs on any machine.
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        gDir = new input_test::ScratchDir();
        datagen::MovieLook look;
        look.width = 636;
        look.height = 120;
        look.frames = 8;
        look.framesPerSecond = 20;
        look.tint = 1;
        std::string error;
        gMovie = input_test::PathIn(*gDir, "short.mov");
        ASSERT_TRUE(datagen::EncodeMovie(gMovie, look, &error)) << error;
    }
    static void TearDownTestSuite()
    {
        delete gDir;
        gDir = nullptr;
    }
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void TearDown() override
    {
        input_test::TakeMessages();
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }

    static inline input_test::ScratchDir* gDir = nullptr;
    static inline std::string gMovie;
};

TEST_F(MoviePlayer, EncoderIsDeterministic)
{
    datagen::MovieLook look;
    look.frames = 4;
    std::string error;
    std::string a = input_test::PathIn(*gDir, "a.mov");
    std::string b = input_test::PathIn(*gDir, "b.mov");
    ASSERT_TRUE(datagen::EncodeMovie(a, look, &error)) << error;
    ASSERT_TRUE(datagen::EncodeMovie(b, look, &error)) << error;
    EXPECT_EQ(input_test::ReadAll(a), input_test::ReadAll(b));
    EXPECT_FALSE(
        datagen::EncodeMovie(input_test::PathIn(*gDir, "odd.mov"), { 321, 240, 4, 15, 0, 0.0 }, &error));
}

TEST_F(MoviePlayer, PlaysToTheEndWithoutAWindow)
{
    RealMoviePlayer player;
    ASSERT_EQ(player.openFile(gMovie.c_str()), 1);
    EXPECT_EQ(player.movieWidth(), 636);
    EXPECT_EQ(player.rowPixels(), 640);
    EXPECT_EQ(player.height(), 120);
    double start = Now();
    EXPECT_EQ(player.play(0x1F), 1);
    double took = Now() - start;
    EXPECT_EQ(player.framesShown(), 8);
    EXPECT_GT(took, 0.25) << "frames keep the movie's pace";
    EXPECT_LT(took, 5.0);
    EXPECT_TRUE(Near(player.pixelAt(10, 10), datagen::TintColour(1))) << std::hex << player.pixelAt(10, 10);
    // Played again, it starts over.
    EXPECT_EQ(player.play(0), 1);
    EXPECT_EQ(player.framesShown(), 8);
}

TEST_F(MoviePlayer, ClickSkipsOnlyWithAMask)
{
    RealMoviePlayer player;
    ASSERT_EQ(player.openFile(gMovie.c_str()), 1);
    PushClick();
    EXPECT_EQ(player.play(0x1F), 0);
    EXPECT_LE(player.framesShown(), 2);

    PushClick();
    EXPECT_EQ(player.play(0), 1) << "a zero mask never skips";
    EXPECT_EQ(player.framesShown(), 8);

    // A button held down to the end keeps the movie playing.
    SDL_Event down {};
    down.type = SDL_MOUSEBUTTONDOWN;
    down.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&down);
    EXPECT_EQ(player.play(0x1F), 1);
}

TEST_F(MoviePlayer, MissingAndBrokenMoviesArePassedOver)
{
    RealMoviePlayer player;
    EXPECT_EQ(player.play(0x1F), -1) << "nothing open";
    EXPECT_EQ(player.openFile(input_test::PathIn(*gDir, "none.mov").c_str()), -1);
    EXPECT_EQ(player.openFile(nullptr), -1);
    std::string broken = gDir->write("broken.mov", std::string(4096, '\x5A'));
    EXPECT_EQ(player.openFile(broken.c_str()), -1);
    // The first half of a real movie: its index at the end is missing.
    std::string bytes = input_test::ReadAll(gMovie);
    std::string cut = gDir->write("cut.mov", bytes.substr(0, bytes.size() / 2));
    if (player.openFile(cut.c_str()) == 1) {
        EXPECT_GE(player.play(0x1F), 0);
    }

    Ravel::MoviePlayer* base = Ravel::MoviePlayer::CreateMoviePlayer();
    ASSERT_NE(base, nullptr);
    delete base;

    double start = Now();
    Ravel::PlayIntroMovies(input_test::PathIn(*gDir, "no-data-folder"));
    EXPECT_LT(Now() - start, 1.0) << "no movies: the start goes on at once";
}

TEST_F(MoviePlayer, IntroPlaysTheThreeMoviesAndAClickSkipsOne)
{
    input_test::ScratchDir data;
    std::filesystem::create_directories(input_test::PathIn(data, "avi"));
    const char* names[] = { "avi/oxmedia.mov", "avi/quorvex.mov", "avi/game.mov" };
    for (int i = 0; i < 3; ++i) {
        datagen::MovieLook look { 160, 120, 4, 20, static_cast<std::uint8_t>(i), 300.0 };
        ASSERT_TRUE(datagen::EncodeMovie(input_test::PathIn(data, names[i]), look, nullptr));
    }
    PushClick();
    double start = Now();
    Ravel::PlayIntroMovies(data.path());
    double took = Now() - start;
    // The first movie is skipped; the other two play 0.2 s each.
    EXPECT_GT(took, 0.25);
    EXPECT_LT(took, 5.0);
}

// On a display larger than the window, the picture is centred on the window's drawable, not on the
// display: its edges along the middle row and column lie as far from each side of the window.
TEST_F(MoviePlayer, DrawnCentredOnWhiteInAWindowSmallerThanTheDisplay)
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display (make test runs under xvfb-run)";
    unsetenv("SDL_VIDEODRIVER");
    Ravel::DecideHeadless();
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    auto* wrapper = new Ravel::BasicHWNDImpOBJC(800, 600, "Vellmark");
    ASSERT_EQ(wrapper->openOnAdapter(0, 800, 600, 32, false), Windows::DD_OK);
    {
        RealMoviePlayer player;
        ASSERT_EQ(player.openFile(gMovie.c_str()), 1);
        EXPECT_EQ(player.play(0), 1);
        ASSERT_TRUE(player.renderFrame());
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(wrapper->getGameWindow(), &width, &height);
        SDL_Rect display {};
        ASSERT_EQ(SDL_GetDisplayBounds(0, &display), 0) << SDL_GetError();
        EXPECT_LT(width, display.w);
        EXPECT_LT(height, display.h);
        auto pixel = [](int x, int y) {
            std::uint32_t value = 0;
            glReadPixels(x, y, 1, 1, 0x80E1 /* GL_BGRA */, GL_UNSIGNED_BYTE, &value);
            return value | 0xFF000000U;
        };
        auto ground = [&](int x, int y) { return pixel(x, y) == 0xFFFFFFFFU; };
        EXPECT_TRUE(ground(2, 2)) << "white ground";
        int left = 0;
        while (left < width && ground(left, height / 2))
            ++left;
        int right = width - 1;
        while (right > left && ground(right, height / 2))
            --right;
        int bottom = 0;
        while (bottom < height && ground(width / 2, bottom))
            ++bottom;
        int top = height - 1;
        while (top > bottom && ground(width / 2, top))
            --top;
        // The picture is drawn 640 pixels wide (its rows padded) and 120 high.
        EXPECT_EQ(left, (width - 640) / 2);
        EXPECT_NEAR(width - 1 - right, left, 1);
        EXPECT_EQ(bottom, (height - 120) / 2);
        EXPECT_NEAR(height - 1 - top, bottom, 1);
        EXPECT_TRUE(Near(pixel(left + 4, top - 4), datagen::TintColour(1)))
            << std::hex << pixel(left + 4, top - 4);
    }
    wrapper->close();
    delete wrapper;
}

} // namespace
