// CBitmap: reads the game's Windows bitmap files (1, 8 and 16 bits as stored, 8 bits run-length encoded,
// 24 bits turned into 16-bit pixels) and their colour tables; the base of every image.
#pragma once

#include <cstddef>
#include <cstdint>

class CFile;

// The first 14 bytes of a bitmap file, decoded field by field (the file packs it without alignment).
struct BitmapFileHeader {
    std::uint16_t type; // "BM" read little-endian: 19778
    std::uint32_t size;
    std::uint16_t reserved1;
    std::uint16_t reserved2;
    std::uint32_t offset; // of the pixel data, from the file's start
};

// The 40-byte information header, in file order.
struct BitmapInfoHeader {
    std::uint32_t size; // of this header; longer headers carry fields the game does not read
    std::int32_t width;
    std::int32_t height; // positive: rows stored bottom-up
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t compression; // 0 none, 1 run-length 8-bit
    std::uint32_t imageSize; // filled in from the width when the file leaves it 0
    std::int32_t xPelsPerMeter;
    std::int32_t yPelsPerMeter;
    std::uint32_t colorsUsed;
    std::uint32_t colorsImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40);
static_assert(offsetof(BitmapInfoHeader, bitCount) == 14 && offsetof(BitmapInfoHeader, colorsUsed) == 32);

inline constexpr std::uint16_t kBitmapType = 19778; // "BM"
inline constexpr int kBitmapHeadersSize = 14 + 40;
// Larger sides are refused before anything is allocated; no picture of the game comes near them.
inline constexpr std::int32_t kBitmapMaxSide = 16384;
inline constexpr std::int64_t kBitmapMaxBytes = 128 << 20;

class CBitmap {
public:
    CBitmap() = default;
    // Loads the file; on failure the bitmap stays empty (width 0, no pixels).
    explicit CBitmap(const char* file);
    virtual ~CBitmap();
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // The first pixel's address (null without pixels); images lock their surface here.
    virtual unsigned char* Lock() { return _pPixels; }
    virtual unsigned char* Lock(int x, int y);
    virtual void Unlock() { }

    void RemoveBuffer();

    // Reads and checks both headers from the file's start and seeks back there. 0 for a file in error,
    // without "BM", or with a shape the game cannot read (its reason goes to standard error).
    static int GetBitmapInfo(CFile* file, BitmapInfoHeader* info);

    // Opens the file and loads it into a buffer of the bitmap's own, replacing what it held. 1 or 0;
    // on 0 the bitmap is as it was.
    int CreateBitmap(const char* file);

    // Reads the headers from the file's current position, then the pixels into pixels at pitch bytes
    // per row, the last row of the picture first. Pitch -1 means the bitmap's own pitch (or, when none
    // is set, the file's row size). pixels must hold height rows of pitch bytes. 1 or 0; on 0 the
    // bitmap's fields are as they were, though some pixels may have been written.
    int Load(CFile* file, unsigned char* pixels, int pitch);

    // The same from a whole file held in memory; capacity is the number of bytes pixels can take.
    int LoadFromMemory(const std::uint8_t* data, std::size_t size, unsigned char* pixels, int pitch,
        std::size_t capacity, const char* name);

    // The 256 blue-green-red-reserved entries of an 8-bit (or smaller) file's colour table into
    // colours (1024 bytes). 256, or 0 when the file cannot be read or has no colour table; colours are
    // untouched on 0.
    static int LoadPalette(const char* file, unsigned char* colours);

    int GetWidth() const { return _Width; }
    int GetHeight() const { return _Height; }
    int GetBytesPerPixel() const { return _BytesPerPixel; }
    int GetBitsPerPixel() const { return _BitsPerPixel; }
    int GetColorCount() const { return _nColors; }
    int GetPitch() const { return _Pitch; }
    int GetRowSize() const { return _RowSize; }

protected:
    // The first 8-byte-aligned address at or after p; buffers are allocated 7 bytes longer for it.
    static unsigned char* AlignTo8(unsigned char* p)
    {
        return reinterpret_cast<unsigned char*>(
            (reinterpret_cast<std::uintptr_t>(p) + 7) & ~std::uintptr_t(7));
    }

    std::int32_t _Width = 0;
    std::int32_t _Height = 0;
    std::int32_t _BytesPerPixel = 0;
    std::int32_t _BitsPerPixel = 0; // 1, 8 or 16: 24-bit files become 16-bit pixels
    std::int32_t _nColors = 0;
    std::int32_t _Pitch = 0;
    unsigned char* _pBuffer = nullptr; // owned; malloc'ed
    unsigned char* _pPixels = nullptr; // 8-byte aligned inside _pBuffer, or a surface's memory
    std::int32_t _RowSize = 0;
};
