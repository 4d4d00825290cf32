// The DXT1 texture surface: block data, locking and the compressed upload.
#include "platform/ddraw/compressed_surface.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <new>
#include <stdexcept>

#include "platform/ddraw/standard_surface.h"
#include "platform/render/gl_errors.h"

#include "foundation/safeguards.h"

namespace Ravel {

using namespace Windows;

namespace {

int gCompressedTextureRange = 0;

} // namespace

void IDirectDrawCompressedSurfaceImp7::Init(IDirectDrawImp7* parent, DDSURFACEDESC2* desc)
{
    IDirectDrawSurfaceImp7::Init(parent, desc);
    const DDPIXELFORMAT& format = mDesc.ddpfPixelFormat;
    if (!(format.dwFlags & DDPF_FOURCC) || format.dwFourCC != FOURCC_DXT1)
        throw std::invalid_argument("not a DXT1 texture");
    if (mDesc.dwWidth == 0 || mDesc.dwHeight == 0 || mDesc.dwWidth > IDirectDrawStandardSurfaceImp7::kMaxSide
        || mDesc.dwHeight > IDirectDrawStandardSurfaceImp7::kMaxSide)
        throw std::invalid_argument("DXT1 texture without a usable size");
    // Blocks cover 4 by 4 pixels; a side that is not a multiple of 4 still needs its last block.
    mDataSize = std::size_t { (mDesc.dwWidth + 3) / 4 } * ((mDesc.dwHeight + 3) / 4) * 8;
}

HRESULT IDirectDrawCompressedSurfaceImp7::Lock(RECT*, DDSURFACEDESC2* desc, DWORD, HANDLE)
{
    if (mLockCount > 0 || !desc)
        return RV_DXERR_FAILED;
    GetSurfaceDesc(desc);
    if (!mData) {
        mData.reset(new (std::nothrow) std::uint8_t[mDataSize]());
        if (!mData)
            return RV_DXERR_FAILED;
    }
    desc->dwLinearSize = static_cast<DWORD>(mDataSize);
    desc->lpSurface = mData.get();
    ++mLockCount;
    return 0;
}

HRESULT IDirectDrawCompressedSurfaceImp7::Unlock(RECT*)
{
    if (--mLockCount < 0) {
        mLockCount = 0;
        return RV_DXERR_FAILED;
    }
    return 0;
}

void IDirectDrawCompressedSurfaceImp7::Upload(const OurContext&)
{
    if (!mData)
        throw std::logic_error("Upload() with no texture data?");
    const bool range = UseTextureRange(gCompressedTextureRange);
    MakeName();
    glBindTexture(mTarget, mName);
    getGLErrors("bind new");
    if (range)
        SetTextureRange(mTarget, mDataSize, mData.get());
    glTexParameteri(mTarget, GL_TEXTURE_MAX_LEVEL, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glCompressedTexImage2D(mTarget, 0, mInternalFormat, static_cast<GLsizei>(mDesc.dwWidth),
        static_cast<GLsizei>(mDesc.dwHeight), 0, static_cast<GLsizei>(mDataSize), mData.get());
    getGLErrors("glCompressedTexImage2D");
}

} // namespace Ravel
