// CCharacter, a person of the game world: family, realm, attributes, traits, titles, claims, relations and
// court position, with the queries that realms, titles, the world update and the computer opponents ask.
// The character server owns every character; the fields the daily walk reads come first.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "characters/law.h"
#include "characters/relation.h"
#include "characters/trait.h"
#include "datalang/attribute_tuple.h"
#include "events/event_hooks.h"
#include "events/game_clock.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/ref.h"
#include "foundation/sorted_list.h"
#include "realms/score.h"

class CCharacter;
class CClaim;
class CDivision;
struct CRZCharacterCreationEventData;
class CLScript;
class CRZParser;
class CRZCountry;
class CTitle;
struct CRZBirthEventData;

// Religions are indexes 0 to 4; realms keep one at-war flag per religion.
inline constexpr int kReligionCount = 5;
// The shared anonymous soldier and rebel leader: never saved, never command.
inline constexpr CRZID kAnonymousSoldierID { RZTYPE_CHARACTER, static_cast<uint32_t>(-2) };
inline constexpr CRZID kRebelLeaderID { RZTYPE_CHARACTER, static_cast<uint32_t>(-3) };
inline constexpr int kAdultAge = 16;
// The DNA's length: the characters of a portrait's features.
inline constexpr int kDNALength = 14;
// Dynasty identities are (RZTYPE_DYNASTY, number).
inline constexpr uint16_t RZTYPE_DYNASTY = 12;

enum VLCourtPosition : int32_t {
    COURT_NONE = 0,
    COURT_COURTIER = 1,
    COURT_CHANCELLOR = 2,
    COURT_STEWARD = 3,
    COURT_MARSHAL = 4,
    COURT_SPYMASTER = 5,
    COURT_CHAPLAIN = 6,
};

enum Gender : int32_t { GENDER_MALE = 0, GENDER_FEMALE = 1 };

// Trait numbers the character code tests.
enum : int {
    TRAIT_PLAGUEINFESTED = 29,
    TRAIT_LEPER = 30,
    TRAIT_PNEUMONIA = 31,
    TRAIT_DETACHED_PRIEST = 49,
    TRAIT_MASTERMIND_THEOLOGIAN = 52,
    TRAIT_WAR_INVALID = 69,
    TRAIT_FOSTERLING = 72,
};

// What characters need of the realms above them; the realms install these (InstallRealmCharacterHooks)
// through the game's wiring. Unset, a character belongs to no realm.
struct CCharacterHooks {
    // The country table, read in place by RealmAt: a character asks for his realm in every walk over the
    // living, too often for a call through a pointer. Null until the realms are there.
    CRZCountry* const* countries = nullptr;
    int32_t (*GetCountryIndex)(const CRZCountry* realm) = nullptr;
    CCharacter* (*GetRuler)(const CRZCountry* realm) = nullptr;
    // The independent realm at the top of the realm's liege chain.
    CRZCountry* (*GetRealm)(CRZCountry* realm) = nullptr;
    // FormOfGoverment: 0 feudal, 1 republic, 2 ecclesiastical, 3 knight order.
    int32_t (*GetFormOfGoverment)(const CRZCountry* realm) = nullptr;
    int32_t (*GetProvinceCount)(const CRZCountry* realm) = nullptr;
    // Membership lists of the realm.
    void (*AddCharacter)(CRZCountry* realm, CCharacter* character) = nullptr;
    void (*RemoveCharacter)(CRZCountry* realm, CCharacter* character) = nullptr;
    // The realm's slot for office 2..6 (chancellor to chaplain), to read and write.
    CCharacter** (*GetOffice)(CRZCountry* realm, int position) = nullptr;
    // The realm's simple name from the country-tag registry; a number inside the table.
    const char* (*GetParticularName)(int32_t realmId) = nullptr;
    // A county changed hands: its province, if the old realm controls it, passes to the new realm's
    // control without counting as a conquest. Either realm may be null.
    void (*HandOverCounty)(int32_t province, CRZCountry* oldRealm, CRZCountry* newRealm) = nullptr;
    void (*RefreshVassals)(CRZCountry* realm) = nullptr;
    // The realm's court: its members but the ruler.
    const CList<CCharacter*>* (*GetCourt)(CRZCountry* realm) = nullptr;
    // What the province is worth as a war goal; 0 for a number that names none.
    float (*GetProvinceWarValue)(int32_t province) = nullptr;
    // The realm's tag for saved records; a number inside the table.
    const char* (*GetTag)(int32_t realmId) = nullptr;
    // The title realm a county's province belongs to: 0 its duchy, 1 its kingdom; 0 where none is known.
    int32_t (*GetProvinceTitleRealm)(int32_t province, int which) = nullptr;
    // Who plays the realm (0 the computer) and, for a human, the difficulty's modifier (-2..2).
    int32_t (*GetControlKind)(const CRZCountry* realm) = nullptr;
    int32_t (*GetDifficultyModifier)(const CRZCountry* realm) = nullptr;
    // The computer opponents' aggressiveness of the settings (0..4).
    int32_t (*GetAiAggressiveness)() = nullptr;

    // Life and death of characters. Unset, a realm wants no one, a capital has no culture, a division
    // keeps its leader, and a death divides nothing.
    int32_t (*GetNeededCharacters)(CRZCountry* realm) = nullptr;
    int32_t (*GetCapitalCulture)(const CRZCountry* realm) = nullptr;
    void (*ReleaseCommand)(CDivision* division) = nullptr;
    // The living characters of the last daily count, and the women among them.
    void (*GetLiveCounts)(int32_t& living, int32_t& women) = nullptr;
    // A character born in play joins the registry of every character.
    void (*AddToRegistry)(CCharacter* character) = nullptr;
    // On the host: the heirs, their shares, the new ruler and the further claimants of the dead.
    void (*DivideEstate)(CCharacter* dead) = nullptr;
    // On every machine: the heir takes what the inherit event hands him.
    void (*Inherit)(CCharacter* heir, CRZEvent* event) = nullptr;

    // Loyalty, prestige and piety: what they read of a realm. Unset, each reads as nothing.
    // A budget slider's share (BudgetSlider order: scutage first).
    float (*GetBudgetShare)(const CRZCountry* realm, int slider) = nullptr;
    const CLawTuple* (*GetLaws)(const CRZCountry* realm) = nullptr;
    // The bad boy as a share of its limit.
    float (*GetBadBoyShare)(const CRZCountry* realm) = nullptr;
    // The loyalty modifier of the realm's attributes (the ruler's with his officers').
    float (*GetLoyaltyModifier)(const CRZCountry* realm) = nullptr;
    // Whole months since another realm than this raised a regiment in the province; -1 for none.
    int32_t (*GetForeignRegimentMonths)(int32_t province, const CRZCountry* realm) = nullptr;
    // The at-war flag of the realm for the other.
    bool (*IsAtWarWith)(const CRZCountry* realm, const CRZCountry* other) = nullptr;
    // The realm's monthly piety, and what it pays to a crusade under way.
    float (*GetMonthlyPiety)(const CRZCountry* realm) = nullptr;
    float (*GetCrusadesCost)(const CRZCountry* realm) = nullptr;
    // Opinion between two realms, changed on both sides alike (CRZCountry::ChangeRelation).
    void (*ChangeRelation)(CRZCountry* realm, CRZCountry* other, float change) = nullptr;
    // The host fires a scripted event of the given identity for the character.
    void (*TriggerEvent)(const CRZID& event, CCharacter* character) = nullptr;
    // Whether the marriage's host-only steps are to be taken here.
    bool (*IsHost)() = nullptr;
    // Creation, the character server and the character's own events.
    int32_t (*GetCapital)(const CRZCountry* realm) = nullptr;
    // The number of the realm that owns the province; 0 where none does.
    int32_t (*GetProvinceOwner)(int32_t province) = nullptr;
    // Whether the realm may have the target killed; unset, every realm may.
    bool (*CanAssassinate)(CRZCountry* realm, const CCharacter* target) = nullptr;
    // How much easier a plot against a realm whose capital is the province comes; unset, 1.
    float (*GetPlotFactor)(int32_t province) = nullptr;
    void (*AddBadBoy)(CRZCountry* realm, float amount) = nullptr;
    void (*ChangeStability)(CRZCountry* realm, float change) = nullptr;
    // A message of the type to the realm's player, with its one to six texts: the first is a box's own,
    // a log line names the others.
    void (*ShowMessage)(int type, int32_t realmId, const char* const* texts, int count) = nullptr;
    // The war between the two characters' realms ends; every machine runs it from the peace event.
    void (*SetPeace)(CCharacter* self, CCharacter* other) = nullptr;
    // The diplomacy cheat of the console is on.
    bool (*IsDiploCheat)() = nullptr;

    // The papacy and the crusade. Unset, no human plays here and a province has no name and yields nothing.
    // The local player's realm; 0 where no human plays on this machine.
    int32_t (*GetLocalPlayerRealm)() = nullptr;
    // The province's name; null for a number that names none.
    const char* (*GetProvinceName)(int32_t province) = nullptr;
    // The gold of the province's monthly score; 0 for a number that names none.
    float (*GetProvinceMonthlyGold)(int32_t province) = nullptr;
};
extern CCharacterHooks gCharacterHooks;

// The realm at a number of the country table; null outside it or where none exists.
inline CRZCountry* RealmAt(int32_t number)
{
    return gCharacterHooks.countries != nullptr && number >= 0
            && number < static_cast<int32_t>(kCountryTableSlots)
        ? gCharacterHooks.countries[number]
        : nullptr;
}

// Sons before daughters, each eldest first; a daughter more than 10000 days older than a son precedes him.
struct AgeComparer {
    static int Key(const CRef<CCharacter>& character);
    static bool IsLessThan(const CRef<CCharacter>& a, const CRef<CCharacter>& b) { return Key(a) < Key(b); }
};

// Highest tier first.
struct TitleComparer {
    static bool IsLessThan(const CTitle* a, const CTitle* b);
};

// Today's game date: the clock's, or the zero date before there is one.
inline CDate GetGameToday()
{
    return gpTimer != nullptr ? gpTimer->GetDate() : CDate();
}

class CCharacter final : public CIdentity {
public:
    CCharacter();
    // Leaves his court office and every relation and list of others that still names him; titles,
    // realms and claims are left to the caller.
    ~CCharacter() override;
    CCharacter(const CCharacter&) = delete;
    CCharacter& operator=(const CCharacter&) = delete;

    // The events addressed to the character: court position, change of realm, friendship and rivalry,
    // religion. An event whose record is shorter than its type's is ignored. Always 0.
    int Update(CRZEvent* event) override;

    // Registers the identity before anything else is set; a duplicate is fatal in the registry.
    int Create(const CRZID& identity) override { return CIdentity::Create(identity); }
    using CIdentity::Create;

    // Whole years of the game calendar up to today. Asked of every character many times a day: inline.
    int GetAge() const
    {
        constexpr int kDaysPerYear = CDate::_nDaysPerMonth * CDate::_nMonthsPerYear;
        const int days = GetGameToday().GetDays() - birthDate.GetDays();
        // Floor, so a character not yet born is below zero, not zero.
        return days >= 0 ? days / kDaysPerYear : -((-days + kDaysPerYear - 1) / kDaysPerYear);
    }
    bool IsAdult() const { return GetAge() >= kAdultAge; }
    // A death date later than today is erased first; on the host a posted death already counts.
    bool IsAlive() const
    {
        if (!deathDate.IsZero() && deathDate > GetGameToday())
            deathDate = CDate();
        if (deathPosted != 0 && IsHostMachine())
            return false;
        return deathDate.IsZero();
    }
    bool IsPregnant() const { return !conceptionDate.IsZero(); }
    bool IsAnonymous() const { return id == kAnonymousSoldierID || id == kRebelLeaderID; }
    bool IsFemale() const { return gender != GENDER_MALE; }

    CRZCountry* GetCountry() const { return RealmAt(realmId); }
    CRZCountry* GetRealm() const;
    bool IsRuler() const;
    CTitle* GetPrimaryTitle() const { return titles.IsEmpty() ? nullptr : *titles.GetHead(); }
    // Holder of the liege title of the primary title; null without one.
    CCharacter* GetLiegeRuler() const;
    bool IsVassal() const { return GetLiegeRuler() != nullptr; }
    // A titled character is loyal to his liege ruler, an untitled one to the ruler of his realm.
    CCharacter* GetLiegeForLoyalty() const;
    // Every title's liege becomes the ruler's primary title; null makes them all independent.
    void SetLiegeRuler(CCharacter* ruler);
    int GetRank() const;
    int GetNumOfKingdomTitles() const;
    int GetNumOfDuchyTitles() const;
    int GetNumOfVassalCounts() const;
    int GetNumOfVassalDukes() const;
    // For a ruler, the rulers of the realms whose primary title has one of his titles as liege.
    void CalcVassals();
    // Vassal recount: who was given a title since the day's recount last took this, and who kept a title
    // or a vassal list through it. Only a titled ruler gets vassals, so the recount needs these rather
    // than every living character.
    static std::vector<CRZID> _mayHaveVassals;
    // Live table: who may have died since the daily live table last took this, and how many deaths were
    // dated after the day they were applied on (IsAlive undoes one when it next looks, so the table must
    // look at everyone again). In play deathDate and deathPosted change only through Die and
    // MarkDeathPosted, which keep these.
    static std::vector<CRZID> _maybeDead;
    static uint64_t _deathsAhead;
    // On the host: his death is on its way, and he counts as dead from now on.
    void MarkDeathPosted();
    const CList<CRef<CCharacter>>& GetVassals() const { return vassals; }
    int GetAllowedAllies() const { return 1; }
    bool IsBishop() const;
    bool IsReligiousEnemy(const CCharacter* other) const;
    bool HasEcclesticalEducation() const;
    bool CanBecomePriest() const;
    bool MayHaveMilitaryCommand() const;
    bool HasMilitaryCommand() const { return militaryCommand != nullptr; }
    CDivision* GetMilitaryCommand() const { return militaryCommand; }
    // Ignored for the shared anonymous characters.
    void SetMilitaryCommand(CDivision* division);
    void ClearMilitaryCommand() { SetMilitaryCommand(nullptr); }
    bool IsOurChild(const CCharacter* other) const;
    bool IsSibling(const CCharacter* other) const;
    // The other party of the first active marriage; empty when unmarried.
    CRef<CCharacter> GetSpouse() const { return CRef<CCharacter>(FindSpouse()); }
    // The same without a registry lookup: null when unmarried or when the spouse is gone.
    CCharacter* FindSpouse() const;
    // Rebuilt from every marriage, ended ones included.
    const CList<CRef<CCharacter>>& GetSpouses();
    // The first active relation of the type with the other character, or null.
    CRelation* GetRelation(const CCharacter* other, CRelationType type) const;
    bool HasTruce(const CCharacter* other) const { return GetRelation(other, RELATION_TRUCE) != nullptr; }
    bool HasAlliance(const CCharacter* other) const
    {
        return GetRelation(other, RELATION_ALLIANCE) != nullptr;
    }
    bool HasFriendship(const CCharacter* other) const
    {
        return GetRelation(other, RELATION_FRIEND) != nullptr;
    }
    bool HasRivalry(const CCharacter* other) const { return GetRelation(other, RELATION_RIVAL) != nullptr; }
    // 0..1: how well this character's traits sit with the other's.
    float GetBaseCompability(const CCharacter* other) const;
    // The same with this character's traits gathered beforehand (from his own traits), for many others.
    float GetBaseCompability(const CCharacter* other, const CTraitOpinion& mine) const;
    const CAttributeTuple& GetAttributes() const { return attributes; }
    const CTraitTuple& GetTraits() const { return traits; }
    const CSimpleScore& GetScore() const { return score; }
    bool HasTrait(int trait) const { return traits.Exists(trait); }
    // Ranks candidates: realm size and vassals for a ruler, martial and prestige for everyone.
    float GetPower() const;
    bool IsRealmUnderMe(const CCharacter* other) const;
    bool HasClaim(const CTitle* title) const;
    void PostCreateClaim(int32_t realm);

    // Moving into the realm of nobody vacates his titles; a change of realm makes him a courtier there.
    void SetCountry(CRZCountry* realm);
    void AddTitle(CTitle* title);
    void RemoveTitle(CTitle* title);
    void AddClaim(const CRZID& claim) { claims.Append(claim); }
    void RemoveClaim(const CRZID& claim) { claims.Remove(claim); }
    void AddRelation(CRelation* relation) { relations.Append(relation); }
    // Takes the relation out of the character's own relation list; the relation is not deleted.
    void RemoveRelation(CRelation* relation) { relations.Remove(relation); }
    // An active relation of the type with the other is returned as it is; a new one joins the registry,
    // both relation lists and, for an alliance, friendship or rivalry, both characters' lists.
    CRelation* CreateRelation(CCharacter* other, CRelationType type);
    // Marriage and alliance (character_marriage.cpp).
    // Neither is married, they differ in gender, both are past 15, neither is the other's parent or
    // sibling, at most one rules a realm and no realm of either's is a bishopric or a knight order.
    bool CanMarry(const CCharacter* other) const;
    // This character marries the other on every machine: prestige, relations, the scripted events of a
    // ruler's marriage on the host, and one spouse moves to the other's realm. Nothing without both rulers.
    void Marry(CCharacter* other);
    // The prestige of a marriage for one spouse: a fifth of the ruler's prestige (unless he is the spouse)
    // and of the partner's, at most 50. The marriage applies it with the ruler of the spouse's own realm.
    static float GetMarriagePrestigeGain(
        const CCharacter* spouse, const CCharacter* partner, const CCharacter* ruler);
    // The prestige our realm's ruler gains when our character marries theirs: a tenth of their ruler's
    // prestige (unless he is ours) and of their character's (unless that is our ruler), at most 50; none
    // within one realm or without both rulers.
    static float GetMarriageRulerPrestigeGain(const CCharacter* our, const CCharacter* their);
    // An alliance between the rulers, and their realms think 25 better of each other.
    void Ally(CCharacter* other);
    // A truce between the two, unless one already holds.
    void Truce(CCharacter* other);
    void LoseFriend(CCharacter* other);
    void LoseRival(CCharacter* other);
    void AddTrait(int trait);
    void RemoveTrait(int trait);
    // Amounts are truncated toward zero before they are added.
    void AddMartial(float amount) { AddAttribute(CAttributeTuple::MARTIAL, amount); }
    void AddDiplomacy(float amount) { AddAttribute(CAttributeTuple::DIPLOMACY, amount); }
    void AddIntrigue(float amount) { AddAttribute(CAttributeTuple::INTRIGUE, amount); }
    void AddStewardship(float amount) { AddAttribute(CAttributeTuple::STEWARDSHIP, amount); }
    void AddHealth(float amount) { AddAttribute(CAttributeTuple::HEALTH, amount); }
    void AddFertility(float amount) { AddAttribute(CAttributeTuple::FERTILITY, amount); }
    // Effective attributes: base plus the traits' modifiers, none below zero.
    void RefreshAttributes();
    void AddScore(const CScore& amount);
    void RefreshOwnedProvinces();
    const CList<int32_t>& GetOwnedProvinces() const { return ownedProvinces; }

    // Kept within 0..1.
    void SetLoyaltyToLiege(float value);
    void ChangeLoyaltyToLiege(float change) { SetLoyaltyToLiege(GetLoyaltyToLiege() + change); }
    float GetLoyaltyToLiege() const { return loyaltyToLiege; }
    // The month's drift of the loyalty from the effects that the character and his liege carry.
    float GetMonthlyLoyaltyChange() const;
    // The localised band of the loyalty, a tenth wide, with no band boundary at 0.3.
    const char* GetLoyaltyInfo() const;

    // Loyalty to the liege (character_loyalty.cpp): what a vassal will do, and the texts of the drift.
    // Without a liege ruler a character may accept vassalization and pledge allegiance, nothing else.
    bool MayAcceptOfferVassalization() const;
    bool MayPledgeAllegience() const;
    bool MayDowLiege() const;
    bool MayAcceptDirectTroopRecruitment() const;
    // Texts in buffers of their own: the decisions that hold, the drift in percent, and one line per
    // effect worth a thousandth.
    const char* GetLoyaltyEffectDesc() const;
    const char* GetMonthlyLoyaltyChangeDesc() const;
    const char* GetMonthlyLoyaltyChangeDescLong() const;

    // Prestige, piety and the costs of acts against characters (character_costs.cpp).
    // A cost's positive parts must each be covered; a negative part is a gain.
    bool CanAfford(const CScore& cost) const;
    CSimpleScore GetTruceBreakingCost(const CCharacter* other) const;
    // Gold; with extra, 100 prestige and 100 piety more.
    CSimpleScore GetAssassinateCost(bool extra) const;
    // Prestige the pope pays.
    float GetExcommunicationCost() const;
    void PostExcommunicate();
    void PostRevokeExcommunication();
    bool IsCharAtWarWithOurVassals(const CCharacter* other) const;
    float GetMonthlyPrestigeChange() const;
    float GetMonthlyPietyChange() const;
    // Yearly prestige lost to the i-th grown son without a realm or unmarried daughter at court, and
    // gained from the titles.
    float GetUnknightedSonPenalty(int i) const;
    float GetUnmarriedDaughterPenalty(int i) const;
    float GetTitlesPrestigeBonus() const;
    // Texts in buffers of their own.
    const char* GetMonthlyPrestigeChangeDesc() const;
    const char* GetMonthlyPrestigeChangeDescLong() const;
    const char* GetMonthlyPietyChangeDesc() const;
    const char* GetMonthlyPietyChangeDescLong() const;

    // Court: who may hold an office, how suited he is, and the change itself.
    bool CanBeCourtPosition(VLCourtPosition position) const;
    // -1 where he may not hold the position.
    float GetSuitability(VLCourtPosition position) const;
    // Applied on every machine from the change event; ignored for a ruler and for the dead.
    void SetCourtPosition(VLCourtPosition position);
    // Leaves any office of his realm; he stays a courtier.
    void RemoveCourtReferences();
    // The request: holders of the office are first asked to become courtiers, then a to-host change
    // event goes to the character server.
    void ChangeCourtPosition(VLCourtPosition position);

    // Texts; each returns a buffer of its own that the next call overwrites.
    const char* GetFullName() const;
    const char* GetLongName() const;
    const char* GetPossesivePronom() const;
    // An empty text outside 0..6.
    static const char* GetCourtPositionName(int position);
    const char* GetBriefInfo() const;
    const char* GetTitleInfo() const;
    static const char* GetTitleListString(const CList<CTitle*>& titles);

    void SetName(const char* text);
    // Takes at most kDNALength characters of the text; NULs among the first kDNALength become '3'.
    void SetDNA(const char* text);
    const char* GetName() const { return name != nullptr ? name : ""; }
    void SetBaseAttributes(const CAttributeTuple& values);
    const CAttributeTuple& GetBaseAttributes() const { return baseAttributes; }

    // Creation (character_creation.cpp). Every creation during play is applied on every machine from one
    // event that carries a seed: the draws come from the game's generator seeded with it, in a fixed
    // order, and the generator's own sequence is left as it was.
    // Makes the character the event asks for; an event whose numbers are out of range or whose new
    // identity is taken is dropped with a line in the history. Always 0.
    int handleCharacterCreation(CRZEvent* event);
    void InitCharacter(const CRZCharacterCreationEventData& data);
    // Called on a dead character: a male relative of his realm and dynasty, registered under the
    // identity and listed; null when the identity is taken.
    CCharacter* DoCreateRandomCousin(const CRZID& newId, int seed);
    void InitFromCousin(const CCharacter& source, int seed);
    void InitFromVoid();
    // The shared anonymous soldier, made once per game and never listed; the caller owns it.
    static CCharacter* InitAnonymous();
    // From both parents where both exist, else random digits; draws from the game's generator.
    void GenerateDNA();

    // Requests about the character and the handlers of their global events (character_events.cpp). A
    // number from an event that indexes a table is checked first: a bad event is dropped with a line in
    // the history. Every handler answers 0.
    void PostLoseClaim(const CClaim* claim);
    void PostLeaveCourt();
    void PostSetPeace(const CCharacter* other);
    // The events that handleAttribute applies: attributes, loyalty, scores, bad boy and stability.
    static bool IsAttributeEvent(int type);
    int handleAttribute(CRZEvent* event);
    int handleAddTrait(CRZEvent* event);
    int handleRemoveTrait(CRZEvent* event);
    int handleCreateClaim(CRZEvent* event);
    int handleLoseClaim(CRZEvent* event);
    int handleLeaveCourt();
    int handleIndependence();
    int handleSetReligion(CRZEvent* event);
    int handleSetPeace(CRZEvent* event);

    // The character's record in scenarios and saved games (character_record.cpp). ParseFields reads the
    // block after its "{" up to and including its "}", then refreshes the effective attributes; 0. An
    // unknown key abandons the load with "unknown lhs in scenario file (character)", an identity that is
    // already taken with "duplicate character id". GetScript: a new statement list the caller owns.
    int ParseFields(CRZParser& parser);
    CLScript* GetScript() const;

    // Daily life, pregnancy and birth (character_life.cpp). The checks draw on the host only and post
    // their outcome to the character server; the handle* functions apply its global events. Each handler
    // answers 0; an event whose record is too short or names a character that is gone changes nothing.
    int handleTimerDay(CRZEvent* event);
    void CheckImpregnation();
    void CheckBirth();
    bool CanBeImpregnated() const;
    bool CanGiveBirth() const { return IsAlive() && IsPregnant(); }
    void ClearImpregnation() { conceptionDate = CDate(); }
    void GiveBirth(CRef<CCharacter> childsFather);
    void PostDeathChildbirth();
    int handleImpregnation(CRZEvent* event);
    int handleBirth(CRZEvent* event);
    int handleMisscarrige(CRZEvent* event);
    int handleDeathChildbirth(CRZEvent* event);
    // Every machine builds the same child from the event alone: the generator is seeded from its data.
    void InitFromBirth(const CRZBirthEventData& data);
    void InitAddChild(CCharacter* child);
    const CSortedList<CRef<CCharacter>, AgeComparer>& GetSiblings();
    // Messages of a life's news (character_messages.cpp).
    // 0 for the local player's ruler and his spouse, 1 inside the player's top realm, else 2: what is
    // added to a player/realm/other message type.
    int GetPlayerProximity() const;
    // The news told to this character's realm, its texts as the message names them (the first is a box's
    // own); they pass as they are, so no two may share a buffer. With localOnly, only when the realm is the
    // local player's.
    void ShowLifeMessage(int type, std::initializer_list<const char*> texts, bool localOnly = false) const;

    // Death and the division of the estate (character_death.cpp). A titled death waits for the next day
    // when another titled character died today; the host's heirs receive their shares as inherit events.
    void PostDeath();
    int handleDeath(CRZEvent* event);
    void Die(const CDate& date);
    int handleInherit(CRZEvent* event);
    // Takes out of the list and returns the highest-ranked title above county tier; null when only
    // counties are left.
    static CTitle* GetBestHigherTitle(CList<CTitle*>& list);
    // The day the last titled character died; zero at start.
    static CDate LastRulerDeath;

    // The daily walk reads these first, the scalars in the object's first cache line: keep them together.
    // Zero while alive; mutable because the first IsAlive after a date in the future erases it.
    mutable CDate deathDate;
    CDate birthDate;
    CDate conceptionDate;
    int32_t realmId = 0;
    int32_t gender = GENDER_MALE;
    // Set on the host once a death event is posted for him.
    int32_t deathPosted = 0;
    // 1 for one born during play or created illegitimate.
    int32_t status = 0;
    // The day number of the birth of the last child of his children list; InitAddChild keeps it, so the
    // daily conception check need not look the child up.
    static constexpr int32_t kNoChildBirthDay = INT32_MIN;
    int32_t lastChildBirthDay = kNoChildBirthDay;
    int32_t courtPosition = COURT_COURTIER;
    int32_t religion = 0;
    int32_t culture = 0;
    float loyaltyToLiege = 1.0f;
    // Identities of his claims.
    CList<CRZID> claims;
    // The relations that name the character; the relation registry owns them.
    CList<CRelation*> relations;
    CSortedList<CTitle*, TitleComparer> titles;
    CList<CRef<CCharacter>> vassals;
    CDivision* militaryCommand = nullptr;
    // Symmetric lists of pointers: emptied every day and refilled from the relations; the destructor
    // takes the character out of the other side's list. Nodes only.
    CList<CCharacter*> allies;
    CList<CCharacter*> friends;
    CList<CCharacter*> rivals;
    CList<CCharacter*> enemies;

    // Cold: records, births, texts.
    CRZID childFather;
    int32_t originProvince = 0;
    int32_t homeProvince = 0;
    CRZID father;
    CRZID mother;
    CRZID dynasty;
    char dna[21] = "01234567890123456789";
    CSortedList<CRef<CCharacter>, AgeComparer> children;
    CSortedList<CRef<CCharacter>, AgeComparer> siblings;
    CList<CRef<CCharacter>> spouses;
    CList<int32_t> ownedProvinces;

private:
    void AddAttribute(int which, float amount);
    // Takes the character out of the other's list of the same kind.
    void Unlink(CList<CCharacter*> CCharacter::*list);

    char* name = nullptr;
    CAttributeTuple baseAttributes;
    CTraitTuple traits;

public:
    // Gold, prestige and piety; the realm adds its income here.
    CSimpleScore score;
    // The attributes in effect: base plus traits, none below zero (RefreshAttributes).
    CAttributeTuple attributes;
};
