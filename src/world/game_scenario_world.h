// CGameScenarioWorld, the running game as the scenario reader and the save writer see it: characters,
// dynasties, relations, titles, realms, provinces and the global state read from and written to a game
// file, the link steps that join them once read, and the clean-up of a load that failed.
#pragma once

#include <memory>
#include <vector>

#include "datalang/scenario_world.h"

class CCharacter;
class CCharacterServer;
class CDynasty;

// What a game file reaches above the world: the loading screen, music and network, the scenario header,
// battles, scripted events and the interface. An unset hook does nothing: a header block is passed over and
// an empty header is written, a battle cannot be read back, the interface keeps what the file said.
struct CScenarioWorldHooks {
    void (*ServiceMusicAndNetwork)() = nullptr;
    void (*AdvanceLoadingBar)() = nullptr;
    // Replaces the scenario information and reads the header block after its "{"; 0 on success.
    int (*ParseHeader)(CRZParser& parser) = nullptr;
    CLScript* (*GetHeaderScript)() = nullptr;
    // Re-creates a saved battle; false when it could not be made.
    bool (*ParseCombat)(CRZParser& parser) = nullptr;
    int (*GetCombatCount)(int province) = nullptr;
    CLScript* (*GetCombatScript)(int province, int index) = nullptr;
    void (*LoadEventFile)(const char* name) = nullptr;
    // The map and the mouse as they stand, and their changes from a saved game.
    void (*SetMapFocus)(const CPoint& focus) = nullptr;
    void (*SetZoomLevel)(int level) = nullptr;
    CPoint (*GetMapFocus)() = nullptr;
    int (*GetZoomLevel)() = nullptr;
    CPoint (*GetMousePosition)() = nullptr;
};
extern CScenarioWorldHooks gScenarioWorldHooks;

class CGameScenarioWorld : public CScenarioWorld {
public:
    // Characters and dynasties read join the server's lists; the server's owner deletes them.
    explicit CGameScenarioWorld(CCharacterServer& characters);
    ~CGameScenarioWorld() override;

    void ServiceMusicAndNetwork() override;
    void AdvanceLoadingBar() override;
    CRZCountry* ConstructCountry(int number) override;
    int ParseCountryFields(CRZCountry* country, CRZParser& parser) override;
    // A province the map has not made is the parse error "illegal province id".
    int ParseProvinceFields(int number, CRZParser& parser) override;
    int ParseTitleFields(int number, CRZParser& parser) override;
    // A character without an identity is the parse error "character without id".
    int ParseCharacter(CRZParser& parser, CDate& birthDate) override;
    void AdmitCharacter(bool keep) override;
    int ParseDynasty(CRZParser& parser) override;
    int ParseRelations(CRZParser& parser) override;
    int ParseGlobalData(CRZParser& parser) override;
    int ParseHeader(CRZParser& parser) override;
    bool ParseCombat(CRZParser& parser) override;
    void LoadEventFile(const char* name) override;
    void SetScenarioName(const char* name) override;
    CDate GetCurrentDate() const override;
    void SetMapFocus(const CPoint& focus) override;
    void SetZoomLevel(int level) override;
    void SetTutorialRemoved(int count) override;
    void AddToUnitGroup(int group, const CRZID& unit) override;

    void LinkTitlesClaimsAndCharacters() override;
    // A character who is his own ancestor abandons the load ("character ... is his own ancestor") before
    // any child is linked, so that no family walk can go round for ever.
    void LinkChildrenAndRelations() override;
    void RefreshAfterLoad() override;
    // Empties the title table, the relations, the realms, the characters and dynasties and the
    // provinces' game state, so that the session can start again from nothing.
    void DiscardLoad() override;

    const char* GetScenarioName() const override { return scenarioName; }
    CLScript* GetHeaderScript() const override;
    CLScript* GetGlobalScript() const override;
    bool ShouldSaveProvince(int number) const override;
    CLScript* GetProvinceScript(int number) const override;
    CLScript* GetRelationsScript() const override;
    // Counts the character list afresh; GetCharacterScript reads the list as it stood at that count.
    int GetCharacterCount() const override;
    CLScript* GetCharacterScript(int index) const override;
    bool TitleNeedsSave(int number) const override;
    CLScript* GetTitleScript(int number) const override;
    CRZCountry* GetCountry(int number) const override;
    CLScript* GetCountryScript(CRZCountry* country) const override;
    int GetCombatCount(int province) const override;
    CLScript* GetCombatScript(int province, int index) const override;
    bool IsMultiPlayer() const override;
    bool IsTutorial() const override;
    CPoint GetMousePosition() const override;
    CPoint GetMapFocus() const override;
    int GetZoomLevel() const override;
    int GetTutorialRemoved() const override { return tutorialRemoved; }
    const CList<CRZID>& GetUnitGroup(int group) const override;

    // Every member list and court of the realms rebuilt from the characters' realms.
    void RefreshCountryMembers();

private:
    CCharacterServer& characters;
    // The character or dynasty reading its block; a parse error leaves it here for DiscardLoad.
    std::unique_ptr<CCharacter> pendingCharacter;
    std::unique_ptr<CDynasty> pendingDynasty;
    mutable std::vector<CCharacter*> savedCharacters;
    char scenarioName[256] = {};
    CPoint focus;
    int zoom = 0;
    int tutorialRemoved = 0;
    CList<CRZID> unitGroups[10];
};
