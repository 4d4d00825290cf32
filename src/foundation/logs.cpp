// history.txt and savedebug.txt: each opened on first use in the data folder, kept open, flushed per entry
// so that both logs are complete even when the game stops abruptly.
#include "foundation/logs.h"

#include <cstdarg>
#include <cstdio>

#include "foundation/data_file.h"

#include "foundation/safeguards.h"

std::int32_t isSuperDebug = 0;
CHistoryDateSource gHistoryDateSource;

namespace {

std::FILE* gHistoryStream = nullptr;
std::FILE* gSuperDebugStream = nullptr;

bool EnsureOpen(std::FILE*& stream, const char* name)
{
    if (!stream)
        stream = OpenDataFile(name, "a");
    return stream != nullptr;
}

} // namespace

void TruncateHistory()
{
    if (std::FILE* file = OpenDataFile("history.txt", "wb"))
        std::fclose(file);
}

void history(const char* format, ...)
{
    if (!EnsureOpen(gHistoryStream, "history.txt"))
        return;
    if (gHistoryDateSource.IsGameStarted && gHistoryDateSource.GetCurrentDate
        && gHistoryDateSource.IsGameStarted()) {
        const CDate date = gHistoryDateSource.GetCurrentDate();
        std::fprintf(gHistoryStream, "%d-%02d-%02d : ", date.year, date.month, date.day);
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(gHistoryStream, format, args);
    va_end(args);
    std::fputs("\r\n", gHistoryStream);
    std::fflush(gHistoryStream);
}

void superdebug(const char* format, ...)
{
    if (!EnsureOpen(gSuperDebugStream, "savedebug.txt"))
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(gSuperDebugStream, format, args);
    va_end(args);
    std::fflush(gSuperDebugStream);
}
