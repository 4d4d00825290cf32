// The picture behind a surface's device context: a bitmap over the surface's own pixels, and the
// notification that lets a surface know when drawing through the context begins and ends.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/elements/iunknown_imp.h"

namespace Ravel {

// A rectangle of pixels; whether right and bottom are inclusive is the user's to say.
struct DRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Told around drawing through a device context; the base wants to hear nothing.
class SurfaceLockNotification {
public:
    virtual ~SurfaceLockNotification() = default;
    virtual void WillLock() { }
    virtual void DoneUnlock(const DRect&) { }
};

struct NativeBitmapFormat {
    int bitsPerPixel = 16;
    int alpha = 0; // non-zero: the pixels carry alpha
};

class NativeBitmapRender {
public:
    // Wraps pixels (rows of rowBytes) or, with none given, makes a picture of its own. 16 bits are
    // 5-5-5 words, 32 bits ARGB. Throws osExcept "alpha not supported for 16 bit" or "format not
    // understood" for other formats, and "NativeBitmapRender" when the picture cannot be made.
    void Init(int width, int height, const NativeBitmapFormat& format, int rowBytes, void* pixels);
    // Not owned; null for none.
    void SetLockNotification(SurfaceLockNotification* notification) { mNotification = notification; }
    SurfaceLockNotification* lockNotification() const { return mNotification; }

    void* pixels() const { return mPixels; }
    int rowBytes() const { return mRowBytes; }
    int width() const { return mWidth; }
    int height() const { return mHeight; }
    int bitsPerPixel() const { return mFormat.bitsPerPixel; }

private:
    NativeBitmapFormat mFormat;
    SurfaceLockNotification* mNotification = nullptr;
    std::unique_ptr<std::uint8_t[]> mOwnPixels;
    void* mPixels = nullptr;
    int mRowBytes = 0;
    int mWidth = 0;
    int mHeight = 0;
};

// The device-context object a surface hands out from GetDC.
struct SurfaceDC : HDCImp {
    NativeBitmapRender render;
};

} // namespace Ravel
