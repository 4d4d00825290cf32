// CRZOKButton and CRZCancelButton: the text buttons that close the game's dialogs and message boxes, with
// Enter and Escape as their keys.
#pragma once

#include "widgets/generic_button.h"

// The game key codes of Enter and Escape in input events.
inline constexpr int kEnterKey = 13;
inline constexpr int kEscapeKey = 14;

// The text of "OK" in the button font, pressed by Enter.
class CRZOKButton : public CRZGenericButton {
public:
    CRZOKButton();
};

// The text of "CANCEL" in the button font, pressed by Escape.
class CRZCancelButton : public CRZGenericButton {
public:
    CRZCancelButton();
};
