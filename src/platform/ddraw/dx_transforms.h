// The Direct3D device's world, view and projection matrices and their loading into OpenGL before each
// draw, plus the fixed set-ups that 2D drawing and pre-transformed vertices use.
#pragma once

#include "platform/ddraw/d3d_types.h"
#include "platform/render/our_context.h"

namespace Windows {

// The 4 by 4 product m1 * m2 in row-vector order; out may be m1 or m2. Answers out.
D3DMATRIX* D3DXMatrixMultiply(D3DMATRIX* out, const D3DMATRIX* m1, const D3DMATRIX* m2);

} // namespace Windows

namespace Ravel {

class IDirect3DDeviceImp7;

class dxTransforms {
public:
    using HRESULT = Windows::HRESULT;

    // A caller's matrix, the copy last given to OpenGL, and whether it changed since.
    struct UserMatrixState {
        Windows::D3DMATRIX user;
        Windows::D3DMATRIX applied;
        bool changed = true;
    };

    dxTransforms();

    // The device whose render target sizes the pixel coordinates, and the context to load matrices in.
    void ResetDevice(IDirect3DDeviceImp7* device, const OurContext& context);

    // World, view or projection; any other type -2020. The matrix is taken at the next draw.
    HRESULT SetTransform(Windows::D3DTRANSFORMSTATETYPE type, const Windows::D3DMATRIX* matrix);
    HRESULT GetTransform(Windows::D3DTRANSFORMSTATETYPE type, Windows::D3DMATRIX* matrix) const;

    // Loads a changed projection, and world * view when either changed, into the current context; force
    // loads both. Leaves the matrix mode at model-view.
    void PrepareRenderMatrix(bool force);

    // Save and restore both OpenGL matrices on OpenGL's own stacks.
    void Push();
    void Pop();
    // Vertex coordinates become pixels of the render target with the origin at its top left.
    void SetPixelCoordsTL();
    // Projection and model-view both identity.
    void SetUnitVolume();

    const OurContext& context() const { return mContext; }

private:
    UserMatrixState* StateFor(Windows::D3DTRANSFORMSTATETYPE type);

    UserMatrixState mWorld;
    UserMatrixState mView;
    UserMatrixState mProjection;
    IDirect3DDeviceImp7* mDevice = nullptr;
    OurContext mContext;
};

// The identity matrix.
Windows::D3DMATRIX IdentityMatrix();

} // namespace Ravel
