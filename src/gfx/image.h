// CImageBase and CImage: a picture the game draws, loaded from a bitmap file or made blank by size, its
// pixels held in an emulated DirectDraw surface of its own (or, for the screen image, the display's
// primary surface), locked for drawing, and the general blit with its clipping, scroll wrap and copy paths.
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/point_rect.h"
#include "gfx/bitmap_file.h"
#include "gfx/image_types.h"
#include "gfx/video.h"
#include "platform/ddraw/ddraw_types.h"

class CFile;
class CImage;
class CPalette;
struct CRLEFrame;
struct CRLEHeader;
struct CRLETarget;

inline constexpr const char* kDummyImageName = "gfx/dummy.bmp";
inline constexpr const char* kSizedImageName = "sized image";
// How often Lock() tries again a lock that keeps failing before it gives up with null.
inline constexpr int kImageLockAttempts = 64;

class CImageBase : public CBitmap, public CVideo {
public:
    // A blank image named "sized image" of 8 or 16 bits, its pixels cleared: a surface of its own for the
    // video, system and locked-surface types (a video image that cannot have one is "gfx/dummy.bmp" as a
    // system image); nothing for the screen type, which gets the display's surface attached.
    CImageBase(int width, int height, int bits, ImageType type);
    // Loads the file; when it cannot be loaded, "gfx/dummy.bmp" in its place, under that name.
    CImageBase(const char* file, ImageType type, bool rle);
    // Releases the surface unless it is the display's primary surface.
    ~CImageBase() override;

    // Takes the name, the screen palette and the pixels of the file (or of the fallback picture).
    void Init(const char* file, ImageType type);
    // 1 when the file was loaded, or when the type keeps no pixels of its own; 0 otherwise.
    int Create(const char* file, ImageType type);
    int CreateVideoType(const char* file);
    int CreateSystemType(const char* file);
    // Attaches a surface the image does not own (the display's primary surface) and takes its pitch.
    void SetScreenSurface(Windows::IDirectDrawSurface7* surface, Windows::DDSURFACEDESC2* desc);

    // The first pixel with the surface locked, or null when it cannot be locked (after a bounded number
    // of attempts). Locks do not count up: one Unlock ends them all.
    unsigned char* Lock() override;
    unsigned char* Lock(int x, int y) override;
    void Unlock() override;
    // Locks write-only for a software copy; null on failure. The flag tells Draw who holds the lock.
    unsigned char* LockImageSurface();
    bool UnlockImageSurface();

    void Fill8Bit(unsigned char index);
    void Fill16Bit(unsigned short pixel);
    // 8-bit images to index 0, 16-bit ones to the transparent colour.
    void Clear();
    // 1 for a transparent pixel of a plain image (index 0 or 1, or the transparent colour); encoded
    // images and points outside the image answer 0.
    int IsPixelTransparent(int x, int y);
    // 1 when a 16-bit image holds pure green of the current format anywhere (padding included).
    int ScanTransparency();
    // Where (0, 0) of a drawing into this image lands, wrapped into the image.
    void SetScrollOffset(int x, int y);
    void SetScrollOffsetRelative(int dx, int dy);

    // Draws src of this image at (x, y) of dest (x and the source columns rounded down to even), clipped
    // to clip (the destination when null; the caller's clip is rounded too). 1 when something was drawn,
    // 0 when clipped away or wholly inside cover.
    int Draw(int x, int y, CRect src, CRect* clip, CImage* dest, CRect* cover);
    int Draw(int x, int y, CImage* dest);
    // Brings (x, y) and src inside clip at the scale shift; 1 when something is left.
    int ClipImage(int* x, int* y, CRect* src, CRect* clip) const;

    // The software copy paths of Draw, on locked pixels; each stays inside both images.
    void FastBltAsm16to16(int x, int y, CRect* src, CImage* dest);
    void FastBltAsm8to8(int x, int y, CRect* src, CImage* dest);
    // 8-bit indices through the palette into 16-bit 5-5-5 pixels: index 0 keeps the destination, index 1
    // halves it; the destination wraps round as a torus. Nothing in 5-6-5.
    void proc_SpriteMacro(int x, int y, CRect* src, CImage* dest);
    // One row of proc_SpriteMacro: pairs pixel pairs from source pixels (2i << shift, (2i + 1) << shift)
    // into the destination row from column on, wrapping at destWidth.
    static void proc_ScaleMacro15(std::uint16_t* destRow, int destWidth, int column, const std::uint8_t* from,
        int pairs, int shift, const std::uint32_t* table);
    // A system image row by row into the screen image at the position, unkeyed, clipped to the screen.
    void BlitToScreen(CImage* dest, CRect* src, CRect* position);
    // This image into dest at (x, y), starting from the source column and row and wrapping round.
    void BlitScroll(int x, int y, int sourceColumn, int sourceRow, CImage* dest);

    const char* GetName() const { return _Name; }
    ImageType GetType() const { return _Type; }
    // The draw mode of an encoded image (plain, alpha, translucent or multiply) is its type.
    void SetType(ImageType type) { _Type = type; }
    CPalette* GetPalette() const { return _pPalette; }
    void SetPalette(CPalette* palette) { _pPalette = palette; }
    bool IsRLE() const { return _bRLE != 0; }
    Windows::IDirectDrawSurface7* GetSurface() const { return _pSurface; }
    int GetOpacity() const { return _Opacity; }
    void SetOpacity(int opacity) { _Opacity = opacity; }
    int GetScale() const { return _ScaleShift; }
    void SetScale(int shift) { _ScaleShift = shift; }
    int GetLight() const { return _Light; }
    void SetLight(int light) { _Light = light; }
    int GetScrollX() const { return _ScrollX; }
    int GetScrollY() const { return _ScrollY; }
    bool HasTransparency() const { return _bHasTransparency != 0; }
    // What ScanTransparency would find, for images composed by hand: keyed pixels are skipped when drawn.
    void SetHasTransparency(bool has) { _bHasTransparency = has ? 1 : 0; }
    int GetLockCount() const { return _LockCount; }
    // Null for a plain image.
    const CRLEHeader* GetRLEHeader() const { return _pRLEHeader.get(); }

    // Cuts an 8-bit image into frames side by side and replaces its pixels by their run-length form.
    // 1 on success; 0, changing nothing, for an image that is not 8-bit or already encoded, or for a
    // frame count below 1 or above the width.
    int Encode(int frames);
    // The length of the literal that may start at column x of row y of the frame beginning at column
    // first: the following pixels that are neither transparent nor shadow and differ from their right
    // neighbour, at most 62, never reaching the row's last pixel.
    short CheckNotEqual(
        const unsigned char* pixels, short x, short y, short pitch, short first, short frameWidth) const;
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

    // Moves the 5-bit fields of d towards those of s by opacity / 32 of the way.
    static void Opacity565(std::uint16_t& d, const std::uint16_t& s, const std::uint8_t* table, int opacity);
    static void Opacity555(std::uint16_t& d, const std::uint16_t& s, const std::uint8_t* table, int opacity);

    // Pure green of the current format: the colour keyed copies leave out.
    static std::uint16_t Transparent16Bit;

protected:
    static void DrawNormal(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawAlpha565(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawAlpha555(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawMul565(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawMul555(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawOpacity565(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);
    static void DrawOpacity555(const CRLEFrame& frame, int frameWidth, const CRLETarget& target);

    // Gives the surface back unless it is the display's primary surface; the image keeps no pixels.
    void ReleaseSurface();
    // Locks the surface with the flags, restoring it while it answers "surface lost"; the error is left
    // in result. Bounded like Lock().
    static Windows::HRESULT LockWithRestore(
        Windows::IDirectDrawSurface7* surface, Windows::DDSURFACEDESC2* desc, Windows::DWORD flags);
    // A new surface of the description holding the file's pixels replaces the image's; false (nothing
    // changed) when it cannot be made or loaded.
    bool LoadIntoSurface(CFile* file, Windows::DDSURFACEDESC2& desc, Windows::DWORD lockFlags);
    // The pitch of a locked surface, clearing its rows when asked.
    bool TakeSurface(Windows::IDirectDrawSurface7* surface, bool clear);

    Windows::IDirectDrawSurface7* _pSurface = nullptr;
    std::int32_t _Opacity = 31; // 0-31, for translucent drawing
    std::unique_ptr<CRLEHeader> _pRLEHeader;
    char _Name[512] = {};
    ImageType _Type = IMAGE_SYSTEM;
    std::int32_t _bLockedSurface = 0;
    std::int32_t _ScaleShift = 0; // a draw covers width >> shift by height >> shift
    CPalette* _pPalette = nullptr; // not owned: palettes belong to their registry
    std::int32_t _ScrollX = 0;
    std::int32_t _ScrollY = 0;
    std::int32_t _Light = 0; // 0 normal, 1 half, 2 bright: the palette table of 8-bit pixels
    std::int32_t _bHasTransparency = 0;
    std::int32_t _bRLE = 0;
    std::int32_t _LockCount = 0;
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
