// The one place where the game installs the hooks of its lower layers, and the table of every route
// with the check that a game makes before it starts.
//
// To add a route: give its hook a row in kRoutes under its layer (the layers run upward), and if the
// game sets it at start, install it in the matching block of InstallGameWiring. The wiring test then
// holds it to that.
#include "app/game_wiring.h"

#include <cstdio>
#include <cstdlib>

#include "ai/ai_country.h"
#include "ai/ai_router.h"
#include "app/game.h"
#include "app/settings.h"
#include "app/winmain.h"
#include "armies/army_allegiance.h"
#include "armies/army_sieges.h"
#include "armies/combat.h"
#include "armies/realm_divisions.h"
#include "characters/character.h"
#include "characters/coat_of_arms.h"
#include "characters/portrait.h"
#include "datalang/attribute_tuple.h"
#include "datalang/lexer.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "events/event_routing.h"
#include "events/game_clock.h"
#include "foundation/calendar_date.h"
#include "foundation/data_file.h"
#include "foundation/identity.h"
#include "foundation/logs.h"
#include "frontend/new_front_end.h"
#include "gfx/show_dots.h"
#include "gfx/song.h"
#include "gfx/video.h"
#include "map/game_map.h"
#include "messages/message_handler.h"
#include "player/player.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/province.h"
#include "realms/province_improvement.h"
#include "realms/realm_character_hooks.h"
#include "realms/realm_servers.h"
#include "realms/request.h"
#include "realms/war.h"
#include "scripted/new_event_server.h"
#include "text/new_text.h"
#include "widgets/button.h"
#include "widgets/character_box.h"
#include "widgets/goto_box.h"
#include "widgets/interface.h"
#include "widgets/player_hooks.h"
#include "widgets/popup_dialog.h"
#include "widgets/status_bar.h"
#include "widgets/widget_hooks.h"
#include "world/character_estate.h"
#include "world/character_life_hooks.h"
#include "world/cheats.h"
#include "world/client.h"
#include "world/game_scenario_world.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRouteSource kWiring = CRouteSource::kWiring;
constexpr CRouteSource kGame = CRouteSource::kGame;
constexpr CRouteSource kAwaited = CRouteSource::kAwaited;

#define VM_ROUTE(expression, source)                                                                         \
    CGameRoute                                                                                               \
    {                                                                                                        \
#expression, [] { return (expression) != nullptr; }, [] { (expression) = nullptr; }, source          \
    }

const CGameRoute kRoutes[] = {
    // Foundation.
    VM_ROUTE(CAttributeTuple::_pGetText, kWiring), VM_ROUTE(gHistoryDateSource.IsGameStarted, kWiring),
    VM_ROUTE(gHistoryDateSource.GetCurrentDate, kWiring), VM_ROUTE(gIdentityLookups.GetCountry, kWiring),
    VM_ROUTE(gIdentityLookups.GetProvince, kWiring),
    VM_ROUTE(gIdentityLookups.GetGameServer, kGame), // SetGameServer
    VM_ROUTE(gDateTickSource.pStartDate, kGame), // the global game state
    VM_ROUTE(gDateTickSource.GetTicksPerDay, kGame), // the game clock
    VM_ROUTE(CFile::_pLoadingHook, kAwaited), // the loading screen's progress bar
    // Data language.
    VM_ROUTE(CLexer::_pIsParseOption, kWiring), VM_ROUTE(CRZParser::_pTagToID, kWiring),
    VM_ROUTE(CLID::_pIDToTag, kWiring),
    // Events.
    VM_ROUTE(gClockHooks.GetGameSpeed, kWiring), VM_ROUTE(gEventRoutes.player, kAwaited),
    VM_ROUTE(gEventRoutes.frontEnd, kAwaited), VM_ROUTE(gEventRoutes.game, kGame), // the game session
    VM_ROUTE(gEventRoutes.server, kGame), // SetGameServer
    VM_ROUTE(gEventRoutes.session, kAwaited), VM_ROUTE(gEventRoutes.map, kWiring),
    VM_ROUTE(gEventRoutes.global, kWiring), VM_ROUTE(gEventRoutes.gameInterface, kAwaited),
    VM_ROUTE(gEventRoutes.realms, kGame), // the game session's queue of realms
    VM_ROUTE(gEventRoutes.characters, kWiring), VM_ROUTE(gEventRoutes.oldEventServer, kAwaited),
    VM_ROUTE(gEventRoutes.newEventServer, kAwaited),
    VM_ROUTE(gEventRoutes.crusade, kGame), // the game session
    VM_ROUTE(gEventRoutes.papacy, kGame), // the game session
    VM_ROUTE(gEventRoutes.client, kGame), // ReplaceClient
    VM_ROUTE(gEventRoutes.displayList, kGame), // start-up, with gpDisplayList
    VM_ROUTE(gEventRoutes.OnGameStarted, kAwaited), // the computer opponents
    // Game state.
    VM_ROUTE(gSettingsHooks.UpdateSettings, kWiring), VM_ROUTE(gSettingsHooks.InitMessages, kWiring),
    VM_ROUTE(gGameStateHooks.GetSessionPlayerCount, kAwaited), // the multiplayer session
    VM_ROUTE(gGameStateHooks.IsFrontEndActive, kWiring),
    VM_ROUTE(gGameStateHooks.IsTutorialScenario, kAwaited), // the scenario information
    VM_ROUTE(CRZGame::_pNewWorld, kWiring), // the world that game files are read into
    // Characters and titles.
    VM_ROUTE(gCharacterHooks.countries, kWiring), VM_ROUTE(gCharacterHooks.GetCountryIndex, kWiring),
    VM_ROUTE(gCharacterHooks.GetRuler, kWiring), VM_ROUTE(gCharacterHooks.GetRealm, kWiring),
    VM_ROUTE(gCharacterHooks.GetFormOfGoverment, kWiring),
    VM_ROUTE(gCharacterHooks.GetProvinceCount, kWiring), VM_ROUTE(gCharacterHooks.AddCharacter, kWiring),
    VM_ROUTE(gCharacterHooks.RemoveCharacter, kWiring), VM_ROUTE(gCharacterHooks.GetOffice, kWiring),
    VM_ROUTE(gCharacterHooks.GetParticularName, kWiring), VM_ROUTE(gCharacterHooks.HandOverCounty, kWiring),
    VM_ROUTE(gCharacterHooks.RefreshVassals, kWiring), VM_ROUTE(gCharacterHooks.GetProvinceWarValue, kWiring),
    VM_ROUTE(gCharacterHooks.GetCourt, kWiring), VM_ROUTE(gCharacterHooks.ChangeRelation, kWiring),
    VM_ROUTE(gCharacterHooks.IsHost, kWiring),
    VM_ROUTE(gCharacterHooks.TriggerEvent, kAwaited), // the scripted events
    VM_ROUTE(gCharacterHooks.ShowMessage, kWiring), VM_ROUTE(gRequestHooks.ShowMessage, kWiring),
    VM_ROUTE(gRequestHooks.FormatDate, kWiring), VM_ROUTE(gMessageHooks.GetPlayerVictoryPoints, kWiring),
    VM_ROUTE(gMessageHooks.FormatDate, kWiring),
    VM_ROUTE(gMessageHooks.AddHistory, kAwaited), // the end-of-year report
    VM_ROUTE(gMessageHooks.OpenBox, kAwaited), // the message boxes
    // Graphics.
    VM_ROUTE(gVideoHooks.InitCursors, kWiring), // the interface's cursors
    VM_ROUTE(gVideoHooks.GetCurrentCursor, kWiring), // the interface's cursors
    VM_ROUTE(gSongHooks.GetMusicVolume, kWiring),
    VM_ROUTE(gShowDotsHooks.GetOccupationRealm, kAwaited), // the local player
    VM_ROUTE(gShowDotsHooks.GetProvinceControl, kWiring),
    VM_ROUTE(gShowDotsHooks.GetArmyLocations, kAwaited), // the local player
    VM_ROUTE(gShowDotsHooks.GetCenterPoint, kWiring),
    VM_ROUTE(gShowDotsHooks.WorldToMinimap, kAwaited), // the minimap
    // Widgets.
    VM_ROUTE(gStatusBarHooks.GetCountryColor, kWiring), VM_ROUTE(gGotoBoxHooks.GetProvinceName, kWiring),
    VM_ROUTE(gGotoBoxHooks.GetCountryName, kWiring), VM_ROUTE(gGotoBoxHooks.GetCapitalProvince, kWiring),
    VM_ROUTE(gGotoBoxHooks.GetCenterPoint, kWiring), VM_ROUTE(gGotoBoxHooks.InvalidateMap, kWiring),
    VM_ROUTE(gCharacterBoxHooks.MakePortrait, kWiring), VM_ROUTE(gWidgetHooks.MakeCoatOfArms, kWiring),
    VM_ROUTE(gCharacterBoxHooks.ShowCharacter, kAwaited), // the character window
    VM_ROUTE(gPopupHooks.GetWar, kWiring), VM_ROUTE(gPopupHooks.DeclareWar, kAwaited), // the realms' wars
    VM_ROUTE(gPopupHooks.AcceptTrade, kAwaited), // the diplomatic requests
    VM_ROUTE(gPopupHooks.DeclineTrade, kAwaited), // the diplomatic requests
    VM_ROUTE(gPopupHooks.ShowMessageSettings, kAwaited), // the message settings
    VM_ROUTE(gPopupHooks.InsertTitle, kWiring),
    VM_ROUTE(gWidgetPlayerHooks.GetLocalPlayer, kAwaited), // the multiplayer session
    VM_ROUTE(gWidgetPlayerHooks.EnablePauseButton, kAwaited), // the local player
    VM_ROUTE(gWidgetPlayerHooks.IsHolding, kAwaited), // the local player
    VM_ROUTE(gWidgetPlayerHooks.SetHolding, kAwaited), // the local player
    // Realms.
    VM_ROUTE(gCountryHooks.IsHost, kWiring), VM_ROUTE(gCountryHooks.IsTutorial, kWiring),
    VM_ROUTE(gCountryHooks.MakeAI, kWiring), VM_ROUTE(gCountryHooks.MakePlayer, kWiring),
    VM_ROUTE(gCountryHooks.MakeTutorial, kAwaited), // the tutorial
    VM_ROUTE(gCountryHooks.UpdateArmy, kWiring), VM_ROUTE(gCountryHooks.GetDivisionID, kWiring),
    VM_ROUTE(gCountryHooks.GetArmyID, kWiring), VM_ROUTE(gCountryHooks.GetArmyState, kWiring),
    VM_ROUTE(gCountryHooks.KillDivision, kWiring), VM_ROUTE(gCountryHooks.AddDivision, kWiring),
    VM_ROUTE(gCountryHooks.DestroyArmy, kWiring), VM_ROUTE(gCountryHooks.NewArmy, kWiring),
    VM_ROUTE(gCountryHooks.RetireArmy, kWiring), VM_ROUTE(gCountryHooks.MarkArmyFading, kWiring),
    VM_ROUTE(gCountryHooks.CreateDivision, kWiring), VM_ROUTE(gCountryHooks.RemoveDivision, kWiring),
    VM_ROUTE(gCountryHooks.TransferDivision, kWiring), VM_ROUTE(gCountryHooks.NotifyAI, kWiring),
    VM_ROUTE(gCountryHooks.NotifyArmyDeleted, kWiring), VM_ROUTE(gCountryHooks.ShowMessage, kWiring),
    VM_ROUTE(gWarHooks.ShowMessage, kWiring), VM_ROUTE(gWarHooks.RefreshWars, kWiring),
    VM_ROUTE(gWarHooks.GetResultDesc, kWiring), VM_ROUTE(gWarHooks.MoveArmies, kWiring),
    VM_ROUTE(gWarHooks.SwitchAllegiance, kWiring), VM_ROUTE(gWarHooks.SettleArmies, kWiring),
    VM_ROUTE(gWarHooks.WithdrawArmy, kWiring), VM_ROUTE(gArmyAIHooks.AssignArmy, kWiring),
    VM_ROUTE(gArmyAIHooks.DetachArmy, kWiring), VM_ROUTE(gCountryHooks.IsGameStarted, kWiring),
    VM_ROUTE(gCountryHooks.TriggerScriptedEvent, kWiring), VM_ROUTE(gProvinceHooks.DescribeArmy, kWiring),
    VM_ROUTE(gProvinceHooks.DescribeCommand, kWiring),
    VM_ROUTE(gCountryHooks.RemoveRequestsFrom, kWiring), // the computer opponents' hooks
    VM_ROUTE(gProvinceHooks.UpdateExiled, kAwaited), // the armies' exile
    VM_ROUTE(gProvinceHooks.OwnerChanged, kAwaited), // the computer opponents
    VM_ROUTE(gProvinceHooks.RaiseRebels, kWiring), VM_ROUTE(gProvinceHooks.CreateCombat, kWiring),
    VM_ROUTE(gProvinceHooks.DeleteCombat, kWiring), VM_ROUTE(gCombatHooks.NotifyBattleResult, kWiring),
    VM_ROUTE(gCombatHooks.CheckForRetreat, kAwaited), // the computer opponents' generals
    VM_ROUTE(gProvinceHooks.IsSavedGame, kAwaited), // the scenario information
    VM_ROUTE(gImprovementButtonHooks.MakeButton, kWiring),
    VM_ROUTE(gImprovementButtonHooks.IsPressed, kWiring),
    VM_ROUTE(gImprovementButtonHooks.SetEnabled, kWiring),
    // World.
    VM_ROUTE(gGlobalHooks.NewUnitSprite, kAwaited), VM_ROUTE(gGlobalHooks.DeleteUnitSprite, kAwaited),
    VM_ROUTE(gGlobalHooks.NewScenarioInformation, kAwaited),
    VM_ROUTE(gGlobalHooks.DeleteScenarioInformation, kAwaited),
    VM_ROUTE(gClientHooks.HandlePing, kAwaited), // the multiplayer session
    VM_ROUTE(gClientHooks.ClearPlayerReady, kAwaited), // the multiplayer session
    VM_ROUTE(gClientHooks.GetLocalCountry, kAwaited), // the local player
};

#undef VM_ROUTE

// The global game state's share of the broadcast: its day, month and start-of-game updates.
class CGlobalRoute : public CRZEventHandler {
public:
    CRZReturnType Update(CRZEvent* event) override { return gGlobal.Update(event); }
};
CGlobalRoute gGlobalRoute;

// The map's share of the broadcast: every province takes the days, months and start of the game.
class CMapRoute : public CRZEventHandler {
public:
    CRZReturnType Update(CRZEvent* event) override { return CGameMap::Update(event); }
};
CMapRoute gMapRoute;

// Requests tell the sender's realm their outcome: only the local player's realm hears it.
void ShowLocalMessage(int type, CRZCountryID realm, const char* const* texts, int count)
{
    if (realm >= 0 && realm < static_cast<CRZCountryID>(kCountryTableSlots)
        && gCountryControl[realm] == CONTROL_LOCAL_PLAYER && count > 0)
        gMessageHandler.ShowMessage(
            static_cast<MessageType>(type), realm, std::span(texts, static_cast<std::size_t>(count)), -1);
}

// History dates its entries only while a game runs, with the clock's date.
bool HistoryGameStarted()
{
    return gEventRoutes.game != nullptr && gEventRoutes.game->IsStarted() && gpTimer != nullptr;
}

CDate HistoryCurrentDate()
{
    return gpTimer != nullptr ? gpTimer->GetDate() : CDate();
}

} // namespace

std::span<const CGameRoute> GetGameRoutes()
{
    return kRoutes;
}

void InstallGameWiring()
{
    // Foundation.
    CAttributeTuple::_pGetText = [](const char* key) { return TextStrings.GetString(key); };
    gHistoryDateSource.IsGameStarted = &HistoryGameStarted;
    gHistoryDateSource.GetCurrentDate = &HistoryCurrentDate;
    gIdentityLookups.GetCountry
        = [](uint32_t index) -> CRZStaticObject* { return CRZCountry::GetCountry(static_cast<int>(index)); };
    gIdentityLookups.GetProvince
        = [](uint32_t index) -> CIdentity* { return CProvince::GetProvince(static_cast<int>(index)); };
    // Data language: the tokenizer's conditional sections ask the scenario's options.
    CLexer::_pIsParseOption
        = [](const char* name) { return gpSettings ? gpSettings->IsParseOption(name) : 0; };
    // Game files name realms by the tags of the country-tag table.
    CRZParser::_pTagToID = [](const char* tag) { return static_cast<int>(CCountryDB::TagToID(tag)); };
    CLID::_pIDToTag = [](int index) { return CCountryDB::IDToTag(index); };
    // Events: the clock's pace is the settings' game speed. The routing delivers, the host's timers and
    // tick count drive the clock (their null values); the multiplayer session installs itself with
    // SetEventSession when one is opened, and the options menu its route while it is open, so neither is
    // a route a game needs to start.
    gClockHooks.GetGameSpeed = [] { return gpSettings ? gpSettings->Record().gameSpeed : 2; };
    gEventRoutes.global = &gGlobalRoute;
    gEventRoutes.map = &gMapRoute;
    // Game state: the front end says whether it is open; the settings record keeps the message
    // handler's display settings.
    gGameStateHooks.IsFrontEndActive = [] { return gFrontEnd.IsActive(); };
    gInterfaceReceivers.IsFrontEndActive = [] { return gFrontEnd.IsActive(); };
    gSettingsHooks.UpdateSettings = [] { gMessageHandler.UpdateSettings(); };
    gSettingsHooks.InitMessages = [] { gMessageHandler.InitMessages(); };
    // Characters and titles: the realms answer what a character asks of his realm.
    InstallRealmCharacterHooks();
    InstallCharacterEstateHooks();
    // Realms: a peace made rebuilds the world's at-war flags from its wars.
    gWarHooks.RefreshWars = [] { gGlobal.RefreshWars(); };
    // Realms: battles tell their results, armies change sides, the computer realms' kings keep them, and a
    // revolt raises the rebels' army.
    gWarHooks.GetResultDesc = [](const DynamicID& id) -> const char* {
        CRZCombat* battle = CRZCombat::GetCombat(id);
        return battle != nullptr ? battle->GetResultDesc() : nullptr;
    };
    InstallArmyAllegianceHooks();
    gProvinceHooks.RaiseRebels = &RaiseRebelArmy;
    InstallComputerOpponentHooks();
    // Realms: the computer plays its realms; a request's outcome is told to the local player only.
    gCountryHooks.MakeAI = []() -> CRZCountry* { return new CRZAI; };
    gCountryHooks.MakePlayer = []() -> CRZCountry* { return new CRZPlayer; };
    gRequestHooks.FormatDate = &ConvertToLocaleDate;
    gRequestHooks.ShowMessage = &ShowLocalMessage;
    InstallMessageWiring();
    InstallCharacterLifeHooks();
    // Graphics: the music plays at the settings' volume; a restored display takes the interface's cursors.
    gSongHooks.GetMusicVolume = [] { return gpSettings ? gpSettings->Record().musicVolume : 100; };
    gVideoHooks.InitCursors = [] {
        if (gpInterface)
            gpInterface->InitCursors();
    };
    gVideoHooks.GetCurrentCursor = [] { return gpInterface ? gpInterface->GetCursor() : 0; };
    // The minimap dots read the provinces' control and where the map puts them.
    gShowDotsHooks.GetProvinceControl = [](int number, int* owner, int* controller, bool* occupied) {
        const CProvince* province = CProvince::GetProvince(number);
        if (!province)
            return false;
        const CRZCountry* holder = province->GetOwner();
        *owner = holder ? holder->index : 0;
        *controller = province->GetControllerID();
        *occupied = province->occupation != 0.0f;
        return true;
    };
    gShowDotsHooks.GetCenterPoint = &CGameMap::GetCenterPoint;
    // Widgets: the status bars show the realms' colours; the goto box finds provinces and realms by name
    // and centres the map on a province.
    gStatusBarHooks.GetCountryColor = [](int country) {
        const CCountryColor c = CRZCountry::GetCountryColor(country);
        return static_cast<uint32_t>(c.red) << 24 | static_cast<uint32_t>(c.green) << 16
            | static_cast<uint32_t>(c.blue) << 8;
    };
    // Characters are shown by their portraits; a realm's arms are drawn for its ruler's culture and faith,
    // or for its people's when it has no ruler or no realm stands at the number.
    gCharacterBoxHooks.MakePortrait
        = [](CCharacter* character) -> CRZBtn* { return new CPortrait(character); };
    gWidgetHooks.MakeCoatOfArms = [](CRZCountryID country) -> CRZBtn* {
        const CRZCountry* realm = CRZCountry::GetCountry(country);
        if (realm != nullptr && realm->ruler != nullptr)
            return new CCoatOfArms(country, static_cast<RZCultureType>(realm->ruler->culture),
                static_cast<RZReligionType>(realm->ruler->religion));
        const int people = country >= 0 && country < static_cast<CRZCountryID>(kCountryTableSlots)
            ? DBCountries[country].nationality
            : 0;
        return new CCoatOfArms(
            country, static_cast<RZCultureType>(people), CRZCulture::GetDefaultReligion(people));
    };
    gGotoBoxHooks.GetProvinceName = [](int number) -> const char* {
        const CProvince* province = CProvince::GetProvince(number);
        return province ? province->GetName() : nullptr;
    };
    gGotoBoxHooks.GetCountryName = [](int slot) -> const char* {
        const CRZCountry* realm = CRZCountry::GetCountry(slot);
        return realm ? realm->GetName() : nullptr;
    };
    gGotoBoxHooks.GetCapitalProvince = [](int slot) -> int {
        const CRZCountry* realm = CRZCountry::GetCountry(slot);
        return realm ? realm->capital : 0;
    };
    gGotoBoxHooks.GetCenterPoint = &CGameMap::GetCenterPoint;
    gGotoBoxHooks.InvalidateMap = &CGameMap::InvalidateMap;
    // The answer windows find the war two realms fight among the world's wars, by their rulers.
    gPopupHooks.GetWar = [](CRZCountryID realm, CRZCountryID other) -> const CWar* {
        const CRZCountry* a = CRZCountry::GetCountry(realm);
        const CRZCountry* b = CRZCountry::GetCountry(other);
        if (!a || !b || !a->ruler || !b->ruler)
            return nullptr;
        const CWar* found = nullptr;
        gGlobal.wars.ForEach([&](CWar* war) {
            const CCharacter* attacker = war->GetAttacker();
            const CCharacter* defender = war->GetDefender();
            if (!found
                && ((attacker == a->ruler && defender == b->ruler)
                    || (attacker == b->ruler && defender == a->ruler)))
                found = war;
        });
        return found;
    };
    // Realms: the game's host and tutorial tests, and the armies' side of the realms' division operations.
    gCountryHooks.IsHost = &CRZGame::IsHost;
    gCountryHooks.IsTutorial = &CRZGame::IsTutorial;
    gCountryHooks.GetCourtierCounters = [] { return &gGlobal.courtierCounters; };
    gCountryHooks.InvalidateMap = &CGameMap::InvalidateMap;
    gCountryHooks.ClearNoFogCheat = [] { CRZCheats::_isNoFOW = 0; };
    gCountryHooks.IsGameStarted = [] { return gpGame != nullptr && gpGame->IsStarted(); };
    gCountryHooks.TriggerScriptedEvent = [](int number, CCharacter* character) {
        CNewEventServer* server = CNewEventServer::GetInstance();
        CNewGameEvent* scripted
            = number >= 0 ? CNewEventServer::Find(static_cast<uint32_t>(number)) : nullptr;
        if (server == nullptr || scripted == nullptr)
            return;
        CGameEventExpression scope(CGameEventExpression(), character);
        server->TriggerEvent(scripted, scope);
    };
    InstallRealmDivisionHooks();
    gCountryHooks.ChangeTagOfRequests = [](CRZCountryID from, CRZCountryID to) {
        if (gGlobal.diplomacyServer != nullptr)
            gGlobal.diplomacyServer->ChangeTag(from, to);
    };
    // The computer opponents follow the armies raised and lost.
    gCountryHooks.NotifyAI = &CAIRouter::Notify;
    gCountryHooks.NotifyArmyDeleted = [](CRZUnit* army) { CAIRouter::NotifyArmyDeleted(*army); };
    InstallArmySiegeHooks();
    // Battles live in their provinces; the computer opponents hear how each ended.
    InstallCombatHooks();
    gCombatHooks.NotifyBattleResult = [](CRZCountryID realm, CRZCombat&, RZBattleResultType result, bool) {
        CAIRouter::Notify(AINOTIFY_BATTLE_RESULT, realm, result);
    };
    // The improvements' offering buttons are the interface's.
    InstallImprovementButtonHooks();
    // World: game files are read into the game's own world, which owns nothing but what it reads.
    CRZGame::_pNewWorld
        = [](CCharacterServer& characters) -> CScenarioWorld* { return new CGameScenarioWorld(characters); };
}

std::vector<std::string> FindMissingGameRoutes(CRouteSource upTo)
{
    std::vector<std::string> missing;
    for (const CGameRoute& route : kRoutes)
        if (route.source <= upTo && !route.IsSet())
            missing.emplace_back(route.name);
    return missing;
}

bool CheckGameRoutes(CRouteSource upTo)
{
    const std::vector<std::string> missing = FindMissingGameRoutes(upTo);
    for (const std::string& name : missing)
        std::fprintf(stderr, "Vellmark: the game cannot start: %s is not set.\n", name.c_str());
#ifndef NDEBUG
    if (!missing.empty())
        std::abort();
#endif
    return missing.empty();
}
