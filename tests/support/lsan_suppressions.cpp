// Leaks that LeakSanitizer must not report in any test program: what the system libraries keep for the
// life of the process (the session bus that SDL opens, the toolkit's, font and GL driver's caches) is
// not ours to free. Linked as an object into every test, since the sanitizer only looks the list up.
#include "foundation/safeguards.h"

extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n"
           "leak:libfontconfig.so\n"
           "leak:libgtk-3.so\n"
           "leak:libgdk-3.so\n"
           "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n"
           "leak:libpango\n"
           "leak:libX11.so\n"
           "leak:libGLX_mesa.so\n"
           "leak:_dri.so\n"
           "leak:libgallium\n";
}
