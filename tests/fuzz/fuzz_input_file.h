// For fuzz targets whose readers take a file: each input is written to one scratch file of the process,
// removed when the process ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// The path holding the input, or null when it could not be written. name tells the targets' files apart.
inline const char* WriteFuzzInput(const char* name, const std::uint8_t* data, std::size_t size)
{
    static char path[128];
    if (!path[0]) {
        std::snprintf(path, sizeof path, "/tmp/fuzz_%s_%d.txt", name, static_cast<int>(getpid()));
        std::atexit([] { unlink(path); });
    }
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return nullptr;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written ? path : nullptr;
}
