// Sound files of the data generator: 16-bit mono PCM WAVs of seeded tones for the effects, and MP3 songs
// encoded with FFmpeg's libraries; the sound player's tests make theirs the same way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

inline constexpr int kEffectSampleRate = 22050;

// A tone that fades out: milliseconds long at 22050 Hz, a fundamental and its octave, peak amplitude
// as given (1..32767).
std::vector<std::int16_t> ToneSamples(double hz, int milliseconds, int amplitude);

// The bytes of a WAV file (RIFF, PCM, 22050 Hz, mono, 16-bit little-endian) holding the samples.
std::string WaveFileBytes(const std::vector<std::int16_t>& samples);

// Writes an MP3 (mono, 22050 Hz) of a tune stepping through the notes, each noteMs long. The same
// arguments always give the same bytes. False, with the reason in *error, when it could not be written.
bool EncodeSong(const std::string& path, const std::vector<double>& notesHz, int noteMs, std::string* error);

} // namespace datagen
