// CSystem (gpSystem): what the machine reports of its drives and memory. The game makes it at start-up
// and acts on nothing it says; on this platform there are no drive letters.
#pragma once

#include <cstdint>

class CSystem {
public:
    CSystem() = default;
    virtual ~CSystem() = default;
    CSystem(const CSystem&) = delete;
    CSystem& operator=(const CSystem&) = delete;

    // Drive i from 0 to the count - 1; null outside.
    virtual const char* GetHardDriveLetter(int i) const = 0;
    virtual int GetNumberOfHardDrives() const = 0;
    // Bytes.
    virtual std::int64_t GetFreeHardDriveSpace(int i) const = 0;
    virtual std::int64_t GetTotalHardDriveSpace(int i) const = 0;
    virtual const char* GetCDROMDriveLetter(int i) const = 0;
    virtual int GetNumberOfCDROMDrives() const = 0;
    // Bytes, as the platform's memory status gives them.
    virtual std::uint64_t GetFreePhysicalMemory() const = 0;
    virtual std::uint64_t GetTotalPhysicalMemory() const = 0;
    virtual std::uint64_t GetFreeVirtualMemory() const = 0;
    virtual std::uint64_t GetTotalVirtualMemory() const = 0;
    virtual int GetPercentOfMemoryInUse() const = 0;

protected:
    static constexpr int kMaxDrives = 32;
    std::int32_t hardDrives = 0;
    char* hardDriveNames[kMaxDrives] = {};
    std::int32_t cdromDrives = 0;
    char* cdromDriveNames[kMaxDrives] = {};
};

class CWindowsSystem : public CSystem {
public:
    // Becomes gpSystem.
    CWindowsSystem();
    // Frees the drive names and clears gpSystem.
    ~CWindowsSystem() override;

    const char* GetHardDriveLetter(int i) const override;
    int GetNumberOfHardDrives() const override { return hardDrives; }
    std::int64_t GetFreeHardDriveSpace(int) const override { return 0; }
    std::int64_t GetTotalHardDriveSpace(int) const override { return 0; }
    const char* GetCDROMDriveLetter(int i) const override;
    int GetNumberOfCDROMDrives() const override { return cdromDrives; }
    std::uint64_t GetFreePhysicalMemory() const override;
    std::uint64_t GetTotalPhysicalMemory() const override;
    std::uint64_t GetFreeVirtualMemory() const override;
    std::uint64_t GetTotalVirtualMemory() const override;
    int GetPercentOfMemoryInUse() const override;
};

extern CSystem* gpSystem;
