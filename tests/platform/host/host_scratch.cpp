// Scratch preference files for the host tests.
#include "platform/host/host_scratch.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "platform/elements/prefs.h"
#include "support/scratch.h"

#include "foundation/safeguards.h"

namespace host_test {

std::string WritePlist(const std::string& dictContent)
{
    char path[] = "/tmp/vellmark_host_XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        return {};
    const std::string text = support::Plist(dictContent);
    if (write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        std::perror("scratch plist");
    close(fd);
    return path;
}

void UsePrefs(const std::string& dictContent)
{
    std::string shipped = WritePlist(dictContent);
    std::string user = WritePlist("");
    Ravel::Prefs::GetInstance().setDefaultsFilename(shipped.c_str());
    Ravel::Prefs::GetInstance().setUserFilename(user.c_str());
    std::remove(shipped.c_str());
    std::remove(user.c_str());
}

} // namespace host_test
