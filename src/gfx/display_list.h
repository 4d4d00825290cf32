// CDisplayList (gpDisplayList): what a running game draws each frame, in which order and in which pass;
// the frame draws it once, and the animation tick goes through it to every animating drawable.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"
#include "gfx/drawable.h"

struct CDrawEntry {
    CDrawable* pDrawable; // not owned
    CRZDrawType type;
    std::int32_t depth;

    bool operator==(const CDrawEntry&) const = default;
};

// Kept sorted by ascending depth; the entries are the list's, the drawables are not.
class CDisplayList : public CList<CDrawEntry> {
public:
    // Before the first entry of the same or a greater depth: of equal depths the newest is drawn first.
    void Add(CDrawable* drawable, int depth, CRZDrawType type);
    // Every entry from the lowest depth up, in its pass; 0.
    int Draw();
    // Offers the event to the pass-0 entries from the highest depth down; the first drawable answering 1
    // loses all its entries and is destroyed, and the answer is 3. Other answers go on; 0 at the end.
    int Update(CRZEvent* event);
    // Every entry of the drawable goes; the drawable stays.
    void RemoveThis(CDrawable* drawable);
    // The first entry of the drawable in that pass; 1, or 0 when there is none.
    int RemoveThis(CDrawable* drawable, CRZDrawType type);
    // As RemoveThis in the pass, then every other entry of the drawable, and the drawable is destroyed.
    void Delete(CDrawable* drawable, CRZDrawType type);
};

extern CDisplayList* gpDisplayList;
