// The 44 province improvements: their types read once from "db\provinceimprovements.txt" (rules) and then
// "gfx\provinceimprovements.txt" (pictures) into the same records, and CProvinceImprovementTuple, the
// improvements a province has.
#pragma once

#include <cstdint>
#include <memory>

#include "characters/stands_tuple.h"
#include "datalang/definition_keywords.h"
#include "realms/advance.h"
#include "realms/modifier.h"
#include "realms/score.h"
#include "realms/terrain_types.h"

class CProvince;
class CRZCountry;
class CRZEvent;
class CSprite;
struct CPoint;

// The button that offers an improvement in the province view is a widget of the interface above the realms,
// which installs these. Unset, improvements have no button.
struct CImprovementButtonHooks {
    // A button with the picture's frames; the improvement owns it.
    CSprite* (*MakeButton)(const char* bitmap, int id) = nullptr;
    bool (*IsPressed)(CSprite* button) = nullptr;
    void (*SetEnabled)(CSprite* button, bool enabled) = nullptr;
};
extern CImprovementButtonHooks gImprovementButtonHooks;

// The improvement named by a keyword token; kImprovementCount for any other token.
int GetProvinceImprovementType(int token);
// The keyword token of an improvement; the token of "yes" for a number outside 0..43.
int GetTokenType(int number);

// One flag per improvement number.
class CProvinceImprovementTuple : public CLScripter, public CKeywordFlags<kImprovementCount> {
public:
    // The neutral modifier plus the lasting effects of every improvement held, in number order. One static
    // modifier, overwritten by the next call.
    const CModifier& GetModifier() const;

    // "keyword = yes" for each improvement held, in number order; the caller owns the list.
    CLScript* GetScript() const override;
    // Reads an improvement set block after its "{": each improvement is held when its value is "yes" and
    // not otherwise; a key that is no improvement abandons the load with "Unknown ".
    virtual int ParseFields(CRZParser& parser);
};

class CProvinceImprovementType : public CLScripter {
public:
    CProvinceImprovementType();
    ~CProvinceImprovementType();
    CProvinceImprovementType(const CProvinceImprovementType&) = delete;
    CProvinceImprovementType& operator=(const CProvinceImprovementType&) = delete;

    // Builds the 44 records with their defaults and reads the rules file, then the pictures file. False when
    // a file is missing or broken: the report is in GetAssertMessage and the table stays as it was.
    static bool Init();
    static bool InitFromFiles(const char* rules, const char* pictures);
    static void Shutdown();
    // The record of an improvement number; null outside 0..43 or while no table is loaded.
    static const CProvinceImprovementType* Get(int id);
    // The thieves' guild, the smugglers' ring and the highway robbers: never built by a realm.
    static bool IsNegative(int number) { return number >= 36 && number <= 38; }

    int GetID() const { return id; }
    const CModifier& GetModifier() const { return lastingEffects; }
    const CSimpleScore& GetCost() const { return cost; }
    // Months.
    float GetConstructionTime() const { return constructionTime; }
    const CSimpleScore& GetOneTimeBonus() const { return oneTimeBonus; }
    const CStandsTuple& GetOneTimeLoyaltyBonus() const { return oneTimeLoyaltyBonus; }
    bool IsAllowedOnTerrain(int terrain) const;
    bool RequiresCoastal() const { return requireCoastal; }
    bool RequiresCapital() const { return requireCapital; }
    bool IsUpgradeable() const { return upgradeable; }
    const CProvinceImprovementTuple& GetRequiredImprovements() const { return requiredImprovements; }
    const CProvinceImprovementTuple& GetProhibitingImprovements() const { return prohibitingImprovements; }
    const CAdvanceTuple& GetRequiredAdvances() const { return requiredAdvances; }
    float GetMinimumIncome() const { return minimumIncome; }
    // The keyword token of the tier ("county", "duchy" or "kingdom").
    int GetRequiredTier() const { return requiredTier; }
    float GetAdditionalReturnOnInvestment() const { return additionalReturnOnInvestment; }
    int GetXOffset() const { return xOffset; }
    int GetYOffset() const { return yOffset; }
    // The picture files by the game's spelling; "" when the definitions name none.
    const char* GetCompletedBitmap() const { return completedBitmap; }
    const char* GetPossibleBitmap() const { return possibleBitmap; }
    static const char* GetUnderConstructionBitmap() { return "gfx\\interface\\BDG_UC.bmp"; }

    // The localised "PI_<KEYWORD>" and "PI_<KEYWORD>_DESC".
    const char* GetName() const;
    const char* GetDesc() const;

    // Whether the province may have it built: its monthly gold above the minimum income, the required
    // improvements and advances present, a coast and the owner's capital where asked for, and its terrain
    // allowed. The realm is not consulted; prohibiting improvements and the tier are not part of it.
    bool HasRequirements(const CRZCountry* realm, const CProvince& province) const;

    // Every improvement required directly or through other requirements.
    CProvinceImprovementTuple GetIndirectRequirements() const;
    // Whether this type is an indirect requirement of an improvement held in the tuple.
    bool IsIndirectRequirementForAnyOfThese(const CProvinceImprovementTuple& improvements) const;
    // For an upgradeable type: whether its completed picture, placed by its offsets, overlaps that of an
    // improvement held in the tuple (rectangles sharing at least one pixel). False for any other type, and
    // where either has no picture.
    bool HasOverlappingGfxWithAnyOfThese(const CProvinceImprovementTuple& improvements) const;

    // The pictures at a map point plus the offsets: the completed picture, the button that offers the
    // building, and the completed picture with the under-construction picture centred on it. Each draws
    // nothing where its picture is missing. The pictures are read from their files on first use.
    void DrawCompleted(const CPoint& at) const;
    void DrawPossible(const CPoint& at) const;
    void DrawUnderConstruction(const CPoint& at) const;
    // Where they were last drawn: true only when both the completed picture and the button exist and one of
    // them, the picture first, holds the point; the same for the completed and under-construction pictures.
    bool Within(int x, int y) const;
    bool WithinConstruction(int x, int y) const;
    // The button's input: its answer to the event (0 without a button), whether it is down, and its state.
    int Update(CRZEvent* event) const;
    bool IsPressed() const;
    void EnableConstruction() const;
    void DisableConstruction() const;

    // The description of the lasting effects, in one static buffer that the next call overwrites.
    const char* GetCompletedDescription() const;
    // The text shown before building, with the building time under the modifier of the province it would
    // be built in; one static buffer that the next call overwrites.
    const char* GetConstructionDescription(const CModifier& provinceModifier) const;

    void SetNumber(int number) { id = number; }
    CLScript* GetScript() const override { return nullptr; }
    // Reads a record's block after its "{". An unknown key abandons the load with "unknown lhs in
    // provinceimprovement file"; requirements that would make an improvement require itself, through any
    // chain, with "improvement requires itself in provinceimprovement file".
    virtual int ParseFields(CRZParser& parser);

private:
    int32_t id = 0;
    CSimpleScore cost;
    float constructionTime = 0.0f;
    CSimpleScore oneTimeBonus;
    CStandsTuple oneTimeLoyaltyBonus;
    CModifier lastingEffects;
    bool allowedTerrains[kTerrainCount] = { true, true, true, true, true, true, true, true, true };
    bool requireCoastal = false;
    CProvinceImprovementTuple requiredImprovements;
    CProvinceImprovementTuple prohibitingImprovements;
    float minimumIncome = 0.0f;
    int32_t requiredTier = 617;
    bool requireCapital = false;
    bool upgradeable = false;
    CAdvanceTuple requiredAdvances;
    float additionalReturnOnInvestment = 0.0f;
    int32_t xOffset = 0;
    int32_t yOffset = 0;
    char completedBitmap[256] = "";
    char possibleBitmap[256] = "";
    // Made from the names on first use; only the button's state changes during a game.
    struct CPictures;
    mutable std::unique_ptr<CPictures> pictures;
    CPictures& Pictures() const;

    static CProvinceImprovementType* _pTypes;
};
