// The memory surface: locking, pixel formats, fills, device contexts and the texture made from the pixels.
#include "platform/ddraw/standard_surface.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>
#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "platform/ddraw/stage_device.h"
#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"
#include "platform/render/card_settings.h"
#include "platform/render/gl_errors.h"

#include "foundation/safeguards.h"

namespace Ravel {

using namespace Windows;

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kWarning);

// 0 undecided, 1 used, -1 not used.
int gStandardTextureRange = 0;

bool IsPowerOfTwo(unsigned n)
{
    return n != 0 && (n & (n - 1)) == 0;
}

} // namespace

bool UseTextureRange(int& decision)
{
    if (decision == 0) {
        const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        decision = IsExtensionListed(extensions, "GL_APPLE_texture_range")
                && CardSettings::me().get("GL_APPLE_texture_range")
            ? 1
            : -1;
    }
    return decision > 0;
}

void SetTextureRange(unsigned target, std::size_t bytes, void* pixels)
{
    using TextureRange = void (*)(GLenum, GLsizei, const void*);
    auto range = reinterpret_cast<TextureRange>(SDL_GL_GetProcAddress("glTextureRangeAPPLE"));
    if (!range)
        return;
    range(target, static_cast<GLsizei>(bytes), pixels);
    glTexParameteri(target, 0x85BC /* GL_TEXTURE_STORAGE_HINT_APPLE */, 0x85BF /* GL_STORAGE_SHARED_APPLE */);
}

IDirectDrawStandardSurfaceImp7::IDirectDrawStandardSurfaceImp7()
    : mInternalFormat(GL_RGBA)
    , mFormat(GL_BGRA)
    , mType(GL_UNSIGNED_INT_8_8_8_8_REV)
{
}

IDirectDrawStandardSurfaceImp7::~IDirectDrawStandardSurfaceImp7()
{
    mDC.reset();
    mOffscreen.reset();
    m3DContext = OurContext {};
    mPixels.reset();
}

void IDirectDrawStandardSurfaceImp7::Init(IDirectDrawImp7* parent, DDSURFACEDESC2* desc)
{
    IDirectDrawSurfaceImp7::Init(parent, desc);
    if (!(mDesc.dwFlags & DDSD_PIXELFORMAT)) {
        mDesc.dwFlags |= DDSD_PIXELFORMAT;
        mDesc.ddpfPixelFormat = DDPIXELFORMAT {};
        mDesc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
        mDesc.ddpfPixelFormat.dwFlags = DDPF_RGB;
        mDesc.ddpfPixelFormat.dwRGBBitCount = 16;
        // The game reads the format from the green mask; 5-5-5 is what the pixels hold.
        mDesc.ddpfPixelFormat.dwRBitMask = 0x7C00;
        mDesc.ddpfPixelFormat.dwGBitMask = 0x03E0;
        mDesc.ddpfPixelFormat.dwBBitMask = 0x001F;
    }
}

void IDirectDrawStandardSurfaceImp7::InterpretFormat()
{
    const DDPIXELFORMAT& format = mDesc.ddpfPixelFormat;
    if (!(mDesc.dwFlags & DDSD_PIXELFORMAT) || !(format.dwFlags & DDPF_RGB))
        throw std::invalid_argument("surface pixel format is not RGB");
    const unsigned bytes = (format.dwRGBBitCount + 7) / 8;
    if (bytes == 1) {
        // Palette indices of the game's 8-bit images, read and written on the CPU only: never a texture.
        mInternalFormat = GL_LUMINANCE8;
        mFormat = GL_LUMINANCE;
        mType = GL_UNSIGNED_BYTE;
    } else if (bytes == 2 && format.dwRBitMask != 0x0F00) {
        mInternalFormat = GL_RGB5;
        mFormat = GL_BGRA;
        mType = GL_UNSIGNED_SHORT_1_5_5_5_REV;
    } else if (bytes == 2) {
        mInternalFormat = GL_RGBA;
        mFormat = GL_BGRA;
        mType = GL_UNSIGNED_SHORT_4_4_4_4_REV;
    } else if (bytes == 4) {
        mInternalFormat = (format.dwFlags & DDPF_ALPHAPIXELS) ? GL_RGBA : GL_RGB8;
        mFormat = GL_RGBA;
        mType = GL_UNSIGNED_INT_8_8_8_8;
    } else {
        throw std::invalid_argument("surface pixel size is neither 1, 2 nor 4 bytes");
    }
    mBytesPerPixel = bytes;
}

bool IDirectDrawStandardSurfaceImp7::ChooseTextureSize()
{
    const unsigned width = mDesc.dwWidth;
    const unsigned height = mDesc.dwHeight;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        gLog.error("a surface of %u by %u pixels cannot be held", width, height);
        return false;
    }
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    if (IsPowerOfTwo(width) && IsPowerOfTwo(height)) {
        UsePowerTwoTexture(w, h, w, h);
        return true;
    }
    if (const OurContext* stage = StageDeviceContext()) {
        SavedContext saved;
        stage->use();
        if (!IsRectTextureAvailable()) {
            gLog.info("Is available disabled Rect");
            UsePowerTwoTexture(
                w, h, static_cast<int>(CalcPowerTwoSize(w)), static_cast<int>(CalcPowerTwoSize(h)));
            return true;
        }
    }
    mTextureWidth = width;
    mTextureHeight = height;
    MakeRectTexture(w, h);
    return true;
}

void IDirectDrawStandardSurfaceImp7::UsePowerTwoTexture(int w, int h, int tw, int th)
{
    mTextureWidth = static_cast<unsigned>(tw);
    mTextureHeight = static_cast<unsigned>(th);
    MakeAddressScales(w, h, tw, th);
    // The texture matrix adds one to each scale, which suits rectangle textures (stored minus one); stored
    // the same way here, 0..1 reaches exactly the surface's part of the padded texture.
    mScaleX -= 1.0F;
    mScaleY -= 1.0F;
}

HRESULT IDirectDrawStandardSurfaceImp7::Lock(RECT*, DDSURFACEDESC2* desc, DWORD, HANDLE)
{
    if (mLockCount > 0)
        return RV_DXERR_FAILED;
    finish3D();
    if (mBytesPerPixel == 0) {
        // The game cannot catch our exceptions: a format we cannot hold is an ordinary failure.
        try {
            InterpretFormat();
        } catch (const std::exception& e) {
            gLog.error(e);
            return RV_DXERR_FAILED;
        }
    }
    if (!mPixels) {
        if (mTextureWidth == 0 && !ChooseTextureSize())
            return RV_DXERR_FAILED;
        mPitch = mBytesPerPixel * mTextureWidth;
        const std::size_t size = std::size_t { mPitch } * mTextureHeight;
        mPixels.reset(new (std::nothrow) std::uint8_t[size]);
        if (!mPixels)
            return RV_DXERR_FAILED;
    }
    mDesc.lPitch = static_cast<LONG>(mPitch);
    mDesc.lpSurface = mPixels.get();
    if (desc)
        GetSurfaceDesc(desc);
    ++mLockCount;
    return 0;
}

HRESULT IDirectDrawStandardSurfaceImp7::Unlock(RECT*)
{
    mDirty = true;
    if (--mLockCount < 0) {
        mLockCount = 0;
        return RV_DXERR_FAILED;
    }
    return 0;
}

HRESULT IDirectDrawStandardSurfaceImp7::Blt(
    RECT* destRect, IDirectDrawSurface7* source, RECT*, DWORD, DDBLTFX* fx)
{
    if (!source || destRect || fx)
        return RV_DXERR_FAILED;
    DDSURFACEDESC2 src {};
    src.dwSize = sizeof(src);
    DDSURFACEDESC2 dest {};
    dest.dwSize = sizeof(dest);
    HRESULT result = source->Lock(nullptr, &src, DDLOCK_WAIT | DDLOCK_READONLY, nullptr);
    if (result != 0)
        return result;
    result = Lock(nullptr, &dest, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
    if (result != 0) {
        source->Unlock(nullptr);
        return result;
    }
    const DWORD rows = std::min(src.dwHeight, dest.dwHeight);
    if (src.lPitch == dest.lPitch) {
        std::memcpy(
            dest.lpSurface, src.lpSurface, std::size_t { rows } * static_cast<std::size_t>(dest.lPitch));
    } else {
        const auto rowBytes = static_cast<std::size_t>(std::min(src.lPitch, dest.lPitch));
        for (DWORD row = 0; row < rows; ++row) {
            std::memcpy(static_cast<std::uint8_t*>(dest.lpSurface) + std::size_t { row } * dest.lPitch,
                static_cast<const std::uint8_t*>(src.lpSurface) + std::size_t { row } * src.lPitch, rowBytes);
        }
    }
    Unlock(nullptr);
    source->Unlock(nullptr);
    return 0;
}

HRESULT IDirectDrawStandardSurfaceImp7::GetDC(HDC* dc)
{
    if (!dc)
        return RV_DXERR_FAILED;
    if (!mDC) {
        auto made = std::make_unique<SurfaceDC>();
        const int rowBytes = mPitch != 0 ? static_cast<int>(mPitch) : static_cast<int>(mDesc.dwWidth) * 2;
        try {
            made->render.Init(static_cast<int>(mDesc.dwWidth), static_cast<int>(mDesc.dwHeight),
                NativeBitmapFormat { 16, 0 }, rowBytes, mPixels.get());
        } catch (const std::exception& e) {
            gLog.error(e);
            return RV_DXERR_FAILED;
        }
        mDC = std::move(made);
    }
    *dc = reinterpret_cast<HDC>(static_cast<HDCImp*>(mDC.get()));
    return 0;
}

void IDirectDrawStandardSurfaceImp7::OpRect(unsigned long colour, const DRect& rect, RectOp op)
{
    if (mBytesPerPixel != 2 && mBytesPerPixel != 0)
        return;
    // Clipped to the surface: a rectangle reaching outside must not write outside the pixels.
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int right = std::min<long long>(rect.right, mDesc.dwWidth);
    const int bottom = std::min<long long>(rect.bottom, mDesc.dwHeight);
    if (right - left <= 0 || bottom - top <= 0)
        return;
    DDSURFACEDESC2 locked {};
    locked.dwSize = sizeof(locked);
    if (Lock(nullptr, &locked, DDLOCK_WAIT, nullptr) != 0)
        return;
    if (mBytesPerPixel == 2) {
        const std::uint32_t pair = static_cast<std::uint32_t>(colour & 0xFFFF) * 0x10001U;
        const int pairs = (right - left) / 2;
        for (int row = top; row < bottom; ++row) {
            std::uint8_t* at = mPixels.get() + std::size_t(row) * mPitch + std::size_t(left) * 2;
            for (int i = 0; i < pairs; ++i, at += 4) {
                std::uint32_t value;
                std::memcpy(&value, at, 4);
                value = op == RectOp::kXor ? value ^ pair : pair;
                std::memcpy(at, &value, 4);
            }
        }
    }
    Unlock(nullptr);
}

void IDirectDrawStandardSurfaceImp7::DrawRect(unsigned long colour, const DRect& rect)
{
    OpRect(colour, rect, RectOp::kFill);
}

void IDirectDrawStandardSurfaceImp7::Clear(unsigned long colour)
{
    OpRect(colour, DRect { 0, 0, static_cast<int>(mDesc.dwWidth), static_cast<int>(mDesc.dwHeight) },
        RectOp::kFill);
}

void IDirectDrawStandardSurfaceImp7::OpRectXOR(unsigned long colour, const DRect& rect)
{
    OpRect(colour, rect, RectOp::kXor);
}

void IDirectDrawStandardSurfaceImp7::EnableAndBind()
{
    glEnable(mTarget);
    glBindTexture(mTarget, mName);
}

void IDirectDrawStandardSurfaceImp7::Upload(const OurContext&)
{
    if (!mPixels)
        throw std::logic_error("Upload() with no texture data?");
    if (mBytesPerPixel == 1)
        throw std::logic_error("an 8-bit surface holds palette indices, not a texture");
    finish3D();
    MakeName();
    EnableAndBind();
    getGLErrors("bind new");
    if (UseTextureRange(gStandardTextureRange)) {
        SetTextureRange(mTarget, std::size_t { mPitch } * mTextureHeight, mPixels.get());
        glPixelStorei(0x85B2 /* GL_UNPACK_CLIENT_STORAGE_APPLE */, 1);
    }
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    getGLErrors("prep new");
    glTexImage2D(mTarget, 0, static_cast<GLint>(mInternalFormat), static_cast<GLsizei>(mTextureWidth),
        static_cast<GLsizei>(mTextureHeight), 0, mFormat, mType, mPixels.get());
    getGLErrors("glTexImage2D");
    // Rectangle textures have no levels but the first, and refuse any other highest level.
    if (mTarget != GL_TEXTURE_RECTANGLE_ARB)
        glTexParameteri(mTarget, GL_TEXTURE_MAX_LEVEL, 1);
    getGLErrors("max level");
    mDirty = false;
}

void IDirectDrawStandardSurfaceImp7::PrepareForUse()
{
    if (mName == 0 || !mDirty || !mPixels || mBytesPerPixel == 1)
        return;
    finish3D();
    EnableAndBind();
    getGLErrors("bind update");
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(mTarget, 0, 0, 0, static_cast<GLsizei>(mTextureWidth),
        static_cast<GLsizei>(mTextureHeight), mFormat, mType, mPixels.get());
    getGLErrors("glTexSubImage2D");
    mDirty = false;
}

void IDirectDrawStandardSurfaceImp7::Set3DContext(const OurContext& context)
{
    if (mOffscreen && context != mOffscreen->context())
        mOffscreen.reset();
    m3DContext = context;
}

void IDirectDrawStandardSurfaceImp7::Create3DContext()
{
    if (Lock(nullptr, nullptr, 0, nullptr) != 0)
        throw std::runtime_error("a surface that cannot be locked cannot be drawn in 3D");
    try {
        mOffscreen = std::make_unique<OffscreenRender>(
            static_cast<int>(mDesc.dwWidth), static_cast<int>(mDesc.dwHeight));
    } catch (...) {
        Unlock(nullptr);
        throw;
    }
    m3DContext = mOffscreen->context();
    m3DContext.use();
    glViewport(0, 0, static_cast<GLsizei>(mDesc.dwWidth), static_cast<GLsizei>(mDesc.dwHeight));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0F, 0.0F, 0.0F, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT);
    finish3D();
}

void IDirectDrawStandardSurfaceImp7::use3D()
{
    if (!Is3DSetup()) {
        Create3DContext();
    } else {
        Lock(nullptr, nullptr, 0, nullptr);
        m3DContext.use();
    }
    mDirty = true;
    m3DPending = true;
}

void IDirectDrawStandardSurfaceImp7::done3D()
{
    Unlock(nullptr);
}

void IDirectDrawStandardSurfaceImp7::finish3D()
{
    if (!m3DPending)
        return;
    m3DPending = false;
    if (mOffscreen && mPixels) {
        mOffscreen->ReadInto(mPixels.get(), static_cast<int>(mPitch / mBytesPerPixel),
            static_cast<int>(mBytesPerPixel), mFormat, mType);
        // Bit 15 carries no colour in the game's pixels; the read-back's opaque alpha must not leave it set,
        // or colour keys would never match a drawn pixel.
        if (mType == GL_UNSIGNED_SHORT_1_5_5_5_REV) {
            for (unsigned row = 0; row < mDesc.dwHeight; ++row) {
                auto* pixel = reinterpret_cast<std::uint16_t*>(mPixels.get() + std::size_t { row } * mPitch);
                for (unsigned x = 0; x < mDesc.dwWidth; ++x)
                    pixel[x] &= 0x7FFF;
            }
        }
        return;
    }
    SavedContext saved;
    m3DContext.use();
    glFinish();
}

} // namespace Ravel
