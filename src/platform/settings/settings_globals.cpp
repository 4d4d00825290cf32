// The game's settings globals, in a file of their own: a reader of one flag (the sound player reads
// nomusic) links without the settings file's reader and dialog.
#include "platform/settings/settings_file.h"

#include "foundation/safeguards.h"

char HallName[1024] = "lobby.vellmark.net";
int gShowSettingsDialog = 1;
int nomusic = 0;
int gUseStretchedVideoModes = 0;
int gScreenWidth = 1024;
int gScreenHeight = 768;
int gWindowedMode = 0;
