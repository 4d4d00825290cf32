// The one way the game replaces a file: a complete temporary file renamed over the old one.
#include "platform/elements/replace_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

std::atomic<ReplaceStep> gInjected { ReplaceStep::kNone };

// True when the step is to fail now: the injected failure stands in for the system's.
bool Injected(ReplaceStep step)
{
    if (gInjected.load() != step)
        return false;
    errno = EIO;
    return true;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool SyncFolder(const std::string& path)
{
    if (Injected(ReplaceStep::kSyncFolder))
        return false;
    const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

} // namespace

void InjectReplaceFailure(ReplaceStep step)
{
    gInjected.store(step);
}

namespace {

bool Replace(const char* path, const std::function<bool(std::FILE*)>& write, ReplaceStep* failedStep,
    int* error, bool sync)
{
    ReplaceStep step = ReplaceStep::kCreate;
    const std::string target = path ? path : "";
    const std::string temporary = target + ".tmp";
    std::FILE* file = nullptr;
    errno = 0;
    if (!target.empty() && !Injected(step)) {
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
        if (fd >= 0 && !file)
            close(fd);
    }
    bool good = file != nullptr;
    if (good) {
        step = ReplaceStep::kWrite;
        errno = 0;
        good = write(file) && !std::ferror(file) && !Injected(step);
    }
    if (good) {
        step = ReplaceStep::kFlush;
        good = std::fflush(file) == 0 && !Injected(step);
    }
    if (good) {
        step = ReplaceStep::kSyncFile;
        good = (!sync || fsync(fileno(file)) == 0) && !Injected(step);
    }
    if (file) {
        const int saved = errno;
        const bool closed = std::fclose(file) == 0;
        if (good) {
            step = ReplaceStep::kClose;
            good = closed && !Injected(step);
        } else {
            errno = saved;
        }
    }
    if (good) {
        step = ReplaceStep::kRename;
        good = !Injected(step) && std::rename(temporary.c_str(), target.c_str()) == 0;
    }
    const int saved = errno;
    if (!good) {
        if (step != ReplaceStep::kCreate)
            unlink(temporary.c_str());
        if (failedStep)
            *failedStep = step;
        if (error)
            *error = saved;
        return false;
    }
    const bool synced = !sync || SyncFolder(target);
    if (failedStep)
        *failedStep = synced ? ReplaceStep::kNone : ReplaceStep::kSyncFolder;
    if (error)
        *error = synced ? 0 : errno;
    return true;
}

} // namespace

bool ReplaceFile(
    const char* path, const std::function<bool(std::FILE*)>& write, ReplaceStep* failedStep, int* error)
{
    return Replace(path, write, failedStep, error, true);
}

bool ReplaceFileUnsynced(const char* path, const std::function<bool(std::FILE* file)>& write)
{
    return Replace(path, write, nullptr, nullptr, false);
}

} // namespace Ravel
