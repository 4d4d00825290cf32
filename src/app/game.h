// CRZGame, the game session, as every subsystem asks about it: host or client, single or multiplayer,
// in a game or in the front end, tutorial or not, and the current and start dates. The queries read only
// process-wide state, so they answer at any time, with or without a session.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "events/event_routing.h"
#include "foundation/calendar_date.h"

class CCharacterServer;
class CScenarioWorld;

// What the queries read of subsystems above the event core; a null hook answers as if that subsystem
// had nothing to say (no session, no front end, no tutorial).
struct CRZGameStateHooks {
    // The number of players in the open multiplayer session; 0 without one.
    int (*GetSessionPlayerCount)() = nullptr;
    // The front end's active flag.
    bool (*IsFrontEndActive)() = nullptr;
    // The tutorial flag of the loaded scenario's information.
    bool (*IsTutorialScenario)() = nullptr;
};
extern CRZGameStateHooks gGameStateHooks;

// The record by which machines and lobby games recognise each other: the build word, the checksum of the
// two tables every machine must share, and the build's name with its NUL. Compared and sent whole, so it
// is zero-filled to its fixed size.
struct CRZGameVersion {
    uint32_t build = 0;
    uint32_t dataChecksum = 0;
    char name[29] = {};
    uint8_t pad[3] = {};
};
static_assert(sizeof(CRZGameVersion) == 40);
static_assert(offsetof(CRZGameVersion, dataChecksum) == 4 && offsetof(CRZGameVersion, name) == 8);
inline constexpr uint32_t kGameBuildWord = 20060217;
inline constexpr char kGameVersionName[] = "VL: Oathbound - 2.0 Mac Port";
static_assert(sizeof kGameVersionName == sizeof CRZGameVersion::name);

// Every whole little-endian 32-bit word w of the data file, in order, folded as s = w + ((s << 1) | w)
// modulo 2^32 from s = 0; a trailing part word is ignored. 0 for a file that does not open.
uint32_t get_file_checksum(const char* name);

// A save name as the player typed it, made safe to be a file name in the save folder: path separators,
// "..", control characters and the characters the session's file names never hold ('+', '?', '*') are
// left out. Cut to the buffer; an empty result becomes "save".
void SanitizeSaveName(const char* text, char* out, std::size_t size);
// The data path "<folder>\<name>.rzg" of a game file under a name the player typed or was offered: the
// name made safe as above and cut so that the folder and the extension always fit the buffer. A buffer
// too small for the folder and the extension gets "".
void MakeGameFilePath(const char* folder, const char* name, char* out, std::size_t size);

// The game session: one scenario or saved game built into the world, from the moment the front end closes
// until the game ends. The constructor builds the world and the destructor tears it down; a file that
// cannot be read leaves no world behind and its message in GetLoadError. The global gpGame holds the one
// session; the game-state queries below are static and answer with or without it.
class CRZGame {
public:
    CRZGame(const char* fileName, int seed);
    ~CRZGame();
    CRZGame(const CRZGame&) = delete;
    CRZGame& operator=(const CRZGame&) = delete;

    // Builds the world and reads the file into it. False when the file could not be read: the half-built
    // world is torn down again and the reader's message kept for GetLoadError.
    bool Init();
    // Reads the file into the built world, then checks and repairs it; false with the message on a parse
    // error anywhere in the file or the files it includes.
    bool Load(const char* fileName);
    // Tears the world down; safe to run twice.
    int Cleanup();
    bool ReLoad(const char* fileName);
    // Copies the text into the file name, leaving out every '+', '?' and '*'; cut to 255 characters.
    void SetFileName(const char* text);
    const char* GetFileName() const { return fileName; }
    // Writes the whole game to the file so that the previous save survives any failure, and the options
    // file beside it (the name with ".cfg") only once the save is complete. 1 on success; 0 with the
    // reason in GetSaveError.
    int SaveAs(const char* fileName);
    // A save the player asked for under a name of his own: sanitised, in the save folder, with ".rzg";
    // carried out at the end of the frame.
    void RequestSave(const char* playerName);
    void RequestLoad(const char* name);
    // At the end of a frame: a pending save, then a pending load. A failed save is told to the player.
    void PollSaveLoad();
    void ClearGlobalGameVariables();
    // Checks the loaded world and repairs what it can; each finding is kept in GetFindings, in order.
    void CheckIfScenarioValid();
    const std::vector<std::string>& GetFindings() const { return findings; }
    const char* GetLoadError() const { return loadError; }
    const char* GetSaveError() const { return saveError; }
    bool IsLoaded() const { return loaded; }
    // The world the session reads files into and saves from; null while none is built.
    CScenarioWorld* GetWorld() const { return world; }

    // The game-end, game-started and start-the-clock events; every other event is ignored.
    CRZReturnType Update(CRZEvent* event);
    bool IsStarted() const { return started != 0; }
    bool IsTimerHeld() const { return waitingForStart != 0; }
    bool IsGameEnd() const { return gameEnd != 0; }
    // The session as the event routing and the clock reach it.
    CRZGameHandler* GetRoute() { return &route; }

    // Fills _Version from the build and the two shared tables of the data folder.
    static void CalculateVersion();

    // True without a network session, so always in single player.
    static bool IsHost();
    // A session of more than one player; a session of one is still single player.
    static bool IsMultiPlayer();
    // A game is loaded and the front end is not over it.
    static bool InGame();
    static bool InFrontEnd();
    static bool IsTutorial();
    // The game clock's date; the zero date before the clock exists.
    static CDate GetCurrentDate();
    // The start date of the global game state; the zero date before it is made.
    static CDate GetStartDate();

    // 1 from the end of a session's initialisation until its clean-up, 0 otherwise.
    static int _inGame;
    static CRZGameVersion _Version;
    // Makes the world the session reads game files into and saves from, for the game's character
    // registry; the caller owns it. The wiring installs it; unset, no game file can be loaded.
    static CScenarioWorld* (*_pNewWorld)(CCharacterServer& characters);
    // The year whose first day ends the game; the tutorial sets its own.
    static int _nEndYear;

    int seed = 0;
    // 0 while the game runs; the winning country once known.
    int winner = 0;
    int quitting = 0;

private:
    class CRoute : public CRZGameHandler {
    public:
        explicit CRoute(CRZGame& inGame)
            : game(inGame)
        {
        }
        CRZReturnType Update(CRZEvent* event) override { return game.Update(event); }
        bool InGame() const override { return CRZGame::InGame(); }
        bool IsStarted() const override { return game.IsStarted(); }
        bool IsTimerHeld() const override { return game.IsTimerHeld(); }
        void ReleaseTimer() override { game.waitingForStart = 0; }

    private:
        CRZGame& game;
    };

    CRoute route { *this };
    CScenarioWorld* world = nullptr;
    char fileName[256] = {};
    int gameEnd = 0;
    int started = 0;
    int waitingForStart = 0;
    int loadPending = 0;
    int savePending = 0;
    bool loaded = false;
    bool built = false;
    char loadError[1024] = {};
    char saveError[1024] = {};
    std::vector<std::string> findings;
};

// The game session, or null while no game is loaded.
extern CRZGame* gpGame;
