// Run-length sprites: the token bytes of the encoder, refused encodings, every decoder against a per-pixel
// reference of what the runs mean, and the blend modes' effect on single pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "gfx/image.h"
#include "gfx/image_rle.h"
#include "gfx/palette.h"
#include "gfx/video.h"
#include "gfx/video_fixture.h"

#include "foundation/safeguards.h"

namespace {

std::uint8_t& At8(CImage& image, int x, int y)
{
    return image.Lock()[y * image.GetPitch() + x];
}

std::uint16_t& At16(CImage& image, int x, int y)
{
    return reinterpret_cast<std::uint16_t*>(image.Lock() + y * image.GetPitch())[x];
}

// An 8-bit image of one row holding the values.
std::unique_ptr<CImage> Row(const std::vector<std::uint8_t>& values)
{
    auto image = std::make_unique<CImage>(static_cast<int>(values.size()), 1, 8, IMAGE_SYSTEM);
    for (std::size_t i = 0; i < values.size(); ++i)
        At8(*image, static_cast<int>(i), 0) = values[i];
    return image;
}

std::vector<std::uint8_t> Stream(const CImage& image, int frame = 0)
{
    return image.GetRLEHeader()->frames[static_cast<std::size_t>(frame)].stream;
}

class RLETest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CImageBase::InitAlpha();
        CVideo::_RGBFormat = 0;
        for (int i = 0; i < 256; ++i)
            palette._Normal16[i] = static_cast<std::uint32_t>(i * 257u + 1234u) & 0xFFFF;
    }
    void TearDown() override { CVideo::_RGBFormat = 0; }
    // Images keep their pixels in surfaces of the DirectDraw object; the test brings its own back buffer.
    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CPalette palette;
};

TEST_F(RLETest, EncoderTokens)
{
    struct Case {
        std::vector<std::uint8_t> row;
        std::vector<std::uint8_t> tokens;
    } cases[] = {
        { std::vector<std::uint8_t>(64, 7), { 0xBF, 7, 0x81, 7 } },
        { std::vector<std::uint8_t>(63, 0), { 0x3F } },
        { std::vector<std::uint8_t>(3, 1), { 0x43 } },
        { { 5, 6, 7, 0, 0, 1 }, { 0xC3, 5, 6, 7, 0x02, 0x41 } },
        // The row's last pixel always ends a run, never a literal.
        { { 9, 8 }, { 0xC1, 9, 0x81, 8 } },
    };
    for (const Case& c : cases) {
        auto image = Row(c.row);
        ASSERT_EQ(image->Encode(1), 1);
        EXPECT_EQ(Stream(*image), c.tokens) << c.row.size();
        EXPECT_TRUE(image->IsRLE());
        EXPECT_EQ(image->Lock(), nullptr) << "the pixels are freed";
    }
    // A row of 70 different colours: a literal of 62, one of 7, then a run of 1.
    std::vector<std::uint8_t> differing;
    for (int i = 0; i < 70; ++i)
        differing.push_back(static_cast<std::uint8_t>(2 + i));
    auto image = Row(differing);
    ASSERT_EQ(image->Encode(1), 1);
    const std::vector<std::uint8_t> s = Stream(*image);
    ASSERT_EQ(s.size(), 1 + 62 + 1 + 7 + 2u);
    EXPECT_EQ(s[0], 0xC0 + 62);
    EXPECT_EQ(s[63], 0xC0 + 7);
    EXPECT_EQ(s[71], 0x81);
    EXPECT_EQ(s[72], 71);
}

TEST_F(RLETest, FramesAndRefusals)
{
    // 10 columns in 3 frames: each frame 3 wide, the last column in none.
    CImage sheet(10, 2, 8, IMAGE_SYSTEM);
    ASSERT_EQ(sheet.Encode(3), 1);
    const CRLEHeader* h = sheet.GetRLEHeader();
    EXPECT_EQ(h->nFrames, 3);
    EXPECT_EQ(h->nFrameWidth, 3);
    EXPECT_EQ(h->nRows, 2);
    EXPECT_EQ(Stream(sheet, 2), (std::vector<std::uint8_t> { 0x03, 0x03 }));
    EXPECT_EQ(sheet.Encode(1), 0) << "already encoded";

    CImage high(8, 8, 16, IMAGE_SYSTEM);
    EXPECT_EQ(high.Encode(1), 0);
    EXPECT_FALSE(high.IsRLE());
    for (int frames : { 0, -1, 9 }) {
        CImage plain(8, 1, 8, IMAGE_SYSTEM);
        EXPECT_EQ(plain.Encode(frames), 0) << frames;
        EXPECT_FALSE(plain.IsRLE());
        EXPECT_NE(plain.Lock(), nullptr);
    }
}

// What DrawNormal must produce: frame pixel (fx, fy) is drawn only when it opens its 2^s block (the column
// counter runs on across rows), lands inside the destination and its output row is a whole one.
void Reference(const std::vector<std::uint8_t>& sheet, int width, int rows, int frames, int frame, int shift,
    int x, int y, const CPalette& palette, std::vector<std::uint16_t>& dest, int dw, int dh)
{
    const int fw = width / frames;
    const int mask = (1 << shift) - 1;
    for (int fy = 0; fy < rows; ++fy) {
        for (int fx = 0; fx < fw; ++fx) {
            if (((fy * fw + fx) & mask) != 0 || (fy & mask) != 0 || (fy >> shift) >= (rows >> shift))
                continue;
            const int dx = x + (fx >> shift), dy = y + (fy >> shift);
            if (dx < 0 || dy < 0 || dx >= dw || dy >= dh)
                continue;
            const std::uint8_t v = sheet[static_cast<std::size_t>(fy * width + frame * fw + fx)];
            std::uint16_t& d = dest[static_cast<std::size_t>(dy * dw + dx)];
            if (v == 1)
                d = static_cast<std::uint16_t>((d >> 1) & 0x7BEF);
            else if (v > 1)
                d = static_cast<std::uint16_t>(palette._Normal16[v]);
        }
    }
}

TEST_F(RLETest, DecodingMatchesTheReferenceForRandomSheets)
{
    std::mt19937 random(7);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    constexpr int kDW = 48, kDH = 40;
    for (int round = 0; round < 1000; ++round) {
        const int frames = pick(1, 4), shift = pick(0, 2);
        const int width = frames * pick(1, 24) + pick(0, frames - 1), rows = pick(1, 30);
        // Long runs, transparent and shadow stretches and noise, in proportions that vary per sheet.
        std::vector<std::uint8_t> sheet(static_cast<std::size_t>(width * rows));
        const int noise = pick(0, 100);
        std::uint8_t value = 0;
        for (auto& v : sheet) {
            if (pick(0, 99) < noise)
                value = static_cast<std::uint8_t>(pick(0, 3) == 0 ? pick(0, 1) : pick(0, 255));
            v = value;
        }
        CImage image(width, rows, 8, IMAGE_SYSTEM);
        for (int yy = 0; yy < rows; ++yy)
            for (int xx = 0; xx < width; ++xx)
                At8(image, xx, yy) = sheet[static_cast<std::size_t>(yy * width + xx)];
        image.SetPalette(&palette);
        ASSERT_EQ(image.Encode(frames), 1);
        image.SetScale(shift);

        CImage dest(kDW, kDH, 16, IMAGE_SYSTEM);
        std::vector<std::uint16_t> expected(kDW * kDH);
        for (int i = 0; i < kDW * kDH; ++i)
            expected[static_cast<std::size_t>(i)] = At16(dest, i % kDW, i / kDW)
                = static_cast<std::uint16_t>(pick(0, 0xFFFF));
        const int frame = pick(0, frames - 1), fw = width / frames;
        const int x = pick(-30, kDW + 4), y = pick(-30, kDH + 4);
        image.Draw(x, y, CRect(frame * fw, 0, frame * fw + fw, rows), nullptr, &dest, nullptr);
        Reference(sheet, width, rows, frames, frame, shift, x, y, palette, expected, kDW, kDH);
        for (int i = 0; i < kDW * kDH; ++i) {
            ASSERT_EQ(At16(dest, i % kDW, i / kDW), expected[static_cast<std::size_t>(i)])
                << "round " << round << " pixel " << i % kDW << "," << i / kDW << " frames " << frames
                << " width " << width << " shift " << shift << " at " << x << "," << y;
        }
    }
}

// One pixel of value v drawn in a mode over the destination pixel d.
std::uint16_t DrawOne(
    ImageType mode, std::uint8_t v, std::uint16_t d, const CPalette* palette = nullptr, int opacity = 31)
{
    auto image = Row({ v });
    image->SetPalette(const_cast<CPalette*>(palette));
    EXPECT_EQ(image->Encode(1), 1);
    image->SetType(mode);
    image->SetOpacity(opacity);
    CImage dest(2, 1, 16, IMAGE_SYSTEM);
    At16(dest, 0, 0) = d;
    image->Draw(0, 0, &dest);
    return At16(dest, 0, 0);
}

TEST_F(RLETest, BlendModes)
{
    const std::uint16_t grey = 0x7BEF; // 15, 31 (green upper five bits 15), 15
    // Multiply: 0xFF leaves the pixel, levels 0 blacken, as do transparent and shadow pixels.
    EXPECT_EQ(DrawOne(IMAGE_MULTIPLY, 0xFF, grey), grey);
    for (std::uint8_t v : { 0, 1, 2, 7 })
        EXPECT_EQ(DrawOne(IMAGE_MULTIPLY, v, grey), 0) << int(v);
    EXPECT_EQ(DrawOne(IMAGE_MULTIPLY, 0xF8, 0xFFFF), 30 << 11 | 30 << 6 | 30);
    // Alpha: level 31 turns white but for 565's lowest green bit; level 0 keeps all but that bit.
    EXPECT_EQ(DrawOne(IMAGE_ALPHA, 0xFF, 0), 0xFFDF);
    EXPECT_EQ(DrawOne(IMAGE_ALPHA, 5, 0xFFFF), 0xFFDF);
    EXPECT_EQ(DrawOne(IMAGE_ALPHA, 0, 0xFFFF), 0xFFFF) << "transparent pixels stay";
    // Translucent at 16 of 32 moves every channel half-way to the colour.
    CPalette white;
    white._Normal16[9] = 0xFFFF;
    EXPECT_EQ(DrawOne(IMAGE_TRANSLUCENT, 9, 0, &white, 16), 15 << 11 | 15 << 6 | 15);
    EXPECT_EQ(DrawOne(IMAGE_TRANSLUCENT, 1, 0xFFFF, &white, 16), 23 << 11 | 23 << 6 | 0x20 | 23)
        << "shadow pixels blend towards the halved destination";

    CVideo::_RGBFormat = 1;
    EXPECT_EQ(DrawOne(IMAGE_ALPHA, 0xFF, 0x8000), 0xFFFF) << "555 keeps bit 15";
    EXPECT_EQ(DrawOne(IMAGE_MULTIPLY, 3, 0xFFFF), 0x8000);
    EXPECT_EQ(DrawOne(IMAGE_SYSTEM, 1, 0x7FFF), 0x3DEF);
}

} // namespace
