// libFuzzer target over the war record of a saved game, with its battle results: any block must be read or
// end in the parse error, never a crash, a hang or a leak, and what was read must write again.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "fuzz_input_file.h"
#include "realms/war.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* path = WriteFuzzInput("war_record", data, size);
    if (!path)
        return 0;
    CIdentity::TotalInit(NOID, 0);
    {
        CWar war;
        try {
            CRZParser parser(path, "r");
            war.ParseFields(parser);
            std::unique_ptr<CLScript> script(war.GetScript());
        } catch (int) {
            // The parse error: the load is abandoned.
        }
    }
    CIdentity::TotalCleanup();
    return 0;
}
