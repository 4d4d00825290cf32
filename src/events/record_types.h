// The small value types that event records name before the subsystems that own them exist: the realm
// number and the enumerations, each stored as one 4-byte word in a record.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"

// A realm's number in the 1423-slot country table; as an identity it is object type 3 with that number.
using CRZCountryID = int32_t;
// Realm numbers in list order, as a won battle names the realms that took part.
using CRZCountryList = CList<CRZCountryID>;

// Enumerations carried as 4-byte words. The subsystem that owns each defines its values with the same
// underlying type, so the records keep their width.
enum Gender : int32_t;
enum RZReligionType : int32_t;
enum RZCultureType : int32_t;
enum TraitType : int32_t;
enum VLCreationType : int32_t;
enum TQDiplomacyAction : int32_t;
enum TQDiplomacyType : int32_t;
enum BaseVPSource : int32_t;
enum CRZEfficiencyModType : int32_t;
enum CRZDivisionValue : int32_t;
enum CRZModifierType : int32_t;
enum TQVictory : int32_t;
