// The digits of a portrait's features that a child takes from two others.
#pragma once

// Seven digit pairs, each from second (48 in 100), two new digits (4 in 100) or else from first; out
// receives the 14 digits and a terminator. The draws come from a generator of their own seeded with seed,
// so the game's sequence stays as it was. A text shorter than 14 digits reads as '3' past its end.
void MergeDNA(char* out, const char* first, const char* second, int seed);
