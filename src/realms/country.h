// CRZCountry, one realm of the game world: its diplomacy, stability, laws, budget and lists, the country
// table that holds every realm by number, the control table and the factory that builds each realm's kind.
#pragma once

#include <cstdint>

#include "characters/character.h"
#include "characters/law.h"
#include "events/event_types.h"
#include "events/record_types.h"
#include "events/records_army.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/ref.h"
#include "foundation/rz_obj.h"
#include "realms/areas.h"
#include "realms/base_vp.h"
#include "realms/modifier.h"
#include "realms/score.h"

class CClaim;
class CDivision;
class CPeaceProposal;
class CWar;
class CRequest;
class CRZLandArea;
class CRZUnit;
class CRZDiplomaticEvent;
class CLawType;
class CAdvanceType;
class CAdvanceTypeGroup;
class CProvinceImprovementType;
class CProvinceEffectType;
class CTitle;
class CPeaceProposal;
class CProvince;

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

enum FormOfGoverment : int32_t {
    GOV_FEUDAL = 0,
    GOV_REPUBLIC = 1,
    GOV_ECCLESIASTICAL = 2,
    GOV_KNIGHT_ORDER = 3
};

// The tier a realm stands on; realms begin as counties.
enum CountryTier : int32_t { TIER_COUNTY = 0, TIER_DUCHY = 1, TIER_KINGDOM = 2 };

// How a host is called up: the realm's own, with the vassals its liege may call, the grand host.
enum MobilizationType : int32_t { MOBILIZE_OWN_HOST = 1, MOBILIZE_WITH_VASSALS = 2, MOBILIZE_GRAND_HOST = 3 };

// Budget slider order.
enum BudgetSlider : int32_t {
    SLIDER_SCUTAGE,
    SLIDER_CROWN_DUTY,
    SLIDER_CENSUS,
    SLIDER_TOLLS,
    SLIDER_UPKEEP,
    SLIDER_CHURCH
};
inline constexpr int kBudgetSliders = 6;

// The realm's event handlers, in the order of its virtual table. Each takes the event and returns the
// value the router hands back.
// The formatter would re-flow this list mid-name, so it is kept by hand.
// clang-format off
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
// clang-format on

// Defined outside the class: a definition inside its body throws the formatter off for the rest of it.
#define VM_COUNTRY_DECLARE_HANDLER(name) virtual int name(CRZEvent* event);

class CRZCountry;

// A scripted event's chance for a realm, by event number.
struct CIDFloat {
    int32_t id = 0;
    float chance = 0.0f;
    bool operator==(const CIDFloat&) const = default;
};

// An army as the realm's questions see it.
struct CArmyState {
    int32_t province = 0;
    bool inBattle = false;
    const CRZCountry* owner = nullptr;
    // Men in all its divisions.
    float strength = 0.0f;
    // It has a path to march, or is no valid opponent in battle.
    bool hasPath = false;
    bool excluded = false;
};
// The army as the armies describe it; a blank state while they are not wired.
CArmyState StateOf(const CRZUnit* army);

// How many courtiers the realms have had made, and how many of them women: the gender of the next one
// evens them out.
struct CCourtierCounters {
    int32_t characters = 0;
    int32_t women = 0;
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
    // Where the army stands, whether it fights and whose it is, for the realm's questions.
    CArmyState (*GetArmyState)(const CRZUnit* army) = nullptr;
    // The armies' side of the kill-division and add-division handlers: each answers as its handler.
    int (*KillDivision)(CRZCountry* realm, const CRZKillDivisionEventData& record) = nullptr;
    int (*AddDivision)(CRZCountry* realm, const CRZAddDivisionEventData& record) = nullptr;
    // Destroys a dying realm's army with its divisions. Unset, the realm leaves its armies to whoever made
    // them.
    void (*DestroyArmy)(CRZUnit* army) = nullptr;

    // Realm timers: what the ticks need of the world. Unset, the step is left out.
    // The world's counters of courtiers created and of the women among them.
    CCourtierCounters* (*GetCourtierCounters)() = nullptr;
    // The running game was read from a saved game, not a scenario.
    bool (*IsSavedGame)() = nullptr;
    // The map's colours are to be drawn again.
    void (*InvalidateMap)() = nullptr;
    // The local player's realm starts without the no-fog-of-war cheat.
    void (*ClearNoFogCheat)() = nullptr;
    // The game has begun (its session says so); unset, a game counts as not started.
    bool (*IsGameStarted)() = nullptr;
    // Tells the local player: a message of the type about the realm, its four texts and a province
    // number. Unset, nothing is shown.
    void (*ShowMessage)(int type, CRZCountryID realm, const char* first, const char* second,
        const char* third, const char* fourth, int number)
        = nullptr;
    // Fires the scripted event of that number for the character, when such an event exists.
    void (*TriggerScriptedEvent)(int number, CCharacter* character) = nullptr;

    // Armies and mobilisation: the armies' side of raising and deleting armies and of the division
    // handlers, and what the computer opponents hear of it. Unset, the step is left out.
    // The army registered under the identity, of the realm, standing in the province, led by the agent
    // (NOID for none).
    CRZUnit* (*NewArmy)(
        CRZCountry* realm, const DynamicID& id, const CDate& date, int province, const CRZID& agent)
        = nullptr;
    // After the realm let the army go: the local player hears of an army left without troops, the army
    // leaves its province and battle, and the first deletion posts the kill event that frees it.
    void (*RetireArmy)(CRZCountry* realm, CRZUnit* army) = nullptr;
    // The army leaves without a fading picture.
    void (*MarkArmyFading)(CRZUnit* army) = nullptr;
    // Each answers as its handler.
    int (*CreateDivision)(CRZCountry* realm, const CRZDivisionEventData& record) = nullptr;
    int (*RemoveDivision)(CRZCountry* realm, const CRZAddDivisionEventData& record) = nullptr;
    void (*TransferDivision)(const DynamicID& division, CRZCountryID realm) = nullptr;
    // The computer opponents' router on the host: a notification with its two values, an army gone.
    void (*NotifyAI)(int notification, int first, int second) = nullptr;
    void (*NotifyArmyDeleted)(CRZUnit* army) = nullptr;
    // A computer realm drops the requests still waiting for its answer from a realm that is gone.
    void (*RemoveRequestsFrom)(CRZCountry& realm, CRZCountryID sender) = nullptr;

    // Tag change: what holds a realm's number outside the realms. Unset, the step is left out.
    // The host's diplomacy server renumbers the requests it keeps for their answers.
    void (*ChangeTagOfRequests)(CRZCountryID from, CRZCountryID to) = nullptr;
    // The battle the army fights, if any, lists its realm under the new number.
    void (*ChangeTagOfBattle)(CRZUnit* army, CRZCountryID from, CRZCountryID to) = nullptr;
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

    VM_COUNTRY_HANDLERS(VM_COUNTRY_DECLARE_HANDLER)
    // The request is owned by the caller; the plain realm accepts nothing and answers 3.
    virtual int handleRequest(CRequest* request);
    virtual int handleResponse(CRequest* request, int answer);
    // Diplomatic requests (request.cpp).
    // Whole days this realm has to answer a request from the other: 60 unless the computer plays it, else
    // 30 times its response-time modifier over the sender's.
    int GetMaxDiplomaticResponseTime(const CRZCountry* from) const;
    virtual int handleGodMode(bool on);

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
    bool HaveClaimsAgainst(CRZCountryID other) { return !GetClaimsAgainst(other).IsEmpty(); }
    // Fills the offices 2 to 6 from the untitled courtiers, each given to the best suited, a holder keeping
    // his office against an equal, and asks the character server for each change.
    void AssignCourt();
    void CalculatePower() { power[0] = power[1] = 1.0f; }
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
    // Owned provinces past this many cost demesne income.
    float GetDemesneLimit() const;
    // The unit nationality of the realm's registry record.
    int32_t GetUnitNationality() const;
    // The colour of the registry record's colour class, as red, green, blue.
    static CCountryColor GetCountryColor(CRZCountryID id);

    // Realm actions (country_actions.cpp): each asks for a change through an event (to the realm itself,
    // to a host-side server or, with a diplomatic request, to the host) and changes nothing itself.
    // Diplomatic requests go to the host, which asks the other realm; the local player is told it went out.
    void OfferVassalization(CRZCountry* target);
    void PledgeAllegience(CRZCountry* target);
    void OfferAlliance(CRZCountry* target);
    // To the guardian's realm.
    void SendFosterling(CCharacter* child, CCharacter* guardian);
    void ProposeMarrige(CRZCountry* target, CCharacter* ours, CCharacter* theirs);
    // To the realm of the title's holder.
    void RevokeTitle(CTitle* title);
    // The realm itself calls up its own host at once; another realm is asked, and with vassals every
    // vassal of it that it may call up is asked as well.
    void MobilizeHost(CRZCountry* target, MobilizationType type);
    // The realm's own grand host, and every vassal it may call up.
    void MobilizeGrandHost();
    void DeclareWar(CRZCountryID target, bool firstFlag, bool secondFlag);
    void DeclareWar(CRZCountry* target, bool firstFlag, bool secondFlag);
    void LiberateVassal(CRZCountryID vassal, bool flag);
    void GrantTitle(CCharacter* character, CTitle* title);
    void GrabTitle(CCharacter* character, CTitle* title);
    void UsurpTitle(CCharacter* character, CTitle* title);
    void ClaimTitle(CCharacter* character, CTitle* title);
    void CreateBishopry(CCharacter* character, CTitle* title);
    void AcceptTrade(CRZDiplomaticEvent* offer);
    void DeclineTrade(CRZDiplomaticEvent* offer);
    // The shares in slider order: scutage, crown duty, census tax, tolls, upkeep, church.
    void ChangeBudget(float scutage, float crownDuty, float census, float tolls, float upkeep, float church);
    void InstituteLaw(const CLawType& law);
    void SetDevelopmentFocus(const CAdvanceTypeGroup* group);
    void StartBuildingProvinceImprovement(const CProvince& province, const CProvinceImprovementType& type);
    // Asks the host to stop the construction in the province; this realm's handler carries it out.
    void CancelBuildingProvinceImprovement(const CProvince& province);
    void CreateProvinceImprovement(const CProvince& province, const CProvinceImprovementType& type);
    void DestroyProvinceImprovement(const CProvince& province, const CProvinceImprovementType& type);
    void AddAdvance(const CProvince& province, const CAdvanceType& advance);
    void RemoveAdvance(const CProvince& province, const CAdvanceType& advance);
    void AddProvinceEffect(const CProvince& province, const CProvinceEffectType& effect);
    void RemoveProvinceEffect(const CProvince& province, const CProvinceEffectType& effect);
    void ChangeProvinceReligion(const CProvince& province, RZReligionType religion);
    void ChangeProvinceCulture(const CProvince& province, RZCultureType culture);
    void ChangePeasantNoblesPrivileges(const CProvince& province, float change);
    void ChangeBurgherClergyPrivileges(const CProvince& province, float change);
    void SetNewRuler(CCharacter* character);
    // The character that now bears the new identity, or null when the character server made none.
    CCharacter* CreateRandomCousin();
    void Assassinate(CCharacter* victim);
    void MobilizeProvince(int province, MobilizationType type);
    void CreateArmy(const DynamicID& army, int number);
    // The advances and the strength in the form the division event carries them.
    void CreateDivision(const DynamicID& unit, int province, CCharacter* leader, RZCultureType culture,
        const CAdvanceTupleRecord& advances, const CMilitaryCompositionRecord& strength, bool firstFlag,
        bool secondFlag, bool thirdFlag);
    void AddDivision(const DynamicID& unit, CDivision* division);
    void AddDivision(const DynamicID& unit, const DynamicID& division);
    void RemoveDivision(CDivision* division);
    void DemobilizeUnit(CRZUnit* army);
    // The first army stays; every other one joins it, in list order. One army alone posts nothing.
    void Merge(const CList<CRZUnit*>* list);
    void RefreshWindows();
    // Allows the next diplomatic message to the receiver seven days from today, then sends the event.
    void SendDiplomaticEvent(CRZEvent* event, CRZCountryID receiver);
    void GiveControl(CRZUnit*, CRZCountry*) { }

    // Realm questions (country_questions.cpp): what the interface and the computer ask before an action.
    // They change nothing; a null argument or a number that names nothing answers no.
    bool IsByzans() const { return index == 1271; }
    bool HaveAccess(int) const { return true; }
    CProvince* GetCapitalProvince() const;
    bool HasDevelopmentFocus(int group) const;
    bool HasCountyToGiveAway() const { return controlledProvinces.GetSize() >= 2; }
    bool HasClaim(const CTitle* title) const;
    float GetRulerPower() const;
    // The ruler's; false without a ruler.
    bool CanAfford(const CScore& cost) const;
    // The first request this realm sent to the realm and still awaits, or null.
    CRequest* GetRequestTo(CRZCountryID other) const;
    bool HasRequestTo(CRZCountryID other) const { return GetRequestTo(other) != nullptr; }
    bool HasEcclesticalCourtmember() const;
    // The ruler's attributes with each filled office's own: marshal's martial, steward's stewardship,
    // chancellor's diplomacy, spymaster's intrigue.
    CAttributeTuple GetAttributes() const;
    bool HasPossibleClaimTitle(const CCharacter* character) const;
    int GetProvincialLimit(int) const { return 0; }
    int GetProvincialLimitAlreadyUsed(int) const { return 0; }
    // Succession laws wait 20 years after the last succession change, realm and church laws 5.
    CDate GetNextLegalChangeDate(int law) const;
    bool CanInstituteLaw(int law) const;
    bool IsAtWarWith(CRZCountryID other) const;
    bool CanDeclareWarOn(CRZCountryID other);
    bool CanHaveAlliances(CRZCountry* other);
    bool CanOfferAlliance(CRZCountry* other);
    bool CanOfferVassalization(const CRZCountry* other) const;
    bool CanPledgeAllegience(const CRZCountry* other) const;
    // The realm itself: some province it owns and controls has no raised levy. A vassal realm of this
    // ruler: no request to it waits and some province it owns and controls has an unraised levy above 10.
    bool CanMobilizeHost(CRZCountry* target);
    bool CanMobilizeGrandHost();
    bool CanMobilizeProvince(int province) const;
    // At war with the other and a war between the two exists.
    bool CanIOfferPeace(CRZCountryID other) const;
    bool CanAssassinate(const CCharacter* victim) const;
    bool CanExcommunicate(const CCharacter* character) const;
    bool CanSendFosterling(const CCharacter* child) const;
    // A duchy or kingdom whose provinces (0..1003, by county or duchy title) lie at least 66 percent
    // under the character's realm, and at least one exists.
    bool CanUsurpTitle(const CCharacter* character, const CTitle* title) const;
    bool CanGrabTitle(const CTitle* title) const;
    // A vacant title the character's realm holds 66 percent of (with his claim, one province) and whose
    // war value in gold he can pay.
    bool CanClaimTitle(const CCharacter* character, const CTitle* title) const;
    bool CanGrantTitle(const CTitle* title, const CCharacter* character) const;
    bool CanRevokeTitle(const CTitle* title) const;
    bool CanBuildImprovement(const CProvince& province, int type) const;
    bool CanCancelBuildImprovement(const CProvince& province) const;
    bool CanAddProvinceEffect(const CProvince& province, int effect) const;
    // The privilege being raised (nobles or clergy for a positive change, peasants or burghers otherwise)
    // must be below 1.
    bool CanChangePeasantNoblesPrivileges(const CProvince& province, float change) const;
    bool CanChangeBurgherClergyPrivileges(const CProvince& province, float change) const;
    // Armies as selected (a CRZSelectedUnitList): more than one, none fighting, all of this realm in one
    // province.
    bool CanMerge(const CList<CRZUnit*>& armies) const;
    CSimpleScore GetPledgeAllegienceCost(CRZCountryID) const { return CSimpleScore(0.0f, 25.0f, 0.0f); }
    CSimpleScore GetGrabTitleCost(const CCharacter* character, const CTitle* title) const;
    // Prestige and piety lost by moving from the church law in force to the law; nothing without one or
    // for the same law.
    CSimpleScore GetChangeChurchLawPenalty(int law) const;
    // The player's text for changing to the law, in a buffer of its own that the next call overwrites.
    const char* GetChangeLawEffect(int law) const;
    // Budget share bounds by the realm law (7..10) and the church law (11..14) in force.
    float GetMaxScutage() const;
    float GetMinScutage() const;
    float GetMaxCrownDuty() const;
    float GetMinCrownDuty() const;
    float GetMaxCensusTax() const;
    float GetMinCensusTax() const;
    float GetMaxTolls() const;
    float GetMinTolls() const;
    float GetMaxChurchDonations() const;
    float GetMinChurchDonations() const;
    // Monthly gold estimates for the budget window, over the provinces 0..1003.
    float GetMonthlyPossibleDemesneIncome() const;
    float GetMonthlyPossibleCrownDuty();
    float GetMonthlyPossibleCensusTax();
    float GetMonthlyPossibleTolls();
    float GetMonthlyPossibleScutage() const;
    float GetMonthlyPossibleToLiege() const;
    // The explanation of the demesne limit and penalty, in a buffer of its own.
    const char* GetDemesneIncomeModifierInfo() const;
    // Piety a month the ruler gives to the crusade: his power / 200 times the crusade's need / 10000, five
    // times that for a crusader, less a fifth per crusade the realm has counted; never below 0, and 0 for a
    // ruler who is not catholic or a world without a crusade.
    float GetCrusadesCost() const;
    int32_t crusadeCounter = 0;
    // Wars, peace and annexation (annex.cpp)
    // The wars this realm's ruler leads on either side, in the order of the list of wars; the first of
    // them against the other realm's ruler, or null.
    CList<CRZID> GetWars() const;
    CWar* GetWar(CRZCountryID other) const;
    // Takes the victim's provinces, armies and people; nothing for the rebels, a number without a realm,
    // or while another annexation is moving provinces.
    void Annex(CRZCountryID victim, bool extendConquestDate);
    // Settles the armies after a change of war and peace and, when asked, the occupied provinces.
    void AfterWarPeace(bool settleOccupations);
    // An army of a realm at war with this one stands in the province, has no path and may be fought.
    bool IsBesiegedByEnemy(const CProvince& province) const;
    // A realm of the titles for the ruler, numbered wanted when that is free, else the highest free number
    // from 1421 down; null without a county among the titles or without a free number.
    static CRZCountry* CreateCountryFromTitles(CList<CRZID>& titles, CCharacter* ruler, CRZCountryID wanted);
    // The highest number from 1421 down whose slot is empty; 0 when every one is taken.
    static CRZCountryID FindFreeCountryNumber();
    // Sends the proposal to the realm of its receiving leader as a sue-for-peace request.
    virtual void OfferPeace(const CPeaceProposal& proposal);
    // A vassal or an ally of this realm has gone to war; the computer's realms answer, the others do
    // nothing.
    virtual void VassalAtWar(CRZCountry*, CRZCountry*) { }
    virtual void AllyAtWar(CRZCountry*, CRZCountry*) { }
    // The army is no longer one of this realm's chosen armies; only the local player chooses.
    virtual void DeselectUnit(CRZUnit*) { }
    static bool _bAnnexationInProgress;

    // Realm timers (country_timers.cpp): the day, month and year ticks, the tick loop and the game start
    // keep the capital and seat valid, drift relations, pay the ruler and fill the courts.
    // 8 for a kingdom, 6 for a duchy, 4 for a county, less one per adult member; never below 0.
    int GetNeededCharacters() const;
    // Gold a month the realm's provinces could give to the church at a full share.
    float GetMonthlyPossibleChurchDonations() const;
    // The monthly loyalty change a budget share causes in an estate (0 peasants, 1 burghers, 2 clergy,
    // 3 nobles; 0 for any other); without a share, the realm's own.
    float GetLoyaltyProgress(int stand, float share) const;
    float GetLoyaltyProgress(int stand) const;
    // The piety the ruler gains a month from what the realm gives to the church.
    float GetMonthlyPiety() const;
    // Infamy forgotten in a month for the ruler's piety and the difficulty.
    float GetMonthlyBadBoyDecay() const;
    // Where the court sits while the capital is held by others: the best scored owned province.
    void RecalculateSeatOfGovernment();
    // Each share but upkeep lowered to its law's maximum, then raised to its minimum.
    void LimitSliders();
    // 1 for the strongest realm of the table.
    int32_t powerRank = 0;

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

    // Ruler and court (country_court_handlers.cpp).
    // This machine takes the host's steps; false while the game has not said.
    static bool OnHost() { return gCountryHooks.IsHost && gCountryHooks.IsHost(); }
    // Plots this realm has carried out, and the realm last exposed plotting against this realm's ruler.
    int32_t assassinationPlots = 0;
    CRZCountryID lastPlotter = 0;

    // Rebels and revolts (rebels.cpp).
    // On the host, every province of this realm that the rebels have held for over a year (at once with
    // the flag) asks to become the realm of its county; the rebels' armies there go over to it. Returns 0.
    int CreateCountriesFromRevolts(bool atOnce);
    // Walks the owned provinces; income is booked elsewhere.
    void IncomeProcess();

    // Armies and mobilisation (country_armies.cpp, country_army_handlers.cpp).
    // Builds an army of this realm in the province under the identity, processes its unit-finished event
    // here and returns it; null when the armies are not wired. The second identity is the record's and
    // unused; the agent is taken on the host only.
    CRZUnit* ConstructArmy(
        int province, const DynamicID& army, CDate date, const DynamicID& second, const CRZID& agent);
    // Lets the army of this realm with the identity go; the army object dies with its kill event. Answers 0,
    // also for an identity that names none of its armies.
    virtual int DeleteUnit(const DynamicID& army);

    // Tag change (country_tag_change.cpp).
    // Applied to each waiting event: a receiver that is FromCountry becomes ToCountry.
    static void ReDirectEvents(CRZEvent* event);
    // Applied to each waiting event: the receiver and the country words its type carries, where they name
    // global_from, take ToCountry and global_to. Bounded by the event's record size.
    static void ReDirectEvents2(CRZEvent* event);
    // The request's sender and recipient, where they are global_from, become global_to.
    static void ChangeTag(CRequest* request);
    // Set for the length of one redirection pass.
    static CRZID FromCountry;
    static CRZID ToCountry;
    static int32_t global_from;
    static int32_t global_to;

    // A realm without land that no living ruler holds together is annexed by itself: its ruler alive, when
    // it has no vassals or no computer plays it; its ruler dead, from the day after his death.
    void DissolveIfLandless();

    // The game's queue of realms (realm_queue.cpp).
    // A realm dissolved from inside its own handler leaves the table at once and is deleted here, once the
    // walk that reached it is over.
    static void DeleteDissolved();
    static CList<CRZCountry*> _dissolved;
};

// Monthly relation drift: GetMonthlyRelationChange toward one realm after another, with what depends on this
// realm's ruler alone gathered once. Lives within one pass; the ruler must not change during it.
class CRelationDrift {
public:
    explicit CRelationDrift(const CRZCountry& realm);
    float Of(const CRZCountry* other) const;

private:
    const CRZCountry& realm;
    const CCharacter* ruler;
    CTraitOpinion mine;
};
#undef VM_COUNTRY_DECLARE_HANDLER

// The game's queue of realms (gpGameQ): every realm built joins it and leaves it when deleted, and a started
// game offers it each broadcast, newest realm first. It holds the realms without owning them: the country
// table does. The game session makes it while a game is loaded; null otherwise.
class CRZRealmQueue : public CRZObjectList {
public:
    ~CRZRealmQueue() override;
    // The walk from the newest realm, then the deletion of the realms it dissolved.
    int Update(CRZEvent* event) override;
};
extern CRZObjectList* gpGameQ;

// The rebels' realm: at war with everyone (rebels.cpp).
class CRZRebels : public CRZCountry {
public:
    int Init() override { return 0; }
    int handleProvinceChangeControl(CRZEvent* event) override;
    int handleTimerMonth(CRZEvent* event) override;
    // On the host, the rebel armies that stand together are asked to join the first of them.
    void MergeAllRebels() override;
};

// The numbers 1323, 1349, 1365 and 1400 stand for realms whose government is fixed whenever they arise,
// by a tag change or as a new realm.
void SetFixedGovernment(CRZCountry& realm);

// True for a number inside the country table; logs the place that handed in a bad one.
bool IsCountryNumber(int64_t number, const char* where);
// The land province of a number an event carried (1..1003), or null with a log line naming the event.
CProvince* EventProvince(int64_t number, CRZEvent* event);
