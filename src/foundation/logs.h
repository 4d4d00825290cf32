// The game's two text logs in the data folder, "history.txt" (dated message log) and "savedebug.txt"
// (diagnostic trace), and the debug channels that are kept in the code but write nothing.
#pragma once

#include <cstdint>

#include "foundation/calendar_date.h"

// The save-debugging switch: callers write their superdebug traces only while it is on.
extern std::int32_t isSuperDebug;

// Where history learns whether a game is running and its date; the game session fills it in.
// While IsGameStarted is unset or answers false, entries carry no date.
struct CHistoryDateSource {
    bool (*IsGameStarted)() = nullptr;
    CDate (*GetCurrentDate)() = nullptr;
};
extern CHistoryDateSource gHistoryDateSource;

// Empties "history.txt"; the game does it once at start, before anything is logged.
void TruncateHistory();

// Appends one entry ending in CR LF to "history.txt", prefixed "year-month-day : " (month and day from 0)
// while a game runs. A log that cannot be opened loses the entry; the next call tries again.
void history(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Appends the text as formatted (no line end added) to "savedebug.txt", which grows across runs.
void superdebug(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Trace channels kept at their call sites; they write nothing and the optimiser removes them.
inline void __attribute__((format(printf, 1, 2))) mydebug(const char*, ...) { }
inline void __attribute__((format(printf, 1, 2))) netlog(const char*, ...) { }
// The computer opponents' decision log (their peace offers).
inline void __attribute__((format(printf, 1, 2))) LogAI(const char*, ...) { }
// Does not even test the condition.
inline void __attribute__((format(printf, 2, 3))) ASSERTMSG(int, const char*, ...) { }
