// Vertex buffers: their size by vertex format, locking, and the description they were made with.
#include "platform/ddraw/vertex_buffer_imp7.h"

#include <cstdint>
#include <stdexcept>

#include "foundation/safeguards.h"

namespace Ravel {

using namespace Windows;

DWORD BytesPerFVFVertex(DWORD fvf)
{
    DWORD bytes = 0;
    if (fvf & D3DFVF_XYZRHW)
        bytes = 16;
    else if (fvf & D3DFVF_XYZ)
        bytes = 12;
    if (fvf & D3DFVF_NORMAL)
        bytes += 12;
    if (fvf & D3DFVF_DIFFUSE)
        bytes += 4;
    if (fvf & D3DFVF_SPECULAR)
        bytes += 4;
    constexpr DWORD kFloatsBySizeCode[4] = { 2, 3, 4, 1 };
    const DWORD sets = (fvf >> D3DFVF_TEXCOUNT_SHIFT) & 15;
    for (DWORD set = 0; set < sets; ++set) {
        // Only eight sets have a size code; the others are two floats.
        const DWORD code = set < 8 ? (fvf >> (16 + 2 * set)) & 3 : 0;
        bytes += 4 * kFloatsBySizeCode[code];
    }
    return bytes;
}

void IDirect3DVertexBufferImp7::Init(const D3DVERTEXBUFFERDESC& desc)
{
    mDesc = desc;
    const DWORD stride = BytesPerFVFVertex(desc.dwFVF);
    const std::uint64_t bytes = std::uint64_t { stride } * desc.dwNumVertices;
    if (bytes > kMaxBytes)
        throw std::length_error("vertex buffer larger than the largest allowed");
    mBuffer.Init(static_cast<std::size_t>(bytes), static_cast<int>(stride));
    mHandler = dxVertexHandler::getEntryForFVF(desc.dwFVF);
}

HRESULT IDirect3DVertexBufferImp7::Lock(DWORD, LPVOID* data, DWORD*)
{
    if (!data)
        return RV_DXERR_FAILED;
    *data = mBuffer.Lock();
    return 0;
}

HRESULT IDirect3DVertexBufferImp7::Unlock()
{
    mBuffer.Unlock();
    return 0;
}

HRESULT IDirect3DVertexBufferImp7::GetVertexBufferDesc(D3DVERTEXBUFFERDESC* desc)
{
    if (!desc)
        return RV_DXERR_FAILED;
    *desc = mDesc;
    return 0;
}

} // namespace Ravel
