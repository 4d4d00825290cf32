// The fatal-message capture that every test of bad input shares.
#include "support/fatal_message.h"

#include <gtest/gtest.h>

#include "foundation/fatal_error.h"

#include "foundation/safeguards.h"

namespace support {

std::string FatalMessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (int code) {
        EXPECT_EQ(code, -1) << "a fatal error throws -1";
        return GetAssertMessage();
    }
    return "";
}

} // namespace support
