// New realms and the joining of realms, as executed events carry them out on every machine: a realm
// made from a title and provinces, an annexation, and a random cousin for a realm's ruler.
#include <vector>

#include "characters/character.h"
#include "characters/title.h"
#include "events/event.h"
#include "events/record_event.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;
constexpr int kMessageNewNation = 7;
// Victory points of source 3 reward a realm for every realm it joins to its own.
constexpr int kAnnexationVPSource = 3;
constexpr float kAnnexationVP = 20.0f;

CCharacter* CharacterOf(const CRZID& id)
{
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(id));
}

void Drop(const CRZEvent* event, const char* why)
{
    history("%s: %s; event dropped\n", event->GetName(), why);
}

} // namespace

int CRZCountry::handleCreateCountryEvent(CRZEvent* event)
{
    const auto* created = dynamic_cast<const CRZCreateCountryEvent*>(event);
    if (created == nullptr || RecordAs<CRZCreateCountryEventData>(event) == nullptr) {
        Drop(event, "not a realm creation record");
        return kHandled;
    }
    const CRZCreateCountryEventData& record = created->Record();
    const CRZCountryID number = record.first;
    // The whole event is checked before anything changes, so a bad one leaves no half-made realm.
    if (!IsRealCountry(number) || number == kRebelCountry) {
        Drop(event, "the new realm's number names no realm");
        return kHandled;
    }
    if (_pCountry[number] != nullptr) {
        // A late or repeated creation must not hand another realm's titles to a stranger.
        Drop(event, "a realm of that number exists");
        return kHandled;
    }
    if (!created->HoldsCount()) {
        Drop(event, "province count beyond the record");
        return kHandled;
    }
    CCharacter* newRuler = CharacterOf(record.id);
    if (newRuler == nullptr) {
        Drop(event, "the new ruler is unknown");
        return kHandled;
    }
    std::vector<CProvince*> provinces;
    for (uint32_t i = 0; i < created->GetCount(); ++i) {
        const int32_t province = created->GetProvince(i);
        CProvince* found
            = province >= 1 && province <= kLastTableProvince ? CProvince::GetProvince(province) : nullptr;
        if (found == nullptr || CTitle::GetTitle(province) == nullptr) {
            Drop(event, "a listed province names no county");
            return kHandled;
        }
        provinces.push_back(found);
    }

    CList<CRZID> titles;
    titles.Append(CTitle::GetTitle(number)->GetID());
    for (CProvince* province : provinces) {
        CTitle* county = CTitle::GetTitle(province->GetNumber());
        titles.Append(county->GetID());
        // Whoever loses the county keeps the right to fight for it.
        if (OnHost()) {
            if (CCharacter* holder = county->GetCurrentHolder(); holder != nullptr && holder != newRuler)
                holder->PostCreateClaim(county->GetCountryID());
        }
    }
    for (auto it = titles.GetHead(); !it.IsEnd(); it++) {
        CTitle* title = CTitle::GetTitle(*it);
        title->SetNewHolder(newRuler);
        if (record.flag != 0)
            title->SetLiege(nullptr);
    }
    CRZCountry* realm = CreateCountryFromTitles(titles, newRuler, number);
    if (realm == nullptr) {
        Drop(event, "no realm could be made of the titles");
        return kHandled;
    }
    if (gCountryHooks.ShowMessage != nullptr)
        gCountryHooks.ShowMessage(kMessageNewNation, realm->index, "", realm->GetName(), GetName(), "", 0);
    for (CProvince* province : provinces)
        province->SetController(realm->index);
    SetFixedGovernment(*realm);
    return kHandled;
}

int CRZCountry::handleSetAnnex(CRZEvent* event)
{
    const auto* record = RecordAs<CRZAnnexationEventData>(event);
    if (record == nullptr || !IsCountryNumber(record->second, event->GetName()))
        return kHandled;
    Annex(record->second, false);
    return kHandled;
}

int CRZCountry::handleSetAnnexation(CRZEvent* event)
{
    const auto* record = RecordAs<CRZAnnexationEventData>(event);
    if (record == nullptr || !IsCountryNumber(record->first, event->GetName())
        || !IsCountryNumber(record->second, event->GetName()))
        return kHandled;
    CRZCountry* annexer = GetCountry(record->first);
    if (annexer == nullptr) {
        Drop(event, "the annexing realm does not exist");
        return kHandled;
    }
    annexer->baseVP[kAnnexationVPSource] += kAnnexationVP;
    annexer->Annex(record->second, record->zero != 0);
    if (gCountryHooks.InvalidateMap != nullptr)
        gCountryHooks.InvalidateMap();
    RefreshFogOfWar();
    return kHandled;
}

int CRZCountry::handleCreateRandomCousin(CRZEvent* event)
{
    const auto* record = RecordAs<CRZCreateRandomCousinEventData>(event);
    if (record == nullptr || ruler == nullptr)
        return kHandled;
    // The identity comes from the host; the character code refuses one that is taken.
    ruler->DoCreateRandomCousin(record->first, record->number);
    return kHandled;
}
