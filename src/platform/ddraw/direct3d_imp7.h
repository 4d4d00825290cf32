// The Direct3D 7 factory that the DirectDraw object hands out: one device, one depth format, and the
// devices and vertex buffers it makes.
#pragma once

#include "platform/ddraw/d3d_types.h"

namespace Ravel {

// Not counted: the DirectDraw object that makes it deletes it.
class IDirect3DImp7 : public Windows::IDirect3D7 {
public:
    using HRESULT = Windows::HRESULT;
    using DWORD = Windows::DWORD;

    IDirect3DImp7() = default;
    virtual ~IDirect3DImp7() = default;

    HRESULT QueryInterface(Windows::REFIID, void**) override { return 0; }
    Windows::ULONG AddRef() override { return 0; }
    Windows::ULONG Release() override { return 0; }

    // One call describing a hardware transform-and-lighting device.
    HRESULT EnumDevices(Windows::LPD3DENUMDEVICESCALLBACK7 callback, Windows::LPVOID context) override;
    // A device (count 1, owned by the caller) drawing into the surface, whatever the identifier; the first
    // device made becomes gDevice. -2020 and no device for a surface that is not a memory surface.
    HRESULT CreateDevice(Windows::REFGUID guid, Windows::IDirectDrawSurface7* surface,
        Windows::IDirect3DDevice7** device) override;
    // A vertex buffer (count 1) sized for the description; -2020 when it cannot be had.
    HRESULT CreateVertexBuffer(
        Windows::D3DVERTEXBUFFERDESC* desc, Windows::IDirect3DVertexBuffer7** buffer, DWORD flags) override;
    // One call with a 16-bit depth buffer without stencil.
    HRESULT EnumZBufferFormats(Windows::REFGUID guid, Windows::LPD3DENUMPIXELFORMATSCALLBACK callback,
        Windows::LPVOID context) override;
    HRESULT EvictManagedTextures() override { return 0; }
};

} // namespace Ravel
