// The stage device: the Direct3D device that draws into the game window, as the surfaces see it.
#pragma once

#include "platform/render/our_context.h"

namespace Ravel {

class IDirect3DDeviceImp7;
class IDirectDrawStandardSurfaceImp7;

// Made by the DirectDraw object when the display mode is set; null until then. Owned by the DirectDraw
// object's display state.
extern IDirect3DDeviceImp7* gStage;

// The context the stage device draws in, or null without a stage device. The stage device is made over
// the stage surface, whose 3D context is the game window's, so that is the context answered.
const OurContext* StageDeviceContext();

// A new Direct3D 7 device over the surface becomes gStage; gStage stays null when none can be made.
void MakeStageDevice(IDirectDrawStandardSurfaceImp7* surface);
// Releases gStage, if any, and clears it.
void ReleaseStageDevice();

} // namespace Ravel
