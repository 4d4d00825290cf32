// generate_rz2: the running game written as one scenario file of the predecessor game, so that a
// campaign can be carried on there; the in-game options menu starts it with the player's chosen name.
#pragma once

// The file name is a data-folder path ("scenarios\rz2\<name>.rzg"). Answers whether the file was
// written. The conversion tables the export needs are not in the game yet: until they are, nothing is
// written and the history says so.
bool generate_rz2(const char* fileName);
