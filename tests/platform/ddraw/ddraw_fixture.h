// Shared ground of the surface and texture-stage tests: surfaces made as the DirectDraw object makes
// them, and a hidden window whose OpenGL context is the stage context.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/ddraw/compressed_surface.h"
#include "platform/ddraw/direct3d_device_imp7.h"
#include "platform/ddraw/standard_surface.h"

struct SDL_Window;

namespace ddraw_test {

// A description with caps, width and height and, when bits is not 0, an RGB pixel format.
Windows::DDSURFACEDESC2 Desc(unsigned width, unsigned height, unsigned bits = 0,
    std::uint32_t redMask = 0x7C00, std::uint32_t pfFlags = Windows::DDPF_RGB);
// A memory surface (reference count 1) initialised with the description.
Ravel::IDirectDrawStandardSurfaceImp7* MakeSurface(Windows::DDSURFACEDESC2 desc);
Ravel::IDirectDrawStandardSurfaceImp7* MakeSurface(unsigned width, unsigned height);
// The 16-bit pixel at (x, y) of a locked-once surface.
std::uint16_t& Pixel(Ravel::IDirectDrawStandardSurfaceImp7* surface, int x, int y);

// A stage device as the DirectDraw object makes it: a device over a 64 by 64 memory surface that draws in
// the stage context. Needs the stage context (GLWindow); gone again at the end of the scope.
class StageDevicePresent {
public:
    StageDevicePresent();
    ~StageDevicePresent();
    StageDevicePresent(const StageDevicePresent&) = delete;
    StageDevicePresent& operator=(const StageDevicePresent&) = delete;

    Ravel::IDirect3DDeviceImp7* device() const { return mDevice; }
    Ravel::IDirectDrawStandardSurfaceImp7* surface() const { return mSurface; }

private:
    Ravel::IDirectDrawStandardSurfaceImp7* mSurface;
    Ravel::IDirect3DDeviceImp7* mDevice;
};

// A hidden 64 by 64 window whose compatibility context is current and is the stage context.
class GLWindow : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Pixel (x, y) of the back buffer, counted from the bottom row, as 0xRRGGBB.
    std::uint32_t ReadPixel(int x, int y);

    SDL_Window* mWindow = nullptr;
    void* mGL = nullptr;
};

} // namespace ddraw_test
