// CVideo: the game's display set-up: the DirectDraw wrapper, the display mode, the back buffer every frame
// is drawn into and the screen image it is presented through, the 16-bit pixel format, the screen palette,
// the mouse cursors and screenshots. Everything is static; CVideo is also a mix-in base of the images.
#pragma once

#include <cstdint>

#include "foundation/point_rect.h"
#include "platform/win/win_types.h"

class CPalette;
class CImage;
class CDirectDraw;

// 0 full screen; any other value windowed.
using VideoType = std::int32_t;
// 0 creates the DirectDraw object; other values create no display.
using VideoMethod = std::int32_t;

// What the video needs of the interface above it when the display is restored: its cursors registered
// again and the one it shows. Unset routes are skipped.
struct CVideoHooks {
    void (*InitCursors)() = nullptr;
    int (*GetCurrentCursor)() = nullptr;
};
extern CVideoHooks gVideoHooks;

// The game's window and frame flags that the video reads (owned by the game application).
extern int debuggame; // windowed debug display; start-up clears it
extern int isActive; // the application is active: frames are presented
extern Windows::HWND MainWindowsHwnd;

inline constexpr int kMaxCursors = 17;

class CVideo {
public:
    CVideo() = default;
    // Clears the cursor slots and, for method 0, creates the DirectDraw object; takes "palette.act" as
    // the screen palette.
    explicit CVideo(VideoMethod method);
    // Initialized afterwards.
    static int CreateVideo(VideoMethod method);

    // Makes the back buffer (a system image of the size and depth) and the screen image over the primary
    // surface, and reads the pixel format from it. 1, or 0 without a DirectDraw object or display mode.
    static int SetMode(int width, int height, int bits, VideoType type);
    // The same for the screen image only; 0 (format 2) for a primary surface neither 5-6-5 nor 5-5-5.
    static int SetModeFront(int width, int height, int bits, VideoType type);
    // The answers to a lost display: the mode set again, with the interface's cursors registered again.
    static void RestoreAll();
    static void RestoreFront();
    // Presents the frame while the application is active: the back buffer into the primary surface, the
    // cursor over it, then the flip.
    static void Update();

    // The first registration also fills slot 0, the save-under image of the cursor.
    static void RegisterCursor(const char* file);
    static void SetCursor(int index) { CurrentCursor = index; }
    static void RemoveCursors();
    static void SetWindowRect(CRect* rect);
    static void SetPalette(const char* file);

    static int GetBackBufferWidth();
    static int GetBackBufferHeight();
    static int GetBackBufferPitch();

    // Writes the back buffer as the first "ScreenSave%d.bmp" that does not exist yet, a bottom-up
    // 24-bit bitmap. 1, or 0 when it cannot be written or the pixel format is unknown.
    static int SaveScreen(const char* unused = nullptr);
    static void ShutDown();

    // A 16-bit pixel of the current format from 8-bit channels; channels above 255 count as 255 and
    // negative ones as 0. A format other than 0 or 1 gives 0.
    static std::uint16_t TrueToHigh(int r, int g, int b);

    static int Initialized;
    static CDirectDraw* pDD;
    static CImage* pBackBuffer;
    static CImage* pFrontBuffer;
    // The palette every new image takes for its 8-bit pixels; null until the video sets one.
    static CPalette* pPalette;
    // 0: RGB565, 1: RGB555, 2: unsupported. Set from the display when the mode is set.
    static std::int32_t _RGBFormat;
    static CRect FrontClipper;
    static CImage* Cursor[kMaxCursors];
    static int Cursors;
    static int CurrentCursor;

private:
    static int CreateDirectDraw();
    static int ReadPixelFormat(bool front);
    static int SetBuffers(int width, int height, int bits, VideoType type, bool withBack);
};
