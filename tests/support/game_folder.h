// Test helper: a scratch data folder that becomes the game's data folder for the whole test program, so
// that game paths such as "db\dynasties.txt" and included files resolve inside it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "datalang/parser.h"
#include "foundation/data_file.h"
#include "foundation/identity.h"

#include "datalang/fake_scenario_world.h"

class GameFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        char pattern[] = "/tmp/vellmark_game_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        Root() = pattern;
        // Before the first file is opened, which fixes the data folder for the run.
        SetDataFolderOverride(pattern);
        SetDataPath();
        mkdir((Root() + "/db").c_str(), 0755);
        CRZParser::_pTagToID = FakeTagToID;
        CIdentity::TotalInit(NOID, 0);
    }
    void TearDown() override
    {
        CIdentity::TotalCleanup();
        const std::string command = "rm -rf '" + Root() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    static std::string& Root()
    {
        static std::string root;
        return root;
    }
    // The absolute path of a file in the folder.
    static std::string Path(const std::string& relative) { return Root() + "/" + relative; }
    static void Write(const std::string& relative, const std::string& text)
    {
        std::ofstream out(Path(relative), std::ios::binary | std::ios::trunc);
        out << text;
    }
    static std::string Read(const std::string& relative)
    {
        std::ifstream in(Path(relative), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static bool Exists(const std::string& relative)
    {
        struct stat info { };
        return stat(Path(relative).c_str(), &info) == 0;
    }
};

// Open file descriptors of the process, to show that a failed load or save leaves none behind.
inline int OpenDescriptorCount()
{
    int count = 0;
    for (int fd = 0; fd < 1024; ++fd) {
        struct stat info { };
        if (fstat(fd, &info) == 0)
            ++count;
    }
    return count;
}
