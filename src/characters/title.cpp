#include "characters/title.h"

#include <cstdio>
#include <cstring>

#include "characters/character.h"
#include "characters/culture.h"
#include "foundation/logs.h"
#include "foundation/utilities.h"
#include "text/new_text.h"

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
    return GetGameToday();
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

const CTier* GetCountyTier()
{
    return &countyTier;
}
const CTier* GetDuchyTier()
{
    return &duchyTier;
}
const CTier* GetKingdomTier()
{
    return &kingdomTier;
}

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

CTitleHolding::CTitleHolding(CCharacter* inHolder)
    : startDate(Today())
    , holder(inHolder)
    , holderId(inHolder != nullptr ? inHolder->GetID() : NOID)
{
}

void CTitleHolding::Terminate()
{
    endDate = Today();
}

CTitle* CTitle::_pTitle[kTitleCount] = {};

CTitle::CTitle(int32_t inRealmId)
    : realmId(inRealmId)
    , tier(TierOf(inRealmId))
{
    // Titles are found through the table, not the identity registry, so the identity is only stamped.
    id = CRZID(RZTYPE_TITLE, static_cast<uint32_t>(inRealmId));
}

CTitle::~CTitle()
{
    for (auto holding = tenures.GetHead(); !holding.IsEnd(); holding++)
        delete *holding;
    DeleteClaims();
}

void CTitle::DeleteClaims()
{
    // A claimant who is gone is skipped; the claim itself still goes.
    for (auto claim = claims.GetHead(); !claim.IsEnd(); claim++) {
        if (CCharacter* claimant = (*claim)->GetCharacter())
            claimant->RemoveClaim((*claim)->GetID());
        delete *claim;
    }
    claims.RemoveAll();
}

void CTitle::ConstructAll()
{
    for (int32_t i = 0; i < kTitleCount; i++) {
        if (_pTitle[i] == nullptr)
            _pTitle[i] = ConstructTitle(i);
    }
}

CTitle* CTitle::ConstructTitle(int32_t realmId)
{
    return new CTitle(realmId);
}

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
    for (const CTitle* up = other != nullptr ? other->GetOwnLiege() : nullptr;
         up != nullptr && depth < kTitleCount; up = up->GetOwnLiege(), depth++) {
        if (up == this)
            return true;
    }
    return false;
}

namespace {

CRZCountry* RealmOfHolder(const CTitle* title)
{
    const CCharacter* holder = title != nullptr ? title->GetCurrentHolder() : nullptr;
    return holder != nullptr ? holder->GetCountry() : nullptr;
}

// Each distinct realm of the three, where it exists, renews its vassal list.
void RefreshVassalsOf(CRZCountry* a, CRZCountry* b, CRZCountry* c)
{
    if (gCharacterHooks.RefreshVassals == nullptr)
        return;
    if (a != nullptr)
        gCharacterHooks.RefreshVassals(a);
    if (b != nullptr && b != a)
        gCharacterHooks.RefreshVassals(b);
    if (c != nullptr && c != a && c != b)
        gCharacterHooks.RefreshVassals(c);
}

} // namespace

void CTitle::SetLiege(CTitle* newLiege)
{
    if (newLiege == this)
        return;
    CTitle* oldLiege = GetOwnLiege();
    CRZCountry* ownRealm = RealmOfHolder(this);
    CRZCountry* oldLiegeRealm = RealmOfHolder(oldLiege);
    CRZCountry* newLiegeRealm = RealmOfHolder(newLiege);
    LinkLiege(oldLiege, newLiege);
    RefreshVassalsOf(ownRealm, oldLiegeRealm, newLiegeRealm);
}

void CTitle::LinkLiege(CTitle* oldLiege, CTitle* newLiege)
{
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
    const CCharacter* previous = GetCurrentHolder();
    CRZCountry* oldRealm = previous != nullptr ? previous->GetCountry() : nullptr;
    CRZCountry* newRealm = holder != nullptr ? holder->GetCountry() : nullptr;
    if (holder == nullptr) {
        vassals.Lock();
        for (auto vassal = vassals.GetHead(); !vassal.IsEnd(); vassal++) {
            if (CTitle* title = GetTitle(*vassal))
                title->SetLiege(nullptr);
        }
        vassals.Unlock();
        DeleteClaims();
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
            current->RemoveTitle(this);
        (*tenures.GetTail())->Terminate();
    }
    if (holder != nullptr) {
        tenures.Append(new CTitleHolding(holder));
        holder->AddTitle(this);
        if (tier->IsCounty() && gCharacterHooks.HandOverCounty != nullptr)
            gCharacterHooks.HandOverCounty(GetProvince(), oldRealm, newRealm);
    }
    RefreshVassalsOf(oldRealm, newRealm, nullptr);
}

float CTitle::GetWarValue() const
{
    if (tier->IsCounty())
        return gCharacterHooks.GetProvinceWarValue != nullptr
            ? gCharacterHooks.GetProvinceWarValue(GetProvince())
            : 0.0f;
    CCharacter* holder = GetCurrentHolder();
    if (holder == nullptr)
        return tier->IsDuchy() ? 100.0f : 250.0f;
    // The holder's vassal rulers as the day last counted them.
    int titles = holder->titles.GetSize();
    const CList<CRef<CCharacter>>& holderVassals = holder->GetVassals();
    for (auto vassal = holderVassals.GetHead(); !vassal.IsEnd(); vassal++) {
        if (const CCharacter* ruler = (*vassal).Get())
            titles += ruler->titles.GetSize();
    }
    return 25.0f * static_cast<float>(titles);
}

float CTitle::GetPrestigeUsurpCost() const
{
    const CCharacter* holder = GetCurrentHolder();
    const float factor = holder != nullptr && holder->HasTrait(TRAIT_EXCOMMUNICATED) ? 0.1f : 1.0f;
    return -GetWarValue() * factor;
}

float CTitle::GetPrestigeGrabCost(const CRZCountry* grabber) const
{
    const CCharacter* holder = GetCurrentHolder();
    const CCharacter* grabbingRuler = grabber != nullptr && gCharacterHooks.GetRuler != nullptr
        ? gCharacterHooks.GetRuler(grabber)
        : nullptr;
    float factor = 1.0f;
    if (holder != nullptr && grabbingRuler != nullptr) {
        if (holder->HasTrait(TRAIT_EXCOMMUNICATED) && grabbingRuler->religion == RELIGION_CATHOLIC)
            factor = 0.1f;
        if (grabbingRuler->HasRivalry(holder))
            factor *= 0.5f;
    }
    const int32_t control = grabber != nullptr && gCharacterHooks.GetControlKind != nullptr
        ? gCharacterHooks.GetControlKind(grabber)
        : 0;
    float scale = 5.0f;
    if (control != 0) {
        const int32_t difficulty = gCharacterHooks.GetDifficultyModifier != nullptr
            ? gCharacterHooks.GetDifficultyModifier(grabber)
            : 0;
        scale = difficulty == -2 ? 1.0f
            : difficulty == -1   ? 3.0f
            : difficulty == 2    ? 20.0f
            : difficulty == 1    ? 10.0f
                                 : 5.0f;
    } else {
        const int32_t aggressiveness
            = gCharacterHooks.GetAiAggressiveness != nullptr ? gCharacterHooks.GetAiAggressiveness() : -1;
        scale = aggressiveness == 0 ? 40.0f
            : aggressiveness == 1   ? 20.0f
            : aggressiveness == 2   ? 10.0f
            : aggressiveness == 4   ? 3.0f
                                    : 5.0f;
    }
    return factor * scale * GetWarValue();
}

namespace {

// The duchy (0) or kingdom (1) title that a county's province lies in, or null.
CTitle* ProvinceTitle(const CTitle* county, int which)
{
    if (gCharacterHooks.GetProvinceTitleRealm == nullptr || !county->GetTier()->IsCounty())
        return nullptr;
    return CTitle::GetTitle(gCharacterHooks.GetProvinceTitleRealm(county->GetProvince(), which));
}

} // namespace

void CTitle::ExpandInternalVassalLiegeRelations(CTitle* top, const CList<CTitle*>& titles)
{
    CList<CTitle*> kingdoms, duchies, counties;
    for (auto title = titles.GetHead(); !title.IsEnd(); title++) {
        CTitle* t = *title;
        (t->tier->IsKingdom() ? kingdoms : t->tier->IsDuchy() ? duchies : counties).Append(t);
    }
    if (kingdoms.IsEmpty() && duchies.IsEmpty())
        return;
    const bool topIsDuchy = top != nullptr && top->tier->IsDuchy();
    const bool topIsKingdom = top != nullptr && top->tier->IsKingdom();
    for (auto county = counties.GetHead(); !county.IsEnd(); county++) {
        CTitle* duchy = ProvinceTitle(*county, 0);
        CTitle* kingdom = ProvinceTitle(*county, 1);
        if (duchy != nullptr && duchy->IsRealTitle() && duchies.Contains(duchy))
            (*county)->SetLiege(duchy);
        else if (topIsDuchy)
            (*county)->SetLiege(top);
        else if (kingdom != nullptr && kingdom->IsRealTitle() && kingdoms.Contains(kingdom))
            (*county)->SetLiege(kingdom);
        else if (topIsKingdom)
            (*county)->SetLiege(top);
    }
    if (kingdoms.IsEmpty())
        return;
    for (auto duchy = duchies.GetHead(); !duchy.IsEnd(); duchy++) {
        if (*duchy == top)
            continue;
        CTitle* best = nullptr;
        int bestCount = 0;
        for (auto kingdom = kingdoms.GetHead(); !kingdom.IsEnd(); kingdom++) {
            if (!(*kingdom)->IsRealTitle())
                continue;
            int count = 0;
            const CList<CRZID>& below = (*duchy)->vassals;
            for (auto vassal = below.GetHead(); !vassal.IsEnd(); vassal++) {
                const CTitle* vassalTitle = GetTitle(*vassal);
                count += vassalTitle != nullptr && ProvinceTitle(vassalTitle, 1) == *kingdom ? 1 : 0;
            }
            // The first of equal counts in list order keeps its place.
            if (count > bestCount) {
                best = *kingdom;
                bestCount = count;
            }
        }
        if (best != nullptr)
            (*duchy)->SetLiege(best);
        else if (topIsKingdom)
            (*duchy)->SetLiege(top);
    }
}

float CClaim::GetWarValue() const
{
    const CTitle* title = GetTitle();
    return title != nullptr ? title->GetWarValue() : 0.0f;
}

CClaim::CClaim(int32_t inRealmId, const CDate& inDate)
    : CClaim(inRealmId, CIdentity::GetRandomID(), inDate)
{
}

CClaim::CClaim(int32_t inRealmId, const CRZID& identity, const CDate& inDate)
    : realmId(inRealmId)
    , date(inDate)
{
    Create(identity);
}

CClaim* CClaim::GetClaim(const CRZID& identity)
{
    return dynamic_cast<CClaim*>(CIdentity::GetObjectFromID(identity));
}

CCharacter* CClaim::GetCharacter() const
{
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(claimant));
}

CTitle* CClaim::GetTitle() const
{
    return CTitle::GetTitle(realmId);
}

int CClaim::GetAge() const
{
    return Today().GetDays() - date.GetDays();
}

void CClaim::Add()
{
    if (CCharacter* character = GetCharacter())
        character->AddClaim(id);
    if (CTitle* title = GetTitle())
        title->AddClaim(this);
}

void CClaim::Remove()
{
    if (CCharacter* character = GetCharacter())
        character->RemoveClaim(id);
    if (CTitle* title = GetTitle())
        title->RemoveClaim(this);
}

void CClaim::SetCharacter(CCharacter* character)
{
    if (CCharacter* old = GetCharacter())
        old->RemoveClaim(id);
    claimant = character != nullptr ? character->GetID() : NOID;
    if (character != nullptr)
        character->AddClaim(id);
}

namespace {

const char* Text(const char* key)
{
    return TextStrings.GetString(key);
}

// The key of a tier from a row of three: county, duchy, kingdom.
const char* ByTier(const CTier* tier, const char* county, const char* duchy, const char* kingdom)
{
    return tier->IsCounty() ? county : tier->IsDuchy() ? duchy : kingdom;
}

bool IsTurkish(int32_t culture)
{
    return culture == CRZCulture::Which("turkish");
}

struct CHolderView {
    int32_t government = -1;
    int32_t religion = 0;
    int32_t culture = 0;
    bool female = false;
};

CHolderView ViewOf(const CCharacter* holder)
{
    CHolderView view;
    if (holder == nullptr)
        return view;
    view.religion = holder->religion;
    view.culture = holder->culture;
    view.female = holder->IsFemale();
    const CRZCountry* realm = holder->GetCountry();
    view.government = realm != nullptr && gCharacterHooks.GetFormOfGoverment != nullptr
        ? gCharacterHooks.GetFormOfGoverment(realm)
        : 0;
    return view;
}

} // namespace

const char* CTitle::GetParticularName() const
{
    const char* name
        = gCharacterHooks.GetParticularName != nullptr ? gCharacterHooks.GetParticularName(realmId) : nullptr;
    return name != nullptr ? name : "";
}

const char* CTitle::GetTitleTypeKey(int32_t government, int32_t religion, int32_t culture, bool female) const
{
    if (realmId == kEmpire)
        return "TIER_KING_EMPIRE";
    switch (government) {
    case 1:
        return ByTier(tier, "TIER_COUNT_REPUBLIC", "TIER_DUKE_REPUBLIC", "TIER_KING_REPUBLIC");
    case 2:
        return ByTier(tier, "TIER_COUNT_ECCLESTICAL", "TIER_DUKE_ECCLESTICAL",
            realmId == kPapalState ? "TIER_KING_ECCLESTICAL" : "TIER_DUKE_ECCLESTICAL");
    case 3:
        return "TIER_GRANDMASTER";
    case 0:
        break;
    default:
        return nullptr;
    }
    switch (religion) {
    case RELIGION_MUSLIM:
        return IsTurkish(culture)
            ? ByTier(tier, "TIER_COUNT_TURKISH", "TIER_DUKE_MUSLIM", "TIER_KING_TURKISH")
            : ByTier(tier, "TIER_COUNT_MUSLIM", "TIER_DUKE_MUSLIM", "TIER_KING");
    case RELIGION_ORTHODOX:
        return female ? ByTier(tier, "TIER_COUNTESS", "TIER_DUCHESS_ORTHODOX", "TIER_QUEEN")
                      : ByTier(tier, "TIER_COUNT", "TIER_DUKE_ORTHODOX", "TIER_KING");
    case RELIGION_PAGAN:
        return female ? ByTier(tier, "TIER_COUNTESS_PAGAN", "TIER_DUCHESS_PAGAN", "TIER_QUEEN")
                      : ByTier(tier, "TIER_COUNT_PAGAN", "TIER_DUKE_PAGAN", "TIER_KING");
    default:
        return female ? ByTier(tier, "TIER_COUNTESS", "TIER_DUCHESS", "TIER_QUEEN")
                      : ByTier(tier, "TIER_COUNT", "TIER_DUKE", "TIER_KING");
    }
}

const char* CTitle::GetCountryNameKey(int32_t government, int32_t religion, int32_t culture) const
{
    if (realmId == kEmpire)
        return "TIER_EMPIRE";
    switch (government) {
    case 1:
        return ByTier(tier, "TIER_COUNTY_REPUBLIC", "TIER_DUCHY_REPUBLIC", "TIER_KINGDOM_REPUBLIC");
    case 2:
        return ByTier(tier, "TIER_COUNTY_ECCLESTICAL", "TIER_DUCHY_ECCLESTICAL", nullptr);
    case 0:
        break;
    default:
        return nullptr;
    }
    switch (religion) {
    case RELIGION_MUSLIM:
        return IsTurkish(culture)
            ? ByTier(tier, "TIER_COUNTY_TURKISH", "TIER_DUCHY_MUSLIM", "TIER_KINGDOM_TURKISH")
            : ByTier(tier, "TIER_COUNTY_MUSLIM", "TIER_DUCHY_MUSLIM", "TIER_KINGDOM");
    case RELIGION_PAGAN:
        return ByTier(tier, "TIER_COUNTY_PAGAN", "TIER_DUCHY_PAGAN", "TIER_KINGDOM_PAGAN");
    case RELIGION_ORTHODOX:
        return ByTier(tier, "TIER_COUNTY", "TIER_DUCHY_ORTHODOX", "TIER_KINGDOM");
    default:
        return ByTier(tier, "TIER_COUNTY", "TIER_DUCHY", "TIER_KINGDOM");
    }
}

const char* CTitle::GetTitleTypeName(const CCharacter* holder) const
{
    // A government outside the four leaves the text of the last call, as the interface expects.
    static char buffer[256];
    const CHolderView view = ViewOf(holder);
    if (const char* key = GetTitleTypeKey(view.government, view.religion, view.culture, view.female))
        CopyString(buffer, Text(key));
    return buffer;
}

const char* CTitle::GetTitlePrefix(const CCharacter* holder) const
{
    static char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%s %s", GetTitleTypeName(holder), Text("TIER_OF"));
    return buffer;
}

const char* CTitle::GetString(const CCharacter* holder) const
{
    static char buffer[768];
    std::snprintf(buffer, sizeof buffer, "%s %s", GetTitlePrefix(holder), GetParticularName());
    return buffer;
}

const char* CTitle::GetCountryName(int32_t government, int32_t religion, int32_t culture) const
{
    static char buffer[512];
    const char* key = GetCountryNameKey(government, religion, culture);
    std::snprintf(buffer, sizeof buffer, "%s %s", key != nullptr ? Text(key) : "", GetParticularName());
    // Without a key the name keeps its leading blank.
    return buffer;
}
