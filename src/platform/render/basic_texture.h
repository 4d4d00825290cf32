// The base of every emulated surface that can be a texture: its name, target and coordinate scales,
// and the contexts in which it has been uploaded.
#pragma once

#include <map>

#include "platform/render/our_context.h"

namespace Ravel {

// Contexts mapped to a value, with the last one found cached so that the usual repeated check is cheap.
class ContextRegister {
public:
    bool IsKnown(const OurContext& context);
    void Put(const OurContext& context, int value);
    const std::map<OurContext, int>& entries() const { return mMap; }

private:
    std::map<OurContext, int> mMap;
    bool mHasCached = false;
    OurContext mCached;
    int mCachedValue = 0;
};

class BasicTexture {
public:
    BasicTexture() = default;
    // Deletes the texture in every context that holds it; the caller's current context stays current.
    virtual ~BasicTexture();
    BasicTexture(const BasicTexture&) = delete;
    BasicTexture& operator=(const BasicTexture&) = delete;

    // Creates the texture in the context; the base cannot and throws std::logic_error.
    virtual void Upload(const OurContext& context);
    // Brings an existing texture up to date before it is drawn; the base has nothing to do.
    virtual void PrepareForUse(const OurContext& context);

    // Takes the next texture name when there is none yet. Names are never reused.
    void MakeName();
    // Turns this texture into a rectangle texture of w by h texels; only before it has a name.
    void MakeRectTexture(int w, int h);
    // A surface of w by h held in a texture of tw by th.
    void MakeAddressScales(int w, int h, int tw, int th);
    // The smallest power of two at least n; 0 below 1.
    static long CalcPowerTwoSize(long n);
    // The current context lists GL_EXT_texture_rectangle and the card settings allow it.
    static bool IsRectTextureAvailable();
    // True when the texture exists in the context (brought up to date); otherwise, with create, uploads it
    // there and answers whether that worked. A failed upload leaves the context unregistered.
    bool CheckContext(const OurContext& context, bool create);
    // Loads the texture matrix that maps 0..1 onto the texture's texels.
    void UpdateGLTextureMatrix();

    unsigned int name() const { return mName; }
    unsigned int target() const { return mTarget; }
    float scaleX() const { return mScaleX; }
    float scaleY() const { return mScaleY; }

protected:
    unsigned int mName = 0;
    unsigned int mTarget = 0x0DE1; // GL_TEXTURE_2D
    float mScaleX = 1.0F;
    float mScaleY = 1.0F;
    ContextRegister mContexts;
};

} // namespace Ravel
