// Scratch folders and files that every test program shares.
#include "support/scratch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "foundation/safeguards.h"

namespace support {

namespace {

std::string Pattern()
{
    return (std::filesystem::temp_directory_path() / "vellmark-test-XXXXXX").string();
}

} // namespace

ScratchDir::ScratchDir()
{
    std::string pattern = Pattern();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("no scratch folder could be made in " + pattern);
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

ScratchFile::ScratchFile(const std::string& contents)
{
    std::string pattern = Pattern();
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw std::runtime_error("no scratch file could be made in " + pattern);
    mPath = pattern;
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    close(fd);
    if (done < contents.size())
        throw std::runtime_error("the scratch file " + mPath + " could not be written");
}

ScratchFile::~ScratchFile()
{
    unlink(mPath.c_str());
}

WorkingDirIn::WorkingDirIn(const std::string& folder)
    : mOld(std::filesystem::current_path().string())
{
    std::filesystem::current_path(folder);
}

WorkingDirIn::~WorkingDirIn()
{
    std::error_code ignored;
    std::filesystem::current_path(mOld, ignored);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool IsDirectory(const std::string& path)
{
    struct stat info { };
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string Plist(const std::string& dictContent)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n<dict>\n"
        + dictContent + "</dict>\n</plist>\n";
}

} // namespace support
