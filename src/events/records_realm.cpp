// The realm and province events whose constructors do more than store their arguments.
#include "events/records_realm.h"

#include <cstdio>
#include <cstring>

#include "foundation/safeguards.h"

CRZDiplomaticEvent::CRZDiplomaticEvent(CRZEvtType type, const CRZID& receiver, TQDiplomacyAction action,
    TQDiplomacyType kind, CRZCountryID first, CRZCountryID second, int number)
    : CRZRecordEvent(type, receiver)
{
    Record().action = action;
    Record().kind = kind;
    Record().first = first;
    Record().second = second;
    Record().number = number;
}

CRZDiplomaticEvent::CRZDiplomaticEvent(CRZEvtType type, const CRZID& receiver, TQDiplomacyAction action,
    TQDiplomacyType kind, CRZCountryID first, CRZCountryID second, float firstValue, float secondValue,
    const int* table1, const int* table2, const int* table3, const int* table4, const int* table5,
    const int* table6)
    : CRZRecordEvent(type, receiver)
{
    Record().action = action;
    Record().kind = kind;
    Record().first = first;
    Record().second = second;
    Record().firstValue = firstValue;
    Record().secondValue = secondValue;
    const int* tables[6] = { table1, table2, table3, table4, table5, table6 };
    for (int i = 0; i < 6; ++i) {
        if (tables[i] != nullptr)
            std::memcpy(Record().tables[i], tables[i], sizeof(Record().tables[i]));
    }
}

CRZReturnType CRZProvEvent::Process()
{
    if (GetType() == _CRZEVT_PROVCHANGEOWNER_)
        KeepEventLocal(this);
    return CRZRecordEvent::Process();
}

CRZFlagEvent::CRZFlagEvent(CRZNetEvent* net)
    : CRZRecordEvent(net)
{
    TerminateRecordName(Record().name);
}

CRZFlagEvent::CRZFlagEvent(CRZEvtType type, const CRZID& receiver, const char* name, int number)
    : CRZRecordEvent(type, receiver)
{
    if (!CopyRecordName(Record().name, name))
        fprintf(stderr, "Flag name cut to %zu characters: %s\n", sizeof(Record().name) - 1, name);
    Record().number = number;
}

CRZPopComplexEvent::CRZPopComplexEvent(CRZEvtType type, const CRZID& receiver, CRZTokenType first,
    CRZTokenType second, float firstValue, float secondValue, const char* inText)
    : CRZRecordEvent(type, receiver)
    , text(inText != nullptr ? inText : "")
{
    Record().first = first;
    Record().second = second;
    Record().firstValue = firstValue;
    Record().secondValue = secondValue;
}

CRZRenameObjectEvent::CRZRenameObjectEvent(CRZNetEvent* net)
    : CRZRecordEvent(net)
{
    TerminateRecordName(Record().name);
}
