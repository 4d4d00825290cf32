// Card settings: the driver's section of the preferences, found from the OpenGL version text.
#include "platform/render/card_settings.h"

#include <GL/gl.h>
#include <cstring>

#include "platform/elements/logging.h"
#include "platform/elements/prefs.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("CardSettings", "info", Logging::kInfo);

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

CardSettings& CardSettings::me()
{
    static CardSettings* settings = new CardSettings;
    return *settings;
}

std::string CardSettings::SectionFromVersion(const char* versionText)
{
    if (!versionText)
        return kDefaultSection;
    const char* p = versionText;
    while ((*p >= '0' && *p <= '9') || *p == '.')
        ++p;
    while (IsBlank(*p))
        ++p;
    // Drivers that put their profile in brackets name themselves after it.
    if (*p == '(') {
        const char* close = std::strchr(p, ')');
        if (close) {
            p = close + 1;
            while (IsBlank(*p))
                ++p;
        }
    }
    std::string word;
    while (IsLetter(*p)) {
        char c = *p++;
        word += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (word.empty())
        return kDefaultSection;
    return std::string("CardSettings#") + word;
}

void CardSettings::setContext(const OurContext& context)
{
    mContext = context;
    if (context.isNull())
        return;
    SavedContext saved;
    context.use();
    setVersionText(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
}

void CardSettings::setVersionText(const char* versionText)
{
    mCache.clear();
    mSection = SectionFromVersion(versionText);
    gLog.info("card settings section %s", mSection.c_str());
}

bool CardSettings::get(const char* key)
{
    auto found = mCache.find(key);
    if (found != mCache.end())
        return found->second;
    bool answer = getRaw(key) != -1;
    mCache.emplace(key, answer);
    return answer;
}

int CardSettings::getRaw(const char* key)
{
    Prefs& prefs = Prefs::GetInstance();
    int fallback = 0;
    if (mSection != kDefaultSection)
        prefs.get(kDefaultSection, key, &fallback, 0);
    int value = fallback;
    prefs.get(mSection.c_str(), key, &value, fallback);
    return value;
}

bool IsExtensionListed(const char* extensions, const char* name)
{
    if (!extensions || !name || !*name)
        return false;
    std::size_t length = std::strlen(name);
    for (const char* p = extensions; (p = std::strstr(p, name)) != nullptr; p += length) {
        bool startsWord = p == extensions || p[-1] == ' ';
        bool endsWord = p[length] == ' ' || p[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

} // namespace Ravel
