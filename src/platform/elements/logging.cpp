// Named loggers: set up once from the preference section "logging", then one flag test per message.
#include "platform/elements/logging.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cxxabi.h>
#include <errno.h>
#include <pthread.h>
#include <sched.h>
#include <typeinfo>
#include <unistd.h>

#include "platform/elements/prefs.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

constexpr int kTextSize = 4000;

std::uint8_t MaskForLevel(int level)
{
    switch (level) {
    case Logging::kDebug:
        return 0x1F;
    case Logging::kInfo:
        return 0x1E;
    case Logging::kWarning:
        return 0x1C;
    case Logging::kError:
        return 0x18;
    case Logging::kSevere:
        return 0x10;
    default:
        return 0;
    }
}

void CopyText(char* out, int size, const char* text, std::size_t length)
{
    if (size <= 0)
        return;
    std::size_t n = length < static_cast<std::size_t>(size - 1) ? length : static_cast<std::size_t>(size - 1);
    std::memcpy(out, text, n);
    out[n] = '\0';
}

} // namespace

void Logging::ShortNameOf(const char* fullName, char* out, int size)
{
    std::size_t length = std::strlen(fullName);
    const char* last = std::strrchr(fullName, '.');
    const char* start = fullName;
    if (last) {
        std::size_t position = static_cast<std::size_t>(last - fullName);
        if (position + 4 >= length) {
            // A dot this near the end starts a file extension: keep it and cut at the dot before.
            const char* earlier = nullptr;
            for (const char* p = fullName; p < last; ++p) {
                if (*p == '.')
                    earlier = p;
            }
            start = earlier ? earlier + 1 : fullName;
        } else {
            start = last + 1;
        }
    }
    CopyText(out, size, start, std::strlen(start));
}

void Logging::setUp()
{
    auto self = reinterpret_cast<std::uintptr_t>(reinterpret_cast<void*>(pthread_self()));
    std::uint8_t expected = 0;
    if (!mState.compare_exchange_strong(expected, 1, std::memory_order_acq_rel)) {
        // Our own message while we set up (the preferences may log) is dropped; another thread waits.
        if (mSettingUpThread.load(std::memory_order_acquire) == self)
            return;
        while (mState.load(std::memory_order_acquire) != 2)
            sched_yield();
        return;
    }
    mSettingUpThread.store(self, std::memory_order_release);

    if (mSubName)
        std::snprintf(mFullName, sizeof mFullName, "%s.%s", mDomain ? mDomain : "", mSubName);
    else
        std::snprintf(mFullName, sizeof mFullName, "%s", mDomain ? mDomain : "");
    ShortNameOf(mFullName, mShortName, sizeof mShortName);

    Prefs& prefs = Prefs::GetInstance();
    int fallback = mDefaultLevel;
    prefs.get("logging", "default", &fallback, mDefaultLevel);
    int level = fallback;
    prefs.get("logging", mShortName, &level, fallback);

    mEnabled.store(MaskForLevel(level), std::memory_order_release);
    mState.store(2, std::memory_order_release);
}

bool Logging::enabled(Kind kind)
{
    if (mState.load(std::memory_order_acquire) != 2)
        setUp();
    return (mEnabled.load(std::memory_order_acquire) & kind) != 0;
}

bool Logging::isEnabled(Level kind)
{
    switch (kind) {
    case kDebug:
        return enabled(kDebugBit);
    case kInfo:
        return enabled(kInfoBit);
    case kWarning:
        return enabled(kWarnBit);
    case kError:
        return enabled(kErrorBit);
    case kSevere:
        return enabled(kSevereBit);
    default:
        return false;
    }
}

const char* Logging::shortName()
{
    if (mState.load(std::memory_order_acquire) != 2)
        setUp();
    return mShortName;
}

void Logging::writeLine(const char* word, const char* text)
{
    // Like the system log: local date and time, process name and id, then the message.
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local {};
    localtime_r(&now.tv_sec, &local);
    char line[kTextSize + 512];
    int n = std::snprintf(line, sizeof line, "%04d-%02d-%02d %02d:%02d:%02d.%03ld %s[%d] %s [%s] %s\n",
        local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
        now.tv_nsec / 1000000, program_invocation_short_name, static_cast<int>(getpid()), word, mShortName,
        text);
    if (n < 0)
        return;
    std::size_t length = static_cast<std::size_t>(n);
    if (length >= sizeof line) {
        length = sizeof line - 1;
        line[length - 1] = '\n';
    }
    std::fwrite(line, 1, length, stderr);
    std::fflush(stderr);
}

void Logging::message(const char* word, const char* format, va_list args)
{
    char text[kTextSize];
    std::vsnprintf(text, sizeof text, format, args);
    writeLine(word, text);
}

void Logging::message(const char* word, const std::exception& e)
{
    const char* mangled = typeid(e).name();
    int status = 0;
    char* readable = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    char text[kTextSize];
    std::snprintf(text, sizeof text, "%s:%s", status == 0 && readable ? readable : mangled, e.what());
    std::free(readable);
    writeLine(word, text);
}

#define RV_LOGGING_MESSAGE(bit, word)                                                                        \
    if (!enabled(bit))                                                                                       \
        return;                                                                                              \
    va_list args;                                                                                            \
    va_start(args, format);                                                                                  \
    message(word, format, args);                                                                             \
    va_end(args)

void Logging::debug(const char* format, ...)
{
    RV_LOGGING_MESSAGE(kDebugBit, "DEBUG");
}

void Logging::info(const char* format, ...)
{
    RV_LOGGING_MESSAGE(kInfoBit, "INFO");
}

void Logging::warn(const char* format, ...)
{
    RV_LOGGING_MESSAGE(kWarnBit, "WARNING");
}

void Logging::error(const char* format, ...)
{
    RV_LOGGING_MESSAGE(kErrorBit, "ERROR");
}

#undef RV_LOGGING_MESSAGE

void Logging::warn(const std::exception& e)
{
    if (enabled(kWarnBit))
        message("WARNING", e);
}

void Logging::error(const std::exception& e)
{
    if (enabled(kErrorBit))
        message("ERROR", e);
}

} // namespace Ravel
