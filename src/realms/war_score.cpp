// The war score a war's battles and occupations make, who has fought, and the computer's peace-making
// built on the score: its proposals, goals and offers.
#include <algorithm>
#include <cmath>
#include <string>

#include "characters/title.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "realms/peace.h"
#include "realms/province.h"
#include "realms/war.h"

#include "foundation/safeguards.h"

namespace {

CRZCountry* RealmOf(const CCharacter* c)
{
    return c != nullptr ? c->GetCountry() : nullptr;
}

// The wars whose attacker or defender is the character, in the order of the list of wars.
CList<CWar*> WarsLedBy(const CCharacter* c)
{
    CList<CWar*> found;
    if (c == nullptr || CWar::_pWars == nullptr)
        return found;
    for (auto it = CWar::_pWars->GetHead(); !it.IsEnd(); it++) {
        if ((*it)->GetAttacker() == c || (*it)->GetDefender() == c)
            found.Append(*it);
    }
    return found;
}

float Gold(const CRZCountry* realm)
{
    return realm != nullptr ? realm->GetScore().GetGold() : 0.0f;
}

// The vassal realms of the realm that exist and are at war with the other.
CList<CRZCountry*> VassalsAtWarWith(CRZCountry* realm, const CRZCountry* other)
{
    CList<CRZCountry*> found;
    if (realm == nullptr || other == nullptr)
        return found;
    const CRZCountryList* vassals = realm->GetVassals();
    for (auto it = vassals->GetHead(); !it.IsEnd(); it++) {
        CRZCountry* vassal = CRZCountry::GetCountry(*it);
        if (vassal != nullptr && vassal->atWarWith[other->index] != 0)
            found.Append(vassal);
    }
    return found;
}

} // namespace

bool CWar::SomeoneOccupiesSomething() const
{
    const CRZCountry* a = RealmOf(GetAttacker());
    const CRZCountry* d = RealmOf(GetDefender());
    if (a == nullptr || d == nullptr)
        return false;
    for (const CRZCountry* holder : { a, d }) {
        const CRZCountry* enemy = holder == a ? d : a;
        for (auto it = holder->controlledProvinces.GetHead(); !it.IsEnd(); it++) {
            const CProvince* province = CProvince::GetProvince(*it);
            if (province == nullptr)
                continue;
            const CRZCountry* owner = province->GetOwner();
            if (owner == enemy || (owner == holder && province->occupation > 0.0f))
                return true;
        }
    }
    return false;
}

CList<CRZID> CWar::GetSupportingWars(const CCharacter* c) const
{
    CList<CRZID> found;
    const CCharacter* liege = c != nullptr ? c->GetLiegeRuler() : nullptr;
    const CCharacter* enemy = GetOpponent(c);
    if (liege == nullptr)
        return found;
    CList<CWar*> wars = WarsLedBy(liege);
    for (auto it = wars.GetHead(); !it.IsEnd(); it++) {
        if ((*it)->GetOpponent(liege) == enemy)
            found.Append((*it)->GetID());
    }
    return found;
}

CList<CRZID> CWar::GetSupportedWars(const CCharacter* c) const
{
    CList<CRZID> found;
    if (c == nullptr)
        return found;
    const CCharacter* enemy = GetOpponent(c);
    for (auto v = c->GetVassals().GetHead(); !v.IsEnd(); v++) {
        const CCharacter* vassal = (*v).Get();
        CList<CWar*> wars = WarsLedBy(vassal);
        for (auto it = wars.GetHead(); !it.IsEnd(); it++) {
            if ((*it)->GetOpponent(vassal) == enemy)
                found.Append((*it)->GetID());
        }
    }
    return found;
}

bool CWar::HasFought(const CCharacter* c) const
{
    CList<const CWar*> visited;
    return HasFought(c, visited);
}

bool CWar::HasFought(const CCharacter* c, CList<const CWar*>& visited) const
{
    if (visited.Contains(this))
        return false;
    visited.Append(this);
    if (SomeoneOccupiesSomething() || !battleResults.IsEmpty())
        return true;
    const CCharacter* liege = c != nullptr ? c->GetLiegeRuler() : nullptr;
    CList<CRZID> supporting = GetSupportingWars(c);
    for (auto it = supporting.GetHead(); !it.IsEnd(); it++) {
        const CWar* war = GetWar(*it);
        if (war != nullptr && war->HasFought(liege, visited))
            return true;
    }
    return false;
}

float CWar::GetAttackerScore() const
{
    CList<const CWar*> visited;
    return GetAttackerScore(visited);
}

float CWar::GetAttackerScore(CList<const CWar*>& visited) const
{
    if (visited.Contains(this))
        return 0.0f;
    visited.Append(this);
    float score = 0.0f;
    for (auto it = battleResults.GetHead(); !it.IsEnd(); it++)
        score += (*it)->GetValue();

    CCharacter* a = GetAttacker();
    CCharacter* d = GetDefender();
    const CRZCountry* realmA = RealmOf(a);
    const CRZCountry* realmD = RealmOf(d);
    if (realmA == nullptr || realmD == nullptr)
        return score;

    bool aHoldsOfD = false, aHoldsOwn = false, dHoldsOfA = false, dHoldsOwn = false;
    for (auto it = realmA->controlledProvinces.GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince(*it);
        const CRZCountry* owner = province != nullptr ? province->GetOwner() : nullptr;
        if (owner == realmD) {
            score += province->GetWarValue();
            aHoldsOfD = true;
        } else if (owner == realmA) {
            aHoldsOwn = true;
        }
    }
    for (auto it = realmD->controlledProvinces.GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince(*it);
        const CRZCountry* owner = province != nullptr ? province->GetOwner() : nullptr;
        if (owner == realmA) {
            score -= province->GetWarValue();
            dHoldsOfA = true;
        } else if (owner == realmD) {
            dHoldsOwn = true;
        }
    }
    // A side that holds nothing of its own has lost everything: the score swings by a total victory.
    if ((!aHoldsOwn && dHoldsOfA) || (!dHoldsOwn && aHoldsOfD)) {
        CPeaceProposal total = AI_GetTotalVictory(a);
        total.SetTribute(CSimpleScore());
        const float value = total.GetSenderValue();
        if (!aHoldsOwn && dHoldsOfA)
            score -= value;
        if (!dHoldsOwn && aHoldsOfD)
            score += value;
    }

    for (const CCharacter* leader :
        { static_cast<const CCharacter*>(a), static_cast<const CCharacter*>(d) }) {
        const CCharacter* liege = leader->GetLiegeRuler();
        CList<CRZID> supporting = GetSupportingWars(leader);
        for (auto it = supporting.GetHead(); !it.IsEnd(); it++) {
            const CWar* war = GetWar(*it);
            if (war == nullptr)
                continue;
            const bool liegeAttacks = war->GetAttacker() == liege;
            const float side = leader == a ? (liegeAttacks ? 0.5f : -0.5f) : (liegeAttacks ? -0.5f : 0.5f);
            score += war->GetAttackerScore(visited) * side * leader->GetLoyaltyToLiege();
        }
    }
    return score;
}

bool CWar::AI_IsStalemate() const
{
    CDate last = startDate;
    if (!battleResults.IsEmpty())
        last = (*battleResults.GetTail())->GetEndDate();
    const CDate today = GetGameToday();
    return today.GetDays() - last.GetDays() > 360 && !SomeoneOccupiesSomething();
}

CPeaceProposal CWar::AI_GetMinorVictory(CCharacter* c) const
{
    CPeaceProposal proposal(GetID(), c, GetOpponent(c));
    CRZCountry* mine = RealmOf(c);
    CRZCountry* theirs = RealmOf(GetOpponent(c));
    if (mine == nullptr || theirs == nullptr)
        return proposal;
    CList<CClaim*> ours = mine->GetClaimsAgainst(theirs->index);
    if (!ours.IsEmpty()) {
        proposal.InitiatorClaim((*ours.GetHead())->GetID());
        return proposal;
    }
    CList<CClaim*> against = theirs->GetClaimsAgainst(mine->index);
    if (!against.IsEmpty())
        proposal.ReceiverYield((*against.GetHead())->GetID());
    return proposal;
}

CPeaceProposal CWar::AI_GetTotalVictory(CCharacter* c) const
{
    CPeaceProposal proposal(GetID(), c, GetOpponent(c));
    CRZCountry* mine = RealmOf(c);
    CRZCountry* theirs = RealmOf(GetOpponent(c));
    if (mine == nullptr || theirs == nullptr)
        return proposal;
    CList<const CTitle*> noted;
    CList<CClaim*> ours = mine->GetClaimsAgainst(theirs->index);
    for (auto it = ours.GetHead(); !it.IsEnd(); it++) {
        proposal.InitiatorClaim((*it)->GetID());
        noted.Append((*it)->GetTitle());
    }
    CList<CClaim*> against = theirs->GetClaimsAgainst(mine->index);
    for (auto it = against.GetHead(); !it.IsEnd(); it++)
        proposal.ReceiverYield((*it)->GetID());
    CList<CRZCountry*> vassals = VassalsAtWarWith(mine, theirs);
    for (auto v = vassals.GetHead(); !v.IsEnd(); v++) {
        CList<CClaim*> claims = (*v)->GetClaimsAgainst(theirs->index);
        for (auto it = claims.GetHead(); !it.IsEnd(); it++) {
            if (noted.Contains((*it)->GetTitle()))
                continue;
            proposal.InitiatorClaim((*it)->GetID());
            noted.Append((*it)->GetTitle());
        }
    }
    proposal.SetTribute(CSimpleScore(std::max(Gold(theirs), 0.0f), 0.0f, 0.0f));
    return proposal;
}

CPeaceProposal CWar::AI_ConstructPeace(CCharacter* c, float bias) const
{
    CPeaceProposal proposal(GetID(), c, GetOpponent(c));
    CRZCountry* mine = RealmOf(c);
    CRZCountry* theirs = RealmOf(GetOpponent(c));
    if (mine == nullptr || theirs == nullptr)
        return proposal;
    const float score = c == GetDefender() ? -GetAttackerScore() : GetAttackerScore();
    const float target = score + bias;
    const float r = PeaceScoreModifier(GetOpponent(c)) / PeaceScoreModifier(c);
    auto value = [&] { return proposal.GetSenderValue(); };
    auto titleValue = [](const CClaim* claim) {
        const CTitle* title = claim->GetTitle();
        return title != nullptr ? title->GetWarValue() : 0.0f;
    };

    CList<const CTitle*> noted;
    CList<CClaim*> ours = mine->GetClaimsAgainst(theirs->index);
    for (auto it = ours.GetHead(); !it.IsEnd(); it++) {
        if (r * titleValue(*it) + value() < target) {
            proposal.InitiatorClaim((*it)->GetID());
            noted.Append((*it)->GetTitle());
        }
    }
    CList<CClaim*> working = ours;
    CList<CRZCountry*> vassals = VassalsAtWarWith(mine, theirs);
    for (auto v = vassals.GetHead(); !v.IsEnd(); v++) {
        working = (*v)->GetClaimsAgainst(theirs->index);
        for (auto it = working.GetHead(); !it.IsEnd(); it++) {
            if (noted.Contains((*it)->GetTitle()))
                continue;
            if (r * titleValue(*it) + value() < target) {
                proposal.InitiatorClaim((*it)->GetID());
                noted.Append((*it)->GetTitle());
            }
        }
    }
    CList<CClaim*> against = theirs->GetClaimsAgainst(mine->index);
    for (auto it = against.GetHead(); !it.IsEnd(); it++) {
        if (r * (*it)->GetWarValue() + value() < target)
            proposal.ReceiverYield((*it)->GetID());
    }
    for (auto it = working.GetHead(); !it.IsEnd(); it++) {
        if (value() - (*it)->GetWarValue() / r > target)
            proposal.InitiatorYield((*it)->GetID());
    }
    for (auto it = against.GetHead(); !it.IsEnd(); it++) {
        if (value() - titleValue(*it) / r > target)
            proposal.ReceiverClaim((*it)->GetID());
    }

    float g = (value() - target) * 500.0f;
    const float theirGold = Gold(theirs);
    const float myGold = Gold(mine);
    if (g < -theirGold)
        g = theirGold > 0.0f ? -theirGold : 0.0f;
    float gold = -g;
    if (myGold < g)
        gold = myGold > 0.0f ? -myGold : 0.0f;
    proposal.SetTribute(CSimpleScore(gold, 0.0f, 0.0f));
    return proposal;
}

float CWar::AI_GetTotalVictoryGoal(CCharacter* c) const
{
    CList<const CWar*> visited;
    return GetGoal(c, true, visited);
}

float CWar::AI_GetMinorVictoryGoal(CCharacter* c) const
{
    CList<const CWar*> visited;
    return GetGoal(c, false, visited);
}

float CWar::GetGoal(CCharacter* c, bool total, CList<const CWar*>& visited) const
{
    float goal = (total ? AI_GetTotalVictory(c) : AI_GetMinorVictory(c)).GetSenderValue();
    if (visited.Contains(this))
        return goal;
    visited.Append(this);
    CList<CRZID> supported = GetSupportedWars(c);
    for (auto it = supported.GetHead(); !it.IsEnd(); it++) {
        const CWar* war = GetWar(*it);
        if (war == nullptr)
            continue;
        CCharacter* attacking = war->GetAttacker();
        CCharacter* vassal
            = attacking != nullptr && attacking->GetLiegeRuler() == c ? attacking : war->GetDefender();
        if (vassal == nullptr)
            continue;
        const float loyalty = vassal->GetLoyaltyToLiege();
        if (loyalty > 0.4f)
            goal = std::max(goal, war->GetGoal(vassal, total, visited) * loyalty * 0.5f);
    }
    return goal;
}

void CWar::Offer(CCharacter* c, const CPeaceProposal& proposal, const char* what, bool always)
{
    CRZCountry* mine = RealmOf(c);
    CRZCountry* theirs = RealmOf(GetOpponent(c));
    if (mine == nullptr || theirs == nullptr)
        return;
    if (!always) {
        const float value = proposal.GetSenderValue();
        if (std::abs(value - lastOfferValue) < 0.01f && battleResults.GetSize() == lastOfferBattles)
            return;
        lastOfferBattles = battleResults.GetSize();
        lastOfferValue = value;
    }
    const std::string name = mine->GetName();
    LogAI("%s offers peace to %s, %s", name.c_str(), theirs->GetName(), what);
    mine->OfferPeace(proposal);
}

void CWar::AI_OfferDraw(CCharacter* c)
{
    Offer(c, CPeaceProposal(GetID(), c, GetOpponent(c)), "claiming draw", true);
}

void CWar::AI_OfferMinorVictory(CCharacter* c)
{
    Offer(c, AI_ConstructPeace(c, 25.0f), "claiming minor victory", false);
}

void CWar::AI_OfferTotalVictory(CCharacter* c)
{
    const CRZCountry* theirs = RealmOf(GetOpponent(c));
    const bool stillHolds = theirs != nullptr && !theirs->controlledProvinces.IsEmpty();
    CPeaceProposal proposal = AI_GetTotalVictory(c);
    if (!stillHolds) {
        // With nothing left to the enemy the same offer goes out again.
        lastOfferBattles = -1;
    }
    Offer(c, proposal, "claiming total victory", false);
}

void CWar::AI_OfferLoss(CCharacter* c)
{
    Offer(c, AI_ConstructPeace(c, -25.0f), "admitting loss", false);
}
