// Program, resources and user folders, and the creation of folders with their missing parents.
#include "platform/elements/filename_utils.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits.h>
#include <pwd.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/elements/logging.h"
#include "platform/elements/prefs.h"
#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kError);

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

// Computed without logging: the preferences ask for it while a logger may be setting itself up.
std::string ProgramFolder()
{
    std::string buffer(PATH_MAX, '\0');
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return "./";
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    std::size_t slash = buffer.rfind('/');
    return slash == std::string::npos ? "./" : buffer.substr(0, slash + 1);
}

const std::string& ProgramFolderCached()
{
    static const std::string sFolder = ProgramFolder();
    return sFolder;
}

// $HOME, else the password database's entry; empty when neither knows.
std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0')
        return home;
    passwd entry {};
    passwd* found = nullptr;
    char strings[4096];
    if (getpwuid_r(getuid(), &entry, strings, sizeof strings, &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

std::string ExpandHome(const char* path)
{
    if (path[0] == '~' && (path[1] == '\0' || path[1] == '/'))
        return HomeFolder() + (path + 1);
    return path;
}

std::string UserDataFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string folder;
    if (data && data[0] == '/') {
        folder = std::string(data) + "/vellmark";
    } else {
        std::string home = HomeFolder();
        if (home.empty())
            throw std::runtime_error("no home folder for the user's data");
        folder = home + "/.local/share/vellmark";
    }
    CreatePathIfNeeded(folder.c_str());
    return WithSlash(folder);
}

} // namespace

const char* bundlePath()
{
    return ProgramFolderCached().c_str();
}

const char* resourcesPath()
{
    return ProgramFolderCached().c_str();
}

const char* userDataPath()
{
    static const std::string sFolder = UserDataFolder();
    return sFolder.c_str();
}

bool CreatePathIfNeeded(const char* path)
{
    if (!path || path[0] == '\0')
        return false;
    std::string full = ExpandHome(path);
    struct stat info { };
    if (stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return true;

    // Walk the components from the root, creating each missing one.
    std::size_t position = 0;
    while (position < full.size()) {
        std::size_t next = full.find('/', position + 1);
        if (next == std::string::npos)
            next = full.size();
        std::string prefix = full.substr(0, next);
        position = next;
        if (prefix.empty() || prefix == "/")
            continue;
        if (mkdir(prefix.c_str(), 0755) == 0)
            continue;
        int reason = errno;
        if (reason == EEXIST && stat(prefix.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            continue;
        gLog.error("cannot create the folder %s: %s", prefix.c_str(),
            std::strerror(reason == EEXIST ? ENOTDIR : reason));
        return false;
    }
    return true;
}

void CreateDataDirs()
{
    for (const std::string& folder : Prefs::GetInstance().getList("dataDirs"))
        CreatePathIfNeeded(folder.c_str());
}

} // namespace Ravel
