// The character server: on the host, each character request becomes the global event that every machine
// applies, after the host's own state has been checked; the day's walk over the living; the name lists.
#include "characters/character_server.h"

#include <cstring>
#include <string>
#include <strings.h>

#include "characters/character.h"
#include "characters/culture.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_character.h"
#include "events/variable_events.h"
#include "foundation/excel_parse.h"
#include "foundation/logs.h"
#include "foundation/random_generator.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

CCharacterServer* CCharacterServer::_pInstance = nullptr;
std::vector<std::string> CCharacterServer::names[2][kNameCultures];

namespace {

CCharacter* FindCharacter(const CRZID& id)
{
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(id));
}

int Draw(int range)
{
    return range > 0 ? gGameRandom.Next() % range : 0;
}

// The spymaster's intrigue, for the plot's attack or defence.
int SpymasterIntrigue(CRZCountry* realm)
{
    if (realm == nullptr || gCharacterHooks.GetOffice == nullptr)
        return 0;
    CCharacter** office = gCharacterHooks.GetOffice(realm, COURT_SPYMASTER);
    return office != nullptr && *office != nullptr ? (*office)->GetAttributes().GetIntrigue() : 0;
}

CRZInheritanceTerms CopyTerms(const CRZInheritEvent& event)
{
    CRZInheritanceTerms terms;
    terms.formOfGovernment = event.Record().formOfGovernment;
    terms.score = event.Record().score;
    const CRZInheritEvent::Group groups[]
        = { CRZInheritEvent::Titles, CRZInheritEvent::Claims, CRZInheritEvent::Wars };
    CList<CRZID>* lists[] = { &terms.titles, &terms.claims, &terms.wars };
    for (int group = 0; group < 3; ++group)
        for (uint32_t i = 0; i < event.GetCount(groups[group]); ++i)
            lists[group]->Append(event.GetIdentity(groups[group], i));
    return terms;
}

} // namespace

CCharacterServer::CCharacterServer()
{
    _pInstance = this;
}

CCharacterServer::~CCharacterServer()
{
    if (_pInstance == this)
        _pInstance = nullptr;
}

CRZReturnType CCharacterServer::Update(CRZEvent* event)
{
    if (event == nullptr || !IsHostMachine())
        return 0;
    const int type = static_cast<int>(event->GetType());
    if (CCharacter::IsAttributeEvent(type)) {
        if (const auto* r = RecordAs<CRZCharacterFloatEventData>(event))
            PostGlobalEvent(
                new CRZCharacterFloatEvent(event->GetType(), r->character, r->character, r->value));
        return 0;
    }
    switch (type) {
    case _CRZEVT_CHANGE_COURT_POS_:
        if (const auto* r = RecordAs<CRZChangeCourtPosEventData>(event);
            r != nullptr && FindCharacter(r->character))
            PostGlobalEvent(
                new CRZChangeCourtPosEvent(event->GetType(), r->character, r->character, r->position));
        break;
    case _CRZEVT_UNNAMED_380_:
    case _CRZEVT_UNNAMED_381_:
    case _CRZEVT_UNNAMED_382_:
    case _CRZEVT_UNNAMED_383_:
        if (const auto* r = RecordAs<CRZCharacterCharacterEventData>(event))
            ProcessGlobalEvent(
                new CRZCharacterCharacterEvent(event->GetType(), r->first, r->first, r->second));
        break;
    case _CRZEVT_IMPREGNATION_:
        if (const auto* r = RecordAs<CRZImpregnationEventData>(event)) {
            const CCharacter* mother = FindCharacter(r->first);
            if (mother != nullptr && mother->CanBeImpregnated())
                PostGlobalEvent(
                    new CRZImpregnationEvent(event->GetType(), r->first, r->first, r->second, r->date));
        }
        break;
    case _CRZEVT_BIRTH_:
        if (const auto* r = RecordAs<CRZBirthEventData>(event)) {
            CCharacter* mother = FindCharacter(r->first);
            if (mother == nullptr || !mother->CanGiveBirth())
                break;
            // A second birth request for her on the same day finds her no longer pregnant here.
            mother->ClearImpregnation();
            PostGlobalEvent(new CRZBirthEvent(event->GetType(), r->first, r->first, r->second, r->third,
                r->number, r->date, r->values[0], r->values[1], r->values[2], r->values[3], r->values[4],
                r->values[5], r->gender, r->religion, r->culture));
        }
        break;
    case _CRZEVT_DEATH_:
        if (const auto* r = RecordAs<CRZDeathEventData>(event); r != nullptr && FindCharacter(r->character))
            PostGlobalEvent(new CRZDeathEvent(event->GetType(), r->character, r->character, r->date));
        break;
    case _CRZEVT_INDEPENDENCE_:
    case _CRZEVT_MISSCARRIGE_:
    case _CRZEVT_DEATH_CHILDBIRTH_:
    case _CRZEVT_LEAVE_COURT_:
        if (const auto* r = RecordAs<CRZIdEventData>(event))
            PostGlobalEvent(new CRZIdEvent(event->GetType(), r->id, r->id));
        break;
    case _CRZEVT_SETPAPALCONTROLLER_:
        if (const auto* r = RecordAs<CRZIdEventData>(event))
            PostGlobalEvent(new CRZIdEvent(event->GetType(), PAPACY, r->id));
        break;
    case _CRZEVT_SET_CHAR_RELIGION_:
        if (const auto* r = RecordAs<CRZCharacterReligionEventData>(event))
            PostGlobalEvent(
                new CRZCharacterReligionEvent(event->GetType(), r->character, r->character, r->religion));
        break;
    case _CRZEVT_ADD_TRAIT_:
    case _CRZEVT_REMOVE_TRAIT_:
        if (const auto* r = RecordAs<CRZCharacterTraitEventData>(event))
            PostGlobalEvent(
                new CRZCharacterTraitEvent(event->GetType(), r->character, r->character, r->trait));
        break;
    case _CRZEVT_ASSASSINATE_:
        RelayAssassination(event);
        break;
    case _CRZEVT_NEW_RULER_:
        // The realm (second) installs its new ruler (first).
        if (const auto* r = RecordAs<CRZNewRulerEventData>(event)) {
            const CCharacter* ruler = FindCharacter(r->first);
            if (ruler != nullptr && ruler->IsAlive())
                PostGlobalEvent(new CRZNewRulerEvent(event->GetType(), r->second, r->first, r->second));
        }
        break;
    case _CRZEVT_INHERIT_:
        if (const auto* inherit = dynamic_cast<const CRZInheritEvent*>(event)) {
            const auto& r = inherit->Record();
            PostGlobalEvent(
                new CRZInheritEvent(event->GetType(), r.first, r.first, r.second, CopyTerms(*inherit)));
        }
        break;
    case _CRZEVT_CREATE_RANDOM_COUSIN_:
        // The realm (second) has its ruler make the cousin under the new identity (first). At once: the
        // estate that asked takes the cousin as its heir before the request returns.
        if (const auto* r = RecordAs<CRZCreateRandomCousinEventData>(event))
            ProcessGlobalEvent(
                new CRZCreateRandomCousinEvent(event->GetType(), r->second, r->first, r->second, r->number));
        break;
    case _CRZEVT_CHARACTER_CREATION_:
        if (const auto* r = RecordAs<CRZCharacterCreationEventData>(event)) {
            CRZCountry* realm = RealmAt(static_cast<int32_t>(r->first.number));
            CCharacter* ruler = realm != nullptr && gCharacterHooks.GetRuler != nullptr
                ? gCharacterHooks.GetRuler(realm)
                : nullptr;
            if (ruler == nullptr)
                break;
            ProcessGlobalEvent(
                new CRZCharacterCreationEvent(event->GetType(), ruler->GetID(), r->first, r->second, r->third,
                    r->seed, r->province, r->gender, r->creation, r->religion, r->culture, r->name));
        }
        break;
    case _CRZEVT_CREATECLAIM_:
        if (const auto* r = RecordAs<CRZCreateClaimEventData>(event))
            PostGlobalEvent(
                new CRZCreateClaimEvent(event->GetType(), r->first, r->first, r->country, r->second));
        break;
    case _CRZEVT_LOSECLAIM_:
        if (const auto* r = RecordAs<CRZLoseClaimEventData>(event))
            PostGlobalEvent(new CRZLoseClaimEvent(event->GetType(), r->first, r->first, r->second));
        break;
    case _CRZEVT_SET_PEACE_:
        if (const auto* r = RecordAs<CRZSetPeaceEventData>(event))
            PostGlobalEvent(new CRZSetPeaceEvent(event->GetType(), r->first, r->first, r->second));
        break;
    default:
        break;
    }
    return 0;
}

void CCharacterServer::RelayAssassination(CRZEvent* event)
{
    const auto* r = RecordAs<CRZAssassinateEventData>(event);
    if (r == nullptr)
        return;
    CCharacter* orderer = FindCharacter(r->first);
    CCharacter* target = FindCharacter(r->second);
    CRZCountry* realm = orderer != nullptr ? orderer->GetCountry() : nullptr;
    if (realm == nullptr || target == nullptr) {
        history("assassination request dropped: the orderer, his realm or the target does not exist\n");
        return;
    }
    if (gCharacterHooks.CanAssassinate != nullptr && !gCharacterHooks.CanAssassinate(realm, target))
        return;
    CRZCountry* targetRealm = target->GetCountry();
    float attack = static_cast<float>(orderer->GetAttributes().GetIntrigue());
    if (orderer->IsRuler())
        attack += static_cast<float>(SpymasterIntrigue(realm));
    if (targetRealm != nullptr && gCharacterHooks.GetCapital != nullptr
        && gCharacterHooks.GetPlotFactor != nullptr)
        attack *= gCharacterHooks.GetPlotFactor(gCharacterHooks.GetCapital(targetRealm));
    if (!(attack >= 2.0f))
        attack = 2.0f;
    int defence = target->GetAttributes().GetIntrigue();
    if (targetRealm != realm)
        defence += SpymasterIntrigue(targetRealm);
    if (defence < 2)
        defence = 2;
    bool discovered = Draw(20) < defence;
    // An attack beyond any int would make the draw's range meaningless; the plot then cannot fail.
    const int attackRange = attack < 1.0e9f ? static_cast<int>(attack) : 1000000000;
    bool success = Draw(attackRange) > target->titles.GetSize() + Draw(defence);
    const bool played
        = gCharacterHooks.GetControlKind != nullptr && gCharacterHooks.GetControlKind(realm) != 0;
    if (played && gCharacterHooks.IsDiploCheat != nullptr && gCharacterHooks.IsDiploCheat()) {
        success = true;
        discovered = false;
    }
    const int32_t realmNumber
        = gCharacterHooks.GetCountryIndex != nullptr ? gCharacterHooks.GetCountryIndex(realm) : 0;
    PostGlobalEvent(new CRZAssassinateEvent(
        event->GetType(), CountryIdentity(realmNumber), r->first, r->second, success, discovered));
}

void CCharacterServer::ClearRandomCharacterNames()
{
    for (auto& gender : names)
        for (auto& list : gender)
            list.clear();
}

void CCharacterServer::ParseRandomCharacterNames(const char* path)
{
    ClearRandomCharacterNames();
    CExcelParse table(path);
    for (bool more = true; more;) {
        // The row's first three fields; the rest of the row is read past.
        std::string fields[3];
        int count = 0;
        do {
            char field[256];
            more = table.parse_string(field, sizeof field);
            if (count < 3)
                fields[count] = field;
            ++count;
        } while (more && !table.EndedRow());
        if (count < 3 || fields[0].empty() || fields[0][0] == '#' || fields[2].empty())
            continue;
        const int culture = CRZCulture::Which(fields[0].c_str());
        const int gender = strcasecmp(fields[1].c_str(), "male") == 0 ? 0 : 1;
        if (culture > 0 && culture < kNameCultures)
            names[gender][culture].push_back(fields[2]);
    }
}

const char* CCharacterServer::GetRandomCharacterName(int culture, int gender)
{
    if (culture == CULTURE_NORSE)
        culture = kNorwegianCulture;
    if (culture < 0 || culture >= kNameCultures)
        culture = 0;
    const int sex = gender == GENDER_MALE ? 0 : 1;
    const std::vector<std::string>* list = &names[sex][culture];
    if (list->empty() && sex == 1 && (culture == kCumanCulture || culture == kPechenegCulture))
        list = &names[1][kMongolCulture];
    if (list->empty())
        return TextStrings.GetString("INFANT_NAME");
    return (*list)[static_cast<std::size_t>(Draw(static_cast<int>(list->size())))].c_str();
}
