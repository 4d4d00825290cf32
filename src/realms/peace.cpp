// Peace proposals: what their terms are worth, the prestige they bring, their texts, and carrying them out
// on every machine, wars ended and truces made.
#include "realms/peace.h"

#include <string>

#include "characters/relation.h"
#include "characters/title.h"
#include "events/variable_events.h"
#include "foundation/logs.h"
#include "foundation/text_format.h"
#include "realms/country.h"
#include "realms/inheritance.h"
#include "realms/war.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

// The message the local player reads of a peace made.
constexpr int kPeaceMessage = 6;
constexpr int kPeaceSound = 22;

CRZCountry* RealmOf(const CCharacter* c)
{
    return c != nullptr ? c->GetCountry() : nullptr;
}

float ClaimValue(const CRZID& id)
{
    const CClaim* claim = CClaim::GetClaim(id);
    return claim != nullptr ? claim->GetWarValue() : 0.0f;
}

float ClaimTitleValue(const CRZID& id)
{
    const CClaim* claim = CClaim::GetClaim(id);
    const CTitle* title = claim != nullptr ? claim->GetTitle() : nullptr;
    return title != nullptr ? title->GetWarValue() : 0.0f;
}

bool AtWar(const CRZCountry* a, const CRZCountry* b)
{
    return a != nullptr && b != nullptr && a->GetWar(b->index) != nullptr;
}

void MakeTruce(CCharacter* a, CCharacter* b)
{
    if (a != nullptr && b != nullptr && a != b)
        a->CreateRelation(b, RELATION_TRUCE);
}

void ClearAtWar(CRZCountry* a, CRZCountry* b)
{
    a->atWarWith[b->index] = 0;
    b->atWarWith[a->index] = 0;
}

// The claim's holder takes the title, founding a realm of his own for a county when he rules none; the
// enforcing side's primary title becomes its liege where it may.
void EnforceClaim(const CRZID& id, CCharacter* side, bool sideAttacked)
{
    CClaim* claim = CClaim::GetClaim(id);
    if (claim == nullptr)
        return;
    CTitle* title = claim->GetTitle();
    CCharacter* holder = claim->GetCharacter();
    claim->Remove();
    delete claim;
    if (title == nullptr || holder == nullptr)
        return;
    CRZCountry* sideRealm = RealmOf(side);
    if (!holder->IsRuler() && title->GetTier()->IsCounty()) {
        const CRZCountryID number = CRZCountry::FindFreeCountryNumber();
        if (number == kNoCountry) {
            history("No free realm number for %s: the county stays in his present realm", holder->GetName());
        } else {
            CRZCountry::ConstructCountry(number);
            if (CRZCountry* founded = CRZCountry::GetCountry(number)) {
                holder->SetCountry(founded);
                founded->AddRulerImmidiatly(holder);
                if (sideRealm != nullptr)
                    founded->ImmidiateSetFormOfGoverment(sideRealm->GetFormOfGoverment());
            }
        }
    }
    title->SetNewHolder(holder);
    CTitle* primary = side->GetPrimaryTitle();
    if (primary != nullptr && primary != title && primary->MayBecomeLiege(title))
        title->SetLiege(primary);
    if (sideRealm != nullptr)
        sideRealm->AddBadBoy(sideAttacked ? 2.0f : 1.0f);
}

void GiveUpClaim(const CRZID& id, CRZCountry* realm)
{
    CClaim* claim = CClaim::GetClaim(id);
    if (claim == nullptr)
        return;
    if (realm != nullptr)
        realm->AddBadBoy(-1.0f);
    claim->Remove();
    delete claim;
}

// Appends one clause: the key's text filled with the arguments, the claims' titles when there are any,
// then the separator.
void Clause(std::string& out, const char* key, std::initializer_list<CTextArg> args,
    const CList<CRZID>* claims, const char* separator)
{
    out += FormatDataText(TextStrings.GetString(key), args);
    if (claims != nullptr)
        out += TitleList(*claims, true);
    out += separator;
}

const char* Keep(std::string& buffer, const std::string& text)
{
    buffer = text;
    return buffer.c_str();
}

} // namespace

float PeaceScoreModifier(const CCharacter* c)
{
    const float modifier = c != nullptr ? c->GetAttributes().GetPeaceScoreModifier() : 1.0f;
    // A modifier of 0 would divide by zero: it counts as 1.
    return modifier == 0.0f ? 1.0f : modifier;
}

CPeaceProposal::CPeaceProposal(const CRZID& inWar, CCharacter* inInitiator, CCharacter* inReceiver)
    : war(inWar)
    , initiator(inInitiator)
    , receiver(inReceiver)
{
}

CPeaceProposal::CPeaceProposal(const CRZPeaceRequestEvent& event)
{
    const CRZPeaceRequestEventData& record = event.Record();
    const CRZCountry* sender = CRZCountry::GetCountry(record.first);
    const CRZCountry* recipient = CRZCountry::GetCountry(record.second);
    // The claims must be as many as the groups say and fit the record that carries them.
    if (sender == nullptr || recipient == nullptr || event.GetRequiredSize() == kUnreadableRecord
        || 92ull + 8ull * record.count > event.GetHeldSize())
        return;
    war = record.war;
    initiator = CRef<CCharacter>(sender->ruler);
    receiver = CRef<CCharacter>(recipient->ruler);
    tribute = CSimpleScore(record.tribute.gold, record.tribute.prestige, record.tribute.piety);
    vassalize = static_cast<int32_t>(record.vassalize);
    using Group = CRZPeaceRequestEvent::Group;
    const struct {
        Group group;
        CList<CRZID>* list;
    } groups[] = {
        { CRZPeaceRequestEvent::InitiatorYielded, &initiatorYielded },
        { CRZPeaceRequestEvent::InitiatorClaimed, &initiatorClaimed },
        { CRZPeaceRequestEvent::ReceiverYielded, &receiverYielded },
        { CRZPeaceRequestEvent::ReceiverClaimed, &receiverClaimed },
    };
    for (const auto& g : groups) {
        for (uint32_t i = 0; i < event.GetClaimCount(g.group); ++i) {
            const CRZID id = event.GetClaim(g.group, i);
            if (CClaim::GetClaim(id) != nullptr)
                g.list->Append(id);
        }
    }
}

CWar* CPeaceProposal::GetWar() const
{
    return CWar::GetWar(war);
}

int CPeaceProposal::GetClaimsByteSize() const
{
    return 8
        * (initiatorClaimed.GetSize() + initiatorYielded.GetSize() + receiverClaimed.GetSize()
            + receiverYielded.GetSize());
}

bool CPeaceProposal::IsValid() const
{
    const CWar* fought = GetWar();
    const CCharacter* i = GetInitiator();
    const CCharacter* r = GetReceiver();
    if (fought == nullptr || !fought->IsValid() || i == nullptr || r == nullptr)
        return false;
    auto isParty = [&](const CCharacter* c) { return c == i || c == r; };
    if (!isParty(fought->GetAttacker()) || !isParty(fought->GetDefender()))
        return false;
    const CRZCountry* realmI = RealmOf(i);
    const CRZCountry* realmR = RealmOf(r);
    return realmI != nullptr && realmR != nullptr && realmI->index != kNobodyCountry
        && realmR->index != kNobodyCountry;
}

float CPeaceProposal::GetSenderValue() const
{
    if (!IsValid())
        return 0.0f;
    const float mI = PeaceScoreModifier(GetInitiator());
    const float mR = PeaceScoreModifier(GetReceiver());
    float value = vassalize < 0 ? -75.0f : vassalize > 0 ? 75.0f : 0.0f;
    for (auto it = initiatorYielded.GetHead(); !it.IsEnd(); it++) {
        if (CClaim::GetClaim(*it) != nullptr)
            value -= mI / mR * ClaimValue(*it);
    }
    for (auto it = initiatorClaimed.GetHead(); !it.IsEnd(); it++)
        value += mR / mI * ClaimTitleValue(*it);
    for (auto it = receiverYielded.GetHead(); !it.IsEnd(); it++)
        value += mR / mI * ClaimValue(*it);
    for (auto it = receiverClaimed.GetHead(); !it.IsEnd(); it++)
        value -= mI / mR * ClaimTitleValue(*it);
    return value + tribute.GetGold() / 500.0f;
}

float CPeaceProposal::GetSenderPrestigeGain() const
{
    if (!IsValid())
        return 0.0f;
    CRZCountry* realmI = RealmOf(GetInitiator());
    CRZCountry* realmR = RealmOf(GetReceiver());
    const CWar* fought = realmI->GetWar(realmR->index);
    if (fought == nullptr)
        return 0.0f;
    const float score
        = fought->GetAttacker() == GetInitiator() ? fought->GetAttackerScore() : -fought->GetAttackerScore();
    const float value = GetSenderValue();
    const bool claims = realmI->HaveClaimsAgainst(realmR->index) || realmR->HaveClaimsAgainst(realmI->index);
    if (!claims || value <= 0.0f)
        return value;
    return score - value;
}

void CPeaceProposal::Execute()
{
    CCharacter* i = GetInitiator();
    CCharacter* r = GetReceiver();
    if (i == nullptr || r == nullptr || !IsValid())
        return;
    CRZCountry* realmI = RealmOf(i);
    CRZCountry* realmR = RealmOf(r);
    if (!AtWar(realmI, realmR))
        return;
    const CWar* fought = GetWar();
    const bool initiatorAttacked = fought->GetAttacker() == i;

    const std::string longR = r->GetLongName();
    const std::string longI = i->GetLongName();
    const std::string terms = GetOthersDesc();
    ShowWarMessage(kPeaceMessage, realmI->index, { "", longR.c_str(), longI.c_str(), terms.c_str() }, 0);
    CSimpleScore score(0.0f, GetSenderPrestigeGain(), 0.0f);
    score += tribute;

    for (auto it = initiatorYielded.GetHead(); !it.IsEnd(); it++)
        GiveUpClaim(*it, realmI);
    for (auto it = initiatorClaimed.GetHead(); !it.IsEnd(); it++)
        EnforceClaim(*it, i, initiatorAttacked);
    for (auto it = receiverYielded.GetHead(); !it.IsEnd(); it++)
        GiveUpClaim(*it, realmR);
    for (auto it = receiverClaimed.GetHead(); !it.IsEnd(); it++)
        EnforceClaim(*it, r, !initiatorAttacked);

    realmI->AddScore(CCompositeScore(VLST_NEGOTIATIONS, score));
    realmR->AddScore(CCompositeScore(VLST_NEGOTIATIONS, score * -1.0f));

    EndWars(i, r);
    CRZCountryList* vassals = realmI->GetVassals();
    for (auto v = vassals->GetHead(); !v.IsEnd(); v++) {
        CRZCountry* vassal = CRZCountry::GetCountry(*v);
        if (vassal == nullptr)
            continue;
        EndWars(vassal->ruler, r);
        CRZCountryList* below = vassal->GetVassals();
        for (auto w = below->GetHead(); !w.IsEnd(); w++) {
            if (CRZCountry* subVassal = CRZCountry::GetCountry(*w))
                EndWars(subVassal->ruler, r);
        }
    }
    MakeTruce(i, r);
    if (realmI->IsLocal() || realmR->IsLocal())
        PlayWarSound(kPeaceSound);

    // A side left with neither land nor vassals is taken whole by the other.
    auto landless = [](CRZCountry* realm) {
        return realm->GetOwnedProvinces().IsEmpty() && realm->GetVassals()->IsEmpty();
    };
    const CRZCountryID numberI = realmI->index;
    const CRZCountryID numberR = realmR->index;
    if (landless(realmI))
        realmR->Annex(numberI, false);
    realmI = CRZCountry::GetCountry(numberI);
    realmR = CRZCountry::GetCountry(numberR);
    if (realmI != nullptr && realmR != nullptr && landless(realmR))
        realmI->Annex(numberR, false);

    if (vassalize < 0) {
        i->SetLiegeRuler(r);
        i->SetLoyaltyToLiege(1.0f);
    } else if (vassalize > 0) {
        r->SetLiegeRuler(i);
        r->SetLoyaltyToLiege(1.0f);
    }
    if (gWarHooks.RefreshMap)
        gWarHooks.RefreshMap();
    if (gWarHooks.RefreshWars)
        gWarHooks.RefreshWars();
}

void CPeaceProposal::EndWars(CCharacter* a, CCharacter* b)
{
    CRZCountry* realmA = RealmOf(a);
    if (realmA == nullptr || b == nullptr)
        return;
    const CList<CRZID> wars = realmA->GetWars();
    for (auto it = wars.GetHead(); !it.IsEnd(); it++) {
        CWar* war = CWar::GetWar(*it);
        if (war == nullptr)
            continue;
        CCharacter* other = nullptr;
        if (b->IsRealmUnderMe(war->GetAttacker()))
            other = war->GetAttacker();
        else if (b->IsRealmUnderMe(war->GetDefender()))
            other = war->GetDefender();
        if (other == nullptr)
            continue;
        CWar::EndWar(war);
        CRZCountry* realmO = RealmOf(other);
        if (realmO != nullptr) {
            ClearAtWar(realmA, realmO);
            realmA->AfterWarPeace(true);
            realmO->AfterWarPeace(true);
        }
        MakeTruce(a, other);
    }
}

const char* CPeaceProposal::GetTitleString(const CList<CRZID>& claims)
{
    return TitleList(claims, true);
}

const char* CPeaceProposal::GetOthersDesc() const
{
    static std::string buffer;
    const CCharacter* i = GetInitiator();
    const CCharacter* r = GetReceiver();
    const std::string longI = i != nullptr ? i->GetLongName() : "";
    const std::string longR = r != nullptr ? r->GetLongName() : "";
    const std::string pronounI = i != nullptr ? i->GetPossesivePronom() : "";
    const std::string pronounR = r != nullptr ? r->GetPossesivePronom() : "";
    std::string out;
    if (!receiverYielded.IsEmpty())
        Clause(out, "POPUP_PEACE_YIELD", { longR, pronounR }, &receiverYielded, " ");
    if (!receiverClaimed.IsEmpty())
        Clause(out, "POPUP_PEACE_GIVEN", { longR }, &receiverClaimed, " ");
    if (!initiatorYielded.IsEmpty())
        Clause(out, "POPUP_PEACE_YIELD", { longI, pronounI }, &initiatorYielded, " ");
    if (!initiatorClaimed.IsEmpty())
        Clause(out, "POPUP_PEACE_GIVEN", { longI, pronounI }, &initiatorClaimed, " ");
    const float gold = tribute.GetGold();
    if (gold < -0.1f)
        Clause(out, "POPUP_PEACE_INDEMNITIES", { longI, static_cast<int>(-gold) }, nullptr, " ");
    if (gold > 0.1f)
        Clause(out, "POPUP_PEACE_INDEMNITIES", { longR, static_cast<int>(gold) }, nullptr, " ");
    if (vassalize < 0)
        Clause(out, "POPUP_PEACE_VASSAL", { longI, longR }, nullptr, " ");
    if (vassalize > 0)
        Clause(out, "POPUP_PEACE_VASSAL", { longR, longI }, nullptr, " ");
    if (out.empty())
        Clause(out, "POPUP_PEACE_WHITE", {}, nullptr, " ");
    return Keep(buffer, out);
}

const char* CPeaceProposal::GetDesc() const
{
    static std::string buffer;
    std::string out;
    if (!receiverYielded.IsEmpty())
        Clause(out, "POPUP_PEACE_WE_YIELD", {}, &receiverYielded, "\n");
    if (!receiverClaimed.IsEmpty())
        Clause(out, "POPUP_PEACE_WE_CLAIM", {}, &receiverClaimed, "\n");
    if (!initiatorYielded.IsEmpty())
        Clause(out, "POPUP_PEACE_THEY_YIELD", {}, &initiatorYielded, "\n");
    if (!initiatorClaimed.IsEmpty())
        Clause(out, "POPUP_PEACE_THEY_CLAIM", {}, &initiatorClaimed, "\n");
    const float gold = tribute.GetGold();
    if (gold < -0.1f)
        Clause(out, "POPUP_PEACE_THEY_PAY", { static_cast<int>(-gold) }, nullptr, "\n");
    if (gold > 0.1f)
        Clause(out, "POPUP_PEACE_WE_PAY", { static_cast<int>(gold) }, nullptr, "\n");
    if (out.empty() && vassalize == 0)
        Clause(out, "POPUP_PEACE_WHITE", {}, nullptr, "\n");
    return Keep(buffer, out);
}
