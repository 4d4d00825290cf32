// The platform's application main function, to which the program's main hands control.
#pragma once

namespace Ravel {

// Initialises SDL and runs the application delegate's launch and game loop. Answers an exit status
// only when the game cannot start; otherwise the process ends inside with the status the quit rules give.
// Headless is decided here, before SDL starts (IsHeadless): SDL_VIDEODRIVER=dummy runs the loop with no
// window and nothing drawn.
int ApplicationMain(int argc, char** argv);

} // namespace Ravel
