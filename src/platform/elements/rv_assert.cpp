// The non-fatal assertion: one error line on the assertion logger, then the caller goes on.
#include "platform/elements/rv_assert.h"

#include "platform/elements/logging.h"

#include "foundation/safeguards.h"

namespace {
Ravel::Logging gAssertLog("com.Ravelstone.assert", nullptr, Ravel::Logging::kError);
}

void RV_assert_failed(const char* expression, const char* file, unsigned int line)
{
    gAssertLog.error("%s (%s:%u)", expression ? expression : "(null)",
        file ? Ravel::sourceFileBaseName(file) : "(unknown)", line);
}
