// The small requests about a character and the handlers that apply their global events on every
// machine: attributes and scores, traits, claims, leaving court, independence, religion and peace.
#include <cmath>

#include "characters/character.h"
#include "characters/culture.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_character.h"
#include "foundation/logs.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kNobodyRealm = CTitle::kNobodyRealm;
constexpr int kRebelRealm = CTitle::kTitleCount - 1;

// Message types of the player's log: a trait gained, a trait lost, a claim gained.
constexpr int kMessageTraitGained = 38;
constexpr int kMessageTraitLost = 39;
constexpr int kMessageClaimGained = 40;

CCharacter* FindCharacter(const CRZID& id)
{
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(id));
}

int32_t NumberOf(const CRZCountry* realm)
{
    return realm != nullptr && gCharacterHooks.GetCountryIndex != nullptr
        ? gCharacterHooks.GetCountryIndex(realm)
        : 0;
}

bool IsRealRealm(const CRZCountry* realm)
{
    const int32_t number = NumberOf(realm);
    return number > 0 && number != kNobodyRealm && number != kRebelRealm;
}

bool IsLocalPlayers(const CRZCountry* realm)
{
    return realm != nullptr && gCharacterHooks.GetControlKind != nullptr
        && gCharacterHooks.GetControlKind(realm) == 1;
}

void Tell(int type, const CRZCountry* realm, const char* first, const char* second)
{
    const char* const texts[] = { "", first, second };
    if (realm != nullptr && gCharacterHooks.ShowMessage != nullptr)
        gCharacterHooks.ShowMessage(type, NumberOf(realm), texts, 3);
}

const char* TraitName(int trait)
{
    const CTraitType* type = CTraitType::Get(trait);
    return type != nullptr ? type->GetName() : "";
}

// The trait a trait event names; -1, with a line in the history, for none or a number outside the
// tables that it would index.
int TraitOf(CRZEvent* event)
{
    const auto* record = RecordAs<CRZCharacterTraitEventData>(event);
    if (record == nullptr)
        return -1;
    const int trait = static_cast<int>(record->trait);
    if (trait < 0 || trait >= kTraitCount) {
        history("trait event dropped: trait %d is out of range\n", trait);
        return -1;
    }
    return trait;
}

} // namespace

void CCharacter::PostCreateClaim(int32_t realm)
{
    PostToHostEvent(
        new CRZCreateClaimEvent(_CRZEVT_CREATECLAIM_, CHARACTER_SERVER, id, realm, CIdentity::GetRandomID()));
}

void CCharacter::PostLoseClaim(const CClaim* claim)
{
    if (claim != nullptr)
        PostToHostEvent(new CRZLoseClaimEvent(_CRZEVT_LOSECLAIM_, CHARACTER_SERVER, id, claim->GetID()));
}

void CCharacter::PostLeaveCourt()
{
    PostToHostEvent(new CRZIdEvent(_CRZEVT_LEAVE_COURT_, CHARACTER_SERVER, id));
}

void CCharacter::PostSetPeace(const CCharacter* other)
{
    if (other != nullptr)
        PostToHostEvent(new CRZSetPeaceEvent(_CRZEVT_SET_PEACE_, CHARACTER_SERVER, id, other->GetID()));
}

bool CCharacter::IsAttributeEvent(int type)
{
    switch (type) {
    case _CRZEVT_INCREASE_STABILITY_:
    case _CRZEVT_PRESTIGE_:
    case _CRZEVT_MARTIAL_:
    case _CRZEVT_DIPLOMACY_:
    case _CRZEVT_INTRIGUE_:
    case _CRZEVT_STEWARDSHIP_:
    case _CRZEVT_HEALTH_:
    case _CRZEVT_FERTILITY_:
    case _CRZEVT_LOYALTY_:
    case _CRZEVT_UNNAMED_435_:
    case _CRZEVT_PIETY_:
    case _CRZEVT_GOLD_:
        return true;
    default:
        return false;
    }
}

int CCharacter::handleAttribute(CRZEvent* event)
{
    const auto* record = RecordAs<CRZCharacterFloatEventData>(event);
    if (record == nullptr)
        return 0;
    const float value = record->value;
    // A value that is no number would spread through every sum it reaches.
    if (!std::isfinite(value)) {
        history("attribute event %d dropped: its value is no number\n", static_cast<int>(event->GetType()));
        return 0;
    }
    CRZCountry* realm = GetCountry();
    switch (static_cast<int>(event->GetType())) {
    case _CRZEVT_MARTIAL_:
        AddMartial(value);
        break;
    case _CRZEVT_DIPLOMACY_:
        AddDiplomacy(value);
        break;
    case _CRZEVT_INTRIGUE_:
        AddIntrigue(value);
        break;
    case _CRZEVT_STEWARDSHIP_:
        AddStewardship(value);
        break;
    case _CRZEVT_HEALTH_:
        AddHealth(value);
        break;
    case _CRZEVT_FERTILITY_:
        AddFertility(value);
        break;
    case _CRZEVT_LOYALTY_:
        ChangeLoyaltyToLiege(value);
        break;
    case _CRZEVT_UNNAMED_435_:
        if (realm != nullptr && gCharacterHooks.AddBadBoy != nullptr)
            gCharacterHooks.AddBadBoy(realm, value);
        break;
    case _CRZEVT_INCREASE_STABILITY_:
        if (realm != nullptr && gCharacterHooks.ChangeStability != nullptr)
            gCharacterHooks.ChangeStability(realm, value);
        break;
    case _CRZEVT_PRESTIGE_:
        AddScore(CSimpleScore(0.0f, value, 0.0f));
        break;
    case _CRZEVT_PIETY_:
        AddScore(CSimpleScore(0.0f, 0.0f, value));
        break;
    case _CRZEVT_GOLD_:
        AddScore(CSimpleScore(value, 0.0f, 0.0f));
        break;
    default:
        break;
    }
    return 0;
}

int CCharacter::handleAddTrait(CRZEvent* event)
{
    const int trait = TraitOf(event);
    if (trait < 0)
        return 0;
    CRZCountry* realm = GetCountry();
    if (const CTraitType* type = CTraitType::Get(trait)) {
        for (int held = 0; held < kTraitCount; ++held) {
            if (held == trait || !HasTrait(held) || !type->GetAntithesis().Exists(held))
                continue;
            RemoveTrait(held);
            if (IsRealRealm(realm) && IsLocalPlayers(realm))
                Tell(kMessageTraitLost, realm, GetLongName(), TraitName(held));
        }
    }
    AddTrait(trait);
    if (IsRealRealm(realm) && IsLocalPlayers(realm))
        Tell(kMessageTraitGained, realm, GetLongName(), TraitName(trait));
    return 0;
}

int CCharacter::handleRemoveTrait(CRZEvent* event)
{
    const int trait = TraitOf(event);
    if (trait < 0)
        return 0;
    RemoveTrait(trait);
    CRZCountry* realm = GetCountry();
    if (IsRealRealm(realm) && IsLocalPlayers(realm))
        Tell(kMessageTraitLost, realm, GetLongName(), TraitName(trait));
    return 0;
}

int CCharacter::handleCreateClaim(CRZEvent* event)
{
    const auto* record = RecordAs<CRZCreateClaimEventData>(event);
    if (record == nullptr)
        return 0;
    const int32_t claimed = record->country;
    CTitle* title = claimed > 0 && claimed < CTitle::kTitleCount ? CTitle::GetTitle(claimed) : nullptr;
    const CRZID& claimId = record->second;
    if (title == nullptr || claimId == NOID || !CIdentity::IsRegisteredType(claimId.type)
        || CIdentity::GetObjectFromID(claimId) != nullptr) {
        history("claim event dropped: no title %d or the claim's identity is not free\n",
            static_cast<int>(claimed));
        return 0;
    }
    // A claim on his own title, or a second on the same title, would only clutter the lists.
    if (HasClaim(title) || title->GetCurrentHolder() == this)
        return 0;
    CClaim* claim = new CClaim(claimed, claimId, GetGameToday());
    claim->SetCharacter(this);
    title->AddClaim(claim);
    CRZCountry* realm = GetCountry();
    if (IsLocalPlayers(realm))
        Tell(kMessageClaimGained, realm, GetLongName(), title->GetString(this));
    return 0;
}

int CCharacter::handleLoseClaim(CRZEvent* event)
{
    const auto* record = RecordAs<CRZLoseClaimEventData>(event);
    if (record == nullptr)
        return 0;
    CClaim* claim = CClaim::GetClaim(record->second);
    if (claim == nullptr || claim->GetCharacter() != this || !HasClaim(claim->GetTitle()))
        return 0;
    claim->Remove();
    delete claim;
    return 0;
}

int CCharacter::handleLeaveCourt()
{
    if (CDivision* division = GetMilitaryCommand()) {
        if (gCharacterHooks.ReleaseCommand != nullptr)
            gCharacterHooks.ReleaseCommand(division);
        ClearMilitaryCommand();
    }
    RemoveCourtReferences();
    if (CRZCountry* realm = GetCountry(); realm != nullptr && gCharacterHooks.RemoveCharacter != nullptr)
        gCharacterHooks.RemoveCharacter(realm, this);
    CRZCountry* nobody = RealmAt(kNobodyRealm);
    SetCountry(nobody);
    if (nobody == nullptr)
        realmId = kNobodyRealm;
    return 0;
}

int CCharacter::handleIndependence()
{
    SetLiegeRuler(nullptr);
    return 0;
}

int CCharacter::handleSetReligion(CRZEvent* event)
{
    const auto* record = RecordAs<CRZCharacterReligionEventData>(event);
    if (record == nullptr)
        return 0;
    // A number from the network outside the six religions would index tables past their end.
    if (record->religion < RELIGION_CATHOLIC || record->religion > RELIGION_NONE) {
        history("religion event dropped: religion %d is out of range\n", static_cast<int>(record->religion));
        return 0;
    }
    religion = static_cast<int32_t>(record->religion);
    return 0;
}

int CCharacter::handleSetPeace(CRZEvent* event)
{
    const auto* record = RecordAs<CRZSetPeaceEventData>(event);
    if (record == nullptr)
        return 0;
    CCharacter* other = FindCharacter(record->second == id ? record->first : record->second);
    if (other == nullptr || other == this) {
        history("peace event dropped: the other party does not exist\n");
        return 0;
    }
    if (gCharacterHooks.SetPeace != nullptr)
        gCharacterHooks.SetPeace(this, other);
    return 0;
}
