// Every text key the code asks for by literal must be in the generated tables: a player must never
// read "UNKNOWN STRING WANTED".
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/scratch.h"
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

struct KeyScan {
    int files = 0;
    int calls = 0;
    std::vector<std::string> missing; // "KEY in path" for each literal key not generated
};

KeyScan ScanFolder(const std::filesystem::path& root)
{
    std::set<std::string> generated;
    for (const datagen::TextKey& entry : datagen::TextKeys())
        generated.insert(Upper(entry.key));
    KeyScan scan;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h")
            continue;
        ++scan.files;
        for (const std::string& key : LiteralKeys(support::ReadAll(entry.path()))) {
            ++scan.calls;
            if (!generated.count(Upper(key)))
                scan.missing.push_back(key + " in " + entry.path().string());
        }
    }
    return scan;
}

TEST(TextKeys, EveryLiteralKeyOfTheSourcesIsGenerated)
{
    const char* tests = std::getenv("VELLMARK_TEST_SOURCE");
    ASSERT_NE(tests, nullptr);
    std::filesystem::path src = std::filesystem::path(tests).parent_path() / "src";
    ASSERT_TRUE(std::filesystem::is_directory(src)) << src;

    const KeyScan scan = ScanFolder(src);
    // A scan that read nothing would pass whatever the code asks for.
    EXPECT_GT(scan.files, 100);
    EXPECT_GT(scan.calls, 0);
    for (const std::string& miss : scan.missing)
        ADD_FAILURE() << "key " << miss << " is not generated";
    RecordProperty("literal_calls", scan.calls);
}

TEST(TextKeys, AKeyPlantedInANestedSourceIsCaught)
{
    const support::ScratchDir root;
    std::filesystem::create_directories(root.path() + "/gfx/deep");
    root.write("gfx/deep/planted.cpp", "void f() { TextStrings.GetString(\"NO_SUCH_KEY_PLANTED\"); }\n");
    root.write("gfx/known.h",
        "auto s = GetString(TextStrings, \"" + std::string(datagen::TextKeys()[0].key) + "\");\n");
    root.write("gfx/notes.txt", "GetString(\"NOT_A_SOURCE\")\n");
    const KeyScan scan = ScanFolder(root.path());
    EXPECT_EQ(scan.files, 2);
    EXPECT_EQ(scan.calls, 2);
    ASSERT_EQ(scan.missing.size(), 1u);
    EXPECT_EQ(scan.missing[0], "NO_SUCH_KEY_PLANTED in " + root.path() + "/gfx/deep/planted.cpp");
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
