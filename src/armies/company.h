// CCompany, the fighting slice of one division for one troop type, which a battle fires with and at.
#pragma once

#include <cstdint>

#include "armies/military_composition.h"

class CDivision;

class CCompany {
public:
    CCompany(TroopType troops, int32_t men, CDivision* division)
        : type(troops)
        , size(men)
        , regiment(division)
    {
    }

    CDivision* GetRegiment() const { return regiment; }
    TroopType GetType() const { return type; }
    int GetSize() const { return size; }
    // Both are collected by the division and applied together when it takes its losses.
    void AddLosses(int men);
    void AddMoraleLosses(float amount);
    // While its division has not routed.
    bool IsFighting() const;

    TroopType type;
    int32_t size;
    // Not owned.
    CDivision* regiment;
};
