// The DirectDraw object: display mode and stage, surface creation by caps, the display-mode report.
#include "platform/ddraw/ddraw_object.h"

#include <SDL.h>
#include <cstring>
#include <exception>
#include <memory>

#include "platform/ddraw/compressed_surface.h"
#include "platform/ddraw/direct3d_imp7.h"
#include "platform/ddraw/front_surface.h"
#include "platform/ddraw/stage_device.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"
#include "platform/render/our_context.h"
#include "platform/settings/settings_file.h"

#include "foundation/safeguards.h"

namespace Windows {

bool SameIID(REFIID a, REFIID b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

HRESULT DirectDrawCreateEx(GUID*, LPVOID* directDraw, REFIID iid, IUnknown*)
{
    if (!directDraw || !SameIID(iid, IID_IDirectDraw7))
        return RV_DXERR_FAILED;
    *directDraw = static_cast<IDirectDraw7*>(new Ravel::IDirectDrawImp7);
    return DD_OK;
}

} // namespace Windows

namespace Ravel {

using namespace Windows;

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kWarning);

IDirectDrawStandardSurfaceImp7* gStageSurface = nullptr;

// A surface of the class T initialised with the description, or null (logged) when it refuses it.
template <typename T> T* MakeSurface(IDirectDrawImp7* parent, DDSURFACEDESC2* desc)
{
    auto* surface = new T;
    try {
        surface->Init(parent, desc);
    } catch (const std::exception&) {
        surface->Release();
        return nullptr;
    }
    return surface;
}

IDirectDrawSurfaceImp7* MakeMemoryOrCompressed(IDirectDrawImp7* parent, DDSURFACEDESC2* desc)
{
    // Only a DXT1 texture passes the compressed surface's check; everything else is a memory surface.
    if (IDirectDrawSurfaceImp7* compressed = MakeSurface<IDirectDrawCompressedSurfaceImp7>(parent, desc))
        return compressed;
    return MakeSurface<IDirectDrawStandardSurfaceImp7>(parent, desc);
}

void ReleaseStage()
{
    ReleaseStageDevice();
    if (gStageSurface) {
        gStageSurface->Release();
        gStageSurface = nullptr;
    }
}

} // namespace

bool IDirectDrawImp7::gFullscreenReq = false;
bool IDirectDrawImp7::gIsFullscreen = false;
unsigned IDirectDrawImp7::gDisplaySizeX = 0;
unsigned IDirectDrawImp7::gDisplaySizeY = 0;
bool IDirectDrawImp7::gWindowOpen = false;

void IDirectDrawImp7::ResetDisplayState()
{
    ReleaseStage();
    gFullscreenReq = false;
    gIsFullscreen = false;
    gDisplaySizeX = 0;
    gDisplaySizeY = 0;
    gWindowOpen = false;
}

IDirectDrawStandardSurfaceImp7* IDirectDrawImp7::StageSurface()
{
    return gStageSurface;
}

IDirectDrawImp7::IDirectDrawImp7() = default;

IDirectDrawImp7::~IDirectDrawImp7() = default;

HRESULT IDirectDrawImp7::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return RV_DXERR_FAILED;
    if (SameIID(iid, IID_IDirect3D7)) {
        if (!mDirect3D)
            mDirect3D = std::make_unique<IDirect3DImp7>();
        *out = static_cast<IDirect3D7*>(mDirect3D.get());
        return 0;
    }
    if (SameIID(iid, IID_IDirectDraw2)) {
        *out = static_cast<IDirectDraw7*>(new IDirectDrawImp7);
        return 0;
    }
    return RV_DXERR_FAILED;
}

HRESULT IDirectDrawImp7::CreateClipper(DWORD, IDirectDrawClipper** clipper, IUnknown*)
{
    if (clipper)
        *clipper = new IDirectDrawClipperImp;
    return 0;
}

HRESULT IDirectDrawImp7::SetCooperativeLevel(HWND, DWORD flags)
{
    gFullscreenReq = (flags & DDSCL_FULLSCREEN) != 0;
    return 0;
}

HRESULT IDirectDrawImp7::GetAvailableVidMem(DDSCAPS2*, DWORD* total, DWORD* free)
{
    if (total)
        *total = 0x8000000;
    if (free)
        *free = 0x6400000;
    return 0;
}

HRESULT IDirectDrawImp7::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** out, IUnknown*)
{
    if (!out)
        return RV_DXERR_FAILED;
    *out = nullptr;
    const DWORD caps = desc && (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
    IDirectDrawSurfaceImp7* surface = nullptr;
    if (caps & DDSCAPS_ZBUFFER) {
        surface = MakeSurface<IDirectDrawSurfaceImp7>(this, desc);
    } else if (caps & DDSCAPS_PRIMARYSURFACE) {
        if (!gWindowOpen) {
            if (desc->dwWidth == 0 || desc->dwHeight == 0) {
                desc->dwWidth = 800;
                desc->dwHeight = 600;
            }
            if (SetDisplayMode(desc->dwWidth, desc->dwHeight, 16, 0, 0) != 0)
                return RV_DXERR_FAILED;
        } else if (desc->dwWidth == 0 || desc->dwHeight == 0) {
            desc->dwWidth = gDisplaySizeX;
            desc->dwHeight = gDisplaySizeY;
        }
        surface = MakeSurface<IDirectDrawFrontSurfaceImp7>(this, desc);
    } else if (caps & DDSCAPS_VIDEOMEMORY) {
        surface = MakeSurface<IDirectDrawGLSurfaceImp7>(this, desc);
    } else {
        surface = MakeMemoryOrCompressed(this, desc);
    }
    // A request that makes nothing is a failure the caller can see, not a success with a null surface.
    if (!surface)
        return RV_DXERR_FAILED;
    *out = surface;
    return 0;
}

HRESULT IDirectDrawImp7::SetDisplayMode(DWORD width, DWORD height, DWORD, DWORD, DWORD)
{
    BasicHWNDImpOBJC* wrapper = getGameWindowWrapper();
    if (!wrapper) {
        gLog.error("a display mode needs the game window, and there is none");
        return RV_DXERR_FAILED;
    }
    if (width == gDisplaySizeX && height == gDisplaySizeY && gFullscreenReq == gIsFullscreen)
        return 0;
    if (wrapper->openOnAdapter(0, static_cast<float>(width), static_cast<float>(height), 32, gFullscreenReq,
            0, true, 0, gUseStretchedVideoModes != 0)
        != DD_OK)
        return RV_DXERR_FAILED;

    // The new stage replaces the old one, which nothing may draw into any more.
    ReleaseStage();
    DDSURFACEDESC2 stageDesc {};
    stageDesc.dwSize = sizeof(stageDesc);
    stageDesc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    stageDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    stageDesc.dwWidth = width;
    stageDesc.dwHeight = height;
    gStageSurface = MakeSurface<IDirectDrawStandardSurfaceImp7>(this, &stageDesc);
    if (gStageSurface) {
        // Headless there is no window context: the stage surface stays a memory surface without a device.
        if (!GetStageContext().isNull()) {
            gStageSurface->Set3DContext(GetStageContext());
            MakeStageDevice(gStageSurface);
        }
        if (gStageSurface->Lock(nullptr, nullptr, 0, nullptr) == 0)
            gStageSurface->Unlock(nullptr);
    }
    gWindowOpen = true;
    gIsFullscreen = gFullscreenReq;
    gDisplaySizeX = width;
    gDisplaySizeY = height;
    return 0;
}

int IDirectDrawImp7::CurrentDisplayBits()
{
    SDL_DisplayMode mode {};
    if (SDL_GetCurrentDisplayMode(0, &mode) != 0)
        return 0;
    const int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
    return bits == 24 ? 32 : bits;
}

HRESULT IDirectDrawImp7::EnumDisplayModes(
    DWORD, DDSURFACEDESC2* callerDesc, LPVOID context, LPDDENUMMODESCALLBACK2 callback)
{
    SDL_DisplayMode mode {};
    if (SDL_GetCurrentDisplayMode(0, &mode) != 0)
        mode = SDL_DisplayMode {};
    const int bits = CurrentDisplayBits();

    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    desc.dwHeight = static_cast<DWORD>(mode.h);
    desc.dwWidth = static_cast<DWORD>(mode.w);
    desc.dwBackBufferCount = 1;
    desc.dwRefreshRate = static_cast<DWORD>(mode.refresh_rate);
    DDPIXELFORMAT& format = desc.ddpfPixelFormat;
    format.dwSize = sizeof(DDPIXELFORMAT);
    switch (bits) {
    case 16:
        format.dwFlags = DDPF_RGB;
        format.dwRGBBitCount = 16;
        format.dwRBitMask = 5;
        format.dwGBitMask = 6;
        format.dwBBitMask = 5;
        break;
    case 32:
        format.dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
        format.dwRGBBitCount = 32;
        format.dwRBitMask = 8;
        format.dwGBitMask = 8;
        format.dwBBitMask = 8;
        format.dwRGBAlphaBitMask = 8;
        break;
    case 8:
        format.dwFlags = DDPF_RGB | 0x20; // DDPF_PALETTEINDEXED8
        format.dwRGBBitCount = 8;
        break;
    default:
        return RV_DXERR_FAILED;
    }

    // The report carries a surface; one made here for it lives only as long as the call.
    IDirectDrawSurface7* made = nullptr;
    if (callerDesc && callerDesc->lpSurface) {
        desc.lpSurface = callerDesc->lpSurface;
    } else {
        DDSURFACEDESC2 plain = desc;
        if (CreateSurface(&plain, &made, nullptr) == 0)
            desc.lpSurface = made;
    }
    if (callback)
        callback(&desc, context);
    if (made)
        made->Release();
    return 0;
}

} // namespace Ravel
