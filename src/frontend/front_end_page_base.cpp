// The page base of the front end.
#include "frontend/front_end_page_base.h"

#include "gfx/image.h"

#include "foundation/safeguards.h"

CFrontEndPageBase::CFrontEndPageBase(const char* path)
{
    if (path != nullptr)
        background = new CImage(path, IMAGE_SYSTEM, false);
}

CFrontEndPageBase::~CFrontEndPageBase()
{
    delete background;
}

int CFrontEndPageBase::Update(CRZEvent*)
{
    if (startupCount > 0) {
        --startupCount;
        return UPDATE_TAKEN;
    }
    return UPDATE_NOT_TAKEN;
}

int CFrontEndPageBase::Draw(CRZDrawType)
{
    if (background != nullptr && pBackBuffer != nullptr)
        background->Draw(0, 0, CRect(0, 0, 1024, 768), nullptr, pBackBuffer, nullptr);
    return 0;
}
