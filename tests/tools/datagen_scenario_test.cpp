// The generated scenarios read through the scenario reader in the order it needs (characters and titles
// before the dynasty file's first dynasty, which links them, and the realms after it) and hold the people
// and realms the game offers: in the full world every land county held, 300 to 500 realms and 10,000 to
// 20,000 characters; the tiny world's one kept small for tests.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "datalang/game_file.h"
#include "realms/country_tags.h"
#include "support/game_folder.h"
#include "support/generated_data.h"
#include "support/scratch.h"

#include "foundation/safeguards.h"

namespace {

::testing::Environment* const kFolder = ::testing::AddGlobalTestEnvironment(new GameFolder);

// The keyword of "startdate"; its partner "enddate" is the only other date of the block.
constexpr uint32_t kStartDate = 203;
constexpr uint32_t kEndDate = 204;
constexpr uint32_t kHolder = 634;

// Every generated tag: the counties "C%03d" and the built-in realms.
int GeneratedTagToID(const char* tag)
{
    if (std::strlen(tag) == 4 && tag[0] == 'C' && std::isdigit(static_cast<unsigned char>(tag[1])))
        return std::atoi(tag + 1);
    for (int i = 0; i < kBuiltInCountryTagCount; ++i)
        if (std::strcmp(kBuiltInCountryTags[i], tag) == 0)
            return kFirstBuiltInCountry + i;
    return 0;
}

// Takes the rest of a block, nested blocks and lists included, up to its closing "}".
int SkipBlock(CRZParser& parser)
{
    int depth = 1;
    while (parser.GetLexer()->getTok()) {
        const int type = parser.GetLexer()->GetToken().type;
        depth += type == TT_OPEN_BRACE ? 1 : type == TT_CLOSE_BRACE ? -1 : 0;
        if (depth == 0)
            return 0;
    }
    parser.ParseError("end of file inside a block");
}

// Counts what the reader hands over; the scenario's own keys are the records' readers' to check.
class TallyWorld : public FakeScenarioWorld {
public:
    CDate start, end;
    int characters = 0, titlesRead = 0, heldTitles = 0, countriesRead = 0, provincesRead = 0,
        dynastiesRead = 0;
    int titlesBeforeLink = -1, charactersBeforeLink = -1, countriesBeforeLink = -1;

    int ParseGlobalData(CRZParser& parser) override
    {
        return ReadBlockStatements(parser, [&] {
            if (parser.value.type != TT_OPEN_BRACE)
                parser.ParseError("globaldata: not a date");
            // The papacy's and the crusade's blocks are not this tally's concern.
            if (parser.key.type == kStartDate || parser.key.type == kEndDate)
                (parser.key.type == kStartDate ? start : end).ParseFields(parser);
            else
                SkipBlock(parser);
            return kReadOn;
        });
    }
    int ParseProvinceFields(int, CRZParser& parser) override
    {
        ++provincesRead;
        return SkipBlock(parser);
    }
    int ParseTitleFields(int, CRZParser& parser) override
    {
        ++titlesRead;
        return ReadBlockStatements(parser, [&] {
            heldTitles += parser.key.type == kHolder ? 1 : 0;
            return parser.value.type == TT_OPEN_BRACE ? (SkipBlock(parser), kReadOn) : kReadOn;
        });
    }
    int ParseCharacter(CRZParser& parser, CDate& birthDate) override
    {
        birthDate = CDate(0, 0, 1000);
        return SkipBlock(parser);
    }
    void AdmitCharacter(bool keep) override { characters += keep ? 1 : 0; }
    int ParseCountryFields(CRZCountry*, CRZParser& parser) override
    {
        ++countriesRead;
        return SkipBlock(parser);
    }
    int ParseDynasty(CRZParser& parser) override
    {
        ++dynastiesRead;
        return SkipBlock(parser);
    }
    int ParseRelations(CRZParser& parser) override { return SkipBlock(parser); }
    void LinkTitlesClaimsAndCharacters() override
    {
        if (titlesBeforeLink < 0) {
            titlesBeforeLink = titlesRead;
            charactersBeforeLink = characters;
            countriesBeforeLink = countriesRead;
        }
    }
};

TEST(DatagenScenario, GeneratedScenariosReadInTheReadersOrder)
{
    struct Case {
        const char* size;
        const char* file;
        const char* name;
        int endYear;
        int minRealms, maxRealms, minCharacters, maxCharacters;
    } cases[] = {
        { "tiny", "scenarios\\tiny.rzg", "SCENARIO_NAME_TINY", 1070, 1, 100, 50, 1000 },
        { "full", "scenarios\\1066.rzg", "SCENARIO_NAME_1066", 1453, 300, 500, 10000, 20000 },
    };
    CRZParser::_pTagToID = GeneratedTagToID;
    for (const Case& c : cases) {
        ASSERT_TRUE(support::GenerateData(GameFolder::Root(), c.size, 1)) << c.size;
        TallyWorld world;
        char message[1024] = "";
        ASSERT_TRUE(LoadGameFile(c.file, world, message, sizeof message)) << c.file << ": " << message;
        EXPECT_EQ(world.scenarioName, c.name);
        EXPECT_EQ(world.start, CDate(0, 0, 1066)) << c.file;
        EXPECT_EQ(world.end, CDate(0, 0, c.endYear)) << c.file;
        EXPECT_EQ(world.discards, 0) << c.file;
        // Every title written is held, and every land county among them.
        EXPECT_EQ(world.heldTitles, world.titlesRead) << c.file;
        EXPECT_GE(world.provincesRead, 1) << c.file;
        EXPECT_GE(world.titlesRead, world.provincesRead) << c.file;
        // The link steps ran once everything they link was read, before any realm.
        EXPECT_EQ(world.titlesBeforeLink, world.titlesRead) << c.file;
        EXPECT_EQ(world.charactersBeforeLink, world.characters) << c.file;
        EXPECT_EQ(world.countriesBeforeLink, 0) << c.file;
        EXPECT_GE(world.countriesRead, c.minRealms) << c.file;
        EXPECT_LE(world.countriesRead, c.maxRealms) << c.file;
        EXPECT_GE(world.characters, c.minCharacters) << c.file;
        EXPECT_LE(world.characters, c.maxCharacters) << c.file;
        EXPECT_GT(world.dynastiesRead, 0) << c.file;
        EXPECT_EQ(world.eventFiles.size(), 0u) << c.file;
    }
    CRZParser::_pTagToID = FakeTagToID;
}

// Given names come from the culture's syllables: every culture has names of both sexes, and the table
// has the three columns the character server reads.
TEST(DatagenScenario, CharacterNamesCoverEveryCultureAndSex)
{
    ASSERT_TRUE(support::GenerateData(GameFolder::Root(), "tiny", 1));
    const std::string table = support::ReadAll(GameFolder::Root() + "/db/character_names.csv");
    ASSERT_FALSE(table.empty());
    std::set<std::string> seen;
    std::size_t at = table.find('\n') + 1;
    while (at < table.size()) {
        const std::size_t lineEnd = table.find("\r\n", at);
        ASSERT_NE(lineEnd, std::string::npos);
        const std::string line = table.substr(at, lineEnd - at);
        const std::size_t first = line.find(';'), second = line.find(';', first + 1);
        ASSERT_NE(second, std::string::npos) << line;
        EXPECT_GT(second - first, 1u) << line;
        seen.insert(line.substr(0, second));
        at = lineEnd + 2;
    }
    // 49 cultures (none is nobody's) by two sexes.
    EXPECT_EQ(seen.size(), 98u);
}

} // namespace
