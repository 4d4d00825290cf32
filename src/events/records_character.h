// The records of events about characters, dynasties, titles and claims, and the request and response
// records that carry a proposal between realms through the host, with the event class of each.
#pragma once

#include <cstdint>

#include "events/record_event.h"
#include "events/record_values.h"

#define VM_RECORD_CRZBirthEventData(FIELD)                                                                   \
    FIELD(CRZID, first, 20)                                                                                  \
    FIELD(CRZID, second, 28)                                                                                 \
    FIELD(int32_t, number, 36)                                                                               \
    FIELD(CRZRecordDate, date, 40)                                                                           \
    FIELD(CRZFloats6, values, 48)                                                                            \
    FIELD(Gender, gender, 72)                                                                                \
    FIELD(RZReligionType, religion, 76)                                                                      \
    FIELD(RZCultureType, culture, 80)                                                                        \
    FIELD(CRZID, third, 84)
VM_EVENT_RECORD_FLAT(CRZBirthEventData, 92)

#define VM_RECORD_CRZDeathEventData(FIELD) FIELD(CRZID, character, 20) FIELD(CRZRecordDate, date, 28)
VM_EVENT_RECORD_FLAT(CRZDeathEventData, 36)

#define VM_RECORD_CRZImpregnationEventData(FIELD)                                                            \
    FIELD(CRZID, first, 20) FIELD(CRZID, second, 28) FIELD(CRZRecordDate, date, 36)
VM_EVENT_RECORD_FLAT(CRZImpregnationEventData, 44)

#define VM_RECORD_CRZCharacterFloatEventData(FIELD) FIELD(float, value, 20) FIELD(CRZID, character, 24)
VM_EVENT_RECORD_FLAT(CRZCharacterFloatEventData, 32)

#define VM_RECORD_CRZCharacterTraitEventData(FIELD) FIELD(TraitType, trait, 20) FIELD(CRZID, character, 24)
VM_EVENT_RECORD_FLAT(CRZCharacterTraitEventData, 32)

#define VM_RECORD_CRZCharacterReligionEventData(FIELD)                                                       \
    FIELD(RZReligionType, religion, 20) FIELD(CRZID, character, 24)
VM_EVENT_RECORD_FLAT(CRZCharacterReligionEventData, 32)

#define VM_RECORD_CRZCharacterCharacterEventData(FIELD) FIELD(CRZID, first, 20) FIELD(CRZID, second, 28)
VM_EVENT_RECORD_FLAT(CRZCharacterCharacterEventData, 36)

#define VM_RECORD_CRZCharacterCreationEventData(FIELD)                                                       \
    FIELD(CRZID, first, 20)                                                                                  \
    FIELD(int32_t, seed, 28)                                                                                 \
    FIELD(int32_t, province, 32)                                                                             \
    FIELD(Gender, gender, 36)                                                                                \
    FIELD(VLCreationType, creation, 40)                                                                      \
    FIELD(RZReligionType, religion, 44)                                                                      \
    FIELD(RZCultureType, culture, 48)                                                                        \
    FIELD(CRZID, third, 52)                                                                                  \
    FIELD(CRZID, second, 60)                                                                                 \
    FIELD(CRZChars64, name, 68)
VM_EVENT_RECORD_FLAT(CRZCharacterCreationEventData, 132)

#define VM_RECORD_CRZCreateRandomCousinEventData(FIELD)                                                      \
    FIELD(CRZID, first, 20) FIELD(CRZID, second, 28) FIELD(int32_t, number, 36)
VM_EVENT_RECORD_FLAT(CRZCreateRandomCousinEventData, 40)

#define VM_RECORD_CRZNewRulerEventData(FIELD) FIELD(CRZID, first, 20) FIELD(CRZID, second, 28)
VM_EVENT_RECORD_FLAT(CRZNewRulerEventData, 36)

#define VM_RECORD_CRZAssassinateEventData(FIELD)                                                             \
    FIELD(CRZID, first, 20)                                                                                  \
    FIELD(CRZID, second, 28) FIELD(uint32_t, firstFlag, 36) FIELD(uint32_t, secondFlag, 40)
VM_EVENT_RECORD_FLAT(CRZAssassinateEventData, 44)

#define VM_RECORD_CRZChangeCourtPosEventData(FIELD) FIELD(CRZID, character, 20) FIELD(int32_t, position, 28)
VM_EVENT_RECORD_FLAT(CRZChangeCourtPosEventData, 32)

#define VM_RECORD_CRZCreateClaimEventData(FIELD)                                                             \
    FIELD(CRZID, first, 20) FIELD(CRZCountryID, country, 28) FIELD(CRZID, second, 32)
VM_EVENT_RECORD_FLAT(CRZCreateClaimEventData, 40)

#define VM_RECORD_CRZLoseClaimEventData(FIELD) FIELD(CRZID, first, 20) FIELD(CRZID, second, 28)
VM_EVENT_RECORD_FLAT(CRZLoseClaimEventData, 36)

#define VM_RECORD_CRZSetPeaceEventData(FIELD) FIELD(CRZID, first, 20) FIELD(CRZID, second, 28)
VM_EVENT_RECORD_FLAT(CRZSetPeaceEventData, 36)

#define VM_RECORD_CRZCountryTwoIdEventData(FIELD)                                                            \
    FIELD(CRZCountryID, country, 20) FIELD(CRZID, first, 24) FIELD(CRZID, second, 32)
VM_EVENT_RECORD_FLAT(CRZCountryTwoIdEventData, 40)

// The request family: the simple request (an identity, two realms, a date) extended by one or two
// further identities; the answer to any of them is the response record.
#define VM_RECORD_CRZSimpleRequestEventData(FIELD)                                                           \
    FIELD(CRZID, id, 20)                                                                                     \
    FIELD(CRZCountryID, first, 28) FIELD(CRZCountryID, second, 32) FIELD(CRZRecordDate, date, 36)
VM_EVENT_RECORD_FLAT(CRZSimpleRequestEventData, 44)

#define VM_RECORD_CRZOneIdRequestEventData(FIELD)                                                            \
    VM_RECORD_CRZSimpleRequestEventData(FIELD) FIELD(CRZID, extra, 44)
VM_EVENT_RECORD_FLAT(CRZOneIdRequestEventData, 52)

#define VM_RECORD_CRZTwoIdRequestEventData(FIELD)                                                            \
    VM_RECORD_CRZSimpleRequestEventData(FIELD) FIELD(CRZID, extra, 44) FIELD(CRZID, extra2, 52)
VM_EVENT_RECORD_FLAT(CRZTwoIdRequestEventData, 60)

#define VM_RECORD_CRZResponseEventData(FIELD) FIELD(CRZID, id, 20) FIELD(int32_t, answer, 28)
VM_EVENT_RECORD_FLAT(CRZResponseEventData, 32)

class CRZBirthEvent : public CRZRecordEvent<CRZBirthEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZBirthEvent(CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second, CRZID third, int number,
        CDate date, float value1, float value2, float value3, float value4, float value5, float value6,
        Gender gender, RZReligionType religion, RZCultureType culture);
};

class CRZDeathEvent : public CRZRecordEvent<CRZDeathEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZDeathEvent(CRZEvtType type, const CRZID& receiver, CRZID character, CDate date);
};

class CRZImpregnationEvent : public CRZRecordEvent<CRZImpregnationEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZImpregnationEvent(CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second, CDate date);
};

class CRZCharacterFloatEvent : public CRZRecordEvent<CRZCharacterFloatEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCharacterFloatEvent(CRZEvtType type, const CRZID& receiver, CRZID character, float value);
};

class CRZCharacterTraitEvent : public CRZRecordEvent<CRZCharacterTraitEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCharacterTraitEvent(CRZEvtType type, const CRZID& receiver, CRZID character, TraitType trait);
};

class CRZCharacterReligionEvent : public CRZRecordEvent<CRZCharacterReligionEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCharacterReligionEvent(
        CRZEvtType type, const CRZID& receiver, CRZID character, RZReligionType religion);
};

class CRZCharacterCharacterEvent : public CRZRecordEvent<CRZCharacterCharacterEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCharacterCharacterEvent(CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second);
};

// The name is cut to 63 characters; a null name leaves it empty. A received name always ends with a zero.
class CRZCharacterCreationEvent : public CRZRecordEvent<CRZCharacterCreationEventData> {
public:
    explicit CRZCharacterCreationEvent(CRZNetEvent* net);
    CRZCharacterCreationEvent(CRZEvtType type, const CRZID& receiver, const CRZID& first, CRZID second,
        CRZID third, int seed, int province, Gender gender, VLCreationType creation, RZReligionType religion,
        RZCultureType culture, const char* name);
};

class CRZCreateRandomCousinEvent : public CRZRecordEvent<CRZCreateRandomCousinEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCreateRandomCousinEvent(CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second, int number);
};

class CRZNewRulerEvent : public CRZRecordEvent<CRZNewRulerEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZNewRulerEvent(CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second);
};

class CRZAssassinateEvent : public CRZRecordEvent<CRZAssassinateEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZAssassinateEvent(
        CRZEvtType type, const CRZID& receiver, CRZID first, CRZID second, bool firstFlag, bool secondFlag);
};

class CRZChangeCourtPosEvent : public CRZRecordEvent<CRZChangeCourtPosEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZChangeCourtPosEvent(CRZEvtType type, const CRZID& receiver, const CRZID& character, int position);
};

class CRZCreateClaimEvent : public CRZRecordEvent<CRZCreateClaimEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCreateClaimEvent(CRZEvtType type, const CRZID& receiver, const CRZID& first, CRZCountryID country,
        const CRZID& second);
};

class CRZLoseClaimEvent : public CRZRecordEvent<CRZLoseClaimEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZLoseClaimEvent(CRZEvtType type, const CRZID& receiver, const CRZID& first, const CRZID& second);
};

class CRZSetPeaceEvent : public CRZRecordEvent<CRZSetPeaceEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZSetPeaceEvent(CRZEvtType type, const CRZID& receiver, const CRZID& first, const CRZID& second);
};

class CRZCountryTwoIdEvent : public CRZRecordEvent<CRZCountryTwoIdEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCountryTwoIdEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID country, const CRZID& first,
        const CRZID& second);
};

class CRZSimpleRequestEvent : public CRZRecordEvent<CRZSimpleRequestEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZSimpleRequestEvent(CRZEvtType type, const CRZID& receiver, CRZID id, CRZCountryID first,
        CRZCountryID second, const CDate& date);
};

class CRZOneIdRequestEvent : public CRZRecordEvent<CRZOneIdRequestEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZOneIdRequestEvent(CRZEvtType type, const CRZID& receiver, CRZID id, CRZCountryID first,
        CRZCountryID second, const CDate& date, const CRZID& extra);
};

class CRZTwoIdRequestEvent : public CRZRecordEvent<CRZTwoIdRequestEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZTwoIdRequestEvent(CRZEvtType type, const CRZID& receiver, CRZID id, CRZCountryID first,
        CRZCountryID second, const CDate& date, const CRZID& extra, const CRZID& extra2);
};

class CRZResponseEvent : public CRZRecordEvent<CRZResponseEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZResponseEvent(CRZEvtType type, const CRZID& receiver, CRZID id, int answer);
};
