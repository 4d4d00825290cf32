// libFuzzer target over the reading of the random name lists ("db\character_names.csv"): any table fills
// the lists with names of known cultures only, and every draw answers a text, never a crash or a leak.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "characters/character_server.h"
#include "fuzz_input_file.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* path = WriteFuzzInput("character_names", data, size);
    if (path == nullptr)
        return 0;
    CCharacterServer::ParseRandomCharacterNames(path);
    if (!CCharacterServer::names[0][0].empty() || !CCharacterServer::names[1][0].empty())
        std::abort();
    for (int culture = -1; culture <= CCharacterServer::kNameCultures; ++culture)
        for (int gender = 0; gender < 2; ++gender)
            if (CCharacterServer::GetRandomCharacterName(culture, gender) == nullptr)
                std::abort();
    CCharacterServer::ClearRandomCharacterNames();
    return 0;
}
