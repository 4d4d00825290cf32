// The game started as a player starts it: "vellmark --data <folder>" on a small generated data folder
// with a settings file that skips the dialog, in a real window smaller than the display. The first frame
// shows, closing the window ends the game with status 1 and nothing wrong on standard error; a damaged
// text table ends it with its message.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "support/generated_data.h"
#include "support/scratch.h"

#include "foundation/safeguards.h"

namespace {

const char kSettings[]
    = "0\r\n0\r\n0\r\n\"SCREEN_SIZE_X 1024\"\r\n\"SCREEN_SIZE_Y 768\"\r\n\"MUSIC_OFF\"\r\n"
      "\"lobby.vellmark.net\"\r\nNO_SETTINGS_DIALOG\r\n0\r\nNO_STRETCHED_VIDEO\r\nWINDOWED_MODE\r\n";

using support::ReadAll;

// One generated tiny data folder for the program; each test copies it to change what it needs.
class DataFolder : public testing::Environment {
public:
    void SetUp() override
    {
        Dir() = std::make_unique<support::ScratchDir>();
        ASSERT_TRUE(support::GenerateData(Root() + "/data", "tiny", 1));
        // The game reads its settings in the data folder, where it works.
        std::ofstream(Root() + "/data/settings.cfg", std::ios::binary) << kSettings;
    }
    void TearDown() override { Dir().reset(); }
    static std::unique_ptr<support::ScratchDir>& Dir()
    {
        static std::unique_ptr<support::ScratchDir> dir;
        return dir;
    }
    static const std::string& Root() { return Dir()->path(); }
};
testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new DataFolder);

// The game as a child process with its standard error in a file.
class Game {
public:
    Game(const std::string& data, const std::string& errors)
    {
        mPid = fork();
        if (mPid == 0) {
            std::freopen(errors.c_str(), "w", stderr);
            std::freopen("/dev/null", "w", stdout);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            execl(VELLMARK_PATH, VELLMARK_PATH, "--data", data.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Game()
    {
        if (mPid > 0 && !mEnded) {
            kill(mPid, SIGKILL);
            waitpid(mPid, nullptr, 0);
        }
    }
    // The exit status, or -1 when the game has not ended within the time (then it is killed).
    int Wait(int seconds)
    {
        for (int step = 0; step < seconds * 20; ++step) {
            int status = 0;
            if (waitpid(mPid, &status, WNOHANG) == mPid) {
                mEnded = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }
    pid_t Pid() const { return mPid; }
    bool Running()
    {
        int status = 0;
        if (mEnded || waitpid(mPid, &status, WNOHANG) != mPid)
            return !mEnded;
        mEnded = true;
        return false;
    }

private:
    pid_t mPid = -1;
    bool mEnded = false;
};

// The game's top-level window: the shown one that its own process made. Other window tests on the same
// display make windows of the same title, so the title alone may name another program's window, which
// then receives the close request meant for the game.
Window FindGameWindow(Display* display, pid_t game)
{
    Window root = DefaultRootWindow(display);
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return 0;
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* value = nullptr;
        XWindowAttributes attributes {};
        if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                &items, &after, &value)
                == Success
            && value != nullptr) {
            if (format == 32 && items == 1
                && static_cast<pid_t>(*reinterpret_cast<unsigned long*>(value)) == game
                && XGetWindowAttributes(display, children[i], &attributes)
                && attributes.map_state == IsViewable)
                found = children[i];
            XFree(value);
        }
    }
    if (children)
        XFree(children);
    return found;
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0xRRGGBB
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Start-up hides its window while it gives it the game's size: a capture may meet it unmapped. Xlib's
// default handler would end the test on that error; the capture is simply tried again.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

Picture Capture(Display* display, Window window)
{
    Picture picture;
    XWindowAttributes attributes {};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return picture;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
        static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return picture;
    picture.width = attributes.width;
    picture.height = attributes.height;
    picture.pixels.resize(static_cast<std::size_t>(picture.width * picture.height));
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels[static_cast<std::size_t>(y * picture.width + x)]
                = static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF);
    XDestroyImage(image);
    return picture;
}

// A binary PPM beside the other pictures the tests keep, when VELLMARK_SCREENSHOT_DIR names a folder.
void Keep(const Picture& picture, const char* name)
{
    const char* folder = std::getenv("VELLMARK_SCREENSHOT_DIR");
    if (!folder)
        return;
    std::ofstream out(std::string(folder) + "/" + name, std::ios::binary);
    out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    for (std::uint32_t pixel : picture.pixels) {
        const char rgb[3]
            = { static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8), static_cast<char>(pixel) };
        out.write(rgb, 3);
    }
}

// What a window manager sends when the player clicks the window's close box.
void AskToClose(Display* display, Window window)
{
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

bool MentionsAnError(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("error") != std::string::npos || lower.find("runtime") != std::string::npos;
}

TEST(GameStart, FirstFrameInAWindowSmallerThanTheDisplayThenClosingEndsWithStatusOne)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "needs an X display (make test runs under xvfb-run)";
    XSetErrorHandler(IgnoreXError);
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    const std::string errors = DataFolder::Root() + "/errors.txt";
    Game game(DataFolder::Root() + "/data", errors);

    Window window = 0;
    for (int step = 0; step < 1200 && window == 0 && game.Running(); ++step) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        window = FindGameWindow(display, game.Pid());
    }
    ASSERT_NE(window, 0u) << ReadAll(errors);
    // The first frame: the window has taken the game's size from the settings and shows what was drawn.
    Picture first;
    for (int step = 0; step < 400 && game.Running(); ++step) {
        first = Capture(display, window);
        if (first.width == 1024 && first.height == 768)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (Window now = FindGameWindow(display, game.Pid()))
            window = now;
    }
    ASSERT_EQ(first.width, 1024);
    ASSERT_EQ(first.height, 768);
    EXPECT_LT(first.width, screenWidth);
    EXPECT_LT(first.height, screenHeight);
    Keep(first, "game_first_frame.ppm");
    // The picture is laid out on the window itself: what is not the ground sits in its middle.
    const std::uint32_t ground = first.At(0, 0);
    int left = first.width, right = -1, top = first.height, bottom = -1;
    for (int y = 0; y < first.height; ++y)
        for (int x = 0; x < first.width; ++x)
            if (first.At(x, y) != ground) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right >= 0) {
        EXPECT_NEAR(left + right, first.width - 1, 4) << left << ".." << right;
        EXPECT_NEAR(top + bottom, first.height - 1, 4) << top << ".." << bottom;
    }

    // One request is enough, even while start-up is still busy: the window holds it until the game looks.
    AskToClose(display, window);
    const int status = game.Wait(60);
    XCloseDisplay(display);
    EXPECT_EQ(status, 1);
    const std::string said = ReadAll(errors);
    EXPECT_FALSE(MentionsAnError(said)) << said;
}

// The generated big button: four frames of 180 by 40, its face (150, 110, 60) when up and grey (90, 90,
// 90) when disabled, lighter at the top.
bool LooksUp(std::uint32_t pixel)
{
    const int r = static_cast<int>(pixel >> 16 & 0xFF), b = static_cast<int>(pixel & 0xFF);
    return r - b > 40;
}
bool LooksDisabled(std::uint32_t pixel)
{
    const int r = static_cast<int>(pixel >> 16 & 0xFF), g = static_cast<int>(pixel >> 8 & 0xFF),
              b = static_cast<int>(pixel & 0xFF);
    return r > 40 && std::abs(r - g) < 12 && std::abs(g - b) < 12;
}

TEST(GameStart, TheMainMenuShowsAndItsExitEndsTheGameWithStatusZero)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "needs an X display (make test runs under xvfb-run)";
    XSetErrorHandler(IgnoreXError);
    const std::string errors = DataFolder::Root() + "/menu_errors.txt";
    Game game(DataFolder::Root() + "/data", errors);
    // The buttons stand at y 640 and x 512 - 2W, 512 - W, 512, 512 + W; a point inside each face's border.
    const int w = 180;
    const int faceX[] = { 512 - 2 * w + 6, 512 - w + 6, 512 + 6, 512 + w + 6 };
    Window window = 0;
    Picture menu;
    bool shown = false;
    for (int step = 0; step < 1200 && !shown && game.Running(); ++step) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (Window now = FindGameWindow(display, game.Pid()))
            window = now;
        if (window == 0)
            continue;
        menu = Capture(display, window);
        // The background is of the same brown as Exit's face: the menu is up when the grey faces show too.
        shown = menu.width == 1024 && menu.height == 768 && LooksUp(menu.At(faceX[3], 646))
            && LooksDisabled(menu.At(faceX[0], 646));
    }
    ASSERT_TRUE(shown) << ReadAll(errors);
    Keep(menu, "game_main_menu.ppm");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(LooksDisabled(menu.At(faceX[i], 646)))
            << "button " << i << ": " << std::hex << menu.At(faceX[i], 646);

    // A click on Exit as the pointer gives it.
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 512 + w + w / 2, 660, &x, &y, &child);
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XFlush(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XFlush(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    const int status = game.Wait(60);
    XCloseDisplay(display);
    EXPECT_EQ(status, 0);
    const std::string said = ReadAll(errors);
    EXPECT_FALSE(MentionsAnError(said)) << said;
}

TEST(GameStart, ADamagedTextTableEndsWithItsMessageAndStatusOne)
{
    const std::string data = DataFolder::Root() + "/damaged";
    ASSERT_EQ(std::system(("cp -r '" + DataFolder::Root() + "/data' '" + data + "'").c_str()), 0);
    // A row whose key holds blanks, after the heading row.
    const std::string path = data + "/config/text.csv";
    std::string table = ReadAll(path);
    table.insert(table.find('\n') + 1, "A KEY WITH BLANKS;a;b;c;d;e;f;g;h;i;j;\r\n");
    std::ofstream(path, std::ios::binary) << table;
    const std::string errors = DataFolder::Root() + "/damaged_errors.txt";
    Game game(data, errors);
    EXPECT_EQ(game.Wait(120), 1);
    const std::string said = ReadAll(errors);
    EXPECT_NE(said.find("ERROR in language file, token 'A KEY WITH BLANKS'"), std::string::npos) << said;
    EXPECT_NE(said.find("the text tables in the data folder are damaged"), std::string::npos) << said;
}

} // namespace
