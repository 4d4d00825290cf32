// CRZGlobal (gGlobal), the state of the world that belongs to no single realm: dates, wars, flags, the
// host's servers, realm ranks, the live-character table, the marriage pool and the realms' relative army
// power; with gCountryControl, who controls each realm slot.
#pragma once

#include <cstdint>
#include <vector>

#include "characters/flags.h"
#include "events/event.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/rz_obj.h"
#include "realms/country.h"

class CCharacter;
class CCharacterServer;
class CLScript;
class CRZCombatServer;
class CRZDiplomacyServer;
class CRZGameEventServer;
class CRZInvestmentServer;
class CRZLeader;
class CRZParser;
class CRelation;
class CRZScenarioInformation;
class CRZUnitServer;
class CTitleServer;
class CUnitSprite;
class CWar;

// The table of living characters starts with room for this many and grows past it; the consistency
// checks still report more than this many as a fault.
inline constexpr int32_t kLiveCharacterCapacity = 50000;
// A dead character is pruned after a load only when he died more than this many days ago.
inline constexpr int32_t kPruneAfterDays = 360;

// The objects of other subsystems that the global game state makes and frees; null hooks make none.
struct CRZGlobalHooks {
    CUnitSprite* (*NewUnitSprite)() = nullptr;
    // Shuts the sprite down before it is deleted.
    void (*DeleteUnitSprite)(CUnitSprite* sprite) = nullptr;
    CRZScenarioInformation* (*NewScenarioInformation)() = nullptr;
    void (*DeleteScenarioInformation)(CRZScenarioInformation* information) = nullptr;
};
extern CRZGlobalHooks gGlobalHooks;

struct CRZRank {
    int32_t country;
    // -1 for a slot without a real country.
    float score;
};

class CRZGlobal {
public:
    CRZGlobal();
    // Deletes the wars still held and the members of both object lists.
    virtual ~CRZGlobal();
    CRZGlobal(const CRZGlobal&) = delete;
    CRZGlobal& operator=(const CRZGlobal&) = delete;

    // Once at start-up: makes the unit sprite when there is none and a fresh scenario information, and
    // forgets the servers of any earlier game.
    virtual void Init();
    // At shutdown: empties the marriage pool and frees the unit sprite and the scenario information.
    virtual void DeInit();
    // The "globaldata" block: the clock's date as "startdate", so that a loaded game goes on where it
    // was saved. The caller owns the tree.
    virtual CLScript* GetScript() const;
    virtual void SetScript(CLScript*) { }
    // The body of the "globaldata" block up to and including its "}": 0, or -2 for a statement without
    // "="; a key it does not know abandons the load ("Globals : Unexpected field").
    virtual int ParseFields(CRZParser& parser);
    // The day, month and game-start reactions and the scripted flags; then the first object list's
    // answer.
    virtual CRZReturnType Update(CRZEvent* event);

    void InitModifiers() { }
    // When a game ends: forgets the leaders.
    void CleanupDB();

    // The daily update, in the order Update runs it.
    void BuildLiveChars();
    void HandleDailyUpdate();
    void RefreshWars();
    void Paranoia();
    // Host only: removes divisions without men.
    void Janitor();
    // The monthly update.
    void CalcRanks();
    void HandleMonthlyUpdate();
    void DetermineRealmNeighbours();
    // After a saved game is loaded: deletes characters dead for more than kPruneAfterDays that nothing
    // refers to any more.
    void PruneCharacters();
    // qsort order of the rank table: higher score first, equal scores by realm index.
    static int SortRankTable(const void* a, const void* b);

    // What is left of the realm's standing army power after its wars; 0 outside the table.
    float GetRelativeArmyPower(int index) const;
    int32_t GetLiveCharCount() const { return liveCharCount; }
    // Null outside the table, as it stands after the last daily update.
    CCharacter* GetLiveChar(int i) const
    {
        return i >= 0 && static_cast<std::size_t>(i) < liveChars.size()
            ? liveChars[static_cast<std::size_t>(i)]
            : nullptr;
    }

    CUnitSprite* unitSprite = nullptr;
    CDate startDate;
    CDate endDate;
    // Servers of the running game; set by the game session, not owned.
    CTitleServer* titleServer = nullptr;
    CCharacterServer* characterServer = nullptr;
    CRZInvestmentServer* investmentServer = nullptr;
    CRZCombatServer* combatServer = nullptr;
    CRZUnitServer* unitServer = nullptr;
    CRZGameEventServer* gameEventServer = nullptr;
    CRZDiplomacyServer* diplomacyServer = nullptr;
    // Owned; a war that is no longer valid is dropped and deleted by the next day's update.
    CList<CWar*> wars;
    // Objects that get every event after the global state itself; owned.
    CRZObjectList objects;
    CRZObjectList secondObjects;
    // Realms by ranking score, highest first; rebuilt monthly.
    CRZRank rankTable[kCountryTableSlots] = {};
    CRZScenarioInformation* scenarioInformation = nullptr;
    // The realm the saved game was saved for.
    int32_t savedCountry = 0;
    // Courtiers the realms have had made, and the women among them.
    CCourtierCounters courtierCounters;
    // Unmarried adult women of real realms, rebuilt monthly; nodes only.
    CList<CCharacter*> marriagePool;
    uint16_t warCount[kCountryTableSlots] = {};
    float relativeArmyPower[kCountryTableSlots] = {};
    int32_t liveCharCount = 0;
    int32_t livingWomenCount = 0;
    CList<CRZLeader*> leaders;
    CFlags flags;

private:
    // Vassal recount: CalcVassals for every living character that is a ruler or had a vassal list.
    void RecountVassals();
    // The living, non-anonymous characters, brought up to date daily.
    std::vector<CCharacter*> liveChars;
    // What the live table was last made from; a table made from a basis it still holds is carried over.
    struct CLiveBasis {
        uint64_t epoch = 0;
        CDate date;
        bool onHost = false;
        uint64_t deathsAhead = 0;
        // How many of the character server's list the table has looked at.
        std::size_t listed = 0;
        int32_t women = 0;
    };
    CLiveBasis liveBasis;
    // Those of the table who may have died since, by address; kept for its capacity.
    std::vector<CCharacter*> maybeDead;
    // The truces, alliances, friendships and rivalries among the relations registry's first `listed`, in
    // registry order, for the registry order of the given epoch.
    struct CSettingRelations {
        uint64_t epoch = 0;
        std::size_t listed = 0;
        std::vector<CRelation*> relations;
    };
    CSettingRelations settingRelations;
    // Whose allies, friends or rivals the last relation pass listed: only they have lists to empty before
    // the next. By identity, so that one destroyed since is passed over.
    std::vector<CRZID> listedByRelations;
    // Vassal recount: the characters whose vassals the day recounts, kept for its capacity.
    std::vector<CCharacter*> vassalRecount;
    // Per realm slot, the province whose manpower it last received: a liege walk stops at a realm it
    // has already credited, so a liege cycle in a corrupt save ends.
    std::vector<int32_t> creditedFor;
};

extern CRZGlobal gGlobal;
