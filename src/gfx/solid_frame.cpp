// The solid frame: edges drawn into the sprite's private image, the inside flood-filled from its centre.
#include "gfx/solid_frame.h"

#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/image_descriptor.h"

#include "foundation/safeguards.h"

std::uint16_t CRZSolidFrame::DefaultFrameColour()
{
    return TrueToHigh(116, 101, 94);
}

std::uint16_t CRZSolidFrame::DefaultFillColour()
{
    return TrueToHigh(168, 148, 137);
}

CRZSolidFrame::CRZSolidFrame(int width, int height, const char* title, int frameColour, int fillColour)
    : CSprite(width, height, 16)
{
    CImage* image = GetImage();
    if (!image || width <= 0 || height <= 0)
        return;
    const std::uint16_t frame = frameColour == kSolidFrameDefaultColour
        ? DefaultFrameColour()
        : static_cast<std::uint16_t>(frameColour);
    const std::uint16_t fill = fillColour == kSolidFrameDefaultColour
        ? DefaultFillColour()
        : static_cast<std::uint16_t>(fillColour);
    image->Clear();
    image->SetLineColor(frame);
    const int right = width - 1;
    const int bottom = height - 1;
    const int top = title ? kTitleEdgeRow : 0;
    image->DrawLine16(CPoint(right, top), CPoint(right, bottom));
    image->DrawLine16(CPoint(right, bottom), CPoint(0, bottom));
    image->DrawLine16(CPoint(0, bottom), CPoint(0, top));
    if (!title) {
        image->DrawLine16(CPoint(0, 0), CPoint(right, 0));
    } else {
        CFont* font = gpFontDB ? gpFontDB->GetFont(kSolidFrameFontFile) : nullptr;
        int length = 0;
        if (font) {
            length = font->Length(title);
            font->Print(title, 5, 0, image, frame);
        }
        image->DrawLine16(CPoint(0, top), CPoint(4, top));
        if (length + 5 <= right)
            image->DrawLine16(CPoint(length + 5, top), CPoint(right, top));
    }
    image->FloodFill(width / 2, height / 2, fill);
    image->SetHasTransparency(true);
}
