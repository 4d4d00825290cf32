// Titles: the county, duchy or kingdom of every realm identifier, with its tier, the history of its holders,
// its liege title and vassal titles. The table owns all 1423 titles for the length of a game.
#pragma once

#include <cstdint>

#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"

class CCharacter;

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

class CTitle : public CIdentity {
public:
    static constexpr int kTitleCount = 1423;
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
    bool IsRealTitle() const { return realmId != 0 && realmId != 1401; }
    bool IsReligiousSpecialTitle() const;
    bool NeedSave() const { return !tenures.IsEmpty(); }
    int GetRankPts() const { return tier->GetRankPts(); }
    float GetRank() const { return static_cast<float>(tier->GetRankPts()); }

    // The holder of the newest tenure while it lasts, else null.
    virtual CCharacter* GetCurrentHolder() const;
    // The liege title of the holder's primary title, of this title while vacant; null when there is none.
    virtual CTitle* GetLiege() const;
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

private:
    int32_t realmId;
    const CTier* tier;
    int32_t liege = 0;
    CList<CRZID> vassals;
    CList<CTitleHolding*> tenures;

    static CTitle* _pTitle[kTitleCount];
};
