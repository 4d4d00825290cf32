// Bitmap fonts: glyphs cut from the font pictures, printing and measuring with the inline colour codes,
// line breaking, and the registry of fonts by file name.
#include "gfx/font.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "foundation/data_file.h"
#include "foundation/logs.h"
#include "gfx/bitmap_file.h"
#include "gfx/image.h"
#include "gfx/sprite.h"

#include "foundation/safeguards.h"

CFontDB* gpFontDB = nullptr;
CFont* SmallFont = nullptr;
CFont* BoldFont = nullptr;
CFont* LargeFont = nullptr;
CFont* Font20 = nullptr;
CFont* ExtraTinyFont = nullptr;

namespace {

constexpr unsigned char kSection = 167;
constexpr unsigned char kNoBreakSpace = 160;
constexpr int kFirstCell = 33;
constexpr int kBackground = 255;
constexpr int kMaxWord = 255;

enum class Item { End, Glyph, Colour, NewLine, Space, Nothing };

struct Step {
    Item kind;
    unsigned char character = 0;
    std::uint16_t colour = 0;
};

// Steps over up to n characters, never past the terminating zero.
void SkipUpTo(const unsigned char*& p, int n)
{
    for (int i = 0; i < n && *p; ++i)
        ++p;
}

int ColourDigit(unsigned char c)
{
    return std::clamp((static_cast<int>(c) - '0') * 32, 0, 255);
}

// The next thing the text asks for, p moved past it. Measuring steps over "% " and a section sign with an
// unknown letter four characters at a time, as the width has always been counted.
Step Next(const unsigned char*& p, std::uint16_t start, bool measuring)
{
    const unsigned char c = *p;
    if (c == 0)
        return { Item::End };
    const unsigned char n = p[1];
    switch (c) {
    case kSection:
        if (n == 0)
            return { Item::End };
        if (n == 'Y' || n == 'W' || n == 'B' || n == kSection) {
            p += 2;
            const std::uint16_t colour = n == 'Y' ? CVideo::TrueToHigh(240, 220, 176)
                : n == 'W'                        ? CVideo::TrueToHigh(255, 255, 255)
                : n == 'B'                        ? CVideo::TrueToHigh(0, 0, 0)
                                                  : start;
            return { Item::Colour, 0, colour };
        }
        if (measuring) {
            SkipUpTo(p, 4);
            return { Item::Nothing };
        }
        ++p;
        return { Item::Space };
    case '%':
        if (n == 0)
            return { Item::End };
        if (n == ' ') {
            if (measuring) {
                SkipUpTo(p, 4);
                return { Item::Nothing };
            }
            p += 2;
            return { Item::Glyph, '%' };
        }
        if (p[2] == 0 || p[3] == 0) {
            SkipUpTo(p, 4);
            return { Item::End };
        }
        p += 4;
        return { Item::Colour, 0,
            CVideo::TrueToHigh(ColourDigit(p[-1]), ColourDigit(p[-2]), ColourDigit(p[-3])) };
    case '\\':
        if (n == 0)
            return { Item::End };
        p += 2;
        return n == 'n' ? Step { Item::NewLine } : Step { Item::Glyph, n };
    case '\r':
    case '\n':
        ++p;
        return { Item::Nothing };
    case kNoBreakSpace:
        ++p;
        return { Item::Glyph, ' ' };
    default:
        ++p;
        return { Item::Glyph, c };
    }
}

const unsigned char* Bytes(const char* text)
{
    return reinterpret_cast<const unsigned char*>(text);
}

// A glyph of the cell's rows: runs of one colour index, at most 16 long, across row ends.
std::unique_ptr<CCharRLE> MakeGlyph(const unsigned char* cell, int pitch, int cellWidth, int rows)
{
    int width = 0;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cellWidth; ++x)
            if (cell[y * pitch + x] != kBackground)
                width = std::max(width, x + 1);
    auto glyph = std::make_unique<CCharRLE>();
    glyph->width = static_cast<std::int16_t>(std::max(width, 1));
    std::vector<std::uint8_t> runs;
    int current = -1, length = 0;
    const auto flush = [&] {
        if (length > 0)
            runs.push_back(static_cast<std::uint8_t>(current << 4 | (length - 1)));
        length = 0;
    };
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < glyph->width; ++x) {
            const int v = cell[y * pitch + x];
            const int index = v == kBackground ? 0 : v & 15;
            if (index != current || length == 16) {
                flush();
                current = index;
            }
            ++length;
        }
    }
    flush();
    glyph->count = static_cast<std::int16_t>(std::min<std::size_t>(runs.size(), INT16_MAX));
    glyph->bytes = std::make_unique<std::uint8_t[]>(runs.size() + 1);
    std::copy(runs.begin(), runs.begin() + glyph->count, glyph->bytes.get());
    return glyph;
}

} // namespace

CFont::CFont() = default;

CFont::~CFont() = default;

int CFont::Init(const char* file, int lineHeight, const char* characters)
{
    if (!file)
        return 0;
    {
        CFile probe(file);
        if (probe.ErrorFlag()) {
            std::fprintf(stderr, "Font %s not found\n", file);
            return 0;
        }
    }
    CBitmap bitmap(file);
    const unsigned char* pixels = bitmap.Lock();
    // Glyphs are cut a byte a pixel: a picture packed below 8 bits has rows narrower than its width.
    if (!pixels || bitmap.GetBytesPerPixel() != 1 || bitmap.GetBitsPerPixel() != 8
        || bitmap.GetPitch() < bitmap.GetWidth() || lineHeight < 1 || bitmap.GetWidth() < 1) {
        superdebug("bitmap error %s.", file);
        return 0;
    }
    if (gpFontDB)
        gpFontDB->Add(file, this);
    const std::size_t length = std::strlen(file);
    _Name = std::make_unique<char[]>(length + 1);
    std::memcpy(_Name.get(), file, length + 1);
    _LineHeight = lineHeight;
    _GlyphWidth = bitmap.GetWidth();
    auto space = std::make_unique<CCharRLE>();
    space->width = static_cast<std::int16_t>(std::min(_GlyphWidth / 6, static_cast<int>(INT16_MAX)));
    space->bytes = std::make_unique<std::uint8_t[]>(1);
    _Glyphs[static_cast<unsigned char>(' ')] = std::move(space);
    const int cells = characters ? static_cast<int>(std::strlen(characters)) : 256 - kFirstCell;
    // Cells past the picture's last row are left without glyphs.
    const int available = bitmap.GetHeight() / lineHeight;
    const int cellWidth = std::min(_GlyphWidth, static_cast<int>(INT16_MAX));
    for (int i = 0; i < std::min(cells, available); ++i) {
        const unsigned char character = characters ? static_cast<unsigned char>(characters[i])
                                                   : static_cast<unsigned char>(kFirstCell + i);
        _Glyphs[character]
            = MakeGlyph(pixels + static_cast<std::ptrdiff_t>(i) * lineHeight * bitmap.GetPitch(),
                bitmap.GetPitch(), cellWidth, lineHeight);
    }
    return 1;
}

void CFont::AddSprite(const char* file, unsigned char character)
{
    auto sprite = std::make_unique<CSprite>(file);
    sprite->Individualize();
    if (!_Glyphs[character]) {
        _Glyphs[character] = std::make_unique<CCharRLE>();
        _Glyphs[character]->bytes = std::make_unique<std::uint8_t[]>(1);
    }
    _Glyphs[character]->width = static_cast<std::int16_t>(sprite->GetWidth());
    _Sprites[character] = std::move(sprite);
}

void CFont::KillSprites()
{
    for (auto& sprite : _Sprites)
        sprite.reset();
}

int CFont::Advance(unsigned char character) const
{
    return _Glyphs[character] ? _Glyphs[character]->width : _GlyphWidth;
}

void CFont::DrawGlyph(const CCharRLE& glyph, int x, int y, CImage* target, std::uint16_t colour)
{
    unsigned char* base = target->Lock();
    if (!base || glyph.width <= 0)
        return;
    const int bytes = target->GetBytesPerPixel();
    const int w = target->GetWidth(), h = target->GetHeight(), pitch = target->GetPitch();
    const auto put = [&](int px, int py, int index, bool shadow) {
        if (px < 0 || py < 0 || px >= w || py >= h)
            return;
        unsigned char* at
            = base + static_cast<std::ptrdiff_t>(py) * pitch + static_cast<std::ptrdiff_t>(px) * bytes;
        if (bytes == 2)
            *reinterpret_cast<std::uint16_t*>(at) = shadow ? 0 : colour;
        else if (bytes == 1)
            *at = shadow ? 0 : static_cast<unsigned char>(index);
    };
    int i = 0;
    for (int r = 0; r < glyph.count; ++r) {
        const int index = glyph.bytes[r] >> 4, length = (glyph.bytes[r] & 15) + 1;
        for (int k = 0; k < length; ++k, ++i) {
            if (index == 0)
                continue;
            const int px = x + i % glyph.width, py = y + i / glyph.width;
            put(px, py, index, false);
            if (_DropShadow)
                put(px + 1, py + 1, 0, true);
        }
    }
}

int CFont::Print(const char* text, int x, int y, CRect clip, CImage* target, std::uint16_t colour)
{
    if (!text || !target)
        return 0;
    if (!target->Lock())
        return x;
    const int startX = x;
    const std::uint16_t start = colour;
    const unsigned char* p = Bytes(text);
    for (;;) {
        const Step step = Next(p, start, false);
        if (step.kind == Item::End)
            break;
        switch (step.kind) {
        case Item::Colour:
            colour = step.colour;
            break;
        case Item::NewLine:
            x = startX;
            y += _LineHeight;
            break;
        case Item::Space:
            x += Advance(' ');
            break;
        case Item::Glyph: {
            const unsigned char c = step.character;
            if (_Sprites[c]) {
                CSprite& sprite = *_Sprites[c];
                sprite.SetDestinationImage(target);
                sprite.SetClippingArea(&clip);
                sprite.MoveTo(x, y);
                sprite.Draw(DRAW_TYPE_0);
                x += Advance(c);
                break;
            }
            const CCharRLE* glyph = _Glyphs[c].get();
            if (!glyph)
                break;
            if (x >= clip.left && x + glyph->width <= clip.right && y >= clip.top
                && y <= clip.bottom - _LineHeight)
                DrawGlyph(*glyph, x, y, target, colour);
            x += glyph->width;
            break;
        }
        default:
            break;
        }
    }
    target->Unlock();
    return x;
}

int CFont::PrintAligned(
    const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip, int align, bool drop)
{
    if (!text || !target)
        return 0;
    const CRect whole(0, 0, target->GetWidth(), target->GetHeight());
    if (align == 1)
        x -= Length(text) / 2;
    else if (align == 2)
        x -= Length(text);
    _DropShadow = drop ? 1 : 0;
    const int end = Print(text, x, y, clip ? *clip : whole, target, colour);
    _DropShadow = 0;
    return end;
}

int CFont::Print(const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip)
{
    return PrintAligned(text, x, y, target, colour, clip, 0, false);
}

int CFont::PrintCenter(const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip)
{
    return PrintAligned(text, x, y, target, colour, clip, 1, false);
}

int CFont::PrintRight(const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip)
{
    return PrintAligned(text, x, y, target, colour, clip, 2, false);
}

int CFont::PrintDrop(const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip)
{
    return PrintAligned(text, x, y, target, colour, clip, 0, true);
}

int CFont::PrintDropCenter(const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip)
{
    return PrintAligned(text, x, y, target, colour, clip, 1, true);
}

int CFont::PrintDropRight(const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip)
{
    return PrintAligned(text, x, y, target, colour, clip, 2, true);
}

int CFont::Length(const char* text)
{
    if (!text)
        return 0;
    int width = 0;
    const unsigned char* p = Bytes(text);
    for (Step step = Next(p, 0, true); step.kind != Item::End; step = Next(p, 0, true)) {
        if (step.kind == Item::Glyph)
            width += Advance(step.character);
    }
    return width;
}

std::uint16_t CFont::GetLastColor(const char* text, std::uint16_t colour)
{
    if (!text)
        return colour;
    const std::uint16_t start = colour;
    const unsigned char* p = Bytes(text);
    for (Step step = Next(p, start, false); step.kind != Item::End; step = Next(p, start, false)) {
        if (step.kind == Item::Colour)
            colour = step.colour;
    }
    return colour;
}

int CFont::GetLineBreaks(const char* text, int width)
{
    if (!text)
        return 0;
    int lines = 1;
    int lineWidth = 0; // 0: nothing on the line yet
    int lineChars = 0;
    const int space = Advance(' ');
    const auto breakLine = [&] {
        ++lines;
        lineWidth = 0;
        lineChars = 0;
    };
    const unsigned char* p = Bytes(text);
    while (*p) {
        if (*p == '\r' || *p == '\n' || (*p == '\\' && p[1] == 'n')) {
            p += *p == '\\' ? 2 : 1;
            breakLine();
            continue;
        }
        if (*p == ' ') {
            ++p;
            continue;
        }
        // One word, cut at 255 characters.
        char word[kMaxWord + 1];
        int n = 0;
        while (*p && *p != ' ' && *p != '\r' && *p != '\n' && !(*p == '\\' && p[1] == 'n') && n < kMaxWord)
            word[n++] = static_cast<char>(*p++);
        word[n] = '\0';
        const int wordWidth = Length(word);
        const int gap = lineChars > 0 ? space : 0;
        if (lineChars > 0 && (lineWidth + gap + wordWidth > width || lineChars + 1 + n > kMaxWord))
            breakLine();
        if (wordWidth > width) {
            // Wider than a line: cut where a character passes the width.
            for (int i = 0; i < n; ++i) {
                const char one[2] = { word[i], '\0' };
                const int w = Length(one);
                if (lineChars > 0 && lineWidth + w > width)
                    breakLine();
                lineWidth += w;
                ++lineChars;
            }
            continue;
        }
        lineWidth += (lineChars > 0 ? space : 0) + wordWidth;
        lineChars += (lineChars > 0 ? 1 : 0) + n;
    }
    return lines;
}

int LoadInterfaceFonts()
{
    if (!gpFontDB)
        gpFontDB = new CFontDB;
    const struct {
        CFont** global;
        const char* file;
        int lineHeight;
        bool coin;
    } fonts[] = {
        { &SmallFont, "gfx\\fonts\\proforma12.bmp", 14, true },
        { &BoldFont, "gfx\\fonts\\proformaB12.bmp", 14, true },
        { &LargeFont, "gfx\\fonts\\Lafayette36.bmp", 30, false },
        { &Font20, "gfx\\fonts\\Lafayette30.bmp", 20, true },
        { &ExtraTinyFont, "gfx\\fonts\\arial8.bmp", 8, false },
    };
    int loaded = 1;
    for (const auto& f : fonts) {
        auto font = std::make_unique<CFont>();
        if (!font->Init(f.file, f.lineHeight, nullptr)) {
            loaded = 0;
            continue;
        }
        if (f.coin)
            font->AddSprite("gfx\\fonts\\coin.bmp", '$');
        *f.global = font.release();
    }
    return loaded;
}
