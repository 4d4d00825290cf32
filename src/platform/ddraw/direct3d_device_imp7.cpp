// The Direct3D device: scenes and clearing on its render target's context, capabilities and texture
// formats, and draws that turn every failure into -2020 so that nothing thrown reaches the game.
#include "platform/ddraw/direct3d_device_imp7.h"

#include <GL/gl.h>
#include <cstring>
#include <exception>

#include "platform/ddraw/stage_device.h"
#include "platform/ddraw/vertex_buffer_imp7.h"
#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"
#include "platform/render/card_settings.h"
#include "platform/render/gl_errors.h"
#include "platform/render/recorder.h"

#include "foundation/safeguards.h"

namespace Ravel {

using namespace Windows;

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kWarning);

constexpr DWORD kWithdrawn = 0xFFFFFFFFU;

IDirectDrawStandardSurfaceImp7* MemorySurface(IDirectDrawSurface7* surface)
{
    return dynamic_cast<IDirectDrawStandardSurfaceImp7*>(SurfaceImp(surface));
}

// Runs a draw, logging what it throws; the game only ever sees 0 or -2020.
template <typename Draw> HRESULT Guarded(const char* what, Draw draw)
{
    try {
        draw();
        return 0;
    } catch (const std::exception& e) {
        gLog.error("%s refused: %s", what, e.what());
        return RV_DXERR_FAILED;
    }
}

} // namespace

IDirect3DDeviceImp7* gDevice = nullptr;

DDPIXELFORMAT gAvailableTextures[] = {
    { sizeof(DDPIXELFORMAT), DDPF_RGB | DDPF_ALPHAPIXELS, 0, { 16 }, { 0x0F00 }, { 0x00F0 }, { 0x000F },
        0xF000 },
    { sizeof(DDPIXELFORMAT), DDPF_RGB, 0, { 16 }, { 0x7C00 }, { 0x03E0 }, { 0x001F }, 0 },
    { sizeof(DDPIXELFORMAT), DDPF_RGB | DDPF_ALPHAPIXELS, 0, { 16 }, { 0x7C00 }, { 0x03E0 }, { 0x001F },
        0x8000 },
    { sizeof(DDPIXELFORMAT), DDPF_FOURCC, FOURCC_DXT1, { 16 }, { 0 }, { 0 }, { 0 }, 0 },
    { 0, 0, 0, { 0 }, { 0 }, { 0 }, { 0 }, 0 },
};

IDirect3DDeviceImp7::IDirect3DDeviceImp7(IDirectDrawSurface7* surface)
{
    if (Reset(surface) != 0)
        gLog.error("a Direct3D device made without a memory surface to draw in");
    Recorder::shared();
}

IDirect3DDeviceImp7::~IDirect3DDeviceImp7()
{
    if (gDevice == this)
        gDevice = nullptr;
    // The stage device is not counted by the surfaces that ask for it: none may find it gone.
    if (gStage == this)
        gStage = nullptr;
}

void IDirect3DDeviceImp7::AdoptContext(const OurContext& context)
{
    mContext = context;
    mTransforms.ResetDevice(this, context);
    mStages.SetContext(context);
}

HRESULT IDirect3DDeviceImp7::Reset(IDirectDrawSurface7* surface)
{
    mSurfaceGiven = surface;
    IDirectDrawStandardSurfaceImp7* target = MemorySurface(surface);
    if (!target)
        return RV_DXERR_FAILED;
    mRenderTarget = target;
    if (gStage) {
        try {
            use3D();
        } catch (const std::exception& e) {
            gLog.error(e);
            return RV_DXERR_FAILED;
        }
        target->done3D();
    }
    AdoptContext(target->Get3DContext());
    return 0;
}

void IDirect3DDeviceImp7::use3D()
{
    if (!mRenderTarget->Is3DSetup()) {
        mRenderTarget->use3D();
        AdoptContext(mRenderTarget->Get3DContext());
    } else {
        mRenderTarget->use3D();
    }
}

HRESULT IDirect3DDeviceImp7::GetCaps(D3DDEVICEDESC7* desc)
{
    if (!desc)
        return RV_DXERR_FAILED;
    std::memset(desc, 0, sizeof(*desc));
    desc->dwDevCaps = D3DDEVCAPS_SEPARATETEXTUREMEMORIES;
    SavedContext saved;
    const OurContext& stage = GetStageContext();
    stage.use();
    CardSettings::me().setContext(stage);
    const char* extensions = nullptr;
    if (!stage.isNull()) {
        GLint largest = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
        desc->dwMaxTextureWidth = desc->dwMaxTextureHeight = static_cast<DWORD>(largest);
        extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    }
    if (!IsExtensionListed(extensions, "GL_EXT_texture_compression_s3tc")
        || !CardSettings::me().get("GL_EXT_texture_compression_s3tc")) {
        for (DDPIXELFORMAT* format = gAvailableTextures; format->dwSize != 0; ++format) {
            if ((format->dwFlags & DDPF_FOURCC) && format->dwFourCC == FOURCC_DXT1)
                format->dwSize = kWithdrawn;
        }
    }
    return 0;
}

HRESULT IDirect3DDeviceImp7::EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, LPVOID context)
{
    if (!callback)
        return RV_DXERR_FAILED;
    for (DDPIXELFORMAT* format = gAvailableTextures; format->dwSize != 0; ++format) {
        if (format->dwSize == kWithdrawn)
            continue;
        DDPIXELFORMAT copy = *format;
        if (callback(&copy, context) != D3DENUMRET_OK)
            break;
    }
    return 0;
}

HRESULT IDirect3DDeviceImp7::BeginScene()
{
    if (!mRenderTarget)
        return RV_DXERR_FAILED;
    const HRESULT result = Guarded("BeginScene", [this] { use3D(); });
    if (result == 0)
        mSceneBegun = true;
    return result;
}

HRESULT IDirect3DDeviceImp7::EndScene()
{
    if (!mRenderTarget)
        return RV_DXERR_FAILED;
    mRenderTarget->done3D();
    return 0;
}

HRESULT IDirect3DDeviceImp7::SetRenderTarget(IDirectDrawSurface7* surface, DWORD)
{
    IDirectDrawStandardSurfaceImp7* target = MemorySurface(surface);
    if (!target)
        return RV_DXERR_FAILED;
    mRenderTarget = target;
    return 0;
}

HRESULT IDirect3DDeviceImp7::GetRenderTarget(IDirectDrawSurface7** surface)
{
    if (!surface)
        return RV_DXERR_FAILED;
    *surface = mRenderTarget;
    return 0;
}

HRESULT IDirect3DDeviceImp7::Clear(DWORD, D3DRECT*, DWORD, D3DCOLOR colour, D3DVALUE z, DWORD)
{
    mContext.use();
    glClearColor(static_cast<float>((colour >> 16) & 0xFF) / 255.0F,
        static_cast<float>((colour >> 8) & 0xFF) / 255.0F, static_cast<float>(colour & 0xFF) / 255.0F,
        static_cast<float>((colour >> 24) & 0xFF) / 255.0F);
    glClearDepth(static_cast<double>(z));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    mSceneBegun = true;
    return 0;
}

HRESULT IDirect3DDeviceImp7::SetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix)
{
    return mTransforms.SetTransform(type, matrix);
}

HRESULT IDirect3DDeviceImp7::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix)
{
    return mTransforms.GetTransform(type, matrix);
}

HRESULT IDirect3DDeviceImp7::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    return mStages.SetState(state, value);
}

HRESULT IDirect3DDeviceImp7::GetTexture(DWORD stage, IDirectDrawSurface7** surface)
{
    if (!surface)
        return RV_DXERR_FAILED;
    *surface = mStages.GetTexture(stage);
    return 0;
}

HRESULT IDirect3DDeviceImp7::SetTexture(DWORD stage, IDirectDrawSurface7* surface)
{
    mStages.SetTexture(stage, SurfaceImp(surface));
    return 0;
}

HRESULT IDirect3DDeviceImp7::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    return mStages.SetState(stage, type, value);
}

void IDirect3DDeviceImp7::PrepareDraw(const char* label)
{
    mContext.use();
    getGLErrors(label);
    mTransforms.PrepareRenderMatrix(false);
    mStages.Update(false);
}

HRESULT IDirect3DDeviceImp7::DrawPrimitive(
    D3DPRIMITIVETYPE type, DWORD fvf, LPVOID vertices, DWORD count, DWORD)
{
    if (count == 0) {
        mContext.use();
        mStages.Update(true);
        return 0;
    }
    return Guarded("DrawPrimitive", [&] {
        PrepareDraw("pre-DrawPrimitive");
        mPrimitives.Render(type, fvf, vertices, count, this);
        getGLErrors("DrawPrimitive");
    });
}

HRESULT IDirect3DDeviceImp7::DrawPrimitiveVB(
    D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer, DWORD start, DWORD count, DWORD)
{
    return Guarded("DrawPrimitiveVB", [&] {
        auto* ours = static_cast<IDirect3DVertexBufferImp7*>(buffer);
        PrepareDraw("pre-DrawPrimitive");
        mPrimitives.Render(type, ours ? ours->handler() : nullptr, ours, start, count, this);
        getGLErrors("DrawPrimitiveVB");
    });
}

HRESULT IDirect3DDeviceImp7::DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer,
    DWORD start, DWORD count, WORD* indices, DWORD indexCount, DWORD)
{
    return Guarded("DrawIndexedPrimitiveVB", [&] {
        auto* ours = static_cast<IDirect3DVertexBufferImp7*>(buffer);
        PrepareDraw("pre-DrawIndexedPrimitiveVB");
        mPrimitives.Record(
            type, ours ? ours->handler() : nullptr, ours, start, count, indices, indexCount, this);
        getGLErrors("DrawIndexedPrimitiveVB");
    });
}

} // namespace Ravel
