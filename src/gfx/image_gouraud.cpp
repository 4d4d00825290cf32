// Gouraud-shaded triangles: the movement arrows' bodies, shaded through a caller's colour table, and
// their drop shadows.
#include <algorithm>
#include <cstdint>

#include "gfx/image.h"

#include "foundation/safeguards.h"

namespace {

struct ScanlineData {
    std::int32_t x;
    std::int32_t value; // colour index, 16.16
};

constexpr int kScanlineRows = 1280;
// One side of the triangle per array, one record per image row; drawing runs on one thread only.
ScanlineData Scanline[2][kScanlineRows];

void SetupGouraudLine(
    ScanlineData* array, const CPoint& p, const CPoint& q, int vp, int vq, int width, int height)
{
    if ((p.x < 0 && q.x < 0) || (p.x > width && q.x > width) || (p.y < 0 && q.y < 0)
        || (p.y > height && q.y > height))
        return;
    if (p.y == q.y) {
        array[p.y] = { p.x, vp << 16 };
        return;
    }
    const bool down = p.y < q.y;
    const CPoint& top = down ? p : q;
    const CPoint& bottom = down ? q : p;
    const int c0 = down ? vp : vq, c1 = down ? vq : vp;
    const int dy = bottom.y - top.y;
    const std::int32_t xStep
        = static_cast<std::int32_t>((static_cast<std::int64_t>(bottom.x - top.x) << 16) / dy);
    const std::int32_t vStep = static_cast<std::int32_t>((static_cast<std::int64_t>(c1 - c0) << 16) / dy);
    std::int32_t x = top.x << 16, value = c0 << 16;
    for (int y = top.y; y < bottom.y; ++y, x += xStep, value += vStep)
        array[y] = { x >> 16, value };
    array[bottom.y] = { bottom.x, c1 << 16 };
}

template <class Paint> void ForEachSpan(int first, int last, Paint paint)
{
    for (int y = first; y <= last; ++y) {
        const ScanlineData& l = Scanline[0][y];
        const ScanlineData& r = Scanline[1][y];
        if (l.x < r.x)
            paint(y, l, r);
    }
}

} // namespace

void CImage::DrawGouraudTriangle(
    CPoint& a, CPoint& b, CPoint& c, int ia, int ib, int ic, const unsigned short* colours, CPoint offset)
{
    if (_BytesPerPixel != 2 || _Height > kScanlineRows || _Width <= 0 || _Height <= 0)
        return;
    const bool shadow = offset.x != 0 || offset.y != 0;
    if (!shadow && !colours)
        return;
    CPoint corner[3] = { a, b, c };
    const int index[3] = { ia, ib, ic };
    for (CPoint& p : corner)
        p = { std::clamp(p.x + offset.x, 0, _Width - 1), std::clamp(p.y + offset.y, 0, _Height - 1) };
    const auto [minY, maxY] = std::minmax({ corner[0].y, corner[1].y, corner[2].y });
    const auto [minX, maxX] = std::minmax({ corner[0].x, corner[1].x, corner[2].x });
    if (maxY < 1 || minY >= _Height || maxX < 1 || minX >= _Width)
        return;
    int t = 0;
    for (int i = 1; i < 3; ++i) {
        if (corner[i].y < corner[t].y || (corner[i].y == corner[t].y && corner[i].x < corner[t].x))
            t = i;
    }
    const int n = (t + 1) % 3, l = (t + 2) % 3;
    SetupGouraudLine(Scanline[0], corner[t], corner[n], index[t], index[n], _Width, _Height);
    SetupGouraudLine(Scanline[corner[l].y <= corner[n].y ? 1 : 0], corner[n], corner[l], index[n], index[l],
        _Width, _Height);
    SetupGouraudLine(Scanline[1], corner[l], corner[t], index[l], index[t], _Width, _Height);
    unsigned char* base = Lock();
    if (!base)
        return;
    const auto row = [&](int y) {
        return reinterpret_cast<std::uint16_t*>(base + static_cast<std::ptrdiff_t>(y) * _Pitch);
    };
    if (!shadow) {
        // FillScanlineBuffer
        ForEachSpan(minY, maxY, [&](int y, const ScanlineData& left, const ScanlineData& right) {
            const int count = right.x - left.x;
            const std::int32_t step = (right.value - left.value) / count;
            std::int32_t value = left.value;
            std::uint16_t* p = row(y) + left.x;
            for (int i = 0; i < count; ++i, value += step)
                p[i] = colours[value >> 16];
        });
    } else {
        // ShadowScanlineBuffer
        const std::uint16_t mask = CVideo::_RGBFormat == 0 ? 0x7BEF : 0x3DEF;
        ForEachSpan(minY, maxY, [&](int y, const ScanlineData& left, const ScanlineData& right) {
            std::uint16_t* p = row(y);
            for (int x = left.x; x < right.x; ++x)
                p[x] = static_cast<std::uint16_t>((p[x] >> 1) & mask);
        });
    }
    Unlock();
}
