// Render states and texture stages carried over to OpenGL, lazily per stage, with a small save stack.
#include "platform/ddraw/dx_texture_stages.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <algorithm>
#include <vector>

#include "platform/ddraw/ddraw_surface.h"
#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"
#include "platform/render/gl_errors.h"

#include "foundation/safeguards.h"

namespace Ravel {

using namespace Windows;

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kWarning);

// Every set that exists, so that a surface going away can be taken out of all of them.
std::vector<dxTextureStages*>& AllObjs()
{
    static std::vector<dxTextureStages*> sAll;
    return sAll;
}

// Shared by all sets, as OpenGL's alpha function is per context and the game sets it once.
float gAlphaRef = 0.0F;
GLenum gAlphaFunc = GL_GREATER;

constexpr GLenum kAllTexTypes[] = { GL_TEXTURE_2D, GL_TEXTURE_RECTANGLE_ARB };

GLenum BlendFactor(DWORD value, GLenum keep)
{
    switch (value) {
    case D3DBLEND_ZERO:
        return GL_ZERO;
    case D3DBLEND_ONE:
        return GL_ONE;
    case D3DBLEND_SRCCOLOR:
        return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
        return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
        return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
        return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTCOLOR:
        return GL_DST_COLOR;
    default:
        return keep;
    }
}

void Toggle(GLenum capability, bool on)
{
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

} // namespace

dxTextureStages::dxTextureStages()
{
    mState.stages[0].colorOp = D3DTOP_SELECTARG1;
    mState.stages[0].colorArg1 = D3DTA_TEXTURE;
    AllObjs().push_back(this);
}

dxTextureStages::~dxTextureStages()
{
    auto& all = AllObjs();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void dxTextureStages::MakeCurrent() const
{
    // A set not yet given its device's context must not release whatever context is current.
    if (!mContext.isNull())
        mContext.use();
}

void dxTextureStages::ApplyBlend() const
{
    glBlendFunc(mState.srcBlend, mState.destBlend);
}

HRESULT dxTextureStages::SetState(D3DRENDERSTATETYPE state, DWORD value)
{
    if (state >= kRenderStates)
        return RV_DXERR_FAILED;
    MakeCurrent();
    mState.renderStates[state] = value;
    switch (state) {
    case D3DRENDERSTATE_ZENABLE:
        Toggle(GL_DEPTH_TEST, value != 0);
        break;
    case D3DRENDERSTATE_ZWRITEENABLE:
        glDepthMask(static_cast<GLboolean>(value & 0xFF));
        break;
    case D3DRENDERSTATE_ALPHATESTENABLE:
        Toggle(GL_ALPHA_TEST, value != 0);
        break;
    case D3DRENDERSTATE_SRCBLEND:
        mState.srcBlend = BlendFactor(value, mState.srcBlend);
        ApplyBlend();
        break;
    case D3DRENDERSTATE_DESTBLEND:
        mState.destBlend = BlendFactor(value, mState.destBlend);
        ApplyBlend();
        break;
    case D3DRENDERSTATE_CULLMODE:
        break;
    case D3DRENDERSTATE_ZFUNC:
        glDepthFunc(value == D3DCMP_GREATER ? GL_GREATER : GL_LEQUAL);
        break;
    case D3DRENDERSTATE_ALPHAREF:
        gAlphaRef = static_cast<float>(value) / 255.0F;
        glAlphaFunc(gAlphaFunc, gAlphaRef);
        break;
    case D3DRENDERSTATE_ALPHAFUNC:
        if (value >= D3DCMP_NEVER && value <= D3DCMP_ALWAYS)
            gAlphaFunc = GL_NEVER + (value - D3DCMP_NEVER);
        glAlphaFunc(gAlphaFunc, gAlphaRef);
        break;
    case D3DRENDERSTATE_ALPHABLENDENABLE:
        Toggle(GL_BLEND, value != 0);
        break;
    case D3DRENDERSTATE_TEXTUREFACTOR:
        mState.textureFactor[0] = static_cast<float>((value >> 16) & 0xFF) / 255.0F;
        mState.textureFactor[1] = static_cast<float>((value >> 8) & 0xFF) / 255.0F;
        mState.textureFactor[2] = static_cast<float>(value & 0xFF) / 255.0F;
        mState.textureFactor[3] = static_cast<float>((value >> 24) & 0xFF) / 255.0F;
        for (Stage& stage : mState.stages)
            stage.changed = true;
        break;
    default:
        return S_FALSE;
    }
    getGLErrors("SetRenderState");
    return 0;
}

HRESULT dxTextureStages::SetState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    MakeCurrent();
    if (stage >= static_cast<DWORD>(mStageCount)) {
        if (type == D3DTSS_COLOROP && value == D3DTOP_DISABLE)
            return 0;
        gLog.warn("Set state on too high of texture stage! %u", static_cast<unsigned>(stage));
        return RV_DXERR_FAILED;
    }
    Stage& record = mState.stages[stage];
    DWORD* field = nullptr;
    switch (type) {
    case D3DTSS_COLOROP:
        field = &record.colorOp;
        break;
    case D3DTSS_COLORARG1:
        field = &record.colorArg1;
        break;
    case D3DTSS_COLORARG2:
        field = &record.colorArg2;
        break;
    case D3DTSS_ALPHAOP:
        field = &record.alphaOp;
        break;
    case D3DTSS_ALPHAARG1:
        field = &record.alphaArg1;
        break;
    case D3DTSS_ALPHAARG2:
        field = &record.alphaArg2;
        break;
    case D3DTSS_ADDRESSU:
        field = &record.addressU;
        break;
    case D3DTSS_ADDRESSV:
        field = &record.addressV;
        break;
    case D3DTSS_MAGFILTER:
        field = &record.magFilter;
        break;
    case D3DTSS_MINFILTER:
        field = &record.minFilter;
        break;
    case D3DTSS_MIPFILTER:
        field = &record.mipFilter;
        break;
    case D3DTSS_MIPMAPLODBIAS:
        field = &record.mipLodBias;
        break;
    }
    if (field) {
        *field = value;
        record.changed = true;
    }
    return 0;
}

HRESULT dxTextureStages::SetTexture(DWORD stage, IDirectDrawSurfaceImp7* surface)
{
    MakeCurrent();
    getGLErrors("pre-SetTexture");
    if (stage >= static_cast<DWORD>(mStageCount)) {
        gLog.warn("Set texture on too high stage! %u", static_cast<unsigned>(stage));
        return 0;
    }
    Stage& record = mState.stages[stage];
    glActiveTexture(GL_TEXTURE0 + stage);
    record.texture = surface;
    if (surface) {
        if (surface->target() != record.target) {
            glDisable(record.target);
            glBindTexture(record.target, 0);
        }
        surface->CheckContext(mContext, true);
        surface->PrepareForUse();
        record.target = surface->target();
        glEnable(record.target);
        glBindTexture(record.target, surface->name());
        if (record.colorOp == D3DTOP_DISABLE)
            glDisable(record.target);
        surface->UpdateGLTextureMatrix();
    } else {
        glBindTexture(record.target, 0);
        glDisable(record.target);
    }
    glActiveTexture(GL_TEXTURE0);
    getGLErrors("SetTexture");
    record.changed = true;
    return 0;
}

IDirectDrawSurfaceImp7* dxTextureStages::GetTexture(DWORD stage) const
{
    return stage < static_cast<DWORD>(mStageCount) ? mState.stages[stage].texture : nullptr;
}

void dxTextureStages::Update(bool force)
{
    if (force) {
        MakeCurrent();
        for (int s = 0; s < mStageCount; ++s) {
            const Stage& record = mState.stages[s];
            glActiveTexture(GL_TEXTURE0 + s);
            glBindTexture(record.target, record.texture ? record.texture->name() : 0);
        }
        glActiveTexture(GL_TEXTURE0);
    }
    for (int s = 0; s < mStageCount; ++s) {
        if (force || mState.stages[s].changed)
            UpdateStage(static_cast<DWORD>(s), force);
    }
    if (force) {
        for (int state = 0; state < kRenderStates; ++state)
            SetState(static_cast<D3DRENDERSTATETYPE>(state), mState.renderStates[state]);
    }
}

void dxTextureStages::UpdateStage(DWORD stage, bool force)
{
    MakeCurrent();
    getGLErrors("pre-UpdateGLWithTextureState");
    // The chain of stages ends at the first one whose colour is off.
    for (DWORD earlier = 0; earlier < stage && earlier < static_cast<DWORD>(kMaxStages); ++earlier) {
        if (mState.stages[earlier].colorOp == D3DTOP_DISABLE)
            return;
    }
    if (stage >= static_cast<DWORD>(mStageCount)) {
        gLog.warn("Update state on too high texture stage! %u", static_cast<unsigned>(stage));
        return;
    }
    Stage& record = mState.stages[stage];
    glActiveTexture(GL_TEXTURE0 + stage);
    if (force) {
        for (GLenum type : kAllTexTypes)
            glDisable(type);
    }
    if (record.colorOp == D3DTOP_DISABLE) {
        for (int s = static_cast<int>(stage); s <= mState.highestStage && s < mStageCount; ++s) {
            glActiveTexture(GL_TEXTURE0 + s);
            glDisable(mState.stages[s].target);
        }
        mState.highestStage = static_cast<int>(stage) - 1;
        glActiveTexture(GL_TEXTURE0);
        record.changed = false;
        return;
    }
    glEnable(record.target);
    mState.highestStage = std::max(mState.highestStage, static_cast<int>(stage));

    const GLenum target = record.target;
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, record.magFilter == D3DTFG_POINT ? GL_NEAREST : GL_LINEAR);
    const bool pointMin = record.minFilter == D3DTFN_POINT;
    GLenum minFilter = GL_LINEAR_MIPMAP_LINEAR;
    switch (record.mipFilter) {
    case D3DTFP_NONE:
        minFilter = pointMin ? GL_NEAREST : GL_LINEAR;
        break;
    case D3DTFP_POINT:
        minFilter = pointMin ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST;
        break;
    case D3DTFP_LINEAR:
        minFilter = pointMin ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
        break;
    }
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minFilter));
    auto wrap = [target](DWORD address) -> GLint {
        if (target == GL_TEXTURE_RECTANGLE_ARB)
            return GL_CLAMP;
        return address == D3DTADDRESS_CLAMP ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    };
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap(record.addressU));
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap(record.addressV));

    SetupCombiner(stage);
    glActiveTexture(GL_TEXTURE0);
    record.changed = false;
    getGLErrors("UpdateGLWithTextureState");
}

void dxTextureStages::SetupCombiner(DWORD stage)
{
    const Stage& record = mState.stages[stage];
    const GLenum current = stage == 0 ? GL_PRIMARY_COLOR : GL_PREVIOUS;
    auto source = [current](DWORD argument) -> GLenum {
        switch (argument) {
        case D3DTA_TEXTURE:
            return GL_TEXTURE;
        case D3DTA_TFACTOR:
            return GL_CONSTANT;
        case D3DTA_DIFFUSE:
            return GL_PRIMARY_COLOR;
        default:
            return current;
        }
    };
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, mState.textureFactor);

    GLenum colorFunc = GL_MODULATE;
    GLfloat colorScale = 1.0F;
    switch (record.colorOp) {
    case D3DTOP_SELECTARG1:
    case D3DTOP_SELECTARG2:
        colorFunc = GL_REPLACE;
        break;
    case D3DTOP_MODULATE2X:
        colorScale = 2.0F;
        break;
    case D3DTOP_ADD:
        colorFunc = GL_ADD_SIGNED;
        break;
    case D3DTOP_DOTPRODUCT3:
        colorFunc = GL_DOT3_RGBA;
        break;
    }
    GLenum color0 = source(record.colorArg1);
    GLenum color1 = source(record.colorArg2);
    if (record.colorOp == D3DTOP_SELECTARG2)
        std::swap(color0, color1);

    GLenum alphaFunc = GL_MODULATE;
    GLfloat alphaScale = 1.0F;
    if (record.alphaOp >= D3DTOP_DISABLE && record.alphaOp <= D3DTOP_SELECTARG2)
        alphaFunc = GL_REPLACE;
    else if (record.alphaOp == D3DTOP_MODULATE2X)
        alphaScale = 2.0F;
    GLenum alpha0 = source(record.alphaArg1);
    GLenum alpha1 = source(record.alphaArg2);
    if (record.alphaOp == D3DTOP_SELECTARG2)
        std::swap(alpha0, alpha1);
    if (record.alphaOp == D3DTOP_DISABLE)
        alpha0 = current;

    if (stage == 0 && !record.texture)
        glDisable(record.target);
    if (colorFunc == GL_MODULATE && color0 == GL_TEXTURE)
        std::swap(color0, color1);
    if (alphaFunc == GL_MODULATE && alpha0 == GL_TEXTURE)
        std::swap(alpha0, alpha1);

    if (colorFunc == GL_REPLACE && alphaFunc == GL_REPLACE && color0 == GL_TEXTURE && alpha0 == GL_TEXTURE) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        return;
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, colorScale);
    glTexEnvf(GL_TEXTURE_ENV, GL_ALPHA_SCALE, alphaScale);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, static_cast<GLint>(colorFunc));
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, static_cast<GLint>(alphaFunc));
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, static_cast<GLint>(color0));
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, static_cast<GLint>(color1));
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, static_cast<GLint>(alpha0));
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA, static_cast<GLint>(alpha1));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, GL_SRC_ALPHA);
}

void dxTextureStages::Push()
{
    if (mDepth >= kStackSize) {
        gLog.error("push() called when stack full");
        return;
    }
    mStack[mDepth++] = mState;
}

void dxTextureStages::Pop()
{
    if (mDepth <= 0) {
        gLog.error("pop() called on empty stack");
        return;
    }
    const State& top = mStack[mDepth - 1];
    for (int state = 0; state < kRenderStates; ++state)
        SetState(static_cast<D3DRENDERSTATETYPE>(state), top.renderStates[state]);
    mState = top;
    --mDepth;
    for (Stage& stage : mState.stages)
        stage.changed = true;
    Update(true);
}

void dxTextureStages::SetNoBlending()
{
    SetState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
    SetState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
}

void dxTextureStages::SetBasicAlphaBlending()
{
    SetState(D3DRENDERSTATE_ALPHATESTENABLE, 0);
    SetState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    SetState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    SetState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
}

void dxTextureStages::SetColorOnly()
{
    SetFirstStageOnly(D3DTA_DIFFUSE);
}

void dxTextureStages::SetOneTextureOnly()
{
    SetFirstStageOnly(D3DTA_TEXTURE);
}

void dxTextureStages::SetFirstStageOnly(DWORD argument)
{
    SetState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    SetState(0, D3DTSS_COLORARG1, argument);
    SetState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    SetState(0, D3DTSS_ALPHAARG1, argument);
    SetState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
}

void dxTextureStages::warnTextureDelete(IDirectDrawSurfaceImp7* surface)
{
    if (!surface)
        return;
    for (dxTextureStages* set : AllObjs()) {
        for (int s = 0; s < kMaxStages; ++s) {
            Stage& record = set->mState.stages[s];
            if (record.texture != surface)
                continue;
            record.texture = nullptr;
            record.changed = true;
            if (set->mContext.isNull())
                continue;
            SavedContext saved;
            set->mContext.use();
            glActiveTexture(GL_TEXTURE0 + s);
            glBindTexture(record.target, 0);
            glActiveTexture(GL_TEXTURE0);
        }
        for (int depth = 0; depth < set->mDepth; ++depth) {
            for (Stage& record : set->mStack[depth].stages) {
                if (record.texture == surface) {
                    record.texture = nullptr;
                    record.changed = true;
                }
            }
        }
    }
}

} // namespace Ravel
