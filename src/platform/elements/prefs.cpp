// Preferences: the user's file wins over the shipped "defaults.plist", which wins over the caller's default.
#include "platform/elements/prefs.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/elements/filename_utils.h"
#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kError);

constexpr const char* kDefaultsFile = "defaults.plist";

// Like atoi, the leading number of the text and 0 when there is none, but clamped instead of overflowing.
int ParseInt(const char* text)
{
    long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

void CopyOut(const std::string& value, char* buffer, int* size)
{
    if (buffer && size && *size > 0) {
        std::size_t room = static_cast<std::size_t>(*size - 1);
        std::size_t n = value.size() < room ? value.size() : room;
        std::memcpy(buffer, value.data(), n);
        buffer[n] = '\0';
    }
    if (size)
        *size = value.size() > INT_MAX ? INT_MAX : static_cast<int>(value.size());
}

} // namespace

std::string Prefs::UserPrefsFilename()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/vellmark/preferences.plist";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/vellmark/preferences.plist";
}

Prefs::Prefs()
{
    load(mDefaults, std::string(resourcesPath()) + kDefaultsFile);
    load(mUser, UserPrefsFilename());
}

Prefs& Prefs::GetInstance()
{
    // Made without logging: a logger that sets itself up may be the one asking.
    static Prefs* sPrefs = new Prefs();
    sPrefs->reportPending();
    return *sPrefs;
}

void Prefs::load(PrefsDictionary& into, const std::string& path)
{
    std::string error;
    std::vector<std::string> notes;
    if (!PrefsDictionary::Load(path.c_str(), into, error, &notes) && !error.empty())
        mPendingErrors.push_back(path + ": " + error + "; its values are not used");
    for (const std::string& note : notes)
        mPendingNotes.push_back(path + ": " + note);
}

void Prefs::reportPending()
{
    std::vector<std::string> errors;
    std::vector<std::string> notes;
    {
        std::lock_guard<std::mutex> hold(mLock);
        errors.swap(mPendingErrors);
        notes.swap(mPendingNotes);
    }
    // A broken preferences file is shown at the default level, so that the user learns why it is ignored.
    for (const std::string& e : errors)
        gLog.error("%s", e.c_str());
    for (const std::string& n : notes)
        gLog.warn("%s", n.c_str());
}

void Prefs::setDefaultsFilename(const char* path)
{
    {
        std::lock_guard<std::mutex> hold(mLock);
        load(mDefaults, path ? path : "");
    }
    reportPending();
}

void Prefs::setUserFilename(const char* path)
{
    {
        std::lock_guard<std::mutex> hold(mLock);
        load(mUser, path ? path : "");
    }
    reportPending();
}

int Prefs::get(
    const char* section, const char* key, char* buffer, int* size, const char* defaultText, bool useDefaults)
{
    if (!section || !key) {
        RV_ASSERT(section && key);
        return 1;
    }
    std::string value;
    int source = -1;
    {
        std::lock_guard<std::mutex> hold(mLock);
        if (const std::string* user = mUser.find(section, key)) {
            value = *user;
            source = 0;
        } else if (useDefaults) {
            if (const std::string* shipped = mDefaults.find(section, key)) {
                value = *shipped;
                source = 1;
            }
        }
    }
    if (source >= 0) {
        CopyOut(value, buffer, size);
        return source;
    }
    gLog.warn("Registry missing item: %s/%s", section, key);
    if (defaultText)
        CopyOut(defaultText, buffer, size);
    return 1;
}

int Prefs::get(const char* section, const char* key, int* value, int defaultValue, bool useDefaults)
{
    char text[20];
    std::snprintf(text, sizeof text, "%d", defaultValue);
    int size = sizeof text;
    int source = get(section, key, text, &size, nullptr, useDefaults);
    if (value)
        *value = ParseInt(text);
    return source;
}

std::vector<std::string> Prefs::getList(const char* key, bool useDefaults)
{
    std::lock_guard<std::mutex> hold(mLock);
    if (const std::vector<std::string>* user = mUser.findList(key ? key : ""))
        return *user;
    if (useDefaults) {
        if (const std::vector<std::string>* shipped = mDefaults.findList(key ? key : ""))
            return *shipped;
    }
    return {};
}

} // namespace Ravel
