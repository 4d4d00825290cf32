// CDirectDraw: the game's wrapper of the DirectDraw 7 object: its creation, cooperative level and display
// mode, the primary surface, surfaces for images, colour keys, locks, the cursor blit and the flip.
// CDirectX, its base, turns DirectX result codes into text for the debug channel.
#pragma once

#include <cstdint>

#include "foundation/point_rect.h"
#include "platform/ddraw/ddraw_types.h"

class CImage;

class CDirectX {
public:
    virtual ~CDirectX() = default;
    // Writes where and what went wrong to the debug channel, which writes nothing.
    static void ReportError(const char* file, int line, long code);
    // The one-line description of the code, or null for one the table does not know.
    static const char* ErrorText(long code);
};

class CDirectDraw : public CDirectX {
public:
    ~CDirectDraw() override;

    // Creates the DirectDraw object (up to 20 attempts), its IDirectDraw2 interface and the primary
    // surface, and counts and copies the display modes. 1 or 0 (reported to the diagnostic log).
    int CreateObject();
    int SetLevel(bool fullScreen);
    // The cooperative level, then (full screen only) the display mode, then a new primary surface whose
    // size becomes the display's. 1 or 0.
    int SetMode(int width, int height, int bits, bool fullScreen);
    int CreatePrimarySurface();
    void DeletePrimarySurface();
    // A plain offscreen request is tried in video memory first, then in system memory; others as they
    // are. The surface (count 1) is the caller's; null on failure.
    Windows::IDirectDrawSurface7* CreateSurface1(Windows::DDSURFACEDESC2* desc);
    // Pure green of the current format as the surface's source key. Another format is fatal.
    bool SetColorKey(Windows::IDirectDrawSurface7* surface);
    int LockPrimarySurface();
    int UnlockPrimarySurface();
    // The surface's first pixel with the surface locked (write-only, waiting), or null.
    unsigned char* LockSurface(Windows::IDirectDrawSurface7* surface);
    bool UnlockSurface(Windows::IDirectDrawSurface7* surface);
    // Shows the primary surface; the cursor may be drawn again afterwards.
    void Flip();
    // Draws the cursor at the mouse over the primary surface, saving what it covers into saveUnder,
    // once per flip.
    void BlitCursor(CImage* cursor, CImage* saveUnder, bool onPrimary);
    // Where a cursor of the size at the mouse position (x, y) is drawn on the display: negative
    // coordinates count as 0, and the cursor is cut at the right and bottom edges to at least one pixel.
    static CRect PlaceCursor(int x, int y, int width, int height, int displayWidth, int displayHeight);
    void ShutDown();

    int GetWidth() const { return _Width; }
    int GetHeight() const { return _Height; }
    int GetBits() const { return _Bits; }
    Windows::IDirectDraw7* GetDD() const { return _pDD; }
    Windows::IDirectDraw7* GetDD2() const { return _pDD2; }
    Windows::IDirectDrawSurface7* GetPrimarySurface() const { return _pPrimary; }
    Windows::DDSURFACEDESC2* GetPrimaryDesc() { return &_PrimaryDesc; }
    const Windows::DDPIXELFORMAT& GetPixelFormat() const { return _PixelFormat; }
    int GetModeCount() const { return _nModes; }
    const Windows::DDSURFACEDESC2* GetModes() const { return _pModes; }
    std::int64_t GetVideoMemoryBytes() const { return _VideoBytes; }
    std::int64_t GetSystemMemoryBytes() const { return _SystemBytes; }
    bool IsCursorDrawn() const { return _bCursorDrawn != 0; }

private:
    int _Height = 0;
    int _Width = 0;
    int _Bits = 0;
    int _bFlipping = 0;
    Windows::HWND _hWnd = nullptr;
    Windows::IDirectDraw7* _pDD = nullptr;
    Windows::IDirectDraw7* _pDD2 = nullptr;
    Windows::IDirectDrawSurface7* _pPrimary = nullptr;
    Windows::IDirectDrawSurface7* _pFlippingFront = nullptr;
    Windows::DDSURFACEDESC2 _PrimaryDesc {};
    Windows::DDSURFACEDESC2 _FlipDesc {};
    Windows::DDPIXELFORMAT _PixelFormat {};
    std::int64_t _SystemBytes = 0;
    std::int64_t _VideoBytes = 0;
    int _nModes = 0;
    Windows::DDSURFACEDESC2* _pModes = nullptr; // owned
    int _bCursorDrawn = 0;
    // Where the cursor was drawn last, for putting back what it covered on a flipping chain.
    int _CursorX = 0;
    int _CursorY = 0;
    int _CursorW = 0;
    int _CursorH = 0;
};
