// What characters need of the armies and the console once a game runs.
#pragma once

void InstallCharacterLifeHooks();
