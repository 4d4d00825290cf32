// 2D surfaces drawn into the game window through the stage device's state.
#include "platform/ddraw/stage_draw.h"

#include "platform/ddraw/ddraw_surface.h"
#include "platform/ddraw/stage_device.h"

#include "foundation/safeguards.h"

namespace Ravel {

bool ShowOnStage(IDirectDrawSurfaceImp7*)
{
    return false;
}

void WaitForStageTexture(IDirectDrawSurfaceImp7*) { }

void DrawOnStage(IDirectDrawSurfaceImp7*, const DRect&, bool) { }

void FillOnStage(const DRect&, std::uint16_t) { }

void PushOnStage(IDirectDrawSurfaceImp7*, const DRect&) { }

} // namespace Ravel
