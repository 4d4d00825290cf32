// libFuzzer target over the filling of data texts as formats: any text with a string, a whole number and
// a decimal never reads past the text, never reaches printf unchecked and never grows without bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "foundation/text_format.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view format(reinterpret_cast<const char*>(data), size);
    const std::string filled = FormatDataText(format, { "Uppland", -2147483647 - 1, 1e300, 7, "x" });
    // No field may be wider than two digits allow, and five values at most are filled.
    if (filled.size() > size + 5 * 400)
        std::abort();
    return 0;
}
