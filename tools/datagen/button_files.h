// The side panel's buttons: "db\buttons.txt", their four-frame backgrounds and icons, and their texts.
#pragma once

#include <vector>

#include "data_writer.h"

namespace datagen {

// Writes "db\buttons.txt" with a block for every named button id, the backgrounds under
// "gfx\interface\button area\" (lit buttons under "gfx\interface\piw\buildings\"), the icons and
// "empty.bmp".
void WriteButtonFiles(const Context& context);

// The upper, lower and label texts that "db\buttons.txt" names.
std::vector<GeneratedText> ButtonTexts();

} // namespace datagen
