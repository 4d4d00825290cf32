// The display list: depth-ordered drawing passes and the animation tick.
#include "gfx/display_list.h"

#include "foundation/safeguards.h"

CDisplayList* gpDisplayList = nullptr;

void CDisplayList::Add(CDrawable* drawable, int depth, CRZDrawType type)
{
    Iterator it = GetHead();
    while (!it.IsEnd() && (it.GetNode()->deleted || (*it).depth < depth))
        it++;
    InsertBefore(CDrawEntry { drawable, type, depth }, it);
}

int CDisplayList::Draw()
{
    // A drawable may take itself or others off the list while drawing: marked entries are skipped.
    const bool lockedHere = !IsLocked();
    Lock();
    for (Iterator it = GetHead(); !it.IsEnd(); it++) {
        const CDrawEntry entry = *it;
        if (!it.GetNode()->deleted && entry.pDrawable)
            entry.pDrawable->Draw(entry.type);
    }
    if (lockedHere)
        Unlock();
    return 0;
}

int CDisplayList::Update(CRZEvent* event)
{
    const bool lockedHere = !IsLocked();
    Lock();
    int result = 0;
    for (Iterator it = GetTail(); !it.IsEnd(); it--) {
        const CDrawEntry entry = *it;
        if (it.GetNode()->deleted || entry.type != DRAW_TYPE_0 || !entry.pDrawable)
            continue;
        if (entry.pDrawable->Update(event) == UPDATE_REMOVE) {
            // No entry may outlive the drawable.
            RemoveThis(entry.pDrawable);
            delete entry.pDrawable;
            result = UPDATE_TAKEN;
            break;
        }
    }
    if (lockedHere)
        Unlock();
    return result;
}

void CDisplayList::RemoveThis(CDrawable* drawable)
{
    for (Iterator it = GetHead(); !it.IsEnd();) {
        Iterator at = it++;
        if (!at.GetNode()->deleted && (*at).pDrawable == drawable)
            Remove(at);
    }
}

int CDisplayList::RemoveThis(CDrawable* drawable, CRZDrawType type)
{
    for (Iterator it = GetHead(); !it.IsEnd(); it++) {
        const CDrawEntry entry = *it;
        if (!it.GetNode()->deleted && entry.pDrawable == drawable && entry.type == type) {
            Remove(it);
            return 1;
        }
    }
    return 0;
}

void CDisplayList::Delete(CDrawable* drawable, CRZDrawType type)
{
    RemoveThis(drawable, type);
    RemoveThis(drawable);
    delete drawable;
}
