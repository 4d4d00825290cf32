// CShowDots: coloured dots on the minimap for the local player: red where the player's provinces are
// occupied, or one dot per army of the player's realm. The player's controller makes it and the interface
// draws it.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"
#include "foundation/point_rect.h"
#include "gfx/drawable.h"

class CRZPlayer;
class CSprite;

enum CRZShowDotsMode : std::int32_t {
    SHOWDOTS_OCCUPATION = 0,
    SHOWDOTS_ARMIES = 1,
};

enum ShowDotsColor : std::int32_t {
    DOT_RED = 0,
    DOT_PINK = 1,
};
inline constexpr int kShowDotsColours = 2;

// The provinces the occupation dots look at (the province table's), and the map's whole array, which
// an army's location word may name.
inline constexpr int kShowDotsTableProvinces = 1004;
inline constexpr int kShowDotsMapProvinces = 1008;

// A location word: the province in the low 16 bits, the dot colour in the high 16.
constexpr int MakeDotWord(int province, ShowDotsColor colour)
{
    return static_cast<int>(
        static_cast<std::uint32_t>(colour) << 16 | (static_cast<std::uint32_t>(province) & 0xFFFF));
}

// What the dots ask of the realms, the armies, the map and the player above the graphics; the game's
// wiring fills them. An unset hook draws nothing.
struct CShowDotsHooks {
    // The realm number of the player's realm when it asks for occupation dots; 0 otherwise.
    int (*GetOccupationRealm)(CRZPlayer* player) = nullptr;
    // The owner's and the controller's realm numbers (0 for none) and whether the occupation field is set;
    // false for a province that does not exist.
    bool (*GetProvinceControl)(int province, int* owner, int* controller, bool* occupied) = nullptr;
    // Appends the location word of every army of the player's realm.
    void (*GetArmyLocations)(CRZPlayer* player, CList<int>& words) = nullptr;
    // The province's centre in map coordinates; false for one the map has not.
    bool (*GetCenterPoint)(int province, CPoint& centre) = nullptr;
    // The minimap point of a map point.
    CPoint (*WorldToMinimap)(int x, int y) = nullptr;
};
extern CShowDotsHooks gShowDotsHooks;

inline constexpr const char* kDotImages[kShowDotsColours]
    = { "gfx\\interface\\dot_red.bmp", "gfx\\interface\\dot_pink.bmp" };

class CShowDots : public CDrawable {
public:
    // The player is not owned. Starts in occupation mode.
    explicit CShowDots(CRZPlayer* player);
    ~CShowDots() override;
    CShowDots(const CShowDots&) = delete;
    CShowDots& operator=(const CShowDots&) = delete;

    // Forgets the dots of before; army mode takes the armies where they stand now, and keeps them until
    // the mode is set again.
    void SetMode(CRZShowDotsMode mode);
    CRZShowDotsMode GetMode() const { return mMode; }
    // Always 0.
    int Draw(CRZDrawType type) override;
    // Places the colour's dot at the minimap point of the map point and draws it.
    void DrawDot(int x, int y, ShowDotsColor colour);

    const CList<int>& GetEntries() const { return mEntries; }
    CSprite* GetDot(ShowDotsColor colour) const { return mDots[colour]; }

private:
    // The dot at the province's centre; a province outside the map's array or without a centre is skipped.
    void DrawProvinceDot(int province, ShowDotsColor colour);

    CRZShowDotsMode mMode = SHOWDOTS_OCCUPATION;
    CRZPlayer* mPlayer;
    CSprite* mDots[kShowDotsColours] = {};
    CList<int> mEntries;
};
