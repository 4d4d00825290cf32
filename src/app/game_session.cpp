// The game session's life: the world built from a scenario or saved game, checked and repaired, saved so
// that no failure loses the previous save, and torn down again.
#include <cstdio>
#include <cstring>

#include "app/game.h"
#include "app/settings.h"
#include "armies/army_servers.h"
#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/crusade.h"
#include "characters/papacy.h"
#include "characters/title.h"
#include "datalang/game_file.h"
#include "datalang/scenario_world.h"
#include "events/event_posting.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "foundation/identity.h"
#include "foundation/logs.h"
#include "map/map_province.h"
#include "messages/message_handler.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/owner_area.h"
#include "realms/province.h"
#include "realms/realm_servers.h"
#include "realms/war.h"
#include "world/client.h"
#include "world/global.h"
#include "world/server.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kRebels = 1422;
constexpr int kNobody = 1401;
constexpr int kLastProvince = 1003;

// The papacy and the crusade take the broadcasts at the tail of the world's chain.
class CIdentityRoute : public CRZEventHandler {
public:
    explicit CIdentityRoute(CIdentity* (*inGet)())
        : get(inGet)
    {
    }
    CRZReturnType Update(CRZEvent* event) override
    {
        CIdentity* object = get();
        return object != nullptr ? object->Update(event) : 0;
    }

private:
    CIdentity* (*get)();
};
CIdentityRoute gPapacyRoute([]() -> CIdentity* { return CPapacy::GetInstance(); });
CIdentityRoute gCrusadeRoute([]() -> CIdentity* { return CCrusade::GetInstance(); });

template <class T> void Release(T*& object)
{
    delete object;
    object = nullptr;
}

// Music and the network between the long steps of a load; nothing of either runs headless.
void KeepAlive() { }

int CountryNumber(const CRZCountry* realm)
{
    return static_cast<int>(realm->CRZStaticObject::GetID().number);
}

} // namespace

CRZGame::CRZGame(const char* name, int gameSeed)
    : seed(gameSeed)
{
    SetFileName(name);
    Init();
}

CRZGame::~CRZGame()
{
    Cleanup();
}

void CRZGame::ClearGlobalGameVariables()
{
    CRZCountry::InitCountryArray();
    // A titled death of an earlier game in this program must not put off one on the same date in this
    // game, which a machine that started with this game would let happen at once.
    CCharacter::LastRulerDeath = CDate();
}

bool CRZGame::Init()
{
    loaded = false;
    loadError[0] = 0;
    findings.clear();
    waitingForStart = 1;
    CIdentity::TotalInit(NOID, 0);
    CTitle::ConstructAll();
    CPapacy::Init();
    CCrusade::Init();
    gEventRoutes.papacy = &gPapacyRoute;
    gEventRoutes.crusade = &gCrusadeRoute;
    KeepAlive();
    started = 0;
    gameEnd = 0;
    ClearGlobalGameVariables();
    // Registered, so that requests to the host's servers reach them through the routing.
    SetGameServer(new CRZServer);
    ReplaceClient();
    gGlobal.titleServer = new CTitleServer;
    gGlobal.characterServer = new CCharacterServer;
    gGlobal.investmentServer = new CRZInvestmentServer;
    gGlobal.diplomacyServer = new CRZDiplomacyServer;
    gGlobal.combatServer = new CRZCombatServer;
    gGlobal.unitServer = new CRZUnitServer;
    world = _pNewWorld != nullptr ? _pNewWorld(*gGlobal.characterServer) : nullptr;
    built = true;
    if (world == nullptr) {
        std::snprintf(loadError, sizeof loadError, "%s", "the game has no world to read game files into");
        Cleanup();
        return false;
    }
    KeepAlive();
    if (CGameMapProvince::Province == nullptr)
        CGameMapProvince::MakeProvinces();
    CGameMapProvince::InitProvinces();
    CCountryDB::SetNationality();
    KeepAlive();
    // The realms join the game's queue as the file builds them, and take its broadcasts from there.
    gpGameQ = new CRZRealmQueue;
    gEventRoutes.realms = gpGameQ;
    if (!Load(fileName)) {
        Cleanup();
        return false;
    }
    // Every machine keeps the same end date, so that host and clients save the same game; only the host
    // ends the game on it.
    gGlobal.endDate.year = static_cast<int16_t>(_nEndYear);
    if (IsHost())
        ScheduleLocalEvent(new CRZGenericEvent(_CRZEVT_GAME_END_, ALLID), gGlobal.endDate);
    // The rebels and the realm of nobody exist in every game, whatever the file held.
    if (CRZCountry::GetCountry(kRebels) == nullptr) {
        CRZCountry::ConstructCountry(kRebels);
        if (CRZCountry* rebels = CRZCountry::GetCountry(kRebels)) {
            CCharacter* leader = new CCharacter;
            leader->Create(kRebelLeaderID);
            leader->SetCountry(rebels);
            gGlobal.characterServer->Append(leader);
            if (CTitle* title = CTitle::GetTitle(kRebels))
                title->SetNewHolder(leader);
            rebels->AddRulerImmidiatly(leader);
        }
    }
    if (CRZCountry::GetCountry(kNobody) == nullptr)
        CRZCountry::ConstructCountry(kNobody);
    for (int number = 0; number <= kLastProvince; ++number) {
        CProvince* province = CProvince::GetProvince(number);
        CRZCountry* owner = province != nullptr ? province->GetOwner() : nullptr;
        if (owner != nullptr && province->GetControllerID() == 0)
            province->InitController(CountryNumber(owner));
    }
    CRZOwnerArea::InitAllOwnerAreas();
    gEventRoutes.game = &route;
    PostLocalEvent(new CRZGenericEvent(_CRZEVT_GAME_STARTED_, ALLID));
    _inGame = 1;
    // The officers of every court take their seats.
    for (auto it = gGlobal.characterServer->GetHead(); !it.IsEnd(); it++) {
        CCharacter* character = *it;
        CRZCountry* realm = character->GetCountry();
        if (realm != nullptr && character->courtPosition >= COURT_CHANCELLOR
            && character->courtPosition <= COURT_CHAPLAIN)
            realm->courtPositions[character->courtPosition - COURT_CHANCELLOR] = character;
    }
    loaded = true;
    return true;
}

bool CRZGame::Load(const char* name)
{
    KeepAlive();
    // Each game starts an empty message log.
    delete gpLogHistory;
    gpLogHistory = new CMessageHistoryList;
    if (!LoadGameFile(name, *world, loadError, sizeof loadError))
        return false;
    KeepAlive();
    CheckIfScenarioValid();
    gGlobal.PruneCharacters();
    return true;
}

int CRZGame::Cleanup()
{
    if (!built)
        return 1;
    if (gEventRoutes.game == &route)
        gEventRoutes.game = nullptr;
    gEventRoutes.papacy = nullptr;
    gEventRoutes.crusade = nullptr;
    CPapacy::Shutdown();
    CCrusade::Shutdown();
    if (gpTimer)
        gpTimer->SetRunning(false);
    _inGame = 0;
    CRZOwnerArea::CleanupAllOwnerAreas();
    gEventScheduler.Erase();
    // The provinces outlive the game: a battle still standing goes now, before the armies it holds, or it
    // would keep its identity registered into the next game and block that game's battle of the same number.
    for (CProvince* province : CProvince::_pProvince) {
        while (province != nullptr && !province->battles.IsEmpty())
            province->CombatEnded(*province->battles.GetHead());
    }
    // The world drops every title, relation, realm, character and dynasty it holds.
    if (world != nullptr)
        world->DiscardLoad();
    CTitle::DestroyAll();
    Release(world);
    if (gEventRoutes.realms == gpGameQ)
        gEventRoutes.realms = nullptr;
    Release(gpGameQ);
    Release(gGlobal.characterServer);
    Release(gGlobal.investmentServer);
    Release(gGlobal.titleServer);
    Release(gGlobal.diplomacyServer);
    Release(gGlobal.combatServer);
    Release(gGlobal.unitServer);
    Release(gpServer);
    DeleteAll(gGlobal.wars);
    gGlobal.CleanupDB();
    CIdentity::TotalCleanup();
    built = false;
    loaded = false;
    return 1;
}

bool CRZGame::ReLoad(const char* name)
{
    Cleanup();
    SetFileName(name);
    return Init();
}

int CRZGame::SaveAs(const char* name)
{
    SetFileName(name);
    saveError[0] = 0;
    if (world == nullptr) {
        std::snprintf(saveError, sizeof saveError, "Could not save %s: no game is loaded", fileName);
        return 0;
    }
    return SaveGameFile(fileName, *world, saveError, sizeof saveError) ? 1 : 0;
}

void CRZGame::RequestSave(const char* playerName)
{
    char path[256];
    MakeGameFilePath("scenarios\\save games", playerName, path, sizeof path);
    SetFileName(path);
    savePending = 1;
}

void CRZGame::RequestLoad(const char* name)
{
    SetFileName(name);
    loadPending = 1;
}

void CRZGame::PollSaveLoad()
{
    if (savePending || loadPending)
        gEventScheduler.ProcessAll();
    if (savePending) {
        if (gpTimer)
            gpTimer->SetRunning(false);
        if (SaveAs(fileName)) {
            // The options go beside the save only once the save itself is whole.
            if (gpSettings) {
                char options[sizeof fileName + 4];
                std::snprintf(options, sizeof options, "%s.cfg", fileName);
                gpSettings->SetOptions(options);
            }
        } else {
            // The player is told; the previous save is still there.
            history("%s\n", saveError);
            std::fprintf(stderr, "%s\n", saveError);
        }
        if (gpTimer)
            gpTimer->RestartTimer();
    }
    if (loadPending) {
        loadPending = 0;
        savePending = 0;
        char name[sizeof fileName];
        std::snprintf(name, sizeof name, "%s", fileName);
        ReLoad(name);
    }
    loadPending = 0;
    savePending = 0;
}

void CRZGame::CheckIfScenarioValid()
{
    findings.clear();
    char line[512];
    const auto report = [&](int written) {
        if (written > 0) {
            findings.emplace_back(line);
            mydebug("%s", line);
        }
    };
    for (int number = 1; number < static_cast<int>(kCountryTableSlots); ++number) {
        CRZCountry* country = CRZCountry::GetCountry(number);
        if (country == nullptr || !CRZCountry::IsRealCountry(number))
            continue;
        CCharacter* ruler = country->ruler;
        if (ruler == nullptr) {
            report(std::snprintf(line, sizeof line, "Country %s has no ruler.\n", country->GetTag()));
            continue;
        }
        const int id = static_cast<int>(ruler->GetID().number);
        if (ruler->GetCountry() == country) {
            if (!ruler->IsAlive())
                report(std::snprintf(line, sizeof line, "%s (id: %d) is ruler of %s but he/she is DEAD!.\n",
                    ruler->GetName(), id, country->GetTag()));
            continue;
        }
        if (ruler->GetLiegeRuler() == ruler) {
            report(std::snprintf(
                line, sizeof line, "%s (id: %d) has himself as his liege.\n", ruler->GetName(), id));
            ruler->SetLiegeRuler(nullptr);
        }
        if (ruler->GetCountry() == nullptr)
            report(std::snprintf(line, sizeof line,
                "%s (id: %d) is ruler of %s but coded as part of no court.\n", ruler->GetName(), id,
                country->GetTag()));
        else
            report(std::snprintf(line, sizeof line,
                "%s (id: %d) is ruler of %s but coded as part of %s court.\n", ruler->GetName(), id,
                country->GetTag(), ruler->GetCountry()->GetTag()));
    }
    if (gGlobal.characterServer != nullptr) {
        for (auto it = gGlobal.characterServer->GetHead(); !it.IsEnd(); it++) {
            CCharacter* character = *it;
            if (character->IsAnonymous())
                continue;
            const int id = static_cast<int>(character->GetID().number);
            if (character->GetCountry() == nullptr)
                report(std::snprintf(line, sizeof line, "Character id: %d (Name: %s) has no country.\n", id,
                    character->GetName()));
            if (character->culture == 0)
                report(std::snprintf(line, sizeof line, "Character id: %d (Name: %s) has no culture.\n", id,
                    character->GetName()));
            if (character->dynasty == NOID)
                report(std::snprintf(line, sizeof line,
                    "Character id: %d (Name: %s) has no dynasty assigned.\n", id, character->GetName()));
            const CList<CRef<CCharacter>>& spouses = character->GetSpouses();
            for (auto a = spouses.GetHead(); !a.IsEnd(); a++) {
                auto b = a;
                for (b++; !b.IsEnd(); b++) {
                    CCharacter* spouse = (*a).Get();
                    if (spouse != nullptr && spouse == (*b).Get())
                        report(std::snprintf(line, sizeof line,
                            "Character id: %d (Name: %s) and Character id: %d (Name: %s) are married "
                            "twice.\n",
                            id, character->GetName(), static_cast<int>(spouse->GetID().number),
                            spouse->GetName()));
                }
            }
        }
    }
    for (int number = 0; number <= kLastProvince; ++number) {
        CProvince* province = CProvince::GetProvince(number);
        if (province == nullptr)
            continue;
        CRZCountry* owner = province->GetOwner();
        if (owner != nullptr && province->GetControllerID() == 0)
            province->InitController(CountryNumber(owner));
        if (owner == nullptr && province->GetControllerID() != 0 && province->GetController() != nullptr)
            report(std::snprintf(line, sizeof line,
                "Province %d is specififed as controlled by %s but nobody is specified as owner\n", number,
                province->GetController()->GetTag()));
        if (number >= 1 && province->IsLand() && owner == nullptr)
            report(std::snprintf(
                line, sizeof line, "Province %d is a land province without an owner.\n", number));
    }
}

CRZReturnType CRZGame::Update(CRZEvent* event)
{
    switch (event->GetType()) {
    case _CRZEVT_GAME_END_:
        gameEnd = 1;
        break;
    case _CRZEVT_GAME_STARTED_:
        started = 1;
        break;
    case _CRZEVT_START_GAME_TIMER_:
        waitingForStart = 0;
        break;
    default:
        break;
    }
    return 0;
}
