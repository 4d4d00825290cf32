// CRZCountry, one realm of the game world: its diplomacy, stability, laws, budget and lists, the country
// table that holds every realm by number, the control table and the factory that builds each realm's kind.
#pragma once

#include <cstdint>

#include "characters/character.h"
#include "characters/law.h"
#include "events/event_types.h"
#include "events/records_army.h"
#include "events/record_types.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/rz_obj.h"
#include "foundation/ref.h"
#include "realms/areas.h"
#include "realms/base_vp.h"
#include "realms/modifier.h"
#include "realms/score.h"

class CClaim;
class CDivision;
class CRequest;
class CRZLandArea;
class CRZUnit;

// Realm numbers that are no real country: none, the realm of nobody, the rebels.
inline constexpr int32_t kNoCountry = 0;
inline constexpr int32_t kNobodyCountry = 1401;
inline constexpr int32_t kRebelCountry = 1422;
inline constexpr int32_t kFirstDuchy = 1000;
inline constexpr int32_t kFirstKingdom = 1263;

// Who controls a country number (gCountryControl).
enum CountryControl : int32_t {
    CONTROL_COMPUTER = 0,
    CONTROL_LOCAL_PLAYER = 1,
    CONTROL_NETWORK_PLAYER = 2,
    CONTROL_REBELS = 4,
};

// A realm's map colour.
struct CCountryColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const CCountryColor&) const = default;
};

enum FormOfGoverment : int32_t { GOV_FEUDAL = 0, GOV_REPUBLIC = 1, GOV_ECCLESIASTICAL = 2, GOV_KNIGHT_ORDER = 3 };

// The tier a realm stands on; realms begin as counties.
enum CountryTier : int32_t { TIER_COUNTY = 0, TIER_DUCHY = 1, TIER_KINGDOM = 2 };

// Budget slider order.
enum BudgetSlider : int32_t { SLIDER_SCUTAGE, SLIDER_CROWN_DUTY, SLIDER_CENSUS, SLIDER_TOLLS, SLIDER_UPKEEP, SLIDER_CHURCH };
inline constexpr int kBudgetSliders = 6;

// The realm's event handlers, in the order of its virtual table. Each takes the event and returns the
// value the router hands back.
#define VM_COUNTRY_HANDLERS(X)                                                                                \
    X(handleNewRuler) X(handleCreateRandomCousin) X(handleMobilizeHost) X(handleMobilizeProvince)             \
    X(handleGrantTitle) X(handleGrabTitle) X(handleUsurpTitle) X(handleClaimTitle) X(handleCreateBishopry)    \
    X(handleAddCulture) X(handleRemoveCulture) X(handleChangeBudget) X(handleDiplomaticEvent)                 \
    X(handleChangeTag) X(handleExecuteEvent) X(handleGameStarted) X(handleSetAnnexation) X(handleSetUpWar)    \
    X(handleWeDeclareWar) X(handleTheyDeclareWar) X(handleJoinWar) X(handleProvinceChangeControl)             \
    X(handleProvinceChangeOwner) X(handleBattleWon) X(handleSiegeWon) X(handleBattleLost)                     \
    X(handleSiegeLost) X(handleUnitDelete) X(handleExecRelation) X(handleSendGift) X(handleDisbandUnit)       \
    X(handleRenameObject) X(handleChangeModifier) X(handleTransferAllArmies) X(handleTimerTickLoop)           \
    X(handleTimerYear) X(handleTimerMonth) X(handleTimerDay) X(handleCreateArmy) X(handleCreateDivision)      \
    X(handleAddDivision) X(handleRemoveDivision) X(handleReinforceDivision) X(handleKillDivision)             \
    X(handleCreateCountryEvent) X(handleSetSendDate) X(handleSwitchAllegiance) X(handleAssassinate)           \
    X(handleAddCore) X(handleRemoveCore) X(handleSetAnnex) X(handleCheckEcoData) X(handleWinSiege)            \
    X(handleRebelSpawnRate) X(handleEventChance) X(handleTransferDivision) X(handlePeace)                     \
    X(handleStartBuildingProvinceImprovement) X(handleCancelBuildingProvinceImprovement)                      \
    X(handleCreateProvinceImprovement) X(handleDestroyProvinceImprovement) X(handleAddAdvance)                \
    X(handleRemoveAdvance) X(handleSetReligion) X(handleSetCulture) X(handleAddProvinceEffect)                \
    X(handleRemoveProvinceEffect) X(handleChangePeasantNoblesPrivileges)                                      \
    X(handleChangeBurgherClergyPrivileges) X(handleInstituteLaw) X(handleSetDevelopmentFocus)                 \
    X(handleStartCrusades)

class CRZCountry;

// A scripted event's chance for a realm, by event number.
struct CIDFloat {
    int32_t id = 0;
    float chance = 0.0f;
    bool operator==(const CIDFloat&) const = default;
};

// What the realms need of the layers above them; the game installs these once. An unset kind makes the
// factory fall back on a plain realm, an unset army route leaves the armies out.
struct CountryHooks {
    // This machine runs the host's side of the game.
    bool (*IsHost)() = nullptr;
    // A tutorial game is being played.
    bool (*IsTutorial)() = nullptr;
    // Builders of the computer opponent's, the local player's and the tutorial's realms.
    CRZCountry* (*MakeAI)() = nullptr;
    CRZCountry* (*MakePlayer)() = nullptr;
    CRZCountry* (*MakeTutorial)() = nullptr;
    // Hands an event to one army; returns its answer.
    int (*UpdateArmy)(CRZUnit* army, CRZEvent* event) = nullptr;
    // The identities the realm's division operations put in their events.
    DynamicID (*GetDivisionID)(const CDivision* division) = nullptr;
    DynamicID (*GetArmyID)(const CRZUnit* army) = nullptr;
    // The armies' side of the kill-division and add-division handlers: each answers as its handler.
    int (*KillDivision)(CRZCountry* realm, const CRZKillDivisionEventData& record) = nullptr;
    int (*AddDivision)(CRZCountry* realm, const CRZAddDivisionEventData& record) = nullptr;
    // Destroys a dying realm's army with its divisions. Unset, the realm leaves its armies to whoever made
    // them.
    void (*DestroyArmy)(CRZUnit* army) = nullptr;
};
extern CountryHooks gCountryHooks;

// Who controls each country number (CountryControl values).
extern int32_t gCountryControl[kCountryTableSlots];
// Every entry to the computer, the rebels' to the rebels.
void ClearCountryControl();

class CRZCountry : public CRZObj, public CRZStaticObject {
public:
    CRZCountry();
    // Leaves its slot of the table empty and frees its armies (through the armies' hook) and its pending
    // requests.
    ~CRZCountry() override;

    // Builds the realm for id by its control entry and stores it in the table; numbers outside 0..1422
    // are refused with a log line.
    static void ConstructCountry(CRZCountryID id);
    static void InitCountryArray();
    // Deletes every realm of the table.
    static void DeleteAll();

    // False for 0, the realm of nobody and the rebels, and outside the table.
    static bool IsRealCountry(int index);
    // The realm at index, null outside 0..1422 or where none exists.
    static CRZCountry* GetCountry(int index);
    // The table as the identity registry asks it; null outside the table.
    static CRZStaticObject* FindStatic(uint32_t index);

    // The router: hands the event to its handler and returns the handler's answer.
    int Update(CRZEvent* event) override;
    // Hands the event to the armies, except the month, year, game-started and refresh-windows events.
    int UpdateSubObjects(CRZEvent* event);

    virtual void Cleanup() { }
    virtual int Init() { return 0; }
    virtual int Shutdown() { return 0; }
    virtual bool IsAI() const { return false; }
    virtual void intializeAI() { }
    // The rebels answer with the registry's name for them.
    const char* GetName() const override;

#define VM_COUNTRY_DECLARE_HANDLER(name) virtual int name(CRZEvent* event);
    VM_COUNTRY_HANDLERS(VM_COUNTRY_DECLARE_HANDLER)
#undef VM_COUNTRY_DECLARE_HANDLER
    // The request is owned by the caller; the plain realm accepts nothing and answers 3.
    virtual int handleRequest(CRequest* request);
    virtual int handleResponse(CRequest* request, int answer);
    virtual int handleGodMode(bool on);

    // Asks the host to stop the construction in the province; this realm's handler carries it out.
    void CancelBuildingProvinceImprovement(const CProvince& province);
    // God mode on or off for this realm on every machine.
    void SetGodMode(bool on);
    bool IsGodMode() const { return godMode; }
    // Renews the fog of war of the realm's view of the map; only the local player's realm has one.
    virtual void RefreshFogOfWar() { }
    virtual int handleCrusadesLost();
    virtual int handleCrusadesWon();
    int handleRequestCharacterTransfer(CRZEvent* event);
    virtual void MergeAllRebels() { }

    // The realm's record in scenarios and saved games (country_record.cpp). ParseFields reads the block
    // after its tag up to and including its "}", then chooses the capital: 0, or -2 for a statement
    // without "=". An unknown key abandons the load with "Country : Unexpected field", a province outside
    // 1..1003 with "Illegal province ID  %d", more than 1423 relations with "Country : Too many
    // relations". GetScript: a new statement list the caller owns.
    int ParseFields(CRZParser& parser) override;
    CLScript* GetScript() const;
    // The best owned province becomes the capital and the acting capital; without one the capital stays.
    void SetCapital();

    // Opinion of another realm, kept between -200 and 200. Numbers outside the table read 0 and change
    // nothing.
    float GetRelation(CRZCountryID other) const;
    void SetRelation(CRZCountryID other, float value);
    // Changes both sides' opinion alike; returns the clamped value, or the unclamped sum when the other
    // realm does not exist.
    float ChangeRelation(CRZCountryID other, float change);

    // Half the sum of: 0.5 for rulers of one religion (-1 otherwise), 0.5 for one culture, -2 at war, -1.5
    // when the other's ruler is this ruler's rival, 1 when his friend, and this ruler's base compatibility
    // with him. 0 when either realm has no ruler.
    float GetMonthlyRelationChange(const CRZCountry* other) const;
    bool IsEnemy(CRZCountryID other) const;
    // At war with it, rulers who are no religious enemies, or one top realm; a number outside the table has
    // no access.
    bool HasAccessWith(CRZCountryID other);
    bool IsFriend(CRZCountryID other) const { return other == index; }
    bool IsAllied(CRZCountryID) const { return false; }
    bool AreWeAllied(CRZCountryID) const { return false; }
    bool IsWuss() const { return false; }
    void MakeJealousNeighbours() { }
    bool IsLocal() const;
    // For a realm a human plays (here or elsewhere), the settings' difficulty less 2; 0 for the others and
    // before the settings exist.
    int GetDifficultyModifier() const;
    // A neutral modifier in one static object, reset on every call.
    static CModifier& GetModifier();

    static float GetBadBoyLimit() { return 25.0f; }
    float GetBadBoy() const { return badBoy; }
    // Never below 0.
    void AddBadBoy(float amount);
    float GetStability() const { return stability; }
    // Kept between -3 and 3.
    void ChangeStability(float change);

    bool HasLaw(int law) const { return laws.Exists(law); }
    // A copy of the realm's law tuple's flags.
    const CLawTuple& GetLaws() const { return laws; }
    // Takes the other realm's laws, form of government and development focus.
    void AdoptLawsEtc(const CRZCountry* from);
    FormOfGoverment GetFormOfGoverment() const { return formOfGovernment; }
    void ImmidiateSetFormOfGoverment(FormOfGoverment form) { formOfGovernment = form; }

    bool IsCounty() const { return tier == TIER_COUNTY; }
    bool IsDuchy() const { return tier == TIER_DUCHY; }
    bool IsKingdom() const { return tier == TIER_KINGDOM; }
    // The realm in the table answers; an empty slot answers by the number's range.
    static bool IsCounty(CRZCountryID id);
    static bool IsDuchy(CRZCountryID id);
    static bool IsKingdom(CRZCountryID id);
    static bool IsMongolNumber(CRZCountryID id) { return id == 1347 || id == 1351; }

    void SetTag(const char* text);
    const char* GetTag() const { return tag; }
    const char* GetAIPrefsFile() const { return aiPrefsFile; }
    // Keeps at most 16 characters, always terminated.
    void SetAIPrefsFile(const char* text);

    // Membership; the realm holds nodes only.
    void AddCharacter(CCharacter* character);
    void RemoveCharacter(CCharacter* character);
    void AddRulerImmidiatly(CCharacter* character);
    CList<CCharacter*>& GetCourt() { return court; }
    CList<CCharacter*>& GetCountryMembers() { return members; }

    // True for a realm head (its ruler has no liege).
    bool IsRealm() const;
    // The realm head at the top of the liege chain.
    CRZCountry* GetRealm();
    // Renews the neighbour flags, border shares, neighbour list, coastal share and home-area count from
    // the owned provinces.
    void RefreshKnowledge();
    // 10 per owned province and per vassal realm, plus the ruler's prestige and piety.
    float CalcRankingScore();
    // Kills the division through the kill-division event, processed here and sent to every machine when
    // send is set; message asks the local player to be told.
    void KillDivision(CDivision* division, bool message, bool send);
    // Moves the division into the army (which belongs to this realm) on every machine.
    void AddDivision(CRZUnit* army, CDivision* division);

    // The realm's army with the identity, or null.
    CRZUnit* GetUnit(const DynamicID& armyId) const;

    // The capital when the realm controls it, otherwise the acting capital.
    int32_t GetActingCapital() const;
    // The area of the acting capital's province; 0 without one.
    RZArea GetHomeArea() const;

    // The realm's land areas, not owned: the areas delete themselves.
    void AddLandArea(CRZLandArea& area);
    void RemoveLandArea(CRZLandArea& area);

    // Straight-line map distance of two provinces (their castle positions) in hundreds of pixels, the
    // shorter way round the map, which wraps at 9472 pixels; 0 for one province, 9999 for a number that
    // names none.
    static float GetDistance(int provinceA, int provinceB);
    // For every realm number: the distance of the two capitals, 9999 without a realm or a capital.
    void CalculateDistances();
    // Owned provinces of another religion than a catholic or orthodox ruler's; 0 for other rulers.
    void CalculateHereticOwned();
    // Whether the top realm, its vassals or theirs control a province with a port.
    void CalcRealmHasCoast();

    // The ruler's county provinces; an empty list without a ruler.
    const CList<int32_t>& GetOwnedProvinces() const;
    // The ruler's claims on titles whose holder belongs to the realm, in his claim order; identities that
    // name no claim any more leave his list on the way. The list is the caller's.
    CList<CClaim*> GetClaimsAgainst(CRZCountryID other);
    bool HaveClaimsAgainst(CRZCountryID other)
    {
        return !GetClaimsAgainst(other).IsEmpty();
    }
    // Fills the offices 2 to 6 from the untitled courtiers, each given to the best suited, a holder keeping
    // his office against an equal, and asks the character server for each change.
    void AssignCourt();
    void CalculatePower()
    {
        power[0] = power[1] = 1.0f;
    }
    // The ruler's culture, or 0 (none) without a ruler.
    int32_t GetPrimaryCulture() const;
    bool IsMongol() const;
    // The ruler's score; zero without a ruler. AddScore adds the composite's total to it.
    CSimpleScore GetScore() const;
    void AddScore(const CScore& score);

    // Numbers of the realms whose rulers have this ruler as liege, in number order; built on first use.
    CRZCountryList* GetVassals();
    void RefreshVassals();
    // Every member but the ruler, in member order.
    void RefreshCourt();
    // A new, empty list each time; the realm owns it.
    CRZCountryList* GetAllies();
    // The chosen group becomes the focus of its category; an unknown group changes nothing.
    void SetDevFocus(int group);
    // The share of demesne income the realm keeps, 0 to 1: a tenth less for each owned province past the
    // demesne limit (half the ruler's intrigue, grown with the years and the tier), plus the bonus.
    float GetDemesneIncomeModifier(float bonus) const;
    // The unit nationality of the realm's registry record.
    int32_t GetUnitNationality() const;
    // The colour of the registry record's colour class, as red, green, blue.
    static CCountryColor GetCountryColor(CRZCountryID id);

    // Its position in the country table.
    int32_t index = 0;
    char tag[256] = {};
    char aiPrefsFile[17] = "minor_default.ai";
    float power[2] = { 1.0f, 1.0f };
    float coastalShare = 0.0f;
    bool willInherit = false;
    FormOfGoverment formOfGovernment = GOV_FEUDAL;
    CountryTier tier = TIER_COUNTY;
    CLawTuple laws;
    CCharacter* ruler = nullptr;
    CList<CCharacter*> court;
    CList<CCharacter*> members;
    CCharacter* courtPositions[5] = {};
    CDate lastWar;
    CDate lastPeace;
    CRZCountryList* vassals = nullptr;
    CRZCountryList* allies = nullptr;
    // Owned; requests this realm sent and awaits an answer to.
    CList<CRequest*> pendingRequests;
    float badBoy = 0.0f;
    float relations[kCountryTableSlots] = {};
    int32_t devFocus[3] = { 0, 12, 22 };
    float stability = 0.0f;
    float budget[kBudgetSliders] = { 0.5f, 0.5f, 0.5f, 0.5f, 1.0f, 0.5f };
    bool hasCoast = false;
    bool godMode = false;
    CList<CRZUnit*> armies;
    CList<int32_t> controlledProvinces;
    CList<CRZLandArea*> landAreas;
    CList<int32_t> coreProvinces;
    uint8_t neighbourFlags[kCountryTableSlots] = {};
    float borderShares[kCountryTableSlots] = {};
    float distances[kCountryTableSlots] = {};
    // Realm indexes of neighbouring realm heads.
    CList<int32_t> neighbours;
    CList<int32_t> secondCountries;
    int32_t capital = 0;
    bool annexed = false;
    int32_t homeAreaProvinces = 0;
    int32_t actingCapital = 0;
    int32_t rememberedCountry = 0;
    int32_t hereticProvinces = 0;
    float victoryPoints = 0.0f;
    float startingVictoryPoints = 0.0f;
    // Added victory points by source.
    float baseVP[8] = {};
    // One byte per other realm index.
    uint8_t truceFlags[kCountryTableSlots] = {};
    uint8_t allianceFlags[kCountryTableSlots] = {};
    uint8_t atWar = 0;
    uint8_t atWarWith[kCountryTableSlots] = {};
    uint32_t atWarWithReligion[kReligionCount] = {};
    // Sum over the divisions of men times attack times defence.
    float standingArmyPower = 0.0f;
    // Written monthly: the provinces' manpower summed up the liege chains.
    float manpowerSum = 0.0f;
    float realmManpowerSum = 0.0f;
    CDate lawDates[3];
    // Read from the record only: the starting victory points' sources, the scripted events' chances in
    // file order (a repeated event number included) and the events already fired.
    CRZBaseVP baseVictoryPoints;
    CList<CIDFloat> eventChances;
    CList<CRZTimeID> archivedGameEvents;

    // Indexed by realm number; null where no realm exists.
    static CRZCountry* _pCountry[kCountryTableSlots];
};

// The rebels' realm: at war with everyone.
class CRZRebels : public CRZCountry {
public:
    int Init() override { return 0; }
};

// True for a number inside the country table; logs the place that handed in a bad one.
bool IsCountryNumber(int64_t number, const char* where);
