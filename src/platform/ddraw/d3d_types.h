// The Direct3D 7 records, states and interfaces that the game's 3D code is written against: the render
// and texture-stage states the texture stages map onto OpenGL, matrices, vertex formats, and the factory,
// device and vertex-buffer interfaces with their slots in the published order.
#pragma once

#include <cstddef>

#include "platform/ddraw/ddraw_types.h"
#include "platform/win/win_types.h"

namespace Windows {

enum D3DRENDERSTATETYPE : DWORD {
    D3DRENDERSTATE_ZENABLE = 7,
    D3DRENDERSTATE_ZWRITEENABLE = 14,
    D3DRENDERSTATE_ALPHATESTENABLE = 15,
    D3DRENDERSTATE_SRCBLEND = 19,
    D3DRENDERSTATE_DESTBLEND = 20,
    D3DRENDERSTATE_CULLMODE = 22,
    D3DRENDERSTATE_ZFUNC = 23,
    D3DRENDERSTATE_ALPHAREF = 24,
    D3DRENDERSTATE_ALPHAFUNC = 25,
    D3DRENDERSTATE_ALPHABLENDENABLE = 27,
    D3DRENDERSTATE_TEXTUREFACTOR = 60,
};

enum D3DTEXTURESTAGESTATETYPE : DWORD {
    D3DTSS_COLOROP = 1,
    D3DTSS_COLORARG1 = 2,
    D3DTSS_COLORARG2 = 3,
    D3DTSS_ALPHAOP = 4,
    D3DTSS_ALPHAARG1 = 5,
    D3DTSS_ALPHAARG2 = 6,
    D3DTSS_ADDRESSU = 13,
    D3DTSS_ADDRESSV = 14,
    D3DTSS_MAGFILTER = 16,
    D3DTSS_MINFILTER = 17,
    D3DTSS_MIPFILTER = 18,
    D3DTSS_MIPMAPLODBIAS = 19,
};

enum D3DTEXTUREOP : DWORD {
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1 = 2,
    D3DTOP_SELECTARG2 = 3,
    D3DTOP_MODULATE = 4,
    D3DTOP_MODULATE2X = 5,
    D3DTOP_ADD = 7,
    D3DTOP_DOTPRODUCT3 = 24,
};

// Texture arguments.
constexpr DWORD D3DTA_DIFFUSE = 0;
constexpr DWORD D3DTA_CURRENT = 1;
constexpr DWORD D3DTA_TEXTURE = 2;
constexpr DWORD D3DTA_TFACTOR = 3;

enum D3DBLEND : DWORD {
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCCOLOR = 3,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
    D3DBLEND_DESTALPHA = 7,
    D3DBLEND_INVDESTALPHA = 8,
    D3DBLEND_DESTCOLOR = 9,
};

enum D3DCMPFUNC : DWORD {
    D3DCMP_NEVER = 1,
    D3DCMP_LESS = 2,
    D3DCMP_EQUAL = 3,
    D3DCMP_LESSEQUAL = 4,
    D3DCMP_GREATER = 5,
    D3DCMP_NOTEQUAL = 6,
    D3DCMP_GREATEREQUAL = 7,
    D3DCMP_ALWAYS = 8,
};

// Filters and addressing.
constexpr DWORD D3DTFG_POINT = 1;
constexpr DWORD D3DTFG_LINEAR = 2;
constexpr DWORD D3DTFN_POINT = 1;
constexpr DWORD D3DTFN_LINEAR = 2;
constexpr DWORD D3DTFP_NONE = 1;
constexpr DWORD D3DTFP_POINT = 2;
constexpr DWORD D3DTFP_LINEAR = 3;
constexpr DWORD D3DTADDRESS_WRAP = 1;
constexpr DWORD D3DTADDRESS_MIRROR = 2;
constexpr DWORD D3DTADDRESS_CLAMP = 3;

using D3DVALUE = float;
using D3DCOLOR = DWORD;

// Row-vector order: a point is transformed as p * M, and _41.._43 hold the translation.
struct D3DMATRIX {
    D3DVALUE _11, _12, _13, _14;
    D3DVALUE _21, _22, _23, _24;
    D3DVALUE _31, _32, _33, _34;
    D3DVALUE _41, _42, _43, _44;
};
static_assert(sizeof(D3DMATRIX) == 64, "sixteen floats");

struct D3DVECTOR {
    D3DVALUE x, y, z;
};

struct D3DRECT {
    LONG x1, y1, x2, y2;
};

enum D3DTRANSFORMSTATETYPE : DWORD {
    D3DTRANSFORMSTATE_WORLD = 1,
    D3DTRANSFORMSTATE_VIEW = 2,
    D3DTRANSFORMSTATE_PROJECTION = 3,
};

enum D3DPRIMITIVETYPE : DWORD {
    D3DPT_POINTLIST = 1,
    D3DPT_LINELIST = 2,
    D3DPT_LINESTRIP = 3,
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
    D3DPT_TRIANGLEFAN = 6,
};

// Flexible vertex format bits.
constexpr DWORD D3DFVF_XYZ = 0x002;
constexpr DWORD D3DFVF_XYZRHW = 0x004;
constexpr DWORD D3DFVF_NORMAL = 0x010;
constexpr DWORD D3DFVF_DIFFUSE = 0x040;
constexpr DWORD D3DFVF_SPECULAR = 0x080;
constexpr DWORD D3DFVF_TEXCOUNT_SHIFT = 8;

// Clear flags, enumeration answers and device capabilities.
constexpr DWORD D3DCLEAR_TARGET = 0x1;
constexpr DWORD D3DCLEAR_ZBUFFER = 0x2;
constexpr HRESULT D3DENUMRET_CANCEL = 0;
constexpr HRESULT D3DENUMRET_OK = 1;
constexpr DWORD D3DDEVCAPS_SEPARATETEXTUREMEMORIES = 0x4000;
constexpr DWORD D3DDEVCAPS_HWTRANSFORMANDLIGHT = 0x10000;
constexpr DWORD D3DDEVCAPS_HWRASTERIZATION = 0x80000;

struct D3DPRIMCAPS {
    DWORD dwSize;
    DWORD dwMiscCaps;
    DWORD dwRasterCaps;
    DWORD dwZCmpCaps;
    DWORD dwSrcBlendCaps;
    DWORD dwDestBlendCaps;
    DWORD dwAlphaCmpCaps;
    DWORD dwShadeCaps;
    DWORD dwTextureCaps;
    DWORD dwTextureFilterCaps;
    DWORD dwTextureBlendCaps;
    DWORD dwTextureAddressCaps;
    DWORD dwStippleWidth;
    DWORD dwStippleHeight;
};
static_assert(sizeof(D3DPRIMCAPS) == 56, "fourteen words");

struct D3DDEVICEDESC7 {
    DWORD dwDevCaps;
    D3DPRIMCAPS dpcLineCaps;
    D3DPRIMCAPS dpcTriCaps;
    DWORD dwDeviceRenderBitDepth;
    DWORD dwDeviceZBufferBitDepth;
    DWORD dwMinTextureWidth;
    DWORD dwMinTextureHeight;
    DWORD dwMaxTextureWidth;
    DWORD dwMaxTextureHeight;
    DWORD dwMaxTextureRepeat;
    DWORD dwMaxTextureAspectRatio;
    DWORD dwMaxAnisotropy;
    D3DVALUE dvGuardBandLeft;
    D3DVALUE dvGuardBandTop;
    D3DVALUE dvGuardBandRight;
    D3DVALUE dvGuardBandBottom;
    D3DVALUE dvExtentsAdjust;
    DWORD dwStencilCaps;
    DWORD dwFVFCaps;
    DWORD dwTextureOpCaps;
    WORD wMaxTextureBlendStages;
    WORD wMaxSimultaneousTextures;
    DWORD dwMaxActiveLights;
    D3DVALUE dvMaxVertexW;
    GUID deviceGUID;
    WORD wMaxUserClipPlanes;
    WORD wMaxVertexBlendMatrices;
    DWORD dwVertexProcessingCaps;
    DWORD dwReserved1;
    DWORD dwReserved2;
    DWORD dwReserved3;
    DWORD dwReserved4;
};
static_assert(offsetof(D3DDEVICEDESC7, dwMaxTextureWidth) == 132 && sizeof(D3DDEVICEDESC7) == 236);

struct D3DVERTEXBUFFERDESC {
    DWORD dwSize;
    DWORD dwCaps;
    DWORD dwFVF;
    DWORD dwNumVertices;
};
static_assert(sizeof(D3DVERTEXBUFFERDESC) == 16, "four words");

// The Direct3D interface identifier that the DirectDraw object answers, and the device identifiers the
// game may pass to CreateDevice (any is accepted).
inline constexpr GUID IID_IDirect3D7
    = { 0xF5049E77, 0x4861, 0x11D2, { 0xA4, 0x07, 0x00, 0xA0, 0xC9, 0x06, 0x29, 0xA8 } };
inline constexpr GUID IID_IDirect3DTnLHalDevice
    = { 0xF5049E78, 0x4861, 0x11D2, { 0xA4, 0x07, 0x00, 0xA0, 0xC9, 0x06, 0x29, 0xA8 } };
inline constexpr GUID IID_IDirect3DHALDevice
    = { 0x84E63DE0, 0x46AA, 0x11CF, { 0x81, 0x6F, 0x00, 0x00, 0xC0, 0x20, 0x15, 0x6E } };

// Records the emulation never reads; only pointers to them pass through the interfaces.
struct D3DVIEWPORT7;
struct D3DMATERIAL7;
struct D3DLIGHT7;
struct D3DCLIPSTATUS;
struct D3DDRAWPRIMITIVESTRIDEDDATA;
struct POINT;

enum D3DSTATEBLOCKTYPE : DWORD {
    D3DSBT_ALL = 1,
    D3DSBT_PIXELSTATE = 2,
    D3DSBT_VERTEXSTATE = 3,
};

using LPD3DENUMDEVICESCALLBACK7
    = HRESULT (*)(char* description, char* name, D3DDEVICEDESC7* desc, LPVOID context);
using LPD3DENUMPIXELFORMATSCALLBACK = HRESULT (*)(DDPIXELFORMAT* format, LPVOID context);

struct IDirect3DDevice7;
struct IDirect3DVertexBuffer7;

// The published Direct3D 7 factory interface.
struct IDirect3D7 : IUnknown {
    virtual HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, LPVOID context) = 0;
    virtual HRESULT CreateDevice(REFGUID guid, IDirectDrawSurface7* surface, IDirect3DDevice7** device) = 0;
    virtual HRESULT CreateVertexBuffer(
        D3DVERTEXBUFFERDESC* desc, IDirect3DVertexBuffer7** buffer, DWORD flags)
        = 0;
    virtual HRESULT EnumZBufferFormats(REFGUID guid, LPD3DENUMPIXELFORMATSCALLBACK callback, LPVOID context)
        = 0;
    virtual HRESULT EvictManagedTextures() = 0;

protected:
    ~IDirect3D7() = default;
};

// The published Direct3D 7 device interface.
struct IDirect3DDevice7 : IUnknown {
    virtual HRESULT GetCaps(D3DDEVICEDESC7* desc) = 0;
    virtual HRESULT EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, LPVOID context) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT GetDirect3D(IDirect3D7** direct3D) = 0;
    virtual HRESULT SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) = 0;
    virtual HRESULT GetRenderTarget(IDirectDrawSurface7** surface) = 0;
    virtual HRESULT Clear(
        DWORD count, D3DRECT* rects, DWORD flags, D3DCOLOR colour, D3DVALUE z, DWORD stencil)
        = 0;
    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) = 0;
    virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) = 0;
    virtual HRESULT SetViewport(D3DVIEWPORT7* viewport) = 0;
    virtual HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) = 0;
    virtual HRESULT GetViewport(D3DVIEWPORT7* viewport) = 0;
    virtual HRESULT SetMaterial(D3DMATERIAL7* material) = 0;
    virtual HRESULT GetMaterial(D3DMATERIAL7* material) = 0;
    virtual HRESULT SetLight(DWORD index, D3DLIGHT7* light) = 0;
    virtual HRESULT GetLight(DWORD index, D3DLIGHT7* light) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) = 0;
    virtual HRESULT BeginStateBlock() = 0;
    virtual HRESULT EndStateBlock(DWORD* block) = 0;
    virtual HRESULT PreLoad(IDirectDrawSurface7* surface) = 0;
    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, LPVOID vertices, DWORD count, DWORD flags)
        = 0;
    virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD fvf, LPVOID vertices, DWORD count,
        WORD* indices, DWORD indexCount, DWORD flags)
        = 0;
    virtual HRESULT SetClipStatus(D3DCLIPSTATUS* status) = 0;
    virtual HRESULT GetClipStatus(D3DCLIPSTATUS* status) = 0;
    virtual HRESULT DrawPrimitiveStrided(
        D3DPRIMITIVETYPE type, DWORD fvf, D3DDRAWPRIMITIVESTRIDEDDATA* data, DWORD count, DWORD flags)
        = 0;
    virtual HRESULT DrawIndexedPrimitiveStrided(D3DPRIMITIVETYPE type, DWORD fvf,
        D3DDRAWPRIMITIVESTRIDEDDATA* data, DWORD count, WORD* indices, DWORD indexCount, DWORD flags)
        = 0;
    virtual HRESULT DrawPrimitiveVB(
        D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer, DWORD start, DWORD count, DWORD flags)
        = 0;
    virtual HRESULT DrawIndexedPrimitiveVB(D3DPRIMITIVETYPE type, IDirect3DVertexBuffer7* buffer, DWORD start,
        DWORD count, WORD* indices, DWORD indexCount, DWORD flags)
        = 0;
    virtual HRESULT ComputeSphereVisibility(
        D3DVECTOR* centres, D3DVALUE* radii, DWORD count, DWORD flags, DWORD* results)
        = 0;
    virtual HRESULT GetTexture(DWORD stage, IDirectDrawSurface7** surface) = 0;
    virtual HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* surface) = 0;
    virtual HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) = 0;
    virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) = 0;
    virtual HRESULT ValidateDevice(DWORD* passes) = 0;
    virtual HRESULT ApplyStateBlock(DWORD block) = 0;
    virtual HRESULT CaptureStateBlock(DWORD block) = 0;
    virtual HRESULT DeleteStateBlock(DWORD block) = 0;
    virtual HRESULT CreateStateBlock(D3DSTATEBLOCKTYPE type, DWORD* block) = 0;
    virtual HRESULT Load(IDirectDrawSurface7* dest, POINT* destPoint, IDirectDrawSurface7* source,
        RECT* sourceRect, DWORD flags)
        = 0;
    virtual HRESULT LightEnable(DWORD index, BOOL enable) = 0;
    virtual HRESULT GetLightEnable(DWORD index, BOOL* enable) = 0;
    virtual HRESULT SetClipPlane(DWORD index, D3DVALUE* plane) = 0;
    virtual HRESULT GetClipPlane(DWORD index, D3DVALUE* plane) = 0;
    virtual HRESULT GetInfo(DWORD id, LPVOID info, DWORD size) = 0;

protected:
    ~IDirect3DDevice7() = default;
};

// The published Direct3D 7 vertex-buffer interface.
struct IDirect3DVertexBuffer7 : IUnknown {
    virtual HRESULT Lock(DWORD flags, LPVOID* data, DWORD* size) = 0;
    virtual HRESULT Unlock() = 0;
    virtual HRESULT ProcessVertices(DWORD operation, DWORD destIndex, DWORD count,
        IDirect3DVertexBuffer7* source, DWORD sourceIndex, IDirect3DDevice7* device, DWORD flags)
        = 0;
    virtual HRESULT GetVertexBufferDesc(D3DVERTEXBUFFERDESC* desc) = 0;
    virtual HRESULT Optimize(IDirect3DDevice7* device, DWORD flags) = 0;
    virtual HRESULT ProcessVerticesStrided(DWORD operation, DWORD destIndex, DWORD count,
        D3DDRAWPRIMITIVESTRIDEDDATA* data, DWORD fvf, IDirect3DDevice7* device, DWORD flags)
        = 0;

protected:
    ~IDirect3DVertexBuffer7() = default;
};

} // namespace Windows
