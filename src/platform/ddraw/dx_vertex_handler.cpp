// The vertex handler table and its routines: one layout per vertex format, sent to OpenGL in immediate
// mode, pre-transformed formats in pixel coordinates, two formats also as vertex arrays.
#include "platform/ddraw/dx_vertex_handler.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <cstring>

#include "platform/ddraw/direct3d_device_imp7.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

// Byte offsets of a format's attributes; -1 for one it does not carry.
struct Layout {
    int size;
    int normal;
    int colour;
    int texture;
    int texture2;
    // Reciprocal-w positions are already pixels: drawn at z 0 in the render target's pixel coordinates.
    bool pretransformed;
    // A textured format without colour draws its texture unshaded.
    bool white;
};

constexpr Layout k0x112 { 32, 12, -1, 24, -1, false, true };
constexpr Layout k0x142 { 24, -1, 12, 16, -1, false, false };
constexpr Layout k0x102 { 20, -1, -1, 12, -1, false, true };
constexpr Layout k0x144 { 28, -1, 16, 20, -1, true, false };
constexpr Layout k0x212 { 40, 12, -1, 24, 32, false, true };
constexpr Layout k0x044 { 20, -1, 16, -1, -1, true, false };
// One texture set makes the vertex 36 bytes; there is no second pair to read.
constexpr Layout k0x152 { 36, 12, 24, 28, -1, false, false };
constexpr Layout k0x052 { 28, 12, 24, -1, -1, false, false };
constexpr Layout k0x002 { 12, -1, -1, -1, -1, false, false };
constexpr Layout k0x012 { 24, 12, -1, -1, -1, false, false };
// The specular colour at 16 is not sent.
constexpr Layout k0x1C2 { 28, -1, 12, 20, -1, false, false };
constexpr Layout k0x042 { 16, -1, 12, -1, -1, false, false };

void ReadFloats(const std::uint8_t* at, float* out, int count)
{
    std::memcpy(out, at, sizeof(float) * static_cast<std::size_t>(count));
}

template <Layout L> void SendVertex(const std::uint8_t* vertex)
{
    float f[3];
    if constexpr (L.normal >= 0) {
        ReadFloats(vertex + L.normal, f, 3);
        glNormal3f(f[0], f[1], f[2]);
    }
    if constexpr (L.texture >= 0) {
        ReadFloats(vertex + L.texture, f, 2);
        glTexCoord2f(f[0], f[1]);
    }
    if constexpr (L.texture2 >= 0) {
        ReadFloats(vertex + L.texture2, f, 2);
        glMultiTexCoord2f(GL_TEXTURE1, f[0], f[1]);
    }
    if constexpr (L.colour >= 0) {
        std::uint32_t c;
        std::memcpy(&c, vertex + L.colour, sizeof c);
        glColor4f(static_cast<float>((c >> 16) & 0xFF) / 255.0F, static_cast<float>((c >> 8) & 0xFF) / 255.0F,
            static_cast<float>(c & 0xFF) / 255.0F, static_cast<float>((c >> 24) & 0xFF) / 255.0F);
    }
    ReadFloats(vertex, f, 3);
    glVertex3f(f[0], f[1], L.pretransformed ? 0.0F : f[2]);
}

// Brackets one glBegin/glEnd with what the layout needs around it.
template <Layout L, typename SendAll>
void DrawWith(unsigned mode, IDirect3DDeviceImp7* device, SendAll sendAll)
{
    if constexpr (L.pretransformed) {
        device->transforms().Push();
        device->transforms().SetPixelCoordsTL();
    }
    if constexpr (L.white)
        glColor3f(1.0F, 1.0F, 1.0F);
    glBegin(mode);
    sendAll();
    glEnd();
    if constexpr (L.pretransformed)
        device->transforms().Pop();
}

template <Layout L>
void DrawIndexed(unsigned mode, int indexCount, const std::uint16_t* indices, const std::uint8_t* vertices,
    int stride, IDirect3DDeviceImp7* device)
{
    const std::size_t step = static_cast<std::size_t>(stride != 0 ? stride : L.size);
    DrawWith<L>(mode, device, [&] {
        for (int i = 0; i < indexCount; ++i)
            SendVertex<L>(vertices + step * indices[i]);
    });
}

template <Layout L>
void Draw(unsigned mode, int count, const std::uint8_t* vertices, int stride, IDirect3DDeviceImp7* device)
{
    const std::size_t step = static_cast<std::size_t>(stride != 0 ? stride : L.size);
    DrawWith<L>(mode, device, [&] {
        for (int i = 0; i < count; ++i)
            SendVertex<L>(vertices + step * static_cast<std::size_t>(i));
    });
}

// Position and first texture coordinate as arrays; the colour is not sent this way.
template <Layout L> void PointArrays(const std::uint8_t* vertices, int stride, IDirect3DDeviceImp7*)
{
    const GLsizei step = stride != 0 ? stride : L.size;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, step, vertices);
    glClientActiveTexture(GL_TEXTURE0);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, step, vertices + L.texture);
}

template <Layout L> void PrepareLists(const std::uint8_t* vertices, int stride, IDirect3DDeviceImp7* device)
{
    if constexpr (L.white)
        glColor3f(1.0F, 1.0F, 1.0F);
    PointArrays<L>(vertices, stride, device);
}

// A shared pulse, so that every unknown format shows as a slowly brightening green outline.
float gWireframePulse = 0.0F;

void DrawIndexedWireframe(unsigned, int indexCount, const std::uint16_t* indices,
    const std::uint8_t* vertices, int stride, IDirect3DDeviceImp7*)
{
    const std::size_t step = static_cast<std::size_t>(stride != 0 ? stride : 12);
    gWireframePulse += 0.001F;
    if (gWireframePulse > 0.5F)
        gWireframePulse = 0.0F;
    glColor3f(0.0F, 0.5F + gWireframePulse, 0.0F);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < indexCount; ++i) {
        float f[3];
        ReadFloats(vertices + step * indices[i], f, 3);
        glVertex3f(f[0], f[1], f[2]);
    }
    glEnd();
}

} // namespace

const dxVertexHandler gHandlers[] = {
    { 0x112, k0x112.size, DrawIndexed<k0x112>, nullptr, nullptr, nullptr },
    { 0x142, k0x142.size, DrawIndexed<k0x142>, nullptr, PrepareLists<k0x142>, PointArrays<k0x142> },
    { 0x102, k0x102.size, DrawIndexed<k0x102>, nullptr, PrepareLists<k0x102>, PointArrays<k0x102> },
    { 0x144, k0x144.size, nullptr, Draw<k0x144>, nullptr, nullptr },
    { 0x212, k0x212.size, DrawIndexed<k0x212>, nullptr, nullptr, nullptr },
    { 0x044, k0x044.size, DrawIndexed<k0x044>, Draw<k0x044>, nullptr, nullptr },
    { 0x152, k0x152.size, DrawIndexed<k0x152>, nullptr, nullptr, nullptr },
    { 0x052, k0x052.size, DrawIndexed<k0x052>, nullptr, nullptr, nullptr },
    { 0x002, k0x002.size, DrawIndexed<k0x002>, nullptr, nullptr, nullptr },
    { 0x012, k0x012.size, DrawIndexed<k0x012>, nullptr, nullptr, nullptr },
    { 0x1C2, k0x1C2.size, DrawIndexed<k0x1C2>, nullptr, nullptr, nullptr },
    { 0x042, k0x042.size, nullptr, Draw<k0x042>, nullptr, nullptr },
    { 0, 0, nullptr, nullptr, nullptr, nullptr },
};

const dxVertexHandler gWireframe = { 0, 12, DrawIndexedWireframe, nullptr, nullptr, nullptr };

const dxVertexHandler* dxVertexHandler::getEntryForFVF(Windows::DWORD fvf)
{
    for (const dxVertexHandler* entry = gHandlers; entry->fvf != 0; ++entry) {
        if (entry->fvf == fvf)
            return entry;
    }
    return &gWireframe;
}

} // namespace Ravel
