// The global game state: its lifetime, its "globaldata" block and its reactions to events; the daily and
// monthly world update is in world_update.cpp.
#include "world/global.h"

#include <cstdio>

#include "characters/crusade.h"
#include "characters/papacy.h"
#include "datalang/block_keywords.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "events/game_clock.h"
#include "events/records_realm.h"
#include "foundation/logs.h"
#include "realms/war.h"
#include "world/cheats.h"

#include "foundation/safeguards.h"

CRZGlobalHooks gGlobalHooks;
CRZGlobal gGlobal;

namespace {

constexpr CRZTokenType KW_WAR = static_cast<CRZTokenType>(170);
constexpr CRZTokenType KW_STARTDATE = static_cast<CRZTokenType>(203);
constexpr CRZTokenType KW_ENDDATE = static_cast<CRZTokenType>(204);
constexpr CRZTokenType KW_DESC = static_cast<CRZTokenType>(299);
constexpr CRZTokenType KW_FLAGS = static_cast<CRZTokenType>(390);
constexpr CRZTokenType KW_PAPACY = static_cast<CRZTokenType>(1146);
constexpr CRZTokenType KW_CRUSADE = static_cast<CRZTokenType>(1148);

void SaveTrace(const char* line)
{
    if (isSuperDebug)
        superdebug("%s", line);
}

void RequireBlock(CRZParser& parser)
{
    if (parser.value.type != TT_OPEN_BRACE)
        parser.ParseError("No Left Curly");
}

// The papacy and the crusade read their own blocks; a save that has one while the game has none cannot
// be read on.
template <class Singleton> void ParseSingleton(CRZParser& parser, const char* missing)
{
    RequireBlock(parser);
    Singleton* object = Singleton::GetInstance();
    if (object == nullptr)
        parser.ParseError(missing);
    object->ParseFields(parser);
}

// The flag events carry a name field that a received copy may leave unterminated.
void ApplyFlagEvent(CFlags& flags, CRZEvent* event, bool increase)
{
    auto* flagEvent = dynamic_cast<CRZFlagEvent*>(event);
    if (flagEvent == nullptr)
        return;
    const CRZFlagEventData& record = flagEvent->Record();
    char name[sizeof record.name + 1];
    std::snprintf(name, sizeof name, "%.*s", static_cast<int>(sizeof record.name), record.name);
    if (increase)
        flags.IncFlag(name, record.number);
    else
        flags.SetFlag(name, record.number);
}

} // namespace

CRZGlobal::CRZGlobal()
    : liveChars()
    , creditedFor(kCountryTableSlots, -1)
{
    liveChars.reserve(kLiveCharacterCapacity);
    // Clock ticks count from the game's start date.
    gDateTickSource.pStartDate = &startDate;
    // Wars end, merge and look each other up through the one list.
    CWar::_pWars = &wars;
}

CRZGlobal::~CRZGlobal()
{
    if (gDateTickSource.pStartDate == &startDate)
        gDateTickSource.pStartDate = nullptr;
    if (CWar::_pWars == &wars)
        CWar::_pWars = nullptr;
    DeleteAll(wars);
}

void CRZGlobal::Init()
{
    if (unitSprite == nullptr && gGlobalHooks.NewUnitSprite)
        unitSprite = gGlobalHooks.NewUnitSprite();
    titleServer = nullptr;
    characterServer = nullptr;
    investmentServer = nullptr;
    combatServer = nullptr;
    gameEventServer = nullptr;
    courtierCounters = {};
    if (scenarioInformation != nullptr && gGlobalHooks.DeleteScenarioInformation)
        gGlobalHooks.DeleteScenarioInformation(scenarioInformation);
    scenarioInformation
        = gGlobalHooks.NewScenarioInformation ? gGlobalHooks.NewScenarioInformation() : nullptr;
}

void CRZGlobal::DeInit()
{
    marriagePool.RemoveAll();
    if (unitSprite != nullptr && gGlobalHooks.DeleteUnitSprite)
        gGlobalHooks.DeleteUnitSprite(unitSprite);
    unitSprite = nullptr;
    if (scenarioInformation != nullptr && gGlobalHooks.DeleteScenarioInformation)
        gGlobalHooks.DeleteScenarioInformation(scenarioInformation);
    scenarioInformation = nullptr;
}

void CRZGlobal::CleanupDB()
{
    leaders.RemoveAll();
}

float CRZGlobal::GetRelativeArmyPower(int index) const
{
    if (index < 0 || index >= static_cast<int>(kCountryTableSlots))
        return 0.0f;
    return relativeArmyPower[index];
}

CLScript* CRZGlobal::GetScript() const
{
    CLSList* list = new CLSList;
    const CDate today = gpTimer ? gpTimer->GetDate() : startDate;
    list->Append(new CLSymbol(KW_STARTDATE, today.GetScript()));
    list->Append(new CLSymbol(KW_ENDDATE, endDate.GetScript()));
    if (CRZCheats::_isFantasy)
        list->Append(new CLSymbol(KW_DESC, new CLString("fantasy")));
    SaveTrace("Saving:   -top of global\n");
    for (auto it = wars.GetHead(); !it.IsEnd(); it++) {
        // A war whose leader is gone would not load again.
        if ((*it)->GetAttacker() != nullptr && (*it)->GetDefender() != nullptr)
            list->Append(new CLSymbol(KW_WAR, (*it)->GetScript()));
    }
    SaveTrace("Saving:   -wars written\n");
    list->Append(new CLSymbol(KW_FLAGS, flags.GetScript()));
    SaveTrace("Saving:   -flags written\n");
    if (const CPapacy* papacy = CPapacy::GetInstance()) {
        list->Append(new CLSymbol(KW_PAPACY, papacy->GetScript()));
        SaveTrace("Saving:   -papacy written\n");
    }
    if (const CCrusade* crusade = CCrusade::GetInstance()) {
        list->Append(new CLSymbol(KW_CRUSADE, crusade->GetScript()));
        SaveTrace("Saving:   -crusades written\n");
    }
    return list;
}

int CRZGlobal::ParseFields(CRZParser& parser)
{
    CRZCheats::_isFantasy = 0;
    for (;;) {
        const int read = parser.ParseSimpleStatement();
        if (read == -2)
            return -2;
        if (read != 1) {
            if (parser.CloseBlock())
                return 0;
            continue;
        }
        switch (parser.key.type) {
        case KW_DESC:
            CRZCheats::_isFantasy = 1;
            break;
        case KW_STARTDATE:
            RequireBlock(parser);
            startDate.ParseFields(parser);
            if (gpTimer)
                gpTimer->SetDate(startDate);
            break;
        case KW_ENDDATE:
            RequireBlock(parser);
            endDate.ParseFields(parser);
            break;
        case KW_WAR: {
            RequireBlock(parser);
            CWar* war = new CWar;
            try {
                war->ParseFields(parser);
            } catch (...) {
                delete war;
                throw;
            }
            wars.Append(war);
            break;
        }
        case KW_FLAGS:
            RequireBlock(parser);
            flags.ParseFields(parser);
            break;
        case KW_PAPACY:
            ParseSingleton<CPapacy>(parser, "Globals : No papacy to read");
            break;
        case KW_CRUSADE:
            ParseSingleton<CCrusade>(parser, "Globals : No crusade to read");
            break;
        default:
            parser.ParseError("Globals : Unexpected field");
        }
    }
}

CRZReturnType CRZGlobal::Update(CRZEvent* event)
{
    switch (event->GetType()) {
    case _CRZEVT_TIMER_DAY_:
        SaveTrace("TimerDay: GLOBAL-Phase 1\n");
        BuildLiveChars();
        SaveTrace("TimerDay: GLOBAL-Phase 2\n");
        HandleDailyUpdate();
        SaveTrace("TimerDay: GLOBAL-Phase 3\n");
        RefreshWars();
        SaveTrace("TimerDay: GLOBAL-Phase 4\n");
        Paranoia();
        SaveTrace("TimerDay: GLOBAL-Phase 5\n");
        Janitor();
        SaveTrace("TimerDay: GLOBAL-Phase 6\n");
        break;
    case _CRZEVT_TIMER_MONTH_:
        CalcRanks();
        HandleMonthlyUpdate();
        break;
    case _CRZEVT_GAME_STARTED_:
        BuildLiveChars();
        HandleDailyUpdate();
        HandleMonthlyUpdate();
        CalcRanks();
        RefreshWars();
        DetermineRealmNeighbours();
        break;
    case _CRZEVT_SET_FLAG_:
        ApplyFlagEvent(flags, event, false);
        break;
    case _CRZEVT_INC_FLAG_:
        ApplyFlagEvent(flags, event, true);
        break;
    default:
        break;
    }
    return objects.Update(event);
}
