// The saved-game writer: the exact text and section order, the interface section by kind of game, a save
// that reads back and saves again byte for byte, and saves that fail without harming the previous one.
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "datalang/game_file.h"
#include "datalang/scenario_parser.h"
#include "foundation/logs.h"
#include "platform/elements/replace_file.h"

#include "support/game_folder.h"

#include "foundation/safeguards.h"

namespace {

::testing::Environment* const kFolder = ::testing::AddGlobalTestEnvironment(new GameFolder);

std::string SavedText(FakeScenarioWorld& world, bool* saved = nullptr)
{
    char message[512] = "";
    const bool ok = SaveGameFile("written.txt", world, message, sizeof message);
    if (saved)
        *saved = ok;
    EXPECT_TRUE(ok) << message;
    return GameFolder::Read("written.txt");
}

void MakeSmall(FakeScenarioWorld& world)
{
    world.scenarioName = "Mini";
    world.header = { { 106, 1 } };
    world.global = { { 106, 2 } };
    world.focus = CPoint(3, 4);
    world.zoom = 1;
}

const std::string kHead
    = "name = \"Mini\" header = { gold = 1 } \n\nglobaldata = { gold = 2 } \n\nrelations = { } "
      "\n\n\ninclude = \"db\\dynasties.txt\"\n\n\n\n\ninclude = \"db\\events.txt\"\n\n\n";

std::string Interface(const std::string& tutorial)
{
    std::string text = "\n\ninterface = { \n    mouse = { x = 11 y = 22 } \n    map = { x = 3 y = 4 } \n"
                       "    zoom = 1 \n"
        + tutorial;
    for (const char* group : { "1", "2", "3", "4", "5", "6", "7", "8", "9", "0" })
        text += std::string("    group") + group + " = { } \n";
    return text + "    } ";
}

TEST(SaveWriter, InterfaceSectionDependsOnTheKindOfGame)
{
    FakeScenarioWorld world;
    MakeSmall(world);
    EXPECT_EQ(SavedText(world), kHead + Interface(""));

    world.tutorial = true;
    world.tutorialRemoved = 2;
    EXPECT_EQ(SavedText(world), kHead + Interface("    tutorial = 2 \n"));

    // A multiplayer save leaves the interface out; its battles follow the events include directly.
    world.multiPlayer = true;
    world.combats[5] = { { { 388, 5 }, { 106, 9 } } };
    EXPECT_EQ(SavedText(world), kHead + "\n\ncombat = { province = 5 gold = 9 } ");
}

TEST(SaveWriter, QuotesInTheNameAndTheSaveTraceInItsOrder)
{
    FakeScenarioWorld world;
    MakeSmall(world);
    world.scenarioName = "The \"Great\" War";
    std::remove(GameFolder::Path("savedebug.txt").c_str());
    isSuperDebug = 1;
    const std::string text = SavedText(world);
    isSuperDebug = 0;
    EXPECT_EQ(text.substr(0, 25), "name = \"The 'Great' War\" ");
    EXPECT_EQ(GameFolder::Read("savedebug.txt"),
        "Saving: Name Written\nSaving: Header Written\nSaving: Globaldata Written\nSaving: Provinces "
        "Written\n"
        "Saving: Relations Written\nSaving: Characters Written\nSaving: Titles Written\n"
        "Saving: Countries Written\nSaving: Combats Written");
}

// The first word of every line that starts at the margin: the save's sections, in order.
std::vector<std::string> Sections(const std::string& text)
{
    std::vector<std::string> sections;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (!line.empty() && line[0] != ' ')
            sections.push_back(line.substr(0, line.find(' ')));
        start = end + 1;
    }
    return sections;
}

// A world with something in every section, its unit registered.
void MakeFull(FakeScenarioWorld& world)
{
    MakeSmall(world);
    world.relations = { { 106, 3 } };
    world.provinces[0] = { { 106, 4 } };
    world.provinces[1003] = { { 106, 5 }, { 167, 6 } };
    world.characters.push_back({ CDate(4, 2, 1080), { { 106, 7 } } });
    world.characters.push_back({ CDate(0, 0, 1090), { { 106, 8 }, { 167, 9 }, { 157, 10 } } });
    world.titles[2] = { { 106, 11 } };
    world.countries[1] = { { 106, 12 } };
    world.countries[3] = { { 106, 13 }, { 167, 14 }, { 157, 15 }, { 106, 16 } };
    world.combats[1003] = { { { 388, 1003 }, { 106, 17 } }, { { 388, 1003 }, { 106, 18 } } };
    world.groups[0].Append(CRZID(4712, 5));
    world.groups[9].Append(CRZID(4712, 5));
}

TEST(SaveWriter, SectionsComeInTheOrderTheReaderNeeds)
{
    FakeScenarioWorld world;
    MakeFull(world);
    const std::string text = SavedText(world);
    EXPECT_EQ(Sections(text),
        (std::vector<std::string> { "name", "globaldata", "province", "province", "relations", "character",
            "character", "title", "include", "country", "country", "include", "interface", "combat",
            "combat" }));
    EXPECT_NE(text.find("province = { id = 0 gold = 4 } "), std::string::npos);
    EXPECT_NE(text.find("title = { tag = ENG gold = 11 } "), std::string::npos);
    EXPECT_NE(text.find("    group1 = { id = { type = 4712 id = 5 } } \n"), std::string::npos);
}

TEST(SaveWriter, SaveLoadSaveGivesTheSameBytes)
{
    GameFolder::Write("db/dynasties.txt", "dynasty = { gold = 1 }\n");
    GameFolder::Write("db/events.txt", "event = \"db\\events\\crusades.txt\"\n");
    CRZDynamicObject unit(DynamicID(CRZID(4712, 5)));
    FakeScenarioWorld first;
    MakeFull(first);
    const std::string saved = SavedText(first);

    FakeScenarioWorld second;
    char message[1024] = "";
    ASSERT_TRUE(LoadGameFile("written.txt", second, message, sizeof message)) << message;
    EXPECT_EQ(second.scenarioName, "Mini");
    EXPECT_EQ(second.focus, CPoint(3, 4));
    EXPECT_EQ(second.zoom, 1);
    EXPECT_EQ(second.groups[9].GetSize(), 1);
    EXPECT_EQ(second.dynasties.size(), 1u);
    EXPECT_EQ(second.eventFiles.size(), 1u);
    // The included dynasty file links what the save has read before it: titles yes, countries not yet.
    EXPECT_EQ(second.titlesAtLink, 1);
    EXPECT_EQ(second.countriesAtLink, 0);
    EXPECT_EQ(SavedText(second), saved);
}

// Makes the save larger than the file-size limit of the full-disk case.
void MakeLarge(FakeScenarioWorld& world)
{
    MakeSmall(world);
    for (int number = 0; number < 400; ++number)
        world.provinces[number] = { { 106, number } };
}

class FailedSave : public ::testing::Test {
protected:
    const std::string previous = "name = \"the previous save\"\n";

    void ExpectPreviousKept(const std::string& relative)
    {
        EXPECT_EQ(GameFolder::Read(relative), previous);
        EXPECT_FALSE(GameFolder::Exists(relative + ".tmp"));
    }
};

TEST_F(FailedSave, FullDiskLeavesThePreviousSaveAsItWas)
{
    GameFolder::Write("full.txt", previous);
    FakeScenarioWorld world;
    MakeLarge(world);
    char message[512] = "";

    // The file-size limit fails writes the way a full disk does, and works without privileges.
    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const int descriptors = OpenDescriptorCount();
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = SaveGameFile("full.txt", world, message, sizeof message);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_NE(std::string(message).find("Could not save full.txt: the file could not be written"),
        std::string::npos)
        << message;
    ExpectPreviousKept("full.txt");
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

TEST_F(FailedSave, ReadOnlyFolderLeavesThePreviousSaveAsItWas)
{
    mkdir(GameFolder::Path("locked").c_str(), 0755);
    GameFolder::Write("locked/game.txt", previous);
    chmod(GameFolder::Path("locked").c_str(), 0555);
    FakeScenarioWorld world;
    MakeSmall(world);

    if (geteuid() != 0) {
        char message[512] = "";
        EXPECT_FALSE(SaveGameFile("locked/game.txt", world, message, sizeof message));
        EXPECT_NE(std::string(message).find("could not be created"), std::string::npos) << message;
    } else {
        // Root writes into any folder: the save runs in a child that has given its privileges up.
        chmod(GameFolder::Root().c_str(), 0755);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(2);
            char message[512] = "";
            const bool ok = SaveGameFile("locked/game.txt", world, message, sizeof message);
            _exit(!ok && std::string(message).find("could not be created") != std::string::npos ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 2)
            GTEST_SKIP() << "cannot give root privileges up here";
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    ExpectPreviousKept("locked/game.txt");
    chmod(GameFolder::Path("locked").c_str(), 0755);
}

TEST_F(FailedSave, UnwritablePathsAreReportedNotFatal)
{
    FakeScenarioWorld world;
    MakeSmall(world);
    char message[512] = "";
    EXPECT_FALSE(SaveGameFile("no such folder/game.txt", world, message, sizeof message));
    EXPECT_NE(std::string(message).find("Could not save no such folder/game.txt"), std::string::npos)
        << message;

    // A folder where the save should go: the rename fails and the folder stays.
    mkdir(GameFolder::Path("folder.txt").c_str(), 0755);
    EXPECT_FALSE(SaveGameFile("folder.txt", world, message, sizeof message));
    EXPECT_NE(std::string(message).find("could not replace the previous save"), std::string::npos) << message;
    EXPECT_FALSE(GameFolder::Exists("folder.txt.tmp"));
}

TEST_F(FailedSave, AFailureAtEachStepOfTheReplaceLeavesThePreviousSave)
{
    GameFolder::Write("steps.txt", previous);
    FakeScenarioWorld world;
    MakeSmall(world);
    for (Ravel::ReplaceStep step :
        { Ravel::ReplaceStep::kCreate, Ravel::ReplaceStep::kWrite, Ravel::ReplaceStep::kFlush,
            Ravel::ReplaceStep::kSyncFile, Ravel::ReplaceStep::kClose, Ravel::ReplaceStep::kRename }) {
        char message[512] = "";
        Ravel::InjectReplaceFailure(step);
        const bool ok = SaveGameFile("steps.txt", world, message, sizeof message);
        Ravel::InjectReplaceFailure(Ravel::ReplaceStep::kNone);
        EXPECT_FALSE(ok) << static_cast<int>(step);
        EXPECT_NE(
            std::string(message).find("Could not save steps.txt: the file could not"), std::string::npos)
            << message;
        ExpectPreviousKept("steps.txt");
    }
}

TEST_F(FailedSave, ASuccessfulSaveReplacesThePreviousOne)
{
    GameFolder::Write("replaced.txt", previous);
    FakeScenarioWorld world;
    MakeSmall(world);
    char message[512] = "";
    const int descriptors = OpenDescriptorCount();
    ASSERT_TRUE(SaveGameFile("replaced.txt", world, message, sizeof message)) << message;
    EXPECT_EQ(GameFolder::Read("replaced.txt").substr(0, 14), "name = \"Mini\" ");
    EXPECT_FALSE(GameFolder::Exists("replaced.txt.tmp"));
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

} // namespace
