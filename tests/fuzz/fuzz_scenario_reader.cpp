// libFuzzer target over the scenario and saved-game reader: any file must load or end in a reported
// failure that leaves the game empty, never a crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "../datalang/fake_scenario_world.h"
#include "datalang/game_file.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static char path[64];
    if (!path[0]) {
        std::snprintf(path, sizeof path, "/tmp/fuzz_scenario_reader_%d.txt", static_cast<int>(getpid()));
        CRZParser::_pTagToID = FakeTagToID;
        std::atexit([] { unlink(path); });
    }
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    FakeScenarioWorld world;
    char message[1024];
    if (!LoadGameFile(path, world, message, sizeof message) && !world.IsEmpty())
        std::abort();
    return 0;
}
