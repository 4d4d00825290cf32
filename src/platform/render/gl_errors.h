// Checked OpenGL error reporting: pending errors are logged with the operation and place, never thrown.
#pragma once

namespace Ravel {

// Reads and logs the pending OpenGL errors of the current context; answers the first code, or 0 when
// there was none or only an invalid operation (taken as a call made between begin and end).
int getGLErrors_(const char* label, const char* file, int line);

// The same over any source of error codes (glGetError in play, a script in tests).
int ReportGLErrors(
    int (*nextError)(void* source), void* source, const char* label, const char* file, int line);

// The text that GLU gives for an OpenGL error code; "unknown error" for anything else.
const char* GLErrorString(int code);

} // namespace Ravel

#define getGLErrors(label) Ravel::getGLErrors_((label), __FILE__, __LINE__)
