// The alert that tells the user the settings file could not be written. Apart from the dialog's file,
// whose toolkit headers clash with the Win32 names.
#include <cstdio>

#include "platform/input/window_messages.h"
#include "platform/settings/settings_dialog.h"

#include "foundation/safeguards.h"

namespace Ravel {

void ReportSettingsNotSaved(const char* path, const char* reason)
{
    char text[1024];
    std::snprintf(text, sizeof text,
        "Your settings could not be saved to \"%s\" (%s). The game starts with them, but they will be "
        "lost when it ends.",
        path ? path : "", reason ? reason : "");
    Windows::MessageBoxA(nullptr, text, "Vellmark Settings", Windows::MB_OK);
}

} // namespace Ravel
