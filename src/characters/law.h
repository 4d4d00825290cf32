// The 15 laws: their keywords, the law types read once from "db\laws.txt" with the group of each, and
// CLawTuple, the laws a realm has in force (at most one per group).
#pragma once

#include <cstdint>

#include "datalang/definition_keywords.h"
#include "foundation/scripter.h"

class CRZCountry;

// Groups are 0 (the succession laws), 1 and 2; a realm keeps one date of the last change per group.
inline constexpr int kLawGroupCount = 3;

// The law named by a keyword token; kLawCount for any other token.
int GetLawType(int token);

class CLawType : public CLScripter {
public:
    // Builds the 15 types and reads "db\laws.txt" into them. False when the file is missing or broken:
    // the report is in GetAssertMessage and the table stays as it was.
    static bool Init();
    static bool InitFromFile(const char* path);
    static void Shutdown();
    // The type of a law number; null outside 0..14 or while no table is loaded.
    static const CLawType* Get(int id);

    int GetId() const { return id; }
    int GetGroup() const { return group; }
    // The localised name (the keyword in upper case) and description (the same with "_DESC").
    const char* GetName() const;
    const char* GetDesc() const;
    bool CanInstitute(CRZCountry*) const { return true; }

    void SetNumber(int number) { id = number; }
    CLScript* GetScript() const override { return nullptr; }
    // Reads a law's block after its "{": only "group", a number from 0 to 2. Another key abandons the load
    // with "unknown lhs in law file", a group out of range with "law group out of range in law file".
    virtual int ParseFields(CRZParser& parser);

private:
    int32_t id = 0;
    int32_t group = 0;

    static CLawType* _pTypes;
};

// One flag per law number; a new set has no law in force.
class CLawTuple : public CLScripter, public CKeywordFlags<kLawCount> {
public:
    // Puts the law in force and every other law of its group out of force; other groups stay as they were.
    // Without a law table only the law itself is set. Nothing happens outside 0..14.
    void Set(int id);

    // "keyword = yes" for each law in force, in number order; the caller owns the list.
    CLScript* GetScript() const override;
    // Reads a law set block after its "{": "yes" puts the law in force, any other value out of it; a key
    // that is no law abandons the load with "Unknown ".
    virtual int ParseFields(CRZParser& parser);
};
