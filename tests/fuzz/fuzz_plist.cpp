// Feeds arbitrary bytes to the preferences reader: it must answer or refuse, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/elements/prefs_dictionary.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Ravel::PrefsDictionary prefs;
    std::string error;
    std::vector<std::string> notes;
    if (Ravel::PrefsDictionary::Parse(reinterpret_cast<const char*>(data), size, prefs, error, &notes)) {
        // Touch what a logger and the launch read.
        prefs.find("logging", "default");
        if (const std::vector<std::string>* dirs = prefs.findList("dataDirs"))
            (void)dirs->size();
    }
    return 0;
}
