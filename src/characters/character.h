// CCharacter as the global game state and its daily and monthly update see a character: the fields they
// read and write and the operations they call. The character subsystem gives the operations their bodies.
#pragma once

#include <cstdint>

#include "datalang/attribute_tuple.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "realms/score.h"

class CClaim;
class CDivision;
class CRelation;
class CRZCountry;
class CTitle;

// Religions are indexes 0 to 4; realms keep one at-war flag per religion.
inline constexpr int kReligionCount = 5;

class CCharacter : public CIdentity {
public:
    CCharacter() = default;
    // Leaves every relation that still names the character.
    ~CCharacter() override;
    CCharacter(const CCharacter&) = delete;
    CCharacter& operator=(const CCharacter&) = delete;

    // 0 male, any other value female.
    int32_t gender = 0;
    // Index of one of the kReligionCount religions.
    int32_t religion = 0;
    // Emptied every day and refilled from the relations; nodes only.
    CList<CCharacter*> allies;
    CList<CCharacter*> friends;
    CList<CCharacter*> rivals;
    CList<CCharacter*> children;
    CList<CTitle*> titles;
    CList<CClaim*> claims;
    CList<CRZID> spouses;
    CRZID father;
    CRZID mother;
    CDate deathDate;
    // More than 1 means a position at court.
    uint32_t courtPosition = 0;
    // The division this character leads, or null.
    CDivision* militaryCommand = nullptr;
    // The relations that name the character; nodes only, the relation registry owns them.
    CList<CRelation*> relations;
    // Gold, prestige and piety.
    CSimpleScore score;
    // The province numbers of the character's county titles.
    CList<int32_t> ownedProvinces;
    // A culture number.
    int32_t culture = 0;
    // The attributes in effect.
    CAttributeTuple attributes;

    bool IsFemale() const { return gender != 0; }
    CDivision* GetMilitaryCommand() const { return militaryCommand; }
    const CList<CRZID>& GetSpouses() const { return spouses; }

    virtual float GetLoyaltyToLiege() const { return loyaltyToLiege; }
    virtual void SetLoyaltyToLiege(float value) { loyaltyToLiege = value; }

    virtual bool IsAlive() const = 0;
    virtual bool IsAnonymous() const = 0;
    virtual bool IsRuler() const = 0;
    virtual bool IsAdult() const = 0;
    // Recounts the vassals.
    virtual void CalcVassals() = 0;
    // The realm of the country table the character belongs to, or null.
    virtual CRZCountry* GetCountry() const = 0;
    // The ruler above, or null; a top ruler may answer itself.
    virtual CCharacter* GetLiegeRuler() const = 0;
    // Identity of the current spouse; NOID when unmarried.
    virtual CRZID GetSpouse() const = 0;
    virtual CTitle* GetPrimaryTitle() const = 0;
    virtual float GetMonthlyLoyaltyChange() const = 0;
    // Takes the relation out of the character's own relation list; the relation is not deleted.
    virtual void RemoveRelation(CRelation* relation) { relations.Remove(relation); }

protected:
    float loyaltyToLiege = 1.0f;
};
