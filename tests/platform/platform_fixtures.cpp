// Scratch folders and files for the platform tests.
#include "platform/platform_fixtures.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>

#include "foundation/safeguards.h"

namespace platform_test {

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vellmark-platform-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    mPath = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

std::string ScratchDir::write(const std::string& name, const std::string& bytes) const
{
    std::string full = mPath + "/" + name;
    std::ofstream out(full, std::ios::binary);
    out << bytes;
    return full;
}

std::string Plist(const std::string& dictContent)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n<dict>\n"
        + dictContent + "</dict>\n</plist>\n";
}

bool IsDirectory(const std::string& path)
{
    struct stat info { };
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace platform_test
