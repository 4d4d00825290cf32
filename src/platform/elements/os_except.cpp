// The platform layer's exception text: the failing call, its code and where it was thrown.
#include "platform/elements/os_except.h"

#include <cstdio>

#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Ravel {

osExcept::osExcept(const char* message, int code, const char* file, int line) noexcept
    : mMessage(message ? message : "")
    , mCode(code)
    , mFile(file ? sourceFileBaseName(file) : nullptr)
    , mLine(line)
{
    if (mFile)
        std::snprintf(mText, sizeof mText, "%s (%d) %s:%d", mMessage, mCode, mFile, mLine);
    else
        std::snprintf(mText, sizeof mText, "%s (%d)", mMessage, mCode);
}

} // namespace Ravel
