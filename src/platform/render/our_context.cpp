// Context switching with a cheap test for the context that is already current, and the stage context.
#include "platform/render/our_context.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kError);
OurContext gStageContext;

} // namespace

OurContext OurContext::gCur;
float openGLVersion = 0.0F;

void OurContext::use(bool force) const
{
    if (!force && *this == gCur)
        return;
    if (gl)
        SDL_GL_MakeCurrent(window, gl);
    else
        SDL_GL_MakeCurrent(nullptr, nullptr);
    gCur = *this;
}

OurContext GetCurrentContext()
{
    OurContext now { SDL_GL_GetCurrentWindow(), SDL_GL_GetCurrentContext() };
    if (now.gl != nullptr && now.gl == OurContext::gCur.gl)
        return OurContext::gCur;
    return now;
}

void UseSavedContext(const OurContext& saved)
{
    saved.use(false);
}

float ParseGLVersion(const char* versionText)
{
    if (!versionText)
        return 0.0F;
    char number[33];
    int n = 0;
    while (n < 32 && ((versionText[n] >= '0' && versionText[n] <= '9') || versionText[n] == '.')) {
        number[n] = versionText[n];
        ++n;
    }
    number[n] = '\0';
    float value = std::strtof(number, nullptr);
    return std::round(value * 10.0F) / 10.0F;
}

void SetStageContext(const OurContext& context)
{
    gStageContext = context;
    SavedContext saved;
    context.use();
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version) {
        openGLVersion = ParseGLVersion(version);
        gLog.info("GlVersion %f", static_cast<double>(openGLVersion));
    }
}

const OurContext& GetStageContext()
{
    return gStageContext;
}

void UseStageContext()
{
    gStageContext.use();
}

void ClearStageContext()
{
    gStageContext = OurContext {};
    if (OurContext::gCur.gl || OurContext::gCur.window) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        OurContext::gCur = OurContext {};
    }
}

} // namespace Ravel
