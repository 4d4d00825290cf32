// The definition files of the data folder: traits, laws, advances, province improvements (rules and
// graphics) and province effects, with the texts their members are shown by.
#pragma once

#include <string>
#include <vector>

#include "data_writer.h"

namespace datagen {

struct DefinitionText {
    std::string file;
    std::string key;
    std::string english;
};

// Writes "db\traits.txt", "db\laws.txt", "db\advances.txt", "db\provinceimprovements.txt",
// "gfx\provinceimprovements.txt" and "db\ProvinceEffects.txt".
void WriteDefinitionFiles(const Context& context);

// The name and description keys of every member the definition files name.
std::vector<DefinitionText> DefinitionTexts();

// Every picture the definitions name, with the game's spelling of its path.
std::vector<std::string> DefinitionPictures();

} // namespace datagen
