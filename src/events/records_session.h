// The records of the game session and its network traffic (players, the chosen country and options, the
// scenario, game-file packets, victory) and of scripted events (a firing, a choice, an effect executed).
#pragma once

#include <cstdint>

#include "events/record_event.h"
#include "events/record_values.h"

#define VM_RECORD_CRZBootUpEventData(FIELD) FIELD(uint32_t, player, 20)
VM_EVENT_RECORD_FLAT(CRZBootUpEventData, 24)

#define VM_RECORD_CRZSendPlayerEventData(FIELD) FIELD(DPPLAYERSendRecord, player, 20)
VM_EVENT_RECORD_FLAT(CRZSendPlayerEventData, 108)

#define VM_RECORD_CRZSetCountryEventData(FIELD)                                                              \
    FIELD(uint32_t, player, 20)                                                                              \
    FIELD(CRZCountryID, country, 24)                                                                         \
    FIELD(uint32_t, flag, 28)
VM_EVENT_RECORD_FLAT(CRZSetCountryEventData, 32)

// The nine option words of the settings record.
#define VM_RECORD_CRZSetOptionsEventData(FIELD) FIELD(CRZInts9, options, 20)
VM_EVENT_RECORD_FLAT(CRZSetOptionsEventData, 56)

#define VM_RECORD_CRZSetScenarioEventData(FIELD)                                                             \
    FIELD(int32_t, id, 20)                                                                                   \
    FIELD(CRZChars128, fileName, 24)                                                                         \
    FIELD(int32_t, fileSize, 152)                                                                            \
    FIELD(int32_t, byteSum, 156)
VM_EVENT_RECORD_FLAT(CRZSetScenarioEventData, 160)

#define VM_RECORD_CRZPacketData(FIELD)                                                                       \
    FIELD(CRZBytes2048, bytes, 20)                                                                           \
    FIELD(int32_t, number, 2068)                                                                             \
    FIELD(int32_t, length, 2072)
VM_EVENT_RECORD_FLAT(CRZPacketData, 2076)

#define VM_RECORD_CRZInitPacketData(FIELD) FIELD(int32_t, first, 20) FIELD(int32_t, second, 24)
VM_EVENT_RECORD_FLAT(CRZInitPacketData, 28)

#define VM_RECORD_CRZRemovePlayerEventData(FIELD) FIELD(int32_t, player, 20)
VM_EVENT_RECORD_FLAT(CRZRemovePlayerEventData, 24)

#define VM_RECORD_CRZSetVictoryEventData(FIELD) FIELD(int32_t, victory, 20)
VM_EVENT_RECORD_FLAT(CRZSetVictoryEventData, 24)

#define VM_RECORD_CRZVictoryEventData(FIELD) FIELD(CRZCountryID, country, 20) FIELD(TQVictory, victory, 24)
VM_EVENT_RECORD_FLAT(CRZVictoryEventData, 28)

#define VM_RECORD_CRZWinnerEventData(FIELD) FIELD(CRZCountryID, country, 20)
VM_EVENT_RECORD_FLAT(CRZWinnerEventData, 24)

#define VM_RECORD_CRZGameEventEventData(FIELD)                                                               \
    FIELD(CRZID, character, 20)                                                                              \
    FIELD(StaticID, event, 28)                                                                               \
    FIELD(int32_t, choice, 36)
VM_EVENT_RECORD_FLAT(CRZGameEventEventData, 40)

#define VM_RECORD_CRZTriggerEventEventData(FIELD) FIELD(CGameEventExpressionRecord, scope, 20)
VM_EVENT_RECORD_FLAT(CRZTriggerEventEventData, 56)

#define VM_RECORD_CRZExecuteEffectEventEventData(FIELD)                                                      \
    FIELD(int32_t, choice, 20)                                                                               \
    FIELD(CGameEventExpressionRecord, scope, 24)
VM_EVENT_RECORD_FLAT(CRZExecuteEffectEventEventData, 60)

#define VM_RECORD_CRZSelectEffectEventEventData(FIELD)                                                       \
    FIELD(CRZID, event, 20)                                                                                  \
    FIELD(int32_t, choice, 28)                                                                               \
    FIELD(CGameEventExpressionRecord, scope, 32)
VM_EVENT_RECORD_FLAT(CRZSelectEffectEventEventData, 68)

// Always a broadcast.
class CRZBootUpEvent : public CRZRecordEvent<CRZBootUpEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZBootUpEvent(CRZEvtType type, unsigned long player)
        : CRZRecordEvent(type, ALLID)
    {
        Record().player = static_cast<uint32_t>(player);
    }
};

// Always a broadcast; the player's name is forced to end with a zero on receipt.
class CRZSendPlayerEvent : public CRZRecordEvent<CRZSendPlayerEventData> {
public:
    explicit CRZSendPlayerEvent(CRZNetEvent* net);
    CRZSendPlayerEvent(CRZEvtType type, const DPPLAYERSendRecord& player);
};

// Always of the type APPMSG_COUNTRY, a broadcast.
class CRZSetCountryEvent : public CRZRecordEvent<CRZSetCountryEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZSetCountryEvent(unsigned long player, CRZCountryID country, bool flag)
        : CRZRecordEvent(APPMSG_COUNTRY, ALLID)
    {
        Record().player = static_cast<uint32_t>(player);
        Record().country = country;
        Record().flag = RecordFlag(flag);
    }
};

// The size of the settings record and where its options block lies in it.
inline constexpr uint32_t kSettingsRecordSize = 1384;
inline constexpr uint32_t kOptionsBlockOffset = 1348;

// Always of the type APPSET_OPTIONS, a broadcast: the options block of the settings record (its last 36
// bytes) as it stands now.
class CRZSetOptionsEvent : public CRZRecordEvent<CRZSetOptionsEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    // settingsRecord holds kSettingsRecordSize bytes.
    explicit CRZSetOptionsEvent(const uint8_t* settingsRecord);
};

// Always of the type APPMSG_SCENARIO, a broadcast. A file name of more than 127 characters is refused
// (a cut name would name another file); a received name always ends with a zero.
class CRZSetScenarioEvent : public CRZRecordEvent<CRZSetScenarioEventData> {
public:
    explicit CRZSetScenarioEvent(CRZNetEvent* net);
    CRZSetScenarioEvent(int id, const char* fileName, int fileSize, int byteSum);
};

// One piece of the game file sent to the clients: length bytes of data. A length outside 0 to 2048
// is refused when built and rejected when received.
class CRZPacketEvent : public CRZRecordEvent<CRZPacketData> {
public:
    static constexpr int32_t kMaxLength = 2048;

    explicit CRZPacketEvent(CRZNetEvent* net);
    CRZPacketEvent(CRZEvtType type, const CRZID& receiver, const char* data, int number, int length);
    uint32_t GetRequiredSize() const override;
};

class CRZInitPacketEvent : public CRZRecordEvent<CRZInitPacketData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZInitPacketEvent(CRZEvtType type, const CRZID& receiver, int first, int second)
        : CRZRecordEvent(type, receiver)
    {
        Record().first = first;
        Record().second = second;
    }
};

// Only rebuilt from the network.
class CRZRemovePlayerEvent : public CRZRecordEvent<CRZRemovePlayerEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
};

// Only rebuilt from the network.
class CRZSetVictoryEvent : public CRZRecordEvent<CRZSetVictoryEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
};

class CRZVictoryEvent : public CRZRecordEvent<CRZVictoryEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZVictoryEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID country, TQVictory victory)
        : CRZRecordEvent(type, receiver)
    {
        Record().country = country;
        Record().victory = victory;
    }
};

// Always of the type _CRZEVT_GAME_WINNER_, a broadcast.
class CRZWinnerEvent : public CRZRecordEvent<CRZWinnerEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZWinnerEvent(CRZCountryID country)
        : CRZRecordEvent(_CRZEVT_GAME_WINNER_, ALLID)
    {
        Record().country = country;
    }
};

class CRZGameEventEvent : public CRZRecordEvent<CRZGameEventEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZGameEventEvent(
        CRZEvtType type, const CRZID& receiver, const CRZID& character, const StaticID& event, int choice)
        : CRZRecordEvent(type, receiver)
    {
        Record().character = character;
        Record().event = event;
        Record().choice = choice;
    }
};

class CRZTriggerEventEvent : public CRZRecordEvent<CRZTriggerEventEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZTriggerEventEvent(CRZEvtType type, const CRZID& receiver, const CGameEventExpressionRecord& scope)
        : CRZRecordEvent(type, receiver)
    {
        Record().scope = scope;
    }
};

class CRZExecuteEffectEventEvent : public CRZRecordEvent<CRZExecuteEffectEventEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZExecuteEffectEventEvent(
        CRZEvtType type, const CRZID& receiver, int choice, const CGameEventExpressionRecord& scope)
        : CRZRecordEvent(type, receiver)
    {
        Record().choice = choice;
        Record().scope = scope;
    }
};

class CRZSelectEffectEventEvent : public CRZRecordEvent<CRZSelectEffectEventEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZSelectEffectEventEvent(CRZEvtType type, const CRZID& receiver, const CRZID& event, int choice,
        const CGameEventExpressionRecord& scope)
        : CRZRecordEvent(type, receiver)
    {
        Record().event = event;
        Record().choice = choice;
        Record().scope = scope;
    }
};
