// Images made from bitmap files, with the fallback picture, or blank by size.
#include "gfx/image.h"

#include <algorithm>
#include <cstdlib>

#include "foundation/utilities.h"
#include "gfx/image_rle.h"

#include "foundation/safeguards.h"

CImageBase::CImageBase(int width, int height, int bits, ImageType type)
{
    CopyString(_Name, kSizedImageName);
    _Type = type;
    _pPalette = CVideo::pPalette;
    const bool ownsPixels = type == IMAGE_VIDEO || type == IMAGE_SYSTEM || type == IMAGE_LOCKED_SURFACE;
    if (!ownsPixels || (bits != 8 && bits != 16) || width <= 0 || height <= 0 || width > kBitmapMaxSide
        || height > kBitmapMaxSide)
        return;
    const int bytes = bits >> 3;
    const int pitch = (width * bytes + 7) & ~7;
    _pBuffer = static_cast<unsigned char*>(std::calloc(static_cast<std::size_t>(pitch) * height + 7, 1));
    if (!_pBuffer)
        return;
    _pPixels = AlignTo8(_pBuffer);
    _Width = width;
    _Height = height;
    _BytesPerPixel = bytes;
    _BitsPerPixel = bits;
    _nColors = 1 << bits;
    _Pitch = pitch;
    _RowSize = (width * bytes + 3) & ~3;
}

// Frees the run-length frames with the header.
CImageBase::~CImageBase() = default;

CImageBase::CImageBase(const char* file, ImageType type, bool rle)
{
    _bRLE = rle ? 1 : 0;
    Init(file, type);
}

void CImageBase::Init(const char* file, ImageType type)
{
    CopyString(_Name, file ? file : "");
    _pPalette = CVideo::pPalette;
    if (!Create(file, type)) {
        Create(kDummyImageName, type);
        CopyString(_Name, kDummyImageName);
    }
}

int CImageBase::Create(const char* file, ImageType type)
{
    _Type = type;
    if (type != IMAGE_VIDEO && type != IMAGE_SYSTEM)
        return 1;
    // Video images fall back to system memory while no video surfaces exist.
    _Type = IMAGE_SYSTEM;
    return file ? CreateBitmap(file) : 0;
}

int CImageBase::ClipImage(int* x, int* y, CRect* src, CRect* clip) const
{
    const int s = std::clamp(_ScaleShift, 0, 5);
    const int w = (src->right - src->left) >> s;
    const int h = (src->bottom - src->top) >> s;
    if (*x < clip->left) {
        src->left += (clip->left - *x) << s;
        *x = clip->left;
    }
    if (*y < clip->top) {
        src->top += (clip->top - *y) << s;
        *y = clip->top;
    }
    const int right = *x + w, bottom = *y + h;
    if (right > clip->right)
        src->right -= (right - clip->right) << s;
    if (bottom > clip->bottom)
        src->bottom -= (bottom - clip->bottom) << s;
    return src->left < src->right && src->top < src->bottom ? 1 : 0;
}

int CImageBase::Draw(int x, int y, CImage* dest)
{
    return Draw(x, y, CRect(0, 0, _Width, _Height), nullptr, dest, nullptr);
}

int CImageBase::Draw(int x, int y, CRect src, CRect* clip, CImage* dest, CRect* cover)
{
    if (!dest)
        return 0;
    // Blits work on pixel pairs; run-length frames are decoded pixel by pixel and keep their columns, so
    // that a frame of odd width is still chosen by its first column.
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
    int cx = x, cy = y;
    if (!ClipImage(&cx, &cy, &src, &inside))
        return 0;
    const int s = std::clamp(_ScaleShift, 0, 5);
    if (cover && cx >= cover->left && cy >= cover->top && cx + ((src.right - src.left) >> s) <= cover->right
        && cy + ((src.bottom - src.top) >> s) <= cover->bottom)
        return 0;
    if (encoded) {
        const int frameWidth = _pRLEHeader->nFrameWidth;
        if (frameWidth <= 0)
            return 0;
        const int frame = src.left / frameWidth;
        _pRLEHeader->nCurrentFrame = static_cast<std::int16_t>(std::clamp(frame, 0, _pRLEHeader->nFrames - 1));
        src.left -= frame * frameWidth;
        src.right -= frame * frameWidth;
        DrawRLE(dest, x, y, src);
        return 1;
    }
    if (_Type != IMAGE_SYSTEM && _Type != IMAGE_VIDEO && _Type != IMAGE_LOCKED_SURFACE)
        return 1;
    unsigned char* from = Lock();
    unsigned char* to = dest->Lock();
    if (from && to && _BytesPerPixel == dest->GetBytesPerPixel()) {
        const int w = (src.right - src.left) >> s;
        const int h = (src.bottom - src.top) >> s;
        for (int row = 0; row < h; ++row) {
            const unsigned char* in = from + static_cast<std::ptrdiff_t>(src.top + (row << s)) * _Pitch;
            unsigned char* out = to + static_cast<std::ptrdiff_t>(cy + row) * dest->GetPitch();
            for (int i = 0; i < w; ++i) {
                const int column = src.left + (i << s);
                if (_BytesPerPixel == 2) {
                    const auto p = reinterpret_cast<const std::uint16_t*>(in)[column];
                    if (p != Transparent16Bit)
                        reinterpret_cast<std::uint16_t*>(out)[cx + i] = p;
                } else if (in[column] != 0) {
                    out[cx + i] = in[column];
                }
            }
        }
    }
    dest->Unlock();
    Unlock();
    return 1;
}

int CImageBase::IsPixelTransparent(int x, int y)
{
    if (_pRLEHeader || x < 0 || y < 0 || x >= _Width || y >= _Height)
        return 0;
    const unsigned char* p = Lock(x, y);
    if (!p)
        return 0;
    int transparent = 0;
    if (_BytesPerPixel == 1)
        transparent = *p <= 1;
    else if (_BytesPerPixel == 2)
        transparent = *reinterpret_cast<const std::uint16_t*>(p) == Transparent16Bit;
    Unlock();
    return transparent;
}
