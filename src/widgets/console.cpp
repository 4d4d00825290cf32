// The command console: its keys, its history of 200 lines, its drawing over the back buffer and the
// commands a typed line runs. Every text it prints is a fixed text or a data text filled by
// FormatDataText, so no typed word or table text ever reaches printf as a format.
#include "widgets/console.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "app/game.h"
#include "armies/unit.h"
#include "characters/character.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/variable_events.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video.h"
#include "platform/elements/replace_file.h"
#include "realms/areas.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/province.h"
#include "realms/score.h"
#include "text/new_text.h"
#include "widgets/widget_hooks.h"
#include "world/cheats.h"

#include "foundation/safeguards.h"

CConsole* gpConsole = nullptr;

namespace {

constexpr const char* kConsoleFont = "gfx\\fonts\\proforma12.bmp";
constexpr const char* kInputColour = "%070";
constexpr std::uint16_t kCursorColour = 0xF81F;
constexpr int kCursorSize = 8;
constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeyUp = 1;
constexpr int kKeyDown = 2;
constexpr int kLastProvince = 1003;
constexpr int kGroups = 10;

// Letters, digits and the few signs a command needs; ASCII only, whatever the key code.
bool IsConsoleCharacter(int code)
{
    if (code < 0 || code > 127)
        return false;
    const char c = static_cast<char>(code);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || std::strchr(" ()*+,-./", c) != nullptr;
}

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && line[at] == ' ')
            ++at;
        const std::size_t end = std::min(line.find(' ', at), line.size());
        if (end > at)
            words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

// An integer at the start of the word, as "%d" reads it.
bool ReadInt(const std::string& word, int* value)
{
    char* end = nullptr;
    const long read = std::strtol(word.c_str(), &end, 10);
    if (end == word.c_str())
        return false;
    *value = static_cast<int>(std::clamp<long>(read, -2147483647L - 1, 2147483647L));
    return true;
}

// The fields a scan of the line with the kinds ('s' a word, 'd' an integer) fills before it fails, as
// sscanf counts them.
int Fields(const std::vector<std::string>& words, const char* kinds)
{
    int fields = 0;
    for (std::size_t i = 0; kinds[i] != '\0' && i < words.size(); ++i) {
        int ignored = 0;
        if (kinds[i] == 'd' && !ReadInt(words[i], &ignored))
            break;
        ++fields;
    }
    return fields;
}

int IntField(const std::vector<std::string>& words, std::size_t i)
{
    int value = 0;
    return i < words.size() && ReadInt(words[i], &value) ? value : 0;
}

bool Is(const std::string& word, const char* command)
{
    return strcasecmp(word.c_str(), command) == 0;
}

// A game file name names a file in the scenarios folder and nothing outside it.
bool IsSafeFileName(const std::string& name)
{
    return !name.empty() && name[0] != '.' && name.find('/') == std::string::npos
        && name.find('\\') == std::string::npos && name.find("..") == std::string::npos;
}

// The first realm of the table, in number order, whose tag matches, letter case ignored.
CRZCountry* FindByTag(const std::string& tag)
{
    for (int i = 0; i < static_cast<int>(kCountryTableSlots); ++i) {
        CRZCountry* realm = CRZCountry::GetCountry(i);
        if (realm && strcasecmp(realm->GetTag(), tag.c_str()) == 0)
            return realm;
    }
    return nullptr;
}

CRZCountry* LocalPlayerCountry()
{
    for (int i = 0; i < static_cast<int>(kCountryTableSlots); ++i)
        if (gCountryControl[i] == CONTROL_LOCAL_PLAYER)
            return CRZCountry::GetCountry(i);
    return nullptr;
}

CDialogPlayer* Player()
{
    return gWidgetHooks.player;
}

CNetworkGroups* ActiveNetwork()
{
    CNetworkGroups* network = gWidgetHooks.network;
    return network && network->IsActive() ? network : nullptr;
}

struct CheatSwitch {
    const char* word;
    int32_t* flag;
    const char* on;
    const char* off;
};

const CheatSwitch kToggles[] = {
    { "eureka", &CRZCheats::_isEveryDayEventCheck, "[CHEAT ON] Polling events every day!\n",
        "[CHEAT OFF] Polling events with normal frequence!\n" },
    { "paranoia", &CRZCheats::_isParanoia, "[CHEAT ON] Verifying game state every day!\n",
        "[CHEAT OFF] Verifying game state turned of.\n" },
    { "fullcontrol", &CRZCheats::_isTotalControl, "[CHEAT ON] You have now total control!\n",
        "[CHEAT OFF] You have lost total control!\n" },
    { "showid", &CRZCheats::_isShowID, "[CHEAT ON] Province ID's now shown!\n",
        "[CHEAT ON] Province ID's off!\n" },
    { "handsoff", &CRZCheats::_isHandsOff, "[CHEAT ON] Hand Offs!\n", "[CHEAT OFF] Hands Off!\n" },
    { "nofog", &CRZCheats::_isNoFOW, "[CHEAT ON] The fog of war is now gone!\n",
        "[CHEAT OFF] A misty fog of war suddenly appears!\n" },
    { "byzantine", &CRZCheats::_isDiploCheat, "[CHEAT ON] Diplomacy and Intrigues always succeeds!\n",
        "[CHEAT OFF] Diplomacy and Intrigues is as unreliable as always!\n" },
    { "norevolts", &CRZCheats::_isNoRevolts, "[CHEAT ON] All rebels have been defeated!\n",
        "[CHEAT OFF] Rebels are hiding in the closet again!\n" },
    { "nowar", &CRZCheats::_isNoWar, "[CHEAT ON] The AI is a chicken and won't declare war!\n",
        "[CHEAT OFF] The AI gets courageous and may declare war again!\n" },
};

constexpr const char* kHelpLines[] = { "%%070     Help\n", "%%070----------------\n",
    "%%070creategroup %%077name (0-9)\n", "%%070closegroup %%077(0-9)\n", "%%070messall %%077'text'\n",
    "%%070messgroup %%077'text'\n", "%%070addplayer %%077 Group(0-9) CountryTag\n",
    "%%070removeplayer %%077CountryTag\n", "%%070listplayers\n", "%%070load %%077filename\n",
    "%%070save %%077filename\n", "%%070----------------\n", "%%070READY.\n" };

constexpr const char* kUnknownCommand = "%%007?unknown %%006command %%005error\n";
constexpr const char* kNotNetworkGame = "%%007Not A Network Game\n";

} // namespace

CConsole::CConsole()
    : CRZObj("console")
    , mFont(FindFont(kConsoleFont))
{
}

CConsole::~CConsole()
{
    if (gpConsole == this)
        gpConsole = nullptr;
    if (CInput::_pConsole == this)
        CInput::_pConsole = nullptr;
}

int CConsole::HandleInput(CRZInputEvent* event)
{
    return Update(event);
}

int CConsole::Update(CRZEvent* event)
{
    if (!event)
        return 0;
    if (event->GetType() == _CRZEVT_TOGGLE_CONSOLE_) {
        mOpen = mOpen ? 0 : 1;
        mHeight = kOpenHeight;
        return 3;
    }
    if (!mOpen) {
        mHeight = 0;
        return 0;
    }
    if (event->GetType() != _CRZEVT_KEYUP_)
        return 0;
    if (const auto* input = dynamic_cast<CRZInputEvent*>(event))
        Key(input->Record().value1);
    return 3;
}

void CConsole::Key(int code)
{
    switch (code) {
    case kKeyBackspace:
        if (!mInput.empty())
            mInput.pop_back();
        return;
    case kKeyEnter:
        ParseInput();
        mInput.clear();
        mRecall = 0;
        return;
    case kKeyUp:
        if (mTypedCount > 0 && mRecall < mTypedCount) {
            ++mRecall;
            RecallInputBuffer();
        }
        return;
    case kKeyDown:
        if (mRecall >= 2) {
            --mRecall;
            RecallInputBuffer();
        }
        return;
    default:
        if (static_cast<int>(mInput.size()) < kInputMax && IsConsoleCharacter(code))
            mInput += static_cast<char>(code);
        return;
    }
}

void CConsole::RecallInputBuffer()
{
    int typed = 0;
    for (const Line& line : mHistory) {
        if (line.kind != TYPED)
            continue;
        if (++typed == mRecall) {
            mInput = line.text.substr(0, kInputMax);
            return;
        }
    }
}

void CConsole::GetSpaceInHistory()
{
    if (static_cast<int>(mHistory.size()) >= kHistoryMax) {
        if (mHistory.back().kind == TYPED)
            --mTypedCount;
        mHistory.pop_back();
    }
}

void CConsole::AddLine(LineKind kind, std::string text)
{
    GetSpaceInHistory();
    if (kind == TYPED)
        ++mTypedCount;
    mHistory.push_front({ kind, std::move(text) });
}

void CConsole::printf(const char* format, std::initializer_list<CTextArg> args)
{
    AddLine(OUTPUT, FormatDataText(format ? format : "", args));
}

void CConsole::EventFeedBack(const char* format, std::initializer_list<CTextArg> args)
{
    if (mFeedBack)
        printf(format, args);
}

int CConsole::Draw(CRZDrawType)
{
    CImage* back = CVideo::pBackBuffer;
    if (mHeight != kOpenHeight || !back)
        return 0;
    const int width = std::min(back->GetWidth(), CVideo::GetBackBufferWidth());
    const int height = back->GetHeight();
    const CRect area(0, 0, width / 2, std::min(kOpenHeight, height));
    back->HalfIntensity(&area);
    if (!mFont)
        return 0;
    const int lineHeight = std::max(mFont->GetLineHeight(), 1);
    const std::string input = kInputColour + mInput;
    int y = kOpenHeight - lineHeight;
    mFont->Print(input.c_str(), 0, y, back, 0xFFFF);
    for (const Line& line : mHistory) {
        y -= lineHeight;
        if (y < 0)
            break;
        std::string shown;
        for (char c : line.text)
            if (c != '\n' && c != '\r')
                shown += c;
        mFont->Print(shown.c_str(), 0, y, back, 0xFFFF);
    }
    // The cursor: a block at the end of the input, written straight into the back buffer and cut to it.
    if ((++mBlink & 4u) == 0)
        return 0;
    const int left = mFont->Length(input.c_str());
    const int top = kOpenHeight - kCursorSize;
    unsigned char* pixels = back->Lock();
    if (!pixels)
        return 0;
    for (int row = std::max(top, 0); row < std::min(kOpenHeight, height); ++row) {
        auto* line
            = reinterpret_cast<std::uint16_t*>(pixels + static_cast<std::ptrdiff_t>(row) * back->GetPitch());
        for (int x = std::max(left, 0); x < std::min(left + kCursorSize, back->GetWidth()); ++x)
            line[x] = kCursorColour;
    }
    back->Unlock();
    return 0;
}

void CConsole::ParseInput()
{
    CRZCountry* player = LocalPlayerCountry();
    const std::string line = mInput;
    AddLine(TYPED, line);
    const std::vector<std::string> words = Words(line);
    if (words.empty()) {
        printf("\n");
        return;
    }
    const std::string& word = words[0];
    if (Is(word, "language")) {
        int language = 0;
        if (Fields(words, "sd") == 2 && ReadInt(words[1], &language) && language >= 0
            && language <= RZ_LANGUAGE_LAST) {
            TextStrings.Init(static_cast<RZLanguageType>(language));
            printf(TextStrings.GetString("LANGUAGE"));
        } else {
            printf("%%007usage :  %%077language num should be between 0 - %d\n",
                { static_cast<int>(RZ_LANGUAGE_LAST) });
        }
        return;
    }
    if (RunNetworkCommand(word, words, line))
        return;
    if (Is(word, "help")) {
        Help();
        return;
    }
    if (RunFileCommand(word, words))
        return;
    if (Is(word, "goto") || Is(word, "at")) {
        printf("\n");
        return;
    }
    if (!CRZGame::IsMultiPlayer() && RunCheat(word, words, player))
        return;
    printf(kUnknownCommand);
    printf("\n");
}

void CConsole::Help()
{
    for (const char* text : kHelpLines)
        printf(text);
}

bool CConsole::RunNetworkCommand(
    const std::string& word, const std::vector<std::string>& words, const std::string&)
{
    struct Command {
        const char* word;
        const char* kinds;
        int groupField; // -1: none
        const char* usage;
    };
    static const Command kCommands[] = {
        { "creategroup", "ssd", 2, "%%007Usage: %%077creategroup name 0-9\n" },
        { "closegroup", "sd", 1, "%%007Usage: %%077closegroup 0-9\n" },
        { "messall", "ss", -1, "%%007Usage: %%077messall message\n" },
        { "messgroup", "sds", 1, "%%007Usage: %%077messgroup num mess\n" },
        { "addplayer", "sds", 1, "%%007Usage: %%077addplayer group COUNTRYTAG\n" },
        { "removeplayer", "sds", 1, "%%007Usage: %%077removeplayer group COUNTRYTAG\n" },
    };
    if (Is(word, "listplayers")) {
        CNetworkGroups* network = ActiveNetwork();
        if (!network) {
            printf(kNotNetworkGame);
            return true;
        }
        printf("%%070Name        %%770Tag       %%707Country");
        for (int i = 0; i < network->GetPlayerCount(); ++i) {
            const char* playerName = nullptr;
            int country = 0;
            unsigned long id = 0;
            if (network->GetPlayer(i, &playerName, &country, &id))
                printf("%%070%s        %%770%s       %%707%s",
                    { playerName, CCountryDB::IDToTag(country), CCountryDB::IDToName(country) });
        }
        return true;
    }
    const Command* command = nullptr;
    for (const Command& c : kCommands)
        if (Is(word, c.word))
            command = &c;
    if (!command)
        return false;
    const int full = static_cast<int>(std::strlen(command->kinds));
    const int group
        = command->groupField >= 0 ? IntField(words, static_cast<std::size_t>(command->groupField)) : 0;
    if (Fields(words, command->kinds) != full || static_cast<int>(words.size()) > full || group < 0
        || group >= kGroups) {
        printf(command->usage);
        return true;
    }
    CNetworkGroups* network = ActiveNetwork();
    if (!network) {
        printf(kNotNetworkGame);
        return true;
    }
    if (Is(word, "creategroup")) {
        network->CreateGroup(words[1].c_str(), group);
        printf("%%770Group Created\n");
    } else if (Is(word, "closegroup")) {
        network->CloseGroup(group);
        printf("%%770Group %%007Closed\n");
    } else if (Is(word, "messall")) {
        PostGlobalEvent(new CRZChatEvent(words[1].c_str(), network->GetLocalPlayerNumber(), ALLFRONTENDS));
        printf("%%070 Message sent to all players\n");
    } else if (Is(word, "messgroup")) {
        network->SendMessageToGroup(words[2].c_str(), group);
        printf("%%070Message sent to all players in group %%550#%d\n", { group });
    } else {
        const bool adding = Is(word, "addplayer");
        const CRZCountryID country = CCountryDB::TagToID(words[2].c_str());
        if (country == 0) {
            printf("%%007 Wrong CountryTAG\n");
            return true;
        }
        if (gCountryControl[country] < 2) {
            printf(adding ? "%%007 Can't add ai or local player in group\n"
                          : "%%007 Can't remove ai or local player from group\n");
            return true;
        }
        long player = -1;
        for (int i = 0; i < network->GetPlayerCount(); ++i) {
            const char* playerName = nullptr;
            int held = 0;
            unsigned long id = 0;
            if (network->GetPlayer(i, &playerName, &held, &id) && held == country) {
                player = static_cast<long>(id);
                break;
            }
        }
        if (adding) {
            network->AddPlayerToGroup(static_cast<unsigned long>(player), group);
            printf("%%070player added to group %%550#%d\n", { group });
        } else {
            network->RemovePlayerFromGroup(static_cast<unsigned long>(player), group);
            printf("%%070player has been removed from group %%550#%d\n", { group });
        }
    }
    return true;
}

bool CConsole::RunFileCommand(const std::string& word, const std::vector<std::string>& words)
{
    const bool load = Is(word, "load");
    if (!load && !Is(word, "save"))
        return false;
    if (Fields(words, "ss") != 2 || !IsSafeFileName(words[1])) {
        printf(
            load ? "\n%%007Usage :  %%077load %%077filename\n" : "\n%%007Usage :  %%077save %%077filename\n");
        return true;
    }
    const std::string file = "scenarios\\" + words[1] + ".rzg";
    bool (*act)(const char*) = load ? gWidgetHooks.ReLoad : gWidgetHooks.SaveAs;
    if (act)
        act(file.c_str());
    printf("\n");
    return true;
}

bool CConsole::RunCheat(const std::string& word, const std::vector<std::string>& words, CRZCountry* player)
{
    for (const CheatSwitch& toggle : kToggles) {
        if (!Is(word, toggle.word))
            continue;
        *toggle.flag = *toggle.flag ? 0 : 1;
        if (toggle.flag == &CRZCheats::_isNoFOW && player)
            player->RefreshFogOfWar();
        printf(*toggle.flag ? toggle.on : toggle.off);
        printf("\n");
        return true;
    }
    CCharacter* ruler = player ? player->ruler : nullptr;
    const auto addScore = [&](float gold, float prestige, float piety) {
        if (ruler)
            ruler->AddScore(CSimpleScore(gold, prestige, piety));
        printf("\n");
    };
    if (Is(word, "teleport")) {
        int province = 0;
        if (Fields(words, "ss") != 2 || !ReadInt(words[1], &province) || province < 1
            || province > kLastProvince) {
            printf("\n%%007Usage :  %%077teleport %%077prov\n");
            return true;
        }
        if (CRZUnit* unit = Player() ? Player()->GetFirstSelectedUnit() : nullptr)
            unit->SetInProvince(province);
        printf("\n%%777Ok\n");
        printf("\n");
    } else if (Is(word, "state")) {
        WriteStates();
        printf("\n");
    } else if (Is(word, "charevent") || Is(word, "provevent")) {
        EventTest(Is(word, "charevent"), words);
    } else if (Is(word, "revolt")) {
        printf("\n");
    } else if (Is(word, "die")) {
        // Killing a character goes through the character subsystem's death events, which it offers
        // once it has them; until then the command changes nothing and says nothing more.
        printf("\n");
    } else if (Is(word, "prestige")) {
        addScore(0.0f, 1000.0f, 0.0f);
    } else if (Is(word, "piety")) {
        addScore(0.0f, 0.0f, 1000.0f);
    } else if (Is(word, "gold")) {
        addScore(1000.0f, 0.0f, 0.0f);
    } else if (Is(word, "difrules")) {
        const bool on = player && !player->IsGodMode();
        if (player) {
            player->SetGodMode(on);
            if (Player())
                Player()->SetShield();
        }
        printf(on ? "[CHEAT ON] Playing by rules of your own!\n"
                  : "[CHEAT OFF] Playing like everybody else...\n");
        printf("\n");
    } else if (Is(word, "info")) {
        Info(words);
    } else if (Is(word, "ai")) {
        AIPlans(words);
    } else if (Is(word, "savestats")) {
        SaveStats();
    } else if (Is(word, "dump")) {
        printf(Fields(words, "ss") == 2 ? "\n" : "\n%%007Usage :  %%077dump cid\n");
    } else {
        return false;
    }
    return true;
}

void CConsole::EventTest(bool character, const std::vector<std::string>& words)
{
    mFeedBack = 1;
    int event = 0;
    CEventTester* events = gWidgetHooks.events;
    if (words.size() != 2 || !ReadInt(words[1], &event)) {
        printf("\n%%007Usage :  %%077event eidd)\n");
    } else if (!events || !events->HasEvent(event)) {
        printf("\nEvent not found\n");
    } else {
        CCharacter* who = character && Player() ? Player()->GetShownCharacter() : nullptr;
        CProvince* where = !character && gWidgetHooks.GetSelectedProvince
            ? CProvince::GetProvince(gWidgetHooks.GetSelectedProvince())
            : nullptr;
        const double chance = events->GetChance(event, who, where);
        if (chance > 0.0) {
            const double mtth = chance < 1.0 ? std::log(0.5) / std::log(1.0 - chance) : 0.0;
            printf("\n dayly chance = %.5f\n mtth = %.2f days\n ", { chance, mtth });
        } else {
            printf("\n Cannot happen! (trigger unsatisfied) ");
        }
        events->Trigger(event, who, where);
    }
    mFeedBack = 0;
    printf("\n");
}

void CConsole::WriteStates()
{
    Ravel::ReplaceFile("states.txt", [](std::FILE* file) {
        bool ok = true;
        for (int area = 0; area < kAreaCount; ++area) {
            ok &= std::fputs(FormatDataText("%s\r\n--------------------\r\n",
                                 { CRZAreaDB::GetAreaName(static_cast<RZArea>(area)) })
                                 .c_str(),
                      file)
                >= 0;
            for (int number = 0; number <= kLastProvince; ++number) {
                const CProvince* province = CProvince::GetProvince(number);
                if (province && province->area == area)
                    ok &= std::fputs(
                              FormatDataText("  #%d (%s)\r\n", { number, CCountryDB::IDToSimpleName(number) })
                                  .c_str(),
                              file)
                        >= 0;
            }
            ok &= std::fputs("\r\n\r\n", file) >= 0;
        }
        return ok;
    });
}

void CConsole::SaveStats()
{
    const bool saved = Ravel::ReplaceFile("statistics.csv", [](std::FILE* file) {
        bool ok = std::fputs("Tag;Country;\r\n", file) >= 0;
        for (int i = 0; i < static_cast<int>(kCountryTableSlots); ++i)
            if (const CRZCountry* realm = CRZCountry::GetCountry(i))
                ok &= std::fputs(
                          FormatDataText("%s;%s;\r\n", { realm->GetTag(), realm->GetName() }).c_str(), file)
                    >= 0;
        return ok;
    });
    printf(saved ? "\n%%077Stats saved to statistics.csv\n" : "\n%%007ERROR! File already open.\n");
    printf("\n");
}

void CConsole::Info(const std::vector<std::string>& words)
{
    if (Fields(words, "ss") != 2) {
        printf("\n%%007Usage :  %%077info cid\n");
        return;
    }
    CRZCountry* realm = FindByTag(words[1]);
    if (!realm) {
        printf("%%007Unknown country!\n");
        printf("\n");
        return;
    }
    printf("%%777Country: %s\n", { realm->GetName() });
    if (realm->IsAI() && CRZGame::IsHost() && gWidgetHooks.ReportAI)
        gWidgetHooks.ReportAI(*realm, *this);
    printf("\n");
}

void CConsole::AIPlans(const std::vector<std::string>& words)
{
    if (Fields(words, "ss") == 2 && CRZGame::IsHost() && gWidgetHooks.WriteAIPlans) {
        for (int i = 0; i < static_cast<int>(kCountryTableSlots); ++i) {
            CRZCountry* realm = CRZCountry::GetCountry(i);
            if (!realm || !realm->IsAI() || strcasecmp(realm->GetTag(), words[1].c_str()) != 0)
                continue;
            if (std::FILE* file = std::fopen("ai_info.txt", "ab")) {
                std::fputs(
                    FormatDataText("\r\n\r\n\r\n%s\r\n-------------------\r\n", { realm->GetName() }).c_str(),
                    file);
                gWidgetHooks.WriteAIPlans(*realm, file);
                std::fclose(file);
            }
        }
    }
    printf("\n");
}
