// Titles: the county, duchy or kingdom of every realm identifier, with its tier, the history of its holders,
// its liege title and vassal titles. The table owns all 1423 titles for the length of a game.
#pragma once

#include <cstdint>

#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/scripter.h"

class CCharacter;
class CRZCountry;
class CRZParser;
class CTitle;

class CTier {
public:
    virtual ~CTier() = default;
    virtual const char* GetTag() const = 0;
    virtual const char* GetName() const = 0;
    virtual int GetRankPts() const = 0;
    virtual bool IsKingdom() const { return false; }
    virtual bool IsCounty() const { return false; }
    virtual bool IsDuchy() const { return false; }

    // A kingdom outranks anything but a kingdom, a duchy outranks a county.
    bool IsHigherThan(const CTier* other) const;
    // The tier of "county", "duchy" or "kingdom"; null for any other token.
    static const CTier* GetTier(const char* token);
};

const CTier* GetCountyTier();
const CTier* GetDuchyTier();
const CTier* GetKingdomTier();

// One tenure of a title; the end date is empty (year 0) while it lasts.
class CTitleHolding final : public CLScripter {
public:
    explicit CTitleHolding(CCharacter* holder);
    void Terminate();
    bool HasEnded() const { return endDate.year != 0; }

    // The "holder" block: the holder's identity, the start date and, once ended, the end date.
    CLScript* GetScript() const override;
    // The block after its "{" up to its "}"; the holder is looked up at once and stays null when no
    // character has the identity. An unknown key ends the load.
    int ParseFields(CRZParser& parser);

    CDate startDate;
    CDate endDate;
    // Past holders may be gone long since: only a lasting tenure's pointer is ever followed, the
    // identity is what the record keeps.
    CCharacter* holder = nullptr;
    CRZID holderId = NOID;
};

// A character's claim on a title. The title owns its claims; the claimant keeps the claim's identity.
class CClaim : public CLScripter, public CIdentity {
public:
    // A claim of nobody yet; the identity is drawn from this machine's counter.
    CClaim(int32_t realmId, const CDate& date);
    CClaim(int32_t realmId, const CRZID& identity, const CDate& date);
    ~CClaim() override = default;
    CClaim(const CClaim&) = delete;
    CClaim& operator=(const CClaim&) = delete;

    // Joins the claimant's claims and the title's claim list.
    void Add();
    // Leaves both again; the claim is not deleted.
    void Remove();
    // Moves the claim from the old claimant's claims to the new one's.
    void SetCharacter(CCharacter* character);
    CCharacter* GetCharacter() const;
    const CRZID& GetCharacterID() const { return claimant; }
    CTitle* GetTitle() const;
    const CDate& GetDate() const { return date; }
    float GetWarValue() const;
    // Whole days since the claim was made.
    int GetAge() const;
    // Null unless a claim is registered under the identity.
    static CClaim* GetClaim(const CRZID& identity);

    // The "claim" block: its own identity, the claimant's and, when set, the date.
    CLScript* GetScript() const override;
    // Reads a claim block of the title after its "{" and makes the claim under the identity it names (a
    // fresh one without); an identity already in use or the claim's fields ending the load. The title
    // owns the new claim; the claimant is linked later (CTitle::SyncronizeTitlesClaimsAndCharacters).
    static CClaim* Parse(int32_t realmId, CRZParser& parser);

private:
    CRZID claimant;
    int32_t realmId;
    CDate date;
};

class CTitle final : public CLScripter, public CIdentity {
public:
    static constexpr int kTitleCount = 1423;
    static constexpr int kNobodyRealm = 1401;
    static constexpr int kFirstDuchy = 1000;
    static constexpr int kFirstKingdom = 1263;
    static constexpr int kEmpire = 1271;
    static constexpr int kPapalState = 1323;

    explicit CTitle(int32_t realmId);
    ~CTitle() override;
    CTitle(const CTitle&) = delete;
    CTitle& operator=(const CTitle&) = delete;

    static void ConstructAll();
    static CTitle* ConstructTitle(int32_t realmId);
    static void DestroyAll();
    // Any number outside the table answers null, so a stale or hostile number never reads past it.
    static CTitle* GetTitle(int32_t realmId);
    static CTitle* GetTitle(const CRZID& id);

    int32_t GetCountryID() const { return realmId; }
    int32_t GetProvince() const { return realmId; }
    const CTier* GetTier() const { return tier; }
    bool IsRealTitle() const { return realmId != 0 && realmId != kNobodyRealm; }
    bool IsReligiousSpecialTitle() const;
    bool NeedSave() const { return !tenures.IsEmpty(); }
    int GetRankPts() const { return tier->GetRankPts(); }
    float GetRank() const { return static_cast<float>(tier->GetRankPts()); }

    // The holder of the newest tenure while it lasts, else null.
    CCharacter* GetCurrentHolder() const;
    // The liege title of the holder's primary title, of this title while vacant; null when there is none.
    CTitle* GetLiege() const;
    // This title's own liege entry, whoever holds it.
    CTitle* GetOwnLiege() const { return liege != 0 ? GetTitle(liege) : nullptr; }
    const CList<CRZID>& GetVassals() const { return vassals; }
    const CList<CTitleHolding*>& GetTenures() const { return tenures; }

    // Null makes the title vacant: its vassals go free and the tenure ends.
    void SetNewHolder(CCharacter* holder);
    // A new liege that sits below this title is first moved to this title's old liege, so lieges never
    // form a cycle; a title can never be its own liege.
    void SetLiege(CTitle* newLiege);
    bool MayBecomeLiege(const CTitle* other) const;
    bool IsOurRemoteVassal(const CTitle* other) const;
    // Orders one realm's titles under its top title: counties under their own duchy or kingdom where
    // the realm holds it, else under the top title; duchies under the kingdom of the list where most of
    // their vassals lie, else under a kingdom top.
    static void ExpandInternalVassalLiegeRelations(CTitle* top, const CList<CTitle*>& titles);

    // The record of scenarios and saves: tag, tier, liege, the newest tenure and the claims. The
    // caller owns the list.
    CLScript* GetScript() const override;
    // The rest of a title block after its tag, up to its "}". An unknown key ends the load.
    int ParseFields(CRZParser& parser);
    // The link step once a file's titles and characters are read: each holder takes his title, each
    // claimant his claim (a claim whose claimant is gone is dropped), and each liege lists its vassals.
    static void SyncronizeTitlesClaimsAndCharacters();

    // Names for a holder; each returns a buffer of its own that the next call overwrites.
    const char* GetParticularName() const;
    // The key chosen by the holder's form of government, religion, culture and gender, as text.
    const char* GetTitleTypeName(const CCharacter* holder) const;
    const char* GetTitlePrefix(const CCharacter* holder) const;
    const char* GetString(const CCharacter* holder) const;
    // The realm's name under the form of government: key text, a blank and the simple name; without a
    // key, the blank and the name alone.
    const char* GetCountryName(int32_t government, int32_t religion, int32_t culture) const;
    // The text keys behind those names; null where none applies. A government outside 0..3 has none.
    const char* GetTitleTypeKey(int32_t government, int32_t religion, int32_t culture, bool female) const;
    const char* GetCountryNameKey(int32_t government, int32_t religion, int32_t culture) const;

    // A county is worth its province; a held duchy or kingdom 25 for each title of its holder and of
    // the rulers of his vassal realms; a vacant duchy 100, a vacant kingdom 250.
    float GetWarValue() const;
    float GetPrestigeValue() const { return GetWarValue(); }
    float GetCreateBishopryPietyValue() const { return 5.0f * GetWarValue(); }
    // Negative: the prestige a usurper pays, a tenth of it against an excommunicated holder.
    float GetPrestigeUsurpCost() const;
    // The prestige a realm pays to grab the title: the war value, less against an excommunicated
    // holder for a catholic grabber and halved against a rival, times a factor that grows with the
    // difficulty for a human realm and with the computer's aggressiveness for any other.
    float GetPrestigeGrabCost(const CRZCountry* grabber) const;

    const CList<CClaim*>& GetClaims() const { return claims; }
    // Owned by the title from here on.
    void AddClaim(CClaim* claim) { claims.Append(claim); }
    // Only unlinks the claim from the title.
    void RemoveClaim(CClaim* claim) { claims.Remove(claim); }

private:
    // Takes every claim out of its claimant's list and deletes it.
    void DeleteClaims();
    // Into the tenures by start date, after those of the same day.
    void AddTenure(CTitleHolding* holding);
    // The liege fields and vassal lists of a liege change, without the realms' refresh.
    void LinkLiege(CTitle* oldLiege, CTitle* newLiege);

    int32_t realmId;
    const CTier* tier;
    int32_t liege = 0;
    CList<CRZID> vassals;
    CList<CTitleHolding*> tenures;
    CList<CClaim*> claims;

    static CTitle* _pTitle[kTitleCount];
};
