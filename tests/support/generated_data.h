// The data generator run into a folder: by the test programs that are given its path as DATAGEN_PATH, and by
// those that find it beside themselves.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace support {

// Writes the generated data folder of the size and seed into folder, quietly; false when the generator
// fails. A tiny folder is generated once per build of the generator, seed by seed, into a folder beside the
// generator and copied from there: every case of the window suites is a program of its own that wants the
// same few thousand pictures, which take seconds to generate and a moment to copy. The copy is the test's
// own to change.
inline bool GenerateDataWith(
    const std::filesystem::path& generator, const std::string& folder, const std::string& size, int seed)
{
    namespace fs = std::filesystem;
    const auto run = [&](const fs::path& into) {
        const std::string command = generator.string() + " --seed " + std::to_string(seed) + " --size " + size
            + " '" + into.string() + "' > /dev/null";
        return std::system(command.c_str()) == 0;
    };
    if (size != "tiny")
        return run(folder);

    std::error_code error;
    const fs::path made = generator.parent_path() / "generated_data" / (size + "_" + std::to_string(seed));
    fs::create_directories(made.parent_path(), error);
    // Programs run side by side: one generates, the others wait for it and copy.
    const int lock = open((made.string() + ".lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
    if (lock < 0 || flock(lock, LOCK_EX) != 0) {
        if (lock >= 0)
            close(lock);
        return run(folder);
    }
    // The generator's time of writing tells a folder of an earlier build.
    const std::string build
        = std::to_string(fs::last_write_time(generator, error).time_since_epoch().count());
    const fs::path stamp = made.string() + ".build";
    std::stringstream stamped;
    stamped << std::ifstream(stamp).rdbuf();
    bool ok = !error && stamped.str() == build;
    if (!ok) {
        fs::remove(stamp, error);
        fs::remove_all(made, error);
        ok = run(made);
        if (ok)
            std::ofstream(stamp) << build;
    }
    if (ok) {
        fs::copy(made, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
        ok = !error;
    }
    flock(lock, LOCK_UN);
    close(lock);
    return ok;
}

#ifdef DATAGEN_PATH
inline bool GenerateData(const std::string& folder, const std::string& size, int seed)
{
    return GenerateDataWith(DATAGEN_PATH, folder, size, seed);
}
#endif

} // namespace support
