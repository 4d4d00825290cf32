// libFuzzer target over the reader of the troop types' base combat values and the losses block a realm
// saves: the first byte picks the reader, the rest is its file. Any input loads or is refused with a
// report; never a crash, a hang or a leak, and a table that loaded answers whole numbers in range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "armies/combat_stats.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "fuzz_input_file.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const char* path = WriteFuzzInput("combat_stats", data + 1, size - 1);
    if (!path)
        return 0;
    // Seeds start with "a" for the combat file, "b" for a losses block.
    if ((data[0] & 1) != 0) {
        if (CCombatStats::InitFromFile(path)) {
            for (int type = -1; type <= kTroopTypeCount; ++type) {
                const float values[] = { static_cast<float>(CCombatStats::GetCoySize(type)),
                    CCombatStats::GetBaseAttValue(type), CCombatStats::GetBaseDefValue(type),
                    CCombatStats::GetBaseShockValue(type), CCombatStats::GetBaseMoraleValue(type),
                    CCombatStats::GetUpkeep(type) };
                for (float value : values)
                    if (!(value >= 0.0f))
                        std::abort();
            }
        }
        CCombatStats::Shutdown();
    } else {
        try {
            CRZParser parser(path, "r");
            CRZLosses losses;
            losses.ParseFields(parser);
            delete losses.GetScript();
        } catch (int) {
        }
    }
    return 0;
}
