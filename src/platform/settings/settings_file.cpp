// The settings file's reader, its writer and the start-up reading of its lines.
#include "platform/settings/settings_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/elements/replace_file.h"
#include "platform/host/host_hooks.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

constexpr int kMinWidth = 1024;
constexpr int kMinHeight = 768;
// Above this a size is taken for garbage rather than a screen.
constexpr int kMaxSize = 16384;

const std::string kEmpty;

// The decimal number from the given column (0-based) on, leading blanks skipped; -1 when the line is
// too short, holds no digits there, or the number is beyond any screen.
int NumberFrom(const std::string& line, std::size_t column)
{
    std::size_t i = column;
    while (i < line.size() && line[i] == ' ')
        ++i;
    int value = 0;
    std::size_t digits = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i, ++digits) {
        value = value * 10 + (line[i] - '0');
        if (value > kMaxSize)
            return -1;
    }
    return digits > 0 ? value : -1;
}

void CopyHallName(const std::string& name)
{
    std::snprintf(HallName, sizeof HallName, "%s", name.c_str());
}

} // namespace

std::string SettingsFile::DefaultLine(int number)
{
    switch (number) {
    case 4:
        return "\"SCREEN_SIZE_X 1024\"";
    case 5:
        return "\"SCREEN_SIZE_Y 768\"";
    case 6:
        return "\"MUSIC_ON\"";
    case 7:
        return std::string("\"") + kDefaultLobbyHost + "\"";
    case 8:
        return "SHOW_SETTINGS_DIALOG";
    case 10:
        return "NO_STRETCHED_VIDEO";
    case 11:
        return "FULLSCREEN_MODE";
    default:
        return "0";
    }
}

SettingsFile::SettingsFile()
{
    for (int i = 1; i <= kLineCount; ++i)
        mLines[static_cast<std::size_t>(i - 1)] = DefaultLine(i);
}

bool SettingsFile::read(const char* path)
{
    *this = SettingsFile();
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file)
        return false;
    std::string current;
    int count = 0;
    for (int c = std::fgetc(file); c != EOF && count < kLineCount; c = std::fgetc(file)) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            mLines[static_cast<std::size_t>(count++)] = current;
            current.clear();
        } else if (current.size() < kMaxLineLength) {
            current += static_cast<char>(c);
        }
    }
    std::fclose(file);
    // A last line without its line end, as an editor may leave it, still counts.
    if (!current.empty() && count < kLineCount)
        mLines[static_cast<std::size_t>(count++)] = current;
    // Older files stop after line 9 or 10; what they lack keeps its default, which is how they were
    // completed (the stretched and windowed lines off).
    mLinesRead = count;
    return true;
}

bool SettingsFile::write(const char* path, std::string* error) const
{
    int failure = 0;
    const bool written = ReplaceFile(
        path,
        [this](std::FILE* file) {
            for (const std::string& text : mLines)
                if (std::fwrite(text.data(), 1, text.size(), file) != text.size()
                    || std::fwrite("\r\n", 1, 2, file) != 2)
                    return false;
            return true;
        },
        nullptr, &failure);
    if (!written && error)
        *error = std::strerror(failure != 0 ? failure : EIO);
    return written;
}

const std::string& SettingsFile::line(int number) const
{
    if (number < 1 || number > kLineCount)
        return kEmpty;
    return mLines[static_cast<std::size_t>(number - 1)];
}

void SettingsFile::setLine(int number, const std::string& text)
{
    if (number < 1 || number > kLineCount)
        return;
    mLines[static_cast<std::size_t>(number - 1)] = text.substr(0, kMaxLineLength);
}

StartupSettings ReadStartupSettings(const SettingsFile& file)
{
    StartupSettings settings;
    // The quote and the 13 characters of the name come before the number.
    int width = NumberFrom(file.line(4), 14);
    int height = NumberFrom(file.line(5), 14);
    settings.screenWidth = width < kMinWidth ? kMinWidth : width;
    settings.screenHeight = height < kMinHeight ? kMinHeight : height;
    const std::string& music = file.line(6);
    settings.noMusic = music.size() >= 10 && music[9] == 'F';
    const std::string& lobby = file.line(7);
    if (lobby.size() > 2)
        settings.hallName = lobby.substr(1, lobby.size() - 2).substr(0, sizeof HallName - 1);
    const std::string& dialog = file.line(8);
    const std::string& stretched = file.line(10);
    const std::string& windowed = file.line(11);
    // An empty line says nothing and keeps the default.
    if (!dialog.empty())
        settings.showSettingsDialog = dialog[0] != 'N';
    if (!stretched.empty())
        settings.stretchedVideo = stretched[0] != 'N';
    if (!windowed.empty())
        settings.windowedMode = windowed[0] != 'F';
    return settings;
}

void ApplyStartupSettings(const StartupSettings& settings)
{
    gScreenWidth = settings.screenWidth;
    gScreenHeight = settings.screenHeight;
    nomusic = settings.noMusic ? 1 : 0;
    CopyHallName(settings.hallName.empty() ? std::string(kDefaultLobbyHost) : settings.hallName);
    gShowSettingsDialog = settings.showSettingsDialog ? 1 : 0;
    gUseStretchedVideoModes = settings.stretchedVideo ? 1 : 0;
    gWindowedMode = settings.windowedMode ? 1 : 0;
}

} // namespace Ravel
