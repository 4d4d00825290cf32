// The base of every emulated DirectDraw surface: its description, pixel format and colour keys, the
// keyed fast blit, and the texture it doubles as. A plain base surface serves depth buffers.
#pragma once

#include "platform/ddraw/ddraw_types.h"
#include "platform/elements/iunknown_imp.h"
#include "platform/render/basic_texture.h"

namespace Ravel {

class IDirectDrawImp7;

// What the Direct3D emulation reads of its render target.
struct dxTargetSurfaceDesc {
    Windows::DDSURFACEDESC2 desc;
};

class IDirectDrawSurfaceImp7 : public Windows::IDirectDrawSurface7, public IUnknownImp, public BasicTexture {
public:
    using HRESULT = Windows::HRESULT;
    using DWORD = Windows::DWORD;

    IDirectDrawSurfaceImp7();
    // Paired with the counting base's delete, which keeps released storage a while and then frees it with
    // the global delete; the compiler cannot see that the two match.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
    static void* operator new(std::size_t size)
    {
        return ::operator new(size);
    }
    static void operator delete(void* block, std::size_t size)
    {
        IUnknownImp::operator delete(block, size);
    }
#pragma GCC diagnostic pop

    HRESULT QueryInterface(Windows::REFIID iid, void** out) override;
    Windows::ULONG AddRef() override;
    Windows::ULONG Release() override;

    HRESULT AddAttachedSurface(Windows::IDirectDrawSurface7*) override
    {
        return 0;
    }
    HRESULT AddOverlayDirtyRect(Windows::RECT*) override
    {
        return 0;
    }
    HRESULT Blt(
        Windows::RECT*, Windows::IDirectDrawSurface7*, Windows::RECT*, DWORD, Windows::DDBLTFX*) override
    {
        return 0;
    }
    HRESULT BltBatch(Windows::DDBLTBATCH*, DWORD, DWORD) override
    {
        return 0;
    }
    // Copies the source rectangle to (x, y), clipped to both surfaces; with DDBLTFAST_SRCCOLORKEY and a
    // source key set, pixels equal to the key are left out. 16-bit surfaces only; -2020 otherwise.
    HRESULT BltFast(DWORD x, DWORD y, Windows::IDirectDrawSurface7* source, Windows::RECT* sourceRect,
        DWORD flags) override;
    HRESULT DeleteAttachedSurface(DWORD, Windows::IDirectDrawSurface7*) override
    {
        return 0;
    }
    HRESULT EnumAttachedSurfaces(Windows::LPVOID, Windows::LPDDENUMSURFACESCALLBACK7) override
    {
        return 0;
    }
    HRESULT EnumOverlayZOrders(DWORD, Windows::LPVOID, Windows::LPDDENUMSURFACESCALLBACK7) override
    {
        return 0;
    }
    HRESULT Flip(Windows::IDirectDrawSurface7*, DWORD) override
    {
        return 0;
    }
    HRESULT GetAttachedSurface(Windows::DDSCAPS2*, Windows::IDirectDrawSurface7**) override
    {
        return 0;
    }
    HRESULT GetBltStatus(DWORD) override
    {
        return 0;
    }
    HRESULT GetCaps(Windows::DDSCAPS2*) override
    {
        return 0;
    }
    HRESULT GetClipper(Windows::IDirectDrawClipper**) override
    {
        return 0;
    }
    // Reading a key that was never set is a misuse: asserted, and the stored (zero) key answered.
    HRESULT GetColorKey(DWORD flags, Windows::DDCOLORKEY* key) override;
    HRESULT GetDC(Windows::HDC*) override
    {
        return 0;
    }
    HRESULT GetFlipStatus(DWORD) override
    {
        return 0;
    }
    HRESULT GetOverlayPosition(Windows::LONG*, Windows::LONG*) override
    {
        return 0;
    }
    HRESULT GetPalette(Windows::IDirectDrawPalette**) override
    {
        return 0;
    }
    // Copy as many bytes as the caller's dwSize names; the caller's dwSize stays.
    HRESULT GetPixelFormat(Windows::DDPIXELFORMAT* format) override;
    HRESULT GetSurfaceDesc(Windows::DDSURFACEDESC2* desc) override;
    HRESULT Initialize(Windows::LPVOID, Windows::DDSURFACEDESC2*) override
    {
        return 0;
    }
    HRESULT IsLost() override
    {
        return 0;
    }
    // The base holds no pixels.
    HRESULT Lock(Windows::RECT*, Windows::DDSURFACEDESC2*, DWORD, Windows::HANDLE) override
    {
        return Windows::RV_DXERR_FAILED;
    }
    HRESULT ReleaseDC(Windows::HDC) override
    {
        return 0;
    }
    HRESULT Restore() override
    {
        return 0;
    }
    HRESULT SetClipper(Windows::IDirectDrawClipper*) override
    {
        return 0;
    }
    // The first of source blit, destination blit, source overlay, destination overlay in the flags
    // chooses the key; colour-space keys are not supported.
    HRESULT SetColorKey(DWORD flags, Windows::DDCOLORKEY* key) override;
    HRESULT SetOverlayPosition(Windows::LONG, Windows::LONG) override
    {
        return 0;
    }
    HRESULT SetPalette(Windows::IDirectDrawPalette*) override
    {
        return 0;
    }
    HRESULT Unlock(Windows::RECT*) override
    {
        return 0;
    }
    HRESULT UpdateOverlay(
        Windows::RECT*, Windows::IDirectDrawSurface7*, Windows::RECT*, DWORD, Windows::DDOVERLAYFX*) override
    {
        return 0;
    }
    HRESULT UpdateOverlayDisplay(DWORD) override
    {
        return 0;
    }
    HRESULT UpdateOverlayZOrder(DWORD, Windows::IDirectDrawSurface7*) override
    {
        return 0;
    }
    HRESULT GetDDInterface(Windows::LPVOID*) override
    {
        return 0;
    }
    HRESULT PageLock(DWORD) override
    {
        return 0;
    }
    HRESULT PageUnlock(DWORD) override
    {
        return 0;
    }
    HRESULT SetSurfaceDesc(Windows::DDSURFACEDESC2*, DWORD) override
    {
        return 0;
    }
    HRESULT SetPrivateData(Windows::REFGUID, Windows::LPVOID, DWORD, DWORD) override
    {
        return 0;
    }
    HRESULT GetPrivateData(Windows::REFGUID, Windows::LPVOID, DWORD*) override
    {
        return 0;
    }
    HRESULT FreePrivateData(Windows::REFGUID) override
    {
        return 0;
    }
    HRESULT GetUniquenessValue(DWORD*) override
    {
        return 0;
    }
    HRESULT ChangeUniquenessValue() override
    {
        return 0;
    }
    HRESULT SetPriority(DWORD) override
    {
        return 0;
    }
    HRESULT GetPriority(DWORD*) override
    {
        return 0;
    }
    HRESULT SetLOD(DWORD) override
    {
        return 0;
    }
    HRESULT GetLOD(DWORD*) override
    {
        return 0;
    }

    virtual HRESULT GetDesc(dxTargetSurfaceDesc* target);
    // Remembers the parent (not owned) and copies the description; a null description leaves it zeroed.
    // Subclasses throw std::exception for descriptions they cannot serve.
    virtual void Init(IDirectDrawImp7* parent, Windows::DDSURFACEDESC2* desc);
    // Tells the texture stages that the surface goes; the texture is deleted in every context.
    ~IDirectDrawSurfaceImp7() override;
    // Brings the texture up to date with the pixels before it is drawn.
    virtual void PrepareForUse() { }
    void PrepareForUse(const OurContext&) override
    {
        PrepareForUse();
    }

    const Windows::DDSURFACEDESC2& desc() const
    {
        return mDesc;
    }
    IDirectDrawImp7* parent() const
    {
        return mParent;
    }

protected:
    IDirectDrawImp7* mParent = nullptr;
    Windows::DDSURFACEDESC2 mDesc {};
};

// The emulation's own surface behind an interface pointer the game hands back, or null for none.
inline IDirectDrawSurfaceImp7* SurfaceImp(Windows::IDirectDrawSurface7* surface)
{
    return static_cast<IDirectDrawSurfaceImp7*>(surface);
}

} // namespace Ravel
