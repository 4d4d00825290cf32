// CScenarioWorld, what the scenario reader and the save writer ask of the running game: each kind of saved
// object's reader and script, the link steps' object work, and the screens and services a load keeps alive.
#pragma once

#include "foundation/calendar_date.h"
#include "foundation/linked_list.h"
#include "foundation/point_rect.h"
#include "foundation/rz_id.h"

class CLScript;
class CRZCountry;
class CRZParser;

// The game session installs the one that forwards to the global game state, the country, province and
// title tables, the relation registry and the battles; tests install their own. Every reader is called
// after its block's "{" and reads up to and including the block's "}"; a data error goes through
// CRZParser::ParseError. Every script is a new tree that the caller owns.
class CScenarioWorld {
public:
    virtual ~CScenarioWorld() = default;

    // --- Reading ---
    // Music and the network transport, serviced once before every top-level object.
    virtual void ServiceMusicAndNetwork() { }
    // One more country read: the loading bar (when there is one) advances by one up to 95 and shows
    // "INIT_SCENARIO".
    virtual void AdvanceLoadingBar() { }
    // The country of the number (1..1422), constructed for whoever controls it when the slot is empty.
    virtual CRZCountry* ConstructCountry(int number) = 0;
    // The rest of the country's block after its tag, then the merge of its rebel forces.
    virtual int ParseCountryFields(CRZCountry* country, CRZParser& parser) = 0;
    // The rest of a province's block after its id; the number is 0..1003.
    virtual int ParseProvinceFields(int number, CRZParser& parser) = 0;
    // The rest of a title's block after its tag; the number is 1..1422.
    virtual int ParseTitleFields(int number, CRZParser& parser) = 0;
    // A new character reads its block. On 0 it waits, with its birth date given back, for AdmitCharacter;
    // on any other answer it has been discarded already.
    virtual int ParseCharacter(CRZParser& parser, CDate& birthDate) = 0;
    // The waiting character joins the character list, or is destroyed.
    virtual void AdmitCharacter(bool keep) = 0;
    // A new dynasty reads its block and joins the dynasty list; on a non-zero answer it is discarded.
    virtual int ParseDynasty(CRZParser& parser) = 0;
    virtual int ParseRelations(CRZParser& parser) = 0;
    virtual int ParseGlobalData(CRZParser& parser) = 0;
    // Replaces the scenario information by a new one that reads the block.
    virtual int ParseHeader(CRZParser& parser) = 0;
    // Re-creates a saved battle in its province; false when the battle could not be made.
    virtual bool ParseCombat(CRZParser& parser) = 0;
    // Loads a file of new-style scripted events (with a parser of its own).
    virtual void LoadEventFile(const char* name) = 0;
    virtual void SetScenarioName(const char* name) = 0;
    // The game clock's date; characters born after it are not added.
    virtual CDate GetCurrentDate() const = 0;

    // The interface block: map focus and zoom (0 closest, 2 farthest), the tutorial's finished parts, and
    // the local player's ten unit groups (0 is the group saved as "group1", 9 the one saved as "group0").
    virtual void SetMapFocus(const CPoint& focus) = 0;
    virtual void SetZoomLevel(int level) = 0;
    virtual void SetTutorialRemoved(int count) = 0;
    // Only identities of existing dynamic objects are offered.
    virtual void AddToUnitGroup(int group, const CRZID& unit) = 0;

    // The link steps, each run once per file: every held title goes to its holder, each claim to its
    // character (a claim whose character is gone is removed and destroyed), and every title joins its liege's
    // vassal list; then every character joins its parents' children and the relations are rebuilt.
    virtual void LinkTitlesClaimsAndCharacters() = 0;
    virtual void LinkChildrenAndRelations() = 0;
    // At the end of every file: the table of living characters, then every country's members and court.
    virtual void RefreshAfterLoad() = 0;
    // A failed load: everything read so far is dropped, so that no half-built game is left behind.
    virtual void DiscardLoad() = 0;

    // --- Writing ---
    virtual const char* GetScenarioName() const = 0;
    virtual CLScript* GetHeaderScript() const = 0;
    virtual CLScript* GetGlobalScript() const = 0;
    virtual bool ShouldSaveProvince(int number) const = 0;
    virtual CLScript* GetProvinceScript(int number) const = 0;
    virtual CLScript* GetRelationsScript() const = 0;
    // Characters in list order, counted from 0.
    virtual int GetCharacterCount() const = 0;
    virtual CLScript* GetCharacterScript(int index) const = 0;
    virtual bool TitleNeedsSave(int number) const = 0;
    virtual CLScript* GetTitleScript(int number) const = 0;
    // Null where the slot holds no country.
    virtual CRZCountry* GetCountry(int number) const = 0;
    virtual CLScript* GetCountryScript(CRZCountry* country) const = 0;
    // The battles going on in the province, in its battle list's order.
    virtual int GetCombatCount(int province) const = 0;
    virtual CLScript* GetCombatScript(int province, int index) const = 0;

    virtual bool IsMultiPlayer() const = 0;
    virtual bool IsTutorial() const = 0;
    virtual CPoint GetMousePosition() const = 0;
    virtual CPoint GetMapFocus() const = 0;
    virtual int GetZoomLevel() const = 0;
    virtual int GetTutorialRemoved() const = 0;
    virtual const CList<CRZID>& GetUnitGroup(int group) const = 0;
};
