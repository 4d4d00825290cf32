// The in-game interface: its windows, buttons and side panel drawn in three passes of the display list,
// events routed to them, and input dispatch: each input event goes to the console, the options screen, the
// goto box, the front end or the game's receivers in a fixed order, and the game-speed keys are answered
// here.
#include "widgets/interface.h"

#include <cctype>
#include <cstdio>

#include "app/game.h"
#include "events/event_hooks.h"
#include "events/generic_events.h"
#include "gfx/display_list.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/palette.h"
#include "gfx/sprite.h"
#include "text/new_text.h"
#include "widgets/button.h"
#include "widgets/goto_box.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

CInterfaceReceivers gInterfaceReceivers;
CInterface* gpInterface = nullptr;
CPalette* CInterface::_pPalette = nullptr;

namespace {

constexpr int kPlusKey = 43;
constexpr int kCommaKey = 44;
constexpr int kMinusKey = 45;
constexpr int kFullStopKey = 46;

bool EndOfYearShown()
{
    return gInterfaceReceivers.IsEndOfYearShown && gInterfaceReceivers.IsEndOfYearShown();
}

bool ChatOpen()
{
    return gInterfaceReceivers.player && gInterfaceReceivers.player->HasChatLine();
}

bool RightClickMenuOpen()
{
    return gInterfaceReceivers.player && gInterfaceReceivers.player->HasRightClickMenu();
}

bool Asks(bool (*query)())
{
    return query && query();
}

constexpr const char* kCursorFiles[2]
    = { "gfx\\interface\\cursor_active.bmp", "gfx\\interface\\cursor_inactive.bmp" };
constexpr int kWaitingCaptionY = 58;

} // namespace

CInterface::CInterface()
    : mWindows(new CWindowList())
    , mSprites(new CSpriteList())
{
    mPalette = CPalette::FindPalette("topblob.act");
    _pPalette = mPalette;
    RefreshSide();
    if (gpDisplayList) {
        gpDisplayList->Add(this, kInterfaceBackDepth, DRAW_TYPE_0);
        gpDisplayList->Add(this, kInterfaceButtonDepth, DRAW_TYPE_4);
        gpDisplayList->Add(this, kInterfaceWindowDepth, DRAW_TYPE_2);
    }
    CWindow::ClearSBuffer();
    InitCursors();
}

CInterface::~CInterface()
{
    CVideo::RemoveCursors();
    if (gpDisplayList)
        gpDisplayList->RemoveThis(this);
    DestroySide();
    delete mDots;
    delete mWindows;
    delete mSprites;
    if (_pPalette == mPalette)
        _pPalette = nullptr;
}

void CInterface::DestroySide()
{
    for (CSprite** piece : { &mTop, &mMiddle, &mBottom }) {
        delete *piece;
        *piece = nullptr;
    }
    delete mGotoBox;
    mGotoBox = nullptr;
}

void CInterface::RefreshSide()
{
    DestroySide();
    mTop = new CSprite("gfx\\interface\\top.bmp");
    mBottom = new CSprite("gfx\\interface\\bottom.bmp");
    mMiddle = new CSprite("gfx\\interface\\middle.bmp");
    mGotoBox = new CRZGotoBox();
}

void CInterface::InitCursors()
{
    CVideo::RemoveCursors();
    for (int type = 0; type < 2; ++type) {
        CVideo::RegisterCursor(kCursorFiles[type]);
        mCursorIds[type] = CVideo::Cursors - 1;
    }
    mCurrentCursor = mCursorIds[CURSOR_ACTIVE];
}

void CInterface::SetCursor(CursorType type)
{
    mCurrentCursor = mCursorIds[type == CURSOR_INACTIVE ? 1 : 0];
    CVideo::SetCursor(mCurrentCursor);
}

void CInterface::DrawBackground()
{
    int y = 0;
    for (CSprite* piece : { mTop, mMiddle, mBottom }) {
        if (!piece)
            continue;
        piece->SetDestinationImage(pBackBuffer);
        piece->MoveTo(0, y);
        piece->Draw(DRAW_TYPE_0);
        y += piece->GetHeight();
    }
}

void CInterface::DrawWindows(CRZDrawType type)
{
    CWindow::ClearSBuffer();
    mWindows->DrawFrontToBack(type);
}

int CInterface::Draw(CRZDrawType type)
{
    const CInterfaceReceivers& r = gInterfaceReceivers;
    const bool frontEnd = !IsInGame() || (r.IsFrontEndActive && r.IsFrontEndActive());
    if (frontEnd) {
        DrawWindows(type);
        return 0;
    }
    if (r.fullScreenHint) {
        r.fullScreenHint->MoveTo(0, 0);
        r.fullScreenHint->Draw(type);
        return 0;
    }
    switch (type) {
    case DRAW_TYPE_0: {
        CFont* font = gpFontDB ? gpFontDB->GetFont("gfx\\fonts\\proformaB12.bmp") : nullptr;
        if (CRZGame::IsMultiPlayer() && Asks(r.IsWaitingForPlayers) && font && pBackBuffer) {
            char caption[256];
            std::snprintf(caption, sizeof caption, "%s", TextStrings.GetString("WAITING_FOR_PLAYERS"));
            for (char* c = caption; *c; ++c)
                *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
            const int x = (GetBackBufferWidth() - kSidePanelWidth) / 2 + kSidePanelWidth;
            font->PrintDropCenter(caption, x, kWaitingCaptionY, pBackBuffer, 0xFFFF);
        }
        if (r.messageLogView)
            r.messageLogView->Draw(type);
        DrawBackground();
        break;
    }
    case DRAW_TYPE_4:
        mSprites->Draw(type);
        break;
    default:
        DrawWindows(type);
        if (mGotoBox)
            mGotoBox->Draw(type);
        break;
    }
    return 0;
}

CRZReturnType CInterface::Update(CRZEvent* event)
{
    const CInterfaceReceivers& r = gInterfaceReceivers;
    if (!IsInGame()) {
        if (gEventRoutes.frontEnd)
            gEventRoutes.frontEnd->Update(event);
        return mWindows->Update(event);
    }
    int answer = r.player ? r.player->UpdateRCDM(event) : 0;
    if (answer == 0)
        answer = mWindows->Update(event);
    if (EndOfYearShown())
        return 0;
    if (answer != 0)
        return answer;
    if (ChatOpen()) {
        if (auto* input = dynamic_cast<CRZInputEvent*>(event))
            answer = r.player->UpdateChat(input);
    }
    if (answer == 0 && r.messageLog)
        answer = r.messageLog->Update(event);
    if (answer == 0)
        answer = mSprites->Update(event);
    return answer;
}

void CInterface::AddWindow(CWindow* window)
{
    mWindows->Append(window);
}

void CInterface::AddWindowAtEnd(CWindow* window)
{
    mWindows->Insert(window);
}

void CInterface::RemoveWindow(CWindow* window)
{
    mWindows->Remove(window);
}

void CInterface::AddButton(CRZBtn* button)
{
    mSprites->Append(button);
}

void CInterface::RemoveButton(CRZBtn* button)
{
    mSprites->Remove(button);
}

void CInterface::AddInputable(CInputable* inputable)
{
    mInputables.Append(inputable);
}

void CInterface::RemoveInputable(CInputable* inputable)
{
    mInputables.Remove(inputable);
}

int CInterface::IsWindowAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= GetBackBufferWidth() || y >= GetBackBufferHeight())
        return 0;
    if (y >= static_cast<int>(CWindow::_SBuffer.size()))
        return 0;
    for (const CSpan& span : CWindow::_SBuffer[y].spans)
        if (2 * x >= span.start && 2 * x <= span.end)
            return 0;
    return 1;
}

int CInterface::WindowRollover(CPoint& point, int (CWindow::*rollover)(CPoint&))
{
    for (auto it = mWindows->GetTail(); !it.IsEnd(); it--) {
        auto* window = dynamic_cast<CWindow*>(*it);
        if (window && window->isWithin(point.x, point.y))
            return (window->*rollover)(point);
    }
    return 0;
}

int CInterface::GetWindowInstantRollover(CPoint& point)
{
    return WindowRollover(point, &CWindow::GetWindowInstantRollover);
}

int CInterface::GetWindowDelayedRollover(CPoint& point)
{
    return WindowRollover(point, &CWindow::GetWindowDelayedRollover);
}

int CInterface::GetButtonIDAt(int x, int y)
{
    for (auto it = mSprites->GetHead(); !it.IsEnd(); it++) {
        auto* button = dynamic_cast<CRZBtn*>(*it);
        if (button && button->Within(x, y))
            return button->GetID();
    }
    return -1;
}

CPoint CInterface::GetBottomPos()
{
    if (!mBottom)
        return CPoint();
    const CPoint at = mBottom->GetPosition();
    return CPoint(at.x, at.y + mBottom->GetHeight());
}

int CInterface::GetHeaderEndPos()
{
    return mTop ? mTop->GetPosition().y + mTop->GetHeight() : 0;
}

int CInterface::OfferInputables(CRZInputEvent* event)
{
    int answer = 0;
    for (auto it = mInputables.GetHead(); !it.IsEnd(); it++) {
        answer = (*it)->HandleInput(event);
        if (answer == UPDATE_TAKEN)
            return UPDATE_TAKEN;
    }
    return answer;
}

// The speed keys answer 3 whether or not the speed could move; -1 for any other event.
int CInterface::SpeedKey(CRZInputEvent* event)
{
    if (event->GetType() != _CRZEVT_KEYUP_)
        return -1;
    const int code = event->Record().value1;
    int step = 0;
    if ((code == kPlusKey && CInput::_isControl) || (code == kFullStopKey && !ChatOpen()))
        step = 1;
    else if ((code == kMinusKey && CInput::_isControl) || (code == kCommaKey && !ChatOpen()))
        step = -1;
    if (step == 0)
        return -1;
    const CInterfaceReceivers& r = gInterfaceReceivers;
    if (!IsHostMachine() || !r.GetGameSpeed || !r.SetGameSpeed)
        return UPDATE_TAKEN;
    const int speed = r.GetGameSpeed() + step;
    if (speed < 0 || speed > kGameSpeedMax)
        return UPDATE_TAKEN;
    r.SetGameSpeed(speed);
    char key[32];
    std::snprintf(key, sizeof key, "GAMESPEED%d", speed);
    if (r.LogLine)
        r.LogLine(TextStrings.GetString(key));
    return UPDATE_TAKEN;
}

CRZReturnType CInterface::HandleInput(CRZInputEvent* event)
{
    const CInterfaceReceivers& r = gInterfaceReceivers;
    int answer = 0;
    if (r.console && !EndOfYearShown())
        answer = r.console->HandleInput(event);
    if (answer == 0 && gEventRoutes.options)
        return gEventRoutes.options->Update(event);
    if (answer == 0 && mGotoBox && IsInGame() && !ChatOpen())
        answer = mGotoBox->HandleInput(event);

    const bool frontEnd = !IsInGame() || (r.IsFrontEndActive && r.IsFrontEndActive());
    if (frontEnd) {
        if (answer == 0 && OfferInputables(event) == UPDATE_TAKEN)
            answer = UPDATE_TAKEN;
        if (answer == 0)
            answer = mWindows->Update(event);
        if (answer == 0 && gEventRoutes.frontEnd)
            return gEventRoutes.frontEnd->Update(event);
        return answer;
    }

    if (answer == 0) {
        const int speed = SpeedKey(event);
        if (speed >= 0)
            return speed;
    }
    if (answer == 0 && r.player) {
        answer = r.player->UpdateRCDM(event);
        if (answer == 0)
            answer = r.player->HandleTopInput(event);
    }
    if (answer == 0 && !EndOfYearShown() && ChatOpen())
        answer = r.player->UpdateChat(event);
    if (answer == 0)
        answer = mWindows->Update(event);
    if (answer == 0 && !EndOfYearShown()) {
        if (r.messageLog && !RightClickMenuOpen())
            answer = r.messageLog->Update(event);
        if (answer == 0)
            answer = mSprites->Update(event);
        if (answer == 0 && r.minimap && !RightClickMenuOpen())
            answer = r.minimap->Update(event);
    }
    if (answer == 0)
        answer = OfferInputables(event);
    if (answer == 0 && r.map)
        return r.map->HandleInput(event);
    return answer;
}
