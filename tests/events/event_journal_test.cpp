// Event journals: what is written reads back the same, and anything but a whole journal is refused with a
// reason before a single event of it is applied.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "events/event_journal.h"
#include "support/scratch.h"

#include "foundation/safeguards.h"

namespace {

CEventJournal Sample()
{
    CEventJournal journal;
    journal.scenario = "scenarios\\tiny.rzg";
    for (int n = 0; n < 3; ++n) {
        std::vector<uint8_t> record(20 + static_cast<std::size_t>(n) * 4);
        for (std::size_t i = 0; i < record.size(); ++i)
            record[i] = static_cast<uint8_t>(i * 7 + static_cast<std::size_t>(n));
        journal.records.push_back(record);
    }
    journal.stateHash = 0x0123456789ABCDEFull;
    return journal;
}

TEST(EventJournal, WrittenJournalReadsBackWhole)
{
    support::ScratchDir dir;
    const std::string path = dir.path() + "/run.journal";
    const CEventJournal written = Sample();
    std::string message;
    ASSERT_TRUE(WriteEventJournal(path.c_str(), written, message)) << message;
    CEventJournal read;
    ASSERT_TRUE(ReadEventJournal(path.c_str(), read, message)) << message;
    EXPECT_EQ(read.scenario, written.scenario);
    EXPECT_EQ(read.records, written.records);
    EXPECT_EQ(read.stateHash, written.stateHash);
    // The framing is little-endian whatever the machine: the first record's size follows the name.
    const std::vector<uint8_t> bytes = EncodeEventJournal(written);
    const std::size_t sizeAt = 4 + 4 + 2 + written.scenario.size();
    EXPECT_EQ(bytes[sizeAt], 20);
    EXPECT_EQ(bytes[sizeAt + 1], 0);
    EXPECT_FALSE(ReadEventJournal((dir.path() + "/none").c_str(), read, message));
    EXPECT_NE(message.find("could not be opened"), std::string::npos);
}

TEST(EventJournal, EveryCutJournalIsRefused)
{
    const std::vector<uint8_t> whole = EncodeEventJournal(Sample());
    for (std::size_t size = 0; size < whole.size(); ++size) {
        CEventJournal read;
        std::string message;
        EXPECT_FALSE(DecodeEventJournal(whole.data(), size, read, message)) << "cut at " << size;
        EXPECT_FALSE(message.empty()) << "cut at " << size;
    }
}

TEST(EventJournal, DamagedJournalsAreRefusedWithTheirReason)
{
    const std::vector<uint8_t> whole = EncodeEventJournal(Sample());
    const std::size_t firstSize = 4 + 4 + 2 + Sample().scenario.size();
    const std::size_t countAt = whole.size() - 12;
    struct Case {
        const char* what;
        std::size_t at;
        uint8_t value;
        const char* reason;
    } cases[] = {
        { "magic", 0, 'X', "not an event journal" },
        { "version", 4, 2, "another version" },
        { "record shorter than an event's head", firstSize, 19, "impossible size" },
        { "record past the end", firstSize + 1, 0x01, "cut inside event 1" },
        { "count", countAt, 9, "counts 9 events" },
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = whole;
        bytes[c.at] = c.value;
        CEventJournal read;
        std::string message;
        EXPECT_FALSE(DecodeEventJournal(bytes.data(), bytes.size(), read, message)) << c.what;
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.what << ": " << message;
    }
    std::vector<uint8_t> longer = whole;
    longer.push_back(0);
    CEventJournal read;
    std::string message;
    EXPECT_FALSE(DecodeEventJournal(longer.data(), longer.size(), read, message));
    EXPECT_NE(message.find("after its end mark"), std::string::npos) << message;
}

} // namespace
