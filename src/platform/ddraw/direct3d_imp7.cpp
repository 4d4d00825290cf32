// The Direct3D factory: device and depth-format enumeration, devices and vertex buffers.
#include "platform/ddraw/direct3d_imp7.h"

#include <exception>
#include <memory>

#include "platform/ddraw/direct3d_device_imp7.h"
#include "platform/ddraw/vertex_buffer_imp7.h"
#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Ravel {

using namespace Windows;

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kWarning);

} // namespace

HRESULT IDirect3DImp7::EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, LPVOID context)
{
    if (!callback)
        return RV_DXERR_FAILED;
    char description[] = "Device Desc";
    char name[] = "Device Name";
    D3DDEVICEDESC7 desc {};
    desc.dwDevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_HWRASTERIZATION;
    callback(description, name, &desc, context);
    return 0;
}

HRESULT IDirect3DImp7::CreateDevice(REFGUID, IDirectDrawSurface7* surface, IDirect3DDevice7** device)
{
    if (!device)
        return RV_DXERR_FAILED;
    auto* made = new IDirect3DDeviceImp7(surface);
    if (!made->renderTarget()) {
        made->Release();
        return RV_DXERR_FAILED;
    }
    if (!gDevice)
        gDevice = made;
    *device = made;
    return 0;
}

HRESULT IDirect3DImp7::CreateVertexBuffer(D3DVERTEXBUFFERDESC* desc, IDirect3DVertexBuffer7** buffer, DWORD)
{
    if (!desc || !buffer)
        return RV_DXERR_FAILED;
    auto* made = new IDirect3DVertexBufferImp7;
    try {
        made->Init(*desc);
    } catch (const std::exception& e) {
        gLog.error(e);
        made->Release();
        return RV_DXERR_FAILED;
    }
    *buffer = made;
    return 0;
}

HRESULT IDirect3DImp7::EnumZBufferFormats(REFGUID, LPD3DENUMPIXELFORMATSCALLBACK callback, LPVOID context)
{
    if (!callback)
        return RV_DXERR_FAILED;
    DDPIXELFORMAT format {};
    format.dwSize = sizeof(format);
    format.dwFlags = DDPF_ZBUFFER;
    format.dwZBufferBitDepth = 16;
    callback(&format, context);
    return 0;
}

} // namespace Ravel
