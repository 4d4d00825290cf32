// CWindow: the base of every dialog and message box: an image of its own with a frame of nine tiles,
// child drawables over it, dragging with the left button, and drawing front to back through a span
// buffer so that each screen pixel is written by at most one window a frame.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/point_rect.h"
#include "gfx/drawable.h"

class CImage;
class CSprite;
class CSpriteList;

// The nine tiles of a frame set, in their order: bottom middle, bottom left, bottom right, centre,
// centre left, centre right, top middle, top left, top right.
class CWindowsTiles {
public:
    enum Tile {
        BOTTOM,
        BOTTOM_LEFT,
        BOTTOM_RIGHT,
        CENTRE,
        CENTRE_LEFT,
        CENTRE_RIGHT,
        TOP,
        TOP_LEFT,
        TOP_RIGHT
    };
    static constexpr int kTileCount = 9;

    // Set 16, 8 or 7 (the tooltip set); each tile takes "dialogue.act" as its palette. Another number
    // makes a set without tiles.
    explicit CWindowsTiles(int set);
    ~CWindowsTiles();
    CWindowsTiles(const CWindowsTiles&) = delete;
    CWindowsTiles& operator=(const CWindowsTiles&) = delete;

    CSprite* Get(Tile tile) const { return mTiles[tile]; }

private:
    CSprite* mTiles[kTileCount] = {};
};

extern CWindowsTiles* gpWindowsTiles16;
extern CWindowsTiles* gpWindowsTiles8;
extern CWindowsTiles* gpWindowsTiles7;

// One span: the byte offsets of its first and its last pixel in a 16-bit row (pixel x is byte 2x).
struct CSpan {
    std::int32_t start;
    std::int32_t end;
};

// The parts of one screen row that no window drawn so far this frame covers.
class CSBuffer {
public:
    // One span over the whole back-buffer row.
    void Clear();
    std::vector<CSpan> spans;
};

class CWindow : public CDrawable {
public:
    static constexpr int kSpanRows = 4096;

    // No children and no image until Init.
    CWindow();
    // A given position is first kept inside the back buffer and below the top 32 rows; then Init.
    CWindow(CPoint* position, CPoint size, int tileSize);
    ~CWindow() override;

    // Size rounded down to whole tiles, at least three each way; without a position the window cascades.
    void Init(CPoint* position, CPoint size, int tileSize);
    // Paints the frame into the window's image; subclasses then paint their content over it.
    virtual void Redraw();
    virtual int GetWindowInstantRollover(CPoint&) { return 0; }
    virtual int GetWindowDelayedRollover(CPoint&) { return 0; }

    int Update(CRZEvent* event) override;
    // Into the back buffer where the span buffer still leaves the screen free; then the children.
    int Draw(CRZDrawType type) override;
    void MoveTo(int x, int y) override
    {
        mX = x;
        mY = y;
    }
    int GetWidth() override { return mWidth; }
    int GetHeight() const { return mHeight; }
    CPoint GetPosition() const { return CPoint(mX, mY); }
    int GetTileSize() const { return mTileSize; }
    CImage* GetImage() const { return mImage; }
    CSpriteList* GetChildren() const { return mChildren; }
    bool IsDragging() const { return mDragging != 0; }
    void SetShadow(bool shadow) { mShadow = shadow ? 1 : 0; }

    // Edges included.
    int isWithin(int x, int y) const;
    void SetWithinScreen();
    // Children of some windows work in window coordinates: their input is moved by the window position.
    void TranslateInputEvent(CRZEvent* event);
    void DeTranslateInputEvent(CRZEvent* event);

    static void InitClass();
    static void ShutdownClass();
    static void ClearSBuffer();
    static void AddCount() { ++_nCount; }
    static void SubCount() { --_nCount; }

    static std::vector<CSBuffer> _SBuffer;
    static CPoint _CenterPos;
    static int _nCount;
    static CWindow* _pLastWindow;
    // Answers whether a running tutorial places new windows at (8, 50); null: never.
    static bool (*_pIsTutorial)();

private:
    CSpriteList* mChildren = nullptr;
    CImage* mImage = nullptr;
    CWindowsTiles* mTiles = nullptr;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    std::int32_t mX = 0;
    std::int32_t mY = 0;
    CRect mClip;
    std::int32_t mDragging = 0;
    std::int32_t mTileSize = 16;
    std::int32_t mGrabX = 0;
    std::int32_t mGrabY = 0;
    std::int32_t mShadow = 0;
};
