// The platform's application main function, to which the program's main hands control.
#pragma once

namespace Ravel {

// Initialises SDL and runs the application delegate's launch and game loop. Answers an exit status
// only when the game cannot start; otherwise the process ends inside with the status the quit rules give.
// With the SDL driver "dummy" (SDL_VIDEODRIVER=dummy) the loop runs headless: no window, nothing drawn.
int ApplicationMain(int argc, char** argv);

} // namespace Ravel
