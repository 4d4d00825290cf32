// datagen: writes a complete default "Vellmark Data Files" folder, the same bytes for the same seed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "bitmaps.h"
#include "button_files.h"
#include "country_table.h"
#include "data_writer.h"
#include "definition_files.h"
#include "message_texts.h"
#include "movie_encoder.h"
#include "portrait_files.h"
#include "scenario_files.h"
#include "world_map.h"

#include "foundation/safeguards.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: datagen [--seed N] [--size tiny|full] [--map-png FILE] OUTPUT_FOLDER\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    datagen::Context context;
    const char* output = nullptr;
    const char* mapPng = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            char* end = nullptr;
            context.seed = std::strtoull(argv[++i], &end, 10);
            if (*end != '\0')
                return Usage();
        } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc) {
            std::string size = argv[++i];
            if (size == "tiny")
                context.size = datagen::WorldSize::Tiny;
            else if (size == "full")
                context.size = datagen::WorldSize::Full;
            else
                return Usage();
        } else if (std::strcmp(argv[i], "--map-png") == 0 && i + 1 < argc) {
            mapPng = argv[++i];
        } else if (argv[i][0] == '-' || output) {
            return Usage();
        } else {
            output = argv[i];
        }
    }
    if (!output)
        return Usage();
    context.root = output;
    try {
        const datagen::World world = datagen::GenerateWorld(context);
        datagen::WriteWorldFiles(context, world);
        if (mapPng)
            datagen::WriteWorldPng(world, mapPng, context.size == datagen::WorldSize::Full ? 4 : 1);
        std::vector<datagen::GeneratedText> texts = datagen::WorldTexts(world);
        const std::vector<datagen::GeneratedText> countries = datagen::CountryTexts(world);
        texts.insert(texts.end(), countries.begin(), countries.end());
        const std::vector<datagen::GeneratedText> buttons = datagen::ButtonTexts();
        texts.insert(texts.end(), buttons.begin(), buttons.end());
        const std::vector<datagen::GeneratedText> messages = datagen::MessageSetupTexts();
        texts.insert(texts.end(), messages.begin(), messages.end());
        datagen::WriteTextTables(context, texts);
        datagen::WriteScenarioFiles(context, world);
        datagen::WriteDefinitionFiles(context);
        datagen::WriteCountryTable(context, world);
        datagen::WriteIntroMovies(context);
        datagen::WriteBitmaps(context);
        datagen::WriteButtonFiles(context);
        datagen::WritePortraitFiles(context);
        datagen::WriteArmsFiles(context);
        datagen::WriteSounds(context);
        datagen::WriteFonts(context);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
