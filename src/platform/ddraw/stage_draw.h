// Drawing 2D surfaces into the game window with the stage device: the whole-window quad of a flip, a
// surface or a colour in a rectangle, and the region that GDI drew. Each saves the stage's state first and
// restores it after. Without a stage device nothing is drawn.
#pragma once

#include <cstdint>

#include "platform/ddraw/native_bitmap_render.h"

namespace Ravel {

class IDirectDrawSurfaceImp7;

// The surface as one quad over the whole window, top row at the top, unless the stage began a 3D scene
// since the last call (that frame is shown as drawn). Clears the stage's scene flag. True when the quad
// was drawn.
bool ShowOnStage(IDirectDrawSurfaceImp7* surface);
// Waits until OpenGL has finished reading the surface's texture, so the game may overwrite its pixels.
void WaitForStageTexture(IDirectDrawSurfaceImp7* surface);
// The whole surface into the rectangle (pixels, origin top left), alpha-blended when keyed.
void DrawOnStage(IDirectDrawSurfaceImp7* surface, const DRect& rect, bool keyed);
// The rectangle in the 5-5-5 colour.
void FillOnStage(const DRect& rect, std::uint16_t colour);
// The area of the surface (right and bottom inclusive, in texels) at the same place in the window,
// alpha-blended.
void PushOnStage(IDirectDrawSurfaceImp7* surface, const DRect& area);

} // namespace Ravel
