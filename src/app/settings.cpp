// The settings record "config.rz" and the scenario's parse options. The record is checked word by word
// when it is read, since it is the one file the player's machine writes and anything may have changed it.
#include "app/settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/scenario_keywords.h"
#include "foundation/data_file.h"
#include "platform/elements/replace_file.h"
#include "platform/win/win32.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

CSettingsHooks gSettingsHooks;
CSettings* gpSettings = nullptr;

namespace {

constexpr int32_t kFormat = 151;
constexpr int32_t kRecordSize = static_cast<int32_t>(sizeof(CSettingsRecord));
constexpr CRZTokenType KW_STATUS = static_cast<CRZTokenType>(333);

// The words that hold text bytes rather than numbers: the player name and the last address.
constexpr int kFirstTextWord = offsetof(CSettingsRecord, playerName) / 4;
constexpr int kEndTextWord = offsetof(CSettingsRecord, aiAggressiveness) / 4;

// The range of every option word that has one; the flags are 0 or 1.
struct CWordRange {
    int32_t CSettingsRecord::*word;
    int32_t low;
    int32_t high;
};
const CWordRange kOptionRanges[] = {
    { &CSettingsRecord::aiAggressiveness, 0, 4 },
    { &CSettingsRecord::difficulty, 0, 4 },
    { &CSettingsRecord::gameSpeed, 0, 7 },
    { &CSettingsRecord::effectVolume, 0, 100 },
    { &CSettingsRecord::musicVolume, 0, 100 },
    { &CSettingsRecord::autosave, 0, 4 },
    { &CSettingsRecord::hintsAtStart, 0, 1 },
};

int WordIndex(const CSettingsRecord& record, const int32_t* word)
{
    return static_cast<int>(word - reinterpret_cast<const int32_t*>(&record));
}

int Repair(CSettingsRecord& record, int32_t& word, int32_t low, int32_t high, const char* file)
{
    const int32_t repaired = std::clamp(word, low, high);
    if (repaired == word)
        return 0;
    std::fprintf(stderr, "%s: word %d holds %d, out of %d..%d; %d is used\n", file, WordIndex(record, &word),
        word, low, high, repaired);
    word = repaired;
    return 1;
}

int EndText(char* text, std::size_t size, const char* what, const char* file)
{
    if (std::memchr(text, 0, size) != nullptr)
        return 0;
    std::fprintf(stderr, "%s: the %s has no end; it is cut to %zu characters\n", file, what, size - 1);
    text[size - 1] = 0;
    return 1;
}

void CopyText(char* field, std::size_t size, const char* text)
{
    // A text that does not fit is cut, and the rest of the field stays zero.
    std::memset(field, 0, size);
    if (text != nullptr && size > 0)
        std::memcpy(field, text, strnlen(text, size - 1));
}

const char* StepText(Ravel::ReplaceStep step)
{
    switch (step) {
    case Ravel::ReplaceStep::kCreate:
        return "the temporary file could not be made";
    case Ravel::ReplaceStep::kWrite:
    case Ravel::ReplaceStep::kFlush:
    case Ravel::ReplaceStep::kSyncFile:
    case Ravel::ReplaceStep::kClose:
        return "the temporary file could not be written";
    case Ravel::ReplaceStep::kRename:
        return "the temporary file could not replace the old one";
    default:
        return "the folder could not be synced";
    }
}

} // namespace

void EncodeSettingsRecord(const CSettingsRecord& record, uint8_t* bytes)
{
    std::memcpy(bytes, &record, sizeof record);
    for (int w = 0; w < kSettingsWords; ++w) {
        if (w >= kFirstTextWord && w < kEndTextWord)
            continue;
        uint32_t value;
        std::memcpy(&value, bytes + 4 * w, 4);
        for (int b = 0; b < 4; ++b)
            bytes[4 * w + b] = static_cast<uint8_t>(value >> (8 * b));
    }
}

void DecodeSettingsRecord(const uint8_t* bytes, CSettingsRecord& record)
{
    std::memcpy(&record, bytes, sizeof record);
    auto* words = reinterpret_cast<uint8_t*>(&record);
    for (int w = 0; w < kSettingsWords; ++w) {
        if (w >= kFirstTextWord && w < kEndTextWord)
            continue;
        const uint8_t* at = bytes + 4 * w;
        const uint32_t value = at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<uint32_t>(at[3]) << 24);
        std::memcpy(words + 4 * w, &value, 4);
    }
}

int RepairSettingsRecord(CSettingsRecord& record, const char* file)
{
    int repairs = 0;
    for (int32_t* flags : { record.shown, record.inBox, record.pause })
        for (int type = 0; type < kMessageTypeCount; ++type)
            repairs += Repair(record, flags[type], 0, 1, file);
    for (const CWordRange& range : kOptionRanges)
        repairs += Repair(record, record.*range.word, range.low, range.high, file);
    repairs += EndText(record.playerName, sizeof record.playerName, "player name", file);
    repairs += EndText(record.lastIp, sizeof record.lastIp, "last host address", file);
    return repairs;
}

int CParseOption::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        const char* value = parser.value.text;
        if (parser.key.type == KW_TAG) {
            CopyText(name, sizeof name, value);
        } else if (parser.key.type == KW_NAME) {
            const char* found = TextStrings.GetString(value);
            CopyText(text, sizeof text, std::strcmp(found, kUnknownString) == 0 ? value : found);
        } else if (parser.key.type == KW_STATUS) {
            on = parser.value.type == KW_YES ? 1 : 0;
        }
        return kReadOn;
    });
}

CSettings::CSettings()
    : record(new CSettingsRecord {})
{
    record->format = kFormat;
    record->size = kRecordSize;
    record->revision = kMessageTypeCount;
}

CSettings::~CSettings()
{
    ClearParseOptions();
    delete record;
}

bool CSettings::ReadRecord(const char* file, CSettingsRecord& out) const
{
    char path[kPathMax + 1];
    std::snprintf(path, sizeof path, "%s", file);
    ConvertBackslashToSlash(path);
    std::FILE* in = OpenDataFile(path, "rb");
    if (in == nullptr)
        return false;
    uint8_t bytes[sizeof(CSettingsRecord)];
    const std::size_t read = std::fread(bytes, 1, sizeof bytes, in);
    std::fclose(in);
    CSettingsRecord candidate {};
    if (read >= 12)
        DecodeSettingsRecord(bytes, candidate);
    const bool header = read >= 12 && candidate.format == record->format && candidate.size == record->size
        && candidate.revision == record->revision;
    if (!header) {
        std::fprintf(stderr, "%s: not a settings record of format %d, size %d and revision %d\n", file,
            kFormat, kRecordSize, kMessageTypeCount);
        return false;
    }
    if (read < sizeof bytes) {
        std::fprintf(stderr, "%s: %zu of %d bytes\n", file, read, kRecordSize);
        return false;
    }
    RepairSettingsRecord(candidate, file);
    out = candidate;
    return true;
}

bool CSettings::WriteRecord(const char* file)
{
    if (gSettingsHooks.UpdateSettings)
        gSettingsHooks.UpdateSettings();
    uint8_t bytes[sizeof(CSettingsRecord)];
    EncodeSettingsRecord(*record, bytes);
    char name[kPathMax + 1];
    std::snprintf(name, sizeof name, "%s", file);
    ConvertBackslashToSlash(name);
    SetDataPath();
    char path[kPathMax + 1];
    if (!ResolveDataPath(name, path, sizeof path)) {
        std::fprintf(stderr, "%s: could not be saved: the path is too long\n", file);
        return false;
    }
    Ravel::ReplaceStep step = Ravel::ReplaceStep::kNone;
    int error = 0;
    const bool written = Ravel::ReplaceFile(
        path, [&](std::FILE* out) { return std::fwrite(bytes, 1, sizeof bytes, out) == sizeof bytes; }, &step,
        &error);
    if (!written || step != Ravel::ReplaceStep::kNone)
        std::fprintf(stderr, "%s: %s: %s (%s)\n", file, written ? "saved, but" : "could not be saved",
            StepText(step), error ? std::strerror(error) : "write failed");
    return written;
}

void CSettings::Init()
{
    if (!ReadRecord(kSettingsFile, *record)) {
        InitSettings();
        return;
    }
    if (gSettingsHooks.InitMessages)
        gSettingsHooks.InitMessages();
    SaveSettings();
}

void CSettings::InitSettings()
{
    record->format = kFormat;
    record->size = kRecordSize;
    record->revision = kMessageTypeCount;
    CopyText(record->playerName, sizeof record->playerName, "Player");
    CopyText(record->lastIp, sizeof record->lastIp, "");
    if (gSettingsHooks.UpdateSettings)
        gSettingsHooks.UpdateSettings();
    record->aiAggressiveness = 1;
    record->difficulty = 2;
    record->gameSpeed = 2;
    record->effectVolume = 100;
    record->musicVolume = 100;
    record->autosave = 0;
    record->hintsAtStart = 1;
    record->lastHint = 1;
    record->reservedEnd = 0;
    record->reserved = 0;
    SaveSettings();
}

bool CSettings::SaveSettings()
{
    return WriteRecord(kSettingsFile);
}

void CSettings::SetOptions(const char* file)
{
    WriteRecord(file);
}

bool CSettings::GetOptions(const char* file)
{
    if (!ReadRecord(file, *record))
        return false;
    if (gSettingsHooks.InitMessages)
        gSettingsHooks.InitMessages();
    SaveSettings();
    return true;
}

void CSettings::SetPlayerName(const char* name)
{
    CopyText(record->playerName, sizeof record->playerName, name);
}

void CSettings::SetLastIp(const char* address)
{
    CopyText(record->lastIp, sizeof record->lastIp, address);
}

CParseOption* CSettings::AddParseOption(CParseOption* option)
{
    if (option == nullptr)
        return nullptr;
    if (CParseOption* listed = GetOption(option->name)) {
        if (listed != option)
            delete option;
        return listed;
    }
    options.Append(option);
    return option;
}

CParseOption* CSettings::GetOption(const char* name) const
{
    if (name == nullptr)
        return nullptr;
    for (auto it = options.GetHead(); !it.IsEnd(); it++)
        if (stricmp((*it)->name, name) == 0)
            return *it;
    return nullptr;
}

int CSettings::IsParseOption(const char* name) const
{
    const CParseOption* option = GetOption(name);
    return option != nullptr ? option->on : 0;
}

void CSettings::ClearParseOptions()
{
    DeleteAll(options);
}
