// NewTextCopy, the one way named objects and script nodes take a copy of a text they will own.
#pragma once

#include <cstring>

// A new array holding the text and its terminator, freed with delete[]; a null text is copied as empty.
inline char* NewTextCopy(const char* text)
{
    if (!text)
        text = "";
    const std::size_t size = std::strlen(text) + 1;
    char* copy = new char[size];
    std::memcpy(copy, text, size);
    return copy;
}
