// The game session on the full generated scenario: it loads with no finding, saves and loads back to the same
// bytes, keeps the previous save when a save fails and says why, and hands a parse error anywhere back to
// its caller with no half-built world left behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/game.h"
#include "app/headless.h"
#include "app/settings.h"
#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/title.h"
#include "foundation/data_file.h"
#include "platform/elements/replace_file.h"
#include "realms/country.h"
#include "support/generated_data.h"
#include "support/scratch.h"
#include "world/global.h"
#include "world/server.h"

#include "foundation/safeguards.h"

namespace {

// One full generated data folder for the program, the game's tables read from it.
class FullFolder : public testing::Environment {
public:
    void SetUp() override
    {
        Dir() = std::make_unique<support::ScratchDir>();
        // Others than its owner may pass into it: the read-only folder test saves as another user.
        chmod(Root().c_str(), 0755);
        ASSERT_TRUE(support::GenerateData(Root(), "full", 1));
        std::filesystem::create_directories(Root() + "/scenarios/save games");
        SetDataFolderOverride(Root().c_str());
        SetDataPath();
        ASSERT_TRUE(InitHeadlessTables(stderr));
    }
    void TearDown() override
    {
        ShutDownHeadlessTables();
        Dir().reset();
    }
    static std::unique_ptr<support::ScratchDir>& Dir()
    {
        static std::unique_ptr<support::ScratchDir> dir;
        return dir;
    }
    static const std::string& Root() { return Dir()->path(); }
};
testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new FullFolder);

std::string Read(const std::string& name)
{
    return support::ReadAll(FullFolder::Root() + "/" + name);
}

void Write(const std::string& name, const std::string& text)
{
    const std::filesystem::path path = FullFolder::Root() + "/" + name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

bool Exists(const std::string& name)
{
    return std::filesystem::exists(FullFolder::Root() + "/" + name);
}

std::string FirstFinding(const CRZGame& game)
{
    return game.GetFindings().empty() ? "" : game.GetFindings().front();
}

TEST(GameSession, FullScenarioLoadsCleanAndSavesBackToTheSameBytes)
{
    CRZGame game("scenarios\\1066.rzg", 0);
    ASSERT_TRUE(game.IsLoaded()) << game.GetLoadError();
    EXPECT_TRUE(game.GetFindings().empty())
        << game.GetFindings().size() << " findings, first: " << FirstFinding(game);

    // Every realm has a living ruler who holds the realm's own title.
    int realms = 0;
    for (int number = 1; number < static_cast<int>(kCountryTableSlots); ++number) {
        CRZCountry* realm = CRZCountry::GetCountry(number);
        if (realm == nullptr || !CRZCountry::IsRealCountry(number))
            continue;
        ++realms;
        ASSERT_NE(realm->ruler, nullptr) << number;
        EXPECT_TRUE(realm->ruler->IsAlive()) << number;
        EXPECT_EQ(CTitle::GetTitle(number)->GetCurrentHolder(), realm->ruler) << number;
    }
    EXPECT_GE(realms, 300);
    EXPECT_LE(realms, 500);
    ASSERT_NE(gGlobal.characterServer, nullptr);
    EXPECT_GE(gGlobal.characterServer->GetSize(), 10000);
    EXPECT_LE(gGlobal.characterServer->GetSize(), 20000);
    // Requests to the host's servers find the game's server through the routing.
    ASSERT_NE(gpServer, nullptr);
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(StaticID(CHARACTER_SERVER)), gpServer);

    ASSERT_EQ(game.SaveAs("first.rzg"), 1) << game.GetSaveError();
    ASSERT_TRUE(game.ReLoad("first.rzg")) << game.GetLoadError();
    EXPECT_TRUE(game.GetFindings().empty()) << FirstFinding(game);
    ASSERT_EQ(game.SaveAs("second.rzg"), 1) << game.GetSaveError();
    const std::string first = Read("first.rzg");
    EXPECT_GT(first.size(), 1000000u);
    EXPECT_TRUE(first == Read("second.rzg")) << "the save of the loaded save differs";
}

TEST(GameSession, FailedSaveKeepsThePreviousSaveAndTellsWhy)
{
    CRZGame game("scenarios\\1066.rzg", 0);
    ASSERT_TRUE(game.IsLoaded()) << game.GetLoadError();
    CSettings settings;
    gpSettings = &settings;
    settings.Init();

    // A name of the player's own stays inside the save folder, and the options go beside a good save.
    game.RequestSave("../Autumn/1070");
    game.PollSaveLoad();
    const std::string save = "scenarios/save games/Autumn1070.rzg";
    ASSERT_TRUE(Exists(save)) << game.GetSaveError();
    EXPECT_TRUE(Exists(save + ".cfg"));
    const std::string previous = Read(save);

    for (Ravel::ReplaceStep step : { Ravel::ReplaceStep::kCreate, Ravel::ReplaceStep::kWrite,
             Ravel::ReplaceStep::kFlush, Ravel::ReplaceStep::kRename }) {
        std::filesystem::remove(FullFolder::Root() + "/" + save + ".cfg");
        Ravel::InjectReplaceFailure(step);
        game.RequestSave("Autumn1070");
        game.PollSaveLoad();
        Ravel::InjectReplaceFailure(Ravel::ReplaceStep::kNone);
        EXPECT_EQ(Read(save), previous) << static_cast<int>(step);
        EXPECT_FALSE(Exists(save + ".cfg"))
            << "options beside a failed save, step " << static_cast<int>(step);
        EXPECT_NE(std::string(game.GetSaveError()).find("Could not save"), std::string::npos)
            << game.GetSaveError();
    }
    gpSettings = nullptr;

    // A folder that takes no new files, as a player who may not write there meets it.
    Write("locked/game.rzg", "the previous save");
    chmod((FullFolder::Root() + "/locked").c_str(), 0555);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Nobody may write where the folder's mode forbids it; the superuser first becomes nobody.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        const int saved = game.SaveAs("locked\\game.rzg");
        _exit(saved                                                                            ? 1
                : std::string(game.GetSaveError()).find("Could not save") != std::string::npos ? 0
                                                                                               : 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    chmod((FullFolder::Root() + "/locked").c_str(), 0755);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "1: the save claimed success, 2: no reason given, 3: could not drop rights";
    EXPECT_EQ(Read("locked/game.rzg"), "the previous save");
    EXPECT_FALSE(Exists("locked/game.rzg.tmp"));
}

TEST(GameSession, ParseErrorAnywhereComesBackWithItsMessageAndNoWorld)
{
    const std::string scenario = Read("scenarios/1066.rzg");
    const std::size_t firstCharacter = scenario.find("\ncharacter = {");
    const std::size_t lastRealm = scenario.rfind("\ncountry = {");
    ASSERT_NE(firstCharacter, std::string::npos);
    ASSERT_NE(lastRealm, std::string::npos);
    std::string badRealm = scenario;
    badRealm.insert(scenario.find('\n', lastRealm + 14) + 1, "\tnosuchfield = 1\n");
    const struct {
        const char* name;
        std::string text;
        const char* message;
    } cases[] = {
        { "cut.rzg", scenario.substr(0, firstCharacter + 40), "" },
        { "bad_realm.rzg", badRealm, "Country : Unexpected field" },
    };
    for (const auto& c : cases) {
        Write(c.name, c.text);
        // The session's file name leaves out '+', '?' and '*'.
        const std::string typed = std::string("+") + c.name + "?*";
        CRZGame game(typed.c_str(), 0);
        EXPECT_STREQ(game.GetFileName(), c.name);
        EXPECT_FALSE(game.IsLoaded()) << c.name;
        EXPECT_NE(std::string(game.GetLoadError()).find(c.message), std::string::npos) << game.GetLoadError();
        EXPECT_FALSE(std::string(game.GetLoadError()).empty()) << c.name;
        EXPECT_EQ(game.GetWorld(), nullptr) << c.name;
        EXPECT_EQ(gGlobal.characterServer, nullptr) << c.name;
        EXPECT_EQ(CRZCountry::GetCountry(CTitle::kPapalState), nullptr) << c.name;
        EXPECT_EQ(CRZGame::_inGame, 0) << c.name;
    }
    // The next game builds from nothing.
    CRZGame again("scenarios\\1066.rzg", 0);
    EXPECT_TRUE(again.IsLoaded()) << again.GetLoadError();
    EXPECT_TRUE(again.GetFindings().empty()) << FirstFinding(again);
}

} // namespace
