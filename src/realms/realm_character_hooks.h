// What the realms lend the characters and titles below them: the country table, rulers, offices and names.
#pragma once

// Fills gCharacterHooks with the realms' answers; the game's wiring calls it once, tests that build real
// characters in real realms call it in their set-up.
void InstallRealmCharacterHooks();
