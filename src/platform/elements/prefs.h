// Preferences by section and key: the user's values first, then the shipped "defaults.plist".
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/elements/prefs_dictionary.h"

namespace Ravel {

class Prefs {
public:
    // The one preferences object of the process, made on first use from resourcesPath() + "defaults.plist"
    // and the user's file under $XDG_CONFIG_HOME/vellmark/; never destroyed. A missing file is no fault;
    // an unreadable or malformed one is reported on the standard error and its values are not used.
    static Prefs& GetInstance();

    // Replace the source behind the shipped defaults or the user's values; a path that cannot be read
    // leaves that source empty.
    void setDefaultsFilename(const char* path);
    void setUserFilename(const char* path);

    // Text lookup. *size is the buffer's size on entry and the length of the answer on return; the copy is
    // cut to fit and always terminated. Without a value or a default text the buffer and size are left.
    // Answers 0 when the user's preferences gave the value, 1 otherwise (the shipped file or the default).
    // useDefaults false ignores the shipped file.
    int get(const char* section, const char* key, char* buffer, int* size, const char* defaultText,
        bool useDefaults = true);

    // Integer lookup on top of the text lookup: a missing key gives defaultValue, a text that is not a
    // number 0 (the leading digits of "12abc" count), and values beyond int are clamped.
    int get(const char* section, const char* key, int* value, int defaultValue, bool useDefaults = true);

    // A top-level list of texts ("dataDirs"), the user's first; empty when neither source has it.
    std::vector<std::string> getList(const char* key, bool useDefaults = true);

    // The user's preferences file: $XDG_CONFIG_HOME/vellmark/preferences.plist (~/.config when unset).
    static std::string UserPrefsFilename();

private:
    Prefs();
    void load(PrefsDictionary& into, const std::string& path);
    void reportPending();

    std::mutex mLock;
    PrefsDictionary mUser;
    PrefsDictionary mDefaults;
    // Problems found while loading, printed once the object exists (a logger setting itself up may be
    // what made it, and must not be re-entered).
    std::vector<std::string> mPendingErrors;
    std::vector<std::string> mPendingNotes;
};

} // namespace Ravel
