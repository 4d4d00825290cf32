// libFuzzer target over the map sprites' ".spr" definitions: any file reads or stops at a parse error,
// never a crash, a hang or a leak, and a definition in error leaves the sprite as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "datalang/parser.h"
#include "fuzz_input_file.h"
#include "gfx/sprite_world.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* path = WriteFuzzInput("sprite_definition", data, size);
    if (!path)
        return 0;
    CSpriteWorld sprite(16, 8, 8);
    sprite.SetFrequency(-5);
    try {
        CRZParser parser(path, "r");
        sprite.ParseFields(parser);
    } catch (int) {
        if (sprite.GetFrequency() != -5)
            std::abort();
    }
    return 0;
}
