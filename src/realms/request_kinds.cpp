// The eight kinds of diplomatic request: each one's event, validity, texts and the terms its sender's realm
// carries out on every machine once the answer is in. Draws and new objects are made on the host alone.
#include "realms/request.h"

#include <algorithm>
#include <string>

#include "characters/character.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/record_event.h"
#include "events/records_character.h"
#include "events/variable_events.h"
#include "foundation/identity.h"
#include "foundation/random_generator.h"
#include "foundation/ref.h"
#include "foundation/text_format.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/war.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

bool OnHost()
{
    return gCountryHooks.IsHost == nullptr || gCountryHooks.IsHost();
}

CCharacter* Character(const CRZID& id)
{
    return CRef<CCharacter>(id).Get();
}

std::string LongName(const CCharacter* character)
{
    return character != nullptr ? character->GetLongName() : "";
}

std::string Pronoun(const CCharacter* character)
{
    return character != nullptr ? character->GetPossesivePronom() : "";
}

bool IsCountyTitle(const CTitle* title)
{
    return title->GetTier() != nullptr && title->GetTier()->IsCounty();
}

// The character asks the host for a claim on the realm's title, under a claim identity of this machine.
void PostClaim(CCharacter* character, CRZCountryID realm)
{
    if (character != nullptr)
        PostToHostEvent(new CRZCreateClaimEvent(
            _CRZEVT_CREATECLAIM_, CHARACTER_SERVER, character->GetID(), realm, CIdentity::GetRandomID()));
}

// The claimant claims every title the holder holds.
void ClaimAllTitlesOf(CCharacter* claimant, const CCharacter* holder)
{
    if (claimant == nullptr || holder == nullptr)
        return;
    for (auto it = holder->titles.GetHead(); !it.IsEnd(); it++)
        PostClaim(claimant, (*it)->GetCountryID());
}

// Each vassal realm's ruler of the realm changes his loyalty to his liege.
void ShakeVassals(CRZCountry* realm, float change)
{
    if (realm == nullptr)
        return;
    CRZCountryList* vassals = realm->GetVassals();
    if (vassals == nullptr)
        return;
    for (auto it = vassals->GetHead(); !it.IsEnd(); it++)
        if (CRZCountry* vassal = CRZCountry::GetCountry(*it))
            if (vassal->ruler != nullptr)
                vassal->ruler->ChangeLoyaltyToLiege(change);
}

// A computer liege refused a title goes to war for it, the likelier the less loyal the holder, unless a
// vassal of his is near revolt. The draw is the host's.
void MaybeWarOnRefusal(CRZCountry* liege, const CCharacter* holder)
{
    float lowest = 1.0f;
    if (CRZCountryList* vassals = liege->GetVassals())
        for (auto it = vassals->GetHead(); !it.IsEnd(); it++)
            if (const CRZCountry* vassal = CRZCountry::GetCountry(*it))
                if (vassal->ruler != nullptr)
                    lowest = std::min(lowest, vassal->ruler->GetLoyaltyToLiege());
    const int draw = gGameRandom.Next() % 100;
    if (static_cast<float>(draw) < 100.0f - 33.0f * holder->GetLoyaltyToLiege() && lowest > 0.7f)
        liege->DeclareWar(holder->GetCountry(), false, false);
}

CCompositeScore Negotiated(const CSimpleScore& score)
{
    return CCompositeScore(VLST_NEGOTIATIONS, score);
}

} // namespace

template <CRZEvtType Type> CRZEvent* CSimpleRequest<Type>::MakeEvent(const CRZID& receiver) const
{
    return new CRZSimpleRequestEvent(Type, receiver, id, sender, recipient, date);
}

template class CSimpleRequest<_CRZEVT_REQUEST_MOBILIZE_HOST_>;
template class CSimpleRequest<_CRZEVT_REQUEST_OFFER_VASSALIZATION_>;
template class CSimpleRequest<_CRZEVT_REQUEST_PLEDGE_ALLEGIENCE_>;
template class CSimpleRequest<_CRZEVT_REQUEST_OFFER_ALLIANCE_>;

void CRequest::TellRulers(int type) const
{
    Tell(type, { LongName(RecipientRuler()).c_str(), LongName(SenderRuler()).c_str() });
}

// Mobilise host.

void CMobilizeHostRequest::Execute(int answer)
{
    CRZCountry* from = GetSenderCountry();
    CRZCountry* to = GetRecipientCountry();
    if (from == nullptr || to == nullptr)
        return;
    if (answer == 1) {
        if (!OnHost())
            return;
        for (auto it = to->GetOwnedProvinces().GetHead(); !it.IsEnd(); it++) {
            CProvince* province = CProvince::GetProvince(*it);
            if (province != nullptr && province->GetControllerID() == to->index
                && province->levyRegiment == NOID)
                from->MobilizeProvince(*it, MOBILIZE_OWN_HOST);
        }
        return;
    }
    CCharacter* theirRuler = to->ruler;
    if (theirRuler == nullptr)
        return;
    theirRuler->ChangeLoyaltyToLiege(-0.1f);
    if (OnHost() && theirRuler->GetPrimaryTitle() != nullptr)
        PostClaim(from->ruler, theirRuler->GetPrimaryTitle()->GetCountryID());
}

void CMobilizeHostRequest::ShowMessage(int answer)
{
    TellRulers(answer == 1 ? 14 : 15);
}

void CMobilizeHostRequest::WriteToPopup(std::string (&parts)[8]) const
{
    FillPopup(parts, "MOBHOST", 4,
        { { 1, LongName(SenderRuler()) }, { 2, Pronoun(SenderRuler()) }, { 4, ExpiryText() } });
}

std::string CMobilizeHostRequest::WriteToBlockInfo() const
{
    return FormatDataText(
        TextStrings.GetString("MOBHOST_CURR_INFO"), { LongName(RecipientRuler()), ExpiryText() });
}

// Offer vassalization.

void COfferVassalizationRequest::Execute(int answer)
{
    CRZCountry* from = GetSenderCountry();
    CCharacter* lord = SenderRuler();
    CCharacter* vassal = RecipientRuler();
    if (answer != 1 || from == nullptr || lord == nullptr || vassal == nullptr)
        return;
    float prestige = 0.0f;
    for (auto it = vassal->titles.GetHead(); !it.IsEnd(); it++) {
        if (IsCountyTitle(*it))
            from->AddBadBoy(0.75f);
        prestige += (*it)->GetPrestigeValue();
    }
    from->AddScore(Negotiated(CSimpleScore(0.0f, prestige / 2.0f, 0.0f)));
    if (OnHost())
        ClaimAllTitlesOf(vassal->GetLiegeRuler(), vassal);
    vassal->SetLoyaltyToLiege(1.0f);
    vassal->SetLiegeRuler(lord);
}

void COfferVassalizationRequest::ShowMessage(int answer)
{
    TellRulers(answer == 1 ? 43 : 46);
}

void COfferVassalizationRequest::WriteToPopup(std::string (&parts)[8]) const
{
    FillPopup(parts, "OFFERVASSALIZATION", 4,
        { { 1, LongName(SenderRuler()) }, { 2, Pronoun(SenderRuler()) }, { 4, ExpiryText() } });
}

std::string COfferVassalizationRequest::WriteToBlockInfo() const
{
    return FormatDataText(
        TextStrings.GetString("PLEDGE_VASSAL_INFO"), { LongName(RecipientRuler()), ExpiryText() });
}

// Pledge allegiance.

void CPledgeAllegienceRequest::Execute(int answer)
{
    CRZCountry* from = GetSenderCountry();
    if (from == nullptr)
        return;
    from->AddScore(Negotiated(-from->GetPledgeAllegienceCost(recipient)));
    CCharacter* pledging = from->ruler;
    CCharacter* lord = RecipientRuler();
    if (answer != 1 || pledging == nullptr || lord == nullptr)
        return;
    if (OnHost())
        ClaimAllTitlesOf(pledging->GetLiegeRuler(), pledging);
    pledging->SetLiegeRuler(lord);
    pledging->SetLoyaltyToLiege(1.0f);
}

void CPledgeAllegienceRequest::ShowMessage(int answer)
{
    TellRulers(answer == 1 ? 50 : 53);
}

void CPledgeAllegienceRequest::WriteToPopup(std::string (&parts)[8]) const
{
    FillPopup(parts, "PLEDGEALLEGIENCE", 4, { { 1, LongName(SenderRuler()) }, { 4, ExpiryText() } });
}

std::string CPledgeAllegienceRequest::WriteToBlockInfo() const
{
    return FormatDataText(
        TextStrings.GetString("PLEDGE_CURR_INFO"), { LongName(RecipientRuler()), ExpiryText() });
}

// Offer marriage.

COfferMarrigeRequest::COfferMarrigeRequest(
    CRZCountryID from, CRZCountryID to, const CRZID& ourCharacter, const CRZID& theirCharacter)
    : COfferMarrigeRequest(CIdentity::GetRandomID(), from, to, GetGameToday(), ourCharacter, theirCharacter)
{
}

COfferMarrigeRequest::COfferMarrigeRequest(const CRZID& identity, CRZCountryID from, CRZCountryID to,
    const CDate& when, const CRZID& ourCharacter, const CRZID& theirCharacter)
    : CRequest(identity, from, to)
    , ours(ourCharacter)
    , theirs(theirCharacter)
{
    date = when;
    characters.Append(ours);
    characters.Append(theirs);
}

CRZEvent* COfferMarrigeRequest::MakeEvent(const CRZID& receiver) const
{
    return new CRZTwoIdRequestEvent(
        _CRZEVT_REQUEST_OFFER_MARRIGE_, receiver, id, sender, recipient, date, ours, theirs);
}

bool COfferMarrigeRequest::IsDataValid() const
{
    CCharacter* our = Character(ours);
    CCharacter* their = Character(theirs);
    return our != nullptr && their != nullptr && our->IsAlive() && their->IsAlive() && our->CanMarry(their)
        && IsValid();
}

void COfferMarrigeRequest::Execute(int answer)
{
    CCharacter* our = Character(ours);
    CCharacter* their = Character(theirs);
    if (answer != 1 || our == nullptr || their == nullptr)
        return;
    CRZCountry* ourRealm = our->GetCountry();
    CRZCountry* theirRealm = their->GetCountry();
    our->Marry(their);
    if (ourRealm != theirRealm && ourRealm != nullptr && theirRealm != nullptr && ourRealm->ruler != nullptr
        && theirRealm->ruler != nullptr)
        ourRealm->ruler->Truce(theirRealm->ruler);
}

void COfferMarrigeRequest::ShowMessage(int answer)
{
    Tell((answer == 1 ? 57 : 60) + GetProximity(),
        { LongName(RecipientRuler()).c_str(), LongName(Character(ours)).c_str(),
            LongName(Character(theirs)).c_str() });
}

void COfferMarrigeRequest::WriteToPopup(std::string (&parts)[8]) const
{
    FillPopup(parts, "OFFERMARRIGE", 6,
        { { 1, LongName(SenderRuler()) }, { 3, LongName(Character(ours)) },
            { 5, LongName(Character(theirs)) }, { 6, ExpiryText() } });
}

std::string COfferMarrigeRequest::WriteToBlockInfo() const
{
    return FormatDataText(TextStrings.GetString("PLEDGE_MARRIAGE_INFO"),
        { LongName(RecipientRuler()), LongName(Character(ours)), LongName(Character(theirs)), ExpiryText() });
}

// Send fosterling.

CSendFosterlingRequest::CSendFosterlingRequest(CRZCountryID from, CRZCountryID to, const CRZID& fosterling)
    : CSendFosterlingRequest(CIdentity::GetRandomID(), from, to, GetGameToday(), fosterling)
{
}

CSendFosterlingRequest::CSendFosterlingRequest(
    const CRZID& identity, CRZCountryID from, CRZCountryID to, const CDate& when, const CRZID& fosterling)
    : CRequest(identity, from, to)
    , child(fosterling)
{
    date = when;
    characters.Append(child);
}

CRZEvent* CSendFosterlingRequest::MakeEvent(const CRZID& receiver) const
{
    return new CRZTwoIdRequestEvent(_CRZEVT_UNNAMED_478_, receiver, id, sender, recipient, date, child, NOID);
}

bool CSendFosterlingRequest::IsDataValid() const
{
    CCharacter* fosterling = Character(child);
    return fosterling != nullptr && fosterling->IsAlive() && IsValid();
}

void CSendFosterlingRequest::Execute(int answer)
{
    CCharacter* fosterling = Character(child);
    CRZCountry* to = GetRecipientCountry();
    if (answer != 1 || fosterling == nullptr || to == nullptr)
        return;
    fosterling->AddTrait(TRAIT_FOSTERLING);
    fosterling->SetCountry(to);
}

void CSendFosterlingRequest::ShowMessage(int answer)
{
    Tell((answer == 1 ? 64 : 67) + GetProximity(),
        { LongName(RecipientRuler()).c_str(), LongName(Character(child)).c_str() });
}

void CSendFosterlingRequest::WriteToPopup(std::string (&parts)[8]) const
{
    FillPopup(parts, "SENDFOSTERLING", 6,
        { { 1, LongName(SenderRuler()) }, { 3, LongName(Character(child)) }, { 6, ExpiryText() } });
}

std::string CSendFosterlingRequest::WriteToBlockInfo() const
{
    return FormatDataText(TextStrings.GetString("SEND_FOSTERLING_INFO"),
        { LongName(RecipientRuler()), LongName(Character(child)), ExpiryText() });
}

// Sue for peace.

CSueForPeaceRequest::CSueForPeaceRequest(CRZCountryID from, CRZCountryID to, const CPeaceProposal& terms)
    : CSueForPeaceRequest(CIdentity::GetRandomID(), from, to, GetGameToday(), terms)
{
}

CSueForPeaceRequest::CSueForPeaceRequest(
    const CRZID& identity, CRZCountryID from, CRZCountryID to, const CDate& when, const CPeaceProposal& terms)
    : CRequest(identity, from, to)
    , proposal(terms)
{
    date = when;
}

CRZEvent* CSueForPeaceRequest::MakeEvent(const CRZID& receiver) const
{
    if (proposal.GetWar() == nullptr)
        return nullptr;
    return new CRZPeaceRequestEvent(
        _CRZEVT_REQUEST_SUE_FOR_PEACE_, receiver, id, sender, recipient, date, proposal.GetTerms());
}

bool CSueForPeaceRequest::MustAccept() const
{
    CRZCountry* from = GetSenderCountry();
    CRZCountry* to = GetRecipientCountry();
    CWar* war = proposal.GetWar();
    if (from == nullptr || to == nullptr || war == nullptr || from->ruler == nullptr)
        return false;
    for (auto it = to->GetOwnedProvinces().GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince(*it);
        if (province != nullptr && province->GetControllerID() == to->index)
            return false;
    }
    return war->HasFought(from->ruler);
}

bool CSueForPeaceRequest::IsDataValid() const
{
    CRZCountry* from = GetSenderCountry();
    return from != nullptr && GetRecipientCountry() != nullptr && from->atWarWith[recipient] != 0
        && IsValid();
}

void CSueForPeaceRequest::Execute(int answer)
{
    if (answer == 1)
        proposal.Execute();
}

void CSueForPeaceRequest::ShowMessage(int answer)
{
    TellRulers(answer == 1 ? 73 : 74);
}

void CSueForPeaceRequest::WriteToPopup(std::string (&parts)[8]) const
{
    FillPopup(parts, "SUE_FOR_PEACE", 4, { { 1, LongName(proposal.GetInitiator()) }, { 4, ExpiryText() } });
    parts[5] = proposal.GetDesc();
}

std::string CSueForPeaceRequest::WriteToBlockInfo() const
{
    return FormatDataText(
        TextStrings.GetString("PEACE_CURR_INFO"), { LongName(proposal.GetReceiver()), ExpiryText() });
}

// Revoke title.

CRevokeTitleRequest::CRevokeTitleRequest(CRZCountryID from, CRZCountryID to, const CRZID& revoked)
    : CRevokeTitleRequest(CIdentity::GetRandomID(), from, to, GetGameToday(), revoked)
{
}

CRevokeTitleRequest::CRevokeTitleRequest(
    const CRZID& identity, CRZCountryID from, CRZCountryID to, const CDate& when, const CRZID& revoked)
    : CRequest(identity, from, to)
    , title(revoked)
{
    date = when;
}

CRZEvent* CRevokeTitleRequest::MakeEvent(const CRZID& receiver) const
{
    return new CRZOneIdRequestEvent(
        _CRZEVT_REQUEST_REVOKE_TITLE_, receiver, id, sender, recipient, date, title);
}

bool CRevokeTitleRequest::IsDataValid() const
{
    const CTitle* revoked = CTitle::GetTitle(title);
    if (revoked == nullptr || !IsValid())
        return false;
    const CCharacter* holder = revoked->GetCurrentHolder();
    return holder == nullptr || holder == RecipientRuler();
}

void CRevokeTitleRequest::Execute(int answer)
{
    CRZCountry* from = GetSenderCountry();
    CRZCountry* to = GetRecipientCountry();
    CTitle* revoked = CTitle::GetTitle(title);
    CCharacter* lord = SenderRuler();
    CCharacter* holder = RecipientRuler();
    if (from == nullptr || to == nullptr || revoked == nullptr || lord == nullptr || holder == nullptr)
        return;
    ShakeVassals(from, -0.25f);
    const float prestige = revoked->GetPrestigeValue();
    if (answer != 1) {
        lord->AddScore(CSimpleScore(0.0f, -prestige, 0.0f));
        if (OnHost()) {
            PostClaim(lord, revoked->GetCountryID());
            if (gCountryControl[sender] == CONTROL_COMPUTER)
                MaybeWarOnRefusal(from, holder);
        }
        return;
    }
    const bool duchy = revoked->GetTier() != nullptr && revoked->GetTier()->IsDuchy();
    if (holder->IsBishop())
        lord->AddScore(CSimpleScore(0.0f, 0.0f, -revoked->GetCreateBishopryPietyValue()));
    from->AddBadBoy(IsCountyTitle(revoked) ? 1.0f : 0.75f);
    // The counts under the duchy follow the duke who keeps his own lands, or the liege who takes the duchy.
    CList<CCharacter*> noted;
    if (duchy) {
        for (auto it = holder->GetVassals().GetHead(); !it.IsEnd(); it++) {
            CCharacter* vassal = (*it).Get();
            const CTitle* primary = vassal != nullptr ? vassal->GetPrimaryTitle() : nullptr;
            if (vassal != nullptr && vassal != lord && primary != nullptr && IsCountyTitle(primary)
                && primary->GetOwnLiege() == revoked)
                noted.Append(vassal);
        }
    }
    revoked->SetNewHolder(lord);
    const CTitle* holderPrimary = holder->GetPrimaryTitle();
    if (!to->GetOwnedProvinces().IsEmpty() && holderPrimary != nullptr && !IsCountyTitle(holderPrimary))
        for (auto it = noted.GetHead(); !it.IsEnd(); it++)
            (*it)->SetLiegeRuler(holder);
    if (duchy) {
        CList<CCharacter*> moving;
        for (auto it = holder->GetVassals().GetHead(); !it.IsEnd(); it++) {
            CCharacter* vassal = (*it).Get();
            const CTitle* primary = vassal != nullptr ? vassal->GetPrimaryTitle() : nullptr;
            if (vassal == nullptr || vassal == lord || primary == nullptr || !IsCountyTitle(primary))
                continue;
            const CProvince* province = CProvince::GetProvince(primary->GetProvince());
            if (province != nullptr && province->GetOwner() != nullptr
                && province->GetOwner() == CRZCountry::GetCountry(revoked->GetCountryID()))
                moving.Append(vassal);
        }
        for (auto it = moving.GetHead(); !it.IsEnd(); it++)
            (*it)->SetLiegeRuler(lord);
    }
    if (OnHost())
        PostClaim(holder, revoked->GetCountryID());
    holder->AddScore(CSimpleScore(0.0f, -prestige, 0.0f));
    holder->ChangeLoyaltyToLiege(0.5f);
}

void CRevokeTitleRequest::ShowMessage(int answer)
{
    const CTitle* revoked = CTitle::GetTitle(title);
    const std::string name = revoked != nullptr ? revoked->GetString(RecipientRuler()) : "";
    Tell(answer == 1 ? 76 : 77, { LongName(RecipientRuler()).c_str(), name.c_str() });
}

void CRevokeTitleRequest::WriteToPopup(std::string (&parts)[8]) const
{
    const CTitle* revoked = CTitle::GetTitle(title);
    const std::string name = revoked != nullptr ? revoked->GetString(RecipientRuler()) : "";
    FillPopup(parts, "REVOKE_TITLE", 6, { { 2, LongName(SenderRuler()) }, { 4, name }, { 6, ExpiryText() } });
}

std::string CRevokeTitleRequest::WriteToBlockInfo() const
{
    const CTitle* revoked = CTitle::GetTitle(title);
    const std::string name = revoked != nullptr ? revoked->GetString(RecipientRuler()) : "";
    return FormatDataText(
        TextStrings.GetString("REVOKE_CURR_INFO"), { name, LongName(RecipientRuler()), ExpiryText() });
}

// Offer alliance.

bool COfferAllianceRequest::IsDataValid() const
{
    const CCharacter* ours = SenderRuler();
    const CCharacter* theirs = RecipientRuler();
    if (ours != nullptr && theirs != nullptr
        && (ours->allies.GetSize() >= ours->GetAllowedAllies()
            || theirs->allies.GetSize() > theirs->GetAllowedAllies()))
        return false;
    return IsValid();
}

void COfferAllianceRequest::Execute(int answer)
{
    CCharacter* ours = SenderRuler();
    CCharacter* theirs = RecipientRuler();
    if (answer == 1 && ours != nullptr && theirs != nullptr)
        ours->Ally(theirs);
}

void COfferAllianceRequest::ShowMessage(int answer)
{
    TellRulers(answer == 1 ? 79 : 80);
}

void COfferAllianceRequest::WriteToPopup(std::string (&parts)[8]) const
{
    FillPopup(parts, "OFFERALLIANCE", 4, { { 1, LongName(SenderRuler()) }, { 4, ExpiryText() } });
}

std::string COfferAllianceRequest::WriteToBlockInfo() const
{
    return FormatDataText(
        TextStrings.GetString("OFFERALLIANCE_CURR_INFO"), { LongName(RecipientRuler()), ExpiryText() });
}
