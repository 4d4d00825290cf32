// The stage device pointer, the context it draws in, and its making and release with the display mode.
#include "platform/ddraw/stage_device.h"

#include "platform/ddraw/direct3d_device_imp7.h"

#include "foundation/safeguards.h"

namespace Ravel {

IDirect3DDeviceImp7* gStage = nullptr;

const OurContext* StageDeviceContext()
{
    return gStage ? &GetStageContext() : nullptr;
}

void MakeStageDevice(IDirectDrawStandardSurfaceImp7* surface)
{
    ReleaseStageDevice();
    gStage = new IDirect3DDeviceImp7(surface);
}

void ReleaseStageDevice()
{
    if (gStage)
        gStage->Release();
    gStage = nullptr;
}

} // namespace Ravel
