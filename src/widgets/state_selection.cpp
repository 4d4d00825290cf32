// The back list's header buttons.
#include "widgets/state_selection.h"

#include "gfx/font.h"

#include "foundation/safeguards.h"

CStateSelection::CStateSelection(const char* header, CRZPlayerState state, CRZID id)
    : CRZBtn(kStateSelectionBitmap, header, gpFontDB ? gpFontDB->GetFont(kStateSelectionFont) : nullptr, 0, 0)
    , mState(state)
    , mObject(id)
{
}
