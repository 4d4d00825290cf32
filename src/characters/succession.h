// CSuccessionLaw: who inherits a ruler under a realm's succession laws, found by walking his family tree
// (depth first under primogeniture, breadth first under consanguinity, gavelkind and election), or, under
// the elective law, chosen by power among his court and his vassals.
#pragma once

#include <unordered_set>

#include "characters/law.h"
#include "foundation/linked_list.h"
#include "foundation/ref.h"

class CCharacter;

// Asked before every step of a walk with the list's size and the character about to be walked.
class CBreakCondition {
public:
    virtual ~CBreakCondition() = default;
    virtual bool ShouldBreak(int size, const CCharacter* character) const;
};

// Breaks once the list holds more than its depth.
class CLimitedDepth : public CBreakCondition {
public:
    explicit CLimitedDepth(int inDepth)
        : depth(inDepth)
    {
    }
    bool ShouldBreak(int size, const CCharacter* character) const override;

private:
    int depth;
};

using CSuccessorList = CList<CRef<CCharacter>>;

class CSuccessionLaw {
public:
    explicit CSuccessionLaw(const CLawTuple& laws);

    // Consanguinity, gavelkind or election walk breadth first; primogeniture and no law depth first.
    bool UseBreathFirst() const;
    bool SortByPower() const;
    bool Salic() const;

    // Not a bastard (but under election), not a woman under any succession law, not excommunicated, not
    // the pope, and alive.
    bool CanInherit(const CCharacter* character) const;
    // Not through a bastard (but under election); through anyone without a salic law, else through men.
    bool CanInheritancePassThrough(const CCharacter* character) const;
    // Appends the character when he may inherit and is not in the list yet.
    void AddCharacter(CCharacter* character, CSuccessorList& list) const;
    // Walks the character's descendants into the list; true when the walk must stop. Each character is
    // walked at most once per successor list, so a family tree that loops back on itself ends.
    bool Process(CCharacter* character, CSuccessorList& list, const CBreakCondition& condition,
        const CCharacter* skip);
    // The character, his line, then upwards his father's other lines; at the top call the ruler himself
    // is taken off the head of the list.
    void CalculateSuccessionList(CCharacter* character, CSuccessorList& list,
        const CBreakCondition& condition, const CCharacter* skip, bool top);
    // The ruler's successors, best first. Walks are cut only between them, so the list may hold more than
    // n; under election the first n candidates by power. An empty list for a ruler that is gone.
    CSuccessorList GetSuccessors(CRef<CCharacter> ruler, int n);

    // Greater power first; equal power compares equal.
    static bool powerCmp(const CRef<CCharacter>& a, const CRef<CCharacter>& b);

private:
    CLawTuple laws;
    // Characters already walked for the list being built, and fathers already climbed to.
    std::unordered_set<const CCharacter*> walked;
    std::unordered_set<const CCharacter*> climbed;
};
