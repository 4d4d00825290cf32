// The daily check's realm rules: values out of range, a figure that is not a number and a controller
// that does not list its province are each a break; a sound realm is none.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "app/invariant_checker.h"
#include "realms/country.h"
#include "realms/province.h"

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
    CInvariantChecker broken;
    broken.CheckDay(err);
    EXPECT_EQ(broken.GetBreaks(), 4);

    std::fclose(err);
    CProvince::_pProvince[12] = nullptr;
    CRZCountry::DeleteAll();
}
