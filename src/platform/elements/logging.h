// Named loggers of the platform layer: each decides once, from the preference section "logging",
// which kinds of message it prints to the standard error.
#pragma once

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <exception>

namespace Ravel {

class Logging {
public:
    // Levels as written in the preferences: each enables its own kind and every more serious one.
    enum Level : int {
        kSilent = 0,
        kDebug = 1,
        kInfo = 2,
        kWarning = 3,
        kError = 4,
        kSevere = 5,
    };

    // Stores the names and reads nothing, so a logger can be a static object made before main.
    // domain and subName are not copied; subName may be null.
    constexpr Logging(const char* domain, const char* subName, Level defaultLevel)
        : mDomain(domain)
        , mSubName(subName)
        , mDefaultLevel(defaultLevel)
    {
    }

    Logging(const Logging&) = delete;
    Logging& operator=(const Logging&) = delete;

    // printf-style messages. A message is cut to 3999 characters; a disabled kind costs one test.
    void debug(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void info(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void warn(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void error(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // A caught exception: its dynamic type and what().
    void warn(const std::exception& e);
    void error(const std::exception& e);

    // Reading these sets the logger up first.
    const char* shortName();
    bool isEnabled(Level kind);

    // "code.Basics.mm" -> "Basics.mm", "com.Ravelstone.assert" -> "assert"; writes at most size bytes.
    static void ShortNameOf(const char* fullName, char* out, int size);

private:
    enum Kind : std::uint8_t {
        kDebugBit = 1,
        kInfoBit = 2,
        kWarnBit = 4,
        kErrorBit = 8,
        kSevereBit = 16,
    };

    bool enabled(Kind kind);
    void setUp();
    __attribute__((format(printf, 3, 0))) void message(const char* word, const char* format, va_list args);
    void message(const char* word, const std::exception& e);
    void writeLine(const char* word, const char* text);

    const char* mDomain;
    const char* mSubName;
    Level mDefaultLevel;
    // 0 not set up, 1 being set up, 2 ready; the thread doing it is kept so that its own
    // messages during set-up are dropped instead of waiting for itself.
    std::atomic<std::uint8_t> mState { 0 };
    std::atomic<std::uintptr_t> mSettingUpThread { 0 };
    std::atomic<std::uint8_t> mEnabled { 0 };
    char mFullName[128] {};
    char mShortName[128] {};
};

} // namespace Ravel
