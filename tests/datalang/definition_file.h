// Test helpers for the definition tables: a keyword's token, and a definition file loaded from text.
#pragma once

#include <string>

#include "datalang/lexer.h"
#include "foundation/fatal_error.h"
#include "support/data_folder.h"
#include "support/scratch.h"

// The token type of a word, as the tokenizer reads it.
inline int TokenOf(const std::string& word)
{
    support::ScratchFile file(word);
    CLexer::InitTokens();
    CLexer lexer(file.Path(), "r");
    lexer.getTok();
    return static_cast<int>(lexer.GetToken().type);
}

// Loads the text through a table's InitFromFile; "" when it loaded, else the load's report.
template <class Load> std::string LoadFailure(Load load, const std::string& text)
{
    support::ScratchFile file(text);
    return load(file.Path()) ? "" : GetAssertMessage();
}
