// The investment server: on the host, a realm's requests about its budget, provinces, laws and new realms
// are checked against the host's own state and carried out as global events addressed to the realm.
#include "realms/realm_servers.h"

#include <cmath>

#include "characters/character.h"
#include "characters/culture.h"
#include "characters/law.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "foundation/logs.h"
#include "foundation/random_generator.h"
#include "realms/advance.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

// Six religions, 5 meaning none.
constexpr int kReligionNumbers = 6;

// Every number a peer sends is checked before it names anything; a bad one drops the request.
bool InRange(int64_t value, int64_t count, const char* what, CRZEvtType type)
{
    if (value >= 0 && value < count)
        return true;
    history("investment server: %s %lld outside 0..%lld in event %d: dropped", what,
        static_cast<long long>(value), static_cast<long long>(count - 1), static_cast<int>(type));
    return false;
}

bool Drop(const char* why, CRZEvtType type)
{
    history("investment server: %s in event %d: dropped", why, static_cast<int>(type));
    return false;
}

template <class Data> const Data* Read(CRZEvent* event)
{
    const Data* record = RecordAs<Data>(event);
    if (record == nullptr)
        Drop("record too short", event->GetType());
    return record;
}

CRZCountry* Realm(int32_t number, CRZEvtType type)
{
    if (!InRange(number, kCountryTableSlots, "realm", type))
        return nullptr;
    CRZCountry* realm = CRZCountry::GetCountry(number);
    if (realm == nullptr)
        Drop("no such realm", type);
    return realm;
}

CProvince* Province(int32_t number, CRZEvtType type)
{
    if (!InRange(number, kMapProvinceCount, "province", type))
        return nullptr;
    CProvince* province = CProvince::GetProvince(number);
    if (province == nullptr)
        Drop("no such province", type);
    return province;
}

CRZCountry* OwnerOf(int32_t number, CRZEvtType type)
{
    const CProvince* province = Province(number, type);
    if (province == nullptr)
        return nullptr;
    CRZCountry* owner = province->GetOwner();
    if (owner == nullptr)
        Drop("province without owner", type);
    return owner;
}

// A province request with a type number of a table of count entries, reissued to the owner.
void ProvinceAndType(CRZEvent* event, int count, const char* what)
{
    const auto* record = Read<CRZIntIntEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr || !InRange(record->second, count, what, type))
        return;
    if (CRZCountry* owner = OwnerOf(record->first, type))
        ProcessGlobalEvent(
            new CRZIntIntEvent(type, CountryIdentity(owner->index), record->first, record->second));
}

void StartBuilding(CRZEvent* event)
{
    const auto* record = Read<CRZIntIntEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr || !InRange(record->second, kImprovementCount, "improvement", type))
        return;
    CRZCountry* owner = OwnerOf(record->first, type);
    if (owner == nullptr)
        return;
    if (!owner->CanBuildImprovement(*CProvince::GetProvince(record->first), record->second)) {
        Drop("the owner may not build it", type);
        return;
    }
    ProcessGlobalEvent(
        new CRZIntIntEvent(type, CountryIdentity(owner->index), record->first, record->second));
}

void CancelBuilding(CRZEvent* event)
{
    const auto* record = Read<CRZIntData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr)
        return;
    CRZCountry* owner = OwnerOf(record->value, type);
    if (owner == nullptr)
        return;
    if (!owner->CanCancelBuildImprovement(*CProvince::GetProvince(record->value))) {
        Drop("the owner may not cancel it", type);
        return;
    }
    ProcessGlobalEvent(new CRZIntEvent(type, CountryIdentity(owner->index), record->value));
}

void Privileges(CRZEvent* event)
{
    const auto* record = Read<CRZIntFloatEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr)
        return;
    if (!std::isfinite(record->value)) {
        Drop("privilege change is no number", type);
        return;
    }
    if (CRZCountry* owner = OwnerOf(record->number, type))
        ProcessGlobalEvent(
            new CRZIntFloatEvent(type, CountryIdentity(owner->index), record->number, record->value));
}

void AddEffect(CRZEvent* event)
{
    const auto* record = Read<CRZIntIntEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr || !InRange(record->second, kEffectCount, "effect", type))
        return;
    const CProvince* province = Province(record->first, type);
    if (province == nullptr)
        return;
    // The one who holds the province acts on it: in an occupied province, the occupier.
    CRZCountry* controller = province->GetController();
    if (controller == nullptr) {
        Drop("province without controller", type);
        return;
    }
    ProcessGlobalEvent(
        new CRZIntIntEvent(type, CountryIdentity(controller->index), record->first, record->second));
}

void InstituteLaw(CRZEvent* event)
{
    const auto* record = Read<CRZIntCountryEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr || !InRange(record->number, kLawCount, "law", type))
        return;
    CRZCountry* realm = Realm(record->country, type);
    if (realm == nullptr)
        return;
    const CLawType* law = CLawType::Get(record->number);
    if (law == nullptr || !law->CanInstitute(realm)) {
        Drop("the law may not be instituted", type);
        return;
    }
    ProcessGlobalEvent(
        new CRZIntCountryEvent(type, CountryIdentity(realm->index), record->number, record->country));
}

void SetFocus(CRZEvent* event)
{
    const auto* record = Read<CRZIntCountryEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr)
        return;
    CRZCountry* realm = Realm(record->country, type);
    if (realm == nullptr)
        return;
    const CAdvanceTypeGroup* group = CAdvanceTypeGroup::GetGroup(record->number);
    if (group == nullptr) {
        Drop("no such advance group", type);
        return;
    }
    ProcessGlobalEvent(
        new CRZIntCountryEvent(type, CountryIdentity(realm->index), group->GetId(), record->country));
}

void SetReligion(CRZEvent* event)
{
    const auto* record = Read<CRZProvinceReligionEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr
        || !InRange(static_cast<int32_t>(record->religion), kReligionNumbers, "religion", type))
        return;
    if (CRZCountry* owner = OwnerOf(record->province, type))
        ProcessGlobalEvent(new CRZProvinceReligionEvent(
            type, CountryIdentity(owner->index), record->province, record->religion));
}

void SetCulture(CRZEvent* event)
{
    const auto* record = Read<CRZProvinceCultureEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr || !InRange(static_cast<int32_t>(record->culture), kCultureCount, "culture", type))
        return;
    if (CRZCountry* owner = OwnerOf(record->province, type))
        ProcessGlobalEvent(new CRZProvinceCultureEvent(
            type, CountryIdentity(owner->index), record->province, record->culture));
}

template <std::size_t N> bool AllFinite(const float (&values)[N], CRZEvtType type)
{
    for (float value : values) {
        if (!std::isfinite(value))
            return Drop("a share is no number", type);
    }
    return true;
}

void ChangeBudget(CRZEvent* event)
{
    const auto* record = Read<CRZBudgetPercentageEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr || !InRange(record->country, kCountryTableSlots, "realm", type)
        || !AllFinite(record->values, type))
        return;
    const float* v = record->values;
    ProcessGlobalEvent(new CRZBudgetPercentageEvent(
        type, CountryIdentity(record->country), record->country, v[0], v[1], v[2], v[3], v[4], v[5]));
}

void ChangeInvestment(CRZEvent* event)
{
    const auto* record = Read<CRZInvestmentEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr || !InRange(record->country, kCountryTableSlots, "realm", type)
        || !AllFinite(record->values, type))
        return;
    const float* v = record->values;
    ProcessGlobalEvent(new CRZInvestmentEvent(_CRZEVT_INVESTMENT_CHANGE_, CountryIdentity(record->country),
        record->country, v[0], v[1], v[2], v[3]));
}

void SetMaintenance(CRZEvent* event)
{
    const auto* record = Read<CRZMaintenanceEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr || !InRange(record->country, kCountryTableSlots, "realm", type))
        return;
    const float values[2] = { record->first, record->second };
    if (!AllFinite(values, type))
        return;
    ProcessGlobalEvent(new CRZMaintenanceEvent(
        _CRZEVT_SET_MAINTENANCE_, CountryIdentity(record->country), record->country, values[0], values[1]));
}

void DeployToPool(CRZEvent* event)
{
    const auto* record = Read<CRZDeployDevelopmentEventData>(event);
    if (record == nullptr)
        return;
    ProcessGlobalEvent(new CRZDeployDevelopmentEvent(event->GetType(), record->id, record->id, record->first,
        record->second, record->third, record->number));
}

void WinSiege(CRZEvent* event)
{
    const auto* record = Read<CRZIntCountryEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr)
        return;
    if (CRZCountry* realm = Realm(record->country, type))
        ProcessGlobalEvent(
            new CRZIntCountryEvent(type, CountryIdentity(realm->index), record->number, record->country));
}

// The new realm's ruler is made on the host from a draw of the game's generator, and the realm with him
// on every machine.
void CreateCountry(CRZEvent* event)
{
    const CRZEvtType type = event->GetType();
    const auto* record = Read<CRZCreateCountryEventData>(event);
    if (record == nullptr)
        return;
    auto* request = dynamic_cast<CRZCreateCountryEvent*>(event);
    if (request == nullptr) {
        Drop("not a realm creation record", type);
        return;
    }
    const uint32_t count = request->GetCount();
    if (count == 0) {
        Drop("no provinces", type);
        return;
    }
    if (!request->HoldsCount()) {
        Drop("province count beyond the record", type);
        return;
    }
    if (!InRange(record->first, kCountryTableSlots, "new realm", type))
        return;
    CRZCountry* requester = Realm(record->second, type);
    if (requester == nullptr)
        return;
    CList<int32_t> provinces;
    for (uint32_t i = 0; i < count; ++i) {
        const int32_t number = request->GetProvince(i);
        if (!InRange(number, kMapProvinceCount, "province", type))
            return;
        provinces.Append(number);
    }
    const CProvince* first = CProvince::GetProvince(*provinces.GetHead());
    if (first == nullptr) {
        Drop("no such province", type);
        return;
    }
    int32_t religion = 0;
    int32_t culture = 0;
    if (record->flag != 0) {
        religion = first->religion;
        culture = first->culture;
    } else {
        culture = DBCountries[record->first].nationality;
        religion = static_cast<int32_t>(CRZCulture::GetDefaultReligion(culture));
    }
    const CRZID ruler = CRZDynamicObject::GetUniqueDynamicID();
    ProcessLocalEvent(new CRZCharacterCreationEvent(_CRZEVT_CHARACTER_CREATION_, CHARACTER_SERVER,
        CountryIdentity(requester->index), NOID, ruler, gGameRandom.Next(), first->GetNumber(), GENDER_MALE,
        VLCreationType {}, static_cast<RZReligionType>(religion), static_cast<RZCultureType>(culture), ""));
    ProcessGlobalEvent(new CRZCreateCountryEvent(type, CountryIdentity(requester->index), record->first,
        record->second, ruler, provinces, record->flag != 0));
}

void CreateDivision(CRZEvent* event)
{
    const auto* record = Read<CRZDivisionEventData>(event);
    const CRZEvtType type = event->GetType();
    if (record == nullptr || !InRange(record->province, kMapProvinceCount, "province", type)
        || !InRange(static_cast<int32_t>(record->culture), kCultureCount, "culture", type))
        return;
    CRZCountry* realm = Realm(record->country, type);
    if (realm == nullptr)
        return;
    CCharacter* leader = CRef<CCharacter>(record->leader).Get();
    realm->CreateDivision(record->division, record->province, leader, record->culture, record->advances,
        record->strength, record->firstFlag != 0, record->secondFlag != 0, record->thirdFlag != 0);
}

} // namespace

int CRZInvestmentServer::Update(CRZEvent* event)
{
    if (event == nullptr || !IsHostMachine())
        return 0;
    switch (event->GetType()) {
    case _CRZEVT_START_BUILDING_PROVINCE_IMPROVEMENT_:
        StartBuilding(event);
        break;
    case _CRZEVT_CANCEL_BUILDING_PROVINCE_IMPROVEMENT_:
        CancelBuilding(event);
        break;
    case _CRZEVT_CREATE_PROVINCE_IMPROVEMENT_:
    case _CRZEVT_DESTROY_PROVINCE_IMPROVEMENT_:
        ProvinceAndType(event, kImprovementCount, "improvement");
        break;
    case _CRZEVT_ADD_ADVANCE_:
    case _CRZEVT_REMOVE_ADVANCE_:
        ProvinceAndType(event, kAdvanceCount, "advance");
        break;
    case _CRZEVT_REMOVE_PROVINCE_EFFECT_:
        ProvinceAndType(event, kEffectCount, "effect");
        break;
    case _CRZEVT_ADD_PROVINCE_EFFECT_:
        AddEffect(event);
        break;
    case _CRZEVT_CHANGE_PEASANT_NOBLES_PRIVILEGES_:
    case _CRZEVT_CHANGE_BURGHER_CLERGY_PRIVILEGES_:
        Privileges(event);
        break;
    case _CRZEVT_INSTITUTE_LAW_:
        InstituteLaw(event);
        break;
    case _CRZEVT_SET_DEVELOPMENT_FOCUS_:
        SetFocus(event);
        break;
    case _CRZEVT_SET_PROV_RELIGION_:
        SetReligion(event);
        break;
    case _CRZEVT_SET_PROV_CULTURE_:
        SetCulture(event);
        break;
    case _CRZEVT_CHANGE_BUDGET_:
        ChangeBudget(event);
        break;
    case _CRZEVT_REQUEST_INVESTMENT_CHANGE_:
        ChangeInvestment(event);
        break;
    case _CRZEVT_REQUEST_SET_MAINTENANCE_:
        SetMaintenance(event);
        break;
    case _CRZEVT_DEPLOY_TO_POOL_:
        DeployToPool(event);
        break;
    case _CRZEVT_WIN_SIEGE_:
        WinSiege(event);
        break;
    case _CRZEVT_CREATE_COUNTRY_:
        CreateCountry(event);
        break;
    case _CRZEVT_CREATE_DIVISION_:
        CreateDivision(event);
        break;
    default:
        break;
    }
    return 0;
}
