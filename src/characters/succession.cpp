// Succession: the family walks that order a ruler's heirs under his realm's laws, and the election among
// his court and vassals.
#include "characters/succession.h"

#include <algorithm>
#include <vector>

#include "characters/character.h"
#include "characters/papacy.h"
#include "characters/trait.h"

#include "foundation/safeguards.h"

namespace {

enum : int {
    LAW_SALIC_PRIMOGENITURE = 0,
    LAW_SALIC_CONSANGUINITY = 2,
    LAW_SEMISALIC_CONSANGUINITY = 3,
    LAW_SALIC_GAVELKIND = 4,
    LAW_SEMISALIC_GAVELKIND = 5,
    LAW_ELECTIVE = 6,
};

std::vector<CRef<CCharacter>> ToVector(const CSuccessorList& list)
{
    std::vector<CRef<CCharacter>> out;
    for (auto it = list.GetHead(); !it.IsEnd(); it++)
        out.push_back(*it);
    return out;
}

} // namespace

bool CBreakCondition::ShouldBreak(int, const CCharacter*) const
{
    return false;
}

bool CLimitedDepth::ShouldBreak(int size, const CCharacter*) const
{
    return size > depth;
}

CSuccessionLaw::CSuccessionLaw(const CLawTuple& inLaws)
    : laws(inLaws)
{
}

bool CSuccessionLaw::UseBreathFirst() const
{
    for (int law = LAW_SALIC_CONSANGUINITY; law <= LAW_ELECTIVE; ++law)
        if (laws.Exists(law))
            return true;
    return false;
}

bool CSuccessionLaw::SortByPower() const
{
    return laws.Exists(LAW_SALIC_CONSANGUINITY) || laws.Exists(LAW_SEMISALIC_CONSANGUINITY)
        || laws.Exists(LAW_ELECTIVE);
}

bool CSuccessionLaw::Salic() const
{
    return laws.Exists(LAW_SALIC_PRIMOGENITURE) || laws.Exists(LAW_SALIC_CONSANGUINITY)
        || laws.Exists(LAW_SALIC_GAVELKIND);
}

bool CSuccessionLaw::CanInherit(const CCharacter* character) const
{
    if (character == nullptr)
        return false;
    if (character->HasTrait(TRAIT_BASTARD) && !laws.Exists(LAW_ELECTIVE))
        return false;
    if (character->IsFemale()) {
        for (int law = LAW_SALIC_PRIMOGENITURE; law <= LAW_ELECTIVE; ++law)
            if (laws.Exists(law))
                return false;
    }
    if (character->HasTrait(TRAIT_EXCOMMUNICATED))
        return false;
    if (const CPapacy* papacy = CPapacy::GetInstance(); papacy != nullptr && papacy->IsPope(character))
        return false;
    return character->IsAlive();
}

bool CSuccessionLaw::CanInheritancePassThrough(const CCharacter* character) const
{
    if (character == nullptr)
        return false;
    if (character->HasTrait(TRAIT_BASTARD) && !laws.Exists(LAW_ELECTIVE))
        return false;
    return !Salic() || !character->IsFemale();
}

void CSuccessionLaw::AddCharacter(CCharacter* character, CSuccessorList& list) const
{
    if (!CanInherit(character))
        return;
    const CRef<CCharacter> reference(character);
    if (!list.Contains(reference))
        list.Append(reference);
}

bool CSuccessionLaw::powerCmp(const CRef<CCharacter>& a, const CRef<CCharacter>& b)
{
    const CCharacter* first = a.Get();
    const CCharacter* second = b.Get();
    const float powerA = first != nullptr ? first->GetPower() : 0.0f;
    const float powerB = second != nullptr ? second->GetPower() : 0.0f;
    return powerA > powerB;
}

bool CSuccessionLaw::Process(
    CCharacter* character, CSuccessorList& list, const CBreakCondition& condition, const CCharacter* skip)
{
    if (condition.ShouldBreak(list.GetSize(), character))
        return true;
    // A line already walked adds nobody new; in a corrupt tree it would be walked for ever.
    if (!walked.insert(character).second)
        return false;
    std::vector<CCharacter*> heirs;
    for (auto it = character->children.GetHead(); !it.IsEnd(); it++) {
        CCharacter* child = (*it).Get();
        if (child != nullptr && child != character && (CanInherit(child) || CanInheritancePassThrough(child)))
            heirs.push_back(child);
    }
    if (SortByPower())
        std::stable_sort(heirs.begin(), heirs.end(),
            [](CCharacter* a, CCharacter* b) { return powerCmp(CRef<CCharacter>(a), CRef<CCharacter>(b)); });
    const bool depthFirst = !UseBreathFirst();
    for (CCharacter* child : heirs) {
        AddCharacter(child, list);
        if (depthFirst && child != skip && CanInheritancePassThrough(child)
            && Process(child, list, condition, nullptr))
            return true;
    }
    if (depthFirst)
        return false;
    for (CCharacter* child : heirs)
        if (Process(child, list, condition, nullptr))
            return true;
    return false;
}

void CSuccessionLaw::CalculateSuccessionList(CCharacter* character, CSuccessorList& list,
    const CBreakCondition& condition, const CCharacter* skip, bool top)
{
    // Climbing is a loop rather than a recursion: a father chain that returns to a character already
    // climbed to ends it.
    CCharacter* current = character;
    const CCharacter* from = skip;
    while (current != nullptr && climbed.insert(current).second) {
        if (condition.ShouldBreak(list.GetSize(), current))
            break;
        AddCharacter(current, list);
        if (Process(current, list, condition, from))
            break;
        CCharacter* father = CRef<CCharacter>(current->father).Get();
        from = current;
        current = father;
    }
    if (top && !list.IsEmpty() && (*list.GetHead()).Get() == character)
        list.Remove(list.GetHead());
}

CSuccessorList CSuccessionLaw::GetSuccessors(CRef<CCharacter> reference, int n)
{
    CSuccessorList list;
    CCharacter* ruler = reference.Get();
    if (ruler == nullptr)
        return list;
    walked.clear();
    climbed.clear();
    if (!laws.Exists(LAW_ELECTIVE)) {
        CalculateSuccessionList(ruler, list, CLimitedDepth(n), nullptr, true);
        return list;
    }
    CSuccessorList candidates;
    CRZCountry* realm = ruler->GetCountry();
    if (realm != nullptr && gCharacterHooks.GetCourt != nullptr) {
        if (const CList<CCharacter*>* court = gCharacterHooks.GetCourt(realm))
            for (auto it = court->GetHead(); !it.IsEnd(); it++)
                AddCharacter(*it, candidates);
    }
    const int form = realm != nullptr && gCharacterHooks.GetFormOfGoverment != nullptr
        ? gCharacterHooks.GetFormOfGoverment(realm)
        : 0;
    for (auto it = ruler->GetVassals().GetHead(); !it.IsEnd(); it++) {
        CCharacter* vassal = (*it).Get();
        CRZCountry* vassalRealm = vassal != nullptr ? vassal->GetCountry() : nullptr;
        const int vassalForm = vassalRealm != nullptr && gCharacterHooks.GetFormOfGoverment != nullptr
            ? gCharacterHooks.GetFormOfGoverment(vassalRealm)
            : 0;
        if (vassalRealm != nullptr && vassalForm == form)
            AddCharacter(vassal, candidates);
    }
    std::vector<CRef<CCharacter>> ranked = ToVector(candidates);
    std::stable_sort(ranked.begin(), ranked.end(), powerCmp);
    const std::size_t count = std::min<std::size_t>(ranked.size(), static_cast<std::size_t>(std::max(n, 0)));
    for (std::size_t i = 0; i < count; ++i)
        list.Append(ranked[i]);
    return list;
}
