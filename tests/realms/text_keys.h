// Test helper: texts put into the game's text database under their keys, so that described values show
// which key they used.
#pragma once

#include <initializer_list>
#include <utility>

#include "text/new_text.h"

// Each key's text is given as a literal, which outlives the database.
inline void PutTexts(std::initializer_list<std::pair<const char*, const char*>> texts)
{
    for (const auto& [key, text] : texts)
        TextStrings.Add(key, const_cast<char*>(text));
}
