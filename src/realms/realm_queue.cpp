// The game's queue of realms that takes the broadcasts of a started game, and the deletion of realms that
// dissolved themselves while it offered them an event.
#include "realms/country.h"

#include "foundation/safeguards.h"

CRZObjectList* gpGameQ = nullptr;
CList<CRZCountry*> CRZCountry::_dissolved;

CRZRealmQueue::~CRZRealmQueue()
{
    // The country table owns the realms; the base list would delete what it still holds.
    RemoveAll();
}

int CRZRealmQueue::Update(CRZEvent* event)
{
    const int answer = CRZObjectList::Update(event);
    CRZCountry::DeleteDissolved();
    return answer;
}

void CRZCountry::DeleteDissolved()
{
    while (!_dissolved.IsEmpty()) {
        CRZCountry* realm = *_dissolved.GetHead();
        _dissolved.RemoveHead();
        delete realm;
    }
}
