// Direct3D render states and texture-stage states carried over to OpenGL: depth, alpha test, blending,
// and per texture stage the bound surface, filters, wrapping and the texture-combine set-up.
#pragma once

#include <cstdint>

#include "platform/ddraw/d3d_types.h"
#include "platform/render/our_context.h"

namespace Ravel {

class IDirectDrawSurfaceImp7;

class dxTextureStages {
public:
    using HRESULT = Windows::HRESULT;
    using DWORD = Windows::DWORD;

    static constexpr int kMaxStages = 8;
    static constexpr int kRenderStates = 152;
    static constexpr int kStackSize = 4;

    struct Stage {
        bool changed = true;
        unsigned target = 0x0DE1; // GL_TEXTURE_2D
        IDirectDrawSurfaceImp7* texture = nullptr; // not owned
        DWORD colorOp = Windows::D3DTOP_DISABLE;
        DWORD colorArg1 = 0xFFFFFFFFU;
        DWORD colorArg2 = Windows::D3DTA_DIFFUSE;
        DWORD alphaOp = Windows::D3DTOP_SELECTARG1;
        DWORD alphaArg1 = 0xFFFFFFFFU;
        DWORD alphaArg2 = Windows::D3DTA_DIFFUSE;
        DWORD magFilter = Windows::D3DTFG_POINT;
        DWORD minFilter = Windows::D3DTFN_POINT;
        DWORD mipFilter = Windows::D3DTFP_NONE;
        DWORD mipLodBias = 0; // float bits; never applied
        DWORD addressU = Windows::D3DTADDRESS_WRAP;
        DWORD addressV = Windows::D3DTADDRESS_WRAP;
    };

    // Everything that Push saves and Pop restores.
    struct State {
        Stage stages[kMaxStages];
        DWORD renderStates[kRenderStates] {};
        float textureFactor[4] {};
        unsigned srcBlend = 1; // GL_ONE
        unsigned destBlend = 0; // GL_ZERO
        int highestStage = 0;
    };

    dxTextureStages();
    ~dxTextureStages();
    dxTextureStages(const dxTextureStages&) = delete;
    dxTextureStages& operator=(const dxTextureStages&) = delete;

    // 0 for the states that reach OpenGL, 1 for those only stored, -2020 above the last state.
    HRESULT SetState(Windows::D3DRENDERSTATETYPE state, DWORD value);
    // Stored for the next draw; -2020 (with a warning) on a stage past the used ones, except turning such
    // a stage's colour off, which is accepted.
    HRESULT SetState(DWORD stage, Windows::D3DTEXTURESTAGESTATETYPE type, DWORD value);
    // Binds the surface (not owned; null for none) to the stage, uploading it to this context when needed.
    HRESULT SetTexture(DWORD stage, IDirectDrawSurfaceImp7* surface);
    IDirectDrawSurfaceImp7* GetTexture(DWORD stage) const;

    // Before every draw: rebuilds the changed stages; with force every stage, its binding and every
    // render state.
    void Update(bool force);
    void UpdateStage(DWORD stage, bool force);

    // A stack of at most four saved sets; a push too many or a pop too many is logged and ignored.
    void Push();
    void Pop();

    void SetNoBlending();
    void SetBasicAlphaBlending();
    void SetColorOnly();
    void SetOneTextureOnly();

    void SetContext(const OurContext& context) { mContext = context; }
    const OurContext& context() const { return mContext; }

    // A surface is going: no stage of any set, nor any saved copy, may keep it.
    static void warnTextureDelete(IDirectDrawSurfaceImp7* surface);

    const State& state() const { return mState; }
    int stackDepth() const { return mDepth; }
    int stageCount() const { return mStageCount; }

private:
    void MakeCurrent() const;
    void ApplyBlend() const;
    void SetupCombiner(DWORD stage);
    // Stage 0 selects the argument for colour and alpha; stage 1 is off.
    void SetFirstStageOnly(DWORD argument);

    State mState;
    State mStack[kStackSize];
    int mDepth = 0;
    int mStageCount = 2;
    OurContext mContext;
};

} // namespace Ravel
