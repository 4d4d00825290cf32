// Named loggers take their levels from the preference section "logging"; the assertion logs and goes on.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/elements/logging.h"
#include "platform/elements/os_except.h"
#include "platform/elements/prefs.h"
#include "platform/elements/rv_assert.h"
#include "support/scratch.h"

using Ravel::Logging;
using support::Plist;
using support::ScratchDir;

namespace {

// Points the preferences at a shipped file with the given "logging" entries and no user file.
void UseLogging(const ScratchDir& dir, const std::string& entries)
{
    std::string content = "<key>logging</key><dict>" + entries + "</dict>";
    Ravel::Prefs::GetInstance().setDefaultsFilename(dir.write("defaults.plist", Plist(content)).c_str());
    Ravel::Prefs::GetInstance().setUserFilename((dir.path() + "/no-such-file.plist").c_str());
}

// The lines of printed that mention one of the named loggers.
std::string LinesOf(const std::string& printed, const std::string& a, const std::string& b)
{
    std::istringstream in(printed);
    std::string line, kept;
    while (std::getline(in, line)) {
        if (line.find("[" + a + "]") != std::string::npos || line.find("[" + b + "]") != std::string::npos)
            kept += line + "\n";
    }
    return kept;
}

// "2024-05-01 12:00:00.123 name[42] " as the system log writes it.
bool HasLogPrefix(const std::string& line)
{
    const char* shape = "dddd-dd-dd dd:dd:dd.ddd ";
    std::size_t i = 0;
    for (; shape[i] != '\0'; ++i) {
        if (i >= line.size())
            return false;
        bool digit = line[i] >= '0' && line[i] <= '9';
        if (shape[i] == 'd' ? !digit : line[i] != shape[i])
            return false;
    }
    std::size_t open = line.find('[', i);
    std::size_t close = line.find("] ", i);
    return open != std::string::npos && close != std::string::npos && open > i && close > open + 1
        && line.find_first_not_of("0123456789", open + 1) == close;
}

std::string Entry(const std::string& key, const std::string& value)
{
    return "<key>" + key + "</key><string>" + value + "</string>";
}

} // namespace

TEST(Logging, ShortNameKeepsFileExtensions)
{
    struct Case {
        const char* full;
        const char* shortName;
    } cases[] = {
        { "code.Basics.mm", "Basics.mm" },
        { "code.BasicTexture.cpp", "BasicTexture.cpp" },
        { "com.Ravelstone.assert", "assert" },
        { "CardSettings.info", "info" },
        { "memHashingWatcher.mm", "memHashingWatcher.mm" },
        { "code.prefs.cpp", "prefs.cpp" },
        { "plain", "plain" },
        { "a.b", "a.b" },
    };
    for (const Case& c : cases) {
        char out[64];
        Logging::ShortNameOf(c.full, out, sizeof out);
        EXPECT_STREQ(out, c.shortName) << c.full;
    }
    char tiny[4];
    Logging::ShortNameOf("code.BasicTexture.cpp", tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "Bas");
}

TEST(Logging, LevelsComeFromOwnKeyThenDefaultThenConstructor)
{
    ScratchDir dir;
    std::string entries = Entry("default", "3");
    for (int level = 0; level <= 6; ++level)
        entries += Entry("level" + std::to_string(level) + ".cpp", std::to_string(level));
    UseLogging(dir, entries);

    // Which of debug, info, warning, error, severe each level enables.
    const bool table[7][5] = {
        { false, false, false, false, false },
        { true, true, true, true, true },
        { false, true, true, true, true },
        { false, false, true, true, true },
        { false, false, false, true, true },
        { false, false, false, false, true },
        { false, false, false, false, false },
    };
    const Logging::Level kinds[5]
        = { Logging::kDebug, Logging::kInfo, Logging::kWarning, Logging::kError, Logging::kSevere };
    std::string names[7];
    for (int level = 0; level <= 6; ++level) {
        names[level] = "level" + std::to_string(level) + ".cpp";
        Logging logger("code", names[level].c_str(), Logging::kDebug);
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(logger.isEnabled(kinds[k]), table[level][k]) << "level " << level << " kind " << k;
    }

    Logging fallback("code", "unlisted.cpp", Logging::kDebug);
    EXPECT_FALSE(fallback.isEnabled(Logging::kInfo));
    EXPECT_TRUE(fallback.isEnabled(Logging::kWarning));

    // No "logging" section at all: the level given when the logger was made.
    Ravel::Prefs::GetInstance().setDefaultsFilename(dir.write("empty.plist", Plist("")).c_str());
    Logging perFile("code", "Basics.cpp", Logging::kError);
    Logging card("CardSettings", "info", Logging::kInfo);
    EXPECT_FALSE(perFile.isEnabled(Logging::kWarning));
    EXPECT_TRUE(perFile.isEnabled(Logging::kError));
    EXPECT_FALSE(card.isEnabled(Logging::kDebug));
    EXPECT_TRUE(card.isEnabled(Logging::kInfo));
}

TEST(Logging, UserLevelWinsOverShippedLevel)
{
    ScratchDir dir;
    UseLogging(dir, Entry("chatty.cpp", "4"));
    Ravel::Prefs::GetInstance().setUserFilename(
        dir.write("user.plist", Plist("<key>logging</key><dict>" + Entry("chatty.cpp", "1") + "</dict>"))
            .c_str());
    Logging chatty("code", "chatty.cpp", Logging::kError);
    EXPECT_TRUE(chatty.isEnabled(Logging::kDebug));
}

TEST(Logging, OnlyTheEnabledLoggerPrints)
{
    ScratchDir dir;
    UseLogging(dir, Entry("default", "0") + Entry("one.cpp", "4") + Entry("assert", "4"));
    Logging one("code", "one.cpp", Logging::kDebug);
    Logging two("code", "two.cpp", Logging::kDebug);

    testing::internal::CaptureStderr();
    one.error("from %s", "one");
    one.warn("warning from one");
    two.error("from two");
    std::string printed = testing::internal::GetCapturedStderr();

    std::string lines = LinesOf(printed, "one.cpp", "two.cpp");
    const std::string tail = " ERROR [one.cpp] from one\n";
    ASSERT_GT(lines.size(), tail.size()) << printed;
    EXPECT_EQ(lines.substr(lines.size() - tail.size()), tail) << printed;
    EXPECT_EQ(lines.find('\n'), lines.size() - 1) << "one line only: " << printed;
    EXPECT_TRUE(HasLogPrefix(lines)) << lines;
}

TEST(Logging, LongMessagesAreCutAndTextsAreNeverFormats)
{
    ScratchDir dir;
    UseLogging(dir, Entry("long.cpp", "1"));
    Logging logger("code", "long.cpp", Logging::kError);
    std::string text(5000, 'x');

    testing::internal::CaptureStderr();
    logger.info("%s", text.c_str());
    logger.debug("%s", "100%s %n%d");
    std::string printed = testing::internal::GetCapturedStderr();

    std::size_t start = printed.find("[long.cpp] ");
    ASSERT_NE(start, std::string::npos);
    start += 11;
    std::size_t end = printed.find('\n', start);
    EXPECT_EQ(end - start, 3999u);
    EXPECT_NE(printed.find("DEBUG [long.cpp] 100%s %n%d\n"), std::string::npos) << printed;
}

TEST(Logging, ExceptionsPrintTheirTypeAndText)
{
    ScratchDir dir;
    UseLogging(dir, Entry("except.cpp", "3"));
    Logging logger("code", "except.cpp", Logging::kError);
    Ravel::osExcept failure("QTNewGWorld", -108, "/src/platform/NativeBitmapRender.mm", 108);
    EXPECT_STREQ(failure.what(), "QTNewGWorld (-108) NativeBitmapRender.mm:108");
    EXPECT_STREQ(Ravel::osExcept("pthread_create", 11).what(), "pthread_create (11)");

    testing::internal::CaptureStderr();
    logger.warn(failure);
    logger.error(std::runtime_error("lost"));
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(
        printed.find("WARNING [except.cpp] Ravel::osExcept:QTNewGWorld (-108) NativeBitmapRender.mm:108\n"),
        std::string::npos)
        << printed;
    EXPECT_NE(printed.find("ERROR [except.cpp] std::runtime_error:lost\n"), std::string::npos) << printed;
}

TEST(Logging, FailedAssertionPrintsOneLineAndGoesOn)
{
    int x = 0;
    bool wentOn = false;
    testing::internal::CaptureStderr();
    RV_ASSERT(x != 0);
    wentOn = true;
    RV_ASSERT(x == 0);
    RV_assert_failed("100%s done", "/deep/path/Basics.mm", 42);
    std::string printed = testing::internal::GetCapturedStderr();

    EXPECT_TRUE(wentOn);
    std::string expected = "ERROR [assert] x != 0 (logging_test.cpp:" + std::to_string(__LINE__ - 7) + ")\n";
    EXPECT_NE(printed.find(expected), std::string::npos) << printed;
    EXPECT_EQ(printed.find("x == 0"), std::string::npos);
    EXPECT_NE(printed.find("ERROR [assert] 100%s done (Basics.mm:42)\n"), std::string::npos) << printed;
}
