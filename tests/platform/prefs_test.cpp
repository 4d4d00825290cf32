// Preferences: the user's value wins, the shipped file comes next, then the caller's default; bad files
// are reported and ignored; paths and data folders.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/elements/filename_utils.h"
#include "platform/elements/prefs.h"
#include "platform/elements/prefs_dictionary.h"
#include "support/scratch.h"

using support::IsDirectory;
using support::Plist;
using support::ScratchDir;

namespace {

const std::string kShipped = Plist("<key>graphics</key><dict>"
                                   "<key>both</key><string>shipped</string>"
                                   "<key>shippedOnly</key><string>from the bundle</string>"
                                   "<key>minusOne</key><string>-1</string>"
                                   "<key>letters</key><string>abc</string>"
                                   "<key>leading</key><string>12abc</string>"
                                   "<key>huge</key><string>99999999999</string>"
                                   "<key>integer</key><integer>3</integer>"
                                   "<key>negative</key><integer>-7</integer>"
                                   "<key>flag</key><true/>"
                                   "<key>nested</key><dict><key>x</key><string>1</string></dict>"
                                   "</dict>"
                                   "<key>dataDirs</key><array><string>~/shipped</string></array>");

const std::string kUser = Plist("<key>graphics</key><dict>"
                                "<key>both</key><string>user</string>"
                                "<key>userOnly</key><string>mine</string>"
                                "</dict>");

class PrefsTest : public testing::Test {
protected:
    void SetUp() override
    {
        prefs.setDefaultsFilename(dir.write("defaults.plist", kShipped).c_str());
        prefs.setUserFilename(dir.write("user.plist", kUser).c_str());
    }

    // The text lookup with a 64-byte buffer; "-" stands for "left untouched".
    std::string Text(const char* key, const char* defaultText, bool useDefaults, int* source)
    {
        char buffer[64] = "-";
        int size = sizeof buffer;
        *source = prefs.get("graphics", key, buffer, &size, defaultText, useDefaults);
        return buffer;
    }

    ScratchDir dir;
    Ravel::Prefs& prefs = Ravel::Prefs::GetInstance();
};

} // namespace

TEST_F(PrefsTest, UserValuesWinThenShippedThenDefault)
{
    struct Case {
        const char* key;
        const char* defaultText;
        bool useDefaults;
        const char* want;
        int source;
    } cases[] = {
        { "both", "dflt", true, "user", 0 },
        { "userOnly", "dflt", false, "mine", 0 },
        { "shippedOnly", "dflt", true, "from the bundle", 1 },
        { "shippedOnly", "dflt", false, "dflt", 1 },
        { "missing", "dflt", true, "dflt", 1 },
        { "missing", nullptr, true, "-", 1 },
        { "nested", "dflt", true, "dflt", 1 },
    };
    for (const Case& c : cases) {
        int source = -1;
        EXPECT_EQ(Text(c.key, c.defaultText, c.useDefaults, &source), c.want) << c.key;
        EXPECT_EQ(source, c.source) << c.key;
    }
}

TEST_F(PrefsTest, TextLookupCutsToTheBufferAndReportsTheFullLength)
{
    char buffer[5];
    int size = sizeof buffer;
    EXPECT_EQ(prefs.get("graphics", "shippedOnly", buffer, &size, nullptr), 1);
    EXPECT_STREQ(buffer, "from");
    EXPECT_EQ(size, 15);

    size = sizeof buffer;
    prefs.get("graphics", "missing", buffer, &size, "a long default");
    EXPECT_STREQ(buffer, "a lo");
    EXPECT_EQ(size, 14);

    // Without a buffer only the length is answered.
    size = 0;
    EXPECT_EQ(prefs.get("graphics", "both", nullptr, &size, nullptr), 0);
    EXPECT_EQ(size, 4);
}

TEST_F(PrefsTest, IntegerLookup)
{
    struct Case {
        const char* key;
        int want;
    } cases[] = {
        { "missing", 17 },
        { "letters", 0 },
        { "minusOne", -1 },
        { "leading", 12 },
        { "huge", INT_MAX },
        { "integer", 3 },
        { "negative", -7 },
        { "flag", 1 },
        { "both", 0 },
    };
    for (const Case& c : cases) {
        int value = 12345;
        prefs.get("graphics", c.key, &value, 17);
        EXPECT_EQ(value, c.want) << c.key;
    }
}

TEST_F(PrefsTest, ListsComeFromTheUserFirst)
{
    EXPECT_EQ(prefs.getList("dataDirs"), std::vector<std::string> { "~/shipped" });
    EXPECT_TRUE(prefs.getList("dataDirs", false).empty());
    prefs.setUserFilename(dir.write("user2.plist",
                                 Plist("<key>dataDirs</key><array><string>a</string>"
                                       "<integer>4</integer><string>b</string></array>"))
                              .c_str());
    EXPECT_EQ(prefs.getList("dataDirs"), (std::vector<std::string> { "a", "b" }));
    EXPECT_TRUE(prefs.getList("nothing").empty());
}

TEST_F(PrefsTest, BrokenFilesGiveTheDefaultsAndAnError)
{
    const std::string shippedHead = kShipped.substr(0, kShipped.size() / 2);
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        { "empty", "" },
        { "truncated", shippedHead },
        { "garbage", std::string("\x01\xff<<plist>>\0\0<dict", 18) },
        { "root array",
            "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>x</string></array></plist>" },
        { "binary", "bplist00\xd1\x01\x02" },
        { "unclosed key", "<plist><dict><key>graphics</key><dict><key>both" },
    };
    for (const Case& c : cases) {
        std::string path = dir.write("broken.plist", c.bytes);
        testing::internal::CaptureStderr();
        prefs.setUserFilename(path.c_str());
        std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_NE(printed.find("ERROR [prefs.cpp] " + path + ": "), std::string::npos)
            << c.name << ": " << printed;

        // The user's file is ignored: the shipped value answers.
        int source = -1;
        EXPECT_EQ(Text("both", "dflt", true, &source), "shipped") << c.name;
        EXPECT_EQ(source, 1);

        prefs.setDefaultsFilename(path.c_str());
        EXPECT_EQ(Text("both", "dflt", true, &source), "dflt") << c.name;
        prefs.setDefaultsFilename(dir.write("defaults.plist", kShipped).c_str());
    }

    // A missing file is no fault and prints nothing.
    testing::internal::CaptureStderr();
    prefs.setUserFilename((dir.path() + "/absent.plist").c_str());
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("ERROR"), std::string::npos);
}

TEST(PrefsDictionary, RefusesOversizedInput)
{
    std::string big(Ravel::PrefsDictionary::kMaxFileSize + 1, ' ');
    Ravel::PrefsDictionary out;
    std::string error;
    EXPECT_FALSE(Ravel::PrefsDictionary::Parse(big.data(), big.size(), out, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(out.empty());
}

TEST(PrefsDictionary, SkipsTextsWithNulBytesAndKeepsTheRest)
{
    // Found by fuzzing: libplist's own text accessor aborts on such a value.
    std::string bytes = Plist("<key>s</key><dict><key>bad</key><string>a" + std::string(1, '\0')
        + "b</string><key>good</key><string>ok</string></dict>"
          "<key>dataDirs</key><array><string>x"
        + std::string(1, '\0') + "</string><string>y</string></array>");
    Ravel::PrefsDictionary out;
    std::string error;
    std::vector<std::string> notes;
    ASSERT_TRUE(Ravel::PrefsDictionary::Parse(bytes.data(), bytes.size(), out, error, &notes)) << error;
    EXPECT_EQ(out.find("s", "bad"), nullptr);
    ASSERT_NE(out.find("s", "good"), nullptr);
    EXPECT_EQ(*out.find("s", "good"), "ok");
    ASSERT_NE(out.findList("dataDirs"), nullptr);
    EXPECT_EQ(*out.findList("dataDirs"), std::vector<std::string> { "y" });
    EXPECT_EQ(notes.size(), 2u);
}

TEST(FilenameUtils, ProgramFoldersEndWithOneSlashAndStay)
{
    std::string resources = Ravel::resourcesPath();
    ASSERT_GE(resources.size(), 2u);
    EXPECT_EQ(resources.back(), '/');
    EXPECT_NE(resources[resources.size() - 2], '/');
    EXPECT_EQ(Ravel::resourcesPath(), Ravel::resourcesPath());
    EXPECT_EQ(resources, Ravel::bundlePath());
    // The shipped preferences lie beside the test programs as beside the game.
    EXPECT_FALSE(IsDirectory(resources + "defaults.plist"));
    Ravel::PrefsDictionary shipped;
    std::string error;
    EXPECT_TRUE(Ravel::PrefsDictionary::Load((resources + "defaults.plist").c_str(), shipped, error))
        << error;
    ASSERT_NE(shipped.find("logging", "default"), nullptr);
    EXPECT_EQ(*shipped.find("logging", "default"), "4");
}

TEST(FilenameUtils, UserDataFolderIsCreatedUnderXdgDataHome)
{
    ScratchDir dir;
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    std::string data = Ravel::userDataPath();
    EXPECT_EQ(data, dir.path() + "/vellmark/");
    EXPECT_TRUE(IsDirectory(data));
    EXPECT_EQ(Ravel::userDataPath(), Ravel::userDataPath());
}

TEST(FilenameUtils, CreatesEveryMissingFolderAndExpandsHome)
{
    ScratchDir dir;
    EXPECT_TRUE(Ravel::CreatePathIfNeeded((dir.path() + "/A/B/C").c_str()));
    EXPECT_TRUE(IsDirectory(dir.path() + "/A/B/C"));
    EXPECT_TRUE(Ravel::CreatePathIfNeeded((dir.path() + "/A/B/C/").c_str()));

    dir.write("file", "x");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Ravel::CreatePathIfNeeded((dir.path() + "/file/D").c_str()));
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("cannot create the folder " + dir.path() + "/file"), std::string::npos) << printed;

    // The data folders that the preferences list, "~" standing for the home folder.
    setenv("HOME", dir.path().c_str(), 1);
    Ravel::Prefs::GetInstance().setDefaultsFilename(
        dir.write("defaults.plist",
               Plist("<key>dataDirs</key><array><string>~/saves</string>"
                     "<string>~/logs/deep</string><string>~notme</string></array>"))
            .c_str());
    Ravel::Prefs::GetInstance().setUserFilename("");
    Ravel::CreateDataDirs();
    EXPECT_TRUE(IsDirectory(dir.path() + "/saves"));
    EXPECT_TRUE(IsDirectory(dir.path() + "/logs/deep"));
}
