// Test helper: the bytes of hand-made bitmap files, for tests and fuzz targets alike.
#pragma once

#include <cstdint>
#include <string>

namespace fixture {

inline void Put16(std::string& s, unsigned v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

inline void Put32(std::string& s, std::uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

struct Bmp {
    std::int32_t width = 1;
    std::int32_t height = 1;
    int bits = 8;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 40;
    std::uint32_t imageSize = 0;
    std::uint32_t colorsUsed = 0;
    bool table = true; // 256 colour entries after the headers
    std::string pixels; // as stored: bottom row first, rows padded
};

// Colour-table entry i, in file order blue, green, red, reserved.
inline std::uint32_t TableEntry(int i)
{
    return static_cast<std::uint32_t>(i) | static_cast<std::uint32_t>(255 - i) << 8
        | static_cast<std::uint32_t>(i / 2) << 16;
}

inline std::string Bytes(const Bmp& b)
{
    std::string s = "BM";
    const std::uint32_t offset = 14 + b.infoSize + (b.table ? 1024 : 0);
    Put32(s, offset + static_cast<std::uint32_t>(b.pixels.size()));
    Put32(s, 0);
    Put32(s, offset);
    Put32(s, b.infoSize);
    Put32(s, static_cast<std::uint32_t>(b.width));
    Put32(s, static_cast<std::uint32_t>(b.height));
    Put16(s, 1);
    Put16(s, static_cast<unsigned>(b.bits));
    Put32(s, b.compression);
    Put32(s, b.imageSize);
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, b.colorsUsed);
    Put32(s, 0);
    s.append(b.infoSize > 40 ? b.infoSize - 40 : 0, '\0');
    if (b.table)
        for (int i = 0; i < 256; ++i)
            Put32(s, TableEntry(i));
    return s + b.pixels;
}

} // namespace fixture
