// The game's wiring: every hook through which a lower layer reaches an upper one is installed here, in
// layer order, and a game refuses to start while a route it needs is still unset.
#pragma once

#include <span>
#include <string>
#include <vector>

// When a route gets its value.
enum class CRouteSource {
    // InstallGameWiring sets it at program start.
    kWiring,
    // The object that serves it is made when a game is set up (the session, the clock, the world).
    kGame,
    // The subsystem that serves it is not in the game yet: it stays null and no game can start. The
    // subsystem that lands it installs it in InstallGameWiring and moves its row to kWiring.
    kAwaited,
};

// One hook of a lower layer. Every machine replays the host's events, so a route left null does not
// just lose a feature: it silently skips a row of the broadcast on one machine and desyncs the game.
struct CGameRoute {
    const char* name;
    bool (*IsSet)();
    // Sets the hook back to null, as tests of the check need.
    void (*Clear)();
    CRouteSource source;
};

// Every route in layer order: foundation, data language, events, game state, graphics, world.
std::span<const CGameRoute> GetGameRoutes();

// Installs the kWiring routes. Start-up calls it once, before anything is loaded.
void InstallGameWiring();
// The message handler's share: the realms', wars' and armies' news reach it, it finds the player's
// standing and the date's form, and the dialogs take its form of address.
void InstallMessageWiring();

// The names of the unset routes whose source is `upTo` or earlier, in layer order: kWiring asks for what
// start-up must have installed, kAwaited (the default) for every route a game needs.
std::vector<std::string> FindMissingGameRoutes(CRouteSource upTo = CRouteSource::kAwaited);

// Names each missing route on standard error and answers false so the game does not start. Debug (test)
// builds stop the program instead, so a missing route can never pass unnoticed as a desync later.
// Start-up checks its own rows with kWiring right after InstallGameWiring; the game session checks every
// row before a game starts, when the objects of a game have installed theirs.
bool CheckGameRoutes(CRouteSource upTo = CRouteSource::kAwaited);
