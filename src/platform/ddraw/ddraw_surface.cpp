// The surface base: description, colour keys and the keyed fast blit over 16-bit pixels.
#include "platform/ddraw/ddraw_surface.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/ddraw/dx_texture_stages.h"
#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Ravel {

using namespace Windows;

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kWarning);

struct KeySlot {
    DWORD keyFlag;
    DWORD descFlag;
    DDCOLORKEY DDSURFACEDESC2::*field;
    const char* descFlagName;
};

// In the order in which a flag word chooses its key.
constexpr KeySlot kKeySlots[] = {
    { DDCKEY_SRCBLT, DDSD_CKSRCBLT, &DDSURFACEDESC2::ddckCKSrcBlt, "DDSD_CKSRCBLT" },
    { DDCKEY_DESTBLT, DDSD_CKDESTBLT, &DDSURFACEDESC2::ddckCKDestBlt, "DDSD_CKDESTBLT" },
    { DDCKEY_SRCOVERLAY, DDSD_CKSRCOVERLAY, &DDSURFACEDESC2::ddckCKSrcOverlay, "DDSD_CKSRCOVERLAY" },
    { DDCKEY_DESTOVERLAY, DDSD_CKDESTOVERLAY, &DDSURFACEDESC2::ddckCKDestOverlay, "DDSD_CKDESTOVERLAY" },
};

const KeySlot* ChooseKey(DWORD flags)
{
    RV_ASSERT(!(flags & DDCKEY_COLORSPACE));
    for (const KeySlot& slot : kKeySlots) {
        if (flags & slot.keyFlag)
            return &slot;
    }
    RV_ASSERT(false);
    return nullptr;
}

// Copies min(callerSize, ours) bytes and keeps the caller's size word.
template <typename Record> void CopyKeepingSize(Record* to, const Record& from)
{
    const DWORD callerSize = to->dwSize;
    std::memcpy(to, &from, std::min<std::size_t>(callerSize, sizeof(Record)));
    to->dwSize = callerSize;
}

} // namespace

IDirectDrawSurfaceImp7::IDirectDrawSurfaceImp7() = default;

IDirectDrawSurfaceImp7::~IDirectDrawSurfaceImp7()
{
    dxTextureStages::warnTextureDelete(this);
}

HRESULT IDirectDrawSurfaceImp7::QueryInterface(REFIID iid, void** out)
{
    return IUnknownImp::QueryInterface(iid, out);
}

ULONG IDirectDrawSurfaceImp7::AddRef()
{
    return IUnknownImp::AddRef();
}

ULONG IDirectDrawSurfaceImp7::Release()
{
    return IUnknownImp::Release();
}

void IDirectDrawSurfaceImp7::Init(IDirectDrawImp7* parent, DDSURFACEDESC2* desc)
{
    mParent = parent;
    std::memset(&mDesc, 0, sizeof(mDesc));
    if (desc)
        std::memcpy(&mDesc, desc, sizeof(mDesc));
    mDesc.dwSize = sizeof(mDesc);
}

HRESULT IDirectDrawSurfaceImp7::GetSurfaceDesc(DDSURFACEDESC2* desc)
{
    if (!desc)
        return RV_DXERR_FAILED;
    CopyKeepingSize(desc, mDesc);
    return 0;
}

HRESULT IDirectDrawSurfaceImp7::GetPixelFormat(DDPIXELFORMAT* format)
{
    if (!format)
        return RV_DXERR_FAILED;
    CopyKeepingSize(format, mDesc.ddpfPixelFormat);
    return 0;
}

HRESULT IDirectDrawSurfaceImp7::GetDesc(dxTargetSurfaceDesc* target)
{
    if (!target)
        return RV_DXERR_FAILED;
    target->desc = mDesc;
    return 0;
}

HRESULT IDirectDrawSurfaceImp7::SetColorKey(DWORD flags, DDCOLORKEY* key)
{
    const KeySlot* slot = ChooseKey(flags);
    if (!slot || !key)
        return 0;
    mDesc.*(slot->field) = *key;
    mDesc.dwFlags |= slot->descFlag;
    return 0;
}

HRESULT IDirectDrawSurfaceImp7::GetColorKey(DWORD flags, DDCOLORKEY* key)
{
    const KeySlot* slot = ChooseKey(flags);
    if (!slot || !key)
        return 0;
    if (!(mDesc.dwFlags & slot->descFlag))
        RV_assert_failed(slot->descFlagName, __FILE__, __LINE__);
    *key = mDesc.*(slot->field);
    return 0;
}

HRESULT IDirectDrawSurfaceImp7::BltFast(
    DWORD x, DWORD y, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags)
{
    RV_ASSERT(sourceRect);
    RV_ASSERT(!(flags & DDBLTFAST_DESTCOLORKEY));
    if (!sourceRect || !source)
        return sourceRect ? RV_DXERR_FAILED : 0;
    if (sourceRect->right <= sourceRect->left || sourceRect->bottom <= sourceRect->top)
        return 0;

    DDSURFACEDESC2 dest {};
    dest.dwSize = sizeof(dest);
    DDSURFACEDESC2 src {};
    src.dwSize = sizeof(src);
    HRESULT result = Lock(nullptr, &dest, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
    RV_ASSERT(result == 0 && dest.lpSurface);
    if (result != 0 || !dest.lpSurface)
        return RV_DXERR_FAILED;
    const bool otherSource = source != this;
    if (otherSource) {
        result = source->Lock(nullptr, &src, DDLOCK_WAIT | DDLOCK_READONLY, nullptr);
        RV_ASSERT(result == 0 && src.lpSurface);
        if (result != 0 || !src.lpSurface) {
            Unlock(nullptr);
            return RV_DXERR_FAILED;
        }
    } else {
        src = dest;
    }

    // Both sides are clipped, not just the destination's right and bottom: a rectangle reaching past
    // either surface would otherwise read or write outside its pixels.
    result = RV_DXERR_FAILED;
    if (dest.ddpfPixelFormat.dwRGBBitCount == 16 && src.ddpfPixelFormat.dwRGBBitCount == 16) {
        const std::int64_t left = std::max<std::int64_t>(sourceRect->left, 0);
        const std::int64_t top = std::max<std::int64_t>(sourceRect->top, 0);
        std::int64_t width = std::min<std::int64_t>(sourceRect->right, src.dwWidth) - left;
        std::int64_t height = std::min<std::int64_t>(sourceRect->bottom, src.dwHeight) - top;
        width = std::min<std::int64_t>(width, static_cast<std::int64_t>(dest.dwWidth) - x);
        height = std::min<std::int64_t>(height, static_cast<std::int64_t>(dest.dwHeight) - y);
        DDCOLORKEY key {};
        const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) && (src.dwFlags & DDSD_CKSRCBLT);
        if (keyed)
            SurfaceImp(source)->GetColorKey(DDCKEY_SRCBLT, &key);
        const auto keyValue = static_cast<std::uint16_t>(key.dwColorSpaceLowValue);
        if (width <= 0)
            height = 0;
        for (std::int64_t row = 0; row < height; ++row) {
            auto* to = reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(dest.lpSurface)
                           + (y + row) * std::int64_t { dest.lPitch })
                + x;
            const auto* from = reinterpret_cast<const std::uint16_t*>(
                                   static_cast<const std::uint8_t*>(src.lpSurface) + (top + row) * src.lPitch)
                + left;
            if (!keyed) {
                std::memmove(to, from, static_cast<std::size_t>(width) * 2);
                continue;
            }
            for (std::int64_t column = 0; column < width; ++column) {
                if (from[column] != keyValue)
                    to[column] = from[column];
            }
        }
        result = 0;
    } else {
        gLog.warn("BltFast between %u-bit and %u-bit surfaces is not supported",
            static_cast<unsigned>(src.ddpfPixelFormat.dwRGBBitCount),
            static_cast<unsigned>(dest.ddpfPixelFormat.dwRGBBitCount));
    }

    Unlock(nullptr);
    if (otherSource)
        source->Unlock(nullptr);
    return result;
}

} // namespace Ravel
