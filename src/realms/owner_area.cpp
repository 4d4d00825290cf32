// Owner areas: built by flood at game start, then kept in step with every change of controller by leaving,
// splitting, joining and merging, with the border counts between areas moved along.
#include "realms/owner_area.h"

#include <algorithm>
#include <set>

#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

CRZOwnerAreaHooks gOwnerAreaHooks;
CList<CRZOwnerArea*> CRZOwnerArea::_SeaList;
CList<CRZOwnerArea*> CRZOwnerArea::_LakeList;

namespace {

CProvince* Province(int number)
{
    return number >= 1 && number <= kLastTableProvince ? CProvince::GetProvince(number) : nullptr;
}

std::vector<CProvince*> Members(const CList<CProvince*>& provinces)
{
    std::vector<CProvince*> out;
    for (auto it = provinces.GetHead(); !it.IsEnd(); it++)
        out.push_back(*it);
    return out;
}

// The area leaves every list that may name it, the opponents hear it has gone, and it is deleted.
void Vanish(CRZOwnerArea* area)
{
    std::set<CRZOwnerArea*> others;
    for (const CRZNeighborArea& entry : area->GetNeighbors())
        others.insert(entry.area);
    for (int n = 1; n <= kLastTableProvince; ++n)
        if (CProvince* p = Province(n); p && p->ownerArea && p->ownerArea != area)
            others.insert(p->ownerArea);
    for (CRZOwnerArea* other : others)
        if (other->IsAdjacent(*area))
            other->ModifyNeighborCount(*area, -other->GetNeighborCount(*area));
    if (CRZLandArea* land = area->GetLandArea())
        for (int realm = 0; realm < static_cast<int>(kCountryTableSlots); ++realm)
            if (CRZCountry* country = CRZCountry::GetCountry(realm))
                country->RemoveLandArea(*land);
    if (gOwnerAreaHooks.AreaRemoved)
        gOwnerAreaHooks.AreaRemoved(*area);
    area->Cleanup();
    delete area;
}

// Both sides count one more (or one fewer) border for each neighbour record of the province.
void CountBorders(
    CRZOwnerArea& area, const CProvince& province, int change, const CRZOwnerArea* skip = nullptr)
{
    for (const Adjacent& neighbour : province.neighbours) {
        const CProvince* other = Province(neighbour.number);
        CRZOwnerArea* across = other ? other->ownerArea : nullptr;
        if (!across || across == &area || across == skip)
            continue;
        area.ModifyNeighborCount(*across, change);
        across->ModifyNeighborCount(area, change);
    }
}

} // namespace

CRZOwnerArea::~CRZOwnerArea() = default;

void CRZOwnerArea::AddProvince(CProvince& province)
{
    if (!provinces.Contains(&province))
        provinces.Append(&province);
}

void CRZOwnerArea::RemoveProvince(CProvince& province)
{
    provinces.Remove(&province);
    CalculateBestPort();
}

bool CRZOwnerArea::Qualifies(const CProvince& from, const CProvince& other) const
{
    if (other.controller != from.controller)
        return false;
    switch (type) {
    case LAND:
        return other.IsLand();
    case LAKE:
        return other.terrain == TERRAIN_LAKE;
    default:
        return other.terrain == TERRAIN_OCEAN && other.region == from.region;
    }
}

void CRZOwnerArea::BuildArea(CProvince& start)
{
    AddProvince(start);
    start.ownerArea = this;
    std::vector<CProvince*> stack { &start };
    while (!stack.empty()) {
        CProvince* at = stack.back();
        stack.pop_back();
        for (const Adjacent& neighbour : at->neighbours) {
            CProvince* other = Province(neighbour.number);
            if (!other || other->ownerArea || !Qualifies(*at, *other))
                continue;
            AddProvince(*other);
            other->ownerArea = this;
            stack.push_back(other);
        }
    }
    CalculateBestPort();
    CalculateValues();
}

void CRZOwnerArea::BuildNeighborList()
{
    neighbors.clear();
    for (auto it = provinces.GetHead(); !it.IsEnd(); it++)
        for (const Adjacent& neighbour : (*it)->neighbours) {
            const CProvince* other = Province(neighbour.number);
            if (other && other->ownerArea && other->ownerArea != this)
                ModifyNeighborCount(*other->ownerArea, 1);
        }
}

void CRZOwnerArea::ModifyNeighborCount(CRZOwnerArea& other, int change)
{
    if (&other == this)
        return;
    auto entry = std::find_if(
        neighbors.begin(), neighbors.end(), [&](const CRZNeighborArea& n) { return n.area == &other; });
    if (entry != neighbors.end()) {
        entry->count += change;
        if (entry->count < 1) {
            neighbors.erase(entry);
            if (gOwnerAreaHooks.NeighborRemoved)
                gOwnerAreaHooks.NeighborRemoved(*this, other);
        }
    } else if (change > 0) {
        neighbors.push_back({ &other, change });
        if (gOwnerAreaHooks.NeighborAdded)
            gOwnerAreaHooks.NeighborAdded(*this, other);
    }
}

int CRZOwnerArea::TakeNeighbor(const CRZOwnerArea& other)
{
    auto entry = std::find_if(
        neighbors.begin(), neighbors.end(), [&](const CRZNeighborArea& n) { return n.area == &other; });
    if (entry == neighbors.end())
        return 0;
    const int count = entry->count;
    neighbors.erase(entry);
    return count;
}

bool CRZOwnerArea::IsAdjacent(const CRZOwnerArea& other) const
{
    return GetNeighborCount(other) > 0;
}

int CRZOwnerArea::GetNeighborCount(const CRZOwnerArea& other) const
{
    for (const CRZNeighborArea& entry : neighbors)
        if (entry.area == &other)
            return entry.count;
    return 0;
}

CRZCountry* CRZOwnerArea::GetOwner() const
{
    return provinces.IsEmpty() ? nullptr : (*provinces.GetHead())->GetController();
}

void CRZOwnerArea::CalculateBestPort()
{
    bestPort = 0;
    for (auto it = provinces.GetHead(); !it.IsEnd(); it++)
        if ((*it)->portSeaZone > 0) {
            bestPort = (*it)->GetNumber();
            return;
        }
    if (!provinces.IsEmpty())
        bestPort = (*provinces.GetHead())->GetNumber();
}

void CRZOwnerArea::CalculateValues()
{
    float sum = 0.0f;
    for (auto it = provinces.GetHead(); !it.IsEnd(); it++)
        sum += (*it)->GetInfrastructure();
    infrastructure = provinces.IsEmpty() ? 0.0f : sum / static_cast<float>(provinces.GetSize());
    // Nothing adds to the port value yet; the opponents read it as 0.
    portValue = 0.0f;
}

void CRZOwnerArea::Cleanup()
{
    for (auto it = provinces.GetHead(); !it.IsEnd(); it++)
        if ((*it)->ownerArea == this)
            (*it)->ownerArea = nullptr;
    provinces.RemoveAll();
    neighbors.clear();
}

void CRZOwnerArea::InitAllOwnerAreas()
{
    for (int realm = 0; realm < static_cast<int>(kCountryTableSlots); ++realm) {
        CRZCountry* country = CRZCountry::GetCountry(realm);
        if (!country)
            continue;
        for (auto it = country->controlledProvinces.GetHead(); !it.IsEnd(); it++) {
            CProvince* province = Province(*it);
            if (!province || province->ownerArea || !province->IsLand() || province->controller != realm)
                continue;
            auto* area = new CRZLandArea;
            area->BuildArea(*province);
            country->AddLandArea(*area);
        }
    }
    for (int n = 1; n <= kLastTableProvince; ++n) {
        CProvince* province = Province(n);
        if (!province || province->ownerArea
            || (province->terrain != TERRAIN_OCEAN && province->terrain != TERRAIN_LAKE))
            continue;
        auto* area = new CRZSeaArea;
        _SeaList.Append(area);
        area->BuildArea(*province);
    }
    for (auto it = _SeaList.GetHead(); !it.IsEnd(); it++)
        (*it)->BuildNeighborList();
    for (auto it = _LakeList.GetHead(); !it.IsEnd(); it++)
        (*it)->BuildNeighborList();
    for (int realm = 1; realm < static_cast<int>(kCountryTableSlots); ++realm)
        if (CRZCountry* country = CRZCountry::GetCountry(realm))
            for (auto it = country->landAreas.GetHead(); !it.IsEnd(); it++)
                (*it)->BuildNeighborList();
}

void CRZOwnerArea::CleanupAllOwnerAreas()
{
    std::set<CRZOwnerArea*> areas;
    for (int n = 0; n < kMapProvinceCount; ++n)
        if (CProvince* p = CProvince::GetProvince(n); p && p->ownerArea)
            areas.insert(p->ownerArea);
    for (int realm = 0; realm < static_cast<int>(kCountryTableSlots); ++realm)
        if (CRZCountry* country = CRZCountry::GetCountry(realm)) {
            for (auto it = country->landAreas.GetHead(); !it.IsEnd(); it++)
                areas.insert(*it);
            country->landAreas.RemoveAll();
        }
    for (auto* list : { &_SeaList, &_LakeList }) {
        for (auto it = list->GetHead(); !it.IsEnd(); it++)
            areas.insert(*it);
        list->RemoveAll();
    }
    for (CRZOwnerArea* area : areas) {
        area->Cleanup();
        delete area;
    }
}

bool CRZLandArea::HasCapital() const
{
    const CRZCountry* owner = GetOwner();
    if (!owner)
        return false;
    const CProvince* capital = Province(owner->GetActingCapital());
    return capital && capital->ownerArea == this;
}

void CRZLandArea::Join(CRZLandArea& other)
{
    if (&other == this)
        return;
    for (CProvince* province : Members(other.provinces)) {
        AddProvince(*province);
        province->ownerArea = this;
    }
    other.provinces.RemoveAll();
    const CRZNeighborAreaList borders = other.neighbors;
    for (const CRZNeighborArea& entry : borders) {
        // Borders between the two become inner ones.
        if (entry.area == this) {
            ModifyNeighborCount(other, -entry.count);
            continue;
        }
        entry.area->ModifyNeighborCount(other, -entry.count);
        entry.area->ModifyNeighborCount(*this, entry.count);
        ModifyNeighborCount(*entry.area, entry.count);
    }
    other.neighbors.clear();
    other.CalculateBestPort();
    other.CalculateValues();
    CalculateBestPort();
    CalculateValues();
}

void CRZLandArea::TrySplit(CProvince& left, CRZCountry& realm)
{
    (void)left;
    const std::vector<CProvince*> members = Members(provinces);
    if (members.empty())
        return;
    std::vector<bool> member(kMapProvinceCount, false);
    for (CProvince* p : members) {
        member[static_cast<std::size_t>(p->GetNumber())] = true;
        p->ownerArea = nullptr;
    }
    // Floods over the members still without area that the realm controls, marking them for `area`.
    auto flood = [&](CProvince& start, CRZOwnerArea* area, bool breadthFirst) {
        std::vector<CProvince*> pending { &start };
        start.ownerArea = area;
        std::size_t next = 0;
        while (breadthFirst ? next < pending.size() : !pending.empty()) {
            CProvince* at = breadthFirst ? pending[next++] : pending.back();
            if (!breadthFirst)
                pending.pop_back();
            for (const Adjacent& neighbour : at->neighbours) {
                CProvince* other = Province(neighbour.number);
                if (!other || other->ownerArea || !member[static_cast<std::size_t>(other->GetNumber())]
                    || other->controller != realm.index)
                    continue;
                other->ownerArea = area;
                pending.push_back(other);
            }
        }
    };
    flood(*members.front(), this, true);
    for (CProvince* p : members) {
        if (p->ownerArea)
            continue;
        auto* piece = new CRZLandArea;
        flood(*p, piece, false);
        for (CProvince* moved : members)
            if (moved->ownerArea == piece) {
                provinces.Remove(moved);
                piece->AddProvince(*moved);
            }
        // The borders of the moved provinces pass from this area to the piece.
        for (auto it = piece->provinces.GetHead(); !it.IsEnd(); it++)
            for (const Adjacent& neighbour : (*it)->neighbours) {
                const CProvince* other = Province(neighbour.number);
                CRZOwnerArea* across = other ? other->ownerArea : nullptr;
                if (!across || across == piece)
                    continue;
                if (across != this) {
                    ModifyNeighborCount(*across, -1);
                    across->ModifyNeighborCount(*this, -1);
                }
                piece->ModifyNeighborCount(*across, 1);
                across->ModifyNeighborCount(*piece, 1);
            }
        piece->CalculateBestPort();
        piece->CalculateValues();
        realm.AddLandArea(*piece);
    }
    CalculateBestPort();
    CalculateValues();
}

void CRZLandArea::NotifyOwnerChanged(
    CProvince& province, CRZCountry* oldController, CRZCountry* newController)
{
    if (oldController == newController)
        return;
    // A sea area is no one's to leave or join.
    if (province.ownerArea && !province.ownerArea->GetLandArea())
        return;
    if (CRZLandArea* area = province.ownerArea ? province.ownerArea->GetLandArea() : nullptr) {
        CountBorders(*area, province, -1);
        area->RemoveProvince(province);
        province.ownerArea = nullptr;
        if (area->provinces.IsEmpty()) {
            if (oldController)
                oldController->RemoveLandArea(*area);
            Vanish(area);
        } else {
            if (area->provinces.GetSize() > 1) {
                CRZCountry* realm = oldController ? oldController : area->GetOwner();
                if (realm)
                    area->TrySplit(province, *realm);
            }
            area->CalculateBestPort();
            area->CalculateValues();
        }
    }
    if (!newController || !province.IsLand())
        return;
    CRZLandArea* target = nullptr;
    for (const Adjacent& neighbour : province.neighbours) {
        const CProvince* other = Province(neighbour.number);
        if (!other || other->controller != newController->index || !other->ownerArea)
            continue;
        CRZLandArea* found = other->ownerArea->GetLandArea();
        if (!found || found == target)
            continue;
        if (!target) {
            target = found;
            continue;
        }
        CRZLandArea* larger = target;
        CRZLandArea* smaller = found;
        if (smaller->provinces.GetSize() > larger->provinces.GetSize())
            std::swap(larger, smaller);
        larger->Join(*smaller);
        newController->RemoveLandArea(*smaller);
        Vanish(smaller);
        target = larger;
    }
    const bool created = target == nullptr;
    if (created)
        target = new CRZLandArea;
    target->AddProvince(province);
    province.ownerArea = target;
    target->CalculateBestPort();
    target->CalculateValues();
    CountBorders(*target, province, 1);
    if (created)
        newController->AddLandArea(*target);
    target->CalculateBestPort();
    target->CalculateValues();
}
