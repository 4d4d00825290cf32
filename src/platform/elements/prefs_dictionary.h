// One source of preferences read from an XML property list: sections of text values and lists of texts.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace Ravel {

class PrefsDictionary {
public:
    // Parses a whole XML property list whose root is a dictionary. A top-level dictionary becomes a
    // section (string, integer, real and boolean values become text), a top-level array of strings a
    // list. Entries of other types are skipped and named in notes. Returns false with a reason in
    // error when the bytes are not such a property list; out is then empty.
    static bool Parse(const char* bytes, std::size_t size, PrefsDictionary& out, std::string& error,
        std::vector<std::string>* notes = nullptr);

    // Reads and parses a file. A missing file answers false with an empty error: that is no fault.
    static bool Load(const char* path, PrefsDictionary& out, std::string& error,
        std::vector<std::string>* notes = nullptr);

    // Files above this size are refused rather than parsed.
    static constexpr std::size_t kMaxFileSize = 1 << 20;

    const std::string* find(std::string_view section, std::string_view key) const;
    const std::vector<std::string>* findList(std::string_view key) const;
    bool empty() const { return mSections.empty() && mLists.empty(); }

private:
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> mSections;
    std::map<std::string, std::vector<std::string>, std::less<>> mLists;
};

} // namespace Ravel
