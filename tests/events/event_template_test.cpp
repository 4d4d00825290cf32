// The class template's machinery for records whose length is known only when the event is built,
// and the companions declared beside it: the list block and the delivery to a list of receivers.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "events/event_template.h"
#include "events/net_event.h"
#include "foundation/linked_list.h"

#include "foundation/safeguards.h"

// Records are declared at namespace scope, where their layout tables live.
#define VM_RECORD_CTestListData(FIELD) FIELD(int32_t, tag, 20) FIELD(CRZDataBlock<int32_t>, list, 24)
VM_EVENT_RECORD(CTestListData, 28)

namespace {

// A variable-size event built the way the chat, path and peace classes are: a byte array sized for
// the list, filled, then marked raw; its size follows from the count stored in the record.
class CTestListEvent : public CRZEventTemplate<CTestListData> {
public:
    explicit CTestListEvent(const CList<int32_t>& values)
        : CRZEventTemplate(AllocateRecord(Room(values)), Room(values), _CRZEVT_ADD_CORE_, CRZID(3, 8))
    {
        Record().tag = 77;
        Record().list.Set(values, static_cast<uint32_t>(values.GetSize()));
        SetRaw(true);
    }
    explicit CTestListEvent(CRZNetEvent* net)
        : CRZEventTemplate(net)
    {
    }

    uint32_t GetDataSize() const override { return (28u + 4u * Record().list.count) & 0xFFFFu; }
    uint32_t GetRequiredSize() const override { return 28u + 4u * Record().list.count; }

private:
    static std::size_t Room(const CList<int32_t>& values) { return 28u + 4u * values.GetSize(); }
};

CList<int32_t> ListOf(std::initializer_list<int32_t> values)
{
    CList<int32_t> list;
    for (int32_t v : values)
        list.Append(v);
    return list;
}

int32_t WordAt(const CRZEvent& event, uint32_t offset)
{
    int32_t value;
    std::memcpy(&value, reinterpret_cast<const uint8_t*>(event.GetData()) + offset, 4);
    return value;
}

} // namespace

TEST(VariableRecords, ListIsStoredInOrderAfterItsCount)
{
    CTestListEvent event(ListOf({ 5, -6, 7 }));
    EXPECT_TRUE(event.IsRaw());
    EXPECT_EQ(event.GetDataSize(), 40u);
    EXPECT_TRUE(event.GetDate() == CDate());
    EXPECT_EQ(event.GetType(), _CRZEVT_ADD_CORE_);
    EXPECT_EQ(event.Record().list.count, 3);
    EXPECT_EQ(WordAt(event, 28), 5);
    EXPECT_EQ(WordAt(event, 32), -6);
    EXPECT_EQ(WordAt(event, 36), 7);
    EXPECT_EQ(event.Record().list.Get(1), -6);

    CTestListEvent empty(ListOf({}));
    EXPECT_EQ(empty.GetDataSize(), 28u);
}

TEST(VariableRecords, NetworkCopyKeepsTheListAndAWrappedCountIsRefused)
{
    CTestListEvent event(ListOf({ 1, 2, 3, 4 }));
    CRZNetEvent net(&event);
    CTestListEvent rebuilt(&net);
    EXPECT_EQ(rebuilt.GetDataSize(), 44u);
    EXPECT_EQ(std::memcmp(rebuilt.GetData(), event.GetData(), 44), 0);
    EXPECT_LE(rebuilt.GetRequiredSize(), net.GetDataSize());

    // A count that makes the 16-bit size wrap to something small must not pass for a short list.
    std::vector<uint8_t> forged(
        reinterpret_cast<uint8_t*>(event.GetData()), reinterpret_cast<uint8_t*>(event.GetData()) + 44);
    const uint16_t count = 0xFFFF;
    std::memcpy(forged.data() + 24, &count, 2);
    CRZNetEvent forgedNet(forged.data(), static_cast<uint32_t>(forged.size()));
    CTestListEvent forgedEvent(&forgedNet);
    EXPECT_LT(forgedEvent.GetDataSize(), forgedNet.GetDataSize());
    EXPECT_GT(forgedEvent.GetRequiredSize(), forgedNet.GetDataSize());
}

TEST(DataBlock, SetWritesNoMoreThanTheRoom)
{
    alignas(4) uint8_t bytes[4 + 2 * 4 + 4] = {};
    std::memset(bytes + 12, 0xAB, 4);
    auto* block = reinterpret_cast<CRZDataBlock<int32_t>*>(bytes);
    block->Set(ListOf({ 9, 8, 7 }), 2);
    EXPECT_EQ(block->count, 2);
    EXPECT_EQ(block->Get(0), 9);
    EXPECT_EQ(block->Get(1), 8);
    EXPECT_EQ(bytes[12], 0xAB) << "nothing written past the room";
}

namespace {

struct CountingReceiver {
    int answer;
    int calls = 0;
    int Update(CRZEvent*)
    {
        ++calls;
        return answer;
    }
};

} // namespace

TEST(UpdateList, StopsAtTheFirstReceiverThatTakesTheEvent)
{
    CTestListEvent event(ListOf({}));
    CountingReceiver a { 0 }, b { 4 }, c { 7 };
    CList<CountingReceiver*> list;
    EXPECT_EQ(UpdateList(list, &event), 0);
    list.Append(&a);
    list.Append(&b);
    list.Append(&c);
    EXPECT_EQ(UpdateList(list, &event), 4);
    EXPECT_EQ(a.calls, 1);
    EXPECT_EQ(b.calls, 1);
    EXPECT_EQ(c.calls, 0);
    b.answer = 0;
    EXPECT_EQ(UpdateList(list, &event), 7);
}
