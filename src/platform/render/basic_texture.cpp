// Textures tracked per context: names from our own counter, uploads recorded per context, and deletion
// in every context that holds the texture.
#include "platform/render/basic_texture.h"

#include <GL/gl.h>
#include <atomic>
#include <stdexcept>

#include "platform/elements/rv_assert.h"
#include "platform/render/card_settings.h"
#include "platform/render/gl_errors.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

std::atomic<unsigned int> gNextTextureName { 1 };
// Hot paths check for errors once in a thousand calls.
int gMatrixCheckCount = 0;

} // namespace

bool ContextRegister::IsKnown(const OurContext& context)
{
    if (mHasCached && context == mCached)
        return true;
    auto found = mMap.find(context);
    if (found == mMap.end())
        return false;
    mHasCached = true;
    mCached = found->first;
    mCachedValue = found->second;
    return true;
}

void ContextRegister::Put(const OurContext& context, int value)
{
    mMap[context] = value;
    mHasCached = true;
    mCached = context;
    mCachedValue = value;
}

BasicTexture::~BasicTexture()
{
    if (mName == 0)
        return;
    SavedContext saved;
    for (const auto& entry : mContexts.entries()) {
        entry.first.use();
        GLuint name = mName;
        glDeleteTextures(1, &name);
    }
    mName = 0;
}

void BasicTexture::Upload(const OurContext&)
{
    throw std::logic_error("upload() Not supported");
}

void BasicTexture::PrepareForUse(const OurContext&) { }

void BasicTexture::MakeName()
{
    if (mName == 0)
        mName = gNextTextureName.fetch_add(1);
}

void BasicTexture::MakeRectTexture(int w, int h)
{
    RV_ASSERT(mName == 0);
    mTarget = 0x84F5; // GL_TEXTURE_RECTANGLE_EXT
    mScaleX = static_cast<float>(w - 1);
    mScaleY = static_cast<float>(h - 1);
}

void BasicTexture::MakeAddressScales(int w, int h, int tw, int th)
{
    mScaleX = tw != 0 ? static_cast<float>(w) / static_cast<float>(tw) : 0.0F;
    mScaleY = th != 0 ? static_cast<float>(h) / static_cast<float>(th) : 0.0F;
}

long BasicTexture::CalcPowerTwoSize(long n)
{
    if (n < 1)
        return 0;
    long size = 1;
    while (size < n)
        size <<= 1;
    return size;
}

bool BasicTexture::IsRectTextureAvailable()
{
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return IsExtensionListed(extensions, "GL_EXT_texture_rectangle")
        && CardSettings::me().get("GL_EXT_texture_rectangle");
}

bool BasicTexture::CheckContext(const OurContext& context, bool create)
{
    if (mContexts.IsKnown(context)) {
        PrepareForUse(context);
        return true;
    }
    if (!create)
        return false;
    try {
        Upload(context);
    } catch (...) {
        return false;
    }
    mContexts.Put(context, -1);
    return true;
}

void BasicTexture::UpdateGLTextureMatrix()
{
    if (++gMatrixCheckCount >= 1000) {
        gMatrixCheckCount = 0;
        getGLErrors("UpdateGLTextureMatrix");
    }
    GLfloat matrix[16] = {};
    matrix[0] = mScaleX + 1.0F;
    matrix[5] = mScaleY + 1.0F;
    matrix[10] = 1.0F;
    matrix[15] = 1.0F;
    glMatrixMode(GL_TEXTURE);
    glLoadMatrixf(matrix);
    glMatrixMode(GL_MODELVIEW);
}

} // namespace Ravel
