// The data folder generator: the same seed gives the same bytes, the game reads what it writes, and a
// file that cannot be replaced keeps its old bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "data_writer.h"
#include "foundation/excel_parse.h"
#include "platform/elements/replace_file.h"
#include "support/data_folder.h"
#include "support/scratch.h"

namespace fs = std::filesystem;

namespace {

using support::ReadAll;

int Generate(const std::string& seed, const std::string& size, const fs::path& out)
{
    std::string command
        = std::string(DATAGEN_PATH) + " --seed " + seed + " --size " + size + " '" + out.string() + "'";
    return std::system(command.c_str());
}

TEST(Datagen, SameSeedGivesIdenticalFolders)
{
    const fs::path a = support::gDataFolder + "/a", b = support::gDataFolder + "/b";
    ASSERT_EQ(Generate("1", "tiny", a), 0);
    ASSERT_EQ(Generate("1", "tiny", b), 0);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(a)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const fs::path other = b / fs::relative(entry.path(), a);
        ASSERT_TRUE(fs::exists(other)) << other;
        EXPECT_EQ(ReadAll(entry.path()), ReadAll(other)) << entry.path();
    }
    EXPECT_GT(files, 14);
    EXPECT_NE(Generate("1", "huge", a), 0);
}

TEST(Datagen, TheFullWorldIsTheSameEveryTime)
{
    // The build's folder was made from seed 1 in another process, its threads scheduled otherwise.
    const fs::path out = support::gDataFolder + "/again", built = VELLMARK_DATA_DIR;
    ASSERT_EQ(Generate("1", "full", out), 0);
    int files = 0;
    for (const char* folder : { "map", "db" })
        for (const auto& entry : fs::directory_iterator(out / folder)) {
            ++files;
            EXPECT_EQ(ReadAll(entry.path()), ReadAll(built / folder / entry.path().filename()))
                << entry.path();
        }
    EXPECT_GE(files, 6);
    EXPECT_EQ(ReadAll(out / "config" / "world_names.csv"), ReadAll(built / "config" / "world_names.csv"));
}

TEST(Datagen, EveryTextRowHasTenTexts)
{
    const fs::path out = support::gDataFolder + "/rows";
    ASSERT_EQ(Generate("7", "full", out), 0);
    SetDataPath(); // the scratch folder; the tables are read relative to it
    int rows = 0;
    for (const auto& entry : fs::directory_iterator(out / "config")) {
        std::string name = "rows\\config\\" + entry.path().filename().string();
        CExcelParse table(name.c_str());
        char key[256], text[8192];
        while (table.parse_string(key, sizeof key)) {
            if (key[0] == '#') {
                table.skip_rows(1);
                continue;
            }
            for (int i = 0; i < 10; ++i)
                ASSERT_TRUE(table.parse_string(text, sizeof text)) << name << " " << key;
            // The tenth text ends at ';', so the row end follows at once.
            ASSERT_TRUE(table.parse_string(text, sizeof text));
            EXPECT_STREQ(text, "") << name << " " << key;
            ++rows;
        }
    }
    EXPECT_GT(rows, 10);
}

TEST(DataWriter, AFailureAtEachStepOfTheReplaceLeavesTheOldFile)
{
    const support::ScratchDir folder;
    datagen::Context context;
    context.root = folder.path();
    datagen::WriteDataFile(context, "db\\table.csv", "old;bytes\r\n");
    const fs::path file = context.root / "db" / "table.csv";
    ASSERT_EQ(ReadAll(file), "old;bytes\r\n");

    for (Ravel::ReplaceStep step :
        { Ravel::ReplaceStep::kCreate, Ravel::ReplaceStep::kWrite, Ravel::ReplaceStep::kFlush,
            Ravel::ReplaceStep::kSyncFile, Ravel::ReplaceStep::kClose, Ravel::ReplaceStep::kRename }) {
        Ravel::InjectReplaceFailure(step);
        std::string thrown;
        try {
            datagen::WriteDataFile(context, "db\\table.csv", "new;bytes;longer\r\n");
        } catch (const std::runtime_error& error) {
            thrown = error.what();
        }
        Ravel::InjectReplaceFailure(Ravel::ReplaceStep::kNone);
        EXPECT_NE(thrown.find("table.csv"), std::string::npos) << static_cast<int>(step);
        EXPECT_EQ(ReadAll(file), "old;bytes\r\n");
        EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
    }
    datagen::WriteDataFile(context, "db\\table.csv", "new;bytes;longer\r\n");
    EXPECT_EQ(ReadAll(file), "new;bytes;longer\r\n");
}

} // namespace
