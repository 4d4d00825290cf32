// CMessageHandler (gMessageHandler): the table of the 103 message types with their built-in, live and
// saved display flags (copied to and from "config.rz"), and the delivery of news to the local player as
// log lines of the message log (gpLogHistory) or boxes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>

#include "app/settings.h"
#include "events/record_types.h"
#include "foundation/calendar_date.h"

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

    // News of a type about the country, told as the type's live flags say: not at all (0), a log line, or
    // a log line and then a box (1). The first string is the box's own; a log line takes the others in
    // order. The overloads without a place report place -1.
    int ShowMessage(MessageType type, CRZCountryID country, const char* s1);
    int ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2);
    int ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2, const char* s3);
    int ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2, const char* s3,
        const char* s4);
    int ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2, const char* s3,
        const char* s4, const char* s5, const char* s6);
    int ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2, int place);
    // Type 23 logs its second and third strings swapped, as its text names them the other way round.
    int ShowMessage(
        MessageType type, CRZCountryID country, const char* s1, const char* s2, const char* s3, int place);
    int ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2, const char* s3,
        const char* s4, int place);
    int ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2, const char* s3,
        const char* s4, const char* s5, int place);
    // Any of the above by its strings (one to six; null counts as empty) and a place (-1 for none), as the
    // lower layers' hooks hand them over. A type outside 0..102 or no strings is dropped with a log line.
    int ShowMessage(MessageType type, CRZCountryID country, std::span<const char* const> strings, int place);

    // The type's text: the "%s_LOG" text, or for a boxed type its heading and parts joined by ";". The
    // form of address is put in. 0 (out untouched) when the type is not shown.
    int FormatMessageA(MessageType type, std::string& out) const;
    // Every "%t" becomes the local player's form of address, by his realm's standing; without a player
    // the text stays as it is.
    void InsertTitle(std::string& text) const;
    // A finished text delivered by the type's box flag: a dated line in the log, or a box.
    void DoMessage(MessageType type, CRZCountryID country, const char* text, int place, int32_t playerState);

    // The longest log line, its date included.
    static constexpr std::size_t kLogLineMax = 1023;
    // The longest formatted text.
    static constexpr std::size_t kTextMax = 20479;

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

// What delivery needs of the layers above the messages; the game's wiring fills them. Unset: "%t" stays,
// log lines carry the plain date, the report's history gets nothing and no box opens.
struct CMessageHooks {
    // The local player's realm's victory points; false while no player object exists.
    bool (*GetPlayerVictoryPoints)(float& points) = nullptr;
    // The date as the player's language writes it.
    void (*FormatDate)(char* buffer, std::size_t size, const CDate& date) = nullptr;
    // The end-of-year report's history page takes the line.
    void (*AddHistory)(const char* line) = nullptr;
    // Plays the box sound and opens the box of the type's kind with its text, button captions, place and
    // player state.
    void (*OpenBox)(MessageType type, CRZCountryID country, const char* text, const char* firstCaption,
        const char* secondCaption, int place, int32_t playerState)
        = nullptr;
};
extern CMessageHooks gMessageHooks;

// Message log: one dated line with the province and the player view it leads to (-1 for none).
struct CHistoryLog {
    explicit CHistoryLog(const char* line)
        : text(line != nullptr ? line : "")
    {
    }
    std::string text;
    int32_t place = -1;
    int32_t playerState = -1;
};

// The running game's message log: every line the handler logs and a few that others write directly
// (type -1: chat, scripted outcomes, notices), each also written to "history.txt" and the report's history.
// It lives from a game's load to the next load or the program's end and is never saved.
class CMessageHistoryList {
public:
    // Takes the line; the type is -1 for a line that is no message.
    void LogText(CHistoryLog* line, MessageType type);
    // Drops the oldest line; nothing on an empty log.
    void RemoveTop();

    std::size_t GetCount() const { return mLines.size(); }
    const CHistoryLog& GetLine(std::size_t index) const { return *mLines[index].line; }
    MessageType GetType(std::size_t index) const { return mLines[index].type; }
    // Lines logged since the log was made, the removed ones included: a reader that follows the log
    // knows which lines are new.
    uint64_t GetLoggedCount() const { return mLogged; }

private:
    struct CLine {
        std::unique_ptr<CHistoryLog> line;
        MessageType type;
    };
    std::deque<CLine> mLines;
    uint64_t mLogged = 0;
};

extern CMessageHistoryList* gpLogHistory;
