// CRZPort, the port of a coastal province: the sea zone it opens on and the fleets lying in it. The map's
// unit sprites draw it; here it is what the province and the owner areas ask of it.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"

class CRZUnit;

class CRZPort {
public:
    explicit CRZPort(int32_t zone = 0)
        : seaZone(zone)
    {
    }

    int32_t GetSeaZone() const { return seaZone; }
    void SetSeaZone(int32_t zone) { seaZone = zone; }
    bool HasShips() const { return !ships.IsEmpty(); }
    // A fleet is listed once; the port never owns it.
    void AddShip(CRZUnit* fleet)
    {
        if (fleet != nullptr && !ships.Contains(fleet))
            ships.Append(fleet);
    }
    void RemoveShip(CRZUnit* fleet) { ships.Remove(fleet); }
    const CList<CRZUnit*>& GetShips() const { return ships; }
    // A highlight lasts one drawn frame.
    void Highlight() { highlight = true; }

    bool draw = true;
    bool highlight = false;

private:
    CList<CRZUnit*> ships;
    int32_t seaZone = 0;
};
