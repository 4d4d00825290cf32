// Test helper: what the system libraries keep for the life of the process (the session bus, the
// toolkit's and the GL driver's caches) is not ours to free. Include it in one source file per test
// program that opens a window, a sound device or a dialog.
#pragma once

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\nleak:libfontconfig.so\nleak:libgtk-3.so\nleak:libgdk-3.so\nleak:libglib-2.0."
           "so\n"
           "leak:libgobject-2.0.so\nleak:libpango\nleak:libX11.so\nleak:libGLX_mesa.so\nleak:_dri.so\n"
           "leak:libgallium\n";
}
