// The game-state queries of CRZGame: they sit below the widgets, which ask them, and reach the front end,
// the multiplayer session and the scenario information through gGameStateHooks.
#include "app/game.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "events/event_hooks.h"
#include "events/game_clock.h"
#include "foundation/data_file.h"

#include "foundation/safeguards.h"

CRZGameStateHooks gGameStateHooks;
int CRZGame::_inGame = 0;
CRZGameVersion CRZGame::_Version;
int CRZGame::_nEndYear = 1453;
CScenarioWorld* (*CRZGame::_pNewWorld)(CCharacterServer& characters) = nullptr;
CRZGame* gpGame = nullptr;

uint32_t get_file_checksum(const char* name)
{
    std::FILE* file = OpenDataFile(name, "rb");
    if (file == nullptr)
        return 0;
    uint32_t sum = 0;
    unsigned char word[4];
    while (std::fread(word, 1, sizeof word, file) == sizeof word) {
        const uint32_t w = static_cast<uint32_t>(word[0]) | static_cast<uint32_t>(word[1]) << 8
            | static_cast<uint32_t>(word[2]) << 16 | static_cast<uint32_t>(word[3]) << 24;
        sum = w + ((sum << 1) | w);
    }
    std::fclose(file);
    return sum;
}

void SanitizeSaveName(const char* text, char* out, std::size_t size)
{
    if (size == 0)
        return;
    std::size_t used = 0;
    for (const char* at = text != nullptr ? text : ""; *at != 0 && used + 1 < size; ++at) {
        const unsigned char c = static_cast<unsigned char>(*at);
        // ".." anywhere, so that no part of the name can climb out of the save folder.
        if (c == '.' && at[1] == '.') {
            ++at;
            continue;
        }
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '+' || c == '?' || c == '*')
            continue;
        out[used++] = static_cast<char>(c);
    }
    out[used] = 0;
    // Nothing left, or only dots and blanks, is no file name of its own.
    if (std::strspn(out, ". ") == used)
        std::snprintf(out, size, "%s", "save");
}

void MakeGameFilePath(const char* folder, const char* name, char* out, std::size_t size)
{
    if (size == 0)
        return;
    out[0] = 0;
    static constexpr char kExtension[] = ".rzg";
    const char* place = folder != nullptr ? folder : "";
    const std::size_t fixed = std::strlen(place) + 1 + (sizeof kExtension - 1);
    // At least one character of name and the NUL must fit beside the folder and the extension.
    if (size < fixed + 2)
        return;
    char safe[256];
    SanitizeSaveName(name, safe, std::min(sizeof safe, size - fixed));
    std::snprintf(out, size, "%s\\%s%s", place, safe, kExtension);
}

void CRZGame::CalculateVersion()
{
    _Version = CRZGameVersion {};
    _Version.build = kGameBuildWord;
    _Version.dataChecksum = get_file_checksum("db\\province.csv") + get_file_checksum("db\\country.csv");
    std::memcpy(_Version.name, kGameVersionName, sizeof kGameVersionName);
}

void CRZGame::SetFileName(const char* text)
{
    std::size_t used = 0;
    for (const char* at = text != nullptr ? text : ""; *at != 0 && used + 1 < sizeof fileName; ++at)
        if (*at != '+' && *at != '?' && *at != '*')
            fileName[used++] = *at;
    fileName[used] = 0;
}

bool CRZGame::IsHost()
{
    return IsHostMachine();
}

bool CRZGame::IsMultiPlayer()
{
    return gGameStateHooks.GetSessionPlayerCount != nullptr && gGameStateHooks.GetSessionPlayerCount() > 1;
}

bool CRZGame::InGame()
{
    return !InFrontEnd() && _inGame == 1;
}

bool CRZGame::InFrontEnd()
{
    return gGameStateHooks.IsFrontEndActive != nullptr && gGameStateHooks.IsFrontEndActive();
}

bool CRZGame::IsTutorial()
{
    return gGameStateHooks.IsTutorialScenario != nullptr && gGameStateHooks.IsTutorialScenario();
}

CDate CRZGame::GetCurrentDate()
{
    return gpTimer != nullptr ? gpTimer->GetDate() : CDate();
}

CDate CRZGame::GetStartDate()
{
    return gDateTickSource.pStartDate != nullptr ? *gDateTickSource.pStartDate : CDate();
}
