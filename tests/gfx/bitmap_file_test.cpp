// Bitmap files of every depth read into memory, run-length rows, refused files, colour tables, and the
// image names and shared images of the sprites' registry.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/data_file.h"
#include "foundation/hash_table.h"
#include "gfx/bitmap_file.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/image_descriptor.h"
#include "gfx/video.h"
#include "gfx/video_fixture.h"

#include "foundation/safeguards.h"

namespace {

using fixture::Bmp;

std::string Native16(std::initializer_list<std::uint16_t> pixels)
{
    std::string s(pixels.size() * 2, '\0');
    std::memcpy(s.data(), pixels.begin(), s.size());
    return s;
}

std::string Stored16(std::initializer_list<std::uint16_t> pixels)
{
    std::string s;
    for (std::uint16_t p : pixels)
        fixture::Put16(s, p);
    return s;
}

std::string Row(const CBitmap& bitmap, int y, int bytes)
{
    auto& b = const_cast<CBitmap&>(bitmap);
    return std::string(reinterpret_cast<const char*>(b.Lock(0, y)), static_cast<std::size_t>(bytes));
}

class BitmapTest : public fixture::GfxFileTest {
protected:
    // Writes the file and loads it into a fresh bitmap.
    int Make(const std::string& name, const std::string& bytes, CBitmap& bitmap)
    {
        fixture::WriteFile(name, bytes);
        return bitmap.CreateBitmap(name.c_str());
    }
};

struct DepthCase {
    const char* what;
    Bmp file;
    int bits, bytes, pitch, rowSize;
    std::string top, bottom; // the used bytes of memory rows 0 and 1
};

TEST_F(BitmapTest, EveryDepthLoadsBottomUpWithItsPitch)
{
    const auto rgb = [](int r, int g, int b) { return std::string { char(b), char(g), char(r) }; };
    const DepthCase cases[] = {
        { "1-bit rows are kept as stored, padded to words in the file",
            { 9, 2, 1, 0, 40, 0, 0, true, std::string("\xAA\x80\0\0\x55\x00\0\0", 8) }, 1, 1, 2, 4,
            std::string("\x55\x00", 2), "\xAA\x80" },
        { "8-bit", { 3, 2, 8, 0, 40, 0, 0, true, std::string("\1\2\3\0\4\5\6\0", 8) }, 8, 1, 8, 4, "\4\5\6",
            "\1\2\3" },
        { "16-bit",
            { 3, 2, 16, 0, 40, 0, 0, false,
                Stored16({ 0x1234, 0x5678, 0x9ABC, 0 }) + Stored16({ 1, 2, 3, 0 }) },
            16, 2, 8, 8, Native16({ 1, 2, 3 }), Native16({ 0x1234, 0x5678, 0x9ABC }) },
        { "24-bit, 3 wide: rows of 9 bytes and 3 of padding",
            { 3, 2, 24, 0, 40, 0, 0, false,
                rgb(255, 0, 0) + rgb(0, 255, 0) + rgb(0, 0, 255) + "xyz" + rgb(255, 255, 255) + rgb(8, 4, 8)
                    + rgb(0, 0, 0) + "xyz" },
            16, 2, 8, 8, Native16({ 0xFFFF, CVideo::TrueToHigh(8, 4, 8), 0 }),
            Native16({ 0xF800, 0x07E0, 0x001F }) },
        { "24-bit, 4 wide: rows of 12 bytes without padding",
            { 4, 2, 24, 0, 40, 0, 0, false,
                rgb(1, 1, 1) + rgb(2, 2, 2) + rgb(3, 3, 3) + rgb(255, 0, 0) + rgb(0, 0, 255) + rgb(0, 0, 255)
                    + rgb(0, 0, 255) + rgb(0, 255, 0) },
            16, 2, 8, 8, Native16({ 0x1F, 0x1F, 0x1F, 0x07E0 }), Native16({ 0, 0, 0, 0xF800 }) },
        { "a header longer than 40 bytes: pixels are found at the file's offset",
            { 2, 2, 24, 0, 124, 0, 0, false,
                rgb(255, 0, 0) + rgb(255, 0, 0) + "zz" + rgb(0, 0, 255) + std::string("\0\0\0zz", 5) },
            16, 2, 8, 4, Native16({ 0x1F, 0 }), Native16({ 0xF800, 0xF800 }) },
    };
    for (const DepthCase& c : cases) {
        SCOPED_TRACE(c.what);
        CBitmap bitmap;
        ASSERT_EQ(Make("gfx/depth.bmp", fixture::Bytes(c.file), bitmap), 1);
        EXPECT_EQ(bitmap.GetWidth(), c.file.width);
        EXPECT_EQ(bitmap.GetHeight(), 2);
        EXPECT_EQ(bitmap.GetBitsPerPixel(), c.bits);
        EXPECT_EQ(bitmap.GetBytesPerPixel(), c.bytes);
        EXPECT_EQ(bitmap.GetPitch(), c.pitch);
        EXPECT_EQ(bitmap.GetRowSize(), c.rowSize);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bitmap.Lock()) % 8, 0u);
        EXPECT_EQ(Row(bitmap, 0, static_cast<int>(c.top.size())), c.top);
        EXPECT_EQ(Row(bitmap, 1, static_cast<int>(c.bottom.size())), c.bottom);
    }
}

TEST_F(BitmapTest, TwentyFourBitPixelsTakeTheCurrentFormat)
{
    Bmp file { 1, 1, 24, 0, 40, 0, 0, false, std::string("\x10\xF8\x80\0", 4) }; // b, g, r
    CVideo::_RGBFormat = 1;
    CBitmap bitmap;
    ASSERT_EQ(Make("gfx/rgb555.bmp", fixture::Bytes(file), bitmap), 1);
    std::uint16_t pixel;
    std::memcpy(&pixel, bitmap.Lock(), 2);
    EXPECT_EQ(pixel, (0x80 >> 3) << 10 | (0xF8 >> 3) << 5 | 0x10 >> 3);
}

TEST_F(BitmapTest, RunLengthRowsWithMovesLiteralsAndClipping)
{
    // 6 x 3. Bottom row: a run of 2 (value 5); a move of (2, 1) lands at column 4 of the middle row,
    // where a run of 9 is cut at the right edge; end of line; the top row gets a literal run of 3 with
    // its padding byte and a run of 1, and the picture ends leaving the rest at 0.
    const std::string data("\x02\x05"
                           "\x00\x02\x02\x01"
                           "\x09\x04"
                           "\x00\x00"
                           "\x00\x03\x07\x08\x09\x00"
                           "\x01\x03"
                           "\x00\x01",
        20);
    Bmp file { 6, 3, 8, 1, 40, 0, 0, true, data };
    CBitmap bitmap;
    ASSERT_EQ(Make("gfx/rle.bmp", fixture::Bytes(file), bitmap), 1);
    EXPECT_EQ(Row(bitmap, 2, 6), std::string("\5\5\0\0\0\0", 6));
    EXPECT_EQ(Row(bitmap, 1, 6), std::string("\0\0\0\0\4\4", 6));
    EXPECT_EQ(Row(bitmap, 0, 6), std::string("\7\x08\x09\3\0\0", 6));

    // Runs and moves that leave the picture write nothing there and end the reading.
    Bmp outside { 2, 1, 8, 1, 40, 0, 0, true, std::string("\xFF\x01\x00\x02\x00\x09\x05\x05", 8) };
    CBitmap clipped;
    ASSERT_EQ(Make("gfx/rle_out.bmp", fixture::Bytes(outside), clipped), 1);
    EXPECT_EQ(Row(clipped, 0, 2), "\1\1");
}

TEST_F(BitmapTest, BadFilesAreRefusedAndLeaveTheBitmapAsItWas)
{
    const auto bmp8 = [](std::int32_t w, std::int32_t h, const std::string& pixels) {
        return Bmp { w, h, 8, 0, 40, 0, 0, true, pixels };
    };
    Bmp rle16 = bmp8(1, 1, "\1\1\0\1");
    rle16.bits = 16;
    rle16.compression = 1;
    Bmp bits32 = bmp8(1, 1, "abcd");
    bits32.bits = 32;
    Bmp compressed2 = bmp8(1, 1, "abcd");
    compressed2.compression = 2;
    Bmp shortInfo = bmp8(1, 1, "abcd");
    shortInfo.infoSize = 12;
    std::string offsetBeyond = fixture::Bytes(bmp8(1, 1, "abcd"));
    offsetBeyond[10] = '\x7F';
    offsetBeyond[12] = '\x01';
    const struct {
        const char* what;
        std::string bytes;
        bool headersRefused;
    } cases[] = {
        { "empty file", "", true },
        { "headers cut short", fixture::Bytes(bmp8(1, 1, "abcd")).substr(0, 40), true },
        { "not BM", "XM" + fixture::Bytes(bmp8(1, 1, "abcd")).substr(2), true },
        { "information header of 12 bytes", fixture::Bytes(shortInfo), true },
        { "zero width", fixture::Bytes(bmp8(0, 1, "")), true },
        { "negative height (top-down)", fixture::Bytes(bmp8(1, -1, "abcd")), true },
        { "side beyond the limit", fixture::Bytes(bmp8(kBitmapMaxSide + 1, 1, "")), true },
        { "more bytes than the limit", fixture::Bytes(bmp8(16000, 16000, "abcd")), true },
        { "pixels of a large picture missing", fixture::Bytes(bmp8(4000, 4000, "abcd")), false },
        { "32 bits per pixel", fixture::Bytes(bits32), true },
        { "compression 2", fixture::Bytes(compressed2), true },
        { "run-length 16-bit", fixture::Bytes(rle16), true },
        { "last row missing", fixture::Bytes(bmp8(2, 2, "abcd")), false },
        { "pixel offset beyond the end", offsetBeyond, false },
        { "run-length without its end", fixture::Bytes(Bmp { 2, 2, 8, 1, 40, 0, 0, true, "\x02\x01" }),
            false },
        { "run-length move cut short",
            fixture::Bytes(Bmp { 2, 2, 8, 1, 40, 0, 0, true, std::string("\0\2\1", 3) }), false },
        { "run-length literal cut short",
            fixture::Bytes(Bmp { 8, 2, 8, 1, 40, 0, 0, true, std::string("\0\5\1\2", 4) }), false },
    };
    CBitmap bitmap;
    ASSERT_EQ(Make("gfx/good.bmp", fixture::Bytes(bmp8(3, 1, std::string("\1\2\3\0", 4))), bitmap), 1);
    const unsigned char* pixels = bitmap.Lock();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Make("gfx/bad.bmp", c.bytes, bitmap), 0);
        EXPECT_EQ(bitmap.GetWidth(), 3);
        EXPECT_EQ(bitmap.Lock(), pixels);
        EXPECT_EQ(Row(bitmap, 0, 3), "\1\2\3");
        CFile file("gfx\\bad.bmp");
        BitmapInfoHeader info {};
        EXPECT_EQ(CBitmap::GetBitmapInfo(&file, &info), c.headersRefused ? 0 : 1);
    }
    EXPECT_EQ(bitmap.CreateBitmap("gfx/missing.bmp"), 0);
    EXPECT_EQ(CBitmap("gfx/missing.bmp").Lock(), nullptr);
}

TEST_F(BitmapTest, HeaderInfoAndLoadingAtAGivenPitch)
{
    fixture::WriteFile("gfx/info.bmp",
        fixture::Bytes(Bmp { 3, 2, 8, 0, 40, 0, 17, true, std::string("\1\2\3\0\4\5\6\0", 8) }));
    CFile file("gfx\\INFO.BMP");
    BitmapInfoHeader info {};
    ASSERT_EQ(CBitmap::GetBitmapInfo(&file, &info), 1);
    EXPECT_EQ(info.imageSize, 8u); // filled in: rows of 4 bytes
    EXPECT_EQ(info.width, 3);
    EXPECT_EQ(file.GetPosition(), 0);

    // Into a wider destination, as a surface with its own pitch.
    std::vector<unsigned char> surface(2 * 16, 0xEE);
    CBitmap bitmap;
    ASSERT_EQ(bitmap.Load(&file, surface.data(), 16), 1);
    EXPECT_EQ(bitmap.GetPitch(), 16);
    EXPECT_EQ(bitmap.GetColorCount(), 17);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(surface.data()), 3), "\4\5\6");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(surface.data() + 16), 3), "\1\2\3");
    EXPECT_EQ(surface[20], 0xEE);

    // A destination row narrower than the picture is refused.
    ASSERT_TRUE(file.SeekStart(0));
    EXPECT_EQ(CBitmap().Load(&file, surface.data(), 2), 0);
}

TEST_F(BitmapTest, ColourTablesOfPaletteFiles)
{
    unsigned char colours[1024];
    std::memset(colours, 0x55, sizeof colours);
    Bmp longHeader { 1, 1, 8, 0, 64, 0, 0, true, std::string(4, '\0') };
    fixture::WriteFile("gfx/pal.bmp", fixture::Bytes(longHeader));
    ASSERT_EQ(CBitmap::LoadPalette("gfx\\pal.bmp", colours), 256);
    std::uint32_t entry;
    std::memcpy(&entry, colours + 4 * 200, 4);
    EXPECT_EQ(entry, fixture::TableEntry(200));

    std::memset(colours, 0x55, sizeof colours);
    fixture::WriteFile("gfx/true.bmp", fixture::Bytes(Bmp { 1, 1, 24, 0, 40, 0, 0, true, "abcd" }));
    EXPECT_EQ(CBitmap::LoadPalette("gfx\\true.bmp", colours), 0);
    fixture::WriteFile("gfx/cut.bmp", fixture::Bytes(longHeader).substr(0, 500));
    EXPECT_EQ(CBitmap::LoadPalette("gfx\\cut.bmp", colours), 0);
    EXPECT_EQ(CBitmap::LoadPalette("gfx\\none.bmp", colours), 0);
    EXPECT_EQ(colours[0], 0x55);
    EXPECT_EQ(colours[1023], 0x55);
}

TEST(ImageDescriptor, HashIsCaseSensitiveAndEqualityIsNot)
{
    EXPECT_EQ(CImageDescriptor("ab").GetHashValue(10), 5u);
    // 0xE9 counts as -23: 97 - 23 = 74.
    EXPECT_EQ(CImageDescriptor("a\xE9").GetHashValue(1000), 74u);
    // A negative sum is taken unsigned: -23 as 2^32 - 23.
    EXPECT_EQ(CImageDescriptor("\xE9").GetHashValue(511), static_cast<std::uint32_t>(-23) % 511u);
    EXPECT_EQ(CImageDescriptor("ab").GetHashValue(0), 0u);
    EXPECT_TRUE(CImageDescriptor("GFX\\Dot.bmp") == CImageDescriptor("gfx\\dot.BMP"));
    EXPECT_NE(CImageDescriptor("GFX\\Dot.bmp").GetHashValue(511),
        CImageDescriptor("gfx\\dot.BMP").GetHashValue(511));
    EXPECT_FALSE(CImageDescriptor("a.bmp") == CImageDescriptor("b.bmp"));
    const std::string longName(400, 'x');
    EXPECT_EQ(std::strlen(CImageDescriptor(longName.c_str()).GetName()), 255u);
}

TEST_F(BitmapTest, ImageNodesAreSharedByNameWithTheFallbackPicture)
{
    video_test::ScopedHeadlessVideo video;
    fixture::WriteFile(
        "gfx/dummy.bmp", fixture::Bytes(Bmp { 2, 1, 8, 0, 40, 0, 0, true, std::string("\7\7\0\0", 4) }));
    fixture::WriteFile("gfx/interface/dot.bmp",
        fixture::Bytes(Bmp { 1, 1, 16, 0, 40, 0, 0, false, Stored16({ 0x7E0, 0 }) }));
    CHashTable<CImageDescriptor, CImageNode> registry(511);
    auto* dot = new CImageNode("gfx\\interface\\dot.bmp", false);
    auto* gone = new CImageNode("gfx\\interface\\gone.bmp", true);
    registry.Add(dot);
    registry.Add(gone);
    EXPECT_EQ(dot->GetRefCount(), 1);
    EXPECT_EQ(dot->GetType(), IMAGE_SYSTEM);
    EXPECT_EQ(dot->GetBitsPerPixel(), 16);
    EXPECT_STREQ(dot->GetName(), "gfx\\interface\\dot.bmp");
    EXPECT_EQ(registry.Find(CImageDescriptor("gfx\\interface\\dot.bmp")), dot);
    EXPECT_EQ(registry.Find(CImageDescriptor("gfx\\interface\\DOT.bmp")), nullptr); // hashed by its bytes
    EXPECT_EQ(dot->AddRef(), 2);
    EXPECT_EQ(dot->Release(), 1);

    // A file that cannot be loaded shows the fallback picture but is still found by its own name.
    EXPECT_STREQ(gone->GetName(), "gfx/dummy.bmp");
    EXPECT_EQ(gone->GetWidth(), 2);
    EXPECT_TRUE(gone->IsRLE());
    EXPECT_EQ(registry.Find(CImageDescriptor("gfx\\interface\\gone.bmp")), gone);

    CImageNode blank(4, 3, 8);
    EXPECT_STREQ(blank.GetName(), "sized image");
    EXPECT_STREQ(blank.GetHashKey().GetName(), "");
    EXPECT_GE(blank.GetPitch(), 4);
    EXPECT_EQ(Row(blank, 2, 4), std::string(4, '\0'));
    EXPECT_EQ(CImageNode(4, 3, 12).Lock(), nullptr);
    registry.DeleteAll();
}

} // namespace
