// The scenario and saved-game reader: top-level dispatch, the object readers, includes and the link steps.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <strings.h>
#include <sys/stat.h>

#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/scenario_keywords.h"
#include "datalang/scenario_parser.h"
#include "datalang/scenario_world.h"
#include "foundation/data_file.h"
#include "foundation/identity.h"
#include "foundation/logs.h"
#include "foundation/utilities.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

// The file's identity on disk; false when the game path names no regular file.
bool IdentifyFile(const char* name, dev_t& device, ino_t& inode)
{
    SetDataPath();
    char path[kPathMax + 1];
    struct stat info { };
    if (!ResolveDataPath(name, path, sizeof path) || stat(path, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    device = info.st_dev;
    inode = info.st_ino;
    return true;
}

} // namespace

CRZScenarioParser::CRZScenarioParser(
    const char* file, const char* mode, CScenarioWorld& inWorld, const CRZScenarioParser* inIncluder)
    : CRZParser(file, mode)
    , world(inWorld)
    , includer(inIncluder)
    , depth(inIncluder ? inIncluder->depth + 1 : 0)
    , device(0)
    , inode(0)
{
    if (!IdentifyFile(file, device, inode))
        inode = 0;
}

CRZScenarioParser::CRZScenarioParser(std::FILE* output, const char* name, CScenarioWorld& inWorld)
    : CRZParser(output, name)
    , world(inWorld)
    , includer(nullptr)
    , depth(0)
    , device(0)
    , inode(0)
{
}

int CRZScenarioParser::Parse()
{
    for (;;) {
        const int result = ParseTopLevelObj();
        if (result == -1)
            break;
        if (result == -2) {
            mydebug("got a parsing error at line %d\n", lexer->GetLine() + 1);
            // Reading on would lose the rest of the file without a word; the load fails where it broke.
            ParseError("got a parsing error");
        }
    }
    world.RefreshAfterLoad();
    return 0;
}

int CRZScenarioParser::ParseOnlyName()
{
    return ParseTopLevelObj();
}

int CRZScenarioParser::ParseOnlyHeader()
{
    const int result = ParseTopLevelObj();
    return result == 0 ? ParseTopLevelObj() : result;
}

int CRZScenarioParser::ParseTopLevelObj()
{
    pCountry = nullptr;
    world.ServiceMusicAndNetwork();

    const int read = ParseSimpleStatement();
    // A stray "}" is never taken by the statement reader: reading on would never end.
    if (read == 0)
        ParseError("\"}\" where a top-level object should begin");
    if (read < 0)
        return read;

    const bool block = value.type == TT_OPEN_BRACE;
    // The object readers' own failures end the load: what follows them would be read out of place.
    const auto objectResult = [](int result) { return result == 0 ? 0 : -2; };
    switch (key.type) {
    case KW_COUNTRY: {
        const int result = block ? ParseCountry() : 0;
        world.AdvanceLoadingBar();
        return objectResult(result);
    }
    case KW_PROVINCE:
        return block ? objectResult(ParseProvince()) : 0;
    case KW_CHARACTER:
        return block ? objectResult(ParseCharacter()) : 0;
    case KW_TITLE:
        return block ? objectResult(ParseTitle()) : 0;
    case KW_RELATIONS:
        return block ? objectResult(world.ParseRelations(*this)) : 0;
    case KW_DYNASTY:
        SyncronizeTitlesClaimsAndCharacters();
        SyncronizeCharacters();
        return block ? objectResult(ParseDynasty()) : 0;
    case KW_GLOBALDATA:
        RequireBlock(block);
        return world.ParseGlobalData(*this);
    case KW_INTERFACE:
        RequireBlock(block);
        return ParseInterface();
    case KW_NAME: {
        const char* text = TextStrings.GetString(value.text);
        if (strcasecmp(text, kUnknownString) == 0)
            text = value.text;
        CopyString(szScenarioName, text);
        world.SetScenarioName(szScenarioName);
        return 0;
    }
    case KW_HEADER:
        RequireBlock(block);
        return world.ParseHeader(*this);
    case KW_COMBAT:
        RequireBlock(block);
        return world.ParseCombat(*this) ? 0 : -2;
    case KW_INCLUDE:
        return ParseInclude();
    case KW_EVENT:
        world.LoadEventFile(value.text);
        return 0;
    default:
        ParseError("Illegal top level object");
    }
}

int CRZScenarioParser::ParseInclude()
{
    if (value.type == TT_OPEN_BRACE)
        ParseError("include needs a file name");
    char name[kLexerFileNameMax + 1];
    if (!CopyString(name, value.text))
        ParseError("include file name longer than 255 characters");
    if (depth >= kMaxIncludeDepth)
        ParseError("includes nested too deeply");
    dev_t nestedDevice = 0;
    ino_t nestedInode = 0;
    if (!IdentifyFile(name, nestedDevice, nestedInode))
        ParseError("include file not found");
    for (const CRZScenarioParser* open = this; open; open = open->includer)
        if (open->inode != 0 && open->inode == nestedInode && open->device == nestedDevice)
            ParseError("include cycle");

    std::unique_ptr<CRZScenarioParser> nested;
    try {
        nested = std::make_unique<CRZScenarioParser>(name, "r", world, this);
    } catch (int) {
        ParseError("include file could not be opened");
    }
    nested->Parse();
    return 0;
}

void CRZScenarioParser::RequireBlock(bool block) const
{
    if (!block)
        ParseError("No left curly");
}

int CRZScenarioParser::ReadStatements(const std::function<int()>& handle)
{
    for (;;) {
        const int read = ParseSimpleStatement();
        if (read == -2)
            return -2;
        if (read == 1) {
            if (const int answer = handle(); answer != kReadOn)
                return answer;
        } else if (CloseBlock()) {
            return 0;
        }
    }
}

int CRZScenarioParser::ReadFirstStatement()
{
    // Any answer but kReadOn stops the loop at the first statement.
    constexpr int kFound = kReadOn + 1;
    const int result = ReadStatements([] { return kFound; });
    return result == kFound ? 1 : result;
}

int CRZScenarioParser::ReadLeadingTag(const char* notFirst, int& number)
{
    const int first = ReadFirstStatement();
    if (first != 1)
        return first;
    if (key.type != KW_TAG)
        ParseError(notFirst);
    number = _pTagToID ? _pTagToID(value.text) : 0;
    if (number <= 0 || number >= static_cast<int>(kCountryTableSlots))
        ParseError("unknown tag");
    return 1;
}

int CRZScenarioParser::ParseCountry()
{
    int number = 0;
    const int first = ReadLeadingTag("tag HAS to be first in country", number);
    if (first != 1)
        return first;
    pCountry = world.ConstructCountry(number);
    return world.ParseCountryFields(pCountry, *this);
}

int CRZScenarioParser::ParseProvince()
{
    const int first = ReadFirstStatement();
    if (first != 1)
        return first;
    if (key.type != KW_ID)
        ParseError("id HAS to be first in province");
    // A word in place of the number would leave the block to be read as top-level objects.
    if (value.type != TT_NUMBER)
        ParseError("illegal province id");
    char* end = nullptr;
    const unsigned long number = std::strtoul(value.text, &end, 10);
    if (end == value.text || number >= kProvinceArraySize)
        ParseError("illegal province id");
    return world.ParseProvinceFields(static_cast<int>(number), *this);
}

int CRZScenarioParser::ParseTitle()
{
    int number = 0;
    const int first = ReadLeadingTag("tag HAS to be first in title", number);
    return first == 1 ? world.ParseTitleFields(number, *this) : first;
}

int CRZScenarioParser::ParseCharacter()
{
    CDate birthDate;
    if (const int result = world.ParseCharacter(*this, birthDate))
        return result;
    world.AdmitCharacter(birthDate.GetDays() <= world.GetCurrentDate().GetDays());
    return 0;
}

int CRZScenarioParser::ParseDynasty()
{
    return world.ParseDynasty(*this);
}

int CRZScenarioParser::ParseInterface()
{
    return ReadStatements([&] {
        const bool block = value.type == TT_OPEN_BRACE;
        switch (key.type) {
        case KW_MOUSE:
        case KW_MAP: {
            RequireBlock(block);
            // The point's own statements overwrite the key.
            const bool focus = key.type == KW_MAP;
            CPoint point;
            point.ParseFields(*this);
            if (focus)
                world.SetMapFocus(point);
            break;
        }
        case KW_MAPMODE:
            if (block)
                ParseError("unknown interface data");
            break;
        case KW_ZOOM:
            // The map has three zoom levels; a level outside them would index past its tables.
            world.SetZoomLevel(std::clamp(TextToInt(value.text), 0, 2));
            break;
        case KW_TUTORIAL:
            world.SetTutorialRemoved(std::max(TextToInt(value.text), 0));
            break;
        default:
            if (key.type < KW_GROUP1 || key.type > KW_GROUP0)
                ParseError("unknown interface data");
            RequireBlock(block);
            if (const int result = ParseUnitGroup(static_cast<int>(key.type) - KW_GROUP1))
                return result;
        }
        return kReadOn;
    });
}

int CRZScenarioParser::ParseUnitGroup(int group)
{
    return ReadStatements([&] {
        if (key.type != KW_ID)
            ParseError("not id field in unitlist");
        RequireBlock(value.type == TT_OPEN_BRACE);
        CRZID unit;
        if (const int result = unit.ParseFields(*this))
            return result;
        if (CRZDynamicObject::GetObjectFromID(DynamicID(unit)))
            world.AddToUnitGroup(group, unit);
        return kReadOn;
    });
}

void CRZScenarioParser::SyncronizeTitlesClaimsAndCharacters()
{
    if (bTitlesLinked)
        return;
    world.LinkTitlesClaimsAndCharacters();
    bTitlesLinked = 1;
}

void CRZScenarioParser::SyncronizeCharacters()
{
    if (bChildrenLinked)
        return;
    world.LinkChildrenAndRelations();
    bChildrenLinked = 1;
}
