// The catalogue's constructors store each argument where the record says, which is often not argument
// order; fixed types and receivers, senders and the words no argument fills.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "events/records_army.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "events/records_session.h"

#include "foundation/safeguards.h"

namespace {

using Bytes = std::vector<uint8_t>;

template <class T> Bytes Raw(T value)
{
    Bytes bytes(sizeof(T));
    std::memcpy(bytes.data(), &value, sizeof(T));
    return bytes;
}

Bytes Word(int32_t value)
{
    return Raw(value);
}
Bytes Float(float value)
{
    return Raw(value);
}
Bytes Half(uint16_t value)
{
    return Raw(value);
}
Bytes Id(uint16_t type, uint32_t number)
{
    return Raw(CRZID(type, number));
}
// A record date: its slot stays zero.
Bytes Date(int day, int month, int year)
{
    Bytes bytes = Raw(CDate(day, month, year));
    bytes.insert(bytes.begin(), 4, 0);
    return bytes;
}
Bytes Text(const char* text)
{
    return Bytes(text, text + std::strlen(text) + 1);
}

struct Field {
    uint16_t offset;
    Bytes bytes;
};

struct ConstructorCase {
    const char* name;
    std::function<CRZEvent*()> make;
    uint32_t type;
    CRZID receiver;
    std::vector<Field> fields;
    CRZID sender = NOID;
};

const CRZID kTo { 3, 7 };
const DynamicID kUnit { 4713, 21 };
const int kTable[6][5] = { { 1, 2, 3, 4, 5 }, { 6, 7, 8, 9, 10 }, { 11, 12, 13, 14, 15 },
    { 16, 17, 18, 19, 20 }, { 21, 22, 23, 24, 25 }, { 26, 27, 28, 29, 30 } };

CGameEventExpressionRecord Scope()
{
    CGameEventExpressionRecord scope;
    scope.kind = 2;
    scope.primary = CRZID(10, 5);
    scope.secondary = CRZID(10, 6);
    scope.seed = 4711;
    scope.target = CRZID(10, 8);
    return scope;
}

const std::vector<ConstructorCase>& Cases()
{
    static const std::vector<ConstructorCase> cases = {
        { "birth",
            [] {
                return new CRZBirthEvent(_CRZEVT_BIRTH_, kTo, CRZID(10, 1), CRZID(10, 2), CRZID(10, 3), 7,
                    CDate(1, 2, 1100), 1.f, 2.f, 3.f, 4.f, 5.f, 6.f, Gender(1), RZReligionType(2),
                    RZCultureType(3));
            },
            422, kTo,
            { { 20, Id(10, 1) }, { 28, Id(10, 2) }, { 36, Word(7) }, { 40, Date(1, 2, 1100) },
                { 48, Float(1) }, { 68, Float(6) }, { 72, Word(1) }, { 76, Word(2) }, { 80, Word(3) },
                { 84, Id(10, 3) } } },
        { "character creation",
            [] {
                return new CRZCharacterCreationEvent(_CRZEVT_CHARACTER_CREATION_, CHARACTER_SERVER,
                    CRZID(3, 1), CRZID(10, 2), CRZID(10, 3), 99, 250, Gender(1), VLCreationType(4),
                    RZReligionType(5), RZCultureType(6), "Harald");
            },
            448, CHARACTER_SERVER,
            { { 20, Id(3, 1) }, { 28, Word(99) }, { 32, Word(250) }, { 36, Word(1) }, { 40, Word(4) },
                { 44, Word(5) }, { 48, Word(6) }, { 52, Id(10, 3) }, { 60, Id(10, 2) },
                { 68, Text("Harald") } } },
        { "character value before character",
            [] { return new CRZCharacterFloatEvent(_CRZEVT_PIETY_, CHARACTER_SERVER, CRZID(10, 4), 2.5f); },
            436, CHARACTER_SERVER, { { 20, Float(2.5f) }, { 24, Id(10, 4) } } },
        { "claim with a realm between identities",
            [] {
                return new CRZCreateClaimEvent(_CRZEVT_CREATECLAIM_, kTo, CRZID(10, 1), 1271, CRZID(11, 2));
            },
            488, kTo, { { 20, Id(10, 1) }, { 28, Word(1271) }, { 32, Id(11, 2) } } },
        { "two-identity request",
            [] {
                return new CRZTwoIdRequestEvent(_CRZEVT_REQUEST_OFFER_MARRIGE_, DIPLOMACY_SERVER,
                    CRZID(10, 1), 5, 6, CDate(3, 4, 1200), CRZID(10, 2), CRZID(10, 3));
            },
            477, DIPLOMACY_SERVER,
            { { 20, Id(10, 1) }, { 28, Word(5) }, { 32, Word(6) }, { 36, Date(3, 4, 1200) },
                { 44, Id(10, 2) }, { 52, Id(10, 3) } } },
        { "diplomacy, short: the number and nothing of the tables",
            [] {
                return new CRZDiplomaticEvent(_CRZEVT_DIPLOMATIC_EVENT_, DIPLOMACY_SERVER,
                    TQDiplomacyAction(1), TQDiplomacyType(2), 3, 4, 55);
            },
            125, DIPLOMACY_SERVER,
            { { 20, Word(1) }, { 24, Word(2) }, { 28, Word(3) }, { 32, Word(4) }, { 36, Word(55) },
                { 40, Word(0) }, { 160, Float(0) } } },
        { "diplomacy, long: the tables and values and not the number",
            [] {
                return new CRZDiplomaticEvent(_CRZEVT_DIPLOMATIC_EVENT_, DIPLOMACY_SERVER,
                    TQDiplomacyAction(1), TQDiplomacyType(2), 3, 4, 0.5f, 0.75f, kTable[0], kTable[1],
                    kTable[2], kTable[3], kTable[4], kTable[5]);
            },
            125, DIPLOMACY_SERVER,
            { { 36, Word(0) }, { 40, Word(1) }, { 56, Word(5) }, { 60, Word(6) }, { 140, Word(26) },
                { 156, Word(30) }, { 160, Float(0.5f) }, { 164, Float(0.75f) } } },
        { "war, sent by its first realm",
            [] {
                return new CRZWarEvent(_CRZEVT_REQ_SETUP_WAR_, DIPLOMACY_SERVER, kUnit, 12, 13, true, false);
            },
            196, DIPLOMACY_SERVER,
            { { 20, Id(4713, 21) }, { 28, Word(12) }, { 32, Word(13) }, { 36, Word(1) }, { 40, Word(0) } },
            CRZID(3, 12) },
        { "annexation, third word zero",
            [] { return new CRZAnnexationEvent(_CRZEVT_EXEC_SET_ANNEXATION_, kTo, 0, 9); }, 203, kTo,
            { { 20, Word(0) }, { 24, Word(9) }, { 28, Word(0) } }, CRZID(3, 0) },
        { "money: amount before number", [] { return new CRZMoneyEvent(_CRZEVT_GAINMONEY_, kTo, 4, 12.5f); },
            82, kTo, { { 20, Float(12.5f) }, { 24, Word(4) } } },
        { "victory points", [] { return new CRZVpEvent(kTo, BaseVPSource(3), 1.5f); }, 274, kTo,
            { { 20, Float(1.5f) }, { 24, Word(3) } } },
        { "development deployed",
            [] {
                return new CRZDeployDevelopmentEvent(_CRZEVT_DEPLOY_TO_POOL_, kTo, CRZID(3, 1),
                    DynamicID(4712, 1), DynamicID(4712, 2), DynamicID(4712, 3), 8);
            },
            283, kTo,
            { { 20, Id(3, 1) }, { 28, Id(4712, 1) }, { 36, Id(4712, 3) }, { 44, Id(4712, 2) },
                { 52, Word(8) } } },
        { "modifier change", [] { return new CRZChangeModifierEvent(kTo, 6, CDate(5, 6, 1150)); }, 128, kTo,
            { { 20, Word(6) }, { 24, Date(5, 6, 1150) } } },
        { "division value: the first number not stored",
            [] {
                return new CRZUpdateDivisionEvent(
                    _CRZEVT_UPDATE_DIVISION_VALUE_, kTo, CRZDivisionValue(2), 1000, 30, 0.25f);
            },
            385, kTo, { { 20, Float(0.25f) }, { 24, Word(30) }, { 28, Word(2) } } },
        { "unit move: province as half a word",
            [] { return new CRZUnitMoveEvent(_CRZEVT_UNITMOVE_, kUnit, 70000 + 12, DynamicID(4712, 5)); }, 44,
            kUnit, { { 20, Half(static_cast<uint16_t>(70012)) }, { 22, Half(0) }, { 24, Id(4712, 5) } } },
        { "destination added",
            [] { return new CRZUnitMoveAddDestEvent(kUnit, 300, CDate(7, 8, 1300), true); }, 50, UNIT_SERVER,
            { { 20, Id(4713, 21) }, { 28, Half(300) }, { 32, Word(1) }, { 36, Date(7, 8, 1300) } } },
        { "army built",
            [] {
                return new CRZBuildArmyEvent(_CRZEVT_CREATE_ARMY_, kTo, CDate(1, 1, 1100), DynamicID(4712, 1),
                    DynamicID(4712, 2), 5, CRZID(10, 7), CRZID(3, 8));
            },
            100, kTo,
            { { 20, Word(5) }, { 28, Date(0, 0, 0) }, { 36, Id(3, 8) }, { 44, Date(1, 1, 1100) },
                { 52, Id(4712, 1) }, { 60, Id(4712, 2) }, { 68, Id(10, 7) } } },
        { "fleet built: identity and second unit swap places",
            [] {
                return new CRZBuildFleetEvent(_CRZEVT_CREATE_FLEET_, kTo, CDate(1, 1, 1100),
                    DynamicID(4712, 1), DynamicID(4712, 2), 5, CRZID(10, 7), CRZID(3, 8));
            },
            103, kTo, { { 52, Id(4712, 1) }, { 60, Id(10, 7) }, { 68, Id(4712, 2) } } },
        { "division losses after the division part",
            [] {
                CMilitaryCompositionRecord losses;
                losses.values[0] = 10.f;
                losses.values[6] = 70.f;
                return new CRZDivisionLossesEvent(kTo, losses, 0.5f);
            },
            282, kTo,
            { { 20, Id(0, 0) }, { 116, Word(0) }, { 120, Float(10.f) }, { 144, Float(70.f) },
                { 148, Float(0.5f) } } },
        { "division with advances and strength",
            [] {
                CAdvanceTupleRecord advances;
                advances.bits[4] = 0x200000u;
                CMilitaryCompositionRecord strength;
                strength.values[3] = 300.f;
                return new CRZDivisionEvent(_CRZEVT_CREATE_DIVISION_, INVESTMENT_SERVER, kUnit, 40,
                    CRZID(10, 9), RZCultureType(7), advances, strength, true, false, true, 0);
            },
            104, INVESTMENT_SERVER,
            { { 20, Id(4713, 21) }, { 28, Word(40) }, { 32, Id(10, 9) }, { 40, Word(7) }, { 44, Word(0) },
                { 64, Word(0x200000) }, { 68, Word(0) }, { 84, Float(300.f) }, { 100, Word(1) },
                { 104, Word(0) }, { 108, Word(1) }, { 112, Word(0) } } },
        { "battle result",
            [] {
                CBattleResultRecord result;
                result.province = 77;
                result.endDate = CDate(2, 3, 1190);
                result.defenderLosses.values[1] = 9.f;
                result.attackerWon = 1;
                result.defenders = 4;
                return new CRZBattleResultEvent(_CRZEVT_BATTLE_RESULT_EVENT_, kTo, result);
            },
            485, kTo,
            { { 20, Word(0) }, { 24, Word(77) }, { 36, Date(2, 3, 1190) }, { 76, Word(0) },
                { 84, Float(9.f) }, { 112, Word(1) }, { 120, Word(4) } } },
        { "country chosen", [] { return new CRZSetCountryEvent(3, 1271, true); }, 3, ALLID,
            { { 20, Word(3) }, { 24, Word(1271) }, { 28, Word(1) } } },
        { "options block from the settings record",
            [] {
                static uint8_t settings[kSettingsRecordSize] = {};
                const int32_t first = 1, last = 9;
                std::memcpy(settings + kOptionsBlockOffset, &first, 4);
                std::memcpy(settings + kSettingsRecordSize - 4, &last, 4);
                return new CRZSetOptionsEvent(settings);
            },
            6, ALLID, { { 20, Word(1) }, { 52, Word(9) } } },
        { "scenario", [] { return new CRZSetScenarioEvent(2, "scenarios/1066.eug", 4096, 123456); }, 2, ALLID,
            { { 20, Word(2) }, { 24, Text("scenarios/1066.eug") }, { 152, Word(4096) },
                { 156, Word(123456) } } },
        { "game-file packet", [] { return new CRZPacketEvent(_CRZEVT_PACKET_, ALLID, "abc", 17, 3); }, 272,
            ALLID, { { 20, Bytes { 'a', 'b', 'c', 0 } }, { 2068, Word(17) }, { 2072, Word(3) } } },
        { "player data",
            [] {
                DPPLAYERSendRecord player;
                player.playerSlot = 4;
                CopyRecordName(player.name, "Eleanor");
                player.country = 1263;
                return new CRZSendPlayerEvent(_CRZEVT_PLAYER_DATA_, player);
            },
            8, ALLID, { { 20, Word(4) }, { 32, Text("Eleanor") }, { 100, Word(1263) } } },
        { "effect chosen",
            [] {
                return new CRZSelectEffectEventEvent(
                    _CRZEVT_SELECT_EFFECT_EVENT_, NEWEVENT_SERVER, CRZID(18, 1093), 2, Scope());
            },
            483, NEWEVENT_SERVER,
            { { 20, Id(18, 1093) }, { 28, Word(2) }, { 32, Word(2) }, { 36, Id(10, 5) }, { 44, Id(10, 6) },
                { 52, Word(4711) }, { 56, Word(0) }, { 60, Id(10, 8) } } },
        { "winner", [] { return new CRZWinnerEvent(1271); }, 76, ALLID, { { 20, Word(1271) } } },
    };
    return cases;
}

class RecordConstructors : public ::testing::TestWithParam<size_t> { };

} // namespace

TEST_P(RecordConstructors, StoreEachArgumentAtItsField)
{
    const ConstructorCase& c = Cases()[GetParam()];
    SCOPED_TRACE(c.name);
    std::unique_ptr<CRZEvent> event(c.make());
    EXPECT_EQ(event->GetType(), c.type);
    EXPECT_EQ(event->GetReceiver(), c.receiver);
    EXPECT_EQ(event->GetSender(), c.sender);
    EXPECT_FALSE(event->GetSend());
    EXPECT_TRUE(event->GetLocal());
    const auto* record = reinterpret_cast<const uint8_t*>(event->GetData());
    for (const Field& field : c.fields) {
        ASSERT_LE(field.offset + field.bytes.size(), event->GetDataSize());
        EXPECT_EQ(Bytes(record + field.offset, record + field.offset + field.bytes.size()), field.bytes)
            << "at offset " << field.offset;
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, RecordConstructors, ::testing::Range<size_t>(0, Cases().size()));

// The population event's text never enters the record: it stays with the event on this machine.
TEST(RecordConstructors, PopulationTextStaysWithTheEvent)
{
    std::string text = "issue";
    CRZPopComplexEvent event(
        _CRZEVT_DOMINANT_ISSUE_, kTo, CRZTokenType(11), CRZTokenType(12), 1.f, 2.f, text.c_str());
    text = "changed";
    EXPECT_STREQ(event.GetText(), "issue");
    EXPECT_EQ(event.Record().text.word, 0u);
}
