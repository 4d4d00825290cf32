// The receiving side's table for the record catalogue, and the round trip of every rebuilt class: a
// record sent, rebuilt and sent again arrives byte for byte as it left.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "events/event_factory.h"
#include "events/generic_events.h"
#include "events/net_event.h"
#include "events/record_class_rows.h"

#include "foundation/safeguards.h"

namespace {

struct RebuiltType {
    uint32_t type;
    const char* className;
    const std::type_info& cls;
    const CRZRecordLayout& layout;
    bool variable;
};

template <class Class> constexpr bool IsVariable()
{
    return std::is_base_of_v<CRZVariableEvent<typename Class::RecordType>, Class>;
}

#define VM_TEST_ROW_(type, Class)                                                                            \
    { type, #Class, typeid(Class), CRZRecordLayoutOf<Class::RecordType>::layout, IsVariable<Class>() },

const std::vector<RebuiltType>& Rebuilt()
{
    static const std::vector<RebuiltType> rows
        = { VM_RECORD_CLASS_ROWS_Character(VM_TEST_ROW_) VM_RECORD_CLASS_ROWS_Realm(VM_TEST_ROW_)
                  VM_RECORD_CLASS_ROWS_Army(VM_TEST_ROW_) VM_RECORD_CLASS_ROWS_Session(VM_TEST_ROW_) };
    return rows;
}

using Bytes = std::vector<uint8_t>;

// A record of the layout full of distinct bytes, whose texts end with a zero and whose packet length
// is one a packet may have: what a well-behaved sender could send.
Bytes PatternRecord(const RebuiltType& row)
{
    Bytes record(row.layout.size);
    for (size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<uint8_t>(i * 37u + row.type);
    std::memcpy(record.data(), &row.type, 4);
    for (uint32_t i = 0; i < row.layout.fieldCount; ++i) {
        const CRZRecordField& field = row.layout.fields[i];
        if (field.kind == CRZFieldKind::Bytes)
            record[field.offset + field.size - 1u] = 0;
    }
    if (row.type == _CRZEVT_PACKET_) {
        const int32_t length = 100;
        std::memcpy(record.data() + 2072, &length, 4);
    }
    return record;
}

std::unique_ptr<CRZEvent> Rebuild(const Bytes& record)
{
    CRZNetEvent net(record.data(), static_cast<uint32_t>(record.size()));
    return std::unique_ptr<CRZEvent>(BuildEventFromNetwork(&net));
}

Bytes Sent(CRZEvent& event)
{
    CRZNetEvent copy(&event);
    return Bytes(copy.GetRecordBytes(), copy.GetRecordBytes() + copy.GetDataSize());
}

class RecordRoundTrip : public ::testing::TestWithParam<size_t> { };

} // namespace

TEST(RecordClassTable, EveryTravellingTypeHasExactlyOneClass)
{
    uint32_t rebuilt = 0;
    for (uint32_t type = 0; type < kEventTypeCount; ++type)
        rebuilt += GetNetEventBuilder(type) != nullptr ? 1 : 0;
    EXPECT_EQ(rebuilt, 321u) << "the generic records and the catalogue together";
    EXPECT_EQ(Rebuilt().size(), 188u);
}

// Types posted with a shorter record are rebuilt with the longer one; types that never travel have no
// class at all.
TEST(RecordClassTable, ShorterPostingsAndLocalTypes)
{
    struct Case {
        uint32_t type;
        const std::type_info* cls;
    };
    const Case cases[] = {
        { _CRZEVT_PROVBATTLELOST_, &typeid(CRZBattleWonEvent) },
        { _CRZEVT_PROVCHANGEOWNER_, &typeid(CRZProvChangeEvent) },
        { _CRZEVT_PRESTIGE_, &typeid(CRZCharacterFloatEvent) },
        { _CRZEVT_UNPAUSE_, &typeid(CRZPauseEvent) },
        { APPMSG_NETSPEECH, nullptr },
        { _CRZEVT_UPDATE_DIVISION_VALUE_, nullptr },
        { _CRZEVT_DEPLOY_TO_POOL_, nullptr },
        { _CRZEVT_POP_MILITANCY_, nullptr },
        { _CRZEVT_MOUSEMOVE_, nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(GetEventTypeName(c.type));
        CRZEventBuilder build = GetNetEventBuilder(c.type);
        ASSERT_EQ(build != nullptr, c.cls != nullptr);
        if (build == nullptr)
            continue;
        // A record long enough for any class, with counts of zero.
        Bytes record(64, 0);
        std::memcpy(record.data(), &c.type, 4);
        CRZNetEvent net(record.data(), static_cast<uint32_t>(record.size()));
        std::unique_ptr<CRZEvent> event(build(&net));
        EXPECT_EQ(typeid(*event), *c.cls);
    }
}

TEST_P(RecordRoundTrip, ArrivesAndLeavesAgainByteForByte)
{
    const RebuiltType& row = Rebuilt()[GetParam()];
    SCOPED_TRACE(std::string(row.className) + " as " + GetEventTypeName(row.type));
    Bytes record = PatternRecord(row);
    if (row.variable) // the lists follow their counts; empty ones keep the pattern consistent
        std::fill(record.begin() + 20, record.end(), 0);
    if (row.variable && row.type == APPMSG_CHATSTRING)
        record[24] = 1; // the terminating zero alone
    if (row.variable)
        record.resize(record.size() + 6, 0); // the bytes the size reaches past the fixed part

    std::unique_ptr<CRZEvent> event = Rebuild(record);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(typeid(*event), row.cls);
    EXPECT_EQ(event->GetType(), row.type);
    EXPECT_FALSE(event->GetSend());
    EXPECT_TRUE(event->GetLocal());
    const Bytes sent = Sent(*event);
    ASSERT_LE(sent.size(), record.size());
    EXPECT_EQ(sent, Bytes(record.begin(), record.begin() + sent.size()));
    if (!row.variable) {
        EXPECT_EQ(sent.size(), row.layout.size);
    }

    // Sent on by whoever posts it again: the copy of the copy is the same record.
    std::unique_ptr<CRZEvent> again = Rebuild(sent);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Sent(*again), sent);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, RecordRoundTrip, ::testing::Range<size_t>(0, Rebuilt().size()),
    [](const ::testing::TestParamInfo<size_t>& test) {
        return std::string(Rebuilt()[test.param].className) + "_"
            + std::to_string(Rebuilt()[test.param].type);
    });
