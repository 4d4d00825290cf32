// The local player's realm and its answers to the diplomatic requests put to it.
#include "player/player.h"

#include <algorithm>

#include "realms/request.h"
#include "widgets/interface.h"
#include "widgets/popup_dialog.h"

#include "foundation/safeguards.h"

// A request kept for the player's answer and the window that asks it, which goes first.
struct CRZPlayer::COpenAnswer {
    std::unique_ptr<CRequest> request;
    std::unique_ptr<CRZAnswerRequestWindow> window;
};

CRZPlayer::CRZPlayer() = default;

CRZPlayer::~CRZPlayer() = default;

int CRZPlayer::handleRequest(CRequest* request)
{
    constexpr int kHandled = 3;
    if (request == nullptr || !request->IsValid())
        return kHandled;
    if (request->MustAccept() || request->GetSender() == index) {
        request->AnswerToHost(1);
        return kHandled;
    }
    std::unique_ptr<CRequest> kept(request->Copy());
    if (kept == nullptr)
        return kHandled;
    auto open = std::make_unique<COpenAnswer>();
    open->request = std::move(kept);
    // Without the interface (a game run without a window) the request waits for Answer alone.
    if (gpInterface != nullptr)
        open->window = std::make_unique<CRZAnswerRequestWindow>(this, open->request.get());
    mAnswers.push_back(std::move(open));
    return kHandled;
}

const CRequest* CRZPlayer::GetOpenAnswer(int i) const
{
    return i >= 0 && i < GetOpenAnswerCount() ? mAnswers[static_cast<std::size_t>(i)]->request.get()
                                              : nullptr;
}

bool CRZPlayer::Answer(int i, int answer)
{
    if (i < 0 || i >= GetOpenAnswerCount())
        return false;
    std::unique_ptr<COpenAnswer> open = std::move(mAnswers[static_cast<std::size_t>(i)]);
    mAnswers.erase(mAnswers.begin() + i);
    if (open->window != nullptr) {
        if (answer != 0)
            open->window->OnOk();
        else
            open->window->OnCancel();
    } else {
        open->request->AnswerToHost(answer != 0 ? 1 : 0);
    }
    return true;
}

void CRZPlayer::AddPopup(CWindow* popup)
{
    mPopups.push_back(popup);
}

void CRZPlayer::RemovePopup(CWindow* popup)
{
    std::erase(mPopups, popup);
}
