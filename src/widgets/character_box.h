// Characters shown by their portraits: CCharacterBoxEntry, an icon of an overlap box that opens the
// character window, and CCharacterListBox with its rows, the court's list of characters. Both keep the
// character's identity and look him up on every use, so one who has died shows nothing.
#pragma once

#include <cstdint>

#include "characters/character.h"
#include "foundation/ref.h"
#include "widgets/list_box.h"
#include "widgets/overlap_box.h"

class CCourtWindow;
class CRZBtn;

// What the character widgets need of the characters' pictures and of the player interface; the game's
// wiring fills them. Unset, no portrait is made and no window opens.
struct CCharacterBoxHooks {
    // A new portrait button of the character, 128 by 128 (CPortrait), owned by the caller.
    CRZBtn* (*MakePortrait)(CCharacter* character) = nullptr;
    // Shows the character in the one character window.
    void (*ShowCharacter)(CCharacter* character) = nullptr;
};
extern CCharacterBoxHooks gCharacterBoxHooks;

class CCharacterBoxEntry : public CBoxEntry {
public:
    // The portrait is made now, when the identity names a living character.
    explicit CCharacterBoxEntry(CRef<CCharacter> character);
    ~CCharacterBoxEntry() override;
    CCharacterBoxEntry(const CCharacterBoxEntry&) = delete;
    CCharacterBoxEntry& operator=(const CCharacterBoxEntry&) = delete;

    // The portrait takes the event; a click shows the character in the character window. A character
    // who is gone takes nothing.
    int Update(CRZEvent* event) override;
    // The portrait, hidden once the character is gone.
    CSprite* GetSprite() override;
    int Within(int x, int y) override;
    // The character's name; his tooltip text. Null once he is gone.
    const char* GetWindowInstantRollover(const CPoint&) override;
    const char* GetWindowDelayedRollover(const CPoint&) override;

    CCharacter* GetCharacter() const { return mCharacter.Get(); }
    CRZBtn* GetPortrait() const { return mPortrait; }

private:
    CRef<CCharacter> mCharacter;
    CRZBtn* mPortrait = nullptr;
};

inline constexpr const char* kCharacterNameFont = "gfx\\fonts\\proformaB12.bmp";
inline constexpr const char* kCharacterTitleFont = "gfx\\fonts\\proforma12.bmp";

class CCharacterListBoxEntry : public CNewListBoxEntry {
public:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 32;

    explicit CCharacterListBoxEntry(CCharacter* character);

    // A quarter-size portrait, the full name and below it the primary title (or the court position);
    // nothing for a character who is gone.
    int Draw(CRZDrawType type) override;
    int GetWidth() override { return kWidth; }
    int GetHeight() override { return kHeight; }
    // Never over a character who is gone, so his row takes no click.
    int Within(int x, int y) override;

    // The tooltip text, null once he is gone; no delayed tooltip.
    virtual const char* GetInstantRollover(int x, int y);
    virtual const char* GetDelayedRollover(int, int) { return nullptr; }
    // (240, 220, 176) while lit, else white.
    virtual std::uint16_t GetTextColor();

    // Null once he is gone.
    CCharacter* GetCharacter() const { return mCharacter.Get(); }
    bool IsSelected() const { return mSelected != 0; }
    void SetSelected(bool selected) { mSelected = selected ? 1 : 0; }

private:
    CRef<CCharacter> mCharacter;
    std::int32_t mSelected = 0;
};

// The court window's list: a click moves the one selected flag, a click off the rows keeps it.
class CCharacterListBox : public CNewListBox {
public:
    CCharacterListBox(int width, int height, CCourtWindow* court);

    void OnSelected(CNewListBoxEntry* row) override;
    // The instant tooltip of the first row holding the point; null over none.
    virtual const char* GetInstantRollover(int x, int y);
    virtual const char* GetDelayedRollover(int, int) { return nullptr; }

    CCourtWindow* GetCourt() const { return mCourt; }

private:
    CCourtWindow* mCourt;
};
