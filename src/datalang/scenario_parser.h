// CRZScenarioParser, the parser of scenarios and saved games: the reader that hands each top-level object
// to its owner (with included files and the link steps) and the writer of a whole saved game.
#pragma once

#include <functional>
#include <sys/types.h>

#include "datalang/parser.h"

class CLScript;
class CLSList;
class CScenarioWorld;

// How deep "include" statements may nest, the top-level file counted as depth 0.
inline constexpr int kMaxIncludeDepth = 16;

class CRZScenarioParser : public CRZParser {
public:
    // Opens the file with mode "r" to read or "w" to write, as CRZParser does. An included file names its
    // includer, so that include depth and cycles can be checked.
    CRZScenarioParser(const char* file, const char* mode, CScenarioWorld& world,
        const CRZScenarioParser* includer = nullptr);
    // Writes the world into a stream the caller owns.
    CRZScenarioParser(std::FILE* output, const char* name, CScenarioWorld& world);

    // Reads every top-level object, then refreshes the living characters and every country's lists.
    // 0; a malformed statement at the top level is a parse error (the rest of the file would be lost unseen).
    int Parse();
    // The first top-level object only: the file's name. Answers ParseTopLevelObj's result.
    int ParseOnlyName();
    // The first two: name and header.
    int ParseOnlyHeader();
    // One top-level object: 0 when read, -1 at the end of the file, -2 on a statement without "=" or an
    // object that failed.
    int ParseTopLevelObj();

    // The object readers, each after its top-level statement has taken the block's "{".
    int ParseCountry();
    int ParseProvince();
    int ParseTitle();
    int ParseCharacter();
    int ParseDynasty();
    int ParseInterface();

    // The link steps; each runs once per parser.
    void SyncronizeTitlesClaimsAndCharacters();
    void SyncronizeCharacters();

    // Writes the whole game in the saved-game section order: 0, or -2 once a write failed (the sections
    // after it are left out, the two include lines are still attempted).
    int Write();
    // The interface section: mouse, map focus, zoom, the tutorial's progress, the ten unit groups.
    // A new list that the caller owns.
    CLSList* GetInterface() const;
    using CRZParser::Write;

private:
    // Hands each statement of a block to the handler, which answers kReadOn or the result to stop with;
    // 0 after the block's "}" (consumed), -2 at a statement without "=".
    int ReadStatements(const std::function<int()>& handle);
    // The first complete statement of an object's block: 1, or the block's result as ReadStatements.
    int ReadFirstStatement();
    // The first statement, which must be the tag of a known country: 1 with its number, or the block's
    // result.
    int ReadLeadingTag(const char* notFirst, int& number);
    // A value that must open a block: anything else is the parse error "No left curly".
    void RequireBlock(bool block) const;
    int ParseInclude();
    // Reads the statements of one unit group block and fills the group.
    int ParseUnitGroup(int group);
    // Writes the symbol keyword = value (taking the value) after the given line feeds; 0 or -2.
    int WriteSection(int lineFeeds, CRZTokenType keyword, CLScript* body);

    CScenarioWorld& world;
    const CRZScenarioParser* includer;
    int depth;
    // The file's identity on disk, to find include cycles; st_ino 0 when it is not known.
    dev_t device;
    ino_t inode;
};
