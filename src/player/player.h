// CRZPlayer, the realm of the human who plays on this machine: it answers the diplomatic requests put to it,
// at once where it must or where it asked itself, otherwise through an answer window its player decides in.
#pragma once

#include <memory>
#include <vector>

#include "realms/country.h"
#include "widgets/widget_hooks.h"

class CRequest;
class CRZAnswerRequestWindow;
class CWindow;

class CRZPlayer : public CRZCountry, public CDialogPlayer {
public:
    CRZPlayer();
    ~CRZPlayer() override;
    CRZPlayer(const CRZPlayer&) = delete;
    CRZPlayer& operator=(const CRZPlayer&) = delete;

    // A valid request is accepted at once when it must be or the player sent it himself; any other waits
    // for its answer, in a window while the interface is up. The request handed in stays the caller's; the
    // player keeps a copy. Answers 3.
    int handleRequest(CRequest* request) override;

    // The requests waiting for the player's answer, oldest first; each window answers its own.
    int GetOpenAnswerCount() const { return static_cast<int>(mAnswers.size()); }
    const CRequest* GetOpenAnswer(int i) const;
    // What the window's accept (1) and decline (0) buttons do for the i-th waiting request: the answer goes
    // to the host and the request leaves the list. False outside the list.
    bool Answer(int i, int answer);

    // The dialogs' view of the player.
    bool IsPause() const override { return mPause; }
    void SetPause(bool pause) override { mPause = pause; }
    CRZCountry* GetCountry() override { return this; }
    void PerformConfirmedAction(int) override { }
    void ShowCountry(CRZCountryID) override { }
    CRZUnit* GetFirstSelectedUnit() override { return nullptr; }
    CCharacter* GetShownCharacter() override { return nullptr; }
    void SetShield() override { }
    void AddPopup(CWindow* popup) override;
    void RemovePopup(CWindow* popup) override;

private:
    struct COpenAnswer;
    std::vector<std::unique_ptr<COpenAnswer>> mAnswers;
    std::vector<CWindow*> mPopups;
    bool mPause = false;
};
