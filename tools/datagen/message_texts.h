// The texts of the message settings page: one line per message type, by the type's text-key stem.
#pragma once

#include <vector>

#include "data_writer.h"

namespace datagen {

// Every message type's texts: "<stem>_SETUP" (the line the player picks the type by), "<stem>_LOG" and the
// box's "<stem>_HEADER", "<stem>_1" to "<stem>_6", "<stem>_BTN1" and "<stem>_BTN2".
std::vector<GeneratedText> MessageSetupTexts();

} // namespace datagen
