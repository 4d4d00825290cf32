// history.txt and savedebug.txt in the data folder: dated and undated entries, truncation, growth.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "foundation/data_file.h"
#include "foundation/logs.h"
#include "support/data_folder.h"

namespace {

using support::gDataFolder;

std::string Contents(const char* name)
{
    std::ifstream in(gDataFolder + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool gStarted = false;
bool IsStarted()
{
    return gStarted;
}
CDate CurrentDate()
{
    return CDate(1, 3, 1100); // the second day of the fourth month
}

} // namespace

TEST(Logs, HistoryEntriesAreDatedOnlyWhileAGameRuns)
{
    TruncateHistory();
    history("front end %d", 1);
    gHistoryDateSource.IsGameStarted = IsStarted;
    gHistoryDateSource.GetCurrentDate = CurrentDate;
    history("still %s", "front end");
    gStarted = true;
    history("war declared on %s", "ENG");
    EXPECT_EQ(
        Contents("history.txt"), "front end 1\r\nstill front end\r\n1100-03-01 : war declared on ENG\r\n");

    // A new run starts with an empty log.
    TruncateHistory();
    history("second run");
    EXPECT_EQ(Contents("history.txt"), "1100-03-01 : second run\r\n");
    gStarted = false;
    gHistoryDateSource = {};
}

TEST(Logs, SuperdebugAppendsAsFormatted)
{
    const std::string before = Contents("savedebug.txt");
    superdebug("saving %d", 3);
    superdebug(" done\n");
    EXPECT_EQ(Contents("savedebug.txt"), before + "saving 3 done\n");
}

TEST(Logs, SilentChannelsWriteNothing)
{
    SetDataPath();
    const auto count = [] {
        return std::distance(
            std::filesystem::directory_iterator(gDataFolder), std::filesystem::directory_iterator {});
    };
    const auto before = count();
    mydebug("%s %d", "x", 1);
    netlog("%s", "y");
    ASSERTMSG(0, "%d", 2);
    EXPECT_EQ(count(), before);
}
