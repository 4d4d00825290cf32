// CRZStatusBar: the small 8-bit bar on the map or in a side panel that shows a percentage in one of five
// standard colours or a realm's colour (battles, provinces, the sue-for-peace action); CRZUnitStatusBar,
// every army's strength bar.
#pragma once

#include <cstdint>

#include "foundation/identity.h"
#include "gfx/sprite_world.h"

class CPalette;
class CRZUnit;

enum StatusBarColor : std::int32_t {
    STATUSBAR_GREEN = 0, // (0, 255, 0)
    STATUSBAR_YELLOWGREEN = 1, // (128, 255, 0)
    STATUSBAR_YELLOW = 2, // (255, 255, 0)
    STATUSBAR_ORANGE = 3, // (255, 160, 0)
    STATUSBAR_RED = 4, // (255, 0, 0)
};
inline constexpr int kStatusBarColors = 5;
inline constexpr const char* kStatusBarPalette = "statusbar.act";
// The index of the part of a row the bar does not fill.
inline constexpr std::uint8_t kStatusBarBackground = 255;

// What the status bars read of the realms above them: a realm's colour packed with red in the top byte,
// then green, then blue (the low byte unused). Unset: every realm counts as black.
struct CStatusBarHooks {
    std::uint32_t (*GetCountryColor)(int country) = nullptr;
};
extern CStatusBarHooks gStatusBarHooks;

class CRZStatusBar : public CSpriteWorld {
public:
    // A private 8-bit image of the size in the shared palette, filled with its colour closest to black;
    // margin: the rows and columns left untouched at each edge.
    CRZStatusBar(int width, int height, int margin);

    // Percent clamped to 0..100; the filled length percent × (width − 4) / 100, at least 2. Each row
    // between the margins gets that length in the index from the margin on, then index 255 up to the
    // right margin; nothing is written outside the row's span between the margins.
    void DrawBar(int percent, unsigned char colourIndex);
    void ReDraw(int percent, StatusBarColor colour) { DrawBar(percent, DefaultColorIndex[colour]); }
    virtual bool IsUnitStatusBar() const { return false; }

    int GetMargin() const { return mMargin; }

    // Maps the five standard colours and every realm's colour to the closest index of the shared palette
    // (loaded here when it is not yet); run once the palette can be loaded.
    static void InitColors();

    static CPalette* _pPalette;
    static std::uint8_t DefaultColorIndex[kStatusBarColors];
    static std::uint8_t CountryColorIndex[kCountryTableSlots];

private:
    std::int32_t mWidth;
    std::int32_t mHeight;
    std::int32_t mMargin;
};

// An army's strength bar: 44 by 7 with a margin of 2.
class CRZUnitStatusBar : public CRZStatusBar {
public:
    explicit CRZUnitStatusBar(CRZUnit* unit);
    bool IsUnitStatusBar() const override { return true; }
    CRZUnit* GetUnit() const { return mUnit; }

    static constexpr int kWidth = 44;
    static constexpr int kHeight = 7;
    static constexpr int kMargin = 2;

private:
    CRZUnit* mUnit; // not owned: the army owns its bar
};
