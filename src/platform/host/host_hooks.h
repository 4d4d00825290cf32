// The hooks through which the host runs the game, implemented by the game application (and by tests
// that run the host with hooks of their own), and the game flags that the host reads.
#pragma once

// Start-up may go on when this answers non-zero; 0 is a launch failure and no game runs.
int gameSystemInits();
// The game's whole initialisation; returns when the game is ready for its first frame.
void gameMainEntryPoint();
// One frame; 0 when the game wants to end.
int gameMainTick();
// Once, after the last frame.
void gameMainShutdown();
// From the application's termination.
void gameSystemCleanup();
// 0 from a quit request, 1 from the termination notice; answers 0 to refuse the quit.
int gameQuitRequested(int fromTermination);

// Non-zero while the game plays windowed (written by the game's settings); hiding the application in
// fullscreen play drops to a temporary windowed mode only when this is 0.
extern int gWindowedMode;
