// CProvince: one place of the world map (a county, a sea zone, a lake or a river) with its geography, people,
// economy, levies and control. All provinces lie in one array owned by the map and are found by number.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "armies/military_composition.h"
#include "characters/stands_tuple.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/point_rect.h"
#include "foundation/scripter.h"
#include "gfx/drawable.h"
#include "realms/advance.h"
#include "realms/areas.h"
#include "realms/modifier.h"
#include "realms/port.h"
#include "realms/province_effect.h"
#include "realms/province_improvement.h"
#include "realms/score.h"
#include "realms/terrain_types.h"

class CCharacter;
class CDivision;
class CExcelParse;
class CRZCountry;
class CRZUnit;
class CRZOwnerArea;
class CTitle;

// A realm's number in the country table (the same alias as the events' records).
using CRZCountryID = int32_t;

// The map's array: 0 the empty province, 1..1003 the table's provinces, 1004..1007 the map's own
// (the border colours); only the first kProvinceArraySize come from the table.
inline constexpr int kMapProvinceCount = 1008;
inline constexpr int kLastTableProvince = static_cast<int>(kProvinceArraySize) - 1;

// One neighbour as the map's adjacency table gives it.
struct Adjacent {
    int32_t number = 0;
    int32_t kind = 0; // 1: across a river
    int32_t extra = 0;
};
inline constexpr int32_t kCrossingRiver = 1;

// Nothing is being built.
inline constexpr int32_t kNoImprovement = 44;

// Sieges and supply: what a siege reads of one army in the province, filled in by the armies.
struct CSiegeArmy {
    CRZCountry* realm = nullptr;
    // Null without one.
    CCharacter* leader = nullptr;
    // Neither marching on nor held back from fighting.
    bool mayBesiege = false;
    // Stands in the province without pressing the siege.
    bool holdsBack = false;
    // Over its divisions: men per siege point times the division's siege value.
    float siegeStrength = 0.0f;
    // Its men.
    int strength = 0;
};
struct ProvinceHooks {
    // False for an army the armies do not know.
    bool (*DescribeArmy)(const CRZUnit* army, CSiegeArmy& out) = nullptr;
    // The army of the division a character commands; false without one.
    bool (*DescribeCommand)(const CDivision* division, CSiegeArmy& out) = nullptr;
    // The armies of the province re-evaluate which stand outside their owner's reach.
    void (*UpdateExiled)(CProvince& province) = nullptr;
    // The computer opponents hear that the province's owner changed.
    void (*OwnerChanged)(CProvince& province) = nullptr;
    // Host only: the rebels raise the force as an army of their own in the province.
    void (*RaiseRebels)(CProvince& province, const CMilitaryComposition& force) = nullptr;
    // The game being started was loaded from a save, whose levies stand as they were saved.
    bool (*IsSavedGame)() = nullptr;
    // Battles: the province makes a battle under the identity (false when it cannot) and deletes one.
    bool (*CreateCombat)(CProvince& province, int kind, const DynamicID& id, const CDate& start) = nullptr;
    void (*DeleteCombat)(const DynamicID& id) = nullptr;
};
extern ProvinceHooks gProvinceHooks;

// Rebel armies: on the host, the rebels raise a revolt's force as an army of their own in the province.
void RaiseRebelArmy(CProvince& province, const CMilitaryComposition& force);

class CProvince : public CDrawable, public CIdentity, public CLScripter, public CRZAreaDB {
public:
    CProvince();
    ~CProvince() override;
    CProvince(const CProvince&) = delete;
    CProvince& operator=(const CProvince&) = delete;

    // The province's events, daily and monthly work: 3 where the event is consumed, 0 to let it go on.
    int Update(CRZEvent* event) override;
    // The record of scenarios and saves: the id, then for land the people, tuples and advances, then the
    // levies, occupation and construction where set. The caller owns the list.
    CLScript* GetScript() const override;
    void SetScript(CLScript*) override { }
    // Reads the rest of a province block after its id, up to and including its "}": every key but the id in
    // any order, the last one winning. An unknown key abandons the load with "Province : Unexpected field".
    // 0 at the block's end; a key without "=" is passed over.
    int ParseFields(CRZParser& parser) override;
    static bool ShouldSave() { return true; }

    // The province of a number, or null outside 0..1007 or where the map has made none.
    static CProvince* GetProvince(int number);

    // --- Loading (the map calls these once per game) ---
    // Back to the state before the province's row is read.
    void InitData();
    // Reads the next row of the province table for array index `index`. A row whose number is not the
    // index, or beyond the table, a row that ends early and a row with a cut field are skipped with a
    // warning naming the table and line; the province keeps its defaults. False at the end of the table.
    bool ReadProvince(int index);
    // The strait crossings, both ways, as plain neighbours.
    static void InitStraits();
    // Reads "db\spreadneighbours.csv": one pair per row, both ways; numbers outside 1..1003 are skipped.
    static void ReadSpreadNeighbours(const char* name = kSpreadTable);
    void AddNeighbor(const Adjacent& neighbour);
    // Stores record i (inside the array) and sets the coastal, touches-land and river flags it implies.
    void SetNeighbor(int i, const Adjacent& neighbour);
    // Drops every neighbour and the flags they set; the table reader starts each province with this.
    void ClearNeighbors();
    // Cleared at the end of a game: what the game put in goes, the port too (the table makes it again).
    void Cleanup();
    // Replaces the port (the old one goes) and tells the new one its sea zone; null leaves none.
    void InitPort(CRZPort* newPort);
    CRZPort* GetPort() const { return port.get(); }

    // --- Queries ---
    int GetNumber() const { return number; }
    bool IsLand() const
    {
        return terrain != TERRAIN_OCEAN && terrain != TERRAIN_RIVER && terrain != TERRAIN_LAKE;
    }
    // The realm of the county title's holder; null for water, and where title or holder is missing.
    CRZCountry* GetOwner() const;
    // The controlling realm, or null.
    CRZCountry* GetController() const;
    CRZCountryID GetControllerID() const { return controller; }
    bool IsIsland() const;
    bool IsAdjacent(int other) const;
    bool IsRiverCrossing(int other) const;
    // Some land neighbour has another owner.
    bool IsBorder() const;
    // Some neighbour with an owner is controlled by the realm.
    bool IsAdjacentToControlled(const CRZCountry& realm) const;
    // Some neighbour is both owned and controlled by the realm.
    bool IsAdjacentToOwnerController(const CRZCountry& realm) const;
    // The owner exists and this is its capital.
    bool HasCapital() const;
    // Among the realm's national provinces.
    bool IsNational(const CRZCountry& realm) const;
    // Who leads the province's levy: the owner's ruler when this is his capital, his marshal, the first
    // adult member of his realm whose death is not yet under way, each only when free to command and
    // fit for it; failing all, the anonymous soldier (null when he does not exist).
    CCharacter* GetMilitaryLeader() const;
    // The county title of this province, whoever asks; null where it does not exist.
    CTitle* GetBestFreeTitle(CCharacter* character) const;
    bool IsCoastal() const { return coastal; }
    bool TouchesLand() const { return touchesLand; }
    bool HasRiverCrossing() const { return riverCrossing; }
    int GetNeighborCount() const { return static_cast<int>(neighbours.size()); }
    const Adjacent& GetNeighbor(int i) const { return neighbours[static_cast<std::size_t>(i)]; }
    // Records before the first river province; the map's border codes refer to these only.
    int GetLeadingNeighborCount() const;
    int GetAddedNeighborCount() const { return addedNeighbours; }
    int GetLandFortressLevel() const { return landFortress; }
    int GetCoastalFortressLevel() const { return coastalFortress; }
    float GetInfrastructure() const { return 0.25f + 0.15f * static_cast<float>(landFortress); }
    float GetIncome() const { return baseIncome; }
    static CStandsTuple GetTax() { return CStandsTuple(0.5f, 0.3f, 0.1f, 0.1f); }
    // Each share held to 0..1, then made to sum to 1.
    CStandsTuple GetPrivileges() const;
    CStandsTuple GetLoyalty() const;
    void ChangeLoyalty(const CStandsTuple& change);
    bool HasImprovementUnderConstruction() const { return construction != kNoImprovement; }
    // Not held yet and the type's requirements hold here; false for a type outside the table.
    bool CanBuildImprovement(int type) const;
    // What the province is worth in a war: 25, and 5 more under 1 gold a month, else 5 per gold up to
    // 20 gold and 100 above.
    float GetWarValue() const;
    int GetConstruction() const { return construction; }
    const CDate& GetCompletionDate() const { return constructionDone; }
    const CAdvanceTuple& GetAdvances() const { return advances; }
    const CProvinceImprovementTuple& GetImprovements() const { return improvements; }
    const CProvinceEffectTuple& GetEffects() const { return effects; }
    bool HasAdvance(int advance) const { return advances.Exists(advance); }
    bool HasImprovement(int type) const { return improvements.Exists(type); }
    bool HasEffect(int effect) const { return effects.Exists(effect); }
    const CModifier& GetModifier() const { return modifier; }
    // Hands over the whole current levy, which is empty afterwards.
    CMilitaryComposition GetRegimentSize();
    void ClearRegimentSize();
    // Adds to the current levy, each troop type held to the maximum levy.
    void AddManpower(const CMilitaryComposition& men);
    // The supply a province carries before attrition: a base by terrain plus the modifier's share.
    int GetAttritionCap() const;
    // The terrain's part of that base.
    int GetTerrainSupply() const;

    // --- Changing state; each recomputes the modifier ---
    void AddAdvance(int advance);
    void RemoveAdvance(int advance);
    void AddEffect(int effect);
    void RemoveEffect(int effect);
    // Creating the type under construction completes the construction.
    void CreateProvinceImprovement(int type);
    void DestroyProvinceImprovement(int type);
    // The improvements', effects' and advances' modifiers on the neutral one.
    void CalcModifier();

    // Estates (province.cpp) and construction (province_works.cpp).
    // Raises estate i's privileges by x, taking up to x / 3 from each other estate's share, every gain at
    // 0.8; the change goes to loyalty and privileges alike, both held to 0..1. An estate outside 0..3 or
    // an amount that is no finite number changes nothing.
    void ChangePrivileges(int estate, float x);
    // Marks the type under construction from today for its build time; the owner pays its cost. A type
    // outside the table changes nothing.
    void StartConstruction(int type);
    // The owner gets back the part of the cost for the time not yet built; nothing is built afterwards.
    void CancelConstruction();

    // --- Drawing state ---
    // Held to 0..31.
    void SetLight(int value);
    void SetLightRelative(int change);
    // The map texture carries bit 32 while the province is hidden and only its low five bits while seen.
    void SetViewable(bool seen);
    void SetTexture(int value);
    // The besieging character, or null.
    CCharacter* GetSieger() const;

    // --- Control ---
    // Moves the province number from the old controller's controlled provinces to the new one's (0 for
    // none; a number outside the table counts as none).
    void InitController(CRZCountryID realm);
    // A change of control: the occupation ends, nobody means the rebels (or none without them), and the
    // owner areas and both controllers' supply follow.
    void SetController(CRZCountryID realm);

    // --- Events, daily and monthly update ---
    void HandleGameStarted();
    void handleTimerDay();
    void HandleMonthly();
    // Host only: at most one estate revolts a day, and only below loyalty 0.2.
    void CheckRevolts();
    void CreateRevolt(int estate);
    // Vacant counties (province_vacant.cpp). Host only: a land province whose county title has lost its
    // holder gets a new count, made among the rebels, who inherits the county from the last holder.
    void FillVacantCounty();
    // The maximum levy from the owner's demesne, the estates' shares, the military law and the terrain.
    void CalculateRegimentSize();
    // The month's income to the owner (and the liege's scutage); nothing unless the owner controls it.
    void DoContributeScore();
    void DetemineStrategicValue();
    // One buffer shared by every province, overwritten by the next call.
    const char* GetAttritionCapInfo() const;
    // Men of the armies here by their realm's stance towards the realm.
    void GetTroopStrength(const CRZCountry& realm, int& enemy, int& neutral, int& friendly) const;
    void CombatStarted(const DynamicID& battle);
    void CombatEnded(const DynamicID& battle);

    // --- Sieges, occupation, conquest ---
    void UpdateOccupation();
    // Returns the new progress; at 1 the host hands the province to the best occupier.
    float AddOccupation(float change, CRZCountry* besieger, CCharacter* character);
    void ClearOccupation();
    CRZCountry* GetBestOccupier(CRZCountry* besieger) const;
    void Conquer(CRZCountry* realm);

    // --- Supply ---
    // A controller and an owner that is none, friendly or at war: a neutral owner blocks.
    bool CanTraceSupply(const CRZCountry& realm) const;
    bool IsTrueSupplySource(const CRZCountry& realm) const;
    int CountSupplySources(const CRZCountry& realm);
    void SupplyAllVisited(int count);
    void UpdateSupply(const CRZCountry* realm);
    static void UpdateAllSupply(const CRZCountry& realm);
    bool HasAdjacentSupplySource(const CRZCountry& realm) const;
    bool CanSupply(const CRZCountry& realm) const;

    // Identity and geography
    int32_t number = 0;
    int32_t terrain = TERRAIN_OCEAN;
    RZArea area = 0;
    int32_t region = 0;
    std::vector<Adjacent> neighbours;
    int32_t addedNeighbours = 0; // after the map's table: the straits
    std::vector<int32_t> spreadNeighbours;
    int32_t portSeaZone = 0;
    std::unique_ptr<CRZPort> port; // only while the port sea zone is above 0
    bool riverCrossing = false, coastal = false, touchesLand = false;
    int32_t strategicValue = 0;
    CPoint castle, siege, siegeCopy, harbour, works;
    // The map's bounding box of the province, in world pixels.
    CRect boundingBox;
    int32_t decorations = 0; // terrain decorations kept from the table row, 0..4
    CRZOwnerArea* ownerArea = nullptr;

    // People
    // Culture and religion numbers (CRZCulture, CRZReligion); held as plain words because the events'
    // records declare the two types in a form of their own.
    int32_t culture = 3;
    int32_t religion = 0;
    CStandsTuple privileges;
    CStandsTuple loyalty;
    int32_t revoltRisk = 0;

    // Economy
    float baseIncome = 10.0f;
    CModifier modifier;
    CProvinceImprovementTuple improvements;
    CProvinceEffectTuple effects;
    CAdvanceTuple advances;
    int32_t construction = kNoImprovement;
    CSimpleScore constructionCost;
    CDate constructionStart, constructionDone;

    // Military
    int32_t landFortress = 0, coastalFortress = 0;
    CMilitaryComposition maximumLevy, currentLevy;
    // The current levy's total, kept for display and the monthly manpower sums.
    float manpowerTotal = 0.0f;
    CRZID levyRegiment = NOID;
    float occupation = 0.0f;
    CRZID sieger = NOID;

    // Sieges and supply
    // Not owned: the armies list themselves here while they stand in the province.
    CList<CRZUnit*> units;
    CList<DynamicID> battles;
    int32_t supplyCount = 0; // -1 marks a neighbour while the supply is counted
    bool supplyVisited = false;
    // Stands in for a missing controller during a siege.
    CRZCountryID fallbackController = 0;

    // Politics
    CRZCountryID controller = 0;
    // Looked up afresh for a county number; set by hand only where a world has no county of that number.
    mutable CTitle* countyTitle = nullptr;
    CDate lastConquest, lastControllerChange;
    // Host only, never saved: the count made for the vacant county while his inheritance is on its way.
    CRZID vacancyHeir = NOID;
    CRZCountryID titleRealms[5] = {}; // duchy, kingdom, then three more

    // Drawing: the map's colour index (bit 32 while hidden), light 0..31 and the fog of war.
    int32_t texture = 0;
    int32_t light = 15;
    bool viewable = true;

    // Filled by the map with its array; GetProvince reads it.
    static CProvince* _pProvince[kMapProvinceCount];
    // The province table, open from start to exit (the map sets it).
    static CExcelParse* DataBase;
    static constexpr const char* kTable = "db\\province.csv";
    static constexpr const char* kSpreadTable = "db\\spreadneighbours.csv";

private:
    void UpdateFlags(const Adjacent& neighbour);
};
