// A battle's sides, the realms that take part and the text of its result.
#include "armies/combat.h"

#include <algorithm>
#include <string>

#include "armies/unit.h"
#include "foundation/text_format.h"
#include "realms/country.h"
#include "realms/province.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

void Rebuild(CRZCombat::CSide& side)
{
    side.participants.clear();
    for (auto it = side.armies.GetHead(); !it.IsEnd(); it++) {
        const CRZCountry* owner = *it != nullptr ? (*it)->owner : nullptr;
        if (owner != nullptr
            && std::find(side.participants.begin(), side.participants.end(), owner->index)
                == side.participants.end())
            side.participants.push_back(owner->index);
    }
}

void Retag(std::vector<int32_t>& participants, int32_t oldNumber, int32_t newNumber)
{
    const auto found = std::find(participants.begin(), participants.end(), oldNumber);
    if (found == participants.end())
        return;
    participants.erase(found);
    participants.push_back(newNumber);
}

std::string SideResult(const CRZCombat::CSide& side)
{
    const CCharacter* leader = side.leader.Get();
    const char* name = leader != nullptr ? leader->GetFullName() : "";
    const int lost = static_cast<int>(side.losses.GetTotal());
    if (lost <= 0)
        return FormatDataText(TextStrings.GetString("COMBAT_NO_LOSS"), { name });
    char losses[256];
    side.losses.GetInfo(losses, sizeof losses, true);
    return FormatDataText(TextStrings.GetString("COMBAT_LOST"), { name, lost, losses });
}

} // namespace

CRZCombat::CRZCombat(int32_t inProvince, const DynamicID& identity, const CDate& start)
    : province(inProvince)
    , startDate(start)
{
    Create(identity);
}

CRZCombat::~CRZCombat()
{
    for (CSide* side : { &attackers, &defenders }) {
        for (auto it = side->armies.GetHead(); !it.IsEnd(); it++) {
            if (*it != nullptr && (*it)->battle == this)
                (*it)->battle = nullptr;
        }
    }
}

CRZCombat* CRZCombat::GetCombat(const DynamicID& id)
{
    return dynamic_cast<CRZCombat*>(CRZDynamicObject::GetObjectFromID(id));
}

void CRZCombat::AddUnit(CRZUnit* army, bool attacker)
{
    if (army == nullptr)
        return;
    CSide& side = attacker ? attackers : defenders;
    if (!side.armies.Contains(army))
        side.armies.Append(army);
    army->battle = this;
    Rebuild(side);
}

void CRZCombat::RemoveUnit(CRZUnit* army)
{
    for (CSide* side : { &attackers, &defenders }) {
        if (side->armies.Contains(army)) {
            side->armies.Remove(army);
            Rebuild(*side);
        }
    }
    if (army != nullptr && army->battle == this)
        army->battle = nullptr;
}

void CRZCombat::RefreshParticipants()
{
    Rebuild(attackers);
    Rebuild(defenders);
}

void CRZCombat::ChangeTag(int32_t oldNumber, int32_t newNumber)
{
    Retag(attackers.participants, oldNumber, newNumber);
    Retag(defenders.participants, oldNumber, newNumber);
}

bool CRZCombat::IsParticipating(const CRZCountry* realm) const
{
    for (const CSide* side : { &attackers, &defenders }) {
        for (auto it = side->armies.GetHead(); !it.IsEnd(); it++) {
            if (*it != nullptr && (*it)->owner == realm)
                return true;
        }
    }
    return false;
}

const char* CRZCombat::GetResultDesc() const
{
    static std::string text;
    text = SideResult(attackers) + "\n" + SideResult(defenders);
    return text.c_str();
}

CRZLandCombat::CRZLandCombat(CProvince* where, const DynamicID& identity)
    : CRZCombat(where != nullptr ? where->number : 0, identity, GetGameToday())
{
}

CRZCombatList::~CRZCombatList()
{
    if (owns) {
        for (auto it = GetHead(); !it.IsEnd(); it++)
            delete *it;
    }
}
