// CMessageHandler (gMessageHandler) as the settings record sees it: the table of the 103 message types
// with their built-in, live and saved display flags, copied to and from "config.rz".
#pragma once

#include <cstdint>
#include <deque>
#include <utility>
#include <string>
#include <vector>

#include "app/settings.h"

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
};

extern CMessageHandler gMessageHandler;
