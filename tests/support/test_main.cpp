// The main of every test program. CTest must not read GoogleTest's "[  SKIPPED ]" lines as a skip: a suite
// whose set-up fails prints them for each of its cases. A program says it skipped by its exit status
// instead, 77, and only when no case failed and every case it ran was skipped.
#include <gtest/gtest.h>

#include "support/test_main.h"

#include "foundation/safeguards.h"

int VellmarkTestStatus(int runResult, const testing::UnitTest& unit)
{
    if (runResult == 0 && unit.skipped_test_count() > 0 && unit.successful_test_count() == 0)
        return kTestSkippedStatus;
    return runResult;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    return VellmarkTestStatus(result, *testing::UnitTest::GetInstance());
}
