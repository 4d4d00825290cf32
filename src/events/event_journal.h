// The journal of a game run without a window: every global event the host processed, in network form and
// in order, so that a second run can apply them as a client would and must end in the same state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The file, little-endian throughout: the magic "VMJ1", the format version (1), the scenario's name as a
// 16-bit length and its bytes; then per event a 32-bit record size and the record as the network carries
// it; then the end mark 0xFFFFFFFF, the number of events and the host's 64-bit state hash. Without the end
// mark a journal is a cut one.
struct CEventJournal {
    std::string scenario;
    std::vector<std::vector<uint8_t>> records;
    uint64_t stateHash = 0;
};

inline constexpr char kJournalMagic[4] = { 'V', 'M', 'J', '1' };
inline constexpr uint32_t kJournalVersion = 1;
inline constexpr uint32_t kJournalEndMark = 0xFFFFFFFFu;

// The journal's bytes.
std::vector<uint8_t> EncodeEventJournal(const CEventJournal& journal);
// Reads a journal from its bytes. False with the reason in message for anything but a whole journal: a
// wrong magic or version, a record shorter than an event's head or longer than the network carries, a
// size past the end of the bytes, a missing end mark, a count that does not match, bytes after the end.
bool DecodeEventJournal(const uint8_t* bytes, std::size_t size, CEventJournal& out, std::string& message);

// The same through files: the journal is written whole to a temporary file and renamed over the target.
bool WriteEventJournal(const char* path, const CEventJournal& journal, std::string& message);
bool ReadEventJournal(const char* path, CEventJournal& out, std::string& message);
