// The rules a headless run checks after every day: characters live in a realm, pregnancies end in the
// labour window, titles and realms are never left to the dead, realms keep their values in range and
// their controlled provinces in step with the provinces' controllers, and no realm's, character's or
// province's figure turns into NaN.
#include "app/invariant_checker.h"

#include <cmath>
#include <cstdarg>
#include <unordered_set>

#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/title.h"
#include "realms/country.h"
#include "realms/province.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

// Labour has always begun after this many days of pregnancy, and never before the first.
constexpr int kLastPregnancyDay = 276;
constexpr int kFirstLabourDay = 241;
// Breaks written in full; the rest are only counted.
constexpr int kBreaksShown = 20;

void CheckCharacters(CInvariantChecker& checker, std::FILE* err)
{
    if (gGlobal.characterServer == nullptr)
        return;
    const CDate today = GetGameToday();
    int32_t living = 0;
    std::unordered_map<CRZID, CDate, CRZIDHash> conceptions;
    std::unordered_set<CRZID, CRZIDHash> alive;
    for (auto it = gGlobal.characterServer->GetHead(); !it.IsEnd(); it++) {
        const CCharacter* character = *it;
        const unsigned number = character->GetID().number;
        if (!character->IsAlive())
            continue;
        alive.insert(character->GetID());
        ++living;
        if (character->GetCountry() == nullptr)
            checker.Break(
                err, "character %u lives in realm %d, which does not exist", number, character->realmId);
        if (character->IsPregnant()) {
            conceptions[character->GetID()] = character->conceptionDate;
            if (today.GetDays() - character->conceptionDate.GetDays() > kLastPregnancyDay)
                checker.Break(
                    err, "character %u is pregnant for more than %d days", number, kLastPregnancyDay);
        }
        // A child of a pregnancy; one created during play (a bastard made whole) has no conception.
        const auto conceived = checker.conceptions.find(character->mother);
        if (character->status != 0 && character->birthDate == today
            && conceived != checker.conceptions.end()) {
            ++checker.births;
            const int length = today.GetDays() - conceived->second.GetDays();
            checker.shortestPregnancy = std::min(checker.shortestPregnancy, length);
            checker.longestPregnancy = std::max(checker.longestPregnancy, length);
            if (length < kFirstLabourDay || length > kLastPregnancyDay)
                checker.Break(err, "character %u is born after %d days of pregnancy", number, length);
        }
    }
    for (const CRZID& id : checker.living)
        checker.deaths += alive.count(id) == 0 ? 1 : 0;
    checker.living.swap(alive);
    checker.conceptions.swap(conceptions);
    checker.fewestLiving = std::min(checker.fewestLiving, living);
    checker.mostLiving = std::max(checker.mostLiving, living);
}

void CheckTitlesAndRulers(CInvariantChecker& checker, std::FILE* err)
{
    for (int32_t realmId = 1; realmId < CTitle::kTitleCount; ++realmId) {
        const CTitle* title = CTitle::GetTitle(realmId);
        const CCharacter* holder = title != nullptr ? title->GetCurrentHolder() : nullptr;
        if (holder != nullptr && !holder->deathDate.IsZero())
            checker.Break(err, "title %d is held by the dead character %u", realmId, holder->GetID().number);
        const CRZCountry* realm = CRZCountry::GetCountry(realmId);
        if (realm != nullptr && CRZCountry::IsRealCountry(realmId) && realm->ruler != nullptr
            && !realm->ruler->deathDate.IsZero())
            checker.Break(
                err, "realm %d is ruled by the dead character %u", realmId, realm->ruler->GetID().number);
    }
}

bool IsFinite(float value)
{
    return std::isfinite(value);
}

// Realms keep their values in range, no figure of a realm or character turns into NaN, and every
// province's controller lists it among its controlled provinces, and only those.
void CheckRealms(CInvariantChecker& checker, std::FILE* err)
{
    for (int32_t index = 0; index < static_cast<int32_t>(kCountryTableSlots); ++index) {
        const CRZCountry* realm = CRZCountry::_pCountry[index];
        if (realm == nullptr)
            continue;
        for (int32_t other = 0; other < static_cast<int32_t>(kCountryTableSlots); ++other) {
            const float relation = realm->relations[other];
            if (!IsFinite(relation) || relation < -200.0f || relation > 200.0f)
                checker.Break(
                    err, "realm %d holds relation %g toward %d", index, static_cast<double>(relation), other);
        }
        if (!IsFinite(realm->stability) || realm->stability < -3.0f || realm->stability > 3.0f)
            checker.Break(err, "realm %d has stability %g", index, static_cast<double>(realm->stability));
        if (!IsFinite(realm->badBoy) || realm->badBoy < 0.0f)
            checker.Break(err, "realm %d has bad boy %g", index, static_cast<double>(realm->badBoy));
        for (float share : realm->budget) {
            if (!IsFinite(share))
                checker.Break(err, "realm %d has a budget share of %g", index, static_cast<double>(share));
        }
        for (auto it = realm->controlledProvinces.GetHead(); !it.IsEnd(); it++) {
            const CProvince* province = CProvince::GetProvince(*it);
            if (province == nullptr || province->GetControllerID() != index)
                checker.Break(err, "realm %d lists province %d, which another controls", index, *it);
        }
    }
    for (int number = 0; number < kMapProvinceCount; ++number) {
        const CProvince* province = CProvince::_pProvince[number];
        const CRZCountry* controller
            = province != nullptr ? CRZCountry::GetCountry(province->GetControllerID()) : nullptr;
        if (controller != nullptr && !controller->controlledProvinces.Contains(number))
            checker.Break(err, "province %d is controlled by realm %d, which does not list it", number,
                controller->index);
    }
    if (gGlobal.characterServer == nullptr)
        return;
    for (auto it = gGlobal.characterServer->GetHead(); !it.IsEnd(); it++) {
        const CCharacter* character = *it;
        const CSimpleScore& score = character->score;
        if (!IsFinite(score.GetGold()) || !IsFinite(score.GetPrestige()) || !IsFinite(score.GetPiety())
            || !IsFinite(character->loyaltyToLiege))
            checker.Break(err, "character %u has a figure that is not a number", character->GetID().number);
    }
}

// No figure of a province turns into NaN: its estates, income, occupation and levies.
void CheckProvinces(CInvariantChecker& checker, std::FILE* err)
{
    for (int number = 0; number < kMapProvinceCount; ++number) {
        const CProvince* province = CProvince::_pProvince[number];
        if (province == nullptr)
            continue;
        bool finite = IsFinite(province->baseIncome) && IsFinite(province->occupation)
            && IsFinite(province->manpowerTotal) && IsFinite(province->maximumLevy.GetTotal())
            && IsFinite(province->currentLevy.GetTotal());
        for (int estate = 0; estate < CStandsTuple::COUNT; ++estate)
            finite = finite && IsFinite(province->loyalty.Get(estate))
                && IsFinite(province->privileges.Get(estate));
        if (!finite)
            checker.Break(err, "province %d has a figure that is not a number", number);
    }
}

// The rules, in the order they run; each subsystem adds its own.
void (*const kRules[])(CInvariantChecker&, std::FILE*) = {
    &CheckCharacters,
    &CheckTitlesAndRulers,
    &CheckRealms,
    &CheckProvinces,
};

} // namespace

void CInvariantChecker::CheckDay(std::FILE* err)
{
    for (auto rule : kRules)
        rule(*this, err);
    ++days;
}

void CInvariantChecker::Break(std::FILE* err, const char* format, ...)
{
    if (++breaks > kBreaksShown)
        return;
    const CDate today = GetGameToday();
    std::fprintf(err, "check: %04d-%02d-%02d: ", today.year, today.month + 1, today.day + 1);
    va_list args;
    va_start(args, format);
    std::vfprintf(err, format, args);
    va_end(args);
    std::fputc('\n', err);
}

void CInvariantChecker::Report(std::FILE* out) const
{
    std::fprintf(out,
        "check: %d days, %d breaks; living %d to %d; %d births, %d deaths; pregnancies of %d to %d days\n",
        days, breaks, fewestLiving == INT32_MAX ? 0 : fewestLiving, mostLiving, births, deaths,
        shortestPregnancy == INT32_MAX ? 0 : shortestPregnancy, longestPregnancy);
}
