// The stage device: the Direct3D device that draws into the game window, as the surfaces see it.
#pragma once

#include "platform/render/our_context.h"

namespace Ravel {

class IDirect3DDeviceImp7;

// Made by the DirectDraw object when the display mode is set; null until then. Not owned here.
extern IDirect3DDeviceImp7* gStage;

// The context the stage device draws in, or null without a stage device. The stage device is made over
// the stage surface, whose 3D context is the game window's, so that is the context answered.
const OurContext* StageDeviceContext();

} // namespace Ravel
