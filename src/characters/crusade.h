// CCrusade, the one crusade of the world: the singleton under CRUSADE that knows whether a crusade is under
// way and against which province, measures the need for one, turns its battles into prestige and piety for
// catholic rulers, and saves its "crusade" block.
#pragma once

#include <cstdint>

#include "events/record_types.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/scripter.h"

class CBattleResult;
class CRZCountry;

class CCrusade : public CIdentity, public CLScripter {
public:
    // Makes the singleton of a new game under CRUSADE (the registries must be initialised); Shutdown
    // deletes it. Init replaces a crusade left from an earlier game.
    static void Init();
    static void Shutdown();
    // The crusade of the running game, or null while there is none.
    static CCrusade* GetInstance() { return _pInstance; }
    static void SetInstance(CCrusade* crusade) { _pInstance = crusade; }

    // The start (497, with the target province; 0 ends the crusade) and the two ends (498, 499); every other
    // type changes nothing. A start naming a province outside the province table is dropped with a line in
    // the history. Always 0.
    int Update(CRZEvent* event) override;

    // A crusade has been called and not yet ended.
    virtual bool IsActive() const { return active != 0; }
    // The province the crusade is called against, 0 for none.
    int GetTargetProvince() const { return targetProvince; }

    // How much a province weighs in the crusade: 10 for the target, 2 within its kingdom, 0.25 elsewhere,
    // 0.05 everywhere while there is no target.
    float GetAreaFactor(int32_t province) const;
    // The wealth of the non-catholic world weighted by faith and by area factor; computed once a game day,
    // later calls of the day answer the stored value.
    float GetCrusadeNeed();
    // The battle's crusade score for one side goes to each catholic ruler of the realms as piety (twice) and
    // prestige, through the host; a crusader ruler multiplies it by five for himself and every realm after.
    void AddScoreFromBattle(
        const CBattleResult& result, bool attackerSide, const CRZCountryList& realms) const;
    // The crusade button's tooltips, in a buffer of each function's own that the next call overwrites.
    const char* GetInstantRollover(const CRZCountry* country) const;
    const char* GetDelayedRollover(const CRZCountry* country) const;

    // Reads the block after its "{" up to and including its "}"; 0. An unknown key abandons the load with
    // "unknown lhs in scenario file (crusade)".
    virtual int ParseFields(CRZParser& parser);
    // "active", "ended" and "target", always; the caller owns the list.
    CLScript* GetScript() const override;

    // A new crusade object stands as under way until its block or an event says otherwise.
    int32_t active = 1;
    int32_t ended = 0;
    int32_t targetProvince = 0;
    float need = 0.0f;
    // The day the need was computed, once it has been.
    CDate needDate;
    bool needKnown = false;

private:
    static CCrusade* _pInstance;
};
