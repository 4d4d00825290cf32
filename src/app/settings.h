// CSettings (gpSettings), the player's lasting choices in the record kept in "config.rz": the message
// display settings, the player name, the last host address and the option words other subsystems read
// and write directly; and the options that the loaded scenario declares (CParseOption).
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/linked_list.h"

class CRZParser;

inline constexpr const char* kSettingsFile = "config.rz";
// The record's revision word: the number of message types whose three flags it holds.
inline constexpr int kMessageTypeCount = 103;

// The record as it lies in memory and, word by word little-endian, on disk: 346 words, of which the two
// texts are bytes. Zero-filled before use.
struct CSettingsRecord {
    int32_t format;
    int32_t size;
    int32_t revision;
    int32_t reserved;
    // Per message type: reported at all, in a box, pausing a single-player game (0 or 1 each).
    int32_t shown[kMessageTypeCount];
    int32_t inBox[kMessageTypeCount];
    int32_t pause[kMessageTypeCount];
    // NUL-terminated: at most 63 and 31 characters.
    char playerName[64];
    char lastIp[32];
    int32_t aiAggressiveness; // 0..4
    int32_t difficulty; // 0..4; a realm's difficulty modifier is this minus 2
    int32_t gameSpeed; // 0..7, index of the clock's speed table
    int32_t effectVolume; // 0..100
    int32_t musicVolume; // 0..100
    int32_t autosave; // 0 never, then every 1, 3, 5 or 10 years
    int32_t hintsAtStart; // 0 or 1
    int32_t lastHint;
    int32_t reservedEnd;
};
inline constexpr int kSettingsWords = 346;
static_assert(sizeof(CSettingsRecord) == kSettingsWords * 4);
static_assert(offsetof(CSettingsRecord, shown) == 16 && offsetof(CSettingsRecord, inBox) == 428);
static_assert(offsetof(CSettingsRecord, pause) == 840 && offsetof(CSettingsRecord, playerName) == 1252);
static_assert(
    offsetof(CSettingsRecord, lastIp) == 1316 && offsetof(CSettingsRecord, aiAggressiveness) == 1348);
static_assert(offsetof(CSettingsRecord, lastHint) == 1376);

// What the record needs of the message handler above it: its live flags stored into the record, and
// taken back from it.
struct CSettingsHooks {
    void (*UpdateSettings)() = nullptr;
    void (*InitMessages)() = nullptr;
};
extern CSettingsHooks gSettingsHooks;

// One option of the loaded scenario ("option" block): the tokenizer's conditional sections ask for it.
class CParseOption {
public:
    CParseOption() = default;
    virtual ~CParseOption() = default;

    // The block's statements up to its "}", consumed: "tag" names the option, "name" is the text key of
    // its text (the key itself when the text database lacks it), "status" turns it on with "yes". Texts
    // longer than their fields are cut. 0.
    virtual int ParseFields(CRZParser& parser);

    char name[256] = {};
    char text[256] = {};
    int32_t on = 0;
};

class CSettings {
public:
    // The header words and nothing else; Init gives the rest.
    CSettings();
    ~CSettings();
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // Reads "config.rz"; a missing file, or one that is short or of another format, size or revision,
    // gives the defaults. Either way the record is written back at once.
    void Init();
    // The defaults, then saved.
    void InitSettings();
    // Stores the message handler's flags and writes the record to "config.rz". A failed write is
    // reported on standard error and keeps the old file; false then, so that a caller the player is
    // looking at can tell him.
    bool SaveSettings();
    // As SaveSettings, into the given data-folder file (the options beside a saved game).
    void SetOptions(const char* file);
    // Reads a record from the given file and makes it the settings, saved as "config.rz". A missing,
    // short or mismatched file changes nothing. True when the record was taken.
    bool GetOptions(const char* file);
    // Longer texts are cut to the field (63 and 31 characters).
    void SetPlayerName(const char* name);
    void SetLastIp(const char* address);

    // Takes ownership of the option. When one of the same name (letter case ignored) is listed, the given
    // one is deleted and the listed one answered; else the given one is appended and answered.
    CParseOption* AddParseOption(CParseOption* option);
    // Letter case ignored; null when absent.
    CParseOption* GetOption(const char* name) const;
    // The named option's on flag; 0 when there is none.
    int IsParseOption(const char* name) const;
    void ClearParseOptions();

    CSettingsRecord& Record() { return *record; }
    const CSettingsRecord& Record() const { return *record; }
    CList<CParseOption*>& Options() { return options; }

private:
    // The record of the file when it is whole and its header matches; false otherwise.
    bool ReadRecord(const char* file, CSettingsRecord& out) const;
    bool WriteRecord(const char* file);

    CSettingsRecord* record;
    CList<CParseOption*> options;
};

extern CSettings* gpSettings;

// The record as the bytes of the file: every word little-endian, the two texts as they stand.
void EncodeSettingsRecord(const CSettingsRecord& record, uint8_t* bytes);
void DecodeSettingsRecord(const uint8_t* bytes, CSettingsRecord& record);
// Brings every word into its range and ends both texts with a NUL, writing one line per repaired word on
// standard error, naming the file. Answers the number of repairs.
int RepairSettingsRecord(CSettingsRecord& record, const char* file);
