// The front end's page controller.
#include "frontend/new_front_end.h"

#include <cstdio>

#include "app/settings.h"
#include "frontend/front_end_main.h"
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

CNewFrontEnd gFrontEnd;

CNewFrontEnd::CNewFrontEnd() = default;

CNewFrontEnd::~CNewFrontEnd()
{
    delete page;
}

std::uint32_t CNewFrontEnd::ComputeSeed()
{
    Windows::SYSTEMTIME time {};
    Windows::GetSystemTime(&time);
    std::uint32_t product = 1;
    for (const Windows::WORD field : { time.wYear, time.wMonth, time.wDayOfWeek, time.wDay, time.wHour,
             time.wMinute, time.wSecond, time.wMilliseconds })
        product *= field;
    return product;
}

CFrontEndPageBase* CNewFrontEnd::MakePage(int number)
{
    switch (number) {
    case kPageMainMenu:
        return new CFrontEndMain();
    default:
        // The other pages are not in the game yet: their buttons on the main menu are disabled.
        return nullptr;
    }
}

void CNewFrontEnd::Activate(int number)
{
    CFrontEndPageBase* made = MakePage(number);
    if (made == nullptr)
        return;
    // A new game's seed comes with the page where it is chosen.
    if (number == kPageSinglePlayer || number == kPageHost)
        seed = ComputeSeed();
    page = made;
    active = 1;
    if (number == kPageMainMenu) {
        started = 0;
        historyCount = 0;
    }
}

void CNewFrontEnd::Deactivate()
{
    active = 0;
    delete page;
    page = nullptr;
}

int CNewFrontEnd::Update(CRZEvent* event)
{
    if (page == nullptr)
        return UPDATE_NOT_TAKEN;
    const int answer = page->Update(event);
    if (answer != UPDATE_REMOVE)
        return answer;
    // Every page change saves the settings, so a choice made on a page survives a quit at any point.
    if (page->forward == 0) {
        Deactivate();
        if (historyCount > 0)
            --historyCount;
        Activate(history[historyCount]);
    } else if (const int next = page->GetNext(); next != kPageStart) {
        if (historyCount < static_cast<int>(std::size(history)))
            history[historyCount++] = page->GetThis();
        Deactivate();
        Activate(next);
    } else {
        std::snprintf(scenario, sizeof scenario, "%s", page->GetScenario());
        historyCount = 0;
        Deactivate();
        started = 1;
    }
    if (gpSettings != nullptr)
        gpSettings->SaveSettings();
    return UPDATE_TAKEN;
}

int CNewFrontEnd::Draw(CRZDrawType type)
{
    if (page != nullptr)
        page->Draw(type);
    return 0;
}
