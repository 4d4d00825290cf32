// Run-length encoding of 8-bit sprite sheets and the decoders that draw them into 16-bit images in the
// plain, alpha, multiply and translucent modes, at full size or scaled down by powers of two.
#include "gfx/image_rle.h"

#include <algorithm>
#include <cstring>

#include "gfx/image.h"
#include "gfx/palette.h"

#include "foundation/safeguards.h"

std::uint8_t CImageBase::_Alphatab[32 * 32];
std::uint8_t CImageBase::_Multiplytab[32 * 32];
std::uint8_t CImageBase::_Transtab[32 * 32];
std::int32_t CImageBase::_nRLE = 0;
std::int32_t CImageBase::_nBitmap = 0;
std::uint16_t CImageBase::Transparent16Bit = 0x07E0;

void CImageBase::InitAlpha()
{
    for (int a = 0; a < 32; ++a) {
        for (int c = 0; c < 32; ++c) {
            const float fa = static_cast<float>(a);
            const float fc = static_cast<float>(c);
            _Alphatab[a * 32 + c]
                = static_cast<std::uint8_t>(a + static_cast<int>((32.0f - fa) * fc / 32.0f));
            _Multiplytab[a * 32 + c] = static_cast<std::uint8_t>(fa * fc / 32.0f);
            _Transtab[a * 32 + c] = static_cast<std::uint8_t>(fa * fc / 32.0f);
        }
    }
}

short CImageBase::CheckNotEqual(
    const unsigned char* pixels, short x, short y, short pitch, short first, short frameWidth) const
{
    const unsigned char* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch + first;
    short k = 0;
    while (k < kRLEMaxLiteral && x + k + 1 < frameWidth && row[x + k] != row[x + k + 1] && row[x + k] > 1)
        ++k;
    return k;
}

namespace {

// One frame's tokens; run twice, once to measure and once to write into a stream of the exact size.
void EncodeFrame(const CImageBase& image, const unsigned char* pixels, int pitch, int first, int frameWidth,
    int rows, CRLEFrame* frame)
{
    std::uint8_t* out = frame->stream.empty() ? nullptr : frame->stream.data();
    std::size_t size = 0;
    std::int32_t tokens = 0;
    const auto put = [&](std::uint8_t byte) {
        if (out)
            out[size] = byte;
        ++size;
    };
    for (int y = 0; y < rows; ++y) {
        const unsigned char* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch + first;
        int x = 0;
        while (x < frameWidth) {
            const int k = image.CheckNotEqual(pixels, static_cast<short>(x), static_cast<short>(y),
                static_cast<short>(pitch), static_cast<short>(first), static_cast<short>(frameWidth));
            ++tokens;
            if (k > 0) {
                put(static_cast<std::uint8_t>(kRLELiteral + k));
                for (int i = 0; i < k; ++i)
                    put(row[x + i]);
                x += k;
                continue;
            }
            const std::uint8_t v = row[x];
            int n = 1;
            while (n < kRLEMaxRun && x + n < frameWidth && row[x + n] == v)
                ++n;
            if (v == 0) {
                put(static_cast<std::uint8_t>(kRLESkip + n));
            } else if (v == 1) {
                put(static_cast<std::uint8_t>(kRLEShadow + n));
            } else {
                put(static_cast<std::uint8_t>(kRLERun + n));
                put(v);
            }
            x += n;
        }
    }
    frame->nTokens = tokens;
    if (!out)
        frame->stream.resize(size);
}

} // namespace

int CImageBase::Encode(int frames)
{
    if (_BytesPerPixel != 1 || _pRLEHeader || _bRLE || frames < 1 || frames > _Width || _Height > INT16_MAX
        || _Width > INT16_MAX)
        return 0;
    const unsigned char* pixels = Lock();
    if (!pixels)
        return 0;
    auto header = std::make_unique<CRLEHeader>();
    header->nFrames = static_cast<std::int16_t>(frames);
    header->nFrameWidth = static_cast<std::int16_t>(_Width / frames);
    header->nRows = static_cast<std::int16_t>(_Height);
    header->frames.resize(static_cast<std::size_t>(frames));
    for (int f = 0; f < frames; ++f) {
        CRLEFrame& frame = header->frames[static_cast<std::size_t>(f)];
        const int first = f * header->nFrameWidth;
        EncodeFrame(*this, pixels, _Pitch, first, header->nFrameWidth, _Height, &frame);
        EncodeFrame(*this, pixels, _Pitch, first, header->nFrameWidth, _Height, &frame);
        _nRLE += static_cast<std::int32_t>(frame.stream.size());
    }
    Unlock();
    _nBitmap += _Height * _Pitch;
    RemoveBuffer();
    ReleaseSurface();
    _pRLEHeader = std::move(header);
    _bRLE = 1;
    return 1;
}

namespace {

constexpr int kTokenKind = 0xC0;

std::uint16_t Pixel(const std::uint32_t* table, std::uint8_t v)
{
    return static_cast<std::uint16_t>(table[v]);
}

// The common loop of every decoder. Kernel gives Shadow(d), Value(v, d) and, for the modes that draw on
// transparent pixels, Skip(d); kDrawsSkip says which.
template <class Kernel> void Decode(const CRLEFrame& frame, int frameWidth, const CRLETarget& t, Kernel k)
{
    if (frameWidth <= 0)
        return;
    // The window, narrowed to the columns and rows that land inside the destination.
    int left = t.left, right = t.right, top = t.top, bottom = t.bottom;
    if (t.x < 0)
        left = std::max(left, (-t.x) << t.shift);
    right = std::min(right, t.width - t.x <= 0 ? 0 : (t.width - t.x) << t.shift);
    top = std::max(top, -t.y);
    bottom = std::min(bottom, t.height - t.y);
    if (left >= right || top >= bottom)
        return;
    const std::uint8_t* p = frame.stream.data();
    const std::uint8_t* end = p + frame.stream.size();
    int cx = 0, ry = 0, cs = 0, rs = 0;
    const int mask = t.mask;
    // The destination row of output row ry, formed only for rows inside the destination.
    std::uint16_t* row = nullptr;
    const auto rowAt = [&] {
        row = ry >= top && ry < bottom ? t.pixels + static_cast<std::ptrdiff_t>(t.y + ry) * t.pitch + t.x
                                       : nullptr;
    };
    rowAt();
    const auto advance = [&](int n) {
        cx += n;
        cs = (cs + n) & mask;
        while (cx >= frameWidth) {
            cx -= frameWidth;
            rs = (rs + 1) & mask;
            if (rs == 0) {
                ++ry;
                if (ry >= bottom)
                    return false;
                rowAt();
            }
        }
        return true;
    };
    while (p < end) {
        const std::uint8_t b = *p++;
        const int n = b & 63;
        const int kind = b & kTokenKind;
        const std::uint8_t* values = nullptr;
        std::uint8_t value = 0;
        if (kind == kRLERun) {
            if (p >= end)
                return;
            value = *p++;
        } else if (kind == kRLELiteral) {
            if (end - p < n)
                return;
            values = p;
            p += n;
        }
        if (kind == kRLESkip && !Kernel::kDrawsSkip) {
            if (!advance(n))
                return;
            continue;
        }
        // Only rows of the window with their row sub-counter at 0 write anything.
        if (row == nullptr || rs != 0) {
            if (!advance(n))
                return;
            continue;
        }
        for (int i = 0; i < n; ++i) {
            if (cs == 0 && cx >= left && cx < right) {
                std::uint16_t& d = row[cx >> t.shift];
                switch (kind) {
                case kRLESkip:
                    k.Skip(d);
                    break;
                case kRLEShadow:
                    k.Shadow(d);
                    break;
                case kRLERun:
                    k.Value(value, d);
                    break;
                default:
                    k.Value(values[i], d);
                    break;
                }
            }
            if (!advance(1))
                return;
        }
    }
}

template <bool k565> struct NormalKernel {
    static constexpr bool kDrawsSkip = false;
    const std::uint32_t* table;
    void Skip(std::uint16_t&) const { }
    void Shadow(std::uint16_t& d) const
    {
        d = static_cast<std::uint16_t>((d >> 1) & (k565 ? 0x7BEF : 0x3DEF));
    }
    void Value(std::uint8_t v, std::uint16_t& d) const { d = Pixel(table, v); }
};

// Each 5-bit field through a row of a blend table: 565 takes green's upper five bits and loses its
// lowest, 555 keeps bit 15.
template <bool k565> std::uint16_t Blend(std::uint16_t d, const std::uint8_t* row)
{
    if (k565) {
        return static_cast<std::uint16_t>(row[d >> 11] << 11 | row[(d >> 6) & 31] << 6 | row[d & 31]);
    }
    return static_cast<std::uint16_t>(
        (d & 0x8000) | row[(d >> 10) & 31] << 10 | row[(d >> 5) & 31] << 5 | row[d & 31]);
}

template <bool k565> struct AlphaKernel {
    static constexpr bool kDrawsSkip = false;
    void Skip(std::uint16_t&) const { }
    void Shadow(std::uint16_t& d) const { d = Blend<k565>(d, CImageBase::_Alphatab); }
    void Value(std::uint8_t v, std::uint16_t& d) const
    {
        d = Blend<k565>(d, CImageBase::_Alphatab + (v >> 3) * 32);
    }
};

// Multiply mode blackens what the other modes leave alone; 0xFF marks its transparent pixels.
template <bool k565> struct MulKernel {
    static constexpr bool kDrawsSkip = true;
    void Skip(std::uint16_t& d) const { d = Blend<k565>(d, CImageBase::_Multiplytab); }
    void Shadow(std::uint16_t& d) const { Skip(d); }
    void Value(std::uint8_t v, std::uint16_t& d) const
    {
        if (v != 0xFF)
            d = Blend<k565>(d, CImageBase::_Multiplytab + (v >> 3) * 32);
    }
};

template <bool k565> struct OpacityKernel {
    static constexpr bool kDrawsSkip = false;
    const std::uint32_t* table;
    int opacity;
    void Skip(std::uint16_t&) const { }
    void Blend(std::uint16_t& d, std::uint16_t s) const
    {
        if (k565)
            CImageBase::Opacity565(d, s, CImageBase::_Transtab, opacity);
        else
            CImageBase::Opacity555(d, s, CImageBase::_Transtab, opacity);
    }
    void Shadow(std::uint16_t& d) const
    {
        Blend(d, static_cast<std::uint16_t>((d >> 1) & (k565 ? 0x7BEF : 0x3DEF)));
    }
    void Value(std::uint8_t v, std::uint16_t& d) const { Blend(d, Pixel(table, v)); }
};

int MoveChannel(int dc, int sc, const std::uint8_t* row)
{
    return dc < sc ? dc + row[sc - dc] : dc - row[dc - sc];
}

} // namespace

void CImageBase::Opacity565(std::uint16_t& d, const std::uint16_t& s, const std::uint8_t* table, int opacity)
{
    const std::uint8_t* row = table + std::clamp(opacity, 0, 31) * 32;
    const int b = MoveChannel(d & 31, s & 31, row);
    const int g = MoveChannel((d >> 6) & 31, (s >> 6) & 31, row);
    const int r = MoveChannel(d >> 11, s >> 11, row);
    d = static_cast<std::uint16_t>(r << 11 | g << 6 | (d & 0x20) | b);
}

void CImageBase::Opacity555(std::uint16_t& d, const std::uint16_t& s, const std::uint8_t* table, int opacity)
{
    const std::uint8_t* row = table + std::clamp(opacity, 0, 31) * 32;
    const int b = MoveChannel(d & 31, s & 31, row);
    const int g = MoveChannel((d >> 5) & 31, (s >> 5) & 31, row);
    const int r = MoveChannel((d >> 10) & 31, (s >> 10) & 31, row);
    d = static_cast<std::uint16_t>((d & 0x8000) | r << 10 | g << 5 | b);
}

void CImageBase::DrawNormal(const CRLEFrame& frame, int frameWidth, const CRLETarget& target)
{
    if (CVideo::_RGBFormat == 0)
        Decode(frame, frameWidth, target, NormalKernel<true> { target.table });
    else
        Decode(frame, frameWidth, target, NormalKernel<false> { target.table });
}

void CImageBase::DrawAlpha565(const CRLEFrame& frame, int frameWidth, const CRLETarget& target)
{
    Decode(frame, frameWidth, target, AlphaKernel<true> {});
}

void CImageBase::DrawAlpha555(const CRLEFrame& frame, int frameWidth, const CRLETarget& target)
{
    Decode(frame, frameWidth, target, AlphaKernel<false> {});
}

void CImageBase::DrawMul565(const CRLEFrame& frame, int frameWidth, const CRLETarget& target)
{
    Decode(frame, frameWidth, target, MulKernel<true> {});
}

void CImageBase::DrawMul555(const CRLEFrame& frame, int frameWidth, const CRLETarget& target)
{
    Decode(frame, frameWidth, target, MulKernel<false> {});
}

void CImageBase::DrawOpacity565(const CRLEFrame& frame, int frameWidth, const CRLETarget& target)
{
    Decode(frame, frameWidth, target, OpacityKernel<true> { target.table, target.opacity });
}

void CImageBase::DrawOpacity555(const CRLEFrame& frame, int frameWidth, const CRLETarget& target)
{
    Decode(frame, frameWidth, target, OpacityKernel<false> { target.table, target.opacity });
}

void CImageBase::DrawRLE(CImage* dest, int x, int y, CRect src)
{
    if (!_pRLEHeader || !dest || dest->GetBytesPerPixel() != 2 || _pRLEHeader->frames.empty())
        return;
    const CRLEHeader& header = *_pRLEHeader;
    const int current = std::clamp<int>(header.nCurrentFrame, 0, header.nFrames - 1);
    unsigned char* pixels = dest->Lock();
    if (!pixels)
        return;
    static const std::uint32_t kBlack[256] = {};
    CRLETarget t;
    t.pixels = reinterpret_cast<std::uint16_t*>(pixels);
    t.pitch = dest->GetPitch() / 2;
    t.width = dest->GetWidth();
    t.height = dest->GetHeight();
    t.x = x;
    t.y = y;
    t.shift = _ScaleShift >= 1 && _ScaleShift <= 5 ? _ScaleShift : 0;
    t.mask = (1 << t.shift) - 1;
    t.left = src.left;
    t.right = src.right;
    t.top = src.top >> t.shift;
    t.bottom = src.bottom >> t.shift;
    t.table = _pPalette ? _pPalette->GetTable(_Light) : kBlack;
    t.opacity = _Opacity;
    const CRLEFrame& frame = header.frames[static_cast<std::size_t>(current)];
    const bool is565 = CVideo::_RGBFormat == 0;
    switch (_Type) {
    case IMAGE_TRANSLUCENT:
        (is565 ? DrawOpacity565 : DrawOpacity555)(frame, header.nFrameWidth, t);
        break;
    case IMAGE_MULTIPLY:
        (is565 ? DrawMul565 : DrawMul555)(frame, header.nFrameWidth, t);
        break;
    case IMAGE_ALPHA:
        (is565 ? DrawAlpha565 : DrawAlpha555)(frame, header.nFrameWidth, t);
        break;
    default:
        DrawNormal(frame, header.nFrameWidth, t);
        break;
    }
    dest->Unlock();
}
