// The page base of the front end.
#include "frontend/front_end_page_base.h"

#include "gfx/font.h"
#include "gfx/image.h"
#include "text/new_text.h"
#include "widgets/button.h"

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

void CFrontEndPageBase::DrawTextOnButton(const char* key, CRZBtn* button, CFont* font)
{
    if (button == nullptr)
        return;
    button->Individualize();
    if (font == nullptr && gpFontDB != nullptr)
        font = gpFontDB->GetFont("gfx\\fonts\\proformaB12.bmp");
    CImage* image = button->GetImage();
    if (font == nullptr || image == nullptr)
        return;
    const char* text = TextStrings.GetString(key);
    const std::uint16_t colours[4] = { TrueToHigh(255, 255, 255), TrueToHigh(240, 220, 176),
        TrueToHigh(240, 220, 176), TrueToHigh(128, 128, 128) };
    const int quarter = image->GetWidth() / 4;
    const int y = (image->GetHeight() - font->GetLineHeight()) / 2;
    for (int frame = 0; frame < 4; ++frame)
        font->PrintDropCenter(text, quarter / 2 + frame * quarter, y, image, colours[frame]);
}
