// Process entry of the game: chooses the data folder, then hands control to the platform's host.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/headless.h"
#include "app/winmain.h"
#include "foundation/data_file.h"
#include "platform/host/application_main.h"

#include "foundation/safeguards.h"

int main(int argc, char** argv)
{
    // "--data <path>" names the data folder in place of the one beside the program.
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--data") == 0)
            SetDataFolderOverride(argv[i + 1]);
    SetDataPath();
    if (IsHeadlessCommand(argc, argv)) {
        CHeadlessOptions options;
        std::string message;
        if (!ParseHeadlessArguments(argc, argv, options, message)) {
            std::fprintf(stderr,
                "vellmark: %s\nusage: vellmark --headless --scenario NAME [--days N] [--save FILE] "
                "[--record FILE | --replay FILE] [--seed N] [--check] [--day-hashes FILE]\n",
                message.c_str());
            return 2;
        }
        return RunHeadless(options, stdout, stderr);
    }
    SetGameArguments(argc, argv);
    return Ravel::ApplicationMain(argc, argv);
}
