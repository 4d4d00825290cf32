// The main menu page.
#include "frontend/front_end_main.h"

#include "gfx/image.h"
#include "platform/input/window_messages.h"
#include "widgets/button.h"

#include "foundation/safeguards.h"

namespace {

constexpr const char* kBackground = "GFX\\interface\\frontend\\bg_start.bmp";
constexpr const char* kButtonPicture = "GFX\\interface\\frontend\\btn_frontend_big.bmp";
constexpr Windows::UINT kDestroy = 2;
constexpr int kRowTop = 640;

struct CMenuButton {
    const char* key;
    int hotKey;
    int page; // -1: the program ends
    bool built; // its page is in the game
};
const CMenuButton kButtons[CFrontEndMain::kButtonCount] = {
    { "FEMAINBTN_SINGLE", 's', kPageSinglePlayer, false },
    { "FEMAINBTN_MULTIPLAYER", 'm', kPageConnection, false },
    { "FEMAINBTN_CREDITS", 'c', kPageCredits, false },
    { "FEMAINBTN_EXIT", 14, -1, true },
};

} // namespace

CFrontEndMain::CFrontEndMain()
    : CFrontEndPageBase(nullptr)
    , picture(new CImage(kBackground, IMAGE_SYSTEM, false))
{
    for (int i = 0; i < kButtonCount; ++i) {
        buttons[i] = new CRZBtn(kButtonPicture, i + 1, kButtons[i].hotKey);
        buttons[i]->SetTotalFrames(4);
        DrawTextOnButton(kButtons[i].key, buttons[i], nullptr);
        const int width = buttons[i]->GetWidth();
        buttons[i]->MoveTo(512 + (i - 2) * width, kRowTop);
        if (!kButtons[i].built)
            buttons[i]->Disable();
    }
    // The multiplayer session's players are cleared here once the session is in the game.
    if (pBackBuffer != nullptr)
        pBackBuffer->Fill16Bit(0);
}

CFrontEndMain::~CFrontEndMain()
{
    for (CRZBtn* button : buttons)
        delete button;
    delete picture;
}

int CFrontEndMain::Update(CRZEvent* event)
{
    if (const int paused = CFrontEndPageBase::Update(event))
        return paused;
    int answer = UPDATE_NOT_TAKEN;
    for (CRZBtn* button : buttons)
        if ((answer = button->Update(event)) != UPDATE_NOT_TAKEN)
            break;
    for (int i = 0; i < kButtonCount; ++i) {
        if (!buttons[i]->IsClicked())
            continue;
        if (kButtons[i].page < 0) {
            Windows::PostMessageA(MainWindowsHwnd, kDestroy, 0, 0);
            return answer;
        }
        next = kButtons[i].page;
        return UPDATE_REMOVE;
    }
    return answer;
}

int CFrontEndMain::Draw(CRZDrawType type)
{
    if (pBackBuffer == nullptr)
        return 0;
    picture->Draw(0, 0, CRect(0, 0, 1024, 768), nullptr, pBackBuffer, nullptr);
    for (CRZBtn* button : buttons)
        button->Draw(type);
    // The game's version in the top right corner comes with the game session's version record.
    return 0;
}
