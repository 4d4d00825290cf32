// The lines of the front end's lists and of its option panels.
#include "frontend/front_end_entry.h"

#include <algorithm>

#include "events/generic_events.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "text/new_text.h"
#include "widgets/input.h"

#include "foundation/safeguards.h"

namespace {

constexpr const char* kChoiceFont = "gfx\\fonts\\proforma12.bmp";
constexpr int kChoiceOffset = 158;

bool IsLeftRelease(CRZEvent* event)
{
    return event != nullptr && event->GetType() == _CRZEVT_MOUSELBUP_;
}

} // namespace

CFrontEndEntry::CFrontEndEntry(CFont* font, const char* entryName, const char* folder, int kind)
    : mFont(font)
    , mKind(kind)
    , mName(entryName != nullptr ? entryName : "")
    , mFolder(folder != nullptr ? folder : "")
    , mShortName(ScaleString(font, mName.c_str()))
{
    mSelectable = 1;
}

std::string CFrontEndEntry::ScaleString(CFont* font, const char* name)
{
    const std::string whole = name != nullptr ? name : "";
    if (font == nullptr)
        return whole;
    int width = 0;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        width += font->CharWidth(static_cast<unsigned char>(whole[i]));
        if (width > kEntryNameFit)
            return whole.substr(0, i) + "...";
    }
    return whole;
}

void CFrontEndEntry::ShowText(const char* text)
{
    mShown = text != nullptr ? text : "";
    mHasShown = true;
}

int CFrontEndEntry::GetHeight()
{
    return mFont != nullptr ? mFont->GetLineHeight() : 0;
}

int CFrontEndEntry::Update(CRZEvent* event)
{
    if (IsLeftRelease(event)) {
        const CPoint at = CInput::EventPosition(event);
        if (Within(at.x, at.y))
            mChosen = 1;
    }
    return 0;
}

int CFrontEndEntry::Within(int x, int y)
{
    return y >= mY && y <= mY + GetHeight() && x >= mX && x <= mX + GetWidth() + 20;
}

int CFrontEndEntry::Draw(CRZDrawType)
{
    if (mFont == nullptr || mDest == nullptr)
        return 0;
    const std::uint16_t colour = mChosen ? TrueToHigh(255, 255, 255)
        : mHighlighted                   ? TrueToHigh(255, 255, 0)
                                         : TrueToHigh(240, 220, 176);
    mFont->PrintDrop(mHasShown ? mShown.c_str() : mShortName.c_str(), mX, mY, mDest, colour);
    return 0;
}

COptionEntry::COptionEntry(
    CFont* font, const char* label, int count, const char* const* keys, int value, int option)
    : CFrontEndEntry(font, label, nullptr, option)
{
    for (int i = 0; i < count; ++i) {
        mKeys.emplace_back(keys != nullptr && keys[i] != nullptr ? keys[i] : "");
        CRZMenuBtn* button = mRadio.AddEntry(kRadioBitmap, i, false);
        button->SetTotalFrames(4);
        button->SetRelativePosition(810, 70 + 24 * i);
        button->MoveTo(810, 70 + 24 * i);
        mButtons.push_back(button);
    }
    SetValue(value);
}

void COptionEntry::SetValue(int value)
{
    if (mKeys.empty())
        return;
    mRadio.SetSelected(std::clamp(value, 0, GetCount() - 1));
}

const char* COptionEntry::GetChoiceKey(int choice) const
{
    return choice >= 0 && choice < GetCount() ? mKeys[static_cast<std::size_t>(choice)].c_str() : "";
}

CRZMenuBtn* COptionEntry::GetChoiceButton(int choice) const
{
    return choice >= 0 && choice < GetCount() ? mButtons[static_cast<std::size_t>(choice)] : nullptr;
}

void COptionEntry::SetEnabled(bool enabled)
{
    mEnabled = enabled ? 1 : 0;
    for (CRZMenuBtn* button : mButtons) {
        if (enabled)
            button->Enable();
        else
            button->Disable();
    }
}

int COptionEntry::Update(CRZEvent* event)
{
    if (!IsLeftRelease(event) || !mEnabled || mKeys.empty())
        return 0;
    const CPoint at = CInput::EventPosition(event);
    if (Within(at.x, at.y))
        SetValue((GetValue() + 1) % GetCount());
    return 0;
}

int COptionEntry::Draw(CRZDrawType type)
{
    CFrontEndEntry::Draw(type);
    CFont* font = FindFont(kChoiceFont);
    if (font != nullptr && mDest != nullptr)
        font->Print(TextStrings.GetString(GetChoiceKey(GetValue())), mX + kChoiceOffset, mY, mDest,
            TrueToHigh(255, 255, 255));
    return 0;
}
