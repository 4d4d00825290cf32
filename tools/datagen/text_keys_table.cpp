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
    // The game speed, as the speed keys report it in the message log.
    { "config\\text.csv", "GAMESPEED0", "Game speed: slowest" },
    { "config\\text.csv", "GAMESPEED1", "Game speed: very slow" },
    { "config\\text.csv", "GAMESPEED2", "Game speed: slow" },
    { "config\\text.csv", "GAMESPEED3", "Game speed: steady" },
    { "config\\text.csv", "GAMESPEED4", "Game speed: normal" },
    { "config\\text.csv", "GAMESPEED5", "Game speed: brisk" },
    { "config\\text.csv", "GAMESPEED6", "Game speed: fast" },
    { "config\\text.csv", "GAMESPEED7", "Game speed: fastest" },
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
    // Troop types.
    { "config\\text.csv", "TTYPE_HEAVCAV", "Heavy cavalry" },
    { "config\\text.csv", "TTYPE_HEAVCAV_DESC", "Knights in mail on heavy horses." },
    { "config\\text.csv", "TTYPE_LIGHCAV", "Light cavalry" },
    { "config\\text.csv", "TTYPE_LIGHCAV_DESC", "Swift riders for scouting and pursuit." },
    { "config\\text.csv", "TTYPE_ARCHCAV", "Horse archers" },
    { "config\\text.csv", "TTYPE_ARCHCAV_DESC", "Riders who shoot from the saddle." },
    { "config\\text.csv", "TTYPE_PIKEMEN", "Pikemen" },
    { "config\\text.csv", "TTYPE_PIKEMEN_DESC", "Foot soldiers with long pikes." },
    { "config\\text.csv", "TTYPE_HEAVINF", "Heavy infantry" },
    { "config\\text.csv", "TTYPE_HEAVINF_DESC", "Armoured men-at-arms on foot." },
    { "config\\text.csv", "TTYPE_ARCHERS", "Archers" },
    { "config\\text.csv", "TTYPE_ARCHERS_DESC", "Bowmen and crossbowmen." },
    { "config\\text.csv", "TTYPE_MILITIA", "Militia" },
    { "config\\text.csv", "TTYPE_MILITIA_DESC", "Levied peasants with what arms they own." },
    // What advances give.
    { "config\\text.csv", "ADV_ATTACK", "attack" },
    { "config\\text.csv", "ADV_ATTACKMUL", "%s against" },
    { "config\\text.csv", "ADV_DEFENCE", "defence" },
    { "config\\text.csv", "ADV_SHOCK", "Shock of" },
    { "config\\text.csv", "ADV_MORALE", "Morale of" },
    { "config\\text.csv", "ADV_IMPR", "Allows" },
    { "config\\text.csv", "ADV_SIEGE", "Siege" },
    // Building a province improvement.
    { "config\\text.csv", "GOLD_COST", "Cost:" },
    { "config\\text.csv", "CONSTRUCTION_TIME", "Building time:" },
    { "config\\text.csv", "MONTHS", "months" },
    { "config\\text.csv", "GOLD_COMPLETION_BONUS", "Gold when finished:" },
    { "config\\text.csv", "PRESTIGE_COMPLETION_BONUS", "Prestige when finished:" },
    { "config\\text.csv", "PIETY_COMPLETION_BONUS", "Piety when finished:" },
    { "config\\text.csv", "PEASANTS_LOYALTY_COMPLETION_BONUS", "Peasants' loyalty when finished:" },
    { "config\\text.csv", "BURGHERS_LOYALTY_COMPLETION_BONUS", "Burghers' loyalty when finished:" },
    { "config\\text.csv", "CLERGY_LOYALTY_COMPLETION_BONUS", "Clergy's loyalty when finished:" },
    { "config\\text.csv", "NOBLES_LOYALTY_COMPLETION_BONUS", "Nobles' loyalty when finished:" },
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
