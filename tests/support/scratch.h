// Scratch folders and files that every test program shares: made fresh under the system's temporary
// folder and removed with everything in them when the test is done.
#pragma once

#include <string>

namespace support {

// A fresh folder, removed with everything in it at destruction.
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

// A fresh file holding the given bytes, removed at destruction.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& contents);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const char* Path() const { return mPath.c_str(); }

private:
    std::string mPath;
};

// The working directory moved into a folder for the object's life, for code that writes where it runs.
class WorkingDirIn {
public:
    explicit WorkingDirIn(const std::string& folder);
    ~WorkingDirIn();
    WorkingDirIn(const WorkingDirIn&) = delete;
    WorkingDirIn& operator=(const WorkingDirIn&) = delete;

private:
    std::string mOld;
};

// The whole file, empty when it cannot be read.
std::string ReadAll(const std::string& path);

bool IsDirectory(const std::string& path);

// An XML property list around the given inner <dict> content.
std::string Plist(const std::string& dictContent);

} // namespace support
