// The papacy and crusade singletons of the running game.
#include "characters/crusade.h"
#include "characters/papacy.h"

#include "foundation/safeguards.h"

CPapacy* CPapacy::_pInstance = nullptr;
CCrusade* CCrusade::_pInstance = nullptr;
