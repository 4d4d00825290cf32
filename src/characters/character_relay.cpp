// The host's relay of the requests that a character's life and death make: each is checked against the
// host's state and issued to every machine as the global event of its type.
#include "characters/character.h"
#include "characters/character_server.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_character.h"
#include "events/variable_events.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

CCharacter* CharacterAt(const CRZID& identity)
{
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(identity));
}

CRZInheritanceTerms CopyTerms(const CRZInheritEvent& event)
{
    CRZInheritanceTerms terms;
    terms.formOfGovernment = event.Record().formOfGovernment;
    terms.score = event.Record().score;
    CList<CRZID>* groups[3] = { &terms.titles, &terms.claims, &terms.wars };
    for (int group = 0; group < 3; ++group) {
        const auto kind = static_cast<CRZInheritEvent::Group>(group);
        for (uint32_t i = 0; i < event.GetCount(kind); ++i)
            groups[group]->Append(event.GetIdentity(kind, i));
    }
    return terms;
}

} // namespace

const char* CCharacterServer::GetRandomCharacterName(int, int)
{
    // No lists of names are read yet: every child is named as the game names one without a list.
    return TextStrings.GetString("INFANT_NAME");
}

void CCharacter::PostCreateClaim(int32_t realm)
{
    PostToHostEvent(new CRZCreateClaimEvent(_CRZEVT_CREATECLAIM_, CHARACTER_SERVER, id, realm, CIdentity::GetRandomID()));
}

CRZReturnType CCharacterServer::Update(CRZEvent* event)
{
    if (!IsHostMachine() || event == nullptr)
        return 0;
    switch (static_cast<int>(event->GetType())) {
    case _CRZEVT_IMPREGNATION_:
        if (const auto* r = RecordAs<CRZImpregnationEventData>(event)) {
            const CCharacter* mother = CharacterAt(r->first);
            if (mother != nullptr && mother->CanBeImpregnated())
                PostGlobalEvent(new CRZImpregnationEvent(event->GetType(), r->first, r->first, r->second, r->date));
        }
        break;
    case _CRZEVT_BIRTH_:
        if (const auto* r = RecordAs<CRZBirthEventData>(event)) {
            CCharacter* mother = CharacterAt(r->first);
            if (mother == nullptr || !mother->CanGiveBirth())
                break;
            // A second request for the same pregnancy finds her no longer pregnant.
            mother->ClearImpregnation();
            PostGlobalEvent(new CRZBirthEvent(event->GetType(), r->first, r->first, r->second, r->third, r->number,
                r->date, r->values[0], r->values[1], r->values[2], r->values[3], r->values[4], r->values[5], r->gender,
                r->religion, r->culture));
        }
        break;
    case _CRZEVT_DEATH_:
        if (const auto* r = RecordAs<CRZDeathEventData>(event); r != nullptr && CharacterAt(r->character) != nullptr)
            PostGlobalEvent(new CRZDeathEvent(event->GetType(), r->character, r->character, r->date));
        break;
    case _CRZEVT_MISSCARRIGE_:
    case _CRZEVT_DEATH_CHILDBIRTH_:
        if (const auto* r = RecordAs<CRZIdEventData>(event))
            PostGlobalEvent(new CRZIdEvent(event->GetType(), r->id, r->id));
        break;
    case _CRZEVT_NEW_RULER_:
        if (const auto* r = RecordAs<CRZNewRulerEventData>(event)) {
            const CCharacter* ruler = CharacterAt(r->first);
            if (ruler != nullptr && ruler->IsAlive())
                PostGlobalEvent(new CRZNewRulerEvent(event->GetType(), r->second, r->first, r->second));
        }
        break;
    case _CRZEVT_INHERIT_:
        if (const auto* inherit = dynamic_cast<const CRZInheritEvent*>(event)) {
            const CRZInheritEventData& r = inherit->Record();
            PostGlobalEvent(new CRZInheritEvent(event->GetType(), r.first, r.first, r.second, CopyTerms(*inherit)));
        }
        break;
    case _CRZEVT_CREATE_RANDOM_COUSIN_:
        if (const auto* r = RecordAs<CRZCreateRandomCousinEventData>(event))
            PostGlobalEvent(new CRZCreateRandomCousinEvent(event->GetType(), r->second, r->first, r->second, r->number));
        break;
    default:
        break;
    }
    return 0;
}
