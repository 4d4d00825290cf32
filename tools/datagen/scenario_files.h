// The scenarios the game offers on the generated world, and the dynasty file every scenario includes.
#pragma once

#include "data_writer.h"
#include "world_map.h"

namespace datagen {

// The scenario of the folder's size ("scenarios\1066.rzg" in full, "scenarios\tiny.rzg" in the tiny
// folder), "db\dynasties.txt", "db\events.txt" and "db\character_names.csv". Every land county is held,
// every realm has a living ruler who holds its own title, and every character belongs to a realm, a
// culture and a dynasty.
void WriteScenarioFiles(const Context& context, const World& world);

} // namespace datagen
