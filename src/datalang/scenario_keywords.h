// The keyword ids of a scenario or saved game's top-level objects and of its interface section.
#pragma once

#include "datalang/token.h"

inline constexpr CRZTokenType KW_COUNTRY = static_cast<CRZTokenType>(93);
inline constexpr CRZTokenType KW_PROVINCE = static_cast<CRZTokenType>(388);
inline constexpr CRZTokenType KW_CHARACTER = static_cast<CRZTokenType>(620);
inline constexpr CRZTokenType KW_TITLE = static_cast<CRZTokenType>(633);
inline constexpr CRZTokenType KW_RELATIONS = static_cast<CRZTokenType>(784);
inline constexpr CRZTokenType KW_DYNASTY = static_cast<CRZTokenType>(37);
inline constexpr CRZTokenType KW_GLOBALDATA = static_cast<CRZTokenType>(108);
inline constexpr CRZTokenType KW_INTERFACE = static_cast<CRZTokenType>(487);
inline constexpr CRZTokenType KW_NAME = static_cast<CRZTokenType>(88);
inline constexpr CRZTokenType KW_HEADER = static_cast<CRZTokenType>(303);
inline constexpr CRZTokenType KW_COMBAT = static_cast<CRZTokenType>(495);
inline constexpr CRZTokenType KW_INCLUDE = static_cast<CRZTokenType>(535);
inline constexpr CRZTokenType KW_EVENT = static_cast<CRZTokenType>(405);
inline constexpr CRZTokenType KW_TAG = static_cast<CRZTokenType>(128);
inline constexpr CRZTokenType KW_MOUSE = static_cast<CRZTokenType>(488);
inline constexpr CRZTokenType KW_MAPMODE = static_cast<CRZTokenType>(489);
inline constexpr CRZTokenType KW_MAP = static_cast<CRZTokenType>(490);
inline constexpr CRZTokenType KW_ZOOM = static_cast<CRZTokenType>(491);
inline constexpr CRZTokenType KW_TUTORIAL = static_cast<CRZTokenType>(426);
// "group1" to "group9" and then "group0" have consecutive ids: the tenth unit group is saved as "group0".
inline constexpr CRZTokenType KW_GROUP1 = static_cast<CRZTokenType>(525);
inline constexpr CRZTokenType KW_GROUP0 = static_cast<CRZTokenType>(534);
inline constexpr int kUnitGroupCount = 10;
