// CFrontEndMain, the main menu (page 0): the first page after start-up and the one every finished game
// returns to. Its Exit button ends the program through the window's destroy message. Single player,
// Multiplayer and Credits stay disabled until their pages are in the game: opening a page that is not
// there would start a game from an empty path.
#pragma once

#include <cstdint>

#include "frontend/front_end_page_base.h"

class CRZBtn;

class CFrontEndMain : public CFrontEndPageBase {
public:
    enum Button { kSingle, kMultiplayer, kCredits, kExit, kButtonCount };

    // Loads its own background and the four labelled buttons and fills the back buffer with black.
    CFrontEndMain();
    ~CFrontEndMain() override;

    // After the start-up pause the buttons get the event in order until one takes it; the first one
    // clicked decides: a page (answer 1 with that page next) or, for Exit, the destroy message.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;
    int GetThis() override { return kPageMainMenu; }
    int GetNext() override { return next; }

    CRZBtn* GetButton(int button) const { return buttons[button]; }

private:
    CImage* picture;
    CRZBtn* buttons[kButtonCount] = {};
    std::int32_t next = -1;
};
