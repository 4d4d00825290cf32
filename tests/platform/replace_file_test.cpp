// The atomic file replace: a failure at any step before the rename leaves the old file's bytes and no
// temporary file; after the rename the new file is whole.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "platform/elements/replace_file.h"
#include "support/scratch.h"

#include "foundation/safeguards.h"

using Ravel::ReplaceStep;

namespace {

using support::ReadAll;

bool Exists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

bool WriteNew(std::FILE* file)
{
    return std::fputs("new bytes, longer than the old", file) >= 0;
}

struct InjectedFailure {
    explicit InjectedFailure(ReplaceStep step) { Ravel::InjectReplaceFailure(step); }
    ~InjectedFailure() { Ravel::InjectReplaceFailure(ReplaceStep::kNone); }
};

TEST(ReplaceFile, ReplacesAndCreatesWithoutLeavingTheTemporaryFile)
{
    support::ScratchDir dir;
    const std::string path = dir.write("game.txt", "old");
    ReplaceStep step = ReplaceStep::kCreate;
    int error = -1;
    ASSERT_TRUE(Ravel::ReplaceFile(path.c_str(), WriteNew, &step, &error));
    EXPECT_EQ(step, ReplaceStep::kNone);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadAll(path), "new bytes, longer than the old");
    EXPECT_FALSE(Exists(path + ".tmp"));

    const std::string fresh = dir.path() + "/fresh.txt";
    ASSERT_TRUE(Ravel::ReplaceFile(fresh.c_str(), WriteNew));
    EXPECT_EQ(ReadAll(fresh), "new bytes, longer than the old");
}

// The unsynced replace still goes through the temporary file: a failing write keeps the old bytes.
TEST(ReplaceFile, TheUnsyncedReplaceIsStillAtomic)
{
    support::ScratchDir dir;
    const std::string path = dir.write("data.txt", "old");
    ASSERT_TRUE(Ravel::ReplaceFileUnsynced(path.c_str(), WriteNew));
    EXPECT_EQ(ReadAll(path), "new bytes, longer than the old");
    EXPECT_FALSE(Exists(path + ".tmp"));
    EXPECT_FALSE(Ravel::ReplaceFileUnsynced(path.c_str(), [](std::FILE* file) {
        std::fputs("half", file);
        return false;
    }));
    EXPECT_EQ(ReadAll(path), "new bytes, longer than the old");
    EXPECT_FALSE(Exists(path + ".tmp"));
}

TEST(ReplaceFile, AFailureBeforeTheRenameLeavesTheOldBytes)
{
    for (ReplaceStep failing : { ReplaceStep::kCreate, ReplaceStep::kWrite, ReplaceStep::kFlush,
             ReplaceStep::kSyncFile, ReplaceStep::kClose, ReplaceStep::kRename }) {
        SCOPED_TRACE(static_cast<int>(failing));
        support::ScratchDir dir;
        const std::string path = dir.write("game.txt", std::string("old\0bytes", 9));
        InjectedFailure injected(failing);
        ReplaceStep step = ReplaceStep::kNone;
        int error = 0;
        EXPECT_FALSE(Ravel::ReplaceFile(path.c_str(), WriteNew, &step, &error));
        EXPECT_EQ(step, failing);
        EXPECT_EQ(error, EIO);
        EXPECT_EQ(ReadAll(path), std::string("old\0bytes", 9));
        EXPECT_FALSE(Exists(path + ".tmp"));
    }
}

TEST(ReplaceFile, AFolderThatCannotBeSyncedStillHoldsTheWholeNewFile)
{
    support::ScratchDir dir;
    const std::string path = dir.write("game.txt", "old");
    InjectedFailure injected(ReplaceStep::kSyncFolder);
    ReplaceStep step = ReplaceStep::kNone;
    int error = 0;
    EXPECT_TRUE(Ravel::ReplaceFile(path.c_str(), WriteNew, &step, &error));
    EXPECT_EQ(step, ReplaceStep::kSyncFolder);
    EXPECT_EQ(error, EIO);
    EXPECT_EQ(ReadAll(path), "new bytes, longer than the old");
}

TEST(ReplaceFile, AWriterThatGivesUpOrAMissingFolderChangesNothing)
{
    support::ScratchDir dir;
    const std::string path = dir.write("game.txt", "old");
    ReplaceStep step = ReplaceStep::kNone;
    int error = -1;
    EXPECT_FALSE(Ravel::ReplaceFile(
        path.c_str(),
        [](std::FILE* file) {
            std::fputs("half", file);
            return false;
        },
        &step, &error));
    EXPECT_EQ(step, ReplaceStep::kWrite);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadAll(path), "old");
    EXPECT_FALSE(Exists(path + ".tmp"));

    const std::string lost = dir.path() + "/no such folder/game.txt";
    EXPECT_FALSE(Ravel::ReplaceFile(lost.c_str(), WriteNew, &step, &error));
    EXPECT_EQ(step, ReplaceStep::kCreate);
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(Ravel::ReplaceFile(nullptr, WriteNew));
}

} // namespace
