// The Direct3D 7 vertex buffer: the game's vertices in a render-layer vertex buffer, sized by their
// flexible vertex format and drawn through that format's vertex handler.
#pragma once

#include <cstddef>

#include "platform/ddraw/d3d_types.h"
#include "platform/ddraw/dx_vertex_handler.h"
#include "platform/elements/iunknown_imp.h"
#include "platform/render/vertex_buffer.h"

namespace Ravel {

// Bytes of one vertex of the format: the position (16 with a reciprocal w, else 12 with xyz, else 0),
// 12 for a normal, 4 for each colour, and each texture coordinate set by its size code. Blend weights
// are not counted.
Windows::DWORD BytesPerFVFVertex(Windows::DWORD fvf);

class IDirect3DVertexBufferImp7 : public Windows::IDirect3DVertexBuffer7, public IUnknownImp {
public:
    using HRESULT = Windows::HRESULT;
    using DWORD = Windows::DWORD;

    IDirect3DVertexBufferImp7() = default;

    HRESULT QueryInterface(Windows::REFIID, void**) override { return 0; }
    Windows::ULONG AddRef() override { return IUnknownImp::AddRef(); }
    Windows::ULONG Release() override { return IUnknownImp::Release(); }

    // The storage in data; the size is not written. -2020 without a place to put it.
    HRESULT Lock(DWORD flags, Windows::LPVOID* data, DWORD* size) override;
    HRESULT Unlock() override;
    HRESULT ProcessVertices(DWORD, DWORD, DWORD, Windows::IDirect3DVertexBuffer7*, DWORD,
        Windows::IDirect3DDevice7*, DWORD) override
    {
        return 0;
    }
    HRESULT GetVertexBufferDesc(Windows::D3DVERTEXBUFFERDESC* desc) override;
    HRESULT Optimize(Windows::IDirect3DDevice7*, DWORD) override { return 0; }
    HRESULT ProcessVerticesStrided(DWORD, DWORD, DWORD, Windows::D3DDRAWPRIMITIVESTRIDEDDATA*, DWORD,
        Windows::IDirect3DDevice7*, DWORD) override
    {
        return 0;
    }

    // Keeps the description, sizes the storage for its vertices and finds the format's handler. Throws
    // std::exception when the storage cannot be had or would pass kMaxBytes.
    void Init(const Windows::D3DVERTEXBUFFERDESC& desc);

    const dxVertexHandler* handler() const { return mHandler; }
    VertexBuffer& buffer() { return mBuffer; }
    const Windows::D3DVERTEXBUFFERDESC& desc() const { return mDesc; }

    // The largest storage a buffer may ask for; 16-bit indices never reach past a small part of it.
    static constexpr std::size_t kMaxBytes = std::size_t { 256 } << 20;

private:
    Windows::D3DVERTEXBUFFERDESC mDesc {};
    VertexBuffer mBuffer;
    const dxVertexHandler* mHandler = nullptr;
};

} // namespace Ravel
