// CMessageHandler (gMessageHandler) as the settings record sees it: the table of the 103 message types
// with their built-in, live and saved display flags, copied to and from "config.rz".
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "app/settings.h"

class CNewListBox;
class CRZEvent;
class CNewListBoxEntry;
class CNewRadioButton;
class CRZMenuBtn;
class CRZGenericButton;
class CSprite;
enum CRZDrawType : std::int32_t;

// A message type, 0..102.
enum MessageType : int32_t {};

// What a boxed message of the type opens.
inline constexpr int32_t kMessageBoxNormal = 0;
inline constexpr int32_t kMessageBoxGoto = 1;
inline constexpr int32_t kMessageBoxDetail = 2;
inline constexpr int32_t kMessageBoxEvent = 3;
// Questions put by their own windows; only "in a box" and "pause" can be chosen for them.
inline constexpr int32_t kMessageBoxQuestion = 4;

// One type's record. The built-in flags never change; the live ones are the player's choice; the saved
// ones are the live ones as they were when a settings page opened, for its CANCEL.
struct CMessType {
    int32_t type;
    int32_t boxKind;
    int32_t defaultBox;
    int32_t defaultShown;
    int32_t box;
    int32_t shown;
    int32_t savedBox;
    int32_t savedShown;
    int32_t defaultPause;
    int32_t pause;
    int32_t savedPause;
    // The stem of the type's text keys ("%s_HEADER", "%s_LOG", ...).
    const char* stem;
};

class CMessageHandler {
public:
    // The live shown, box and pause flags of every type into the settings record (none without one).
    void UpdateSettings();
    // The reverse: the record's three runs into the live flags; built-in and saved flags stay.
    void InitMessages();

    // A happening of a numbered type told to the local player, with up to six texts; a type outside 0..102
    // is ignored. The log keeps the newest messages.
    void ShowMessage(int type, int32_t realm, const char* const* texts, int count);

    struct CShownMessage {
        int type = 0;
        int32_t realm = 0;
        std::vector<std::string> texts;
    };
    static constexpr std::size_t kLogLength = 64;
    std::deque<CShownMessage> log;

    static CMessType _MessType[kMessageTypeCount];

    // The message settings page of the options screen (built with the widgets, above this layer).
    // InitSetup builds it on the background sprite, whose position is the page's origin, and saves every
    // type's live flags for CANCEL.
    void InitSetup(CSprite* background);
    // 0 while the page is not open; 1 once OK (the live flags stored into the settings record) or CANCEL
    // (the saved flags back) finished it; otherwise whether a part of the page took the event.
    int Update(CRZEvent* event);
    int Draw(CRZDrawType type);
    // Destroys the page; the owner calls it once Update answered 1.
    void RemoveSetup();
    bool IsSetupActive() const { return mSetupActive != 0; }
    // The type whose choice the radio group shows; -1 for none.
    int GetSetupType() const { return mSetupType; }
    CNewListBox* GetSetupList() const { return mSetupList; }
    CNewRadioButton* GetSetupRadio() const { return mSetupRadio; }
    CRZGenericButton* GetSetupButton(int button) const { return mSetupButtons[button]; }
    enum SetupButton { kSetupCancel, kSetupOK, kSetupDefault, kSetupButtons };

private:
    CSprite* mSetupBackground = nullptr;
    CNewListBox* mSetupList = nullptr;
    CNewRadioButton* mSetupRadio = nullptr;
    std::int32_t mSetupActive = 0;
    std::int32_t mSetupType = -1;
    CRZGenericButton* mSetupButtons[kSetupButtons] = {};
    CSprite* mSetupFrame = nullptr;
    // Owned by the radio group; choices 1 to 4.
    CRZMenuBtn* mSetupChoices[4] = {};
    CNewListBoxEntry* mSetupEntry = nullptr;
};

extern CMessageHandler gMessageHandler;
