// The OK and Cancel buttons: their labels come from the text database in the button font.
#include "widgets/standard_buttons.h"

#include "gfx/font.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

CRZOKButton::CRZOKButton()
    : CRZGenericButton(TextStrings.GetString("OK"), FindFont(kButtonFontFile), 0)
{
    mHotKey = kEnterKey;
}

CRZCancelButton::CRZCancelButton()
    : CRZGenericButton(TextStrings.GetString("CANCEL"), FindFont(kButtonFontFile), 0)
{
    mHotKey = kEscapeKey;
}
