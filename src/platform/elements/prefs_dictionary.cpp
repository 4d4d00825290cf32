// Reads a preferences property list with libplist into plain sections and lists of texts.
#include "platform/elements/prefs_dictionary.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <plist/plist.h>

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

// libplist hands out malloc'd texts.
struct Owned {
    char* text = nullptr;
    ~Owned() { std::free(text); }
};

void Note(std::vector<std::string>* notes, const std::string& what)
{
    if (notes)
        notes->push_back(what);
}

// A string node's text; false when it holds a NUL byte, which no C-text caller could see past.
bool StringText(plist_t node, std::string& out)
{
    std::uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    if (!text) {
        out.clear();
        return true;
    }
    if (std::memchr(text, '\0', length))
        return false;
    out.assign(text, length);
    return true;
}

// The text of a scalar value; false for containers, data, dates and texts with NUL bytes.
bool ScalarText(plist_t node, std::string& out)
{
    char number[64];
    switch (plist_get_node_type(node)) {
    case PLIST_STRING:
        return StringText(node, out);
    case PLIST_UINT: {
        // libplist keeps negative integers in the same 64-bit word.
        std::uint64_t value = 0;
        plist_get_uint_val(node, &value);
        std::snprintf(number, sizeof number, "%" PRId64, static_cast<std::int64_t>(value));
        out = number;
        return true;
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        std::snprintf(number, sizeof number, "%g", value);
        out = number;
        return true;
    }
    case PLIST_BOOLEAN: {
        std::uint8_t value = 0;
        plist_get_bool_val(node, &value);
        out.assign(1, value ? '1' : '0');
        return true;
    }
    default:
        return false;
    }
}

// Calls visit(key, value) for every entry of a dictionary node.
template <typename Visit> void ForEachEntry(plist_t dict, Visit visit)
{
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(dict, &iter);
    if (!iter)
        return;
    for (;;) {
        Owned key;
        plist_t value = nullptr;
        plist_dict_next_item(dict, iter, &key.text, &value);
        if (!value)
            break;
        visit(key.text ? key.text : "", value);
    }
    std::free(iter);
}

} // namespace

bool PrefsDictionary::Parse(const char* bytes, std::size_t size, PrefsDictionary& out, std::string& error,
    std::vector<std::string>* notes)
{
    out = PrefsDictionary();
    error.clear();
    if (size > kMaxFileSize) {
        error = "larger than 1 MiB";
        return false;
    }
    if (size >= 6 && std::memcmp(bytes, "bplist", 6) == 0) {
        error = "a binary property list; only XML property lists are read";
        return false;
    }
    // A terminated copy, so that the parser can never read past the end of the caller's bytes.
    std::string terminated(bytes, size);
    plist_t raw = nullptr;
    plist_from_xml(terminated.c_str(), static_cast<std::uint32_t>(terminated.size()), &raw);
    PlistPtr root(raw);
    if (!root) {
        error = "not a well-formed XML property list";
        return false;
    }
    if (plist_get_node_type(root.get()) != PLIST_DICT) {
        error = "the property list's root is not a dictionary";
        return false;
    }

    ForEachEntry(root.get(), [&](const char* name, plist_t value) {
        switch (plist_get_node_type(value)) {
        case PLIST_DICT: {
            auto& section = out.mSections[name];
            ForEachEntry(value, [&](const char* key, plist_t item) {
                std::string text;
                if (ScalarText(item, text))
                    section[key] = std::move(text);
                else
                    Note(notes, std::string(name) + "/" + key + ": not a text or number, skipped");
            });
            break;
        }
        case PLIST_ARRAY: {
            auto& list = out.mLists[name];
            std::uint32_t count = plist_array_get_size(value);
            for (std::uint32_t i = 0; i < count; ++i) {
                plist_t item = plist_array_get_item(value, i);
                std::string text;
                if (item && plist_get_node_type(item) == PLIST_STRING && StringText(item, text)) {
                    list.push_back(std::move(text));
                } else {
                    Note(notes, std::string(name) + "[" + std::to_string(i) + "]: not a text, skipped");
                }
            }
            break;
        }
        default:
            Note(notes, std::string(name) + ": neither a section nor a list, skipped");
            break;
        }
    });
    return true;
}

bool PrefsDictionary::Load(
    const char* path, PrefsDictionary& out, std::string& error, std::vector<std::string>* notes)
{
    out = PrefsDictionary();
    error.clear();
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        if (errno != ENOENT)
            error = std::strerror(errno);
        return false;
    }
    std::string bytes;
    char chunk[16384];
    bool tooLarge = false;
    for (;;) {
        std::size_t n = std::fread(chunk, 1, sizeof chunk, file);
        bytes.append(chunk, n);
        if (bytes.size() > kMaxFileSize) {
            tooLarge = true;
            break;
        }
        if (n < sizeof chunk)
            break;
    }
    bool failed = std::ferror(file) != 0;
    int readErrno = errno;
    std::fclose(file);
    if (tooLarge) {
        error = "larger than 1 MiB";
        return false;
    }
    if (failed) {
        error = std::strerror(readErrno);
        return false;
    }
    return Parse(bytes.data(), bytes.size(), out, error, notes);
}

const std::string* PrefsDictionary::find(std::string_view section, std::string_view key) const
{
    auto s = mSections.find(section);
    if (s == mSections.end())
        return nullptr;
    auto k = s->second.find(key);
    return k == s->second.end() ? nullptr : &k->second;
}

const std::vector<std::string>* PrefsDictionary::findList(std::string_view key) const
{
    auto it = mLists.find(key);
    return it == mLists.end() ? nullptr : &it->second;
}

} // namespace Ravel
