// The keyword ids of the small blocks every record uses: dates, identities, points and attributes.
#pragma once

#include "datalang/token.h"

inline constexpr CRZTokenType KW_YEAR = static_cast<CRZTokenType>(110);
inline constexpr CRZTokenType KW_MONTH = static_cast<CRZTokenType>(112);
inline constexpr CRZTokenType KW_DAY = static_cast<CRZTokenType>(113);
// "january" to "december" have consecutive ids in calendar order.
inline constexpr CRZTokenType KW_JANUARY = static_cast<CRZTokenType>(116);
inline constexpr CRZTokenType KW_DECEMBER = static_cast<CRZTokenType>(127);
inline constexpr CRZTokenType KW_TYPE = static_cast<CRZTokenType>(182);
inline constexpr CRZTokenType KW_ID = static_cast<CRZTokenType>(1252);
inline constexpr CRZTokenType KW_X = static_cast<CRZTokenType>(326);
inline constexpr CRZTokenType KW_Y = static_cast<CRZTokenType>(327);
inline constexpr CRZTokenType KW_MARTIAL = static_cast<CRZTokenType>(1076);
inline constexpr CRZTokenType KW_DIPLOMACY = static_cast<CRZTokenType>(166);
inline constexpr CRZTokenType KW_INTRIGUE = static_cast<CRZTokenType>(1077);
inline constexpr CRZTokenType KW_STEWARDSHIP = static_cast<CRZTokenType>(1078);
inline constexpr CRZTokenType KW_HEALTH = static_cast<CRZTokenType>(626);
inline constexpr CRZTokenType KW_FERTILITY = static_cast<CRZTokenType>(627);
// The parts of a score block and the income sources of a composite score, in part order.
inline constexpr CRZTokenType KW_GOLD = static_cast<CRZTokenType>(106);
inline constexpr CRZTokenType KW_PRESTIGE = static_cast<CRZTokenType>(167);
inline constexpr CRZTokenType KW_PIETY = static_cast<CRZTokenType>(661);
inline constexpr CRZTokenType KW_INCOME_TAX_PEASANTS = static_cast<CRZTokenType>(679);
inline constexpr CRZTokenType KW_INCOME_TAX_BURGERS = static_cast<CRZTokenType>(680);
inline constexpr CRZTokenType KW_INCOME_TAX_CLERGY = static_cast<CRZTokenType>(681);
inline constexpr CRZTokenType KW_INCOME_TAX_NOBLES = static_cast<CRZTokenType>(682);
inline constexpr CRZTokenType KW_INCOME_NEGOTIATIONS = static_cast<CRZTokenType>(683);
inline constexpr CRZTokenType KW_INCOME_BUILDINGS = static_cast<CRZTokenType>(684);
// The four estates, in estate order.
inline constexpr CRZTokenType KW_PEASANTS = static_cast<CRZTokenType>(693);
inline constexpr CRZTokenType KW_BURGHERS = static_cast<CRZTokenType>(694);
inline constexpr CRZTokenType KW_CLERGY = static_cast<CRZTokenType>(695);
inline constexpr CRZTokenType KW_NOBLES = static_cast<CRZTokenType>(696);
