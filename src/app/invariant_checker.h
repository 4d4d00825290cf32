// The daily invariant check of a headless run ("--check"): rules the world must keep at the end of every
// game day, with the figures of the run that a long check reports. Each subsystem's rules are one entry of
// the table in invariant_checker.cpp.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "foundation/calendar_date.h"
#include "foundation/rz_id.h"

struct CRZIDHash {
    std::size_t operator()(const CRZID& id) const { return (std::size_t { id.type } << 32) ^ id.number; }
};

class CInvariantChecker {
public:
    // Checks the world as it stands after the day; a break is written to err, the first few in full.
    void CheckDay(std::FILE* err);
    // "check: N days, ..." with the figures of the run.
    void Report(std::FILE* out) const;
    int GetBreaks() const { return breaks; }

    // Called by the rules: one line per broken rule, naming what broke it.
    void Break(std::FILE* err, const char* format, ...) __attribute__((format(printf, 3, 4)));

    // The run's figures, which the rules keep up to date.
    int days = 0;
    int breaks = 0;
    int32_t fewestLiving = INT32_MAX;
    int32_t mostLiving = 0;
    int births = 0;
    int deaths = 0;
    // Days from conception to birth, over every birth of the run.
    int shortestPregnancy = INT32_MAX;
    int longestPregnancy = 0;
    // Each pregnant woman's conception date as it stood the day before.
    std::unordered_map<CRZID, CDate, CRZIDHash> conceptions;
    // The characters alive the day before: one who is no longer is a death of the day, however he died and
    // whatever date his death carries.
    std::unordered_set<CRZID, CRZIDHash> living;
};
