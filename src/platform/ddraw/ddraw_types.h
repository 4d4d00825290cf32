// The DirectDraw 7 records, flags and the surface interface that the game's 2D code is written against,
// laid out for a 64-bit Linux machine: 32-bit words stay 32-bit, the surface pointer is pointer-sized.
#pragma once

#include <cstddef>

#include "platform/display/basic_hwnd_imp.h"
#include "platform/win/win_types.h"

namespace Windows {

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};
static_assert(sizeof(DDCOLORKEY) == 8, "two words");

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    union {
        DWORD dwRGBBitCount;
        DWORD dwZBufferBitDepth;
    };
    union {
        DWORD dwRBitMask;
        DWORD dwStencilBitDepth;
    };
    union {
        DWORD dwGBitMask;
        DWORD dwZBitMask;
    };
    union {
        DWORD dwBBitMask;
        DWORD dwStencilBitMask;
    };
    DWORD dwRGBAlphaBitMask;
};
static_assert(sizeof(DDPIXELFORMAT) == 32, "eight words");
static_assert(offsetof(DDPIXELFORMAT, dwRBitMask) == 16 && offsetof(DDPIXELFORMAT, dwRGBAlphaBitMask) == 28);

struct DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    DWORD dwCaps4;
};
static_assert(sizeof(DDSCAPS2) == 16, "four words");

struct DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    union {
        LONG lPitch;
        DWORD dwLinearSize;
    };
    union {
        DWORD dwBackBufferCount;
        DWORD dwDepth;
    };
    union {
        DWORD dwMipMapCount;
        DWORD dwRefreshRate;
        DWORD dwSrcVBHandle;
    };
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    union {
        DDCOLORKEY ddckCKDestOverlay;
        DWORD dwEmptyFaceColor;
    };
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    union {
        DDPIXELFORMAT ddpfPixelFormat;
        DWORD dwFVF;
    };
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
};
// The surface pointer is 8 bytes here, so the record is 136 bytes where a 32-bit machine had 124.
static_assert(offsetof(DDSURFACEDESC2, lPitch) == 16 && offsetof(DDSURFACEDESC2, lpSurface) == 40);
static_assert(
    offsetof(DDSURFACEDESC2, ddckCKSrcBlt) == 72 && offsetof(DDSURFACEDESC2, ddpfPixelFormat) == 80);
static_assert(offsetof(DDSURFACEDESC2, ddsCaps) == 112 && sizeof(DDSURFACEDESC2) == 136);

// Blit effects; of these the emulation reads the fill colour only.
struct DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwROP;
    DWORD dwDDROP;
    DWORD dwRotationAngle;
    DWORD dwZBufferOpCode;
    DWORD dwZBufferLow;
    DWORD dwZBufferHigh;
    DWORD dwZBufferBaseDest;
    DWORD dwZDestConstBitDepth;
    union {
        DWORD dwZDestConst;
        void* lpDDSZBufferDest;
    };
    DWORD dwZSrcConstBitDepth;
    union {
        DWORD dwZSrcConst;
        void* lpDDSZBufferSrc;
    };
    DWORD dwAlphaEdgeBlendBitDepth;
    DWORD dwAlphaEdgeBlend;
    DWORD dwReserved;
    DWORD dwAlphaDestConstBitDepth;
    union {
        DWORD dwAlphaDestConst;
        void* lpDDSAlphaDest;
    };
    DWORD dwAlphaSrcConstBitDepth;
    union {
        DWORD dwAlphaSrcConst;
        void* lpDDSAlphaSrc;
    };
    union {
        DWORD dwFillColor;
        DWORD dwFillDepth;
        DWORD dwFillPixel;
        void* lpDDSPattern;
    };
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
};

// Description flags.
constexpr DWORD DDSD_CAPS = 0x1;
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_PIXELFORMAT = 0x1000;
constexpr DWORD DDSD_CKDESTOVERLAY = 0x2000;
constexpr DWORD DDSD_CKDESTBLT = 0x4000;
constexpr DWORD DDSD_CKSRCOVERLAY = 0x8000;
constexpr DWORD DDSD_CKSRCBLT = 0x10000;
constexpr DWORD DDSD_LPSURFACE = 0x800;

// Pixel-format flags and the one compressed format.
constexpr DWORD DDPF_ALPHAPIXELS = 0x1;
constexpr DWORD DDPF_FOURCC = 0x4;
constexpr DWORD DDPF_RGB = 0x40;
constexpr DWORD DDPF_ZBUFFER = 0x400;
constexpr DWORD FOURCC_DXT1 = 0x31545844; // "DXT1"

// Capabilities.
constexpr DWORD DDSCAPS_BACKBUFFER = 0x4;
constexpr DWORD DDSCAPS_COMPLEX = 0x8;
constexpr DWORD DDSCAPS_FLIP = 0x10;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr DWORD DDSCAPS_3DDEVICE = 0x2000;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x4000;
constexpr DWORD DDSCAPS_ZBUFFER = 0x20000;

// Colour keys.
constexpr DWORD DDCKEY_COLORSPACE = 0x1;
constexpr DWORD DDCKEY_DESTBLT = 0x2;
constexpr DWORD DDCKEY_DESTOVERLAY = 0x4;
constexpr DWORD DDCKEY_SRCBLT = 0x8;
constexpr DWORD DDCKEY_SRCOVERLAY = 0x10;

// Blits and locks.
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x1;
constexpr DWORD DDBLTFAST_DESTCOLORKEY = 0x2;
constexpr DWORD DDBLT_COLORFILL = 0x400;
constexpr DWORD DDBLT_DDROPS = 0x1000;
constexpr DWORD DDBLT_KEYSRC = 0x8000;
constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDLOCK_READONLY = 0x10;
constexpr DWORD DDLOCK_WRITEONLY = 0x20;
constexpr DWORD DDBLTFAST_WAIT = 0x10;
constexpr DWORD DDFLIP_WAIT = 0x1;

// Cooperative levels.
constexpr DWORD DDSCL_FULLSCREEN = 0x1;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x2;
constexpr DWORD DDSCL_NOWINDOWCHANGES = 0x4;
constexpr DWORD DDSCL_NORMAL = 0x8;
constexpr DWORD DDSCL_EXCLUSIVE = 0x10;

// Result codes the game's own code tells apart; the emulation itself only ever answers -2020.
constexpr HRESULT DDERR_INVALIDOBJECT = static_cast<HRESULT>(0x88760082U);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057U);
constexpr HRESULT DDERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000EU);
constexpr HRESULT DDERR_SURFACELOST = static_cast<HRESULT>(0x887601C2U);
constexpr HRESULT DDERR_WASSTILLDRAWING = static_cast<HRESULT>(0x8876021CU);

// Interface identifiers, compared as 16 bytes.
inline constexpr GUID IID_IDirectDraw2 { 0xB3A6F3E0, 0x2B43, 0x11CF,
    { 0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56 } };
inline constexpr GUID IID_IDirectDraw7 { 0x15E65EC0, 0x3B9C, 0x11D2,
    { 0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B } };
bool SameIID(REFIID a, REFIID b);

struct IDirectDrawSurface7;
struct IDirectDrawClipper;
struct IDirectDrawPalette;
struct DDBLTBATCH;
struct DDOVERLAYFX;
using LPDDENUMSURFACESCALLBACK7 = HRESULT (*)(IDirectDrawSurface7*, DDSURFACEDESC2*, LPVOID);
using LPDDENUMMODESCALLBACK2 = HRESULT (*)(DDSURFACEDESC2*, LPVOID);

// The published DirectDraw 7 surface interface, slots in their published order.
struct IDirectDrawSurface7 : IUnknown {
    virtual HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) = 0;
    virtual HRESULT AddOverlayDirtyRect(RECT* rect) = 0;
    virtual HRESULT Blt(
        RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, DDBLTFX* fx)
        = 0;
    virtual HRESULT BltBatch(DDBLTBATCH* batch, DWORD count, DWORD flags) = 0;
    virtual HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags) = 0;
    virtual HRESULT DeleteAttachedSurface(DWORD flags, IDirectDrawSurface7* surface) = 0;
    virtual HRESULT EnumAttachedSurfaces(LPVOID context, LPDDENUMSURFACESCALLBACK7 callback) = 0;
    virtual HRESULT EnumOverlayZOrders(DWORD flags, LPVOID context, LPDDENUMSURFACESCALLBACK7 callback) = 0;
    virtual HRESULT Flip(IDirectDrawSurface7* surface, DWORD flags) = 0;
    virtual HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface) = 0;
    virtual HRESULT GetBltStatus(DWORD flags) = 0;
    virtual HRESULT GetCaps(DDSCAPS2* caps) = 0;
    virtual HRESULT GetClipper(IDirectDrawClipper** clipper) = 0;
    virtual HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) = 0;
    virtual HRESULT GetDC(HDC* dc) = 0;
    virtual HRESULT GetFlipStatus(DWORD flags) = 0;
    virtual HRESULT GetOverlayPosition(LONG* x, LONG* y) = 0;
    virtual HRESULT GetPalette(IDirectDrawPalette** palette) = 0;
    virtual HRESULT GetPixelFormat(DDPIXELFORMAT* format) = 0;
    virtual HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) = 0;
    virtual HRESULT Initialize(LPVOID directDraw, DDSURFACEDESC2* desc) = 0;
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT ReleaseDC(HDC dc) = 0;
    virtual HRESULT Restore() = 0;
    virtual HRESULT SetClipper(IDirectDrawClipper* clipper) = 0;
    virtual HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key) = 0;
    virtual HRESULT SetOverlayPosition(LONG x, LONG y) = 0;
    virtual HRESULT SetPalette(IDirectDrawPalette* palette) = 0;
    virtual HRESULT Unlock(RECT* rect) = 0;
    virtual HRESULT UpdateOverlay(
        RECT* sourceRect, IDirectDrawSurface7* dest, RECT* destRect, DWORD flags, DDOVERLAYFX* fx)
        = 0;
    virtual HRESULT UpdateOverlayDisplay(DWORD flags) = 0;
    virtual HRESULT UpdateOverlayZOrder(DWORD flags, IDirectDrawSurface7* reference) = 0;
    virtual HRESULT GetDDInterface(LPVOID* directDraw) = 0;
    virtual HRESULT PageLock(DWORD flags) = 0;
    virtual HRESULT PageUnlock(DWORD flags) = 0;
    virtual HRESULT SetSurfaceDesc(DDSURFACEDESC2* desc, DWORD flags) = 0;
    virtual HRESULT SetPrivateData(REFGUID tag, LPVOID data, DWORD size, DWORD flags) = 0;
    virtual HRESULT GetPrivateData(REFGUID tag, LPVOID buffer, DWORD* size) = 0;
    virtual HRESULT FreePrivateData(REFGUID tag) = 0;
    virtual HRESULT GetUniquenessValue(DWORD* value) = 0;
    virtual HRESULT ChangeUniquenessValue() = 0;
    virtual HRESULT SetPriority(DWORD priority) = 0;
    virtual HRESULT GetPriority(DWORD* priority) = 0;
    virtual HRESULT SetLOD(DWORD lod) = 0;
    virtual HRESULT GetLOD(DWORD* lod) = 0;

protected:
    ~IDirectDrawSurface7() = default;
};

// The published DirectDraw 7 object interface, slots in their published order.
struct IDirectDraw7 : IUnknown {
    virtual HRESULT Compact() = 0;
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) = 0;
    virtual HRESULT CreatePalette(DWORD flags, LPVOID entries, IDirectDrawPalette** palette, IUnknown* outer)
        = 0;
    virtual HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, IUnknown* outer) = 0;
    virtual HRESULT DuplicateSurface(IDirectDrawSurface7* surface, IDirectDrawSurface7** duplicate) = 0;
    virtual HRESULT EnumDisplayModes(
        DWORD flags, DDSURFACEDESC2* desc, LPVOID context, LPDDENUMMODESCALLBACK2 callback)
        = 0;
    virtual HRESULT EnumSurfaces(
        DWORD flags, DDSURFACEDESC2* desc, LPVOID context, LPDDENUMSURFACESCALLBACK7 callback)
        = 0;
    virtual HRESULT FlipToGDISurface() = 0;
    virtual HRESULT GetCaps(LPVOID driverCaps, LPVOID helCaps) = 0;
    virtual HRESULT GetDisplayMode(DDSURFACEDESC2* desc) = 0;
    virtual HRESULT GetFourCCCodes(DWORD* count, DWORD* codes) = 0;
    virtual HRESULT GetGDISurface(IDirectDrawSurface7** surface) = 0;
    virtual HRESULT GetMonitorFrequency(DWORD* frequency) = 0;
    virtual HRESULT GetScanLine(DWORD* line) = 0;
    virtual HRESULT GetVerticalBlankStatus(BOOL* inBlank) = 0;
    virtual HRESULT Initialize(GUID* driver) = 0;
    virtual HRESULT RestoreDisplayMode() = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bits, DWORD rate, DWORD flags) = 0;
    virtual HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event) = 0;
    virtual HRESULT GetAvailableVidMem(DDSCAPS2* caps, DWORD* total, DWORD* free) = 0;
    virtual HRESULT GetSurfaceFromDC(HDC dc, IDirectDrawSurface7** surface) = 0;
    virtual HRESULT RestoreAllSurfaces() = 0;
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT GetDeviceIdentifier(LPVOID identifier, DWORD flags) = 0;
    virtual HRESULT StartModeTest(LPVOID modes, DWORD count, DWORD flags) = 0;
    virtual HRESULT EvaluateMode(DWORD flags, DWORD* timeout) = 0;

protected:
    ~IDirectDraw7() = default;
};

// The published clipper interface; no surface ever applies a clip list.
struct IDirectDrawClipper : IUnknown {
    virtual HRESULT GetClipList(RECT* rect, LPVOID clipList, DWORD* size) = 0;
    virtual HRESULT GetHWnd(HWND* window) = 0;
    virtual HRESULT Initialize(IDirectDraw7* directDraw, DWORD flags) = 0;
    virtual HRESULT IsClipListChanged(BOOL* changed) = 0;
    virtual HRESULT SetClipList(LPVOID clipList, DWORD flags) = 0;
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;

protected:
    ~IDirectDrawClipper() = default;
};

// The game's one way in: a DirectDraw 7 object (count 1) for IID_IDirectDraw7; any other identifier is
// -2020 with the out-pointer untouched. The driver and the outer object are ignored.
HRESULT DirectDrawCreateEx(GUID* driver, LPVOID* directDraw, REFIID iid, IUnknown* outer);

} // namespace Windows
