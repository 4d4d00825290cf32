// OpenGL error reports: the first error with its operation and place, further ones after it, and a
// stop when the driver keeps answering invalid operation.
#include "platform/render/gl_errors.h"

#include <GL/gl.h>

#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", "Basics.mm", Logging::kError);
// OpenGL clears each flag it reports, so a longer run than this is a broken source, not real errors.
constexpr int kMostErrors = 64;

int ReadGLError(void*)
{
    return static_cast<int>(glGetError());
}

} // namespace

const char* GLErrorString(int code)
{
    switch (code) {
    case GL_NO_ERROR:
        return "no error";
    case GL_INVALID_ENUM:
        return "invalid enumerant";
    case GL_INVALID_VALUE:
        return "invalid value";
    case GL_INVALID_OPERATION:
        return "invalid operation";
    case GL_STACK_OVERFLOW:
        return "stack overflow";
    case GL_STACK_UNDERFLOW:
        return "stack underflow";
    case GL_OUT_OF_MEMORY:
        return "out of memory";
    case 0x0506:
        return "invalid framebuffer operation";
    default:
        return "unknown error";
    }
}

int ReportGLErrors(
    int (*nextError)(void* source), void* source, const char* label, const char* file, int line)
{
    int first = nextError(source);
    if (first == GL_NO_ERROR || first == GL_INVALID_OPERATION)
        return 0;
    gLog.error("gl has err %s (0x%05X) from %s (%s:%d)", GLErrorString(first), static_cast<unsigned>(first),
        label ? label : "", sourceFileBaseName(file ? file : ""), line);
    int logged = 1;
    int previous = first;
    // A lost context can answer errors for ever: the count and the repeated invalid operation end it.
    for (;;) {
        int code = nextError(source);
        if (code == GL_NO_ERROR)
            break;
        if (code == GL_INVALID_OPERATION && previous == GL_INVALID_OPERATION)
            return GL_INVALID_OPERATION;
        gLog.error("... and %s (0x%05X)", GLErrorString(code), static_cast<unsigned>(code));
        ++logged;
        if ((logged > 10 && code == GL_INVALID_OPERATION) || logged >= kMostErrors)
            break;
        previous = code;
    }
    return first;
}

int getGLErrors_(const char* label, const char* file, int line)
{
    return ReportGLErrors(ReadGLError, nullptr, label, file, line);
}

} // namespace Ravel
