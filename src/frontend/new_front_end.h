// CNewFrontEnd (gFrontEnd), the page controller of everything the player sees outside a game: it opens
// pages by number, keeps the way back, hands every event to the one open page and carries out the page
// changes a page asks for; choosing "start" stores the scenario and closes it, and the next frame starts
// the game.
#pragma once

#include <cstdint>

#include "events/event_routing.h"
#include "gfx/drawable.h"

class CFrontEndPageBase;

class CNewFrontEnd : public CDrawable, public CRZEventHandler {
public:
    // Inactive, without a page, seed 4711.
    CNewFrontEnd();
    ~CNewFrontEnd() override;
    CNewFrontEnd(const CNewFrontEnd&) = delete;
    CNewFrontEnd& operator=(const CNewFrontEnd&) = delete;

    // Opens the numbered page and makes the front end active; a number without a page here changes
    // nothing. Call it only while no page is open. The main menu also empties the history.
    void Activate(int page);
    // Inactive, and the open page deleted.
    void Deactivate();
    // 0 without a page; else the page's answer, or 3 after a page change.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;

    bool IsActive() const { return active != 0; }
    bool IsStarted() const { return started != 0; }
    CFrontEndPageBase* GetPage() const { return page; }
    // The chosen scenario or saved game, relative to the data folder and without extension.
    const char* GetScenario() const { return scenario; }
    std::uint32_t GetSeed() const { return seed; }
    int GetHistoryCount() const { return historyCount; }

    // The product of the system time's eight fields, wrapping.
    static std::uint32_t ComputeSeed();

private:
    // The page of the number, or null where there is none.
    CFrontEndPageBase* MakePage(int number);

    CFrontEndPageBase* page = nullptr;
    std::int32_t started = 0;
    std::int32_t active = 0;
    std::int32_t history[10] = {};
    std::int32_t historyCount = 0;
    char scenario[320] = {};
    [[maybe_unused]] std::int32_t connection = 0;
    std::uint32_t seed = 4711;
};

extern CNewFrontEnd gFrontEnd;
