// The game generator.
#include "foundation/random_generator.h"

#include "foundation/safeguards.h"

CRandomGenerator gGameRandom;
