// Drawing primitives from memory and from vertex buffers, every vertex checked against the buffer first.
#include "platform/ddraw/dx_primitives.h"

#include <GL/gl.h>
#include <cstdint>
#include <stdexcept>

#include "platform/ddraw/vertex_buffer_imp7.h"
#include "platform/elements/os_except.h"
#include "platform/render/gl_errors.h"
#include "platform/render/recorder.h"

#include "foundation/safeguards.h"

namespace Ravel {

using namespace Windows;

namespace {

// Whether every byte the handler reads of vertex `first` to `last` (inclusive) lies in the buffer.
bool Inside(
    const VertexBuffer& buffer, const dxVertexHandler* handler, std::uint64_t first, std::uint64_t last)
{
    const auto stride = static_cast<std::uint64_t>(buffer.stride());
    return first <= last && stride != 0
        && last * stride + static_cast<std::uint64_t>(handler->size) <= buffer.size();
}

const dxVertexHandler* IndexedHandler(const dxVertexHandler* handler, IDirect3DVertexBufferImp7* buffer)
{
    if (!buffer)
        throw std::invalid_argument("draw from a null vertex buffer");
    if (!handler || !handler->drawIndexed)
        throw std::invalid_argument("no indexed routine for the vertex buffer's format");
    return handler;
}

int AsCount(DWORD count)
{
    if (count > 0x7FFFFFFFU)
        throw std::out_of_range("vertex count out of range");
    return static_cast<int>(count);
}

} // namespace

unsigned DXPrim2GLPrim(D3DPRIMITIVETYPE type)
{
    switch (type) {
    case D3DPT_POINTLIST:
        return GL_POINTS;
    case D3DPT_LINELIST:
        return GL_LINES;
    case D3DPT_LINESTRIP:
        return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST:
        return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP:
        return GL_TRIANGLE_STRIP;
    default:
        throw osExcept("unknown primitive type", static_cast<int>(type), __FILE__, __LINE__);
    }
}

void dxPrimitives::Render(
    D3DPRIMITIVETYPE type, DWORD fvf, const void* vertices, DWORD count, IDirect3DDeviceImp7* device)
{
    const unsigned mode = DXPrim2GLPrim(type);
    const dxVertexHandler* handler = dxVertexHandler::getEntryForFVF(fvf);
    if (!handler->draw)
        throw std::invalid_argument("no routine draws this vertex format from memory");
    if (!vertices && count != 0)
        throw std::invalid_argument("draw from null vertices");
    handler->draw(mode, AsCount(count), static_cast<const std::uint8_t*>(vertices), 0, device);
}

void dxPrimitives::Render(D3DPRIMITIVETYPE type, const dxVertexHandler* handler,
    IDirect3DVertexBufferImp7* buffer, DWORD start, DWORD count, IDirect3DDeviceImp7* device)
{
    const unsigned mode = DXPrim2GLPrim(type);
    IndexedHandler(handler, buffer);
    VertexBuffer& storage = buffer->buffer();
    if (count != 0 && !Inside(storage, handler, start, std::uint64_t { start } + count - 1))
        throw std::out_of_range("vertices past the end of the vertex buffer");
    const int stride = storage.stride();
    const bool needsLists = storage.RenderLock_Part1();
    bool prepared = false;
    if (handler->prepareLists && needsLists) {
        handler->prepareLists(storage.storage(), stride, device);
        getGLErrors("mPrepLists");
        prepared = true;
    } else if (handler->prepareLists && !storage.hasArrayObject()) {
        handler->pointArrays(storage.storage(), stride, device);
    }
    storage.RenderLock_Part2(prepared);
    if (handler->prepareLists) {
        glDrawArrays(mode, static_cast<GLint>(start), AsCount(count));
    } else if (handler->draw) {
        handler->draw(mode, AsCount(count),
            storage.storage() + std::size_t { start } * static_cast<std::size_t>(stride), stride, device);
    }
    storage.RenderUnlock();
}

void dxPrimitives::Record(D3DPRIMITIVETYPE type, const dxVertexHandler* handler,
    IDirect3DVertexBufferImp7* buffer, DWORD start,
    DWORD /*count: the range the indices use; each index is checked instead*/, const std::uint16_t* indices,
    DWORD indexCount, IDirect3DDeviceImp7* device)
{
    const unsigned mode = DXPrim2GLPrim(type);
    IndexedHandler(handler, buffer);
    if (!indices)
        throw std::invalid_argument("indexed draw with null indices");
    VertexBuffer& storage = buffer->buffer();
    const int total = AsCount(indexCount);
    for (int i = 0; i < total; ++i) {
        const std::uint64_t vertex = std::uint64_t { start } + indices[i];
        if (!Inside(storage, handler, vertex, vertex))
            throw std::out_of_range("index past the end of the vertex buffer");
    }
    const int stride = storage.stride();
    const std::uint8_t* first = storage.storage() + std::size_t { start } * static_cast<std::size_t>(stride);
    storage.RenderLock_Part1();
    storage.RenderLock_Part2(false);
    handler->drawIndexed(mode, total, indices, first, stride, device);
    const auto remaining
        = static_cast<int>(storage.vertexCount() > start ? storage.vertexCount() - start : 0);
    Recorder::shared().recIndexedPrimitive(
        static_cast<int>(mode), reinterpret_cast<const float*>(first), stride, remaining, indices, total);
    storage.RenderUnlock();
}

} // namespace Ravel
