// CSpriteList and CWindowList: drawables in drawing order, drawn from the head (at the back) to the tail
// (at the front), offered events from the front; both own their drawables.
#pragma once

#include "foundation/linked_list.h"
#include "gfx/drawable.h"

class CSpriteList : public CList<CDrawable*>, public CDrawable {
public:
    CSpriteList() = default;
    ~CSpriteList() override;

    // OfferFromTail: one event changes at most one drawable (destroyed on 1, brought to the front on 2).
    int Update(CRZEvent* event) override;
    // Head to tail; 0.
    int Draw(CRZDrawType type) override;
    // Tail to head; 0.
    virtual int DrawFrontToBack(CRZDrawType type);
    // Removes the drawable and destroys it.
    void Delete(CDrawable* drawable);
};

// The list of windows, which draw front to back over the span buffer of the window code.
class CWindowList : public CSpriteList {
public:
    int DrawFrontToBack(CRZDrawType type) override { return CSpriteList::DrawFrontToBack(type); }
};
