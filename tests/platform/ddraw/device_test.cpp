// The Direct3D device: vertex sizes, scenes drawn into a memory surface and into the stage window.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ddraw/ddraw_fixture.h"
#include "platform/ddraw/direct3d_device_imp7.h"
#include "platform/ddraw/direct3d_imp7.h"
#include "platform/ddraw/stage_device.h"
#include "platform/ddraw/vertex_buffer_imp7.h"
#include "platform/host/host_scratch.h"
#include "platform/render/card_settings.h"
#include "platform/render/recorder.h"
#include "support/scratch.h"

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
constexpr TLVertex kTopLeftTriangle[3]
    = { { 2, 2, 0, 1, kRed }, { 30, 2, 0, 1, kRed }, { 2, 30, 0, 1, kRed } };

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

    // Begins a scene cleared to the colour; the device's context is current afterwards.
    void Frame(D3DCOLOR colour = 0xFF000000U)
    {
        ASSERT_EQ(mDevice->BeginScene(), 0);
        ASSERT_EQ(mDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, colour, 1.0F, 0), 0);
    }

    // Ends the scene and reads the pixel at (x, y), top row first.
    std::uint16_t ReadAfterScene(int x, int y)
    {
        mDevice->EndScene();
        return Read(x, y);
    }

    std::uint16_t Read(int x, int y)
    {
        EXPECT_EQ(mSurface->Lock(nullptr, nullptr, DDLOCK_WAIT, nullptr), 0);
        const std::uint16_t pixel = ddraw_test::Pixel(mSurface, x, y);
        mSurface->Unlock(nullptr);
        return pixel;
    }

    // A buffer of the format filled with the vertices (as many as fit in bytes).
    IDirect3DVertexBuffer7* MakeBuffer(DWORD fvf, const void* vertices, std::size_t bytes)
    {
        D3DVERTEXBUFFERDESC desc { sizeof(D3DVERTEXBUFFERDESC), 0, fvf,
            static_cast<DWORD>(bytes / Ravel::BytesPerFVFVertex(fvf)) };
        IDirect3DVertexBuffer7* buffer = nullptr;
        EXPECT_EQ(mFactory.CreateVertexBuffer(&desc, &buffer, 0), 0);
        void* data = nullptr;
        EXPECT_EQ(buffer->Lock(DDLOCK_WAIT, &data, nullptr), 0);
        std::memcpy(data, vertices, bytes);
        buffer->Unlock();
        return buffer;
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
    EXPECT_EQ(
        mDevice->DrawPrimitive(D3DPT_TRIANGLELIST, 0x044, const_cast<TLVertex*>(kTopLeftTriangle), 3, 0), 0);
    EXPECT_EQ(mDevice->EndScene(), 0);

    DDSURFACEDESC2 locked {};
    locked.dwSize = sizeof(locked);
    ASSERT_EQ(mSurface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), 0);
    EXPECT_EQ(ddraw_test::Pixel(mSurface, 11, 11), 0x7C00);
    EXPECT_EQ(ddraw_test::Pixel(mSurface, 63, 63), 0x001F);
    EXPECT_EQ(ddraw_test::Pixel(mSurface, 11, 52), 0x001F);
    mSurface->Unlock(nullptr);
    mDevice->Release();
    mDevice = nullptr;
    EXPECT_EQ(Ravel::gDevice, nullptr);
}

TEST_F(Device, StageDeviceDrawsIntoTheWindow)
{
    ddraw_test::StageDevicePresent stage;
    IDirect3DDeviceImp7* device = stage.device();
    EXPECT_EQ(device->context(), Ravel::GetStageContext());
    ASSERT_EQ(device->BeginScene(), 0);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000U, 1.0F, 0);
    ASSERT_EQ(
        device->DrawPrimitive(D3DPT_TRIANGLELIST, 0x044, const_cast<TLVertex*>(kTopLeftTriangle), 3, 0), 0);
    device->EndScene();
    Ravel::GetStageContext().use();
    glFinish();
    // The window's rows count from the bottom: the triangle lies in the top rows.
    EXPECT_EQ(ReadPixel(11, 63 - 11), 0xFF0000u);
    EXPECT_EQ(ReadPixel(11, 11), 0u);
    EXPECT_EQ(ReadPixel(50, 63 - 11), 0u);
    EXPECT_EQ(ReadPixel(50, 50), 0u);
}

// Position, colour and texture coordinate (format 0x142), in the unit volume.
struct ColourTexVertex {
    float x, y, z;
    std::uint32_t colour;
    float u, v;
};
static_assert(sizeof(ColourTexVertex) == 24);

// Two triangles in the unit volume: one in the left half around pixel (16, 32), one in the right around
// (48, 32).
constexpr ColourTexVertex kLeft[3]
    = { { -0.9F, -0.5F, 0, kRed, 0, 0 }, { -0.1F, -0.5F, 0, kRed, 0, 0 }, { -0.5F, 0.5F, 0, kRed, 0, 0 } };
constexpr ColourTexVertex kRight[3]
    = { { 0.1F, -0.5F, 0, kRed, 0, 0 }, { 0.9F, -0.5F, 0, kRed, 0, 0 }, { 0.5F, 0.5F, 0, kRed, 0, 0 } };

bool Lit(std::uint16_t pixel)
{
    return (pixel & 0x7FFF) != 0;
}

TEST_F(Device, BuffersSharingTheArraysEachDrawTheirOwnVertices)
{
    MakeDevice();
    IDirect3DVertexBuffer7* left = MakeBuffer(0x142, kLeft, sizeof kLeft);
    IDirect3DVertexBuffer7* right = MakeBuffer(0x142, kRight, sizeof kRight);
    // The diffuse colour does not travel with the arrays: the current colour applies.
    const auto drawAndRead = [&](IDirect3DVertexBuffer7* buffer) {
        Frame();
        glColor3f(1.0F, 1.0F, 1.0F);
        EXPECT_EQ(mDevice->DrawPrimitiveVB(D3DPT_TRIANGLELIST, buffer, 0, 3, 0), 0);
        mDevice->EndScene();
        return std::pair { Lit(Read(16, 32)), Lit(Read(48, 32)) };
    };
    EXPECT_EQ(drawAndRead(left), std::pair(true, false));
    EXPECT_TRUE(static_cast<Ravel::IDirect3DVertexBufferImp7*>(left)->buffer().listsPrepared());
    EXPECT_EQ(drawAndRead(right), std::pair(false, true));
    EXPECT_EQ(drawAndRead(left), std::pair(true, false));
    // A buffer gone before the other is drawn leaves nothing behind that the next draw reads.
    left->Release();
    EXPECT_EQ(drawAndRead(right), std::pair(false, true));
    right->Release();
}

TEST_F(Device, IndexedDrawOfAnUnlistedFormatShowsAGreenWireframe)
{
    MakeDevice();
    // One set of three texture floats: 24 bytes a vertex, and no handler of its own. The line runs through
    // the middle of row 31.
    const float vertices[3][6] = { { -0.8F, 0.015625F, 0 }, { 0.0F, 0.015625F, 0 }, { 0.8F, 0.015625F, 0 } };
    IDirect3DVertexBuffer7* buffer = MakeBuffer(0x10102, vertices, sizeof vertices);
    WORD indices[] = { 0, 1, 2 };
    Frame();
    ASSERT_EQ(mDevice->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, buffer, 0, 3, indices, 3, 0), 0);
    const std::uint16_t pixel = ReadAfterScene(32, 31);
    EXPECT_EQ(pixel & 0x7C1F, 0) << std::hex << pixel;
    EXPECT_GE((pixel >> 5) & 31, 15) << std::hex << pixel;
    EXPECT_FALSE(Lit(Read(32, 20)));
    buffer->Release();
}

TEST_F(Device, IndexedDrawOfA36ByteVertexReadsNoSecondTexturePair)
{
    MakeDevice();
    // Position, normal, colour, one texture pair: 36 bytes; a read past the last one is caught by ASan.
    struct LitVertex {
        float x, y, z, nx, ny, nz;
        std::uint32_t colour;
        float u, v;
    };
    static_assert(sizeof(LitVertex) == 36);
    const LitVertex vertices[3] = { { -0.9F, -0.5F, 0, 0, 0, 1, kRed, 0, 0 },
        { -0.1F, -0.5F, 0, 0, 0, 1, kRed, 0, 0 }, { -0.5F, 0.5F, 0, 0, 0, 1, kRed, 0, 0 } };
    IDirect3DVertexBuffer7* buffer = MakeBuffer(0x152, vertices, sizeof vertices);
    WORD indices[] = { 2, 1, 0 };
    Frame();
    ASSERT_EQ(mDevice->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, buffer, 0, 3, indices, 3, 0), 0);
    EXPECT_EQ(ReadAfterScene(16, 32), 0x7C00);
    buffer->Release();
}

TEST_F(Device, IndexedDrawsReachTheRecorderCountedFromTheirStart)
{
    const support::ScratchDir dir;
    const support::WorkingDirIn inDir(dir.path());
    MakeDevice();
    const ColourTexVertex vertices[4] = { { 9, 9, 9, 0, 0, 0 }, kLeft[0], kLeft[1], kLeft[2] };
    IDirect3DVertexBuffer7* buffer = MakeBuffer(0x142, vertices, sizeof vertices);
    WORD indices[] = { 2, 0 };
    ASSERT_TRUE(Ravel::Recorder::shared().setEnabled(true));
    Frame();
    EXPECT_EQ(mDevice->DrawIndexedPrimitiveVB(D3DPT_LINELIST, buffer, 1, 3, indices, 2, 0), 0);
    mDevice->EndScene();
    Ravel::Recorder::shared().setEnabled(false);
    std::ifstream file(Ravel::Recorder::kFileName);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("\t2 # nVertices\n\t-0.5 0.5 0\n\t-0.9 -0.5 0\n)"), std::string::npos)
        << text.str();
    buffer->Release();
}

TEST_F(Device, RefusedDrawsAnswerFailureAndDrawNothing)
{
    MakeDevice();
    IDirect3DVertexBuffer7* buffer = MakeBuffer(0x142, kLeft, sizeof kLeft);
    IDirect3DVertexBuffer7* preTransformed = MakeBuffer(0x044, kTopLeftTriangle, sizeof kTopLeftTriangle);
    auto* memory = const_cast<TLVertex*>(kTopLeftTriangle);
    WORD inside[] = { 0, 1, 2 };
    WORD past[] = { 0, 1, 3 };
    using Draw = HRESULT (*)(
        IDirect3DDeviceImp7*, IDirect3DVertexBuffer7*, IDirect3DVertexBuffer7*, TLVertex*, WORD*, WORD*);
    const struct {
        const char* what;
        Draw draw;
    } cases[] = {
        { "triangle fan from memory",
            [](auto d, auto, auto, auto m, auto, auto) {
                return d->DrawPrimitive(D3DPT_TRIANGLEFAN, 0x044, m, 3, 0);
            } },
        { "unknown type from a buffer",
            [](auto d, auto b, auto, auto, auto, auto) {
                return d->DrawPrimitiveVB(static_cast<D3DPRIMITIVETYPE>(9), b, 0, 3, 0);
            } },
        { "null vertices with a count",
            [](auto d, auto, auto, auto, auto, auto) {
                return d->DrawPrimitive(D3DPT_TRIANGLELIST, 0x044, nullptr, 3, 0);
            } },
        { "format without a memory routine",
            [](auto d, auto, auto, auto m, auto, auto) {
                return d->DrawPrimitive(D3DPT_TRIANGLELIST, 0x142, m, 3, 0);
            } },
        { "null buffer",
            [](auto d, auto, auto, auto, auto, auto) {
                return d->DrawPrimitiveVB(D3DPT_TRIANGLELIST, nullptr, 0, 3, 0);
            } },
        { "null buffer, indexed",
            [](auto d, auto, auto, auto, auto i, auto) {
                return d->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, nullptr, 0, 3, i, 3, 0);
            } },
        { "null indices",
            [](auto d, auto b, auto, auto, auto, auto) {
                return d->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, b, 0, 3, nullptr, 3, 0);
            } },
        { "start and count past the buffer",
            [](auto d, auto b, auto, auto, auto, auto) {
                return d->DrawPrimitiveVB(D3DPT_TRIANGLELIST, b, 1, 3, 0);
            } },
        { "pre-transformed start and count past the buffer",
            [](auto d, auto, auto p, auto, auto, auto) {
                return d->DrawPrimitiveVB(D3DPT_TRIANGLELIST, p, 0, 4, 0);
            } },
        { "an index past the buffer",
            [](auto d, auto b, auto, auto, auto, auto x) {
                return d->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, b, 0, 3, x, 3, 0);
            } },
        { "start plus an index past the buffer",
            [](auto d, auto b, auto, auto, auto i, auto) {
                return d->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, b, 1, 3, i, 3, 0);
            } },
    };
    for (const auto& c : cases) {
        Frame();
        glColor3f(1.0F, 1.0F, 1.0F);
        EXPECT_EQ(c.draw(mDevice, buffer, preTransformed, memory, inside, past), RV_DXERR_FAILED) << c.what;
        mDevice->EndScene();
        EXPECT_FALSE(Lit(Read(11, 11)) || Lit(Read(16, 32))) << c.what;
    }
    // The same draws within their bounds do draw.
    Frame();
    glColor3f(1.0F, 1.0F, 1.0F);
    EXPECT_EQ(mDevice->DrawIndexedPrimitiveVB(D3DPT_TRIANGLELIST, buffer, 0, 3, inside, 3, 0), 0);
    EXPECT_EQ(mDevice->DrawPrimitiveVB(D3DPT_TRIANGLELIST, preTransformed, 0, 3, 0), 0);
    mDevice->EndScene();
    EXPECT_TRUE(Lit(Read(16, 32)));
    EXPECT_EQ(Read(11, 11), 0x7C00);
    buffer->Release();
    preTransformed->Release();
}

TEST_F(Device, ClearIgnoresRectanglesAndAnEmptyDrawDrawsNothing)
{
    MakeDevice();
    Frame(kBlue);
    D3DRECT corner { 0, 0, 4, 4 };
    EXPECT_EQ(mDevice->Clear(1, &corner, D3DCLEAR_TARGET, kRed, 1.0F, 0), 0);
    EXPECT_EQ(mDevice->DrawPrimitive(D3DPT_TRIANGLELIST, 0x044, nullptr, 0, 0), 0);
    EXPECT_EQ(ReadAfterScene(63, 63), 0x7C00);
    EXPECT_EQ(Read(0, 0), 0x7C00);
    EXPECT_TRUE(mDevice->sceneBegun());
}

D3DMATRIX Matrix(std::initializer_list<float> values)
{
    D3DMATRIX m {};
    std::memcpy(&m, std::data(values), sizeof m);
    return m;
}

std::vector<float> Floats(const D3DMATRIX& m)
{
    return std::vector<float>(&m._11, &m._11 + 16);
}

std::vector<float> GLMatrix(GLenum which)
{
    std::vector<float> m(16);
    glGetFloatv(which, m.data());
    return m;
}

TEST_F(Device, OnlyChangedTransformsAreLoadedBeforeADraw)
{
    MakeDevice();
    D3DMATRIX projection = Matrix({ 2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0.5F, 1 });
    D3DMATRIX view = Matrix({ 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1 });
    D3DMATRIX world = Matrix({ 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1 });
    ASSERT_EQ(mDevice->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection), 0);
    ASSERT_EQ(mDevice->SetTransform(D3DTRANSFORMSTATE_VIEW, &view), 0);
    ASSERT_EQ(mDevice->SetTransform(D3DTRANSFORMSTATE_WORLD, &world), 0);
    const float point[4] = { 0, 0, 0, 0 };
    Frame();
    ASSERT_EQ(mDevice->DrawPrimitive(D3DPT_POINTLIST, 0x042, const_cast<float*>(point), 1, 0), 0);
    EXPECT_EQ(GLMatrix(GL_PROJECTION_MATRIX), Floats(projection));
    // World then view: the translation is scaled by the view.
    EXPECT_EQ(
        GLMatrix(GL_MODELVIEW_MATRIX), Floats(Matrix({ 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 2, 4, 6, 1 })));

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    D3DMATRIX moved = Matrix({ 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1 });
    ASSERT_EQ(mDevice->SetTransform(D3DTRANSFORMSTATE_WORLD, &moved), 0);
    ASSERT_EQ(mDevice->DrawPrimitive(D3DPT_POINTLIST, 0x042, const_cast<float*>(point), 1, 0), 0);
    EXPECT_EQ(
        GLMatrix(GL_PROJECTION_MATRIX), Floats(Matrix({ 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 })));
    EXPECT_EQ(
        GLMatrix(GL_MODELVIEW_MATRIX), Floats(Matrix({ 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 2, 1 })));
    mDevice->EndScene();

    D3DMATRIX back {};
    EXPECT_EQ(mDevice->GetTransform(D3DTRANSFORMSTATE_WORLD, &back), 0);
    EXPECT_EQ(Floats(back), Floats(moved));
    EXPECT_EQ(mDevice->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(4), &moved), RV_DXERR_FAILED);
    EXPECT_EQ(mDevice->GetTransform(static_cast<D3DTRANSFORMSTATETYPE>(0), &back), RV_DXERR_FAILED);
}

TEST(Transforms, MultiplyMayWriteOverItsFirstInput)
{
    D3DMATRIX a = Matrix({ 1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 1, 0, 5, 6, 0, 1 });
    const D3DMATRIX b = Matrix({ 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1 });
    D3DMATRIX separate {};
    D3DXMatrixMultiply(&separate, &a, &b);
    EXPECT_EQ(Floats(separate), Floats(Matrix({ 2, 1, 0, 0, 4, 3, 0, 0, 0, 0, 2, 0, 6, 5, 0, 1 })));
    EXPECT_EQ(D3DXMatrixMultiply(&a, &a, &b), &a);
    EXPECT_EQ(Floats(a), Floats(separate));
}

HRESULT CountFormat(DDPIXELFORMAT* format, void* context)
{
    static_cast<std::vector<DWORD>*>(context)->push_back(format->dwFlags);
    return D3DENUMRET_OK;
}

TEST_F(Device, CardRefusingS3TCLeavesThreeTextureFormatsForGood)
{
    host_test::UsePrefs("<key>CardSettings#mesa</key><dict>"
                        "<key>GL_EXT_texture_compression_s3tc</key><string>-1</string></dict>");
    MakeDevice();
    ASSERT_EQ(mDevice->BeginScene(), 0);
    const Ravel::OurContext ours = Ravel::GetCurrentContext();
    D3DDEVICEDESC7 caps;
    std::memset(&caps, 0xAB, sizeof caps);
    ASSERT_EQ(mDevice->GetCaps(&caps), 0);
    EXPECT_EQ(Ravel::GetCurrentContext(), ours);
    EXPECT_EQ(caps.dwDevCaps, D3DDEVCAPS_SEPARATETEXTUREMEMORIES);
    EXPECT_GE(caps.dwMaxTextureWidth, 64u);
    EXPECT_EQ(caps.dwMaxTextureHeight, caps.dwMaxTextureWidth);
    EXPECT_EQ(caps.dwFVFCaps, 0u);

    std::vector<DWORD> formats;
    ASSERT_EQ(mDevice->EnumTextureFormats(CountFormat, &formats), 0);
    EXPECT_EQ(
        formats, (std::vector<DWORD> { DDPF_RGB | DDPF_ALPHAPIXELS, DDPF_RGB, DDPF_RGB | DDPF_ALPHAPIXELS }));
    host_test::UsePrefs("");
    ASSERT_EQ(mDevice->GetCaps(&caps), 0);
    formats.clear();
    mDevice->EnumTextureFormats(CountFormat, &formats);
    EXPECT_EQ(formats.size(), 3u);
    // A callback that answers cancel ends the list.
    formats.clear();
    mDevice->EnumTextureFormats(
        [](DDPIXELFORMAT*, void* c) {
            static_cast<std::vector<DWORD>*>(c)->push_back(0);
            return D3DENUMRET_CANCEL;
        },
        &formats);
    EXPECT_EQ(formats.size(), 1u);
    mDevice->EndScene();
}

TEST(Factory, EnumeratesOneDeviceAndOneDepthFormat)
{
    Ravel::IDirect3DImp7 factory;
    int devices = 0;
    ASSERT_EQ(factory.EnumDevices(
                  [](char* description, char* name, D3DDEVICEDESC7* desc, void* c) {
                      EXPECT_STREQ(description, "Device Desc");
                      EXPECT_STREQ(name, "Device Name");
                      EXPECT_EQ(desc->dwDevCaps, 0x90000u);
                      ++*static_cast<int*>(c);
                      return D3DENUMRET_OK;
                  },
                  &devices),
        0);
    EXPECT_EQ(devices, 1);
    DDPIXELFORMAT depth {};
    ASSERT_EQ(factory.EnumZBufferFormats(
                  IID_IDirect3DHALDevice,
                  [](DDPIXELFORMAT* format, void* c) {
                      *static_cast<DDPIXELFORMAT*>(c) = *format;
                      return D3DENUMRET_OK;
                  },
                  &depth),
        0);
    EXPECT_EQ(depth.dwSize, 32u);
    EXPECT_EQ(depth.dwFlags, DDPF_ZBUFFER);
    EXPECT_EQ(depth.dwZBufferBitDepth, 16u);
    EXPECT_EQ(depth.dwStencilBitDepth, 0u);
}

TEST(Factory, VertexBuffersKeepTheirDescriptionAndRefuseWhatCannotBeHeld)
{
    Ravel::IDirect3DImp7 factory;
    D3DVERTEXBUFFERDESC desc { sizeof(D3DVERTEXBUFFERDESC), 0, 0x152, 10 };
    IDirect3DVertexBuffer7* buffer = nullptr;
    ASSERT_EQ(factory.CreateVertexBuffer(&desc, &buffer, 0), 0);
    D3DVERTEXBUFFERDESC back {};
    ASSERT_EQ(buffer->GetVertexBufferDesc(&back), 0);
    EXPECT_EQ(std::memcmp(&back, &desc, sizeof desc), 0);
    auto* ours = static_cast<Ravel::IDirect3DVertexBufferImp7*>(buffer);
    EXPECT_EQ(ours->buffer().size(), 360u);
    EXPECT_EQ(ours->buffer().stride(), 36);
    EXPECT_EQ(ours->handler()->fvf, 0x152u);
    // Never drawn: no fence to wait for.
    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(0, &data, nullptr), 0);
    EXPECT_EQ(data, ours->buffer().storage());
    EXPECT_EQ(buffer->Unlock(), 0);
    buffer->Release();

    IDirect3DVertexBuffer7* untouched = nullptr;
    D3DVERTEXBUFFERDESC huge { sizeof(D3DVERTEXBUFFERDESC), 0, 0x212, 0xFFFFFFFFU };
    EXPECT_EQ(factory.CreateVertexBuffer(&huge, &untouched, 0), RV_DXERR_FAILED);
    EXPECT_EQ(untouched, nullptr);
    IDirect3DDevice7* device = nullptr;
    EXPECT_EQ(factory.CreateDevice(IID_IDirect3DHALDevice, nullptr, &device), RV_DXERR_FAILED);
    EXPECT_EQ(device, nullptr);
}

} // namespace
