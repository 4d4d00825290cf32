// COverlapBox: a row of small icons (coats of arms, traits, portraits) in a fixed width that overlap when
// they do not fit, the one under the mouse coming to the top; CBoxEntry, an icon with its tooltips; and the
// trait entry.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"
#include "foundation/point_rect.h"
#include "gfx/drawable.h"

class CImage;
class CRZBtn;
class CSprite;
class CTitle;

// One icon of an overlap box: it owns its sprite and answers its own events and tooltips.
class CBoxEntry {
public:
    virtual ~CBoxEntry() = default;
    // 1 asks the box to remove and delete the entry.
    virtual int Update(CRZEvent*) { return 0; }
    // Null for an entry that has nothing to show.
    virtual CSprite* GetSprite() = 0;
    // The sprite's own hit test; never for an entry without one.
    virtual int Within(int x, int y);
    // Texts owned by the entry or the game's tables, valid until the next call; null for none.
    virtual const char* GetWindowInstantRollover(const CPoint&) { return nullptr; }
    virtual const char* GetWindowDelayedRollover(const CPoint&) { return nullptr; }
};

// Icons stand at most this far apart.
inline constexpr int kOverlapMaxGap = 5;

class COverlapBox : public CDrawable {
public:
    // The entries are owned from now on; scale draws every icon at half its size. fromRight lays the row
    // out from the box's right edge leftwards.
    COverlapBox(int x, int y, int width, int height, CList<CBoxEntry*>& entries, int fromRight, bool scale);
    // An entry without a sprite is deleted instead of added.
    COverlapBox(int x, int y, int width, int height, CBoxEntry* entry, int fromRight, bool scale);
    ~COverlapBox() override;
    COverlapBox(const COverlapBox&) = delete;
    COverlapBox& operator=(const COverlapBox&) = delete;

    // A mouse move brings the icon under it to the front; then the entries in stacking order take the event
    // until one answers. An entry answering 1 is removed and deleted. Answers the first non-zero result.
    int Update(CRZEvent* event) override;
    // Back to front, so the front icon covers its neighbours.
    int Draw(CRZDrawType type) override;
    // Moves every icon by the change of the box's position.
    void MoveTo(int x, int y) override;
    int GetWidth() override { return mWidth; }
    // The tooltips of the front icon under the point; null over none.
    const char* GetWindowInstantRollover(const CPoint& point);
    const char* GetWindowDelayedRollover(const CPoint& point);

    // x in [x, x + width), y in [y, y + height).
    int Within(int x, int y) const;
    void SetDestinationImage(CImage* image);
    // Lays the entries out and takes them; entries without a sprite are deleted.
    void Init(CList<CBoxEntry*>& entries, int fromRight, bool scale);

    CPoint GetPosition() const { return CPoint(mX, mY); }
    int GetHeight() const { return mHeight; }
    CList<CBoxEntry*>& GetLayoutOrder() { return mLayout; }
    CList<CBoxEntry*>& GetStackingOrder() { return mStacking; }

private:
    // The front entry whose icon holds the point, or null.
    CBoxEntry* EntryAt(int x, int y);
    void BringToFront(CBoxEntry* entry);

    std::int32_t mX;
    std::int32_t mY;
    std::int32_t mWidth;
    std::int32_t mHeight;
    std::int32_t mScale = 0;
    CImage* mDest = nullptr;
    CList<CBoxEntry*> mLayout;
    CList<CBoxEntry*> mStacking; // owns the entries
};

inline constexpr const char* kTraitIcons = "gfx\\interface\\traits.bmp";
inline constexpr int kTraitIconFrames = 94;

// A trait's icon: the frame of its number in the trait strip. A number outside the 94 traits has none.
class CTraitBoxEntry : public CBoxEntry {
public:
    explicit CTraitBoxEntry(int trait);
    ~CTraitBoxEntry() override;
    CTraitBoxEntry(const CTraitBoxEntry&) = delete;
    CTraitBoxEntry& operator=(const CTraitBoxEntry&) = delete;

    CSprite* GetSprite() override { return mSprite; }
    // The trait's name.
    const char* GetWindowInstantRollover(const CPoint&) override;
    // The trait's description.
    const char* GetWindowDelayedRollover(const CPoint&) override;

    int GetTrait() const { return mTrait; }

private:
    std::int32_t mTrait;
    CSprite* mSprite = nullptr;
};

// A title's coat of arms; a click on it takes the player to the title's realm (its capital on the map and
// the action window).
class CTitleBoxEntry : public CBoxEntry {
public:
    // The arms of the title's realm; none for a null title.
    explicit CTitleBoxEntry(const CTitle* title);
    ~CTitleBoxEntry() override;
    CTitleBoxEntry(const CTitleBoxEntry&) = delete;
    CTitleBoxEntry& operator=(const CTitleBoxEntry&) = delete;

    // 3 when the arms were clicked and the realm exists.
    int Update(CRZEvent* event) override;
    CSprite* GetSprite() override;
    // The title's name.
    const char* GetWindowInstantRollover(const CPoint&) override;

    std::int32_t GetCountry() const { return mCountry; }

private:
    // The title is found by its realm's number on every use.
    std::int32_t mCountry = 0;
    CRZBtn* mArms = nullptr;
};
