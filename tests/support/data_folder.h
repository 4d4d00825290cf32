// The test program's data folder: a fresh folder under /tmp that becomes the game's data folder before any
// test runs (the data folder is fixed at the first file opened), removed at exit.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "foundation/data_file.h"

namespace support {

inline char gDataFolderPath[] = "/tmp/vellmark_data_XXXXXX";

inline const std::string gDataFolder = [] {
    if (!mkdtemp(gDataFolderPath))
        return std::string("/tmp");
    SetDataFolderOverride(gDataFolderPath);
    std::atexit([] { std::filesystem::remove_all(gDataFolderPath); });
    return std::string(gDataFolderPath);
}();

} // namespace support
