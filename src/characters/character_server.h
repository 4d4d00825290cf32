// The host-side servers of the character subsystem held by the global game state: the character server,
// which is also the list of every character, and the title server.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "events/event.h"
#include "foundation/linked_list.h"
#include "foundation/ordered_list.h"

class CCharacter;
class CDynasty;

// Every character in one list; the world update walks, locks and prunes it. The server does not delete
// the characters it lists.
class CCharacterServer : public COrderedList<CCharacter*> {
public:
    CCharacterServer();
    virtual ~CCharacterServer();
    CCharacterServer(const CCharacterServer&) = delete;
    CCharacterServer& operator=(const CCharacterServer&) = delete;

    // The server of the running game; null without one.
    static CCharacterServer* GetInstance() { return _pInstance; }

    // On the host, a character request addressed to CHARACTER_SERVER becomes the global event that every
    // machine applies, once the host's own state allows it; clients ignore requests. Always 0.
    virtual CRZReturnType Update(CRZEvent* event);
    // The day's update of every character, on the day tick; the game's day route walks the live table.
    virtual CRZReturnType UpdateAllCharacters(CRZEvent*) { return 0; }

    // Reads "db\\character_names.csv" into the name lists: rows of culture tag, gender ("male" in any
    // case, else female) and name; a row whose first field begins with '#' is skipped.
    static void ParseRandomCharacterNames(const char* path = "db\\character_names.csv");
    static void ClearRandomCharacterNames();
    // A name drawn from the game's generator, not copied: the norse take the norwegian names, cuman and
    // pecheneg women without names of their own the mongol women's; an empty list answers INFANT_NAME.
    static const char* GetRandomCharacterName(int culture, int gender);

    // The random names by gender (0 male) and culture.
    static constexpr int kNameCultures = 50;
    static constexpr int kNorwegianCulture = 2;
    static constexpr int kCumanCulture = 31;
    static constexpr int kPechenegCulture = 32;
    static constexpr int kMongolCulture = 36;
    static std::vector<std::string> names[2][kNameCultures];

    // Every dynasty read from the dynasty database, in reading order; nodes only, the game session
    // deletes them when the game ends.
    CList<CDynasty*> dynasties;

private:
    // The assassination request: the plot's outcome is drawn here and goes to the ordering realm.
    void RelayAssassination(CRZEvent* event);

    static CCharacterServer* _pInstance;
};

class CTitleServer {
public:
    virtual ~CTitleServer() = default;
};
