// A character's loyalty to his liege: the monthly drift from thirteen effects, the decisions it steers
// (vassalization, allegiance, war on the liege, direct recruitment) and their texts.
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "characters/character.h"
#include "characters/culture.h"
#include "characters/loyalty_month.h"
#include "characters/succession.h"
#include "characters/title.h"
#include "foundation/text_format.h"
#include "foundation/utilities.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

enum LoyaltyEffect {
    LOY_SCUTAGE,
    LOY_GENERAL_OPINION,
    LOY_FAMILY,
    LOY_SUCCESSION,
    LOY_LAWS,
    LOY_PRESTIGE,
    LOY_PIETY,
    LOY_BYZANTINE,
    LOY_REGIMENT,
    LOY_REPUTATION,
    LOY_LIEGE_INTRIGUE,
    LOY_FRIEND,
    LOY_RIVAL,
    LOY_EFFECTS
};

constexpr int kScutageSlider = 0;
constexpr int kRoyalPrerogative = 7;
constexpr int kFeudalContract = 8;
constexpr int kByzantineRealm = 1271;
constexpr int kByzantineUnitCulture = 40;
// How far down the liege's heirs a vassal counts; past this an heir's share is below a thousandth.
constexpr int kHeirsCounted = 16;

const char* Text(const char* key)
{
    return TextStrings.GetString(key);
}

bool IsParentOf(const CCharacter* parent, const CCharacter* child)
{
    return parent->GetID() == child->father || parent->GetID() == child->mother;
}

// A foreign regiment raised long ago in the realm's provinces wears down its lords' patience.
float RegimentEffect(const CRZCountry* realm)
{
    if (realm == nullptr || gCharacterHooks.GetRuler == nullptr
        || gCharacterHooks.GetForeignRegimentMonths == nullptr)
        return 0.0f;
    const CCharacter* ruler = gCharacterHooks.GetRuler(realm);
    if (ruler == nullptr || ruler->ownedProvinces.IsEmpty())
        return 0.0f;
    float sum = 0.0f;
    float largest = 0.0f;
    for (auto it = ruler->ownedProvinces.GetHead(); !it.IsEnd(); it++) {
        const int32_t months = gCharacterHooks.GetForeignRegimentMonths(*it, realm);
        if (months <= 6)
            continue;
        const float e = static_cast<float>(months - 6) / 6.0f * 0.02f + 0.002f;
        sum += e;
        largest = std::max(largest, e);
    }
    const float v = sum / static_cast<float>(ruler->ownedProvinces.GetSize()) * 0.5f + largest * 0.5f;
    return std::max(-v, -0.05f);
}

// The heirs of each liege asked for while a CLoyaltyMonth lives; null otherwise.
std::unique_ptr<std::unordered_map<const CCharacter*, CSuccessorList>> gMonthHeirs;

const CSuccessorList& HeirsOf(const CCharacter* liege, const CLawTuple& laws, CSuccessorList& fresh)
{
    if (gMonthHeirs != nullptr) {
        auto found = gMonthHeirs->find(liege);
        if (found != gMonthHeirs->end())
            return found->second;
    }
    CSuccessionLaw succession(laws);
    fresh = succession.GetSuccessors(CRef<CCharacter>(const_cast<CCharacter*>(liege)), kHeirsCounted);
    if (gMonthHeirs == nullptr)
        return fresh;
    return gMonthHeirs->emplace(liege, fresh).first->second;
}

// Every effect of the month, 0 where it does not apply.
std::array<float, LOY_EFFECTS> LoyaltyEffects(const CCharacter& self)
{
    std::array<float, LOY_EFFECTS> effects {};
    const CCharacter* liege = self.GetLiegeForLoyalty();
    if (liege == nullptr || liege == &self)
        return effects;
    const CRZCountry* liegeRealm = liege->GetCountry();
    const bool titled = self.GetPrimaryTitle() != nullptr;

    if (liegeRealm != nullptr && gCharacterHooks.GetBudgetShare != nullptr)
        effects[LOY_SCUTAGE] = (1.0f - gCharacterHooks.GetBudgetShare(liegeRealm, kScutageSlider)) * 0.01f;
    effects[LOY_GENERAL_OPINION] = 2.0f * (self.GetBaseCompability(liege) - 0.5f) * 0.05f;
    if (IsParentOf(liege, &self))
        effects[LOY_FAMILY] += 0.02f;
    if (const CCharacter* spouse = self.FindSpouse(); spouse != nullptr && IsParentOf(liege, spouse))
        effects[LOY_FAMILY] += 0.02f;

    const CLawTuple* laws = liegeRealm != nullptr && gCharacterHooks.GetLaws != nullptr
        ? gCharacterHooks.GetLaws(liegeRealm)
        : nullptr;
    if (laws != nullptr) {
        CSuccessorList fresh;
        const CSuccessorList& heirs = HeirsOf(liege, *laws, fresh);
        int place = 0;
        for (auto it = heirs.GetHead(); !it.IsEnd(); it++, ++place) {
            if ((*it).GetID() == self.GetID()) {
                effects[LOY_SUCCESSION] = 0.02f * std::pow(0.8f, static_cast<float>(place));
                break;
            }
        }
        if (titled)
            effects[LOY_LAWS] = laws->Exists(kRoyalPrerogative) ? -0.01f
                : laws->Exists(kFeudalContract)                 ? 0.01f
                                                                : 0.0f;
    }

    effects[LOY_PRESTIGE] = std::clamp(liege->score.GetPrestige() / 1000.0f * 0.01f, -0.02f, 0.01f);
    if (self.IsBishop())
        effects[LOY_PIETY] = std::clamp(liege->score.GetPiety() / 100.0f * 0.01f, -0.02f, 0.02f);
    if (titled) {
        const CRZCountry* top = self.GetRealm();
        if (top != nullptr && gCharacterHooks.GetCountryIndex != nullptr
            && gCharacterHooks.GetCountryIndex(top) == kByzantineRealm
            && CRZCulture::MapUnitCulture(self.culture) == kByzantineUnitCulture)
            effects[LOY_BYZANTINE] = 0.01f;
        effects[LOY_REGIMENT] = RegimentEffect(self.GetCountry());
    }
    if (liegeRealm != nullptr) {
        const int32_t control
            = gCharacterHooks.GetControlKind != nullptr ? gCharacterHooks.GetControlKind(liegeRealm) : 0;
        if ((control == 1 || control == 2) && gCharacterHooks.GetBadBoyShare != nullptr)
            effects[LOY_REPUTATION] = -gCharacterHooks.GetBadBoyShare(liegeRealm) * 0.1f;
        if (gCharacterHooks.GetLoyaltyModifier != nullptr)
            effects[LOY_LIEGE_INTRIGUE] = gCharacterHooks.GetLoyaltyModifier(liegeRealm);
    }
    // The lists mirror the active friendships and rivalries, and are far shorter than the relations.
    if (self.friends.Contains(const_cast<CCharacter*>(liege)))
        effects[LOY_FRIEND] = 0.02f;
    if (self.rivals.Contains(const_cast<CCharacter*>(liege)))
        effects[LOY_RIVAL] = -0.03f;
    return effects;
}

} // namespace

CLoyaltyMonth::CLoyaltyMonth()
{
    gMonthHeirs = std::make_unique<std::unordered_map<const CCharacter*, CSuccessorList>>();
}

CLoyaltyMonth::~CLoyaltyMonth()
{
    gMonthHeirs.reset();
}

bool CCharacter::MayAcceptOfferVassalization() const
{
    return GetLiegeRuler() == nullptr || GetLoyaltyToLiege() < 0.5f;
}

bool CCharacter::MayPledgeAllegience() const
{
    return GetLiegeRuler() == nullptr || GetLoyaltyToLiege() < 0.3f;
}

bool CCharacter::MayDowLiege() const
{
    return GetLiegeRuler() != nullptr && GetLoyaltyToLiege() < 0.1f;
}

bool CCharacter::MayAcceptDirectTroopRecruitment() const
{
    return GetLiegeRuler() != nullptr && GetLoyaltyToLiege() > 0.79f;
}

float CCharacter::GetMonthlyLoyaltyChange() const
{
    float change = 0.0f;
    for (float effect : LoyaltyEffects(*this))
        change += effect;
    return change;
}

const char* CCharacter::GetLoyaltyEffectDesc() const
{
    static char buffer[1024];
    buffer[0] = '\0';
    if (GetLiegeRuler() == nullptr)
        return buffer;
    const std::pair<bool, const char*> decisions[] = {
        { MayAcceptOfferVassalization(), "DESC_MAYACCEPTOFFERVASSALIZATION" },
        { MayPledgeAllegience(), "DESC_MAYPLESGEALLEGIENCE" },
        { MayDowLiege(), "DESC_MAYDOWLIEGE" },
        { MayAcceptDirectTroopRecruitment(), "DESC_MAYRECRUIT" },
    };
    for (const auto& [holds, key] : decisions) {
        if (holds)
            AppendFormat(buffer, sizeof buffer, "%s\n", Text(key));
    }
    return buffer;
}

const char* CCharacter::GetMonthlyLoyaltyChangeDesc() const
{
    static char buffer[256];
    CopyString(buffer,
        FormatDataText(Text("DESC_LOY_CHANGE"), { static_cast<double>(GetMonthlyLoyaltyChange()) * 100.0 })
            .c_str());
    return buffer;
}

const char* CCharacter::GetMonthlyLoyaltyChangeDescLong() const
{
    static char buffer[2048];
    buffer[0] = '\0';
    // The long text lists the liege's intrigue before the Byzantine effect.
    static constexpr std::pair<LoyaltyEffect, const char*> kLines[] = {
        { LOY_SCUTAGE, "DESC_LOY_SCUTAGE" },
        { LOY_GENERAL_OPINION, "DESC_LOY_GENERALOPINION" },
        { LOY_FAMILY, "DESC_LOY_FAMILY" },
        { LOY_SUCCESSION, "DESC_LOY_SUCCESSION" },
        { LOY_LAWS, "DESC_LOY_LAWS" },
        { LOY_PRESTIGE, "DESC_LOY_PRESTIGE" },
        { LOY_PIETY, "DESC_LOY_PIETY" },
        { LOY_LIEGE_INTRIGUE, "DESC_LOY_LIEGE_INTRIGUE" },
        { LOY_BYZANTINE, "DESC_LOY_BYZANTINE" },
        { LOY_REGIMENT, "DESC_LOY_REGIMENT" },
        { LOY_REPUTATION, "DESC_LOY_REPUTATION" },
        { LOY_FRIEND, "DESC_LOY_FRIEND" },
        { LOY_RIVAL, "DESC_LOY_RIVAL" },
    };
    const auto effects = LoyaltyEffects(*this);
    for (const auto& [effect, key] : kLines) {
        if (std::fabs(effects[effect]) <= 0.001f)
            continue;
        AppendFormat(buffer, sizeof buffer, "%s\n",
            FormatDataText(Text(key), { static_cast<double>(effects[effect]) * 100.0 }).c_str());
    }
    return buffer;
}
