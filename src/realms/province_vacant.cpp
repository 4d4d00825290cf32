// Vacant counties: on the host a county left without a holder gets a new count, made among the rebels, who
// inherits it from the last holder on every machine through the character server.
#include "characters/character.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/records_character.h"
#include "foundation/logs.h"
#include "foundation/random_generator.h"
#include "realms/country.h"
#include "realms/inheritance.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

void CProvince::FillVacantCounty()
{
    if (!CRZCountry::OnHost() || !IsLand())
        return;
    const CTitle* county = GetBestFreeTitle(nullptr);
    if (county == nullptr || !county->GetTier()->IsCounty() || county->GetTenures().IsEmpty())
        return;
    const CTitleHolding* newest = *county->GetTenures().GetTail();
    if (!newest->HasEnded()) {
        vacancyHeir = NOID;
        return;
    }
    // Days run in a row before the queued inheritance is processed: one count per vacancy, not one a day.
    if (const auto* waiting = dynamic_cast<const CCharacter*>(CIdentity::GetObjectFromID(vacancyHeir));
        waiting != nullptr && waiting->IsAlive())
        return;
    const CRZID heirId = CRZID(CRZDynamicObject::GetUniqueDynamicID());
    ProcessGlobalEvent(new CRZCharacterCreationEvent(_CRZEVT_CHARACTER_CREATION_, CHARACTER_SERVER,
        CountryIdentity(kRebelCountry), NOID, heirId, gGameRandom.Next(), number, GENDER_MALE,
        VLCreationType {}, static_cast<RZReligionType>(religion), static_cast<RZCultureType>(culture), ""));
    auto* heir = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(heirId));
    if (heir == nullptr) {
        history("Province %d: no count could be made for the vacant county\n", number);
        return;
    }
    CInheritance share;
    share.AddTitle(county->GetID());
    PostInherit(heir, newest->holderId, share);
    vacancyHeir = heirId;
}
