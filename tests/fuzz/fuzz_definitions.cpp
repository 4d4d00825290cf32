// libFuzzer target over the readers of the definition tables and of the sets saved with characters, realms
// and provinces: the first byte picks the reader, the rest is its file. Any input loads or is refused with
// a report; never a crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "armies/military_composition.h"
#include "characters/law.h"
#include "characters/trait.h"
#include "datalang/parser.h"
#include "fuzz_input_file.h"
#include "realms/advance.h"
#include "realms/province_effect.h"
#include "realms/province_improvement.h"

#include "foundation/safeguards.h"

namespace {

// Reads a block body (what follows its "{") into the value; a located parse error ends it.
template <class T> void ReadBlockOf(const char* path)
{
    T value;
    try {
        CRZParser parser(path, "r");
        value.ParseFields(parser);
        // What was read must write again.
        delete value.GetScript();
    } catch (int) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const char* path = WriteFuzzInput("definitions", data + 1, size - 1);
    if (!path)
        return 0;
    // Seeds start with a letter: "a" the laws file, "b" a law set, "c" a military composition, "d" the
    // traits file, "e" a trait set, "f" the advances file, "g" an advance set, "h" an improvements file (read
    // as both the rules and the pictures), "i" an improvement set, "j" the effects file, "k" an effect set.
    switch (static_cast<unsigned char>(data[0] - 'a') % 11) {
    case 0:
        CLawType::InitFromFile(path);
        CLawType::Shutdown();
        break;
    case 1:
        ReadBlockOf<CLawTuple>(path);
        break;
    case 2:
        ReadBlockOf<CMilitaryComposition>(path);
        break;
    case 3:
        CTraitType::InitFromFile(path);
        CTraitType::Shutdown();
        break;
    case 4:
        ReadBlockOf<CTraitTuple>(path);
        break;
    case 5:
        if (CAdvanceType::InitFromFile(path))
            for (int id = 0; id < kAdvanceCount; ++id)
                CAdvanceType::Get(id)->GetEffects();
        CAdvanceType::Shutdown();
        break;
    case 6:
        ReadBlockOf<CAdvanceTuple>(path);
        break;
    case 7:
        // Requirement chains of a table that loaded must end.
        if (CProvinceImprovementType::InitFromFiles(path, path))
            for (int id = 0; id < kImprovementCount; ++id)
                if (CProvinceImprovementType::Get(id)->GetIndirectRequirements().Exists(id))
                    std::abort();
        CProvinceImprovementType::Shutdown();
        break;
    case 8:
        ReadBlockOf<CProvinceImprovementTuple>(path);
        break;
    case 9:
        CProvinceEffectType::InitFromFile(path);
        CProvinceEffectType::Shutdown();
        break;
    default:
        ReadBlockOf<CProvinceEffectTuple>(path);
        break;
    }
    return 0;
}
