// The text database read from hand-made tables: keys, comments, line breaks, field counting, languages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/data_folder.h"
#include "text/new_text.h"

namespace {

const char* const kTables[] = { "modtext", "text", "messages", "event_text", "province_names", "unit_names",
    "world_names", "provinceimprovement_names", "law_names", "trait_names", "advance_names",
    "provinceeffects_names", "extra_text", "oathbound" };

void WriteTable(const std::string& name, const std::string& contents)
{
    std::filesystem::create_directories(support::gDataFolder + "/config");
    std::ofstream(support::gDataFolder + "/config/" + name + ".csv", std::ios::binary) << contents;
}

// A row with the same text in every column but one, which carries the column number.
std::string Row(const std::string& key, const std::string& text)
{
    std::string row = key + ";";
    for (int column = 0; column < kLanguageCount; ++column)
        row += text + std::to_string(column) + ";";
    return row + "\r\n";
}

class NewTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::remove_all(support::gDataFolder + "/config");
        SetDataPath();
    }
    void TearDown() override { text.DeleteAll(); }
    CNewText text;
};

TEST_F(NewTextTest, KeysIgnoreCaseAndPrefixesAreMissing)
{
    WriteTable("text", Row("LANGUAGE", "English") + Row("Martial", "War"));
    ASSERT_EQ(text.Init(RZ_LANGUAGE_0), 1);
    EXPECT_STREQ(text.GetString("language"), "English0");
    EXPECT_STREQ(text.GetString("MARTIAL"), "War0");
    EXPECT_STREQ(text.GetString("LANG"), "UNKNOWN STRING WANTED\n");
    EXPECT_STREQ(text.GetString("LANGUAGES"), "UNKNOWN STRING WANTED\n");
}

TEST_F(NewTextTest, CommentsShortKeysEndMarkAndLineBreaks)
{
    WriteTable("text",
        "#key;comment;\r\n" + Row("X", "one letter") + Row("TWO", "a\\nb\\x") + "#eof;;\r\n"
            + Row("AFTER", "late"));
    ASSERT_EQ(text.Init(RZ_LANGUAGE_0), 1);
    EXPECT_STREQ(text.GetString("TWO"), "a\r\nb\\x0");
    EXPECT_STREQ(text.GetString("X"), kUnknownString);
    EXPECT_STREQ(text.GetString("#key"), kUnknownString);
    EXPECT_STREQ(text.GetString("AFTER"), kUnknownString);
}

TEST_F(NewTextTest, ShortRowTakesItsFieldsFromTheNextRow)
{
    // SHORT has three texts; the next seven fields come from the row of NEXT, whose rest is then skipped.
    WriteTable("text", "SHORT;s0;s1;s2\r\n" + Row("NEXT", "n") + Row("LAST", "l"));
    ASSERT_EQ(text.Init(static_cast<RZLanguageType>(4)), 1);
    EXPECT_STREQ(text.GetString("SHORT"), "n0");
    EXPECT_STREQ(text.GetString("NEXT"), kUnknownString);
    EXPECT_STREQ(text.GetString("LAST"), "l4");
}

TEST_F(NewTextTest, LanguageSwitchReloadsEveryTable)
{
    for (const char* table : kTables)
        WriteTable(table, Row(std::string("KEY_") + table, table));
    ASSERT_EQ(text.Init(RZ_LANGUAGE_0), 1);
    EXPECT_STREQ(text.GetString("KEY_oathbound"), "oathbound0");
    // A text handed out before the switch stays readable (ASan checks the read) until DeleteAll.
    const char* before = text.GetString("KEY_text");
    ASSERT_EQ(text.Init(static_cast<RZLanguageType>(7)), 1);
    EXPECT_STREQ(before, "text0");
    for (const char* table : kTables)
        EXPECT_EQ(
            std::string(text.GetString((std::string("KEY_") + table).c_str())), table + std::string("7"));
}

TEST_F(NewTextTest, BadTablesAreHandled)
{
    // No tables at all: every key is missing, which is not an error.
    ASSERT_EQ(text.Init(RZ_LANGUAGE_0), 1);
    EXPECT_STREQ(text.GetString("ANY"), kUnknownString);

    // An overlong text or key is cut, a key given twice keeps one text and frees the other.
    WriteTable("text",
        Row("LONG", std::string(10000, 'x')) + Row(std::string(300, 'K'), "cut key") + Row("TWICE", "first")
            + Row("twice", "second"));
    ASSERT_EQ(text.Init(RZ_LANGUAGE_0), 1);
    EXPECT_EQ(std::string(text.GetString("LONG")).size(), 8191u);
    EXPECT_STREQ(text.GetString(std::string(255, 'K').c_str()), "cut key0");
    EXPECT_NE(text.GetString("TWICE"), kUnknownString);

    // A key with a space stops the load with a located failure the start-up reports.
    WriteTable("messages", Row("BAD KEY", "x"));
    testing::internal::CaptureStderr();
    EXPECT_EQ(text.Init(RZ_LANGUAGE_0), 0);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("ERROR in language file, token 'BAD KEY'"), std::string::npos) << report;
    EXPECT_NE(report.find("config\\messages.csv, row 1"), std::string::npos) << report;
}

} // namespace
