// Palettes: loading from ".bmp" colour tables and raw ".act" tables, the 16-bit tables and the registry.
#include "gfx/palette.h"

#include <cstdio>
#include <cstring>

#include "foundation/data_file.h"
#include "foundation/fatal_error.h"
#include "foundation/utilities.h"
#include "gfx/bitmap_file.h"
#include "gfx/video.h"
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

namespace {

// A name that climbs out of the palette folder ("..") is refused, as is one too long for a path.
bool MakePalettePath(const char* name, char* path, std::size_t size)
{
    for (const char* part = name; *part;) {
        const std::size_t length = std::strcspn(part, "/\\");
        if (length == 2 && part[0] == '.' && part[1] == '.')
            return false;
        part += length;
        if (*part)
            ++part;
    }
    const int written = std::snprintf(path, size, "gfx\\palette\\%s", name);
    return written > 0 && static_cast<std::size_t>(written) < size;
}

bool HasExtension(const char* name, const char* extension)
{
    const std::size_t length = std::strlen(name);
    return length >= 4 && stricmp(name + length - 4, extension) == 0;
}

std::uint32_t Doubled(std::uint16_t pixel)
{
    return static_cast<std::uint32_t>(pixel) * 0x10001u;
}

std::uint16_t Scaled(const std::uint8_t* c, float factor)
{
    return CVideo::TrueToHigh(
        static_cast<int>(c[0] * factor), static_cast<int>(c[1] * factor), static_cast<int>(c[2] * factor));
}

} // namespace

CPaletteDB CPalette::_DB;

CPalette::CPalette(const char* name)
{
    CopyString(_Name, name ? name : "");
    Load(name ? name : "");
    _DB.Add(name, this);
}

CPalette* CPalette::FindPalette(const char* name)
{
    // The registry takes no empty key: every empty name shares one palette, loaded (and refused) once.
    if (!name || !*name) {
        static CPalette* const unnamed = [] {
            static CPalette palette;
            palette.Load("");
            return &palette;
        }();
        return unnamed;
    }
    if (CPalette* found = _DB.Get(name))
        return found;
    return new CPalette(name);
}

void CPalette::RecalcPalettes()
{
    _DB.ForEach(Calc16Bit);
}

int CPalette::Load(const char* name)
{
    char path[kPathMax + 1];
    int result = 0;
    if (!MakePalettePath(name, path, sizeof path))
        std::fprintf(stderr, "Palette %s: not a name in the palette folder\n", name);
    else if (HasExtension(name, ".bmp"))
        result = LoadBmpPalette(path);
    else if (HasExtension(name, ".act"))
        result = LoadActPalette(path);
    else
        std::fprintf(stderr, "Palette %s: only .bmp and .act palettes are read\n", name);
    Calc16BitPalette();
    for (int code = 1; code < kNamedColorCount; ++code) {
        const CNamedColor& colour = ColorTableRGB[code];
        _ColorMap[code] = FindClosestColor(colour.red, colour.green, colour.blue);
    }
    _ColorMap[0] = 0; // transparent is always index 0
    return result;
}

int CPalette::LoadBmpPalette(const char* path)
{
    std::uint8_t table[256 * 4];
    if (!CBitmap::LoadPalette(path, table))
        _AssertRelease("Palette '%s' not found!", path);
    // The file stores blue, green, red.
    for (int i = 0; i < 256; ++i) {
        _Colors[i][0] = table[i * 4 + 2];
        _Colors[i][1] = table[i * 4 + 1];
        _Colors[i][2] = table[i * 4 + 0];
        _Colors[i][3] = table[i * 4 + 3];
    }
    return 1;
}

int CPalette::LoadActPalette(const char* path)
{
    std::uint8_t table[256 * 3];
    CFile file(path);
    if (file.ErrorFlag() || !file.Read(table, sizeof table, true)) {
        std::fprintf(stderr, "Palette %s: missing or shorter than %zu bytes\n", path, sizeof table);
        return 0;
    }
    for (int i = 0; i < 256; ++i) {
        _Colors[i][0] = table[i * 3 + 0];
        _Colors[i][1] = table[i * 3 + 1];
        _Colors[i][2] = table[i * 3 + 2];
        _Colors[i][3] = 0;
    }
    return 1;
}

void CPalette::Calc16BitPalette()
{
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t* c = _Colors[i];
        _Normal16[i] = Doubled(CVideo::TrueToHigh(c[0], c[1], c[2]));
        _Half16[i] = Doubled(CVideo::TrueToHigh(c[0] >> 1, c[1] >> 1, c[2] >> 1));
        _Dark16[i] = Doubled(Scaled(c, 0.66f));
        _Bright16[i] = Doubled(Scaled(c, 1.5f));
        _Light16[i] = Doubled(Scaled(c, 1.25f));
    }
}

void Calc16Bit(CPalette* palette)
{
    if (palette)
        palette->Calc16BitPalette();
}

std::uint8_t CPalette::FindClosestColor(int r, int g, int b) const
{
    double best = 10000000.0;
    int index = 0;
    for (int i = 1; i < 256; ++i) {
        const double dr = r - _Colors[i][0], dg = g - _Colors[i][1], db = b - _Colors[i][2];
        const double distance = dr * dr + dg * dg + db * db;
        if (distance < best) {
            best = distance;
            index = i;
        }
    }
    return static_cast<std::uint8_t>(index);
}

const std::uint32_t* CPalette::GetTable(int light) const
{
    switch (light) {
    case 1:
        return _Half16;
    case 2:
        return _Bright16;
    default:
        return _Normal16;
    }
}
