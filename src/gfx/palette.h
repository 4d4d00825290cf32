// CPalette: a 256-colour palette from "gfx\palette\", with its colours as 16-bit pixels of the current
// format in five brightnesses, shared by file name through the registry CPalette::_DB.
#pragma once

#include <cstdint>

#include "foundation/ternary.h"

class CPalette;

// The fixed named colours; the colour map of a palette holds its nearest index for each code.
struct CNamedColor {
    std::int32_t code;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    char name[32];
};
inline constexpr int kNamedColorCount = 6;
extern const CNamedColor ColorTableRGB[kNamedColorCount];

// Palettes by file name, letter case ignored; deletes every palette it holds when destroyed.
class CPaletteDB : public CTernary<CPalette*> {
public:
    ~CPaletteDB() override { DeleteAll(); }
};

class CPalette {
public:
    // An empty palette: black colours, zero tables, not registered.
    CPalette() = default;
    // Loads "gfx\palette\<name>" and registers itself under the name. A ".bmp" palette that cannot be
    // read is fatal (_AssertRelease, "Palette '%s' not found!"); any other failure leaves black colours.
    explicit CPalette(const char* name);
    virtual ~CPalette() = default;
    CPalette(const CPalette&) = delete;
    CPalette& operator=(const CPalette&) = delete;

    // The registered palette of the name, else a new one loaded and registered; never null.
    static CPalette* FindPalette(const char* name);
    // Recomputes the tables of every registered palette; called when the pixel format changes.
    static void RecalcPalettes();

    // Loads by the name's extension (".bmp" or ".act", case ignored), then computes the tables and the
    // colour map whatever happened. 1 when the colours were read, 0 otherwise.
    int Load(const char* name);
    // path is the data path of the file. 1, or fatal when the file cannot be read.
    int LoadBmpPalette(const char* path);
    // A raw table of 256 red, green, blue triples. 1, or 0 (reported) when the file is missing or short.
    int LoadActPalette(const char* path);

    void Calc16BitPalette();
    // The index 1-255 nearest to the colour (squared distance, the first index winning ties).
    std::uint8_t FindClosestColor(int r, int g, int b) const;

    // The table for an image's light: 0 normal, 1 half, 2 bright; others give the normal table.
    const std::uint32_t* GetTable(int light) const;
    const char* GetName() const { return _Name; }

    static CPaletteDB _DB;

    char _Name[256] = {};
    std::uint8_t _Colors[256][4] = {}; // red, green, blue, unused
    // Each entry holds its 16-bit pixel in both halves, so two pixels are written at once.
    std::uint32_t _Normal16[256] = {};
    std::uint32_t _Half16[256] = {};
    std::uint32_t _Dark16[256] = {}; // × 0.66
    std::uint32_t _Bright16[256] = {}; // × 1.5
    std::uint32_t _Light16[256] = {}; // × 1.25
    std::uint8_t _ColorMap[8] = {}; // by named-colour code
};

void Calc16Bit(CPalette* palette);
