// Fifty game years of the tiny game under the daily check, with the sanitizers of the test build watching:
// relations, stability and bad boy stay in range, controllers and their province lists agree, and no figure
// turns into NaN on any day. It runs for minutes, so it carries a label of its own.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "headless_run.h"

#include "foundation/safeguards.h"

namespace {

testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new CHeadlessFolder);

TEST(LongRun, FiftyYearsOfTheTinyGameKeepEveryDailyRule)
{
    const RunResult run = Headless("--scenario tiny --days 18000 --seed 11 --check");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("check: 18000 days, 0 breaks"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.substr(0, 11), "1116-01-01 ") << run.out;
    // The run's figures stand in the test's log.
    std::printf("%s", run.err.c_str());
}

} // namespace
