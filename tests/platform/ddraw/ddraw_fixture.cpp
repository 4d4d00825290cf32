// Surfaces and a hidden OpenGL window for the surface and texture-stage tests.
#include "platform/ddraw/ddraw_fixture.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>

#include "platform/ddraw/stage_device.h"
#include "platform/host/host_scratch.h"
#include "platform/render/card_settings.h"
#include "platform/render/our_context.h"

#include "foundation/safeguards.h"

namespace ddraw_test {

using namespace Windows;

DDSURFACEDESC2 Desc(
    unsigned width, unsigned height, unsigned bits, std::uint32_t redMask, std::uint32_t pfFlags)
{
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    if (bits != 0) {
        desc.dwFlags |= DDSD_PIXELFORMAT;
        desc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
        desc.ddpfPixelFormat.dwFlags = pfFlags;
        desc.ddpfPixelFormat.dwRGBBitCount = bits;
        desc.ddpfPixelFormat.dwRBitMask = redMask;
    }
    return desc;
}

Ravel::IDirectDrawStandardSurfaceImp7* MakeSurface(DDSURFACEDESC2 desc)
{
    auto* surface = new Ravel::IDirectDrawStandardSurfaceImp7;
    surface->Init(nullptr, &desc);
    return surface;
}

Ravel::IDirectDrawStandardSurfaceImp7* MakeSurface(unsigned width, unsigned height)
{
    return MakeSurface(Desc(width, height));
}

std::uint16_t& Pixel(Ravel::IDirectDrawStandardSurfaceImp7* surface, int x, int y)
{
    auto* row = const_cast<std::uint8_t*>(surface->pixels()) + static_cast<std::size_t>(y) * surface->pitch();
    return reinterpret_cast<std::uint16_t*>(row)[x];
}

StageDevicePresent::StageDevicePresent()
    : mSurface(MakeSurface(64, 64))
{
    mSurface->Set3DContext(Ravel::GetStageContext());
    mDevice = new Ravel::IDirect3DDeviceImp7(mSurface);
    Ravel::gStage = mDevice;
    mSurface->Lock(nullptr, nullptr, 0, nullptr);
    mSurface->Unlock(nullptr);
}

StageDevicePresent::~StageDevicePresent()
{
    mDevice->Release();
    mSurface->Release();
    Ravel::gStage = nullptr;
}

void GLWindow::SetUp()
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display (make test runs under xvfb-run)";
    unsetenv("SDL_VIDEODRIVER");
    // Video stays up for the whole program, so that the GL driver's own allocations keep their names.
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    host_test::UsePrefs("");
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    mWindow = SDL_CreateWindow("ddraw test", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(mWindow, nullptr) << SDL_GetError();
    mGL = SDL_GL_CreateContext(mWindow);
    ASSERT_NE(mGL, nullptr) << SDL_GetError();
    Ravel::OurContext context { mWindow, mGL };
    context.use(true);
    Ravel::SetStageContext(context);
    Ravel::CardSettings::me().setContext(context);
}

void GLWindow::TearDown()
{
    Ravel::ClearStageContext();
    Ravel::OurContext {}.use(true);
    if (mGL)
        SDL_GL_DeleteContext(mGL);
    if (mWindow)
        SDL_DestroyWindow(mWindow);
}

std::uint32_t GLWindow::ReadPixel(int x, int y)
{
    std::uint8_t rgba[4] {};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return (std::uint32_t { rgba[0] } << 16) | (std::uint32_t { rgba[1] } << 8) | rgba[2];
}

} // namespace ddraw_test
