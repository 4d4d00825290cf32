// CFont and CFontDB (gpFontDB): bitmap fonts made from 8-bit font pictures, one run-length glyph per
// character, printed with inline colour codes, line breaks and an optional drop shadow; fonts register
// themselves by file name, where every caller finds them.
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/point_rect.h"
#include "foundation/ternary.h"
#include "gfx/video.h"

class CImage;
class CSprite;

// One glyph: each byte a run, the colour index in the high four bits (0 transparent) and the length less
// one in the low four, row after row over the glyph's width.
struct CCharRLE {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::int16_t count = 0;
    std::int16_t width = 0;
};

class CFont : public CVideo {
public:
    CFont();
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // Builds the glyphs from the font picture, whose cells are lineHeight rows each, stacked: the
    // characters 33 to 255 in order, or those of characters in their order. Registers the font in gpFontDB
    // under the file name. 0 when the file is missing ("Font %s not found" on standard error) or is not an
    // 8-bit picture ("bitmap error %s." in the diagnostic trace).
    int Init(const char* file, int lineHeight, const char* characters);
    // The character draws a private sprite of the file instead of its glyph, and advances by its width.
    void AddSprite(const char* file, unsigned char character);
    void KillSprites();

    // Prints into the target from (x, y) in the colour (a 16-bit pixel; 8-bit targets take each glyph
    // pixel's own index). A glyph not wholly inside clip is not drawn but still advances. Answers the x after
    // the last character; 0 for a null text.
    int Print(const char* text, int x, int y, CRect clip, CImage* target, std::uint16_t colour);
    // The clip defaults to the whole target; Center starts at x − Length / 2, Right at x − Length.
    int Print(const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip = nullptr);
    int PrintCenter(
        const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip = nullptr);
    int PrintRight(
        const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip = nullptr);
    // The same with a drop shadow one pixel right and down.
    int PrintDrop(
        const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip = nullptr);
    int PrintDropCenter(
        const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip = nullptr);
    int PrintDropRight(
        const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip = nullptr);

    // The width the text takes; codes and line breaks take none. 0 for a null text.
    int Length(const char* text);
    // The colour in force after the text when printing starts in colour.
    std::uint16_t GetLastColor(const char* text, std::uint16_t colour);
    // How many lines the text takes wrapped at width pixels; words over 255 characters are cut.
    int GetLineBreaks(const char* text, int width);

    // The advance of one character: its glyph's width, or the font's cell width for one without glyph.
    int CharWidth(unsigned char character) const { return Advance(character); }
    int GetLineHeight() const { return _LineHeight; }
    int GetGlyphWidth() const { return _GlyphWidth; }
    const char* GetName() const { return _Name.get(); }
    const CCharRLE* GetGlyph(unsigned char character) const { return _Glyphs[character].get(); }

private:
    int PrintAligned(const char* text, int x, int y, CImage* target, std::uint16_t colour, CRect* clip,
        int align, bool drop);
    void DrawGlyph(const CCharRLE& glyph, int x, int y, CImage* target, std::uint16_t colour);
    int Advance(unsigned char character) const;

    std::int32_t _GlyphWidth = 0;
    std::unique_ptr<CCharRLE> _Glyphs[256];
    std::unique_ptr<char[]> _Name;
    std::int32_t _LineHeight = 0;
    std::unique_ptr<CSprite> _Sprites[256];
    std::int32_t _DropShadow = 0;
};

// Fonts by file name, letter case ignored; deletes every font it holds when destroyed.
class CFontDB : public CTernary<CFont*> {
public:
    ~CFontDB() override { DeleteAll(); }
    // The registered font, or null.
    CFont* GetFont(const char* file) const { return Get(file); }
};

extern CFontDB* gpFontDB;
extern CFont* SmallFont;
extern CFont* BoldFont;
extern CFont* LargeFont;
extern CFont* Font20;
extern CFont* ExtraTinyFont;

// The registered font of that file; null before the registry exists or for a file never loaded.
inline CFont* FindFont(const char* file)
{
    return gpFontDB ? gpFontDB->GetFont(file) : nullptr;
}

// The five fonts of the interface, registered in gpFontDB (made here when there is none), with the coin
// for "$" where the interface shows money. 1 when all loaded.
int LoadInterfaceFonts();
