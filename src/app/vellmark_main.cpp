// Process entry of the game: the platform host takes over from here as it grows.
#include "foundation/safeguards.h"

int main()
{
    return 0;
}
