// Render states and texture stages as OpenGL sees them: the state table, the stage chain, the combiner,
// the save stack, surfaces going away, and a textured quad drawn through the stages.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/ddraw/ddraw_fixture.h"
#include "platform/ddraw/dx_texture_stages.h"

using namespace Windows;
using Ravel::dxTextureStages;
using Ravel::IDirectDrawStandardSurfaceImp7;

namespace {

class TextureStages : public ddraw_test::GLWindow {
protected:
    void SetUp() override
    {
        GLWindow::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        mStages = std::make_unique<dxTextureStages>();
        mStages->SetContext(Ravel::GetStageContext());
    }
    void TearDown() override
    {
        mStages.reset();
        GLWindow::TearDown();
    }
    static GLint Integer(GLenum name)
    {
        GLint value = 0;
        glGetIntegerv(name, &value);
        return value;
    }
    static GLint Env(GLenum unit, GLenum name)
    {
        glActiveTexture(unit);
        GLint value = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, name, &value);
        glActiveTexture(GL_TEXTURE0);
        return value;
    }
    // A 2 by 2 surface of one colour.
    static IDirectDrawStandardSurfaceImp7* Solid(std::uint16_t colour)
    {
        IDirectDrawStandardSurfaceImp7* surface = ddraw_test::MakeSurface(2, 2);
        surface->Clear(colour);
        return surface;
    }
    std::unique_ptr<dxTextureStages> mStages;
};

TEST_F(TextureStages, RenderStatesReachOpenGL)
{
    EXPECT_EQ(mStages->SetState(D3DRENDERSTATE_ZENABLE, 1), 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    mStages->SetState(D3DRENDERSTATE_ZENABLE, 0);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    mStages->SetState(D3DRENDERSTATE_ZWRITEENABLE, 0x100); // only the low byte counts
    EXPECT_EQ(Integer(GL_DEPTH_WRITEMASK), GL_FALSE);

    struct ZCase {
        DWORD value;
        GLint func;
    } zCases[] = { { D3DCMP_LESS, GL_LEQUAL }, { D3DCMP_GREATER, GL_GREATER }, { D3DCMP_ALWAYS, GL_LEQUAL } };
    for (const ZCase& c : zCases) {
        mStages->SetState(D3DRENDERSTATE_ZFUNC, c.value);
        EXPECT_EQ(Integer(GL_DEPTH_FUNC), c.func) << c.value;
    }

    mStages->SetState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    mStages->SetState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    mStages->SetState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_DESTALPHA); // not translated: kept
    EXPECT_EQ(Integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(Integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    mStages->SetState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));

    mStages->SetState(D3DRENDERSTATE_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    mStages->SetState(D3DRENDERSTATE_ALPHAREF, 51);
    mStages->SetState(D3DRENDERSTATE_ALPHAFUNC, 99); // unknown: the function stays
    EXPECT_EQ(Integer(GL_ALPHA_TEST_FUNC), GL_GEQUAL);
    GLfloat ref = 0;
    glGetFloatv(GL_ALPHA_TEST_REF, &ref);
    EXPECT_NEAR(ref, 0.2F, 1e-6F);
    mStages->SetState(D3DRENDERSTATE_ALPHATESTENABLE, 1);
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));

    // Stored only, and refused past the last state.
    EXPECT_EQ(mStages->SetState(D3DRENDERSTATE_CULLMODE, 3), 0);
    EXPECT_EQ(mStages->SetState(static_cast<D3DRENDERSTATETYPE>(8), 2), S_FALSE);
    EXPECT_EQ(mStages->state().renderStates[8], 2u);
    EXPECT_EQ(mStages->SetState(static_cast<D3DRENDERSTATETYPE>(152), 1), RV_DXERR_FAILED);

    mStages->Update(false);
    EXPECT_EQ(mStages->SetState(D3DRENDERSTATE_TEXTUREFACTOR, 0x80FF0000), 0);
    EXPECT_FLOAT_EQ(mStages->state().textureFactor[0], 1.0F);
    EXPECT_NEAR(mStages->state().textureFactor[3], 128.0F / 255.0F, 1e-6F);
    for (const auto& stage : mStages->state().stages)
        EXPECT_TRUE(stage.changed);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureStages, StagesPastTheUsedOnesAndTheChain)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(mStages->SetState(2, D3DTSS_COLOROP, D3DTOP_DISABLE), 0);
    EXPECT_EQ(mStages->SetState(2, D3DTSS_COLOROP, D3DTOP_MODULATE), RV_DXERR_FAILED);
    EXPECT_EQ(mStages->SetTexture(5, nullptr), 0);
    EXPECT_EQ(mStages->GetTexture(5), nullptr);
    std::string warned = testing::internal::GetCapturedStderr();
    EXPECT_NE(warned.find("Set state on too high of texture stage! 2"), std::string::npos) << warned;
    EXPECT_NE(warned.find("Set texture on too high stage! 5"), std::string::npos) << warned;

    mStages->Update(true);
    EXPECT_EQ(mStages->SetState(1, D3DTSS_MAGFILTER, D3DTFG_LINEAR), 0);
    EXPECT_EQ(mStages->SetState(1, static_cast<D3DTEXTURESTAGESTATETYPE>(24), 7), 0); // ignored type
    EXPECT_EQ(mStages->state().stages[1].magFilter, D3DTFG_LINEAR);
    // Stage 0 off ends the chain: stage 1 waits until stage 0 is on again.
    mStages->SetState(0, D3DTSS_COLOROP, D3DTOP_DISABLE);
    mStages->SetState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
    mStages->Update(false);
    EXPECT_FALSE(mStages->state().stages[0].changed);
    EXPECT_TRUE(mStages->state().stages[1].changed);
    EXPECT_EQ(mStages->state().highestStage, -1);
    mStages->SetState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    mStages->Update(false);
    EXPECT_FALSE(mStages->state().stages[1].changed);
    EXPECT_EQ(mStages->state().highestStage, 1);
}

TEST_F(TextureStages, CombinerFiltersAndWrapping)
{
    IDirectDrawStandardSurfaceImp7* texture = Solid(0x7FFF);
    ASSERT_EQ(mStages->SetTexture(0, texture), 0);
    EXPECT_EQ(mStages->GetTexture(0), texture);
    EXPECT_NE(texture->name(), 0u);

    // Texture alone for colour and alpha: the plain replace mode.
    mStages->SetOneTextureOnly();
    mStages->Update(false);
    EXPECT_EQ(Env(GL_TEXTURE0, GL_TEXTURE_ENV_MODE), GL_REPLACE);

    mStages->SetColorOnly();
    mStages->Update(false);
    EXPECT_EQ(Env(GL_TEXTURE0, GL_TEXTURE_ENV_MODE), GL_COMBINE);
    EXPECT_EQ(Env(GL_TEXTURE0, GL_COMBINE_RGB), GL_REPLACE);
    EXPECT_EQ(Env(GL_TEXTURE0, GL_SOURCE0_RGB), GL_PRIMARY_COLOR);

    struct Case {
        const char* name;
        DWORD colorOp, arg1, arg2;
        GLint combine, source0, source1;
        GLfloat scale;
    } cases[] = {
        { "modulate puts the texture second", D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE, GL_MODULATE,
            GL_PRIMARY_COLOR, GL_TEXTURE, 1.0F },
        { "modulate twice", D3DTOP_MODULATE2X, D3DTA_DIFFUSE, D3DTA_TFACTOR, GL_MODULATE, GL_PRIMARY_COLOR,
            GL_CONSTANT, 2.0F },
        { "add is the signed add", D3DTOP_ADD, D3DTA_TEXTURE, D3DTA_CURRENT, GL_ADD_SIGNED, GL_TEXTURE,
            GL_PRIMARY_COLOR, 1.0F },
        { "select the second", D3DTOP_SELECTARG2, D3DTA_TEXTURE, D3DTA_TFACTOR, GL_REPLACE, GL_CONSTANT,
            GL_TEXTURE, 1.0F },
        { "dot product", D3DTOP_DOTPRODUCT3, D3DTA_TEXTURE, D3DTA_DIFFUSE, GL_DOT3_RGBA, GL_TEXTURE,
            GL_PRIMARY_COLOR, 1.0F },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mStages->SetState(0, D3DTSS_COLOROP, c.colorOp);
        mStages->SetState(0, D3DTSS_COLORARG1, c.arg1);
        mStages->SetState(0, D3DTSS_COLORARG2, c.arg2);
        mStages->Update(false);
        EXPECT_EQ(Env(GL_TEXTURE0, GL_TEXTURE_ENV_MODE), GL_COMBINE);
        EXPECT_EQ(Env(GL_TEXTURE0, GL_COMBINE_RGB), c.combine);
        EXPECT_EQ(Env(GL_TEXTURE0, GL_SOURCE0_RGB), c.source0);
        EXPECT_EQ(Env(GL_TEXTURE0, GL_SOURCE1_RGB), c.source1);
        GLfloat scale = 0;
        glGetTexEnvfv(GL_TEXTURE_ENV, GL_RGB_SCALE, &scale);
        EXPECT_EQ(scale, c.scale);
    }
    // The second stage's "current" is the first stage's result.
    mStages->SetState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
    mStages->SetState(1, D3DTSS_COLORARG1, D3DTA_CURRENT);
    mStages->SetState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    mStages->Update(false);
    EXPECT_EQ(Env(GL_TEXTURE1, GL_SOURCE0_RGB), GL_PREVIOUS);
    EXPECT_EQ(Env(GL_TEXTURE1, GL_SOURCE0_ALPHA), GL_PREVIOUS);
    EXPECT_EQ(Env(GL_TEXTURE1, GL_COMBINE_ALPHA), GL_REPLACE);

    struct FilterCase {
        DWORD mag, min, mip, address;
        GLint magGL, minGL, wrapGL;
    } filters[] = {
        { D3DTFG_POINT, D3DTFN_POINT, D3DTFP_NONE, D3DTADDRESS_WRAP, GL_NEAREST, GL_NEAREST, GL_REPEAT },
        { D3DTFG_LINEAR, D3DTFN_LINEAR, D3DTFP_POINT, D3DTADDRESS_CLAMP, GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST,
            GL_CLAMP_TO_EDGE },
        { D3DTFG_LINEAR, D3DTFN_POINT, D3DTFP_LINEAR, D3DTADDRESS_MIRROR, GL_LINEAR, GL_NEAREST_MIPMAP_LINEAR,
            GL_REPEAT },
        { D3DTFG_POINT, D3DTFN_LINEAR, 9, D3DTADDRESS_WRAP, GL_NEAREST, GL_LINEAR_MIPMAP_LINEAR, GL_REPEAT },
    };
    for (const FilterCase& f : filters) {
        mStages->SetState(0, D3DTSS_MAGFILTER, f.mag);
        mStages->SetState(0, D3DTSS_MINFILTER, f.min);
        mStages->SetState(0, D3DTSS_MIPFILTER, f.mip);
        mStages->SetState(0, D3DTSS_ADDRESSU, f.address);
        mStages->SetState(0, D3DTSS_ADDRESSV, f.address);
        mStages->Update(false);
        glBindTexture(GL_TEXTURE_2D, texture->name());
        GLint mag = 0, min = 0, wrapS = 0, wrapT = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
        EXPECT_EQ(mag, f.magGL);
        EXPECT_EQ(min, f.minGL);
        EXPECT_EQ(wrapS, f.wrapGL);
        EXPECT_EQ(wrapT, f.wrapGL);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    texture->Release();
    EXPECT_EQ(mStages->GetTexture(0), nullptr);
}

TEST_F(TextureStages, StackRestoresStatesAndForgetsDeletedTextures)
{
    IDirectDrawStandardSurfaceImp7* texture = Solid(0x001F);
    mStages->SetTexture(0, texture);
    mStages->SetBasicAlphaBlending();
    mStages->Push();
    mStages->SetNoBlending();
    mStages->SetState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE);
    mStages->SetState(D3DRENDERSTATE_ZENABLE, 1);
    mStages->SetTexture(0, nullptr);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    mStages->Pop();
    EXPECT_EQ(mStages->stackDepth(), 0);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(Integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(mStages->GetTexture(0), texture);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(texture->name()));

    // A saved copy that names a surface which has gone comes back without it.
    mStages->Push();
    texture->Release();
    EXPECT_EQ(mStages->GetTexture(0), nullptr);
    mStages->Pop();
    EXPECT_EQ(mStages->GetTexture(0), nullptr);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), 0);

    testing::internal::CaptureStderr();
    for (int i = 0; i < dxTextureStages::kStackSize + 1; ++i)
        mStages->Push();
    EXPECT_EQ(mStages->stackDepth(), dxTextureStages::kStackSize);
    for (int i = 0; i < dxTextureStages::kStackSize + 1; ++i)
        mStages->Pop();
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("push() called when stack full"), std::string::npos) << errors;
    EXPECT_NE(errors.find("pop() called on empty stack"), std::string::npos) << errors;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The quad covers the whole window; its colour is what the stages made of texture and vertex colour.
void DrawQuad()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, 64, 64);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(0.0F, 1.0F, 0.0F, 1.0F);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-1, 1, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-1, -1, 0);
    glTexCoord2f(1, 1);
    glVertex3f(1, -1, 0);
    glTexCoord2f(1, 0);
    glVertex3f(1, 1, 0);
    glEnd();
    glColor4f(1, 1, 1, 1);
}

TEST_F(TextureStages, QuadShowsTheSurfaceOrTheVertexColour)
{
    // A rectangle texture of 3 by 2: the left column red, the others blue.
    ddraw_test::StageDevicePresent device;
    IDirectDrawStandardSurfaceImp7* surface = ddraw_test::MakeSurface(3, 2);
    surface->Lock(nullptr, nullptr, 0, nullptr);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            ddraw_test::Pixel(surface, x, y) = x == 0 ? 0x7C00 : 0x001F;
    }
    surface->Unlock(nullptr);
    ASSERT_EQ(surface->target(), 0x84F5u);

    mStages->SetNoBlending();
    mStages->SetOneTextureOnly();
    mStages->SetTexture(0, surface);
    mStages->Update(false);
    DrawQuad();
    EXPECT_EQ(ReadPixel(4, 32), 0xFF0000u);
    EXPECT_EQ(ReadPixel(30, 32), 0x0000FFu);
    EXPECT_EQ(ReadPixel(60, 32), 0x0000FFu);

    mStages->SetColorOnly();
    mStages->Update(false);
    DrawQuad();
    EXPECT_EQ(ReadPixel(4, 32), 0x00FF00u);

    // Modulating red with green gives black; the texture factor's white passes red through.
    mStages->SetState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    mStages->SetState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    mStages->SetState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    mStages->Update(false);
    DrawQuad();
    EXPECT_EQ(ReadPixel(4, 32), 0x000000u);
    mStages->SetState(D3DRENDERSTATE_TEXTUREFACTOR, 0xFFFFFFFF);
    mStages->SetState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
    mStages->Update(false);
    DrawQuad();
    EXPECT_EQ(ReadPixel(4, 32), 0xFF0000u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    surface->Release();
}

} // namespace
