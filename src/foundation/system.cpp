// The system-information object over the platform's memory status.
#include "foundation/system.h"

#include "platform/win/win32.h"

#include "foundation/safeguards.h"

CSystem* gpSystem = nullptr;

namespace {

Windows::MEMORYSTATUS Status()
{
    Windows::MEMORYSTATUS status {};
    status.dwLength = sizeof status;
    Windows::GlobalMemoryStatus(&status);
    return status;
}

} // namespace

CWindowsSystem::CWindowsSystem()
{
    gpSystem = this;
}

CWindowsSystem::~CWindowsSystem()
{
    for (int i = 0; i < hardDrives && i < kMaxDrives; ++i)
        delete[] hardDriveNames[i];
    for (int i = 0; i < cdromDrives && i < kMaxDrives; ++i)
        delete[] cdromDriveNames[i];
    if (gpSystem == this)
        gpSystem = nullptr;
}

const char* CWindowsSystem::GetHardDriveLetter(int i) const
{
    return i >= 0 && i < hardDrives && i < kMaxDrives ? hardDriveNames[i] : nullptr;
}

const char* CWindowsSystem::GetCDROMDriveLetter(int i) const
{
    return i >= 0 && i < cdromDrives && i < kMaxDrives ? cdromDriveNames[i] : nullptr;
}

std::uint64_t CWindowsSystem::GetFreePhysicalMemory() const
{
    return Status().dwAvailPhys;
}

std::uint64_t CWindowsSystem::GetTotalPhysicalMemory() const
{
    return Status().dwTotalPhys;
}

std::uint64_t CWindowsSystem::GetFreeVirtualMemory() const
{
    return Status().dwAvailVirtual;
}

std::uint64_t CWindowsSystem::GetTotalVirtualMemory() const
{
    return Status().dwTotalVirtual;
}

int CWindowsSystem::GetPercentOfMemoryInUse() const
{
    return static_cast<int>(Status().dwMemoryLoad);
}
