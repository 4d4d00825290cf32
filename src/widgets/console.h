// CConsole (gpConsole): the command console drawn over the top left of the game screen. F12 opens and
// closes it; a typed line runs as a command on Enter: network groups and messages, loading and saving,
// diagnostics, statistics and, outside a multiplayer game, the cheat switches of CRZCheats.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "foundation/rz_obj.h"
#include "foundation/text_format.h"
#include "gfx/drawable.h"
#include "widgets/input.h"

class CFont;
class CRZCountry;

class CConsole : public CRZObj, public CConsoleToggle, public CInputable {
public:
    static constexpr int kOpenHeight = 300;
    static constexpr int kInputMax = 100;
    static constexpr int kHistoryMax = 200;

    enum LineKind : std::int32_t { TYPED = 0, OUTPUT = 1 };
    struct Line {
        LineKind kind;
        std::string text;
    };

    // Closed, with an empty input line and history, in "gfx\fonts\proforma12.bmp".
    CConsole();
    ~CConsole() override;

    // The toggle event opens or closes it; while open, every key-up is taken (3). 0 for anything else.
    int Update(CRZEvent* event) override;
    void Toggle(CRZEvent* event) override { Update(event); }
    int HandleInput(CRZInputEvent* event) override;
    // Over the top left quarter of the back buffer at half intensity, while open.
    int Draw(CRZDrawType type);

    // One output line: a data text used as a format, filled with the values (FormatDataText).
    void printf(const char* format, std::initializer_list<CTextArg> args = {});
    // The same, only while an event test runs.
    void EventFeedBack(const char* format, std::initializer_list<CTextArg> args = {});
    // Runs the input line as a command.
    void ParseInput();
    // Copies the typed line the recall index names into the input line.
    void RecallInputBuffer();
    // Room for one more line at the newest place: the oldest line goes once 200 are held.
    void GetSpaceInHistory();

    bool IsOpen() const { return mOpen != 0; }
    int GetHeight() const { return mHeight; }
    const std::string& GetInput() const { return mInput; }
    // Newest first.
    const std::deque<Line>& GetHistory() const { return mHistory; }
    int GetTypedCount() const { return mTypedCount; }
    int GetRecallIndex() const { return mRecall; }

private:
    void Key(int code);
    void AddLine(LineKind kind, std::string text);
    // The commands by their word; each answers false when the word is not theirs here.
    bool RunNetworkCommand(
        const std::string& word, const std::vector<std::string>& words, const std::string& line);
    bool RunFileCommand(const std::string& word, const std::vector<std::string>& words);
    bool RunCheat(const std::string& word, const std::vector<std::string>& words, CRZCountry* player);
    void Help();
    void EventTest(bool character, const std::vector<std::string>& words);
    void WriteStates();
    void SaveStats();
    void Info(const std::vector<std::string>& words);
    void AIPlans(const std::vector<std::string>& words);

    std::int32_t mOpen = 0;
    std::int32_t mHeight = 0;
    std::string mInput;
    std::uint32_t mBlink = 0;
    CFont* mFont = nullptr;
    std::int32_t mFeedBack = 0;
    std::deque<Line> mHistory;
    std::int32_t mTypedCount = 0;
    std::int32_t mRecall = 0;
};

// The console while a game runs; null otherwise.
extern CConsole* gpConsole;
