// libFuzzer target over what the papacy and the crusade read: the first byte picks the papacy's or the
// crusade's block of a saved game, or an event as a peer sends it (the second byte picks the controller, the
// start or an end type); a block is read or ends in the parse error, an event is applied or dropped, and
// neither ever reads outside its bytes or the province table.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "characters/character.h"
#include "characters/crusade.h"
#include "characters/papacy.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "fuzz_input_file.h"
#include "fuzz_net_event.h"

#include "foundation/safeguards.h"

namespace {

constexpr std::uint32_t kTypes[]
    = { _CRZEVT_SETPAPALCONTROLLER_, _CRZEVT_START_CRUSADES_, _CRZEVT_CRUSADES_LOST_, _CRZEVT_CRUSADES_WON_ };

template <class Block> void ReadBlock(Block& block, const std::uint8_t* data, std::size_t size)
{
    const char* path = WriteFuzzInput("religious_records", data, size);
    if (!path)
        return;
    try {
        CRZParser parser(path, "r");
        block.ParseFields(parser);
        std::unique_ptr<CLScript> script(block.GetScript());
    } catch (int) {
        // The parse error: the load is abandoned.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    CIdentity::TotalInit(NOID, 0);
    CPapacy::Init();
    CCrusade::Init();
    switch (data[0] % 3) {
    case 0:
        ReadBlock(*CPapacy::GetInstance(), data + 1, size - 1);
        break;
    case 1:
        ReadBlock(*CCrusade::GetInstance(), data + 1, size - 1);
        // A target that was read must be one the need can measure.
        if (CCrusade::GetInstance()->GetTargetProvince() < 0
            || CCrusade::GetInstance()->GetTargetProvince() > 1003)
            __builtin_trap();
        break;
    default: {
        std::unique_ptr<CRZEvent> event(BuildEventOfType(kTypes[data[1] % 4], data + 2, size - 2));
        if (event) {
            CPapacy::GetInstance()->Update(event.get());
            CCrusade::GetInstance()->Update(event.get());
            CCrusade::GetInstance()->GetCrusadeNeed();
            if (CCrusade::GetInstance()->GetTargetProvince() < 0
                || CCrusade::GetInstance()->GetTargetProvince() > 1003)
                __builtin_trap();
        }
        break;
    }
    }
    CPapacy::Shutdown();
    CCrusade::Shutdown();
    CIdentity::TotalCleanup();
    return 0;
}
