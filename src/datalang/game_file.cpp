// Loading and saving whole games: failures are reported to the caller and leave neither a half-read game
// nor a half-written save behind.
#include "datalang/game_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "datalang/scenario_parser.h"
#include "datalang/scenario_world.h"
#include "foundation/data_file.h"
#include "foundation/fatal_error.h"
#include "foundation/utilities.h"
#include "platform/elements/replace_file.h"

#include "foundation/safeguards.h"

namespace {

void Report(char* message, std::size_t size, const char* text)
{
    if (message && size > 0)
        std::snprintf(message, size, "%s", text);
}

void ReportSaveFailure(char* message, std::size_t size, const char* name, const char* detail)
{
    if (message && size > 0)
        std::snprintf(message, size, "Could not save %s: %s", name, detail);
}

const char* FailureText(Ravel::ReplaceStep step)
{
    if (step == Ravel::ReplaceStep::kCreate)
        return "the file could not be created";
    if (step == Ravel::ReplaceStep::kRename)
        return "the file could not replace the previous save";
    return "the file could not be written";
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
        Report(message, size, GetAssertMessage());
        world.DiscardLoad();
        return false;
    }
}

bool SaveGameFile(const char* name, CScenarioWorld& world, char* message, std::size_t size)
{
    SetDataPath();
    char path[kPathMax + 1];
    if (!ResolveDataPath(name, path, sizeof path)) {
        ReportSaveFailure(message, size, name, "the path is too long");
        return false;
    }
    Ravel::ReplaceStep step = Ravel::ReplaceStep::kNone;
    int error = 0;
    const bool saved = Ravel::ReplaceFile(
        path,
        [&](std::FILE* out) {
            try {
                CRZScenarioParser parser(out, path, world);
                return parser.Write() == 0;
            } catch (int) {
                return false;
            }
        },
        &step, &error);
    if (!saved) {
        char detail[256];
        std::snprintf(detail, sizeof detail, "%s (%s)", FailureText(step),
            error ? std::strerror(error) : "write failed");
        ReportSaveFailure(message, size, name, detail);
        return false;
    }
    return true;
}
