// The drop-down box: its two frames and buttons, the list of choices, and the rules by which the box opens,
// takes a choice and closes.
#include "widgets/drop_down.h"

#include <algorithm>
#include <cctype>

#include "events/event.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/image_descriptor.h"
#include "gfx/solid_frame.h"
#include "text/new_text.h"
#include "widgets/button.h"
#include "widgets/input.h"
#include "widgets/list_box.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kParked = -1000;

// Letters of the plain alphabet only: the font's own accented letters keep their codes.
std::string Upper(const char* text)
{
    std::string upper(text ? text : "");
    if (upper.size() > static_cast<std::size_t>(kListTextMax))
        upper.resize(kListTextMax);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

bool IsMouseEvent(CRZEvtType type)
{
    switch (type) {
    case _CRZEVT_MOUSEMOVE_:
    case _CRZEVT_MOUSELBUP_:
    case _CRZEVT_MOUSERBUP_:
    case _CRZEVT_MOUSELBDOWN_:
    case _CRZEVT_MOUSELBHELD_:
    case _CRZEVT_MOUSELBDOUBLECLICK_:
        return true;
    default:
        return false;
    }
}

} // namespace

CDropDown::CDropDown(int width, int height, DropDownMode mode)
    : mFont(gpFontDB ? gpFontDB->GetFont(kDropDownFontFile) : nullptr)
    , mWidth(width)
    , mHeight(height)
    , mNoChoice(TextStrings.GetString("DROPDOWN_NO_SELECTION"))
    , mMode(mode)
{
    const bool dark = mode == DROPDOWN_DARK;
    const int lineHeight = mFont ? mFont->GetLineHeight() : 0;
    const int closedHeight = lineHeight + 4;
    const int frameColour = dark ? TrueToHigh(192, 168, 0) : kSolidFrameDefaultColour;
    mClosedFrame = new CRZSolidFrame(width, closedHeight, nullptr, frameColour);
    mOpenFrame = new CRZSolidFrame(width, height, nullptr, frameColour);
    if (CImage* image = mOpenFrame->GetImage()) {
        image->SetLineColor(dark ? TrueToHigh(192, 168, 0) : TrueToHigh(116, 101, 94));
        image->DrawLine16(CPoint(0, closedHeight - 1), CPoint(width - 1, closedHeight - 1));
    }
    const char* button = dark ? kDropDownButtonDark : kDropDownButton;
    mClosedButton = new CRZBtn(button, 0, -1);
    mOpenButton = new CRZBtn(button, 0, -1);
    mChoiceColour = dark ? TrueToHigh(160, 160, 160) : TrueToHigh(0, 0, 0);
    // A box too low for a line of choices gets an empty list rather than one of negative height.
    const int rows = lineHeight > 0 ? height / lineHeight : 0;
    const int listHeight = std::max(lineHeight * rows - closedHeight - 10, 0);
    mList = new CNewListBox(std::max(width - kDropDownListMargin, 0), listHeight, LISTBOX_NOSHADOW, 0);
    mList->SetColour(TrueToHigh(171, 155, 98));
    SetDestinationImage(pBackBuffer);
    MoveTo(0, 0);
}

CDropDown::~CDropDown()
{
    delete mList;
    delete mClosedFrame;
    delete mOpenFrame;
    delete mClosedButton;
    delete mOpenButton;
}

bool CDropDown::HasChoice(const std::string& upper) const
{
    bool found = false;
    mList->ForEach([&](CNewListBoxEntry* row) {
        if (const auto* text = dynamic_cast<const CNewListBoxString*>(row))
            found = found || SameIgnoringCase(text->GetText(), upper);
    });
    return found;
}

int CDropDown::AddEntry(const char* text, int value, bool selectable)
{
    const std::string upper = Upper(text);
    if (HasChoice(upper))
        return 0;
    const int width
        = mClosedFrame->GetImage() ? mClosedFrame->GetImage()->GetWidth() - kDropDownChoiceMargin : 0;
    auto* row = new CSelectableListBoxString(mFont, upper.c_str(), width, value, NOID, selectable);
    row->SetDropShadow(false);
    row->SetSelectable(selectable);
    row->SetColour(mChoiceColour);
    row->SetDestinationImage(mDest);
    if (!mSelected)
        mSelected = row;
    mList->Append(row);
    // The list's own selection follows the box's, so that an event the open list takes (a wheel turn, an
    // arrow) cannot hand the box the row added last.
    mList->SetSelected(mSelected);
    return 1;
}

int CDropDown::AddDisabledEntry(const char* text)
{
    const std::string upper = Upper(text);
    if (HasChoice(upper))
        return 0;
    const int width
        = mClosedFrame->GetImage() ? mClosedFrame->GetImage()->GetWidth() - kDropDownChoiceMargin : 0;
    auto* row = new CNewListBoxString(mFont, upper.c_str(), width, TrueToHigh(128, 128, 128), false, false);
    row->SetDestinationImage(mDest);
    mList->Append(row);
    return 1;
}

int CDropDown::GetInt() const
{
    const auto* choice = dynamic_cast<const CSelectableListBoxString*>(mSelected);
    return choice ? choice->GetValue() : -1;
}

const char* CDropDown::GetSelectedString() const
{
    const auto* choice = dynamic_cast<const CNewListBoxString*>(mSelected);
    return choice ? choice->GetShownText().c_str() : nullptr;
}

void CDropDown::SetDestinationImage(CImage* image)
{
    mDest = image;
    mClosedButton->SetDestinationImage(image);
    mOpenButton->SetDestinationImage(image);
    mClosedFrame->SetDestinationImage(image);
    mOpenFrame->SetDestinationImage(image);
    mList->SetDestinationImage(image);
}

void CDropDown::MoveTo(int x, int y)
{
    mX = x;
    mY = y;
    const int closedWidth = mClosedFrame->GetWidth();
    if (mClosed) {
        mClosedFrame->MoveTo(x, y);
        mClosedButton->MoveTo(x + closedWidth - mClosedButton->GetWidth(), y);
        mOpenFrame->MoveTo(kParked, kParked);
        mOpenButton->MoveTo(kParked, kParked);
        mList->MoveTo(kParked, kParked);
    } else {
        mOpenFrame->MoveTo(x, y);
        mOpenButton->MoveTo(x + closedWidth - mOpenButton->GetWidth(), y);
        mList->MoveTo(x + 4, y + kDropDownListTop);
        mClosedFrame->MoveTo(kParked, kParked);
        mClosedButton->MoveTo(kParked, kParked);
    }
}

void CDropDown::Open(bool open)
{
    mClosed = open ? 0 : 1;
    MoveTo(mX, mY);
}

int CDropDown::Update(CRZEvent* event)
{
    if (!event)
        return 0;
    int result = mList->Update(event);
    if (result) {
        CNewListBoxEntry* picked = mList->GetSelected();
        if (picked && picked != mSelected && picked->IsSelectable()) {
            mSelected = picked;
            Open(false);
        }
        mList->SetSelected(mSelected);
        return result;
    }
    result = mClosedButton->Update(event);
    if (result) {
        if (mClosedButton->IsClicked())
            Open(true);
        return result;
    }
    result = mOpenButton->Update(event);
    if (result) {
        if (mOpenButton->IsClicked())
            Open(false);
        return result;
    }
    if (!mClosed && IsMouseEvent(event->GetType())) {
        const CPoint at = CInput::EventPosition(event);
        if (at.x < mX || at.x >= mX + mWidth || at.y < mY || at.y >= mY + mHeight)
            Open(false);
    }
    return 0;
}

int CDropDown::Draw(CRZDrawType type)
{
    MoveTo(mX, mY);
    if (mClosed) {
        mClosedFrame->Draw(type);
        mClosedButton->Draw(type);
    } else {
        mOpenFrame->Draw(type);
        mOpenButton->Draw(type);
        mList->Draw(type);
    }
    if (mFont && mDest) {
        if (const char* chosen = GetSelectedString())
            mFont->Print(chosen, mX + 4, mY + 2, mDest, TrueToHigh(255, 255, 255));
        else
            mFont->Print(mNoChoice.c_str(), mX + 4, mY + 2, mDest, TrueToHigh(255, 0, 0));
    }
    return 0;
}
