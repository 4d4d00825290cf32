// The data folder and CFile: path resolution with slashes and letter case, the order-mark probe,
// the sticky error flag, line reading with a bound, and the loading hook.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "foundation/data_file.h"
#include "support/data_folder.h"

namespace fs = std::filesystem;
using support::gDataFolder;

namespace {

void Put(const std::string& relative, const std::string& contents)
{
    const fs::path path = fs::path(gDataFolder) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

std::string Resolve(const char* name)
{
    char out[kPathMax + 1];
    return ResolveDataPath(name, out, sizeof out) ? out : "<too long>";
}

int gHookCalls = 0;
int gHookLast = 0;
void LoadingHook(int files)
{
    ++gHookCalls;
    gHookLast = files;
}

} // namespace

TEST(DataFile, ConvertBackslashToSlash)
{
    char path[] = "db\\sub\\province.csv";
    ConvertBackslashToSlash(path);
    EXPECT_STREQ(path, "db/sub/province.csv");
    ConvertBackslashToSlash(nullptr);
}

TEST(DataFile, ResolvesBackslashesAndLetterCase)
{
    Put("gfx/interface/x.bmp", "BM");
    Put("db/province.csv", "1;a\r");
    SetDataPath();
    struct Case {
        const char* name;
        std::string want;
    } cases[] = {
        { "db\\province.csv", "db/province.csv" },
        { "GFX\\Interface\\x.bmp", "gfx/interface/x.bmp" },
        { "Gfx/INTERFACE\\X.BMP", "gfx/interface/x.bmp" },
        { "GFX\\new.bmp", "gfx/new.bmp" }, // a file about to be made keeps its name
        { "None\\A.txt", "None/A.txt" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Resolve(c.name), c.want) << c.name;
    EXPECT_EQ(Resolve((gDataFolder + "/GFX/INTERFACE/x.bmp").c_str()), gDataFolder + "/gfx/interface/x.bmp");
    EXPECT_EQ(Resolve(std::string(2000, 'a').c_str()), "<too long>");
}

TEST(DataFile, OpensGamePathsInTheDataFolder)
{
    Put("db/province.csv", "1;Uppland\r");
    Put("gfx/interface/x.bmp", "BMxy");
    CFile table("db\\province.csv", "rb");
    ASSERT_FALSE(table.ErrorFlag());
    EXPECT_EQ(table.GetSize(), 10);
    char text[11] = {};
    EXPECT_TRUE(table.Read(text, 10, false));
    EXPECT_STREQ(text, "1;Uppland\r");
    char* name = table.GetRealFileName();
    EXPECT_STREQ(name, "db\\province.csv");
    delete[] name;

    CFile bitmap("GFX\\Interface\\x.bmp");
    ASSERT_FALSE(bitmap.ErrorFlag());
    EXPECT_EQ(bitmap.ReadChar(false), 'B');
    char cwd[kPathMax + 1];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(std::string(cwd), gDataFolder);
}

TEST(DataFile, ShortFilesAreValidAndOrderMarksAreSkipped)
{
    Put("empty.txt", "");
    Put("one.txt", "x");
    Put("le.txt",
        std::string("\xFF\xFE"
                    "a\0b\0",
            6));
    Put("be.txt", std::string("\xFE\xFF\0a", 4));
    CFile empty("empty.txt");
    EXPECT_FALSE(empty.ErrorFlag());
    EXPECT_EQ(empty.ReadChar(true), 0);
    CFile one("one.txt");
    EXPECT_FALSE(one.ErrorFlag());
    EXPECT_EQ(one.ReadChar(false), 'x');

    CFile little("le.txt");
    EXPECT_TRUE(little.IsUnicode());
    EXPECT_TRUE(little.IsSwapped());
    EXPECT_EQ(little.ReadChar(false), 'a');
    EXPECT_EQ(little.ReadChar(false), 'b');
    EXPECT_TRUE(little.Reset());
    EXPECT_EQ(little.GetPosition(), 2);
    CFile big("be.txt", "rb");
    EXPECT_TRUE(big.IsUnicode());
    EXPECT_FALSE(big.IsSwapped());
    EXPECT_EQ(big.ReadChar(false), 'a');
    EXPECT_TRUE(one.Reset());
    EXPECT_EQ(one.GetPosition(), 0);
}

TEST(DataFile, ErrorFlagIsStickyUntilReadOnce)
{
    CFile::GlobalFileError = 0;
    CFile missing("db\\nothing_here.csv");
    EXPECT_EQ(missing.GetSize(), 0);
    EXPECT_EQ(CFile::GlobalFileError, 1);
    EXPECT_TRUE(missing.ErrorFlag());
    EXPECT_FALSE(missing.ErrorFlag());
    // Using an object whose opening failed is refused, not a crash.
    char byte;
    EXPECT_FALSE(missing.Read(&byte, 1, false));
    EXPECT_FALSE(missing.SeekStart(0));
    EXPECT_EQ(missing.GetPosition(), -1);
    EXPECT_FALSE(missing.Write("x", 1));

    Put("three.bin", "abc");
    CFile three("three.bin");
    char buffer[8];
    EXPECT_FALSE(three.Read(buffer, 8, true)); // a quiet short read changes nothing
    EXPECT_FALSE(three.ErrorFlag());
    three.Reset();
    EXPECT_FALSE(three.Read(buffer, 8, false));
    EXPECT_FALSE(three.Read(buffer, 1, false)); // nothing works while the flag is up
    EXPECT_TRUE(three.ErrorFlag());
    EXPECT_TRUE(three.Reset());
    EXPECT_TRUE(three.Read(buffer, 3, 1));
    EXPECT_FALSE(three.Read(buffer, 1, -1)); // a negative size is refused
    EXPECT_TRUE(three.ErrorFlag());
}

TEST(DataFile, ReadLineStopsAtLineEndsAndKeepsItsBound)
{
    Put("lines.txt", std::string("ab\r\n") + std::string(100, 'L') + "\nxy");
    CFile file("lines.txt");
    char line[16];
    EXPECT_EQ(file.ReadLine(line, sizeof line), 3);
    EXPECT_STREQ(line, "ab");
    EXPECT_EQ(file.ReadLine(line, sizeof line), 1);
    EXPECT_STREQ(line, "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(file.ReadLine(line, sizeof line), 16);
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(), "Line too long in file lines.txt, cut to 15 characters\n");
    EXPECT_EQ(std::string(line), std::string(15, 'L'));
    EXPECT_EQ(file.ReadLine(line, sizeof line), 3);
    EXPECT_STREQ(line, "xy");
    EXPECT_EQ(file.ReadLine(line, sizeof line), 1);
}

TEST(DataFile, WritingAndSeeking)
{
    {
        CFile out("out\\save.bin", "wb");
        EXPECT_TRUE(out.ErrorFlag()); // the folder does not exist yet
    }
    fs::create_directories(fs::path(gDataFolder) / "out");
    {
        CFile out("OUT\\save.bin", "wb");
        ASSERT_FALSE(out.ErrorFlag());
        EXPECT_EQ(out.GetPosition(), 0); // not probed for an order mark
        EXPECT_TRUE(out.Write("\xFF\xFEhello", 1, 7));
        EXPECT_EQ(out.GetPosition(), 7);
    }
    CFile in("out\\save.bin");
    ASSERT_FALSE(in.ErrorFlag());
    EXPECT_TRUE(in.IsUnicode());
    EXPECT_TRUE(in.SeekEnd(0));
    EXPECT_EQ(in.GetPosition(), 7);
    EXPECT_TRUE(in.SeekStart(3));
    EXPECT_TRUE(in.SeekCurrent(1));
    EXPECT_EQ(in.GetPosition(), 4);
    EXPECT_FALSE(in.SeekCurrent(-100));
    EXPECT_TRUE(in.ErrorFlag());
}

TEST(DataFile, EveryDestructionCountsAndLetsTheLoadingHookRun)
{
    CFile::_pLoadingHook = LoadingHook;
    const int before = CFile::_nFiles;
    {
        CFile missing("never.txt");
    }
    Put("some.txt", "x");
    {
        CFile some("some.txt");
    }
    EXPECT_EQ(CFile::_nFiles, before + 2);
    EXPECT_EQ(gHookCalls, 2);
    EXPECT_EQ(gHookLast, before + 2);
    CFile::_pLoadingHook = nullptr;
}

TEST(DataFile, FindsAndEntersTheDataFolder)
{
    char folder[kPathMax + 1];
    ASSERT_TRUE(FindDataFolder(folder, sizeof folder));
    EXPECT_EQ(std::string(folder), gDataFolder);

    SetDataFolderOverride("");
    setenv("VELLMARK_DATA", "/somewhere/data", 1);
    ASSERT_TRUE(FindDataFolder(folder, sizeof folder));
    EXPECT_STREQ(folder, "/somewhere/data");
    unsetenv("VELLMARK_DATA");
    // Beside the folder that holds the program's bin folder.
    ASSERT_TRUE(FindDataFolder(folder, sizeof folder));
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(fs::path(folder), exe.parent_path().parent_path() / "Vellmark Data Files");
    SetDataFolderOverride(gDataFolder.c_str());

    testing::internal::CaptureStderr();
    EXPECT_FALSE(ChangeToDataFolder("/no/such/Vellmark Data Files"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "Cannot change directory into the data folder: /no/such/Vellmark Data Files\n");
    EXPECT_TRUE(ChangeToDataFolder(gDataFolder.c_str()));
}
