// Test helpers for the script tree: the text a node writes, and the fatal message of a failed parse.
#pragma once

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/fatal_error.h"
#include "support/fatal_message.h"
#include "support/scratch.h"

// What the node writes at the given depth; the write's answer goes to result when it is given.
inline std::string WrittenText(CLScript& node, int indent = 0, int* result = nullptr)
{
    support::ScratchFile file("");
    {
        CRZParser parser(file.Path(), "w");
        const int answer = node.Write(parser, indent);
        if (result)
            *result = answer;
    }
    std::ifstream in(file.Path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

using support::FatalMessageOf;
