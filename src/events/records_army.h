// The records of events about armies (units), divisions, movement, transfers, building of armies and
// fleets, battles, retreats and sieges, with the event class of each.
#pragma once

#include <cstdint>

#include "events/record_event.h"
#include "events/record_values.h"
#include "events/variable_events.h"

using CRZGap2 = CRZRecordGap<2>;
using CRZGap4 = CRZRecordGap<4>;
using CRZFloats3 = float[3];

#define VM_RECORD_CRZAddDivisionEventData(FIELD)                                                             \
    FIELD(DynamicID, unit, 20)                                                                               \
    FIELD(DynamicID, division, 28)                                                                           \
    FIELD(int32_t, number, 36)
VM_EVENT_RECORD_FLAT(CRZAddDivisionEventData, 40)

// A new division: its identity, home province, leader, culture, advances, strength, three creation flags
// and its realm.
#define VM_RECORD_CRZDivisionEventData(FIELD)                                                                \
    FIELD(DynamicID, division, 20)                                                                           \
    FIELD(int32_t, province, 28)                                                                             \
    FIELD(CRZID, leader, 32)                                                                                 \
    FIELD(RZCultureType, culture, 40)                                                                        \
    FIELD(CAdvanceTupleRecord, advances, 44)                                                                 \
    FIELD(CMilitaryCompositionRecord, strength, 68)                                                          \
    FIELD(uint32_t, firstFlag, 100)                                                                          \
    FIELD(uint32_t, secondFlag, 104)                                                                         \
    FIELD(uint32_t, thirdFlag, 108)                                                                          \
    FIELD(CRZCountryID, country, 112)
VM_EVENT_RECORD_FLAT(CRZDivisionEventData, 116)

// The division part (20 to 115, as the division record lays it out, never written by the losses
// constructor) followed by the losses and the morale loss.
#define VM_RECORD_CRZDivisionLossesEventData(FIELD)                                                          \
    VM_RECORD_CRZDivisionEventData(FIELD) FIELD(CMilitaryCompositionRecord, losses, 116)                     \
        FIELD(float, morale, 148)
VM_EVENT_RECORD_FLAT(CRZDivisionLossesEventData, 152)

#define VM_RECORD_CRZKillDivisionEventData(FIELD)                                                            \
    FIELD(DynamicID, division, 20)                                                                           \
    FIELD(uint32_t, firstFlag, 28)                                                                           \
    FIELD(uint32_t, secondFlag, 32)                                                                          \
    FIELD(CRZCountryID, country, 36)
VM_EVENT_RECORD_FLAT(CRZKillDivisionEventData, 40)

// A division goes over to another realm.
#define VM_RECORD_CRZTransferDivisionEventData(FIELD)                                                        \
    FIELD(DynamicID, division, 20) FIELD(CRZCountryID, country, 28)
VM_EVENT_RECORD_FLAT(CRZTransferDivisionEventData, 32)

#define VM_RECORD_CRZReinforceDivisionEventData(FIELD) FIELD(DynamicID, division, 20) FIELD(float, amount, 28)
VM_EVENT_RECORD_FLAT(CRZReinforceDivisionEventData, 32)

#define VM_RECORD_CRZUpdateDivisionData(FIELD)                                                               \
    FIELD(float, value, 20)                                                                                  \
    FIELD(int32_t, number, 24)                                                                               \
    FIELD(CRZDivisionValue, kind, 28)
VM_EVENT_RECORD_FLAT(CRZUpdateDivisionData, 32)

#define VM_RECORD_CRZUnitModifierData(FIELD) FIELD(float, value, 20) FIELD(CRZModifierType, modifier, 24)
VM_EVENT_RECORD_FLAT(CRZUnitModifierData, 28)

#define VM_RECORD_CRZUnitEventData(FIELD) FIELD(DynamicID, unit, 20) FIELD(uint32_t, flag, 28)
VM_EVENT_RECORD_FLAT(CRZUnitEventData, 32)

#define VM_RECORD_CRZUnitFinishedEventData(FIELD) FIELD(uint32_t, flag, 20)
VM_EVENT_RECORD_FLAT(CRZUnitFinishedEventData, 24)

#define VM_RECORD_CRZUnitMergeEventData(FIELD) FIELD(DynamicID, first, 20) FIELD(DynamicID, second, 28)
VM_EVENT_RECORD_FLAT(CRZUnitMergeEventData, 36)

// Provinces travel as u16 with the upper half of their word a gap.
#define VM_RECORD_CRZUnitMoveEventData(FIELD)                                                                \
    FIELD(uint16_t, province, 20)                                                                            \
    FIELD(CRZGap2, gap, 22)                                                                                  \
    FIELD(DynamicID, unit, 24)
VM_EVENT_RECORD_FLAT(CRZUnitMoveEventData, 32)

#define VM_RECORD_CRZUnitMoveDateEventData(FIELD)                                                            \
    FIELD(CRZRecordDate, first, 20) FIELD(CRZRecordDate, second, 28)
VM_EVENT_RECORD_FLAT(CRZUnitMoveDateEventData, 36)

#define VM_RECORD_CRZUnitMoveAddDestEventData(FIELD)                                                         \
    FIELD(DynamicID, unit, 20)                                                                               \
    FIELD(uint16_t, province, 28)                                                                            \
    FIELD(CRZGap2, gap, 30)                                                                                  \
    FIELD(uint32_t, flag, 32)                                                                                \
    FIELD(CRZRecordDate, date, 36)
VM_EVENT_RECORD_FLAT(CRZUnitMoveAddDestEventData, 44)

#define VM_RECORD_CRZUnitServerMoveUpdateEventData(FIELD)                                                    \
    FIELD(DynamicID, unit, 20)                                                                               \
    FIELD(uint16_t, province, 28)                                                                            \
    FIELD(CRZGap2, gap, 30)
VM_EVENT_RECORD_FLAT(CRZUnitServerMoveUpdateEventData, 32)

#define VM_RECORD_CRZTransferLeaderEventData(FIELD)                                                          \
    FIELD(DynamicID, from, 20)                                                                               \
    FIELD(DynamicID, to, 28)                                                                                 \
    FIELD(CRZID, leader, 36)
VM_EVENT_RECORD_FLAT(CRZTransferLeaderEventData, 44)

#define VM_RECORD_CRZTransferTroopsEventData(FIELD)                                                          \
    FIELD(DynamicID, from, 20)                                                                               \
    FIELD(DynamicID, to, 28)                                                                                 \
    FIELD(int32_t, number, 36)
VM_EVENT_RECORD_FLAT(CRZTransferTroopsEventData, 40)

// The build part shared by armies and fleets: a number, a gap, a date that only the record constructor
// sets (zero) and an identity.
#define VM_RECORD_CRZBuildEventData(FIELD)                                                                   \
    FIELD(int32_t, number, 20) FIELD(CRZGap4, gap, 24) FIELD(CRZRecordDate, built, 28) FIELD(CRZID, owner, 36)

#define VM_RECORD_CRZBuildArmyEventData(FIELD)                                                               \
    VM_RECORD_CRZBuildEventData(FIELD) FIELD(CRZRecordDate, date, 44) FIELD(DynamicID, unit, 52)             \
        FIELD(DynamicID, second, 60) FIELD(CRZID, id, 68)
VM_EVENT_RECORD_FLAT(CRZBuildArmyEventData, 76)

#define VM_RECORD_CRZBuildFleetEventData(FIELD)                                                              \
    VM_RECORD_CRZBuildEventData(FIELD) FIELD(CRZRecordDate, date, 44) FIELD(DynamicID, unit, 52)             \
        FIELD(CRZID, id, 60) FIELD(DynamicID, second, 68)
VM_EVENT_RECORD_FLAT(CRZBuildFleetEventData, 76)

#define VM_RECORD_CRZCombatEventData(FIELD)                                                                  \
    FIELD(int32_t, number, 20)                                                                               \
    FIELD(DynamicID, combat, 24)                                                                             \
    FIELD(CRZRecordDate, date, 32)
VM_EVENT_RECORD_FLAT(CRZCombatEventData, 40)

#define VM_RECORD_CRZCombatUnitEventData(FIELD)                                                              \
    FIELD(DynamicID, combat, 20)                                                                             \
    FIELD(DynamicID, unit, 28)                                                                               \
    FIELD(uint32_t, flag, 36)
VM_EVENT_RECORD_FLAT(CRZCombatUnitEventData, 40)

#define VM_RECORD_CRZRetreatEventData(FIELD)                                                                 \
    FIELD(DynamicID, unit, 20)                                                                               \
    FIELD(int32_t, province, 28)                                                                             \
    FIELD(uint32_t, flag, 32)
VM_EVENT_RECORD_FLAT(CRZRetreatEventData, 36)

// Its four payload bytes are not laid out: the packer sends none of them.
#define VM_RECORD_CRZRetreatMoraleEventData(FIELD) FIELD(CRZGap4, payload, 20)
VM_EVENT_RECORD_FLAT(CRZRetreatMoraleEventData, 24)

// What a realm reads of a battle or siege lost: the province and the major-battle flag. A battle lost
// travels in the battle-won record (CRZBattleLostEvent), whose first fields these are.
#define VM_RECORD_CRZBattleLostEventData(FIELD)                                                              \
    FIELD(int32_t, number, 20)                                                                               \
    FIELD(uint16_t, flag, 24)                                                                                \
    FIELD(CRZGap2, gap, 26)
VM_EVENT_RECORD_FLAT(CRZBattleLostEventData, 28)

#define VM_RECORD_CRZBattleResultEventData(FIELD) FIELD(CBattleResultRecord, result, 20)
VM_EVENT_RECORD_FLAT(CRZBattleResultEventData, 124)

#define VM_RECORD_CRZSiegeResultEventData(FIELD)                                                             \
    FIELD(CRZID, id, 20)                                                                                     \
    FIELD(int32_t, first, 28)                                                                                \
    FIELD(int32_t, second, 32)
VM_EVENT_RECORD_FLAT(CRZSiegeResultEventData, 36)

#define VM_RECORD_CRZCreateFortressUnitEventData(FIELD)                                                      \
    FIELD(CRZID, first, 20)                                                                                  \
    FIELD(int32_t, number, 28)                                                                               \
    FIELD(CRZID, second, 32)                                                                                 \
    FIELD(CRZID, third, 40)                                                                                  \
    FIELD(int32_t, number2, 48)                                                                              \
    FIELD(int32_t, number3, 52)                                                                              \
    FIELD(int32_t, number4, 56)
VM_EVENT_RECORD_FLAT(CRZCreateFortressUnitEventData, 60)

#define VM_RECORD_CRZFortressEventData(FIELD) FIELD(int32_t, first, 20) FIELD(int32_t, second, 24)
VM_EVENT_RECORD_FLAT(CRZFortressEventData, 28)

#define VM_RECORD_CRZUnitSizeLossesData(FIELD)                                                               \
    FIELD(CRZID, unit, 20)                                                                                   \
    FIELD(int32_t, number, 28)                                                                               \
    FIELD(CRZFloats3, values, 32)                                                                            \
    FIELD(int32_t, number2, 44)
VM_EVENT_RECORD_FLAT(CRZUnitSizeLossesData, 48)

class CRZAddDivisionEvent : public CRZRecordEvent<CRZAddDivisionEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZAddDivisionEvent(
        CRZEvtType type, const CRZID& receiver, const DynamicID& unit, const DynamicID& division, int number)
        : CRZRecordEvent(type, receiver)
    {
        Record().unit = unit;
        Record().division = division;
        Record().number = number;
    }
};

// The advances and the strength arrive as their record forms.
class CRZDivisionEvent : public CRZRecordEvent<CRZDivisionEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZDivisionEvent(CRZEvtType type, const CRZID& receiver, const DynamicID& division, int province,
        CRZID leader, RZCultureType culture, const CAdvanceTupleRecord& advances,
        const CMilitaryCompositionRecord& strength, bool firstFlag, bool secondFlag, bool thirdFlag,
        CRZCountryID country)
        : CRZRecordEvent(type, receiver)
    {
        Record().division = division;
        Record().province = province;
        Record().leader = leader;
        Record().culture = culture;
        Record().advances = advances;
        Record().strength = strength;
        Record().firstFlag = RecordFlag(firstFlag);
        Record().secondFlag = RecordFlag(secondFlag);
        Record().thirdFlag = RecordFlag(thirdFlag);
        Record().country = country;
    }
};

// Always of the type _CRZEVT_DIVISION_LOSSES_.
class CRZDivisionLossesEvent : public CRZRecordEvent<CRZDivisionLossesEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZDivisionLossesEvent(const CRZID& receiver, const CMilitaryCompositionRecord& losses, float morale)
        : CRZRecordEvent(_CRZEVT_DIVISION_LOSSES_, receiver)
    {
        Record().losses = losses;
        Record().morale = morale;
    }
};

class CRZKillDivisionEvent : public CRZRecordEvent<CRZKillDivisionEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZKillDivisionEvent(CRZEvtType type, const CRZID& receiver, const DynamicID& division, bool firstFlag,
        bool secondFlag, CRZCountryID country)
        : CRZRecordEvent(type, receiver)
    {
        Record().division = division;
        Record().firstFlag = RecordFlag(firstFlag);
        Record().secondFlag = RecordFlag(secondFlag);
        Record().country = country;
    }
};

// The kill-division record with only the division written.
class CRZUpgradeDivisionEvent : public CRZRecordEvent<CRZKillDivisionEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZUpgradeDivisionEvent(CRZEvtType type, const CRZID& receiver, const DynamicID& division)
        : CRZRecordEvent(type, receiver)
    {
        Record().division = division;
    }
};

class CRZTransferDivisionEvent : public CRZRecordEvent<CRZTransferDivisionEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZTransferDivisionEvent(
        CRZEvtType type, const CRZID& receiver, const DynamicID& division, CRZCountryID country)
        : CRZRecordEvent(type, receiver)
    {
        Record().division = division;
        Record().country = country;
    }
};

class CRZReinforceDivisionEvent : public CRZRecordEvent<CRZReinforceDivisionEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZReinforceDivisionEvent(CRZEvtType type, const CRZID& receiver, const DynamicID& division, float amount)
        : CRZRecordEvent(type, receiver)
    {
        Record().division = division;
        Record().amount = amount;
    }
};

// The first number is not stored.
class CRZUpdateDivisionEvent : public CRZRecordEvent<CRZUpdateDivisionData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZUpdateDivisionEvent(CRZEvtType type, const CRZID& receiver, CRZDivisionValue kind, int /*unused*/,
        int number, float value)
        : CRZRecordEvent(type, receiver)
    {
        Record().value = value;
        Record().number = number;
        Record().kind = kind;
    }
};

// The number is not stored.
class CRZUnitModifierEvent : public CRZRecordEvent<CRZUnitModifierData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZUnitModifierEvent(
        CRZEvtType type, const CRZID& receiver, CRZModifierType modifier, int /*unused*/, float value)
        : CRZRecordEvent(type, receiver)
    {
        Record().value = value;
        Record().modifier = modifier;
    }
};

class CRZUnitEvent : public CRZRecordEvent<CRZUnitEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZUnitEvent(CRZEvtType type, const CRZID& receiver, const DynamicID& unit, bool flag)
        : CRZRecordEvent(type, receiver)
    {
        Record().unit = unit;
        Record().flag = RecordFlag(flag);
    }
};

class CRZUnitFinishedEvent : public CRZRecordEvent<CRZUnitFinishedEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZUnitFinishedEvent(CRZEvtType type, const CRZID& receiver, bool flag)
        : CRZRecordEvent(type, receiver)
    {
        Record().flag = RecordFlag(flag);
    }
};

class CRZUnitMergeEvent : public CRZRecordEvent<CRZUnitMergeEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZUnitMergeEvent(CRZEvtType type, const CRZID& receiver, const DynamicID& first, const DynamicID& second)
        : CRZRecordEvent(type, receiver)
    {
        Record().first = first;
        Record().second = second;
    }
};

class CRZUnitMoveEvent : public CRZRecordEvent<CRZUnitMoveEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZUnitMoveEvent(CRZEvtType type, const DynamicID& receiver, int province, DynamicID unit)
        : CRZRecordEvent(type, receiver)
    {
        Record().province = static_cast<uint16_t>(province);
        Record().unit = unit;
    }
};

class CRZUnitMoveDateEvent : public CRZRecordEvent<CRZUnitMoveDateEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZUnitMoveDateEvent(CRZEvtType type, const DynamicID& receiver, const CDate& first, const CDate& second)
        : CRZRecordEvent(type, receiver)
    {
        Record().first = first;
        Record().second = second;
    }
};

// Always of the type _CRZEVT_UNITMOVE_ADD_DEST_, to the unit server.
class CRZUnitMoveAddDestEvent : public CRZRecordEvent<CRZUnitMoveAddDestEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZUnitMoveAddDestEvent(const DynamicID& unit, unsigned short province, CDate date, bool flag)
        : CRZRecordEvent(_CRZEVT_UNITMOVE_ADD_DEST_, UNIT_SERVER)
    {
        Record().unit = unit;
        Record().province = province;
        Record().flag = RecordFlag(flag);
        Record().date = date;
    }
};

// Always of the type _CRZEVT_UNITSERVERUPDATE_, to the unit server.
class CRZUnitServerMoveUpdateEvent : public CRZRecordEvent<CRZUnitServerMoveUpdateEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZUnitServerMoveUpdateEvent(const DynamicID& unit, int province)
        : CRZRecordEvent(_CRZEVT_UNITSERVERUPDATE_, UNIT_SERVER)
    {
        Record().unit = unit;
        Record().province = static_cast<uint16_t>(province);
    }
};

class CRZTransferLeaderEvent : public CRZRecordEvent<CRZTransferLeaderEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZTransferLeaderEvent(CRZEvtType type, const CRZID& receiver, DynamicID from, DynamicID to, CRZID leader)
        : CRZRecordEvent(type, receiver)
    {
        Record().from = from;
        Record().to = to;
        Record().leader = leader;
    }
};

class CRZTransferTroopsEvent : public CRZRecordEvent<CRZTransferTroopsEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZTransferTroopsEvent(CRZEvtType type, const CRZID& receiver, DynamicID from, DynamicID to, int number)
        : CRZRecordEvent(type, receiver)
    {
        Record().from = from;
        Record().to = to;
        Record().number = number;
    }
};

// Armies and fleets are built from the same arguments; only their records order the last fields apart.
template <class Data> class CRZBuildEvent : public CRZRecordEvent<Data> {
public:
    using CRZRecordEvent<Data>::CRZRecordEvent;
    CRZBuildEvent(CRZEvtType type, const CRZID& receiver, CDate date, const DynamicID& unit, DynamicID second,
        int number, const CRZID& id, const CRZID& owner)
        : CRZRecordEvent<Data>(type, receiver)
    {
        Data& r = this->Record();
        r.number = number;
        r.owner = owner;
        r.date = date;
        r.unit = unit;
        r.second = second;
        r.id = id;
    }
};

class CRZBuildArmyEvent : public CRZBuildEvent<CRZBuildArmyEventData> {
public:
    using CRZBuildEvent::CRZBuildEvent;
};

class CRZBuildFleetEvent : public CRZBuildEvent<CRZBuildFleetEventData> {
public:
    using CRZBuildEvent::CRZBuildEvent;
};

class CRZCombatEvent : public CRZRecordEvent<CRZCombatEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCombatEvent(CRZEvtType type, const CRZID& receiver, int number, const DynamicID& combat, CDate date)
        : CRZRecordEvent(type, receiver)
    {
        Record().number = number;
        Record().combat = combat;
        Record().date = date;
    }
};

class CRZCombatUnitEvent : public CRZRecordEvent<CRZCombatUnitEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCombatUnitEvent(
        CRZEvtType type, const CRZID& receiver, const DynamicID& combat, const DynamicID& unit, bool flag)
        : CRZRecordEvent(type, receiver)
    {
        Record().combat = combat;
        Record().unit = unit;
        Record().flag = RecordFlag(flag);
    }
};

class CRZRetreatEvent : public CRZRecordEvent<CRZRetreatEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZRetreatEvent(CRZEvtType type, const CRZID& receiver, const DynamicID& unit, int province, bool flag)
        : CRZRecordEvent(type, receiver)
    {
        Record().unit = unit;
        Record().province = province;
        Record().flag = RecordFlag(flag);
    }
};

// Only rebuilt from the network.
class CRZRetreatMoraleEvent : public CRZRecordEvent<CRZRetreatMoraleEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
};

// Every machine rebuilds a battle lost with the battle-won class, so it is posted in that record too:
// the major-battle flag takes the first half-word of the battle's identity and no realm is listed. The
// loser then reads the same province and flag on the host and on every other machine.
class CRZBattleLostEvent : public CRZBattleWonEvent {
public:
    CRZBattleLostEvent(CRZEvtType type, const CRZID& receiver, int number, unsigned short flag);
};

class CRZBattleResultEvent : public CRZRecordEvent<CRZBattleResultEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZBattleResultEvent(CRZEvtType type, const CRZID& receiver, const CBattleResultRecord& result)
        : CRZRecordEvent(type, receiver)
    {
        Record().result = result;
    }
};

// Only rebuilt from the network.
class CRZSiegeResultEvent : public CRZRecordEvent<CRZSiegeResultEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
};

// Only rebuilt from the network.
class CRZCreateFortressUnitEvent : public CRZRecordEvent<CRZCreateFortressUnitEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
};

// Only rebuilt from the network.
class CRZFortressEvent : public CRZRecordEvent<CRZFortressEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    // The damage to the land and to the coastal walls.
    CRZFortressEvent(CRZEvtType type, const CRZID& receiver, int32_t land, int32_t coastal)
        : CRZRecordEvent(type, receiver)
    {
        Record().first = land;
        Record().second = coastal;
    }
};

// Only rebuilt from the network.
class CRZUnitSizeLossesEvent : public CRZRecordEvent<CRZUnitSizeLossesData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
};
