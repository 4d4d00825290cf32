// The test programs' exit status as CTest reads it: a suite whose set-up fails is a failure even though
// GoogleTest prints its cases as skipped, a program that only skipped says so, and a passing one passes.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/test_main.h"

#include "foundation/safeguards.h"

namespace {

// The cases below run only inside the child programs that the checks start.
bool InChild()
{
    return std::getenv("VELLMARK_TEST_MAIN_CHILD") != nullptr;
}

class BrokenSetUp : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (InChild())
            FAIL() << "the suite's set-up failed";
    }
};

TEST_F(BrokenSetUp, CaseAfterFailedSetUp)
{
    if (!InChild())
        GTEST_SKIP() << "run by TestMain.StatusOfEachOutcome";
}

TEST(Outcome, Skips)
{
    GTEST_SKIP() << "run by TestMain.StatusOfEachOutcome";
}

TEST(Outcome, Passes) { }

int StatusOf(const std::string& filter)
{
    const std::string command = "VELLMARK_TEST_MAIN_CHILD=1 /proc/" + std::to_string(getpid())
        + "/exe --gtest_filter=" + filter + " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(TestMain, StatusOfEachOutcome)
{
    if (InChild())
        return;
    EXPECT_EQ(StatusOf("BrokenSetUp.*"), 1);
    EXPECT_EQ(StatusOf("Outcome.Skips"), kTestSkippedStatus);
    EXPECT_EQ(StatusOf("Outcome.*"), 0);
    EXPECT_EQ(StatusOf("TestMain.*"), 0);
}

} // namespace
