// CImageBase and CImage: a picture the game draws, loaded from a bitmap file or made blank by size.
// For now the pixels always live in the bitmap's own memory; surfaces and drawing come with the video.
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/point_rect.h"
#include "gfx/bitmap_file.h"
#include "gfx/image_types.h"
#include "gfx/video.h"

class CImage;
class CPalette;
struct CRLEFrame;
struct CRLEHeader;
struct CRLETarget;

inline constexpr const char* kDummyImageName = "gfx/dummy.bmp";
inline constexpr const char* kSizedImageName = "sized image";

class CImageBase : public CBitmap, public CVideo {
public:
    // A blank image named "sized image": 8 or 16 bits of zeroed pixels for the types that own pixels
    // (video, system, locked surface); nothing for the others or for a size that cannot be made.
    CImageBase(int width, int height, int bits, ImageType type);
    // Loads the file; when it cannot be loaded, "gfx/dummy.bmp" in its place, under that name.
    CImageBase(const char* file, ImageType type, bool rle);
    ~CImageBase() override;

    // Takes the name, the screen palette and the pixels of the file (or of the fallback picture).
    void Init(const char* file, ImageType type);
    // 1 when the file was loaded, or when the type keeps no pixels of its own; 0 otherwise.
    int Create(const char* file, ImageType type);

    const char* GetName() const { return _Name; }
    ImageType GetType() const { return _Type; }
    CPalette* GetPalette() const { return _pPalette; }
    void SetPalette(CPalette* palette) { _pPalette = palette; }
    bool IsRLE() const { return _bRLE != 0; }
    // The draw mode of an encoded image (plain, alpha, translucent or multiply) is its type.
    void SetType(ImageType type) { _Type = type; }
    int GetOpacity() const { return _Opacity; }
    void SetOpacity(int opacity) { _Opacity = opacity; }
    int GetScale() const { return _ScaleShift; }
    void SetScale(int shift) { _ScaleShift = shift; }
    int GetLight() const { return _Light; }
    void SetLight(int light) { _Light = light; }
    // Null for a plain image.
    const CRLEHeader* GetRLEHeader() const { return _pRLEHeader.get(); }

    // Draws src of this image at (x, y) into dest, cut to clip (the whole of dest when null). 0 when
    // nothing is left or the drawn rectangle lies wholly inside cover (it would be hidden), else 1.
    int Draw(int x, int y, CRect src, CRect* clip, CImage* dest, CRect* cover);
    int Draw(int x, int y, CImage* dest);
    // Cuts src and moves (x, y) so that the drawn part lies inside clip; 1 when something is left.
    int ClipImage(int* x, int* y, CRect* src, CRect* clip) const;
    // 1 for a transparent pixel of a plain image (index 0 or 1, or the transparent colour); encoded
    // images and points outside the image answer 0.
    int IsPixelTransparent(int x, int y);

    // Cuts an 8-bit image into frames side by side and replaces its pixels by their run-length form.
    // 1 on success; 0, changing nothing, for an image that is not 8-bit or already encoded, or for a
    // frame count below 1 or above the width.
    int Encode(int frames);
    // The length of the literal that may start at column x of row y of the frame beginning at column
    // first: the following pixels that are neither transparent nor shadow and differ from their right
    // neighbour, at most 62, never reaching the row's last pixel.
    short CheckNotEqual(const unsigned char* pixels, short x, short y, short pitch, short first,
        short frameWidth) const;
    // Decodes the current frame into the 16-bit image dest with the frame's (0, 0) at (x, y), writing only
    // the pixels of src (frame coordinates) that lie inside dest.
    void DrawRLE(CImage* dest, int x, int y, CRect src);

    // Builds the blend tables once at start-up.
    static void InitAlpha();
    static std::uint8_t _Alphatab[32 * 32];
    static std::uint8_t _Multiplytab[32 * 32];
    static std::uint8_t _Transtab[32 * 32];
    // Bytes of token data produced, and bytes of pixel data freed, by all encoding; nothing reads them.
    static std::int32_t _nRLE;
    static std::int32_t _nBitmap;
    // Pure green of the current format, never drawn by keyed copies.
    static std::uint16_t Transparent16Bit;

    // Moves the 5-bit fields of d towards those of s by opacity / 32 of the way.
    static void Opacity565(std::uint16_t& d, const std::uint16_t& s, const std::uint8_t* table, int opacity);
    static void Opacity555(std::uint16_t& d, const std::uint16_t& s, const std::uint8_t* table, int opacity);

protected:
    static void DrawNormal(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawAlpha565(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawAlpha555(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawMul565(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawMul555(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawOpacity565(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawOpacity555(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);

    char _Name[512] = {};
    ImageType _Type = IMAGE_SYSTEM;
    CPalette* _pPalette = nullptr; // not owned: palettes belong to their registry
    std::int32_t _Opacity = 31; // 0-31, for translucent drawing
    std::unique_ptr<CRLEHeader> _pRLEHeader;
    std::int32_t _ScaleShift = 0; // a draw covers width >> shift by height >> shift
    std::int32_t _Light = 0; // 0 normal, 1 half, 2 bright: the palette table of 8-bit pixels
    std::int32_t _bRLE = 0;
};

class CImage : public CImageBase {
public:
    CImage(int width, int height, int bits, ImageType type)
        : CImageBase(width, height, bits, type)
    {
    }
    CImage(const char* file, ImageType type, bool rle)
        : CImageBase(file, type, rle)
    {
    }

    // The pixel that lines are drawn in (low 16 bits).
    std::uint32_t GetLineColor() const { return _LineColor; }
    void SetLineColor(std::uint32_t colour) { _LineColor = colour; }

    // Rectangle operations on 16-bit images; the rectangle is cut to the image and to the back buffer.
    // Halves every channel; left and right are rounded down to even columns.
    void HalfIntensity(const CRect* rect);
    // Moves every channel towards full by gamma / 32 (gamma 0-31) of the way.
    void GammaRect(const CRect* rect, int gamma);
    // Scales blue by f1, green by f2 and red by f3, each capped at its channel's full value.
    void ColorRect(const CRect* rect, float f1, float f2, float f3);
    // Lines in the line colour between points brought into the image.
    void DrawLine16(CPoint a, CPoint b);
    // The same with every line pixel's four neighbours blended half-way towards the line colour's hue.
    void DrawLine16Aliased(CPoint a, CPoint b);
    // Paints the transparent area around (x, y), never its outermost rows and columns. Nothing happens
    // when (x, y) is not transparent or colour is the transparent colour itself.
    void FloodFill(int x, int y, unsigned short colour);
    // A triangle of one palette index in an 8-bit image.
    void FlatTriangle(int x1, int y1, int x2, int y2, int x3, int y3, unsigned char index);

    // Fills the triangle abc with colours[] interpolated between the corners' indices ia, ib, ic; only
    // triangles given with b left of the edge from a to c's side are drawn (the other winding draws
    // nothing). With an offset other than (0, 0) the area moved by it is darkened instead. Corners are
    // moved into the image; images taller than 1,280 rows are left alone.
    void DrawGouraudTriangle(CPoint& a, CPoint& b, CPoint& c, int ia, int ib, int ic,
        const unsigned short* colours, CPoint offset);

private:
    std::uint32_t _LineColor = 0;
};
