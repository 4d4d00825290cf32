// Feeds arbitrary bytes to the readers of the province's fixed facts: the first byte picks the table (the
// province table, the terrain table, the spread neighbours, the neighbour table or the bounding boxes) and
// the rest is the file. Each must load or refuse without reading or writing outside its buffers or hanging.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "foundation/data_file.h"
#include "foundation/excel_parse.h"
#include "map/map_province.h"
#include "realms/terrain.h"

#include "foundation/safeguards.h"

namespace {

std::string gFolder;

void Prepare()
{
    static char path[] = "/tmp/fuzz_province_tables_XXXXXX";
    if (!mkdtemp(path))
        std::abort();
    gFolder = path;
    std::filesystem::create_directories(gFolder + "/db");
    std::filesystem::create_directories(gFolder + "/map");
    std::atexit([] { std::filesystem::remove_all(gFolder); });
    // The tables are read by absolute name; the data folder is the working folder, so that making it
    // current moves nothing and libFuzzer still finds its corpus by the relative names it was given.
    static char here[1024];
    if (!getcwd(here, sizeof here))
        std::abort();
    SetDataFolderOverride(here);
    SetDataPath();
    CGameMapProvince::MakeProvinces();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (gFolder.empty())
        Prepare();
    if (size < 1)
        return 0;
    static const char* const kFiles[] = { "db/province.csv", "db/terrain.csv", "db/spreadneighbours.csv",
        "map/adjacent.tbl", "map/boundbox.tbl" };
    const int which = data[0] % 5;
    for (const char* file : kFiles)
        std::filesystem::remove(gFolder + "/" + file);
    std::ofstream(gFolder + "/" + kFiles[which], std::ios::binary)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    const std::string file = gFolder + "/" + kFiles[which];
    switch (which) {
    case 0: {
        auto table = std::make_unique<CExcelParse>(file.c_str());
        CProvince::DataBase = table.get();
        CGameMapProvince::InitProvinces();
        CProvince::DataBase = nullptr;
        for (int n = 0; n < kMapProvinceCount; ++n)
            (void)CProvince::GetProvince(n)->GetLeadingNeighborCount();
        break;
    }
    case 1:
        CTerrain::Init(file.c_str());
        break;
    case 2:
        CProvince::ReadSpreadNeighbours(file.c_str());
        break;
    case 3:
        CGameMapProvince::LoadAdjacencyTable(file.c_str());
        break;
    default:
        CGameMapProvince::LoadBoundBoxes(file.c_str());
    }
    return 0;
}
