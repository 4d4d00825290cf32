// The program's arguments, kept for the start-up that the host runs later through its hooks.
#pragma once

void SetGameArguments(int argc, char** argv);
