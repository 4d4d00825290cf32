// Loading and saving whole games: failures are reported to the caller and leave neither a half-read game
// nor a half-written save behind.
#include "datalang/game_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "datalang/scenario_parser.h"
#include "datalang/scenario_world.h"
#include "foundation/data_file.h"
#include "foundation/fatal_error.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

namespace {

void Report(char* message, std::size_t size, const char* format, const char* name, const char* detail)
{
    if (message && size > 0)
        std::snprintf(message, size, format, name, detail);
}

// Makes the rename itself survive a crash; a folder that cannot be synced still holds the new file.
void SyncFolderOf(const char* path)
{
    char folder[kPathMax + 1];
    if (!CopyString(folder, path))
        return;
    char* slash = std::strrchr(folder, '/');
    if (!slash)
        CopyString(folder, ".");
    else if (slash == folder)
        folder[1] = '\0';
    else
        *slash = '\0';
    const int fd = open(folder, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

bool LoadGameFile(const char* name, CScenarioWorld& world, char* message, std::size_t size)
{
    try {
        CRZScenarioParser parser(name, "r", world);
        parser.Parse();
        return true;
    } catch (int) {
        // The parsers of the file and of its includes are gone by now, and their files closed with them.
        Report(message, size, "%s%s", GetAssertMessage(), "");
        world.DiscardLoad();
        return false;
    }
}

bool SaveGameFile(const char* name, CScenarioWorld& world, char* message, std::size_t size)
{
    SetDataPath();
    char path[kPathMax + 1];
    char temporary[kPathMax + 1];
    if (!ResolveDataPath(name, path, sizeof path)
        || std::snprintf(temporary, sizeof temporary, "%s.saving", path)
            >= static_cast<int>(sizeof temporary)) {
        Report(message, size, "Could not save %s: %s", name, "the path is too long");
        return false;
    }

    const char* failure = nullptr;
    int error = 0;
    try {
        CRZScenarioParser parser(temporary, "w", world);
        const int written = parser.Write();
        std::FILE* out = parser.GetLexer()->GetOutput();
        // Buffered bytes meet a full disk only here: every one of them must have reached the file.
        if (written != 0 || std::fflush(out) != 0 || std::ferror(out) || fsync(fileno(out)) != 0) {
            error = errno;
            failure = "the file could not be written";
        }
    } catch (int) {
        error = errno;
        failure = "the file could not be created";
    }
    if (!failure && std::rename(temporary, path) != 0) {
        error = errno;
        failure = "the file could not replace the previous save";
    }
    if (failure) {
        std::remove(temporary);
        char detail[256];
        std::snprintf(
            detail, sizeof detail, "%s (%s)", failure, error ? std::strerror(error) : "write failed");
        Report(message, size, "Could not save %s: %s", name, detail);
        return false;
    }
    SyncFolderOf(path);
    return true;
}
