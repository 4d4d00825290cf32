// The stage device pointer and the context it draws in.
#include "platform/ddraw/stage_device.h"

#include "foundation/safeguards.h"

namespace Ravel {

IDirect3DDeviceImp7* gStage = nullptr;

const OurContext* StageDeviceContext()
{
    return gStage ? &GetStageContext() : nullptr;
}

void MakeStageDevice(IDirectDrawStandardSurfaceImp7*) { }

void ReleaseStageDevice()
{
    gStage = nullptr;
}

void* MakeDirect3D()
{
    return nullptr;
}

} // namespace Ravel
