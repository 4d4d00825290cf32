// The faces and the coats of arms: every picture is an 8-bit run-length bitmap in its own palette, index 0
// the transparent entry, drawn from simple shapes so that each frame of a strip looks apart.
#include "portrait_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "bitmaps.h"
#include "realms/country_tags.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

constexpr int kFrame = 128;

// The portraits' palette: fixed entries, then ramps of eight or sixteen shades, dark to light.
enum PortraitColour : int {
    P_CLEAR = 0,
    P_SHADOW = 1,
    P_WHITE = 2,
    P_OUTLINE = 3,
    P_LIP = 4,
    P_LIP_DARK = 5,
    P_PINK = 6,
    P_GOLD = 7,
    P_GOLD_DARK = 8,
    P_SILVER = 9,
    P_SILVER_DARK = 10,
    P_BRONZE = 11,
    P_BROWN_DARK = 12,
    P_RED = 13,
    P_YELLOW = 14,
    P_PURPLE = 15,
    P_SKIN_LIGHT = 16, // 16 shades
    P_SKIN_DARK = 32, // 16 shades
    P_HAIR = 48, // 6 colours of 8
    P_EYES = 96, // 4 colours of 4
    P_BACKDROP = 112, // 4 colours of 8
    P_CLOTHES = 144, // 4 colours of 8
    P_GREY = 176, // 80 shades
};

// The coats of arms' palette: the tinctures (argent, or, gules, azure, vert, sable, purpure, tenné) and
// the frames' metals, eight shades each.
enum ArmsColour : int {
    A_CLEAR = 0,
    A_SHADOW = 1,
    A_WHITE = 2,
    A_OUTLINE = 3,
    A_TINCTURES = 16,
    A_SILVER = 80,
    A_GOLD = 88,
    A_BROWN = 96,
    A_TURQUOISE = 104,
    A_GREEN = 112,
    A_RUBY = 120,
};
constexpr int kTinctures = 8;
constexpr int kMetals = 2; // argent and or come first

Rgb Shade(Rgb base, int shade, int shades)
{
    const double f = 0.55 + 0.65 * shade / std::max(1, shades - 1);
    const auto c
        = [&](int v) { return static_cast<std::uint8_t>(std::clamp(static_cast<int>(v * f), 0, 255)); };
    return { c(base.r), c(base.g), c(base.b) };
}

void Ramp(Colours& colours, int first, int shades, Rgb base)
{
    for (int i = 0; i < shades; ++i)
        colours[static_cast<std::size_t>(first + i)] = Shade(base, i, shades);
}

Colours PortraitPalette()
{
    Colours c {};
    c[P_CLEAR] = { 0, 255, 0 };
    c[P_SHADOW] = { 0, 0, 0 };
    c[P_WHITE] = { 245, 245, 240 };
    c[P_OUTLINE] = { 35, 22, 15 };
    c[P_LIP] = { 185, 75, 70 };
    c[P_LIP_DARK] = { 125, 45, 40 };
    c[P_PINK] = { 235, 140, 175 };
    c[P_GOLD] = { 230, 185, 60 };
    c[P_GOLD_DARK] = { 150, 110, 30 };
    c[P_SILVER] = { 205, 205, 215 };
    c[P_SILVER_DARK] = { 115, 115, 130 };
    c[P_BRONZE] = { 125, 85, 45 };
    c[P_BROWN_DARK] = { 70, 45, 22 };
    c[P_RED] = { 205, 30, 30 };
    c[P_YELLOW] = { 250, 220, 80 };
    c[P_PURPLE] = { 120, 50, 140 };
    Ramp(c, P_SKIN_LIGHT, 16, { 225, 185, 150 });
    Ramp(c, P_SKIN_DARK, 16, { 140, 95, 65 });
    const Rgb hair[6] = { { 40, 32, 26 }, { 105, 68, 38 }, { 160, 75, 38 }, { 215, 185, 110 },
        { 150, 150, 150 }, { 225, 225, 220 } };
    for (int i = 0; i < 6; ++i)
        Ramp(c, P_HAIR + 8 * i, 8, hair[i]);
    const Rgb eyes[4] = { { 70, 115, 190 }, { 80, 135, 70 }, { 100, 65, 35 }, { 120, 130, 145 } };
    for (int i = 0; i < 4; ++i)
        Ramp(c, P_EYES + 4 * i, 4, eyes[i]);
    const Rgb backdrops[4] = { { 60, 80, 125 }, { 120, 45, 45 }, { 55, 100, 65 }, { 140, 110, 55 } };
    for (int i = 0; i < 4; ++i)
        Ramp(c, P_BACKDROP + 8 * i, 8, backdrops[i]);
    const Rgb clothes[4] = { { 165, 30, 40 }, { 35, 50, 130 }, { 40, 105, 50 }, { 110, 45, 130 } };
    for (int i = 0; i < 4; ++i)
        Ramp(c, P_CLOTHES + 8 * i, 8, clothes[i]);
    for (int i = 0; i < 80; ++i) {
        const auto v = static_cast<std::uint8_t>(40 + i * 2);
        c[static_cast<std::size_t>(P_GREY + i)] = { v, v, v };
    }
    return c;
}

Colours ArmsPalette()
{
    Colours c {};
    c[A_CLEAR] = { 0, 255, 0 };
    c[A_SHADOW] = { 0, 0, 0 };
    c[A_WHITE] = { 250, 250, 250 };
    c[A_OUTLINE] = { 25, 18, 12 };
    const Rgb tinctures[kTinctures] = { { 235, 235, 235 }, { 235, 195, 55 }, { 200, 30, 35 }, { 35, 70, 175 },
        { 35, 130, 55 }, { 40, 40, 45 }, { 125, 45, 135 }, { 205, 110, 35 } };
    for (int i = 0; i < kTinctures; ++i)
        Ramp(c, A_TINCTURES + 8 * i, 8, tinctures[i]);
    Ramp(c, A_SILVER, 8, { 200, 205, 220 });
    Ramp(c, A_GOLD, 8, { 240, 190, 60 });
    Ramp(c, A_BROWN, 8, { 120, 80, 45 });
    Ramp(c, A_TURQUOISE, 8, { 40, 170, 175 });
    Ramp(c, A_GREEN, 8, { 30, 140, 70 });
    Ramp(c, A_RUBY, 8, { 210, 25, 60 });
    for (int i = 128; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i - 64);
        c[static_cast<std::size_t>(i)] = { v, v, v };
    }
    return c;
}

// The masks keep what lies under index 0 and paint the rest pure green, the colour keyed copies leave
// out, so that the shield's outline is cut; index 3 draws the outline itself.
Colours MaskPalette()
{
    Colours c {};
    c[0] = { 0, 255, 0 };
    c[1] = { 0, 0, 0 };
    c[2] = { 0, 255, 0 };
    c[3] = { 30, 22, 14 };
    for (int i = 4; i < 256; ++i)
        c[static_cast<std::size_t>(i)]
            = { static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i) };
    return c;
}

// A strip of frames side by side, every pixel index 0 until drawn.
struct Canvas {
    Picture p;
    int x0 = 0; // the frame being drawn starts here

    Canvas(int width, int height)
    {
        p.width = width;
        p.height = height;
        p.index.assign(static_cast<std::size_t>(width) * height, 0);
    }
    void Set(int x, int y, int index)
    {
        x += x0;
        if (x < x0 || x >= x0 + kFrame || x >= p.width || y < 0 || y >= p.height)
            return;
        p.index[static_cast<std::size_t>(y) * p.width + x] = static_cast<std::uint8_t>(index);
    }
    int Get(int x, int y) const
    {
        x += x0;
        if (x < 0 || x >= p.width || y < 0 || y >= p.height)
            return 0;
        return p.index[static_cast<std::size_t>(y) * p.width + x];
    }
    template <class Colour> void Ellipse(double cx, double cy, double rx, double ry, Colour colour)
    {
        for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
            for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
                const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
                const double d = dx * dx + dy * dy;
                if (d <= 1.0)
                    Set(x, y, colour(x, y, d));
            }
    }
    void Disc(double cx, double cy, double r, int index)
    {
        Ellipse(cx, cy, r, r, [index](int, int, double) { return index; });
    }
    void Rect(int left, int top, int right, int bottom, int index)
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                Set(x, y, index);
    }
    // A line of the thickness from (ax, ay) to (bx, by).
    void Line(double ax, double ay, double bx, double by, double thickness, int index)
    {
        const double length = std::max(1.0, std::hypot(bx - ax, by - ay));
        for (double t = 0; t <= length; t += 0.5)
            Disc(ax + (bx - ax) * t / length, ay + (by - ay) * t / length, thickness / 2, index);
    }
};

// Who the strip is for: a woman, a dark culture.
struct Set {
    bool female;
    bool dark;
    int Skin(int shade) const { return (dark ? P_SKIN_DARK : P_SKIN_LIGHT) + std::clamp(shade, 0, 15); }
};

// A head's size by its frame, which ears, hair and features are laid around.
struct HeadShape {
    double rx, ry;
};
HeadShape HeadOf(int frame, bool female)
{
    return { 25.0 + (frame % 4) * 2 - (female ? 2 : 0), 33.0 + (frame / 4) % 4 };
}
constexpr double kHeadX = 64, kHeadY = 60;

void DrawHead(Canvas& c, int frame, Set set)
{
    const int backdrop = P_BACKDROP + 8 * (frame % 4);
    const int clothes = P_CLOTHES + 8 * ((frame / 4) % 4);
    for (int y = 0; y < kFrame; ++y)
        for (int x = 0; x < kFrame; ++x)
            c.Set(x, y, backdrop + 2 + 5 * y / kFrame);
    c.Ellipse(64, 142, set.female ? 50 : 58, 44, [&](int, int y, double d) {
        return d > 0.94 ? P_OUTLINE : clothes + std::clamp(6 - (y - 100) / 8, 1, 7);
    });
    c.Rect(52, 84, 77, 108, set.Skin(7));
    c.Rect(52, 100, 77, 104, set.Skin(5));
    const HeadShape head = HeadOf(frame, set.female);
    const int tone = frame % 3;
    c.Ellipse(kHeadX, kHeadY, head.rx, head.ry, [&](int x, int y, double d) {
        if (d > 0.93)
            return static_cast<int>(P_OUTLINE);
        // Lit from the upper left.
        const double light = 13 + tone - 5 * d - (x - kHeadX + y - kHeadY) / 18.0;
        return set.Skin(static_cast<int>(light));
    });
}

void DrawEyes(Canvas& c, int frame, Set set)
{
    const int iris = P_EYES + 4 * (frame % 4);
    const double spread = 11 + (frame / 4) % 3;
    for (const double side : { -1.0, 1.0 }) {
        const double cx = 64 + side * spread, cy = 56;
        c.Ellipse(cx, cy, 6, 3.2, [](int, int, double d) { return d > 0.8 ? P_OUTLINE : P_WHITE; });
        c.Disc(cx, cy, 2.4, iris + 2);
        c.Disc(cx, cy, 1.0, P_OUTLINE);
        const int brow = set.dark ? P_HAIR : P_BROWN_DARK;
        const double lift = frame % 2 == 0 ? 0 : 1.5;
        c.Line(cx - 7, cy - 6 - (side < 0 ? 0 : lift), cx + 7, cy - 6 - (side < 0 ? lift : 0),
            set.female ? 1.5 : 2.5, brow);
        if (set.female)
            c.Line(cx - 6, cy - 2.5, cx + 6, cy - 2.5, 1.2, P_OUTLINE);
    }
}

void DrawNose(Canvas& c, int frame, Set set)
{
    const int length = 9 + (frame % 5) * 2;
    const double width = 3 + (frame / 5) * 2;
    c.Line(66, 57, 67 + width / 3, 57 + length, 2, set.Skin(6));
    c.Ellipse(64, 58 + length, width + 1, 3, [&](int, int, double d) { return set.Skin(d > 0.6 ? 8 : 12); });
    c.Disc(64 - width / 2 - 0.5, 59.5 + length, 1.1, set.Skin(3));
    c.Disc(64 + width / 2 + 0.5, 59.5 + length, 1.1, set.Skin(3));
}

void DrawMouth(Canvas& c, int frame, Set set)
{
    const double y = 80 + frame % 3;
    const double half = 7 + (frame % 4) * 1.5 - (set.female ? 1 : 0);
    const int upper = set.female ? P_RED : P_LIP_DARK;
    c.Ellipse(64, y, half, 2.0, [&](int, int, double) { return upper; });
    c.Ellipse(64, y + 2.2, half - 2, 2.4,
        [&](int, int, double d) { return d > 0.5 ? P_LIP : (set.female ? P_PINK : P_LIP); });
    c.Line(64 - half, y + 0.5, 64 + half, y + 0.5, 1, P_OUTLINE);
    if (frame >= 5) { // a smile
        c.Disc(64 - half - 0.5, y - 0.8, 1, P_OUTLINE);
        c.Disc(64 + half + 0.5, y - 0.8, 1, P_OUTLINE);
    }
}

int HairColour(int frame, Set set)
{
    static const int light[6] = { 0, 1, 2, 3, 4, 5 };
    static const int dark[6] = { 0, 1, 0, 4, 0, 1 };
    return P_HAIR + 8 * (set.dark ? dark[frame % 6] : light[frame % 6]);
}

void DrawHair(Canvas& c, int frame, Set set)
{
    const int colour = HairColour(frame, set);
    const int style = frame / 6;
    const auto strand = [colour](int x, int y, double d) {
        return d > 0.95 ? colour + 1 : colour + 3 + (x * 7 + y * 3) % 4;
    };
    // The cap over the crown, cut off above the brows (lower for longer styles).
    const double bottom = style == 2 && !set.female ? 34 : 44 + 2 * style;
    Canvas cap(kFrame, kFrame);
    cap.Ellipse(kHeadX, kHeadY - 4, 35, 36, strand);
    for (int y = 0; y < kFrame; ++y)
        for (int x = 0; x < kFrame; ++x) {
            const int index = cap.Get(x, y);
            const bool fringe = y < bottom || (x < 40 && y < 70) || (x > 88 && y < 70);
            if (index != 0 && fringe)
                c.Set(x, y, index);
        }
    if (set.female) {
        // Long hair falling to the shoulders, braided in the third style.
        for (const double side : { -1.0, 1.0 }) {
            const double x = 64 + side * 32;
            c.Ellipse(x, 82, 9, 34 + 4 * style, strand);
            if (style == 2)
                for (int k = 0; k < 5; ++k)
                    c.Line(x - 6, 62 + 9 * k, x + 6, 66 + 9 * k, 1.2, colour + 1);
        }
    } else if (style == 1) {
        c.Rect(31, 50, 37, 72, colour + 4);
        c.Rect(91, 50, 97, 72, colour + 4);
    }
}

void DrawEars(Canvas& c, int frame, Set set)
{
    const double rx = 4 + frame % 2, ry = 7 + (frame / 2) % 3;
    for (const double side : { -1.0, 1.0 }) {
        const double cx = 64 + side * 31;
        c.Ellipse(cx, 62, rx, ry, [&](int, int, double d) {
            return d > 0.85 ? static_cast<int>(P_OUTLINE) : set.Skin(d > 0.35 ? 10 : 6);
        });
    }
    if (set.female && frame >= 3) { // earrings
        c.Disc(64 - 31, 62 + ry + 2, 2, P_GOLD);
        c.Disc(64 + 31, 62 + ry + 2, 2, P_GOLD);
    }
}

void DrawMisc(Canvas& c, int frame, Set set)
{
    const int beard = set.dark ? P_HAIR + 3 : P_HAIR + 8 + 3;
    if (!set.female) {
        switch (frame) {
        case 1: // moustache
            c.Ellipse(64, 76, 11, 2.6, [beard](int, int, double) { return beard; });
            break;
        case 2: // full beard
        case 5:
            c.Ellipse(64, 88, 24, 16, [&](int x, int y, double) {
                const bool mouth = y > 78 && y < 85 && x > 54 && x < 74;
                return mouth ? 0 : beard + (frame == 5 ? 8 * 3 : 0) + (x + y) % 3;
            });
            c.Ellipse(64, 76, 12, 2.6, [&](int, int, double) { return beard + (frame == 5 ? 8 * 3 : 0); });
            break;
        case 3: // goatee
            c.Ellipse(64, 93, 6, 6, [beard](int, int, double) { return beard; });
            break;
        case 4: // a scar across the cheek
            c.Line(74, 48, 84, 70, 1.5, P_LIP_DARK);
            break;
        case 7: // an eye patch
            c.Line(40, 44, 90, 62, 1.5, P_OUTLINE);
            c.Ellipse(75, 56, 7, 5, [](int, int, double) { return P_OUTLINE; });
            break;
        default:
            break;
        }
        return;
    }
    switch (frame) {
    case 1: // a gold necklace
    case 7: // pearls
        for (int k = 0; k <= 12; ++k) {
            const double a = 3.14159 * k / 12;
            c.Disc(64 - 18 * std::cos(a), 104 + 8 * std::sin(a), 1.6, frame == 1 ? P_GOLD : P_WHITE);
        }
        break;
    case 3: // a veil
        c.Ellipse(64, 30, 36, 16, [](int, int, double d) { return d > 0.9 ? P_SILVER_DARK : P_WHITE; });
        break;
    case 5: // a circlet
        c.Line(32, 36, 96, 36, 3, P_GOLD);
        c.Disc(64, 35, 3, P_RED);
        break;
    case 6: // a beauty mark
        c.Disc(76, 74, 1.2, P_OUTLINE);
        break;
    default:
        break;
    }
}

using LayerDraw = void (*)(Canvas&, int, Set);
struct Layer {
    const char* word;
    LayerDraw draw;
};
const Layer kLayers[7] = { { "heads", DrawHead }, { "eyes", DrawEyes }, { "noses", DrawNose },
    { "mouths", DrawMouth }, { "hairs", DrawHair }, { "ears", DrawEars }, { "misc", DrawMisc } };
const char* const kSetPrefixes[4] = { "testface_", "testface_fem_", "dark_", "dark_fem_" };

// A faceless head and shoulders in greys, smaller for a child.
Picture GenericFace(bool female, bool child)
{
    Canvas c(kFrame, kFrame);
    for (int y = 0; y < kFrame; ++y)
        for (int x = 0; x < kFrame; ++x)
            c.Set(x, y, P_GREY + 10 + 10 * y / kFrame);
    const double scale = child ? 0.8 : 1.0;
    c.Ellipse(64, 142, 58 * scale, 44, [](int, int, double d) { return d > 0.94 ? P_GREY : P_GREY + 20; });
    const double cy = child ? 68 : 60;
    c.Ellipse(64, cy, 28 * scale, 35 * scale,
        [](int, int, double d) { return d > 0.93 ? P_GREY : P_GREY + 55 - static_cast<int>(10 * d); });
    // The hair over the crown and round the edge of the head; the face below it stays.
    c.Ellipse(64, cy - 12 * scale, 30 * scale, 26 * scale,
        [&c, cy](int x, int y, double d) { return y < cy - 14 || d > 0.9 ? P_GREY + 8 : c.Get(x, y); });
    if (female) {
        c.Ellipse(
            64 - 30 * scale, cy + 22, 8 * scale, 30 * scale, [](int, int, double) { return P_GREY + 8; });
        c.Ellipse(
            64 + 30 * scale, cy + 22, 8 * scale, 30 * scale, [](int, int, double) { return P_GREY + 8; });
    }
    return c.p;
}

// The overlays: a frame of the portrait's edge, or a small emblem on the transparent rest.
Picture Border(int thickness, int colour, int dark, bool crown)
{
    Canvas c(kFrame, kFrame);
    for (int y = 0; y < kFrame; ++y)
        for (int x = 0; x < kFrame; ++x) {
            const int edge = std::min(std::min(x, y), std::min(kFrame - 1 - x, kFrame - 1 - y));
            if (edge < thickness)
                c.Set(x, y, edge == 0 || edge == thickness - 1 ? dark : colour);
        }
    if (crown) {
        c.Rect(44, 4, 84, 14, P_GOLD);
        for (const int x : { 46, 64, 82 })
            c.Ellipse(x, 4, 4, 6, [](int, int, double) { return P_GOLD; });
        for (const int x : { 52, 64, 76 })
            c.Disc(x, 9, 2, P_RED);
    }
    return c.p;
}

Picture Emblem(int kind)
{
    Canvas c(kFrame, kFrame);
    const double ex = 108, ey = 108; // the court positions' corner
    switch (kind) {
    case 0: // battle withdrawn: a white flag
        c.Rect(10, 8, 13, 44, P_BROWN_DARK);
        c.Rect(13, 8, 34, 22, P_WHITE);
        break;
    case 1: // battle routed: a red cross
        c.Line(10, 10, 38, 38, 5, P_RED);
        c.Line(38, 10, 10, 38, 5, P_RED);
        break;
    case 6: // the papal controller: crossed keys
        c.Line(96, 10, 120, 34, 3, P_YELLOW);
        c.Line(120, 10, 96, 34, 3, P_GOLD);
        c.Disc(96, 10, 4, P_YELLOW);
        c.Disc(120, 10, 4, P_GOLD);
        break;
    case 7: // pregnant
        c.Disc(18, 110, 9, P_PINK);
        c.Disc(15, 107, 3, P_WHITE);
        break;
    case 8: // marshal: a sword
        c.Disc(ex, ey, 13, P_RED);
        c.Line(ex, ey - 10, ex, ey + 9, 2.5, P_SILVER);
        c.Line(ex - 6, ey + 3, ex + 6, ey + 3, 2.5, P_GOLD);
        break;
    case 9: // chancellor: a scroll
        c.Disc(ex, ey, 13, P_CLOTHES + 8 + 4);
        c.Rect(static_cast<int>(ex) - 7, static_cast<int>(ey) - 5, static_cast<int>(ex) + 7,
            static_cast<int>(ey) + 6, P_WHITE);
        break;
    case 10: // chaplain: a cross
        c.Disc(ex, ey, 13, P_PURPLE);
        c.Line(ex, ey - 9, ex, ey + 9, 3, P_GOLD);
        c.Line(ex - 6, ey - 3, ex + 6, ey - 3, 3, P_GOLD);
        break;
    case 11: // steward: a coin
        c.Disc(ex, ey, 13, P_CLOTHES + 16 + 4);
        c.Disc(ex, ey, 7, P_GOLD);
        c.Disc(ex, ey, 4, P_GOLD_DARK);
        break;
    case 12: // spymaster: an eye
        c.Disc(ex, ey, 13, P_GREY + 10);
        c.Ellipse(ex, ey, 9, 5, [](int, int, double) { return P_WHITE; });
        c.Disc(ex, ey, 3, P_OUTLINE);
        break;
    case 13: // the local ruler's dynasty: a small shield
        c.Ellipse(64, 112, 9, 12, [](int, int, double d) { return d > 0.8 ? P_OUTLINE : P_GOLD; });
        c.Line(56, 116, 64, 108, 2.5, P_RED);
        c.Line(72, 116, 64, 108, 2.5, P_RED);
        break;
    default:
        break;
    }
    return c.p;
}

void Write(const Context& context, const std::string& path, const Picture& p, const Colours& palette)
{
    WriteDataFile(context, path, BitmapFile(p, Depth::IndexedRle, &palette));
}

// The shields: a shape test per kind of mask, and the ornament above it that the frame paints.
enum Shield { COUNTY, DUCHY, KINGDOM, MUSLIM, TURKISH };

bool Heater(double x, double y, double top)
{
    constexpr double left = 16, right = 112, shoulder = 72, point = 124;
    if (y < top || y > point || x < left || x > right)
        return false;
    if (y <= shoulder)
        return true;
    const double t = (y - shoulder) / (point - shoulder);
    const double half = 48 * std::sqrt(std::max(0.0, 1 - t * t));
    return std::abs(x - 64) <= half;
}

// The crown or coronet band above a shield; none for a county.
bool Ornament(Shield shield, double x, double y)
{
    switch (shield) {
    case DUCHY:
        if (y >= 20 && y < 30 && x >= 36 && x <= 92)
            return true;
        for (const double px : { 40.0, 64.0, 88.0 })
            if (std::hypot(x - px, y - 17) <= 5)
                return true;
        return false;
    case KINGDOM:
        if (y >= 18 && y < 32 && x >= 30 && x <= 98)
            return true;
        for (const double px : { 34.0, 49.0, 64.0, 79.0, 94.0 })
            if (y >= 4 && y < 18 && std::abs(x - px) <= (y - 2) / 3)
                return true;
        return false;
    case MUSLIM: // a crescent
        return std::hypot(x - 64, y - 9) <= 8 && std::hypot(x - 67, y - 6) > 7;
    case TURKISH: // a spike
        return y >= 0 && y < 10 && std::abs(x - 64) <= y / 2.0;
    default:
        return false;
    }
}

bool InShieldBody(Shield shield, double x, double y)
{
    switch (shield) {
    case COUNTY:
        return Heater(x, y, 8);
    case DUCHY:
        return Heater(x, y, 30);
    case KINGDOM:
        return Heater(x, y, 32);
    case MUSLIM:
        return std::hypot(x - 64, y - 70) <= 54;
    case TURKISH: {
        const double dx = (x - 64) / 48, dy = (y - 68) / 58;
        return dx * dx + dy * dy <= 1;
    }
    }
    return false;
}

bool InShield(Shield shield, double x, double y)
{
    return InShieldBody(shield, x, y) || Ornament(shield, x, y);
}

bool NearEdge(Shield shield, int x, int y, int distance)
{
    for (const auto& [dx, dy] :
        { std::pair { -1, 0 }, { 1, 0 }, { 0, -1 }, { 0, 1 }, { -1, -1 }, { 1, 1 }, { -1, 1 }, { 1, -1 } })
        if (!InShield(shield, x + 0.5 + dx * distance, y + 0.5 + dy * distance))
            return true;
    return false;
}

Picture Mask(Shield shield)
{
    Canvas c(kFrame, kFrame);
    for (int y = 0; y < kFrame; ++y)
        for (int x = 0; x < kFrame; ++x)
            c.Set(x, y, !InShield(shield, x + 0.5, y + 0.5) ? 2 : NearEdge(shield, x, y, 1) ? 3 : 0);
    return c.p;
}

// The frame: the ornament in metal with gems, and a rim inside the shield's edge.
Picture Frame(Shield shield, int metal, int rim)
{
    Canvas c(kFrame, kFrame);
    for (int y = 0; y < kFrame; ++y)
        for (int x = 0; x < kFrame; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            if (Ornament(shield, px, py))
                c.Set(x, y, metal + 6 - y / 8 % 3);
            else if (InShieldBody(shield, px, py) && NearEdge(shield, x, y, rim))
                c.Set(x, y, metal + 3 + (x + y) % 3);
        }
    if (shield == KINGDOM || shield == DUCHY)
        for (const int x : { 44, 64, 84 })
            c.Disc(x, shield == KINGDOM ? 25 : 25, 2.5, A_RUBY + 5);
    return c.p;
}

int Tincture(int which, int shade)
{
    return A_TINCTURES + 8 * which + std::clamp(shade, 0, 7);
}

// A realm's icon: a field of one tincture divided with another by one of the ordinary partitions, with a
// charge on it now and then; metal and colour alternate as heralds like.
Picture Icon(Random& random)
{
    const int field = random.Range(0, kTinctures - 1);
    const bool metal = field < kMetals;
    const int second = metal ? random.Range(kMetals, kTinctures - 1) : random.Range(0, kMetals - 1);
    const int division = random.Range(0, 8);
    const int charge = random.Range(0, 4);
    const int chargeTincture = metal ? random.Range(kMetals, kTinctures - 1) : random.Range(0, kMetals - 1);
    Canvas c(kFrame, kFrame);
    for (int y = 0; y < kFrame; ++y)
        for (int x = 0; x < kFrame; ++x) {
            bool other = false;
            switch (division) {
            case 1:
                other = x >= 64;
                break; // per pale
            case 2:
                other = y >= 66;
                break; // per fess
            case 3:
                other = (x >= 64) != (y >= 66);
                break; // quarterly
            case 4:
                other = std::abs((x - 16) - (y - 8)) < 16;
                break; // a bend
            case 5:
                other = y > 70 - 0.8 * std::abs(x - 64) && y < 94 - 0.8 * std::abs(x - 64);
                break; // a chevron
            case 6:
                other = std::abs(x - 64) < 10 || std::abs(y - 60) < 10;
                break; // a cross
            case 7:
                other = std::abs((x - 64) - (y - 66)) < 11 || std::abs((x - 64) + (y - 66)) < 11;
                break; // a saltire
            case 8:
                other = y < 36;
                break; // a chief
            default:
                break;
            }
            c.Set(x, y, Tincture(other ? second : field, 6 - y / 32));
        }
    const double cx = 64, cy = division == 8 ? 80 : 66;
    switch (charge) {
    case 1: // a roundel
        c.Disc(cx, cy, 13, Tincture(chargeTincture, 5));
        break;
    case 2: // a lozenge
        for (int y = -16; y <= 16; ++y)
            for (int x = -11; x <= 11; ++x)
                if (std::abs(x) / 11.0 + std::abs(y) / 16.0 <= 1)
                    c.Set(static_cast<int>(cx) + x, static_cast<int>(cy) + y, Tincture(chargeTincture, 5));
        break;
    case 3: // a mullet of five points
        for (int y = -16; y <= 16; ++y)
            for (int x = -16; x <= 16; ++x) {
                const double r = std::hypot(x, y), a = std::atan2(y, x) + 3.14159 / 2;
                const double reach = 7 + 8 * std::pow(std::abs(std::cos(2.5 * a)), 3);
                if (r <= reach)
                    c.Set(static_cast<int>(cx) + x, static_cast<int>(cy) + y, Tincture(chargeTincture, 5));
            }
        break;
    default:
        break;
    }
    return c.p;
}

std::string CountryTag(int number)
{
    // Number 0 is no country; the registry tags it "----".
    if (number == 0)
        return "----";
    if (number <= kLastCounty) {
        char tag[16];
        std::snprintf(tag, sizeof tag, "C%03d", number);
        return tag;
    }
    return kBuiltInCountryTags[number - kFirstBuiltInCountry];
}

} // namespace

void WritePortraitFiles(const Context& context)
{
    const Colours palette = PortraitPalette();
    WriteDataFile(
        context, "gfx\\palette\\portraits.bmp", BitmapFile(Canvas(16, 16).p, Depth::Indexed, &palette));
    for (int set = 0; set < 4; ++set)
        for (int layer = 0; layer < 7; ++layer) {
            const int frames = kPortraitLayerFrames[layer];
            Canvas strip(frames * kFrame, kFrame);
            for (int frame = 0; frame < frames; ++frame) {
                strip.x0 = frame * kFrame;
                kLayers[layer].draw(strip, frame, Set { (set & 1) != 0, set >= 2 });
            }
            Write(context, std::string("gfx\\portraits\\") + kSetPrefixes[set] + kLayers[layer].word + ".bmp",
                strip.p, palette);
        }
    Write(context, "gfx\\portraits\\generic_boy.bmp", GenericFace(false, true), palette);
    Write(context, "gfx\\portraits\\generic_girl.bmp", GenericFace(true, true), palette);
    Write(context, "gfx\\portraits\\generic_man.bmp", GenericFace(false, false), palette);
    Write(context, "gfx\\portraits\\generic_woman.bmp", GenericFace(true, false), palette);

    const struct {
        const char* path;
        int emblem; // -1: a border
    } kOverlays[] = {
        { "gfx\\portraits\\overlays\\battle_withdrawn.bmp", 0 },
        { "gfx\\portraits\\overlays\\battle_routed.bmp", 1 },
        { "gfx\\portraits\\papal_controller.bmp", 6 },
        { "gfx\\portraits\\overlays\\pregnant.bmp", 7 },
        { "gfx\\portraits\\overlays\\position_marshall.bmp", 8 },
        { "gfx\\portraits\\overlays\\position_chancellor.bmp", 9 },
        { "gfx\\portraits\\overlays\\position_bishop.bmp", 10 },
        { "gfx\\portraits\\overlays\\position_steward.bmp", 11 },
        { "gfx\\portraits\\overlays\\position_spymaster.bmp", 12 },
        { "gfx\\portraits\\overlays\\dynasty.bmp", 13 },
    };
    for (const auto& overlay : kOverlays)
        Write(context, overlay.path, Emblem(overlay.emblem), palette);
    Write(context, "gfx\\portraits\\frame_notitle.bmp", Border(4, P_BRONZE, P_BROWN_DARK, false), palette);
    Write(context, "gfx\\portraits\\frame_count.bmp", Border(5, P_SILVER, P_SILVER_DARK, false), palette);
    Write(context, "gfx\\portraits\\frame_duke.bmp", Border(6, P_GOLD, P_GOLD_DARK, false), palette);
    Write(context, "gfx\\portraits\\frame_king.bmp", Border(7, P_GOLD, P_GOLD_DARK, true), palette);
}

void WriteArmsFiles(const Context& context)
{
    const Colours arms = ArmsPalette();
    const Colours masks = MaskPalette();
    WriteDataFile(context, "gfx\\palette\\coa.bmp", BitmapFile(Canvas(16, 16).p, Depth::Indexed, &arms));
    WriteDataFile(context, "gfx\\palette\\mask.bmp", BitmapFile(Canvas(16, 16).p, Depth::Indexed, &masks));
    const struct {
        const char* name;
        Shield shield;
        int metal, rim;
    } kShields[] = {
        { "county", COUNTY, A_SILVER, 4 },
        { "duchy", DUCHY, A_GOLD, 4 },
        { "kingdom", KINGDOM, A_GOLD, 6 },
        { "muslim", MUSLIM, A_GREEN, 5 },
        { "turkish", TURKISH, A_TURQUOISE, 5 },
    };
    for (const auto& shield : kShields) {
        Write(context, std::string("gfx\\coa\\") + shield.name + "_mask.bmp", Mask(shield.shield), masks);
        Write(context, std::string("gfx\\coa\\") + shield.name + ".bmp",
            Frame(shield.shield, shield.metal, shield.rim), arms);
    }
    // The quarter frame: the county's rim at a quarter of the size.
    {
        const Picture county = Frame(COUNTY, A_SILVER, 8);
        Canvas quarter(kFrame / 4, kFrame / 4);
        for (int y = 0; y < quarter.p.height; ++y)
            for (int x = 0; x < quarter.p.width; ++x)
                quarter.p.index[static_cast<std::size_t>(y) * quarter.p.width + x]
                    = county.index[static_cast<std::size_t>(4 * y + 2) * kFrame + 4 * x + 2];
        Write(context, "gfx\\coa\\quarter.bmp", quarter.p, arms);
    }
    // The flag underlay and overlay of the controlled provinces: a dark plate and its rim.
    {
        Canvas under(32, 32), over(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const bool rim = x < 2 || y < 2 || x > 29 || y > 29;
                under.Set(x, y, A_BROWN + 1 + y / 8);
                if (rim)
                    over.Set(x, y, A_GOLD + 4);
            }
        Write(context, "gfx\\interface\\control_underlay.bmp", under.p, arms);
        Write(context, "gfx\\interface\\control_overlay.bmp", over.p, arms);
    }
    for (int number = 0; number < kFirstBuiltInCountry + kBuiltInCountryTagCount; ++number) {
        const std::string path = "gfx\\coa\\" + CountryTag(number) + ".bmp";
        Random random = context.RandomFor(path);
        Write(context, path, Icon(random), arms);
    }
}

} // namespace datagen
