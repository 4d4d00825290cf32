// A hidden window's context and a framebuffer in it, for Direct3D drawing into a memory surface.
#include "platform/ddraw/offscreen_render.h"
#include "platform/host/headless.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"
#include "platform/render/gl_errors.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kWarning);

void* CreateContext(SDL_Window* window, bool share)
{
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, share ? 1 : 0);
    void* gl = SDL_GL_CreateContext(window);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
    return gl;
}

} // namespace

OffscreenRender::OffscreenRender(int width, int height)
    : mWidth(width)
    , mHeight(height)
{
    if (width <= 0 || height <= 0)
        throw std::runtime_error("off-screen 3D target without a size");
    // Headless runs make no window of any kind, hidden ones included.
    if (IsHeadless())
        throw std::runtime_error("no off-screen 3D context when running headless");
    SavedContext saved;
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window)
        throw std::runtime_error("no window for an off-screen 3D context");
    void* gl = nullptr;
    const OurContext& stage = GetStageContext();
    if (!stage.isNull()) {
        stage.use();
        gl = CreateContext(window, true);
    }
    if (!gl) {
        gLog.warn("off-screen 3D context shares nothing with the game window: %s", SDL_GetError());
        gl = CreateContext(window, false);
    }
    if (!gl) {
        SDL_DestroyWindow(window);
        throw std::runtime_error("no off-screen 3D context");
    }
    mContext = OurContext { window, gl };
    // Creating made the new context current behind our bookkeeping's back.
    mContext.use(true);

    glGenFramebuffers(1, &mFramebuffer);
    glGenRenderbuffers(1, &mColour);
    glGenRenderbuffers(1, &mDepth);
    glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, mColour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, mColour);
    glBindRenderbuffer(GL_RENDERBUFFER, mDepth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, mDepth);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    getGLErrors("off-screen framebuffer");
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        Release();
        throw std::runtime_error("off-screen framebuffer incomplete");
    }
}

OffscreenRender::~OffscreenRender()
{
    const OurContext before = GetCurrentContext();
    const OurContext ours = mContext;
    Release();
    if (before != ours)
        UseSavedContext(before);
}

void OffscreenRender::Release()
{
    if (mContext.isNull())
        return;
    mContext.use();
    glDeleteFramebuffers(1, &mFramebuffer);
    glDeleteRenderbuffers(1, &mColour);
    glDeleteRenderbuffers(1, &mDepth);
    OurContext {}.use(true);
    SDL_GL_DeleteContext(mContext.gl);
    SDL_DestroyWindow(mContext.window);
    mContext = OurContext {};
}

void OffscreenRender::ReadInto(void* pixels, int rowPixels, int bytesPerPixel, unsigned format, unsigned type)
{
    SavedContext saved;
    mContext.use();
    glFinish();
    glPixelStorei(GL_PACK_ROW_LENGTH, rowPixels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, mWidth, mHeight, format, type, pixels);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    getGLErrors("off-screen read back");
    // OpenGL's rows run from the bottom up, the surface's from the top down.
    const std::size_t rowBytes
        = static_cast<std::size_t>(rowPixels) * static_cast<std::size_t>(bytesPerPixel);
    std::vector<std::uint8_t> spare(rowBytes);
    auto* rows = static_cast<std::uint8_t*>(pixels);
    for (int top = 0, bottom = mHeight - 1; top < bottom; ++top, --bottom) {
        std::memcpy(spare.data(), rows + top * rowBytes, rowBytes);
        std::memcpy(rows + top * rowBytes, rows + bottom * rowBytes, rowBytes);
        std::memcpy(rows + bottom * rowBytes, spare.data(), rowBytes);
    }
}

} // namespace Ravel
