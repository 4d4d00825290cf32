// The game program run without a window, "vellmark --headless", on a generated tiny data folder made once
// for the whole test program.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <sys/wait.h>

#include "support/generated_data.h"
#include "support/scratch.h"

class CHeadlessFolder : public testing::Environment {
public:
    void SetUp() override
    {
        Dir() = std::make_unique<support::ScratchDir>();
        ASSERT_TRUE(support::GenerateData(Root() + "/data", "tiny", 1));
    }
    void TearDown() override { Dir().reset(); }
    static std::unique_ptr<support::ScratchDir>& Dir()
    {
        static std::unique_ptr<support::ScratchDir> dir;
        return dir;
    }
    static const std::string& Root() { return Dir()->path(); }
};

struct RunResult {
    int status = -1;
    std::string out, err;
};

// The program on the tiny folder with the given options; files named in them lie in the data folder.
inline RunResult Headless(const std::string& options)
{
    const std::string err = CHeadlessFolder::Root() + "/err.txt";
    const std::string command = std::string(VELLMARK_PATH) + " --data '" + CHeadlessFolder::Root()
        + "/data' --headless " + options + " 2> '" + err + "'";
    RunResult run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = support::ReadAll(err);
    return run;
}

inline std::string Data(const std::string& name)
{
    return CHeadlessFolder::Root() + "/data/" + name;
}
