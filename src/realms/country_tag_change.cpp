// A realm moving to another country number: the tag change renumbers the realm and everything that names
// its old number, the waiting events of the scheduler among them.
#include <array>
#include <cstdint>

#include "characters/title.h"
#include "events/event.h"
#include "events/event_scheduler.h"
#include "events/record_event.h"
#include "events/records_realm.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/province.h"
#include "realms/request.h"

#include "foundation/safeguards.h"

CRZID CRZCountry::FromCountry = NOID;
CRZID CRZCountry::ToCountry = NOID;
int32_t CRZCountry::global_from = 0;
int32_t CRZCountry::global_to = 0;

namespace {

constexpr int kHandled = 3;

// The payload words (counted from 1 after the record head) that carry realm numbers, by event type.
struct CountryWords {
    uint16_t type;
    std::array<uint8_t, 3> words;
};

constexpr CountryWords kCountryWords[] = {
    { 76, { 1 } },
    { 126, { 1 } },
    { 142, { 1 } },
    { 143, { 1 } },
    { 164, { 1 } },
    { 177, { 1 } },
    { 178, { 1 } },
    { 189, { 1 } },
    { 193, { 1 } },
    { 194, { 1 } },
    { 213, { 1 } },
    { 214, { 1 } },
    { 231, { 1 } },
    { 263, { 1 } },
    { 369, { 1 } },
    { 378, { 1 } },
    { 490, { 1 } },
    { 491, { 1 } },
    { 492, { 1 } },
    { 493, { 1 } },
    { 494, { 1 } },
    { 222, { 2 } },
    { 402, { 2 } },
    { 448, { 2 } },
    { 467, { 2 } },
    { 469, { 2 } },
    { 94, { 3 } },
    { 95, { 3 } },
    { 367, { 3 } },
    { 124, { 4 } },
    { 149, { 4 } },
    { 445, { 4 } },
    { 447, { 4 } },
    { 156, { 1, 2 } },
    { 190, { 1, 2 } },
    { 191, { 1, 2 } },
    { 192, { 1, 2 } },
    { 202, { 1, 2 } },
    { 203, { 1, 2 } },
    { 204, { 1, 2 } },
    { 230, { 1, 2 } },
    { 496, { 1, 2 } },
    { 255, { 2, 3 } },
    { 256, { 2, 3 } },
    { 125, { 3, 4 } },
    { 182, { 3, 4 } },
    { 184, { 3, 4 } },
    { 185, { 3, 4 } },
    { 188, { 3, 4 } },
    { 196, { 3, 4 } },
    { 216, { 3, 4 } },
    { 358, { 3, 4 } },
    { 473, { 3, 4 } },
    { 475, { 3, 4 } },
    { 476, { 3, 4 } },
    { 477, { 3, 4 } },
    { 478, { 3, 4 } },
    { 479, { 3, 4 } },
    { 480, { 3, 4 } },
    { 183, { 15, 16 } },
    { 195, { 1, 6, 7 } },
    { 215, { 1, 6, 7 } },
    { 186, { 1, 8, 9 } },
    { 197, { 1, 8, 9 } },
    { 198, { 1, 8, 9 } },
    { 217, { 1, 8, 9 } },
    { 218, { 1, 8, 9 } },
};

// The battle and siege results list the realms that took part: a 16-bit count at the start of word 4,
// one realm per word from word 5 on. A record that ends before the count is left alone.
constexpr uint32_t kListCountWord = 4;
bool CarriesCountryList(uint32_t type)
{
    return type >= _CRZEVT_PROVBATTLEWON_ && type <= _CRZEVT_PROVSIEGELOST_;
}

void RenumberWord(CRZEvent& event, uint32_t word)
{
    int32_t value = 0;
    if (LoadPayloadWord(event, word, value) && value == CRZCountry::global_from)
        StorePayloadWord(event, word, CRZCountry::global_to);
}

void MoveFlag(uint8_t (&flags)[kCountryTableSlots], int32_t from, int32_t to)
{
    flags[to] = flags[from];
    flags[from] = 0;
}

} // namespace

void SetFixedGovernment(CRZCountry& realm)
{
    if (realm.index == 1323)
        realm.ImmidiateSetFormOfGoverment(GOV_ECCLESIASTICAL);
    else if (realm.index == 1349 || realm.index == 1365 || realm.index == 1400)
        realm.ImmidiateSetFormOfGoverment(GOV_KNIGHT_ORDER);
}

void CRZCountry::ReDirectEvents(CRZEvent* event)
{
    if (event == nullptr || event->GetDataSize() < kRecordHeadSize)
        return;
    CRZEventData* head = event->GetData();
    if (head->receiver.type == FromCountry.type && head->receiver.number == FromCountry.number)
        head->receiver = ToCountry;
}

void CRZCountry::ReDirectEvents2(CRZEvent* event)
{
    ReDirectEvents(event);
    if (event == nullptr || event->GetDataSize() < kRecordHeadSize)
        return;
    const uint32_t type = event->GetData()->type;
    for (const CountryWords& row : kCountryWords) {
        if (row.type != type)
            continue;
        for (uint8_t word : row.words)
            if (word != 0)
                RenumberWord(*event, word);
        return;
    }
    if (!CarriesCountryList(type))
        return;
    uint16_t count = 0;
    if (!LoadRecordHalf(*event, kRecordHeadSize + 4 * (kListCountWord - 1), count))
        return;
    for (uint32_t i = 0; i < count; ++i) {
        int32_t value = 0;
        if (!LoadPayloadWord(*event, kListCountWord + 1 + i, value))
            break;
        if (value == global_from)
            StorePayloadWord(*event, kListCountWord + 1 + i, global_to);
    }
}

void CRZCountry::ChangeTag(CRequest* request)
{
    if (request == nullptr)
        return;
    request->ChangeTag(global_from, global_to);
}

int CRZCountry::handleChangeTag(CRZEvent* event)
{
    const auto* record = RecordAs<CRZCountryEventData>(event);
    if (record == nullptr)
        return kHandled;
    const int32_t from = index;
    const int32_t to = record->country;
    const bool started = gCountryHooks.IsGameStarted && gCountryHooks.IsGameStarted();
    if (!started) {
        history("Illegal tag-change before game has started.  (%s is changing tag to  %s)\n", GetTag(),
            IsCountryNumber(to, "ChangeTag") ? CCountryDB::IDToTag(to) : "?");
        return kHandled;
    }
    // A late or forged change must not overwrite another realm, nor move into a number no realm may hold.
    if (!IsRealCountry(to) || to == from || _pCountry[from] != this || _pCountry[to] != nullptr) {
        history("ChangeTag: %s may not take realm number %d\n", GetTag(), static_cast<int>(to));
        return kHandled;
    }

    for (auto it = members.GetHead(); !it.IsEnd(); it++)
        (*it)->realmId = to;
    if (ruler != nullptr)
        ruler->realmId = to;

    std::swap(gCountryControl[from], gCountryControl[to]);

    if (ruler != nullptr) {
        if (const CTitle* primary = ruler->GetPrimaryTitle()) {
            const CTier* own = primary->GetTier();
            if (own->IsKingdom())
                tier = TIER_KINGDOM;
            else if (own->IsDuchy())
                tier = TIER_DUCHY;
            else
                tier = TIER_COUNTY;
        }
    }

    _pCountry[to] = this;
    _pCountry[from] = nullptr;
    index = to;
    SetTag(CCountryDB::IDToTag(to));
    CRZStaticObject::Create(StaticID(CRZID(RZTYPE_COUNTRY, static_cast<uint32_t>(to))));

    FromCountry = CRZID(RZTYPE_COUNTRY, static_cast<uint32_t>(from));
    ToCountry = CRZID(RZTYPE_COUNTRY, static_cast<uint32_t>(to));
    global_from = from;
    global_to = to;
    gEventScheduler.ForEach(&CRZCountry::ReDirectEvents2);
    if (OnHost() && gCountryHooks.ChangeTagOfRequests)
        gCountryHooks.ChangeTagOfRequests(from, to);

    for (int32_t i = 1; i < static_cast<int32_t>(kCountryTableSlots); ++i) {
        CRZCountry* other = _pCountry[i];
        if (other == nullptr)
            continue;
        for (auto it = other->pendingRequests.GetHead(); !it.IsEnd(); it++)
            ChangeTag(*it);
        if (other != this) {
            if (other->atWarWith[from]) {
                other->atWarWith[to] = 1;
                atWarWith[i] = 1;
            }
            // The old number names nobody now: a realm that later takes it starts at peace.
            other->atWarWith[from] = 0;
            MoveFlag(other->truceFlags, from, to);
            MoveFlag(other->allianceFlags, from, to);
            other->relations[to] = other->relations[from];
            other->relations[from] = 0.0f;
        }
        other->RefreshVassals();
    }

    // Battles list their realms by number.
    if (gCountryHooks.ChangeTagOfBattle)
        for (auto it = armies.GetHead(); !it.IsEnd(); it++)
            gCountryHooks.ChangeTagOfBattle(*it, from, to);

    // Provinces hold their controller by number.
    for (int p = 1; p <= kLastTableProvince; ++p) {
        CProvince* province = CProvince::GetProvince(p);
        if (province != nullptr && province->controller == from)
            province->controller = to;
    }

    SetFixedGovernment(*this);
    capital = 0;
    actingCapital = 0;
    SetCapital();
    return kHandled;
}
