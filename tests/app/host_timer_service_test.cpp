// The game clock's timers on the platform host: they fire from the host's poll with the clock's user
// data, and a removed timer never calls back.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/host_timer_service.h"
#include "events/game_clock.h"
#include "platform/host/host_timers.h"
#include "platform/win/win_time.h"

#include "foundation/safeguards.h"

namespace {

int gCalls = 0;
void* gUserData = nullptr;

void Count(CRZLoopTimer*, void* userData)
{
    ++gCalls;
    gUserData = userData;
}

TEST(HostTimerService, FiresFromTheHostsPollUntilRemoved)
{
    CRZTimerService* service = GetHostTimerService();
    ASSERT_NE(service, nullptr);
    EXPECT_EQ(service->Install(nullptr, nullptr, 1, 15), nullptr);

    int data = 0;
    Windows::SetTickCountOffset(0);
    CRZLoopTimer* timer = service->Install(&Count, &data, 1, 15);
    ASSERT_NE(timer, nullptr);
    Windows::SetTickCountOffset(60000); // the host's counter moves on without sleeping
    Ravel::HostTimers::runDue();
    EXPECT_EQ(gCalls, 1);
    EXPECT_EQ(gUserData, &data);

    service->Remove(timer);
    Windows::SetTickCountOffset(120000);
    Ravel::HostTimers::runDue(); // nothing is left to call
    EXPECT_EQ(gCalls, 1);
    service->Remove(nullptr);
    Windows::SetTickCountOffset(0);
}

} // namespace
