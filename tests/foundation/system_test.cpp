// The system-information object: it registers itself, has no drives here, and reports the platform's
// memory status.
#include <gtest/gtest.h>

#include "foundation/system.h"

#include "foundation/safeguards.h"

TEST(System, RegistersItselfAndReportsTheMemoryStatus)
{
    EXPECT_EQ(gpSystem, nullptr);
    auto* system = new CWindowsSystem;
    EXPECT_EQ(gpSystem, system);
    EXPECT_EQ(system->GetNumberOfHardDrives(), 0);
    EXPECT_EQ(system->GetNumberOfCDROMDrives(), 0);
    EXPECT_EQ(system->GetHardDriveLetter(0), nullptr);
    EXPECT_EQ(system->GetFreeHardDriveSpace(0), 0);
    EXPECT_EQ(system->GetTotalPhysicalMemory(), 536870912u);
    EXPECT_EQ(system->GetFreePhysicalMemory(), 536870912u);
    EXPECT_EQ(system->GetTotalVirtualMemory(), 0u);
    EXPECT_EQ(system->GetPercentOfMemoryInUse(), 0);
    delete system;
    EXPECT_EQ(gpSystem, nullptr);
}
