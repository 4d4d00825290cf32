// The overlap box: laying a row of icons out in a fixed width, their stacking order under the mouse, and
// the trait icons.
#include "widgets/overlap_box.h"

#include <algorithm>

#include "characters/title.h"
#include "characters/trait.h"
#include "events/event.h"
#include "gfx/image.h"
#include "gfx/image_descriptor.h"
#include "gfx/sprite.h"
#include "realms/country.h"
#include "widgets/button.h"
#include "widgets/input.h"
#include "widgets/widget_hooks.h"

#include "foundation/safeguards.h"

namespace {

// Rounds towards minus infinity, as the gap of icons that do not fit must.
int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

int CBoxEntry::Within(int x, int y)
{
    CSprite* sprite = GetSprite();
    return sprite ? sprite->Within(x, y) : 0;
}

COverlapBox::COverlapBox(
    int x, int y, int width, int height, CList<CBoxEntry*>& entries, int fromRight, bool scale)
    : mX(x)
    , mY(y)
    , mWidth(width)
    , mHeight(height)
{
    Init(entries, fromRight, scale);
}

COverlapBox::COverlapBox(int x, int y, int width, int height, CBoxEntry* entry, int fromRight, bool scale)
    : mX(x)
    , mY(y)
    , mWidth(width)
    , mHeight(height)
{
    CList<CBoxEntry*> one;
    if (entry)
        one.Append(entry);
    Init(one, fromRight, scale);
}

COverlapBox::~COverlapBox()
{
    mStacking.ForEach([](CBoxEntry* entry) { delete entry; });
    mStacking.RemoveAll();
    mLayout.RemoveAll();
}

void COverlapBox::Init(CList<CBoxEntry*>& entries, int fromRight, bool scale)
{
    mScale = scale ? 1 : 0;
    CList<CBoxEntry*> shown;
    entries.ForEach([&](CBoxEntry* entry) {
        if (entry && entry->GetSprite())
            shown.Append(entry);
        else
            delete entry;
    });
    entries.RemoveAll();
    const int n = shown.GetSize();
    int step = 0;
    int index = 0;
    shown.ForEach([&](CBoxEntry* entry) {
        CSprite* sprite = entry->GetSprite();
        if (CImage* image = sprite->GetImage())
            image->SetHasTransparency(true);
        sprite->SetScale(mScale);
        const int w = sprite->GetWidth();
        if (index == 0 && n != 1)
            step = w + std::min(FloorDiv(mWidth - n * w, n - 1), kOverlapMaxGap);
        const int first = fromRight ? mX + mWidth - w : mX;
        sprite->MoveTo(fromRight ? first - index * step : first + index * step, mY);
        if (mDest)
            sprite->SetDestinationImage(mDest);
        mLayout.Append(entry);
        mStacking.Append(entry);
        ++index;
    });
    shown.RemoveAll();
}

void COverlapBox::SetDestinationImage(CImage* image)
{
    mDest = image;
    mLayout.ForEach([image](CBoxEntry* entry) { entry->GetSprite()->SetDestinationImage(image); });
}

void COverlapBox::MoveTo(int x, int y)
{
    const int dx = x - mX;
    const int dy = y - mY;
    mLayout.ForEach([dx, dy](CBoxEntry* entry) { entry->GetSprite()->MoveRel(dx, dy); });
    mX = x;
    mY = y;
}

int COverlapBox::Within(int x, int y) const
{
    return x >= mX && x < mX + mWidth && y >= mY && y < mY + mHeight;
}

CBoxEntry* COverlapBox::EntryAt(int x, int y)
{
    for (auto it = mStacking.GetHead(); !it.IsEnd(); it++)
        if ((*it)->Within(x, y))
            return *it;
    return nullptr;
}

void COverlapBox::BringToFront(CBoxEntry* entry)
{
    auto at = mLayout.Find(entry);
    if (at.IsEnd())
        return;
    CList<CBoxEntry*> order;
    order.Append(entry);
    // The neighbours before it from the nearest outwards, then those after it likewise.
    auto before = at;
    for (before--; !before.IsEnd(); before--)
        order.Append(*before);
    auto after = at;
    for (after++; !after.IsEnd(); after++)
        order.Append(*after);
    mStacking.RemoveAll();
    order.ForEach([this](CBoxEntry* e) { mStacking.Append(e); });
    order.RemoveAll();
}

int COverlapBox::Update(CRZEvent* event)
{
    if (!event)
        return 0;
    if (event->GetType() == _CRZEVT_MOUSEMOVE_) {
        const CPoint at = CInput::EventPosition(event);
        if (CBoxEntry* hovered = EntryAt(at.x, at.y))
            BringToFront(hovered);
    }
    for (auto it = mStacking.GetHead(); !it.IsEnd(); it++) {
        CBoxEntry* entry = *it;
        const int result = entry->Update(event);
        if (result == 0)
            continue;
        if (result == UPDATE_REMOVE) {
            mStacking.Remove(entry);
            mLayout.Remove(entry);
            delete entry;
        }
        return result;
    }
    return 0;
}

int COverlapBox::Draw(CRZDrawType type)
{
    for (auto it = mStacking.GetTail(); !it.IsEnd(); it--)
        (*it)->GetSprite()->Draw(type);
    return 0;
}

const char* COverlapBox::GetWindowInstantRollover(const CPoint& point)
{
    CBoxEntry* entry = EntryAt(point.x, point.y);
    return entry ? entry->GetWindowInstantRollover(point) : nullptr;
}

const char* COverlapBox::GetWindowDelayedRollover(const CPoint& point)
{
    CBoxEntry* entry = EntryAt(point.x, point.y);
    return entry ? entry->GetWindowDelayedRollover(point) : nullptr;
}

CTraitBoxEntry::CTraitBoxEntry(int trait)
    : mTrait(trait)
{
    if (trait < 0 || trait >= kTraitIconFrames)
        return;
    mSprite = new CSprite(kTraitIcons);
    mSprite->SetTotalFrames(kTraitIconFrames);
    mSprite->SetFrame(trait);
}

CTraitBoxEntry::~CTraitBoxEntry()
{
    delete mSprite;
}

const char* CTraitBoxEntry::GetWindowInstantRollover(const CPoint&)
{
    const CTraitType* type = CTraitType::Get(mTrait);
    return type ? type->GetName() : nullptr;
}

const char* CTraitBoxEntry::GetWindowDelayedRollover(const CPoint&)
{
    const CTraitType* type = CTraitType::Get(mTrait);
    return type ? type->GetCompletedDescription() : nullptr;
}

CTitleBoxEntry::CTitleBoxEntry(const CTitle* title)
{
    if (!title)
        return;
    mCountry = title->GetCountryID();
    if (gWidgetHooks.MakeCoatOfArms)
        mArms = gWidgetHooks.MakeCoatOfArms(mCountry);
}

CTitleBoxEntry::~CTitleBoxEntry()
{
    delete mArms;
}

CSprite* CTitleBoxEntry::GetSprite()
{
    return mArms;
}

int CTitleBoxEntry::Update(CRZEvent* event)
{
    if (!mArms)
        return 0;
    const int result = mArms->Update(event);
    if (mArms->IsClicked() && CRZCountry::GetCountry(mCountry)) {
        if (gWidgetHooks.player)
            gWidgetHooks.player->ShowCountry(mCountry);
        return UPDATE_TAKEN;
    }
    return result;
}

const char* CTitleBoxEntry::GetWindowInstantRollover(const CPoint&)
{
    const CTitle* title = CTitle::GetTitle(mCountry);
    return title ? title->GetParticularName() : nullptr;
}
