// The interface fonts: 8-bit pictures of stacked cells, one per character 33 to 255 of Windows-1252,
// rendered from Debian's DejaVu faces with FreeType: background 255, ink one index, no grey, each glyph
// one column in from the left.
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "bitmaps.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

constexpr const char* kDejaVuFolder = "/usr/share/fonts/truetype/dejavu/";
constexpr const char* kDejaVuCopyright = "/usr/share/doc/fonts-dejavu-core/copyright";
constexpr std::uint8_t kBackground = 255;
constexpr std::uint8_t kInk = 15;
constexpr int kFirstCell = 33;
constexpr int kCells = 256 - kFirstCell;

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page leaves the byte undefined.
constexpr char32_t kCp1252High[32] = { 0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6,
    0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178 };

char32_t FromCp1252(int byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : static_cast<char32_t>(byte);
}

struct FontFile {
    const char* path;
    const char* face;
    int lineHeight;
    int pixelSize;
};

// One rendered glyph: its ink as rows of flags.
struct Ink {
    int width = 0, rows = 0, top = 0;
    std::vector<std::uint8_t> on;
};

Ink Render(FT_Face face, char32_t code)
{
    Ink ink;
    if (code == 0 || FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
        return ink;
    const FT_Bitmap& b = face->glyph->bitmap;
    ink.width = static_cast<int>(b.width);
    ink.rows = static_cast<int>(b.rows);
    ink.top = face->glyph->bitmap_top;
    ink.on.resize(static_cast<std::size_t>(ink.width * ink.rows));
    for (int y = 0; y < ink.rows; ++y)
        for (int x = 0; x < ink.width; ++x)
            ink.on[static_cast<std::size_t>(y * ink.width + x)]
                = (b.buffer[y * b.pitch + (x >> 3)] >> (7 - (x & 7))) & 1;
    return ink;
}

std::string FontPicture(FT_Library library, const FontFile& font)
{
    FT_Face face = nullptr;
    if (FT_New_Face(library, (std::string(kDejaVuFolder) + font.face).c_str(), 0, &face) != 0)
        throw std::runtime_error(std::string("cannot open the DejaVu face ") + font.face);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(font.pixelSize));
    std::vector<Ink> glyphs;
    int width = 1;
    for (int i = 0; i < kCells; ++i) {
        glyphs.push_back(Render(face, FromCp1252(kFirstCell + i)));
        width = std::max(width, glyphs.back().width + 2);
    }
    // The baseline where the face's ascender ends, so that accented capitals keep inside their cell.
    const int baseline = std::min(font.lineHeight - 1, static_cast<int>(face->size->metrics.ascender >> 6));
    FT_Done_Face(face);

    Picture p;
    p.width = width;
    p.height = font.lineHeight * kCells;
    p.index.assign(static_cast<std::size_t>(p.width * p.height), kBackground);
    for (int i = 0; i < kCells; ++i) {
        const Ink& g = glyphs[static_cast<std::size_t>(i)];
        for (int y = 0; y < g.rows; ++y) {
            const int row = baseline - g.top + y;
            if (row < 0 || row >= font.lineHeight)
                continue;
            for (int x = 0; x < g.width; ++x)
                if (g.on[static_cast<std::size_t>(y * g.width + x)])
                    p.index[static_cast<std::size_t>((i * font.lineHeight + row) * p.width + 1 + x)] = kInk;
        }
    }
    Colours grey {};
    for (int i = 0; i < 256; ++i)
        grey[static_cast<std::size_t>(i)]
            = { static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i) };
    grey[kInk] = { 255, 255, 255 };
    return BitmapFile(p, Depth::Indexed, &grey);
}

} // namespace

void WriteFonts(const Context& context)
{
    const FontFile fonts[] = {
        { "gfx\\fonts\\proforma12.bmp", "DejaVuSans.ttf", 14, 11 },
        { "gfx\\fonts\\proformaB12.bmp", "DejaVuSans-Bold.ttf", 14, 11 },
        { "gfx\\fonts\\Lafayette36.bmp", "DejaVuSerif.ttf", 30, 24 },
        { "gfx\\fonts\\Lafayette30.bmp", "DejaVuSerif.ttf", 20, 15 },
        { "gfx\\fonts\\arial8.bmp", "DejaVuSansCondensed.ttf", 8, 7 },
    };
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        throw std::runtime_error("cannot start FreeType");
    try {
        for (const FontFile& font : fonts)
            WriteDataFile(context, font.path, FontPicture(library, font));
    } catch (...) {
        FT_Done_FreeType(library);
        throw;
    }
    FT_Done_FreeType(library);

    std::string note
        = "The font pictures in this folder are rendered from the DejaVu fonts (Debian package\n"
          "fonts-dejavu-core), which are free to use, copy and distribute under the licence below.\n\n";
    std::ifstream copyright(kDejaVuCopyright);
    std::ostringstream text;
    text << copyright.rdbuf();
    note += copyright ? text.str() : std::string("See https://dejavu-fonts.github.io/License.html\n");
    WriteDataFile(context, "gfx\\fonts\\DejaVu-licence.txt", note);
}

} // namespace datagen
