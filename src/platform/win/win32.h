// The emulated Win32 interface as the game includes it: types, threads, locks, time, the fixed-answer calls,
// the case-insensitive comparison and the platform's non-fatal assertion.
#pragma once

#include "platform/elements/rv_assert.h"
#include "platform/win/win_locks.h"
#include "platform/win/win_stubs.h"
#include "platform/win/win_threads.h"
#include "platform/win/win_time.h"
#include "platform/win/win_types.h"

// ASCII case-insensitive comparison answering exactly -1, 0 or 1; bytes >= 0x80 are not folded and,
// taken as signed, sort below every ASCII character.
int stricmp(const char* a, const char* b);
