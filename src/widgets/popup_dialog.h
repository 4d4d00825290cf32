// CPopupDialog: the box in which the local player answers another realm: a request, a trade offer, a call
// to defend an ally or a vassal at war, or an offer of peace; an accept and a decline button under the
// asking realm's coat of arms and, for requests, the portraits of the characters concerned.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "events/record_types.h"
#include "foundation/point_rect.h"
#include "widgets/message_box.h"

class CDialogPlayer;
class COverlapBox;
class CRequest;
class CRZCountry;
class CRZDiplomaticEvent;
class CRZGenericButton;
class CWar;

// What the answers need of the realms' war and trade operations, the message settings and the message
// handler, which stand above or beside the widgets; the game's wiring fills them. Unset, an answer that
// needs one does nothing more.
struct CPopupHooks {
    // The war in which the two realms fight each other, or null.
    const CWar* (*GetWar)(CRZCountryID realm, CRZCountryID other) = nullptr;
    // The realm asks the host to set up war on the target (CRZCountry::DeclareWar).
    void (*DeclareWar)(CRZCountry* realm, CRZCountryID target, bool first, bool second) = nullptr;
    // The trade offer goes back to the host accepted or declined.
    void (*AcceptTrade)(CRZCountry* realm, CRZDiplomaticEvent* offer) = nullptr;
    void (*DeclineTrade)(CRZCountry* realm, CRZDiplomaticEvent* offer) = nullptr;
    // The right-click settings of a message type at the screen point (CMessageProp).
    void (*ShowMessageSettings)(int messageType, CPoint at) = nullptr;
    // The form of address the player's standing selects, put in place of "%t" (CMessageHandler::InsertTitle).
    std::string (*InsertTitle)(const std::string& text) = nullptr;
};
extern CPopupHooks gPopupHooks;

inline constexpr const char* kPopupButtonFont = "gfx\\fonts\\proformaB12.bmp";
inline constexpr int kPopupExtras = 2;
// The portraits of a request's characters: 64 by 64 at (16, 94) and (box width - 80, 94).
inline constexpr int kPopupPortraitSize = 64;
inline constexpr int kPopupPortraitTop = 94;

class CPopupDialog : public CNiceMsgBoxBase {
public:
    // Joins the player's open pop-ups at once, the interface's windows only from Init on. The integer
    // is not used.
    CPopupDialog(CDialogPlayer* player, int unused, CRZCountryID country);
    // Leaves the player's pop-ups; the buttons and portrait boxes go with it.
    ~CPopupDialog() override;

    // "POPRESP" into part 7, the layout, the buttons into the box's image, and the interface's windows.
    void Init() override;
    virtual void OnOk() { }
    virtual void OnCancel() { }
    // The tooltip over the box; null for none.
    virtual const char* GetRollover() { return nullptr; }
    virtual bool IsValid() { return false; }

    // An invalid dialog cancels and closes; a right release opens the message settings; then accept,
    // decline, the portrait boxes, the coat of arms and the window.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;

    // Owned; placed at the point of the box.
    void SetExtra(int slot, COverlapBox* widget, CPoint at);
    COverlapBox* GetExtra(int slot) const
    {
        return slot >= 0 && slot < kPopupExtras ? mExtras[slot].get() : nullptr;
    }
    CRZGenericButton* GetAcceptButton() const { return mAccept; }
    CRZGenericButton* GetDeclineButton() const { return mDecline; }
    int GetMessageType() const { return mMessageType; }
    CDialogPlayer* GetPlayer() const { return mPlayer; }

protected:
    // The player's realm, null when there is none.
    CRZCountry* PlayerCountry() const;

    CDialogPlayer* mPlayer;
    CRZGenericButton* mAccept = nullptr;
    CRZGenericButton* mDecline = nullptr;
    std::int32_t mMessageType = 1;

private:
    // The button at its place in the box, offset by the box's screen position for input; true when pressed.
    bool Offer(CRZGenericButton* button, CRZEvent* event, int& result);

    std::unique_ptr<COverlapBox> mExtras[kPopupExtras];
    CPoint mExtraAt[kPopupExtras];
};

// A diplomatic request: accept answers it 1, decline 0, and a request that expires or goes invalid while
// open is answered 0 at the next update.
class CRZAnswerRequestWindow : public CPopupDialog {
public:
    // The request is not owned and must outlive the dialog.
    CRZAnswerRequestWindow(CDialogPlayer* player, CRequest* request);
    void OnOk() override;
    void OnCancel() override;
    const char* GetRollover() override;
    bool IsValid() override;
    CRequest* GetRequest() const { return mRequest; }

private:
    CRequest* mRequest;
};

// A trade offer: accept and decline reach OnAccept and OnReject, which answer the offer through the realm.
class CRZAnswerTradeWindow : public CPopupDialog {
public:
    // The offer is copied.
    CRZAnswerTradeWindow(CDialogPlayer* player, CRZDiplomaticEvent* offer);
    ~CRZAnswerTradeWindow() override;
    void OnOk() override { OnAccept(); }
    void OnCancel() override { OnReject(); }
    const char* GetRollover() override { return ""; }
    bool IsValid() override { return true; }
    virtual void OnAccept();
    virtual void OnReject();
    CRZCountryID GetSender() const { return mSender; }

private:
    CRZDiplomaticEvent* mOffer = nullptr;
    CRZCountryID mSender;
};

// The common part of the calls to war: an allied or vassal realm fights the enemy; its texts say who
// attacked whom.
class CRZAnswerWarWindow : public CPopupDialog {
public:
    // Valid while both realms exist and the player is at war with neither.
    bool IsValid() override;
    CRZCountryID GetAsking() const { return mAsking; }
    CRZCountryID GetEnemy() const { return mEnemy; }
    // Part 2 and part 3 as built.
    const std::string& GetText1() const { return mText1; }
    const std::string& GetText2() const { return mText2; }

protected:
    // stem: "ANSWERALLY" or "ANSWERVASSAL"; vassals: search the attacking ruler's vassals, else his allies.
    CRZAnswerWarWindow(
        CDialogPlayer* player, CRZCountryID asking, CRZCountryID enemy, const char* stem, bool vassals);
    // The asking realm's ruler began the war with the enemy.
    bool AskingAttacked() const;
    bool BothExist() const;

    CRZCountryID mAsking;
    CRZCountryID mEnemy;
    std::string mText1;
    std::string mText2;
};

class CRZAnswerWarOnAllyWindow : public CRZAnswerWarWindow {
public:
    CRZAnswerWarOnAllyWindow(CDialogPlayer* player, CRZCountryID ally, CRZCountryID enemy);
    // The player declares war on the enemy.
    void OnOk() override;
};

class CRZAnswerWarOnVassalWindow : public CRZAnswerWarWindow {
public:
    CRZAnswerWarOnVassalWindow(CDialogPlayer* player, CRZCountryID vassal, CRZCountryID enemy);
    // War on the enemy, the first flag set when the vassal was attacked.
    void OnOk() override;
    // Leaving an attacked vassal alone while not at war with the enemy costs the realm 100 prestige.
    void OnCancel() override;
};

class CRZAnswerOfferPeaceWindow : public CPopupDialog {
public:
    CRZAnswerOfferPeaceWindow(CDialogPlayer* player, CRZCountryID country);
    const char* GetRollover() override;
    bool IsValid() override { return true; }

private:
    std::string mRollover;
};
