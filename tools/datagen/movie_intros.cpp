// The intro movies of the data folder: three short movies of drawn frames and a tone.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "data_writer.h"
#include "movie_encoder.h"

#include "foundation/safeguards.h"

namespace datagen {

// Encoded beside the target first, then written through the data folder's own writer.
void WriteIntroMovies(const Context& context)
{
    static const struct {
        const char* path;
        MovieLook look;
    } kMovies[] = {
        { "avi/oxmedia.mov", { 320, 240, 30, 15, 0, 440.0 } },
        { "avi/quorvex.mov", { 320, 240, 30, 15, 1, 523.25 } },
        // Not a multiple of 8 wide: the player pads its rows.
        { "avi/game.mov", { 318, 238, 30, 15, 2, 659.25 } },
    };
    for (const auto& movie : kMovies) {
        std::filesystem::path scratch = context.root / "avi";
        std::filesystem::create_directories(scratch);
        scratch /= "encoding.tmp";
        std::string error;
        if (!EncodeMovie(scratch.string(), movie.look, &error))
            throw std::runtime_error(std::string("cannot encode ") + movie.path + ": " + error);
        std::ifstream in(scratch, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        in.close();
        std::filesystem::remove(scratch);
        WriteDataFile(context, movie.path, bytes.str());
    }
}

} // namespace datagen
