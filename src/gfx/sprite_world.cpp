// Map sprites: placement through the map view, their definitions in the data language, and hit tests in
// screen and map-surface coordinates.
#include "gfx/sprite_world.h"

#include <algorithm>
#include <cstdio>

#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "foundation/utilities.h"
#include "gfx/image.h"
#include "gfx/palette.h"
#include "gfx/screen_random.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_SPRITE = static_cast<CRZTokenType>(321);
constexpr CRZTokenType KW_BITMAP = static_cast<CRZTokenType>(322);
constexpr CRZTokenType KW_ORIGIN = static_cast<CRZTokenType>(323);
constexpr CRZTokenType KW_FRAMES = static_cast<CRZTokenType>(324);
constexpr CRZTokenType KW_SPEED = static_cast<CRZTokenType>(325);
constexpr CRZTokenType KW_STATIC = static_cast<CRZTokenType>(332);
constexpr CRZTokenType KW_PALETTE = static_cast<CRZTokenType>(334);
constexpr CRZTokenType KW_TRANSPARENCY = static_cast<CRZTokenType>(441);
constexpr CRZTokenType KW_OPACITY = static_cast<CRZTokenType>(442);

constexpr const char* kUnitBitmapFolder = "gfx\\map\\units\\bmp\\%s";

} // namespace

CSpriteWorld::CSpriteWorld()
{
    InitWorld();
}

CSpriteWorld::CSpriteWorld(const char* file)
    : CSprite(file)
{
    InitWorld();
}

CSpriteWorld::CSpriteWorld(int width, int height, int bits)
    : CSprite(width, height, bits)
{
    InitWorld();
}

void CSpriteWorld::InitWorld()
{
    _WorldX = _WorldY = 0;
    SetOrgin(GetWidth() / 2, GetHeight() / 2);
    MakeNonStatic();
}

void CSpriteWorld::MakeNonStatic()
{
    SetClippingArea(&MapWindow);
    _pDest = pBackBuffer;
    _Static = 0;
}

void CSpriteWorld::MakeStatic()
{
    SetClippingArea(0, 0, MapSurface ? MapSurface->GetWidth() : 0, MapSurface ? MapSurface->GetHeight() : 0);
    _pDest = MapSurface;
    _Static = 1;
}

int CSpriteWorld::SetBitmap(const char* file)
{
    const int result = AllocateBitmap(file);
    SetTotalFrames(1);
    return result;
}

void CSpriteWorld::SetTotalFrames(int frames)
{
    if (frames < 1)
        return;
    _TotalFrames = frames;
    _FrameWidth = _pImage ? _pImage->GetWidth() / frames : 0;
    SetFrame(ScreenRandom() % frames);
    SetOrgin(GetWidth() / 2, GetHeight() / 2);
}

void CSpriteWorld::MoveTo(int x, int y)
{
    _WorldX = x;
    _WorldY = y;
}

void CSpriteWorld::MoveRel(int dx, int dy)
{
    _WorldX += dx;
    _WorldY += dy;
}

CPoint CSpriteWorld::GetPosition()
{
    return { _WorldX, _WorldY };
}

CPoint CSpriteWorld::ScreenCorner()
{
    // Unclamped: a sprite partly left of or above the view keeps its place.
    CPoint screen;
    WorldToScreen(CPoint(_WorldX - _OriginX, _WorldY - _OriginY), screen);
    return screen;
}

int CSpriteWorld::Draw(CRZDrawType type)
{
    if (_Hidden || !_pImage)
        return 0;
    ApplyOpacity();
    if (type == DRAW_TYPE_MAP_SURFACE) {
        if (_pDest)
            DrawAt(_WorldX, _WorldY, _Scale);
        return 0;
    }
    _pDest = pBackBuffer;
    _Clip = CRect(MapWindow.left, MapWindow.top, MapWindow.right, GetBackBufferHeight());
    if (!_pDest)
        return 0;
    const CPoint corner = ScreenCorner();
    DrawAt(corner.x, corner.y, nZoomLevel + _Scale);
    return 0;
}

int CSpriteWorld::Within(int x, int y, bool surface)
{
    if (!_pImage)
        return 0;
    if (surface) {
        // Where pass 6 draws: the top-left corner at the world position.
        const int dx = x - _WorldX, dy = y - _WorldY;
        if (dx < 0 || dx >= GetWidth() || dy < 0 || dy >= GetHeight())
            return 0;
        return HitsFramePixel(dx, dy, std::clamp(_Scale, 0, 31)) ? 1 : 0;
    }
    const int zoom = std::clamp(nZoomLevel, 0, 31);
    const CPoint corner = ScreenCorner();
    const int dx = x - corner.x, dy = y - corner.y;
    if (dx < 0 || dx >= GetWidth() >> zoom || dy < 0 || dy >= GetHeight() >> zoom)
        return 0;
    return HitsFramePixel(dx, dy, zoom) ? 1 : 0;
}

int CSpriteWorld::Intersecting(int left, int top, int right, int bottom)
{
    const int zoom = std::clamp(nZoomLevel, 0, 31);
    const CPoint corner = ScreenCorner();
    const int r = corner.x + (GetWidth() >> zoom), b = corner.y + (GetHeight() >> zoom);
    return r < left || corner.x > right || b < top || corner.y > bottom ? 0 : 1;
}

int CSpriteWorld::ParseFields(CRZParser& parser)
{
    // Read whole before anything changes, so that a definition in error leaves the sprite as it was.
    struct Definition {
        char bitmap[256] = {};
        char palette[256] = {};
        CPoint origin;
        int frames = 1;
        int frequency = 25;
        bool isStatic = false;
        int transparency = 0;
        int opacity = 0;
    } d;
    if (parser.ParseSimpleStatement() != 1 || parser.key.type != KW_SPRITE
        || parser.value.type != TT_OPEN_BRACE)
        parser.ParseError("Sprite keyword not found..");
    ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_BITMAP:
            CopyString(d.bitmap, parser.value.text);
            break;
        case KW_ORIGIN:
            if (parser.value.type != TT_OPEN_BRACE)
                parser.ParseError("No left curly");
            d.origin.ParseFields(parser);
            break;
        case KW_FRAMES:
            d.frames = TextToInt(parser.value.text);
            if (d.frames < 1 || d.frames > INT16_MAX)
                parser.ParseError("SpriteWorld : frames must be 1 or more");
            break;
        case KW_SPEED:
            d.frequency = TextToInt(parser.value.text);
            break;
        case KW_STATIC:
            d.isStatic = parser.value.type == KW_YES;
            break;
        case KW_PALETTE:
            CopyString(d.palette, parser.value.text);
            break;
        case KW_TRANSPARENCY:
            d.transparency = TextToInt(parser.value.text);
            break;
        case KW_OPACITY:
            d.opacity = TextToInt(parser.value.text);
            break;
        default:
            parser.ParseError("SpriteWorld : Unexpected field");
        }
        return kReadOn;
    });

    // A palette that cannot be found stops the game; look it up before the sprite changes so that
    // nothing is left half-set when it does.
    CPalette* palette = d.palette[0] != '\0' ? CPalette::FindPalette(d.palette) : nullptr;
    _Frequency = d.frequency;
    if (d.isStatic)
        MakeStatic();
    else
        MakeNonStatic();
    if (d.bitmap[0] != '\0') {
        char path[512];
        std::snprintf(path, sizeof path, kUnitBitmapFolder, d.bitmap);
        SetBitmap(path);
    }
    SetTotalFrames(d.frames);
    SetOrgin(d.origin.x, d.origin.y);
    if (palette)
        SetLocalPalette(palette);
    if (_pImage)
        _pImage->Encode(d.frames);
    if (!_pImage)
        return 0;
    if (d.transparency == 1 && d.opacity == 0) {
        _pImage->SetType(IMAGE_ALPHA);
    } else if (d.transparency == 1 && d.opacity >= 1 && d.opacity <= 31) {
        if (_pImage->GetRLEHeader()) {
            _pImage->SetType(IMAGE_TRANSLUCENT);
            _pImage->SetOpacity(d.opacity);
            _Opacity = d.opacity;
        }
    } else if (d.transparency == 1 && d.opacity >= 32) {
        _pImage->SetType(IMAGE_SYSTEM);
    } else if (d.transparency == 2 && d.opacity == 0) {
        _pImage->SetType(IMAGE_MULTIPLY);
    }
    return 0;
}
