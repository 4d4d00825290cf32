// The pixel operations the interface draws straight into images: darkened, lightened and tinted
// rectangles behind windows and lists, plain and soft-edged lines, the fill of solid frames and the flat
// triangles of the player panels' arrows.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx/image.h"

#include "foundation/safeguards.h"

namespace {

// The fields of a 16-bit pixel of the current format.
struct Channels {
    int r, g, b;
};

bool Is565()
{
    return CVideo::_RGBFormat == 0;
}

Channels Split(std::uint16_t p)
{
    if (Is565())
        return { p >> 11, (p >> 5) & 63, p & 31 };
    return { (p >> 10) & 31, (p >> 5) & 31, p & 31 };
}

// 555 keeps bit 15 of the pixel it replaces.
std::uint16_t Join(Channels c, std::uint16_t old)
{
    if (Is565())
        return static_cast<std::uint16_t>(c.r << 11 | c.g << 5 | c.b);
    return static_cast<std::uint16_t>((old & 0x8000) | c.r << 10 | c.g << 5 | c.b);
}

// The rectangle cut to the image and to the back buffer: the right and bottom edges may reach
// size − edgeGap, the left and top ones one less; left and right rounded down to even when asked.
bool ClampRect(const CImage& image, const CRect* rect, int edgeGap, bool even, CRect* out)
{
    if (!rect || image.GetBytesPerPixel() != 2)
        return false;
    int w = image.GetWidth(), h = image.GetHeight();
    if (CVideo::GetBackBufferWidth() > 0)
        w = std::min(w, CVideo::GetBackBufferWidth());
    if (CVideo::GetBackBufferHeight() > 0)
        h = std::min(h, CVideo::GetBackBufferHeight());
    CRect r;
    r.left = std::clamp(rect->left, 0, std::max(0, w - 1 - edgeGap));
    r.top = std::clamp(rect->top, 0, std::max(0, h - 1 - edgeGap));
    r.right = std::clamp(rect->right, 1, std::max(1, w - edgeGap));
    r.bottom = std::clamp(rect->bottom, 1, std::max(1, h - edgeGap));
    if (even) {
        r.left &= ~1;
        r.right &= ~1;
    }
    r.right = std::min(r.right, image.GetWidth());
    r.bottom = std::min(r.bottom, image.GetHeight());
    *out = r;
    return r.left < r.right && r.top < r.bottom;
}

// Calls f on every pixel of the rectangle.
template <class F> void ForEachPixel(CImage& image, const CRect& r, F f)
{
    unsigned char* base = image.Lock();
    if (!base)
        return;
    for (int y = r.top; y < r.bottom; ++y) {
        auto* row
            = reinterpret_cast<std::uint16_t*>(base + static_cast<std::ptrdiff_t>(y) * image.GetPitch());
        for (int x = r.left; x < r.right; ++x)
            row[x] = f(row[x]);
    }
    image.Unlock();
}

std::uint16_t* PixelAt(unsigned char* base, const CImage& image, int x, int y)
{
    return reinterpret_cast<std::uint16_t*>(base + static_cast<std::ptrdiff_t>(y) * image.GetPitch()) + x;
}

} // namespace

void CImage::HalfIntensity(const CRect* rect)
{
    CRect r;
    if (!ClampRect(*this, rect, 0, true, &r))
        return;
    const std::uint16_t mask = Is565() ? 0x7BEF : 0x3DEF;
    ForEachPixel(*this, r, [mask](std::uint16_t p) { return static_cast<std::uint16_t>((p >> 1) & mask); });
}

void CImage::GammaRect(const CRect* rect, int gamma)
{
    CRect r;
    if (gamma <= 0 || !ClampRect(*this, rect, 0, true, &r))
        return;
    const std::uint8_t* column = &_Alphatab[0];
    const int g = std::min(gamma, 31);
    const auto lighten = [&](int c) { return column[c * 32 + g]; };
    const bool is565 = Is565();
    ForEachPixel(*this, r, [&](std::uint16_t p) {
        Channels c = Split(p);
        c.r = lighten(c.r);
        c.b = lighten(c.b);
        // 565 green lightens by its upper five bits and loses its lowest.
        c.g = is565 ? lighten(c.g >> 1) << 1 : lighten(c.g);
        return Join(c, p);
    });
}

void CImage::ColorRect(const CRect* rect, float f1, float f2, float f3)
{
    CRect r;
    if (!ClampRect(*this, rect, 1, false, &r))
        return;
    const int greenMax = Is565() ? 63 : 31;
    const auto scale = [](int c, float f, int max) {
        const float v = static_cast<float>(c) * f;
        if (!(v > 0.0f))
            return 0;
        return v >= static_cast<float>(max) ? max : static_cast<int>(v);
    };
    ForEachPixel(*this, r, [&](std::uint16_t p) {
        Channels c = Split(p);
        c.b = scale(c.b, f1, 31);
        c.g = scale(c.g, f2, greenMax);
        c.r = scale(c.r, f3, 31);
        return Join(c, p);
    });
}

namespace {

// Steps from a to b one pixel at a time along the longer axis, taking a diagonal step whenever the error
// goes negative; a is never plotted; a steep line ends on b, a flat one a pixel before it. Horizontal and
// vertical lines give plot every pixel from a's end, or from the left, with `extra` more than the length.
template <class Plot> void StepLine(CPoint a, CPoint b, int extra, Plot plot)
{
    const int dx = b.x - a.x, dy = b.y - a.y;
    const int adx = std::abs(dx), ady = std::abs(dy);
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    if (dy == 0) {
        const int left = std::min(a.x, b.x);
        for (int i = 0; i < adx + extra; ++i)
            plot(left + i, a.y);
        return;
    }
    if (dx == 0) {
        for (int i = 0; i < ady + extra; ++i)
            plot(a.x, a.y + i * sy);
        return;
    }
    // Along the longer axis; a flat line stops a pixel before b.
    const bool steep = ady > adx;
    const int major = steep ? ady : adx, minor = steep ? adx : ady;
    int& along = steep ? a.y : a.x;
    int& across = steep ? a.x : a.y;
    const int alongStep = steep ? sy : sx, acrossStep = steep ? sx : sy;
    int e = major / 2;
    for (int i = 1; i <= (steep ? major : major - 1); ++i) {
        along += alongStep;
        e -= minor;
        if (e < 0) {
            across += acrossStep;
            e += major;
        }
        plot(a.x, a.y);
    }
}

} // namespace

void CImage::DrawLine16(CPoint a, CPoint b)
{
    if (_BytesPerPixel != 2 || _Width <= 0 || _Height <= 0)
        return;
    a = { std::clamp(a.x, 0, _Width - 1), std::clamp(a.y, 0, _Height - 1) };
    b = { std::clamp(b.x, 0, _Width - 1), std::clamp(b.y, 0, _Height - 1) };
    unsigned char* base = Lock();
    if (!base)
        return;
    const auto colour = static_cast<std::uint16_t>(_LineColor);
    StepLine(a, b, 1, [&](int x, int y) { *PixelAt(base, *this, x, y) = colour; });
    Unlock();
}

void CImage::DrawLine16Aliased(CPoint a, CPoint b)
{
    // End points keep a pixel from every edge, so that all four neighbours lie inside the image.
    if (_BytesPerPixel != 2 || _Width < 3 || _Height < 3)
        return;
    a = { std::clamp(a.x, 1, _Width - 2), std::clamp(a.y, 1, _Height - 2) };
    b = { std::clamp(b.x, 1, _Width - 2), std::clamp(b.y, 1, _Height - 2) };
    unsigned char* base = Lock();
    if (!base)
        return;
    const auto colour = static_cast<std::uint16_t>(_LineColor);
    const std::uint16_t halo = Is565()
        ? static_cast<std::uint16_t>(colour << 11 | (colour & 0x07E0) | colour >> 11)
        : static_cast<std::uint16_t>((colour & 0x1F) << 10 | (colour & 0x03E0) | ((colour >> 10) & 0x1F));
    const Channels k = Split(halo);
    const auto soften = [&](std::uint16_t& p) {
        Channels c = Split(p);
        c.r += (k.r - c.r) >> 1;
        c.g += (k.g - c.g) >> 1;
        c.b += (k.b - c.b) >> 1;
        p = Join(c, p);
    };
    StepLine(a, b, 0, [&](int x, int y) {
        *PixelAt(base, *this, x, y) = colour;
        soften(*PixelAt(base, *this, x, y - 1));
        soften(*PixelAt(base, *this, x - 1, y));
        soften(*PixelAt(base, *this, x + 1, y));
        soften(*PixelAt(base, *this, x, y + 1));
    });
    Unlock();
}

void CImage::FloodFill(int x, int y, unsigned short colour)
{
    if (_BytesPerPixel != 2 || _Width <= 0 || _Height <= 0 || colour == Transparent16Bit)
        return;
    x = std::clamp(x, 0, _Width - 1);
    y = std::clamp(y, 0, _Height - 1);
    unsigned char* base = Lock();
    if (!base)
        return;
    const auto transparent
        = [&](int px, int py) { return *PixelAt(base, *this, px, py) == Transparent16Bit; };
    if (transparent(x, y)) {
        // Points travel packed: x in the low 16 bits, y in the high.
        std::vector<std::uint32_t> stack { static_cast<std::uint32_t>(y) << 16
            | static_cast<std::uint32_t>(x) };
        while (!stack.empty()) {
            const std::uint32_t point = stack.back();
            stack.pop_back();
            const int px = static_cast<int>(point & 0xFFFF), py = static_cast<int>(point >> 16);
            *PixelAt(base, *this, px, py) = colour;
            const auto push = [&](int nx, int ny) {
                if (transparent(nx, ny))
                    stack.push_back(static_cast<std::uint32_t>(ny) << 16 | static_cast<std::uint32_t>(nx));
            };
            if (px + 1 < _Width - 1)
                push(px + 1, py);
            if (py - 1 > 0)
                push(px, py - 1);
            if (py + 1 < _Height - 1)
                push(px, py + 1);
            if (px - 1 >= 1)
                push(px - 1, py);
        }
    }
    Unlock();
}

void CImage::FlatTriangle(int x1, int y1, int x2, int y2, int x3, int y3, unsigned char index)
{
    if (_BytesPerPixel != 1 || _Width <= 0 || _Height <= 0)
        return;
    // Corners far outside any image are pulled in so that the fixed-point steps cannot overflow.
    const auto near = [](int v) { return std::clamp(v, -32768, 32767); };
    CPoint p[3] = { { near(x1), near(y1) }, { near(x2), near(y2) }, { near(x3), near(y3) } };
    std::sort(p, p + 3, [](const CPoint& l, const CPoint& r) { return l.y < r.y; });
    unsigned char* base = Lock();
    if (!base)
        return;
    const auto slope = [](int dx, int dy) -> std::int64_t {
        return dy != 0 ? static_cast<std::int64_t>(dx) * 65536 / dy : static_cast<std::int64_t>(dx) * 65536;
    };
    const auto span = [&](int y, std::int64_t a, std::int64_t b) {
        if (y < 0 || y >= _Height)
            return;
        const std::int64_t l = std::max<std::int64_t>(std::min(a, b) >> 16, 0);
        const std::int64_t r = std::min<std::int64_t>(std::max(a, b) >> 16, _Width - 1);
        unsigned char* row = base + static_cast<std::ptrdiff_t>(y) * _Pitch;
        for (std::int64_t x = l; x <= r; ++x)
            row[x] = index;
    };
    // Each edge's column at row y, straight from its start, so that rows above the image cost nothing.
    const auto edge = [&](const CPoint& from, const CPoint& to, int y) {
        return (static_cast<std::int64_t>(from.x) << 16) + slope(to.x - from.x, to.y - from.y) * (y - from.y);
    };
    for (int y = std::max(p[0].y, 0); y < std::min(p[1].y, _Height); ++y)
        span(y, edge(p[0], p[2], y), edge(p[0], p[1], y));
    for (int y = std::max(p[1].y, 0); y <= std::min(p[2].y, _Height - 1); ++y)
        span(y, edge(p[0], p[2], y), edge(p[1], p[2], y));
    Unlock();
}
