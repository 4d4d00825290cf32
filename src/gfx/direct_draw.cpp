// The game's DirectDraw wrapper: object, levels and modes, the primary surface, image surfaces, keys,
// locks, the cursor and the flip; and the texts of DirectX result codes.
#include "gfx/direct_draw.h"

#include <algorithm>

#include "foundation/fatal_error.h"
#include "foundation/logs.h"
#include "gfx/image.h"
#include "gfx/video.h"
#include "platform/ddraw/ddraw_object.h"
#include "platform/host/host_hooks.h"
#include "platform/input/window_messages.h"
#include "platform/settings/settings_file.h"

#include "foundation/safeguards.h"

using namespace Windows;

namespace {

constexpr int kCreateAttempts = 20;
constexpr int kPixelFormatAttempts = 10;
constexpr int kPrimaryLockAttempts = 26;

struct ErrorEntry {
    long code;
    const char* text;
};

constexpr ErrorEntry kErrors[] = {
    { RV_DXERR_FAILED, " Generic failure." },
    { static_cast<long>(0x80004005U), " Generic failure." },
    { DDERR_INVALIDOBJECT, " DirectDraw received a pointer that was an invalid DIRECTDRAW object." },
    { DDERR_INVALIDPARAMS, " One or more of the parameters passed to the function are incorrect." },
    { DDERR_OUTOFMEMORY, " DirectDraw does not have enough memory to perform the operation." },
    { DDERR_SURFACELOST, " Access to this surface is being refused because the surface memory is gone." },
    { DDERR_WASSTILLDRAWING, " The previous blit operation is incomplete." },
    { static_cast<long>(0x887600E1U), " Access to Surface refused because Surface is already locked." },
    { static_cast<long>(0x887600E6U), " Access to Surface refused because Surface is obscured." },
    { static_cast<long>(0x88760091U),
        " Operation could not be carried out because the surface is not locked." },
    { static_cast<long>(0x80004001U), " The function called is not supported at this time." },
    { static_cast<long>(0x80004002U), " The requested interface is not supported." },
    { static_cast<long>(0x887600A0U), " The display mode is not supported." },
    { static_cast<long>(0x8876024EU), " The surface does not hold a colour key." },
};

// The mode enumeration's counter belongs to one enumeration, not to the process.
struct ModeCopy {
    DDSURFACEDESC2* modes;
    int capacity;
    int count;
};

HRESULT EnumModesCallbackCount(DDSURFACEDESC2*, LPVOID context)
{
    ++*static_cast<int*>(context);
    return 1;
}

HRESULT EnumModesCallbackSet1(DDSURFACEDESC2* desc, LPVOID context)
{
    auto* copy = static_cast<ModeCopy*>(context);
    if (desc && copy->count < copy->capacity)
        copy->modes[copy->count++] = *desc;
    return 1;
}

} // namespace

const char* CDirectX::ErrorText(long code)
{
    for (const ErrorEntry& entry : kErrors) {
        if (entry.code == code)
            return entry.text;
    }
    return nullptr;
}

void CDirectX::ReportError(const char* file, int line, long code)
{
    mydebug("\nError Reported in %s (%d) ", file, line);
    if (const char* text = ErrorText(code))
        mydebug("%s", text);
    else
        mydebug("DirectX: Unknown Error (%ld) ", code);
}

CDirectDraw::~CDirectDraw()
{
    ShutDown();
}

int CDirectDraw::CreateObject()
{
    _bCursorDrawn = 1;
    _pPrimary = nullptr;
    _bFlipping = 0;
    _hWnd = MainWindowsHwnd;
    for (int attempt = 0; attempt < kCreateAttempts && !_pDD; ++attempt) {
        void* made = nullptr;
        if (DirectDrawCreateEx(nullptr, &made, IID_IDirectDraw7, nullptr) != 0)
            continue;
        _pDD = static_cast<IDirectDraw7*>(made);
        if (const HRESULT result = _pDD->SetCooperativeLevel(_hWnd, DDSCL_NORMAL); result != 0) {
            superdebug("Failed to set cooperative level! ");
            ReportError(__FILE__, __LINE__, result);
            return 0;
        }
    }
    if (!_pDD) {
        superdebug("Failed to create DirectDraw object! ");
        return 0;
    }
    void* second = nullptr;
    if (const HRESULT result = _pDD->QueryInterface(IID_IDirectDraw2, &second); result != 0 || !second) {
        superdebug("Failed to create DirectDraw2 object! ");
        ReportError(__FILE__, __LINE__, result);
        return 0;
    }
    _pDD2 = static_cast<IDirectDraw7*>(second);
    if (!CreatePrimarySurface())
        return 0;

    int count = 0;
    _pDD2->EnumDisplayModes(0, nullptr, &count, EnumModesCallbackCount);
    delete[] _pModes;
    _pModes = count > 0 ? new DDSURFACEDESC2[static_cast<std::size_t>(count)] {} : nullptr;
    ModeCopy copy { _pModes, count, 0 };
    if (_pModes)
        _pDD2->EnumDisplayModes(0, nullptr, &copy, EnumModesCallbackSet1);
    _nModes = copy.count;
    return 1;
}

int CDirectDraw::SetLevel(bool fullScreen)
{
    if (!_pDD)
        return 0;
    const DWORD level = fullScreen && gWindowedMode == 0
        ? DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE
        : DDSCL_NORMAL | DDSCL_NOWINDOWCHANGES;
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        // The object queried as IDirectDraw2 is another object; the display state both set is shared.
        if (_pDD->SetCooperativeLevel(_hWnd, level) == 0) {
            _bFlipping = 0;
            return 1;
        }
    }
    superdebug("Failed to SetCooperativeLevel! ");
    return 0;
}

int CDirectDraw::SetMode(int width, int height, int bits, bool fullScreen)
{
    if (!_pDD2 || !SetLevel(fullScreen))
        return 0;
    DeletePrimarySurface();
    if (fullScreen) {
        HRESULT result = RV_DXERR_FAILED;
        for (int attempt = 0; attempt < kCreateAttempts && result != 0; ++attempt)
            result = _pDD2->SetDisplayMode(
                static_cast<DWORD>(width), static_cast<DWORD>(height), static_cast<DWORD>(bits), 0, 0);
        if (result != 0) {
            superdebug("Failed to set video mode! ");
            ReportError(__FILE__, __LINE__, result);
            return 0;
        }
    }
    if (!CreatePrimarySurface())
        return 0;
    _Bits = bits;
    _Width = static_cast<int>(_PrimaryDesc.dwWidth);
    _Height = static_cast<int>(_PrimaryDesc.dwHeight);
    return 1;
}

int CDirectDraw::CreatePrimarySurface()
{
    if (!_pDD2)
        return 0;
    _PrimaryDesc = DDSURFACEDESC2 {};
    _PrimaryDesc.dwSize = sizeof(_PrimaryDesc);
    _PrimaryDesc.dwFlags = DDSD_CAPS;
    _PrimaryDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (const HRESULT result = _pDD2->CreateSurface(&_PrimaryDesc, &_pPrimary, nullptr);
        result != 0 || !_pPrimary) {
        _pPrimary = nullptr;
        superdebug("Failed to create primary surface! ");
        ReportError(__FILE__, __LINE__, result);
        return 0;
    }
    _PixelFormat = DDPIXELFORMAT {};
    _PixelFormat.dwSize = sizeof(_PixelFormat);
    bool haveFormat = false;
    for (int attempt = 0; attempt < kPixelFormatAttempts && !haveFormat; ++attempt)
        haveFormat = _pPrimary->GetPixelFormat(&_PixelFormat) == 0;
    if (!haveFormat)
        superdebug("Failed to create get pixel format! ");
    mydebug(" Primary surface created ");
    // The first lock gives the surface its memory and its pitch, which the screen image takes.
    if (LockPrimarySurface())
        UnlockPrimarySurface();
    _pPrimary->GetSurfaceDesc(&_PrimaryDesc);
    return 1;
}

void CDirectDraw::DeletePrimarySurface()
{
    if (_pFlippingFront) {
        _pFlippingFront->Release();
        _pFlippingFront = nullptr;
        _pPrimary = nullptr;
    } else if (_pPrimary) {
        _pPrimary->Release();
        _pPrimary = nullptr;
    }
}

IDirectDrawSurface7* CDirectDraw::CreateSurface1(DDSURFACEDESC2* desc)
{
    if (!_pDD2 || !desc)
        return nullptr;
    IDirectDrawSurface7* surface = nullptr;
    DWORD& caps = desc->ddsCaps.dwCaps;
    const std::int64_t bytes = static_cast<std::int64_t>(desc->dwWidth) * desc->dwHeight;
    if ((caps & DDSCAPS_OFFSCREENPLAIN) && !(caps & DDSCAPS_SYSTEMMEMORY)) {
        caps |= DDSCAPS_VIDEOMEMORY;
        if (_pDD2->CreateSurface(desc, &surface, nullptr) == 0 && surface) {
            _VideoBytes += bytes;
            return surface;
        }
        caps = (caps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
        if (const HRESULT result = _pDD2->CreateSurface(desc, &surface, nullptr); result != 0 || !surface) {
            ReportError(__FILE__, __LINE__, result);
            return nullptr;
        }
        _SystemBytes += bytes;
        return surface;
    }
    if (const HRESULT result = _pDD2->CreateSurface(desc, &surface, nullptr); result != 0 || !surface) {
        ReportError(__FILE__, __LINE__, result);
        return nullptr;
    }
    return surface;
}

bool CDirectDraw::SetColorKey(IDirectDrawSurface7* surface)
{
    if (!surface)
        return false;
    DDCOLORKEY key {};
    if (CVideo::_RGBFormat == 0)
        key.dwColorSpaceLowValue = key.dwColorSpaceHighValue = 0x07E0;
    else if (CVideo::_RGBFormat == 1)
        key.dwColorSpaceLowValue = key.dwColorSpaceHighValue = 0x03E0;
    else
        _AssertRelease("Grafix mode is NOT supported");
    if (surface->SetColorKey(DDCKEY_SRCBLT, &key) != 0) {
        superdebug(" \nColor key failure!\n ");
        return false;
    }
    return true;
}

int CDirectDraw::LockPrimarySurface()
{
    if (!_pPrimary)
        return 0;
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    for (int attempt = 0; attempt < kPrimaryLockAttempts; ++attempt) {
        const HRESULT result = _pPrimary->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
        if (result == 0)
            return 1;
        if (result == DDERR_SURFACELOST) {
            _pPrimary->Restore();
        } else if (result == DDERR_INVALIDOBJECT || result == DDERR_INVALIDPARAMS
            || result == DDERR_OUTOFMEMORY) {
            ReportError(__FILE__, __LINE__, result);
            return 0;
        }
    }
    return 0;
}

int CDirectDraw::UnlockPrimarySurface()
{
    if (!_pPrimary)
        return 0;
    if (const HRESULT result = _pPrimary->Unlock(nullptr); result != 0) {
        ReportError(__FILE__, __LINE__, result);
        return 0;
    }
    return 1;
}

unsigned char* CDirectDraw::LockSurface(IDirectDrawSurface7* surface)
{
    if (!surface)
        return nullptr;
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    for (int attempt = 0; attempt < kPrimaryLockAttempts; ++attempt) {
        const HRESULT result = surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
        if (result == 0)
            return static_cast<unsigned char*>(desc.lpSurface);
        if (result != DDERR_SURFACELOST)
            break;
        surface->Restore();
    }
    mydebug(" Surface lock failed! ");
    return nullptr;
}

bool CDirectDraw::UnlockSurface(IDirectDrawSurface7* surface)
{
    if (!surface || surface->Unlock(nullptr) != 0) {
        mydebug(" Surface unlock failed! ");
        return false;
    }
    return true;
}

void CDirectDraw::Flip()
{
    IDirectDrawSurface7* front = _bFlipping ? _pFlippingFront : _pPrimary;
    if (front)
        front->Flip(nullptr, DDFLIP_WAIT);
    _bCursorDrawn = 0;
}

CRect CDirectDraw::PlaceCursor(int x, int y, int width, int height, int displayWidth, int displayHeight)
{
    x = std::max(0, x);
    y = std::max(0, y);
    // At the right or bottom edge the cursor is cut; at least one pixel of it always shows.
    if (x + width > displayWidth)
        width = displayWidth - x;
    if (width < 1) {
        x = displayWidth - 1;
        width = 1;
    }
    if (y + height > displayHeight)
        height = displayHeight - y;
    if (height < 1) {
        y = displayHeight - 1;
        height = 1;
    }
    return CRect(x, y, x + width, y + height);
}

void CDirectDraw::BlitCursor(CImage* cursor, CImage* saveUnder, bool onPrimary)
{
    if (_bCursorDrawn || !cursor || !saveUnder || _Width <= 0 || _Height <= 0)
        return;
    IDirectDrawSurface7* target = onPrimary ? _pPrimary : _pFlippingFront;
    if (!target || !cursor->GetSurface() || !saveUnder->GetSurface())
        return;
    POINT at {};
    GetCursorPos(&at);
    const CRect place = PlaceCursor(at.x, at.y, cursor->GetWidth(), cursor->GetHeight(), _Width, _Height);
    const int x = place.left;
    const int y = place.top;
    const int w = place.right - place.left;
    const int h = place.bottom - place.top;
    if (!onPrimary && _CursorW > 0 && _CursorH > 0) {
        RECT saved { 0, 0, _CursorW, _CursorH };
        target->BltFast(static_cast<DWORD>(_CursorX), static_cast<DWORD>(_CursorY), saveUnder->GetSurface(),
            &saved, DDBLTFAST_WAIT);
    }
    _bCursorDrawn = 1;
    RECT under { x, y, x + w, y + h };
    saveUnder->GetSurface()->BltFast(0, 0, target, &under, DDBLTFAST_WAIT);
    RECT drawn { 0, 0, w, h };
    target->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), cursor->GetSurface(), &drawn,
        DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
    _CursorX = x;
    _CursorY = y;
    _CursorW = w;
    _CursorH = h;
}

void CDirectDraw::ShutDown()
{
    delete[] _pModes;
    _pModes = nullptr;
    _nModes = 0;
    DeletePrimarySurface();
    // Both interfaces are objects of their own: releasing only one would leave the other behind.
    if (_pDD2) {
        _pDD2->Release();
        _pDD2 = nullptr;
        mydebug(" Directdraw2 released\n ");
    }
    if (_pDD) {
        _pDD->Release();
        _pDD = nullptr;
        mydebug(" Directdraw released\n ");
    }
    Ravel::IDirectDrawImp7::ResetDisplayState();
}
