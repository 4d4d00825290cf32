// CRZClient (gpClient), this machine's endpoint for BASIC_CLIENT: it applies the host's date events one
// day at a time and handles the session events addressed to it.
#pragma once

#include <cstdint>
#include <memory>

#include "events/record_types.h"
#include "foundation/identity.h"

class CEndBox;

// What the client reaches of the multiplayer session and the local player; null hooks do nothing.
struct CRZClientHooks {
    // The session's answer to a ping carrying a player value.
    void (*HandlePing)(int value) = nullptr;
    // Clears the ready flag of one of the session's player records (0..31).
    void (*ClearPlayerReady)(int player) = nullptr;
    // The local player's realm, for the end-of-game box.
    CRZCountryID (*GetLocalCountry)() = nullptr;
};
extern CRZClientHooks gClientHooks;

// The multiplayer session has this many player records.
inline constexpr int kSessionPlayers = 32;

// How the game ended for this machine, as the last winner event said.
enum : int32_t {
    GAME_END_QUIT = 0,
    GAME_END_ELIMINATED = 1,
    GAME_END_WINNER = 2,
};

class CRZClient : public CIdentity {
public:
    // Takes the identity BASIC_CLIENT, which is not registered.
    CRZClient();
    ~CRZClient() override;
    CRZClient(const CRZClient&) = delete;
    CRZClient& operator=(const CRZClient&) = delete;

    // A date event advances the clock day by day, at most kMaxDaysPerDateEvent days whatever it
    // carries, each day's month, year and day events processed in full before the next day. The
    // dropped-player event answers 3, everything else 0.
    int Update(CRZEvent* event) override;

    int32_t GetGameEndResult() const { return gameEndResult; }
    // The end-of-game box made by the last winner event, owned by the client; null before one.
    CEndBox* GetEndBox() const { return endBox.get(); }

private:
    void AdvanceDays(CRZEvent* event);
    void HandleWinner(CRZEvent* event);

    int32_t gameEndResult = GAME_END_QUIT;
    std::unique_ptr<CEndBox> endBox;
};

// This machine's client; null before start-up.
extern CRZClient* gpClient;
// Deletes the old client and makes a new one, which the routing then delivers to; start-up and every
// new game session call it.
void ReplaceClient();
