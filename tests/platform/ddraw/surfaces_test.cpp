// Memory and compressed surfaces: locking, pixel formats, keyed and whole-surface blits, fills, colour
// keys, device contexts, and the texture made from the pixels.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ddraw/ddraw_fixture.h"
#include "platform/elements/os_except.h"
#include "platform/host/host_scratch.h"
#include "platform/render/card_settings.h"

using namespace Windows;
using ddraw_test::Desc;
using ddraw_test::MakeSurface;
using ddraw_test::Pixel;
using Ravel::IDirectDrawCompressedSurfaceImp7;
using Ravel::IDirectDrawStandardSurfaceImp7;

namespace {

constexpr unsigned kGLTexture2D = 0x0DE1;
constexpr unsigned kGLTextureRect = 0x84F5;

DDSURFACEDESC2 Locked(IDirectDrawSurface7* surface, HRESULT expect = 0)
{
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), expect);
    return desc;
}

RECT Rect(LONG left, LONG top, LONG right, LONG bottom)
{
    return RECT { left, top, right, bottom };
}

TEST(StandardSurface, LocksOnceAs555WithTheTextureSizeItChose)
{
    IDirectDrawStandardSurfaceImp7* surface = MakeSurface(640, 480);
    DDPIXELFORMAT format {};
    format.dwSize = sizeof(format);
    ASSERT_EQ(surface->GetPixelFormat(&format), 0);
    EXPECT_EQ(format.dwRGBBitCount, 16u);
    EXPECT_EQ(format.dwFlags, DDPF_RGB);
    EXPECT_EQ(format.dwRBitMask, 0x7C00u);
    EXPECT_EQ(format.dwGBitMask, 0x03E0u);
    EXPECT_EQ(format.dwBBitMask, 0x001Fu);

    // No stage device yet: a rectangle texture of exactly the surface's size.
    DDSURFACEDESC2 first = Locked(surface);
    EXPECT_EQ(first.lPitch, 1280);
    ASSERT_NE(first.lpSurface, nullptr);
    EXPECT_EQ(surface->target(), kGLTextureRect);
    EXPECT_EQ(surface->glType(), 0x8366u); // GL_UNSIGNED_SHORT_1_5_5_5_REV

    // Locks do not nest, and the first pointer stays good.
    DDSURFACEDESC2 second = Locked(surface, RV_DXERR_FAILED);
    EXPECT_EQ(second.lpSurface, nullptr);
    static_cast<std::uint16_t*>(first.lpSurface)[640 * 480 - 1] = 0x7FFF;
    EXPECT_EQ(surface->Unlock(nullptr), 0);
    EXPECT_TRUE(surface->isDirty());
    EXPECT_EQ(surface->Unlock(nullptr), RV_DXERR_FAILED);
    EXPECT_EQ(surface->lockCount(), 0);
    EXPECT_EQ(Locked(surface).lpSurface, first.lpSurface);
    surface->Unlock(nullptr);
    surface->Release();

    IDirectDrawStandardSurfaceImp7* square = MakeSurface(256, 128);
    EXPECT_EQ(Locked(square).lPitch, 512);
    EXPECT_EQ(square->target(), kGLTexture2D);
    EXPECT_EQ(square->textureHeight(), 128u);
    square->Release();
}

TEST(StandardSurface, PixelFormatsAndTheOnesItRefuses)
{
    struct Case {
        const char* name;
        DDSURFACEDESC2 desc;
        HRESULT lock;
        unsigned bytes, internalFormat, format, type;
    } cases[] = {
        { "555", Desc(8, 8, 16, 0x7C00), 0, 2, 0x8050, 0x80E1, 0x8366 },
        { "565 is held as 555 words", Desc(8, 8, 16, 0xF800), 0, 2, 0x8050, 0x80E1, 0x8366 },
        { "4444", Desc(8, 8, 16, 0x0F00), 0, 2, 0x1908, 0x80E1, 0x8365 },
        { "32 with alpha", Desc(8, 8, 32, 0xFF0000, DDPF_RGB | DDPF_ALPHAPIXELS), 0, 4, 0x1908, 0x1908,
            0x8035 },
        { "32 without alpha", Desc(8, 8, 32, 0xFF0000), 0, 4, 0x8051, 0x1908, 0x8035 },
        { "8-bit indices, on the CPU only", Desc(8, 8, 8), 0, 1, 0x8040, 0x1909, 0x1401 },
        { "not RGB", Desc(8, 8, 16, 0x7C00, DDPF_FOURCC), RV_DXERR_FAILED, 0, 0, 0, 0 },
        { "no size", Desc(0, 8), RV_DXERR_FAILED, 2, 0x8050, 0x80E1, 0x8366 },
        { "too large to hold", Desc(1u << 20, 1u << 20), RV_DXERR_FAILED, 2, 0x8050, 0x80E1, 0x8366 },
    };
    testing::internal::CaptureStderr();
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        IDirectDrawStandardSurfaceImp7* surface = MakeSurface(c.desc);
        DDSURFACEDESC2 locked = Locked(surface, c.lock);
        EXPECT_EQ(surface->bytesPerPixel(), c.bytes);
        if (c.lock == 0) {
            EXPECT_EQ(static_cast<unsigned>(locked.lPitch), 8 * c.bytes);
            EXPECT_EQ(surface->glInternalFormat(), c.internalFormat);
            EXPECT_EQ(surface->glFormat(), c.format);
            EXPECT_EQ(surface->glType(), c.type);
            surface->Unlock(nullptr);
        } else {
            EXPECT_EQ(surface->lockCount(), 0);
        }
        surface->Release();
    }
    testing::internal::GetCapturedStderr();
}

class Blits : public testing::Test {
protected:
    void SetUp() override
    {
        mDest = MakeSurface(640, 480);
        mSource = MakeSurface(10, 10);
        DDSURFACEDESC2 d = Locked(mDest);
        std::memset(d.lpSurface, 0, 1280u * 480u);
        mDest->Unlock(nullptr);
        Locked(mSource);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x)
                Pixel(mSource, x, y) = static_cast<std::uint16_t>(0x100 + y * 10 + x);
        }
        mSource->Unlock(nullptr);
    }
    void TearDown() override
    {
        mDest->Release();
        mSource->Release();
    }
    int WrittenIn(int left, int top, int right, int bottom)
    {
        int written = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x)
                written += Pixel(mDest, x, y) != 0 ? 1 : 0;
        }
        return written;
    }
    IDirectDrawStandardSurfaceImp7* mDest = nullptr;
    IDirectDrawStandardSurfaceImp7* mSource = nullptr;
};

TEST_F(Blits, FastBlitClipsOnBothSurfaces)
{
    RECT whole = Rect(0, 0, 10, 10);
    ASSERT_EQ(mDest->BltFast(635, 20, mSource, &whole, 0), 0);
    EXPECT_EQ(WrittenIn(635, 20, 640, 30), 50); // five columns
    EXPECT_EQ(Pixel(mDest, 639, 20), 0x104);
    EXPECT_EQ(Pixel(mDest, 0, 21), 0); // nothing ran into the next row
    EXPECT_EQ(mDest->lockCount(), 0);
    EXPECT_EQ(mSource->lockCount(), 0);

    // A source rectangle reaching outside the source reads only the source's own pixels.
    RECT outside = Rect(-5, -5, 20, 20);
    ASSERT_EQ(mDest->BltFast(100, 100, mSource, &outside, 0), 0);
    EXPECT_EQ(Pixel(mDest, 100, 100), 0x100);
    EXPECT_EQ(WrittenIn(100, 100, 120, 120), 100);

    // Past the bottom: nothing is written.
    ASSERT_EQ(mDest->BltFast(0, 478, mSource, &whole, 0), 0);
    EXPECT_EQ(WrittenIn(0, 478, 10, 480), 20);
    ASSERT_EQ(mDest->BltFast(0, 480, mSource, &whole, 0), 0);
    ASSERT_EQ(mDest->BltFast(700, 0, mSource, &whole, 0), 0);
    EXPECT_EQ(WrittenIn(0, 0, 640, 10), 0);

    RECT empty = Rect(3, 3, 3, 9);
    EXPECT_EQ(mDest->BltFast(0, 0, mSource, &empty, 0), 0);
    EXPECT_EQ(WrittenIn(0, 0, 640, 10), 0);
}

TEST_F(Blits, SourceKeyLeavesKeyedPixelsAlone)
{
    DDCOLORKEY key { 0x105, 0x105 };
    RECT whole = Rect(0, 0, 10, 10);
    // Without a key set on the source the flag copies everything.
    ASSERT_EQ(mDest->BltFast(0, 0, mSource, &whole, DDBLTFAST_SRCCOLORKEY), 0);
    EXPECT_EQ(Pixel(mDest, 5, 0), 0x105);

    ASSERT_EQ(mSource->SetColorKey(DDCKEY_SRCBLT, &key), 0);
    Locked(mDest);
    Pixel(mDest, 5, 0) = 0x7777;
    mDest->Unlock(nullptr);
    ASSERT_EQ(mDest->BltFast(0, 0, mSource, &whole, DDBLTFAST_SRCCOLORKEY), 0);
    EXPECT_EQ(Pixel(mDest, 5, 0), 0x7777);
    EXPECT_EQ(Pixel(mDest, 4, 0), 0x104);
    // Without the flag the key is not applied.
    ASSERT_EQ(mDest->BltFast(0, 0, mSource, &whole, 0), 0);
    EXPECT_EQ(Pixel(mDest, 5, 0), 0x105);
}

TEST_F(Blits, WholeSurfaceCopyAndTheFormsItRefuses)
{
    IDirectDrawStandardSurfaceImp7* wide = MakeSurface(20, 5);
    Locked(wide);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 20; ++x)
            Pixel(wide, x, y) = 0x2222;
    }
    wide->Unlock(nullptr);
    // Different pitches: row by row, the narrower row and the lower height.
    ASSERT_EQ(mSource->Blt(nullptr, wide, nullptr, 0, nullptr), 0);
    Locked(mSource);
    EXPECT_EQ(Pixel(mSource, 9, 4), 0x2222);
    EXPECT_EQ(Pixel(mSource, 0, 5), 0x100 + 50);
    mSource->Unlock(nullptr);

    RECT rect = Rect(0, 0, 1, 1);
    DDBLTFX fx {};
    EXPECT_EQ(mSource->Blt(nullptr, nullptr, nullptr, 0, nullptr), RV_DXERR_FAILED);
    EXPECT_EQ(mSource->Blt(&rect, wide, nullptr, 0, nullptr), RV_DXERR_FAILED);
    EXPECT_EQ(mSource->Blt(nullptr, wide, nullptr, 0, &fx), RV_DXERR_FAILED);
    // A locked destination fails and leaves the source unlocked.
    Locked(mSource);
    EXPECT_EQ(mSource->Blt(nullptr, wide, nullptr, 0, nullptr), RV_DXERR_FAILED);
    EXPECT_EQ(wide->lockCount(), 0);
    mSource->Unlock(nullptr);
    wide->Release();
}

TEST(StandardSurface, FillsWorkInPixelPairsAndStayInside)
{
    IDirectDrawStandardSurfaceImp7* surface = MakeSurface(16, 8);
    surface->Clear(0x1234);
    Locked(surface);
    EXPECT_EQ(Pixel(surface, 15, 7), 0x1234);
    surface->Unlock(nullptr);

    surface->DrawRect(0x7C00, Ravel::DRect { 2, 1, 7, 3 }); // 5 wide: 4 filled
    Locked(surface);
    EXPECT_EQ(Pixel(surface, 2, 1), 0x7C00);
    EXPECT_EQ(Pixel(surface, 5, 2), 0x7C00);
    EXPECT_EQ(Pixel(surface, 6, 1), 0x1234);
    EXPECT_EQ(Pixel(surface, 2, 3), 0x1234);
    surface->Unlock(nullptr);

    surface->OpRectXOR(0x8000, Ravel::DRect { 0, 0, 2, 1 });
    // Rectangles reaching outside the surface are cut to it; empty ones do nothing.
    surface->DrawRect(0x0001, Ravel::DRect { 14, 6, 40, 40 });
    surface->DrawRect(0x0002, Ravel::DRect { -4, -4, 0, 8 });
    surface->DrawRect(0x0003, Ravel::DRect { 5, 5, 5, 8 });
    Locked(surface);
    EXPECT_EQ(Pixel(surface, 0, 0), 0x9234);
    EXPECT_EQ(Pixel(surface, 1, 0), 0x9234);
    EXPECT_EQ(Pixel(surface, 15, 7), 0x0001);
    EXPECT_EQ(Pixel(surface, 0, 7), 0x1234);
    EXPECT_EQ(Pixel(surface, 5, 5), 0x1234);
    surface->Unlock(nullptr);
    surface->Release();
}

TEST(SurfaceDescription, ColourKeysAndCopiesSizedByTheCaller)
{
    IDirectDrawStandardSurfaceImp7* surface = MakeSurface(4, 4);
    DDCOLORKEY key { 0x1F, 0x1F };
    // The source key wins over the others named in the same call.
    ASSERT_EQ(surface->SetColorKey(DDCKEY_DESTBLT | DDCKEY_SRCBLT, &key), 0);
    EXPECT_EQ(surface->desc().dwFlags & (DDSD_CKSRCBLT | DDSD_CKDESTBLT), DDSD_CKSRCBLT);
    DDCOLORKEY read {};
    ASSERT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &read), 0);
    EXPECT_EQ(read.dwColorSpaceLowValue, 0x1Fu);

    testing::internal::CaptureStderr();
    surface->GetColorKey(DDCKEY_DESTBLT, &read);
    surface->SetColorKey(0, &key);
    std::string asserted = testing::internal::GetCapturedStderr();
    EXPECT_NE(asserted.find("DDSD_CKDESTBLT"), std::string::npos) << asserted;
    EXPECT_NE(asserted.find("false"), std::string::npos) << asserted;
    EXPECT_EQ(read.dwColorSpaceLowValue, 0u);

    // A caller's smaller record gets only its own size, which it keeps.
    std::vector<std::uint8_t> small(sizeof(DDSURFACEDESC2) + 8, 0xAB);
    auto* partial = reinterpret_cast<DDSURFACEDESC2*>(small.data());
    partial->dwSize = 16;
    ASSERT_EQ(surface->GetSurfaceDesc(partial), 0);
    EXPECT_EQ(partial->dwSize, 16u);
    EXPECT_EQ(partial->dwWidth, 4u);
    EXPECT_EQ(small[16], 0xAB);
    EXPECT_EQ(surface->GetSurfaceDesc(nullptr), RV_DXERR_FAILED);
    surface->Release();
}

TEST(SurfaceDescription, DeviceContextOverThePixels)
{
    IDirectDrawStandardSurfaceImp7* early = MakeSurface(8, 8);
    HDC dc = nullptr;
    ASSERT_EQ(early->GetDC(&dc), 0);
    ASSERT_NE(early->deviceContext(), nullptr);
    EXPECT_NE(early->deviceContext()->render.pixels(), nullptr); // a picture of its own before any lock
    early->Release();

    IDirectDrawStandardSurfaceImp7* surface = MakeSurface(8, 8);
    DDSURFACEDESC2 locked = Locked(surface);
    surface->Unlock(nullptr);
    ASSERT_EQ(surface->GetDC(&dc), 0);
    EXPECT_EQ(reinterpret_cast<Ravel::HDCImp*>(dc), surface->deviceContext());
    EXPECT_EQ(surface->deviceContext()->render.pixels(), locked.lpSurface);
    EXPECT_EQ(surface->ReleaseDC(dc), 0);
    HDC again = nullptr;
    ASSERT_EQ(surface->GetDC(&again), 0);
    EXPECT_EQ(again, dc);
    surface->Release();

    Ravel::NativeBitmapRender render;
    EXPECT_THROW(render.Init(8, 8, Ravel::NativeBitmapFormat { 16, 1 }, 16, nullptr), Ravel::osExcept);
    EXPECT_THROW(render.Init(8, 8, Ravel::NativeBitmapFormat { 24, 0 }, 24, nullptr), Ravel::osExcept);
    EXPECT_THROW(render.Init(8, 8, Ravel::NativeBitmapFormat { 32, 0 }, 16, nullptr), Ravel::osExcept);
}

TEST(SurfaceDescription, DepthBufferAndWideSurfacesRefuseFastBlits)
{
    // The plain base serves depth buffers: it holds no pixels and no texture.
    auto* depth = new Ravel::IDirectDrawSurfaceImp7;
    DDSURFACEDESC2 desc = Desc(16, 16);
    desc.ddsCaps.dwCaps = DDSCAPS_ZBUFFER;
    depth->Init(nullptr, &desc);
    Locked(depth, RV_DXERR_FAILED);
    EXPECT_EQ(depth->Unlock(nullptr), 0);
    EXPECT_FALSE(depth->CheckContext(Ravel::OurContext {}, true)); // cannot upload: not registered

    IDirectDrawStandardSurfaceImp7* source = MakeSurface(4, 4);
    source->Clear(0x1111);
    RECT whole = Rect(0, 0, 4, 4);
    testing::internal::CaptureStderr();
    EXPECT_EQ(depth->BltFast(0, 0, source, &whole, 0), RV_DXERR_FAILED);
    EXPECT_EQ(source->lockCount(), 0);

    // 32-bit pixels are not copied as if they were 16-bit ones.
    IDirectDrawStandardSurfaceImp7* wide = MakeSurface(Desc(4, 4, 32, 0xFF0000));
    EXPECT_EQ(wide->BltFast(0, 0, source, &whole, 0), RV_DXERR_FAILED);
    EXPECT_EQ(wide->lockCount(), 0);
    EXPECT_EQ(source->lockCount(), 0);
    testing::internal::GetCapturedStderr();
    wide->Release();
    source->Release();
    depth->Release();
}

TEST(CompressedSurface, OnlyDXT1WithItsBlockSize)
{
    struct Case {
        unsigned width, height;
        std::size_t size;
    } cases[] = { { 64, 64, 2048 }, { 4, 4, 8 }, { 6, 2, 16 }, { 256, 128, 16384 } };
    for (const Case& c : cases) {
        DDSURFACEDESC2 desc = Desc(c.width, c.height, 0);
        desc.dwFlags |= DDSD_PIXELFORMAT;
        desc.ddpfPixelFormat.dwFlags = DDPF_FOURCC;
        desc.ddpfPixelFormat.dwFourCC = FOURCC_DXT1;
        auto* surface = new IDirectDrawCompressedSurfaceImp7;
        ASSERT_NO_THROW(surface->Init(nullptr, &desc));
        EXPECT_EQ(surface->dataSize(), c.size);
        DDSURFACEDESC2 locked = Locked(surface);
        EXPECT_EQ(locked.dwLinearSize, c.size);
        EXPECT_NE(locked.lpSurface, nullptr);
        Locked(surface, RV_DXERR_FAILED);
        EXPECT_EQ(surface->Unlock(nullptr), 0);
        EXPECT_EQ(surface->Unlock(nullptr), RV_DXERR_FAILED);
        EXPECT_EQ(surface->Lock(nullptr, nullptr, 0, nullptr), RV_DXERR_FAILED);
        surface->Release();
    }

    DDSURFACEDESC2 other = Desc(64, 64, 0);
    other.dwFlags |= DDSD_PIXELFORMAT;
    other.ddpfPixelFormat.dwFlags = DDPF_FOURCC;
    other.ddpfPixelFormat.dwFourCC = 0x35545844; // DXT5
    for (DDSURFACEDESC2 refused : { other, Desc(64, 64, 16), Desc(64, 64) }) {
        auto* surface = new IDirectDrawCompressedSurfaceImp7;
        EXPECT_THROW(surface->Init(nullptr, &refused), std::exception);
        surface->Release();
    }
}

using SurfaceTexture = ddraw_test::GLWindow;

// The whole texture read back as 1-5-5-5 words.
std::vector<std::uint16_t> ReadTexture(const IDirectDrawStandardSurfaceImp7* surface)
{
    std::vector<std::uint16_t> texels(std::size_t { surface->textureWidth() } * surface->textureHeight());
    glBindTexture(surface->target(), surface->name());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(surface->target(), 0, 0x80E1 /* GL_BGRA */, 0x8366, texels.data());
    // The texture has no alpha: it reads back as opaque, bit 15 set.
    for (std::uint16_t& texel : texels)
        texel &= 0x7FFF;
    return texels;
}

TEST_F(SurfaceTexture, UploadsOnceAndAgainOnlyAfterAnUnlock)
{
    IDirectDrawStandardSurfaceImp7* surface = MakeSurface(4, 2);
    Ravel::OurContext stage = Ravel::GetStageContext();
    EXPECT_FALSE(surface->CheckContext(stage, true)); // no pixels yet: nothing to upload
    surface->Clear(0x7C00);
    ASSERT_TRUE(surface->CheckContext(stage, true));
    EXPECT_NE(surface->name(), 0u);
    EXPECT_FALSE(surface->isDirty());
    EXPECT_EQ(ReadTexture(surface), std::vector<std::uint16_t>(8, 0x7C00));

    Locked(surface);
    Pixel(surface, 3, 1) = 0x001F;
    // Locked and not yet unlocked: the texture keeps the old picture.
    ASSERT_TRUE(surface->CheckContext(stage, false));
    EXPECT_EQ(ReadTexture(surface)[7], 0x7C00);
    surface->Unlock(nullptr);
    ASSERT_TRUE(surface->CheckContext(stage, false));
    EXPECT_EQ(ReadTexture(surface)[7], 0x001F);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    surface->Release();

    // Palette indices stay on the CPU: the upload is refused and the context stays without the texture.
    IDirectDrawStandardSurfaceImp7* indices = MakeSurface(Desc(8, 8, 8));
    Locked(indices);
    indices->Unlock(nullptr);
    EXPECT_THROW(indices->Upload(stage), std::logic_error);
    EXPECT_FALSE(indices->CheckContext(stage, true));
    indices->Release();
}

TEST_F(SurfaceTexture, OddSizesUseRectanglesOrPaddedTexturesAsTheCardAllows)
{
    ddraw_test::StageDevicePresent device;
    IDirectDrawStandardSurfaceImp7* rect = MakeSurface(5, 3);
    ASSERT_EQ(Locked(rect).lPitch, 10);
    rect->Unlock(nullptr);
    EXPECT_EQ(rect->target(), kGLTextureRect);
    rect->Clear(0x03E0);
    // Rows of an odd width are not padded to four bytes on their way to the card.
    Locked(rect);
    Pixel(rect, 4, 2) = 0x0001;
    rect->Unlock(nullptr);
    ASSERT_TRUE(rect->CheckContext(Ravel::GetStageContext(), true));
    std::vector<std::uint16_t> texels = ReadTexture(rect);
    EXPECT_EQ(texels[0], 0x03E0);
    EXPECT_EQ(texels[14], 0x0001);
    rect->Release();

    host_test::UsePrefs("<key>CardSettings#mesa</key><dict>"
                        "<key>GL_EXT_texture_rectangle</key><string>-1</string></dict>");
    Ravel::CardSettings::me().setVersionText("4.5 (Compatibility Profile) Mesa 22.3.6");
    IDirectDrawStandardSurfaceImp7* padded = MakeSurface(640, 480);
    EXPECT_EQ(Locked(padded).lPitch, 2048);
    padded->Unlock(nullptr);
    EXPECT_EQ(padded->target(), kGLTexture2D);
    EXPECT_EQ(padded->textureWidth(), 1024u);
    EXPECT_EQ(padded->textureHeight(), 512u);
    // 0..1 reaches the surface's part of the padded texture.
    padded->UpdateGLTextureMatrix();
    GLfloat matrix[16] {};
    glGetFloatv(GL_TEXTURE_MATRIX, matrix);
    EXPECT_FLOAT_EQ(matrix[0], 0.625F);
    EXPECT_FLOAT_EQ(matrix[5], 0.9375F);
    padded->Release();
    host_test::UsePrefs("");
    Ravel::CardSettings::me().setVersionText("4.5 (Compatibility Profile) Mesa 22.3.6");
}

TEST_F(SurfaceTexture, CompressedDataUploadedAsItIs)
{
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!Ravel::IsExtensionListed(extensions, "GL_EXT_texture_compression_s3tc"))
        GTEST_SKIP() << "the driver has no S3TC";
    DDSURFACEDESC2 desc = Desc(8, 8, 0);
    desc.dwFlags |= DDSD_PIXELFORMAT;
    desc.ddpfPixelFormat.dwFlags = DDPF_FOURCC;
    desc.ddpfPixelFormat.dwFourCC = FOURCC_DXT1;
    auto* surface = new IDirectDrawCompressedSurfaceImp7;
    surface->Init(nullptr, &desc);
    Ravel::OurContext stage = Ravel::GetStageContext();
    EXPECT_FALSE(surface->CheckContext(stage, true));
    DDSURFACEDESC2 locked = Locked(surface);
    std::memset(locked.lpSurface, 0x5A, locked.dwLinearSize);
    surface->Unlock(nullptr);
    ASSERT_TRUE(surface->CheckContext(stage, true));
    glBindTexture(GL_TEXTURE_2D, surface->name());
    GLint compressedSize = 0;
    glGetTexLevelParameteriv(
        GL_TEXTURE_2D, 0, 0x86A0 /* GL_TEXTURE_COMPRESSED_IMAGE_SIZE */, &compressedSize);
    EXPECT_EQ(compressedSize, 32);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    surface->Release();
}

} // namespace

namespace {

TEST_F(SurfaceTexture, Direct3DDrawsIntoThePixelsOffScreen)
{
    IDirectDrawStandardSurfaceImp7* surface = MakeSurface(8, 4);
    const Ravel::OurContext stage = Ravel::GetStageContext();
    ASSERT_NO_THROW(surface->use3D());
    ASSERT_TRUE(surface->Is3DSetup());
    EXPECT_NE(surface->Get3DContext(), stage);
    EXPECT_EQ(Ravel::GetCurrentContext(), surface->Get3DContext());
    // Red below, green in the top half, drawn as Direct3D would between use and done.
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(0, 1, 0);
    glBegin(GL_QUADS);
    glVertex2f(-1, 0);
    glVertex2f(1, 0);
    glVertex2f(1, 1);
    glVertex2f(-1, 1);
    glEnd();
    glColor3f(1, 1, 1);
    surface->done3D();
    stage.use();

    // The next lock waits for the picture; the surface's top row is the picture's top.
    Locked(surface);
    EXPECT_EQ(Pixel(surface, 0, 0), 0x03E0);
    EXPECT_EQ(Pixel(surface, 7, 1), 0x03E0);
    EXPECT_EQ(Pixel(surface, 0, 2), 0x7C00);
    EXPECT_EQ(Pixel(surface, 7, 3), 0x7C00);
    surface->Unlock(nullptr);

    // The second use keeps its context; the texture the stage context makes shows the picture.
    ASSERT_NO_THROW(surface->use3D());
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    surface->done3D();
    stage.use();
    ASSERT_TRUE(surface->CheckContext(stage, true));
    EXPECT_EQ(ReadTexture(surface), std::vector<std::uint16_t>(32, 0x001F));
    EXPECT_EQ(Ravel::GetCurrentContext(), stage);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    surface->Release();
    EXPECT_EQ(Ravel::GetCurrentContext(), stage);

    // The stage surface draws in the window's own context: nothing is read back.
    IDirectDrawStandardSurfaceImp7* staged = MakeSurface(8, 4);
    staged->Clear(0x1234);
    staged->Set3DContext(stage);
    staged->use3D();
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    staged->done3D();
    Locked(staged);
    EXPECT_EQ(Pixel(staged, 0, 0), 0x1234);
    staged->Unlock(nullptr);
    staged->Release();
}

} // namespace
