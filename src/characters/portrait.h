// CPortrait: a character's face as a 128 by 128 button, composed from the seven layer strips his DNA
// picks, with the fourteen overlays of his rank and state; the shared strips and generic faces.
#pragma once

#include <memory>

#include "characters/culture.h"
#include "characters/portrait_dna.h"
#include "foundation/identity.h"
#include "gfx/sprite.h"
#include "widgets/button.h"

class CCharacter;

// The overlays, in the order they are drawn.
enum PortraitOverlay : int {
    OVERLAY_BATTLE_WITHDRAWN = 0,
    OVERLAY_BATTLE_ROUTED = 1,
    OVERLAY_FRAME_NO_TITLE = 2,
    OVERLAY_FRAME_COUNTY = 3,
    OVERLAY_FRAME_DUCHY = 4,
    OVERLAY_FRAME_KINGDOM = 5,
    OVERLAY_PAPAL_CONTROLLER = 6,
    OVERLAY_PREGNANT = 7,
    OVERLAY_MARSHAL = 8,
    OVERLAY_CHANCELLOR = 9,
    OVERLAY_CHAPLAIN = 10,
    OVERLAY_STEWARD = 11,
    OVERLAY_SPYMASTER = 12,
    OVERLAY_DYNASTY = 13,
};
inline constexpr int kPortraitOverlays = 14;
inline constexpr int kPortraitSize = 128;

class CPortrait : public CRZLightedButton, public CPortraitDNA {
public:
    // Loads the four generic faces and the 28 layer strips in the portraits' palette and counts each
    // strip's frames; a strip that is missing or narrower than a frame has none, and its layer is left
    // out of every face. Always true: no picture is required to start.
    static bool InitDB();
    static void ShutdownDB();

    // The face of a living character, a generic one for the anonymous and for children, with the overlays
    // of his title, offices and state.
    explicit CPortrait(CCharacter* character);
    // A face of a bare DNA; no character, no overlay on.
    CPortrait(const char* dna, int gender, RZCultureType culture);
    ~CPortrait() override;

    // Composes the face of the DNA into the portrait's own image.
    void DrawDNA(const char* dna, int gender, RZCultureType culture);

    // Creates the 14 overlay sprites, all off.
    void InitOverlays();
    // An overlay outside 0..13 is ignored.
    void SetOverlay(int overlay, bool on);
    bool IsOverlayOn(int overlay) const;

    // The dead look once the character no longer lives; then the button and the overlays that are on.
    int Draw(CRZDrawType type) override;
    void MoveTo(int x, int y) override;
    void MoveRel(int dx, int dy) override;
    void SetScale(int scale) override;
    int SetDestinationImage(CImage* image) override;
    // On an overlay that is on, or on the button.
    int Within(int x, int y) override;

    // Null for a bare DNA's face or a character that no longer exists.
    CCharacter* GetCharacter() const;
    // The character's name, and his brief information; "" once he no longer exists.
    const char* GetWindowInstantRollover(const CPoint& point);
    const char* GetWindowDelayedRollover(const CPoint& point);

    // The frames of a layer's strip of a set (0 when it has none or is not loaded).
    static int GetLayerFrames(int layer, int set);

    // The strips by layer and set, and the generic faces; null until InitDB.
    static CSprite* _pHeads[kPortraitSets];
    static CSprite* _pEyes[kPortraitSets];
    static CSprite* _pNoses[kPortraitSets];
    static CSprite* _pMouths[kPortraitSets];
    static CSprite* _pHairs[kPortraitSets];
    static CSprite* _pEars[kPortraitSets];
    static CSprite* _pMisc[kPortraitSets];
    static CSprite* _pGenericBoy;
    static CSprite* _pGenericGirl;
    static CSprite* _pGenericMale;
    static CSprite* _pGenericFemale;

private:
    // The portrait's own image emptied to the transparent colour; null without one.
    CImage* ClearFace();
    void Compose(const char* dna, int gender, int culture, int light);
    void DrawGeneric(CSprite* face, int light);
    void SetCharacterOverlays(const CCharacter& character);
    // Moving, scaling and retargeting act on the button and every overlay alike.
    template <class Act> void ForEachOverlay(Act act);

    CRZID mCharacter = NOID;
    std::unique_ptr<CSprite> mOverlays[kPortraitOverlays];
    bool mOn[kPortraitOverlays] = {};
    // What the face was composed from, to compose it again in the dead look.
    char mDNA[15] = {};
    int mGender = 0;
    int mCulture = 0;
    CSprite* mGeneric = nullptr;
    bool mDeadLook = false;
};
