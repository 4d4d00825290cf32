// "settings.cfg": eleven CR LF lines of display and start-up settings, the reader and writer that the
// settings dialog uses, the start-up reader of the game, and the settings globals they fill.
#pragma once

#include <array>
#include <string>

// The game's settings globals. HallName holds at most 1023 characters and its terminator.
extern char HallName[1024];
extern int gShowSettingsDialog;
extern int nomusic;
extern int gUseStretchedVideoModes;
extern int gScreenWidth;
extern int gScreenHeight;

namespace Ravel {

// The lobby server the game offers when the file names none.
inline constexpr const char* kDefaultLobbyHost = "lobby.vellmark.net";

class SettingsFile {
public:
    static constexpr int kLineCount = 11;
    // Longer lines are cut to this many characters when read.
    static constexpr std::size_t kMaxLineLength = 302;

    // The eleven default lines.
    SettingsFile();

    // Reads the file: carriage returns are skipped, a line feed ends a line, characters after the last
    // line feed are dropped, lines after the eleventh are ignored. A file of nine or ten lines is
    // completed as older versions wrote it; lines missing from a shorter one keep their defaults.
    // False, with the defaults in place, when the file cannot be opened.
    bool read(const char* path);
    // Writes all eleven lines, each followed by CR LF, through a temporary file renamed over the old
    // one. False, with the reason in *error when given, when the file could not be written; the old
    // file is then left as it was.
    bool write(const char* path, std::string* error = nullptr) const;

    // Line 1 to 11; lines outside give an empty text.
    const std::string& line(int number) const;
    void setLine(int number, const std::string& text);
    // How many lines the last read found (before completion); 0 when nothing was read.
    int linesRead() const { return mLinesRead; }

    static std::string DefaultLine(int number);

private:
    std::array<std::string, kLineCount> mLines;
    int mLinesRead = 0;
};

// What the game's start-up takes from the file.
struct StartupSettings {
    int screenWidth = 1024;
    int screenHeight = 768;
    bool noMusic = false;
    // Empty when the file names no lobby server (the line is two characters or shorter).
    std::string hallName;
    bool showSettingsDialog = true;
    bool stretchedVideo = false;
    bool windowedMode = false;
};

// The start-up reading of each line: sizes from the 15th character on, raised to at least 1024 by 768;
// music off when the 10th character is F; the lobby server between the first and last character;
// the dialog unless line 8 starts with N; stretched unless line 10 starts with N; windowed unless
// line 11 starts with F. A line too short or garbled for its rule keeps the default.
StartupSettings ReadStartupSettings(const SettingsFile& file);
// Sets the settings globals (and gWindowedMode) from what start-up read; HallName only when the
// file named a lobby server, else the default server.
void ApplyStartupSettings(const StartupSettings& settings);

} // namespace Ravel
