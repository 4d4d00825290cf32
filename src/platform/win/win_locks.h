// Win32 critical sections and Multiprocessing Services events: the scheduler, the multiplayer session and
// the lobby guard their shared lists with these, and the DirectPlay emulation signals its player event.
#pragma once

#include "platform/win/win_types.h"

namespace Windows {

// A re-entrant lock, like Win32's: the owning thread may enter again and must leave as often.
// Misuse (a section never initialised, a leave by a thread that does not hold it, deleting a held
// section) is logged as a failed assertion and otherwise ignored.
void InitializeCriticalSection(CRITICAL_SECTION* section);
void EnterCriticalSection(CRITICAL_SECTION* section);
void LeaveCriticalSection(CRITICAL_SECTION* section);
void DeleteCriticalSection(CRITICAL_SECTION* section);

// An event is a word of flags: MPSetEvent adds flags and wakes a waiter, MPWaitForEvent takes them all
// and clears the word. A wait answers kMPTimeoutErr when no flag came within timeout
// (kDurationImmediate: do not wait; kDurationForever: no limit).
OSStatus MPCreateEvent(MPEventID* event);
OSStatus MPDeleteEvent(MPEventID event);
OSStatus MPSetEvent(MPEventID event, MPEventFlags flags);
OSStatus MPWaitForEvent(MPEventID event, MPEventFlags* flags, Duration timeout);

// The local player's event, made and deleted by the multiplayer session and signalled by DirectPlay.
extern MPEventID hPlayerEvent;

} // namespace Windows
