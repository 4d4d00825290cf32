// The records that many event types share (no payload, one number, one identity, two numbers, a new
// date) and the local input and animation records, with the event class that carries each; the
// event type alone tells a handler what the record means.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

#include "events/event_record.h"
#include "events/event_template.h"

// The computer opponents' resource kinds; the AI defines the values.
enum AIResourceType : int32_t;

#define VM_RECORD_CRZIntData(FIELD) FIELD(int32_t, value, 20)
VM_EVENT_RECORD(CRZIntData, 24)

#define VM_RECORD_CRZBoolData(FIELD) FIELD(uint32_t, value, 20)
VM_EVENT_RECORD(CRZBoolData, 24)

#define VM_RECORD_CRZFloatEventData(FIELD) FIELD(float, value, 20)
VM_EVENT_RECORD(CRZFloatEventData, 24)

#define VM_RECORD_CRZIdEventData(FIELD) FIELD(CRZID, id, 20)
VM_EVENT_RECORD(CRZIdEventData, 28)

#define VM_RECORD_CRZIdentityEventData(FIELD) FIELD(CRZID, id, 20)
VM_EVENT_RECORD(CRZIdentityEventData, 28)

#define VM_RECORD_CRZIntIntEventData(FIELD) FIELD(int32_t, first, 20) FIELD(int32_t, second, 24)
VM_EVENT_RECORD(CRZIntIntEventData, 28)

#define VM_RECORD_CRZIntFloatEventData(FIELD) FIELD(int32_t, number, 20) FIELD(float, value, 24)
VM_EVENT_RECORD(CRZIntFloatEventData, 28)

#define VM_RECORD_CRZResourceData(FIELD) FIELD(float, amount, 20)
VM_EVENT_RECORD(CRZResourceData, 24)

#define VM_RECORD_CRZQuestionData(FIELD) FIELD(int32_t, value, 20)
VM_EVENT_RECORD(CRZQuestionData, 24)

#define VM_RECORD_CRZPauseEventData(FIELD) FIELD(int32_t, value, 20)
VM_EVENT_RECORD(CRZPauseEventData, 24)

#define VM_RECORD_CRZTimerEventData(FIELD) FIELD(CRZRecordDate, date, 20)
VM_EVENT_RECORD(CRZTimerEventData, 28)

#define VM_RECORD_CRZAnimTickEventData(FIELD) FIELD(int32_t, ticks, 20)
VM_EVENT_RECORD(CRZAnimTickEventData, 24)

#define VM_RECORD_CRZInputEventData(FIELD)                                                                   \
    FIELD(int32_t, value1, 20) FIELD(int32_t, value2, 24) FIELD(int32_t, x, 28) FIELD(int32_t, y, 32)
VM_EVENT_RECORD(CRZInputEventData, 36)

#define VM_RECORD_CRZTickResourceEventData(FIELD) FIELD(AIResourceType, resource, 20)
VM_EVENT_RECORD(CRZTickResourceEventData, 24)

// The classes whose one argument after the type and the receiver is stored in the record's one
// payload field.
template <class Data, auto Field> class CRZOneValueEvent : public CRZEventTemplate<Data> {
public:
    using Value = std::remove_reference_t<decltype(std::declval<Data&>().*Field)>;

    CRZOneValueEvent(CRZEvtType type, const CRZID& receiver, const Value& value)
        : CRZEventTemplate<Data>(type, receiver)
    {
        this->Record().*Field = value;
    }
    explicit CRZOneValueEvent(CRZNetEvent* net)
        : CRZEventTemplate<Data>(net)
    {
    }
};

// The classes that always broadcast and store their one argument after the type.
template <class Data, auto Field> class CRZBroadcastValueEvent : public CRZOneValueEvent<Data, Field> {
public:
    using typename CRZOneValueEvent<Data, Field>::Value;

    CRZBroadcastValueEvent(CRZEvtType type, const Value& value)
        : CRZOneValueEvent<Data, Field>(type, ALLID, value)
    {
    }
    explicit CRZBroadcastValueEvent(CRZNetEvent* net)
        : CRZOneValueEvent<Data, Field>(net)
    {
    }
};

// The record head alone: an event whose type says everything.
class CRZGenericEvent : public CRZEventTemplate<CRZEventData> {
public:
    CRZGenericEvent(CRZEvtType type, const CRZID& receiver)
        : CRZEventTemplate(type, receiver)
    {
    }
    explicit CRZGenericEvent(CRZNetEvent* net)
        : CRZEventTemplate(net)
    {
    }
    // The unpause event travels with a longer record; this short one stays on this machine.
    CRZReturnType Process() override;
};

class CRZIntEvent : public CRZOneValueEvent<CRZIntData, &CRZIntData::value> {
public:
    using CRZOneValueEvent::CRZOneValueEvent;
};

// The truth value is stored as the word 0 or 1.
class CRZBoolEvent : public CRZEventTemplate<CRZBoolData> {
public:
    CRZBoolEvent(CRZEvtType type, const CRZID& receiver, bool value)
        : CRZEventTemplate(type, receiver)
    {
        Record().value = value ? 1 : 0;
    }
    explicit CRZBoolEvent(CRZNetEvent* net)
        : CRZEventTemplate(net)
    {
    }
};

class CRZFloatEvent : public CRZOneValueEvent<CRZFloatEventData, &CRZFloatEventData::value> {
public:
    using CRZOneValueEvent::CRZOneValueEvent;
};

class CRZIdEvent : public CRZOneValueEvent<CRZIdEventData, &CRZIdEventData::id> {
public:
    using CRZOneValueEvent::CRZOneValueEvent;
};

class CRZIdentityEvent : public CRZOneValueEvent<CRZIdentityEventData, &CRZIdentityEventData::id> {
public:
    using CRZOneValueEvent::CRZOneValueEvent;
};

class CRZIntIntEvent : public CRZEventTemplate<CRZIntIntEventData> {
public:
    explicit CRZIntIntEvent(CRZNetEvent* net)
        : CRZEventTemplate(net)
    {
    }
    CRZIntIntEvent(CRZEvtType type, const CRZID& receiver, int first, int second)
        : CRZEventTemplate(type, receiver)
    {
        Record().first = first;
        Record().second = second;
    }
};

class CRZIntFloatEvent : public CRZEventTemplate<CRZIntFloatEventData> {
public:
    explicit CRZIntFloatEvent(CRZNetEvent* net)
        : CRZEventTemplate(net)
    {
    }
    CRZIntFloatEvent(CRZEvtType type, const CRZID& receiver, int number, float value)
        : CRZEventTemplate(type, receiver)
    {
        Record().number = number;
        Record().value = value;
    }
};

class CRZResourceEvent : public CRZOneValueEvent<CRZResourceData, &CRZResourceData::amount> {
public:
    using CRZOneValueEvent::CRZOneValueEvent;
    // Prestige travels as a character value; posted as a resource it stays on this machine.
    CRZReturnType Process() override;
};

class CRZQuestionEvent : public CRZOneValueEvent<CRZQuestionData, &CRZQuestionData::value> {
public:
    using CRZOneValueEvent::CRZOneValueEvent;
};

// Always a broadcast.
class CRZPauseEvent : public CRZBroadcastValueEvent<CRZPauseEventData, &CRZPauseEventData::value> {
public:
    using CRZBroadcastValueEvent::CRZBroadcastValueEvent;
};

// The new date of a day, month or year tick.
class CRZTimerEvent : public CRZEventTemplate<CRZTimerEventData> {
public:
    explicit CRZTimerEvent(CRZNetEvent* net)
        : CRZEventTemplate(net)
    {
    }
    CRZTimerEvent(CRZEvtType type, const CRZID& receiver, const CDate& date)
        : CRZEventTemplate(type, receiver)
    {
        Record().date = date;
    }
};

// Always a broadcast; drives the display list on this machine only.
class CRZAnimTickEvent : public CRZBroadcastValueEvent<CRZAnimTickEventData, &CRZAnimTickEventData::ticks> {
public:
    using CRZBroadcastValueEvent::CRZBroadcastValueEvent;
};

// A mouse or key input of this machine; always a broadcast, never sent. The point is anything with
// x and y members.
class CRZInputEvent : public CRZEventTemplate<CRZInputEventData> {
public:
    explicit CRZInputEvent(CRZNetEvent* net)
        : CRZEventTemplate(net)
    {
    }
    template <class Point>
    CRZInputEvent(CRZEvtType type, int value1, int value2, const Point& point)
        : CRZEventTemplate(type, ALLID)
    {
        Record().value1 = value1;
        Record().value2 = value2;
        Record().x = static_cast<int32_t>(point.x);
        Record().y = static_cast<int32_t>(point.y);
    }
};

// Always of the type _CRZEVT_TICK_RESOURCE_.
class CRZTickResourceEvent : public CRZEventTemplate<CRZTickResourceEventData> {
public:
    explicit CRZTickResourceEvent(CRZNetEvent* net)
        : CRZEventTemplate(net)
    {
    }
    CRZTickResourceEvent(const CRZID& receiver, AIResourceType resource)
        : CRZEventTemplate(_CRZEVT_TICK_RESOURCE_, receiver)
    {
        Record().resource = resource;
    }
};
