// CFrontEndMain, the main menu (page 0): the first page after start-up and the one every finished game
// returns to. Its Exit button ends the program through the window's destroy message.
#pragma once

#include <cstdint>

#include "frontend/front_end_page_base.h"

class CFrontEndMain : public CFrontEndPageBase {
public:
    // Loads its own background and fills the back buffer with black.
    CFrontEndMain();
    ~CFrontEndMain() override;

    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;
    int GetThis() override { return kPageMainMenu; }
    int GetNext() override { return next; }

private:
    CImage* picture;
    std::int32_t next = -1;
};
