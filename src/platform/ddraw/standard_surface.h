// The memory surface: 16-bit (or 32-bit and 4-4-4-4 texture) pixels in ordinary memory, locked by the
// game, filled and copied, handed to GDI through a device context and uploaded as an OpenGL texture.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/ddraw/ddraw_surface.h"
#include "platform/ddraw/native_bitmap_render.h"
#include "platform/ddraw/offscreen_render.h"

namespace Ravel {

class IDirectDrawStandardSurfaceImp7 : public IDirectDrawSurfaceImp7 {
public:
    IDirectDrawStandardSurfaceImp7();
    ~IDirectDrawStandardSurfaceImp7() override;

    // A whole-surface copy from the source, row by row where the pitches differ; any other form -2020.
    HRESULT Blt(Windows::RECT* destRect, Windows::IDirectDrawSurface7* source, Windows::RECT* sourceRect,
        DWORD flags, Windows::DDBLTFX* fx) override;
    // A device context over the pixels (a separate picture before the first lock); -2020 when it cannot
    // be made. The context is the surface's and stays for the next call.
    HRESULT GetDC(Windows::HDC* dc) override;
    HRESULT ReleaseDC(Windows::HDC) override { return 0; }
    // Locks the whole surface (the rectangle is ignored) and answers its first pixel. Locks do not nest:
    // a second lock is -2020. The pixels are allocated on the first lock, not cleared. A pixel format
    // the surface cannot hold, or a size it cannot allocate, is -2020.
    HRESULT Lock(
        Windows::RECT* rect, Windows::DDSURFACEDESC2* desc, DWORD flags, Windows::HANDLE event) override;
    // Marks the pixels changed; -2020 without a lock.
    HRESULT Unlock(Windows::RECT*) override;

    // Without a pixel format the surface is 16-bit 5-5-5.
    void Init(IDirectDrawImp7* parent, Windows::DDSURFACEDESC2* desc) override;
    void PrepareForUse() override;
    using IDirectDrawSurfaceImp7::PrepareForUse;
    // Creates the texture from the pixels in the current context; throws std::logic_error without pixels.
    void Upload(const OurContext& context) override;

    // Reads the pixel format into the texture formats; throws std::exception for one it cannot hold.
    void InterpretFormat();
    // Fill (or, for OpRectXOR, exclusive-or) rows from left to right (exclusive) in pixel pairs with the
    // 16-bit colour; an odd width leaves its last column alone. Clipped to the surface; 2-byte pixels only.
    void DrawRect(unsigned long colour, const DRect& rect);
    void Clear(unsigned long colour);
    void OpRectXOR(unsigned long colour, const DRect& rect);

    // Direct3D drawing into the pixels through the surface's 3D context: the first use makes an off-screen
    // one (throws std::exception when it cannot) and leaves it current; each use locks the surface until
    // done3D. The finished picture replaces the pixels at the next lock or upload.
    void use3D();
    void done3D();
    // Waits for pending 3D drawing so that the pixels hold the finished picture.
    void finish3D();
    const OurContext& Get3DContext() const { return m3DContext; }
    // A context given from outside (the stage surface gets the game window's) is drawn in place and not
    // read back.
    void Set3DContext(const OurContext& context);
    bool Is3DSetup() const { return !m3DContext.isNull(); }

    unsigned textureWidth() const { return mTextureWidth; }
    unsigned textureHeight() const { return mTextureHeight; }
    unsigned pitch() const { return mPitch; }
    unsigned bytesPerPixel() const { return mBytesPerPixel; }
    const std::uint8_t* pixels() const { return mPixels.get(); }
    int lockCount() const { return mLockCount; }
    bool isDirty() const { return mDirty; }
    unsigned glInternalFormat() const { return mInternalFormat; }
    unsigned glFormat() const { return mFormat; }
    unsigned glType() const { return mType; }
    SurfaceDC* deviceContext() const { return mDC.get(); }

    // Largest side a surface may have; larger requests are refused at the first lock.
    static constexpr unsigned kMaxSide = 16384;

protected:
    void EnableAndBind();

private:
    enum class RectOp { kFill, kXor };
    void OpRect(unsigned long colour, const DRect& rect, RectOp op);
    bool ChooseTextureSize();
    void UsePowerTwoTexture(int w, int h, int tw, int th);
    void Create3DContext();

    unsigned mTextureWidth = 0;
    unsigned mTextureHeight = 0;
    std::unique_ptr<std::uint8_t[]> mPixels;
    unsigned mBytesPerPixel = 0;
    unsigned mPitch = 0;
    int mLockCount = 0;
    bool mDirty = false;
    bool m3DPending = false;
    unsigned mInternalFormat;
    unsigned mFormat;
    unsigned mType;
    std::unique_ptr<SurfaceDC> mDC;
    OurContext m3DContext;
    std::unique_ptr<OffscreenRender> mOffscreen;
};

// Whether the driver lists GL_APPLE_texture_range and the card settings allow it, decided once per flag.
bool UseTextureRange(int& decision);
// The texture-range call over a block of pixels, with the shared storage hint; nothing when the driver
// does not give the entry point.
void SetTextureRange(unsigned target, std::size_t bytes, void* pixels);

} // namespace Ravel
