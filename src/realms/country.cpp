// The country table, the control table, the factory of realms by who controls them, and the realm's
// queries on its own state.
#include "realms/country.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "foundation/logs.h"
#include "realms/country_db.h"
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
    delete vassals;
    delete allies;
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
}

void CRZCountry::InitCountryArray()
{
    std::fill(std::begin(_pCountry), std::end(_pCountry), nullptr);
}

void CRZCountry::DeleteAll()
{
    for (CRZCountry*& realm : _pCountry)
        delete realm;
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
    if (index == kRebelCountry)
        return CCountryDB::IDToName(kRebelCountry);
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

void CRZCountry::RefreshKnowledge()
{
    std::fill(std::begin(neighbourFlags), std::end(neighbourFlags), 0);
    std::fill(std::begin(borderShares), std::end(borderShares), 0.0f);
    neighbours.RemoveAll();
    coastalShare = 0.0f;
    homeAreaProvinces = 0;
}

void CRZCountry::KillDivision(CDivision* division, int, int)
{
    if (gCountryHooks.KillDivision)
        gCountryHooks.KillDivision(this, division);
}

void CRZCountry::AddDivision(CRZUnit* army, CDivision* division)
{
    if (gCountryHooks.AddDivision)
        gCountryHooks.AddDivision(this, army, division);
}

int32_t CRZCountry::GetActingCapital() const
{
    return controlledProvinces.Contains(capital) ? capital : actingCapital;
}

float CRZCountry::GetDistance(int32_t xa, int32_t ya, int32_t xb, int32_t yb)
{
    int64_t dx = std::llabs(static_cast<int64_t>(xa) - xb);
    if (dx > kMapWidth / 2)
        dx = kMapWidth - dx;
    const int64_t dy = static_cast<int64_t>(yb) - ya;
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
