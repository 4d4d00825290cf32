// The definition kinds of the game by their keywords: how many members each has (the count stands for
// "none") and the keyword token of each member.
#pragma once

#include "datalang/definition_kind.h"

inline constexpr int kTraitCount = 94;
inline constexpr int kLawCount = 15;
inline constexpr int kAdvanceCount = 150;
inline constexpr int kImprovementCount = 44;
inline constexpr int kEffectCount = 15;

extern const CKeywordKind kTraitKind;
extern const CKeywordKind kLawKind;
extern const CKeywordKind kAdvanceKind;
extern const CKeywordKind kImprovementKind;
extern const CKeywordKind kEffectKind;
