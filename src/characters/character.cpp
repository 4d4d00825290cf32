// The character's queries and changes: age and death, realm and liege, titles and claims, relations,
// traits and attributes, and the symmetric lists that must not outlive him.
#include "characters/character.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "characters/culture.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "events/event_hooks.h"
#include "events/game_clock.h"
#include "events/records_character.h"
#include "events/records_realm.h"

#include "foundation/safeguards.h"

CCharacterHooks gCharacterHooks;

int AgeComparer::Key(const CRef<CCharacter>& reference)
{
    const CCharacter* character = reference.Get();
    if (character == nullptr)
        return 0;
    const int days = character->birthDate.GetDays();
    return character->IsFemale() ? days : days - 10000;
}

bool TitleComparer::IsLessThan(const CTitle* a, const CTitle* b)
{
    return a->GetTier()->IsHigherThan(b->GetTier());
}

CCharacter::CCharacter() = default;

CCharacter::~CCharacter()
{
    RemoveCourtReferences();
    // The relations stay in the registry; they name him by identity, which answers null once he is gone.
    relations.RemoveAll();
    // The lists are kept symmetric, so the other side of each entry is all that can still name him.
    Unlink(&CCharacter::allies);
    Unlink(&CCharacter::friends);
    Unlink(&CCharacter::rivals);
    Unlink(&CCharacter::enemies);
    delete[] name;
}

void CCharacter::Unlink(CList<CCharacter*> CCharacter::*list)
{
    for (auto other = (this->*list).GetHead(); !other.IsEnd(); other++) {
        if (*other != this && *other != nullptr)
            ((*other)->*list).Remove(this);
    }
    (this->*list).RemoveAll();
}

CRZCountry* CCharacter::GetRealm() const
{
    CRZCountry* realm = GetCountry();
    return realm != nullptr && gCharacterHooks.GetRealm != nullptr ? gCharacterHooks.GetRealm(realm) : realm;
}

bool CCharacter::IsRuler() const
{
    const CRZCountry* realm = GetCountry();
    return realm != nullptr && gCharacterHooks.GetRuler != nullptr && gCharacterHooks.GetRuler(realm) == this;
}

CCharacter* CCharacter::GetLiegeRuler() const
{
    const CTitle* primary = GetPrimaryTitle();
    const CTitle* liege = primary != nullptr ? primary->GetOwnLiege() : nullptr;
    return liege != nullptr ? liege->GetCurrentHolder() : nullptr;
}

CCharacter* CCharacter::GetLiegeForLoyalty() const
{
    if (!titles.IsEmpty())
        return GetLiegeRuler();
    const CRZCountry* realm = GetCountry();
    return realm != nullptr && gCharacterHooks.GetRuler != nullptr ? gCharacterHooks.GetRuler(realm)
                                                                   : nullptr;
}

void CCharacter::SetLiegeRuler(CCharacter* ruler)
{
    CTitle* liege = ruler != nullptr ? ruler->GetPrimaryTitle() : nullptr;
    // Moving a title may reorder nothing in this list, but SetLiege can reach other characters' lists.
    titles.Lock();
    for (auto title = titles.GetHead(); !title.IsEnd(); title++)
        (*title)->SetLiege(liege);
    titles.Unlock();
}

int CCharacter::GetRank() const
{
    int rank = 0;
    for (auto title = titles.GetHead(); !title.IsEnd(); title++)
        rank += (*title)->GetRankPts();
    return rank;
}

namespace {

// Titles of the list whose tier passes the test.
int CountTitles(const CList<CTitle*>& titles, bool (CTier::*test)() const)
{
    int count = 0;
    for (auto title = titles.GetHead(); !title.IsEnd(); title++)
        count += ((*title)->GetTier()->*test)() ? 1 : 0;
    return count;
}

// Vassal rulers whose primary title's tier passes the test.
int CountVassals(const CList<CRef<CCharacter>>& vassals, bool (CTier::*test)() const)
{
    int count = 0;
    for (auto vassal = vassals.GetHead(); !vassal.IsEnd(); vassal++) {
        const CCharacter* ruler = (*vassal).Get();
        const CTitle* primary = ruler != nullptr ? ruler->GetPrimaryTitle() : nullptr;
        count += primary != nullptr && (primary->GetTier()->*test)() ? 1 : 0;
    }
    return count;
}

} // namespace

int CCharacter::GetNumOfKingdomTitles() const
{
    return CountTitles(titles, &CTier::IsKingdom);
}
int CCharacter::GetNumOfDuchyTitles() const
{
    return CountTitles(titles, &CTier::IsDuchy);
}
int CCharacter::GetNumOfVassalCounts() const
{
    return CountVassals(vassals, &CTier::IsCounty);
}
int CCharacter::GetNumOfVassalDukes() const
{
    return CountVassals(vassals, &CTier::IsDuchy);
}

std::vector<CRZID> CCharacter::_mayHaveVassals;
std::vector<CRZID> CCharacter::_maybeDead;
uint64_t CCharacter::_deathsAhead = 0;

void CCharacter::CalcVassals()
{
    vassals.RemoveAll();
    if (titles.IsEmpty() || !IsRuler())
        return;
    // A vassal realm is one whose ruler's primary title has one of this ruler's titles as liege.
    for (auto title = titles.GetHead(); !title.IsEnd(); title++) {
        const CList<CRZID>& below = (*title)->GetVassals();
        for (auto vassal = below.GetHead(); !vassal.IsEnd(); vassal++) {
            const CTitle* vassalTitle = CTitle::GetTitle(*vassal);
            CCharacter* holder = vassalTitle != nullptr ? vassalTitle->GetCurrentHolder() : nullptr;
            if (holder != nullptr && holder != this && holder->GetPrimaryTitle() == vassalTitle
                && holder->IsRuler())
                vassals.Append(CRef<CCharacter>(holder));
        }
    }
}

bool CCharacter::IsBishop() const
{
    const CRZCountry* realm = GetCountry();
    return IsRuler() && gCharacterHooks.GetFormOfGoverment != nullptr
        && gCharacterHooks.GetFormOfGoverment(realm) == 2;
}

bool CCharacter::IsReligiousEnemy(const CCharacter* other) const
{
    if (other == nullptr || religion == other->religion)
        return false;
    const bool christians
        = (religion == 0 || religion == 1) && (other->religion == 0 || other->religion == 1);
    return !christians;
}

bool CCharacter::HasEcclesticalEducation() const
{
    for (int trait = TRAIT_DETACHED_PRIEST; trait < TRAIT_MASTERMIND_THEOLOGIAN; ++trait) {
        if (HasTrait(trait))
            return true;
    }
    return HasTrait(TRAIT_MASTERMIND_THEOLOGIAN) && (religion == 0 || religion == 1);
}

bool CCharacter::CanBecomePriest() const
{
    if (IsFemale() || !HasEcclesticalEducation() || (religion != 0 && religion != 1))
        return false;
    const CRZCountry* realm = GetCountry();
    const CCharacter* ruler
        = realm != nullptr && gCharacterHooks.GetRuler != nullptr ? gCharacterHooks.GetRuler(realm) : nullptr;
    return ruler == nullptr || ruler->religion == religion;
}

bool CCharacter::MayHaveMilitaryCommand() const
{
    return IsAdult() && !IsFemale() && !HasTrait(TRAIT_WAR_INVALID) && !HasTrait(TRAIT_PLAGUEINFESTED)
        && !HasTrait(TRAIT_LEPER) && !HasTrait(TRAIT_PNEUMONIA) && IsAlive();
}

void CCharacter::SetMilitaryCommand(CDivision* division)
{
    if (!IsAnonymous())
        militaryCommand = division;
}

bool CCharacter::IsOurChild(const CCharacter* other) const
{
    return other != nullptr && (other->father == id || other->mother == id);
}

bool CCharacter::IsSibling(const CCharacter* other) const
{
    if (other == nullptr)
        return false;
    const bool sameFather = father == other->father && CIdentity::GetObjectFromID(father) != nullptr;
    const bool sameMother = mother == other->mother && CIdentity::GetObjectFromID(mother) != nullptr;
    return sameFather || sameMother;
}

namespace {

CCharacter* OtherSide(const CRelation* relation, const CCharacter* self)
{
    return relation->GetOther(self);
}

} // namespace

CCharacter* CCharacter::FindSpouse() const
{
    // A relation forgets a side that is destroyed, so the pointer it holds is alive.
    for (auto it = relations.GetHead(); !it.IsEnd(); it++) {
        const CRelation* relation = *it;
        if (relation->GetType() == RELATION_MARRIAGE && relation->IsActive())
            return OtherSide(relation, this);
    }
    return nullptr;
}

const CList<CRef<CCharacter>>& CCharacter::GetSpouses()
{
    spouses.RemoveAll();
    for (auto it = relations.GetHead(); !it.IsEnd(); it++) {
        const CRelation* relation = *it;
        if (relation->GetType() == RELATION_MARRIAGE)
            spouses.Append(CRef<CCharacter>(OtherSide(relation, this)));
    }
    return spouses;
}

CRelation* CCharacter::GetRelation(const CCharacter* other, CRelationType type) const
{
    if (other == nullptr)
        return nullptr;
    for (auto it = relations.GetHead(); !it.IsEnd(); it++) {
        CRelation* relation = *it;
        if (relation->GetType() == type && relation->IsActive() && OtherSide(relation, this) == other)
            return relation;
    }
    return nullptr;
}

float CCharacter::GetBaseCompability(const CCharacter* other) const
{
    return GetBaseCompability(other, CTraitOpinion(traits));
}

float CCharacter::GetBaseCompability(const CCharacter* other, const CTraitOpinion& mine) const
{
    if (other == nullptr)
        return 0.5f;
    const float value = (mine.GetCompabilitySum(other->traits) + 50.0f) / 100.0f;
    return std::clamp(value, 0.0f, 1.0f);
}

float CCharacter::GetPower() const
{
    float power = 0.0f;
    if (IsRuler()) {
        const CRZCountry* realm = GetCountry();
        const int provinces
            = gCharacterHooks.GetProvinceCount != nullptr ? gCharacterHooks.GetProvinceCount(realm) : 0;
        power = 10.0f * static_cast<float>(provinces) + 12.0f * static_cast<float>(vassals.GetSize());
    }
    return power + static_cast<float>(baseAttributes.Get(CAttributeTuple::MARTIAL))
        + score.GetPrestige() / 100.0f;
}

bool CCharacter::IsRealmUnderMe(const CCharacter* other) const
{
    if (other == this)
        return true;
    if (other == nullptr || titles.IsEmpty() || other->titles.IsEmpty())
        return false;
    if (GetRealm() != other->GetRealm())
        return false;
    if (other->GetPrimaryTitle()->GetTier()->IsHigherThan(GetPrimaryTitle()->GetTier()))
        return false;
    // Bounded by the title table: a liege chain longer than that must loop.
    const CCharacter* up = other->GetLiegeRuler();
    for (int step = 0; up != nullptr && step < CTitle::kTitleCount; ++step, up = up->GetLiegeRuler()) {
        if (up == this)
            return true;
    }
    return false;
}

bool CCharacter::HasClaim(const CTitle* title) const
{
    if (title == nullptr)
        return false;
    for (auto it = claims.GetHead(); !it.IsEnd(); it++) {
        const CClaim* claim = CClaim::GetClaim(*it);
        if (claim != nullptr && claim->GetTitle() == title)
            return true;
    }
    return false;
}

void CCharacter::SetCountry(CRZCountry* realm)
{
    const int32_t newId = realm != nullptr && gCharacterHooks.GetCountryIndex != nullptr
        ? gCharacterHooks.GetCountryIndex(realm)
        : 0;
    if (newId == CTitle::kNobodyRealm) {
        while (!titles.IsEmpty()) {
            CTitle* title = *titles.GetHead();
            title->SetNewHolder(nullptr);
            // A title that did not name him as holder is still taken out of his list.
            titles.Remove(title);
        }
    }
    CRZCountry* old = GetCountry();
    const bool changed = old != realm;
    if (changed)
        RemoveCourtReferences();
    if (old != nullptr && gCharacterHooks.RemoveCharacter != nullptr)
        gCharacterHooks.RemoveCharacter(old, this);
    if (realm != nullptr && gCharacterHooks.AddCharacter != nullptr)
        gCharacterHooks.AddCharacter(realm, this);
    if (changed)
        courtPosition = COURT_COURTIER;
    realmId = newId;
}

void CCharacter::AddTitle(CTitle* title)
{
    if (title == nullptr || titles.Contains(title))
        return;
    RemoveCourtReferences();
    RemoveTrait(TRAIT_FOSTERLING);
    titles.Add(title);
    _mayHaveVassals.push_back(GetID());
    if (title->GetTier()->IsCounty())
        ownedProvinces.Append(title->GetProvince());
}

void CCharacter::RemoveTitle(CTitle* title)
{
    titles.Remove(title);
    if (title != nullptr && title->GetTier()->IsCounty())
        ownedProvinces.Remove(title->GetProvince());
}

void CCharacter::RefreshOwnedProvinces()
{
    ownedProvinces.RemoveAll();
    for (auto title = titles.GetHead(); !title.IsEnd(); title++) {
        if ((*title)->GetTier()->IsCounty())
            ownedProvinces.Append((*title)->GetProvince());
    }
}

CRelation* CCharacter::CreateRelation(CCharacter* other, CRelationType type)
{
    if (CRelation* existing = GetRelation(other, type))
        return existing;
    auto* relation = new CRelation(type, this, other);
    CRelations::GetInstance()->Append(relation);
    if (other == nullptr || other == this)
        return relation;
    CList<CCharacter*> CCharacter::*list = type == RELATION_ALLIANCE ? &CCharacter::allies
        : type == RELATION_FRIEND                                    ? &CCharacter::friends
        : type == RELATION_RIVAL                                     ? &CCharacter::rivals
                                                                     : nullptr;
    if (list != nullptr) {
        (this->*list).Append(other);
        (other->*list).Append(this);
    }
    return relation;
}

void CCharacter::LoseFriend(CCharacter* other)
{
    if (CRelation* relation = GetRelation(other, RELATION_FRIEND)) {
        friends.Remove(other);
        other->friends.Remove(this);
        relation->Terminate();
    }
}

void CCharacter::LoseRival(CCharacter* other)
{
    if (CRelation* relation = GetRelation(other, RELATION_RIVAL)) {
        rivals.Remove(other);
        other->rivals.Remove(this);
        relation->Terminate();
    }
}

void CCharacter::AddTrait(int trait)
{
    traits.Add(trait);
    RefreshAttributes();
}

void CCharacter::RemoveTrait(int trait)
{
    traits.Remove(trait);
    RefreshAttributes();
}

void CCharacter::AddAttribute(int which, float amount)
{
    baseAttributes.Set(which, baseAttributes.Get(which) + static_cast<int>(std::trunc(amount)));
    RefreshAttributes();
}

void CCharacter::SetBaseAttributes(const CAttributeTuple& values)
{
    baseAttributes = values;
    RefreshAttributes();
}

void CCharacter::RefreshAttributes()
{
    const CAttributeTuple modifier = traits.GetAttributeModifier();
    for (int which = 0; which < CAttributeTuple::COUNT; ++which)
        attributes.Set(which, std::max(0, baseAttributes.Get(which) + modifier.Get(which)));
}

void CCharacter::AddScore(const CScore& amount)
{
    score = CSimpleScore(score.GetGold() + amount.GetGold(), score.GetPrestige() + amount.GetPrestige(),
        score.GetPiety() + amount.GetPiety());
}

void CCharacter::SetLoyaltyToLiege(float value)
{
    loyaltyToLiege = std::clamp(value, 0.0f, 1.0f);
}

void CCharacter::SetName(const char* text)
{
    delete[] name;
    name = nullptr;
    if (text == nullptr)
        return;
    const std::size_t length = std::strlen(text);
    name = new char[length + 1];
    std::memcpy(name, text, length + 1);
}

int CCharacter::Update(CRZEvent* event)
{
    if (event == nullptr)
        return 0;
    // The other character of a friendship or rivalry event, whichever side of the record names him.
    auto other = [&]() -> CCharacter* {
        const auto* record = RecordAs<CRZCharacterCharacterEventData>(event);
        if (record == nullptr)
            return nullptr;
        const CRZID named = record->first == id ? record->second : record->first;
        CCharacter* character = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(named));
        return character != this ? character : nullptr;
    };
    if (IsAttributeEvent(static_cast<int>(event->GetType())))
        return handleAttribute(event);
    switch (static_cast<int>(event->GetType())) {
    case _CRZEVT_CHANGE_COURT_POS_:
        if (const auto* record = RecordAs<CRZChangeCourtPosEventData>(event);
            record != nullptr && record->position >= COURT_NONE && record->position <= COURT_CHAPLAIN)
            SetCourtPosition(static_cast<VLCourtPosition>(record->position));
        break;
    case _CRZEVT_CHANGE_COUNTRY_:
        if (const auto* record = RecordAs<CRZCountryEventData>(event); record != nullptr) {
            if (CRZCountry* realm = RealmAt(record->country))
                SetCountry(realm);
        }
        break;
    case _CRZEVT_UNNAMED_380_:
        if (CCharacter* friendly = other())
            CreateRelation(friendly, RELATION_FRIEND);
        break;
    case _CRZEVT_UNNAMED_381_:
        if (CCharacter* friendly = other())
            LoseFriend(friendly);
        break;
    case _CRZEVT_UNNAMED_382_:
        if (CCharacter* rival = other())
            CreateRelation(rival, RELATION_RIVAL);
        break;
    case _CRZEVT_UNNAMED_383_:
        if (CCharacter* rival = other())
            LoseRival(rival);
        break;
    case _CRZEVT_SET_CHAR_RELIGION_:
        return handleSetReligion(event);
    case _CRZEVT_INDEPENDENCE_:
        return handleIndependence();
    case _CRZEVT_ADD_TRAIT_:
        return handleAddTrait(event);
    case _CRZEVT_REMOVE_TRAIT_:
        return handleRemoveTrait(event);
    case _CRZEVT_CHARACTER_CREATION_:
        return handleCharacterCreation(event);
    case _CRZEVT_CREATECLAIM_:
        return handleCreateClaim(event);
    case _CRZEVT_LOSECLAIM_:
        return handleLoseClaim(event);
    case _CRZEVT_LEAVE_COURT_:
        return handleLeaveCourt();
    case _CRZEVT_SET_PEACE_:
        return handleSetPeace(event);
    // Life and death.
    case _CRZEVT_TIMER_DAY_:
        return handleTimerDay(event);
    case _CRZEVT_IMPREGNATION_:
        return handleImpregnation(event);
    case _CRZEVT_BIRTH_:
        return handleBirth(event);
    case _CRZEVT_MISSCARRIGE_:
        return handleMisscarrige(event);
    case _CRZEVT_DEATH_CHILDBIRTH_:
        return handleDeathChildbirth(event);
    case _CRZEVT_DEATH_:
        return handleDeath(event);
    case _CRZEVT_INHERIT_:
        return handleInherit(event);
    default:
        break;
    }
    return 0;
}
