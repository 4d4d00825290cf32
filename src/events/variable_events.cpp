// Construction and receipt of the variable-size events: counts are written before the lists, lists are
// walked once in order, and a received record is read only as far as its counts and its bytes agree.
#include "events/variable_events.h"

#include <cstdio>
#include <cstring>

#include "foundation/safeguards.h"

namespace {

std::size_t TextLength(const char* text)
{
    return text != nullptr ? std::strlen(text) : 0;
}

template <class T> uint64_t ListSize(const CList<T>& list)
{
    return static_cast<uint64_t>(list.GetSize());
}

} // namespace

CRZChatEvent::CRZChatEvent(CRZNetEvent* net)
    : CRZVariableEvent(net)
{
    // The text must end inside its length, whatever the sender wrote there.
    const uint32_t length = Record().length;
    if (length == 0)
        fprintf(stderr, "Received chat line without its terminating zero\n");
    else
        Store<char>(26u + length - 1u, '\0');
}

CRZChatEvent::CRZChatEvent(const char* text, int sender, const CRZID& receiver)
    : CRZVariableEvent(Allocation(TextLength(text) + 31u, 31u, 2), APPMSG_CHATSTRING, receiver)
{
    Record().sender = sender;
    const std::size_t length = TextLength(text);
    if (!Fits(length + 31u)) {
        Record().length = 1;
        RefuseEvent(this, "the chat text is too long to send");
        return;
    }
    Record().length = static_cast<uint16_t>(length + 1u);
    std::memcpy(reinterpret_cast<uint8_t*>(GetData()) + 26, text != nullptr ? text : "", length);
}

const char* CRZChatEvent::GetText() const
{
    const uint32_t length = Record().length;
    if (length == 0 || 26u + length > held)
        return "";
    return reinterpret_cast<const char*>(GetData()) + 26;
}

CRZOptionsEvent::CRZOptionsEvent(const CRZID& receiver, const CList<int32_t>& flags)
    : CRZVariableEvent(Allocation(4 * ListSize(flags) + 30u, 30u, 2), _CRZEVT_SET_OPTIONS_, receiver)
{
    if (!Fits(4 * ListSize(flags) + 30u)) {
        RefuseEvent(this, "too many options to send");
        return;
    }
    Record().count = static_cast<uint16_t>(ListSize(flags));
    StoreList<int32_t>(24, flags);
}

CRZUnitMovePathEvent::CRZUnitMovePathEvent(const DynamicID& unit, bool flag, const CList<int32_t>& provinces)
    : CRZVariableEvent(Allocation(2 * ListSize(provinces) + 38u, 38u, 2), _CRZEVT_UNITMOVEPATH_, unit)
{
    Record().flag = flag ? 1 : 0;
    if (!Fits(2 * ListSize(provinces) + 38u)) {
        RefuseEvent(this, "the path is too long to send");
        return;
    }
    Record().count = static_cast<uint16_t>(ListSize(provinces));
    StoreList<uint16_t>(32, provinces);
}

namespace {

uint64_t ClaimTotal(const CRZPeaceTerms& terms)
{
    return ListSize(terms.initiatorYielded) + ListSize(terms.initiatorClaimed)
        + ListSize(terms.receiverYielded) + ListSize(terms.receiverClaimed);
}

uint64_t IdentityTotal(const CRZInheritanceTerms& inheritance)
{
    return ListSize(inheritance.titles) + ListSize(inheritance.claims) + ListSize(inheritance.wars);
}

// Where the index-th identity of a group lies, with groups laid out one after the other from first.
uint64_t GroupOffset(uint32_t first, const uint32_t* counts, int group, uint32_t index)
{
    uint64_t position = index;
    for (int i = 0; i < group; ++i)
        position += counts[i];
    return first + 8 * position;
}

template <std::size_t N> bool CountsAddUp(const uint32_t (&counts)[N], uint32_t total)
{
    uint64_t sum = 0;
    for (uint32_t count : counts)
        sum += count;
    return sum == total;
}

} // namespace

CRZPeaceRequestEvent::CRZPeaceRequestEvent(CRZEvtType type, const CRZID& receiver, CRZID id,
    CRZCountryID first, CRZCountryID second, const CDate& date, const CRZPeaceTerms& terms)
    : CRZVariableEvent(Allocation(8 * ClaimTotal(terms) + 102u, 102u, 0), type, receiver)
{
    CRZPeaceRequestEventData& r = Record();
    r.id = id;
    r.first = first;
    r.second = second;
    r.date = date;
    r.war = terms.war;
    r.tribute.gold = terms.tribute.gold;
    r.tribute.prestige = terms.tribute.prestige;
    r.tribute.piety = terms.tribute.piety;
    r.vassalize = static_cast<uint32_t>(terms.vassalize);
    if (!Fits(8 * ClaimTotal(terms) + 102u)) {
        RefuseEvent(this, "too many claims to send");
        return;
    }
    const CList<CRZID>* groups[4] = { &terms.initiatorYielded, &terms.initiatorClaimed,
        &terms.receiverYielded, &terms.receiverClaimed };
    r.count = static_cast<uint16_t>(StoreGroups(92, groups, r.counts));
}

CRZID CRZPeaceRequestEvent::GetClaim(Group group, uint32_t index) const
{
    return Load<CRZID>(GroupOffset(92, Record().counts, group, index));
}

bool CRZPeaceRequestEvent::IsConsistent() const
{
    return CountsAddUp(Record().counts, Record().count);
}

CRZInheritEvent::CRZInheritEvent(CRZEvtType type, const CRZID& receiver, const CRZID& first,
    const CRZID& second, const CRZInheritanceTerms& inheritance)
    : CRZVariableEvent(Allocation(8 * IdentityTotal(inheritance) + 82u, 82u, 2), type, receiver)
{
    CRZInheritEventData& r = Record();
    r.first = first;
    r.second = second;
    r.formOfGovernment = inheritance.formOfGovernment;
    r.score.gold = inheritance.score.gold;
    r.score.prestige = inheritance.score.prestige;
    r.score.piety = inheritance.score.piety;
    if (!Fits(8 * IdentityTotal(inheritance) + 82u)) {
        RefuseEvent(this, "too many titles, claims and wars to send");
        return;
    }
    const CList<CRZID>* groups[3] = { &inheritance.titles, &inheritance.claims, &inheritance.wars };
    r.count = static_cast<uint16_t>(StoreGroups(72, groups, r.counts));
}

CRZID CRZInheritEvent::GetIdentity(Group group, uint32_t index) const
{
    return Load<CRZID>(GroupOffset(72, Record().counts, group, index));
}

bool CRZInheritEvent::IsConsistent() const
{
    return CountsAddUp(Record().counts, Record().count);
}

CRZBattleWonEvent::CRZBattleWonEvent(
    CRZEvtType type, const CRZID& receiver, DynamicID unit, int number, const CRZCountryList& realms)
    : CRZVariableEvent(Allocation(4 * ListSize(realms) + 42u, 42u, 2), type, receiver)
{
    Record().number = number;
    Record().unit = unit;
    if (!Fits(4 * ListSize(realms) + 42u)) {
        RefuseEvent(this, "too many realms to send");
        return;
    }
    Record().realms.Set(realms, static_cast<uint32_t>(ListSize(realms)));
}

CRZCreateCountryEvent::CRZCreateCountryEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID first,
    CRZCountryID second, const CRZID& id, const CList<int32_t>& provinces, bool flag)
    : CRZVariableEvent(Allocation(4 * ListSize(provinces) + 50u, 50u, 2), type, receiver)
{
    Record().first = first;
    Record().second = second;
    Record().id = id;
    Record().flag = RecordFlag(flag);
    if (!Fits(4 * ListSize(provinces) + 50u)) {
        RefuseEvent(this, "too many provinces to send");
        return;
    }
    Record().provinces.Set(provinces, static_cast<uint32_t>(ListSize(provinces)));
}
