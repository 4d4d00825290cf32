// CDynasty, a family line read from the dynasty database: its name and the home provinces where new
// characters of no known family may be born into it.
#pragma once

#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/scripter.h"

class CRZParser;

class CDynasty : public CIdentity, public CLScripter {
public:
    CDynasty() = default;
    // Leaves the dynasty lists of its home provinces.
    ~CDynasty() override;
    CDynasty(const CDynasty&) = delete;
    CDynasty& operator=(const CDynasty&) = delete;

    const char* GetName() const { return name != nullptr ? name : ""; }
    const CList<int>& GetProvinces() const { return provinces; }

    // Dynasties are not saved: the game's dynasty file is included again.
    CLScript* GetScript() const override { return nullptr; }
    // Reads the block after its "{" up to and including its "}": "id" (a number or an identity block, taken
    // as a dynasty identity), "name", "province" (a list of province numbers, each 1..1003, else "Illegal
    // province ID  %d"). Another key abandons the load with "unknown lhs in scenario file (dynasty)", an
    // identity already taken with "duplicate dynasty id". 0.
    int ParseFields(CRZParser& parser);

    // A dynasty of the province drawn with the game's generator; with none there, the first of the list;
    // null when the list is empty too.
    static CDynasty* GetRandomDynasty(int province, const CList<CDynasty*>& all);
    // The dynasties whose home lies in the province, in reading order; empty outside 1..1003.
    static const CList<CDynasty*>& GetProvinceDynasties(int province);

private:
    char* name = nullptr;
    CList<int> provinces;
};
