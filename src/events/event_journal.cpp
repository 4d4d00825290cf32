// Writing and checking event journals: a journal is read whole and refused whole, so a replay never starts
// on events that stop half-way.
#include "events/event_journal.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "events/event_record.h"
#include "events/net_event.h"
#include "platform/elements/replace_file.h"

#include "foundation/safeguards.h"

// The records go into the journal as the network copy holds them, which is little-endian on every machine
// the game is built for.
static_assert(std::endian::native == std::endian::little);

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// Reads little-endian numbers from the bytes, never past their end.
class CReader {
public:
    CReader(const uint8_t* inBytes, std::size_t inSize)
        : bytes(inBytes)
        , size(inSize)
    {
    }
    std::size_t Left() const { return size - at; }
    bool Take(void* out, std::size_t count)
    {
        if (count > Left())
            return false;
        if (count > 0)
            std::memcpy(out, bytes + at, count);
        at += count;
        return true;
    }
    bool Get(uint64_t& value, int width)
    {
        uint8_t raw[8] = {};
        if (!Take(raw, static_cast<std::size_t>(width)))
            return false;
        value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = value << 8 | raw[i];
        return true;
    }

private:
    const uint8_t* bytes;
    std::size_t size;
    std::size_t at = 0;
};

bool Fail(std::string& message, const std::string& text)
{
    message = text;
    return false;
}

std::string Nth(std::size_t index)
{
    return std::to_string(index);
}

} // namespace

std::vector<uint8_t> EncodeEventJournal(const CEventJournal& journal)
{
    std::vector<uint8_t> out(kJournalMagic, kJournalMagic + sizeof kJournalMagic);
    Put32(out, kJournalVersion);
    const std::size_t nameLength = std::min<std::size_t>(journal.scenario.size(), 0xFFFF);
    out.push_back(static_cast<uint8_t>(nameLength));
    out.push_back(static_cast<uint8_t>(nameLength >> 8));
    out.insert(out.end(), journal.scenario.begin(),
        journal.scenario.begin() + static_cast<std::ptrdiff_t>(nameLength));
    for (const std::vector<uint8_t>& record : journal.records) {
        Put32(out, static_cast<uint32_t>(record.size()));
        out.insert(out.end(), record.begin(), record.end());
    }
    Put32(out, kJournalEndMark);
    Put32(out, static_cast<uint32_t>(journal.records.size()));
    Put32(out, static_cast<uint32_t>(journal.stateHash));
    Put32(out, static_cast<uint32_t>(journal.stateHash >> 32));
    return out;
}

bool DecodeEventJournal(const uint8_t* bytes, std::size_t size, CEventJournal& out, std::string& message)
{
    out = CEventJournal {};
    CReader in(bytes, size);
    char magic[sizeof kJournalMagic];
    if (!in.Take(magic, sizeof magic) || std::memcmp(magic, kJournalMagic, sizeof magic) != 0)
        return Fail(message, "not an event journal");
    uint64_t version = 0, nameLength = 0;
    if (!in.Get(version, 4) || version != kJournalVersion)
        return Fail(message, "an event journal of another version");
    if (!in.Get(nameLength, 2) || nameLength > in.Left())
        return Fail(message, "the journal is cut inside its header");
    out.scenario.resize(static_cast<std::size_t>(nameLength));
    in.Take(out.scenario.data(), out.scenario.size());
    for (;;) {
        uint64_t recordSize = 0;
        if (!in.Get(recordSize, 4))
            return Fail(message,
                "the journal is cut after event " + Nth(out.records.size()) + ": it has no end mark");
        if (recordSize == kJournalEndMark)
            break;
        if (recordSize < sizeof(CRZEventData) || recordSize > kMaxNetRecordSize)
            return Fail(
                message, "event " + Nth(out.records.size() + 1) + " of the journal has an impossible size");
        if (recordSize > in.Left())
            return Fail(message, "the journal is cut inside event " + Nth(out.records.size() + 1));
        std::vector<uint8_t> record(static_cast<std::size_t>(recordSize));
        in.Take(record.data(), record.size());
        out.records.push_back(std::move(record));
    }
    uint64_t count = 0, hash = 0;
    if (!in.Get(count, 4) || !in.Get(hash, 8))
        return Fail(message, "the journal is cut inside its end mark");
    if (count != out.records.size())
        return Fail(
            message, "the journal's end mark counts " + Nth(static_cast<std::size_t>(count)) + " events");
    if (in.Left() != 0)
        return Fail(message, "the journal has bytes after its end mark");
    out.stateHash = hash;
    return true;
}

bool WriteEventJournal(const char* path, const CEventJournal& journal, std::string& message)
{
    const std::vector<uint8_t> bytes = EncodeEventJournal(journal);
    int error = 0;
    if (!Ravel::ReplaceFile(
            path,
            [&](std::FILE* file) { return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(); },
            nullptr, &error)) {
        message = std::string("the journal could not be written: ")
            + (error ? std::strerror(error) : "write failed");
        return false;
    }
    return true;
}

bool ReadEventJournal(const char* path, CEventJournal& out, std::string& message)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        message = std::string("the journal could not be opened: ") + std::strerror(errno);
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        message = "the journal could not be read";
        return false;
    }
    return DecodeEventJournal(bytes.data(), bytes.size(), out, message);
}
