// The generated scenarios load through the scenario reader: name, header, the dates of the globaldata block
// and both included files, in the tiny and the full world.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "datalang/game_file.h"
#include "datalang/game_folder.h"

#include "foundation/safeguards.h"

namespace {

::testing::Environment* const kFolder = ::testing::AddGlobalTestEnvironment(new GameFolder);

// The keyword of "startdate"; its partner "enddate" is the only other date of the block.
constexpr uint32_t kStartDate = 203;

// The fake world keeps only numbers; the generated globaldata holds the start and end dates as blocks.
class DatedWorld : public FakeScenarioWorld {
public:
    CDate start, end;
    int ParseGlobalData(CRZParser& parser) override
    {
        return ReadBlockStatements(parser, [&] {
            if (parser.value.type != TT_OPEN_BRACE)
                parser.ParseError("globaldata: not a date");
            (parser.key.type == kStartDate ? start : end).ParseFields(parser);
            return kReadOn;
        });
    }
};

TEST(DatagenScenario, GeneratedScenariosLoad)
{
    struct Case {
        const char* size;
        const char* file;
        const char* name;
        int endYear;
    } cases[] = {
        { "tiny", "scenarios\\tiny.rzg", "SCENARIO_NAME_TINY", 1070 },
        { "full", "scenarios\\1066.rzg", "SCENARIO_NAME_1066", 1453 },
    };
    for (const Case& c : cases) {
        const std::string command
            = std::string(DATAGEN_PATH) + " --seed 1 --size " + c.size + " '" + GameFolder::Root() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        DatedWorld world;
        char message[1024] = "";
        ASSERT_TRUE(LoadGameFile(c.file, world, message, sizeof message)) << c.file << ": " << message;
        EXPECT_EQ(world.scenarioName, c.name);
        EXPECT_EQ(world.start, CDate(0, 0, 1066)) << c.file;
        EXPECT_EQ(world.end, CDate(0, 0, c.endYear)) << c.file;
        EXPECT_EQ(world.discards, 0) << c.file;
    }
}

} // namespace
