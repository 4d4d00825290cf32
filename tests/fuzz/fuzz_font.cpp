// libFuzzer target over the font pictures: any file becomes a font or is refused, never a crash or a
// read outside the picture, and whatever font it makes measures, breaks and prints a text within bounds.
#include <cstddef>
#include <cstdint>

#include "fuzz_input_file.h"
#include "gfx/font.h"
#include "gfx/image.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* path = WriteFuzzInput("font", data, size);
    if (!path || size < 1)
        return 0;
    CFont font;
    // The first byte chooses the line height, as the five fonts' heights differ.
    if (!font.Init(path, 1 + data[0] % 40, nullptr))
        return 0;
    const char* text = "Ab \xa7Y%170 x\\ny\xa0z \xa7\xa7$ 100% ";
    font.Length(text);
    font.GetLineBreaks(text, 40);
    CImage target(64, 32, 8, IMAGE_SYSTEM);
    font.PrintDrop(text, 60, 20, &target, 0x7FFF);
    return 0;
}
