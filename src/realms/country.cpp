// The country table, the control table, the factory of realms by who controls them, and the realm's
// queries on its own state.
#include "realms/country.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/game.h"
#include "app/settings.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "foundation/logs.h"
#include "realms/advance.h"
#include "realms/country_db.h"
#include "realms/province.h"
#include "realms/request.h"

#include "foundation/safeguards.h"

CRZCountry* CRZCountry::_pCountry[kCountryTableSlots] = {};
int32_t gCountryControl[kCountryTableSlots] = {};
CountryHooks gCountryHooks;

namespace {

constexpr int kSlots = static_cast<int>(kCountryTableSlots);
constexpr float kRelationLimit = 200.0f;
constexpr float kStabilityLimit = 3.0f;
// Where the map's horizontal wrap makes the other way round shorter.
constexpr int32_t kMapWidth = 9472;

// A distance where a capital or a province is missing.
constexpr float kNoDistance = 9999.0f;
// The empire's realm, whose demesne limit is doubled.
constexpr int32_t kEmpireCountry = 1271;
// Realms of this culture count as Mongol.
constexpr int32_t kMongolCulture = 36;

// The laws in force in a new realm.
constexpr int kStartingLaws[] = { 1, 9, 13 };

void CopyText(char* target, std::size_t size, const char* text)
{
    std::snprintf(target, size, "%s", text ? text : "");
}

CRZCountry* MakeKind(CRZCountryID id)
{
    auto made = [](CRZCountry* (*maker)()) -> CRZCountry* { return maker ? maker() : nullptr; };
    CRZCountry* realm = nullptr;
    switch (gCountryControl[id]) {
    case CONTROL_COMPUTER:
        if (gCountryHooks.IsHost && gCountryHooks.IsHost())
            realm = made(gCountryHooks.MakeAI);
        break;
    case CONTROL_LOCAL_PLAYER:
        realm = made(gCountryHooks.IsTutorial && gCountryHooks.IsTutorial() ? gCountryHooks.MakeTutorial
                                                                            : gCountryHooks.MakePlayer);
        break;
    case CONTROL_REBELS:
        realm = new CRZRebels;
        break;
    default:
        break;
    }
    return realm ? realm : new CRZCountry;
}

} // namespace

bool IsCountryNumber(int64_t number, const char* where)
{
    if (number >= 0 && number < kSlots)
        return true;
    history("%s: realm number %lld outside 0..1422 ignored\n", where ? where : "?",
        static_cast<long long>(number));
    return false;
}

void ClearCountryControl()
{
    std::fill(std::begin(gCountryControl), std::end(gCountryControl), CONTROL_COMPUTER);
    gCountryControl[kRebelCountry] = CONTROL_REBELS;
}

CRZCountry::CRZCountry()
{
    for (int law : kStartingLaws)
        laws.Set(law);
}

CRZCountry::~CRZCountry()
{
    if (index >= 0 && index < kSlots && _pCountry[index] == this)
        _pCountry[index] = nullptr;
    if (gpGameQ != nullptr)
        gpGameQ->Remove(this);
    _dissolved.Remove(this);
    delete vassals;
    delete allies;
    if (gCountryHooks.DestroyArmy != nullptr) {
        for (auto it = armies.GetHead(); !it.IsEnd(); it++)
            gCountryHooks.DestroyArmy(*it);
    }
    armies.RemoveAll();
    for (auto it = pendingRequests.GetHead(); !it.IsEnd(); it++)
        delete *it;
    pendingRequests.RemoveAll();
}

void CRZCountry::ConstructCountry(CRZCountryID id)
{
    if (!IsCountryNumber(id, "ConstructCountry"))
        return;
    delete _pCountry[id];
    CRZCountry* realm = MakeKind(id);
    realm->index = id;
    _pCountry[id] = realm;
    realm->SetTag(CCountryDB::IDToTag(id));
    realm->SetName(CCountryDB::IDToName(id));
    realm->CRZStaticObject::Create(StaticID(CRZID(RZTYPE_COUNTRY, static_cast<uint32_t>(id))));
    if (gpGameQ != nullptr)
        gpGameQ->Append(realm);
}

void CRZCountry::InitCountryArray()
{
    std::fill(std::begin(_pCountry), std::end(_pCountry), nullptr);
}

void CRZCountry::DeleteAll()
{
    for (CRZCountry*& realm : _pCountry)
        delete realm;
    DeleteDissolved();
    InitCountryArray();
}

bool CRZCountry::IsRealCountry(int index)
{
    return index > kNoCountry && index < kSlots && index != kNobodyCountry && index != kRebelCountry;
}

CRZCountry* CRZCountry::GetCountry(int index)
{
    if (index < 0 || index >= kSlots)
        return nullptr;
    return _pCountry[index];
}

CRZStaticObject* CRZCountry::FindStatic(uint32_t index)
{
    return GetCountry(index < kCountryTableSlots ? static_cast<int>(index) : -1);
}

const char* CRZCountry::GetName() const
{
    if (ruler == nullptr)
        return CRZObj::GetName();
    if (index == kRebelCountry)
        return CCountryDB::IDToName(kRebelCountry);
    // The name follows the ruler's primary title, government, faith and culture as they stand now; realms
    // are never built const, so renewing the stored name here is safe.
    if (const CTitle* title = ruler->GetPrimaryTitle())
        const_cast<CRZCountry*>(this)->SetName(
            title->GetCountryName(formOfGovernment, ruler->religion, ruler->culture));
    return CRZObj::GetName();
}

void CRZCountry::SetTag(const char* text)
{
    CopyText(tag, sizeof tag, text);
}

void CRZCountry::SetAIPrefsFile(const char* text)
{
    CopyText(aiPrefsFile, sizeof aiPrefsFile, text);
}

float CRZCountry::GetRelation(CRZCountryID other) const
{
    return other >= 0 && other < kSlots ? relations[other] : 0.0f;
}

void CRZCountry::SetRelation(CRZCountryID other, float value)
{
    if (IsCountryNumber(other, "SetRelation"))
        relations[other] = std::clamp(value, -kRelationLimit, kRelationLimit);
}

float CRZCountry::ChangeRelation(CRZCountryID other, float change)
{
    if (!IsCountryNumber(other, "ChangeRelation"))
        return 0.0f;
    const float sum = relations[other] + change;
    const float clamped = std::clamp(sum, -kRelationLimit, kRelationLimit);
    relations[other] = clamped;
    CRZCountry* them = _pCountry[other];
    if (them == nullptr)
        return sum;
    if (index >= 0 && index < kSlots)
        them->relations[index] = clamped;
    return clamped;
}

float CRZCountry::GetMonthlyRelationChange(const CRZCountry* other) const
{
    return CRelationDrift(*this).Of(other);
}

CRelationDrift::CRelationDrift(const CRZCountry& drifting)
    : realm(drifting)
    , ruler(drifting.ruler)
    , mine(ruler != nullptr ? ruler->GetTraits() : CTraitTuple())
{
}

float CRelationDrift::Of(const CRZCountry* other) const
{
    if (other == nullptr || other->ruler == nullptr || ruler == nullptr)
        return 0.0f;
    const CCharacter* theirs = other->ruler;
    float change = ruler->religion == theirs->religion ? 0.5f : -1.0f;
    if (ruler->culture == theirs->culture)
        change += 0.5f;
    if (other->index >= 0 && other->index < kSlots && realm.atWarWith[other->index] != 0)
        change -= 2.0f;
    // One walk over his relations answers both questions that HasRivalry and HasFriendship would each
    // walk them for; the other side is looked up only for the two kinds asked about.
    bool rival = false;
    bool friendly = false;
    for (auto it = theirs->relations.GetHead(); !it.IsEnd(); it++) {
        const CRelation* relation = *it;
        const CRelationType type = relation->GetType();
        if ((type == RELATION_RIVAL && !rival) || (type == RELATION_FRIEND && !friendly)) {
            if (relation->IsActive() && relation->GetOther(theirs) == ruler)
                (type == RELATION_RIVAL ? rival : friendly) = true;
        }
    }
    if (rival)
        change -= 1.5f;
    if (friendly)
        change += 1.0f;
    change += ruler->GetBaseCompability(theirs, mine);
    return change / 2.0f;
}

bool CRZCountry::HasAccessWith(CRZCountryID other)
{
    if (!IsCountryNumber(other, "HasAccessWith"))
        return false;
    if (atWarWith[other] != 0)
        return true;
    CRZCountry* them = _pCountry[other];
    const CCharacter* theirRuler = them ? them->ruler : nullptr;
    if (ruler == nullptr || !ruler->IsReligiousEnemy(theirRuler))
        return true;
    return them != nullptr && them->GetRealm() == GetRealm();
}

bool CRZCountry::IsEnemy(CRZCountryID other) const
{
    if (other == index)
        return false;
    if (other == kRebelCountry || index == kRebelCountry)
        return true;
    return other >= 0 && other < kSlots && atWarWith[other] != 0;
}

bool CRZCountry::IsLocal() const
{
    return index >= 0 && index < kSlots && gCountryControl[index] == CONTROL_LOCAL_PLAYER;
}

int CRZCountry::GetDifficultyModifier() const
{
    if (index < 0 || index >= kSlots || gpSettings == nullptr)
        return 0;
    const int32_t control = gCountryControl[index];
    if (control != CONTROL_LOCAL_PLAYER && control != CONTROL_NETWORK_PLAYER)
        return 0;
    return gpSettings->Record().difficulty - 2;
}

CModifier& CRZCountry::GetModifier()
{
    static CModifier modifier;
    modifier = CModifier();
    return modifier;
}

void CRZCountry::AddBadBoy(float amount)
{
    badBoy = std::max(0.0f, badBoy + amount);
}

void CRZCountry::ChangeStability(float change)
{
    stability = std::clamp(stability + change, -kStabilityLimit, kStabilityLimit);
}

void CRZCountry::AdoptLawsEtc(const CRZCountry* from)
{
    if (from == nullptr)
        return;
    for (int law = 0; law < kLawCount; ++law)
        laws.Put(law, from->laws.Exists(law));
    formOfGovernment = from->formOfGovernment;
    std::copy(std::begin(from->devFocus), std::end(from->devFocus), devFocus);
}

bool CRZCountry::IsCounty(CRZCountryID id)
{
    if (const CRZCountry* realm = GetCountry(id))
        return realm->IsCounty();
    return id < kFirstDuchy;
}

bool CRZCountry::IsDuchy(CRZCountryID id)
{
    if (const CRZCountry* realm = GetCountry(id))
        return realm->IsDuchy();
    return id >= kFirstDuchy && id < kFirstKingdom;
}

bool CRZCountry::IsKingdom(CRZCountryID id)
{
    if (const CRZCountry* realm = GetCountry(id))
        return realm->IsKingdom();
    return id >= kFirstKingdom;
}

void CRZCountry::AddCharacter(CCharacter* character)
{
    members.Append(character);
    if (character != ruler)
        court.Append(character);
}

void CRZCountry::RemoveCharacter(CCharacter* character)
{
    members.Remove(character);
    court.Remove(character);
}

void CRZCountry::AddRulerImmidiatly(CCharacter* character)
{
    RemoveCharacter(character);
    if (character != nullptr)
        character->courtPosition = 0;
    ruler = character;
}

bool CRZCountry::IsRealm() const
{
    return ruler != nullptr && ruler->GetLiegeRuler() == nullptr;
}

CRZCountry* CRZCountry::GetRealm()
{
    CRZCountry* realm = this;
    // Bounded by the table: a chain longer than every realm must loop.
    for (int step = 0; step < kSlots && realm->ruler != nullptr; ++step) {
        CCharacter* liege = realm->ruler->GetLiegeRuler();
        if (liege == nullptr || liege == realm->ruler)
            break;
        CRZCountry* above = liege->GetCountry();
        if (above == nullptr || above == realm || above == this)
            break;
        realm = above;
    }
    return realm;
}

const CList<int32_t>& CRZCountry::GetOwnedProvinces() const
{
    static const CList<int32_t> emptyList;
    return ruler ? ruler->ownedProvinces : emptyList;
}

void CRZCountry::RefreshKnowledge()
{
    std::fill(std::begin(neighbourFlags), std::end(neighbourFlags), 0);
    std::fill(std::begin(borderShares), std::end(borderShares), 0.0f);
    neighbours.RemoveAllKeepingNodes();
    coastalShare = 0.0f;
    homeAreaProvinces = 0;
    const RZArea home = GetHomeArea();
    float borders = 0.0f;
    int owned = 0;
    for (auto it = GetOwnedProvinces().GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince(*it);
        if (province == nullptr)
            continue;
        ++owned;
        if (const CProvince* sea
            = province->portSeaZone > 0 ? CProvince::GetProvince(province->portSeaZone) : nullptr;
            sea && (sea->terrain == TERRAIN_OCEAN || sea->terrain == TERRAIN_LAKE))
            coastalShare += 1.0f;
        if (province->area != 0 && province->area == home)
            ++homeAreaProvinces;
        for (const Adjacent& next : province->neighbours) {
            const CProvince* neighbour = CProvince::GetProvince(next.number);
            const CRZCountry* owner = neighbour ? neighbour->GetOwner() : nullptr;
            if (owner == nullptr || owner == this || owner->index < 0 || owner->index >= kSlots)
                continue;
            if (!neighbourFlags[owner->index])
                neighbours.Append(owner->index);
            neighbourFlags[owner->index] = 1;
            borderShares[owner->index] += 1.0f;
            borders += 1.0f;
        }
    }
    if (owned > 0)
        coastalShare /= static_cast<float>(owned);
    if (borders > 0.0f) {
        // Only a neighbour's share is other than 0 (and 0 divided stays 0), so the whole table need not
        // be divided.
        for (auto it = neighbours.GetHead(); !it.IsEnd(); it++)
            borderShares[*it] /= borders;
    }
}

float CRZCountry::CalcRankingScore()
{
    const CSimpleScore score = GetScore();
    return 10.0f * static_cast<float>(GetOwnedProvinces().GetSize()) + score.GetPrestige() + score.GetPiety()
        + 10.0f * static_cast<float>(GetVassals()->GetSize());
}

void CRZCountry::KillDivision(CDivision* division, bool message, bool send)
{
    if (division == nullptr || gCountryHooks.GetDivisionID == nullptr)
        return;
    auto* event = new CRZKillDivisionEvent(_CRZEVT_KILL_DIVISION_, CountryIdentity(index),
        gCountryHooks.GetDivisionID(division), send, message, 0);
    if (send)
        ProcessGlobalEvent(event);
    else
        ProcessLocalEvent(event);
}

void CRZCountry::AddDivision(CRZUnit* army, CDivision* division)
{
    if (army == nullptr || division == nullptr || gCountryHooks.GetDivisionID == nullptr
        || gCountryHooks.GetArmyID == nullptr)
        return;
    ProcessGlobalEvent(new CRZAddDivisionEvent(_CRZEVT_ADD_DIVISION_, CountryIdentity(index),
        gCountryHooks.GetArmyID(army), gCountryHooks.GetDivisionID(division), 0));
}

CRZUnit* CRZCountry::GetUnit(const DynamicID& armyId) const
{
    if (gCountryHooks.GetArmyID == nullptr)
        return nullptr;
    for (auto it = armies.GetHead(); !it.IsEnd(); it++) {
        if (gCountryHooks.GetArmyID(*it) == armyId)
            return *it;
    }
    return nullptr;
}

int32_t CRZCountry::GetActingCapital() const
{
    return controlledProvinces.Contains(capital) ? capital : actingCapital;
}

RZArea CRZCountry::GetHomeArea() const
{
    const CProvince* province = CProvince::GetProvince(GetActingCapital());
    return province ? province->area : 0;
}

float CRZCountry::GetDistance(int provinceA, int provinceB)
{
    if (provinceA == provinceB)
        return 0.0f;
    const CProvince* a = CProvince::GetProvince(provinceA);
    const CProvince* b = CProvince::GetProvince(provinceB);
    if (a == nullptr || b == nullptr)
        return kNoDistance;
    int64_t dx = std::llabs(static_cast<int64_t>(a->castle.x) - b->castle.x);
    if (dx > kMapWidth / 2)
        dx = kMapWidth - dx;
    const int64_t dy = static_cast<int64_t>(b->castle.y) - a->castle.y;
    return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)) / 100.0);
}

void CRZCountry::AddLandArea(CRZLandArea& area)
{
    if (!landAreas.Contains(&area))
        landAreas.Append(&area);
}

void CRZCountry::RemoveLandArea(CRZLandArea& area)
{
    landAreas.Remove(&area);
}

void CRZCountry::CalculateDistances()
{
    for (int other = 0; other < kSlots; ++other) {
        const CRZCountry* realm = _pCountry[other];
        distances[other] = realm == nullptr || capital == 0 || realm->capital == 0
            ? kNoDistance
            : GetDistance(capital, realm->capital);
    }
}

void CRZCountry::CalculateHereticOwned()
{
    hereticProvinces = 0;
    if (ruler == nullptr || (ruler->religion != 0 && ruler->religion != 1))
        return;
    for (auto it = GetOwnedProvinces().GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince(*it);
        if (province != nullptr && province->religion > 1)
            ++hereticProvinces;
    }
}

namespace {

bool ControlsAPort(const CRZCountry* realm)
{
    for (auto it = realm->controlledProvinces.GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince(*it);
        if (province != nullptr && province->portSeaZone > 0)
            return true;
    }
    return false;
}

} // namespace

void CRZCountry::CalcRealmHasCoast()
{
    hasCoast = false;
    CRZCountry* top = GetRealm();
    if (ControlsAPort(top)) {
        hasCoast = true;
        return;
    }
    for (auto vassal = top->GetVassals()->GetHead(); !vassal.IsEnd(); vassal++) {
        CRZCountry* realm = GetCountry(*vassal);
        if (realm == nullptr)
            continue;
        if (ControlsAPort(realm)) {
            hasCoast = true;
            return;
        }
        for (auto below = realm->GetVassals()->GetHead(); !below.IsEnd(); below++) {
            const CRZCountry* under = GetCountry(*below);
            if (under != nullptr && ControlsAPort(under)) {
                hasCoast = true;
                return;
            }
        }
    }
}

CList<CClaim*> CRZCountry::GetClaimsAgainst(CRZCountryID other)
{
    CList<CClaim*> against;
    if (ruler == nullptr || !IsCountryNumber(other, "GetClaimsAgainst"))
        return against;
    CList<CRZID> gone;
    for (auto it = ruler->claims.GetHead(); !it.IsEnd(); it++) {
        CClaim* claim = CClaim::GetClaim(*it);
        if (claim == nullptr) {
            gone.Append(*it);
            continue;
        }
        const CTitle* title = claim->GetTitle();
        const CCharacter* holder = title ? title->GetCurrentHolder() : nullptr;
        if (holder != nullptr && holder->realmId == other)
            against.Append(claim);
    }
    for (auto it = gone.GetHead(); !it.IsEnd(); it++)
        ruler->RemoveClaim(*it);
    return against;
}

void CRZCountry::AssignCourt()
{
    constexpr int kFirst = COURT_CHANCELLOR;
    constexpr int kOffices = COURT_CHAPLAIN - COURT_CHANCELLOR + 1;
    CCharacter* holders[kOffices];
    CCharacter* chosen[kOffices];
    float best[kOffices];
    for (int office = 0; office < kOffices; ++office) {
        holders[office] = chosen[office] = courtPositions[office];
        best[office] = 0.0f;
    }
    for (auto it = court.GetHead(); !it.IsEnd(); it++) {
        CCharacter* candidate = *it;
        if (candidate == nullptr || candidate->GetPrimaryTitle() != nullptr)
            continue;
        int bestOffice = -1;
        float bestValue = -1.0f;
        for (int office = 0; office < kOffices; ++office) {
            const auto position = static_cast<VLCourtPosition>(kFirst + office);
            const float suitability = candidate->GetSuitability(position);
            float value = suitability;
            if (candidate->courtPosition == position) {
                value *= 1.05f;
            } else {
                // A holder who is better suited keeps the office; courtiers come before office holders,
                // and a filled office is not changed lightly.
                if (chosen[office] != nullptr && chosen[office] != candidate
                    && chosen[office]->GetSuitability(position) > suitability)
                    value = 0.0f;
                if (candidate->courtPosition != COURT_COURTIER)
                    value /= 1000.0f;
                if (holders[office] != nullptr)
                    value /= 1.2f;
            }
            if (value > bestValue) {
                bestValue = value;
                bestOffice = office;
            }
        }
        if (bestOffice >= 0 && bestValue > best[bestOffice]) {
            chosen[bestOffice] = candidate;
            best[bestOffice] = bestValue;
        }
    }
    for (int office = 0; office < kOffices; ++office) {
        if (chosen[office] != holders[office] && chosen[office] != nullptr)
            chosen[office]->ChangeCourtPosition(static_cast<VLCourtPosition>(kFirst + office));
    }
}

int32_t CRZCountry::GetPrimaryCulture() const
{
    return ruler ? ruler->culture : 0;
}

bool CRZCountry::IsMongol() const
{
    return GetPrimaryCulture() == kMongolCulture || IsMongolNumber(index);
}

CSimpleScore CRZCountry::GetScore() const
{
    return ruler ? ruler->score : CSimpleScore();
}

void CRZCountry::AddScore(const CScore& score)
{
    if (ruler != nullptr)
        ruler->score += score.GetTotal();
}

CRZCountryList* CRZCountry::GetVassals()
{
    if (vassals == nullptr)
        RefreshVassals();
    return vassals;
}

void CRZCountry::RefreshVassals()
{
    delete vassals;
    vassals = new CRZCountryList;
    if (ruler != nullptr) {
        for (int other = 1; other < kSlots; ++other) {
            const CRZCountry* realm = _pCountry[other];
            if (realm != nullptr && realm != this && realm->ruler != nullptr
                && realm->ruler->GetLiegeRuler() == ruler)
                vassals->Append(other);
        }
        ruler->CalcVassals();
    }
    RefreshCourt();
}

void CRZCountry::RefreshCourt()
{
    // Rebuilt every month for every realm, the pool's court the longest: refilling the same nodes spares
    // freeing and allocating them all again.
    court.RemoveAllKeepingNodes();
    for (auto it = members.GetHead(); !it.IsEnd(); it++) {
        if (*it != ruler)
            court.Append(*it);
    }
}

CRZCountryList* CRZCountry::GetAllies()
{
    delete allies;
    allies = new CRZCountryList;
    return allies;
}

void CRZCountry::SetDevFocus(int group)
{
    const CAdvanceTypeGroup* found = CAdvanceTypeGroup::GetGroup(group);
    if (found == nullptr)
        return;
    const int category = found->GetCategory();
    if (category >= 0 && category < static_cast<int>(std::size(devFocus)))
        devFocus[category] = group;
}

float CRZCountry::GetDemesneLimit() const
{
    float limit = ruler ? static_cast<float>(ruler->attributes.GetIntrigue()) / 2.0f : 0.0f;
    if (formOfGovernment != GOV_FEUDAL)
        limit = 99999.0f;
    if (IsMongol())
        limit = 1004.0f;
    if (index == kEmpireCountry)
        limit *= 2.0f;
    const int year = CRZGame::GetCurrentDate().year;
    limit += year >= 1300 ? 3.0f : year >= 1100 ? 1.0f : 0.0f;
    if (IsKingdom())
        limit *= 2.0f;
    else if (IsCounty())
        limit /= 2.0f;
    return std::max(limit, 1.0f);
}

float CRZCountry::GetDemesneIncomeModifier(float bonus) const
{
    const float limit = GetDemesneLimit();
    const float beyond = std::max(0.0f, static_cast<float>(GetOwnedProvinces().GetSize()) - limit);
    return std::clamp(1.0f - 0.1f * beyond + bonus, 0.0f, 1.0f);
}

int32_t CRZCountry::GetUnitNationality() const
{
    return index >= 0 && index < kSlots ? DBCountries[index].nationality : 0;
}

CCountryColor CRZCountry::GetCountryColor(CRZCountryID id)
{
    static constexpr CCountryColor kClassColors[] = { { 0, 0, 0 }, { 64, 255, 64 }, { 192, 160, 0 },
        { 96, 192, 255 }, { 212, 212, 212 }, { 255, 192, 128 }, { 96, 96, 0 }, { 255, 255, 0 },
        { 160, 160, 160 }, { 255, 255, 0 }, { 192, 192, 192 }, { 0, 140, 0 }, { 0, 0, 255 },
        { 255, 128, 128 }, { 255, 255, 255 }, { 128, 64, 32 }, { 255, 0, 0 }, { 128, 255, 96 },
        { 255, 192, 0 }, { 160, 128, 64 }, { 0, 0, 128 }, { 128, 0, 0 }, { 255, 160, 0 } };
    if (id < 0 || id >= kSlots)
        return { 255, 192, 96 };
    const int32_t colorClass = DBCountries[id].color;
    if (colorClass < 0 || colorClass >= static_cast<int32_t>(std::size(kClassColors)))
        return { 255, 192, 96 };
    return kClassColors[colorClass];
}

void CRZCountry::SetGodMode(bool on)
{
    PostGlobalEvent(new CRZGenericEvent(on ? _CRZEVT_ENABLE_GODMODE_ : _CRZEVT_DISABLE_GODMODE_, GetID()));
}
