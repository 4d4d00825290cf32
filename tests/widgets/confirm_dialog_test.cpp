// Confirmation dialogs: the layout in the middle of the screen, Enter and Escape through the standard
// buttons, and the price and orders of a sea transport between real provinces, realms and armies.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "armies/division.h"
#include "armies/unit.h"
#include "armies/unit_list.h"
#include "characters/crusade.h"
#include "events/event_scheduler.h"
#include "events/records_character.h"
#include "realms/realm_land.h"
#include "text/new_text.h"
#include "widgets/confirm_dialog.h"
#include "widgets/dialog_player.h"
#include "widgets/generated_interface.h"
#include "widgets/generic_button.h"
#include "widgets/standard_buttons.h"

#include "foundation/safeguards.h"

namespace {

using widgets_test::CRecordingPlayer;

class ConfirmDialogTest : public widgets_test::GeneratedInterface {
protected:
    void SetUp() override
    {
        GeneratedInterface::SetUp();
        ASSERT_EQ(TextStrings.Init(RZ_LANGUAGE_0), 1);
    }
    void TearDown() override
    {
        gEventScheduler.Erase();
        TextStrings.DeleteAll();
        CRZGenericButton::DeInitSprites();
        GeneratedInterface::TearDown();
    }
    CRecordingPlayer player;
};

TEST_F(ConfirmDialogTest, StandsInTheMiddleAndEnterPerformsOnceWhileEscapeOnlyCloses)
{
    CActionConfirmDialog dialog("Disband the levy of Aldmere?", 4, &player);
    dialog.Init();
    const int t = dialog.GetTextHeight();
    ASSERT_GT(t, 0);
    EXPECT_EQ(dialog.GetPosition(), CPoint(640 / 2 - 160, 480 / 2 - (t + 120) / 2));
    // OK stands right of Cancel, both on the bottom row of the frame.
    CRZBtn* ok = dialog.GetOKButton();
    CRZBtn* cancel = dialog.GetCancelButton();
    EXPECT_EQ(ok->GetPosition().x + ok->GetWidth() / 2, dialog.GetPosition().x + 240);
    EXPECT_EQ(cancel->GetPosition().x + cancel->GetWidth() / 2, dialog.GetPosition().x + 80);
    EXPECT_EQ(ok->GetPosition().y, dialog.GetPosition().y + t + 120 - 30);
    dialog.Draw(DRAW_TYPE_0);

    EXPECT_EQ(Send(dialog, _CRZEVT_KEYUP_, CPoint(1, 1), kEnterKey), 1);
    EXPECT_EQ(player.actions, std::vector<int> { 4 });

    CActionConfirmDialog cancelled("Disband?", 5, &player);
    cancelled.Init();
    EXPECT_EQ(Send(cancelled, _CRZEVT_KEYUP_, CPoint(1, 1), kEscapeKey), 1);
    EXPECT_EQ(player.actions, std::vector<int> { 4 });
}

// A line of land provinces 1 - 2 - ... - 8 (seven steps from 1 to 8) and one cut off, 20; the player's
// realm with a catholic ruler, and an army of 100 men in province 1.
class SeaTransportTest : public ConfirmDialogTest, public CRealmLand {
protected:
    void SetUp() override
    {
        ConfirmDialogTest::SetUp();
        CRZCountry::InitCountryArray();
        playerRealm = Realm(kPlayerRealm, 0);
        enemyRealm = Realm(kEnemyRealm, 3);
        for (int number = 1; number <= 8; ++number) {
            CProvince* province = Land(number, number == 8 ? enemyRealm : playerRealm);
            province->region = number == 8 ? 2 : 1;
            if (number > 1)
                Border(CProvince::GetProvince(number - 1), province);
        }
        Land(20, nullptr);
        player.country = playerRealm;
        army = Army(100, 1);
    }
    void TearDown() override
    {
        armies.clear();
        divisions.clear();
        CCrusade::SetInstance(nullptr);
        CRZCountry::DeleteAll();
        ConfirmDialogTest::TearDown();
    }
    CRZCountry* Realm(CRZCountryID id, int32_t religion)
    {
        CRZCountry::ConstructCountry(id);
        CRZCountry* realm = CRZCountry::GetCountry(id);
        Ruler(realm)->religion = religion;
        return realm;
    }
    CRZUnit* Army(int men, int province)
    {
        armies.push_back(std::make_unique<CRZUnit>());
        CRZUnit* unit = armies.back().get();
        unit->Create(CRZDynamicObject::GetUniqueDynamicID());
        divisions.push_back(std::make_unique<CDivision>());
        divisions.back()->men = men;
        unit->divisions.Append(divisions.back().get());
        unit->SetInProvince(province);
        return unit;
    }
    // The gold events queued for the host.
    static std::vector<float> GoldCharged()
    {
        std::vector<float> gold;
        gEventScheduler.ForEach([&](CRZEvent* event) {
            if (event->GetType() == _CRZEVT_GOLD_ && event->GetReceiver() == CHARACTER_SERVER)
                gold.push_back(static_cast<CRZCharacterFloatEvent*>(event)->Record().value);
        });
        return gold;
    }

    static constexpr CRZCountryID kPlayerRealm = 1100;
    static constexpr CRZCountryID kEnemyRealm = 1101;
    CRZCountry* playerRealm = nullptr;
    CRZCountry* enemyRealm = nullptr;
    CRZUnit* army = nullptr;
    std::vector<std::unique_ptr<CDivision>> divisions;
    std::vector<std::unique_ptr<CRZUnit>> armies;
};

class CCalledCrusade : public CCrusade {
public:
    int ParseFields(CRZParser&) override { return 0; }
    CLScript* GetScript() const override { return nullptr; }
};

TEST_F(SeaTransportTest, CostIsStrengthTimesStepsAndFiveTimesIntoAReligiousEnemyOutsideTheCrusade)
{
    CCalledCrusade crusade;
    crusade.targetProvince = 3; // region 1
    struct Case {
        const char* label;
        int target;
        int men;
        bool crusadeActive;
        float cost;
    };
    const Case cases[] = {
        { "weak army, six steps, own land", 7, 100, false, 6.0f },
        { "into the religious enemy outside the crusade's region", 8, 100, false, 35.0f },
        { "the same while a crusade is on", 8, 100, true, 7.0f },
        { "an army of 1000 men", 7, 1000, false, 24.0f },
    };
    CCrusade::SetInstance(&crusade);
    for (const Case& c : cases) {
        crusade.active = c.crusadeActive ? 1 : 0;
        divisions.front()->men = c.men;
        CRZUnitList units;
        units.Append(army);
        CNavalTransportConfirmDialog dialog(&player, units, *CProvince::GetProvince(c.target), false);
        EXPECT_FLOAT_EQ(dialog.GetCost(), c.cost) << c.label;
        EXPECT_TRUE(dialog.CanTransport()) << c.label;
    }
}

TEST_F(SeaTransportTest, OKOrdersTheArmiesAndChargesTheRulerAtTheHost)
{
    CRZUnitList units;
    units.Append(army);
    CNavalTransportConfirmDialog dialog(&player, units, *CProvince::GetProvince(8), false);
    dialog.Init();
    EXPECT_NE(dialog.GetText().find("35"), std::string::npos) << dialog.GetText();
    army->movementOrders = { 4 };
    EXPECT_EQ(Send(dialog, _CRZEVT_KEYUP_, CPoint(1, 1), kEnterKey), 1);
    EXPECT_EQ(army->movementOrders, std::vector<int32_t> { 8 });
    EXPECT_EQ(GoldCharged(), std::vector<float> { -35.0f });

    CNavalTransportConfirmDialog added(&player, units, *CProvince::GetProvince(5), true);
    added.PerformAction();
    EXPECT_EQ(army->movementOrders, (std::vector<int32_t> { 8, 5 }));
}

TEST_F(SeaTransportTest, NoWayOrNoArmyLeftChargesNothing)
{
    CRZUnitList units;
    units.Append(army);
    // Province 20 has no neighbour, and the army's own province is no voyage.
    for (int target : { 20, 1 }) {
        CNavalTransportConfirmDialog dialog(&player, units, *CProvince::GetProvince(target), false);
        EXPECT_FALSE(dialog.CanTransport()) << target;
        dialog.PerformAction();
        EXPECT_TRUE(army->movementOrders.empty()) << target;
    }
    CNavalTransportConfirmDialog gone(&player, units, *CProvince::GetProvince(7), false);
    ASSERT_TRUE(gone.CanTransport());
    armies.clear();
    gone.PerformAction();
    EXPECT_TRUE(GoldCharged().empty());
}

} // namespace
