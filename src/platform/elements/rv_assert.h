// The platform layer's non-fatal assertion, which the game's own code uses as well.
#pragma once

namespace Ravel {

// The part of a path after its last '/', or the whole path; points into the given text.
constexpr const char* sourceFileBaseName(const char* path)
{
    const char* base = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '/')
            base = p + 1;
    }
    return base;
}

} // namespace Ravel

// Logs "expression (file:line)" with the file's base name on the logger "com.Ravelstone.assert"
// and returns: a failed check never stops the program.
void RV_assert_failed(const char* expression, const char* file, unsigned int line);

#define RV_ASSERT(e) ((e) ? (void)0 : RV_assert_failed(#e, __FILE__, __LINE__))
