// What the message boxes, confirmation dialogs and the command console ask of the subsystems above the
// widgets: the local player, the map, the multiplayer session, the game session, the scripted events and
// the computer opponents. The game wiring fills gWidgetHooks; a missing receiver answers "none".
#pragma once

#include <cstdio>

#include "events/record_types.h"
#include "foundation/rz_id.h"

class CCharacter;
class CConsole;
class CProvince;
class CRZBtn;
class CRZCountry;
class CRZUnit;
class CWindow;

// The local player (gpPlayer) as the dialogs ask it.
class CDialogPlayer {
public:
    virtual ~CDialogPlayer() = default;
    // Set, a single-player game is paused.
    virtual bool IsPause() const = 0;
    virtual void SetPause(bool pause) = 0;
    // The realm the player plays; null before the game has one.
    virtual CRZCountry* GetCountry() = 0;
    // What an action confirmation's OK does (RZConfirmedPlayerAction numbers).
    virtual void PerformConfirmedAction(int action) = 0;
    // A coat of arms clicked in a box: the map selects the realm's capital and centres on it, the realm
    // becomes the selected country and the action window opens.
    virtual void ShowCountry(CRZCountryID country) = 0;
    // The first unit of the selection, or null.
    virtual CRZUnit* GetFirstSelectedUnit() = 0;
    // The character shown in the character window, or null.
    virtual CCharacter* GetShownCharacter() = 0;
    // Renews the player's shield after a change of the rules the player plays by.
    virtual void SetShield() = 0;
    // The open pop-up dialogs, which get input first (CRZPlayer::AddPopup, RemovePopup).
    virtual void AddPopup(CWindow*) { }
    virtual void RemovePopup(CWindow*) { }
};

// The multiplayer object (CNetwork::pDP) as the console's network commands use it.
class CNetworkGroups {
public:
    virtual ~CNetworkGroups() = default;
    // A network game is running.
    virtual bool IsActive() const = 0;
    virtual int GetLocalPlayerNumber() const = 0;
    virtual int GetPlayerCount() const = 0;
    // Record i: false outside the records. The name stays valid while the record does.
    virtual bool GetPlayer(int i, const char** name, int* country, unsigned long* id) const = 0;
    virtual void CreateGroup(const char* name, int group) = 0;
    virtual void CloseGroup(int group) = 0;
    virtual void SendMessageToGroup(const char* text, int group) = 0;
    virtual void AddPlayerToGroup(unsigned long player, int group) = 0;
    virtual void RemovePlayerFromGroup(unsigned long player, int group) = 0;
};

// The scripted events as the console's event test drives them; a scope is a character or a province.
class CEventTester {
public:
    virtual ~CEventTester() = default;
    // False when no event has the number.
    virtual bool HasEvent(int event) = 0;
    // Evaluates the event's condition on the scope (its trace goes to the console's event feedback) and
    // answers the daily chance; then the event is triggered for the scope whatever the chance.
    virtual double GetChance(int event, CCharacter* character, CProvince* province) = 0;
    virtual void Trigger(int event, CCharacter* character, CProvince* province) = 0;
};

struct CWidgetHooks {
    CDialogPlayer* player = nullptr;
    // Null outside a network game.
    CNetworkGroups* network = nullptr;
    CEventTester* events = nullptr;
    // A new clickable coat of arms of the realm (CCoatOfArms); null hook or answer: no shield.
    CRZBtn* (*MakeCoatOfArms)(CRZCountryID country) = nullptr;
    // The game session loads or saves the game file of that data path; false on failure.
    bool (*ReLoad)(const char* file) = nullptr;
    bool (*SaveAs)(const char* file) = nullptr;
    // The province selected on the map, 0 for none.
    int (*GetSelectedProvince)() = nullptr;
    // The computer opponent's report on a realm it runs, printed into the console, and its plans
    // appended to an open file; on the host only.
    void (*ReportAI)(CRZCountry& realm, CConsole& console) = nullptr;
    void (*WriteAIPlans)(CRZCountry& realm, std::FILE* file) = nullptr;
};
extern CWidgetHooks gWidgetHooks;
