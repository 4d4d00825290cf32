// The fatal-error path keeps its whole message within its buffer and throws -1; _Err reports and returns.
#include "foundation/fatal_error.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

int ThrownBy(const std::string& message)
{
    try {
        _AssertRelease("%s", message.c_str());
    } catch (int value) {
        return value;
    }
    return 0;
}

TEST(AssertRelease, KeepsAMessageThatFitsAndThrowsMinusOne)
{
    std::string fits(kAssertMessageSize - 1, 'a');
    EXPECT_EQ(ThrownBy(fits), -1);
    EXPECT_EQ(std::string(GetAssertMessage()), fits);

    try {
        _AssertRelease("Couldn't open file:%s\n", "db\\laws.txt");
    } catch (int value) {
        EXPECT_EQ(value, -1);
    }
    EXPECT_STREQ(GetAssertMessage(), "Couldn't open file:db\\laws.txt\n");
}

TEST(AssertRelease, CutsALongerMessageAtTheBuffer)
{
    std::string tooLong(3 * kAssertMessageSize, 'b');
    EXPECT_EQ(ThrownBy(tooLong), -1);
    EXPECT_EQ(std::strlen(GetAssertMessage()), kAssertMessageSize - 1);
}

TEST(Err, ReportsOnStandardErrorAndReturns)
{
    testing::internal::CaptureStderr();
    _Err("pthread_mutex_lock( &_mutex ) failed.", "lock", "mutex.cpp", 42);
    std::string out = testing::internal::GetCapturedStderr();
    std::string expected
        = "Error: pthread_mutex_lock( &_mutex ) failed.\nIn function lock, file mutex.cpp, line 42\n";
    // The two lines come before whatever the assertion hook adds.
    EXPECT_EQ(out.substr(0, expected.size()), expected);
}

} // namespace
