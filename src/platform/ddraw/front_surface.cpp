// Presenting a frame: the front surface's flip and the OpenGL-drawing surface's blits into the window.
#include "platform/ddraw/front_surface.h"

#include <algorithm>
#include <cstring>

#include "platform/ddraw/ddraw_object.h"
#include "platform/ddraw/stage_device.h"
#include "platform/ddraw/stage_draw.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/host/headless.h"

#include "foundation/safeguards.h"

namespace Ravel {

using namespace Windows;

IDirectDrawFrontSurfaceImp7::~IDirectDrawFrontSurfaceImp7()
{
    if (mBackBuffer)
        mBackBuffer->Release();
}

HRESULT IDirectDrawFrontSurfaceImp7::GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface)
{
    if (!caps || !surface || caps->dwCaps != DDSCAPS_BACKBUFFER)
        return RV_DXERR_FAILED;
    if (!mBackBuffer) {
        if (!mParent)
            return RV_DXERR_FAILED;
        DDSURFACEDESC2 desc {};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
        desc.dwHeight = mDesc.dwHeight;
        desc.dwWidth = mDesc.dwWidth;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_VIDEOMEMORY;
        if (HRESULT result = mParent->CreateSurface(&desc, &mBackBuffer, nullptr); result != 0)
            return result;
    }
    *surface = mBackBuffer;
    return 0;
}

HRESULT IDirectDrawFrontSurfaceImp7::Blt(RECT*, IDirectDrawSurface7* source, RECT*, DWORD, DDBLTFX*)
{
    return Flip(source ? source : this, 0);
}

HRESULT IDirectDrawFrontSurfaceImp7::Flip(IDirectDrawSurface7* surface, DWORD)
{
    IDirectDrawSurface7* shown = surface ? surface : (mBackBuffer ? mBackBuffer : this);
    const bool drawn = ShowOnStage(SurfaceImp(shown));
    presentScreen();
    if (drawn)
        WaitForStageTexture(SurfaceImp(shown));
    return 0;
}

void IDirectDrawGLSurfaceImp7::Init(IDirectDrawImp7* parent, DDSURFACEDESC2* desc)
{
    if (desc)
        desc->ddpfPixelFormat.dwFlags |= DDPF_ALPHAPIXELS;
    IDirectDrawStandardSurfaceImp7::Init(parent, desc);
}

HRESULT IDirectDrawGLSurfaceImp7::GetDC(HDC* dc)
{
    const HRESULT result = IDirectDrawStandardSurfaceImp7::GetDC(dc);
    if (result == 0 && deviceContext())
        deviceContext()->render.SetLockNotification(this);
    return result;
}

void IDirectDrawGLSurfaceImp7::WillLock()
{
    if (mDirty.right < mDirty.left || mDirty.bottom < mDirty.top)
        Clear(0x8000);
}

void IDirectDrawGLSurfaceImp7::DoneUnlock(const DRect& rect)
{
    if (mDirty.right < mDirty.left || mDirty.bottom < mDirty.top) {
        mDirty = rect;
        return;
    }
    if (rect.bottom < rect.top || rect.right < rect.left)
        return;
    mDirty.left = std::min(mDirty.left, rect.left);
    mDirty.top = std::min(mDirty.top, rect.top);
    mDirty.right = std::max(mDirty.right, rect.right);
    mDirty.bottom = std::max(mDirty.bottom, rect.bottom);
}

HRESULT IDirectDrawGLSurfaceImp7::Blt(
    RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, DDBLTFX* fx)
{
    if (IsHeadless())
        return BltInMemory(destRect, source, sourceRect, flags, fx);
    if (!source) {
        if ((flags & DDBLT_COLORFILL) && !sourceRect)
            return DrawRectGL(destRect, flags, fx);
        if ((flags & DDBLT_DDROPS) && !sourceRect) {
            PushDirect();
            return 0;
        }
        return RV_DXERR_FAILED;
    }
    if (fx || !destRect)
        return RV_DXERR_FAILED;
    DrawOnStage(SurfaceImp(source),
        DRect { static_cast<int>(destRect->left), static_cast<int>(destRect->top),
            static_cast<int>(destRect->right), static_cast<int>(destRect->bottom) },
        (flags & DDBLT_KEYSRC) != 0);
    return 0;
}

HRESULT IDirectDrawGLSurfaceImp7::BltInMemory(
    RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, DDBLTFX* fx)
{
    if (!source) {
        if ((flags & DDBLT_COLORFILL) && !sourceRect && destRect && fx) {
            DrawRect(fx->dwFillColor & 0xFFFF,
                DRect { static_cast<int>(destRect->left), static_cast<int>(destRect->top),
                    static_cast<int>(destRect->right), static_cast<int>(destRect->bottom) });
            return 0;
        }
        // What GDI drew is in the pixels already: there is no window to push it to.
        if ((flags & DDBLT_DDROPS) && !sourceRect) {
            mDirty = DRect { 0, 0, -1, -1 };
            return 0;
        }
        return RV_DXERR_FAILED;
    }
    if (fx || !destRect)
        return RV_DXERR_FAILED;
    // The whole source scaled to the rectangle, nearest pixel; keyed, a source pixel without its alpha
    // bit leaves the destination as the window's alpha blending would. 16-bit pixels only.
    DDSURFACEDESC2 from {};
    from.dwSize = sizeof(from);
    DDSURFACEDESC2 to {};
    to.dwSize = sizeof(to);
    if (source->Lock(nullptr, &from, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) != 0)
        return RV_DXERR_FAILED;
    if (Lock(nullptr, &to, DDLOCK_WAIT, nullptr) != 0) {
        source->Unlock(nullptr);
        return RV_DXERR_FAILED;
    }
    const bool keyed = (flags & DDBLT_KEYSRC) != 0;
    const int left = static_cast<int>(destRect->left);
    const int top = static_cast<int>(destRect->top);
    const int wide = static_cast<int>(destRect->right) - left;
    const int high = static_cast<int>(destRect->bottom) - top;
    const bool twoBytes = from.ddpfPixelFormat.dwRGBBitCount == 16 && to.ddpfPixelFormat.dwRGBBitCount == 16;
    if (twoBytes && wide > 0 && high > 0 && from.dwWidth > 0 && from.dwHeight > 0) {
        const int endRow = std::min(top + high, static_cast<int>(to.dwHeight));
        const int endColumn = std::min(left + wide, static_cast<int>(to.dwWidth));
        for (int y = std::max(top, 0); y < endRow; ++y) {
            const auto sy = static_cast<long long>(y - top) * from.dwHeight / high;
            const auto* sourceRow = static_cast<const std::uint8_t*>(from.lpSurface) + sy * from.lPitch;
            auto* row = static_cast<std::uint8_t*>(to.lpSurface) + static_cast<long long>(y) * to.lPitch;
            for (int x = std::max(left, 0); x < endColumn; ++x) {
                const auto sx = static_cast<long long>(x - left) * from.dwWidth / wide;
                std::uint16_t pixel;
                std::memcpy(&pixel, sourceRow + sx * 2, 2);
                if (!keyed || (pixel & 0x8000) != 0)
                    std::memcpy(row + static_cast<long long>(x) * 2, &pixel, 2);
            }
        }
    }
    Unlock(nullptr);
    source->Unlock(nullptr);
    return twoBytes ? 0 : RV_DXERR_FAILED;
}

HRESULT IDirectDrawGLSurfaceImp7::DrawRectGL(RECT* rect, DWORD, DDBLTFX* fx)
{
    if (!rect || !fx)
        return RV_DXERR_FAILED;
    FillOnStage(DRect { static_cast<int>(rect->left), static_cast<int>(rect->top),
                    static_cast<int>(rect->right), static_cast<int>(rect->bottom) },
        static_cast<std::uint16_t>(fx->dwFillColor & 0xFFFF));
    return 0;
}

void IDirectDrawGLSurfaceImp7::PushDirect()
{
    if (mDirty.right < mDirty.left || mDirty.bottom < mDirty.top)
        return;
    DRect area = mDirty;
    area.left = std::max(area.left, 0);
    area.top = std::max(area.top, 0);
    area.right = std::min(area.right, static_cast<int>(mDesc.dwWidth) - 1);
    area.bottom = std::min(area.bottom, static_cast<int>(mDesc.dwHeight) - 1);
    OpRectXOR(0x8000, area);
    PushOnStage(this, area);
    mDirty = DRect { 0, 0, -1, -1 };
}

} // namespace Ravel
