// The generic records and their classes, driven by one table: layout, what a new event holds, and
// the round trip through the network copy, including copies too short for their class.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "events/event_factory.h"
#include "events/generic_events.h"
#include "events/net_event.h"
#include "foundation/identity.h"

#include "foundation/safeguards.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Word(int32_t value)
{
    Bytes bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

Bytes Float(float value)
{
    Bytes bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

Bytes Id(uint16_t type, uint32_t number)
{
    Bytes bytes(8);
    std::memcpy(bytes.data(), &type, 2);
    std::memcpy(bytes.data() + 4, &number, 4);
    return bytes;
}

// A record date: the slot stays zero, then day, month and year.
Bytes Date(int8_t day, int8_t month, int16_t year)
{
    Bytes bytes(8);
    bytes[4] = static_cast<uint8_t>(day);
    bytes[5] = static_cast<uint8_t>(month);
    std::memcpy(bytes.data() + 6, &year, 2);
    return bytes;
}

struct Field {
    uint16_t offset;
    Bytes bytes;
};

struct Point {
    int x, y;
};

struct RecordCase {
    const char* name;
    std::function<CRZEvent*()> make;
    CRZEventBuilder rebuild;
    const CRZRecordLayout& layout;
    uint32_t size;
    uint32_t type;
    CRZID receiver;
    std::vector<Field> fields; // payload in offset order, as the constructor must store it
};

const std::vector<RecordCase>& Cases()
{
    static const std::vector<RecordCase> cases = {
        { "CRZGenericEvent", [] { return new CRZGenericEvent(_CRZEVT_GAME_STARTED_, ALLID); },
            &BuildNetEvent<CRZGenericEvent>, CRZRecordLayoutOf<CRZEventData>::layout, 20, 74, ALLID, {} },
        { "CRZIntEvent", [] { return new CRZIntEvent(_CRZEVT_PING_, BASIC_CLIENT, -123456); },
            &BuildNetEvent<CRZIntEvent>, CRZRecordLayoutOf<CRZIntData>::layout, 24, 269, BASIC_CLIENT,
            { { 20, Word(-123456) } } },
        { "CRZBoolEvent", [] { return new CRZBoolEvent(_CRZEVT_SEPARATISM_, CRZID(3, 5), true); },
            &BuildNetEvent<CRZBoolEvent>, CRZRecordLayoutOf<CRZBoolData>::layout, 24, 413, CRZID(3, 5),
            { { 20, Word(1) } } },
        { "CRZFloatEvent", [] { return new CRZFloatEvent(_CRZEVT_TAX_EFF_, CRZID(3, 7), 1.5f); },
            &BuildNetEvent<CRZFloatEvent>, CRZRecordLayoutOf<CRZFloatEventData>::layout, 24, 307, CRZID(3, 7),
            { { 20, Float(1.5f) } } },
        { "CRZIdEvent",
            [] { return new CRZIdEvent(_CRZEVT_LEAVE_COURT_, CHARACTER_SERVER, CRZID(10, 0x01020304)); },
            &BuildNetEvent<CRZIdEvent>, CRZRecordLayoutOf<CRZIdEventData>::layout, 28, 503, CHARACTER_SERVER,
            { { 20, Id(10, 0x01020304) } } },
        { "CRZIdentityEvent",
            [] { return new CRZIdentityEvent(_CRZEVT_KILL_, CRZID(4712, 9), CRZID(4713, 77)); },
            &BuildNetEvent<CRZIdentityEvent>, CRZRecordLayoutOf<CRZIdentityEventData>::layout, 28, 169,
            CRZID(4712, 9), { { 20, Id(4713, 77) } } },
        { "CRZIntIntEvent", [] { return new CRZIntIntEvent(_CRZEVT_ADD_ADVANCE_, INVESTMENT_SERVER, 7, -9); },
            &BuildNetEvent<CRZIntIntEvent>, CRZRecordLayoutOf<CRZIntIntEventData>::layout, 28, 455,
            INVESTMENT_SERVER, { { 20, Word(7) }, { 24, Word(-9) } } },
        { "CRZIntFloatEvent",
            [] { return new CRZIntFloatEvent(_CRZEVT_EVENT_CHANCE_, CRZID(3, 1), 4, 0.25f); },
            &BuildNetEvent<CRZIntFloatEvent>, CRZRecordLayoutOf<CRZIntFloatEventData>::layout, 28, 323,
            CRZID(3, 1), { { 20, Word(4) }, { 24, Float(0.25f) } } },
        { "CRZResourceEvent", [] { return new CRZResourceEvent(_CRZEVT_PRESTIGE_, CRZID(3, 2), 2.5f); },
            &BuildNetEvent<CRZResourceEvent>, CRZRecordLayoutOf<CRZResourceData>::layout, 24, 377,
            CRZID(3, 2), { { 20, Float(2.5f) } } },
        { "CRZQuestionEvent", [] { return new CRZQuestionEvent(_CRZEVT_QUESTIONBOX_OK_, CRZID(3, 2), 42); },
            &BuildNetEvent<CRZQuestionEvent>, CRZRecordLayoutOf<CRZQuestionData>::layout, 24, 265,
            CRZID(3, 2), { { 20, Word(42) } } },
        { "CRZPauseEvent", [] { return new CRZPauseEvent(_CRZEVT_PAUSE_, 3); }, &BuildNetEvent<CRZPauseEvent>,
            CRZRecordLayoutOf<CRZPauseEventData>::layout, 24, 170, ALLID, { { 20, Word(3) } } },
        { "CRZTimerEvent", [] { return new CRZTimerEvent(_CRZEVT_TIMER_DAY_, ALLID, CDate(14, 8, 1066)); },
            &BuildNetEvent<CRZTimerEvent>, CRZRecordLayoutOf<CRZTimerEventData>::layout, 28, 22, ALLID,
            { { 20, Date(14, 8, 1066) } } },
        { "CRZAnimTickEvent", [] { return new CRZAnimTickEvent(_CRZEVT_TICK_ANIMATIONS_, 17); },
            &BuildNetEvent<CRZAnimTickEvent>, CRZRecordLayoutOf<CRZAnimTickEventData>::layout, 24, 26, ALLID,
            { { 20, Word(17) } } },
        { "CRZInputEvent",
            [] {
                return new CRZInputEvent(_CRZEVT_MOUSELBDOWN_, 1, 2, Point { 300, -4 });
            },
            &BuildNetEvent<CRZInputEvent>, CRZRecordLayoutOf<CRZInputEventData>::layout, 36, 17, ALLID,
            { { 20, Word(1) }, { 24, Word(2) }, { 28, Word(300) }, { 32, Word(-4) } } },
        { "CRZTickResourceEvent",
            [] { return new CRZTickResourceEvent(CRZID(3, 4), static_cast<AIResourceType>(5)); },
            &BuildNetEvent<CRZTickResourceEvent>, CRZRecordLayoutOf<CRZTickResourceEventData>::layout, 24,
            176, CRZID(3, 4), { { 20, Word(5) } } },
    };
    return cases;
}

const uint8_t* RecordBytes(const CRZEvent& event)
{
    return reinterpret_cast<const uint8_t*>(event.GetData());
}

class GenericRecords : public ::testing::TestWithParam<size_t> {
protected:
    const RecordCase& Case() const { return Cases()[GetParam()]; }
    std::unique_ptr<CRZEvent> Make() const { return std::unique_ptr<CRZEvent>(Case().make()); }
};

} // namespace

TEST_P(GenericRecords, LayoutHasTheRecordSizeAndFieldOffsets)
{
    const RecordCase& c = Case();
    EXPECT_EQ(c.layout.size, c.size);
    EXPECT_EQ(Make()->GetDataSize(), c.size);
    ASSERT_EQ(c.layout.fieldCount, c.fields.size() + 1) << "the head and one row per payload field";
    EXPECT_EQ(c.layout.fields[0].kind, CRZFieldKind::Head);
    EXPECT_EQ(c.layout.fields[0].size, 20u);
    uint32_t end = 20;
    for (size_t i = 0; i < c.fields.size(); ++i) {
        EXPECT_EQ(c.layout.fields[i + 1].offset, c.fields[i].offset) << c.layout.fields[i + 1].name;
        EXPECT_EQ(c.layout.fields[i + 1].size, c.fields[i].bytes.size()) << c.layout.fields[i + 1].name;
        end = c.fields[i].offset + c.fields[i].bytes.size();
    }
    EXPECT_EQ(end, c.size) << "no bytes after the last field";
}

TEST_P(GenericRecords, NewEventIsLocalUndatedAndZeroFilled)
{
    const RecordCase& c = Case();
    std::unique_ptr<CRZEvent> event = Make();
    EXPECT_FALSE(event->GetSend());
    EXPECT_TRUE(event->GetLocal());
    EXPECT_FALSE(event->IsRaw());
    EXPECT_TRUE(event->GetDate() == CDate());
    EXPECT_EQ(event->GetType(), c.type);
    EXPECT_TRUE(event->GetReceiver() == c.receiver);
    EXPECT_TRUE(event->GetSender() == NOID);

    // Every byte is the head's type and receiver, a stored argument, or zero: the date slot, the
    // identities' padding and anything no constructor writes.
    Bytes expected(c.size, 0);
    std::memcpy(expected.data(), &c.type, 4);
    std::memcpy(expected.data() + 12, &c.receiver.type, 2);
    std::memcpy(expected.data() + 16, &c.receiver.number, 4);
    for (const Field& f : c.fields)
        std::memcpy(expected.data() + f.offset, f.bytes.data(), f.bytes.size());
    EXPECT_EQ(Bytes(RecordBytes(*event), RecordBytes(*event) + c.size), expected);
}

TEST_P(GenericRecords, NetworkCopyRebuildsTheSameRecord)
{
    const RecordCase& c = Case();
    std::unique_ptr<CRZEvent> event = Make();
    event->SetDate(CDate(3, 4, 1100));
    event->SetSend(true);
    CRZNetEvent net(event.get());
    EXPECT_EQ(net.GetDataSize(), c.size);
    EXPECT_EQ(net.GetBufferSize(), c.size + 4);

    std::unique_ptr<CRZEvent> rebuilt(c.rebuild(&net));
    EXPECT_EQ(rebuilt->GetDataSize(), c.size);
    EXPECT_EQ(std::memcmp(RecordBytes(*rebuilt), RecordBytes(*event), c.size), 0);
    EXPECT_FALSE(rebuilt->GetSend()) << "a received event is never sent on by itself";
    EXPECT_TRUE(rebuilt->GetLocal());
    EXPECT_TRUE(rebuilt->IsRaw());
    EXPECT_TRUE(rebuilt->GetDate() == CDate(3, 4, 1100));
}

TEST_P(GenericRecords, CopyShorterThanTheRecordIsRefused)
{
    const RecordCase& c = Case();
    std::unique_ptr<CRZEvent> event = Make();
    for (uint32_t size : { c.size - 1, 12u, 3u, 0u }) {
        CRZNetEvent net(event->GetData(), size);
        ASSERT_EQ(net.GetDataSize(), size);
        // The class reads its whole record from storage that holds at least that much.
        std::unique_ptr<CRZEvent> rebuilt(c.rebuild(&net));
        EXPECT_GT(rebuilt->GetRequiredSize(), size);
        EXPECT_EQ(std::memcmp(RecordBytes(*rebuilt), RecordBytes(*event), size), 0);
        volatile uint8_t last = RecordBytes(*rebuilt)[c.size - 1];
        (void)last;
        testing::internal::CaptureStderr();
        EXPECT_EQ(BuildEventFromNetwork(&net), nullptr) << size;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("Dropped network event"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryGenericRecord, GenericRecords, ::testing::Range<size_t>(0, 15),
    [](const ::testing::TestParamInfo<size_t>& test) { return std::string(Cases()[test.param].name); });

TEST(EventFactory, RebuildsEachTypeWithItsClass)
{
    struct Case {
        uint32_t type;
        uint32_t size;
    };
    // A received type is rebuilt by the class the factory names, whatever class posted it.
    for (const Case& c : { Case { _CRZEVT_REFRESHMAP_, 20 }, Case { _CRZEVT_UNIT_SET_BLITZ_DEST_, 24 },
             Case { _CRZEVT_RAILROAD_COST_MOD_, 24 }, Case { _CRZEVT_CANCEL_PROJECT_, 28 },
             Case { _CRZEVT_UNPAUSE_, 24 }, Case { _CRZEVT_TIMER_YEAR_, 28 },
             Case { _CRZEVT_TICK_RESOURCE_, 24 } }) {
        uint8_t record[64] = {};
        std::memcpy(record, &c.type, 4);
        CRZNetEvent net(record, c.size);
        std::unique_ptr<CRZEvent> event(BuildEventFromNetwork(&net));
        ASSERT_NE(event, nullptr) << c.type;
        EXPECT_EQ(event->GetType(), c.type);
        EXPECT_EQ(event->GetDataSize(), c.size);
    }

    // Input, animation and local-only types are never rebuilt, nor values outside the enumeration.
    for (uint32_t type : { 12u, 21u, 26u, 265u, 336u, 505u, 0xFFFFFFFFu }) {
        uint8_t record[64] = {};
        std::memcpy(record, &type, 4);
        CRZNetEvent net(record, sizeof(record));
        testing::internal::CaptureStderr();
        EXPECT_EQ(BuildEventFromNetwork(&net), nullptr) << type;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("no event class"), std::string::npos);
    }
}

TEST(EventOrder, ComparesRecordDatesOnly)
{
    CRZGenericEvent a(_CRZEVT_GAME_END_, ALLID);
    CRZIntEvent b(_CRZEVT_AI_TICK_, CRZID(3, 1), 0);
    a.SetDate(CDate(0, 5, 1100));
    b.SetDate(CDate(0, 5, 1100));
    EXPECT_FALSE(a < b);
    EXPECT_FALSE(b < a);
    EXPECT_TRUE(a <= b);
    EXPECT_TRUE(b <= a);
    b.SetDate(CDate(1, 5, 1100));
    EXPECT_TRUE(a < b);
    EXPECT_FALSE(b < a);
    EXPECT_TRUE(a <= b);
    EXPECT_FALSE(b <= a);
}

namespace {

// Receivers of each kind that answer with a number of their own and keep the event they saw.
template <class Base> class Receiver : public Base {
public:
    CRZEvent* seen = nullptr;
    int answer = 0;
    int Update(CRZEvent* event) override
    {
        seen = event;
        return answer;
    }
};

} // namespace

TEST(EventObject, UpdateObjectHandsTheEventToTheReceiversOwnHandler)
{
    CRZIntEvent event(_CRZEVT_GAIN_TECH_, CRZID(3, 9), 1);
    Receiver<CIdentity> identity;
    Receiver<CRZStaticObject> realm;
    Receiver<CRZDynamicObject> unit;
    identity.answer = 5;
    realm.answer = 0;
    unit.answer = 3;
    EXPECT_EQ(event.UpdateObject(static_cast<CIdentity*>(&identity)), 5);
    EXPECT_EQ(event.UpdateObject(static_cast<CRZStaticObject*>(&realm)), 0);
    EXPECT_EQ(event.UpdateObject(static_cast<CRZDynamicObject*>(&unit)), 3);
    EXPECT_EQ(identity.seen, &event);
    EXPECT_EQ(realm.seen, &event);
    EXPECT_EQ(unit.seen, &event);
}
