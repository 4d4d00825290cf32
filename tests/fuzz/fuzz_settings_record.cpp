// libFuzzer target over the reading of the settings record "config.rz": any file gives a record whose
// header is right, whose words lie in their ranges and whose texts end, written back whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/settings.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // libFuzzer names its inputs relative to where it started; the record lies in the data folder.
    static const std::filesystem::path start = std::filesystem::current_path();
    {
        std::ofstream file(support::gDataFolder + "/config.rz", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!file)
            return 0;
    }
    std::filesystem::current_path(support::gDataFolder);
    CSettings settings;
    gpSettings = &settings;
    settings.Init();
    gpSettings = nullptr;
    const auto written = std::filesystem::file_size("config.rz");
    std::filesystem::current_path(start);
    CSettingsRecord copy = settings.Record();
    const CSettingsRecord& record = settings.Record();
    if (written != sizeof(CSettingsRecord) || record.format != 151 || record.size != 1384
        || record.revision != 103 || RepairSettingsRecord(copy, "check") != 0
        || std::memcmp(&copy, &record, sizeof copy) != 0)
        std::abort();
    return 0;
}
