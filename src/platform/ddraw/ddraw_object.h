// The DirectDraw 7 object: the display mode (which opens the game window and builds the stage), the choice
// of surface class for each request, the report of the current display mode, and the clipper that clips
// nothing.
#pragma once

#include <memory>

#include "platform/ddraw/ddraw_types.h"
#include "platform/elements/iunknown_imp.h"

namespace Ravel {

class IDirect3DImp7;
class IDirectDrawStandardSurfaceImp7;

// Outside the class body, where the pragmas would throw the formatter off.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
class IDirectDrawImp7 : public Windows::IDirectDraw7, public IUnknownImp {
public:
    using HRESULT = Windows::HRESULT;
    using DWORD = Windows::DWORD;

    IDirectDrawImp7();
    ~IDirectDrawImp7() override;
    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void operator delete(void* block, std::size_t size) { IUnknownImp::operator delete(block, size); }

    // IID_IDirect3D7: the object's Direct3D factory (not counted; it goes with this object);
    // IID_IDirectDraw2: a new, separate DirectDraw object; any other: -2020 with out untouched.
    HRESULT QueryInterface(Windows::REFIID iid, void** out) override;
    Windows::ULONG AddRef() override { return IUnknownImp::AddRef(); }
    Windows::ULONG Release() override { return IUnknownImp::Release(); }

    HRESULT Compact() override { return 0; }
    HRESULT CreateClipper(DWORD flags, Windows::IDirectDrawClipper** clipper, Windows::IUnknown*) override;
    HRESULT CreatePalette(DWORD, Windows::LPVOID, Windows::IDirectDrawPalette**, Windows::IUnknown*) override
    {
        return 0;
    }
    // Depth buffer, primary (opening an 800 by 600 window first when no mode is set), video-memory
    // (drawn with OpenGL), DXT1 texture or memory surface, by the description's caps. The surface has
    // count 1 and is the caller's. -2020 with nothing stored when none can be made.
    HRESULT CreateSurface(
        Windows::DDSURFACEDESC2* desc, Windows::IDirectDrawSurface7** surface, Windows::IUnknown*) override;
    HRESULT DuplicateSurface(Windows::IDirectDrawSurface7*, Windows::IDirectDrawSurface7**) override
    {
        return 0;
    }
    // Calls back once with the current mode of the first display (a 24-bit screen counts as 32 bits);
    // -2020 without calling back for a depth that is neither 8, 16 nor 32.
    HRESULT EnumDisplayModes(DWORD flags, Windows::DDSURFACEDESC2* desc, Windows::LPVOID context,
        Windows::LPDDENUMMODESCALLBACK2 callback) override;
    HRESULT EnumSurfaces(
        DWORD, Windows::DDSURFACEDESC2*, Windows::LPVOID, Windows::LPDDENUMSURFACESCALLBACK7) override
    {
        return 0;
    }
    HRESULT FlipToGDISurface() override { return 0; }
    HRESULT GetCaps(Windows::LPVOID, Windows::LPVOID) override { return 0; }
    HRESULT GetDisplayMode(Windows::DDSURFACEDESC2*) override { return 0; }
    HRESULT GetFourCCCodes(DWORD*, DWORD*) override { return 0; }
    HRESULT GetGDISurface(Windows::IDirectDrawSurface7**) override { return 0; }
    HRESULT GetMonitorFrequency(DWORD*) override { return 0; }
    HRESULT GetScanLine(DWORD*) override { return 0; }
    HRESULT GetVerticalBlankStatus(Windows::BOOL*) override { return 0; }
    HRESULT Initialize(Windows::GUID*) override { return 0; }
    HRESULT RestoreDisplayMode() override { return 0; }
    // Only DDSCL_FULLSCREEN is read: it chooses fullscreen for the next display mode.
    HRESULT SetCooperativeLevel(Windows::HWND window, DWORD flags) override;
    // Opens (or reopens) the game window at the size, always with 32-bit colour, and builds the stage
    // surface and device; the same size and fullscreen choice again does nothing. -2020 without a game
    // window wrapper or when no window or context can be made.
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bits, DWORD rate, DWORD flags) override;
    HRESULT WaitForVerticalBlank(DWORD, Windows::HANDLE) override { return 0; }
    // 128 MiB in all, 100 MiB free.
    HRESULT GetAvailableVidMem(Windows::DDSCAPS2* caps, DWORD* total, DWORD* free) override;
    HRESULT GetSurfaceFromDC(Windows::HDC, Windows::IDirectDrawSurface7**) override { return 0; }
    HRESULT RestoreAllSurfaces() override { return 0; }
    HRESULT TestCooperativeLevel() override { return 0; }
    HRESULT GetDeviceIdentifier(Windows::LPVOID, DWORD) override { return 0; }
    HRESULT StartModeTest(Windows::LPVOID, DWORD, DWORD) override { return 0; }
    HRESULT EvaluateMode(DWORD, DWORD*) override { return 0; }

    // The display state is the process's, shared by every DirectDraw object.
    static bool gFullscreenReq;
    static bool gIsFullscreen;
    static unsigned gDisplaySizeX;
    static unsigned gDisplaySizeY;
    static bool gWindowOpen;

    // Forgets the display state and releases the stage; for shut-down and tests.
    static void ResetDisplayState();
    // The surface the stage device draws into; null before the first display mode.
    static IDirectDrawStandardSurfaceImp7* StageSurface();

    // The depth of the first display's current mode as the game is told it: 24 counts as 32.
    static int CurrentDisplayBits();

private:
    std::unique_ptr<IDirect3DImp7> mDirect3D;
};
#pragma GCC diagnostic pop

// Outside the class body, where the pragmas would throw the formatter off.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
class IDirectDrawClipperImp : public Windows::IDirectDrawClipper, public IUnknownImp {
public:
    using HRESULT = Windows::HRESULT;
    using DWORD = Windows::DWORD;

    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void operator delete(void* block, std::size_t size) { IUnknownImp::operator delete(block, size); }

    HRESULT QueryInterface(Windows::REFIID, void**) override { return 0; }
    Windows::ULONG AddRef() override { return IUnknownImp::AddRef(); }
    Windows::ULONG Release() override { return IUnknownImp::Release(); }
    HRESULT GetClipList(Windows::RECT*, Windows::LPVOID, DWORD*) override { return 0; }
    HRESULT GetHWnd(Windows::HWND*) override { return 0; }
    HRESULT Initialize(Windows::IDirectDraw7*, DWORD) override { return 0; }
    HRESULT IsClipListChanged(Windows::BOOL*) override { return 0; }
    HRESULT SetClipList(Windows::LPVOID, DWORD) override { return 0; }
    HRESULT SetHWnd(DWORD, Windows::HWND) override { return 0; }
};
#pragma GCC diagnostic pop

} // namespace Ravel
