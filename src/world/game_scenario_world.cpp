// The running game behind the scenario reader and the save writer: each kind of record goes to its owner,
// the link steps join what was read, and a failed load leaves nothing behind.
#include "world/game_scenario_world.h"

#include <cstdio>
#include <unordered_map>

#include "app/game.h"
#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/dynasty.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/fatal_error.h"
#include "foundation/utilities.h"
#include "realms/country.h"
#include "realms/province.h"
#include "world/global.h"

#include "foundation/safeguards.h"

CScenarioWorldHooks gScenarioWorldHooks;

namespace {

// Each character's parents, walked upwards without recursion: a character met again on the path he is
// being walked from is his own ancestor.
void RequireNoAncestorCycle(const CCharacterServer& characters)
{
    enum : char { kWalking = 1, kDone = 2 };
    std::unordered_map<const CCharacter*, char> state;
    state.reserve(static_cast<std::size_t>(characters.GetSize()) * 2);
    struct Step {
        const CCharacter* character;
        int parent; // 0 father, 1 mother, 2 both walked
    };
    std::vector<Step> path;
    for (auto it = characters.GetHead(); !it.IsEnd(); it++) {
        if (state[*it] == kDone)
            continue;
        path.push_back({ *it, 0 });
        state[*it] = kWalking;
        while (!path.empty()) {
            Step& step = path.back();
            if (step.parent == 2) {
                state[step.character] = kDone;
                path.pop_back();
                continue;
            }
            const CRZID& parentID = step.parent == 0 ? step.character->father : step.character->mother;
            ++step.parent;
            const CCharacter* parent = CRef<CCharacter>(parentID).Get();
            if (parent == nullptr)
                continue;
            const char seen = state[parent];
            if (seen == kWalking)
                _AssertRelease(
                    "character %u is his own ancestor", static_cast<unsigned>(parent->GetID().number));
            if (seen == kDone)
                continue;
            state[parent] = kWalking;
            path.push_back({ parent, 0 });
        }
    }
}

} // namespace

CGameScenarioWorld::CGameScenarioWorld(CCharacterServer& inCharacters)
    : characters(inCharacters)
{
}

CGameScenarioWorld::~CGameScenarioWorld() = default;

void CGameScenarioWorld::ServiceMusicAndNetwork()
{
    if (gScenarioWorldHooks.ServiceMusicAndNetwork)
        gScenarioWorldHooks.ServiceMusicAndNetwork();
}

void CGameScenarioWorld::AdvanceLoadingBar()
{
    if (gScenarioWorldHooks.AdvanceLoadingBar)
        gScenarioWorldHooks.AdvanceLoadingBar();
}

CRZCountry* CGameScenarioWorld::ConstructCountry(int number)
{
    if (CRZCountry::GetCountry(number) == nullptr)
        CRZCountry::ConstructCountry(number);
    return CRZCountry::GetCountry(number);
}

int CGameScenarioWorld::ParseCountryFields(CRZCountry* country, CRZParser& parser)
{
    if (country == nullptr)
        parser.ParseError("unknown tag");
    const int result = country->ParseFields(parser);
    country->MergeAllRebels();
    return result;
}

int CGameScenarioWorld::ParseProvinceFields(int number, CRZParser& parser)
{
    CProvince* province = CProvince::GetProvince(number);
    if (province == nullptr)
        parser.ParseError("illegal province id");
    return province->ParseFields(parser);
}

int CGameScenarioWorld::ParseTitleFields(int number, CRZParser& parser)
{
    CTitle* title = CTitle::GetTitle(number);
    if (title == nullptr)
        parser.ParseError("unknown tag");
    return title->ParseFields(parser);
}

int CGameScenarioWorld::ParseCharacter(CRZParser& parser, CDate& birthDate)
{
    pendingCharacter = std::make_unique<CCharacter>();
    const int result = pendingCharacter->ParseFields(parser);
    if (result != 0) {
        pendingCharacter.reset();
        return result;
    }
    if (pendingCharacter->GetID() == NOID)
        parser.ParseError("character without id");
    birthDate = pendingCharacter->birthDate;
    return 0;
}

void CGameScenarioWorld::AdmitCharacter(bool keep)
{
    if (keep && pendingCharacter)
        characters.Append(pendingCharacter.release());
    pendingCharacter.reset();
}

int CGameScenarioWorld::ParseDynasty(CRZParser& parser)
{
    pendingDynasty = std::make_unique<CDynasty>();
    const int result = pendingDynasty->ParseFields(parser);
    if (result == 0)
        characters.dynasties.Append(pendingDynasty.release());
    pendingDynasty.reset();
    return result;
}

int CGameScenarioWorld::ParseRelations(CRZParser& parser)
{
    return CRelations::GetInstance()->ParseFields(parser);
}

int CGameScenarioWorld::ParseGlobalData(CRZParser& parser)
{
    return gGlobal.ParseFields(parser);
}

int CGameScenarioWorld::ParseHeader(CRZParser& parser)
{
    if (gScenarioWorldHooks.ParseHeader)
        return gScenarioWorldHooks.ParseHeader(parser);
    SkipBlock(parser, "unexpected end of file in a block");
    return 0;
}

bool CGameScenarioWorld::ParseCombat(CRZParser& parser)
{
    return gScenarioWorldHooks.ParseCombat && gScenarioWorldHooks.ParseCombat(parser);
}

void CGameScenarioWorld::LoadEventFile(const char* name)
{
    if (gScenarioWorldHooks.LoadEventFile)
        gScenarioWorldHooks.LoadEventFile(name);
}

void CGameScenarioWorld::SetScenarioName(const char* name)
{
    CopyString(scenarioName, name != nullptr ? name : "");
}

CDate CGameScenarioWorld::GetCurrentDate() const
{
    return CRZGame::GetCurrentDate();
}

void CGameScenarioWorld::SetMapFocus(const CPoint& point)
{
    focus = point;
    if (gScenarioWorldHooks.SetMapFocus)
        gScenarioWorldHooks.SetMapFocus(point);
}

void CGameScenarioWorld::SetZoomLevel(int level)
{
    zoom = level;
    if (gScenarioWorldHooks.SetZoomLevel)
        gScenarioWorldHooks.SetZoomLevel(level);
}

void CGameScenarioWorld::SetTutorialRemoved(int count)
{
    tutorialRemoved = count;
}

void CGameScenarioWorld::AddToUnitGroup(int group, const CRZID& unit)
{
    if (group >= 0 && group < 10)
        unitGroups[group].Append(unit);
}

void CGameScenarioWorld::LinkTitlesClaimsAndCharacters()
{
    CTitle::SyncronizeTitlesClaimsAndCharacters();
}

void CGameScenarioWorld::LinkChildrenAndRelations()
{
    RequireNoAncestorCycle(characters);
    for (auto it = characters.GetHead(); !it.IsEnd(); it++) {
        CCharacter* child = *it;
        if (CCharacter* mother = CRef<CCharacter>(child->mother).Get(); mother != nullptr && mother != child)
            mother->InitAddChild(child);
        if (CCharacter* father = CRef<CCharacter>(child->father).Get(); father != nullptr && father != child)
            father->InitAddChild(child);
    }
    CRelations::GetInstance()->SyncronizeCharacters();
}

void CGameScenarioWorld::RefreshCountryMembers()
{
    for (int number = 0; number < static_cast<int>(kCountryTableSlots); ++number)
        if (CRZCountry* realm = CRZCountry::GetCountry(number))
            realm->members.RemoveAll();
    for (auto it = characters.GetHead(); !it.IsEnd(); it++)
        if (CRZCountry* realm = CRZCountry::GetCountry((*it)->realmId))
            realm->members.Append(*it);
    for (int number = 0; number < static_cast<int>(kCountryTableSlots); ++number)
        if (CRZCountry* realm = CRZCountry::GetCountry(number))
            realm->RefreshCourt();
}

void CGameScenarioWorld::RefreshAfterLoad()
{
    gGlobal.BuildLiveChars();
    RefreshCountryMembers();
}

void CGameScenarioWorld::DiscardLoad()
{
    pendingCharacter.reset();
    pendingDynasty.reset();
    // Titles, relations and realms name characters: they go first.
    CTitle::DestroyAll();
    CTitle::ConstructAll();
    CRelations* relations = CRelations::GetInstance();
    DeleteAll(*relations);
    CRZCountry::DeleteAll();
    for (int number = 0; number < kMapProvinceCount; ++number)
        if (CProvince* province = CProvince::GetProvince(number))
            province->Cleanup();
    std::vector<CCharacter*> read;
    for (auto it = characters.GetHead(); !it.IsEnd(); it++)
        read.push_back(*it);
    characters.RemoveAll();
    gGlobal.marriagePool.RemoveAll();
    for (CCharacter* character : read)
        delete character;
    gGlobal.BuildLiveChars();
    for (auto it = characters.dynasties.GetHead(); !it.IsEnd(); it++)
        delete *it;
    characters.dynasties.RemoveAll();
    for (CList<CRZID>& group : unitGroups)
        group.RemoveAll();
    savedCharacters.clear();
}

CLScript* CGameScenarioWorld::GetHeaderScript() const
{
    return gScenarioWorldHooks.GetHeaderScript ? gScenarioWorldHooks.GetHeaderScript() : new CLSList;
}

CLScript* CGameScenarioWorld::GetGlobalScript() const
{
    return gGlobal.GetScript();
}

bool CGameScenarioWorld::ShouldSaveProvince(int number) const
{
    return CProvince::GetProvince(number) != nullptr && CProvince::ShouldSave();
}

CLScript* CGameScenarioWorld::GetProvinceScript(int number) const
{
    const CProvince* province = CProvince::GetProvince(number);
    return province != nullptr ? province->GetScript() : nullptr;
}

CLScript* CGameScenarioWorld::GetRelationsScript() const
{
    return CRelations::GetInstance()->GetScript();
}

int CGameScenarioWorld::GetCharacterCount() const
{
    // The writer asks by index; a list walk per character would make a save quadratic.
    savedCharacters.clear();
    savedCharacters.reserve(static_cast<std::size_t>(characters.GetSize()));
    for (auto it = characters.GetHead(); !it.IsEnd(); it++)
        savedCharacters.push_back(*it);
    return static_cast<int>(savedCharacters.size());
}

CLScript* CGameScenarioWorld::GetCharacterScript(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= savedCharacters.size())
        return nullptr;
    return savedCharacters[static_cast<std::size_t>(index)]->GetScript();
}

bool CGameScenarioWorld::TitleNeedsSave(int number) const
{
    const CTitle* title = CTitle::GetTitle(number);
    return title != nullptr && title->NeedSave();
}

CLScript* CGameScenarioWorld::GetTitleScript(int number) const
{
    const CTitle* title = CTitle::GetTitle(number);
    return title != nullptr ? title->GetScript() : nullptr;
}

CRZCountry* CGameScenarioWorld::GetCountry(int number) const
{
    return CRZCountry::GetCountry(number);
}

CLScript* CGameScenarioWorld::GetCountryScript(CRZCountry* country) const
{
    return country != nullptr ? country->GetScript() : nullptr;
}

int CGameScenarioWorld::GetCombatCount(int province) const
{
    return gScenarioWorldHooks.GetCombatCount ? gScenarioWorldHooks.GetCombatCount(province) : 0;
}

CLScript* CGameScenarioWorld::GetCombatScript(int province, int index) const
{
    return gScenarioWorldHooks.GetCombatScript ? gScenarioWorldHooks.GetCombatScript(province, index)
                                               : nullptr;
}

bool CGameScenarioWorld::IsMultiPlayer() const
{
    return CRZGame::IsMultiPlayer();
}

bool CGameScenarioWorld::IsTutorial() const
{
    return CRZGame::IsTutorial();
}

CPoint CGameScenarioWorld::GetMousePosition() const
{
    return gScenarioWorldHooks.GetMousePosition ? gScenarioWorldHooks.GetMousePosition() : CPoint();
}

CPoint CGameScenarioWorld::GetMapFocus() const
{
    return gScenarioWorldHooks.GetMapFocus ? gScenarioWorldHooks.GetMapFocus() : focus;
}

int CGameScenarioWorld::GetZoomLevel() const
{
    return gScenarioWorldHooks.GetZoomLevel ? gScenarioWorldHooks.GetZoomLevel() : zoom;
}

const CList<CRZID>& CGameScenarioWorld::GetUnitGroup(int group) const
{
    static const CList<CRZID> none;
    return group >= 0 && group < 10 ? unitGroups[group] : none;
}
