// The texts the game looks up by key, with the table file each belongs to.
#pragma once

#include <span>

namespace datagen {

struct TextKey {
    const char* file; // one of the fourteen "config" tables, e.g. "config\text.csv"
    const char* key;
    const char*
        english; // no ';' (the table format has no escape for it); "\n" is written as a backslash and n
};

std::span<const TextKey> TextKeys();

} // namespace datagen
