// The realms' answers to what a character asks of his realm.
#include "realms/realm_character_hooks.h"

#include "app/settings.h"
#include "characters/character.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/modifier.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

void InstallRealmCharacterHooks()
{
    gCharacterHooks.countries = CRZCountry::_pCountry;
    gCharacterHooks.GetCountryIndex = [](const CRZCountry* realm) { return realm->index; };
    gCharacterHooks.GetRuler = [](const CRZCountry* realm) { return realm->ruler; };
    gCharacterHooks.GetRealm = [](CRZCountry* realm) { return realm->GetRealm(); };
    gCharacterHooks.GetFormOfGoverment
        = [](const CRZCountry* realm) { return static_cast<int32_t>(realm->GetFormOfGoverment()); };
    gCharacterHooks.GetProvinceCount
        = [](const CRZCountry* realm) { return static_cast<int32_t>(realm->controlledProvinces.GetSize()); };
    gCharacterHooks.AddCharacter
        = [](CRZCountry* realm, CCharacter* character) { realm->AddCharacter(character); };
    gCharacterHooks.RemoveCharacter
        = [](CRZCountry* realm, CCharacter* character) { realm->RemoveCharacter(character); };
    gCharacterHooks.GetOffice = [](CRZCountry* realm, int position) -> CCharacter** {
        if (position < COURT_CHANCELLOR || position > COURT_CHAPLAIN)
            return nullptr;
        return &realm->courtPositions[position - COURT_CHANCELLOR];
    };
    gCharacterHooks.GetParticularName = [](int32_t realmId) { return CCountryDB::IDToSimpleName(realmId); };
    gCharacterHooks.HandOverCounty = [](int32_t number, CRZCountry* oldRealm, CRZCountry* newRealm) {
        CProvince* province = CProvince::GetProvince(number);
        if (province == nullptr || oldRealm == nullptr || newRealm == nullptr
            || province->GetControllerID() != oldRealm->index)
            return;
        // An inheritance or grant is no conquest: the date of the last change of control stays.
        const CDate lastChange = province->lastControllerChange;
        province->SetController(newRealm->index);
        province->lastControllerChange = lastChange;
    };
    gCharacterHooks.RefreshVassals = [](CRZCountry* realm) { realm->RefreshVassals(); };
    gCharacterHooks.GetCourt = [](CRZCountry* realm) -> const CList<CCharacter*>* { return &realm->court; };
    gCharacterHooks.GetProvinceWarValue = [](int32_t number) {
        const CProvince* province = CProvince::GetProvince(number);
        return province != nullptr ? province->GetWarValue() : 0.0f;
    };
    gCharacterHooks.GetTag = [](int32_t realmId) { return CCountryDB::IDToTag(realmId); };
    gCharacterHooks.GetProvinceTitleRealm = [](int32_t number, int which) -> int32_t {
        const CProvince* province
            = number > 0 && number <= kLastTableProvince ? CProvince::GetProvince(number) : nullptr;
        return province != nullptr && which >= 0 && which < 5 ? province->titleRealms[which] : 0;
    };
    gCharacterHooks.GetControlKind = [](const CRZCountry* realm) -> int32_t {
        return realm->index > 0 && realm->index < static_cast<int>(kCountryTableSlots)
            ? gCountryControl[realm->index]
            : 0;
    };
    gCharacterHooks.GetDifficultyModifier
        = [](const CRZCountry* realm) -> int32_t { return realm->GetDifficultyModifier(); };
    gCharacterHooks.GetAiAggressiveness
        = []() -> int32_t { return gpSettings != nullptr ? gpSettings->Record().aiAggressiveness : -1; };
    // Loyalty, prestige and piety.
    gCharacterHooks.GetBudgetShare = [](const CRZCountry* realm, int slider) {
        return slider >= 0 && slider < kBudgetSliders ? realm->budget[slider] : 0.0f;
    };
    gCharacterHooks.GetLaws = [](const CRZCountry* realm) -> const CLawTuple* { return &realm->GetLaws(); };
    gCharacterHooks.GetBadBoyShare
        = [](const CRZCountry* realm) { return realm->GetBadBoy() / CRZCountry::GetBadBoyLimit(); };
    gCharacterHooks.IsAtWarWith = [](const CRZCountry* realm, const CRZCountry* other) {
        return other->index >= 0 && other->index < static_cast<int>(kCountryTableSlots)
            && realm->atWarWith[other->index] != 0;
    };
    gCharacterHooks.GetMonthlyPiety = [](const CRZCountry* realm) { return realm->GetMonthlyPiety(); };
    gCharacterHooks.GetLoyaltyModifier
        = [](const CRZCountry* realm) { return realm->GetAttributes().GetLoyaltyModifier(); };
    gCharacterHooks.ChangeRelation = [](CRZCountry* realm, CRZCountry* other, float change) {
        realm->ChangeRelation(other->index, change);
    };
    gCharacterHooks.IsHost = []() { return gCountryHooks.IsHost == nullptr || gCountryHooks.IsHost(); };
    // Creation, the character server and the character's own events.
    gCharacterHooks.GetCapital = [](const CRZCountry* realm) -> int32_t { return realm->capital; };
    gCharacterHooks.GetProvinceOwner = [](int32_t number) -> int32_t {
        const CProvince* province = CProvince::GetProvince(number);
        const CRZCountry* owner = province != nullptr ? province->GetOwner() : nullptr;
        return owner != nullptr ? owner->index : 0;
    };
    gCharacterHooks.AddBadBoy = [](CRZCountry* realm, float amount) { realm->AddBadBoy(amount); };
    gCharacterHooks.ChangeStability = [](CRZCountry* realm, float change) { realm->ChangeStability(change); };
    // The papacy and the crusade.
    gCharacterHooks.GetLocalPlayerRealm = []() -> int32_t {
        for (int32_t i = 0; i < static_cast<int32_t>(kCountryTableSlots); ++i) {
            if (gCountryControl[i] == CONTROL_LOCAL_PLAYER)
                return i;
        }
        return 0;
    };
    gCharacterHooks.GetProvinceName = [](int32_t number) -> const char* {
        const CProvince* province = CProvince::GetProvince(number);
        return province != nullptr ? province->GetName() : nullptr;
    };
    gCharacterHooks.GetProvinceMonthlyGold = [](int32_t number) {
        const CProvince* province = CProvince::GetProvince(number);
        return province != nullptr ? province->GetModifier().GetProvinceMonthlyScore(*province).GetGold()
                                   : 0.0f;
    };
    gCharacterHooks.GetCrusadesCost = [](const CRZCountry* realm) { return realm->GetCrusadesCost(); };
}
