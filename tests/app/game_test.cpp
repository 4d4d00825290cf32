// The game-state queries: host and multiplayer from the session, in-game against the front end, the
// tutorial flag and both dates, with and without the objects they read; the version record with the
// checksum of the data tables, and the save names a player types.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "app/game.h"
#include "events/event_hooks.h"
#include "events/game_clock.h"
#include "foundation/calendar_date.h"
#include "foundation/data_file.h"
#include "support/scratch.h"

#include "foundation/safeguards.h"

namespace {

class CSessionOf : public CEventSession {
public:
    bool host = true;
    bool open = true;
    bool IsHost() const override { return host; }
    bool IsOpen() const override { return open; }
    void SendEvent(CRZNetEvent*) override { }
};

int gPlayers = 0;
bool gFrontEnd = false;
bool gTutorial = false;

class GameStateTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetEventSession(nullptr);
        gGameStateHooks = CRZGameStateHooks {};
        CRZGame::_inGame = 0;
        delete gpTimer;
        gpTimer = nullptr;
        gDateTickSource.pStartDate = nullptr;
    }
};

TEST_F(GameStateTest, HostAndMultiplayerFollowTheSession)
{
    // Without any session this machine is the host of a single-player game.
    EXPECT_TRUE(CRZGame::IsHost());
    EXPECT_FALSE(CRZGame::IsMultiPlayer());

    gGameStateHooks.GetSessionPlayerCount = [] { return gPlayers; };
    CSessionOf session;
    SetEventSession(&session);
    struct Case {
        bool host;
        bool open;
        int players;
        bool isHost;
        bool multiPlayer;
    };
    const Case cases[] = {
        { true, true, 1, true, false }, // a session of one player is still single player
        { true, true, 2, true, true }, { false, true, 2, false, true }, // a client
        { false, false, 0, true, false }, // a closed session leaves this machine the host
    };
    for (const Case& c : cases) {
        session.host = c.host;
        session.open = c.open;
        gPlayers = c.players;
        EXPECT_EQ(CRZGame::IsHost(), c.isHost) << c.players << " players, host " << c.host;
        EXPECT_EQ(CRZGame::IsMultiPlayer(), c.multiPlayer) << c.players << " players, host " << c.host;
    }
}

TEST_F(GameStateTest, InGameOnlyWithAGameAndNoFrontEnd)
{
    // Before any game is loaded.
    EXPECT_FALSE(CRZGame::InGame());
    EXPECT_FALSE(CRZGame::InFrontEnd());
    gGameStateHooks.IsFrontEndActive = [] { return gFrontEnd; };
    const struct {
        int inGame;
        bool frontEnd;
        bool expected;
    } cases[] = { { 0, true, false }, { 0, false, false }, { 1, true, false }, { 1, false, true } };
    for (const auto& c : cases) {
        CRZGame::_inGame = c.inGame;
        gFrontEnd = c.frontEnd;
        EXPECT_EQ(CRZGame::InFrontEnd(), c.frontEnd);
        EXPECT_EQ(CRZGame::InGame(), c.expected) << "game " << c.inGame << ", front end " << c.frontEnd;
    }
}

TEST_F(GameStateTest, TutorialAndDatesReadTheirOwners)
{
    EXPECT_FALSE(CRZGame::IsTutorial());
    EXPECT_EQ(CRZGame::GetCurrentDate(), CDate());
    EXPECT_EQ(CRZGame::GetStartDate(), CDate());

    gGameStateHooks.IsTutorialScenario = [] { return gTutorial; };
    gTutorial = true;
    EXPECT_TRUE(CRZGame::IsTutorial());
    gTutorial = false;
    EXPECT_FALSE(CRZGame::IsTutorial());

    const CDate start(4, 8, 1066);
    gDateTickSource.pStartDate = &start;
    gpTimer = new CRZTimer(15);
    gpTimer->SetDate(CDate(17, 2, 1100));
    EXPECT_EQ(CRZGame::GetCurrentDate(), CDate(17, 2, 1100));
    EXPECT_EQ(CRZGame::GetStartDate(), start);
}

// The program's data folder: a scratch folder with the two tables the version record sums.
class DataFolder : public testing::Environment {
public:
    void SetUp() override
    {
        Dir() = new support::ScratchDir;
        std::filesystem::create_directory(Dir()->path() + "/db");
        SetDataFolderOverride(Dir()->path().c_str());
        SetDataPath();
    }
    void TearDown() override
    {
        delete Dir();
        Dir() = nullptr;
    }
    static support::ScratchDir*& Dir()
    {
        static support::ScratchDir* dir = nullptr;
        return dir;
    }
    static void Write(const std::string& name, const std::string& bytes) { Dir()->write(name, bytes); }
};
testing::Environment* const kDataFolder = testing::AddGlobalTestEnvironment(new DataFolder);

TEST(GameVersion, FileChecksumFoldsWholeLittleEndianWords)
{
    const struct {
        const char* bytes;
        std::size_t size;
        uint32_t sum;
    } cases[] = {
        { "\x01\x00\x00\x00", 4, 2 },
        // The two bytes after the first word make no word and are ignored.
        { "\x01\x00\x00\x00\x07\x09", 6, 2 },
        // 1 then 2: s = 2, then 2 + ((2 << 1) | 2) = 8.
        { "\x01\x00\x00\x00\x02\x00\x00\x00", 8, 8 },
        // Little-endian: 0x04030201 once gives it twice.
        { "\x01\x02\x03\x04", 4, 0x08060402u },
        // The sum wraps: 0xFFFFFFFF + (0 | 0xFFFFFFFF).
        { "\xFF\xFF\xFF\xFF", 4, 0xFFFFFFFEu },
        { "", 0, 0 },
    };
    for (const auto& c : cases) {
        DataFolder::Write("db/sum.csv", std::string(c.bytes, c.size));
        EXPECT_EQ(get_file_checksum("db\\sum.csv"), c.sum) << c.size << " bytes";
    }
    EXPECT_EQ(get_file_checksum("db\\no such file.csv"), 0u);
}

TEST(GameVersion, RecordHoldsBuildTablesChecksumAndName)
{
    // 0xFFFFFFFE + 2 wraps to 0: the checksum is the two tables' sum modulo 2^32.
    DataFolder::Write("db/province.csv", std::string("\xFF\xFF\xFF\xFF", 4));
    DataFolder::Write("db/country.csv", std::string("\x01\x00\x00\x00", 4));
    std::memset(static_cast<void*>(&CRZGame::_Version), 0x5A, sizeof CRZGame::_Version);
    CRZGame::CalculateVersion();
    EXPECT_EQ(CRZGame::_Version.build, 20060217u);
    EXPECT_EQ(CRZGame::_Version.dataChecksum, 0u);
    EXPECT_EQ(std::string(CRZGame::_Version.name, sizeof CRZGame::_Version.name),
        std::string("VL: Oathbound - 2.0 Mac Port\0", 29));
    for (uint8_t pad : CRZGame::_Version.pad)
        EXPECT_EQ(pad, 0);

    DataFolder::Write("db/country.csv", std::string("\x02\x00\x00\x00", 4));
    CRZGame::CalculateVersion();
    EXPECT_EQ(CRZGame::_Version.dataChecksum, 0xFFFFFFFEu + 4u);
}

TEST(GameVersion, SaveNamesStayInTheSaveFolder)
{
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {
        { "Autumn of 1070", "Autumn of 1070" },
        { "../../settings.cfg", "settings.cfg" },
        { "..\\..\\config", "config" },
        { "a/b\\c:d", "abcd" },
        { "line\nbreak\ttab\x7F", "linebreaktab" },
        { "plus+query?star*", "plusquerystar" },
        { "v1.2 final", "v1.2 final" },
        { "", "save" },
        { "..", "save" },
        { " . ", "save" },
    };
    for (const auto& c : cases) {
        char out[64];
        SanitizeSaveName(c.typed, out, sizeof out);
        EXPECT_STREQ(out, c.kept) << c.typed;
    }
    char small[5];
    SanitizeSaveName("abcdefgh", small, sizeof small);
    EXPECT_STREQ(small, "abcd");
}

TEST(GameVersion, GameFilePathsKeepTheirFolderAndExtensionWhateverTheName)
{
    char path[64];
    MakeGameFilePath("scenarios\\rz2", "..\\..\\config", path, sizeof path);
    EXPECT_STREQ(path, "scenarios\\rz2\\config.rzg");
    // A long name is cut, never the extension.
    MakeGameFilePath("scenarios\\rz2", std::string(200, 'x').c_str(), path, sizeof path);
    EXPECT_EQ(std::string(path), "scenarios\\rz2\\" + std::string(63 - 18, 'x') + ".rzg");
    char tiny[8];
    MakeGameFilePath("scenarios\\rz2", "a", tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "");
}

} // namespace
