#include "characters/title.h"

#include <cstring>

#include "characters/character.h"
#include "foundation/logs.h"

#include "foundation/safeguards.h"

namespace {

class CCountyTier : public CTier {
public:
    const char* GetTag() const override { return "county"; }
    const char* GetName() const override { return "TIER_COUNTY"; }
    int GetRankPts() const override { return 1; }
    bool IsCounty() const override { return true; }
};

class CDuchyTier : public CTier {
public:
    const char* GetTag() const override { return "duchy"; }
    const char* GetName() const override { return "TIER_DUCHY"; }
    int GetRankPts() const override { return 10; }
    bool IsDuchy() const override { return true; }
};

class CKingdomTier : public CTier {
public:
    const char* GetTag() const override { return "kingdom"; }
    const char* GetName() const override { return "TIER_KINGDOM"; }
    int GetRankPts() const override { return 100; }
    bool IsKingdom() const override { return true; }
};

const CCountyTier countyTier;
const CDuchyTier duchyTier;
const CKingdomTier kingdomTier;

CDate Today()
{
    return gHistoryDateSource.GetCurrentDate ? gHistoryDateSource.GetCurrentDate() : CDate();
}

const CTier* TierOf(int32_t realmId)
{
    if (realmId < CTitle::kFirstDuchy)
        return &countyTier;
    if (realmId < CTitle::kFirstKingdom)
        return &duchyTier;
    return &kingdomTier;
}

} // namespace

const CTier* GetCountyTier() { return &countyTier; }
const CTier* GetDuchyTier() { return &duchyTier; }
const CTier* GetKingdomTier() { return &kingdomTier; }

bool CTier::IsHigherThan(const CTier* other) const
{
    if (IsKingdom())
        return !other->IsKingdom();
    return IsDuchy() && other->IsCounty();
}

const CTier* CTier::GetTier(const char* token)
{
    for (const CTier* tier : { GetCountyTier(), GetDuchyTier(), GetKingdomTier() }) {
        if (token != nullptr && std::strcmp(token, tier->GetTag()) == 0)
            return tier;
    }
    return nullptr;
}

CTitleHolding::CTitleHolding(CCharacter* holder)
    : startDate(Today())
    , holder(holder)
{
}

void CTitleHolding::Terminate() { endDate = Today(); }

CTitle* CTitle::_pTitle[kTitleCount] = {};

CTitle::CTitle(int32_t realmId)
    : realmId(realmId)
    , tier(TierOf(realmId))
{
    // Titles are found through the table, not the identity registry, so the identity is only stamped.
    id = CRZID(RZTYPE_TITLE, static_cast<uint32_t>(realmId));
}

CTitle::~CTitle()
{
    for (auto holding = tenures.GetHead(); !holding.IsEnd(); holding++)
        delete *holding;
}

void CTitle::ConstructAll()
{
    for (int32_t i = 0; i < kTitleCount; i++) {
        if (_pTitle[i] == nullptr)
            _pTitle[i] = ConstructTitle(i);
    }
}

CTitle* CTitle::ConstructTitle(int32_t realmId) { return new CTitle(realmId); }

void CTitle::DestroyAll()
{
    for (CTitle*& title : _pTitle) {
        delete title;
        title = nullptr;
    }
}

CTitle* CTitle::GetTitle(int32_t realmId)
{
    if (realmId < 0 || realmId >= kTitleCount)
        return nullptr;
    return _pTitle[realmId];
}

CTitle* CTitle::GetTitle(const CRZID& id)
{
    if (id.number >= static_cast<uint32_t>(kTitleCount))
        return nullptr;
    return _pTitle[id.number];
}

bool CTitle::IsReligiousSpecialTitle() const
{
    return realmId == 1323 || realmId == 1349 || realmId == 1365 || realmId == 1400;
}

CCharacter* CTitle::GetCurrentHolder() const
{
    auto newest = tenures.GetTail();
    if (newest.IsEnd() || (*newest)->HasEnded())
        return nullptr;
    return (*newest)->holder;
}

CTitle* CTitle::GetLiege() const
{
    const CCharacter* holder = GetCurrentHolder();
    const CTitle* primary = holder != nullptr ? holder->GetPrimaryTitle() : nullptr;
    return primary != nullptr ? primary->GetOwnLiege() : GetOwnLiege();
}

bool CTitle::MayBecomeLiege(const CTitle* other) const
{
    return other != nullptr && GetRankPts() > other->GetRankPts();
}

bool CTitle::IsOurRemoteVassal(const CTitle* other) const
{
    // Bounded by the table size: the liege fields never form a cycle, but a walk must not trust that blindly.
    int depth = 0;
    for (const CTitle* up = other != nullptr ? other->GetOwnLiege() : nullptr; up != nullptr && depth < kTitleCount;
         up = up->GetOwnLiege(), depth++) {
        if (up == this)
            return true;
    }
    return false;
}

void CTitle::SetLiege(CTitle* newLiege)
{
    if (newLiege == this)
        return;
    CTitle* oldLiege = GetOwnLiege();
    if (oldLiege != nullptr)
        oldLiege->vassals.Remove(GetID());
    liege = 0;
    if (newLiege == nullptr)
        return;
    if (IsOurRemoteVassal(newLiege))
        newLiege->SetLiege(oldLiege);
    liege = newLiege->realmId;
    newLiege->vassals.Append(GetID());
}

void CTitle::SetNewHolder(CCharacter* holder)
{
    if (holder == nullptr) {
        vassals.Lock();
        for (auto vassal = vassals.GetHead(); !vassal.IsEnd(); vassal++) {
            if (CTitle* title = GetTitle(*vassal))
                title->SetLiege(nullptr);
        }
        vassals.Unlock();
    }
    CTitle* ownLiege = GetOwnLiege();
    if (ownLiege != nullptr && holder == ownLiege->GetCurrentHolder()) {
        if (tier->IsCounty()) {
            SetLiege(nullptr);
        } else {
            vassals.Lock();
            for (auto vassal = vassals.GetHead(); !vassal.IsEnd(); vassal++) {
                if (CTitle* title = GetTitle(*vassal))
                    title->SetLiege(ownLiege);
            }
            vassals.Unlock();
        }
    }
    if (holder != nullptr) {
        const CTitle* primary = holder->GetPrimaryTitle();
        CTitle* primaryLiege = primary != nullptr ? primary->GetOwnLiege() : nullptr;
        if (primaryLiege != nullptr && primaryLiege->MayBecomeLiege(this))
            SetLiege(primaryLiege);
    }
    if (!tenures.IsEmpty()) {
        if (CCharacter* current = GetCurrentHolder())
            current->titles.Remove(this);
        (*tenures.GetTail())->Terminate();
    }
    if (holder != nullptr) {
        tenures.Append(new CTitleHolding(holder));
        holder->titles.Append(this);
    }
}
