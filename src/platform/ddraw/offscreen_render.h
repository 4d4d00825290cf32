// The off-screen OpenGL target that Direct3D draws into for a memory surface: a context of its own that
// shares objects with the game window's, drawing into a framebuffer that is read back into the pixels.
#pragma once

#include "platform/render/our_context.h"

namespace Ravel {

class OffscreenRender {
public:
    // Makes the context (sharing with the stage context when that works, else sharing nothing) with a
    // framebuffer of width by height, colour and 16-bit depth, bound in it. Throws std::runtime_error
    // when no context or framebuffer can be made. The caller's current context stays current.
    OffscreenRender(int width, int height);
    ~OffscreenRender();
    OffscreenRender(const OffscreenRender&) = delete;
    OffscreenRender& operator=(const OffscreenRender&) = delete;

    const OurContext& context() const { return mContext; }

    // Waits for the drawing and copies the picture into rows that run from the top down, rowPixels pixels
    // apart, in the given OpenGL format and type.
    void ReadInto(void* pixels, int rowPixels, int bytesPerPixel, unsigned format, unsigned type);

private:
    void Release();

    OurContext mContext;
    int mWidth;
    int mHeight;
    unsigned mFramebuffer = 0;
    unsigned mColour = 0;
    unsigned mDepth = 0;
};

} // namespace Ravel
