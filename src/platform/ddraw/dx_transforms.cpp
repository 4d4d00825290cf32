// World, view and projection loaded into OpenGL's projection and model-view matrices.
#include "platform/ddraw/dx_transforms.h"

#include <GL/gl.h>
#include <cstring>

#include "platform/ddraw/direct3d_device_imp7.h"

#include "foundation/safeguards.h"

namespace Windows {

D3DMATRIX* D3DXMatrixMultiply(D3DMATRIX* out, const D3DMATRIX* m1, const D3DMATRIX* m2)
{
    float a[16];
    float b[16];
    std::memcpy(a, m1, sizeof a);
    std::memcpy(b, m2, sizeof b);
    float product[16];
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0F;
            for (int k = 0; k < 4; ++k)
                sum += a[row * 4 + k] * b[k * 4 + column];
            product[row * 4 + column] = sum;
        }
    }
    std::memcpy(out, product, sizeof product);
    return out;
}

} // namespace Windows

namespace Ravel {

using namespace Windows;

D3DMATRIX IdentityMatrix()
{
    D3DMATRIX m {};
    m._11 = m._22 = m._33 = m._44 = 1.0F;
    return m;
}

dxTransforms::dxTransforms()
{
    for (UserMatrixState* state : { &mWorld, &mView, &mProjection }) {
        state->user = IdentityMatrix();
        state->applied = IdentityMatrix();
    }
}

void dxTransforms::ResetDevice(IDirect3DDeviceImp7* device, const OurContext& context)
{
    mDevice = device;
    mContext = context;
}

dxTransforms::UserMatrixState* dxTransforms::StateFor(D3DTRANSFORMSTATETYPE type)
{
    switch (type) {
    case D3DTRANSFORMSTATE_WORLD:
        return &mWorld;
    case D3DTRANSFORMSTATE_VIEW:
        return &mView;
    case D3DTRANSFORMSTATE_PROJECTION:
        return &mProjection;
    }
    return nullptr;
}

HRESULT dxTransforms::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix)
{
    UserMatrixState* state = StateFor(type);
    if (!state || !matrix)
        return RV_DXERR_FAILED;
    state->user = *matrix;
    state->changed = true;
    return 0;
}

HRESULT dxTransforms::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) const
{
    const UserMatrixState* state = const_cast<dxTransforms*>(this)->StateFor(type);
    if (!state || !matrix)
        return RV_DXERR_FAILED;
    *matrix = state->user;
    return 0;
}

void dxTransforms::PrepareRenderMatrix(bool force)
{
    // Direct3D keeps matrices for row vectors, OpenGL reads them column by column: loaded as stored,
    // the two orders cancel and the transform is the same.
    if (force || mProjection.changed) {
        mProjection.applied = mProjection.user;
        mProjection.changed = false;
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(&mProjection.applied._11);
    }
    if (force || mWorld.changed || mView.changed) {
        D3DMATRIX modelView;
        D3DXMatrixMultiply(&modelView, &mWorld.user, &mView.user);
        mWorld.changed = false;
        mView.changed = false;
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(&modelView._11);
    }
    glMatrixMode(GL_MODELVIEW);
}

void dxTransforms::Push()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
}

void dxTransforms::Pop()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void dxTransforms::SetPixelCoordsTL()
{
    dxTargetSurfaceDesc target {};
    IDirectDrawStandardSurfaceImp7* surface = mDevice ? mDevice->renderTarget() : nullptr;
    if (surface)
        surface->GetDesc(&target);
    const auto width = static_cast<double>(target.desc.dwWidth);
    const auto height = static_cast<double>(target.desc.dwHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -10.0, 10.0);
    glTranslated(0.0, height, 0.0);
    glScaled(1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void dxTransforms::SetUnitVolume()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

} // namespace Ravel
