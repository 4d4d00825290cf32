// libFuzzer target over the scenario and saved-game reader: any file must load or end in a reported
// failure that leaves the game empty, never a crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "../datalang/fake_scenario_world.h"
#include "datalang/game_file.h"
#include "fuzz_input_file.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool hooked = [] {
        CRZParser::_pTagToID = FakeTagToID;
        return true;
    }();
    (void)hooked;
    const char* path = WriteFuzzInput("scenario_reader", data, size);
    if (!path)
        return 0;

    FakeScenarioWorld world;
    char message[1024];
    if (!LoadGameFile(path, world, message, sizeof message) && !world.IsEmpty())
        std::abort();
    return 0;
}
