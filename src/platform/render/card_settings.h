// Per-driver switches for OpenGL extensions: a preference section named after the driver says which
// extensions the game must not use even when the driver lists them.
#pragma once

#include <map>
#include <string>

#include "platform/render/our_context.h"

namespace Ravel {

class CardSettings {
public:
    // The one object, made on first use with the section "CardSettings#default".
    static CardSettings& me();

    // Reads the context's GL_VERSION and takes the section from it; a null context changes nothing.
    void setContext(const OurContext& context);
    // The same from a version text; used by setContext and by tests.
    void setVersionText(const char* versionText);

    // False only when the setting is -1; answers are cached per key until the section changes.
    bool get(const char* key);
    // The integer setting: the driver's section, else "CardSettings#default", else 0.
    int getRaw(const char* key);

    const std::string& section() const { return mSection; }

    // "CardSettings#" + the lower-case driver word after the version number ("2.0 ATI-1.4.56" -> "ati");
    // a parenthesised note before the word is skipped, so Mesa's "4.5 (Compatibility Profile) Mesa 22.3.6"
    // gives "mesa". No word at all gives "CardSettings#default".
    static std::string SectionFromVersion(const char* versionText);

    static constexpr const char* kDefaultSection = "CardSettings#default";

private:
    CardSettings() = default;

    OurContext mContext;
    std::string mSection { kDefaultSection };
    std::map<std::string, bool> mCache;
};

// True when name is one of the blank-separated words of an OpenGL extension list.
bool IsExtensionListed(const char* extensions, const char* name);

} // namespace Ravel
