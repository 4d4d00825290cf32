// Test helpers for value blocks: reading a block body from text and the round trip through the writer.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "datalang/script_text.h"

// Reads the block body in text (after its "{") into value and answers ParseFields' result.
template <class T> int ReadBlock(T& value, const std::string& text)
{
    support::ScratchFile file(text);
    CRZParser parser(file.Path(), "r");
    return value.ParseFields(parser);
}

// What GetScript writes as "key = tree".
template <class T> std::string WrittenBlock(const T& value)
{
    CLSymbol symbol("key", value.GetScript());
    return WrittenText(symbol);
}

// GetScript, written as "key = tree", read back through the block reader into result.
template <class T> void ReadBack(const T& value, T& result, std::string* written = nullptr)
{
    const std::string text = WrittenBlock(value);
    if (written)
        *written = text;
    support::ScratchFile file(text);
    CRZParser parser(file.Path(), "r");
    EXPECT_EQ(parser.ParseSimpleStatement(), 1) << text;
    if (parser.value.type == TT_OPEN_BRACE) {
        EXPECT_EQ(result.ParseFields(parser), 0) << text;
    }
}
