// CCoatOfArms: a realm's arms as a 128 by 128 button, composed from the realm's icon, the frame of its
// tier or people and the mask that cuts the shield's outline; the shared icons, frames and masks.
#pragma once

#include "characters/culture.h"
#include "events/record_types.h"
#include "foundation/identity.h"
#include "widgets/button.h"

class CCharacter;
class CSprite;

// The frames and masks by kind; the Turkic and Muslim ones replace the tier's for their peoples.
enum ArmsFrame : int {
    ARMS_COUNTY = 0,
    ARMS_DUCHY = 1,
    ARMS_KINGDOM = 2,
    ARMS_MUSLIM = 3,
    ARMS_TURKISH = 4,
};
inline constexpr int kArmsFrames = 5;
inline constexpr int kArmsSize = 128;
// The click a coat of arms plays.
inline constexpr int kArmsSound = 26;

class CCoatOfArms : public CStatelessButton {
public:
    // Loads the masks, the frames, the quarter frame, the flag underlay and overlay and one icon per realm
    // number. A picture that cannot be read stands as the fallback picture. Always true.
    static bool InitDB();
    static void ShutdownDB();

    CCoatOfArms(CRZCountryID realm, RZCultureType culture, RZReligionType religion);
    // The arms of the character's realm for his culture and religion.
    explicit CCoatOfArms(CCharacter* character);
    ~CCoatOfArms() override = default;

    // Composes the arms into the button's own image: icon, frame, mask. A number outside the country table
    // draws the icon of no country.
    void Generate(CRZCountryID realm, RZCultureType culture, RZReligionType religion);
    void Generate(CCharacter* character);

    // The frame and mask the realm takes for the culture and religion.
    static ArmsFrame ChooseFrame(CRZCountryID realm, int culture, int religion);

    static CSprite* _pMasks[kArmsFrames];
    static CSprite* _pFrames[kArmsFrames];
    static CSprite* _pQuarterFrame;
    static CSprite* _pFlagUnderlay;
    static CSprite* _pFlagOverlay;
    // By realm number; null until InitDB.
    static CSprite* _pIcons[kCountryTableSlots];
};
