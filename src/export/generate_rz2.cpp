// The scenario export.
#include "export/generate_rz2.h"

#include "foundation/logs.h"

#include "foundation/safeguards.h"

bool generate_rz2(const char* fileName)
{
    history("Export to %s: the scenario export is not available yet, nothing was written",
        fileName != nullptr ? fileName : "");
    return false;
}
