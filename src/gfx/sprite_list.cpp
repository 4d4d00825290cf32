// Lists of drawables: drawing in order and handing events to the drawable in front first.
#include "gfx/sprite_list.h"

#include "foundation/safeguards.h"

CSpriteList::~CSpriteList()
{
    DeleteAll(*this);
}

int CSpriteList::Update(CRZEvent* event)
{
    return OfferFromTail(*this, event);
}

int CSpriteList::Draw(CRZDrawType type)
{
    for (Iterator it = GetHead(); !it.IsEnd(); it++) {
        if (!it.GetNode()->deleted && *it)
            (*it)->Draw(type);
    }
    return 0;
}

int CSpriteList::DrawFrontToBack(CRZDrawType type)
{
    for (Iterator it = GetTail(); !it.IsEnd(); it--) {
        if (!it.GetNode()->deleted && *it)
            (*it)->Draw(type);
    }
    return 0;
}

void CSpriteList::Delete(CDrawable* drawable)
{
    Remove(drawable);
    delete drawable;
}
