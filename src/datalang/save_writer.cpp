// The saved-game writer: every section of the running game in the order the reader expects it back.
#include "datalang/block_keywords.h"
#include "datalang/scenario_keywords.h"
#include "datalang/scenario_parser.h"
#include "datalang/scenario_world.h"
#include "datalang/script_tree.h"
#include "foundation/identity.h"
#include "foundation/logs.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

namespace {

// Saves carry no dynasties or events of their own: they include the game's files, the dynasties between
// the titles and the countries so that the reader's link steps run there.
constexpr const char* kDynastyInclude = "\n\n\ninclude = \"db\\dynasties.txt\"\n\n";
constexpr const char* kEventInclude = "\n\ninclude = \"db\\events.txt\"\n\n\n";

void Trace(const char* line)
{
    if (isSuperDebug)
        superdebug("%s", line);
}

} // namespace

int CRZScenarioParser::WriteSection(int lineFeeds, CRZTokenType keyword, CLScript* body)
{
    CLSymbol* section = new CLSymbol(keyword, body);
    int result = WriteMany(TT_LINEFEED, lineFeeds);
    if (result == 0)
        result = section->Write(*this, 0);
    delete section;
    return result;
}

int CRZScenarioParser::Write()
{
    // The name may be a long localised text; the string writer turns any quote in it into an apostrophe.
    char name[256];
    CopyString(name, world.GetScenarioName());
    int result = WriteSection(0, KW_NAME, new CLString(name));
    Trace("Saving: Name Written\n");
    if (result == 0)
        result = WriteSection(0, KW_HEADER, world.GetHeaderScript());
    Trace("Saving: Header Written\n");
    if (result == 0)
        result = WriteSection(2, KW_GLOBALDATA, world.GetGlobalScript());
    Trace("Saving: Globaldata Written\n");
    for (int number = 0; result == 0 && number < static_cast<int>(kProvinceArraySize); ++number)
        if (world.ShouldSaveProvince(number))
            result = WriteSection(2, KW_PROVINCE, world.GetProvinceScript(number));
    Trace("Saving: Provinces Written\n");
    if (result == 0)
        result = WriteSection(2, KW_RELATIONS, world.GetRelationsScript());
    Trace("Saving: Relations Written\n");
    // Counted once: the world may walk its whole list to count it.
    const int characters = world.GetCharacterCount();
    for (int index = 0; result == 0 && index < characters; ++index)
        result = WriteSection(2, KW_CHARACTER, world.GetCharacterScript(index));
    Trace("Saving: Characters Written\n");
    for (int number = 0; result == 0 && number < static_cast<int>(kCountryTableSlots); ++number)
        if (world.TitleNeedsSave(number))
            result = WriteSection(2, KW_TITLE, world.GetTitleScript(number));
    Trace("Saving: Titles Written\n");

    // The include lines are attempted even after a failure; their own failure fails the save too.
    const int dynasties = Write(CToken(kDynastyInclude));
    if (result == 0)
        result = dynasties;
    if (result == 0)
        result = Write(TT_LINEFEED);
    for (int number = 0; result == 0 && number < static_cast<int>(kCountryTableSlots); ++number)
        if (CRZCountry* country = world.GetCountry(number))
            result = WriteSection(2, KW_COUNTRY, world.GetCountryScript(country));
    const int events = Write(CToken(kEventInclude));
    if (result == 0)
        result = events;
    Trace("Saving: Countries Written\n");

    if (result == 0 && !world.IsMultiPlayer())
        result = WriteSection(2, KW_INTERFACE, GetInterface());
    // Province 0 holds no battles.
    for (int number = 1; result == 0 && number < static_cast<int>(kProvinceArraySize); ++number)
        for (int battle = 0; result == 0 && battle < world.GetCombatCount(number); ++battle)
            result = WriteSection(2, KW_COMBAT, world.GetCombatScript(number, battle));
    Trace("Saving: Combats Written");
    return result;
}

CLSList* CRZScenarioParser::GetInterface() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_MOUSE, world.GetMousePosition().GetScript()));
    list->Append(new CLSymbol(KW_MAP, world.GetMapFocus().GetScript()));
    list->Append(new CLSymbol(KW_ZOOM, new CLInteger(world.GetZoomLevel())));
    if (world.IsTutorial())
        list->Append(new CLSymbol(KW_TUTORIAL, new CLInteger(world.GetTutorialRemoved())));
    for (int group = 0; group < kUnitGroupCount; ++group) {
        CLSList* units = new CLSList;
        const CList<CRZID>& members = world.GetUnitGroup(group);
        for (CList<CRZID>::Iterator it = members.GetHead(); !it.IsEnd(); it++)
            units->Append(new CLSymbol(KW_ID, (*it).GetScript()));
        list->Append(new CLSymbol(static_cast<CRZTokenType>(KW_GROUP1 + group), units));
    }
    return list;
}
