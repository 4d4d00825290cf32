// The feudal acts of a ruler once the host has executed them, on every machine: granting, grabbing,
// usurping and claiming titles, founding a bishopric and instituting a law.
#include <algorithm>
#include <vector>

#include "app/game.h"
#include "characters/character.h"
#include "characters/law.h"
#include "characters/succession.h"
#include "characters/title.h"
#include "events/event.h"
#include "events/generic_events.h"
#include "events/record_event.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;
// The scripted event that tells a ruler his eldest son received a title outside his own vassalage.
constexpr int kEldestSonGrantedEvent = 1095;
// Message pairs: about one's own claim or land, and about others.
constexpr int kMessageGrabbed = 82;
constexpr int kMessageUsurped = 85;
constexpr int kMessageClaimed = 88;
constexpr int kSuccessorsAsked = 10;

struct TitleAct {
    CCharacter* character = nullptr;
    CTitle* title = nullptr;
};

TitleAct ReadTitleAct(CRZEvent* event)
{
    TitleAct act;
    const auto* record = RecordAs<CRZCountryTwoIdEventData>(event);
    if (record == nullptr)
        return act;
    // A character made in play bears a dynamic identity.
    if (record->first.type == RZTYPE_CHARACTER || record->first.type >= RZTYPE_DYNAMIC)
        act.character = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(record->first));
    act.title = CTitle::GetTitle(record->second);
    if (act.character == nullptr || act.title == nullptr)
        history("%s: character or title unknown; event dropped\n", event->GetName());
    return act;
}

// The characters of the list as plain pointers, for lists that change while they are walked.
std::vector<CCharacter*> Snapshot(const CList<CRef<CCharacter>>& list)
{
    std::vector<CCharacter*> out;
    for (auto it = list.GetHead(); !it.IsEnd(); it++)
        if (CCharacter* c = (*it).Get())
            out.push_back(c);
    return out;
}

// Whether the local player's people claim the title, or (for a claim) hold land of its duchy or kingdom.
bool ConcernsLocalPlayer(const CTitle& title, bool byLand)
{
    for (auto it = title.GetClaims().GetHead(); !it.IsEnd(); it++) {
        const CCharacter* claimant = (*it)->GetCharacter();
        const CRZCountry* realm = claimant != nullptr ? claimant->GetCountry() : nullptr;
        if (realm != nullptr && realm->IsLocal())
            return true;
    }
    if (!byLand)
        return false;
    for (int p = 0; p <= kLastTableProvince; ++p) {
        const CProvince* province = CProvince::GetProvince(p);
        const CRZCountry* owner = province != nullptr ? province->GetOwner() : nullptr;
        if (owner != nullptr && owner->IsLocal()
            && (province->titleRealms[0] == title.GetCountryID()
                || province->titleRealms[1] == title.GetCountryID()))
            return true;
    }
    return false;
}

void ShowTitleMessage(const CRZCountry& actor, int localType, const TitleAct& act, bool byLand)
{
    if (gCountryHooks.ShowMessage == nullptr)
        return;
    int type = localType;
    if (!ConcernsLocalPlayer(*act.title, byLand)) {
        if (actor.IsLocal())
            return;
        type = localType + 1;
    }
    gCountryHooks.ShowMessage(type, actor.index, "", act.character->GetFullName(),
        act.title->GetString(act.character), act.character->GetTitleInfo(), 0);
}

void TriggerScripted(int number, CCharacter* character)
{
    if (gCountryHooks.TriggerScriptedEvent)
        gCountryHooks.TriggerScriptedEvent(number, character);
}

// A new realm for the title's number, ruled by the character; null when the number is taken or no realm.
CRZCountry* FoundRealm(const CTitle& title, CCharacter& ruler)
{
    const CRZCountryID number = title.GetCountryID();
    if (!CRZCountry::IsRealCountry(number) || CRZCountry::GetCountry(number) != nullptr)
        return nullptr;
    gCountryControl[number] = CONTROL_COMPUTER;
    CRZCountry::ConstructCountry(number);
    CRZCountry* realm = CRZCountry::GetCountry(number);
    if (realm == nullptr)
        return nullptr;
    ruler.SetCountry(realm);
    realm->AddRulerImmidiatly(&ruler);
    return realm;
}

} // namespace

int CRZCountry::handleGrantTitle(CRZEvent* event)
{
    const TitleAct act = ReadTitleAct(event);
    CCharacter* c = act.character;
    CTitle* t = act.title;
    if (c == nullptr || t == nullptr || ruler == nullptr)
        return kHandled;

    if (c->GetCountry() == this || c->realmId == kNobodyCountry) {
        if (CRZCountry* founded = FoundRealm(*t, *c))
            founded->ChangeRelation(index, 150.0f);
    }
    if (c->GetLiegeRuler() == ruler) {
        if (t->GetTier()->IsDuchy())
            c->ChangeLoyaltyToLiege(0.5f);
        else if (t->GetTier()->IsCounty())
            c->ChangeLoyaltyToLiege(0.2f);
    }

    ruler->CalcVassals();
    const std::vector<CCharacter*> vassalsBefore = Snapshot(ruler->GetVassals());
    std::vector<CCharacter*> dejureCounts;
    if (t->GetTier()->IsDuchy()) {
        for (CCharacter* v : vassalsBefore) {
            const CTitle* primary = v->GetPrimaryTitle();
            if (v != c && primary != nullptr && primary->GetTier()->IsCounty() && primary->GetLiege() == t)
                dejureCounts.push_back(v);
        }
    }

    t->SetNewHolder(c);

    CTitle* primary = ruler->GetPrimaryTitle();
    if (primary != nullptr && primary->MayBecomeLiege(t)) {
        t->SetLiege(primary);
    } else {
        t->SetLiege(primary != nullptr ? primary->GetLiege() : nullptr);
        if (OnHost() && c->father == ruler->GetID() && c->titles.GetSize() == 1) {
            CDate eldest = CRZGame::GetCurrentDate();
            for (auto it = ruler->children.GetHead(); !it.IsEnd(); it++) {
                const CCharacter* child = (*it).Get();
                if (child != nullptr && child->IsAlive() && !child->IsFemale() && eldest > child->birthDate)
                    eldest = child->birthDate;
            }
            if (c->birthDate == eldest)
                TriggerScripted(kEldestSonGrantedEvent, ruler);
        }
    }

    for (CCharacter* count : dejureCounts)
        count->SetLiegeRuler(ruler);

    int moved = 0;
    const CRZCountryID number = t->GetCountryID();
    for (CCharacter* v : vassalsBefore) {
        if (v == c)
            continue;
        if (t->GetTier()->IsDuchy()) {
            const CTitle* vPrimary = v->GetPrimaryTitle();
            const CProvince* province = vPrimary != nullptr && vPrimary->GetTier()->IsCounty()
                ? CProvince::GetProvince(vPrimary->GetProvince())
                : nullptr;
            if (province != nullptr && province->titleRealms[0] == number) {
                v->SetLiegeRuler(c);
                ++moved;
            }
        } else if (t->GetTier()->IsKingdom()) {
            CRZCountry* realm = v->GetCountry();
            const CProvince* seat = realm != nullptr ? CProvince::GetProvince(realm->capital) : nullptr;
            if (seat != nullptr && seat->titleRealms[1] == number) {
                const int theirs = realm->GetVassals()->GetSize();
                v->SetLiegeRuler(c);
                moved += 1 + theirs;
            }
        }
    }

    RefreshKnowledge();
    AddBadBoy(-0.5f);
    AddBadBoy(-0.3f * static_cast<float>(moved));
    c->AddScore(CSimpleScore(0.0f, t->GetPrestigeValue(), 0.0f));
    return kHandled;
}

int CRZCountry::handleGrabTitle(CRZEvent* event)
{
    const TitleAct act = ReadTitleAct(event);
    CCharacter* holder = act.title != nullptr ? act.title->GetCurrentHolder() : nullptr;
    if (act.character == nullptr || holder == nullptr)
        return kHandled;
    ShowTitleMessage(*this, kMessageGrabbed, act, false);
    if (CRZCountry* own = act.character->GetCountry(); own != nullptr && holder->GetCountry() != nullptr)
        own->ChangeRelation(holder->GetCountry()->index, -25.0f);
    AddBadBoy(1.0f);
    act.character->AddScore(GetGrabTitleCost(act.character, act.title));
    if (OnHost())
        act.character->PostCreateClaim(act.title->GetCountryID());
    return kHandled;
}

int CRZCountry::handleUsurpTitle(CRZEvent* event)
{
    const TitleAct act = ReadTitleAct(event);
    CCharacter* holder = act.title != nullptr ? act.title->GetCurrentHolder() : nullptr;
    if (act.character == nullptr || holder == nullptr)
        return kHandled;
    ShowTitleMessage(*this, kMessageUsurped, act, false);
    if (CRZCountry* own = act.character->GetCountry(); own != nullptr && holder->GetCountry() != nullptr)
        own->ChangeRelation(holder->GetCountry()->index, -50.0f);
    act.character->AddScore(CSimpleScore(0.0f, act.title->GetPrestigeUsurpCost(), 0.0f));
    if (OnHost())
        act.character->PostCreateClaim(act.title->GetCountryID());
    return kHandled;
}

int CRZCountry::handleClaimTitle(CRZEvent* event)
{
    const TitleAct act = ReadTitleAct(event);
    CCharacter* c = act.character;
    CTitle* t = act.title;
    if (c == nullptr || t == nullptr)
        return kHandled;
    ShowTitleMessage(*this, kMessageClaimed, act, true);
    const float w = t->GetWarValue();
    c->AddScore(CSimpleScore(-w, w, 0.0f));
    CTitle* liege = c->GetPrimaryTitle() != nullptr ? c->GetPrimaryTitle()->GetLiege() : nullptr;
    t->SetNewHolder(c);
    if (liege == nullptr || liege->GetCountryID() == 0)
        return kHandled;
    if (t->GetRankPts() < liege->GetRankPts()) {
        t->SetLiege(liege);
        return kHandled;
    }
    if (OnHost()) {
        if (CCharacter* liegeRuler = c->GetLiegeRuler()) {
            for (auto it = c->titles.GetHead(); !it.IsEnd(); it++)
                if (!liegeRuler->HasClaim(*it))
                    liegeRuler->PostCreateClaim((*it)->GetCountryID());
        }
    }
    CCharacter* liegeHolder = liege->GetCurrentHolder();
    CRZCountry* liegeRealm = liegeHolder != nullptr ? liegeHolder->GetCountry() : nullptr;
    CTitle* upper = liege->GetLiege();
    if (upper != nullptr && upper->GetCountryID() != 0 && liege->GetRankPts() == t->GetRankPts()) {
        t->SetLiege(upper);
        CCharacter* upperHolder = upper->GetCurrentHolder();
        if (liegeRealm != nullptr)
            liegeRealm->RefreshVassals();
        if (upperHolder != nullptr && upperHolder->GetCountry() != nullptr)
            upperHolder->GetCountry()->RefreshVassals();
        c->SetLiegeRuler(upperHolder);
    } else {
        t->SetLiege(nullptr);
        if (liegeRealm != nullptr)
            liegeRealm->RefreshVassals();
        c->SetLiegeRuler(nullptr);
    }
    return kHandled;
}

int CRZCountry::handleCreateBishopry(CRZEvent* event)
{
    const TitleAct act = ReadTitleAct(event);
    CCharacter* c = act.character;
    CTitle* t = act.title;
    if (c == nullptr || t == nullptr || ruler == nullptr)
        return kHandled;
    if (c->GetCountry() == this) {
        if (CRZCountry* founded = FoundRealm(*t, *c)) {
            founded->ImmidiateSetFormOfGoverment(GOV_ECCLESIASTICAL);
            ChangeRelation(founded->index, 150.0f);
        }
    }
    t->SetNewHolder(c);
    CTitle* primary = ruler->GetPrimaryTitle();
    if (primary != nullptr && !primary->MayBecomeLiege(t))
        primary = primary->GetLiege();
    t->SetLiege(primary);
    ruler->AddScore(CSimpleScore(0.0f, 0.0f, t->GetCreateBishopryPietyValue()));
    c->AddScore(CSimpleScore(0.0f, t->GetPrestigeValue(), 0.0f));
    RefreshKnowledge();
    return kHandled;
}

int CRZCountry::handleInstituteLaw(CRZEvent* event)
{
    const auto* record = RecordAs<CRZIntCountryEventData>(event);
    const CLawType* law = record != nullptr ? CLawType::Get(record->number) : nullptr;
    if (law == nullptr) {
        history("%s: no such law; event dropped\n", event->GetName());
        return kHandled;
    }
    const int lawId = law->GetId();
    const int group = law->GetGroup();
    const CLawTuple before = laws;
    std::vector<CCharacter*> heirsBefore;
    if (group == 0 && ruler != nullptr) {
        CSuccessionLaw succession(laws);
        for (CCharacter* heir : Snapshot(succession.GetSuccessors(CRef<CCharacter>(ruler), kSuccessorsAsked)))
            if (std::find(heirsBefore.begin(), heirsBefore.end(), heir) == heirsBefore.end())
                heirsBefore.push_back(heir);
    }
    if (group >= 0 && group < static_cast<int>(std::size(lawDates)))
        lawDates[group] = CRZGame::GetCurrentDate();

    std::vector<CCharacter*> vassalRulers;
    for (auto it = GetVassals()->GetHead(); !it.IsEnd(); it++)
        if (CRZCountry* vassal = GetCountry(*it); vassal != nullptr && vassal->ruler != nullptr)
            vassalRulers.push_back(vassal->ruler);
    auto eachProvince = [&](const CStandsTuple& change) {
        for (auto it = GetOwnedProvinces().GetHead(); !it.IsEnd(); it++)
            if (CProvince* province = CProvince::GetProvince(*it))
                province->ChangeLoyalty(change);
    };

    if (group == 0) {
        for (CCharacter* v : vassalRulers)
            v->ChangeLoyaltyToLiege(-0.5f);
        eachProvince(CStandsTuple(0.0f, 0.0f, -0.2f, -0.2f));
    } else if (group == 1) {
        // Only the first law in force that is being replaced gives offence.
        if (before.Exists(7) && lawId != 7) {
            for (CCharacter* v : vassalRulers)
                if (ruler != nullptr && (v->father == ruler->GetID() || v->mother == ruler->GetID()))
                    v->ChangeLoyaltyToLiege(-0.3f);
        } else if (before.Exists(8) && lawId != 8) {
            for (CCharacter* v : vassalRulers)
                v->ChangeLoyaltyToLiege(-0.2f);
        } else if (before.Exists(9) && lawId != 9) {
            eachProvince(CStandsTuple(-0.1f, -0.1f, -0.1f, -0.1f));
        } else if (before.Exists(10) && lawId != 10) {
            eachProvince(CStandsTuple(-0.2f, -0.2f, 0.0f, 0.0f));
        }
    }
    laws.Set(lawId);

    if (group == 0 && ruler != nullptr) {
        CSuccessionLaw succession(laws);
        const std::vector<CCharacter*> heirsAfter
            = Snapshot(succession.GetSuccessors(CRef<CCharacter>(ruler), kSuccessorsAsked));
        for (CCharacter* x : heirsBefore) {
            if (std::find(heirsAfter.begin(), heirsAfter.end(), x) != heirsAfter.end())
                continue;
            CRZCountry* theirs = x->GetCountry();
            if (theirs != nullptr && theirs != this) {
                ChangeRelation(theirs->index, theirs->ruler == x ? -50.0f : -25.0f);
            }
            if (OnHost()) {
                for (auto it = ruler->titles.GetHead(); !it.IsEnd(); it++)
                    x->PostCreateClaim((*it)->GetCountryID());
            }
        }
    }
    return kHandled;
}
