// Marriage and alliance between characters: who may marry whom, the marriage itself as every machine applies
// it from an accepted request, and the alliance and truce relations between rulers.
#include <algorithm>

#include "characters/character.h"
#include "characters/relation.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kMarriageAge = 15;
// Scripted events of the marriage module: a ruler marries; a ruler's eldest daughter marries.
constexpr CRZID kRulerMarriesEvent { 18, 1093 };
constexpr CRZID kEldestDaughterMarriesEvent { 18, 1094 };

CCharacter* RulerOf(const CRZCountry* realm)
{
    return realm != nullptr && gCharacterHooks.GetRuler != nullptr ? gCharacterHooks.GetRuler(realm)
                                                                   : nullptr;
}

bool MayNotMarryAsRuler(const CCharacter* character)
{
    if (!character->IsRuler() || gCharacterHooks.GetFormOfGoverment == nullptr)
        return false;
    const int32_t form = gCharacterHooks.GetFormOfGoverment(character->GetCountry());
    return form == 2 || form == 3;
}

float PrestigeOf(const CCharacter* character)
{
    return character != nullptr ? character->GetScore().GetPrestige() : 0.0f;
}

void AddPrestige(CCharacter* character, float amount)
{
    if (character != nullptr && amount != 0.0f)
        character->AddScore(CSimpleScore(0.0f, amount, 0.0f));
}

void Trigger(const CRZID& event, CCharacter* character)
{
    if (gCharacterHooks.TriggerEvent != nullptr && character != nullptr)
        gCharacterHooks.TriggerEvent(event, character);
}

// The eldest living daughter of her father: no living sister born earlier.
bool IsEldestDaughter(const CCharacter* woman, const CCharacter* father)
{
    int earliest = GetGameToday().GetDays();
    for (auto it = father->children.GetHead(); !it.IsEnd(); it++) {
        const CCharacter* child = (*it).Get();
        if (child != nullptr && child->IsFemale() && child->IsAlive())
            earliest = std::min(earliest, child->birthDate.GetDays());
    }
    return woman->birthDate.GetDays() == earliest;
}

} // namespace

bool CCharacter::CanMarry(const CCharacter* other) const
{
    if (other == nullptr || other == this)
        return false;
    if (FindSpouse() != nullptr || other->FindSpouse() != nullptr)
        return false;
    if (IsFemale() == other->IsFemale())
        return false;
    if (GetAge() <= kMarriageAge || other->GetAge() <= kMarriageAge)
        return false;
    if (IsOurChild(other) || other->IsOurChild(this) || IsSibling(other))
        return false;
    if (other->IsRuler() && (IsRuler() || MayNotMarryAsRuler(other)))
        return false;
    return !MayNotMarryAsRuler(this);
}

float CCharacter::GetMarriagePrestigeGain(
    const CCharacter* spouse, const CCharacter* partner, const CCharacter* ruler)
{
    if (spouse == nullptr || partner == nullptr)
        return 0.0f;
    float gain = 0.0f;
    if (ruler != nullptr && ruler != spouse)
        gain += 0.2f * PrestigeOf(ruler);
    if (partner != spouse)
        gain += 0.2f * PrestigeOf(partner);
    return std::clamp(gain, 0.0f, 50.0f);
}

float CCharacter::GetMarriageRulerPrestigeGain(const CCharacter* our, const CCharacter* their)
{
    if (our == nullptr || their == nullptr)
        return 0.0f;
    CRZCountry* ourRealm = our->GetCountry();
    CRZCountry* theirRealm = their->GetCountry();
    const CCharacter* ourRuler = RulerOf(ourRealm);
    const CCharacter* theirRuler = RulerOf(theirRealm);
    if (ourRealm == nullptr || theirRealm == nullptr || ourRealm == theirRealm || ourRuler == nullptr
        || theirRuler == nullptr)
        return 0.0f;
    float gain = 0.0f;
    if (theirRuler != ourRuler)
        gain += 0.1f * PrestigeOf(theirRuler);
    if (their != ourRuler)
        gain += 0.1f * PrestigeOf(their);
    return std::clamp(gain, 0.0f, 50.0f);
}

void CCharacter::Marry(CCharacter* other)
{
    if (other == nullptr)
        return;
    CRZCountry* ourRealm = GetCountry();
    CRZCountry* theirRealm = other->GetCountry();
    CCharacter* r1 = RulerOf(ourRealm);
    CCharacter* r2 = RulerOf(theirRealm);
    if (r1 == nullptr || r2 == nullptr)
        return;

    // Each spouse's own ruler counts, not the local player's: every machine must add the same amounts.
    const float ourGain = GetMarriagePrestigeGain(this, other, r1);
    const float theirGain = GetMarriagePrestigeGain(other, this, r2);
    const float r1Gain = GetMarriageRulerPrestigeGain(this, other);
    const float r2Gain = GetMarriageRulerPrestigeGain(other, this);
    AddPrestige(this, ourGain);
    AddPrestige(other, theirGain);
    AddPrestige(r1, r1Gain);
    AddPrestige(r2, r2Gain);

    if (r1 != r2 && gCharacterHooks.ChangeRelation != nullptr)
        gCharacterHooks.ChangeRelation(ourRealm, theirRealm, 50.0f);

    if (gCharacterHooks.IsHost == nullptr || gCharacterHooks.IsHost()) {
        if (this == r1 || other == r1)
            Trigger(kRulerMarriesEvent, r1);
        else if (this == r2 || other == r2)
            Trigger(kRulerMarriesEvent, r2);
        CCharacter* woman = IsFemale() ? this : other;
        CCharacter* herFather = CRef<CCharacter>(woman->father).Get();
        if (herFather != nullptr && (herFather == r1 || herFather == r2) && IsEldestDaughter(woman, herFather)
            && woman->GetSpouses().IsEmpty())
            Trigger(kEldestDaughterMarriesEvent, herFather);
    }

    CreateRelation(other, RELATION_MARRIAGE);

    if (!other->IsFemale() || !other->titles.IsEmpty())
        SetCountry(theirRealm);
    else
        other->SetCountry(ourRealm);
}

void CCharacter::Ally(CCharacter* other)
{
    if (other == nullptr)
        return;
    CreateRelation(other, RELATION_ALLIANCE);
    if (gCharacterHooks.ChangeRelation != nullptr && GetCountry() != nullptr
        && other->GetCountry() != nullptr)
        gCharacterHooks.ChangeRelation(GetCountry(), other->GetCountry(), 25.0f);
}

void CCharacter::Truce(CCharacter* other)
{
    if (other != nullptr)
        CreateRelation(other, RELATION_TRUCE);
}
