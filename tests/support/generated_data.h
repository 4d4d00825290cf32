// The data generator run into a folder, for the test programs that are given its path as DATAGEN_PATH.
#pragma once

#include <cstdlib>
#include <string>

namespace support {

// Writes the generated data folder of the size ("tiny", "small", "full") and seed into folder, quietly;
// false when the generator fails.
inline bool GenerateData(const std::string& folder, const std::string& size, int seed)
{
    const std::string command = std::string(DATAGEN_PATH) + " --seed " + std::to_string(seed) + " --size " + size
        + " '" + folder + "' > /dev/null";
    return std::system(command.c_str()) == 0;
}

} // namespace support
