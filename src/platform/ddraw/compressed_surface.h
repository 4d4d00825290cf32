// The DXT1 texture surface: compressed blocks that the game fills once and that are uploaded as they are.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/ddraw/ddraw_surface.h"

namespace Ravel {

class IDirectDrawCompressedSurfaceImp7 : public IDirectDrawSurfaceImp7 {
public:
    // Throws std::exception for every description that is not a DXT1 texture, so that the caller can
    // make a memory surface instead.
    void Init(IDirectDrawImp7* parent, Windows::DDSURFACEDESC2* desc) override;
    // Answers the block data; the pitch field holds the data size. Needs a description; does not nest.
    HRESULT Lock(
        Windows::RECT* rect, Windows::DDSURFACEDESC2* desc, DWORD flags, Windows::HANDLE event) override;
    HRESULT Unlock(Windows::RECT*) override;
    // Throws std::logic_error before the first lock (no data yet).
    void Upload(const OurContext& context) override;

    std::size_t dataSize() const { return mDataSize; }
    int lockCount() const { return mLockCount; }

private:
    std::unique_ptr<std::uint8_t[]> mData;
    std::size_t mDataSize = 0;
    int mLockCount = 0;
    unsigned mInternalFormat = 0x83F1; // GL_COMPRESSED_RGBA_S3TC_DXT1_EXT
};

} // namespace Ravel
