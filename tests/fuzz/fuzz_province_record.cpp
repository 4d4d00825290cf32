// libFuzzer target over the province record: the first byte makes the province land or a sea zone, the
// rest is its block after the id. Any block must be read or end in the parse error, never a crash, a hang
// or a leak, and what was read must write again.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "fuzz_input_file.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char* path = WriteFuzzInput("province_record", data + 1, size - 1);
    if (!path)
        return 0;
    CProvince province;
    province.number = 17;
    province.terrain = data[0] % 2 ? TERRAIN_PLAINS : TERRAIN_OCEAN;
    try {
        CRZParser parser(path, "r");
        province.ParseFields(parser);
    } catch (int) {
        // The parse error: the load is abandoned.
        return 0;
    }
    std::unique_ptr<CLScript> script(province.GetScript());
    return 0;
}
