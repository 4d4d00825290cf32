// The character icon of overlap boxes and the court's character list: portraits, names and titles of
// characters looked up by identity on every use.
#include "widgets/character_box.h"

#include "characters/title.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "widgets/button.h"

#include "foundation/safeguards.h"

CCharacterBoxHooks gCharacterBoxHooks;

CCharacterBoxEntry::CCharacterBoxEntry(CRef<CCharacter> character)
    : mCharacter(character)
{
    if (CCharacter* who = mCharacter.Get(); who && gCharacterBoxHooks.MakePortrait)
        mPortrait = gCharacterBoxHooks.MakePortrait(who);
}

CCharacterBoxEntry::~CCharacterBoxEntry()
{
    delete mPortrait;
}

int CCharacterBoxEntry::Update(CRZEvent* event)
{
    CCharacter* who = mCharacter.Get();
    if (!mPortrait || !who)
        return 0;
    const int result = mPortrait->Update(event);
    if (mPortrait->IsClicked() && gCharacterBoxHooks.ShowCharacter)
        gCharacterBoxHooks.ShowCharacter(who);
    return result;
}

CSprite* CCharacterBoxEntry::GetSprite()
{
    if (mPortrait && !mCharacter.Get())
        mPortrait->SetHidden(true);
    return mPortrait;
}

int CCharacterBoxEntry::Within(int x, int y)
{
    return mPortrait && mCharacter.Get() ? mPortrait->Within(x, y) : 0;
}

const char* CCharacterBoxEntry::GetWindowInstantRollover(const CPoint&)
{
    const CCharacter* who = mCharacter.Get();
    return who ? who->GetName() : nullptr;
}

const char* CCharacterBoxEntry::GetWindowDelayedRollover(const CPoint&)
{
    const CCharacter* who = mCharacter.Get();
    return who ? who->GetBriefInfo() : nullptr;
}

CCharacterListBoxEntry::CCharacterListBoxEntry(CCharacter* character)
    : mCharacter(character)
{
}

int CCharacterListBoxEntry::Within(int x, int y)
{
    return mCharacter.Get() ? CNewListBoxEntry::Within(x, y) : 0;
}

std::uint16_t CCharacterListBoxEntry::GetTextColor()
{
    return IsHighlighted() ? TrueToHigh(240, 220, 176) : TrueToHigh(255, 255, 255);
}

const char* CCharacterListBoxEntry::GetInstantRollover(int, int)
{
    const CCharacter* who = mCharacter.Get();
    return who ? who->GetBriefInfo() : nullptr;
}

int CCharacterListBoxEntry::Draw(CRZDrawType type)
{
    CCharacter* who = mCharacter.Get();
    if (!who)
        return 0;
    if (gCharacterBoxHooks.MakePortrait) {
        if (CRZBtn* portrait = gCharacterBoxHooks.MakePortrait(who)) {
            portrait->SetScale(2);
            portrait->SetDestinationImage(pBackBuffer);
            portrait->MoveTo(mX + 16, mY);
            portrait->Draw(type);
            delete portrait;
        }
    }
    if (!pBackBuffer || !gpFontDB)
        return 0;
    const std::uint16_t colour = GetTextColor();
    CRect row(mX, mY, mX + kWidth, mY + kHeight);
    if (CFont* bold = gpFontDB->GetFont(kCharacterNameFont))
        bold->Print(who->GetFullName(), mX + 56, mY, row, pBackBuffer, colour);
    if (CFont* plain = gpFontDB->GetFont(kCharacterTitleFont)) {
        const CTitle* title = who->GetPrimaryTitle();
        const char* line
            = title ? title->GetString(who) : CCharacter::GetCourtPositionName(who->courtPosition);
        plain->Print(line, mX + 56, mY + 12, pBackBuffer, colour);
    }
    return 0;
}

CCharacterListBox::CCharacterListBox(int width, int height, CCourtWindow* court)
    : CNewListBox(width, height, LISTBOX_SHADOW, 0)
    , mCourt(court)
{
    SetClearSelectionOnClick(false);
}

void CCharacterListBox::OnSelected(CNewListBoxEntry* row)
{
    if (auto* previous = dynamic_cast<CCharacterListBoxEntry*>(GetSelected()))
        previous->SetSelected(false);
    CNewListBox::OnSelected(row);
    if (auto* chosen = dynamic_cast<CCharacterListBoxEntry*>(row))
        chosen->SetSelected(true);
}

const char* CCharacterListBox::GetInstantRollover(int x, int y)
{
    for (auto it = GetHead(); !it.IsEnd(); it++)
        if ((*it)->Within(x, y)) {
            auto* row = dynamic_cast<CCharacterListBoxEntry*>(*it);
            return row ? row->GetInstantRollover(x, y) : nullptr;
        }
    return nullptr;
}
