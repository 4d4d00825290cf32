// The province: its defaults, neighbours and the queries the rest of the game asks of it.
#include "realms/province.h"

#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "characters/character.h"
#include "characters/title.h"
#include "realms/country.h"
#include "realms/owner_area.h"

#include "foundation/safeguards.h"

CProvince* CProvince::_pProvince[kMapProvinceCount] = {};
ProvinceHooks gProvinceHooks;
CExcelParse* CProvince::DataBase = nullptr;

CProvince::CProvince()
{
    InitData();
}

CProvince::~CProvince()
{
    // The province owns its battles.
    if (gProvinceHooks.DeleteCombat != nullptr) {
        for (auto it = battles.GetHead(); !it.IsEnd(); it++)
            gProvinceHooks.DeleteCombat(*it);
    }
}

CProvince* CProvince::GetProvince(int number)
{
    if (number < 0 || number >= kMapProvinceCount)
        return nullptr;
    return _pProvince[number];
}

void CProvince::InitData()
{
    occupation = 0.0f;
    privileges = CStandsTuple(0.25f, 0.25f, 0.25f, 0.25f);
    loyalty = CStandsTuple(1.0f, 1.0f, 1.0f, 1.0f);
    baseIncome = 10.0f;
    landFortress = coastalFortress = 0;
    revoltRisk = 0;
    culture = 3;
    religion = 0;
    construction = kNoImprovement;
    controller = 0;
    decorations = 0;
    strategicValue = 0;
    // Read again for every game; kept, they would pile up game after game.
    spreadNeighbours.clear();
    // A row skipped as bad must not leave the port of an earlier game's table.
    portSeaZone = 0;
    port.reset();
}

void CProvince::Cleanup()
{
    advances = CAdvanceTuple();
    improvements = CProvinceImprovementTuple();
    effects = CProvinceEffectTuple();
    countyTitle = nullptr;
    controller = 0;
    construction = kNoImprovement;
    ownerArea = nullptr;
    port.reset();
}

void CProvince::InitPort(CRZPort* newPort)
{
    port.reset(newPort);
    if (port)
        port->SetSeaZone(portSeaZone);
}

void CProvince::ClearNeighbors()
{
    neighbours.clear();
    addedNeighbours = 0;
    riverCrossing = coastal = touchesLand = false;
}

void CProvince::UpdateFlags(const Adjacent& neighbour)
{
    const CProvince* other = GetProvince(neighbour.number);
    if (other) {
        if (IsLand() && other->terrain == TERRAIN_OCEAN)
            coastal = true;
        if ((terrain == TERRAIN_OCEAN || terrain == TERRAIN_LAKE) && other->terrain < TERRAIN_OCEAN)
            touchesLand = true;
    }
    if (neighbour.kind == kCrossingRiver)
        riverCrossing = true;
}

void CProvince::SetNeighbor(int i, const Adjacent& neighbour)
{
    if (i < 0 || i >= static_cast<int>(neighbours.size()))
        return;
    neighbours[static_cast<std::size_t>(i)] = neighbour;
    UpdateFlags(neighbour);
}

void CProvince::AddNeighbor(const Adjacent& neighbour)
{
    neighbours.push_back(neighbour);
    ++addedNeighbours;
    UpdateFlags(neighbour);
}

int CProvince::GetLeadingNeighborCount() const
{
    int count = 0;
    for (const Adjacent& neighbour : neighbours) {
        const CProvince* other = GetProvince(neighbour.number);
        if (other && other->terrain == TERRAIN_RIVER)
            break;
        ++count;
    }
    return count;
}

CRZCountry* CProvince::GetOwner() const
{
    if (!IsLand())
        return nullptr;
    const CTitle* title = GetBestFreeTitle(nullptr);
    if (!title)
        return nullptr;
    const CCharacter* holder = title->GetCurrentHolder();
    return holder ? holder->GetCountry() : nullptr;
}

CRZCountry* CProvince::GetController() const
{
    return CRZCountry::GetCountry(controller);
}

bool CProvince::IsIsland() const
{
    if (!IsLand())
        return false;
    return std::none_of(neighbours.begin(), neighbours.end(), [](const Adjacent& n) {
        const CProvince* other = GetProvince(n.number);
        return other && other->IsLand();
    });
}

bool CProvince::IsAdjacent(int other) const
{
    return std::any_of(
        neighbours.begin(), neighbours.end(), [&](const Adjacent& n) { return n.number == other; });
}

bool CProvince::IsRiverCrossing(int other) const
{
    return std::any_of(neighbours.begin(), neighbours.end(),
        [&](const Adjacent& n) { return n.number == other && n.kind == kCrossingRiver; });
}

bool CProvince::IsBorder() const
{
    const CRZCountry* owner = GetOwner();
    return std::any_of(neighbours.begin(), neighbours.end(), [&](const Adjacent& n) {
        const CProvince* other = GetProvince(n.number);
        return other && other->IsLand() && other->GetOwner() != owner;
    });
}

bool CProvince::IsAdjacentToControlled(const CRZCountry& realm) const
{
    return std::any_of(neighbours.begin(), neighbours.end(), [&](const Adjacent& n) {
        const CProvince* other = GetProvince(n.number);
        return other && other->GetOwner() && other->controller == realm.index;
    });
}

bool CProvince::IsAdjacentToOwnerController(const CRZCountry& realm) const
{
    return std::any_of(neighbours.begin(), neighbours.end(), [&](const Adjacent& n) {
        const CProvince* other = GetProvince(n.number);
        return other && other->GetOwner() == &realm && other->controller == realm.index;
    });
}

bool CProvince::HasCapital() const
{
    const CRZCountry* owner = GetOwner();
    return owner && owner->capital == number;
}

bool CProvince::IsNational(const CRZCountry& realm) const
{
    return realm.coreProvinces.Contains(number);
}

CCharacter* CProvince::GetMilitaryLeader() const
{
    auto free
        = [](const CCharacter* c) { return c && !c->HasMilitaryCommand() && c->MayHaveMilitaryCommand(); };
    if (CRZCountry* owner = GetOwner()) {
        if (owner->capital == number && free(owner->ruler))
            return owner->ruler;
        if (CCharacter* marshal = owner->courtPositions[COURT_MARSHAL - COURT_CHANCELLOR]; free(marshal))
            return marshal;
        for (auto member = owner->members.GetHead(); !member.IsEnd(); member++) {
            if ((*member)->deathPosted == 0 && (*member)->IsAdult() && free(*member))
                return *member;
        }
    }
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(kAnonymousSoldierID));
}

CTitle* CProvince::GetBestFreeTitle(CCharacter*) const
{
    // A county's title is looked up in the title table every time: the table is rebuilt for every game,
    // so a kept pointer could outlive its title. Other numbers name no county; only a title that its
    // maker set by hand stands for them.
    if (number > 0 && number < CTitle::kFirstDuchy)
        countyTitle = CTitle::GetTitle(number);
    return countyTitle;
}

void CProvince::SetLight(int value)
{
    light = std::clamp(value, 0, 31);
}

void CProvince::SetLightRelative(int change)
{
    SetLight(
        static_cast<int>(std::clamp(static_cast<int64_t>(light) + change, int64_t { 0 }, int64_t { 31 })));
}

void CProvince::SetViewable(bool seen)
{
    viewable = seen;
    SetTexture(texture);
}

void CProvince::SetTexture(int value)
{
    texture = viewable ? value & 31 : (value & 31) | 32;
}

CCharacter* CProvince::GetSieger() const
{
    return sieger == NOID ? nullptr : dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(sieger));
}

namespace {

CStandsTuple Clamped(const CStandsTuple& values)
{
    CStandsTuple out;
    for (int estate = 0; estate < CStandsTuple::COUNT; ++estate)
        out.Set(estate, std::clamp(values.Get(estate), 0.0f, 1.0f));
    return out;
}

} // namespace

CStandsTuple CProvince::GetPrivileges() const
{
    CStandsTuple shares = Clamped(privileges);
    float sum = 0.0f;
    for (int estate = 0; estate < CStandsTuple::COUNT; ++estate)
        sum += shares.Get(estate);
    if (sum <= 0.0f)
        return CStandsTuple(0.25f, 0.25f, 0.25f, 0.25f);
    return shares * (1.0f / sum);
}

void CProvince::ChangePrivileges(int estate, float x)
{
    if (estate < 0 || estate >= CStandsTuple::COUNT || !std::isfinite(x))
        return;
    CStandsTuple change;
    change.Set(estate, x);
    const float y = x / 3.0f;
    if (y > 0.0f) {
        for (int j = 0; j < CStandsTuple::COUNT; ++j)
            if (j != estate)
                change.Set(j, -std::min(y, GetPrivileges().Get(j)));
    }
    CStandsTuple newLoyalty = loyalty;
    CStandsTuple newPrivileges = privileges;
    for (int j = 0; j < CStandsTuple::COUNT; ++j) {
        const float c = change.Get(j) > 0.0f ? change.Get(j) * 0.8f : change.Get(j);
        newLoyalty.Set(j, newLoyalty.Get(j) + c);
        newPrivileges.Set(j, newPrivileges.Get(j) + c);
    }
    loyalty = Clamped(newLoyalty);
    privileges = Clamped(newPrivileges);
}

CStandsTuple CProvince::GetLoyalty() const
{
    return Clamped(loyalty);
}

void CProvince::ChangeLoyalty(const CStandsTuple& change)
{
    for (int estate = 0; estate < CStandsTuple::COUNT; ++estate)
        loyalty.Set(estate, std::clamp(loyalty.Get(estate) + change.Get(estate), 0.0f, 1.0f));
}

CMilitaryComposition CProvince::GetRegimentSize()
{
    CMilitaryComposition levy = currentLevy;
    ClearRegimentSize();
    return levy;
}

void CProvince::ClearRegimentSize()
{
    currentLevy = CMilitaryComposition();
    manpowerTotal = 0.0f;
}

void CProvince::AddManpower(const CMilitaryComposition& men)
{
    for (int type = 0; type < kTroopTypeCount; ++type)
        currentLevy.Set(type, std::min(currentLevy.Get(type) + men.Get(type), maximumLevy.Get(type)));
    manpowerTotal = currentLevy.GetTotal();
}

int CProvince::GetTerrainSupply() const
{
    static const int kTerrainSupply[kTerrainCount] = { 2500, 2000, 1500, 2000, 4000, 1500, 0, 0, 0 };
    return terrain >= 0 && terrain < kTerrainCount ? kTerrainSupply[terrain] : 0;
}

int CProvince::GetAttritionCap() const
{
    const int base = GetTerrainSupply();
    // Truncated like the cap's other terms, and held to the int range a broken definition could leave.
    const float share = std::clamp(modifier.supportable, -1.0e9f, 1.0e9f);
    return 100 + static_cast<int>(share) + base;
}

void CProvince::AddAdvance(int advance)
{
    advances.Add(advance);
    CalcModifier();
}

void CProvince::RemoveAdvance(int advance)
{
    advances.Remove(advance);
    CalcModifier();
}

void CProvince::AddEffect(int effect)
{
    effects.Add(effect);
    CalcModifier();
}

void CProvince::RemoveEffect(int effect)
{
    effects.Remove(effect);
    CalcModifier();
}

void CProvince::CreateProvinceImprovement(int type)
{
    if (type == construction)
        construction = kNoImprovement;
    improvements.Add(type);
    CalcModifier();
}

void CProvince::DestroyProvinceImprovement(int type)
{
    improvements.Remove(type);
    CalcModifier();
}

bool CProvince::CanBuildImprovement(int type) const
{
    const CProvinceImprovementType* kind = CProvinceImprovementType::Get(type);
    return kind && !HasImprovement(type) && kind->HasRequirements(GetOwner(), *this);
}

float CProvince::GetWarValue() const
{
    const float gold = modifier.GetProvinceMonthlyScore(*this).GetGold();
    if (!(gold >= 1.0f))
        return 30.0f;
    return 25.0f + (gold > 20.0f ? 100.0f : 5.0f * gold);
}

void CProvince::CalcModifier()
{
    CModifier sum;
    sum += improvements.GetModifier();
    sum += effects.GetModifier();
    for (int advance = 0; advance < kAdvanceCount; ++advance)
        if (advances.Exists(advance))
            if (const CAdvanceType* type = CAdvanceType::Get(advance))
                sum += type->GetModifier();
    modifier = sum;
}

void CProvince::InitController(CRZCountryID realm)
{
    if (CRZCountry* old = GetController())
        old->controlledProvinces.Remove(number);
    controller = realm > 0 && realm < static_cast<int>(kCountryTableSlots) ? realm : 0;
    if (CRZCountry* now = GetController(); now && !now->controlledProvinces.Contains(number))
        now->controlledProvinces.Append(number);
}

void CProvince::SetController(CRZCountryID realm)
{
    if (realm == controller)
        return;
    CRZCountry* next = CRZCountry::GetCountry(realm);
    if (!next)
        next = CRZCountry::GetCountry(kRebelCountry);
    const CRZCountryID target = next ? next->index : 0;
    // Nobody handed to the rebels who hold it already is no change.
    if (target == controller)
        return;
    occupation = 0.0f;
    CRZCountry* old = GetController();
    if (old)
        lastControllerChange = CRZGame::GetCurrentDate();
    InitController(target);
    UpdateSupply(old);
    UpdateSupply(next);
    CRZLandArea::NotifyOwnerChanged(*this, old, next);
}
