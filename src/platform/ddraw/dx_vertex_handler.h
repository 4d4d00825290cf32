// The vertex handlers: for each vertex format the game uses, routines written for exactly that layout
// that send its vertices to OpenGL, and the green wireframe that stands in for every other format.
#pragma once

#include <cstdint>

#include "platform/win/win_types.h"

namespace Ravel {

class IDirect3DDeviceImp7;

struct dxVertexHandler {
    // Sends indexCount vertices picked by 16-bit indices; stride 0 is the handler's own vertex size.
    using DrawIndexedRoutine = void (*)(unsigned mode, int indexCount, const std::uint16_t* indices,
        const std::uint8_t* vertices, int stride, IDirect3DDeviceImp7* device);
    // Sends count vertices in order.
    using DrawRoutine = void (*)(
        unsigned mode, int count, const std::uint8_t* vertices, int stride, IDirect3DDeviceImp7* device);
    // Points the vertex arrays at the vertices (and sets what the arrays do not carry).
    using PrepareListsRoutine
        = void (*)(const std::uint8_t* vertices, int stride, IDirect3DDeviceImp7* device);

    Windows::DWORD fvf;
    int size; // bytes of one vertex
    DrawIndexedRoutine drawIndexed;
    DrawRoutine draw;
    PrepareListsRoutine prepareLists;
    // Enables and points the arrays at vertices again: the arrays are shared by every buffer.
    PrepareListsRoutine pointArrays;

    // The handler for the format; the wireframe for a format without one. Never null.
    static const dxVertexHandler* getEntryForFVF(Windows::DWORD fvf);
};

// The formats with their own handler, ending with a record of format 0.
extern const dxVertexHandler gHandlers[];
extern const dxVertexHandler gWireframe;

} // namespace Ravel
