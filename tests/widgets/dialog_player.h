// The local player as the dialogs and the clock ask it, for the tests of boxes, dialogs and the console:
// it records what it was asked to do.
#pragma once

#include <vector>

#include "events/event_routing.h"
#include "widgets/widget_hooks.h"

namespace widgets_test {

class CRecordingPlayer : public CRZPlayerHandler, public CDialogPlayer {
public:
    CRZReturnType Update(CRZEvent*) override { return 0; }
    bool IsModalOpen() const override { return false; }
    bool IsPause() const override { return pause; }
    void SetPause(bool value) override { pause = value; }
    CRZCountry* GetCountry() override { return country; }
    void PerformConfirmedAction(int action) override { actions.push_back(action); }
    void ShowCountry(CRZCountryID shown) override { shownCountries.push_back(shown); }
    CRZUnit* GetFirstSelectedUnit() override { return selected; }
    CCharacter* GetShownCharacter() override { return character; }
    void SetShield() override { ++shields; }

    bool pause = false;
    CRZCountry* country = nullptr;
    CRZUnit* selected = nullptr;
    CCharacter* character = nullptr;
    std::vector<int> actions;
    std::vector<CRZCountryID> shownCountries;
    int shields = 0;
};

} // namespace widgets_test
