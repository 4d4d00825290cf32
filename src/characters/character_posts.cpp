// A character's requests to the host, which checks them against its own state and sends the result to
// every machine, and the price a plot against him costs.
#include "characters/character.h"
#include "characters/title.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/records_character.h"

#include "foundation/safeguards.h"

void CCharacter::PostCreateClaim(int32_t realm)
{
    PostToHostEvent(new CRZCreateClaimEvent(_CRZEVT_CREATECLAIM_, CHARACTER_SERVER, id, realm, CIdentity::GetRandomID()));
}

void CCharacter::PostDeath()
{
    if (IsHostMachine()) {
        if (deathPosted != 0)
            return;
        deathPosted = 1;
    }
    PostToHostEvent(new CRZDeathEvent(_CRZEVT_DEATH_, CHARACTER_SERVER, id, GetGameToday()));
}

CSimpleScore CCharacter::GetAssassinateCost(bool extra) const
{
    float cost = 10.0f;
    if (const CTitle* primary = GetPrimaryTitle())
        cost += 5.0f * static_cast<float>(primary->GetRankPts());
    else if (const CCharacter* spouse = FindSpouse(); spouse != nullptr && spouse->GetPrimaryTitle() != nullptr)
        cost += 5.0f * static_cast<float>(spouse->GetPrimaryTitle()->GetRankPts());
    cost += 2.0f * static_cast<float>(titles.GetSize());

    CRZCountry* realm = GetCountry();
    const CCharacter* realmRuler = realm != nullptr && gCharacterHooks.GetRuler ? gCharacterHooks.GetRuler(realm) : nullptr;
    const CTitle* realmTitle = realmRuler != nullptr ? realmRuler->GetPrimaryTitle() : nullptr;
    const float m = realmTitle != nullptr && (realmTitle->GetTier()->IsKingdom() || realmTitle->GetTier()->IsDuchy()) ? 5.0f : 1.0f;
    if (realmRuler != nullptr && realmRuler->id == father)
        cost += 10.0f * m;
    if (realmRuler == this)
        cost += 5.0f * m;
    if (courtPosition != COURT_COURTIER)
        cost += 20.0f * m;
    cost += 4.0f * static_cast<float>(attributes.GetMartial());
    return extra ? CSimpleScore(cost, 100.0f, 100.0f) : CSimpleScore(cost, 0.0f, 0.0f);
}
