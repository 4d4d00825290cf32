// The framed windows the game tells the player things in: CNiceMsgBoxBase (a realm's box of up to eight
// centred text parts under its coat of arms), CNiceMsgBoxBasePause (one that pauses a single-player game),
// CInterfaceWindow (one with buttons of its own) and CMessageBox (a notice that closes by itself).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "events/record_types.h"
#include "foundation/point_rect.h"
#include "foundation/rz_id.h"
#include "widgets/window.h"

class CFont;
class CNewListBox;
class CPlayerInfoTimer;
class CRZBtn;
class CRZOKButton;
class CSpriteList;

// A message type of the message handler, 0..102.
using MessageTypeNumber = std::int32_t;

inline constexpr int kNiceBoxWidth = 320;
inline constexpr int kNiceBoxParts = 8;
// Parts filled from one text: 0 to 6; part 7 only by callers.
inline constexpr int kNiceBoxTextParts = 7;
// Where the coat of arms stands in the box, twice.
inline constexpr CPoint kShieldLeft { 6, 14 };
inline constexpr CPoint kShieldRight { 248, 14 };

class CNiceMsgBoxBase : public CWindow {
public:
    // The eight parts in their fonts and colours; no picture or shield yet. Joins the interface's windows
    // at once.
    explicit CNiceMsgBoxBase(CRZCountryID country);
    // Leaves the interface's windows.
    ~CNiceMsgBoxBase() override;
    CNiceMsgBoxBase(const CNiceMsgBoxBase&) = delete;
    CNiceMsgBoxBase& operator=(const CNiceMsgBoxBase&) = delete;

    void SetNewPart(int part, CFont* font, std::uint16_t colour, int width);
    void SetPart(int part, CFont* font, std::uint16_t colour);
    // Pieces between ";" fill parts 0 to 6 in order (3 and 5 in upper case); the rest is dropped.
    void InsertText(const char* text);
    // The part's lines so far in upper case.
    void SetToUpper(int part);
    void SetPicture(const char* file);
    // The realm's coat of arms, painted into the box at both upper corners.
    void InitShield(CRZCountryID country);
    // Lays the box out; callers fill the parts first.
    virtual void Init();
    int Update(CRZEvent* event) override;

    CNewListBox* GetPart(int part) const
    {
        return part >= 0 && part < kNiceBoxParts ? mParts[part] : nullptr;
    }
    CRZBtn* GetShield() const { return mShield; }
    CRZCountryID GetCountry() const { return mCountry; }
    // The size the layout asked of the window, before the frame's tiles round it.
    CPoint GetLayoutSize() const { return mLayoutSize; }
    // An object the box owns from now on (a derived window's data).
    void Attach(std::shared_ptr<void> attachment) { mAttachment = std::move(attachment); }

protected:
    // The shield, placed at the point of the screen, takes the event; a click shows the realm.
    int OfferShield(CRZEvent* event, int x, int y);

private:
    std::string mPicture;
    std::shared_ptr<void> mAttachment;
    CRZBtn* mShield = nullptr;
    CRZCountryID mCountry;
    CNewListBox* mParts[kNiceBoxParts] = {};
    CPoint mLayoutSize;
};

// While open, a started single-player game stands still when the message type asks for a pause.
class CNiceMsgBoxBasePause : public CNiceMsgBoxBase {
public:
    CNiceMsgBoxBasePause(MessageTypeNumber type, CRZCountryID country);
    // Lifts the player's pause in a single-player game, whether this box set it or not.
    ~CNiceMsgBoxBasePause() override;

    MessageTypeNumber GetMessageType() const { return mType; }

private:
    MessageTypeNumber mType;
};

// A box with buttons of its own; derived windows say what each does, whether it is disabled and its tip.
class CInterfaceWindow : public CNiceMsgBoxBase {
public:
    CInterfaceWindow(bool flag, CRZCountryID country);
    ~CInterfaceWindow() override;

    // Owned from now on; drawn into the window's image.
    void AddButton(CRZBtn* button);
    void Init() override { CNiceMsgBoxBase::Init(); }
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;
    // 1 over a button whose tip is a text, else 0; GetRolloverText holds the tip.
    int GetWindowInstantRollover(CPoint& point) override;
    // The tip of the first button holding the point (window coordinates on screen); "" over none.
    const char* GetRolloverText(CPoint& point);

    virtual int UpdateShields(CRZEvent*) { return 0; }
    virtual void DrawShields() { }
    virtual int HandleButtonPressed(int) { return 0; }
    virtual bool IsDisabled(int) { return false; }
    virtual const char* GetButtonRollover(int) { return nullptr; }
    // The buttons' heights plus 4 each.
    virtual int GetExtraSize();
    virtual int GetMinSize() { return GetExtraSize() + 120; }

    CSpriteList& GetButtons() { return *mButtons; }
    bool GetFlag() const { return mFlag; }

private:
    CSpriteList* mButtons;
    bool mFlag;
};

// A notice with an optional header and an OK button that closes when OK is pressed or its time is up.
class CMessageBox : public CWindow {
public:
    // seconds: 70 animation ticks of the game clock each (CPlayerInfoTimer).
    CMessageBox(const char* text, int seconds);
    CMessageBox(const char* header, const char* text, int seconds);
    ~CMessageBox() override;
    CMessageBox(const CMessageBox&) = delete;
    CMessageBox& operator=(const CMessageBox&) = delete;

    // The OK button, the countdown, and the interface's windows.
    void InitMsgBox(int seconds);
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;

    CRZOKButton* GetOKButton() const { return mOK; }
    CPoint GetLayoutSize() const { return mLayoutSize; }

private:
    void Layout(const char* header, const char* text, bool withHeader);
    void PlaceOK();

    CRZOKButton* mOK = nullptr;
    std::unique_ptr<CPlayerInfoTimer> mCountdown;
    CPoint mLayoutSize;
};
