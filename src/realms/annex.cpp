// A realm leaves the map by annexation; wars and occupations are settled after every change of war and
// peace; new realms are made from titles. These run on every machine, from the handlers of annexation,
// peace, grants and new countries.
#include <vector>

#include "characters/title.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/records_session.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/war.h"

#include "foundation/safeguards.h"

bool CRZCountry::_bAnnexationInProgress = false;

namespace {

constexpr int32_t kHighestNewRealm = 1421;

CRZCountry* RealmOf(const CCharacter* c)
{
    return c != nullptr ? c->GetCountry() : nullptr;
}

CRZCountry* RealmOfCharacter(const CRZID& id, const CRZCountry* victim)
{
    const auto* parent = dynamic_cast<const CCharacter*>(CIdentity::GetObjectFromID(id));
    CRZCountry* realm = RealmOf(parent);
    return realm != victim ? realm : nullptr;
}

// Where a character of the annexed realm goes: his father's realm, his mother's, the owner of where he
// is (the victim's top realm when that is the victim), or the realm of nobody. The top realm is the one
// the victim had before its ruler gave up the titles that made it a vassal.
CRZCountry* PlaceOf(
    const CCharacter* c, CRZCountry* victim, CRZCountry* victimTop, const CRZCountry* annexer, bool courtier)
{
    CRZCountry* place = RealmOfCharacter(c->father, victim);
    if (place == nullptr)
        place = RealmOfCharacter(c->mother, victim);
    if (place == nullptr) {
        const CProvince* location = CProvince::GetProvince(c->homeProvince);
        place = location != nullptr ? location->GetOwner() : nullptr;
        if (place == victim)
            place = victimTop;
    }
    CRZCountry* nobody = CRZCountry::GetCountry(kNobodyCountry);
    if (place == nullptr || place == victim || place == annexer)
        return nobody;
    if (courtier && place->ruler != nullptr && place->ruler->religion != c->religion)
        return nobody;
    return place;
}

void MoveTo(CCharacter* c, CRZCountry* realm)
{
    if (realm != nullptr)
        c->SetCountry(realm);
}

} // namespace

CList<CRZID> CRZCountry::GetWars() const
{
    CList<CRZID> found;
    if (ruler == nullptr || CWar::_pWars == nullptr)
        return found;
    for (auto it = CWar::_pWars->GetHead(); !it.IsEnd(); it++) {
        if ((*it)->GetAttacker() == ruler || (*it)->GetDefender() == ruler)
            found.Append((*it)->GetID());
    }
    return found;
}

CWar* CRZCountry::GetWar(CRZCountryID other) const
{
    const CRZCountry* realm = GetCountry(other);
    if (realm == nullptr || realm->ruler == nullptr)
        return nullptr;
    const CList<CRZID> wars = GetWars();
    for (auto it = wars.GetHead(); !it.IsEnd(); it++) {
        CWar* war = CWar::GetWar(*it);
        if (war != nullptr && (war->GetAttacker() == realm->ruler || war->GetDefender() == realm->ruler))
            return war;
    }
    return nullptr;
}

CRZCountryID CRZCountry::FindFreeCountryNumber()
{
    for (CRZCountryID number = kHighestNewRealm; number > kNoCountry; --number) {
        if (number != kNobodyCountry && _pCountry[number] == nullptr)
            return number;
    }
    return kNoCountry;
}

CRZCountry* CRZCountry::CreateCountryFromTitles(
    CList<CRZID>& titles, CCharacter* newRuler, CRZCountryID wanted)
{
    bool hasCounty = false;
    for (auto it = titles.GetHead(); !it.IsEnd(); it++) {
        const CTitle* title = CTitle::GetTitle(*it);
        hasCounty = hasCounty || (title != nullptr && title->GetTier()->IsCounty());
    }
    if (!hasCounty || newRuler == nullptr)
        return nullptr;
    CRZCountryID number = wanted;
    if (number <= kNoCountry || number > kHighestNewRealm || number == kNobodyCountry
        || _pCountry[number] != nullptr)
        number = FindFreeCountryNumber();
    if (number == kNoCountry) {
        history("No free realm number for %s: no realm is made", newRuler->GetName());
        return nullptr;
    }
    ConstructCountry(number);
    CRZCountry* realm = GetCountry(number);
    if (realm == nullptr)
        return nullptr;
    newRuler->SetCountry(realm);
    realm->AddRulerImmidiatly(newRuler);
    realm->SetCapital();
    realm->Init();
    return realm;
}

void CRZCountry::Annex(CRZCountryID victimId, bool extendConquestDate)
{
    CRZCountry* victim = GetCountry(victimId);
    if (victimId == kRebelCountry || _bAnnexationInProgress || victim == nullptr)
        return;

    CRZCountry* const victimTop = victim->GetRealm();
    if (CCharacter* head = victim->ruler) {
        if (victim->willInherit) {
            head->SetCountry(this);
        } else {
            // Titles go in list order up to the first county: a ruler who keeps one stays a realm.
            std::vector<CTitle*> held;
            for (auto it = head->titles.GetHead(); !it.IsEnd(); it++)
                held.push_back(*it);
            for (CTitle* title : held) {
                if (title->GetTier()->IsCounty()) {
                    head->RefreshOwnedProvinces();
                    return;
                }
                title->SetNewHolder(nullptr);
            }
            // The wars end while the ruler still stands for the victim, so the flags cleared are the
            // victim's and its enemies'.
            if (CWar::_pWars != nullptr) {
                std::vector<CWar*> ended;
                for (auto it = CWar::_pWars->GetHead(); !it.IsEnd(); it++) {
                    if ((*it)->GetAttacker() == head || (*it)->GetDefender() == head)
                        ended.push_back(*it);
                }
                for (CWar* war : ended) {
                    CRZCountry* a = RealmOf(war->GetAttacker());
                    CRZCountry* d = RealmOf(war->GetDefender());
                    if (a != nullptr && d != nullptr) {
                        a->atWarWith[d->index] = 0;
                        d->atWarWith[a->index] = 0;
                    }
                    CWar::EndWar(war);
                }
            }
            MoveTo(head, PlaceOf(head, victim, victimTop, this, false));
        }
    }

    victim->RefreshCourt();
    std::vector<CCharacter*> courtiers;
    for (auto it = victim->court.GetHead(); !it.IsEnd(); it++)
        courtiers.push_back(*it);
    for (CCharacter* courtier : courtiers) {
        if (!victim->willInherit) {
            std::vector<CTitle*> held;
            for (auto it = courtier->titles.GetHead(); !it.IsEnd(); it++)
                held.push_back(*it);
            for (CTitle* title : held) {
                const CTitle* liege = title->GetLiege();
                const CCharacter* liegeHolder = liege != nullptr ? liege->GetCurrentHolder() : nullptr;
                if (RealmOf(liegeHolder) == victim) {
                    title->SetLiege(nullptr);
                    title->SetNewHolder(nullptr);
                }
            }
        }
        if (RealmOf(courtier) == victim && courtier->titles.IsEmpty())
            MoveTo(courtier, victim->willInherit ? this : PlaceOf(courtier, victim, victimTop, this, true));
    }

    _bAnnexationInProgress = true;
    const std::vector<int32_t> owned = [&] {
        std::vector<int32_t> numbers;
        for (auto it = victim->GetOwnedProvinces().GetHead(); !it.IsEnd(); it++)
            numbers.push_back(*it);
        return numbers;
    }();
    for (int32_t number : owned) {
        CProvince* province = CProvince::GetProvince(number);
        if (province == nullptr || province->countyTitle == nullptr)
            continue;
        CRZCountry* owner = province->GetController();
        if (owner == victim)
            owner = this;
        if (owner == nullptr || owner == victim || !IsRealCountry(owner->index)) {
            owner = nullptr;
            CRZCountryList* friends = GetAllies();
            for (auto it = friends->GetHead(); !it.IsEnd() && owner == nullptr; it++) {
                CRZCountry* ally = GetCountry(*it);
                if (ally != nullptr && province->IsNational(*ally))
                    owner = ally;
            }
            if (owner == nullptr)
                owner = this;
        }
        if (owner->ruler != nullptr) {
            province->countyTitle->SetNewHolder(owner->ruler);
            province->lastConquest = GetGameToday();
        }
        if (province->GetControllerID() != index && province->GetOwner() == victim
            && atWarWith[province->GetControllerID()] == 0)
            province->SetController(index);
        if (province->GetOwner() == this && extendConquestDate)
            province->lastConquest.AddYears(3);
    }
    std::vector<int32_t> controlled;
    for (auto it = victim->controlledProvinces.GetHead(); !it.IsEnd(); it++)
        controlled.push_back(*it);
    for (int32_t number : controlled) {
        CProvince* province = CProvince::GetProvince(number);
        const CRZCountry* owner = province != nullptr ? province->GetOwner() : nullptr;
        if (owner != nullptr)
            province->SetController(owner->index);
    }

    if (rememberedCountry == victimId) {
        rememberedCountry = kNoCountry;
        capital = victim->capital;
        actingCapital = victim->capital;
    }
    victim->Cleanup();
    if (gWarHooks.WithdrawArmy != nullptr) {
        std::vector<CRZUnit*> leaving;
        for (auto it = victim->armies.GetHead(); !it.IsEnd(); it++)
            leaving.push_back(*it);
        for (CRZUnit* army : leaving)
            gWarHooks.WithdrawArmy(army);
    }
    // What waits in the scheduler for the victim would otherwise reach whoever takes its number next.
    if (!victim->IsLocal()) {
        FromCountry = victim->GetID();
        ToCountry = NOID;
        gEventScheduler.ForEach(&CRZCountry::ReDirectEvents);
    }

    for (int i = 0; i < static_cast<int>(kCountryTableSlots); ++i) {
        CRZCountry* other = _pCountry[i];
        if (other != nullptr && other != victim) {
            other->AfterWarPeace(victim != this);
            if (other->IsAI() && gCountryHooks.RemoveRequestsFrom != nullptr)
                gCountryHooks.RemoveRequestsFrom(*other, victimId);
        }
    }

    victim->annexed = true;
    victim->willInherit = false;
    // A realm cannot delete itself from inside its own handler: it leaves the table now and is deleted
    // once the event that reached it has been handed on.
    if (victim->IsLocal()) {
        ProcessLocalEvent(new CRZWinnerEvent(index));
    } else if (victim != this) {
        delete victim;
        victim = nullptr;
    } else {
        _pCountry[index] = nullptr;
        if (gpGameQ != nullptr)
            gpGameQ->Remove(this);
        _dissolved.Append(this);
    }

    for (CRZCountry* realm : _pCountry) {
        if (realm != nullptr)
            realm->RefreshVassals();
    }
    _bAnnexationInProgress = false;
    if (victim != this) {
        SetCapital();
        RefreshKnowledge();
        RefreshFogOfWar();
    }
}

void CRZCountry::AfterWarPeace(bool settleOccupations)
{
    CProvince::UpdateAllSupply(*this);
    if (gWarHooks.SettleArmies != nullptr)
        gWarHooks.SettleArmies(this);
    if (!settleOccupations)
        return;
    std::vector<int32_t> controlled;
    for (auto it = controlledProvinces.GetHead(); !it.IsEnd(); it++)
        controlled.push_back(*it);
    for (int32_t number : controlled) {
        CProvince* province = CProvince::GetProvince(number);
        if (province == nullptr)
            continue;
        CRZCountry* owner = province->GetOwner();
        if (province->occupation <= 0.0f || province->occupation >= 2.0f) {
            if (owner != nullptr && owner != this && atWarWith[owner->index] == 0)
                province->SetController(owner->index);
        } else if (!IsBesiegedByEnemy(*province)) {
            province->ClearOccupation();
        }
    }
}

bool CRZCountry::IsBesiegedByEnemy(const CProvince& province) const
{
    if (gCountryHooks.GetArmyState == nullptr)
        return false;
    for (auto it = province.units.GetHead(); !it.IsEnd(); it++) {
        const CArmyState army = gCountryHooks.GetArmyState(*it);
        if (army.owner != nullptr && atWarWith[army.owner->index] != 0 && !army.hasPath && !army.excluded)
            return true;
    }
    return false;
}
