// Scratch folders and files for the platform tests, and a reader of what a logger printed.
#pragma once

#include <string>

namespace platform_test {

// A fresh folder under the system's temporary folder, removed with everything in it at destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return mPath; }
    // Writes the bytes to name inside the folder and answers the full path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string mPath;
};

// An XML property list around the given inner <dict> content.
std::string Plist(const std::string& dictContent);

bool IsDirectory(const std::string& path);

} // namespace platform_test
