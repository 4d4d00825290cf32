// Every record of the catalogue against the widths and offsets of its fields: the published row table
// covers the record from the head to its last byte without a hole, and each field starts a run of rows
// that ends exactly where the field ends.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "events/records_army.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "events/records_session.h"
#include "events/variable_events.h"

#include "foundation/safeguards.h"

namespace {

struct LayoutCase {
    const CRZRecordLayout& layout;
    uint32_t size;
    std::vector<std::pair<uint32_t, uint32_t>> fields; // offset and width of each payload field
};

const std::vector<LayoutCase>& Cases()
{
    static const std::vector<LayoutCase> cases = {
        { CRZRecordLayoutOf<CRZBirthEventData>::layout, 92,
            { { 20, 8 }, { 28, 8 }, { 36, 4 }, { 40, 8 }, { 48, 4 }, { 52, 4 }, { 56, 4 }, { 60, 4 },
                { 64, 4 }, { 68, 4 }, { 72, 4 }, { 76, 4 }, { 80, 4 }, { 84, 8 } } },
        { CRZRecordLayoutOf<CRZDeathEventData>::layout, 36, { { 20, 8 }, { 28, 8 } } },
        { CRZRecordLayoutOf<CRZImpregnationEventData>::layout, 44, { { 20, 8 }, { 28, 8 }, { 36, 8 } } },
        { CRZRecordLayoutOf<CRZCharacterFloatEventData>::layout, 32, { { 20, 4 }, { 24, 8 } } },
        { CRZRecordLayoutOf<CRZCharacterTraitEventData>::layout, 32, { { 20, 4 }, { 24, 8 } } },
        { CRZRecordLayoutOf<CRZCharacterReligionEventData>::layout, 32, { { 20, 4 }, { 24, 8 } } },
        { CRZRecordLayoutOf<CRZCharacterCharacterEventData>::layout, 36, { { 20, 8 }, { 28, 8 } } },
        { CRZRecordLayoutOf<CRZCharacterCreationEventData>::layout, 132,
            { { 20, 8 }, { 28, 4 }, { 32, 4 }, { 36, 4 }, { 40, 4 }, { 44, 4 }, { 48, 4 }, { 52, 8 },
                { 60, 8 }, { 68, 64 } } },
        { CRZRecordLayoutOf<CRZCreateRandomCousinEventData>::layout, 40,
            { { 20, 8 }, { 28, 8 }, { 36, 4 } } },
        { CRZRecordLayoutOf<CRZNewRulerEventData>::layout, 36, { { 20, 8 }, { 28, 8 } } },
        { CRZRecordLayoutOf<CRZAssassinateEventData>::layout, 44,
            { { 20, 8 }, { 28, 8 }, { 36, 4 }, { 40, 4 } } },
        { CRZRecordLayoutOf<CRZChangeCourtPosEventData>::layout, 32, { { 20, 8 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZCreateClaimEventData>::layout, 40, { { 20, 8 }, { 28, 4 }, { 32, 8 } } },
        { CRZRecordLayoutOf<CRZLoseClaimEventData>::layout, 36, { { 20, 8 }, { 28, 8 } } },
        { CRZRecordLayoutOf<CRZSetPeaceEventData>::layout, 36, { { 20, 8 }, { 28, 8 } } },
        { CRZRecordLayoutOf<CRZCountryTwoIdEventData>::layout, 40, { { 20, 4 }, { 24, 8 }, { 32, 8 } } },
        { CRZRecordLayoutOf<CRZInheritEventData>::layout, 80,
            { { 20, 8 }, { 28, 8 }, { 36, 4 }, { 40, 16 }, { 56, 4 }, { 60, 4 }, { 64, 4 }, { 68, 2 },
                { 70, 2 }, { 72, 8 } } },
        { CRZRecordLayoutOf<CRZSimpleRequestEventData>::layout, 44,
            { { 20, 8 }, { 28, 4 }, { 32, 4 }, { 36, 8 } } },
        { CRZRecordLayoutOf<CRZOneIdRequestEventData>::layout, 52,
            { { 20, 8 }, { 28, 4 }, { 32, 4 }, { 36, 8 }, { 44, 8 } } },
        { CRZRecordLayoutOf<CRZTwoIdRequestEventData>::layout, 60,
            { { 20, 8 }, { 28, 4 }, { 32, 4 }, { 36, 8 }, { 44, 8 }, { 52, 8 } } },
        { CRZRecordLayoutOf<CRZResponseEventData>::layout, 32, { { 20, 8 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZDiplomaticEventData>::layout, 168,
            { { 20, 4 }, { 24, 4 }, { 28, 4 }, { 32, 4 }, { 36, 4 }, { 40, 20 }, { 60, 20 }, { 80, 20 },
                { 100, 20 }, { 120, 20 }, { 140, 20 }, { 160, 4 }, { 164, 4 } } },
        { CRZRecordLayoutOf<CRZWarEventData>::layout, 44,
            { { 20, 8 }, { 28, 4 }, { 32, 4 }, { 36, 4 }, { 40, 4 } } },
        { CRZRecordLayoutOf<CRZAnnexationEventData>::layout, 32, { { 20, 4 }, { 24, 4 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZPeaceOfferEventData>::layout, 36, { { 20, 4 }, { 24, 8 }, { 32, 4 } } },
        { CRZRecordLayoutOf<CRZPeaceRequestEventData>::layout, 100,
            { { 20, 8 }, { 28, 4 }, { 32, 4 }, { 36, 8 }, { 44, 8 }, { 52, 4 }, { 56, 4 }, { 60, 4 },
                { 64, 4 }, { 68, 16 }, { 84, 4 }, { 88, 2 }, { 90, 2 }, { 92, 8 } } },
        { CRZRecordLayoutOf<CRZCivilWarEventData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZCountryIDEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZRelationEventData>::layout, 32, { { 20, 4 }, { 24, 4 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZGiftEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZLoanEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZMoneyEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZMaintenanceEventData>::layout, 32, { { 20, 4 }, { 24, 4 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZInvestmentEventData>::layout, 40,
            { { 20, 4 }, { 24, 4 }, { 28, 4 }, { 32, 4 }, { 36, 4 } } },
        { CRZRecordLayoutOf<CRZBudgetPercentageEventData>::layout, 48,
            { { 20, 4 }, { 24, 4 }, { 28, 4 }, { 32, 4 }, { 36, 4 }, { 40, 4 }, { 44, 4 } } },
        { CRZRecordLayoutOf<CRZConvoyEventData>::layout, 32, { { 20, 4 }, { 24, 4 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZSetAllowedToSendDateEventData>::layout, 32, { { 20, 4 }, { 24, 8 } } },
        { CRZRecordLayoutOf<CRZCreateCountryEventData>::layout, 48,
            { { 20, 4 }, { 24, 4 }, { 28, 8 }, { 36, 4 }, { 40, 4 }, { 44, 4 } } },
        { CRZRecordLayoutOf<CRZVpData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZCountryEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZCountryIntEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZIntCountryEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZPureTwoCountryEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZTwoCountryEventData>::layout, 32, { { 20, 4 }, { 24, 4 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZDetoriateWarscoreEventData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZProvEventData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZProvChangeEventData>::layout, 32, { { 20, 4 }, { 24, 8 } } },
        { CRZRecordLayoutOf<CRZProvinceCultureEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZProvinceReligionEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZProvinceIncomeData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZProvinceKeypointsData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZFortEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZInfrastructureEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZIndustryEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZResearchModifierData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZDeactivateTechData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZEfficiencyModifierData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZProjectEventData>::layout, 36, { { 20, 8 }, { 28, 8 } } },
        { CRZRecordLayoutOf<CRZStartProjectEventData>::layout, 48,
            { { 20, 8 }, { 28, 8 }, { 36, 8 }, { 44, 4 } } },
        { CRZRecordLayoutOf<CRZConstructionSpriteEventData>::layout, 32, { { 20, 8 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZDeployDevelopmentEventData>::layout, 56,
            { { 20, 8 }, { 28, 8 }, { 36, 8 }, { 44, 8 }, { 52, 4 } } },
        { CRZRecordLayoutOf<CRZChangeModifierEventData>::layout, 32, { { 20, 4 }, { 24, 8 } } },
        { CRZRecordLayoutOf<CRZFlagEventData>::layout, 280, { { 20, 256 }, { 276, 4 } } },
        { CRZRecordLayoutOf<CRZPopComplexEventData>::layout, 40,
            { { 20, 4 }, { 24, 4 }, { 28, 4 }, { 32, 4 }, { 36, 4 } } },
        { CRZRecordLayoutOf<CRZLevelEventData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZPhantomZoneEventData>::layout, 28, { { 20, 8 } } },
        { CRZRecordLayoutOf<CRZRenameObjectEventData>::layout, 92, { { 20, 8 }, { 28, 64 } } },
        { CRZRecordLayoutOf<CRZAddDivisionEventData>::layout, 40, { { 20, 8 }, { 28, 8 }, { 36, 4 } } },
        { CRZRecordLayoutOf<CRZDivisionEventData>::layout, 116,
            { { 20, 8 }, { 28, 4 }, { 32, 8 }, { 40, 4 }, { 44, 24 }, { 68, 32 }, { 100, 4 }, { 104, 4 },
                { 108, 4 }, { 112, 4 } } },
        { CRZRecordLayoutOf<CRZDivisionLossesEventData>::layout, 152,
            { { 20, 8 }, { 28, 4 }, { 32, 8 }, { 40, 4 }, { 44, 24 }, { 68, 32 }, { 100, 16 }, { 116, 32 },
                { 148, 4 } } },
        { CRZRecordLayoutOf<CRZKillDivisionEventData>::layout, 40,
            { { 20, 8 }, { 28, 4 }, { 32, 4 }, { 36, 4 } } },
        { CRZRecordLayoutOf<CRZReinforceDivisionEventData>::layout, 32, { { 20, 8 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZUpdateDivisionData>::layout, 32, { { 20, 4 }, { 24, 4 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZUnitModifierData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZUnitEventData>::layout, 32, { { 20, 8 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZUnitFinishedEventData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZUnitMergeEventData>::layout, 36, { { 20, 8 }, { 28, 8 } } },
        { CRZRecordLayoutOf<CRZUnitMoveEventData>::layout, 32, { { 20, 2 }, { 22, 2 }, { 24, 8 } } },
        { CRZRecordLayoutOf<CRZUnitMoveDateEventData>::layout, 36, { { 20, 8 }, { 28, 8 } } },
        { CRZRecordLayoutOf<CRZUnitMoveAddDestEventData>::layout, 44,
            { { 20, 8 }, { 28, 2 }, { 30, 2 }, { 32, 4 }, { 36, 8 } } },
        { CRZRecordLayoutOf<CRZUnitMovePathEventData>::layout, 36,
            { { 20, 8 }, { 28, 2 }, { 30, 2 }, { 32, 4 } } },
        { CRZRecordLayoutOf<CRZUnitServerMoveUpdateEventData>::layout, 32,
            { { 20, 8 }, { 28, 2 }, { 30, 2 } } },
        { CRZRecordLayoutOf<CRZTransferLeaderEventData>::layout, 44, { { 20, 8 }, { 28, 8 }, { 36, 8 } } },
        { CRZRecordLayoutOf<CRZTransferTroopsEventData>::layout, 40, { { 20, 8 }, { 28, 8 }, { 36, 4 } } },
        { CRZRecordLayoutOf<CRZBuildArmyEventData>::layout, 76,
            { { 20, 4 }, { 24, 4 }, { 28, 8 }, { 36, 8 }, { 44, 8 }, { 52, 8 }, { 60, 8 }, { 68, 8 } } },
        { CRZRecordLayoutOf<CRZBuildFleetEventData>::layout, 76,
            { { 20, 4 }, { 24, 4 }, { 28, 8 }, { 36, 8 }, { 44, 8 }, { 52, 8 }, { 60, 8 }, { 68, 8 } } },
        { CRZRecordLayoutOf<CRZCombatEventData>::layout, 40, { { 20, 4 }, { 24, 8 }, { 32, 8 } } },
        { CRZRecordLayoutOf<CRZCombatUnitEventData>::layout, 40, { { 20, 8 }, { 28, 8 }, { 36, 4 } } },
        { CRZRecordLayoutOf<CRZRetreatEventData>::layout, 36, { { 20, 8 }, { 28, 4 }, { 32, 4 } } },
        { CRZRecordLayoutOf<CRZRetreatMoraleEventData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZBattleLostEventData>::layout, 28, { { 20, 4 }, { 24, 2 }, { 26, 2 } } },
        { CRZRecordLayoutOf<CRZBattleWonEventData>::layout, 40,
            { { 20, 4 }, { 24, 8 }, { 32, 4 }, { 36, 4 } } },
        { CRZRecordLayoutOf<CRZBattleResultEventData>::layout, 124, { { 20, 104 } } },
        { CRZRecordLayoutOf<CRZSiegeResultEventData>::layout, 36, { { 20, 8 }, { 28, 4 }, { 32, 4 } } },
        { CRZRecordLayoutOf<CRZCreateFortressUnitEventData>::layout, 60,
            { { 20, 8 }, { 28, 4 }, { 32, 8 }, { 40, 8 }, { 48, 4 }, { 52, 4 }, { 56, 4 } } },
        { CRZRecordLayoutOf<CRZFortressEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZUnitSizeLossesData>::layout, 48,
            { { 20, 8 }, { 28, 4 }, { 32, 4 }, { 36, 4 }, { 40, 4 }, { 44, 4 } } },
        { CRZRecordLayoutOf<CRZBootUpEventData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZSendPlayerEventData>::layout, 108, { { 20, 88 } } },
        { CRZRecordLayoutOf<CRZSetCountryEventData>::layout, 32, { { 20, 4 }, { 24, 4 }, { 28, 4 } } },
        { CRZRecordLayoutOf<CRZSetOptionsEventData>::layout, 56, { { 20, 36 } } },
        { CRZRecordLayoutOf<CRZSetScenarioEventData>::layout, 160,
            { { 20, 4 }, { 24, 128 }, { 152, 4 }, { 156, 4 } } },
        { CRZRecordLayoutOf<CRZOptionsEventData>::layout, 28, { { 20, 2 }, { 22, 2 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZChatEventData>::layout, 28, { { 20, 4 }, { 24, 2 }, { 26, 2 } } },
        { CRZRecordLayoutOf<CRZPacketData>::layout, 2076, { { 20, 2048 }, { 2068, 4 }, { 2072, 4 } } },
        { CRZRecordLayoutOf<CRZInitPacketData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZRemovePlayerEventData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZSetVictoryEventData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZVictoryEventData>::layout, 28, { { 20, 4 }, { 24, 4 } } },
        { CRZRecordLayoutOf<CRZWinnerEventData>::layout, 24, { { 20, 4 } } },
        { CRZRecordLayoutOf<CRZGameEventEventData>::layout, 40, { { 20, 8 }, { 28, 8 }, { 36, 4 } } },
        { CRZRecordLayoutOf<CRZTriggerEventEventData>::layout, 56, { { 20, 36 } } },
        { CRZRecordLayoutOf<CRZExecuteEffectEventEventData>::layout, 60, { { 20, 4 }, { 24, 36 } } },
        { CRZRecordLayoutOf<CRZSelectEffectEventEventData>::layout, 68,
            { { 20, 8 }, { 28, 4 }, { 32, 36 } } },
    };
    return cases;
}

// The natural width of each scalar kind; runs of bytes, gaps and the head have their own.
uint32_t NaturalWidth(CRZFieldKind kind)
{
    switch (kind) {
    case CRZFieldKind::Word:
    case CRZFieldKind::Float:
    case CRZFieldKind::Block:
        return 4;
    case CRZFieldKind::Half:
        return 2;
    case CRZFieldKind::ID:
    case CRZFieldKind::Date:
        return 8;
    default:
        return 0;
    }
}

void ExpectRowsTile(const CRZRecordLayout& layout, uint32_t from, uint32_t size)
{
    uint32_t end = from;
    for (uint32_t i = 1; i < layout.fieldCount; ++i) {
        const CRZRecordField& row = layout.fields[i];
        EXPECT_EQ(row.offset, end) << layout.name << " row " << row.name;
        const uint32_t natural = NaturalWidth(row.kind);
        if (natural != 0) {
            EXPECT_EQ(row.size, natural) << layout.name << " row " << row.name;
        }
        end = row.offset + row.size;
    }
    EXPECT_EQ(end, size) << layout.name;
}

class RecordLayouts : public ::testing::TestWithParam<size_t> { };

} // namespace

TEST_P(RecordLayouts, RowsCoverTheRecordAndEachFieldStartsAndEndsOnARow)
{
    const LayoutCase& c = Cases()[GetParam()];
    const CRZRecordLayout& layout = c.layout;
    SCOPED_TRACE(layout.name);
    EXPECT_EQ(layout.size, c.size);
    ASSERT_GE(layout.fieldCount, 2u);
    EXPECT_EQ(layout.fields[0].kind, CRZFieldKind::Head);
    ExpectRowsTile(layout, 20, c.size);

    uint32_t expectedEnd = 20;
    for (const auto& [offset, width] : c.fields) {
        EXPECT_EQ(offset, expectedEnd) << "the case's own fields leave a hole";
        bool starts = false;
        bool ends = false;
        for (uint32_t i = 1; i < layout.fieldCount; ++i) {
            starts = starts || layout.fields[i].offset == offset;
            ends = ends || layout.fields[i].offset + layout.fields[i].size == offset + width;
        }
        EXPECT_TRUE(starts && ends) << "field at " << offset << " of " << width << " bytes";
        expectedEnd = offset + width;
    }
    EXPECT_EQ(expectedEnd, c.size);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, RecordLayouts, ::testing::Range<size_t>(0, Cases().size()),
    [](const ::testing::TestParamInfo<size_t>& test) {
        return std::string(Cases()[test.param].layout.name);
    });

// The value forms that records embed, field by field.
TEST(RecordValueLayouts, EmbeddedValuesKeepTheirFieldsAtTheirOffsets)
{
    static_assert(sizeof(CSimpleScoreRecord) == 16 && offsetof(CSimpleScoreRecord, gold) == 4
        && offsetof(CSimpleScoreRecord, piety) == 12);
    static_assert(sizeof(CAdvanceTupleRecord) == 24 && offsetof(CAdvanceTupleRecord, bits) == 4);
    static_assert(
        sizeof(CMilitaryCompositionRecord) == 32 && offsetof(CMilitaryCompositionRecord, values) == 4);
    static_assert(sizeof(CBattleResultRecord) == 104 && offsetof(CBattleResultRecord, endDate) == 16
        && offsetof(CBattleResultRecord, defenderLosses) == 56
        && offsetof(CBattleResultRecord, defenders) == 100);
    static_assert(sizeof(CGameEventExpressionRecord) == 36 && offsetof(CGameEventExpressionRecord, seed) == 20
        && offsetof(CGameEventExpressionRecord, target) == 28);
    static_assert(sizeof(DPPLAYERSendRecord) == 88 && offsetof(DPPLAYERSendRecord, name) == 12
        && offsetof(DPPLAYERSendRecord, playerCount) == 84);

    // The battle result inside its record: slot, province, two dates, two compositions of slot and seven
    // values, two truth values and two counts.
    const CRZRecordLayout& layout = CRZRecordLayoutOf<CRZBattleResultEventData>::layout;
    ASSERT_EQ(layout.fieldCount, 1u + 4 + 2 * 8 + 4);
    EXPECT_EQ(layout.fields[1].kind, CRZFieldKind::Gap);
    EXPECT_EQ(layout.fields[3].kind, CRZFieldKind::Date);
    EXPECT_EQ(layout.fields[3].offset, 28);
    EXPECT_EQ(layout.fields[5].kind, CRZFieldKind::Gap) << "the attacker losses' own slot";
    EXPECT_EQ(layout.fields[5].offset, 44);
    EXPECT_EQ(layout.fields[6].kind, CRZFieldKind::Float);

    // The scope's root was a pointer of the sender's process: a gap, never a word to convert.
    const CRZRecordLayout& trigger = CRZRecordLayoutOf<CRZTriggerEventEventData>::layout;
    bool rootIsGap = false;
    for (uint32_t i = 0; i < trigger.fieldCount; ++i)
        rootIsGap
            = rootIsGap || (trigger.fields[i].offset == 44 && trigger.fields[i].kind == CRZFieldKind::Gap);
    EXPECT_TRUE(rootIsGap);
}
