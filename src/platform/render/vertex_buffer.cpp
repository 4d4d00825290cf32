// Vertex storage with the Apple range, object and fence where the driver gives them; plain memory here
// on Mesa, which has none of them, so that no entry point is called that the driver did not give.
#include "platform/render/vertex_buffer.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>
#include <stdexcept>

#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"
#include "platform/render/card_settings.h"
#include "platform/render/gl_errors.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kWarning);

constexpr GLenum kVertexArrayRange = 0x851D; // GL_VERTEX_ARRAY_RANGE_APPLE
constexpr GLenum kVertexArrayStorageHint = 0x851F; // GL_VERTEX_ARRAY_STORAGE_HINT_APPLE
constexpr GLenum kMaxRangeElement = 0x8520; // GL_MAX_VERTEX_ARRAY_RANGE_ELEMENT_APPLE
constexpr GLint kStorageShared = 0x85BF; // GL_STORAGE_SHARED_APPLE

// The Apple entry points, looked up only when the driver lists their extension.
struct AppleCalls {
    void (*genVertexArrays)(GLsizei, GLuint*) = nullptr;
    void (*bindVertexArray)(GLuint) = nullptr;
    void (*deleteVertexArrays)(GLsizei, const GLuint*) = nullptr;
    void (*vertexArrayRange)(GLsizei, void*) = nullptr;
    void (*flushVertexArrayRange)(GLsizei, void*) = nullptr;
    void (*vertexArrayParameteri)(GLenum, GLint) = nullptr;
    void (*genFences)(GLsizei, GLuint*) = nullptr;
    void (*setFence)(GLuint) = nullptr;
    void (*finishFence)(GLuint) = nullptr;
    void (*deleteFences)(GLsizei, const GLuint*) = nullptr;
};

AppleCalls gApple;
bool gEnvChecked = false;

template <typename Call> void Find(Call& call, const char* name)
{
    call = reinterpret_cast<Call>(SDL_GL_GetProcAddress(name));
}

} // namespace

int VertexBuffer::mMaxDMALen = 0;
bool VertexBuffer::mUseAbilities = false;

void VertexBuffer::envCheck()
{
    if (gEnvChecked)
        return;
    gEnvChecked = true;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const bool arrayObject = IsExtensionListed(extensions, "GL_APPLE_vertex_array_object");
    if (arrayObject) {
        Find(gApple.genVertexArrays, "glGenVertexArraysAPPLE");
        Find(gApple.bindVertexArray, "glBindVertexArrayAPPLE");
        Find(gApple.deleteVertexArrays, "glDeleteVertexArraysAPPLE");
    }
    // The range's size limit is a name only the range extension knows; asking without it is an error.
    if (IsExtensionListed(extensions, "GL_APPLE_vertex_array_range")) {
        glGetIntegerv(kMaxRangeElement, &mMaxDMALen);
        Find(gApple.vertexArrayRange, "glVertexArrayRangeAPPLE");
        Find(gApple.flushVertexArrayRange, "glFlushVertexArrayRangeAPPLE");
        Find(gApple.vertexArrayParameteri, "glVertexArrayParameteriAPPLE");
    }
    gLog.info("Max Verts for array range:%d", mMaxDMALen);
    if (arrayObject && IsExtensionListed(extensions, "GL_APPLE_fence")) {
        Find(gApple.genFences, "glGenFencesAPPLE");
        Find(gApple.setFence, "glSetFenceAPPLE");
        Find(gApple.finishFence, "glFinishFenceAPPLE");
        Find(gApple.deleteFences, "glDeleteFencesAPPLE");
        gLog.info("GL_APPLE_vertex_array_object and GL_APPLE_fence available.");
        mUseAbilities = gApple.genVertexArrays && gApple.bindVertexArray && gApple.deleteVertexArrays
            && gApple.vertexArrayRange && gApple.flushVertexArrayRange && gApple.vertexArrayParameteri
            && gApple.genFences && gApple.setFence && gApple.finishFence && gApple.deleteFences;
    }
}

bool VertexBuffer::UsesRange() const
{
    return mUseAbilities && mVertexCount <= static_cast<std::size_t>(mMaxDMALen);
}

void VertexBuffer::Init(std::size_t size, int stride)
{
    envCheck();
    mSize = size;
    mStride = stride;
    mVertexCount = stride > 0 ? size / static_cast<std::size_t>(stride) : 0;
    if (!mStorage) {
        mStorage = static_cast<std::uint8_t*>(std::malloc(size > 0 ? size : 1));
        if (!mStorage)
            throw std::runtime_error("no memory for a vertex buffer");
    }
    if (gApple.genVertexArrays && gApple.bindVertexArray) {
        gApple.genVertexArrays(1, &mArrayObject);
        getGLErrors("glGenVertexArraysAPPLE");
        gApple.bindVertexArray(mArrayObject);
        getGLErrors("glBindVertexArrayAPPLE");
    }
    if (!mUseAbilities)
        return;
    if (!UsesRange()) {
        gLog.info(
            "abilities disabled - buffer too big (%d, max %d)", static_cast<int>(mVertexCount), mMaxDMALen);
        return;
    }
    gApple.vertexArrayParameteri(kVertexArrayStorageHint, kStorageShared);
    gApple.vertexArrayRange(static_cast<GLsizei>(mSize), mStorage);
    glEnableClientState(kVertexArrayRange);
    getGLErrors("glEnable(GL_VERTEX_ARRAY_RANGE_APPLE)");
    mRangeDeclared = true;
}

VertexBuffer::~VertexBuffer()
{
    if (mRangeDeclared) {
        gApple.vertexArrayRange(0, nullptr);
        glDisableClientState(kVertexArrayRange);
    }
    if (mFence != 0)
        gApple.deleteFences(1, &mFence);
    if (mArrayObject != 0) {
        gApple.deleteVertexArrays(1, &mArrayObject);
        gApple.bindVertexArray(0);
    }
    std::free(mStorage);
}

void* VertexBuffer::Lock()
{
    if (mFence != 0 && mUseAbilities) {
        gApple.finishFence(mFence);
        getGLErrors("glFinishFenceAPPLE");
    }
    mNeedsFlush = true;
    mUnlocked = false;
    ++mLockCount;
    return mStorage;
}

void VertexBuffer::Unlock()
{
    mUnlocked = true;
    --mLockCount;
    mFlushLength = mSize;
}

bool VertexBuffer::RenderLock_Part1()
{
    if (mArrayObject != 0)
        gApple.bindVertexArray(mArrayObject);
    mDrawn = true;
    return !mListsPrepared;
}

void VertexBuffer::RenderLock_Part2(bool prepared)
{
    if (mNeedsFlush && mRangeDeclared) {
        gApple.flushVertexArrayRange(static_cast<GLsizei>(mFlushLength), mStorage);
        mNeedsFlush = false;
        mFlushLength = 0;
    }
    if (prepared)
        mListsPrepared = true;
}

void VertexBuffer::RenderUnlock()
{
    if (mUseAbilities) {
        if (mFence == 0)
            gApple.genFences(1, &mFence);
        gApple.setFence(mFence);
    }
    if (mArrayObject != 0) {
        gApple.bindVertexArray(0);
        return;
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

} // namespace Ravel
