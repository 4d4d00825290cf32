// A game run without a window or sound, as fast as the machine allows: "vellmark --headless --scenario
// NAME [--days N] [--seed N] [--check] [--timing] [--messages] [--save FILE] [--record FILE | --replay
// FILE]". It prints one line, the game date and the state hash, after the message log's lines when asked for
// them; a host's run can be recorded as an event journal and replayed as a client would play it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

struct CHeadlessOptions {
    // A scenario's name ("tiny" stands for "scenarios\tiny.rzg") or a game file's path in the data folder.
    std::string scenario;
    int days = 0;
    std::string save;
    std::string record;
    std::string replay;
    // The game generator's seed for the host's draws.
    uint32_t seed = 1;
    // Checks the world's rules after every day and reports the run's figures on err.
    bool check = false;
    // Reports on err the game days run per second and the slowest single day, for the speed targets.
    bool timing = false;
    // Prints every line of the message log as it comes, "message: DATE : TEXT", before the closing line.
    bool messages = false;
    // Where each day's date and state hash are written, one line a day, by a host and by a replay alike.
    std::string dayHashes;
};

// True when the command line asks for a run without a window.
bool IsHeadlessCommand(int argc, char** argv);
// Reads the command line (the program's name first; "--data PATH" is the program's own and passed over).
// False with the reason for an unknown, repeated or incomplete option, or a missing scenario.
bool ParseHeadlessArguments(int argc, char** argv, CHeadlessOptions& options, std::string& message);

// Loads the game, runs the days (or, with a journal to replay, the journal's events), saves if asked and
// prints "YYYY-MM-DD HASH" to out; every message goes to err. 0 on success; 1 for a scenario or journal
// that cannot be read, a save or journal that cannot be written, or a replay that ends in another state
// than the host it replays.
int RunHeadless(const CHeadlessOptions& options, std::FILE* out, std::FILE* err);

// The tables of start-up that a game reads, without the window, the sound and the interface; the data
// folder must be set. False with the message of the first that fails on err.
bool InitHeadlessTables(std::FILE* err);
void ShutDownHeadlessTables();

// The state of the running game: a 64-bit FNV-1a hash of its save text, written into memory. 0 without a
// game.
uint64_t HashGameState();
