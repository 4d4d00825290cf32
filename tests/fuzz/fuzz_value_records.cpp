// libFuzzer target over the readers of scores, composite scores, estates, modifiers, flags and base victory
// points: the first byte picks the reader, the rest is the block after its "{". Any block must be read or end
// in the parse error, never a crash, a hang or a leak, and what was read must write again.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "characters/flags.h"
#include "characters/stands_tuple.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "fuzz_input_file.h"
#include "realms/base_vp.h"
#include "realms/modifier.h"
#include "realms/score.h"

#include "foundation/safeguards.h"

namespace {

template <class T> void ReadAndWrite(const char* path)
{
    T value;
    try {
        CRZParser parser(path, "r");
        value.ParseFields(parser);
    } catch (int) {
        // The parse error: the load is abandoned, the value is dropped.
        return;
    }
    std::unique_ptr<CLScript> script(value.GetScript());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char* path = WriteFuzzInput("value_records", data + 1, size - 1);
    if (!path)
        return 0;
    switch (data[0] % 6) {
    case 0:
        ReadAndWrite<CSimpleScore>(path);
        break;
    case 1:
        ReadAndWrite<CCompositeScore>(path);
        break;
    case 2:
        ReadAndWrite<CStandsTuple>(path);
        break;
    case 3:
        ReadAndWrite<CModifier>(path);
        break;
    case 4:
        ReadAndWrite<CFlags>(path);
        break;
    default:
        ReadAndWrite<CRZBaseVP>(path);
        break;
    }
    return 0;
}
