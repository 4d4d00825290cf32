// Portraits: the shared layer strips, the composing of a face from a DNA into the button's own image, and
// the overlays that follow the button wherever it is drawn.
#include "characters/portrait.h"

#include <cstdio>
#include <cstring>

#include "characters/character.h"
#include "characters/papacy.h"
#include "characters/title.h"
#include "gfx/image.h"
#include "gfx/palette.h"
#include "realms/country.h"

#include "foundation/safeguards.h"

CSprite* CPortrait::_pHeads[kPortraitSets] = {};
CSprite* CPortrait::_pEyes[kPortraitSets] = {};
CSprite* CPortrait::_pNoses[kPortraitSets] = {};
CSprite* CPortrait::_pMouths[kPortraitSets] = {};
CSprite* CPortrait::_pHairs[kPortraitSets] = {};
CSprite* CPortrait::_pEars[kPortraitSets] = {};
CSprite* CPortrait::_pMisc[kPortraitSets] = {};
CSprite* CPortrait::_pGenericBoy = nullptr;
CSprite* CPortrait::_pGenericGirl = nullptr;
CSprite* CPortrait::_pGenericMale = nullptr;
CSprite* CPortrait::_pGenericFemale = nullptr;

namespace {

const char* const kPortraitPalette = "portraits.bmp";
const char* const kSetPrefixes[kPortraitSets] = { "testface_", "testface_fem_", "dark_", "dark_fem_" };
const char* const kLayerWords[kPortraitLayers]
    = { "heads", "eyes", "noses", "mouths", "hairs", "ears", "misc" };
const char* const kOverlayFiles[kPortraitOverlays] = {
    "gfx\\portraits\\overlays\\battle_withdrawn.bmp",
    "gfx\\portraits\\overlays\\battle_routed.bmp",
    "gfx\\portraits\\frame_notitle.bmp",
    "gfx\\portraits\\frame_count.bmp",
    "gfx\\portraits\\frame_duke.bmp",
    "gfx\\portraits\\frame_king.bmp",
    "gfx\\portraits\\papal_controller.bmp",
    "gfx\\portraits\\overlays\\pregnant.bmp",
    "gfx\\portraits\\overlays\\position_marshall.bmp",
    "gfx\\portraits\\overlays\\position_chancellor.bmp",
    "gfx\\portraits\\overlays\\position_bishop.bmp",
    "gfx\\portraits\\overlays\\position_steward.bmp",
    "gfx\\portraits\\overlays\\position_spymaster.bmp",
    "gfx\\portraits\\overlays\\dynasty.bmp",
};
// The dead are drawn at half brightness.
constexpr int kDeadLight = 1;

// Frames per strip, counted when the strips are loaded.
int gLayerFrames[kPortraitLayers][kPortraitSets] = {};

CSprite** Strips(int layer)
{
    switch (layer) {
    case LAYER_HEADS:
        return CPortrait::_pHeads;
    case LAYER_EYES:
        return CPortrait::_pEyes;
    case LAYER_NOSES:
        return CPortrait::_pNoses;
    case LAYER_MOUTHS:
        return CPortrait::_pMouths;
    case LAYER_HAIRS:
        return CPortrait::_pHairs;
    case LAYER_EARS:
        return CPortrait::_pEars;
    default:
        return CPortrait::_pMisc;
    }
}

// A picture that could not be read stands as the fallback picture under the fallback's name.
bool IsMissing(const CSprite& sprite)
{
    return sprite.GetImage() == nullptr || std::strcmp(sprite.GetImage()->GetName(), kDummyImageName) == 0;
}

CSprite* LoadPortraitBitmap(const char* file)
{
    auto* sprite = new CSprite(file);
    sprite->SetLocalPalette(CPalette::FindPalette(kPortraitPalette));
    return sprite;
}

// Draws the frame of a shared sprite at the top-left corner of the image.
void DrawInto(CSprite& sprite, int frame, CImage* image, int light)
{
    sprite.SetFrame(frame);
    sprite.SetScale(0);
    sprite.SetLight(light);
    sprite.MoveTo(0, 0);
    sprite.SetClippingArea(0, 0, kPortraitSize, kPortraitSize);
    sprite.SetDestinationImage(image);
    sprite.Draw(CRZDrawType {});
    sprite.SetLight(0);
}

// The ruler of the local player's realm; null without a local player.
CCharacter* LocalRuler()
{
    for (int index = 0; index < static_cast<int>(kCountryTableSlots); ++index)
        if (gCountryControl[index] == CONTROL_LOCAL_PLAYER)
            if (const CRZCountry* realm = CRZCountry::GetCountry(index))
                return realm->ruler;
    return nullptr;
}

} // namespace

bool CPortrait::InitDB()
{
    ShutdownDB();
    _pGenericBoy = LoadPortraitBitmap("gfx\\portraits\\generic_boy.bmp");
    _pGenericGirl = LoadPortraitBitmap("gfx\\portraits\\generic_girl.bmp");
    _pGenericMale = LoadPortraitBitmap("gfx\\portraits\\generic_man.bmp");
    _pGenericFemale = LoadPortraitBitmap("gfx\\portraits\\generic_woman.bmp");
    for (int layer = 0; layer < kPortraitLayers; ++layer)
        for (int set = 0; set < kPortraitSets; ++set) {
            char file[96];
            std::snprintf(
                file, sizeof file, "gfx\\portraits\\%s%s.bmp", kSetPrefixes[set], kLayerWords[layer]);
            CSprite* strip = LoadPortraitBitmap(file);
            Strips(layer)[set] = strip;
            const int frames = IsMissing(*strip) ? 0 : strip->GetImage()->GetWidth() / kPortraitSize;
            if (frames == 0)
                std::fprintf(stderr, "%s: no frame of %d pixels; the layer is left out of the faces\n", file,
                    kPortraitSize);
            else
                strip->SetTotalFrames(frames);
            gLayerFrames[layer][set] = frames;
        }
    return true;
}

void CPortrait::ShutdownDB()
{
    for (int layer = 0; layer < kPortraitLayers; ++layer)
        for (int set = 0; set < kPortraitSets; ++set) {
            delete Strips(layer)[set];
            Strips(layer)[set] = nullptr;
            gLayerFrames[layer][set] = 0;
        }
    for (CSprite** face : { &_pGenericBoy, &_pGenericGirl, &_pGenericMale, &_pGenericFemale }) {
        delete *face;
        *face = nullptr;
    }
}

int CPortrait::GetLayerFrames(int layer, int set)
{
    if (layer < 0 || layer >= kPortraitLayers || set < 0 || set >= kPortraitSets)
        return 0;
    return gLayerFrames[layer][set];
}

CPortrait::CPortrait(CCharacter* character)
    : CRZLightedButton(kPortraitSize, kPortraitSize, 16)
{
    InitOverlays();
    if (character == nullptr) {
        DrawGeneric(_pGenericMale, 0);
        return;
    }
    mCharacter = character->GetID();
    if (character->IsAnonymous())
        DrawGeneric(character->IsFemale() ? _pGenericFemale : _pGenericMale, 0);
    else if (!character->IsAdult())
        DrawGeneric(character->IsFemale() ? _pGenericGirl : _pGenericBoy, 0);
    else
        DrawDNA(character->dna, character->gender, static_cast<RZCultureType>(character->culture));
    SetCharacterOverlays(*character);
}

CPortrait::CPortrait(const char* dna, int gender, RZCultureType culture)
    : CRZLightedButton(kPortraitSize, kPortraitSize, 16)
{
    InitOverlays();
    DrawDNA(dna, gender, culture);
}

CPortrait::~CPortrait() = default;

void CPortrait::DrawDNA(const char* dna, int gender, RZCultureType culture)
{
    CompleteDNA(dna, mDNA);
    mGender = gender;
    mCulture = culture;
    mGeneric = nullptr;
    Compose(mDNA, gender, culture, 0);
}

CImage* CPortrait::ClearFace()
{
    CImage* image = GetImage();
    if (image == nullptr)
        return nullptr;
    SetLocalPalette(CPalette::FindPalette(kPortraitPalette));
    image->Clear();
    // What no layer covers stays the transparent colour and is left out when the face is drawn.
    image->SetHasTransparency(true);
    return image;
}

void CPortrait::Compose(const char* dna, int gender, int culture, int light)
{
    CImage* image = ClearFace();
    if (image == nullptr)
        return;
    char complete[15];
    CompleteDNA(dna, complete);
    const int set = ChooseSet(gender, culture);
    for (int layer = 0; layer < kPortraitLayers; ++layer) {
        const int frame = SelectFrame(GetPair(complete, layer), GetLayerFrames(layer, set));
        CSprite* strip = Strips(layer)[set];
        if (frame < 0 || strip == nullptr)
            continue;
        DrawInto(*strip, frame, image, light);
    }
}

void CPortrait::DrawGeneric(CSprite* face, int light)
{
    mGeneric = face;
    CImage* image = ClearFace();
    if (image != nullptr && face != nullptr && !IsMissing(*face))
        DrawInto(*face, 0, image, light);
}

void CPortrait::InitOverlays()
{
    for (int overlay = 0; overlay < kPortraitOverlays; ++overlay) {
        mOverlays[overlay].reset(LoadPortraitBitmap(kOverlayFiles[overlay]));
        mOverlays[overlay]->SetDestinationImage(GetDestinationImage());
        mOverlays[overlay]->SetClippingArea(&GetClippingArea());
        mOverlays[overlay]->MoveTo(GetPosition().x, GetPosition().y);
        mOverlays[overlay]->SetScale(GetScale());
        mOn[overlay] = false;
    }
}

void CPortrait::SetOverlay(int overlay, bool on)
{
    if (overlay >= 0 && overlay < kPortraitOverlays)
        mOn[overlay] = on;
}

bool CPortrait::IsOverlayOn(int overlay) const
{
    return overlay >= 0 && overlay < kPortraitOverlays && mOn[overlay];
}

void CPortrait::SetCharacterOverlays(const CCharacter& character)
{
    for (bool& on : mOn)
        on = false;
    const CTitle* title = character.GetPrimaryTitle();
    const CTier* tier = title != nullptr ? title->GetTier() : nullptr;
    if (tier == nullptr)
        SetOverlay(OVERLAY_FRAME_NO_TITLE, true);
    else if (tier->IsKingdom())
        SetOverlay(OVERLAY_FRAME_KINGDOM, true);
    else if (tier->IsDuchy())
        SetOverlay(OVERLAY_FRAME_DUCHY, true);
    else
        SetOverlay(OVERLAY_FRAME_COUNTY, true);
    if (const CPapacy* papacy = CPapacy::GetInstance();
        papacy != nullptr && papacy->GetPapalController() == &character)
        SetOverlay(OVERLAY_PAPAL_CONTROLLER, true);
    if (character.IsPregnant())
        SetOverlay(OVERLAY_PREGNANT, true);
    if (const CCharacter* ruler = LocalRuler();
        ruler != nullptr && character.dynasty != NOID && ruler->dynasty == character.dynasty)
        SetOverlay(OVERLAY_DYNASTY, true);
    // The offices by court position, chancellor to chaplain.
    static const int kOfficeOverlays[]
        = { OVERLAY_CHANCELLOR, OVERLAY_STEWARD, OVERLAY_MARSHAL, OVERLAY_SPYMASTER, OVERLAY_CHAPLAIN };
    if (character.courtPosition >= COURT_CHANCELLOR && character.courtPosition <= COURT_CHAPLAIN)
        SetOverlay(kOfficeOverlays[character.courtPosition - COURT_CHANCELLOR], true);
}

CCharacter* CPortrait::GetCharacter() const
{
    if (mCharacter == NOID)
        return nullptr;
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(mCharacter));
}

int CPortrait::Draw(CRZDrawType type)
{
    if (mCharacter != NOID && !mDeadLook) {
        const CCharacter* character = GetCharacter();
        if (character == nullptr || !character->IsAlive()) {
            mDeadLook = true;
            if (mGeneric != nullptr)
                DrawGeneric(mGeneric, kDeadLight);
            else
                Compose(mDNA, mGender, mCulture, kDeadLight);
        }
    }
    CRZLightedButton::Draw(type);
    for (int overlay = 0; overlay < kPortraitOverlays; ++overlay)
        if (mOn[overlay] && mOverlays[overlay])
            mOverlays[overlay]->Draw(type);
    return 0;
}

template <class Act> void CPortrait::ForEachOverlay(Act act)
{
    for (auto& overlay : mOverlays)
        if (overlay)
            act(*overlay);
}

void CPortrait::MoveTo(int x, int y)
{
    CRZLightedButton::MoveTo(x, y);
    ForEachOverlay([&](CSprite& overlay) { overlay.MoveTo(x, y); });
}

void CPortrait::MoveRel(int dx, int dy)
{
    CRZLightedButton::MoveRel(dx, dy);
    ForEachOverlay([&](CSprite& overlay) { overlay.MoveRel(dx, dy); });
}

void CPortrait::SetScale(int scale)
{
    CRZLightedButton::SetScale(scale);
    ForEachOverlay([&](CSprite& overlay) { overlay.SetScale(scale); });
}

int CPortrait::SetDestinationImage(CImage* image)
{
    CRZLightedButton::SetDestinationImage(image);
    ForEachOverlay([&](CSprite& overlay) { overlay.SetDestinationImage(image); });
    return 1;
}

int CPortrait::Within(int x, int y)
{
    for (int overlay = 0; overlay < kPortraitOverlays; ++overlay)
        if (mOn[overlay] && mOverlays[overlay] && mOverlays[overlay]->Within(x, y))
            return 1;
    return CRZLightedButton::Within(x, y);
}

const char* CPortrait::GetWindowInstantRollover(const CPoint&)
{
    const CCharacter* character = GetCharacter();
    return character != nullptr ? character->GetName() : "";
}

const char* CPortrait::GetWindowDelayedRollover(const CPoint&)
{
    const CCharacter* character = GetCharacter();
    return character != nullptr ? character->GetBriefInfo() : "";
}
