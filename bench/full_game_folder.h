// One generated full data folder per benchmark run, made the first time a benchmark asks for it, with the
// headless game's tables read from it. A folder that cannot be made ends the run: no figure would mean
// anything.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/headless.h"
#include "foundation/data_file.h"

#include "support/generated_data.h"

inline const std::string& FullGameFolder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/vellmark_bench_XXXXXX";
        if (mkdtemp(pattern) == nullptr || !support::GenerateData(pattern, "full", 1))
            std::abort();
        SetDataFolderOverride(pattern);
        SetDataPath();
        if (!InitHeadlessTables(stderr))
            std::abort();
        return std::string(pattern);
    }();
    return folder;
}
