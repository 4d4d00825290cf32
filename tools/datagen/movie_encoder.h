// Short movies of drawn frames and a tone, written with FFmpeg's libraries: the intro movies of the data
// folder and the movies the movie player's tests play.
#pragma once

#include <cstdint>
#include <string>

namespace datagen {

struct Context;

struct MovieLook {
    int width = 320; // even
    int height = 240; // even
    int frames = 30;
    int framesPerSecond = 15;
    std::uint8_t tint = 0; // picks the background colour
    double toneHz = 440.0; // 0 for a movie without sound
};

// Writes a QuickTime movie (MPEG-4 picture, 16-bit PCM sound at 22050 Hz, mono). The same look always
// gives the same bytes. False, with the reason in *error, when it could not be written.
bool EncodeMovie(const std::string& path, const MovieLook& look, std::string* error);

// The three intro movies "avi/oxmedia.mov", "avi/quorvex.mov" and "avi/game.mov" of the data folder
// (two seconds each). Throws std::runtime_error when one cannot be written.
void WriteIntroMovies(const Context& context);

// The background colour of a tint as the decoded picture shows it, BGRA in one word (approximate:
// the encoder's rounding moves each channel by a few steps).
std::uint32_t TintColour(std::uint8_t tint);

} // namespace datagen
