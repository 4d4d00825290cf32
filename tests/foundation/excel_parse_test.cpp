// CExcelParse over small tables in a scratch data folder: field splitting, row ends, counting and
// rewinding, the typed readers, over-long fields, the end of the file and a missing table.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/excel_parse.h"
#include "support/data_folder.h"

namespace {

class ExcelParseTest : public testing::Test {
protected:
    static void SetUpTestSuite() { std::filesystem::create_directories(folder / "db"); }

    // Writes a table below the data folder; name uses slashes.
    static void Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }

    static std::string Field(CExcelParse& table, bool* ended = nullptr)
    {
        char out[256];
        const bool result = table.parse_string(out, sizeof out);
        if (ended)
            *ended = result;
        return out;
    }

    static inline const std::filesystem::path folder = support::gDataFolder;
};

TEST_F(ExcelParseTest, FieldsSplitAtSemicolonsAndRowsEndAtCarriageReturn)
{
    Write("db/fields.csv", "a;;b\r\nnext;\"x;y\";\r\n");
    CExcelParse table("db\\fields.csv");
    ASSERT_TRUE(table.IsOpen());
    bool ended = false;
    EXPECT_EQ("a", Field(table, &ended));
    EXPECT_TRUE(ended);
    EXPECT_FALSE(table.EndedRow());
    EXPECT_EQ("", Field(table));
    EXPECT_EQ("b", Field(table));
    EXPECT_TRUE(table.EndedRow());
    EXPECT_EQ("next", Field(table)) << "the line feed is dropped";
    EXPECT_FALSE(table.EndedRow());
    EXPECT_EQ("\"x", Field(table)) << "no quoting";
    EXPECT_EQ("y\"", Field(table));
    EXPECT_EQ("", Field(table, &ended)) << "a separator right before the row end";
    EXPECT_TRUE(ended);
    EXPECT_TRUE(table.EndedRow());
    EXPECT_EQ("", Field(table, &ended));
    EXPECT_FALSE(ended) << "end of file";
    EXPECT_TRUE(table.EndedRow()) << "the end of the file ends the row";
}

TEST_F(ExcelParseTest, ReaderSkipsHeadingAndUnneededColumns)
{
    Write("db/province.csv", "Id;Name;Extra\r\n1;Anjou;x;y\r\n2;Maine;z\r\n");
    CExcelParse table("db\\Province.CSV"); // the disk's letter case is found
    ASSERT_TRUE(table.IsOpen());
    EXPECT_EQ(3, table.CountRows());
    ASSERT_TRUE(table.skip_rows(1));
    int id = 0;
    ASSERT_TRUE(table.parse_int(&id));
    EXPECT_EQ(1, id);
    EXPECT_EQ("Anjou", Field(table));
    ASSERT_TRUE(table.skip_rows(1)) << "the row has columns the reader does not need";
    ASSERT_TRUE(table.skip_entries(1));
    EXPECT_EQ("Maine", Field(table));
}

TEST_F(ExcelParseTest, CountRowsCountsCarriageReturnsAndRewinds)
{
    Write("db/five.csv", "h\r\n1\r2\r\n\r\n\rlast without end");
    CExcelParse five("db\\five.csv");
    EXPECT_EQ(5, five.CountRows());
    EXPECT_EQ("h", Field(five)) << "after counting the table reads from the start";
    five.Reset();
    EXPECT_EQ("h", Field(five));

    Write("db/empty.csv", "");
    CExcelParse empty("db\\empty.csv");
    EXPECT_TRUE(empty.IsOpen());
    EXPECT_EQ(0, empty.CountRows());
    EXPECT_FALSE(empty.skip_rows(1));
}

TEST_F(ExcelParseTest, LastRowWithoutCarriageReturnStoresItsFieldAndAnswersFalse)
{
    Write("db/tail.csv", "head\rlast");
    CExcelParse table("db\\tail.csv");
    EXPECT_EQ(1, table.CountRows());
    ASSERT_TRUE(table.skip_rows(1));
    bool ended = true;
    EXPECT_EQ("last", Field(table, &ended));
    EXPECT_FALSE(ended);
    // The table is read once: after its end every reader keeps answering false, Reset included.
    int value = 42;
    EXPECT_FALSE(table.parse_int(&value));
    EXPECT_EQ(42, value);
    table.Reset();
    EXPECT_FALSE(table.skip_entries(1));
    EXPECT_EQ("", Field(table, &ended));
    EXPECT_FALSE(ended);
}

TEST_F(ExcelParseTest, TypedReadersFollowAtoiAndScanfRules)
{
    Write("db/numbers.csv", "12abc; -7;;99999999999;-99999999999;abc;1.5;x;0.1;y\r");
    CExcelParse table("db\\numbers.csv");
    for (int want : { 12, -7, 0, INT_MAX, INT_MIN, 0 }) {
        int value = 1234;
        ASSERT_TRUE(table.parse_int(&value));
        EXPECT_EQ(want, value);
    }
    float f = 0;
    ASSERT_TRUE(table.parse_float(&f));
    EXPECT_EQ(1.5f, f);
    ASSERT_TRUE(table.parse_float(&f));
    EXPECT_EQ(1.5f, f) << "a field without a number leaves the value";
    double d = 0;
    ASSERT_TRUE(table.parse_double(&d));
    EXPECT_EQ(static_cast<double>(0.1f), d);
    EXPECT_NE(0.1, d);
    ASSERT_TRUE(table.parse_double(&d));
    EXPECT_EQ(static_cast<double>(0.1f), d);
    EXPECT_FALSE(table.parse_double(&d));
}

TEST_F(ExcelParseTest, OverLongFieldIsCutAndTheNextFieldStillReads)
{
    const std::string huge(10000, '7');
    Write("db/long.csv", huge + ";after;" + huge + ";tail\r");
    CExcelParse table("db\\long.csv");
    char small[16];
    testing::internal::CaptureStderr();
    ASSERT_TRUE(table.parse_string(small, sizeof small));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::string(15, '7'), small);
    EXPECT_NE(std::string::npos, report.find("db\\long.csv")) << report;
    EXPECT_EQ("after", Field(table));
    int value = 0;
    ASSERT_TRUE(table.parse_int(&value)) << "the numeric readers cut as well";
    EXPECT_EQ(INT_MAX, value);
    EXPECT_EQ("tail", Field(table));
}

TEST_F(ExcelParseTest, MissingTableIsReportedOnceAndReadsAsEmpty)
{
    testing::internal::CaptureStderr();
    CExcelParse table("db\\missing.csv");
    int value = 5;
    char out[8] = "keep";
    EXPECT_FALSE(table.IsOpen());
    EXPECT_EQ(0, table.CountRows());
    EXPECT_FALSE(table.parse_int(&value));
    EXPECT_FALSE(table.parse_string(out, sizeof out));
    EXPECT_FALSE(table.skip_entries(1));
    EXPECT_FALSE(table.skip_rows(1));
    table.Reset();
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(5, value);
    EXPECT_STREQ("", out);
    EXPECT_EQ("Cannot open table db\\missing.csv\n", report);
}

} // namespace
