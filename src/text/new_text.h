// CNewText: the localised text database. Every text the player sees is looked up by key in TextStrings,
// which holds one of the ten language columns of the fourteen "config" tables at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/ternary.h"

// The ten text columns of the tables; the game starts in column 0.
enum RZLanguageType : std::int32_t {
    RZ_LANGUAGE_0 = 0,
    RZ_LANGUAGE_LAST = 9,
};
inline constexpr int kLanguageCount = 10;

inline constexpr const char* kUnknownString = "UNKNOWN STRING WANTED\n";

class CNewText : public CTernary<char*> {
public:
    CNewText() = default;
    ~CNewText() override { DeleteAll(); }

    // Forgets every key and reads the fourteen tables in the given language. Answers 1, or 0 when a table
    // holds a key with a space (the report has gone to standard error; start-up must stop). Texts handed
    // out before stay readable until DeleteAll: windows open across a language switch keep their labels.
    int Init(RZLanguageType language);

    // Reads one table; a missing file is skipped silently. False on a key with a space.
    bool ParseFile(const char* name, RZLanguageType language);

    // The text of the key, letter case ignored, owned by the database; "UNKNOWN STRING WANTED\n" when
    // the key is missing.
    const char* GetString(const char* key) const;

    RZLanguageType GetLanguage() const { return language; }

    // The tree replaces the text of a key given twice without freeing it, so the database keeps every text
    // it made, of every language loaded, in its own list and frees them all here.
    void DeleteAll() override;
    void DeleteData(char*) override { }

    static constexpr int kKeyMax = 255;
    static constexpr int kTextMax = 8191;

private:
    char* Keep(char* text);

    RZLanguageType language = RZ_LANGUAGE_0;
    std::vector<char*> texts;
};

// The one text database of the game.
extern CNewText TextStrings;
