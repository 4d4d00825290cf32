// Radio groups: one pressed button, kept pressed when clicked again.
#include "widgets/radio_button.h"

#include "foundation/safeguards.h"

namespace {

template <class Each> void ForEachButton(CSpriteList& list, Each each)
{
    for (auto it = list.GetHead(); !it.IsEnd(); it++)
        if (auto* button = dynamic_cast<CRZMenuBtn*>(*it))
            each(*button);
}

} // namespace

CNewRadioButton::CNewRadioButton()
    : mDest(CVideo::pBackBuffer)
{
}

CRZMenuBtn* CNewRadioButton::AddEntry(const char* bitmap, int value, bool lighted)
{
    CRZMenuBtn* button = lighted ? new CRZLightedMenuButton(bitmap, value) : new CRZMenuBtn(bitmap, value);
    button->SetDestinationImage(mDest);
    mButtons.Append(button);
    return button;
}

void CNewRadioButton::SetUpOthers(int value)
{
    ForEachButton(mButtons, [&](CRZMenuBtn& button) {
        if (button.GetID() != value)
            button.Up();
    });
}

int CNewRadioButton::Update(CRZEvent* event)
{
    const int answer = mButtons.Update(event);
    ForEachButton(mButtons, [&](CRZMenuBtn& button) {
        if (button.isDown() && button.GetID() != mSelected) {
            mSelected = button.GetID();
            SetUpOthers(mSelected);
        } else if (button.isUp() && button.GetID() == mSelected) {
            button.Down();
        }
    });
    return answer;
}

void CNewRadioButton::SetSelected(int value)
{
    mSelected = value;
    SetUpOthers(value);
    ForEachButton(mButtons, [&](CRZMenuBtn& button) {
        if (button.GetID() == value)
            button.Down();
    });
}

int CNewRadioButton::Draw(CRZDrawType type)
{
    ForEachButton(mButtons, [](CRZMenuBtn& button) {
        const CPoint at = button.GetRelativePosition();
        button.MoveTo(at.x, at.y);
    });
    mButtons.Draw(type);
    ForEachButton(mButtons, [&](CRZMenuBtn& button) {
        const CPoint at = button.GetRelativePosition();
        button.MoveTo(mX + at.x, mY + at.y);
    });
    return 0;
}

void CNewRadioButton::SetDestinationImage(CImage* image)
{
    mDest = image;
    ForEachButton(mButtons, [&](CRZMenuBtn& button) { button.SetDestinationImage(image); });
}
