// Input dispatch: each input event goes to the console, the options screen, the goto box, the front end
// or the game's receivers in a fixed order, and the game-speed keys are answered here.
#include "widgets/interface.h"

#include <cstdio>

#include "events/event_hooks.h"
#include "events/generic_events.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

CInterfaceReceivers gInterfaceReceivers;
CInterface* gpInterface = nullptr;

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

} // namespace

CInterface::CInterface()
    : mWindows(new CWindowList())
    , mSprites(new CSpriteList())
{
}

CInterface::~CInterface()
{
    delete mWindows;
    delete mSprites;
}

CRZReturnType CInterface::Update(CRZEvent* event)
{
    return mWindows->Update(event);
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
    if (answer == 0 && r.gotoBox && IsInGame() && !ChatOpen())
        answer = r.gotoBox->HandleInput(event);

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
