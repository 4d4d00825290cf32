// CBattleResult, the record of one finished battle that a war keeps for its war score and a crusade
// scores; it travels inside the battle-result event and is saved with its war.
#pragma once

#include <cstdint>

#include "armies/military_composition.h"
#include "events/record_values.h"
#include "foundation/calendar_date.h"
#include "foundation/scripter.h"

class CRZParser;

// A composition in the form the events carry it, one float per troop type, and back.
CMilitaryComposition CompositionFromRecord(const CMilitaryCompositionRecord& record);
CMilitaryCompositionRecord CompositionToRecord(const CMilitaryComposition& composition);

class CBattleResult : public CLScripter {
public:
    CBattleResult() = default;
    CBattleResult(int32_t inProvince, const CDate& start, const CDate& end,
        const CMilitaryComposition& attackerLost, const CMilitaryComposition& defenderLost,
        bool aggressorAttacked, bool attackerWon, int32_t attackers, int32_t defenders);
    explicit CBattleResult(const CBattleResultRecord& record);
    CBattleResult(const CBattleResult&) = default;
    CBattleResult& operator=(const CBattleResult&) = default;
    ~CBattleResult() override = default;

    // The fixed-width form the battle-result event carries, zero-filled.
    CBattleResultRecord ToRecord() const;

    // The war-score value seen from the side that declared the war: the loser's men lost / 500, at least
    // 1, positive when that side won, negative when it lost.
    float GetValue() const;
    // Scores for a crusade, scaled by the crusade's factor for the battle's province.
    float GetCrusadeScoreForAttacker(float areaFactor) const;
    float GetCrusadeScoreForDefender(float areaFactor) const;
    const CDate& GetEndDate() const { return endDate; }
    // The war's sides were swapped: the battle's attacker no longer is the side that declared.
    void FlipSides() { aggressorIsAttacker = !aggressorIsAttacker; }

    // Every field, always; the caller owns the list.
    CLScript* GetScript() const override;
    void SetScript(CLScript*) override { }
    // The block after its "{": keys in any order, an unknown one a parse error.
    int ParseFields(CRZParser& parser);

    int32_t province = 0;
    CDate startDate {};
    CDate endDate {};
    CMilitaryComposition attackerLosses;
    CMilitaryComposition defenderLosses;
    bool aggressorIsAttacker = true;
    bool attackerWon = false;
    int32_t attackerCount = 0;
    int32_t defenderCount = 0;
};
