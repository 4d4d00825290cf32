// Every text key the code asks for by literal must be in the generated tables: a player must never
// read "UNKNOWN STRING WANTED".
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "text_keys.h"

namespace {

// The keys of every GetString("KEY") and GetString(database, "KEY") call in the text.
std::vector<std::string> LiteralKeys(const std::string& text)
{
    std::vector<std::string> keys;
    const std::string call = "GetString";
    for (std::size_t at = text.find(call); at != std::string::npos; at = text.find(call, at + 1)) {
        std::size_t i = at + call.size();
        auto skipBlanks = [&] {
            while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
                ++i;
        };
        skipBlanks();
        if (i >= text.size() || text[i] != '(')
            continue;
        ++i;
        skipBlanks();
        if (i < text.size() && (std::isalpha(static_cast<unsigned char>(text[i])) || text[i] == '_')) {
            while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
                ++i;
            skipBlanks();
            if (i >= text.size() || text[i] != ',')
                continue;
            ++i;
            skipBlanks();
        }
        if (i >= text.size() || text[i] != '"')
            continue;
        const std::size_t end = text.find_first_of("\"\\\n", i + 1);
        if (end != std::string::npos && text[end] == '"' && end > i + 1)
            keys.push_back(text.substr(i + 1, end - i - 1));
    }
    return keys;
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

TEST(TextKeys, EveryLiteralKeyOfTheSourcesIsGenerated)
{
    const char* tests = std::getenv("VELLMARK_TEST_SOURCE");
    ASSERT_NE(tests, nullptr);
    std::filesystem::path src = std::filesystem::path(tests).parent_path() / "src";
    ASSERT_TRUE(std::filesystem::is_directory(src)) << src;

    std::set<std::string> generated;
    for (const datagen::TextKey& entry : datagen::TextKeys())
        generated.insert(Upper(entry.key));

    int calls = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h")
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string contents = text.str();
        for (const std::string& key : LiteralKeys(contents)) {
            ++calls;
            EXPECT_TRUE(generated.count(Upper(key)))
                << "key \"" << key << "\" used in " << entry.path() << " is not generated";
        }
    }
    RecordProperty("literal_calls", calls);
}

TEST(TextKeys, ScannerFindsBothCallForms)
{
    const auto keys
        = LiteralKeys("x = TextStrings.GetString( \"INIT_SOUND\" ); GetString(TextStrings, \"A_B\");"
                      " GetString(name); GetString(\"\");");
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0], "INIT_SOUND");
    EXPECT_EQ(keys[1], "A_B");
}

TEST(TextKeys, GeneratedKeysAreWellFormed)
{
    std::set<std::string> seen;
    for (const datagen::TextKey& entry : datagen::TextKeys()) {
        const std::string key = entry.key;
        EXPECT_GT(key.size(), 1u) << key;
        EXPECT_LE(key.size(), 255u) << key;
        EXPECT_EQ(key.find_first_of(" ;#"), std::string::npos) << key;
        EXPECT_EQ(std::string(entry.english).find(';'), std::string::npos) << key;
        EXPECT_TRUE(seen.insert(Upper(key)).second) << "key given twice: " << key;
    }
}

} // namespace
