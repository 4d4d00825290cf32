// CRZOwnerArea: a connected group of provinces held by one controller (a land area) or of sea zones of one
// region (a sea area). Realms keep their land areas; the computer opponents plan by them and are told when
// areas vanish or start or stop bordering each other.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/linked_list.h"

class CProvince;
class CRZCountry;
class CRZOwnerArea;
class CRZLandArea;
class CRZSeaArea;

// What the areas tell the computer opponents; each may stay unset (then nobody listens).
struct CRZOwnerAreaHooks {
    void (*AreaRemoved)(CRZOwnerArea& area) = nullptr;
    void (*NeighborAdded)(CRZOwnerArea& area, CRZOwnerArea& neighbour) = nullptr;
    void (*NeighborRemoved)(CRZOwnerArea& area, CRZOwnerArea& neighbour) = nullptr;
};
extern CRZOwnerAreaHooks gOwnerAreaHooks;

// A bordering area and the number of province borders between the two.
struct CRZNeighborArea {
    CRZOwnerArea* area = nullptr;
    int32_t count = 0;
};
using CRZNeighborAreaList = std::vector<CRZNeighborArea>;

class CRZOwnerArea {
public:
    enum Type : int32_t { LAND = 0, LAKE = 1, SEA = 2 };

    explicit CRZOwnerArea(Type inType)
        : type(inType)
    {
    }
    virtual ~CRZOwnerArea();
    CRZOwnerArea(const CRZOwnerArea&) = delete;
    CRZOwnerArea& operator=(const CRZOwnerArea&) = delete;

    virtual CRZLandArea* GetLandArea() { return nullptr; }
    virtual CRZSeaArea* GetSeaArea() { return nullptr; }
    virtual CRZOwnerArea* GetLakeArea() { return nullptr; }
    // Appends the province unless it is there already.
    virtual void AddProvince(CProvince& province);
    // Removes it and chooses the best port again.
    virtual void RemoveProvince(CProvince& province);

    // Builds every area at game start: each realm's land areas over the provinces it controls, in the
    // order of its controlled-provinces list, then sea areas over the remaining ocean and lake zones,
    // then every area's borders.
    static void InitAllOwnerAreas();
    // Deletes every area at game end; provinces and realms forget theirs.
    static void CleanupAllOwnerAreas();

    // Floods out from the province over connected provinces that qualify for this area's type and have no
    // area yet. Iterative: a continent of any size cannot exhaust the stack.
    void BuildArea(CProvince& start);
    // Counts the province borders to every other area anew.
    void BuildNeighborList();
    // Changes the border count with another area; an entry appears above 0 and goes below 1, and the
    // computer opponents hear of both.
    void ModifyNeighborCount(CRZOwnerArea& other, int change);
    bool IsAdjacent(const CRZOwnerArea& other) const;
    // Province borders with the other area, 0 when they do not border.
    int GetNeighborCount(const CRZOwnerArea& other) const;
    // The controller of the first province; null for an empty area.
    CRZCountry* GetOwner() const;
    void CalculateBestPort();
    void CalculateValues();
    // Its provinces lose their area and its lists are emptied.
    void Cleanup();

    Type GetType() const { return type; }
    const CList<CProvince*>& GetProvinces() const { return provinces; }
    const CRZNeighborAreaList& GetNeighbors() const { return neighbors; }
    float GetInfrastructure() const { return infrastructure; }
    float GetPortValue() const { return portValue; }
    int32_t GetBestPort() const { return bestPort; }

    // The sea and lake areas, owned by these lists.
    static CList<CRZOwnerArea*> _SeaList;
    static CList<CRZOwnerArea*> _LakeList;

protected:
    // Whether a neighbour of `from` joins the same area in a flood.
    bool Qualifies(const CProvince& from, const CProvince& other) const;
    // Drops the entry for the other area without telling anyone; its count is returned.
    int TakeNeighbor(const CRZOwnerArea& other);

    Type type;
    CList<CProvince*> provinces;
    CRZNeighborAreaList neighbors;
    float infrastructure = 0.0f;
    float portValue = 0.0f;
    int32_t bestPort = 0;
};

class CRZLandArea : public CRZOwnerArea {
public:
    CRZLandArea()
        : CRZOwnerArea(LAND)
    {
    }
    CRZLandArea* GetLandArea() override { return this; }

    // The area has an owner and holds the owner's acting capital.
    bool HasCapital() const;
    // Takes the other area's provinces and borders; the other is left empty.
    void Join(CRZLandArea& other);
    // After the province has left, the provinces the realm can no longer reach from the first one form
    // new areas of their own, taking their borders with them.
    void TrySplit(CProvince& left, CRZCountry& realm);
    // Keeps the areas in step after the province passed from the old controller to the new one (either
    // may be null); the province's controller is already the new one.
    static void NotifyOwnerChanged(CProvince& province, CRZCountry* oldController, CRZCountry* newController);
};

class CRZSeaArea : public CRZOwnerArea {
public:
    CRZSeaArea()
        : CRZOwnerArea(SEA)
    {
    }
    CRZSeaArea* GetSeaArea() override { return this; }
};
