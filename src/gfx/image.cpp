// Images made from bitmap files, with the fallback picture, or blank by size.
#include "gfx/image.h"

#include <cstdlib>

#include "foundation/utilities.h"

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
