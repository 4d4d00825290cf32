// Constructors of the character, title and request events: each stores its arguments at the fields the
// record gives them, which is not always argument order.
#include "events/records_character.h"

#include "foundation/safeguards.h"

CRZBirthEvent::CRZBirthEvent(CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second, CRZID third,
    int number, CDate date, float value1, float value2, float value3, float value4, float value5,
    float value6, Gender gender, RZReligionType religion, RZCultureType culture)
    : CRZRecordEvent(type, receiver)
{
    CRZBirthEventData& r = Record();
    r.first = first;
    r.second = second;
    r.number = number;
    r.date = date;
    const float values[6] = { value1, value2, value3, value4, value5, value6 };
    for (int i = 0; i < 6; ++i)
        r.values[i] = values[i];
    r.gender = gender;
    r.religion = religion;
    r.culture = culture;
    r.third = third;
}

CRZDeathEvent::CRZDeathEvent(CRZEvtType type, const CRZID& receiver, CRZID character, CDate date)
    : CRZRecordEvent(type, receiver)
{
    Record().character = character;
    Record().date = date;
}

CRZImpregnationEvent::CRZImpregnationEvent(
    CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second, CDate date)
    : CRZRecordEvent(type, receiver)
{
    Record().first = first;
    Record().second = second;
    Record().date = date;
}

CRZCharacterFloatEvent::CRZCharacterFloatEvent(
    CRZEvtType type, const CRZID& receiver, CRZID character, float value)
    : CRZRecordEvent(type, receiver)
{
    Record().value = value;
    Record().character = character;
}

CRZCharacterTraitEvent::CRZCharacterTraitEvent(
    CRZEvtType type, const CRZID& receiver, CRZID character, TraitType trait)
    : CRZRecordEvent(type, receiver)
{
    Record().trait = trait;
    Record().character = character;
}

CRZCharacterReligionEvent::CRZCharacterReligionEvent(
    CRZEvtType type, const CRZID& receiver, CRZID character, RZReligionType religion)
    : CRZRecordEvent(type, receiver)
{
    Record().religion = religion;
    Record().character = character;
}

CRZCharacterCharacterEvent::CRZCharacterCharacterEvent(
    CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second)
    : CRZRecordEvent(type, receiver)
{
    Record().first = first;
    Record().second = second;
}

CRZCharacterCreationEvent::CRZCharacterCreationEvent(CRZNetEvent* net)
    : CRZRecordEvent(net)
{
    TerminateRecordName(Record().name);
}

CRZCharacterCreationEvent::CRZCharacterCreationEvent(CRZEvtType type, const CRZID& receiver,
    const CRZID& first, CRZID second, CRZID third, int seed, int province, Gender gender,
    VLCreationType creation, RZReligionType religion, RZCultureType culture, const char* name)
    : CRZRecordEvent(type, receiver)
{
    CRZCharacterCreationEventData& r = Record();
    r.first = first;
    r.second = second;
    r.third = third;
    r.seed = seed;
    r.province = province;
    r.gender = gender;
    r.creation = creation;
    r.religion = religion;
    r.culture = culture;
    CopyRecordName(r.name, name);
}

CRZCreateRandomCousinEvent::CRZCreateRandomCousinEvent(
    CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second, int number)
    : CRZRecordEvent(type, receiver)
{
    Record().first = first;
    Record().second = second;
    Record().number = number;
}

CRZNewRulerEvent::CRZNewRulerEvent(CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second)
    : CRZRecordEvent(type, receiver)
{
    Record().first = first;
    Record().second = second;
}

CRZAssassinateEvent::CRZAssassinateEvent(
    CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second, bool firstFlag, bool secondFlag)
    : CRZRecordEvent(type, receiver)
{
    Record().first = first;
    Record().second = second;
    Record().firstFlag = RecordFlag(firstFlag);
    Record().secondFlag = RecordFlag(secondFlag);
}

CRZChangeCourtPosEvent::CRZChangeCourtPosEvent(
    CRZEvtType type, const CRZID& receiver, const CRZID& character, int position)
    : CRZRecordEvent(type, receiver)
{
    Record().character = character;
    Record().position = position;
}

CRZCreateClaimEvent::CRZCreateClaimEvent(
    CRZEvtType type, const CRZID& receiver, const CRZID& first, CRZCountryID country, const CRZID& second)
    : CRZRecordEvent(type, receiver)
{
    Record().first = first;
    Record().country = country;
    Record().second = second;
}

CRZLoseClaimEvent::CRZLoseClaimEvent(
    CRZEvtType type, const CRZID& receiver, const CRZID& first, const CRZID& second)
    : CRZRecordEvent(type, receiver)
{
    Record().first = first;
    Record().second = second;
}

CRZSetPeaceEvent::CRZSetPeaceEvent(
    CRZEvtType type, const CRZID& receiver, const CRZID& first, const CRZID& second)
    : CRZRecordEvent(type, receiver)
{
    Record().first = first;
    Record().second = second;
}

CRZCountryTwoIdEvent::CRZCountryTwoIdEvent(
    CRZEvtType type, const CRZID& receiver, CRZCountryID country, const CRZID& first, const CRZID& second)
    : CRZRecordEvent(type, receiver)
{
    Record().country = country;
    Record().first = first;
    Record().second = second;
}

namespace {

// The part every request record shares.
template <class Data>
void FillRequest(Data& r, const CRZID& id, CRZCountryID first, CRZCountryID second, const CDate& date)
{
    r.id = id;
    r.first = first;
    r.second = second;
    r.date = date;
}

} // namespace

CRZSimpleRequestEvent::CRZSimpleRequestEvent(CRZEvtType type, const CRZID& receiver, CRZID id,
    CRZCountryID first, CRZCountryID second, const CDate& date)
    : CRZRecordEvent(type, receiver)
{
    FillRequest(Record(), id, first, second, date);
}

CRZOneIdRequestEvent::CRZOneIdRequestEvent(CRZEvtType type, const CRZID& receiver, CRZID id,
    CRZCountryID first, CRZCountryID second, const CDate& date, const CRZID& extra)
    : CRZRecordEvent(type, receiver)
{
    FillRequest(Record(), id, first, second, date);
    Record().extra = extra;
}

CRZTwoIdRequestEvent::CRZTwoIdRequestEvent(CRZEvtType type, const CRZID& receiver, CRZID id,
    CRZCountryID first, CRZCountryID second, const CDate& date, const CRZID& extra, const CRZID& extra2)
    : CRZRecordEvent(type, receiver)
{
    FillRequest(Record(), id, first, second, date);
    Record().extra = extra;
    Record().extra2 = extra2;
}

CRZResponseEvent::CRZResponseEvent(CRZEvtType type, const CRZID& receiver, CRZID id, int answer)
    : CRZRecordEvent(type, receiver)
{
    Record().id = id;
    Record().answer = answer;
}
