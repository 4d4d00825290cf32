// The Direct3D 7 device: draws into the OpenGL context of a memory surface with its own transforms,
// texture stages and primitive drawer. gDevice is the first device made.
#pragma once

#include "platform/ddraw/d3d_types.h"
#include "platform/ddraw/dx_primitives.h"
#include "platform/ddraw/dx_texture_stages.h"
#include "platform/ddraw/dx_transforms.h"
#include "platform/ddraw/standard_surface.h"
#include "platform/elements/iunknown_imp.h"

namespace Ravel {

// Outside the class body, where the pragmas would throw the formatter off.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
class IDirect3DDeviceImp7 : public Windows::IDirect3DDevice7, public IUnknownImp {
public:
    using HRESULT = Windows::HRESULT;
    using DWORD = Windows::DWORD;

    // Draws into the surface (not owned, not counted). A surface that is not a memory surface leaves the
    // device without a target: its scenes and draws then fail with -2020.
    explicit IDirect3DDeviceImp7(Windows::IDirectDrawSurface7* surface);
    ~IDirect3DDeviceImp7() override;
    // Paired with the counting base's delete, which keeps released storage a while and then frees it with
    // the global delete; the compiler cannot see that the two match.
    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void operator delete(void* block, std::size_t size) { IUnknownImp::operator delete(block, size); }

    HRESULT QueryInterface(Windows::REFIID, void**) override { return 0; }
    Windows::ULONG AddRef() override { return IUnknownImp::AddRef(); }
    Windows::ULONG Release() override { return IUnknownImp::Release(); }

    // Zeros with separate texture memories and the stage context's largest texture side. Without S3TC
    // in the driver, or with the card settings refusing it, DXT1 is dropped from the texture formats for
    // the rest of the run. The caller's context stays current.
    HRESULT GetCaps(Windows::D3DDEVICEDESC7* desc) override;
    // Each offered format in order until the callback answers other than D3DENUMRET_OK.
    HRESULT EnumTextureFormats(
        Windows::LPD3DENUMPIXELFORMATSCALLBACK callback, Windows::LPVOID context) override;
    // Makes the target ready for 3D (its first scene makes its off-screen context); -2020 when it cannot.
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT GetDirect3D(Windows::IDirect3D7**) override { return 0; }
    // Records the surface only; the drawing context stays the one adopted.
    HRESULT SetRenderTarget(Windows::IDirectDrawSurface7* surface, DWORD flags) override;
    // The recorded target, not counted.
    HRESULT GetRenderTarget(Windows::IDirectDrawSurface7** surface) override;
    // Clears the whole colour and depth buffer whatever rectangles are given.
    HRESULT Clear(DWORD count, Windows::D3DRECT* rects, DWORD flags, Windows::D3DCOLOR colour,
        Windows::D3DVALUE z, DWORD stencil) override;
    HRESULT SetTransform(Windows::D3DTRANSFORMSTATETYPE type, Windows::D3DMATRIX* matrix) override;
    HRESULT GetTransform(Windows::D3DTRANSFORMSTATETYPE type, Windows::D3DMATRIX* matrix) override;
    HRESULT SetViewport(Windows::D3DVIEWPORT7*) override { return 0; }
    HRESULT MultiplyTransform(Windows::D3DTRANSFORMSTATETYPE, Windows::D3DMATRIX*) override { return 0; }
    HRESULT GetViewport(Windows::D3DVIEWPORT7*) override { return 0; }
    HRESULT SetMaterial(Windows::D3DMATERIAL7*) override { return 0; }
    HRESULT GetMaterial(Windows::D3DMATERIAL7*) override { return 0; }
    HRESULT SetLight(DWORD, Windows::D3DLIGHT7*) override { return 0; }
    HRESULT GetLight(DWORD, Windows::D3DLIGHT7*) override { return 0; }
    HRESULT SetRenderState(Windows::D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(Windows::D3DRENDERSTATETYPE, DWORD*) override { return 0; }
    HRESULT BeginStateBlock() override { return 0; }
    HRESULT EndStateBlock(DWORD*) override { return 0; }
    HRESULT PreLoad(Windows::IDirectDrawSurface7*) override { return 0; }
    // Counts are vertex counts. A count of 0 only brings every stage up to date. An unknown primitive type,
    // a format without a memory routine, or no vertices: -2020 and nothing drawn.
    HRESULT DrawPrimitive(Windows::D3DPRIMITIVETYPE type, DWORD fvf, Windows::LPVOID vertices, DWORD count,
        DWORD flags) override;
    HRESULT DrawIndexedPrimitive(
        Windows::D3DPRIMITIVETYPE, DWORD, Windows::LPVOID, DWORD, Windows::WORD*, DWORD, DWORD) override
    {
        return 0;
    }
    HRESULT SetClipStatus(Windows::D3DCLIPSTATUS*) override { return 0; }
    HRESULT GetClipStatus(Windows::D3DCLIPSTATUS*) override { return 0; }
    HRESULT DrawPrimitiveStrided(
        Windows::D3DPRIMITIVETYPE, DWORD, Windows::D3DDRAWPRIMITIVESTRIDEDDATA*, DWORD, DWORD) override
    {
        return 0;
    }
    HRESULT DrawIndexedPrimitiveStrided(Windows::D3DPRIMITIVETYPE, DWORD,
        Windows::D3DDRAWPRIMITIVESTRIDEDDATA*, DWORD, Windows::WORD*, DWORD, DWORD) override
    {
        return 0;
    }
    // Vertices start to start + count of the buffer; a range past the buffer's vertices is -2020.
    HRESULT DrawPrimitiveVB(Windows::D3DPRIMITIVETYPE type, Windows::IDirect3DVertexBuffer7* buffer,
        DWORD start, DWORD count, DWORD flags) override;
    // Indices count from start; an index that reaches past the buffer's vertices is -2020, nothing drawn.
    HRESULT DrawIndexedPrimitiveVB(Windows::D3DPRIMITIVETYPE type, Windows::IDirect3DVertexBuffer7* buffer,
        DWORD start, DWORD count, Windows::WORD* indices, DWORD indexCount, DWORD flags) override;
    HRESULT ComputeSphereVisibility(Windows::D3DVECTOR*, Windows::D3DVALUE*, DWORD, DWORD, DWORD*) override
    {
        return 0;
    }
    // The stage's texture, or null for a stage outside the two used ones.
    HRESULT GetTexture(DWORD stage, Windows::IDirectDrawSurface7** surface) override;
    HRESULT SetTexture(DWORD stage, Windows::IDirectDrawSurface7* surface) override;
    HRESULT GetTextureStageState(DWORD, Windows::D3DTEXTURESTAGESTATETYPE, DWORD*) override { return 0; }
    HRESULT SetTextureStageState(DWORD stage, Windows::D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT ValidateDevice(DWORD*) override { return 0; }
    HRESULT ApplyStateBlock(DWORD) override { return 0; }
    HRESULT CaptureStateBlock(DWORD) override { return 0; }
    HRESULT DeleteStateBlock(DWORD) override { return 0; }
    HRESULT CreateStateBlock(Windows::D3DSTATEBLOCKTYPE, DWORD*) override { return 0; }
    HRESULT Load(Windows::IDirectDrawSurface7*, Windows::POINT*, Windows::IDirectDrawSurface7*,
        Windows::RECT*, DWORD) override
    {
        return 0;
    }
    HRESULT LightEnable(DWORD, Windows::BOOL) override { return 0; }
    HRESULT GetLightEnable(DWORD, Windows::BOOL*) override { return 0; }
    HRESULT SetClipPlane(DWORD, Windows::D3DVALUE*) override { return 0; }
    HRESULT GetClipPlane(DWORD, Windows::D3DVALUE*) override { return 0; }
    HRESULT GetInfo(DWORD, Windows::LPVOID, DWORD) override { return 0; }

    // Takes the surface as target and its 3D context as the drawing context; -2020 for no memory surface.
    // While a stage device exists the target is made ready for 3D (and unlocked again) first.
    HRESULT Reset(Windows::IDirectDrawSurface7* surface);
    // Makes the target ready for 3D drawing: its first use gives it a 3D context, which the device adopts.
    // Throws std::exception when no context can be made.
    void use3D();

    IDirectDrawStandardSurfaceImp7* renderTarget() const { return mRenderTarget; }
    const OurContext& context() const { return mContext; }
    dxTransforms& transforms() { return mTransforms; }
    dxTextureStages& stages() { return mStages; }
    // Raised by BeginScene and Clear; the presenting surface lowers it when a frame has been shown.
    bool sceneBegun() const { return mSceneBegun; }
    void setSceneBegun(bool begun) { mSceneBegun = begun; }

private:
    void AdoptContext(const OurContext& context);
    // Makes the context current and loads the pending matrices and stage states.
    void PrepareDraw(const char* label);

    OurContext mContext;
    dxTransforms mTransforms;
    dxPrimitives mPrimitives;
    dxTextureStages mStages;
    bool mSceneBegun = false;
    Windows::IDirectDrawSurface7* mSurfaceGiven = nullptr;
    IDirectDrawStandardSurfaceImp7* mRenderTarget = nullptr;
};
#pragma GCC diagnostic pop

// The first device made; null again once it is destroyed.
extern IDirect3DDeviceImp7* gDevice;

// The texture formats a device offers, in order; a record of size 0 ends the list and one of size -1
// has been withdrawn.
extern Windows::DDPIXELFORMAT gAvailableTextures[];

} // namespace Ravel
