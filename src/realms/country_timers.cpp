// The realm's periodic handlers: the day, month and year ticks, the clock's tick loop and the start of
// the game. They run on every machine in the same order; only the host draws random numbers, and what it
// draws reaches the others as events.
#include <algorithm>
#include <cmath>

#include "app/settings.h"
#include "characters/character.h"
#include "characters/papacy.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/game_clock.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "foundation/logs.h"
#include "foundation/random_generator.h"
#include "realms/country.h"
#include "realms/owner_area.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kSlots = static_cast<int>(kCountryTableSlots);
// Church income of a province a month, without and with a cathedral.
constexpr float kChurchIncome[2] = { 1.0f, 2.0f };
constexpr int kCathedral = 26;
// Smaller church buildings each add their number's share.
constexpr struct {
    int improvement;
    float income;
} kChurchBuildings[] = { { 25, 1.0f }, { 27, 2.0f }, { 28, 3.0f }, { 29, 4.0f } };
constexpr int kTheocraticLaw = 6;
// A papal court with fewer men than this share takes only men from the pool.
constexpr float kPapalCourtMen = 0.51f;

bool IsHost()
{
    return gCountryHooks.IsHost != nullptr && gCountryHooks.IsHost();
}

CDate Today()
{
    return GetGameToday();
}

int CountryIDOf(const CProvince* province)
{
    const CRZCountry* owner = province != nullptr ? province->GetOwner() : nullptr;
    return owner != nullptr ? owner->index : 0;
}

// Every courtier the host makes draws the gender, the kind of person and the seed, in that order.
void PostCourtierCreation(const CRZCountry& realm)
{
    CCourtierCounters none;
    CCourtierCounters& counters
        = gCountryHooks.GetCourtierCounters != nullptr ? *gCountryHooks.GetCourtierCounters() : none;
    Gender gender = GENDER_MALE;
    if (gGameRandom.Next() % 100 > 60 || counters.women < counters.characters / 2) {
        gender = GENDER_FEMALE;
        ++counters.women;
    }
    const int r = gGameRandom.Next() % 100;
    int creation = 0;
    if (gender == GENDER_MALE)
        creation = r < 20 ? 2 : r < 40 ? 3 : r < 60 ? 4 : r < 80 ? 5 : 1;
    else
        creation = r < 25 ? 5 : r < 55 ? 3 : r < 75 ? 4 : 1;
    const int seed = gGameRandom.Next();
    const CCharacter* ruler = realm.ruler;
    PostToHostEvent(new CRZCharacterCreationEvent(_CRZEVT_CHARACTER_CREATION_, CHARACTER_SERVER,
        realm.GetID(), NOID, CRZID(CRZDynamicObject::GetUniqueDynamicID()), seed, realm.capital, gender,
        static_cast<VLCreationType>(creation),
        static_cast<RZReligionType>(ruler != nullptr ? ruler->religion : 0),
        static_cast<RZCultureType>(ruler != nullptr ? ruler->culture : 0), nullptr));
}

// The realm of nobody hands its people to the realms that lack courtiers: each takes those of its ruler's
// culture or its capital's, the pope's court only men while women are half of it.
void FillCourtsFromPool(CRZCountry& pool)
{
    const CCharacter* controller
        = CPapacy::GetInstance() != nullptr ? CPapacy::GetInstance()->GetPapalController() : nullptr;
    const CRZCountry* papalState = CPapacy::GetPapalState();
    for (int i = 0; i < kSlots; ++i) {
        CRZCountry* realm = CRZCountry::_pCountry[i];
        if (realm == nullptr || !CRZCountry::IsRealCountry(i))
            continue;
        // Asked daily of every realm and most courts are full: what follows only reads for a realm in need.
        int needed = realm->GetNeededCharacters();
        if (needed == 0)
            continue;
        const int rulerCulture = realm->ruler != nullptr ? realm->ruler->culture : -1;
        const CProvince* capital = CProvince::GetProvince(realm->capital);
        const int capitalCulture = capital != nullptr ? capital->culture : -1;

        bool onlyMen = false;
        if ((controller != nullptr && controller->GetCountry() == realm) || realm == papalState) {
            int men = 0;
            for (auto it = realm->court.GetHead(); !it.IsEnd(); it++)
                men += (*it)->IsFemale() ? 0 : 1;
            const int size = realm->court.GetSize();
            onlyMen = size > 0 && static_cast<float>(men) / static_cast<float>(size) < kPapalCourtMen;
        }

        bool found = realm->ruler != nullptr;
        while (needed > 0 && !pool.members.IsEmpty() && found) {
            CCharacter* taken = nullptr;
            for (auto it = pool.members.GetHead(); !it.IsEnd(); it++) {
                CCharacter* candidate = *it;
                if ((candidate->culture == rulerCulture || candidate->culture == capitalCulture)
                    && (!onlyMen || !candidate->IsFemale()))
                    taken = candidate;
            }
            found = taken != nullptr;
            if (found) {
                // Moving him takes him out of the pool's lists.
                taken->SetCountry(realm);
                pool.members.Remove(taken);
                pool.court.Remove(taken);
                --needed;
            }
        }
        if (IsHost()) {
            for (; needed > 0; --needed)
                PostCourtierCreation(*realm);
        }
    }
}

// The day's phases reach the diagnostic log only while it is switched on; otherwise not even the realm's
// name is looked up, since every realm runs its day.
void TracePhase(const CRZCountry& realm, char phase)
{
    if (isSuperDebug)
        superdebug("TimerDay: %s - phase %c\n", realm.GetName(), phase);
}

void MarkWarOrPeace(CRZCountry& realm)
{
    if (realm.atWar != 0)
        realm.lastWar = Today();
    else
        realm.lastPeace = Today();
}

} // namespace

int CRZCountry::GetNeededCharacters() const
{
    int needed = IsKingdom() ? 8 : IsDuchy() ? 6 : 4;
    // Asked every day for every realm: counting stops once the court is full, not at the last member.
    for (auto it = members.GetHead(); !it.IsEnd() && needed > 0; it++) {
        if ((*it)->IsAdult())
            --needed;
    }
    return std::max(needed, 0);
}

float CRZCountry::GetMonthlyPossibleChurchDonations() const
{
    float total = 0.0f;
    for (auto it = GetOwnedProvinces().GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince(*it);
        if (province == nullptr)
            continue;
        float income = kChurchIncome[province->HasImprovement(kCathedral) ? 1 : 0];
        for (const auto& building : kChurchBuildings) {
            if (province->HasImprovement(building.improvement))
                income += building.income;
        }
        total += income * (1.0f + 2.0f * province->GetPrivileges().GetClergy());
    }
    return total;
}

float CRZCountry::GetLoyaltyProgress(int stand, float share) const
{
    switch (stand) {
    case CStandsTuple::PEASANTS:
    case CStandsTuple::BURGHERS:
        return -(share - 0.5f) * 0.02f;
    case CStandsTuple::CLERGY:
        return (share - 0.5f) * 0.02f;
    case CStandsTuple::NOBLES:
        return -(share - 0.5f) * 0.01f;
    default:
        return 0.0f;
    }
}

float CRZCountry::GetLoyaltyProgress(int stand) const
{
    switch (stand) {
    case CStandsTuple::PEASANTS:
        return GetLoyaltyProgress(stand, budget[SLIDER_CENSUS]);
    case CStandsTuple::BURGHERS:
        return GetLoyaltyProgress(stand, budget[SLIDER_TOLLS]);
    case CStandsTuple::CLERGY:
        return GetLoyaltyProgress(stand, budget[SLIDER_CHURCH]);
    case CStandsTuple::NOBLES:
        return GetLoyaltyProgress(stand, budget[SLIDER_CROWN_DUTY]);
    default:
        return 0.0f;
    }
}

float CRZCountry::GetMonthlyPiety() const
{
    return GetMonthlyPossibleChurchDonations() * budget[SLIDER_CHURCH];
}

float CRZCountry::GetMonthlyBadBoyDecay() const
{
    if (ruler == nullptr)
        return 0.0f;
    const float piety = ruler->score.GetPiety();
    float s = piety > 0.0f ? std::sqrt(piety) / 10.0f : 0.0f;
    // A peer's settings record may carry any number: out of 0..4 it would divide by zero or turn the
    // decay into growth.
    const int32_t difficulty
        = gpSettings != nullptr ? std::clamp<int32_t>(gpSettings->Record().difficulty, 0, 4) : 0;
    s /= static_cast<float>(difficulty + 1);
    return s > 5.0f ? 5.0f / 12.0f : s / 12.0f;
}

void CRZCountry::RecalculateSeatOfGovernment()
{
    int32_t seat = capital;
    float best = -1.0f;
    for (auto it = GetOwnedProvinces().GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince(*it);
        if (province == nullptr)
            continue;
        float score = province->IsNational(*this) ? 101.0f : 1.0f;
        if (province->culture == GetPrimaryCulture())
            score += 20.0f;
        if (ruler != nullptr && province->religion == ruler->religion)
            score += 10.0f;
        if (province->ownerArea != nullptr)
            score += static_cast<float>(province->ownerArea->GetProvinces().GetSize());
        score += static_cast<float>(province->strategicValue);
        score -= GetDistance(capital, *it);
        score = std::max(score, 1.0f);
        if (score > best) {
            best = score;
            seat = *it;
        }
    }
    actingCapital = seat;
}

void CRZCountry::LimitSliders()
{
    const struct {
        BudgetSlider slider;
        float (CRZCountry::*max)() const;
        float (CRZCountry::*min)() const;
    } kBounds[] = {
        { SLIDER_SCUTAGE, &CRZCountry::GetMaxScutage, &CRZCountry::GetMinScutage },
        { SLIDER_CROWN_DUTY, &CRZCountry::GetMaxCrownDuty, &CRZCountry::GetMinCrownDuty },
        { SLIDER_CENSUS, &CRZCountry::GetMaxCensusTax, &CRZCountry::GetMinCensusTax },
        { SLIDER_TOLLS, &CRZCountry::GetMaxTolls, &CRZCountry::GetMinTolls },
        { SLIDER_CHURCH, &CRZCountry::GetMaxChurchDonations, &CRZCountry::GetMinChurchDonations },
    };
    for (const auto& bound : kBounds) {
        float& share = budget[bound.slider];
        share = std::min(share, (this->*bound.max)());
        share = std::max(share, (this->*bound.min)());
    }
}

int CRZCountry::handleTimerDay(CRZEvent* event)
{
    const bool real = IsRealCountry(index);
    if (real && capital != 0) {
        const CProvince* province = CProvince::GetProvince(capital);
        if (province == nullptr || province->GetOwner() != this)
            capital = actingCapital = 0;
    }
    if (real && capital == 0)
        SetCapital();

    TracePhase(*this, 'a');
    LimitSliders();
    CreateCountriesFromRevolts(false);
    MarkWarOrPeace(*this);
    if (ruler != nullptr)
        ruler->RefreshOwnedProvinces();

    TracePhase(*this, 'b');
    CalculateHereticOwned();
    CalcRealmHasCoast();
    IncomeProcess();

    TracePhase(*this, 'c');
    UpdateSubObjects(event);

    TracePhase(*this, 'd');
    if (index == kNobodyCountry)
        FillCourtsFromPool(*this);

    TracePhase(*this, 'e');
    // A computer realm never carries debt into the next day; a human lives with his.
    if (index >= 0 && index < kSlots && gCountryControl[index] == CONTROL_COMPUTER && ruler != nullptr) {
        const float gold = GetScore().GetGold();
        if (gold < 0.0f)
            ruler->AddScore(CSimpleScore(-gold, 0.0f, 0.0f));
    }
    return 0;
}

int CRZCountry::handleTimerMonth(CRZEvent* event)
{
    CalculatePower();
    RefreshKnowledge();
    RefreshCourt();
    AddBadBoy(-GetMonthlyBadBoyDecay());
    baseVictoryPoints.AddMonthly();
    MakeJealousNeighbours();
    UpdateSubObjects(event);

    // Opinions drift toward 100 from either side but never cross it by drifting.
    powerRank = 1;
    const CRelationDrift drift(*this);
    for (int i = 0; i < kSlots; ++i) {
        CRZCountry* other = _pCountry[i];
        if (other == nullptr)
            continue;
        if (other->power[0] > power[0])
            ++powerRank;
        float change = drift.Of(other);
        const float relation = GetRelation(i);
        if ((relation > 100.0f && change > 0.0f) || (relation < 100.0f && change < 0.0f))
            change = 0.0f;
        ChangeRelation(other->index, change);
    }

    if (ruler != nullptr && ruler->IsAlive()) {
        const float gold = -(GetMonthlyPossibleChurchDonations() * budget[SLIDER_CHURCH]);
        ruler->AddScore(
            CSimpleScore(gold, ruler->GetMonthlyPrestigeChange(), ruler->GetMonthlyPietyChange()));
    }

    // A kingdom's or duchy's capital stays inside its own lands.
    if (capital != 0) {
        const CProvince* province = CProvince::GetProvince(capital);
        const bool outside = province == nullptr || (IsKingdom() && province->titleRealms[1] != index)
            || (IsDuchy() && province->titleRealms[0] != index);
        if (outside)
            capital = actingCapital = 0;
    }
    if (capital == 0 && IsRealCountry(index))
        SetCapital();
    return 0;
}

int CRZCountry::handleTimerYear(CRZEvent* event)
{
    if (gCountryHooks.InvalidateMap != nullptr)
        gCountryHooks.InvalidateMap();
    UpdateSubObjects(event);
    return 0;
}

int CRZCountry::handleTimerTickLoop(CRZEvent* event)
{
    const bool real = IsRealCountry(index);
    if (real) {
        const CProvince* atCapital = CProvince::GetProvince(capital);
        const CProvince* atSeat = CProvince::GetProvince(actingCapital);
        if ((atCapital == nullptr || atCapital->GetControllerID() != index)
            && (atSeat == nullptr || atSeat->GetControllerID() != index))
            RecalculateSeatOfGovernment();
    }
    if (GetOwnedProvinces().IsEmpty() && real) {
        DissolveIfLandless();
        return 0;
    }

    if (CountryIDOf(CProvince::GetProvince(capital)) != index)
        capital = actingCapital = 0;
    UpdateSubObjects(event);

    CTitle* primary = ruler != nullptr ? ruler->GetPrimaryTitle() : nullptr;
    if (IsHost() && primary != nullptr && primary->GetCountryID() != index) {
        CTitle* own = CTitle::GetTitle(index);
        if (own != nullptr && own->GetCurrentHolder() == ruler
            && primary->GetRankPts() == own->GetRankPts()) {
            // The realm's own title leads the titles of its rank.
            CList<CTitle*> aside;
            for (auto it = ruler->titles.GetHead(); !it.IsEnd(); it++) {
                if (*it != own && (*it)->GetRankPts() >= own->GetRankPts())
                    aside.Append(*it);
            }
            ruler->RemoveTitle(own);
            for (auto it = aside.GetHead(); !it.IsEnd(); it++)
                ruler->RemoveTitle(*it);
            ruler->AddTitle(own);
            for (auto it = aside.GetHead(); !it.IsEnd(); it++)
                ruler->AddTitle(*it);
        } else if (!(own != nullptr && own->GetCurrentHolder() == ruler
                       && primary->GetRankPts() < own->GetRankPts())
            && GetCountry(primary->GetCountryID()) == nullptr) {
            // The realm takes the name of its ruler's highest title.
            ProcessGlobalEvent(
                new CRZCountryEvent(_CRZEVT_CHANGE_TAG_, GetID(), primary->GetCountryID(), true));
        }
    }
    if (formOfGovernment != GOV_FEUDAL)
        laws.Set(kTheocraticLaw);
    return 0;
}

void CRZCountry::DissolveIfLandless()
{
    if (ruler == nullptr)
        return;
    // The recorded death date, not IsAlive: the host counts a death it has only posted, and every machine
    // must dissolve the realm on the same day.
    ruler->IsAlive();
    const CDate died = ruler->deathDate;
    const bool dissolve = died == CDate()
        ? GetVassals()->IsEmpty() || gCountryControl[index] != CONTROL_COMPUTER
        : Today() > died;
    if (dissolve)
        Annex(index, false);
}

int CRZCountry::handleGameStarted(CRZEvent* event)
{
    SetCapital();
    if (IsLocal()) {
        if (gCountryHooks.ClearNoFogCheat != nullptr)
            gCountryHooks.ClearNoFogCheat();
        RefreshFogOfWar();
    }
    LimitSliders();
    CalculateHereticOwned();
    CalcRealmHasCoast();
    CalculateDistances();
    RefreshKnowledge();
    UpdateSubObjects(event);
    CalculatePower();
    Init();
    // A month's drift at once, with no bound: the scenario's opinions settle before play.
    const CRelationDrift drift(*this);
    for (int i = 0; i < kSlots; ++i) {
        if (CRZCountry* other = _pCountry[i])
            ChangeRelation(other->index, 30.0f * drift.Of(other));
    }
    if (gCountryHooks.IsSavedGame == nullptr || !gCountryHooks.IsSavedGame())
        MarkWarOrPeace(*this);
    AssignCourt();
    return 0;
}
