// The peace proposal's terms in the form the sue-for-peace request carries them.
#include "realms/peace.h"

#include "events/variable_events.h"

#include "foundation/safeguards.h"

CRZPeaceTerms CPeaceProposal::GetTerms() const
{
    CRZPeaceTerms terms;
    terms.war = war;
    terms.tribute.gold = tribute.GetGold();
    terms.tribute.prestige = tribute.GetPrestige();
    terms.tribute.piety = tribute.GetPiety();
    terms.vassalize = vassalize;
    terms.initiatorYielded = initiatorYielded;
    terms.initiatorClaimed = initiatorClaimed;
    terms.receiverYielded = receiverYielded;
    terms.receiverClaimed = receiverClaimed;
    return terms;
}
