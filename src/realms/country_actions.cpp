// The realm's actions: what the player's interface and the computer opponent call to change the world.
// None changes game state here; each builds an event for the realm itself or a host-side server, whose
// result reaches every machine's realm router.
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "foundation/random_generator.h"
#include "realms/advance.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/province_effect.h"
#include "realms/province_improvement.h"
#include "realms/request.h"

#include "foundation/safeguards.h"

namespace {

// A diplomatic message to a realm waits this long before the next.
constexpr int kDiplomaticPauseDays = 7;
// The diplomacy server's action for an answered trade offer, and its two answers.
constexpr int kTradeAnswer = 21;
constexpr int kTradeDeclined = 1;
constexpr int kTradeAccepted = 2;

CRZID IdentityOf(const CCharacter* character)
{
    return character != nullptr ? character->GetID() : NOID;
}

CRZID IdentityOf(const CTitle* title)
{
    return title != nullptr ? title->GetID() : NOID;
}

} // namespace

void CRZCountry::DeclareWar(CRZCountryID target, bool firstFlag, bool secondFlag)
{
    if (target == index)
        return;
    ProcessToHostEvent(new CRZWarEvent(
        _CRZEVT_REQ_SETUP_WAR_, DIPLOMACY_SERVER, DynamicID(NOID), index, target, firstFlag, secondFlag));
}

void CRZCountry::DeclareWar(CRZCountry* target, bool firstFlag, bool secondFlag)
{
    if (target != nullptr)
        DeclareWar(target->index, firstFlag, secondFlag);
}

void CRZCountry::LiberateVassal(CRZCountryID vassal, bool flag)
{
    ProcessToHostEvent(
        new CRZTwoCountryEvent(_CRZEVT_LIBERATE_VASSAL_, DIPLOMACY_SERVER, vassal, index, flag));
}

namespace {

void PostTitleAct(CRZEvtType type, CRZCountryID realm, const CCharacter* character, const CTitle* title)
{
    PostToHostEvent(
        new CRZCountryTwoIdEvent(type, DIPLOMACY_SERVER, realm, IdentityOf(character), IdentityOf(title)));
}

} // namespace

void CRZCountry::GrantTitle(CCharacter* character, CTitle* title)
{
    PostTitleAct(_CRZEVT_GRANTTITLE_, index, character, title);
}
void CRZCountry::GrabTitle(CCharacter* character, CTitle* title)
{
    PostTitleAct(_CRZEVT_GRABTITLE_, index, character, title);
}
void CRZCountry::UsurpTitle(CCharacter* character, CTitle* title)
{
    PostTitleAct(_CRZEVT_USURPTITLE_, index, character, title);
}
void CRZCountry::ClaimTitle(CCharacter* character, CTitle* title)
{
    PostTitleAct(_CRZEVT_CLAIMTITLE_, index, character, title);
}
void CRZCountry::CreateBishopry(CCharacter* character, CTitle* title)
{
    PostTitleAct(_CRZEVT_CREATEBISHOPRY_, index, character, title);
}

namespace {

void AnswerTrade(CRZCountryID realm, const CRZDiplomaticEvent* offer, int answer)
{
    if (offer == nullptr)
        return;
    auto* event = new CRZDiplomaticEvent(_CRZEVT_DIPLOMATIC_EVENT_, DIPLOMACY_SERVER,
        static_cast<TQDiplomacyAction>(kTradeAnswer), static_cast<TQDiplomacyType>(answer), realm,
        offer->Record().first, 0);
    // The amounts and lists of the offer go back as they came.
    event->Record().number = offer->Record().number;
    for (int table = 0; table < 6; ++table) {
        for (int i = 0; i < 5; ++i)
            event->Record().tables[table][i] = offer->Record().tables[table][i];
    }
    event->Record().firstValue = offer->Record().firstValue;
    event->Record().secondValue = offer->Record().secondValue;
    ProcessToHostEvent(event);
}

} // namespace

void CRZCountry::AcceptTrade(CRZDiplomaticEvent* offer)
{
    AnswerTrade(index, offer, kTradeAccepted);
}

void CRZCountry::DeclineTrade(CRZDiplomaticEvent* offer)
{
    AnswerTrade(index, offer, kTradeDeclined);
}

void CRZCountry::ChangeBudget(
    float scutage, float crownDuty, float census, float tolls, float upkeep, float church)
{
    PostToHostEvent(new CRZBudgetPercentageEvent(
        _CRZEVT_CHANGE_BUDGET_, INVESTMENT_SERVER, index, scutage, crownDuty, census, tolls, upkeep, church));
}

void CRZCountry::InstituteLaw(const CLawType& law)
{
    PostToHostEvent(new CRZIntCountryEvent(_CRZEVT_INSTITUTE_LAW_, INVESTMENT_SERVER, law.GetId(), index));
}

void CRZCountry::SetDevelopmentFocus(const CAdvanceTypeGroup* group)
{
    if (group != nullptr)
        PostToHostEvent(
            new CRZIntCountryEvent(_CRZEVT_SET_DEVELOPMENT_FOCUS_, INVESTMENT_SERVER, group->GetId(), index));
}

namespace {

void PostProvinceAct(CRZEvtType type, const CProvince& province, int number)
{
    PostToHostEvent(new CRZIntIntEvent(type, INVESTMENT_SERVER, province.GetNumber(), number));
}

} // namespace

void CRZCountry::StartBuildingProvinceImprovement(
    const CProvince& province, const CProvinceImprovementType& type)
{
    PostProvinceAct(_CRZEVT_START_BUILDING_PROVINCE_IMPROVEMENT_, province, type.GetID());
}

void CRZCountry::CancelBuildingProvinceImprovement(const CProvince& province)
{
    PostToHostEvent(new CRZIntEvent(
        _CRZEVT_CANCEL_BUILDING_PROVINCE_IMPROVEMENT_, INVESTMENT_SERVER, province.GetNumber()));
}

void CRZCountry::CreateProvinceImprovement(const CProvince& province, const CProvinceImprovementType& type)
{
    PostProvinceAct(_CRZEVT_CREATE_PROVINCE_IMPROVEMENT_, province, type.GetID());
}

void CRZCountry::DestroyProvinceImprovement(const CProvince& province, const CProvinceImprovementType& type)
{
    PostProvinceAct(_CRZEVT_DESTROY_PROVINCE_IMPROVEMENT_, province, type.GetID());
}

void CRZCountry::AddAdvance(const CProvince& province, const CAdvanceType& advance)
{
    PostProvinceAct(_CRZEVT_ADD_ADVANCE_, province, advance.GetID());
}

void CRZCountry::RemoveAdvance(const CProvince& province, const CAdvanceType& advance)
{
    PostProvinceAct(_CRZEVT_REMOVE_ADVANCE_, province, advance.GetID());
}

void CRZCountry::AddProvinceEffect(const CProvince& province, const CProvinceEffectType& effect)
{
    PostProvinceAct(_CRZEVT_ADD_PROVINCE_EFFECT_, province, effect.GetID());
}

void CRZCountry::RemoveProvinceEffect(const CProvince& province, const CProvinceEffectType& effect)
{
    PostProvinceAct(_CRZEVT_REMOVE_PROVINCE_EFFECT_, province, effect.GetID());
}

void CRZCountry::ChangeProvinceReligion(const CProvince& province, RZReligionType religion)
{
    PostToHostEvent(new CRZProvinceReligionEvent(
        _CRZEVT_SET_PROV_RELIGION_, INVESTMENT_SERVER, province.GetNumber(), religion));
}

void CRZCountry::ChangeProvinceCulture(const CProvince& province, RZCultureType culture)
{
    PostToHostEvent(new CRZProvinceCultureEvent(
        _CRZEVT_SET_PROV_CULTURE_, INVESTMENT_SERVER, province.GetNumber(), culture));
}

void CRZCountry::ChangePeasantNoblesPrivileges(const CProvince& province, float change)
{
    PostToHostEvent(new CRZIntFloatEvent(
        _CRZEVT_CHANGE_PEASANT_NOBLES_PRIVILEGES_, INVESTMENT_SERVER, province.GetNumber(), change));
}

void CRZCountry::ChangeBurgherClergyPrivileges(const CProvince& province, float change)
{
    PostToHostEvent(new CRZIntFloatEvent(
        _CRZEVT_CHANGE_BURGHER_CLERGY_PRIVILEGES_, INVESTMENT_SERVER, province.GetNumber(), change));
}

void CRZCountry::SetNewRuler(CCharacter* character)
{
    ProcessToHostEvent(new CRZNewRulerEvent(
        _CRZEVT_NEW_RULER_, CHARACTER_SERVER, IdentityOf(character), CountryIdentity(index)));
}

CCharacter* CRZCountry::CreateRandomCousin()
{
    const CRZID cousin = CRZDynamicObject::GetUniqueDynamicID();
    ProcessGlobalEvent(new CRZCreateRandomCousinEvent(
        _CRZEVT_CREATE_RANDOM_COUSIN_, CHARACTER_SERVER, cousin, CountryIdentity(index), gGameRandom.Next()));
    return CRef<CCharacter>(cousin).Get();
}

void CRZCountry::Assassinate(CCharacter* victim)
{
    PostToHostEvent(new CRZAssassinateEvent(
        _CRZEVT_ASSASSINATE_, CHARACTER_SERVER, IdentityOf(ruler), IdentityOf(victim), true, false));
}

void CRZCountry::MobilizeProvince(int province, MobilizationType type)
{
    ProcessGlobalEvent(
        new CRZIntIntEvent(_CRZEVT_MOBILIZE_PROVINCE_, CountryIdentity(index), province, type));
}

void CRZCountry::CreateArmy(const DynamicID& army, int number)
{
    ProcessGlobalEvent(new CRZBuildArmyEvent(_CRZEVT_CREATE_ARMY_, CountryIdentity(index), GetGameToday(),
        army, CRZDynamicObject::GetUniqueDynamicID(), number, NOID, NOID));
}

void CRZCountry::CreateDivision(const DynamicID& unit, int province, CCharacter* leader,
    RZCultureType culture, const CAdvanceTupleRecord& advances, const CMilitaryCompositionRecord& strength,
    bool firstFlag, bool secondFlag, bool thirdFlag)
{
    ProcessGlobalEvent(new CRZDivisionEvent(_CRZEVT_CREATE_DIVISION_, CountryIdentity(index), unit, province,
        IdentityOf(leader), culture, advances, strength, firstFlag, secondFlag, thirdFlag, 0));
}

void CRZCountry::AddDivision(const DynamicID& unit, CDivision* division)
{
    if (division != nullptr && gCountryHooks.GetDivisionID != nullptr)
        AddDivision(unit, gCountryHooks.GetDivisionID(division));
}

void CRZCountry::AddDivision(const DynamicID& unit, const DynamicID& division)
{
    ProcessGlobalEvent(
        new CRZAddDivisionEvent(_CRZEVT_ADD_DIVISION_, CountryIdentity(index), unit, division, 0));
}

void CRZCountry::RemoveDivision(CDivision* division)
{
    if (division == nullptr || gCountryHooks.GetDivisionID == nullptr)
        return;
    const DynamicID divisionId = gCountryHooks.GetDivisionID(division);
    ProcessGlobalEvent(
        new CRZAddDivisionEvent(_CRZEVT_REMOVE_DIVISION_, CountryIdentity(index), divisionId, divisionId, 0));
}

void CRZCountry::DemobilizeUnit(CRZUnit* army)
{
    if (army != nullptr && gCountryHooks.GetArmyID != nullptr)
        PostGlobalEvent(
            new CRZUnitEvent(_CRZEVT_REQUEST_DISBAND_UNIT_, ALLSERVER, gCountryHooks.GetArmyID(army), true));
}

void CRZCountry::Merge(const CList<CRZUnit*>* list)
{
    if (list == nullptr || list->GetSize() < 2 || gCountryHooks.GetArmyID == nullptr)
        return;
    auto it = list->GetHead();
    const DynamicID staying = gCountryHooks.GetArmyID(*it);
    for (it++; !it.IsEnd(); it++)
        ProcessToHostEvent(
            new CRZUnitMergeEvent(_CRZEVT_REQUEST_MERGE_, ALLSERVER, staying, gCountryHooks.GetArmyID(*it)));
}

void CRZCountry::RefreshWindows()
{
    PostLocalEvent(new CRZGenericEvent(_CRZEVT_REFRESHWINDOWS_, ALLID));
}

void CRZCountry::SendDiplomaticEvent(CRZEvent* event, CRZCountryID receiver)
{
    CDate allowed = GetGameToday();
    allowed.AddDays(kDiplomaticPauseDays);
    ProcessGlobalEvent(
        new CRZSetAllowedToSendDateEvent(_CRZEVT_SET_SEND_DATE_, CountryIdentity(index), receiver, allowed));
    if (event != nullptr)
        ProcessGlobalEvent(event);
}

namespace {

// The request goes to the host; only the local player hears that it went out.
void Send(const CRZCountry& sender, CRequest* request)
{
    request->SendToHost();
    if (sender.IsLocal())
        request->ShowRequestSentFeedback();
    delete request;
}

CRZCountryID RealmOf(const CCharacter* character)
{
    const CRZCountry* realm = character != nullptr ? character->GetCountry() : nullptr;
    return realm != nullptr ? realm->index : 0;
}

} // namespace

void CRZCountry::OfferVassalization(CRZCountry* target)
{
    if (target != nullptr)
        Send(*this, new COfferVassalizationRequest(index, target->index));
}

void CRZCountry::PledgeAllegience(CRZCountry* target)
{
    if (target != nullptr)
        Send(*this, new CPledgeAllegienceRequest(index, target->index));
}

void CRZCountry::OfferAlliance(CRZCountry* target)
{
    if (target != nullptr)
        Send(*this, new COfferAllianceRequest(index, target->index));
}

void CRZCountry::SendFosterling(CCharacter* child, CCharacter* guardian)
{
    if (child != nullptr && guardian != nullptr)
        Send(*this, new CSendFosterlingRequest(index, RealmOf(guardian), child->GetID()));
}

void CRZCountry::ProposeMarrige(CRZCountry* target, CCharacter* ours, CCharacter* theirs)
{
    if (target != nullptr && ours != nullptr && theirs != nullptr)
        Send(*this, new COfferMarrigeRequest(index, target->index, ours->GetID(), theirs->GetID()));
}

void CRZCountry::RevokeTitle(CTitle* title)
{
    if (title != nullptr)
        Send(*this, new CRevokeTitleRequest(index, RealmOf(title->GetCurrentHolder()), title->GetID()));
}

void CRZCountry::OfferPeace(const CPeaceProposal& proposal)
{
    Send(*this, new CSueForPeaceRequest(index, RealmOf(proposal.GetReceiver()), proposal));
}

void CRZCountry::MobilizeHost(CRZCountry* target, MobilizationType type)
{
    if (target == nullptr)
        return;
    if (target == this) {
        PostToHostEvent(new CRZCountryIntEvent(_CRZEVT_MOBILIZE_HOST_, CountryIdentity(index), index, type));
        return;
    }
    Send(*this, new CMobilizeHostRequest(index, target->index));
    if (type != MOBILIZE_WITH_VASSALS)
        return;
    CRZCountryList* theirs = target->GetVassals();
    for (auto it = theirs->GetHead(); !it.IsEnd(); it++) {
        CRZCountry* vassal = GetCountry(*it);
        if (vassal != nullptr && target->CanMobilizeHost(vassal))
            MobilizeHost(vassal, MOBILIZE_WITH_VASSALS);
    }
}

void CRZCountry::MobilizeGrandHost()
{
    if (CanMobilizeHost(this))
        PostToHostEvent(new CRZCountryIntEvent(
            _CRZEVT_MOBILIZE_HOST_, CountryIdentity(index), index, MOBILIZE_GRAND_HOST));
    CRZCountryList* ours = GetVassals();
    for (auto it = ours->GetHead(); !it.IsEnd(); it++) {
        CRZCountry* vassal = GetCountry(*it);
        if (vassal != nullptr && CanMobilizeHost(vassal))
            MobilizeHost(vassal, MOBILIZE_WITH_VASSALS);
    }
}
