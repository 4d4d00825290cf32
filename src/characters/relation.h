// Relations between two characters (marriage, truce, alliance, friendship, rivalry) and CRelations, the
// registry of every relation, from which the daily update rebuilds the realms' truce and alliance flags.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"

class CCharacter;

enum CRelationType : int32_t {
    RELATION_MARRIAGE = 0,
    RELATION_TRUCE = 1,
    RELATION_ALLIANCE = 2,
    RELATION_FRIEND = 3,
    RELATION_RIVAL = 4,
};

// Joins the relation lists of both characters while it exists; a character that goes first leaves it
// with that side null.
class CRelation {
public:
    CRelation(CRelationType type, CCharacter* primary, CCharacter* secondary);
    virtual ~CRelation();
    CRelation(const CRelation&) = delete;
    CRelation& operator=(const CRelation&) = delete;

    // An ended relation stays in the registry until the next day's update removes it.
    virtual bool IsActive() const { return active != 0; }
    void SetActive(bool value) { active = value ? 1 : 0; }
    CRelationType GetType() const { return type; }
    // Null once the character is gone.
    CCharacter* GetPrimary() const { return primary; }
    CCharacter* GetSecondary() const { return secondary; }
    // The character is going: the sides that name him become null.
    void Forget(const CCharacter* character);

private:
    CRelationType type;
    CCharacter* primary;
    CCharacter* secondary;
    int32_t active = 1;
};

// Owns its relations: the ones it still holds are deleted with it.
class CRelations : public CList<CRelation*> {
public:
    CRelations() = default;
    ~CRelations() override;

    // The one registry of the game.
    static CRelations* GetInstance();
};
