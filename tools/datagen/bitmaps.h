// The interface bitmaps and palettes of the data folder.
#pragma once

#include "data_writer.h"

namespace datagen {

// Writes "gfx\dummy.bmp", interface pictures of 8 (plain and run-length), 16 and 24 bits and the
// palettes under "gfx\palette\", drawn from the seed.
void WriteBitmaps(const Context& context);

} // namespace datagen
