// CImageBase and CImage: a picture the game draws, loaded from a bitmap file or made blank by size.
// For now the pixels always live in the bitmap's own memory; surfaces and drawing come with the video.
#pragma once

#include <cstdint>

#include "gfx/bitmap_file.h"
#include "gfx/image_types.h"
#include "gfx/video.h"

class CPalette;

inline constexpr const char* kDummyImageName = "gfx/dummy.bmp";
inline constexpr const char* kSizedImageName = "sized image";

class CImageBase : public CBitmap, public CVideo {
public:
    // A blank image named "sized image": 8 or 16 bits of zeroed pixels for the types that own pixels
    // (video, system, locked surface); nothing for the others or for a size that cannot be made.
    CImageBase(int width, int height, int bits, ImageType type);
    // Loads the file; when it cannot be loaded, "gfx/dummy.bmp" in its place, under that name.
    CImageBase(const char* file, ImageType type, bool rle);
    ~CImageBase() override = default;

    // Takes the name, the screen palette and the pixels of the file (or of the fallback picture).
    void Init(const char* file, ImageType type);
    // 1 when the file was loaded, or when the type keeps no pixels of its own; 0 otherwise.
    int Create(const char* file, ImageType type);

    const char* GetName() const { return _Name; }
    ImageType GetType() const { return _Type; }
    CPalette* GetPalette() const { return _pPalette; }
    void SetPalette(CPalette* palette) { _pPalette = palette; }
    bool IsRLE() const { return _bRLE != 0; }

protected:
    char _Name[512] = {};
    ImageType _Type = IMAGE_SYSTEM;
    CPalette* _pPalette = nullptr; // not owned: palettes belong to their registry
    std::int32_t _bRLE = 0;
};

class CImage : public CImageBase {
public:
    CImage(int width, int height, int bits, ImageType type)
        : CImageBase(width, height, bits, type)
    {
    }
    CImage(const char* file, ImageType type, bool rle)
        : CImageBase(file, type, rle)
    {
    }
};
