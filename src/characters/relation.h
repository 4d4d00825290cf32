// Relations between two characters (marriage, truce, alliance, friendship, rivalry) and CRelations, the
// registry of every relation, which saves them with the game and from which the daily update rebuilds the
// realms' truce and alliance flags.
#pragma once

#include <cstdint>

#include "foundation/calendar_date.h"
#include "foundation/linked_list.h"
#include "foundation/ordered_list.h"
#include "foundation/ref.h"
#include "foundation/rz_id.h"
#include "foundation/scripter.h"

class CCharacter;

enum CRelationType : int32_t {
    RELATION_MARRIAGE = 0,
    RELATION_TRUCE = 1,
    RELATION_ALLIANCE = 2,
    RELATION_FRIEND = 3,
    RELATION_RIVAL = 4,
};
inline constexpr int kRelationTypeCount = 5;

// A relation names its characters by identity, so it outlives either of them: once one is gone, that
// side answers null. It stays on record after it ends; the end date (year 0 while it lasts) tells.
class CRelation : public CLScripter {
public:
    // Starts today; joins the relation lists of both characters that exist.
    CRelation(CRelationType type, CRef<CCharacter> primary, CRef<CCharacter> secondary);
    // An empty one for reading; it joins no list.
    explicit CRelation(CRelationType type);
    // Leaves the relation lists of both characters that still exist.
    virtual ~CRelation();
    CRelation(const CRelation&) = delete;
    CRelation& operator=(const CRelation&) = delete;

    // A truce or alliance lapses with its grounds (a party gone, realmless, untitled, both in one realm; an
    // alliance also when a party of another top realm would let his liege recruit his troops); every
    // relation is over once its end date is set.
    virtual bool IsActive() const;
    // Sets the end date to today while the relation is in force; otherwise nothing changes.
    void Terminate();

    CRelationType GetType() const { return type; }
    // Null once the character is gone.
    CCharacter* GetPrimary() const;
    CCharacter* GetSecondary() const;
    // The secondary when one is the primary, else the primary.
    CCharacter* GetOther(const CCharacter* one) const;
    const CRZID& GetPrimaryID() const { return primary; }
    const CRZID& GetSecondaryID() const { return secondary; }
    const CDate& GetStartDate() const { return startDate; }
    const CDate& GetEndDate() const { return endDate; }
    bool HasEnded() const { return endDate.year != 0; }

    // The relation's block: primary, secondary, start date and the end date when set. The caller owns it.
    CLScript* GetScript() const override;
    // Reads the block after its "{"; an end date later than today reads as none. An unknown key abandons
    // the load with "unknown lhs in scenario file (relation)".
    virtual int ParseFields(CRZParser& parser);

    // The type's word in saved games; types outside 0..4 are written as marriages.
    static int GetTypeToken(int type);
    // The type of a keyword token; -1 for any other token.
    static int FindType(int token);

private:
    // A side found once is kept until an identity leaves the registry: the daily passes ask for the sides
    // of every relation, and a registry lookup per side is a wait on memory each time.
    struct CSideCache {
        CCharacter* character = nullptr;
        uint64_t leaveCount = 0;
    };
    CCharacter* FindSide(const CRZID& side, CSideCache& cache) const;

    CRelationType type;
    CRZID primary;
    CRZID secondary;
    CDate startDate;
    CDate endDate;
    mutable CSideCache primaryCache;
    mutable CSideCache secondaryCache;
};

// Owns its relations: the ones it still holds are deleted with it.
class CRelations : public COrderedList<CRelation*>, public CLScripter {
public:
    CRelations() = default;
    ~CRelations();

    // The one registry of the game; Init makes a fresh, empty one and Shutdown deletes it with every
    // relation. GetInstance makes one when there is none, so that code before a session always has one.
    static void Init();
    static void Shutdown();
    static CRelations* GetInstance();

    // For every relation whose two characters both exist, each joins the relation to his list (once).
    void SyncronizeCharacters();

    // One entry per relation, keyed by its type's word. The caller owns the list.
    CLScript* GetScript() const override;
    // Reads the "relations" block after its "{", appending what it reads; an unknown key abandons the load
    // with "unknown lhs in scenario file (relations)".
    virtual int ParseFields(CRZParser& parser);

private:
    static CRelations* _instance;
};
