// The DirectDraw object on a headless display: creation and queries, the display mode and its stage, the
// surface class chosen by caps, headless drawing kept in memory, the display-mode report, and the
// OpenGL-drawing surface's GDI region.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <vector>

#include "platform/ddraw/compressed_surface.h"
#include "platform/ddraw/d3d_types.h"
#include "platform/ddraw/ddraw_fixture.h"
#include "platform/ddraw/ddraw_object.h"
#include "platform/ddraw/front_surface.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/host/headless.h"
#include "platform/host/host_scratch.h"

using namespace Windows;
using Ravel::IDirectDrawImp7;

namespace {

class DirectDrawObject : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (!SDL_WasInit(SDL_INIT_VIDEO)) {
            ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        }
        host_test::UsePrefs("");
        IDirectDrawImp7::ResetDisplayState();
        void* made = nullptr;
        ASSERT_EQ(DirectDrawCreateEx(nullptr, &made, IID_IDirectDraw7, nullptr), 0);
        mDD = static_cast<IDirectDraw7*>(made);
    }
    void TearDown() override
    {
        if (mDD)
            mDD->Release();
        IDirectDrawImp7::ResetDisplayState();
        delete mWrapper;
    }
    void MakeWindowWrapper() { mWrapper = new Ravel::BasicHWNDImpOBJC(640, 480, "ddraw test"); }
    IDirectDrawSurface7* Make(DDSURFACEDESC2& desc, HRESULT expect = 0)
    {
        IDirectDrawSurface7* surface = nullptr;
        EXPECT_EQ(mDD->CreateSurface(&desc, &surface, nullptr), expect);
        return surface;
    }

    IDirectDraw7* mDD = nullptr;
    Ravel::BasicHWNDImpOBJC* mWrapper = nullptr;
};

DDSURFACEDESC2 CapsDesc(DWORD caps, DWORD width = 0, DWORD height = 0)
{
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | (width ? DDSD_WIDTH | DDSD_HEIGHT : 0);
    desc.ddsCaps.dwCaps = caps;
    desc.dwWidth = width;
    desc.dwHeight = height;
    return desc;
}

TEST_F(DirectDrawObject, CreationAndQueries)
{
    void* other = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &other, IID_IDirectDraw2, nullptr), RV_DXERR_FAILED);
    EXPECT_EQ(other, reinterpret_cast<void*>(0x1234));

    void* second = nullptr;
    ASSERT_EQ(mDD->QueryInterface(IID_IDirectDraw2, &second), 0);
    EXPECT_NE(second, nullptr);
    EXPECT_NE(second, static_cast<void*>(mDD));
    static_cast<IDirectDraw7*>(second)->Release();

    void* direct3D = nullptr;
    ASSERT_EQ(mDD->QueryInterface(IID_IDirect3D7, &direct3D), 0);
    void* again = nullptr;
    mDD->QueryInterface(IID_IDirect3D7, &again);
    EXPECT_EQ(again, direct3D);
    void* none = reinterpret_cast<void*>(0x99);
    EXPECT_EQ(mDD->QueryInterface(GUID { 1, 2, 3, {} }, &none), RV_DXERR_FAILED);
    EXPECT_EQ(none, reinterpret_cast<void*>(0x99));

    // Release answers 0 whatever remains.
    EXPECT_EQ(mDD->AddRef(), 2u);
    EXPECT_EQ(mDD->Release(), 0u);

    DWORD total = 0;
    DWORD free = 0;
    EXPECT_EQ(mDD->GetAvailableVidMem(nullptr, &total, &free), 0);
    EXPECT_EQ(total, 0x8000000u);
    EXPECT_EQ(free, 0x6400000u);
    IDirectDrawClipper* clipper = nullptr;
    EXPECT_EQ(mDD->CreateClipper(0, &clipper, nullptr), 0);
    ASSERT_NE(clipper, nullptr);
    EXPECT_EQ(clipper->SetHWnd(0, nullptr), 0);
    clipper->Release();
}

TEST_F(DirectDrawObject, ThePrimarySurfaceSetsTheFirstModeAndANewModeANewStage)
{
    // No game window to open: the request fails where the caller sees it.
    DDSURFACEDESC2 primary = CapsDesc(DDSCAPS_PRIMARYSURFACE);
    EXPECT_EQ(Make(primary, RV_DXERR_FAILED), nullptr);
    EXPECT_EQ(mDD->SetDisplayMode(640, 480, 16, 0, 0), RV_DXERR_FAILED);
    EXPECT_FALSE(IDirectDrawImp7::gWindowOpen);

    MakeWindowWrapper();
    IDirectDrawSurface7* front = Make(primary);
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(primary.dwWidth, 800u);
    EXPECT_EQ(primary.dwHeight, 600u);
    EXPECT_TRUE(IDirectDrawImp7::gWindowOpen);
    EXPECT_EQ(IDirectDrawImp7::gDisplaySizeX, 800u);
    EXPECT_EQ(mWrapper->getNow()->mWide, 800);
    DDPIXELFORMAT format {};
    format.dwSize = sizeof(format);
    front->GetPixelFormat(&format);
    EXPECT_EQ(format.dwGBitMask, 0x03E0u);

    // The same mode again changes nothing; a new one builds a new stage.
    Ravel::IDirectDrawStandardSurfaceImp7* stage = IDirectDrawImp7::StageSurface();
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(mDD->SetDisplayMode(800, 600, 16, 0, 0), 0);
    EXPECT_EQ(IDirectDrawImp7::StageSurface(), stage);
    EXPECT_EQ(mDD->SetDisplayMode(1024, 768, 16, 0, 0), 0);
    EXPECT_NE(IDirectDrawImp7::StageSurface(), nullptr);
    EXPECT_EQ(IDirectDrawImp7::gDisplaySizeY, 768u);
    EXPECT_EQ(mWrapper->getNow()->mWide, 1024);
    mDD->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    EXPECT_TRUE(IDirectDrawImp7::gFullscreenReq);
    mDD->SetCooperativeLevel(nullptr, DDSCL_NORMAL);

    // With the window open a primary without size takes the display's.
    DDSURFACEDESC2 next = CapsDesc(DDSCAPS_PRIMARYSURFACE);
    IDirectDrawSurface7* second = Make(next);
    EXPECT_EQ(next.dwWidth, 1024u);
    EXPECT_EQ(next.dwHeight, 768u);
    second->Release();
    front->Release();
}

TEST_F(DirectDrawObject, SurfaceClassesByCaps)
{
    DDSURFACEDESC2 depth = CapsDesc(DDSCAPS_ZBUFFER, 8, 8);
    IDirectDrawSurface7* z = Make(depth);
    EXPECT_EQ(z->Lock(nullptr, nullptr, 0, nullptr), RV_DXERR_FAILED);

    DDSURFACEDESC2 video = CapsDesc(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY, 8, 8);
    IDirectDrawSurface7* gl = Make(video);
    EXPECT_NE(dynamic_cast<Ravel::IDirectDrawGLSurfaceImp7*>(Ravel::SurfaceImp(gl)), nullptr);
    EXPECT_TRUE(video.ddpfPixelFormat.dwFlags & DDPF_ALPHAPIXELS);

    DDSURFACEDESC2 dxt = CapsDesc(0, 64, 64);
    dxt.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    dxt.ddpfPixelFormat.dwFlags = DDPF_FOURCC;
    dxt.ddpfPixelFormat.dwFourCC = FOURCC_DXT1;
    IDirectDrawSurface7* compressed = Make(dxt);
    EXPECT_NE(dynamic_cast<Ravel::IDirectDrawCompressedSurfaceImp7*>(Ravel::SurfaceImp(compressed)), nullptr);

    DDSURFACEDESC2 plain = CapsDesc(DDSCAPS_OFFSCREENPLAIN, 8, 8);
    IDirectDrawSurface7* memory = Make(plain);
    auto* standard = dynamic_cast<Ravel::IDirectDrawStandardSurfaceImp7*>(Ravel::SurfaceImp(memory));
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(dynamic_cast<Ravel::IDirectDrawCompressedSurfaceImp7*>(Ravel::SurfaceImp(memory)), nullptr);
    for (IDirectDrawSurface7* s : { z, gl, compressed, memory })
        s->Release();
}

// Headless there is no window to draw into: the video-memory surface keeps its fills and blits in its
// own pixels, a 3D device on a memory surface is refused without making a window, and nothing opens one.
TEST_F(DirectDrawObject, HeadlessSurfacesDrawInMemoryAndNoWindowIsMade)
{
    Ravel::DecideHeadless();
    ASSERT_TRUE(Ravel::IsHeadless());
    DDSURFACEDESC2 video = CapsDesc(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY, 8, 8);
    IDirectDrawSurface7* gl = Make(video);
    auto* target = dynamic_cast<Ravel::IDirectDrawGLSurfaceImp7*>(Ravel::SurfaceImp(gl));
    ASSERT_NE(target, nullptr);
    RECT all { 0, 0, 8, 8 };
    DDBLTFX fx {};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = 0x001F;
    EXPECT_EQ(gl->Blt(&all, nullptr, nullptr, DDBLT_COLORFILL, &fx), 0);
    // A 2 by 2 source doubled into the top-left quarter, keyed: the pixel without its alpha bit is passed.
    auto* source = ddraw_test::MakeSurface(ddraw_test::Desc(2, 2, 16));
    ASSERT_EQ(source->Lock(nullptr, nullptr, 0, nullptr), 0);
    ddraw_test::Pixel(source, 0, 0) = 0xFC00;
    ddraw_test::Pixel(source, 1, 0) = 0x7C00;
    ddraw_test::Pixel(source, 0, 1) = 0x83E0;
    ddraw_test::Pixel(source, 1, 1) = 0x8000;
    source->Unlock(nullptr);
    RECT quarter { 0, 0, 4, 4 };
    EXPECT_EQ(gl->Blt(&quarter, source, nullptr, DDBLT_KEYSRC, nullptr), 0);
    const std::uint16_t kExpected[8][8] = {
        { 0xFC00, 0xFC00, 0x001F, 0x001F, 0x001F, 0x001F, 0x001F, 0x001F },
        { 0xFC00, 0xFC00, 0x001F, 0x001F, 0x001F, 0x001F, 0x001F, 0x001F },
        { 0x83E0, 0x83E0, 0x8000, 0x8000, 0x001F, 0x001F, 0x001F, 0x001F },
        { 0x83E0, 0x83E0, 0x8000, 0x8000, 0x001F, 0x001F, 0x001F, 0x001F },
    };
    ASSERT_EQ(target->Lock(nullptr, nullptr, 0, nullptr), 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(ddraw_test::Pixel(target, x, y), y < 4 ? kExpected[y][x] : 0x001F) << x << "," << y;
    target->Unlock(nullptr);
    EXPECT_EQ(gl->Blt(nullptr, nullptr, nullptr, DDBLT_DDROPS, nullptr), 0);

    // A Direct3D device drawing into a memory surface needs an off-screen context: refused, softly.
    EXPECT_THROW(target->use3D(), std::exception);
    std::vector<SDL_Window*> windows;
    for (Uint32 id = 1; id < 16; ++id)
        if (SDL_Window* window = SDL_GetWindowFromID(id))
            windows.push_back(window);
    EXPECT_TRUE(windows.empty()) << windows.size() << " windows";
    source->Release();
    gl->Release();
}

struct Reported {
    int calls = 0;
    DDSURFACEDESC2 desc {};
};

HRESULT Record(DDSURFACEDESC2* desc, LPVOID context)
{
    auto* reported = static_cast<Reported*>(context);
    ++reported->calls;
    reported->desc = *desc;
    return 1;
}

TEST_F(DirectDrawObject, TheDisplayModeIsReportedOnceWithADeepScreenAs32Bits)
{
    SDL_DisplayMode mode {};
    ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &mode), 0);
    Reported reported;
    ASSERT_EQ(mDD->EnumDisplayModes(0, nullptr, &reported, Record), 0);
    EXPECT_EQ(reported.calls, 1);
    EXPECT_EQ(reported.desc.dwWidth, static_cast<DWORD>(mode.w));
    EXPECT_EQ(reported.desc.dwHeight, static_cast<DWORD>(mode.h));
    // The dummy display is 24 bits deep, which the game is told as 32.
    EXPECT_EQ(reported.desc.ddpfPixelFormat.dwRGBBitCount, 32u);
    EXPECT_EQ(reported.desc.ddpfPixelFormat.dwFlags, DDPF_RGB | DDPF_ALPHAPIXELS);
    // The surface made for the report lived only for the call (a leak would fail under ASan).
    EXPECT_NE(reported.desc.lpSurface, nullptr);

    DDSURFACEDESC2 given {};
    given.lpSurface = &reported;
    ASSERT_EQ(mDD->EnumDisplayModes(0, &given, &reported, Record), 0);
    EXPECT_EQ(reported.calls, 2);
    EXPECT_EQ(reported.desc.lpSurface, &reported);
}

TEST_F(DirectDrawObject, WhatGdiDrewGrowsTheDirtyRegion)
{
    DDSURFACEDESC2 video = CapsDesc(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY, 32, 32);
    auto* gl = dynamic_cast<Ravel::IDirectDrawGLSurfaceImp7*>(Ravel::SurfaceImp(Make(video)));
    ASSERT_NE(gl, nullptr);
    struct Step {
        Ravel::DRect drawn;
        Ravel::DRect after;
    } steps[] = {
        { { 4, 4, 8, 8 }, { 4, 4, 8, 8 } },
        { { 10, 10, 5, 20 }, { 4, 4, 8, 8 } }, // empty: ignored
        { { 2, 6, 12, 7 }, { 2, 4, 12, 8 } },
    };
    for (const Step& step : steps) {
        gl->DoneUnlock(step.drawn);
        EXPECT_EQ(gl->dirtyRect().left, step.after.left);
        EXPECT_EQ(gl->dirtyRect().top, step.after.top);
        EXPECT_EQ(gl->dirtyRect().right, step.after.right);
        EXPECT_EQ(gl->dirtyRect().bottom, step.after.bottom);
    }
    // The blits without a source: a fill needs its effects, other forms fail.
    RECT rect { 0, 0, 4, 4 };
    EXPECT_EQ(gl->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL, nullptr), RV_DXERR_FAILED);
    EXPECT_EQ(gl->Blt(&rect, nullptr, nullptr, 0, nullptr), RV_DXERR_FAILED);
    EXPECT_EQ(gl->Blt(nullptr, nullptr, nullptr, DDBLT_DDROPS, nullptr), 0);
    EXPECT_LT(gl->dirtyRect().right, gl->dirtyRect().left); // pushed: empty again
    gl->Release();
}

} // namespace
