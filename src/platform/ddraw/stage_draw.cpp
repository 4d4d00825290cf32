// 2D surfaces drawn into the game window through the stage device's texture stages and transforms.
#include "platform/ddraw/stage_draw.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include "platform/ddraw/ddraw_surface.h"
#include "platform/ddraw/direct3d_device_imp7.h"
#include "platform/ddraw/stage_device.h"
#include "platform/render/card_settings.h"
#include "platform/render/gl_errors.h"
#include "platform/render/our_context.h"

#include "foundation/safeguards.h"

namespace Ravel {

using namespace Windows;

namespace {

// 0 undecided, 1 offered, -1 not offered; decided at the first flip.
int gHasFence = 0;

// The stage context current and the surface's texture there, up to date. False when it has none.
bool PrepareOnStage(IDirectDrawSurfaceImp7* surface)
{
    UseStageContext();
    if (!surface->CheckContext(GetStageContext(), true))
        return false;
    surface->PrepareForUse();
    return true;
}

// Saves the stage's state for one drawing and puts it back after.
class StageStateSaved {
public:
    explicit StageStateSaved(IDirect3DDeviceImp7* stage)
        : mStage(stage)
    {
        mStage->stages().Push();
        mStage->transforms().Push();
    }
    ~StageStateSaved()
    {
        mStage->transforms().Pop();
        mStage->stages().Pop();
    }
    StageStateSaved(const StageStateSaved&) = delete;
    StageStateSaved& operator=(const StageStateSaved&) = delete;

private:
    IDirect3DDeviceImp7* mStage;
};

void Quad(float left, float top, float right, float bottom, float z)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0.0F, 0.0F);
    glVertex3f(left, top, z);
    glTexCoord2f(0.0F, 1.0F);
    glVertex3f(left, bottom, z);
    glTexCoord2f(1.0F, 1.0F);
    glVertex3f(right, bottom, z);
    glTexCoord2f(1.0F, 0.0F);
    glVertex3f(right, top, z);
    glEnd();
}

} // namespace

bool ShowOnStage(IDirectDrawSurfaceImp7* surface)
{
    if (gHasFence == 0 && gStage) {
        UseStageContext();
        const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        gHasFence = IsExtensionListed(extensions, "GL_APPLE_fence") ? 1 : -1;
    }
    if (!gStage)
        return false;
    bool drawn = false;
    // A frame drawn in 3D since the last flip is shown as it is.
    if (!gStage->sceneBegun() && surface && PrepareOnStage(surface)) {
        StageStateSaved saved(gStage);
        dxTextureStages& stages = gStage->stages();
        stages.SetOneTextureOnly();
        stages.SetNoBlending();
        stages.SetTexture(0, surface);
        stages.Update(false);
        gStage->transforms().SetUnitVolume();
        Quad(-1.0F, 1.0F, 1.0F, -1.0F, -1.0F);
        drawn = true;
    }
    if (drawn)
        getGLErrors("2d surface display");
    gStage->setSceneBegun(false);
    return drawn;
}

void WaitForStageTexture(IDirectDrawSurfaceImp7* surface)
{
    if (!gStage)
        return;
    UseStageContext();
    using FinishObject = void (*)(GLenum, GLint);
    auto finishObject = gHasFence > 0
        ? reinterpret_cast<FinishObject>(SDL_GL_GetProcAddress("glFinishObjectAPPLE"))
        : nullptr;
    if (finishObject && surface)
        finishObject(GL_TEXTURE, static_cast<GLint>(surface->name()));
    else
        glFinish();
    getGLErrors("glFinishObjectAPPLE 2d surface");
}

void DrawOnStage(IDirectDrawSurfaceImp7* surface, const DRect& rect, bool keyed)
{
    if (!gStage || !surface || !PrepareOnStage(surface))
        return;
    StageStateSaved saved(gStage);
    dxTextureStages& stages = gStage->stages();
    stages.SetOneTextureOnly();
    if (keyed)
        stages.SetBasicAlphaBlending();
    else
        stages.SetNoBlending();
    stages.SetState(D3DRENDERSTATE_ZENABLE, 0);
    stages.SetTexture(0, surface);
    stages.Update(false);
    gStage->transforms().SetPixelCoordsTL();
    Quad(static_cast<float>(rect.left), static_cast<float>(rect.top), static_cast<float>(rect.right),
        static_cast<float>(rect.bottom), 0.0F);
}

void FillOnStage(const DRect& rect, std::uint16_t colour)
{
    if (!gStage)
        return;
    UseStageContext();
    StageStateSaved saved(gStage);
    dxTextureStages& stages = gStage->stages();
    stages.SetColorOnly();
    stages.SetNoBlending();
    stages.Update(false);
    gStage->transforms().SetPixelCoordsTL();
    glColor4f(static_cast<float>((colour >> 10) & 0x1F) / 31.0F,
        static_cast<float>((colour >> 5) & 0x1F) / 31.0F, static_cast<float>(colour & 0x1F) / 31.0F, 1.0F);
    glBegin(GL_QUADS);
    glVertex2f(static_cast<float>(rect.left), static_cast<float>(rect.top));
    glVertex2f(static_cast<float>(rect.left), static_cast<float>(rect.bottom));
    glVertex2f(static_cast<float>(rect.right), static_cast<float>(rect.bottom));
    glVertex2f(static_cast<float>(rect.right), static_cast<float>(rect.top));
    glEnd();
    glColor4f(1.0F, 1.0F, 1.0F, 1.0F);
}

void PushOnStage(IDirectDrawSurfaceImp7* surface, const DRect& area)
{
    if (!gStage || !surface || !PrepareOnStage(surface))
        return;
    StageStateSaved saved(gStage);
    dxTextureStages& stages = gStage->stages();
    stages.SetOneTextureOnly();
    stages.SetBasicAlphaBlending();
    stages.SetTexture(0, surface);
    stages.Update(false);
    gStage->transforms().SetPixelCoordsTL();
    // Texture coordinates in texels, equal to the positions.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    const auto left = static_cast<float>(area.left);
    const auto top = static_cast<float>(area.top);
    const auto right = static_cast<float>(area.right);
    const auto bottom = static_cast<float>(area.bottom);
    glBegin(GL_QUADS);
    glTexCoord2f(left, bottom);
    glVertex3f(left, bottom, -1.0F);
    glTexCoord2f(left, top);
    glVertex3f(left, top, -1.0F);
    glTexCoord2f(right, top);
    glVertex3f(right, top, -1.0F);
    glTexCoord2f(right, bottom);
    glVertex3f(right, bottom, -1.0F);
    glEnd();
}

} // namespace Ravel
