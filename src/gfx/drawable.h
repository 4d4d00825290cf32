// CDrawable: the base of everything drawn, from a single icon to the whole interface; containers draw
// their drawables and offer them events, and act on what Update answers.
#pragma once

#include <cstdint>

#include "foundation/rz_obj.h"
#include "gfx/video.h"

// The pass a drawable is drawn in; one drawable may be listed for several passes. Values from 0 to 5 are
// the display list's passes; 6 draws a map sprite into the map's own surface.
enum CRZDrawType : std::int32_t {
    DRAW_TYPE_0 = 0,
    DRAW_TYPE_1 = 1,
    DRAW_TYPE_2 = 2,
    DRAW_TYPE_3 = 3,
    DRAW_TYPE_4 = 4,
    DRAW_TYPE_5 = 5,
    DRAW_TYPE_MAP_SURFACE = 6,
};

// What Update (and input handling) answers to the container that holds the drawable.
enum : int {
    UPDATE_NOT_TAKEN = 0, // offer the event to the next
    UPDATE_REMOVE = 1, // remove and destroy me
    UPDATE_TO_FRONT = 2, // bring me to the front
    UPDATE_TAKEN = 3,
};

class CDrawable : public CRZObj, public CVideo {
public:
    CDrawable()
        : CRZObj("d")
    {
    }
    // The bitmap name is not the object's name: such drawables are named "".
    explicit CDrawable(const char*)
        : CRZObj("")
    {
    }

    int Update(CRZEvent*) override { return UPDATE_NOT_TAKEN; }
    // The answer is ignored by every container.
    virtual int Draw(CRZDrawType) { return 0; }
    virtual void MoveTo(int, int) { }
    virtual int GetWidth() { return 0; }
};
