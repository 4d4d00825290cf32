// libFuzzer target over the event journal reader: any bytes are either a whole journal, which encodes back
// to the same bytes, or refused with a reason; nothing is read past the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "events/event_journal.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CEventJournal journal;
    std::string message;
    if (!DecodeEventJournal(data, size, journal, message)) {
        if (message.empty())
            std::abort();
        return 0;
    }
    const std::vector<std::uint8_t> again = EncodeEventJournal(journal);
    if (again.size() != size || std::memcmp(again.data(), data, size) != 0)
        std::abort();
    return 0;
}
