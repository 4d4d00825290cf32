// CSprite: a drawable showing one image, or one frame of a strip of frames, at a screen position; the base
// of buttons, map sprites, cursors and icons. Sprites of one file share one image through _ImageDB.
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/hash_table.h"
#include "foundation/point_rect.h"
#include "gfx/drawable.h"
#include "gfx/image_descriptor.h"

class CImage;
class CPalette;

// Something a sprite owns and destroys with itself.
class CSpriteAttachment {
public:
    virtual ~CSpriteAttachment() = default;
};

class CSprite : public CDrawable {
public:
    // Shows "gfx/dummy.bmp".
    CSprite();
    explicit CSprite(const char* file);
    // A private blank image of that size and depth, named "sized image".
    CSprite(int width, int height, int bits);
    ~CSprite() override;

    // Answers 1 (destroy me) once an animation set to remove itself has passed its last frame.
    int Update(CRZEvent* event) override;
    // Draws the current frame at the position less the origin plus the offset into the destination, cut
    // to the clipping rectangle. The pass is ignored; always 0.
    int Draw(CRZDrawType type) override;
    void MoveTo(int x, int y) override;
    // The frame width, shifted by the scale as stored.
    int GetWidth() override;

    virtual void MoveRel(int dx, int dy);
    // Whether the screen point lies on a pixel of the current frame that is not transparent (or anywhere
    // in its rectangle with rectangular hits).
    virtual int Within(int x, int y);
    // The position plus the offset.
    virtual CPoint GetPosition();
    // Shares the file's image; resets the origin and the frames. Always 1.
    virtual int SetBitmap(const char* file);
    // Replaces the image by a private blank one.
    virtual void Create(int width, int height, int bits);
    // Always 1.
    virtual int SetDestinationImage(CImage* image);
    // A frame count below 1 is refused and changes nothing.
    virtual void SetTotalFrames(int frames);
    // Clamped to the frames there are.
    virtual void SetFrame(int frame);
    virtual void NextFrame();
    // Moves an animation on by whole frames of the frame delay, keeping the remainder.
    virtual void FastForward(int ticks);
    virtual int IsAnimating();
    // Stored unchecked; drawing takes at most 4.
    virtual void SetScale(int scale);

    // 0 and nothing changed for an image without a file name; otherwise 1 with a private copy loaded afresh.
    int Individualize();
    int SetOrgin(int x, int y);
    CPoint GetOrigin() const { return { _OriginX, _OriginY }; }
    int GetHeight();
    void SetClippingArea(const CRect* rect);
    void SetClippingArea(int left, int top, int right, int bottom);
    const CRect& GetClippingArea() const { return _Clip; }
    CImage* GetDestinationImage() const { return _pDest; }
    // The name the image was shared under; "" without an image.
    const char* GetFileName() const;
    // The palette of the image, shared by every sprite of that image.
    void SetLocalPalette(CPalette* palette);
    CPalette* GetLocalPalette() const;
    int GetLight() const { return _Light; }
    void SetLight(int light) { _Light = light; }
    int GetScale() const { return _Scale; }
    int GetFrame() const { return _CurrentFrame; }
    int GetTotalFrames() const { return _TotalFrames; }
    int GetFrameWidth() const { return _FrameWidth; }
    const CRect& GetSourceRect() const { return _Src; }
    CImageNode* GetImage() const { return _pImage; }
    void SetHidden(bool hidden) { _Hidden = hidden ? 1 : 0; }
    bool IsHidden() const { return _Hidden != 0; }
    void SetStopAtEnd(bool stop) { _StopAtEnd = stop ? 1 : 0; }
    void SetRemoveWhenFinished(bool remove) { _RemoveWhenFinished = remove ? 1 : 0; }
    bool IsFinished() const { return _Finished != 0; }
    void SetFrameDelay(int ticks) { _FrameDelay = ticks; }
    int GetFrameDelay() const { return _FrameDelay; }
    void SetFrameTimer(int ticks) { _FrameTimer = ticks; }
    int GetFrameTimer() const { return _FrameTimer; }
    void SetRectangularHit(bool rectangular) { _RectangularHit = rectangular ? 1 : 0; }
    void SetOffset(int x, int y)
    {
        _OffsetX = x;
        _OffsetY = y;
    }
    // 32 and above opaque; below 32 run-length images draw translucently.
    void SetOpacity(int opacity) { _Opacity = opacity; }
    int GetOpacity() const { return _Opacity; }
    void SetAttachment(std::unique_ptr<CSpriteAttachment> attachment)
    {
        _pAttachment = std::move(attachment);
    }

    // Live sprites.
    static std::int32_t Reference;
    using ImageDB = CHashTable<CImageDescriptor, CImageNode>;
    static constexpr std::uint32_t kImageDBBuckets = 511;
    static ImageDB _ImageDB;

protected:
    void Init();
    // Shares the file's image, loading and registering it on first use. Always 1.
    int AllocateBitmap(const char* file);
    // Drops this sprite's share of its image; the last share destroys it. 0 without an image.
    int Deallocate();
    // Sets the draw mode of a run-length image from the opacity: plain at 32 and above, translucent below;
    // alpha and multiply images keep their mode.
    void ApplyOpacity();
    // Draws the current frame with its top-left corner at (x, y), scaled down by the shift (at most 4).
    void DrawAt(int x, int y, int scale);
    // The hit test of a point relative to the frame's top-left corner, in drawn pixels.
    bool HitsFramePixel(int dx, int dy, int shift);

    std::int32_t _Hidden = 0;
    std::int32_t _StopAtEnd = 0;
    std::int32_t _Scale = 0;
    std::int32_t _X = 0;
    std::int32_t _Y = 0;
    std::int32_t _OriginX = 0;
    std::int32_t _OriginY = 0;
    std::int32_t _FrameTimer = 0;
    std::int32_t _FrameDelay = 0;
    CImage* _pDest = nullptr; // not owned
    CRect _Src;
    CRect _Clip;
    std::int32_t _TotalFrames = 1;
    std::int32_t _CurrentFrame = 0;
    std::int32_t _FrameWidth = 0;
    CImageNode* _pImage = nullptr; // shared through _ImageDB unless private
    std::int32_t _RemoveWhenFinished = 0;
    std::int32_t _Finished = 0;
    std::int32_t _RectangularHit = 0;
    std::int32_t _Light = 0;
    std::int32_t _OffsetX = 0;
    std::int32_t _OffsetY = 0;
    std::unique_ptr<CSpriteAttachment> _pAttachment;
    std::int32_t _Opacity = 32;
};
