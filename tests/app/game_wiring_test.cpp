// The game's wiring: start-up installs every route it is meant to, and a game refuses to start while
// any route is unset, naming it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/game_wiring.h"
#include "armies/combat.h"
#include "datalang/lexer.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "events/event_routing.h"
#include "events/game_clock.h"
#include "foundation/calendar_date.h"
#include "foundation/data_file.h"
#include "foundation/identity.h"
#include "foundation/rz_obj.h"
#include "gfx/show_dots.h"
#include "gfx/song.h"
#include "gfx/video.h"
#include "messages/message_handler.h"
#include "realms/country.h"
#include "realms/province.h"
#include "widgets/character_box.h"
#include "widgets/player_hooks.h"
#include "widgets/popup_dialog.h"
#include "world/client.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

class CQuietHandler : public CRZEventHandler {
public:
    CRZReturnType Update(CRZEvent*) override { return 0; }
};

class CQuietGame : public CRZGameHandler {
public:
    CRZReturnType Update(CRZEvent*) override { return 0; }
    bool InGame() const override { return true; }
    bool IsStarted() const override { return false; }
    bool IsTimerHeld() const override { return false; }
    void ReleaseTimer() override { }
};

class CQuietPlayer : public CRZPlayerHandler {
public:
    CRZReturnType Update(CRZEvent*) override { return 0; }
    bool IsModalOpen() const override { return false; }
    bool IsPause() const override { return false; }
};

class CQuietInterface : public CRZInterfaceHandler {
public:
    CRZReturnType Update(CRZEvent*) override { return 0; }
    CRZReturnType HandleInput(CRZInputEvent*) override { return 0; }
};

CQuietHandler gHandler;
CQuietGame gGame;
CQuietPlayer gPlayer;
CQuietInterface gInterface;
CRZStaticObject gServer;
CRZObjectList gRealms;
CIdentity gClient;
CDate gStartDate;

// What the objects of a running game and the subsystems still to come would set, so that every route
// is filled; each test then takes away the one it is about.
void FillEveryRoute()
{
    InstallGameWiring();
    gIdentityLookups.GetGameServer = [] { return &gServer; };
    gDateTickSource.pStartDate = &gStartDate;
    gDateTickSource.GetTicksPerDay = [] { return 1; };
    CFile::_pLoadingHook = [](int) {};
    CLexer::_pIsParseOption = [](const char*) { return 0; };
    CRZParser::_pTagToID = [](const char*) { return 0; };
    CLID::_pIDToTag = [](int) { return "REB"; };
    gClockHooks.GetGameSpeed = [] { return 3; };
    gEventRoutes.player = &gPlayer;
    gEventRoutes.frontEnd = &gHandler;
    gEventRoutes.game = &gGame;
    gEventRoutes.server = &gServer;
    gEventRoutes.session = &gHandler;
    gEventRoutes.map = &gHandler;
    gEventRoutes.global = &gHandler;
    gEventRoutes.gameInterface = &gInterface;
    gEventRoutes.realms = &gRealms;
    gEventRoutes.characters = &gHandler;
    gEventRoutes.oldEventServer = &gHandler;
    gEventRoutes.newEventServer = &gHandler;
    gEventRoutes.crusade = &gHandler;
    gEventRoutes.papacy = &gHandler;
    gEventRoutes.client = &gClient;
    gEventRoutes.displayList = &gHandler;
    gEventRoutes.OnGameStarted = [] {};
    gGameStateHooks.GetSessionPlayerCount = [] { return 1; };
    gGameStateHooks.IsFrontEndActive = [] { return false; };
    gGameStateHooks.IsTutorialScenario = [] { return false; };
    CRZGame::_pNewWorld = [](CCharacterServer&) { return static_cast<CScenarioWorld*>(nullptr); };
    gVideoHooks.InitCursors = [] {};
    gVideoHooks.GetCurrentCursor = [] { return 0; };
    gSongHooks.GetMusicVolume = [] { return 100; };
    gCharacterHooks.TriggerEvent = [](const CRZID&, CCharacter*) {};
    gCountryHooks.MakePlayer = [] { return static_cast<CRZCountry*>(nullptr); };
    gCountryHooks.MakeTutorial = [] { return static_cast<CRZCountry*>(nullptr); };
    gProvinceHooks.UpdateExiled = [](CProvince&) {};
    gProvinceHooks.OwnerChanged = [](CProvince&) {};
    gProvinceHooks.RaiseRebels = [](CProvince&, const CMilitaryComposition&) {};
    gProvinceHooks.IsSavedGame = [] { return false; };
    gProvinceHooks.CreateCombat = [](CProvince&, int, const DynamicID&, const CDate&) { return false; };
    gProvinceHooks.DeleteCombat = [](const DynamicID&) {};
    gCombatHooks.NotifyBattleResult = [](CRZCountryID, CRZCombat&, RZBattleResultType, bool) {};
    gCombatHooks.CheckForRetreat = [](CRZUnit&) { return 0; };
    gGlobalHooks.NewUnitSprite = [] { return static_cast<CUnitSprite*>(nullptr); };
    gGlobalHooks.DeleteUnitSprite = [](CUnitSprite*) {};
    gGlobalHooks.NewScenarioInformation = [] { return static_cast<CRZScenarioInformation*>(nullptr); };
    gGlobalHooks.DeleteScenarioInformation = [](CRZScenarioInformation*) {};
    gClientHooks.HandlePing = [](int) {};
    gClientHooks.ClearPlayerReady = [](int) {};
    gClientHooks.GetLocalCountry = [] { return CRZCountryID(0); };
    gWidgetPlayerHooks.GetLocalPlayer = [] { return 0; };
    gWidgetPlayerHooks.EnablePauseButton = [] {};
    gWidgetPlayerHooks.IsHolding = [] { return false; };
    gWidgetPlayerHooks.SetHolding = [](bool) {};
    gShowDotsHooks.GetOccupationRealm = [](CRZPlayer*) { return 0; };
    gShowDotsHooks.GetArmyLocations = [](CRZPlayer*, CList<int>&) {};
    gShowDotsHooks.WorldToMinimap = [](int x, int y) { return CPoint(x, y); };
    gCharacterBoxHooks.MakePortrait = [](CCharacter*) { return static_cast<CRZBtn*>(nullptr); };
    gCharacterBoxHooks.ShowCharacter = [](CCharacter*) {};
    gPopupHooks.DeclareWar = [](CRZCountry*, CRZCountryID, bool, bool) {};
    gPopupHooks.AcceptTrade = [](CRZCountry*, CRZDiplomaticEvent*) {};
    gPopupHooks.DeclineTrade = [](CRZCountry*, CRZDiplomaticEvent*) {};
    gPopupHooks.ShowMessageSettings = [](int, CPoint) {};
    gPopupHooks.InsertTitle = [](const std::string& text) { return text; };
    gMessageHooks.AddHistory = [](const char*) {};
    gMessageHooks.OpenBox
        = [](MessageType, CRZCountryID, const char*, const char*, const char*, int, int32_t) {};
}

void ClearEveryRoute()
{
    for (const CGameRoute& route : GetGameRoutes())
        route.Clear();
}

class GameWiring : public testing::Test {
protected:
    void SetUp() override { ClearEveryRoute(); }
    void TearDown() override { ClearEveryRoute(); }
};

// The start-up wiring sets exactly its own rows: an awaited route that someone installs without
// moving its row, or a wiring row left uninstalled, both show here.
TEST_F(GameWiring, StartUpSetsEveryWiredRouteAndLeavesTheOthersToTheGame)
{
    InstallGameWiring();
    for (const CGameRoute& route : GetGameRoutes()) {
        if (route.source == CRouteSource::kWiring)
            EXPECT_TRUE(route.IsSet()) << route.name << " is not installed at start";
        else
            EXPECT_FALSE(route.IsSet()) << route.name << " is set before a game exists";
    }
}

TEST_F(GameWiring, TheTableNamesEveryRouteOnceAndClearsWhatItNames)
{
    FillEveryRoute();
    EXPECT_TRUE(FindMissingGameRoutes().empty());
    EXPECT_TRUE(CheckGameRoutes());
    std::set<std::string> names;
    for (const CGameRoute& route : GetGameRoutes()) {
        EXPECT_TRUE(names.insert(route.name).second) << route.name;
        route.Clear();
        EXPECT_FALSE(route.IsSet()) << route.name;
    }
}

TEST_F(GameWiring, AGameWithOneRouteUnsetStopsNamingIt)
{
    for (const CGameRoute& route : GetGameRoutes()) {
        FillEveryRoute();
        route.Clear();
        ASSERT_EQ(FindMissingGameRoutes(), std::vector<std::string> { route.name });
        EXPECT_DEATH(CheckGameRoutes(), "the game cannot start: " + std::string(route.name) + " is not set")
            << route.name;
    }
}

// Start-up checks only the rows it installs itself: the routes of a game to come are no reason to stop
// it, but a wiring row it failed to install is, by name.
TEST_F(GameWiring, StartUpChecksItsOwnRowsOnly)
{
    InstallGameWiring();
    EXPECT_TRUE(FindMissingGameRoutes(CRouteSource::kWiring).empty());
    EXPECT_TRUE(CheckGameRoutes(CRouteSource::kWiring));
    EXPECT_FALSE(FindMissingGameRoutes().empty());
    for (const CGameRoute& route : GetGameRoutes()) {
        if (route.source != CRouteSource::kWiring)
            continue;
        InstallGameWiring();
        route.Clear();
        ASSERT_EQ(FindMissingGameRoutes(CRouteSource::kWiring), std::vector<std::string> { route.name });
        EXPECT_DEATH(CheckGameRoutes(CRouteSource::kWiring),
            "the game cannot start: " + std::string(route.name) + " is not set")
            << route.name;
    }
}

} // namespace
