// The bitmap behind a surface's device context, over the surface's pixels or a picture of its own.
#include "platform/ddraw/native_bitmap_render.h"

#include <new>

#include "platform/elements/os_except.h"

#include "foundation/safeguards.h"

namespace Ravel {

void NativeBitmapRender::Init(
    int width, int height, const NativeBitmapFormat& format, int rowBytes, void* pixels)
{
    if (format.bitsPerPixel == 16 && format.alpha != 0)
        throw osExcept("alpha not supported for 16 bit", 0, __FILE__, __LINE__);
    if (format.bitsPerPixel != 16 && format.bitsPerPixel != 32)
        throw osExcept("format not understood", format.bitsPerPixel, __FILE__, __LINE__);
    const int bytesPerPixel = format.bitsPerPixel / 8;
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768 || rowBytes < width * bytesPerPixel)
        throw osExcept("NativeBitmapRender", rowBytes, __FILE__, __LINE__);
    if (!pixels) {
        const std::size_t size = static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height);
        mOwnPixels.reset(new (std::nothrow) std::uint8_t[size]());
        if (!mOwnPixels)
            throw osExcept("NativeBitmapRender", 0, __FILE__, __LINE__);
        pixels = mOwnPixels.get();
    }
    mFormat = format;
    mPixels = pixels;
    mRowBytes = rowBytes;
    mWidth = width;
    mHeight = height;
}

} // namespace Ravel
