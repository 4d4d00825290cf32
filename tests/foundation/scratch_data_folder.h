// Test helper: points the data folder of the test program at a fresh folder under /tmp, removed at exit.
// Include it in one test file per program; the folder is chosen before any test runs.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "foundation/data_file.h"

namespace scratch {

inline char gFolderPath[] = "/tmp/vellmark_data_XXXXXX";

inline const std::string gFolder = [] {
    if (!mkdtemp(gFolderPath))
        return std::string("/tmp");
    SetDataFolderOverride(gFolderPath);
    std::atexit([] { std::filesystem::remove_all(gFolderPath); });
    return std::string(gFolderPath);
}();

} // namespace scratch
