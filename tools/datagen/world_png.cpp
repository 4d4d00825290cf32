// A picture of the generated world for people to look at: the label image shaded by terrain with its
// province borders, written as an 8-bit RGB PNG.
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <zlib.h>

#include "realms/terrain_types.h"
#include "world_map.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

void AppendBig32(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void AppendChunk(std::string& out, const char* type, const std::string& data)
{
    AppendBig32(out, static_cast<std::uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    AppendBig32(out,
        static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

struct Rgb {
    unsigned char r, g, b;
};

Rgb Shade(const World& world, int number)
{
    static const Rgb kTerrain[kTerrainCount]
        = { { 62, 112, 52 }, { 150, 140, 90 }, { 96, 120, 92 }, { 130, 118, 110 }, { 150, 178, 92 },
              { 222, 200, 140 }, { 40, 78, 140 }, { 90, 160, 230 }, { 70, 120, 190 } };
    if (number <= 0)
        return { 0, 0, 0 };
    Rgb c = kTerrain[world.provinces[static_cast<std::size_t>(number)].terrain];
    // Neighbouring land provinces of one terrain stay apart by a small shift of brightness.
    const int shift = static_cast<int>((static_cast<unsigned>(number) * 2654435761u) >> 28) - 8;
    auto adjust
        = [&](unsigned char v) { return static_cast<unsigned char>(std::max(0, std::min(255, v + shift))); };
    if (world.provinces[static_cast<std::size_t>(number)].terrain < TERRAIN_OCEAN)
        c = { adjust(c.r), adjust(c.g), adjust(c.b) };
    return c;
}

} // namespace

void WriteWorldPng(const World& world, const std::filesystem::path& file, int scale)
{
    const int width = world.width / scale, height = world.height / scale;
    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * static_cast<std::size_t>(width * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        for (int x = 0; x < width; ++x) {
            const int wx = x * scale, wy = y * scale;
            const int here = world.At(wx, wy);
            const int right = world.At(wx + scale < world.width ? wx + scale : 0, wy);
            const int below = wy + scale < world.height ? world.At(wx, wy + scale) : here;
            Rgb c = Shade(world, here);
            const bool water = world.provinces[static_cast<std::size_t>(here)].terrain >= TERRAIN_OCEAN;
            if ((here != right || here != below)
                && !(water && world.provinces[static_cast<std::size_t>(here)].terrain == TERRAIN_RIVER))
                c = water ? Rgb { 28, 56, 104 } : Rgb { 40, 34, 28 };
            raw += static_cast<char>(c.r);
            raw += static_cast<char>(c.g);
            raw += static_cast<char>(c.b);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
            reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 6)
        != Z_OK)
        throw std::runtime_error("cannot pack the world picture");
    packed.resize(packedSize);
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    AppendBig32(header, static_cast<std::uint32_t>(width));
    AppendBig32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", packed);
    AppendChunk(png, "IEND", "");
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    const bool written = std::fwrite(png.data(), 1, png.size(), out) == png.size();
    if (std::fclose(out) != 0 || !written)
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace datagen
