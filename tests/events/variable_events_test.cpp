// The variable-size events: sizes that follow their contents, lists at their offsets, refusals of what
// cannot be sent, and received records whose counts or texts do not fit what arrived.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "event_fakes.h"
#include "events/event_factory.h"
#include "events/generic_events.h"
#include "events/net_event.h"
#include "events/records_army.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "events/records_session.h"
#include "events/variable_events.h"

#include "foundation/safeguards.h"

namespace {

using Bytes = std::vector<uint8_t>;

template <class T> CList<T> ListOf(std::initializer_list<T> values)
{
    CList<T> list;
    for (const T& value : values)
        list.Append(value);
    return list;
}

template <class T> CList<T> Repeated(T value, int count)
{
    CList<T> list;
    for (int i = 0; i < count; ++i)
        list.Append(value);
    return list;
}

Bytes RecordOf(const CRZEvent& event)
{
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(event.GetData());
    return Bytes(bytes, bytes + event.GetDataSize());
}

// The copy a machine sends: a data size past the allocation would show here under the address sanitizer.
std::unique_ptr<CRZEvent> SendAndRebuild(CRZEvent& event)
{
    CRZNetEvent net(&event);
    return std::unique_ptr<CRZEvent>(BuildEventFromNetwork(&net));
}

std::unique_ptr<CRZEvent> Receive(const Bytes& record)
{
    CRZNetEvent net(record.data(), static_cast<uint32_t>(record.size()));
    return std::unique_ptr<CRZEvent>(BuildEventFromNetwork(&net));
}

template <class T> T At(const Bytes& record, size_t offset)
{
    T value;
    std::memcpy(&value, record.data() + offset, sizeof(T));
    return value;
}

template <class T> void Put(Bytes& record, size_t offset, T value)
{
    std::memcpy(record.data() + offset, &value, sizeof(T));
}

const CRZID kReceiver { 3, 12 };

} // namespace

TEST(VariableEvents, SizesFollowTheirContents)
{
    struct Case {
        const char* name;
        std::function<CRZEvent*()> make;
        uint32_t size;
    };
    const CRZPeaceTerms noClaims;
    const CRZInheritanceTerms nothing;
    const Case cases[] = {
        { "empty chat", [] { return new CRZChatEvent("", 2, ALLID); }, 31 },
        { "chat of five", [] { return new CRZChatEvent("hello", 2, ALLID); }, 36 },
        { "no options", [] { return new CRZOptionsEvent(ALLID, CList<int32_t>()); }, 30 },
        { "two options",
            [] {
                return new CRZOptionsEvent(ALLID, ListOf<int32_t>({ 1, 0 }));
            },
            38 },
        { "empty path", [] { return new CRZUnitMovePathEvent(DynamicID(4712, 1), true, CList<int32_t>()); },
            38 },
        { "path of three",
            [] {
                return new CRZUnitMovePathEvent(DynamicID(4712, 1), true, ListOf<int32_t>({ 1, 2, 3 }));
            },
            44 },
        { "peace without claims",
            [&] {
                return new CRZPeaceRequestEvent(
                    _CRZEVT_REQUEST_SUE_FOR_PEACE_, DIPLOMACY_SERVER, NOID, 1, 2, CDate(), noClaims);
            },
            102 },
        { "empty inheritance",
            [&] { return new CRZInheritEvent(_CRZEVT_INHERIT_, CHARACTER_SERVER, NOID, NOID, nothing); },
            82 },
        { "battle won by none",
            [] {
                return new CRZBattleWonEvent(
                    _CRZEVT_PROVBATTLEWON_, kReceiver, DynamicID(), 0, CRZCountryList());
            },
            42 },
        { "battle won by three",
            [] {
                return new CRZBattleWonEvent(
                    _CRZEVT_PROVBATTLEWON_, kReceiver, DynamicID(), 0, ListOf<CRZCountryID>({ 4, 5, 6 }));
            },
            54 },
        { "realm of no province",
            [] {
                return new CRZCreateCountryEvent(
                    _CRZEVT_CREATE_COUNTRY_, kReceiver, 1, 2, NOID, CList<int32_t>(), true);
            },
            50 },
        { "realm of three provinces",
            [] {
                return new CRZCreateCountryEvent(
                    _CRZEVT_CREATE_COUNTRY_, kReceiver, 1, 2, NOID, ListOf<int32_t>({ 7, 8, 9 }), true);
            },
            62 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CRZEvent> event(c.make());
        EXPECT_EQ(event->GetDataSize(), c.size);
        EXPECT_TRUE(event->IsRaw());
        EXPECT_NE(event->GetReceiver(), NOID);
        std::unique_ptr<CRZEvent> rebuilt = SendAndRebuild(*event);
        ASSERT_NE(rebuilt, nullptr);
        EXPECT_EQ(typeid(*rebuilt), typeid(*event));
        EXPECT_EQ(RecordOf(*rebuilt), RecordOf(*event));
    }
}

TEST(VariableEvents, ListsLieWhereTheReceiverReadsThem)
{
    CRZPeaceTerms terms;
    terms.war = CRZID(4712, 77);
    terms.tribute.gold = 50.0f;
    terms.tribute.piety = -2.0f;
    terms.vassalize = -1;
    terms.initiatorYielded.Append(CRZID(11, 1));
    terms.receiverClaimed.Append(CRZID(11, 2));
    CRZPeaceRequestEvent peace(
        _CRZEVT_REQUEST_SUE_FOR_PEACE_, DIPLOMACY_SERVER, CRZID(10, 5), 3, 4, CDate(1, 2, 1100), terms);
    const Bytes record = RecordOf(peace);
    ASSERT_EQ(record.size(), 118u);
    EXPECT_EQ(At<uint16_t>(record, 92), 11);
    EXPECT_EQ(At<uint32_t>(record, 96), 1u) << "the initiator's yielded claim first";
    EXPECT_EQ(At<uint32_t>(record, 104), 2u) << "the receiver's claimed claim second";
    EXPECT_EQ(At<uint32_t>(record, 52), 1u);
    EXPECT_EQ(At<uint32_t>(record, 64), 1u);
    EXPECT_EQ(At<uint16_t>(record, 88), 2);
    EXPECT_EQ(At<float>(record, 72), 50.0f);
    EXPECT_EQ(At<int32_t>(record, 84), -1) << "the initiator's vassalage keeps its sign";
    EXPECT_EQ(At<int16_t>(record, 42), 1100);

    std::unique_ptr<CRZEvent> received = SendAndRebuild(peace);
    auto* copy = dynamic_cast<CRZPeaceRequestEvent*>(received.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetClaimCount(CRZPeaceRequestEvent::ReceiverClaimed), 1u);
    EXPECT_EQ(copy->GetClaim(CRZPeaceRequestEvent::ReceiverClaimed, 0), CRZID(11, 2));
    EXPECT_EQ(copy->GetClaim(CRZPeaceRequestEvent::InitiatorYielded, 0), CRZID(11, 1));

    CRZInheritanceTerms inheritance;
    inheritance.formOfGovernment = 3;
    inheritance.titles = ListOf<CRZID>({ CRZID(11, 1), CRZID(11, 2) });
    inheritance.wars = ListOf<CRZID>({ CRZID(4712, 9) });
    CRZInheritEvent inherit(_CRZEVT_INHERIT_, CHARACTER_SERVER, CRZID(10, 1), CRZID(10, 2), inheritance);
    received = SendAndRebuild(inherit);
    auto* heir = dynamic_cast<CRZInheritEvent*>(received.get());
    ASSERT_NE(heir, nullptr);
    EXPECT_EQ(heir->GetDataSize(), 8u * 3 + 82);
    EXPECT_EQ(heir->GetCount(CRZInheritEvent::Titles), 2u);
    EXPECT_EQ(heir->GetCount(CRZInheritEvent::Claims), 0u);
    EXPECT_EQ(heir->GetIdentity(CRZInheritEvent::Titles, 1), CRZID(11, 2));
    EXPECT_EQ(heir->GetIdentity(CRZInheritEvent::Wars, 0), CRZID(4712, 9));
    EXPECT_EQ(heir->Record().formOfGovernment, 3);

    CRZUnitMovePathEvent path(DynamicID(4712, 3), true, ListOf<int32_t>({ 500, 501 }));
    EXPECT_EQ(path.GetSender(), UNIT_SERVER);
    EXPECT_EQ(path.GetReceiver(), CRZID(4712, 3));
    EXPECT_EQ(At<uint16_t>(RecordOf(path), 34), 501);
    EXPECT_EQ(path.Record().flag, 1);

    CRZBattleWonEvent won(
        _CRZEVT_PROVBATTLEWON_, kReceiver, DynamicID(4712, 4), 9, ListOf<CRZCountryID>({ 1271, 1323 }));
    EXPECT_EQ(At<int32_t>(RecordOf(won), 40), 1323);
    EXPECT_EQ(won.GetRealm(0), 1271);

    CRZChatEvent chat("greetings", 7, ALLID);
    received = SendAndRebuild(chat);
    auto* line = dynamic_cast<CRZChatEvent*>(received.get());
    ASSERT_NE(line, nullptr);
    EXPECT_STREQ(line->GetText(), "greetings");
    EXPECT_EQ(line->Record().sender, 7);
}

// What cannot travel is refused when built: addressed to no one, so the routing drops it unsent.
TEST(VariableEvents, WhatCannotBeSentIsRefusedWhenBuilt)
{
    const std::string longText(kMaxSentRecordSize, 'x');
    const std::string longName(128, 'n');
    CList<int32_t> longPath = Repeated<int32_t>(1, 5000);
    CRZPeaceTerms manyClaims;
    manyClaims.receiverClaimed = Repeated(CRZID(11, 1), 1100);
    const char packet[16] = {};
    std::vector<std::unique_ptr<CRZEvent>> refused;
    refused.emplace_back(new CRZChatEvent(longText.c_str(), 1, ALLID));
    refused.emplace_back(new CRZUnitMovePathEvent(DynamicID(4712, 1), false, longPath));
    refused.emplace_back(new CRZOptionsEvent(ALLID, longPath));
    refused.emplace_back(new CRZPeaceRequestEvent(
        _CRZEVT_REQUEST_SUE_FOR_PEACE_, DIPLOMACY_SERVER, NOID, 1, 2, CDate(), manyClaims));
    refused.emplace_back(
        new CRZCreateCountryEvent(_CRZEVT_CREATE_COUNTRY_, kReceiver, 1, 2, NOID, longPath, false));
    refused.emplace_back(new CRZPacketEvent(_CRZEVT_PACKET_, ALLID, packet, 1, 5000));
    refused.emplace_back(new CRZPacketEvent(_CRZEVT_PACKET_, ALLID, packet, 1, -1));
    refused.emplace_back(new CRZSetScenarioEvent(1, longName.c_str(), 10, 20));
    for (const auto& event : refused) {
        SCOPED_TRACE(event->GetName());
        EXPECT_EQ(event->GetReceiver(), NOID);
        EXPECT_LE(event->GetDataSize(), sizeof(CRZPacketData));
        event->SetSend(true);
        EXPECT_EQ(event->Process(), 0);
    }

    // Just inside the limits.
    const std::string fits(kMaxSentRecordSize - 31, 'y');
    EXPECT_EQ(CRZChatEvent(fits.c_str(), 1, ALLID).GetReceiver(), ALLID);
    EXPECT_EQ(CRZPacketEvent(_CRZEVT_PACKET_, ALLID, packet, 1, 16).GetReceiver(), ALLID);
    EXPECT_EQ(CRZSetScenarioEvent(1, std::string(127, 'n').c_str(), 10, 20).GetReceiver(), ALLID);
}

// Received records whose counts do not fit what arrived, or contradict each other, are dropped.
TEST(VariableEvents, ReceivedCountsBeyondTheBytesAreRejected)
{
    struct Case {
        const char* name;
        uint32_t type;
        uint32_t size;
        std::function<void(Bytes&)> spoil;
    };
    const Case cases[] = {
        { "chat longer than its copy", APPMSG_CHATSTRING, 31, [](Bytes& r) { Put<uint16_t>(r, 24, 200); } },
        { "chat without even its zero", APPMSG_CHATSTRING, 31, [](Bytes& r) { Put<uint16_t>(r, 24, 0); } },
        { "options past the copy", _CRZEVT_SET_OPTIONS_, 30, [](Bytes& r) { Put<uint16_t>(r, 20, 10); } },
        { "path past the copy", _CRZEVT_UNITMOVEPATH_, 38, [](Bytes& r) { Put<uint16_t>(r, 30, 10); } },
        { "claims past the copy", _CRZEVT_REQUEST_SUE_FOR_PEACE_, 102,
            [](Bytes& r) {
                Put<uint32_t>(r, 52, 3);
                Put<uint16_t>(r, 88, 3);
            } },
        { "claim groups that do not add up", _CRZEVT_REQUEST_SUE_FOR_PEACE_, 110,
            [](Bytes& r) {
                Put<uint32_t>(r, 52, 1);
                Put<uint32_t>(r, 60, 5);
                Put<uint16_t>(r, 88, 1);
            } },
        { "claim groups that wrap to the total", _CRZEVT_REQUEST_SUE_FOR_PEACE_, 102,
            [](Bytes& r) {
                Put<uint32_t>(r, 52, 0xFFFFFFFFu);
                Put<uint32_t>(r, 56, 1);
            } },
        { "inheritance past the copy", _CRZEVT_INHERIT_, 82,
            [](Bytes& r) {
                Put<uint32_t>(r, 56, 5);
                Put<uint16_t>(r, 68, 5);
            } },
        { "inheritance groups that do not add up", _CRZEVT_INHERIT_, 90,
            [](Bytes& r) { Put<uint16_t>(r, 68, 1); } },
        { "realms past the copy", _CRZEVT_PROVBATTLEWON_, 42,
            [](Bytes& r) { Put<uint16_t>(r, 32, 0xFFFF); } },
        { "provinces past the copy", _CRZEVT_CREATE_COUNTRY_, 50, [](Bytes& r) { Put<uint16_t>(r, 40, 3); } },
        { "packet of 5000 bytes", _CRZEVT_PACKET_, 2076, [](Bytes& r) { Put<int32_t>(r, 2072, 5000); } },
        { "packet of negative length", _CRZEVT_PACKET_, 2076, [](Bytes& r) { Put<int32_t>(r, 2072, -5); } },
        // The shorter records some types are also posted with: the longer class refuses their copies.
        { "province without its new owner", _CRZEVT_PROVCHANGEOWNER_, 24, [](Bytes&) {} },
        { "battle lost as a battle won", _CRZEVT_PROVBATTLELOST_, 28, [](Bytes&) {} },
        { "prestige without its character", _CRZEVT_PRESTIGE_, 24, [](Bytes&) {} },
        { "unpause without its value", _CRZEVT_UNPAUSE_, 20, [](Bytes&) {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes record(c.size, 0);
        Put<uint32_t>(record, 0, c.type);
        c.spoil(record);
        EXPECT_EQ(Receive(record), nullptr);
    }
}

// A name that arrives without its terminator is cut at its field's last byte.
TEST(VariableEvents, ReceivedNamesAlwaysEnd)
{
    struct Case {
        uint32_t type;
        uint32_t size;
        uint32_t nameOffset;
        uint32_t nameSize;
        std::function<const char*(CRZEvent&)> name;
    };
    const Case cases[] = {
        { _CRZEVT_SET_FLAG_, 280, 20, 256,
            [](CRZEvent& e) { return dynamic_cast<CRZFlagEvent&>(e).Record().name; } },
        { _CRZEVT_CHARACTER_CREATION_, 132, 68, 64,
            [](CRZEvent& e) { return dynamic_cast<CRZCharacterCreationEvent&>(e).Record().name; } },
        { _CRZEVT_RENAME_OBJECT_, 92, 28, 64,
            [](CRZEvent& e) { return dynamic_cast<CRZRenameObjectEvent&>(e).Record().name; } },
        { APPMSG_SCENARIO, 160, 24, 128,
            [](CRZEvent& e) { return dynamic_cast<CRZSetScenarioEvent&>(e).Record().fileName; } },
        { _CRZEVT_PLAYER_DATA_, 108, 32, 64,
            [](CRZEvent& e) { return dynamic_cast<CRZSendPlayerEvent&>(e).Record().player.name; } },
        { APPMSG_CHATSTRING, 40, 26, 10,
            [](CRZEvent& e) { return dynamic_cast<CRZChatEvent&>(e).GetText(); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(GetEventTypeName(c.type));
        Bytes record(c.size, 0);
        Put<uint32_t>(record, 0, c.type);
        std::fill(record.begin() + c.nameOffset, record.begin() + c.nameOffset + c.nameSize, 'A');
        if (c.type == APPMSG_CHATSTRING)
            Put<uint16_t>(record, 24, static_cast<uint16_t>(c.nameSize));
        std::unique_ptr<CRZEvent> event = Receive(record);
        ASSERT_NE(event, nullptr);
        EXPECT_EQ(std::strlen(c.name(*event)), c.nameSize - 1);
    }

    // Built names are cut to fit and a null name is empty.
    const std::string longName(100, 'b');
    CRZCharacterCreationEvent created(_CRZEVT_CHARACTER_CREATION_, CHARACTER_SERVER, NOID, NOID, NOID, 1, 2,
        Gender(0), VLCreationType(0), RZReligionType(0), RZCultureType(0), longName.c_str());
    EXPECT_EQ(std::string(created.Record().name), longName.substr(0, 63));
    CRZFlagEvent unnamed(_CRZEVT_SET_FLAG_, ALLID, nullptr, 3);
    EXPECT_STREQ(unnamed.Record().name, "");
}

// A battle lost is sent in the record the others rebuild for its type, and they read its province and
// flag where the poster wrote them.
TEST_F(EventTest, BattleLostTravelsInTheRecordTheOthersRebuild)
{
    for (unsigned short flag : { 0, 1, 0xFFFF }) {
        SCOPED_TRACE(flag);
        CRZBattleLostEvent lost(_CRZEVT_PROVBATTLELOST_, kReceiver, 517, flag);
        lost.SetSend(true);
        lost.Process();
        EXPECT_TRUE(lost.GetSend());
        std::unique_ptr<CRZEvent> copy = SendAndRebuild(lost);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(RecordOf(*copy), RecordOf(lost));
        const auto* read = RecordAs<CRZBattleLostEventData>(copy.get());
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->number, 517);
        EXPECT_EQ(read->flag, flag);
        EXPECT_EQ(dynamic_cast<CRZBattleWonEvent&>(*copy).GetCount(), 0u);
    }
}

// The shorter records stay on the machine that posts them, whatever posting mode was used.
TEST_F(EventTest, ShorterRecordsAreNeverSent)
{
    std::unique_ptr<CRZEvent> owner(new CRZProvEvent(_CRZEVT_PROVCHANGEOWNER_, kReceiver, 5));
    owner->SetSend(true);
    owner->Process();
    EXPECT_FALSE(owner->GetSend());

    std::unique_ptr<CRZEvent> unpause(new CRZGenericEvent(_CRZEVT_UNPAUSE_, kReceiver));
    unpause->SetSend(true);
    unpause->Process();
    EXPECT_FALSE(unpause->GetSend());

    std::unique_ptr<CRZEvent> prestige(new CRZResourceEvent(_CRZEVT_PRESTIGE_, kReceiver, 2.5f));
    prestige->SetSend(true);
    prestige->Process();
    EXPECT_FALSE(prestige->GetSend());

    std::unique_ptr<CRZEvent> capital(new CRZProvEvent(_CRZEVT_SET_CAPITAL_, kReceiver, 5));
    capital->SetSend(true);
    capital->SetLocal(false);
    capital->Process();
    EXPECT_TRUE(capital->GetSend()) << "its other types travel";
}
