// The realm's division operations as the armies carry them out.
#include "armies/realm_divisions.h"

#include <cmath>

#include "armies/battle_result.h"
#include "armies/combat.h"
#include "armies/division.h"
#include "armies/realm_armies.h"
#include "armies/unit.h"
#include "characters/character.h"
#include "foundation/logs.h"
#include "foundation/text_format.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/war.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;
// Message types: a levy leaves its home province's lord's service, a levy raised in a vassal's land.
constexpr int kMessageLevyLeaves = 11;
constexpr int kMessageLevyRaised = 12;
constexpr int kSoundDivisionRaised = 36;
// A levy that dies in another top realm's land brings half its men home.
constexpr float kForeignReturn = 0.5f;
// More men of one troop type than any province could raise: a forged count.
constexpr float kMostMen = 1.0e7f;

CDivision* FindDivision(const DynamicID& id)
{
    return dynamic_cast<CDivision*>(CRZDynamicObject::GetObjectFromID(id));
}

// The realm's army that holds the division, or null.
CRZUnit* ArmyHolding(CRZCountry* realm, const CDivision* division)
{
    for (auto army = realm->armies.GetHead(); !army.IsEnd(); army++) {
        for (auto held = (*army)->divisions.GetHead(); !held.IsEnd(); held++) {
            if (*held == division)
                return *army;
        }
    }
    return nullptr;
}

void Leave(CRZUnit* army, CDivision* division)
{
    army->divisions.Remove(division);
    division->army = nullptr;
}

const char* ProvinceName(const CProvince* province)
{
    return province ? province->GetName() : "";
}

const char* RulerName(const CRZCountry* realm)
{
    return realm != nullptr && realm->ruler != nullptr ? realm->ruler->GetLongName() : "";
}

void Show(int type, CRZCountryID realm, const char* second, const char* third, const char* fourth, int number)
{
    if (gCountryHooks.ShowMessage)
        gCountryHooks.ShowMessage(type, realm, "", second, third, fourth, number);
}

} // namespace

void InstallRealmDivisionHooks()
{
    gCountryHooks.UpdateArmy = &UpdateArmy;
    gCountryHooks.GetDivisionID = &GetDivisionID;
    gCountryHooks.GetArmyID = &GetArmyID;
    gCountryHooks.GetArmyState = [](const CRZUnit* army) {
        return CArmyState { army->GetProvince(), army->IsInBattle(), army->owner,
            static_cast<float>(army->GetTotalStrength()), !army->movementOrders.empty(),
            army->exclusion != 0 };
    };
    gCountryHooks.KillDivision = &KillRealmDivision;
    gCountryHooks.AddDivision = &AddRealmDivision;
    gCountryHooks.DestroyArmy = &DestroyRealmArmy;
    gCountryHooks.NewArmy = &NewRealmArmy;
    gCountryHooks.RetireArmy = &RetireRealmArmy;
    gCountryHooks.MarkArmyFading = [](CRZUnit* army) { army->fadingOut = true; };
    gCountryHooks.CreateDivision = &CreateRealmDivision;
    gCountryHooks.RemoveDivision = &RemoveRealmDivision;
    gCountryHooks.TransferDivision = &TransferRealmDivision;
    gCountryHooks.ChangeTagOfBattle = [](CRZUnit* army, CRZCountryID from, CRZCountryID to) {
        if (army != nullptr && army->battle != nullptr)
            army->battle->ChangeTag(from, to);
    };
}

DynamicID GetDivisionID(const CDivision* division)
{
    return division->GetID();
}

DynamicID GetArmyID(const CRZUnit* army)
{
    return army->GetID();
}

int UpdateArmy(CRZUnit* army, CRZEvent* event)
{
    return army->Update(event);
}

void FreeRealmDivision(CDivision* division)
{
    if (CCharacter* leader = division->GetLeader(); leader && leader->militaryCommand == division)
        leader->militaryCommand = nullptr;
    delete division;
}

void DestroyRealmArmy(CRZUnit* army)
{
    if (army == nullptr)
        return;
    for (auto held = army->divisions.GetHead(); !held.IsEnd(); held++)
        FreeRealmDivision(*held);
    army->divisions.RemoveAll();
    delete army;
}

int CreateRealmDivision(CRZCountry* realm, const CRZDivisionEventData& record)
{
    CProvince* home = CProvince::GetProvince(record.province);
    if (home == nullptr || record.province < 1 || record.province > kLastTableProvince) {
        history("Create division: province %d names no province; event dropped\n",
            static_cast<int>(record.province));
        return kHandled;
    }
    for (float men : record.strength.values) {
        if (!std::isfinite(men) || men < 0.0f || men > kMostMen) {
            history("Create division: a troop count is no number of men; event dropped\n");
            return kHandled;
        }
    }
    if (record.division == NOID || CRZDynamicObject::GetObjectFromID(record.division) != nullptr) {
        history("Create division: identity %u:%u is none or taken; event dropped\n",
            static_cast<unsigned>(record.division.type), static_cast<unsigned>(record.division.number));
        return kHandled;
    }
    auto* division = new CDivision(record.division);
    division->owner = realm->index;
    division->Init(record);
    division->SetName(FormatDataText(TextStrings.GetString("REGNAME"), { home->GetName() }).c_str());
    division->raised = GetGameToday();
    if (!division->IsOutsideLevy()) {
        CRZCountry* owner = home->GetOwner();
        if (owner == realm) {
            home->levyRegiment = division->GetID();
        } else if (realm->ruler != nullptr && owner != nullptr
            && realm->ruler->IsRealmUnderMe(owner->ruler)) {
            home->levyRegiment = division->GetID();
            if (owner->IsLocal())
                Show(kMessageLevyRaised, realm->index, home->GetName(), RulerName(realm), "",
                    home->GetNumber());
        }
    }
    if (realm->IsLocal())
        PlayWarSound(kSoundDivisionRaised);
    return kHandled;
}

int KillRealmDivision(CRZCountry* realm, const CRZKillDivisionEventData& record)
{
    CDivision* division = FindDivision(record.division);
    CRZUnit* army = division ? ArmyHolding(realm, division) : nullptr;
    if (army == nullptr)
        return kHandled;
    CProvince* home = CProvince::GetProvince(division->homeProvince);
    const CProvince* standing = CProvince::GetProvince(army->GetProvince());
    CRZCountry* land = standing ? standing->GetOwner() : nullptr;
    if (!division->IsOutsideLevy() && land != nullptr && home != nullptr) {
        CRZCountry* owner = CRZCountry::GetCountry(division->owner);
        CRZCountry* ours = owner ? owner->GetRealm() : realm->GetRealm();
        CMilitaryComposition men = division->GetStrength();
        if (land->GetRealm() != ours)
            men = men * kForeignReturn;
        home->AddManpower(men);
    }
    Leave(army, division);
    CRZCountry* homeOwner = home ? home->GetOwner() : nullptr;
    if (record.secondFlag != 0 && homeOwner != nullptr && homeOwner->ruler != nullptr && realm->IsLocal())
        Show(kMessageLevyLeaves, realm->index, division->GetName(), ProvinceName(standing),
            RulerName(homeOwner), army->GetProvince());
    if (home != nullptr && home->levyRegiment == division->GetID())
        home->levyRegiment = NOID;
    FreeRealmDivision(division);
    return kHandled;
}

int AddRealmDivision(CRZCountry* realm, const CRZAddDivisionEventData& record)
{
    CRZUnit* army = CRZUnit::GetUnit(record.unit);
    CDivision* division = FindDivision(record.division);
    if (army == nullptr || division == nullptr)
        return 0;
    CRZUnit* from = division->army != nullptr ? division->army : ArmyHolding(realm, division);
    if (from == army)
        return kHandled;
    if (from != nullptr) {
        if (from->GetProvince() != army->GetProvince())
            return 0;
        from->divisions.Remove(division);
    }
    army->divisions.Append(division);
    division->destination = 0;
    division->removalNumber = 0;
    division->army = army;
    return kHandled;
}

int RemoveRealmDivision(CRZCountry* realm, const CRZAddDivisionEventData& record)
{
    CDivision* division = FindDivision(record.division);
    CRZUnit* army
        = division ? (division->army != nullptr ? division->army : ArmyHolding(realm, division)) : nullptr;
    if (army == nullptr)
        return kHandled;
    Leave(army, division);
    const CProvince* standing = CProvince::GetProvince(army->GetProvince());
    int32_t destination = army->GetProvince();
    if (standing != nullptr && standing->area == realm->GetHomeArea())
        destination = realm->capital;
    const CProvince* target = CProvince::GetProvince(destination);
    if (target == nullptr || !army->HaveAccess(target) || realm->IsEnemy(target->GetControllerID()))
        destination = 0;
    division->destination = destination;
    division->removalNumber = record.number;
    return kHandled;
}

void TransferRealmDivision(const DynamicID& id, CRZCountryID realm)
{
    CDivision* division = FindDivision(id);
    if (division == nullptr || !IsCountryNumber(realm, "Transfer division"))
        return;
    division->owner = realm;
}

void CDivision::Init(const CRZDivisionEventData& record)
{
    homeProvince = record.province;
    SetLeader(record.leader.type == RZTYPE_CHARACTER
            ? dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(record.leader))
            : nullptr);
    if (CCharacter* commander = GetLeader(); commander != nullptr && !commander->HasMilitaryCommand())
        commander->SetMilitaryCommand(this);
    culture = record.culture;
    advances = CAdvanceTuple::FromRecord(record.advances);
    strength = CompositionFromRecord(record.strength);
    men = static_cast<int32_t>(strength.GetTotal());
    firstFlag = record.firstFlag != 0;
    secondFlag = record.secondFlag != 0;
    thirdFlag = record.thirdFlag != 0;
    // A fresh division enters its first battle in order, at full morale, with the pool its men give.
    state = kFighting;
    morale = 1.0f;
    moraleLosses = 0.0f;
    losses = CMilitaryComposition();
    CalculateMaxMorale();
}

void CDivision::SetName(const char* text)
{
    CopyRecordName(name, text);
}
