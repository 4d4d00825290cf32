// The millisecond counter, the calendar date and sleeping, as the game asks for them through Win32.
#pragma once

#include <cstdint>

#include "platform/win/win_types.h"

namespace Windows {

// Starts the millisecond counter; the host calls it once at launch. Until then the first reading starts it.
// A later call does not restart a running counter, so readings never go backwards.
void initPerformanceCounter();

// Whole milliseconds since the counter started on a monotonic clock (setting the system clock does not
// move it), unsigned 32-bit: it wraps to 0 after about 49.7 days, so differences of readings stay right.
DWORD GetTickCount();

// Added to every reading of GetTickCount; tests start the counter near its wrap with it.
void SetTickCountOffset(std::uint32_t milliseconds);

// The current local calendar date (not universal time); the milliseconds come from a second reading.
void GetSystemTime(SYSTEMTIME* time);

// Gives the processor away for about the given milliseconds; Sleep(0) only yields.
void Sleep(DWORD milliseconds);

} // namespace Windows
