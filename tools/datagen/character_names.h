// Invented names of people and families: each culture speaks through one family of syllables, and names are
// put together from them, so no name is taken from anywhere.
#pragma once

#include <string>

#include "data_writer.h"

namespace datagen {

// A given name of the culture (0..49) for a man (gender 0) or a woman (gender 1).
std::string GivenName(Random& random, int culture, int gender);
// A family name of the culture.
std::string FamilyName(Random& random, int culture);

// "db\character_names.csv": a list of given names per culture and gender for the children born in play.
void WriteCharacterNames(const Context& context);

} // namespace datagen
