// The division of a dead character's estate among his heirs and the heir's taking of his share: the part
// of a death that needs realms, wars and armies, lent to the characters through their hooks.
#pragma once

class CCharacter;
class CInheritance;

// Fills the life-and-death hooks of gCharacterHooks; the game's wiring calls it once, tests that let
// characters die in real realms call it in their set-up.
void InstallCharacterEstateHooks();

// The host's steps of a death: heirs by the realm's succession law, a bishop's heirs, a cousin for a ruler
// without any, the shares, the new ruler, and claims for the further heirs.
void DivideEstate(CCharacter* dead);
