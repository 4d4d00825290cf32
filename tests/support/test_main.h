// The exit status of every test program (see test_main.cpp); CTest's SKIP_RETURN_CODE is the same number.
#pragma once

namespace testing {
class UnitTest;
}

constexpr int kTestSkippedStatus = 77;

// GoogleTest's result, or kTestSkippedStatus when it is 0 and every case that ran was skipped.
int VellmarkTestStatus(int runResult, const testing::UnitTest& unit);
