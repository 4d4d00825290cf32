// The realm's small executed changes: what they do to provinces and the realm, and the events with bad
// numbers, shares or names that they drop.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "datalang/definition_file.h"
#include "events/event_factory.h"
#include "events/generic_events.h"
#include "events/net_event.h"
#include "events/records_realm.h"
#include "realm_handlers.h"
#include "realms/country.h"
#include "realms/province_effect.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class MinorHandlerTest : public RealmHandlerTest {
protected:
    void SetUp() override
    {
        RealmHandlerTest::SetUp();
        realm = Make(10);
        Ruler(realm);
        province = Land(5, realm);
    }
    int Send(CRZEvent&& event) { return realm->Update(&event); }
    int Rename(CRZID object, const std::string& name)
    {
        CRZRenameObjectEventData record {};
        record.head.type = _CRZEVT_RENAME_OBJECT_;
        record.head.receiver = realm->GetID();
        record.object = object;
        std::memcpy(record.name, name.data(), std::min(name.size(), sizeof record.name));
        CRZNetEvent net(reinterpret_cast<uint8_t*>(&record), sizeof record);
        CRZEvent* event = BuildEventFromNetwork(&net);
        const int answer = event ? realm->Update(event) : -1;
        delete event;
        return answer;
    }

    CRZCountry* realm = nullptr;
    CProvince* province = nullptr;
};

TEST_F(MinorHandlerTest, PlunderIsPaidOnceAndThePrivilegesOfZeroGoToTheLowerEstate)
{
    ASSERT_EQ(LoadFailure(CProvinceEffectType::InitFromFile, "looted = { effects = { } }\n"), "");
    province->baseIncome = 12.0f;
    for (int i = 0; i < 2; ++i)
        Send(CRZIntIntEvent(_CRZEVT_ADD_PROVINCE_EFFECT_, realm->GetID(), 5, 0));
    EXPECT_TRUE(province->HasEffect(0));
    EXPECT_FLOAT_EQ(realm->ruler->GetScore().GetGold(), 12.0f) << "the second looting finds nothing";
    CProvinceEffectType::Shutdown();

    province->privileges = CStandsTuple(0.25f, 0.25f, 0.25f, 0.25f);
    province->loyalty = CStandsTuple(0.5f, 0.5f, 0.5f, 0.5f);
    Send(CRZIntFloatEvent(_CRZEVT_CHANGE_PEASANT_NOBLES_PRIVILEGES_, realm->GetID(), 5, 0.0f));
    EXPECT_EQ(province->privileges.Get(CStandsTuple::PEASANTS), 0.25f)
        << "amount 0 to the peasants changes nothing";
    Send(CRZIntFloatEvent(_CRZEVT_CHANGE_PEASANT_NOBLES_PRIVILEGES_, realm->GetID(), 5, -0.3f));
    EXPECT_FLOAT_EQ(province->privileges.Get(CStandsTuple::PEASANTS), 0.25f + 0.3f * 0.8f);
    EXPECT_FLOAT_EQ(province->privileges.Get(CStandsTuple::NOBLES), 0.15f);
    Send(CRZIntFloatEvent(_CRZEVT_CHANGE_BURGHER_CLERGY_PRIVILEGES_, realm->GetID(), 5, 0.3f));
    EXPECT_GT(province->privileges.Get(CStandsTuple::CLERGY), 0.25f);
}

TEST_F(MinorHandlerTest, BudgetSharesAreHeldToFractionsAndNoNumbersDropTheEvent)
{
    Send(CRZBudgetPercentageEvent(
        _CRZEVT_CHANGE_BUDGET_, realm->GetID(), 10, 0.2f, -1.0f, 3.0f, 0.4f, 5.0f, 0.6f));
    const float held[] = { 0.2f, 0.0f, 1.0f, 0.4f, 1.0f, 0.6f };
    for (int i = 0; i < kBudgetSliders; ++i)
        EXPECT_EQ(realm->budget[i], held[i]) << i;
    Send(CRZBudgetPercentageEvent(
        _CRZEVT_CHANGE_BUDGET_, realm->GetID(), 10, 0.9f, 0.9f, 0.9f, 0.9f, kNaN, 0.9f));
    for (int i = 0; i < kBudgetSliders; ++i)
        EXPECT_EQ(realm->budget[i], held[i]) << "unchanged " << i;
}

TEST_F(MinorHandlerTest, NumbersOutsideTheirTablesDropTheEvent)
{
    ASSERT_EQ(LoadFailure(CProvinceEffectType::InitFromFile, "looted = { effects = { } }\n"), "");
    Send(CRZIntIntEvent(_CRZEVT_ADD_PROVINCE_EFFECT_, realm->GetID(), 5000, 0));
    Send(CRZIntIntEvent(_CRZEVT_ADD_PROVINCE_EFFECT_, realm->GetID(), -3, 0));
    Send(CRZIntIntEvent(_CRZEVT_ADD_PROVINCE_EFFECT_, realm->GetID(), 5, 15));
    Send(CRZIntIntEvent(_CRZEVT_ADD_PROVINCE_EFFECT_, realm->GetID(), 5, -1));
    Send(CRZIntIntEvent(_CRZEVT_ADD_ADVANCE_, realm->GetID(), 5, 100000));
    Send(CRZIntIntEvent(_CRZEVT_START_BUILDING_PROVINCE_IMPROVEMENT_, realm->GetID(), 5, 44));
    Send(CRZIntEvent(_CRZEVT_CANCEL_BUILDING_PROVINCE_IMPROVEMENT_, realm->GetID(), 1008));
    Send(CRZProvinceCultureEvent(
        _CRZEVT_SET_PROV_CULTURE_, realm->GetID(), 5, static_cast<RZCultureType>(50)));
    Send(CRZProvinceReligionEvent(
        _CRZEVT_SET_PROV_RELIGION_, realm->GetID(), 5, static_cast<RZReligionType>(-2)));
    Send(CRZProvEvent(_CRZEVT_ADD_CORE_, realm->GetID(), 4000));
    Send(CRZIntFloatEvent(_CRZEVT_CHANGE_PEASANT_NOBLES_PRIVILEGES_, realm->GetID(), 5, kNaN));
    Send(CRZIntFloatEvent(_CRZEVT_EVENT_CHANCE_, realm->GetID(), 3, kNaN));
    CProvinceEffectType::Shutdown();
    EXPECT_TRUE(province->GetEffects() == CProvinceEffectTuple());
    EXPECT_EQ(province->culture, 3);
    EXPECT_EQ(province->religion, 0);
    EXPECT_EQ(province->construction, kNoImprovement);
    EXPECT_TRUE(realm->coreProvinces.IsEmpty());
    EXPECT_TRUE(realm->eventChances.IsEmpty());
    EXPECT_EQ(realm->ruler->GetScore().GetGold(), 0.0f);

    // Good numbers are taken, and a core already held is not listed twice.
    Send(CRZProvinceCultureEvent(
        _CRZEVT_SET_PROV_CULTURE_, realm->GetID(), 5, static_cast<RZCultureType>(49)));
    Send(CRZProvEvent(_CRZEVT_ADD_CORE_, realm->GetID(), 5));
    Send(CRZProvEvent(_CRZEVT_ADD_CORE_, realm->GetID(), 5));
    EXPECT_EQ(province->culture, 49);
    EXPECT_EQ(realm->coreProvinces.GetSize(), 1);
}

TEST_F(MinorHandlerTest, RenamingFindsProvincesByNumberAndCharactersByIdentity)
{
    CCharacter* ruler = realm->ruler;
    const std::string longName(100, 'x');
    Rename(CRZID(RZTYPE_PROVINCE, 5), "Nordmark");
    Rename(CRZID(RZTYPE_CHARACTER, ruler->GetID().number), longName);
    Rename(CRZID(RZTYPE_PROVINCE, 70000), "Nowhere");
    Rename(CRZID(RZTYPE_CHARACTER, 70000), "Nobody");
    EXPECT_STREQ(province->GetName(), "Nordmark");
    EXPECT_EQ(std::string(ruler->GetName()), std::string(63, 'x')) << "a name is cut to its field";
}

} // namespace
