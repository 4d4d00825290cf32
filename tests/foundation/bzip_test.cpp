// CBzip in a scratch data folder: exact round trips around the chunk size, reuse of an up-to-date
// packed file, and failures that leave no partial file and lose nothing.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

#include "foundation/bzip.h"
#include "platform/elements/replace_file.h"
#include "support/data_folder.h"

namespace fs = std::filesystem;

namespace {

class BzipTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(folder / "games");
        fs::create_directories(folder / "games");
    }

    static std::string Noise(size_t size, unsigned seed)
    {
        std::mt19937 random(seed);
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 7 == 0 ? random() : 'a' + random() % 3);
        return bytes;
    }
    static void Write(const fs::path& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Sets a file's modification time, whole seconds from now.
    static void Age(const fs::path& path, int seconds)
    {
        fs::last_write_time(path, fs::file_time_type::clock::now() + std::chrono::seconds(seconds));
    }
    static bool NoPartialFiles()
    {
        for (const auto& entry : fs::directory_iterator(folder / "games")) {
            if (entry.path().extension() == ".tmp")
                return false;
        }
        return true;
    }

    static inline const fs::path folder = support::gDataFolder;
    const fs::path plain = folder / "games" / "save.rzg";
    const fs::path packed = folder / "games" / "save.bz2";
    CBzip bzip;
};

TEST_F(BzipTest, RoundTripsExactlyAroundTheChunkSize)
{
    EXPECT_EQ(9, bzip.GetBlockSize());
    for (size_t size : { 0u, 1u, 4095u, 4096u, 8192u, 1u << 20 }) {
        const std::string bytes = Noise(size, static_cast<unsigned>(size));
        Write(plain, bytes);
        ASSERT_TRUE(bzip.CompressFile("games\\save", false)) << size;
        EXPECT_EQ(bytes, Read(plain)) << "the plain file stays";
        fs::remove(plain);
        ASSERT_TRUE(bzip.DecompressFile("games\\save")) << size;
        EXPECT_EQ(bytes, Read(plain)) << size;
        EXPECT_FALSE(fs::exists(packed)) << "unpacking deletes the packed file";
        EXPECT_TRUE(NoPartialFiles());
    }
}

TEST_F(BzipTest, ReusesANewerPackedFileAndRepacksAStaleOne)
{
    Write(plain, "first");
    Age(plain, -10);
    ASSERT_TRUE(bzip.CompressFile("games\\save", true));
    struct stat before;
    ASSERT_EQ(0, stat(packed.c_str(), &before));
    EXPECT_TRUE(bzip.SameFile("games\\save.bz2", "games\\save.rzg", 120));

    ASSERT_TRUE(bzip.CompressFile("games\\save", true));
    struct stat after;
    ASSERT_EQ(0, stat(packed.c_str(), &after));
    EXPECT_EQ(before.st_ino, after.st_ino) << "nothing was written";
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);

    Write(plain, "second, saved again");
    Age(plain, 10);
    EXPECT_FALSE(bzip.SameFile("games\\save.bz2", "games\\save.rzg", 120));
    ASSERT_TRUE(bzip.CompressFile("games\\save", true));
    fs::remove(plain);
    ASSERT_TRUE(bzip.DecompressFile("games\\save"));
    EXPECT_EQ("second, saved again", Read(plain));
}

TEST_F(BzipTest, SameFileNeedsBothFilesAndAStrictlyNewerPackedOne)
{
    EXPECT_FALSE(bzip.SameFile("games\\save.bz2", "games\\save.rzg", 0));
    Write(plain, "x");
    EXPECT_FALSE(bzip.SameFile("games\\save.bz2", "games\\save.rzg", 0));
    Write(packed, "y");
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(plain, now);
    fs::last_write_time(packed, now);
    EXPECT_FALSE(bzip.SameFile("games\\save.bz2", "games\\save.rzg", 0)) << "the same instant is not newer";
    fs::last_write_time(packed, now + std::chrono::milliseconds(1));
    EXPECT_TRUE(bzip.SameFile("GAMES\\Save.bz2", "games\\SAVE.rzg", 0));
    fs::remove(plain);
    EXPECT_FALSE(bzip.SameFile("games\\save.bz2", "games\\save.rzg", 0));
}

TEST_F(BzipTest, CorruptOrTruncatedPackedFileFailsAndLosesNothing)
{
    const std::string bytes = Noise(1 << 20, 7);
    Write(plain, bytes);
    ASSERT_TRUE(bzip.CompressFile("games\\save", false));
    const std::string whole = Read(packed);
    Write(plain, "the old game file");

    std::string corrupt = whole;
    for (size_t i = corrupt.size() / 2; i < corrupt.size() / 2 + 64; ++i)
        corrupt[i] = static_cast<char>(~corrupt[i]);
    for (const std::string& broken :
        { whole.substr(0, whole.size() / 2), corrupt, std::string("BZh9junk") }) {
        Write(packed, broken);
        testing::internal::CaptureStdout();
        EXPECT_FALSE(bzip.DecompressFile("games\\save"));
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(broken, Read(packed)) << "the packed file is kept";
        EXPECT_EQ("the old game file", Read(plain)) << "no partial plain file";
        EXPECT_TRUE(NoPartialFiles());
    }
}

TEST_F(BzipTest, MissingFilesAreReportedAndCreateNothing)
{
    testing::internal::CaptureStdout();
    EXPECT_FALSE(bzip.DecompressFile("games\\save"));
    std::string report = testing::internal::GetCapturedStdout();
    EXPECT_EQ("can't bz2openstream\n", report);
    EXPECT_FALSE(fs::exists(plain)) << "no empty plain file";

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(bzip.CompressFile("games\\save", true));
    report = testing::internal::GetCapturedStdout();
    const std::string reason = testing::internal::GetCapturedStderr();
    EXPECT_EQ("can't open [games\\save.rzg]\n", report);
    EXPECT_EQ(0u, reason.rfind("reason:", 0)) << reason;
    EXPECT_FALSE(fs::exists(packed));
    EXPECT_TRUE(NoPartialFiles());
}

TEST_F(BzipTest, WriteFailureRemovesThePartialPackedFile)
{
    Write(plain, Noise(1 << 20, 3));
    Write(packed, "packed from an older game"); // must not survive to be sent in place of the new one
    // A file-size limit makes the writes fail part-way, as a full disk would.
    rlimit saved;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16 * 1024;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    testing::internal::CaptureStdout();
    const bool packedOk = bzip.CompressFile("games\\save", false);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    const std::string report = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(packedOk);
    EXPECT_NE(std::string::npos, report.find("can't write [games\\save.bz2]")) << report;
    EXPECT_FALSE(fs::exists(packed));
    EXPECT_TRUE(NoPartialFiles());
    EXPECT_EQ(size_t(1) << 20, fs::file_size(plain));
}

TEST_F(BzipTest, AFailureAtEachStepOfTheReplaceLeavesTheOldPlainFileAndThePackedOne)
{
    Write(plain, Noise(5000, 7));
    ASSERT_TRUE(bzip.CompressFile("games\\save", false));
    const std::string packedBytes = Read(packed);
    Write(plain, "the plain file from before");
    for (Ravel::ReplaceStep step :
        { Ravel::ReplaceStep::kCreate, Ravel::ReplaceStep::kWrite, Ravel::ReplaceStep::kFlush,
            Ravel::ReplaceStep::kSyncFile, Ravel::ReplaceStep::kClose, Ravel::ReplaceStep::kRename }) {
        testing::internal::CaptureStdout();
        Ravel::InjectReplaceFailure(step);
        const bool unpacked = bzip.DecompressFile("games\\save");
        Ravel::InjectReplaceFailure(Ravel::ReplaceStep::kNone);
        testing::internal::GetCapturedStdout();
        EXPECT_FALSE(unpacked) << static_cast<int>(step);
        EXPECT_EQ(Read(plain), "the plain file from before");
        EXPECT_EQ(Read(packed), packedBytes);
        EXPECT_TRUE(NoPartialFiles());
    }
    ASSERT_TRUE(bzip.DecompressFile("games\\save"));
    EXPECT_EQ(Read(plain), Noise(5000, 7));
}

TEST_F(BzipTest, PatchPackedFileNameAppendsTheExtension)
{
    char* name = bzip.PatchPackedFileName("scenarios\\1066");
    EXPECT_STREQ("scenarios\\1066.bz2", name);
    delete[] name;
}

} // namespace
