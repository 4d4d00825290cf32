// The main menu page.
#include "frontend/front_end_main.h"

#include "gfx/image.h"

#include "foundation/safeguards.h"

namespace {
constexpr const char* kBackground = "GFX\\interface\\frontend\\bg_start.bmp";
} // namespace

CFrontEndMain::CFrontEndMain()
    : CFrontEndPageBase(nullptr)
    , picture(new CImage(kBackground, IMAGE_SYSTEM, false))
{
    // The multiplayer session's players are cleared here once the session is in the game.
    if (pBackBuffer != nullptr)
        pBackBuffer->Fill16Bit(0);
}

CFrontEndMain::~CFrontEndMain()
{
    delete picture;
}

int CFrontEndMain::Update(CRZEvent* event)
{
    if (const int paused = CFrontEndPageBase::Update(event))
        return paused;
    return UPDATE_NOT_TAKEN;
}

int CFrontEndMain::Draw(CRZDrawType)
{
    if (pBackBuffer != nullptr)
        picture->Draw(0, 0, CRect(0, 0, 1024, 768), nullptr, pBackBuffer, nullptr);
    return 0;
}
