// Coats of arms: the shared pictures, the choice of frame by tier, people and faith, and the composing of
// the arms into the button's image.
#include "characters/coat_of_arms.h"

#include <cstdio>

#include "characters/character.h"
#include "gfx/image.h"
#include "gfx/palette.h"
#include "gfx/sprite.h"
#include "realms/country.h"
#include "realms/country_db.h"

#include "foundation/safeguards.h"

CSprite* CCoatOfArms::_pMasks[kArmsFrames] = {};
CSprite* CCoatOfArms::_pFrames[kArmsFrames] = {};
CSprite* CCoatOfArms::_pQuarterFrame = nullptr;
CSprite* CCoatOfArms::_pFlagUnderlay = nullptr;
CSprite* CCoatOfArms::_pFlagOverlay = nullptr;
CSprite* CCoatOfArms::_pIcons[kCountryTableSlots] = {};

namespace {

const char* const kArmsPalette = "coa.bmp";
const char* const kMaskPalette = "mask.bmp";
const char* const kFrameNames[kArmsFrames] = { "county", "duchy", "kingdom", "muslim", "turkish" };

CSprite* Load(const char* file, const char* palette)
{
    auto* sprite = new CSprite(file);
    sprite->SetLocalPalette(CPalette::FindPalette(palette));
    return sprite;
}

void Free(CSprite*& sprite)
{
    delete sprite;
    sprite = nullptr;
}

void DrawInto(CSprite* sprite, CImage* image)
{
    if (sprite == nullptr)
        return;
    sprite->SetFrame(0);
    sprite->SetScale(0);
    sprite->MoveTo(0, 0);
    sprite->SetClippingArea(0, 0, kArmsSize, kArmsSize);
    sprite->SetDestinationImage(image);
    sprite->Draw(CRZDrawType {});
}

} // namespace

bool CCoatOfArms::InitDB()
{
    ShutdownDB();
    for (int kind = 0; kind < kArmsFrames; ++kind) {
        char file[64];
        std::snprintf(file, sizeof file, "gfx\\coa\\%s_mask.bmp", kFrameNames[kind]);
        _pMasks[kind] = Load(file, kMaskPalette);
        std::snprintf(file, sizeof file, "gfx\\coa\\%s.bmp", kFrameNames[kind]);
        _pFrames[kind] = Load(file, kArmsPalette);
    }
    _pQuarterFrame = Load("gfx\\coa\\quarter.bmp", kArmsPalette);
    _pFlagUnderlay = Load("gfx\\interface\\control_underlay.bmp", kArmsPalette);
    _pFlagOverlay = Load("gfx\\interface\\control_overlay.bmp", kArmsPalette);
    for (int realm = 0; realm < static_cast<int>(kCountryTableSlots); ++realm) {
        char file[300];
        std::snprintf(file, sizeof file, "gfx\\coa\\%s.bmp", CCountryDB::IDToTag(realm));
        _pIcons[realm] = Load(file, kArmsPalette);
    }
    return true;
}

void CCoatOfArms::ShutdownDB()
{
    for (int kind = 0; kind < kArmsFrames; ++kind) {
        Free(_pMasks[kind]);
        Free(_pFrames[kind]);
    }
    Free(_pQuarterFrame);
    Free(_pFlagUnderlay);
    Free(_pFlagOverlay);
    for (CSprite*& icon : _pIcons)
        Free(icon);
}

CCoatOfArms::CCoatOfArms(CRZCountryID realm, RZCultureType culture, RZReligionType religion)
    : CStatelessButton(kArmsSize, kArmsSize, 16)
{
    SetSound(kArmsSound);
    Generate(realm, culture, religion);
}

CCoatOfArms::CCoatOfArms(CCharacter* character)
    : CStatelessButton(kArmsSize, kArmsSize, 16)
{
    SetSound(kArmsSound);
    Generate(character);
}

ArmsFrame CCoatOfArms::ChooseFrame(CRZCountryID realm, int culture, int religion)
{
    // Past the Christian faiths, the steppe peoples and the Muslims keep shields of their own.
    if (religion > RELIGION_ORTHODOX) {
        switch (culture) {
        case 29: // abghazian
        case 30: // alan
        case 31: // cuman
        case 32: // pecheneg
        case 33: // turkish
        case 36: // mongol
            return ARMS_TURKISH;
        case 34: // muslim
        case 35: // persian
            return ARMS_MUSLIM;
        default:
            break;
        }
    }
    if (CRZCountry::IsKingdom(realm))
        return ARMS_KINGDOM;
    if (CRZCountry::IsDuchy(realm))
        return ARMS_DUCHY;
    return ARMS_COUNTY;
}

void CCoatOfArms::Generate(CRZCountryID realm, RZCultureType culture, RZReligionType religion)
{
    CImage* image = GetImage();
    if (image == nullptr)
        return;
    SetLocalPalette(CPalette::FindPalette(kArmsPalette));
    image->Clear();
    // The mask paints the outside of the shield in the transparent colour, which drawing leaves out.
    image->SetHasTransparency(true);
    const bool inTable = realm >= 0 && realm < static_cast<CRZCountryID>(kCountryTableSlots);
    const ArmsFrame kind = ChooseFrame(realm, culture, religion);
    DrawInto(_pIcons[inTable ? realm : 0], image);
    DrawInto(_pFrames[kind], image);
    DrawInto(_pMasks[kind], image);
}

void CCoatOfArms::Generate(CCharacter* character)
{
    if (character == nullptr) {
        Generate(0, CULTURE_NONE, RELIGION_CATHOLIC);
        return;
    }
    Generate(character->realmId, static_cast<RZCultureType>(character->culture),
        static_cast<RZReligionType>(character->religion));
}
