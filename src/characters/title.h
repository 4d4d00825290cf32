// Titles: the county, duchy or kingdom of every realm identifier, with its tier, the history of its holders,
// its liege title and vassal titles. The table owns all 1423 titles for the length of a game.
#pragma once

#include <cstdint>

#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"

class CCharacter;
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
class CTitleHolding {
public:
    explicit CTitleHolding(CCharacter* holder);
    void Terminate();
    bool HasEnded() const { return endDate.year != 0; }

    CDate startDate;
    CDate endDate;
    CCharacter* holder = nullptr;
};

// A character's claim on a title. The title owns its claims; the claimant keeps the claim's identity.
class CClaim : public CIdentity {
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

private:
    CRZID claimant;
    int32_t realmId;
    CDate date;
};

class CTitle final : public CIdentity {
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

    const CList<CClaim*>& GetClaims() const { return claims; }
    // Owned by the title from here on.
    void AddClaim(CClaim* claim) { claims.Append(claim); }
    // Only unlinks the claim from the title.
    void RemoveClaim(CClaim* claim) { claims.Remove(claim); }

private:
    // Takes every claim out of its claimant's list and deletes it.
    void DeleteClaims();
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
