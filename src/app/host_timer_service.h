// The game clock's timers on the platform host: the game wires them into the clock at start-up.
#pragma once

class CRZTimerService;

// The platform host's timers, run by its event poll between frames; lives as long as the program.
CRZTimerService* GetHostTimerService();
