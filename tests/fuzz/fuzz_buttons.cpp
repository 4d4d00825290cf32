// libFuzzer target over the interface buttons' "db\buttons.txt": any file is read whole or refused with a
// located report, never a crash, a hang or a leak, and a refused file keeps none of its buttons.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_input_file.h"
#include "widgets/generic_button.h"
#include "widgets/interface_button.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* path = WriteFuzzInput("buttons", data, size);
    if (!path)
        return 0;
    {
        CRZButtonDB db(path);
        if (!db.IsLoaded()) {
            for (int id = 0; id < kInterfaceButtonCount; ++id)
                if (db.GetButton(id))
                    std::abort();
        }
    }
    CRZGenericButton::DeInitSprites();
    return 0;
}
