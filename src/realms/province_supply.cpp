// Supply: which provinces feed a realm's armies, counted by flooding out over the provinces the realm can
// trace supply through. The floods keep their own stack: a chain of a thousand provinces would otherwise
// be a thousand frames deep.
#include <vector>

#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

bool CProvince::CanTraceSupply(const CRZCountry& realm) const
{
    if (GetController() == nullptr)
        return false;
    const CRZCountry* owner = GetOwner();
    return owner == nullptr || realm.IsFriend(owner->index) || realm.IsEnemy(owner->index);
}

bool CProvince::IsTrueSupplySource(const CRZCountry& realm) const
{
    const CRZCountry* holder = GetController();
    const CRZCountry* owner = GetOwner();
    return holder != nullptr && owner != nullptr && realm.IsFriend(holder->index)
        && realm.IsFriend(owner->index);
}

int CProvince::CountSupplySources(const CRZCountry& realm)
{
    int count = 0;
    std::vector<CProvince*> pending { this };
    supplyVisited = true;
    while (!pending.empty()) {
        CProvince* province = pending.back();
        pending.pop_back();
        if (province->IsTrueSupplySource(realm))
            ++count;
        for (const Adjacent& neighbour : province->neighbours) {
            CProvince* other = GetProvince(neighbour.number);
            if (other != nullptr && !other->supplyVisited && other->CanTraceSupply(realm)) {
                other->supplyVisited = true;
                pending.push_back(other);
            }
        }
    }
    return count;
}

void CProvince::SupplyAllVisited(int count)
{
    std::vector<CProvince*> pending { this };
    supplyVisited = false;
    supplyCount = count;
    while (!pending.empty()) {
        CProvince* province = pending.back();
        pending.pop_back();
        for (const Adjacent& neighbour : province->neighbours) {
            CProvince* other = GetProvince(neighbour.number);
            if (other != nullptr && other->supplyVisited) {
                other->supplyVisited = false;
                other->supplyCount = count;
                pending.push_back(other);
            }
        }
    }
}

void CProvince::UpdateSupply(const CRZCountry* realm)
{
    if (realm == nullptr)
        return;
    for (const Adjacent& neighbour : neighbours)
        if (CProvince* other = GetProvince(neighbour.number); other && other->CanTraceSupply(*realm))
            other->supplyCount = -1;
    const int own = IsTrueSupplySource(*realm) ? 1 : 0;
    int total = own;
    for (const Adjacent& neighbour : neighbours) {
        CProvince* other = GetProvince(neighbour.number);
        if (other == nullptr || other->supplyCount != -1)
            continue;
        supplyVisited = true;
        const int found = other->CountSupplySources(*realm);
        supplyVisited = false;
        total += found;
        other->SupplyAllVisited(own + found);
    }
    supplyCount = CanTraceSupply(*realm) ? total : 0;
}

void CProvince::UpdateAllSupply(const CRZCountry& realm)
{
    for (auto it = realm.controlledProvinces.GetHead(); !it.IsEnd(); it++)
        if (CProvince* province = GetProvince(*it))
            province->supplyCount = 0;
}

bool CProvince::HasAdjacentSupplySource(const CRZCountry& realm) const
{
    for (const Adjacent& neighbour : neighbours) {
        const CProvince* other = GetProvince(neighbour.number);
        if (other != nullptr && other->supplyCount > 0 && other->CanTraceSupply(realm))
            return true;
    }
    return false;
}

bool CProvince::CanSupply(const CRZCountry& realm) const
{
    if (number == 0)
        return false;
    if (terrain == TERRAIN_OCEAN || terrain == TERRAIN_LAKE)
        return true;
    if (supplyCount >= 1 && CanTraceSupply(realm))
        return true;
    return HasAdjacentSupplySource(realm);
}
