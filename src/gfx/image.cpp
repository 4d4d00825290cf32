// Images on surfaces: creation from files or by size, locking, whole-image operations and the blit with its
// clipping, scroll wrap and copy paths.
#include "gfx/image.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "foundation/data_file.h"
#include "foundation/logs.h"
#include "foundation/utilities.h"
#include "gfx/direct_draw.h"
#include "gfx/image_rle.h"
#include "gfx/palette.h"

#include "foundation/safeguards.h"

using namespace Windows;

namespace {

// Brings v into [0, size) however far outside it lies.
int Wrap(int v, int size)
{
    if (size <= 0)
        return 0;
    v %= size;
    return v < 0 ? v + size : v;
}

DDSURFACEDESC2 SizedDesc(int width, int height, DWORD caps)
{
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.ddsCaps.dwCaps = caps;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    return desc;
}

void SetFormat(DDSURFACEDESC2& desc, DWORD bits)
{
    desc.dwFlags |= DDSD_PIXELFORMAT;
    desc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    desc.ddpfPixelFormat.dwFlags = DDPF_RGB;
    desc.ddpfPixelFormat.dwRGBBitCount = bits;
}

IDirectDrawSurface7* MakeSurface(DDSURFACEDESC2& desc)
{
    return CVideo::pDD ? CVideo::pDD->CreateSurface1(&desc) : nullptr;
}

// Holds an image locked for the copy paths, unlocking on the way out only when it took the lock itself:
// Lock does not count, so an Unlock here would end a caller's lock as well.
class CHeldLock {
public:
    explicit CHeldLock(CImageBase* image)
        : mImage(image)
        , mTook(image->GetLockCount() == 0)
        , mPixels(image->Lock())
    {
    }
    ~CHeldLock()
    {
        if (mTook)
            mImage->Unlock();
    }
    CHeldLock(const CHeldLock&) = delete;
    CHeldLock& operator=(const CHeldLock&) = delete;
    unsigned char* pixels() const { return mPixels; }

private:
    CImageBase* mImage;
    bool mTook;
    unsigned char* mPixels;
};

// A copy of w by h pixels to (x, y), reading from (sx, sy) in steps of 1 << shift, cut to both images.
// False when nothing is left.
struct CopyArea {
    int x, y, sx, sy, w, h;
};

bool CutArea(CopyArea& a, int shift, int srcWidth, int srcHeight, int destWidth, int destHeight)
{
    // The source side first: a rectangle reaching outside the image must not read outside it.
    if (a.sx < 0) {
        const int skip = ((-a.sx) + (1 << shift) - 1) >> shift;
        a.sx += skip << shift;
        a.x += skip;
        a.w -= skip;
    }
    if (a.sy < 0) {
        const int skip = ((-a.sy) + (1 << shift) - 1) >> shift;
        a.sy += skip << shift;
        a.y += skip;
        a.h -= skip;
    }
    if (a.w > 0 && a.sx + ((a.w - 1) << shift) >= srcWidth)
        a.w = srcWidth > a.sx ? ((srcWidth - a.sx - 1) >> shift) + 1 : 0;
    if (a.h > 0 && a.sy + ((a.h - 1) << shift) >= srcHeight)
        a.h = srcHeight > a.sy ? ((srcHeight - a.sy - 1) >> shift) + 1 : 0;
    // Then the destination, on all four sides.
    if (a.x < 0) {
        a.sx += (-a.x) << shift;
        a.w += a.x;
        a.x = 0;
    }
    if (a.y < 0) {
        a.sy += (-a.y) << shift;
        a.h += a.y;
        a.y = 0;
    }
    a.w = std::min(a.w, destWidth - a.x);
    a.h = std::min(a.h, destHeight - a.y);
    return a.w > 0 && a.h > 0;
}

} // namespace

CImageBase::CImageBase(int width, int height, int bits, ImageType type)
{
    CopyString(_Name, kSizedImageName);
    _pPalette = CVideo::pPalette;
    _Type = type;
    if ((bits != 8 && bits != 16) || width <= 0 || height <= 0 || width > kBitmapMaxSide
        || height > kBitmapMaxSide)
        return;
    DDSURFACEDESC2 desc {};
    if (type == IMAGE_VIDEO || type == IMAGE_LOCKED_SURFACE) {
        desc = SizedDesc(width, height, DDSCAPS_OFFSCREENPLAIN);
    } else if (type == IMAGE_SYSTEM) {
        // 8-bit rows are held in a surface of 16-bit pixels, half as many columns (rounded up) holding the
        // same bytes.
        desc = SizedDesc(
            bits == 8 ? (width + 1) / 2 : width, height, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
        SetFormat(desc, 16);
    } else if (type != IMAGE_SCREEN) {
        return;
    }
    _Width = width;
    _Height = height;
    _BytesPerPixel = bits >> 3;
    _BitsPerPixel = bits;
    _nColors = 1 << bits;
    _RowSize = (width * _BytesPerPixel + 3) & ~3;
    if (type == IMAGE_SCREEN)
        return;

    IDirectDrawSurface7* surface = MakeSurface(desc);
    if (surface && TakeSurface(surface, true))
        return;
    mydebug(" \nCImageBase FAILED to created sized surface \n");
    if (type == IMAGE_VIDEO) {
        _Width = _Height = 0;
        Create(kDummyImageName, IMAGE_SYSTEM);
        CopyString(_Name, kDummyImageName);
    }
}

CImageBase::CImageBase(const char* file, ImageType type, bool rle)
{
    _bRLE = rle ? 1 : 0;
    Init(file, type);
}

// Frees the run-length frames with the header.
CImageBase::~CImageBase()
{
    ReleaseSurface();
}

void CImageBase::ReleaseSurface()
{
    if (!_pSurface)
        return;
    if (_LockCount > 0 || _bLockedSurface)
        _pSurface->Unlock(nullptr);
    if (!CVideo::pDD || _pSurface != CVideo::pDD->GetPrimarySurface())
        _pSurface->Release();
    _pSurface = nullptr;
    _pPixels = nullptr;
    _LockCount = 0;
    _bLockedSurface = 0;
}

bool CImageBase::TakeSurface(IDirectDrawSurface7* surface, bool clear)
{
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    if (LockWithRestore(surface, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY) != 0 || !desc.lpSurface) {
        surface->Release();
        return false;
    }
    _Pitch = desc.lPitch;
    if (clear) {
        const std::size_t row = static_cast<std::size_t>(_Width) * _BytesPerPixel;
        for (int y = 0; y < _Height; ++y)
            std::memset(
                static_cast<unsigned char*>(desc.lpSurface) + static_cast<std::size_t>(y) * _Pitch, 0, row);
    }
    surface->Unlock(nullptr);
    _pSurface = surface;
    return true;
}

void CImageBase::Init(const char* file, ImageType type)
{
    CopyString(_Name, file ? file : "");
    _ScrollX = _ScrollY = 0;
    _Light = 0;
    _pPalette = CVideo::pPalette;
    if (!Create(file, type)) {
        Create(kDummyImageName, type);
        CopyString(_Name, kDummyImageName);
    }
}

int CImageBase::Create(const char* file, ImageType type)
{
    _Type = type;
    switch (type) {
    case IMAGE_SYSTEM:
        return CreateSystemType(file);
    case IMAGE_SCREEN:
        return 1;
    case IMAGE_VIDEO:
        if (CreateVideoType(file) || CreateSystemType(file))
            return 1;
        mydebug("\nVideoImage could not be allocated!!! \n");
        return 0;
    default:
        return 1;
    }
}

int CImageBase::CreateVideoType(const char* file)
{
    if (!file)
        return 0;
    CFile in(file);
    BitmapInfoHeader info {};
    // A video surface holds 16-bit pixels: an 8-bit picture is a system image.
    if (!GetBitmapInfo(&in, &info) || (info.bitCount != 16 && info.bitCount != 24))
        return 0;
    DDSURFACEDESC2 desc = SizedDesc(info.width, info.height, DDSCAPS_OFFSCREENPLAIN);
    if (!LoadIntoSurface(&in, desc, DDLOCK_WAIT | DDLOCK_WRITEONLY))
        return 0;
    _Type = IMAGE_VIDEO;
    return 1;
}

int CImageBase::CreateSystemType(const char* file)
{
    if (!file)
        return 0;
    CFile in(file);
    BitmapInfoHeader info {};
    if (!GetBitmapInfo(&in, &info))
        return 0;
    // 24-bit pictures become 16-bit pixels; 8-bit and 1-bit ones keep one byte a pixel.
    DDSURFACEDESC2 desc = SizedDesc(info.width, info.height, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    SetFormat(desc, info.bitCount >= 16 ? 16 : 8);
    if (!LoadIntoSurface(&in, desc, DDLOCK_WAIT))
        return 0;
    _Type = IMAGE_SYSTEM;
    _bHasTransparency = ScanTransparency();
    return 1;
}

bool CImageBase::LoadIntoSurface(CFile* file, DDSURFACEDESC2& desc, DWORD lockFlags)
{
    IDirectDrawSurface7* surface = MakeSurface(desc);
    if (!surface)
        return false;
    DDSURFACEDESC2 locked {};
    locked.dwSize = sizeof(locked);
    if (LockWithRestore(surface, &locked, lockFlags) != 0 || !locked.lpSurface) {
        surface->Release();
        return false;
    }
    const int loaded = Load(file, static_cast<unsigned char*>(locked.lpSurface), locked.lPitch);
    surface->Unlock(nullptr);
    if (!loaded) {
        surface->Release();
        return false;
    }
    ReleaseSurface();
    _pSurface = surface;
    return true;
}

void CImageBase::SetScreenSurface(IDirectDrawSurface7* surface, DDSURFACEDESC2* desc)
{
    _pSurface = surface;
    if (desc)
        _Pitch = desc->lPitch;
}

HRESULT CImageBase::LockWithRestore(IDirectDrawSurface7* surface, DDSURFACEDESC2* desc, DWORD flags)
{
    HRESULT result = RV_DXERR_FAILED;
    for (int attempt = 0; attempt < kImageLockAttempts; ++attempt) {
        result = surface->Lock(nullptr, desc, flags, nullptr);
        if (result != DDERR_SURFACELOST)
            return result;
        surface->Restore();
    }
    return result;
}

unsigned char* CImageBase::Lock()
{
    if (!_pSurface)
        return CBitmap::Lock();
    if (_LockCount > 0 || _bLockedSurface)
        return _pPixels;
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    _pSurface->GetSurfaceDesc(&desc);
    for (int attempt = 0; attempt < kImageLockAttempts; ++attempt) {
        const HRESULT result = _pSurface->Lock(nullptr, &desc, 0, nullptr);
        if (result == 0 && desc.lpSurface) {
            _LockCount = 1;
            _pPixels = static_cast<unsigned char*>(desc.lpSurface);
            _Pitch = desc.lPitch;
            return _pPixels;
        }
        if (result == DDERR_SURFACELOST) {
            _pSurface->Restore();
        } else if (result == DDERR_INVALIDOBJECT) {
            mydebug(" Surface lock failed! ");
            return nullptr;
        } else {
            CDirectX::ReportError(__FILE__, __LINE__, result);
        }
    }
    mydebug(" Surface lock failed! ");
    return nullptr;
}

unsigned char* CImageBase::Lock(int x, int y)
{
    unsigned char* base = Lock();
    if (!base)
        return nullptr;
    return base + static_cast<std::ptrdiff_t>(y) * _Pitch + static_cast<std::ptrdiff_t>(x) * _BytesPerPixel;
}

void CImageBase::Unlock()
{
    if (!_pSurface || _LockCount <= 0)
        return;
    if (_pSurface->Unlock(nullptr) != 0)
        mydebug(" Surface unlock failed! ");
    _pPixels = nullptr;
    --_LockCount;
}

unsigned char* CImageBase::LockImageSurface()
{
    if (!_pSurface)
        return nullptr;
    if (_LockCount > 0 || _bLockedSurface)
        return _pPixels;
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    const HRESULT result = LockWithRestore(_pSurface, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY);
    if (result != 0 || !desc.lpSurface) {
        mydebug(" Surface lock failed! ");
        return nullptr;
    }
    _bLockedSurface = 1;
    _pPixels = static_cast<unsigned char*>(desc.lpSurface);
    _Pitch = desc.lPitch;
    return _pPixels;
}

bool CImageBase::UnlockImageSurface()
{
    if (!_pSurface || !_bLockedSurface)
        return false;
    _bLockedSurface = 0;
    _pPixels = nullptr;
    if (_pSurface->Unlock(nullptr) != 0) {
        mydebug(" Surface unlock failed! ");
        return false;
    }
    return true;
}

void CImageBase::Fill8Bit(unsigned char index)
{
    CHeldLock held(this);
    if (!held.pixels() || _BytesPerPixel != 1)
        return;
    for (int y = 0; y < _Height; ++y)
        std::memset(
            held.pixels() + static_cast<std::size_t>(y) * _Pitch, index, static_cast<std::size_t>(_Width));
}

void CImageBase::Fill16Bit(unsigned short pixel)
{
    CHeldLock held(this);
    if (!held.pixels() || _BytesPerPixel != 2)
        return;
    for (int y = 0; y < _Height; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(held.pixels() + static_cast<std::size_t>(y) * _Pitch);
        std::fill(row, row + _Width, pixel);
    }
}

void CImageBase::Clear()
{
    if (_BytesPerPixel == 1)
        Fill8Bit(0);
    else
        Fill16Bit(Transparent16Bit);
}

int CImageBase::IsPixelTransparent(int x, int y)
{
    if (_pRLEHeader || x < 0 || y < 0 || x >= _Width || y >= _Height)
        return 0;
    CHeldLock held(this);
    if (!held.pixels())
        return 0;
    const unsigned char* at = held.pixels() + static_cast<std::size_t>(y) * _Pitch;
    if (_BytesPerPixel == 1)
        return at[x] <= 1 ? 1 : 0;
    std::uint16_t pixel;
    std::memcpy(&pixel, at + 2 * static_cast<std::size_t>(x), 2);
    return pixel == Transparent16Bit ? 1 : 0;
}

int CImageBase::ScanTransparency()
{
    if (_BytesPerPixel != 2)
        return 0;
    const std::uint16_t green = _RGBFormat == 1 ? 0x03E0 : 0x07E0;
    CHeldLock held(this);
    if (!held.pixels())
        return 0;
    const std::size_t words = static_cast<std::size_t>(_Height) * _Pitch / 2;
    for (std::size_t i = 0; i < words; ++i) {
        std::uint16_t pixel;
        std::memcpy(&pixel, held.pixels() + 2 * i, 2);
        if (pixel == green)
            return 1;
    }
    return 0;
}

void CImageBase::SetScrollOffset(int x, int y)
{
    _ScrollX = Wrap(x, _Width);
    _ScrollY = Wrap(y, _Height);
}

void CImageBase::SetScrollOffsetRelative(int dx, int dy)
{
    SetScrollOffset(_ScrollX + dx, _ScrollY + dy);
}

int CImageBase::ClipImage(int* x, int* y, CRect* src, CRect* clip) const
{
    const int s = std::clamp(_ScaleShift, 0, 5);
    const int right = *x + ((src->right - src->left) >> s);
    const int bottom = *y + ((src->bottom - src->top) >> s);
    if (*x < clip->left) {
        src->left += (clip->left - *x) << s;
        *x = clip->left;
    }
    if (*y < clip->top) {
        src->top += (clip->top - *y) << s;
        *y = clip->top;
    }
    if (right > clip->right)
        src->right -= (right - clip->right) << s;
    if (bottom > clip->bottom)
        src->bottom -= (bottom - clip->bottom) << s;
    return src->right > src->left && src->bottom > src->top ? 1 : 0;
}

int CImageBase::Draw(int x, int y, CImage* dest)
{
    return Draw(x, y, CRect(0, 0, _Width, _Height), nullptr, dest, nullptr);
}

int CImageBase::Draw(int x, int y, CRect src, CRect* clip, CImage* dest, CRect* cover)
{
    if (!dest)
        return 0;
    // Blits work on pixel pairs; run-length frames are decoded pixel by pixel and keep their x, so that
    // a frame of odd width is still chosen by its first column.
    const bool encoded = _pRLEHeader != nullptr;
    if (!encoded) {
        x &= ~1;
        src.left &= ~1;
        src.right &= ~1;
    }
    CRect whole(0, 0, dest->GetWidth(), dest->GetHeight());
    if (clip) {
        clip->left &= ~1;
        clip->right &= ~1;
    } else {
        clip = &whole;
    }
    // The clip never reaches outside the destination.
    CRect inside(std::max(clip->left, 0), std::max(clip->top, 0), std::min(clip->right, whole.right),
        std::min(clip->bottom, whole.bottom));
    int cx = x;
    int cy = y;
    if (!ClipImage(&cx, &cy, &src, &inside))
        return 0;
    const int s = std::clamp(_ScaleShift, 0, 5);
    if (cover && cx >= cover->left && cy >= cover->top && cx + ((src.right - src.left) >> s) <= cover->right
        && cy + ((src.bottom - src.top) >> s) <= cover->bottom)
        return 0;
    // An encoded image clips its source only and is drawn from the unclipped place.
    if (encoded) {
        const int frameWidth = _pRLEHeader->nFrameWidth;
        if (frameWidth <= 0)
            return 0;
        const int frame = src.left / frameWidth;
        _pRLEHeader->nCurrentFrame
            = static_cast<std::int16_t>(std::clamp(frame, 0, _pRLEHeader->nFrames - 1));
        src.left -= frame * frameWidth;
        src.right -= frame * frameWidth;
        DrawRLE(dest, x, y, src);
        return 1;
    }
    x = cx;
    y = cy;

    x = Wrap(x + dest->_ScrollX, dest->GetWidth());
    y = Wrap(y + dest->_ScrollY, dest->GetHeight());
    switch (_Type) {
    case IMAGE_VIDEO:
        if ((dest->_Type == IMAGE_VIDEO || dest->_Type == IMAGE_SYSTEM || dest->_Type == IMAGE_SCREEN)
            && dest->_pSurface && _pSurface) {
            RECT from { src.left, src.top, src.right, src.bottom };
            dest->_pSurface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), _pSurface, &from,
                DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
        }
        break;
    case IMAGE_LOCKED_SURFACE:
        if (_pSurface && LockImageSurface()) {
            FastBltAsm16to16(x, y, &src, dest);
            UnlockImageSurface();
        }
        break;
    case IMAGE_SYSTEM:
        if (dest->_Type == IMAGE_SCREEN) {
            CRect position(x, y, x + (src.right - src.left), y + (src.bottom - src.top));
            BlitToScreen(dest, &src, &position);
        } else if (dest->_Type == IMAGE_SYSTEM) {
            if (_BitsPerPixel == 8 && dest->_BitsPerPixel == 8)
                FastBltAsm8to8(x, y, &src, dest);
            else if (_BitsPerPixel == 16 && dest->_BitsPerPixel == 16)
                FastBltAsm16to16(x, y, &src, dest);
            else if (_BitsPerPixel == 8 && dest->_BitsPerPixel == 16 && _ScaleShift <= 4)
                proc_SpriteMacro(x, y, &src, dest);
        }
        break;
    default:
        break;
    }
    return 1;
}

void CImageBase::FastBltAsm16to16(int x, int y, CRect* src, CImage* dest)
{
    if (!src || !dest || _BytesPerPixel != 2 || dest->_BytesPerPixel != 2)
        return;
    const int s = _ScaleShift;
    CopyArea a { x, y, src->left, src->top, (src->right - src->left) >> s, (src->bottom - src->top) >> s };
    if (!CutArea(a, s, _Width, _Height, dest->GetWidth(), dest->GetHeight()))
        return;
    CHeldLock from(this);
    CHeldLock to(dest);
    if (!from.pixels() || !to.pixels())
        return;
    const std::uint16_t key = Transparent16Bit;
    for (int row = 0; row < a.h; ++row) {
        const auto* in = reinterpret_cast<const std::uint16_t*>(
                             from.pixels() + static_cast<std::size_t>(a.sy + (row << s)) * _Pitch)
            + a.sx;
        auto* out = reinterpret_cast<std::uint16_t*>(
                        to.pixels() + static_cast<std::size_t>(a.y + row) * dest->_Pitch)
            + a.x;
        if (!_bHasTransparency && s == 0) {
            std::memmove(out, in, static_cast<std::size_t>(a.w) * 2);
            continue;
        }
        for (int i = 0; i < a.w; ++i) {
            const std::uint16_t pixel = in[i << s];
            if (pixel != key)
                out[i] = pixel;
        }
    }
}

void CImageBase::FastBltAsm8to8(int x, int y, CRect* src, CImage* dest)
{
    if (!src || !dest || _BytesPerPixel != 1 || dest->_BytesPerPixel != 1)
        return;
    CopyArea a { x, y, src->left, src->top, src->right - src->left, src->bottom - src->top };
    if (!CutArea(a, 0, _Width, _Height, dest->GetWidth(), dest->GetHeight()))
        return;
    CHeldLock from(this);
    CHeldLock to(dest);
    if (!from.pixels() || !to.pixels())
        return;
    for (int row = 0; row < a.h; ++row) {
        const unsigned char* in = from.pixels() + static_cast<std::size_t>(a.sy + row) * _Pitch + a.sx;
        unsigned char* out = to.pixels() + static_cast<std::size_t>(a.y + row) * dest->_Pitch + a.x;
        for (int i = 0; i < a.w; ++i) {
            if (in[i] != 0)
                out[i] = in[i];
        }
    }
}

void CImageBase::proc_ScaleMacro15(std::uint16_t* destRow, int destWidth, int column,
    const std::uint8_t* from, int pairs, int shift, const std::uint32_t* table)
{
    // Index 0 keeps what lies below, index 1 halves it; the pixel pair is taken in memory order.
    for (int i = 0; i < pairs; ++i) {
        for (int half = 0; half < 2; ++half) {
            const std::uint8_t index = from[(2 * i + half) << shift];
            std::uint16_t& pixel = destRow[column];
            if (index == 1)
                pixel = static_cast<std::uint16_t>((pixel & 0x7BDE) >> 1);
            else if (index != 0)
                pixel = static_cast<std::uint16_t>(table[index]);
            if (++column == destWidth)
                column = 0;
        }
    }
}

void CImageBase::proc_SpriteMacro(int x, int y, CRect* src, CImage* dest)
{
    if (!src || !dest || _BytesPerPixel != 1 || dest->_BytesPerPixel != 2)
        return;
    if (_RGBFormat != 1) {
        std::fputs(" write SCALEMACRO16(X)\n", stderr);
        return;
    }
    const int s = _ScaleShift;
    if (s > 4 || !_pPalette)
        return;
    const int step = 2 << s;
    // The source rectangle is kept inside the image; the destination wraps round as a torus.
    const int left = std::max(src->left, 0);
    const int top = std::max(src->top, 0);
    const int width = (std::min(src->right, _Width) - left) / step * step;
    const int height = std::min(src->bottom, _Height) - top;
    if (width < step || height < step || dest->GetWidth() <= 0 || dest->GetHeight() <= 0)
        return;
    const int pairs = width / step;
    const int rows = height >> s;
    CHeldLock from(this);
    CHeldLock to(dest);
    if (!from.pixels() || !to.pixels())
        return;
    const std::uint32_t* table = _pPalette->GetTable(_Light);
    const int destWidth = dest->GetWidth();
    const int destHeight = dest->GetHeight();
    const int column = Wrap(x, destWidth);
    int destY = Wrap(y, destHeight);
    for (int row = 0; row < rows; ++row) {
        const std::uint8_t* in = from.pixels() + static_cast<std::size_t>(top + (row << s)) * _Pitch + left;
        auto* out
            = reinterpret_cast<std::uint16_t*>(to.pixels() + static_cast<std::size_t>(destY) * dest->_Pitch);
        proc_ScaleMacro15(out, destWidth, column, in, pairs, s, table);
        if (++destY == destHeight)
            destY = 0;
    }
}

void CImageBase::BlitToScreen(CImage* dest, CRect* src, CRect* position)
{
    if (!dest || !src || !position || dest->_Type != IMAGE_SCREEN || dest->_BytesPerPixel != _BytesPerPixel)
        return;
    CopyArea a { position->left, position->top, src->left, src->top, src->right - src->left,
        src->bottom - src->top };
    if (!CutArea(a, 0, _Width, _Height, dest->GetWidth(), dest->GetHeight()))
        return;
    CHeldLock from(this);
    CHeldLock to(dest);
    if (!from.pixels() || !to.pixels())
        return;
    const std::size_t bytes = static_cast<std::size_t>(a.w) * _BytesPerPixel;
    for (int row = 0; row < a.h; ++row) {
        std::memcpy(to.pixels() + static_cast<std::size_t>(a.y + row) * dest->_Pitch
                + static_cast<std::size_t>(a.x) * _BytesPerPixel,
            from.pixels() + static_cast<std::size_t>(a.sy + row) * _Pitch
                + static_cast<std::size_t>(a.sx) * _BytesPerPixel,
            bytes);
    }
}

void CImageBase::BlitScroll(int x, int y, int sourceColumn, int sourceRow, CImage* dest)
{
    if (!dest || dest->_BytesPerPixel != _BytesPerPixel || _Width <= 0 || _Height <= 0 || x < 0 || y < 0)
        return;
    const int bpp = _BytesPerPixel;
    const int column = Wrap(sourceColumn, _Width);
    int row = Wrap(sourceRow, _Height);
    const int rows = std::min(_Height, dest->GetHeight() - y);
    const int width = std::min(_Width, dest->GetWidth() - x);
    if (rows <= 0 || width <= 0)
        return;
    CHeldLock from(this);
    CHeldLock to(dest);
    if (!from.pixels() || !to.pixels())
        return;
    const int firstPart = std::min(_Width - column, width);
    for (int r = 0; r < rows; ++r) {
        const unsigned char* in = from.pixels() + static_cast<std::size_t>(row) * _Pitch;
        unsigned char* out = to.pixels() + static_cast<std::size_t>(y + r) * dest->_Pitch
            + static_cast<std::size_t>(x) * bpp;
        std::memcpy(
            out, in + static_cast<std::size_t>(column) * bpp, static_cast<std::size_t>(firstPart) * bpp);
        std::memcpy(out + static_cast<std::size_t>(firstPart) * bpp, in,
            static_cast<std::size_t>(width - firstPart) * bpp);
        if (++row == _Height)
            row = 0;
    }
}
