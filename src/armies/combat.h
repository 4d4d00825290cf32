// CRZCombat, a battle in one province between an attacking and a defending side (CRZCombatant): which
// armies fight on each side, which realms take part, the daily phases on the host, what each side has
// lost, and how the battle ends. CRZCombatList holds battles.
#pragma once

#include <cstdint>
#include <vector>

#include "armies/military_composition.h"
#include "armies/unit_list.h"
#include "characters/character.h"
#include "events/record_types.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/ref.h"
#include "foundation/rz_obj.h"

class CCompany;
class CDivision;
class CLScript;
class CProvince;
class CRZCombat;
class CRZCountry;
class CRZParser;
class CRZUnit;

// How a battle ended for one realm.
enum RZBattleResultType : int32_t { BATTLE_WON = 0, BATTLE_LOST = 1, BATTLE_DRAW = 2 };

// What battles ask of the computer opponents, which sit above the armies; unset, nobody is told and no
// agent asks to retreat.
struct CombatHooks {
    // 0 never retreats; 1 (or, for a defender, anything but 0) retreats the army's side.
    int (*CheckForRetreat)(CRZUnit& army) = nullptr;
    void (*NotifyBattleResult)(CRZCountryID realm, CRZCombat& battle, RZBattleResultType result, bool first)
        = nullptr;
};
extern CombatHooks gCombatHooks;

// One side of a battle.
class CRZCombatant {
public:
    CRZCombatant(CRZCombat* battle, bool attacker);
    // Deletes the companies it formed.
    virtual ~CRZCombatant();
    CRZCombatant(const CRZCombatant&) = delete;
    CRZCombatant& operator=(const CRZCombatant&) = delete;

    virtual void CalculateModifiers(CRZCombatant& enemy);
    virtual void CalculateModifiers(CRZUnit*, CRZCombatant&) { }
    virtual CRZUnitList* GetUnits() { return nullptr; }
    virtual CRZUnitList* GetArmies() { return nullptr; }
    // Each fighting company of the type fires once at a company of the enemy drawn at random.
    virtual void FireAt(CRZCombatant& enemy, TroopType type, float multiplier);
    virtual float GetExtraAttritionValue() const { return extraAttrition; }
    // The army leaves the side; true when it fought here.
    virtual bool UnitRemoved(CRZUnit* army);
    // The army's realm deletes it.
    virtual void UnitDeleted(CRZUnit* army);
    virtual void KillAll();
    virtual void Init() { }
    virtual void HandleCombatEnded();
    virtual void BattleWon(CRZCombatant& loser);
    // Host: the whole side (army null) or one army retreats toward the province, on every machine.
    virtual void Retreat(CRZUnit* army, int province);
    virtual void HandleRetreat(CRZUnit* army, int province);
    virtual void HandlePursuit() { }
    virtual void RetreatNow(CRZUnit* army);

    // The army joins the side (no event; AddUnit of the battle is the way in).
    void Join(CRZUnit* army);
    // Host: the army leaves every battle of the province and its realm deletes it, on every machine.
    void KillUnit(CRZUnit* army);
    void KillDivision(CDivision* division);
    // The day's fighting (combat_phases.cpp): the companies of the fighting divisions formed anew, the
    // morale check that routs divisions, and the losses that kill divisions and armies.
    void FormCompanies();
    void CheckTroopMorale();
    void TakeLosses();

    // Refreshed from the armies while any has one; otherwise the last one stays.
    CCharacter* GetLeader();
    CRZCountry* GetLeaderCountry();
    bool IsWinner() const;
    CRZCombatant& GetOpponent() const;
    // The army exists, the side has armies and each of them would fight it.
    bool IsValidOpponent(CRZUnit* army);
    bool IsParticipating(const CRZCountry* realm);
    bool HasArmy(const CRZUnit* army);
    void RefreshParticipants();

    CMilitaryComposition GetStrength();
    int GetSize();
    int GetTotalMen();
    float GetCurrentMorale();
    CList<CDivision*>& GetRegiments();
    CList<CDivision*>& GetFightingRegiments();

    CRef<CCharacter> leader;
    CList<CDivision*> divisions;
    CList<CDivision*> fightingDivisions;
    std::vector<CCompany*> companies;
    int32_t modifiers[2] = {};
    int32_t startingStrength = 0;
    float extraAttrition = 0.0f;
    CRZCountryList participants;
    int32_t retreatProvince = 0;
    bool retreating = false;
    bool defeated = false;
    CRZCombat* battle = nullptr;
    bool attacker = false;

private:
    CRZUnitList none;
};

class CRZLandCombatant : public CRZCombatant {
public:
    using CRZCombatant::CRZCombatant;
    CRZUnitList* GetUnits() override { return &armies; }
    CRZUnitList* GetArmies() override { return &armies; }

    CRZUnitList armies;
};

class CRZCombat : public CRZObj, public CRZDynamicObject {
public:
    // Phases of a battle's day.
    enum Phase : int32_t { MANEUVER, ADVANCE, SKIRMISH, FRONT, FLANK, RETREAT, PURSUE, FINISHED };

    CRZCombat(int32_t province, const DynamicID& id, const CDate& start);
    // Every army still fighting here leaves the battle.
    ~CRZCombat() override;

    // The battle registered under the identity, or null.
    static CRZCombat* GetCombat(const DynamicID& id);

    int Update(CRZEvent* event) override;
    virtual const char* GetTypeName() const { return "Combat"; }
    virtual void CalcMajorBattle(CRZCombatant& winner, CRZCombatant& loser);
    virtual bool IsValid();
    virtual int CalcRetreatPhases() { return 0; }
    virtual void AddUnit(CRZUnit* army, bool attacker);
    // The army leaves its side; true when either side held it.
    virtual bool UnitRemoved(CRZUnit* army, bool attacker);
    virtual void UnitDeleted(CRZUnit* army, bool attacker);
    virtual void HandleRetreat(CRZUnit* army, int province, bool attacker);
    virtual void HandleCombatEnded();
    virtual void SoundOn() { }
    virtual void SoundOff() { }
    // 1 when the army joined a side.
    virtual int TryToJoin(CRZUnit* army);
    virtual void AddAttacker(CRZUnit* army);
    virtual void AddDefender(CRZUnit* army);
    virtual void CombatStarted();
    virtual void EndCombat();
    virtual void ScheduleNextPhase();
    virtual void SendBattleResultEvents();
    virtual void SetProvinceController() { }
    virtual void Init();
    virtual void CalculateModifiers();
    virtual void ExecuteCombatPhase();
    virtual bool TerminationCheck();

    CRZCombatant* GetWinner() const;
    CRZCombatant* GetLoser() const;
    bool IsParticipating(const CRZCountry* realm) const;
    // The army leaves whichever side holds it, with no end of the battle (a realm letting the army go).
    void RemoveUnit(CRZUnit* army);
    void RefreshParticipants();
    // A realm moved to another number: the first entry of the old number on each side becomes the new one,
    // moved to the end.
    void ChangeTag(int32_t oldNumber, int32_t newNumber);
    const char* GetPhaseName() const;
    const char* GetBattleName() const;
    // Two lines, the attacker's first: each side's leader and what the side lost ("COMBAT_LOST"), or
    // "COMBAT_NO_LOSS" for a side that lost nobody. One buffer, overwritten by the next call.
    const char* GetResultDesc();

    // The saved "combat" block, and the reader of one (after its "{"): null on a bad block.
    CLScript* GetScript() const;
    static CRZCombat* ParseCombat(CRZParser& parser);

    // The game-wide start and end of battles: nothing to set up or tear down.
    static void InitCombat() { }
    static void CleanupCombat() { }

    CRZCombatant& Attackers() const { return *attackerSide; }
    CRZCombatant& Defenders() const { return *defenderSide; }

    bool ended = false;
    int32_t phaseDays = 0;
    bool major = false;
    int32_t largestArmy = 0;
    bool inPhase = false;
    int32_t kind = 0;
    int32_t province = 0;
    CRZCombatant* attackerSide = nullptr;
    CRZCombatant* defenderSide = nullptr;
    CDate startDate;
    int32_t phase = MANEUVER;
    CMilitaryComposition attackerLosses;
    CMilitaryComposition defenderLosses;

private:
    // Fire, morale and losses of one phase day (combat_phases.cpp).
    void Fight();
    void AiCheckRetreat();
};

// A battle on land.
class CRZLandCombat : public CRZCombat {
public:
    CRZLandCombat(int32_t province, const DynamicID& id, const CDate& start);
    const char* GetTypeName() const override { return "Landcombat"; }
};

// Battles; a list that owns them ends and deletes them with itself.
class CRZCombatList : public CList<CRZCombat*> {
public:
    explicit CRZCombatList(bool owner = false)
        : owns(owner)
    {
    }
    ~CRZCombatList() override;
    CRZCombatList(const CRZCombatList&) = delete;
    CRZCombatList& operator=(const CRZCombatList&) = delete;

private:
    bool owns;
};

// Puts the making and deleting of battles into the provinces' hooks.
void InstallCombatHooks();

// The battles of the province, in the province's order.
void GetProvinceCombats(int province, CRZCombatList& into);
