// Periodic timers of the host. They fire on the main thread while the host polls for events, never on
// a timer thread of their own, so their callbacks may touch the game window and the game freely.
#pragma once

#include <cstdint>
#include <functional>

namespace Ravel {

class HostTimers {
public:
    using Callback = std::function<void()>;

    // Fires first after firstDelayMs, then every intervalMs (0: at every poll). Answers an id, never 0.
    static int add(std::uint32_t firstDelayMs, std::uint32_t intervalMs, Callback callback);
    // Stops a timer; an unknown id is ignored. A timer may remove itself from its own callback.
    static void remove(int id);
    // Runs every due timer once; the host calls it at every poll.
    static void runDue();
    static bool isActive(int id);
};

} // namespace Ravel
