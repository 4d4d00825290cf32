// Every text key the game looks up, with its English text. Every key the code passes to GetString
// must be here: a test scans the sources and fails on a key this table lacks.
#include "text_keys.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

const TextKey gTextKeys[] = {
    // Start-up and loading screen.
    { "config\\text.csv", "INIT_GLOBALS", "Initialising the realm" },
    { "config\\text.csv", "INIT_SOUND", "Tuning the lutes" },
    { "config\\text.csv", "INIT_INTERFACE", "Preparing the court" },
    { "config\\text.csv", "INIT_GAMEMAP_SPRITES", "Drawing the map" },
    { "config\\text.csv", "INIT_SCENARIO", "Reading the chronicles" },
    { "config\\text.csv", "LANGUAGE", "English" },
    // Character attributes.
    { "config\\text.csv", "MARTIAL", "Martial" },
    { "config\\text.csv", "DIPLOMACY", "Diplomacy" },
    { "config\\text.csv", "INTRIGUE", "Intrigue" },
    { "config\\text.csv", "STEWARDSHIP", "Stewardship" },
    { "config\\text.csv", "HEALTH", "Health" },
    { "config\\text.csv", "FERTILITY", "Fertility" },
    // End of the game.
    { "config\\text.csv", "GAME_END_ELIMINATED", "Your line has ended and your realm is no more." },
    { "config\\text.csv", "GAME_END_WINNER", "Your dynasty stands above all others!" },
    { "config\\text.csv", "GAME_END_QUIT", "The chronicle ends here." },
    // Sending the game file to the other players.
    { "config\\text.csv", "BZIP_COMPRESSING_FILE_WAIT",
        "Packing the game file for the other players\\nPlease wait..." },
    { "config\\text.csv", "BZIP_COMPRESSION_FAILED", "The game file could not be packed." },
    { "config\\text.csv", "BZIP_DECOMPRESSION_FAILED", "The game file from the host could not be unpacked." },
    // Scenario names.
    { "config\\modtext.csv", "SCENARIO_NAME_1066", "The Conquest of 1066" },
    { "config\\modtext.csv", "SCENARIO_NAME_TINY", "A Tiny Realm" },
};

} // namespace

std::span<const TextKey> TextKeys()
{
    return gTextKeys;
}

} // namespace datagen
