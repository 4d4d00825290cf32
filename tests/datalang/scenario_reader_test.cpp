// The scenario and saved-game reader: dispatch object by object, the name lookup, name and header only,
// includes and the link steps, and every bad input ending in a reported failure with nothing left behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datalang/game_file.h"
#include "datalang/scenario_parser.h"
#include "text/new_text.h"

#include "support/game_folder.h"

#include "foundation/safeguards.h"

namespace {

::testing::Environment* const kFolder = ::testing::AddGlobalTestEnvironment(new GameFolder);

std::vector<int> Values(const std::vector<Fields>& objects)
{
    std::vector<int> values;
    for (const Fields& fields : objects)
        values.push_back(fields.empty() ? -1 : fields.back().second);
    return values;
}

std::vector<CRZID> Units(const CList<CRZID>& group)
{
    std::vector<CRZID> units;
    for (CList<CRZID>::Iterator it = group.GetHead(); !it.IsEnd(); it++)
        units.push_back(*it);
    return units;
}

const char* const kScenario = R"(# a small scenario with one object of every kind
name = "Test Realms"
header = { gold = 1 }
globaldata = { gold = 2 }
province = { id = 3 gold = 4 }
province = { id = 1003 gold = 5 }
relations = { gold = 6 }
character = { birthdate = { year = 1080 month = march day = 4 } gold = 7 }
character = { birthdate = { year = 1100 month = january day = 1 } gold = 8 }
character = { birthdate = { year = 1100 month = january day = 0 } gold = 9 }
title = { tag = FRA gold = 10 }
dynasty = { gold = 11 }
dynasty = { gold = 12 }
country = { tag = FRA gold = 13 }
country = { tag = ENG gold = 14 }
country = CAS
event = "db\events\crusades.txt"
interface = {
    mouse = { x = 1 y = 2 } mapmode = 3 map = { x = 40 y = 50 } zoom = 2 tutorial = 3
    group1 = { id = { type = 4712 id = 5 } id = { type = 4712 id = 6 } }
    group0 = { id = { type = 4712 id = 5 } }
}
combat = { province = 3 gold = 15 }
)";

TEST(ScenarioReader, DispatchesEveryTopLevelObjectToItsReader)
{
    GameFolder::Write("scenario.txt", kScenario);
    CRZDynamicObject unit(DynamicID(CRZID(4712, 5)));
    FakeScenarioWorld world;
    char message[1024] = "";
    ASSERT_TRUE(LoadGameFile("scenario.txt", world, message, sizeof message)) << message;

    EXPECT_EQ(world.scenarioName, "Test Realms");
    EXPECT_EQ(world.header, (Fields { { 106, 1 } }));
    EXPECT_EQ(world.global, (Fields { { 106, 2 } }));
    ASSERT_EQ(world.provinces.size(), 2u);
    EXPECT_EQ(world.provinces[3], (Fields { { 106, 4 } }));
    EXPECT_EQ(world.provinces[1003], (Fields { { 106, 5 } }));
    EXPECT_EQ(world.relations, (Fields { { 106, 6 } }));
    // Today is 1 January 1100 (day 0): the one born a day later is not added.
    ASSERT_EQ(world.characters.size(), 2u);
    EXPECT_EQ(world.characters[0].fields, (Fields { { 106, 7 } }));
    EXPECT_EQ(world.characters[0].birth, CDate(4, 2, 1080));
    EXPECT_EQ(world.characters[1].fields, (Fields { { 106, 9 } }));
    EXPECT_EQ(world.charactersDestroyed, 1);
    EXPECT_EQ(world.titles[1], (Fields { { 106, 10 } }));
    EXPECT_EQ(Values(world.dynasties), (std::vector<int> { 11, 12 }));
    // A country without a block is passed over, but still moves the loading bar.
    ASSERT_EQ(world.countries.size(), 2u);
    EXPECT_EQ(world.countries[1], (Fields { { 106, 13 } }));
    EXPECT_EQ(world.countries[2], (Fields { { 106, 14 } }));
    EXPECT_EQ(world.loadingBarSteps, 3);
    EXPECT_EQ(world.eventFiles, (std::vector<std::string> { "db\\events\\crusades.txt" }));
    EXPECT_EQ(world.focus, CPoint(40, 50));
    EXPECT_EQ(world.zoom, 2);
    EXPECT_EQ(world.tutorialRemoved, 3);
    // Only units that exist join a group; "group0" is the tenth group.
    EXPECT_EQ(Units(world.groups[0]), (std::vector<CRZID> { CRZID(4712, 5) }));
    EXPECT_EQ(Units(world.groups[9]), (std::vector<CRZID> { CRZID(4712, 5) }));
    EXPECT_EQ(world.combats[3].size(), 1u);

    // The link steps ran once, at the first dynasty: after the titles, before the countries.
    EXPECT_EQ(world.titleLinks, 1);
    EXPECT_EQ(world.childLinks, 1);
    EXPECT_EQ(world.titlesAtLink, 1);
    EXPECT_EQ(world.countriesAtLink, 0);
    EXPECT_EQ(world.refreshes, 1);
    // Music and the network before each of the 18 objects and before the read that found the end.
    EXPECT_EQ(world.serviced, 19);
    EXPECT_EQ(world.discards, 0);
}

TEST(ScenarioReader, NameIsLocalisedWhenItsKeyExistsAndNameOrHeaderReadsOnlyThat)
{
    static char localised[] = "The Realms of the West";
    TextStrings.Add("SCEN_WEST", localised);
    GameFolder::Write("named.txt", "name = SCEN_WEST\nheader = { gold = 1 }\ncountry = { tag = FRA }\n");
    GameFolder::Write("raw.txt", "name = SCEN_NOT_A_KEY\n");

    FakeScenarioWorld world;
    {
        CRZScenarioParser parser("named.txt", "r", world);
        EXPECT_EQ(parser.ParseOnlyName(), 0);
        EXPECT_STREQ(parser.szScenarioName, "The Realms of the West");
    }
    EXPECT_EQ(world.scenarioName, "The Realms of the West");
    EXPECT_TRUE(world.header.empty());
    {
        CRZScenarioParser parser("named.txt", "r", world);
        EXPECT_EQ(parser.ParseOnlyHeader(), 0);
    }
    EXPECT_EQ(world.header, (Fields { { 106, 1 } }));
    EXPECT_TRUE(world.countries.empty());
    EXPECT_EQ(world.refreshes, 0);
    {
        CRZScenarioParser parser("raw.txt", "r", world);
        parser.ParseOnlyName();
    }
    EXPECT_EQ(world.scenarioName, "SCEN_NOT_A_KEY");
}

TEST(ScenarioReader, IncludesAreReadInPlaceEachToItsEndWithLinksOncePerFile)
{
    GameFolder::Write(
        "top.txt", "include = \"inc\\second.txt\"\ndynasty = { gold = 1 }\ndynasty = { gold = 2 }\n");
    mkdir(GameFolder::Path("inc").c_str(), 0755);
    GameFolder::Write("inc/second.txt", "include = \"inc\\third.txt\"\ndynasty = { gold = 3 }\n");
    GameFolder::Write("inc/third.txt", "province = { id = 7 gold = 0 }\ndynasty = { gold = 4 }\n");

    FakeScenarioWorld world;
    char message[1024] = "";
    ASSERT_TRUE(LoadGameFile("top.txt", world, message, sizeof message)) << message;
    EXPECT_EQ(Values(world.dynasties), (std::vector<int> { 4, 3, 1, 2 }));
    EXPECT_EQ(world.provinces.count(7), 1u);
    EXPECT_EQ(world.titleLinks, 3);
    EXPECT_EQ(world.childLinks, 3);
    EXPECT_EQ(world.refreshes, 3);
}

struct BadInput {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files; // the first is loaded
    const char* report;
};

std::string Chain(int from, int to)
{
    return from == to ? "" : "include = \"chain" + std::to_string(from + 1) + ".txt\"\n";
}

TEST(ScenarioReader, EveryBadInputIsAReportedFailureThatLeavesNothingBehind)
{
    const std::string good = "name = \"x\"\nprovince = { id = 3 gold = 1 }\ncharacter = { gold = 2 }\n"
                             "country = { tag = FRA gold = 3 }\n";
    std::vector<BadInput> cases = {
        { "unknown country tag", { { "bad.txt", good + "country = { tag = XYZ gold = 1 }\n" } },
            "(unknown tag) 'tag = XYZ' Line = 5 file = bad.txt" },
        { "unknown title tag", { { "bad.txt", good + "title = { tag = QQQ }\n" } },
            "(unknown tag) 'tag = QQQ'" },
        { "country without its tag first", { { "bad.txt", "country = { gold = 1 tag = FRA }\n" } },
            "(tag HAS to be first in country)" },
        { "title without its tag first", { { "bad.txt", "title = { gold = 1 }\n" } },
            "(tag HAS to be first in title)" },
        { "province 1004", { { "bad.txt", good + "province = { id = 1004 }\n" } },
            "(illegal province id) 'id = 1004'" },
        { "negative province", { { "bad.txt", "province = { id = -1 }\n" } }, "(illegal province id)" },
        { "province id that is a word", { { "bad.txt", "province = { id = paris gold = 1 }\n" } },
            "(illegal province id)" },
        { "province without its id first", { { "bad.txt", "province = { gold = 3 id = 4 }\n" } },
            "(id HAS to be first in province)" },
        { "illegal top-level object", { { "bad.txt", good + "bogus = 3\n" } },
            "(Illegal top level object) 'bogus = 3' Line = 6" },
        { "a keyword that is no top-level object", { { "bad.txt", "gold = 3\n" } },
            "(Illegal top level object)" },
        { "missing closing brace", { { "bad.txt", good + "country = { tag = ENG gold = 1\n" } },
            "missing) 'gold = 1' Line = 6 file = bad.txt" },
        { "missing opening brace", { { "bad.txt", good + "globaldata = 5\n" } }, "(No left curly)" },
        { "stray closing brace", { { "bad.txt", good + "}\n" } }, "where a top-level object should begin" },
        { "statement without \"=\"", { { "bad.txt", good + "province { id = 3 }\n" } },
            "(got a parsing error)" },
        { "battle that cannot be made", { { "bad.txt", good + "combat = { gold = 1 }\n" } },
            "(got a parsing error)" },
        { "unit group entry that is no id", { { "bad.txt", "interface = { group1 = { gold = 1 } }\n" } },
            "(not id field in unitlist)" },
        { "unknown interface data", { { "bad.txt", "interface = { gold = 1 }\n" } },
            "(unknown interface data)" },
        { "missing include file", { { "bad.txt", good + "include = \"nothere.txt\"\n" } },
            "(include file not found) 'include = nothere.txt' Line = 5" },
        { "file that includes itself", { { "bad.txt", good + "include = \"bad.txt\"\n" } },
            "(include cycle)" },
        { "include cycle",
            { { "bad.txt", good + "include = \"cycle_a.txt\"\n" },
                { "cycle_a.txt", "include = \"cycle_b.txt\"\n" },
                { "cycle_b.txt", "include = \"CYCLE_A.TXT\"\n" } },
            "(include cycle) 'include = CYCLE_A.TXT' Line = 1 file = cycle_b.txt" },
        { "error inside an included file",
            { { "bad.txt", good + "include = \"inner.txt\"\n" },
                { "inner.txt", "\n\ntitle = { tag = QQQ }\n" } },
            "Line = 3 file = inner.txt" },
        { "missing file", { { "absent.txt", "" } }, "Couldn't open file:absent.txt" },
    };
    BadInput deep { "includes nested too deeply", { { "bad.txt", good + Chain(0, 40) } },
        "(includes nested too deeply)" };
    for (int link = 1; link < 40; ++link)
        deep.files.emplace_back("chain" + std::to_string(link) + ".txt", Chain(link, 40));
    cases.push_back(deep);

    for (const BadInput& bad : cases) {
        SCOPED_TRACE(bad.what);
        for (const auto& [name, text] : bad.files)
            if (name != "absent.txt")
                GameFolder::Write(name, text);
        CRZDynamicObject unit(DynamicID(CRZID(4712, 5)));
        FakeScenarioWorld world;
        world.groups[0].Append(CRZID(4712, 5));
        const int descriptors = OpenDescriptorCount();
        char message[1024] = "";

        EXPECT_FALSE(LoadGameFile(bad.files[0].first.c_str(), world, message, sizeof message));
        EXPECT_NE(std::string(message).find(bad.report), std::string::npos) << message;
        EXPECT_EQ(world.discards, 1);
        EXPECT_TRUE(world.IsEmpty());
        EXPECT_EQ(OpenDescriptorCount(), descriptors);
    }
}

} // namespace
