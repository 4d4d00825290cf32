// The Direct3D device: vertex sizes, scenes drawn into a memory surface and into the stage window.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstdint>

#include "ddraw/ddraw_fixture.h"
#include "platform/ddraw/direct3d_device_imp7.h"
#include "platform/ddraw/direct3d_imp7.h"
#include "platform/ddraw/stage_device.h"
#include "platform/ddraw/vertex_buffer_imp7.h"

#include "foundation/safeguards.h"

namespace {

using namespace Windows;
using Ravel::IDirect3DDeviceImp7;
using Ravel::IDirectDrawStandardSurfaceImp7;

TEST(VertexFormats, BytesPerVertexFollowTheFormatBits)
{
    const struct {
        DWORD fvf;
        DWORD bytes;
    } cases[] = { { 0x1C2, 28 }, { 0x144, 28 }, { 0x212, 40 }, { 0x152, 36 }, { 0x044, 20 }, { 0x10102, 24 },
        { 0x112, 32 }, { 0x002, 12 }, { 0, 0 }, { 0x30102, 16 } };
    for (const auto& c : cases)
        EXPECT_EQ(Ravel::BytesPerFVFVertex(c.fvf), c.bytes) << std::hex << c.fvf;
}

// A pre-transformed vertex: x, y, z, rhw and a colour.
struct TLVertex {
    float x, y, z, rhw;
    std::uint32_t colour;
};
static_assert(sizeof(TLVertex) == 20);

constexpr std::uint32_t kRed = 0xFFFF0000U;
constexpr std::uint32_t kBlue = 0xFF0000FFU;
// In the top-left quarter of a 64 by 64 target; its centroid is near (11, 11).
constexpr TLVertex kTopLeftTriangle[3] = { { 2, 2, 0, 1, kRed }, { 30, 2, 0, 1, kRed }, { 2, 30, 0, 1, kRed } };

class Device : public ddraw_test::GLWindow {
protected:
    void TearDown() override
    {
        if (mDevice)
            mDevice->Release();
        if (mSurface)
            mSurface->Release();
        GLWindow::TearDown();
    }

    // A device made through the factory over a new 64 by 64 memory surface.
    void MakeDevice()
    {
        mSurface = ddraw_test::MakeSurface(64, 64);
        IDirect3DDevice7* device = nullptr;
        ASSERT_EQ(mFactory.CreateDevice(IID_IDirect3DTnLHalDevice, mSurface, &device), 0);
        mDevice = static_cast<IDirect3DDeviceImp7*>(device);
    }

    Ravel::IDirect3DImp7 mFactory;
    IDirectDrawStandardSurfaceImp7* mSurface = nullptr;
    IDirect3DDeviceImp7* mDevice = nullptr;
};

TEST_F(Device, SceneOnAMemorySurfaceEndsUpInItsPixelsTopRowFirst)
{
    MakeDevice();
    EXPECT_EQ(Ravel::gDevice, mDevice);
    ASSERT_EQ(mDevice->BeginScene(), 0);
    EXPECT_EQ(mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0F, 0), 0);
    EXPECT_EQ(mDevice->DrawPrimitive(D3DPT_TRIANGLELIST, 0x044, const_cast<TLVertex*>(kTopLeftTriangle), 3, 0), 0);
    EXPECT_EQ(mDevice->EndScene(), 0);

    DDSURFACEDESC2 locked {};
    locked.dwSize = sizeof(locked);
    ASSERT_EQ(mSurface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), 0);
    EXPECT_EQ(ddraw_test::Pixel(mSurface, 11, 11), 0x7C00);
    EXPECT_EQ(ddraw_test::Pixel(mSurface, 63, 63), 0x001F);
    EXPECT_EQ(ddraw_test::Pixel(mSurface, 11, 52), 0x001F);
    mSurface->Unlock(nullptr);
}

TEST_F(Device, StageDeviceDrawsIntoTheWindow)
{
    ddraw_test::StageDevicePresent stage;
    IDirect3DDeviceImp7* device = stage.device();
    EXPECT_EQ(device->context(), Ravel::GetStageContext());
    ASSERT_EQ(device->BeginScene(), 0);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000U, 1.0F, 0);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0x044, const_cast<TLVertex*>(kTopLeftTriangle), 3, 0), 0);
    device->EndScene();
    Ravel::GetStageContext().use();
    glFinish();
    // The window's rows count from the bottom: the triangle lies in the top rows.
    EXPECT_EQ(ReadPixel(11, 63 - 11), 0xFF0000u);
    EXPECT_EQ(ReadPixel(11, 11), 0u);
    EXPECT_EQ(ReadPixel(50, 63 - 11), 0u);
    EXPECT_EQ(ReadPixel(50, 50), 0u);
}

} // namespace
