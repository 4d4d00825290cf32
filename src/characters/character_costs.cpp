// What a character's prestige and piety gain or lose each month, and what acts against him cost:
// assassination, breaking a truce, excommunication.
#include <algorithm>
#include <cmath>

#include "characters/character.h"
#include "characters/crusade.h"
#include "characters/papacy.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/records_character.h"
#include "foundation/text_format.h"
#include "foundation/utilities.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kExcommunicated = 70;
constexpr int kPenaltyPlaces = 5;

const char* Text(const char* key)
{
    return TextStrings.GetString(key);
}

// The tier of a realm is its ruler's primary title's; a realm without a titled ruler stands as a county.
enum class Tier { County, Duchy, Kingdom };

Tier TierOf(const CTitle* title)
{
    if (title == nullptr)
        return Tier::County;
    return title->GetTier()->IsKingdom() ? Tier::Kingdom
        : title->GetTier()->IsDuchy()    ? Tier::Duchy
                                         : Tier::County;
}

CCharacter* RulerOf(const CRZCountry* realm)
{
    return realm != nullptr && gCharacterHooks.GetRuler != nullptr ? gCharacterHooks.GetRuler(realm)
                                                                   : nullptr;
}

bool WasEverMarried(const CCharacter& character)
{
    for (auto it = character.relations.GetHead(); !it.IsEnd(); it++) {
        if ((*it)->GetType() == RELATION_MARRIAGE)
            return true;
    }
    return false;
}

// Each grown child at home: sons without a realm of their own, daughters never married.
struct CChildPenalties {
    float sons = 0.0f;
    float daughters = 0.0f;
};

CChildPenalties ChildPenalties(const CCharacter& ruler)
{
    CChildPenalties total;
    int son = 0;
    int daughter = 0;
    for (auto it = ruler.children.GetHead(); !it.IsEnd(); it++) {
        const CCharacter* child = (*it).Get();
        if (child == nullptr)
            continue;
        // Every child takes his place, whatever his state.
        const int place = child->IsFemale() ? daughter++ : son++;
        if (!child->IsAlive() || child->GetAge() < kAdultAge || child->realmId != ruler.realmId)
            continue;
        if (!child->IsFemale() && !child->IsRuler())
            total.sons += ruler.GetUnknightedSonPenalty(place) / 12.0f;
        else if (child->IsFemale() && !WasEverMarried(*child))
            total.daughters += ruler.GetUnmarriedDaughterPenalty(place) / 12.0f;
    }
    return total;
}

// The pope shares in what his controller gains; a pope who controls himself counts once.
float PapalShare(const CCharacter& character)
{
    const CPapacy* papacy = CPapacy::GetInstance();
    if (papacy == nullptr || CPapacy::GetPope() != &character)
        return 0.0f;
    const CCharacter* controller = papacy->GetPapalController();
    return controller != nullptr && controller != &character ? controller->GetMonthlyPrestigeChange() : 0.0f;
}

float CrusadeCost(const CCharacter& ruler)
{
    const CCrusade* crusade = CCrusade::GetInstance();
    if (crusade == nullptr || !crusade->IsActive() || gCharacterHooks.GetCrusadesCost == nullptr)
        return 0.0f;
    return gCharacterHooks.GetCrusadesCost(ruler.GetCountry());
}

float RealmPiety(const CCharacter& ruler)
{
    return gCharacterHooks.GetMonthlyPiety != nullptr ? gCharacterHooks.GetMonthlyPiety(ruler.GetCountry())
                                                      : 0.0f;
}

} // namespace

bool CCharacter::CanAfford(const CScore& cost) const
{
    const CSimpleScore need = cost.GetTotal();
    return !(need.GetGold() > 0.0f && need.GetGold() > score.GetGold())
        && !(need.GetPrestige() > 0.0f && need.GetPrestige() > score.GetPrestige())
        && !(need.GetPiety() > 0.0f && need.GetPiety() > score.GetPiety());
}

bool CCharacter::IsCharAtWarWithOurVassals(const CCharacter* other) const
{
    const CRZCountry* otherRealm = other != nullptr ? other->GetCountry() : nullptr;
    if (otherRealm == nullptr || gCharacterHooks.IsAtWarWith == nullptr)
        return false;
    for (auto it = vassals.GetHead(); !it.IsEnd(); it++) {
        const CCharacter* vassal = (*it).Get();
        const CRZCountry* realm = vassal != nullptr ? vassal->GetCountry() : nullptr;
        if (realm != nullptr && gCharacterHooks.IsAtWarWith(realm, otherRealm))
            return true;
    }
    return false;
}

CSimpleScore CCharacter::GetTruceBreakingCost(const CCharacter* other) const
{
    if (other == nullptr || !HasTruce(other))
        return CSimpleScore(0.0f, 0.0f, 0.0f);
    // Breaking faith to defend a vassal costs a tenth.
    return CSimpleScore(0.0f, IsCharAtWarWithOurVassals(other) ? 10.0f : 100.0f, 0.0f);
}

CSimpleScore CCharacter::GetAssassinateCost(bool extra) const
{
    float cost = 10.0f;
    if (const CTitle* primary = GetPrimaryTitle())
        cost += 5.0f * static_cast<float>(primary->GetRankPts());
    else if (const CCharacter* spouse = FindSpouse();
             spouse != nullptr && spouse->GetPrimaryTitle() != nullptr)
        cost += 5.0f * static_cast<float>(spouse->GetPrimaryTitle()->GetRankPts());
    cost += 2.0f * static_cast<float>(titles.GetSize());
    const CCharacter* ruler = RulerOf(GetCountry());
    const Tier tier = TierOf(ruler != nullptr ? ruler->GetPrimaryTitle() : nullptr);
    const float m = tier == Tier::County ? 1.0f : 5.0f;
    if (ruler != nullptr && ruler->GetID() == father)
        cost += 10.0f * m;
    if (ruler == this)
        cost += 5.0f * m;
    if (courtPosition != COURT_COURTIER)
        cost += 20.0f * m;
    cost += 4.0f * static_cast<float>(attributes.Get(CAttributeTuple::MARTIAL));
    return extra ? CSimpleScore(cost, 100.0f, 100.0f) : CSimpleScore(cost, 0.0f, 0.0f);
}

float CCharacter::GetExcommunicationCost() const
{
    const float cost = std::max(score.GetPiety(), 1.0f) + 10.0f * static_cast<float>(titles.GetSize())
        + 12.0f * static_cast<float>(vassals.GetSize());
    // Casting out a heretic is half done already.
    return HasTrait(TRAIT_HERETIC) ? cost / 10.0f : cost;
}

void CCharacter::PostExcommunicate()
{
    PostToHostEvent(new CRZCharacterTraitEvent(
        _CRZEVT_ADD_TRAIT_, CHARACTER_SERVER, id, static_cast<TraitType>(kExcommunicated)));
    if (const CCharacter* pope = CPapacy::GetPope())
        PostToHostEvent(new CRZCharacterFloatEvent(
            _CRZEVT_PRESTIGE_, CHARACTER_SERVER, pope->GetID(), -GetExcommunicationCost()));
}

void CCharacter::PostRevokeExcommunication()
{
    PostToHostEvent(new CRZCharacterTraitEvent(
        _CRZEVT_REMOVE_TRAIT_, CHARACTER_SERVER, id, static_cast<TraitType>(kExcommunicated)));
}

float CCharacter::GetUnknightedSonPenalty(int i) const
{
    static constexpr float kPenalty[3][kPenaltyPlaces]
        = { { 1, 0, 0, 0, 0 }, { 3, 1, 1, 0, 0 }, { 5, 3, 2, 1, 1 } };
    return i >= 0 && i < kPenaltyPlaces ? kPenalty[static_cast<int>(TierOf(GetPrimaryTitle()))][i] : 0.0f;
}

float CCharacter::GetUnmarriedDaughterPenalty(int i) const
{
    static constexpr float kPenalty[3][kPenaltyPlaces]
        = { { 3, 2, 1, 0, 0 }, { 4, 3, 2, 1, 0 }, { 5, 4, 3, 2, 1 } };
    return i >= 0 && i < kPenaltyPlaces ? kPenalty[static_cast<int>(TierOf(GetPrimaryTitle()))][i] : 0.0f;
}

float CCharacter::GetTitlesPrestigeBonus() const
{
    const CTitle* primary = GetPrimaryTitle();
    if (primary == nullptr)
        return 0.0f;
    switch (TierOf(primary)) {
    case Tier::Kingdom:
        return 5.0f * static_cast<float>(GetNumOfKingdomTitles())
            + 3.0f * static_cast<float>(GetNumOfVassalDukes());
    case Tier::Duchy:
        return 3.0f * static_cast<float>(GetNumOfDuchyTitles()) + static_cast<float>(GetNumOfVassalCounts());
    case Tier::County:
    default:
        return 1.0f;
    }
}

float CCharacter::GetMonthlyPrestigeChange() const
{
    float change = 0.0f;
    if (IsRuler()) {
        const CChildPenalties atHome = ChildPenalties(*this);
        change -= atHome.sons + atHome.daughters;
        change += GetTitlesPrestigeBonus() / 12.0f;
        change += PapalShare(*this);
    }
    return change + traits.GetPeriodicScoreModifier().GetPrestige() / 12.0f;
}

float CCharacter::GetMonthlyPietyChange() const
{
    float change = 0.0f;
    if (IsRuler())
        change = RealmPiety(*this) - CrusadeCost(*this);
    return change + traits.GetPeriodicScoreModifier().GetPiety() / 12.0f;
}

const char* CCharacter::GetMonthlyPrestigeChangeDesc() const
{
    static char buffer[256];
    CopyString(buffer,
        FormatDataText(Text("DESC_PRESTIGE_CHANGE"), { static_cast<double>(GetMonthlyPrestigeChange()) })
            .c_str());
    return buffer;
}

const char* CCharacter::GetMonthlyPietyChangeDesc() const
{
    static char buffer[256];
    CopyString(buffer,
        FormatDataText(Text("DESC_PIETY_CHANGE"), { static_cast<double>(GetMonthlyPietyChange()) }).c_str());
    return buffer;
}

namespace {

// One line of a long text when its part is worth a thousandth: the format filled with the part and the
// count it comes from.
void AppendPart(char* buffer, std::size_t size, const char* key, float part, int count = 0)
{
    if (std::fabs(part) <= 0.001f)
        return;
    AppendFormat(
        buffer, size, "%s\n", FormatDataText(Text(key), { static_cast<double>(part), count }).c_str());
}

} // namespace

const char* CCharacter::GetMonthlyPrestigeChangeDescLong() const
{
    static char buffer[2048];
    buffer[0] = '\0';
    if (IsRuler()) {
        const CChildPenalties atHome = ChildPenalties(*this);
        AppendPart(buffer, sizeof buffer, "DESC_PRESTIGE_UNKNIGHTED", -atHome.sons);
        AppendPart(buffer, sizeof buffer, "DESC_PRESTIGE_UNMARRIED", -atHome.daughters);
        switch (GetPrimaryTitle() != nullptr ? TierOf(GetPrimaryTitle()) : Tier::County) {
        case Tier::Kingdom:
            AppendPart(buffer, sizeof buffer, "DESC_PRESTIGE_KINGDOMS",
                5.0f * static_cast<float>(GetNumOfKingdomTitles()) / 12.0f, GetNumOfKingdomTitles());
            AppendPart(buffer, sizeof buffer, "DESC_PRESTIGE_DUKES",
                3.0f * static_cast<float>(GetNumOfVassalDukes()) / 12.0f, GetNumOfVassalDukes());
            break;
        case Tier::Duchy:
            AppendPart(buffer, sizeof buffer, "DESC_PRESTIGE_DUCHIES",
                3.0f * static_cast<float>(GetNumOfDuchyTitles()) / 12.0f, GetNumOfDuchyTitles());
            AppendPart(buffer, sizeof buffer, "DESC_PRESTIGE_COUNTS",
                static_cast<float>(GetNumOfVassalCounts()) / 12.0f, GetNumOfVassalCounts());
            break;
        case Tier::County:
        default:
            if (GetPrimaryTitle() != nullptr)
                AppendPart(buffer, sizeof buffer, "DESC_PRESTIGE_COUNT", 1.0f / 12.0f, 1);
            break;
        }
    }
    AppendPart(buffer, sizeof buffer, "DESC_PRESTIGE_TRAITS",
        traits.GetPeriodicScoreModifier().GetPrestige() / 12.0f);
    return buffer;
}

const char* CCharacter::GetMonthlyPietyChangeDescLong() const
{
    static char buffer[1024];
    buffer[0] = '\0';
    if (IsRuler()) {
        AppendPart(buffer, sizeof buffer, "DESC_PIETY_CRUSADES", -CrusadeCost(*this));
        AppendPart(buffer, sizeof buffer, "DESC_PIETY_CHURCH_DONATIONS", RealmPiety(*this));
    }
    AppendPart(
        buffer, sizeof buffer, "DESC_PIETY_TRAITS", traits.GetPeriodicScoreModifier().GetPiety() / 12.0f);
    return buffer;
}
