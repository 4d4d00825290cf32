// The primitive drawer of the Direct3D device: Direct3D primitive types turned into OpenGL modes, and
// draws from memory and from vertex buffers through the vertex handlers.
#pragma once

#include <cstdint>

#include "platform/ddraw/d3d_types.h"
#include "platform/ddraw/dx_vertex_handler.h"

namespace Ravel {

class IDirect3DDeviceImp7;
class IDirect3DVertexBufferImp7;

// Throws osExcept "unknown primitive type" for anything but points, lines, line strips, triangles and
// triangle strips: triangle fans included.
unsigned DXPrim2GLPrim(Windows::D3DPRIMITIVETYPE type);

// Each Render validates everything it will read first and throws std::exception before drawing anything
// when a routine is missing, a pointer is null or a vertex lies outside the buffer.
class dxPrimitives {
public:
    void Render(Windows::D3DPRIMITIVETYPE type, Windows::DWORD fvf, const void* vertices,
        Windows::DWORD count, IDirect3DDeviceImp7* device);
    void Render(Windows::D3DPRIMITIVETYPE type, const dxVertexHandler* handler,
        IDirect3DVertexBufferImp7* buffer, Windows::DWORD start, Windows::DWORD count,
        IDirect3DDeviceImp7* device);
    void Record(Windows::D3DPRIMITIVETYPE type, const dxVertexHandler* handler,
        IDirect3DVertexBufferImp7* buffer, Windows::DWORD start, Windows::DWORD count,
        const std::uint16_t* indices, Windows::DWORD indexCount, IDirect3DDeviceImp7* device);
};

} // namespace Ravel
