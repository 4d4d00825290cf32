// The minimap dots: which provinces get one in each mode, and the dot sprites placed on the minimap.
#include "gfx/show_dots.h"

#include "gfx/sprite.h"

#include "foundation/safeguards.h"

CShowDotsHooks gShowDotsHooks;

CShowDots::CShowDots(CRZPlayer* player)
    : mPlayer(player)
{
    for (int i = 0; i < kShowDotsColours; ++i)
        mDots[i] = new CSprite(kDotImages[i]);
    SetMode(SHOWDOTS_OCCUPATION);
}

CShowDots::~CShowDots()
{
    for (CSprite*& dot : mDots) {
        delete dot;
        dot = nullptr;
    }
    mEntries.RemoveAll();
}

void CShowDots::SetMode(CRZShowDotsMode mode)
{
    mMode = mode;
    mEntries.RemoveAll();
    if (mode == SHOWDOTS_ARMIES && gShowDotsHooks.GetArmyLocations)
        gShowDotsHooks.GetArmyLocations(mPlayer, mEntries);
}

int CShowDots::Draw(CRZDrawType)
{
    if (mMode == SHOWDOTS_OCCUPATION) {
        const int realm = gShowDotsHooks.GetOccupationRealm ? gShowDotsHooks.GetOccupationRealm(mPlayer) : 0;
        if (realm == 0 || !gShowDotsHooks.GetProvinceControl)
            return 0;
        for (int province = 0; province < kShowDotsTableProvinces; ++province) {
            int owner = 0;
            int controller = 0;
            bool occupied = false;
            if (!gShowDotsHooks.GetProvinceControl(province, &owner, &controller, &occupied))
                continue;
            if ((owner == realm || controller == realm) && owner != controller && occupied)
                DrawProvinceDot(province, DOT_RED);
        }
    } else if (mMode == SHOWDOTS_ARMIES) {
        mEntries.ForEach([this](int word) {
            if (word == 0)
                return;
            const auto bits = static_cast<std::uint32_t>(word);
            const std::uint32_t colour = bits >> 16;
            if (colour < static_cast<std::uint32_t>(kShowDotsColours))
                DrawProvinceDot(static_cast<int>(bits & 0xFFFF), static_cast<ShowDotsColor>(colour));
        });
    }
    return 0;
}

void CShowDots::DrawProvinceDot(int province, ShowDotsColor colour)
{
    CPoint centre;
    if (province < 0 || province >= kShowDotsMapProvinces || !gShowDotsHooks.GetCenterPoint
        || !gShowDotsHooks.GetCenterPoint(province, centre))
        return;
    DrawDot(centre.x, centre.y, colour);
}

void CShowDots::DrawDot(int x, int y, ShowDotsColor colour)
{
    if (colour < 0 || colour >= kShowDotsColours || !gShowDotsHooks.WorldToMinimap)
        return;
    const CPoint at = gShowDotsHooks.WorldToMinimap(x, y);
    mDots[colour]->MoveTo(at.x, at.y);
    mDots[colour]->Draw(DRAW_TYPE_0);
}
