// The records of events about realms and provinces: diplomacy, war and peace, relations, money and
// loans, budget and investment, victory points, province ownership, culture, religion, improvements,
// modifiers and scripted flags, with the event class of each.
#pragma once

#include <cstdint>
#include <string>

#include "datalang/token.h"
#include "events/record_event.h"
#include "events/record_values.h"

using CRZFloats4 = float[4];
using CRZIntTables6 = int32_t[6][5];

#define VM_RECORD_CRZDiplomaticEventData(FIELD)                                                              \
    FIELD(TQDiplomacyAction, action, 20)                                                                     \
    FIELD(TQDiplomacyType, kind, 24)                                                                         \
    FIELD(CRZCountryID, first, 28)                                                                           \
    FIELD(CRZCountryID, second, 32)                                                                          \
    FIELD(int32_t, number, 36)                                                                               \
    FIELD(CRZIntTables6, tables, 40)                                                                         \
    FIELD(float, firstValue, 160)                                                                            \
    FIELD(float, secondValue, 164)
VM_EVENT_RECORD_FLAT(CRZDiplomaticEventData, 168)

#define VM_RECORD_CRZWarEventData(FIELD)                                                                     \
    FIELD(DynamicID, war, 20)                                                                                \
    FIELD(CRZCountryID, first, 28)                                                                           \
    FIELD(CRZCountryID, second, 32)                                                                          \
    FIELD(uint32_t, firstFlag, 36)                                                                           \
    FIELD(uint32_t, secondFlag, 40)
VM_EVENT_RECORD_FLAT(CRZWarEventData, 44)

#define VM_RECORD_CRZAnnexationEventData(FIELD)                                                              \
    FIELD(CRZCountryID, first, 20)                                                                           \
    FIELD(CRZCountryID, second, 24)                                                                          \
    FIELD(uint32_t, zero, 28)
VM_EVENT_RECORD_FLAT(CRZAnnexationEventData, 32)

#define VM_RECORD_CRZPeaceOfferEventData(FIELD)                                                              \
    FIELD(int32_t, number, 20)                                                                               \
    FIELD(CRZID, id, 24)                                                                                     \
    FIELD(CRZCountryID, country, 32)
VM_EVENT_RECORD_FLAT(CRZPeaceOfferEventData, 36)

#define VM_RECORD_CRZCivilWarEventData(FIELD) FIELD(CRZCountryID, country, 20)
VM_EVENT_RECORD_FLAT(CRZCivilWarEventData, 24)

#define VM_RECORD_CRZCountryIDEventData(FIELD) FIELD(CRZCountryID, country, 20) FIELD(uint32_t, flag, 24)
VM_EVENT_RECORD_FLAT(CRZCountryIDEventData, 28)

#define VM_RECORD_CRZRelationEventData(FIELD)                                                                \
    FIELD(float, value, 20)                                                                                  \
    FIELD(CRZCountryID, first, 24)                                                                           \
    FIELD(CRZCountryID, second, 28)
VM_EVENT_RECORD_FLAT(CRZRelationEventData, 32)

#define VM_RECORD_CRZGiftEventData(FIELD) FIELD(float, amount, 20) FIELD(CRZCountryID, country, 24)
VM_EVENT_RECORD_FLAT(CRZGiftEventData, 28)

#define VM_RECORD_CRZLoanEventData(FIELD) FIELD(CRZCountryID, country, 20) FIELD(float, amount, 24)
VM_EVENT_RECORD_FLAT(CRZLoanEventData, 28)

#define VM_RECORD_CRZMoneyEventData(FIELD) FIELD(float, amount, 20) FIELD(int32_t, number, 24)
VM_EVENT_RECORD_FLAT(CRZMoneyEventData, 28)

#define VM_RECORD_CRZMaintenanceEventData(FIELD)                                                             \
    FIELD(CRZCountryID, country, 20)                                                                         \
    FIELD(float, first, 24)                                                                                  \
    FIELD(float, second, 28)
VM_EVENT_RECORD_FLAT(CRZMaintenanceEventData, 32)

#define VM_RECORD_CRZInvestmentEventData(FIELD) FIELD(CRZCountryID, country, 20) FIELD(CRZFloats4, values, 24)
VM_EVENT_RECORD_FLAT(CRZInvestmentEventData, 40)

#define VM_RECORD_CRZBudgetPercentageEventData(FIELD)                                                        \
    FIELD(CRZCountryID, country, 20) FIELD(CRZFloats6, values, 24)
VM_EVENT_RECORD_FLAT(CRZBudgetPercentageEventData, 48)

#define VM_RECORD_CRZConvoyEventData(FIELD)                                                                  \
    FIELD(CRZCountryID, country, 20)                                                                         \
    FIELD(float, first, 24)                                                                                  \
    FIELD(float, second, 28)
VM_EVENT_RECORD_FLAT(CRZConvoyEventData, 32)

#define VM_RECORD_CRZSetAllowedToSendDateEventData(FIELD)                                                    \
    FIELD(CRZCountryID, country, 20)                                                                         \
    FIELD(CRZRecordDate, date, 24)
VM_EVENT_RECORD_FLAT(CRZSetAllowedToSendDateEventData, 32)

#define VM_RECORD_CRZVpData(FIELD) FIELD(float, value, 20) FIELD(BaseVPSource, source, 24)
VM_EVENT_RECORD_FLAT(CRZVpData, 28)

#define VM_RECORD_CRZCountryEventData(FIELD) FIELD(CRZCountryID, country, 20) FIELD(uint32_t, flag, 24)
VM_EVENT_RECORD_FLAT(CRZCountryEventData, 28)

#define VM_RECORD_CRZCountryIntEventData(FIELD) FIELD(CRZCountryID, country, 20) FIELD(int32_t, number, 24)
VM_EVENT_RECORD_FLAT(CRZCountryIntEventData, 28)

#define VM_RECORD_CRZIntCountryEventData(FIELD) FIELD(int32_t, number, 20) FIELD(CRZCountryID, country, 24)
VM_EVENT_RECORD_FLAT(CRZIntCountryEventData, 28)

#define VM_RECORD_CRZPureTwoCountryEventData(FIELD)                                                          \
    FIELD(CRZCountryID, first, 20) FIELD(CRZCountryID, second, 24)
VM_EVENT_RECORD_FLAT(CRZPureTwoCountryEventData, 28)

#define VM_RECORD_CRZTwoCountryEventData(FIELD)                                                              \
    FIELD(CRZCountryID, first, 20)                                                                           \
    FIELD(CRZCountryID, second, 24)                                                                          \
    FIELD(uint32_t, flag, 28)
VM_EVENT_RECORD_FLAT(CRZTwoCountryEventData, 32)

#define VM_RECORD_CRZDetoriateWarscoreEventData(FIELD) FIELD(int32_t, number, 20)
VM_EVENT_RECORD_FLAT(CRZDetoriateWarscoreEventData, 24)

#define VM_RECORD_CRZProvEventData(FIELD) FIELD(int32_t, province, 20)
VM_EVENT_RECORD_FLAT(CRZProvEventData, 24)

#define VM_RECORD_CRZProvChangeEventData(FIELD) FIELD(int32_t, province, 20) FIELD(CRZID, id, 24)
VM_EVENT_RECORD_FLAT(CRZProvChangeEventData, 32)

#define VM_RECORD_CRZProvinceCultureEventData(FIELD)                                                         \
    FIELD(RZCultureType, culture, 20) FIELD(int32_t, province, 24)
VM_EVENT_RECORD_FLAT(CRZProvinceCultureEventData, 28)

#define VM_RECORD_CRZProvinceReligionEventData(FIELD)                                                        \
    FIELD(RZReligionType, religion, 20) FIELD(int32_t, province, 24)
VM_EVENT_RECORD_FLAT(CRZProvinceReligionEventData, 28)

#define VM_RECORD_CRZProvinceIncomeData(FIELD) FIELD(float, value, 20)
VM_EVENT_RECORD_FLAT(CRZProvinceIncomeData, 24)

#define VM_RECORD_CRZProvinceKeypointsData(FIELD) FIELD(int32_t, first, 20) FIELD(int32_t, second, 24)
VM_EVENT_RECORD_FLAT(CRZProvinceKeypointsData, 28)

#define VM_RECORD_CRZFortEventData(FIELD) FIELD(int32_t, level, 20) FIELD(float, value, 24)
VM_EVENT_RECORD_FLAT(CRZFortEventData, 28)

#define VM_RECORD_CRZInfrastructureEventData(FIELD) FIELD(int32_t, number, 20) FIELD(float, value, 24)
VM_EVENT_RECORD_FLAT(CRZInfrastructureEventData, 28)

#define VM_RECORD_CRZIndustryEventData(FIELD) FIELD(int32_t, number, 20) FIELD(float, value, 24)
VM_EVENT_RECORD_FLAT(CRZIndustryEventData, 28)

#define VM_RECORD_CRZResearchModifierData(FIELD) FIELD(float, value, 20) FIELD(int32_t, number, 24)
VM_EVENT_RECORD_FLAT(CRZResearchModifierData, 28)

#define VM_RECORD_CRZDeactivateTechData(FIELD) FIELD(int32_t, tech, 20)
VM_EVENT_RECORD_FLAT(CRZDeactivateTechData, 24)

#define VM_RECORD_CRZEfficiencyModifierData(FIELD)                                                           \
    FIELD(float, value, 20) FIELD(CRZEfficiencyModType, modifier, 24)
VM_EVENT_RECORD_FLAT(CRZEfficiencyModifierData, 28)

#define VM_RECORD_CRZProjectEventData(FIELD) FIELD(CRZID, first, 20) FIELD(CRZID, second, 28)
VM_EVENT_RECORD_FLAT(CRZProjectEventData, 36)

#define VM_RECORD_CRZStartProjectEventData(FIELD)                                                            \
    FIELD(CRZID, first, 20)                                                                                  \
    FIELD(CRZID, second, 28)                                                                                 \
    FIELD(DynamicID, object, 36)                                                                             \
    FIELD(uint32_t, flag, 44)
VM_EVENT_RECORD_FLAT(CRZStartProjectEventData, 48)

#define VM_RECORD_CRZConstructionSpriteEventData(FIELD)                                                      \
    FIELD(DynamicID, object, 20) FIELD(int32_t, number, 28)
VM_EVENT_RECORD_FLAT(CRZConstructionSpriteEventData, 32)

#define VM_RECORD_CRZDeployDevelopmentEventData(FIELD)                                                       \
    FIELD(CRZID, id, 20)                                                                                     \
    FIELD(DynamicID, first, 28)                                                                              \
    FIELD(DynamicID, third, 36)                                                                              \
    FIELD(DynamicID, second, 44)                                                                             \
    FIELD(int32_t, number, 52)
VM_EVENT_RECORD_FLAT(CRZDeployDevelopmentEventData, 56)

#define VM_RECORD_CRZChangeModifierEventData(FIELD)                                                          \
    FIELD(int32_t, modifier, 20) FIELD(CRZRecordDate, date, 24)
VM_EVENT_RECORD_FLAT(CRZChangeModifierEventData, 32)

#define VM_RECORD_CRZFlagEventData(FIELD) FIELD(CRZChars256, name, 20) FIELD(int32_t, number, 276)
VM_EVENT_RECORD_FLAT(CRZFlagEventData, 280)

#define VM_RECORD_CRZPopComplexEventData(FIELD)                                                              \
    FIELD(CRZTokenType, first, 20)                                                                           \
    FIELD(CRZTokenType, second, 24)                                                                          \
    FIELD(float, firstValue, 28)                                                                             \
    FIELD(float, secondValue, 32)                                                                            \
    FIELD(CRZRecordSlot, text, 36)
VM_EVENT_RECORD_FLAT(CRZPopComplexEventData, 40)

#define VM_RECORD_CRZLevelEventData(FIELD) FIELD(float, value, 20)
VM_EVENT_RECORD_FLAT(CRZLevelEventData, 24)

#define VM_RECORD_CRZPhantomZoneEventData(FIELD) FIELD(CRZID, id, 20)
VM_EVENT_RECORD_FLAT(CRZPhantomZoneEventData, 28)

#define VM_RECORD_CRZRenameObjectEventData(FIELD) FIELD(CRZID, object, 20) FIELD(CRZChars64, name, 28)
VM_EVENT_RECORD_FLAT(CRZRenameObjectEventData, 92)

// Two constructors: the short one stores the number at 36 and leaves the tables and the two values
// unwritten; the long one copies five numbers from each of its six tables and leaves the number unwritten.
class CRZDiplomaticEvent : public CRZRecordEvent<CRZDiplomaticEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZDiplomaticEvent(CRZEvtType type, const CRZID& receiver, TQDiplomacyAction action, TQDiplomacyType kind,
        CRZCountryID first, CRZCountryID second, int number);
    CRZDiplomaticEvent(CRZEvtType type, const CRZID& receiver, TQDiplomacyAction action, TQDiplomacyType kind,
        CRZCountryID first, CRZCountryID second, float firstValue, float secondValue, const int* table1,
        const int* table2, const int* table3, const int* table4, const int* table5, const int* table6);
};

// Sent by the realm at 28.
class CRZWarEvent : public CRZRecordEvent<CRZWarEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZWarEvent(CRZEvtType type, const CRZID& receiver, DynamicID war, CRZCountryID first,
        CRZCountryID second, bool firstFlag, bool secondFlag)
        : CRZRecordEvent(type, receiver)
    {
        Record().war = war;
        Record().first = first;
        Record().second = second;
        Record().firstFlag = RecordFlag(firstFlag);
        Record().secondFlag = RecordFlag(secondFlag);
    }
    CRZID GetSender() const override { return CountryIdentity(Record().first); }
};

// Sent by the realm at 20; the third word is always 0.
class CRZAnnexationEvent : public CRZRecordEvent<CRZAnnexationEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZAnnexationEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID first, CRZCountryID second)
        : CRZRecordEvent(type, receiver)
    {
        Record().first = first;
        Record().second = second;
        Record().zero = 0;
    }
    CRZID GetSender() const override { return CountryIdentity(Record().first); }
};

// Only rebuilt from the network; sent by the realm at 32.
class CRZPeaceOfferEvent : public CRZRecordEvent<CRZPeaceOfferEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZID GetSender() const override { return CountryIdentity(Record().country); }
};

class CRZCivilWarEvent : public CRZRecordEvent<CRZCivilWarEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCivilWarEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID country)
        : CRZRecordEvent(type, receiver)
    {
        Record().country = country;
    }
};

class CRZPeaceEvent : public CRZRecordEvent<CRZCountryIDEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZPeaceEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID country, bool flag)
        : CRZRecordEvent(type, receiver)
    {
        Record().country = country;
        Record().flag = RecordFlag(flag);
    }
};

class CRZRelationEvent : public CRZRecordEvent<CRZRelationEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZRelationEvent(
        CRZEvtType type, const CRZID& receiver, float value, CRZCountryID first, CRZCountryID second)
        : CRZRecordEvent(type, receiver)
    {
        Record().value = value;
        Record().first = first;
        Record().second = second;
    }
};

class CRZGiftEvent : public CRZRecordEvent<CRZGiftEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZGiftEvent(CRZEvtType type, const CRZID& receiver, float amount, CRZCountryID country)
        : CRZRecordEvent(type, receiver)
    {
        Record().amount = amount;
        Record().country = country;
    }
};

class CRZLoanEvent : public CRZRecordEvent<CRZLoanEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZLoanEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID country, float amount)
        : CRZRecordEvent(type, receiver)
    {
        Record().country = country;
        Record().amount = amount;
    }
};

class CRZMoneyEvent : public CRZRecordEvent<CRZMoneyEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZMoneyEvent(CRZEvtType type, const CRZID& receiver, int number, float amount)
        : CRZRecordEvent(type, receiver)
    {
        Record().amount = amount;
        Record().number = number;
    }
};

class CRZMaintenanceEvent : public CRZRecordEvent<CRZMaintenanceEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZMaintenanceEvent(
        CRZEvtType type, const CRZID& receiver, CRZCountryID country, float first, float second)
        : CRZRecordEvent(type, receiver)
    {
        Record().country = country;
        Record().first = first;
        Record().second = second;
    }
};

class CRZInvestmentEvent : public CRZRecordEvent<CRZInvestmentEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZInvestmentEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID country, float value1,
        float value2, float value3, float value4)
        : CRZRecordEvent(type, receiver)
    {
        Record().country = country;
        Record().values[0] = value1;
        Record().values[1] = value2;
        Record().values[2] = value3;
        Record().values[3] = value4;
    }
};

class CRZBudgetPercentageEvent : public CRZRecordEvent<CRZBudgetPercentageEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZBudgetPercentageEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID country, float value1,
        float value2, float value3, float value4, float value5, float value6)
        : CRZRecordEvent(type, receiver)
    {
        Record().country = country;
        Record().values[0] = value1;
        Record().values[1] = value2;
        Record().values[2] = value3;
        Record().values[3] = value4;
        Record().values[4] = value5;
        Record().values[5] = value6;
    }
};

// Always of the type _CRZEVT_ADD_SHIPS_.
class CRZConvoyEvent : public CRZRecordEvent<CRZConvoyEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZConvoyEvent(const CRZID& receiver, CRZCountryID country, float first, float second)
        : CRZRecordEvent(_CRZEVT_ADD_SHIPS_, receiver)
    {
        Record().country = country;
        Record().first = first;
        Record().second = second;
    }
};

class CRZSetAllowedToSendDateEvent : public CRZRecordEvent<CRZSetAllowedToSendDateEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZSetAllowedToSendDateEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID country, CDate date)
        : CRZRecordEvent(type, receiver)
    {
        Record().country = country;
        Record().date = date;
    }
};

// Always of the type _CRZEVT_ADD_VP_.
class CRZVpEvent : public CRZRecordEvent<CRZVpData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZVpEvent(const CRZID& receiver, BaseVPSource source, float value)
        : CRZRecordEvent(_CRZEVT_ADD_VP_, receiver)
    {
        Record().value = value;
        Record().source = source;
    }
};

class CRZCountryEvent : public CRZRecordEvent<CRZCountryEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCountryEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID country, bool flag)
        : CRZRecordEvent(type, receiver)
    {
        Record().country = country;
        Record().flag = RecordFlag(flag);
    }
};

class CRZCountryIntEvent : public CRZRecordEvent<CRZCountryIntEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZCountryIntEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID country, int number)
        : CRZRecordEvent(type, receiver)
    {
        Record().country = country;
        Record().number = number;
    }
};

class CRZIntCountryEvent : public CRZRecordEvent<CRZIntCountryEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZIntCountryEvent(CRZEvtType type, const CRZID& receiver, int number, CRZCountryID country)
        : CRZRecordEvent(type, receiver)
    {
        Record().number = number;
        Record().country = country;
    }
};

class CRZPureTwoCountryEvent : public CRZRecordEvent<CRZPureTwoCountryEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZPureTwoCountryEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID first, CRZCountryID second)
        : CRZRecordEvent(type, receiver)
    {
        Record().first = first;
        Record().second = second;
    }
};

class CRZTwoCountryEvent : public CRZRecordEvent<CRZTwoCountryEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZTwoCountryEvent(
        CRZEvtType type, const CRZID& receiver, CRZCountryID first, CRZCountryID second, bool flag)
        : CRZRecordEvent(type, receiver)
    {
        Record().first = first;
        Record().second = second;
        Record().flag = RecordFlag(flag);
    }
};

// Only rebuilt from the network.
class CRZDetoriateWarscoreEvent : public CRZRecordEvent<CRZDetoriateWarscoreEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
};

// Posted as _CRZEVT_PROVCHANGEOWNER_ too, which the others rebuild with the longer province change
// record: with that type it stays on this machine.
class CRZProvEvent : public CRZRecordEvent<CRZProvEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZProvEvent(CRZEvtType type, const CRZID& receiver, int province)
        : CRZRecordEvent(type, receiver)
    {
        Record().province = province;
    }
    CRZReturnType Process() override;
};

class CRZProvChangeEvent : public CRZRecordEvent<CRZProvChangeEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZProvChangeEvent(CRZEvtType type, const CRZID& receiver, int province, CRZID id)
        : CRZRecordEvent(type, receiver)
    {
        Record().province = province;
        Record().id = id;
    }
};

class CRZProvinceCultureEvent : public CRZRecordEvent<CRZProvinceCultureEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZProvinceCultureEvent(CRZEvtType type, const CRZID& receiver, int province, RZCultureType culture)
        : CRZRecordEvent(type, receiver)
    {
        Record().culture = culture;
        Record().province = province;
    }
};

class CRZProvinceReligionEvent : public CRZRecordEvent<CRZProvinceReligionEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZProvinceReligionEvent(CRZEvtType type, const CRZID& receiver, int province, RZReligionType religion)
        : CRZRecordEvent(type, receiver)
    {
        Record().religion = religion;
        Record().province = province;
    }
};

class CRZProvinceIncomeEvent : public CRZRecordEvent<CRZProvinceIncomeData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZProvinceIncomeEvent(CRZEvtType type, const CRZID& receiver, float value)
        : CRZRecordEvent(type, receiver)
    {
        Record().value = value;
    }
};

class CRZProvinceKeypointsEvent : public CRZRecordEvent<CRZProvinceKeypointsData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZProvinceKeypointsEvent(CRZEvtType type, const CRZID& receiver, int first, int second)
        : CRZRecordEvent(type, receiver)
    {
        Record().first = first;
        Record().second = second;
    }
};

// The coastal and the land fort share their record and their constructor; the two classes keep the
// types apart on the receiving side.
class CRZFortEvent : public CRZRecordEvent<CRZFortEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZFortEvent(CRZEvtType type, const CRZID& receiver, int level, float value)
        : CRZRecordEvent(type, receiver)
    {
        Record().level = level;
        Record().value = value;
    }
};

class CRZCoastalFortEvent : public CRZFortEvent {
public:
    using CRZFortEvent::CRZFortEvent;
};

class CRZLandFortEvent : public CRZFortEvent {
public:
    using CRZFortEvent::CRZFortEvent;
};

class CRZInfrastructureEvent : public CRZRecordEvent<CRZInfrastructureEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZInfrastructureEvent(CRZEvtType type, const CRZID& receiver, int number, float value)
        : CRZRecordEvent(type, receiver)
    {
        Record().number = number;
        Record().value = value;
    }
};

// Only rebuilt from the network.
class CRZIndustryEvent : public CRZRecordEvent<CRZIndustryEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
};

class CRZResearchModifierEvent : public CRZRecordEvent<CRZResearchModifierData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZResearchModifierEvent(CRZEvtType type, const CRZID& receiver, int number, float value)
        : CRZRecordEvent(type, receiver)
    {
        Record().value = value;
        Record().number = number;
    }
};

class CRZDeactivateTechEvent : public CRZRecordEvent<CRZDeactivateTechData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZDeactivateTechEvent(CRZEvtType type, const CRZID& receiver, int tech)
        : CRZRecordEvent(type, receiver)
    {
        Record().tech = tech;
    }
};

class CRZEfficiencyModifierEvent : public CRZRecordEvent<CRZEfficiencyModifierData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZEfficiencyModifierEvent(
        CRZEvtType type, const CRZID& receiver, CRZEfficiencyModType modifier, float value)
        : CRZRecordEvent(type, receiver)
    {
        Record().value = value;
        Record().modifier = modifier;
    }
};

class CRZProjectEvent : public CRZRecordEvent<CRZProjectEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZProjectEvent(CRZEvtType type, const CRZID& receiver, const CRZID& first, const CRZID& second)
        : CRZRecordEvent(type, receiver)
    {
        Record().first = first;
        Record().second = second;
    }
};

class CRZStartProjectEvent : public CRZRecordEvent<CRZStartProjectEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZStartProjectEvent(CRZEvtType type, const CRZID& receiver, const CRZID& first, const CRZID& second,
        DynamicID object, bool flag)
        : CRZRecordEvent(type, receiver)
    {
        Record().first = first;
        Record().second = second;
        Record().object = object;
        Record().flag = RecordFlag(flag);
    }
};

class CRZConstructionSpriteEvent : public CRZRecordEvent<CRZConstructionSpriteEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZConstructionSpriteEvent(CRZEvtType type, const CRZID& receiver, DynamicID object, int number)
        : CRZRecordEvent(type, receiver)
    {
        Record().object = object;
        Record().number = number;
    }
};

class CRZDeployDevelopmentEvent : public CRZRecordEvent<CRZDeployDevelopmentEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZDeployDevelopmentEvent(CRZEvtType type, const CRZID& receiver, CRZID id, const DynamicID& first,
        DynamicID second, DynamicID third, int number)
        : CRZRecordEvent(type, receiver)
    {
        Record().id = id;
        Record().first = first;
        Record().second = second;
        Record().third = third;
        Record().number = number;
    }
};

// Always of the type _CRZEVT_CHANGE_MODIFIER_.
class CRZChangeModifierEvent : public CRZRecordEvent<CRZChangeModifierEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
    CRZChangeModifierEvent(const CRZID& receiver, int modifier, CDate date)
        : CRZRecordEvent(_CRZEVT_CHANGE_MODIFIER_, receiver)
    {
        Record().modifier = modifier;
        Record().date = date;
    }
};

// The flag name is cut to 255 characters; a received name always ends with a zero.
class CRZFlagEvent : public CRZRecordEvent<CRZFlagEventData> {
public:
    explicit CRZFlagEvent(CRZNetEvent* net);
    CRZFlagEvent(CRZEvtType type, const CRZID& receiver, const char* name, int number);
};

// Never leaves this machine (its types have no network form). A pointer to the text would mean nothing
// in the record, so the event keeps its own copy instead and the record's word stays zero.
class CRZPopComplexEvent : public CRZRecordEvent<CRZPopComplexEventData> {
public:
    CRZPopComplexEvent(CRZEvtType type, const CRZID& receiver, CRZTokenType first, CRZTokenType second,
        float firstValue, float secondValue, const char* text);
    const char* GetText() const { return text.c_str(); }

private:
    std::string text;
};

// Only rebuilt from the network.
class CRZLevelEvent : public CRZRecordEvent<CRZLevelEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
};

// Only rebuilt from the network.
class CRZPhantomZoneEvent : public CRZRecordEvent<CRZPhantomZoneEventData> {
public:
    using CRZRecordEvent::CRZRecordEvent;
};

// Only rebuilt from the network; the received name always ends with a zero.
class CRZRenameObjectEvent : public CRZRecordEvent<CRZRenameObjectEventData> {
public:
    explicit CRZRenameObjectEvent(CRZNetEvent* net);
};
