// The run-length form of a sprite sheet: per frame, a stream of skip, shadow, run and literal tokens that
// every draw decodes straight into a 16-bit image. It lives in memory only and is never written to a file.
#pragma once

#include <cstdint>
#include <vector>

// Control bytes: the top two bits give the kind, the low six the pixel count.
inline constexpr std::uint8_t kRLESkip = 0x00;
inline constexpr std::uint8_t kRLEShadow = 0x40;
inline constexpr std::uint8_t kRLERun = 0x80;
inline constexpr std::uint8_t kRLELiteral = 0xC0;
inline constexpr int kRLEMaxRun = 63;
inline constexpr int kRLEMaxLiteral = 62;

struct CRLEFrame {
    std::int32_t nTokens = 0;
    std::vector<std::uint8_t> stream;
};

struct CRLEHeader {
    std::int16_t nFrames = 0;
    std::int16_t nCurrentFrame = 0; // set by each draw before decoding
    std::int16_t nFrameWidth = 0;
    std::int16_t nRows = 0;
    std::vector<CRLEFrame> frames;
};

// What a decoder needs besides its frame: the destination (its first pixel and size, so that no pointer
// outside it is ever formed), where the frame's (0, 0) lands, and the window still to be written in
// frame columns and output rows.
struct CRLETarget {
    std::uint16_t* pixels = nullptr;
    std::int32_t pitch = 0; // in pixels
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t left = 0; // frame columns [left, right)
    std::int32_t right = 0;
    std::int32_t top = 0; // output rows [top, bottom)
    std::int32_t bottom = 0;
    std::int32_t shift = 0;
    std::int32_t mask = 0;
    const std::uint32_t* table = nullptr; // the palette's 16-bit pixels, one in each half
    std::int32_t opacity = 0;
};
