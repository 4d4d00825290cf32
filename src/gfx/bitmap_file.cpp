// Reading Windows bitmap files: header checks, the run-length and plain pixel rows, colour tables.
#include "gfx/bitmap_file.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/data_file.h"
#include "gfx/video.h"

#include "foundation/safeguards.h"

namespace {

struct Headers {
    BitmapFileHeader file;
    BitmapInfoHeader info;
};

// How a checked file lies in memory once loaded.
struct Shape {
    std::int32_t bytes; // per pixel in memory
    std::int32_t bits;
    std::int32_t ownPitch; // of a buffer the bitmap allocates itself
    std::int32_t rowSize; // of a row in memory
    std::int64_t storedRow; // bytes of a row in the file, padding included
    std::int64_t usedBytes; // bytes of a memory row that hold pixels
};

std::uint16_t Get16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
        | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void Report(const char* name, const char* reason)
{
    std::fprintf(stderr, "Bitmap %s: %s\n", name && *name ? name : "(unnamed)", reason);
}

// Rows in the file are padded to whole 32-bit words.
std::int64_t StoredRowSize(int bits, std::int32_t width)
{
    return (static_cast<std::int64_t>(width) * bits + 31) / 32 * 4;
}

Shape ShapeOf(const BitmapInfoHeader& info)
{
    Shape s {};
    const int fileBits = info.bitCount;
    s.bits = fileBits == 24 ? 16 : fileBits;
    s.bytes = s.bits < 8 ? 1 : s.bits / 8;
    const std::int64_t bytesWide = static_cast<std::int64_t>(info.width) * s.bytes;
    s.storedRow = StoredRowSize(fileBits, info.width);
    if (fileBits == 1) {
        s.ownPitch = static_cast<std::int32_t>(((bytesWide + 7) & ~7) / 8);
        s.rowSize = static_cast<std::int32_t>(s.storedRow); // rows are kept as stored
        s.usedBytes = (info.width + 7) / 8;
    } else {
        s.ownPitch = static_cast<std::int32_t>((bytesWide + 7) & ~7);
        s.rowSize = static_cast<std::int32_t>((bytesWide + 3) & ~3);
        s.usedBytes = bytesWide;
    }
    return s;
}

// Decodes both headers and refuses what the game cannot read; writes the reason into why.
bool ParseHeaders(const std::uint8_t* d, std::size_t size, Headers* h, char* why, std::size_t whySize)
{
    if (size < static_cast<std::size_t>(kBitmapHeadersSize)) {
        std::snprintf(why, whySize, "too short for the bitmap headers");
        return false;
    }
    BitmapFileHeader& f = h->file;
    f.type = Get16(d);
    f.size = Get32(d + 2);
    f.reserved1 = Get16(d + 6);
    f.reserved2 = Get16(d + 8);
    f.offset = Get32(d + 10);
    BitmapInfoHeader& i = h->info;
    const std::uint8_t* p = d + 14;
    i.size = Get32(p);
    i.width = static_cast<std::int32_t>(Get32(p + 4));
    i.height = static_cast<std::int32_t>(Get32(p + 8));
    i.planes = Get16(p + 12);
    i.bitCount = Get16(p + 14);
    i.compression = Get32(p + 16);
    i.imageSize = Get32(p + 20);
    i.xPelsPerMeter = static_cast<std::int32_t>(Get32(p + 24));
    i.yPelsPerMeter = static_cast<std::int32_t>(Get32(p + 28));
    i.colorsUsed = Get32(p + 32);
    i.colorsImportant = Get32(p + 36);
    if (f.type != kBitmapType) {
        std::snprintf(why, whySize, "not a bitmap (no \"BM\")");
        return false;
    }
    if (i.size < 40) {
        std::snprintf(why, whySize, "information header of %u bytes, 40 or more expected", i.size);
        return false;
    }
    if (i.width <= 0 || i.height <= 0) {
        std::snprintf(
            why, whySize, "size %d x %d: both must be positive (rows bottom-up)", i.width, i.height);
        return false;
    }
    if (i.width > kBitmapMaxSide || i.height > kBitmapMaxSide) {
        std::snprintf(why, whySize, "size %d x %d exceeds %d a side", i.width, i.height, kBitmapMaxSide);
        return false;
    }
    if (i.bitCount != 1 && i.bitCount != 8 && i.bitCount != 16 && i.bitCount != 24) {
        std::snprintf(why, whySize, "%u bits per pixel are not read (1, 8, 16 or 24)", i.bitCount);
        return false;
    }
    if (i.compression > 1 || (i.compression == 1 && i.bitCount != 8)) {
        std::snprintf(
            why, whySize, "compression %u with %u bits per pixel is not read", i.compression, i.bitCount);
        return false;
    }
    const Shape s = ShapeOf(i);
    if (static_cast<std::int64_t>(s.ownPitch) * i.height > kBitmapMaxBytes) {
        std::snprintf(why, whySize, "size %d x %d needs more than %lld bytes", i.width, i.height,
            static_cast<long long>(kBitmapMaxBytes));
        return false;
    }
    if (i.imageSize == 0)
        i.imageSize = static_cast<std::uint32_t>(s.storedRow * i.height);
    return true;
}

// Why the pixel data cannot be there in full (null when it can): known before any buffer is allocated.
const char* PixelDataProblem(const Headers& h, std::size_t size)
{
    if (h.file.offset > size)
        return "pixel data starts beyond the end of the file";
    const std::uint64_t needed
        = static_cast<std::uint64_t>(StoredRowSize(h.info.bitCount, h.info.width)) * h.info.height;
    if (h.info.compression == 0 && needed > size - h.file.offset)
        return "pixel data cut short";
    return nullptr;
}

// Writes n pixels starting at column x of the picture's row y (counted from the bottom), clipped to the
// picture; values null repeats value.
void PutRun(std::uint8_t* pixels, int pitch, std::int32_t width, std::int32_t height, std::int64_t x,
    std::int64_t y, std::int64_t n, const std::uint8_t* values, std::uint8_t value)
{
    if (y >= height || x >= width)
        return;
    std::uint8_t* row = pixels + static_cast<std::int64_t>(height - 1 - y) * pitch;
    const std::int64_t end = std::min<std::int64_t>(x + n, width);
    for (std::int64_t col = x; col < end; ++col)
        row[col] = values ? values[col - x] : value;
}

// Run-length 8-bit rows: count and value pairs, or an escape 0 followed by end of line (0), end of
// picture (1), a move (2, dx, dy) or a literal run of that many bytes padded to a word.
bool DecodeRle8(const std::uint8_t* d, std::size_t size, std::size_t pos, std::int32_t width,
    std::int32_t height, std::uint8_t* pixels, int pitch, const char** why)
{
    std::int64_t x = 0, y = 0;
    while (y < height) {
        if (size - pos < 2) {
            *why = "run-length data ends before its end mark";
            return false;
        }
        const std::uint8_t count = d[pos], code = d[pos + 1];
        pos += 2;
        if (count > 0) {
            PutRun(pixels, pitch, width, height, x, y, count, nullptr, code);
            x += count;
        } else if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (size - pos < 2) {
                *why = "run-length move cut short";
                return false;
            }
            x += d[pos];
            y += d[pos + 1];
            pos += 2;
        } else {
            if (size - pos < code) {
                *why = "run-length literal run cut short";
                return false;
            }
            PutRun(pixels, pitch, width, height, x, y, code, d + pos, 0);
            x += code;
            pos = std::min(size, pos + code + (code & 1));
        }
    }
    return true; // every row has been passed: nothing more could be written
}

} // namespace

CBitmap::CBitmap(const char* file)
{
    CreateBitmap(file);
}

CBitmap::~CBitmap()
{
    std::free(_pBuffer);
}

unsigned char* CBitmap::Lock(int x, int y)
{
    unsigned char* base = Lock();
    if (!base)
        return nullptr;
    return base + static_cast<std::ptrdiff_t>(y) * _Pitch + static_cast<std::ptrdiff_t>(x) * _BytesPerPixel;
}

void CBitmap::RemoveBuffer()
{
    std::free(_pBuffer);
    _pBuffer = nullptr;
    _pPixels = nullptr;
}

int CBitmap::GetBitmapInfo(CFile* file, BitmapInfoHeader* info)
{
    if (!file || file->ErrorFlag())
        return 0;
    std::uint8_t bytes[kBitmapHeadersSize];
    Headers headers;
    char why[160];
    char* name = file->GetRealFileName();
    const bool read = file->SeekStart(0) && file->Read(bytes, sizeof bytes, true);
    const bool ok = read && ParseHeaders(bytes, sizeof bytes, &headers, why, sizeof why);
    if (!ok)
        Report(name, read ? why : "too short for the bitmap headers");
    delete[] name;
    file->SeekStart(0);
    if (!ok || file->ErrorFlag())
        return 0;
    *info = headers.info;
    return 1;
}

int CBitmap::CreateBitmap(const char* name)
{
    CFile file(name);
    if (file.ErrorFlag()) {
        Report(name, "cannot be opened");
        return 0;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(file.GetSize()));
    if (!file.Read(data.data(), static_cast<int>(data.size()), true)) {
        Report(name, "cannot be read");
        return 0;
    }
    Headers headers;
    char why[160];
    if (!ParseHeaders(data.data(), data.size(), &headers, why, sizeof why)) {
        Report(name, why);
        return 0;
    }
    if (const char* problem = PixelDataProblem(headers, data.size())) {
        Report(name, problem);
        return 0;
    }
    const Shape shape = ShapeOf(headers.info);
    const std::size_t capacity = static_cast<std::size_t>(shape.ownPitch) * headers.info.height;
    // Zero-filled, so that pixels a run-length file skips over are the transparent index.
    auto* buffer = static_cast<unsigned char*>(std::calloc(capacity + 7, 1));
    if (!buffer) {
        Report(name, "out of memory");
        return 0;
    }
    unsigned char* aligned = AlignTo8(buffer);
    if (!LoadFromMemory(data.data(), data.size(), aligned, shape.ownPitch, capacity, name)) {
        std::free(buffer);
        return 0;
    }
    std::free(_pBuffer);
    _pBuffer = buffer;
    _pPixels = aligned;
    return 1;
}

int CBitmap::Load(CFile* file, unsigned char* pixels, int pitch)
{
    if (!file || file->ErrorFlag())
        return 0;
    char* name = file->GetRealFileName();
    const int start = file->GetPosition();
    int result = 0;
    if (start >= 0 && start <= file->GetSize()) {
        std::vector<std::uint8_t> data(static_cast<std::size_t>(file->GetSize() - start));
        if (file->Read(data.data(), static_cast<int>(data.size()), true))
            result = LoadFromMemory(data.data(), data.size(), pixels, pitch, SIZE_MAX, name);
        else
            Report(name, "cannot be read");
    }
    delete[] name;
    return result;
}

int CBitmap::LoadFromMemory(const std::uint8_t* data, std::size_t size, unsigned char* pixels, int pitch,
    std::size_t capacity, const char* name)
{
    Headers headers;
    char why[160];
    if (!data || !ParseHeaders(data, size, &headers, why, sizeof why)) {
        Report(name, data ? why : "no data");
        return 0;
    }
    const BitmapInfoHeader& info = headers.info;
    const Shape shape = ShapeOf(info);
    if (pitch == -1)
        pitch = _Pitch > 0 ? _Pitch : shape.rowSize;
    if (!pixels || pitch < shape.usedBytes
        || static_cast<std::uint64_t>(pitch) * static_cast<std::uint64_t>(info.height) > capacity) {
        Report(name, "the destination cannot hold the picture");
        return 0;
    }
    if (const char* problem = PixelDataProblem(headers, size)) {
        Report(name, problem);
        return 0;
    }
    const std::size_t start = headers.file.offset;
    const std::int32_t w = info.width, h = info.height;
    if (info.compression == 1) {
        const char* reason = nullptr;
        if (!DecodeRle8(data, size, start, w, h, pixels, pitch, &reason)) {
            Report(name, reason);
            return 0;
        }
    } else {
        const std::size_t copy = static_cast<std::size_t>(std::min<std::int64_t>(shape.storedRow, pitch));
        for (std::int32_t r = 0; r < h; ++r) {
            const std::uint8_t* src = data + start + static_cast<std::size_t>(r) * shape.storedRow;
            unsigned char* dst = pixels + static_cast<std::size_t>(h - 1 - r) * pitch;
            if (info.bitCount == 24) {
                for (std::int32_t x = 0; x < w; ++x) {
                    const std::uint16_t pixel
                        = CVideo::TrueToHigh(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                    std::memcpy(dst + 2 * x, &pixel, 2);
                }
            } else if (info.bitCount == 16 && std::endian::native != std::endian::little) {
                for (std::int32_t x = 0; x < w; ++x) {
                    const std::uint16_t pixel = Get16(src + 2 * x);
                    std::memcpy(dst + 2 * x, &pixel, 2);
                }
            } else {
                std::memcpy(dst, src, copy);
            }
        }
    }
    _Width = w;
    _Height = h;
    _BytesPerPixel = shape.bytes;
    _BitsPerPixel = shape.bits;
    _nColors = static_cast<std::int32_t>(std::min<std::uint32_t>(info.colorsUsed, INT32_MAX));
    _RowSize = shape.rowSize;
    _Pitch = pitch;
    return 1;
}

int CBitmap::LoadPalette(const char* name, unsigned char* colours)
{
    CFile file(name);
    if (file.ErrorFlag())
        return 0;
    std::uint8_t bytes[kBitmapHeadersSize];
    Headers headers;
    char why[160];
    if (!file.Read(bytes, sizeof bytes, true)) {
        Report(name, "too short for the bitmap headers");
        return 0;
    }
    if (!ParseHeaders(bytes, sizeof bytes, &headers, why, sizeof why)) {
        Report(name, why);
        return 0;
    }
    if (headers.info.bitCount > 8) {
        Report(name, "has no colour table");
        return 0;
    }
    std::uint8_t table[1024];
    const std::int64_t at = 14 + static_cast<std::int64_t>(headers.info.size);
    if (at + static_cast<std::int64_t>(sizeof table) > file.GetSize() || !file.SeekStart(static_cast<int>(at))
        || !file.Read(table, sizeof table, true)) {
        Report(name, "colour table cut short");
        return 0;
    }
    std::memcpy(colours, table, sizeof table);
    return 256;
}
