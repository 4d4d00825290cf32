// The daily check's realm and province rules: values out of range, a figure that is not a number and a
// controller that does not list its province are each a break; a sound realm is none. Its tally counts every
// death once.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "app/invariant_checker.h"
#include "characters/character.h"
#include "characters/character_server.h"
#include "events/game_clock.h"
#include "realms/country.h"
#include "realms/province.h"
#include "world/global.h"

#include "foundation/safeguards.h"

TEST(InvariantChecker, RealmsOutOfRangeOrOutOfStepWithTheirProvincesBreakTheRules)
{
    CRZCountry::InitCountryArray();
    ClearCountryControl();
    CRZCountry::ConstructCountry(5);
    CRZCountry* realm = CRZCountry::_pCountry[5];
    CProvince province;
    province.number = 12;
    province.controller = 5;
    CProvince::_pProvince[12] = &province;
    realm->controlledProvinces.Append(12);
    std::FILE* err = std::tmpfile();

    CInvariantChecker sound;
    sound.CheckDay(err);
    EXPECT_EQ(sound.GetBreaks(), 0);

    realm->relations[7] = 250.0f;
    realm->stability = std::nanf("");
    realm->badBoy = -1.0f;
    realm->controlledProvinces.RemoveAll(); // the province names a controller that does not list it
    province.loyalty.Set(CStandsTuple::CLERGY, std::nanf(""));
    CInvariantChecker broken;
    broken.CheckDay(err);
    EXPECT_EQ(broken.GetBreaks(), 5);

    std::fclose(err);
    CProvince::_pProvince[12] = nullptr;
    CRZCountry::DeleteAll();
}

// A death is counted on the day the character is first found dead, whatever date it carries: one applied
// a day late, as a deferred or replayed death event may be, counts as well as one of the day itself.
TEST(InvariantChecker, EveryDeathCountsOnceWhateverDateItCarries)
{
    CIdentity::TotalInit(NOID, 0);
    CRZCountry::InitCountryArray();
    gpTimer = new CRZTimer(15);
    gpTimer->SetDate(CDate(0, 0, 1100));
    CCharacterServer server;
    gGlobal.characterServer = &server;
    auto people = std::make_unique<CCharacter[]>(3);
    for (uint32_t i = 0; i < 3; ++i) {
        people[i].Create(CRZID(RZTYPE_CHARACTER, 700 + i));
        server.Append(&people[i]);
    }
    std::FILE* err = std::tmpfile();
    CInvariantChecker checker;
    checker.CheckDay(err);
    EXPECT_EQ(checker.deaths, 0);

    const CDate yesterday = gpTimer->GetDate();
    gpTimer->SetDate(CDate(1, 0, 1100));
    people[0].deathDate = yesterday;
    people[1].deathDate = gpTimer->GetDate();
    checker.CheckDay(err);
    EXPECT_EQ(checker.deaths, 2);
    gpTimer->SetDate(CDate(2, 0, 1100));
    checker.CheckDay(err);
    EXPECT_EQ(checker.deaths, 2) << "the dead are counted once";

    std::fclose(err);
    server.RemoveAll();
    gGlobal.characterServer = nullptr;
    delete gpTimer;
    gpTimer = nullptr;
    people.reset();
    CIdentity::TotalCleanup();
}
