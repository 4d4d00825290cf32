// libFuzzer target over the province's events as a peer sends them: the record is rebuilt as the network
// rebuilds it and handed to a land province. Whatever arrives, the province's numbers stay numbers and in
// their ranges.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz_net_event.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

// Input: u16 type, u16 claimed record size, then the record's bytes after its type word.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CRZEvent* event = BuildFuzzedEvent(data, size);
    if (event == nullptr)
        return 0;
    CProvince province;
    province.number = 17;
    province.terrain = TERRAIN_PLAINS;
    province.landFortress = 2;
    province.occupation = 0.5f;
    province.Update(event);
    delete event;
    for (int estate = 0; estate < CStandsTuple::COUNT; ++estate)
        if (!std::isfinite(province.loyalty.Get(estate)) || !std::isfinite(province.privileges.Get(estate)))
            __builtin_trap();
    if (!std::isfinite(province.occupation) || province.occupation < 0.0f || province.occupation > 1.0f
        || province.revoltRisk < 0 || province.landFortress < 0 || province.coastalFortress < 0)
        __builtin_trap();
    return 0;
}
