// The texts of the message settings page: one line per message type, by the type's text-key stem.
#pragma once

#include <vector>

#include "data_writer.h"

namespace datagen {

// "<stem>_SETUP" for every message type: the line the player picks the type by.
std::vector<GeneratedText> MessageSetupTexts();

} // namespace datagen
