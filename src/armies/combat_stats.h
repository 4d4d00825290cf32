// CCombatStats, the base combat values of the seven troop types read once at start-up from
// "db\combat.txt", and CRZLosses, the empty losses record a realm keeps and saves.
#pragma once

#include "armies/military_composition.h"
#include "foundation/scripter.h"

class CRZParser;

class CCombatStats {
public:
    // Reads "db\combat.txt". False when the file is missing or broken: the report is in GetAssertMessage and
    // the tables stay as they were.
    static bool Init();
    // Each statement names a table and gives a troop type block; a table named twice takes the later values
    // of the types it names. Values that are no number or past any army's size refuse the file.
    static bool InitFromFile(const char* path);
    // Every table back to 0, as before any file was read.
    static void Shutdown();

    // Each answers the table's value truncated to a whole number; 0 outside the troop types.
    static int GetCoySize(int type);
    static float GetBaseAttValue(int type);
    static float GetBaseDefValue(int type);
    static float GetBaseShockValue(int type);
    static float GetBaseMoraleValue(int type);
    static float GetUpkeep(int type);
    // The localised name of the troop type's equipment without advances; "" outside the troop types.
    static const char* GetBaseWeaponName(int type);
    static const char* GetBaseArmorName(int type);
};

// Holds nothing; its block is read past and written empty so saved realms keep their shape.
class CRZLosses : public CLScripter {
public:
    CLScript* GetScript() const override;
    void SetScript(CLScript*) override { }
    // Skips every statement of the block after its "{" and the closing "}"; 0.
    virtual int ParseFields(CRZParser& parser);
};
