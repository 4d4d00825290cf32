// The in-game options menu.
#include "app/opt_main.h"

#include <cstdio>

#include "app/game.h"
#include "app/game_settings.h"
#include "app/winmain.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "export/generate_rz2.h"
#include "frontend/file_dialog.h"
#include "frontend/front_end_page_base.h"
#include "gfx/display_list.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "realms/country.h"
#include "text/new_text.h"
#include "widgets/button.h"
#include "widgets/hints.h"
#include "widgets/interface.h"
#include "widgets/message_box.h"
#include "widgets/question_box.h"
#include "widgets/widget_hooks.h"

#include "foundation/safeguards.h"

COptMain* gpOptions = nullptr;
std::int32_t COptMain::_nXPos = 0;
std::int32_t COptMain::_nYPos = 0;

namespace {

constexpr const char* kHeaderFont = "gfx\\fonts\\Lafayette30.bmp";
// A notice that the export wrote nothing stays this long unless the player closes it.
constexpr int kNoticeSeconds = 20;

const struct {
    const char* key;
    int top;
} kButtons[COptMain::kButtonCount] = {
    { "OPTBTN_SAVE", 86 },
    { "OPTBTN_EXPORT", 133 },
    { "OPTBTN_OPTIONS", 180 },
    { "OPTBTN_HINTS", 227 },
    { "OPTBTN_QUIT", 274 },
    { "OPTBTN_BACK", 327 },
};

const char* LocalRealmName()
{
    CRZCountry* realm = gWidgetHooks.player != nullptr ? gWidgetHooks.player->GetCountry() : nullptr;
    const char* name = realm != nullptr ? realm->GetName() : nullptr;
    return name != nullptr ? name : "";
}

// The quit question: a network session's host ends it for everyone, a client only leaves it.
const char* QuitQuestion()
{
    if (gWidgetHooks.network == nullptr || !gWidgetHooks.network->IsActive())
        return "QUIT";
    return CRZGame::IsHost() ? "QUITHOST" : "QUITCLIENT";
}

} // namespace

void ProposeSaveName(const char* realm, const CDate& date, char* out, std::size_t size)
{
    char proposal[256];
    std::snprintf(proposal, sizeof proposal, "%s_%d_%s_%d", realm != nullptr ? realm : "",
        static_cast<int>(date.year), TextStrings.GetString(kMonthKeys[((date.month % 12) + 12) % 12]),
        date.GetJulianDays() + 1);
    SanitizeSaveName(proposal, out, size);
}

COptMain::COptMain()
    : mBackground(new CSprite(kOptionsBackground))
{
    const int screenWidth = pBackBuffer != nullptr ? pBackBuffer->GetWidth() : 0;
    const int screenHeight = pBackBuffer != nullptr ? pBackBuffer->GetHeight() : 0;
    _nXPos = (screenWidth - mBackground->GetWidth()) / 2;
    _nYPos = (screenHeight - mBackground->GetHeight()) / 2;
    mBackground->MoveTo(_nXPos, _nYPos);
    for (int i = 0; i < kButtonCount; ++i) {
        CRZBtn* button = new CRZBtn(kOptionsButton, i, -1);
        button->SetTotalFrames(4);
        CFrontEndPageBase::DrawTextOnButton(kButtons[i].key, button, nullptr);
        button->MoveTo(_nXPos + (mBackground->GetWidth() - button->GetWidth()) / 2, _nYPos + kButtons[i].top);
        mButtons[i] = button;
    }
    if (gpDisplayList != nullptr)
        gpDisplayList->Add(this, kOptionsDepth, DRAW_TYPE_0);
    gEventRoutes.options = this;
    gpOptions = this;
    if (!CRZGame::IsMultiPlayer() && gpTimer != nullptr)
        gpTimer->SetRunning(false);
}

COptMain::~COptMain()
{
    delete mDialog;
    delete mSettings;
    for (CRZBtn* button : mButtons)
        delete button;
    delete mBackground;
    if (gpDisplayList != nullptr)
        gpDisplayList->RemoveThis(this);
    if (gEventRoutes.options == this)
        gEventRoutes.options = nullptr;
    if (gpOptions == this)
        gpOptions = nullptr;
    if (!CRZGame::IsMultiPlayer() && gpTimer != nullptr)
        gpTimer->RestartTimer();
}

void COptMain::Finish()
{
    mFinished = 1;
    // From now on only the display list's tick reaches the menu, and destroys it.
    if (gEventRoutes.options == this)
        gEventRoutes.options = nullptr;
    if (gpOptions == this)
        gpOptions = nullptr;
}

void COptMain::CloseDialog(bool save)
{
    const bool confirmed = mDialog->IsOK();
    // Only the name is taken from the dialog: the folder is the menu's, whatever the player typed.
    char chosen[kFileDialogNameMax + 1] = {};
    if (confirmed)
        std::snprintf(chosen, sizeof chosen, "%s", mDialog->GetName());
    delete mDialog;
    mDialog = nullptr;
    mSaveOpen = 0;
    mExportOpen = 0;
    if (!confirmed)
        return;
    char path[256];
    if (save) {
        if (gpGame != nullptr)
            gpGame->RequestSave(chosen);
    } else if (MakeGameFilePath(kExportFolder, chosen, path, sizeof path);
               !generate_rz2(path) && gpInterface != nullptr) {
        new CMessageBox(TextStrings.GetString("EXPORT_FAILED"), kNoticeSeconds);
    }
    Finish();
}

void COptMain::Act(int button)
{
    switch (button) {
    case kSave: {
        char proposal[kFileDialogNameMax + 1];
        ProposeSaveName(LocalRealmName(), CRZGame::GetCurrentDate(), proposal, sizeof proposal);
        mDialog
            = new CFileDialog(TextStrings.GetString("SAVEGAME"), mBackground, proposal, kSaveFolder, "rzg");
        mSaveOpen = 1;
        break;
    }
    case kExport:
        mDialog = new CFileDialog(TextStrings.GetString("EXPORTGAME"), mBackground, "", kExportFolder, "rzg");
        mExportOpen = 1;
        break;
    case kOptions:
        mSettings = new CGameSettings(mBackground);
        mOptionsOpen = 1;
        break;
    case kHints:
        // Windows live in the interface, which destroys them.
        if (gpInterface != nullptr)
            new CHints();
        Finish();
        break;
    case kQuit:
        // The player object takes the answer.
        if (gpInterface != nullptr)
            new CQuestionBox(QuitQuestion(), 0);
        Finish();
        break;
    default:
        Finish();
        break;
    }
}

int COptMain::Update(CRZEvent* event)
{
    if (CRZGame::IsTutorial()) {
        mButtons[kSave]->Disable();
        mButtons[kExport]->Disable();
    }
    if (mFinished) {
        if (gpOptions == this)
            gpOptions = nullptr;
        return UPDATE_REMOVE;
    }
    if (event == nullptr)
        return 0;
    if (mDialog != nullptr) {
        const int answer = mDialog->Update(event);
        if (answer != 0 && mDialog->IsDone())
            CloseDialog(mSaveOpen != 0);
        return answer;
    }
    if (mSettings != nullptr) {
        const int answer = mSettings->Update(event);
        if (mSettings->IsFinished()) {
            delete mSettings;
            mSettings = nullptr;
            mOptionsOpen = 0;
        }
        return answer;
    }
    for (int i = 0; i < kButtonCount; ++i) {
        const int answer = mButtons[i]->Update(event);
        if (answer == 0)
            continue;
        if (!mButtons[i]->IsClicked())
            return answer;
        Act(i);
        return UPDATE_REMOVE;
    }
    return 0;
}

int COptMain::HandleInput(CRZInputEvent* event)
{
    return Update(event);
}

int COptMain::Draw(CRZDrawType type)
{
    mBackground->Draw(type);
    if (mDialog != nullptr) {
        mDialog->Draw(type);
        return 0;
    }
    if (mSettings != nullptr) {
        mSettings->Draw(type);
        return 0;
    }
    if (CFont* font = FindFont(kHeaderFont); font != nullptr && pBackBuffer != nullptr)
        font->PrintCenter(TextStrings.GetString("OPTHEADER"), _nXPos + mBackground->GetWidth() / 2,
            _nYPos + 32, pBackBuffer, 0xFFFF);
    for (CRZBtn* button : mButtons)
        button->Draw(type);
    return 0;
}

bool COptMain::IsOver(CPoint& point)
{
    return point.x > _nXPos && point.x < _nXPos + mBackground->GetWidth() && point.y > _nYPos
        && point.y < _nYPos + mBackground->GetHeight();
}
