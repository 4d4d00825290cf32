// The realm's questions: what the interface and the computer opponent ask before an action (may the realm
// do it, what will it cost), the budget's bounds under the laws in force and the budget window's income
// estimates. Nothing here changes the world.
#include <algorithm>
#include <string>

#include "app/game.h"
#include "characters/character.h"
#include "characters/crusade.h"
#include "characters/law.h"
#include "characters/papacy.h"
#include "characters/title.h"
#include "foundation/text_format.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/province_effect.h"
#include "realms/province_improvement.h"
#include "realms/request.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kSlots = static_cast<int>(kCountryTableSlots);
// Provinces 1004 and up are sea zones, lakes and rivers.
constexpr int kLastLandProvince = 1003;
constexpr int kExcommunicated = 70;
constexpr int kCrusaderTrait = 71;

// The realm laws that bound the budget, and the church laws.
constexpr int kFirstRealmLaw = 7;
constexpr int kFirstChurchLaw = 11;
constexpr int kLawsPerGroup = 4;

// The law of the group in force, as an index 0..3 from the first; 4 when none is.
int LawInForce(const CLawTuple& laws, int first)
{
    for (int i = 0; i < kLawsPerGroup; ++i) {
        if (laws.Exists(first + i))
            return i;
    }
    return kLawsPerGroup;
}

// Per share, the bound under laws 7, 8, 9, 10 and under none of them.
struct CBounds {
    float max[5];
    float min[5];
};
constexpr CBounds kScutageBounds { { 1.0f, 0.5f, 0.7f, 1.0f, 1.0f }, { 0.0f, 0.0f, 0.0f, 0.5f, 0.0f } };
constexpr CBounds kCrownDutyBounds { { 1.0f, 0.5f, 0.7f, 1.0f, 1.0f }, { 0.5f, 0.0f, 0.0f, 0.5f, 0.0f } };
constexpr CBounds kCommonersBounds { { 1.0f, 1.0f, 0.7f, 0.5f, 1.0f }, { 0.25f, 0.5f, 0.0f, 0.0f, 0.0f } };
// Under laws 11, 12, 13, 14 and none.
constexpr CBounds kChurchBounds { { 0.8f, 1.0f, 0.7f, 1.0f, 1.0f }, { 0.0f, 0.5f, 0.3f, 0.7f, 0.0f } };

// Prestige and piety lost moving between church laws, by the law in force and the new one (11..14).
constexpr float kChurchLawPenalty[4][4][2] = {
    { { 0, 0 }, { 100, 25 }, { 50, 25 }, { 200, 0 } },
    { { 25, 100 }, { 0, 0 }, { 25, 50 }, { 50, 25 } },
    { { 25, 50 }, { 50, 25 }, { 0, 0 }, { 100, 25 } },
    { { 0, 200 }, { 25, 50 }, { 25, 100 }, { 0, 0 } },
};

// The composite score's parts the budget's shares fill.
constexpr int kPartCensus = 0;
constexpr int kPartTolls = 1;
constexpr int kPartClergy = 2;
constexpr int kPartCrownDuty = 3;
constexpr int kPartBuildings = 5;

const char* Text(const char* key)
{
    return TextStrings.GetString(key);
}

void AppendLine(std::string& text, const char* key, std::initializer_list<CTextArg> args)
{
    text += FormatDataText(Text(key), args);
    text += '\n';
}

// Whether the province's owner stands under the character's realm: his realm's ruler or below him.
bool IsUnder(const CProvince& province, const CCharacter* character)
{
    const CRZCountry* realm = character ? character->GetCountry() : nullptr;
    const CRZCountry* owner = province.GetOwner();
    if (realm == nullptr || realm->ruler == nullptr || owner == nullptr || owner->ruler == nullptr)
        return false;
    return realm->ruler->IsRealmUnderMe(owner->ruler);
}

} // namespace

CArmyState StateOf(const CRZUnit* army)
{
    return gCountryHooks.GetArmyState != nullptr ? gCountryHooks.GetArmyState(army) : CArmyState {};
}

namespace {

bool HasCombatIn(int province)
{
    for (const CRZCountry* realm : CRZCountry::_pCountry) {
        if (realm == nullptr)
            continue;
        for (auto it = realm->armies.GetHead(); !it.IsEnd(); it++) {
            const CArmyState state = StateOf(*it);
            if (state.province == province && state.inBattle)
                return true;
        }
    }
    return false;
}

float MonthlyGold(const CProvince& province, int part)
{
    const CCompositeScore score = province.GetModifier().GetProvinceMonthlyScore(province);
    return part < 0 ? score.GetGold() : score.Get(static_cast<VLScoreType>(part)).GetGold();
}

} // namespace

CProvince* CRZCountry::GetCapitalProvince() const
{
    return CProvince::GetProvince(capital);
}

bool CRZCountry::HasDevelopmentFocus(int group) const
{
    return group >= 0 && std::find(std::begin(devFocus), std::end(devFocus), group) != std::end(devFocus);
}

bool CRZCountry::HasClaim(const CTitle* title) const
{
    return ruler != nullptr && ruler->HasClaim(title);
}

float CRZCountry::GetRulerPower() const
{
    return ruler != nullptr ? ruler->GetPower() : 0.0f;
}

bool CRZCountry::CanAfford(const CScore& cost) const
{
    return ruler != nullptr && ruler->CanAfford(cost);
}

bool CRZCountry::HasEcclesticalCourtmember() const
{
    for (auto it = court.GetHead(); !it.IsEnd(); it++) {
        if ((*it)->CanBecomePriest())
            return true;
    }
    return false;
}

CAttributeTuple CRZCountry::GetAttributes() const
{
    CAttributeTuple total;
    if (ruler != nullptr)
        total = ruler->attributes;
    const auto office
        = [this](VLCourtPosition position) { return courtPositions[position - COURT_CHANCELLOR]; };
    if (const CCharacter* marshal = office(COURT_MARSHAL))
        total.AddMartial(marshal->attributes.GetMartial());
    if (const CCharacter* steward = office(COURT_STEWARD))
        total.AddStewardship(steward->attributes.GetStewardship());
    if (const CCharacter* chancellor = office(COURT_CHANCELLOR))
        total.AddDiplomacy(chancellor->attributes.GetDiplomacy());
    if (const CCharacter* spymaster = office(COURT_SPYMASTER))
        total.AddIntrigue(spymaster->attributes.GetIntrigue());
    return total;
}

bool CRZCountry::HasPossibleClaimTitle(const CCharacter* character) const
{
    const auto vacant = [](const CTitle* title) {
        return title != nullptr && title->IsRealTitle() && title->GetCurrentHolder() == nullptr;
    };
    for (int number = 0; number <= kLastLandProvince; ++number) {
        const CProvince* province = CProvince::GetProvince(number);
        if (province == nullptr || !IsUnder(*province, character))
            continue;
        if (vacant(CTitle::GetTitle(number)) || vacant(CTitle::GetTitle(province->titleRealms[0])))
            return true;
    }
    return false;
}

CDate CRZCountry::GetNextLegalChangeDate(int law) const
{
    const CLawType* type = CLawType::Get(law);
    const int group = type != nullptr ? type->GetGroup() : 0;
    CDate next = lawDates[group];
    next.AddYears(group == 0 ? 20 : 5);
    return next;
}

bool CRZCountry::CanInstituteLaw(int law) const
{
    return CLawType::Get(law) != nullptr && !(GetNextLegalChangeDate(law) > GetGameToday());
}

bool CRZCountry::IsAtWarWith(CRZCountryID other) const
{
    return other >= 0 && other < kSlots && atWarWith[other] != 0;
}

bool CRZCountry::CanDeclareWarOn(CRZCountryID other)
{
    const CRZCountry* target = GetCountry(other);
    if (target == nullptr || target == this || IsAtWarWith(other))
        return false;
    if (HaveClaimsAgainst(other) || IsMongol())
        return true;
    CRZCountryList* ourVassals = GetVassals();
    for (auto it = ourVassals->GetHead(); !it.IsEnd(); it++) {
        if (target->IsAtWarWith(*it))
            return true;
    }
    if (ruler != nullptr) {
        for (auto it = ruler->allies.GetHead(); !it.IsEnd(); it++) {
            const CRZCountry* ally = (*it)->GetCountry();
            if (ally != nullptr && ally->IsAtWarWith(other))
                return true;
        }
    }
    return ruler != nullptr && target->ruler != nullptr && target->ruler->IsReligiousEnemy(ruler);
}

bool CRZCountry::CanSendFosterling(const CCharacter* child) const
{
    if (child == nullptr || ruler == nullptr || child == ruler || !child->IsAlive())
        return false;
    const int age = child->GetAge();
    return age >= 5 && age <= 12 && child->dynasty == ruler->dynasty;
}

namespace {

// Of the provinces 0..1003 whose county or duchy title is the title, how many there are and how many lie
// under the character's realm.
struct CTitleLands {
    int total = 0;
    int under = 0;
    bool IsTwoThirds() const { return total > 0 && under * 100 >= total * 66; }
};

CTitleLands CountTitleLands(const CCharacter* character, const CTitle* title)
{
    CTitleLands lands;
    for (int number = 0; number <= kLastLandProvince; ++number) {
        const CProvince* province = CProvince::GetProvince(number);
        if (province == nullptr
            || (number != title->GetCountryID() && province->titleRealms[0] != title->GetCountryID()))
            continue;
        ++lands.total;
        if (IsUnder(*province, character))
            ++lands.under;
    }
    return lands;
}

} // namespace

bool CRZCountry::CanUsurpTitle(const CCharacter* character, const CTitle* title) const
{
    if (character == nullptr || title == nullptr || title->GetTier() == nullptr
        || title->GetTier()->IsCounty() || formOfGovernment != GOV_FEUDAL || character->religion > 1)
        return false;
    return CountTitleLands(character, title).IsTwoThirds();
}

bool CRZCountry::CanClaimTitle(const CCharacter* character, const CTitle* title) const
{
    if (character == nullptr || title == nullptr || title->GetCurrentHolder() != nullptr
        || formOfGovernment != GOV_FEUDAL || character->religion > 1 || !title->IsRealTitle()
        || title->IsReligiousSpecialTitle())
        return false;
    const CTitleLands lands = CountTitleLands(character, title);
    const bool enough = character->HasClaim(title) ? lands.under >= 1 : lands.IsTwoThirds();
    return enough && CanAfford(CSimpleScore(title->GetWarValue(), 0.0f, 0.0f));
}

bool CRZCountry::CanGrabTitle(const CTitle* title) const
{
    if (title == nullptr || title->IsReligiousSpecialTitle() || formOfGovernment != GOV_FEUDAL
        || ruler == nullptr || ruler->religion > 1)
        return false;
    const CCharacter* holder = title->GetCurrentHolder();
    return holder != nullptr && !holder->IsReligiousEnemy(ruler) && !HasClaim(title)
        && ruler->score.GetPrestige() >= title->GetPrestigeGrabCost(this);
}

bool CRZCountry::CanGrantTitle(const CTitle* title, const CCharacter* character) const
{
    if (title == nullptr || character == nullptr || title->GetTier() == nullptr || !character->IsAlive()
        || formOfGovernment != GOV_FEUDAL)
        return false;
    const bool county = title->GetTier()->IsCounty();
    if ((GetOwnedProvinces().GetSize() == 1 && county) || title->GetCountryID() == index)
        return false;
    if (county) {
        const CProvince* province = CProvince::GetProvince(title->GetProvince());
        if (province == nullptr || province->occupation > 0.0f || province->controller != index)
            return false;
    } else if (character->titles.IsEmpty()) {
        return false;
    }
    return !character->HasTrait(TRAIT_FOSTERLING)
        && (character->GetCountry() == this || character->IsRuler());
}

bool CRZCountry::CanBuildImprovement(const CProvince& province, int type) const
{
    const CProvinceImprovementType* improvement = CProvinceImprovementType::Get(type);
    if (improvement == nullptr || CProvinceImprovementType::IsNegative(type) || province.GetOwner() != this
        || province.controller != index || !province.CanBuildImprovement(type))
        return false;
    return CanAfford(province.GetModifier().GetProvinceImprovementCost(*improvement))
        && !HasCombatIn(province.GetNumber());
}

bool CRZCountry::CanCancelBuildImprovement(const CProvince& province) const
{
    return province.GetOwner() == this && province.controller == index && !HasCombatIn(province.GetNumber());
}

bool CRZCountry::CanAddProvinceEffect(const CProvince& province, int effect) const
{
    return !province.HasEffect(effect) && province.controller == index;
}

bool CRZCountry::CanChangePeasantNoblesPrivileges(const CProvince& province, float change) const
{
    const CStandsTuple privileges = province.GetPrivileges();
    return (change > 0.0f ? privileges.GetNobles() : privileges.GetPeasants()) < 1.0f;
}

bool CRZCountry::CanChangeBurgherClergyPrivileges(const CProvince& province, float change) const
{
    const CStandsTuple privileges = province.GetPrivileges();
    return (change > 0.0f ? privileges.GetClergy() : privileges.GetBurghers()) < 1.0f;
}

bool CRZCountry::CanMerge(const CList<CRZUnit*>& list) const
{
    if (list.GetSize() < 2 || gCountryHooks.GetArmyState == nullptr)
        return false;
    const int province = StateOf(*list.GetHead()).province;
    for (auto it = list.GetHead(); !it.IsEnd(); it++) {
        const CArmyState army = StateOf(*it);
        if (army.inBattle || army.province != province || army.owner != this)
            return false;
    }
    return true;
}

CSimpleScore CRZCountry::GetGrabTitleCost(const CCharacter*, const CTitle* title) const
{
    return CSimpleScore(0.0f, title != nullptr ? -title->GetPrestigeGrabCost(this) : 0.0f, 0.0f);
}

CSimpleScore CRZCountry::GetChangeChurchLawPenalty(int law) const
{
    const int from = LawInForce(laws, kFirstChurchLaw);
    const int to = law - kFirstChurchLaw;
    if (from == kLawsPerGroup || to < 0 || to >= kLawsPerGroup)
        return CSimpleScore();
    return CSimpleScore(0.0f, kChurchLawPenalty[from][to][0], kChurchLawPenalty[from][to][1]);
}

const char* CRZCountry::GetChangeLawEffect(int law) const
{
    static std::string text;
    text.clear();
    const CLawType* type = CLawType::Get(law);
    if (type == nullptr)
        return text.c_str();
    const CDate next = GetNextLegalChangeDate(law);
    if (next > GetGameToday()) {
        char date[16] = {};
        next.GenerateString(date);
        AppendLine(text, "IW_REALM_CANNOT_CHANGE_LAW_YET", { date });
        return text.c_str();
    }
    switch (type->GetGroup()) {
    case 0:
        AppendLine(text, "IW_REALM_SUCCESSION_LAW_CHANGE_EFFECT", {});
        break;
    case 1: {
        const int inForce = LawInForce(laws, kFirstRealmLaw) + kFirstRealmLaw;
        static const char* const kKeys[] = { "IW_REALM_ANTAGONIZE_SONS", "IW_REALM_ANTAGONIZE_VASSALS",
            "IW_REALM_ANTAGONIZE_ALL_MODERATLY", "IW_REALM_ANTAGONIZE_BURGERS_AND_PEASANTS" };
        if (inForce < kFirstRealmLaw + kLawsPerGroup && inForce != law)
            AppendLine(text, kKeys[inForce - kFirstRealmLaw], {});
        break;
    }
    default: {
        const CSimpleScore penalty = GetChangeChurchLawPenalty(law);
        if (penalty.GetPrestige() > 0.001f)
            AppendLine(text, "IW_REALM_PRESTIGE_LOST", { static_cast<double>(penalty.GetPrestige()) });
        if (penalty.GetPiety() > 0.001f)
            AppendLine(text, "IW_REALM_PIETY_LOST", { static_cast<double>(penalty.GetPiety()) });
        break;
    }
    }
    return text.c_str();
}

float CRZCountry::GetMaxScutage() const
{
    return kScutageBounds.max[LawInForce(laws, kFirstRealmLaw)];
}
float CRZCountry::GetMinScutage() const
{
    return kScutageBounds.min[LawInForce(laws, kFirstRealmLaw)];
}
float CRZCountry::GetMaxCrownDuty() const
{
    return kCrownDutyBounds.max[LawInForce(laws, kFirstRealmLaw)];
}
float CRZCountry::GetMinCrownDuty() const
{
    return kCrownDutyBounds.min[LawInForce(laws, kFirstRealmLaw)];
}
float CRZCountry::GetMaxCensusTax() const
{
    return kCommonersBounds.max[LawInForce(laws, kFirstRealmLaw)];
}
float CRZCountry::GetMinCensusTax() const
{
    return kCommonersBounds.min[LawInForce(laws, kFirstRealmLaw)];
}
float CRZCountry::GetMaxTolls() const
{
    return kCommonersBounds.max[LawInForce(laws, kFirstRealmLaw)];
}
float CRZCountry::GetMinTolls() const
{
    return kCommonersBounds.min[LawInForce(laws, kFirstRealmLaw)];
}
float CRZCountry::GetMaxChurchDonations() const
{
    return kChurchBounds.max[LawInForce(laws, kFirstChurchLaw)];
}
float CRZCountry::GetMinChurchDonations() const
{
    return kChurchBounds.min[LawInForce(laws, kFirstChurchLaw)];
}

float CRZCountry::GetMonthlyPossibleDemesneIncome() const
{
    float gold = 0.0f;
    for (int number = 0; number <= kLastLandProvince; ++number) {
        const CProvince* province = CProvince::GetProvince(number);
        if (province != nullptr && province->GetOwner() == this)
            gold += MonthlyGold(*province, kPartClergy) + MonthlyGold(*province, kPartBuildings);
    }
    return gold;
}

namespace {

// The gold of one part over the owned provinces with its share at full rate for the time of the sum.
float AtFullRate(CRZCountry& realm, int slider, int part)
{
    const float kept = realm.budget[slider];
    realm.budget[slider] = 1.0f;
    float gold = 0.0f;
    for (int number = 0; number <= kLastLandProvince; ++number) {
        const CProvince* province = CProvince::GetProvince(number);
        if (province != nullptr && province->GetOwner() == &realm)
            gold += MonthlyGold(*province, part);
    }
    realm.budget[slider] = kept;
    return gold;
}

} // namespace

float CRZCountry::GetMonthlyPossibleCrownDuty()
{
    return AtFullRate(*this, SLIDER_CROWN_DUTY, kPartCrownDuty);
}
float CRZCountry::GetMonthlyPossibleCensusTax()
{
    return AtFullRate(*this, SLIDER_CENSUS, kPartCensus);
}
float CRZCountry::GetMonthlyPossibleTolls()
{
    return AtFullRate(*this, SLIDER_TOLLS, kPartTolls);
}

float CRZCountry::GetMonthlyPossibleScutage() const
{
    if (IsCounty() || ruler == nullptr)
        return 0.0f;
    float gold = 0.0f;
    for (int number = 0; number <= kLastLandProvince; ++number) {
        const CProvince* province = CProvince::GetProvince(number);
        const CRZCountry* owner = province != nullptr ? province->GetOwner() : nullptr;
        if (owner != nullptr && owner != this && owner->ruler != nullptr
            && owner->ruler->GetLiegeRuler() == ruler && province->controller == owner->index)
            gold += MonthlyGold(*province, -1);
    }
    return gold / 2.0f;
}

float CRZCountry::GetMonthlyPossibleToLiege() const
{
    const CCharacter* liege = ruler != nullptr ? ruler->GetLiegeRuler() : nullptr;
    const CRZCountry* liegeRealm = liege != nullptr ? liege->GetCountry() : nullptr;
    if (liegeRealm == nullptr)
        return 0.0f;
    float gold = 0.0f;
    for (int number = 0; number <= kLastLandProvince; ++number) {
        const CProvince* province = CProvince::GetProvince(number);
        if (province != nullptr && province->GetOwner() == this)
            gold += liegeRealm->budget[SLIDER_SCUTAGE] * MonthlyGold(*province, -1);
    }
    return gold;
}

const char* CRZCountry::GetDemesneIncomeModifierInfo() const
{
    static std::string text;
    text.clear();
    const double stewardship = ruler != nullptr ? ruler->attributes.GetIntrigue() / 2.0 : 0.0;
    AppendLine(text, "DPA_STEWARDSHIP2", { stewardship });
    if (IsByzans())
        AppendLine(text, "DPA_EMPEROR2", { 2 });
    const int year = CRZGame::GetCurrentDate().year;
    const int yearBonus = year >= 1300 ? 3 : year >= 1100 ? 1 : 0;
    if (yearBonus > 0)
        AppendLine(text, "DPA_TIME", { yearBonus });
    AppendLine(text, IsKingdom() ? "DPA_KING" : IsDuchy() ? "DPA_DUCHY" : "DPA_COUNTY", {});
    const int provinces = GetOwnedProvinces().GetSize();
    const double limit = GetDemesneLimit();
    const double penalty = 1.0 - GetDemesneIncomeModifier(0.0f);
    text += FormatDataText(Text("DEMESNE_PENALTYINFO"), { provinces, limit, penalty * 100.0 });
    return text.c_str();
}

CRequest* CRZCountry::GetRequestTo(CRZCountryID other) const
{
    for (auto it = pendingRequests.GetHead(); !it.IsEnd(); it++) {
        if ((*it)->GetRecipient() == other)
            return *it;
    }
    return nullptr;
}

namespace {

int RankPoints(const CRZCountry* realm)
{
    const CTitle* title = CTitle::GetTitle(realm->index);
    return title != nullptr && title->GetTier() != nullptr ? title->GetRankPts() : 0;
}

bool IsVassalRealm(CRZCountry* realm, CRZCountryID other)
{
    CRZCountryList* vassals = realm->GetVassals();
    for (auto it = vassals->GetHead(); !it.IsEnd(); it++) {
        if (*it == other)
            return true;
    }
    return false;
}

// A province the realm owns and controls whose levy is not raised, with more than the given men.
bool HasUnraisedLevy(const CRZCountry* realm, float above)
{
    for (auto it = realm->GetOwnedProvinces().GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince(*it);
        if (province != nullptr && province->controller == realm->index && province->levyRegiment == NOID
            && province->currentLevy.GetTotal() > above)
            return true;
    }
    return false;
}

} // namespace

bool CRZCountry::CanHaveAlliances(CRZCountry* other)
{
    if (other == nullptr)
        return false;
    return other->GetRealm() == GetRealm() || other->IsRealm()
        || (other->ruler != nullptr && other->ruler->MayAcceptOfferVassalization());
}

bool CRZCountry::CanOfferAlliance(CRZCountry* other)
{
    if (other == nullptr || other == this || ruler == nullptr || !CanHaveAlliances(other)
        || IsAtWarWith(other->index) || ruler->allies.GetSize() >= ruler->GetAllowedAllies()
        || allianceFlags[other->index] != 0)
        return false;
    if (!IsRealm()) {
        const CCharacter* liege = ruler->GetLiegeRuler();
        if (!ruler->MayAcceptOfferVassalization() || (liege != nullptr && liege->GetCountry() == other))
            return false;
    }
    return !IsVassalRealm(this, other->index);
}

bool CRZCountry::CanOfferVassalization(const CRZCountry* other) const
{
    if (other == nullptr || other == this || other->ruler == nullptr || formOfGovernment == GOV_KNIGHT_ORDER
        || other->formOfGovernment == GOV_KNIGHT_ORDER || HasRequestTo(other->index))
        return false;
    return RankPoints(this) > RankPoints(other) && other->ruler->MayAcceptOfferVassalization();
}

bool CRZCountry::CanPledgeAllegience(const CRZCountry* other) const
{
    if (other == nullptr || other == this || ruler == nullptr || formOfGovernment == GOV_KNIGHT_ORDER
        || other->formOfGovernment == GOV_KNIGHT_ORDER || HasRequestTo(other->index)
        || IsAtWarWith(other->index))
        return false;
    return RankPoints(this) < RankPoints(other) && ruler->MayPledgeAllegience()
        && CanAfford(GetPledgeAllegienceCost(other->index));
}

bool CRZCountry::CanMobilizeHost(CRZCountry* target)
{
    if (target == this)
        return HasUnraisedLevy(this, -1.0f);
    if (target == nullptr || ruler == nullptr || target->ruler == nullptr || HasRequestTo(target->index)
        || target->IsRealm() || target->ruler->GetLiegeRuler() != ruler)
        return false;
    return HasUnraisedLevy(target, 10.0f);
}

bool CRZCountry::CanMobilizeGrandHost()
{
    if (CanMobilizeHost(this))
        return true;
    CRZCountryList* ourVassals = GetVassals();
    for (auto it = ourVassals->GetHead(); !it.IsEnd(); it++) {
        if (CanMobilizeHost(GetCountry(*it)))
            return true;
    }
    return false;
}

bool CRZCountry::CanMobilizeProvince(int number) const
{
    const CProvince* province = CProvince::GetProvince(number);
    const CRZCountry* owner = province != nullptr ? province->GetOwner() : nullptr;
    if (owner == nullptr || province->controller != owner->index || province->levyRegiment != NOID)
        return false;
    // The men already standing there count against the levy.
    float present = 0.0f;
    for (const CRZCountry* realm : _pCountry) {
        if (realm == nullptr)
            continue;
        for (auto it = realm->armies.GetHead(); !it.IsEnd(); it++) {
            const CArmyState army = StateOf(*it);
            if (army.province == number)
                present += army.strength;
        }
    }
    const bool levyAbove = province->currentLevy.GetTotal() > present / 10.0f;
    if (owner == this)
        return levyAbove;
    return ruler != nullptr && IsUnder(*province, ruler) && owner->ruler != nullptr
        && owner->ruler->MayAcceptDirectTroopRecruitment() && levyAbove;
}

bool CRZCountry::CanIOfferPeace(CRZCountryID other) const
{
    return IsAtWarWith(other) && GetWar(other) != nullptr;
}

bool CRZCountry::CanAssassinate(const CCharacter* victim) const
{
    return victim != nullptr && victim->IsAlive() && victim != ruler
        && CanAfford(victim->GetAssassinateCost(false));
}

bool CRZCountry::CanExcommunicate(const CCharacter* character) const
{
    const CCharacter* pope = CPapacy::GetPope();
    if (pope == nullptr || character == nullptr || character == pope || character->religion != 0
        || character->HasTrait(kExcommunicated) || !character->IsRuler())
        return false;
    return pope->score.GetPrestige() >= character->GetExcommunicationCost();
}

bool CRZCountry::CanRevokeTitle(const CTitle* title) const
{
    const CCharacter* holder = title != nullptr ? title->GetCurrentHolder() : nullptr;
    const CRZCountry* holderRealm = holder != nullptr ? holder->GetCountry() : nullptr;
    if (holderRealm == nullptr || HasRequestTo(holderRealm->index))
        return false;
    return !(holder->titles.GetSize() > 1 && holderRealm->GetOwnedProvinces().GetSize() == 1
        && title->GetTier() != nullptr && title->GetTier()->IsCounty());
}

float CRZCountry::GetCrusadesCost() const
{
    CCrusade* crusade = CCrusade::GetInstance();
    if (ruler == nullptr || ruler->religion != 0 || crusade == nullptr)
        return 0.0f;
    float cost = ruler->GetPower() / 200.0f * crusade->GetCrusadeNeed() / 10000.0f;
    if (ruler->HasTrait(kCrusaderTrait))
        cost *= 5.0f;
    return std::max(cost - 0.2f * static_cast<float>(crusadeCounter), 0.0f);
}
