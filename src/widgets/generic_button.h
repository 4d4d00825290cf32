// CRZGenericButton: the text button, its four frames composed from the shared tiles around its label, and
// CGenericTiles, the two tile sets (large "tb", small "tbsmall") every text button is built from; the Back
// button.
#pragma once

#include "widgets/button.h"

class CFont;

// Twelve tiles: centre, left and right for each of plain, over, down and disabled.
class CGenericTiles {
public:
    enum Part { CENTRE, LEFT, RIGHT };
    static constexpr int kStates = 4;
    static constexpr int kParts = 3;

    CGenericTiles() = default;
    ~CGenericTiles() { Destroy(); }
    CGenericTiles(const CGenericTiles&) = delete;
    CGenericTiles& operator=(const CGenericTiles&) = delete;

    // Loads "gfx\interface\<prefix>_<state>_<part>.bmp" for every state and part.
    void Init(const char* prefix);
    // Deletes every tile and clears its slot.
    void Destroy();
    // Null before Init.
    CSprite* Get(int state, Part part) const { return mTiles[state][part]; }

private:
    // Marks the image as keyed and gives it "tb.bmp" under 21 pixels high, else "tb2.bmp".
    static CSprite* InitSprite(const char* path);

    CSprite* mTiles[kStates][kParts] = {};
};

inline constexpr int kButtonLabelMax = 255;
inline constexpr const char* kButtonFontFile = "gfx\\fonts\\proformaB12.bmp";

class CRZGenericButton : public CRZBtn {
public:
    // Width 0: as wide as the text needs.
    CRZGenericButton(const char* text, CFont* font, int width);
    // In "gfx\fonts\proformaB12.bmp"; a negative x centres the button on the column -x.
    CRZGenericButton(const char* text, int id, int x, int y, int width, CImage* dest);

    // The label, cut to 255 characters.
    const char* GetName() const override { return mName; }

    // Rebuilds the four frames around the text; a down text (may be null) shows on the down frame and
    // widens a button without a given width when it needs more room.
    void Reconstruct(const char* text, CFont* font, int width, const char* downText);
    // Centre tiles a text of that font needs on a button without a given width.
    static int GetNeededCenterBlocks(const char* text, CFont* font);

    // Once at start: the large set "tb" and the small set "tbsmall"; DeInitSprites destroys all 24 tiles.
    static void InitSprites();
    static void DeInitSprites();
    // Fonts of this height or less take the small set.
    static constexpr int kSmallFontHeight = 16;
    static CGenericTiles _Large;
    static CGenericTiles _Small;

protected:
    // No face yet: the interface buttons take a background or are rebuilt around their label.
    CRZGenericButton() = default;

    char mName[kButtonLabelMax + 1] = {};
};

// The text of "BACK" in the button font, with Escape (14) as its hot key.
class CRZBackButton : public CRZGenericButton {
public:
    CRZBackButton();
};
