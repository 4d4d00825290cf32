// Text buttons: the frames composed from the shared tiles, the label printed with a drop shadow in the
// colour of each state, and the tile sets they share.
#include "widgets/generic_button.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "gfx/font.h"
#include "gfx/image_descriptor.h"
#include "gfx/palette.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

CGenericTiles CRZGenericButton::_Large;
CGenericTiles CRZGenericButton::_Small;

namespace {

constexpr const char* kStateNames[CGenericTiles::kStates] = { "plain", "over", "down", "dis" };
constexpr const char* kPartNames[CGenericTiles::kParts] = { "c", "l", "r" };
constexpr int kSmallPaletteHeight = 21;
constexpr int kEscapeKey = 14;

int TileWidth(CSprite* tile)
{
    return tile ? std::max(tile->GetWidth(), 0) : 0;
}

} // namespace

CSprite* CGenericTiles::InitSprite(const char* path)
{
    // A missing palette stops the load by throwing; the tile must not outlive that unowned.
    auto sprite = std::make_unique<CSprite>(path);
    if (CImage* image = sprite->GetImage())
        image->SetHasTransparency(true);
    sprite->SetLocalPalette(
        CPalette::FindPalette(sprite->GetHeight() < kSmallPaletteHeight ? "tb.bmp" : "tb2.bmp"));
    return sprite.release();
}

void CGenericTiles::Init(const char* prefix)
{
    Destroy();
    for (int state = 0; state < kStates; ++state) {
        for (int part = 0; part < kParts; ++part) {
            char path[300];
            std::snprintf(path, sizeof path, "gfx\\interface\\%s_%s_%s.bmp", prefix, kStateNames[state],
                kPartNames[part]);
            mTiles[state][part] = InitSprite(path);
        }
    }
}

void CGenericTiles::Destroy()
{
    for (auto& state : mTiles) {
        for (CSprite*& tile : state) {
            delete tile;
            tile = nullptr;
        }
    }
}

void CRZGenericButton::InitSprites()
{
    _Large.Init("tb");
    _Small.Init("tbsmall");
}

void CRZGenericButton::DeInitSprites()
{
    _Large.Destroy();
    _Small.Destroy();
}

CRZGenericButton::CRZGenericButton(const char* text, CFont* font, int width)
{
    Reconstruct(text, font, width, nullptr);
}

CRZGenericButton::CRZGenericButton(const char* text, int id, int x, int y, int width, CImage* dest)
{
    Reconstruct(text, gpFontDB ? gpFontDB->GetFont(kButtonFontFile) : nullptr, width, nullptr);
    mID = id;
    if (x < 0)
        x = -x - GetWidth() / 2;
    MoveTo(x, y);
    if (dest)
        SetDestinationImage(dest);
}

int CRZGenericButton::GetNeededCenterBlocks(const char* text, CFont* font)
{
    CGenericTiles& set = font && font->GetLineHeight() > kSmallFontHeight ? _Large : _Small;
    const int centre = std::max(TileWidth(set.Get(0, CGenericTiles::CENTRE)), 1);
    return (font && text ? font->Length(text) : 0) / centre + 1;
}

void CRZGenericButton::Reconstruct(const char* text, CFont* font, int width, const char* downText)
{
    if (!text)
        text = "";
    Deallocate();
    std::snprintf(mName, sizeof mName, "%s", text);
    if (!_Large.Get(0, CGenericTiles::CENTRE))
        InitSprites();
    CGenericTiles& set = font && font->GetLineHeight() > kSmallFontHeight ? _Large : _Small;
    const int left = TileWidth(set.Get(0, CGenericTiles::LEFT));
    const int centre = std::max(TileWidth(set.Get(0, CGenericTiles::CENTRE)), 1);
    CSprite* centreTile = set.Get(0, CGenericTiles::CENTRE);
    const int height = centreTile ? centreTile->GetHeight() : 0;

    int blocks = 0;
    int frameWidth = 0;
    if (width > 0) {
        blocks = std::max(0, (width - 2 * left + centre - 1) / centre);
        frameWidth = width;
    } else {
        blocks = GetNeededCenterBlocks(mName, font);
        if (downText)
            blocks = std::max(blocks, GetNeededCenterBlocks(downText, font));
        frameWidth = 2 * left + blocks * centre;
    }
    Create(4 * frameWidth, std::max(height, 1), 16);
    CImage* image = GetImage();
    image->Clear();
    Init();

    const std::uint16_t colours[4] = { TrueToHigh(255, 255, 255), TrueToHigh(240, 220, 176),
        TrueToHigh(240, 220, 176), TrueToHigh(100, 100, 100) };
    const auto paint = [&](CSprite* tile, int x) {
        if (!tile)
            return;
        CImage* before = tile->GetDestinationImage();
        const CRect clip = tile->GetClippingArea();
        tile->SetDestinationImage(image);
        tile->SetClippingArea(0, 0, image->GetWidth(), image->GetHeight());
        tile->MoveTo(x, 0);
        tile->Draw(DRAW_TYPE_0);
        tile->SetDestinationImage(before);
        tile->SetClippingArea(&clip);
    };
    for (int state = 0; state < CGenericTiles::kStates; ++state) {
        const int x0 = state * frameWidth;
        paint(set.Get(state, CGenericTiles::LEFT), x0);
        for (int block = 0; block < blocks; ++block)
            paint(set.Get(state, CGenericTiles::CENTRE), x0 + left + block * centre);
        paint(set.Get(state, CGenericTiles::RIGHT), x0 + left + blocks * centre);
        if (!font)
            continue;
        const char* label = state == BUTTON_FRAME_DOWN && downText ? downText : mName;
        font->PrintDrop(label, x0 + frameWidth / 2 - font->Length(label) / 2,
            image->GetHeight() / 2 - font->GetLineHeight() / 2, image, colours[state]);
    }
    image->SetHasTransparency(true);
}

CRZBackButton::CRZBackButton()
    : CRZGenericButton(
        TextStrings.GetString("BACK"), gpFontDB ? gpFontDB->GetFont(kButtonFontFile) : nullptr, 0)
{
    mHotKey = kEscapeKey;
}
