// CConfirmDialog: the panel in the middle of the screen that asks the player to confirm an action that
// cannot be taken back, and its kinds: a player action, the end of a construction, a sea transport.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/point_rect.h"
#include "foundation/rz_id.h"
#include "gfx/drawable.h"

class CDialogPlayer;
class CProvince;
class CRZCancelButton;
class CRZOKButton;
class CRZUnitList;
class CWindow;

// Not a window of the interface: the player holds at most one, lays it out with Init and hands it events
// and draw calls until Update answers 1.
class CConfirmDialog {
public:
    // Nothing is shown until Init.
    explicit CConfirmDialog(CDialogPlayer* player);
    virtual ~CConfirmDialog();
    CConfirmDialog(const CConfirmDialog&) = delete;
    CConfirmDialog& operator=(const CConfirmDialog&) = delete;

    // The text, title and question framed in the middle of the back buffer, OK right and Cancel left.
    void Init();
    // 1 once the dialog is done (OK ran the action, or Cancel), else the buttons' answer.
    virtual int Update(CRZEvent* event);
    // The framed image at the dialog's place in the back buffer, then the two buttons.
    virtual int Draw(CRZDrawType type);
    virtual std::string GetText() = 0;
    virtual void PerformAction() = 0;

    CPoint GetPosition() const { return CPoint(mX, mY); }
    // The height of the action's text as laid out, T: the window is T + 120 high.
    int GetTextHeight() const { return mTextHeight; }
    CWindow* GetWindow() const { return mWindow.get(); }
    CRZOKButton* GetOKButton() const { return mOK.get(); }
    CRZCancelButton* GetCancelButton() const { return mCancel.get(); }

protected:
    CDialogPlayer* mPlayer;

private:
    int mX = 0;
    int mY = 0;
    int mTextHeight = 0;
    std::unique_ptr<CWindow> mWindow;
    std::unique_ptr<CRZOKButton> mOK;
    std::unique_ptr<CRZCancelButton> mCancel;
};

// OK carries out one of the player's actions (RZConfirmedPlayerAction).
class CActionConfirmDialog : public CConfirmDialog {
public:
    CActionConfirmDialog(const char* text, int action, CDialogPlayer* player);
    std::string GetText() override { return mText; }
    void PerformAction() override;

private:
    std::string mText;
    int mAction;
};

// OK stops the construction in the province for the player's realm.
class CCancelProvincialBuildConfirmDialog : public CConfirmDialog {
public:
    CCancelProvincialBuildConfirmDialog(CDialogPlayer* player, CProvince& province);
    std::string GetText() override;
    void PerformAction() override;

private:
    CProvince& mProvince;
};

// OK ships the armies to the province and charges the player's ruler the gold the voyage costs.
class CNavalTransportConfirmDialog : public CConfirmDialog {
public:
    // add: the move joins the armies' orders instead of replacing them.
    CNavalTransportConfirmDialog(CDialogPlayer* player, CRZUnitList& units, CProvince& target, bool add);
    std::string GetText() override;
    // Orders the armies that still exist; the gold is charged only when one was ordered.
    void PerformAction() override;

    // Gold: the armies' strength in 250s (at least 1) times the steps of the way, five times that into a
    // religious enemy's land outside a crusade's region.
    float GetCost() const { return mCost; }
    // False when no way leads there (or the armies already stand there): OK then does nothing at all.
    bool CanTransport() const { return mCost > 0.0f; }

private:
    CProvince& mTarget;
    std::vector<DynamicID> mUnits;
    float mCost = 0.0f;
    bool mAdd;
};
