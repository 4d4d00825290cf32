// CNewRadioButton: a group of menu buttons of which exactly one, the selected value, stays pressed; the
// group draws them into its destination image at their places relative to its origin.
#pragma once

#include <cstdint>

#include "gfx/sprite_list.h"
#include "widgets/button.h"

class CNewRadioButton {
public:
    CNewRadioButton();
    virtual ~CNewRadioButton() = default;
    CNewRadioButton(const CNewRadioButton&) = delete;
    CNewRadioButton& operator=(const CNewRadioButton&) = delete;

    // The list's answer; afterwards a newly pressed button is the selection and the selected one cannot
    // be released by clicking it.
    virtual int Update(CRZEvent* event);
    // Draws at the relative places into the destination, then moves the buttons to their screen places.
    virtual int Draw(CRZDrawType type);

    // A lit or plain menu button of the bitmap with the value as its id, owned by the group.
    CRZMenuBtn* AddEntry(const char* bitmap, int value, bool lighted);
    void SetSelected(int value);
    int GetSelected() const { return mSelected; }
    void SetDestinationImage(CImage* image);
    int GetSize() const { return mButtons.GetSize(); }
    void SetOrigin(int x, int y)
    {
        mX = x;
        mY = y;
    }

private:
    // Up() on every button whose id is not the value.
    void SetUpOthers(int value);

    CSpriteList mButtons;
    std::int32_t mX = 0;
    std::int32_t mY = 0;
    std::int32_t mSelected = 0;
    CImage* mDest;
};
