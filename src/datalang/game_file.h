// Loading a scenario or saved game into the running game, and saving the game so that the previous save
// survives every failure: the two file operations that the game session builds on.
#pragma once

#include <cstddef>

class CScenarioWorld;

// Reads the file into the world. False when the load failed: message holds the located report, the world
// has dropped everything read (DiscardLoad), and every file opened for the load is closed.
bool LoadGameFile(const char* name, CScenarioWorld& world, char* message, std::size_t size);

// Writes the world as a saved game. The save goes to a temporary file in the target's folder, is flushed
// to the disk and only then renamed over the target, so that a failure at any point (no such folder, a
// folder that takes no new files, a full disk, a target that is a folder) leaves the previous file as it
// was. False on failure, with the report in message; the temporary file is removed.
bool SaveGameFile(const char* name, CScenarioWorld& world, char* message, std::size_t size);
