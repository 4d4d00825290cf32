// The spine of the game: WinMain's one-time start-up in its fixed order, the frame gameMainTick runs,
// ShutDown at the close of the window, the loading pump and dates as the player reads them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/calendar_date.h"
#include "platform/host/window_message_queue.h"

class CImage;
class CSprite;
class CVideo;

extern int HallPort;
// The order of a date's parts ("M D, Y"), from text key "DATE"; of a date with hour, from "TIME".
extern char dateorder[256];
extern char timeorder[256];
// Which of three front-end backgrounds is shown, drawn at start-up.
extern int gFrontBack;
extern Windows::MSG msg;
extern Windows::HINSTANCE AppInstance;
extern const char AppName[];
extern const char GlobalClassName[];
// The loading picture while it is on screen.
extern CImage* pLoadImage;
extern CSprite* pDummySprite;
extern CVideo* gpVideo;
extern int isShutDown;
// 0 until the first in-game frame has completed after the front end closed.
extern int gWait;
extern int bInMainLoop;

// Each start-up step's name as it begins, in order; null (the default) traces nothing.
extern void (*gStartUpTrace)(const char* step);

// The command line, whose "DEBUG" (any case) turns the save trace on.
void SetGameArguments(int argc, char** argv);

// The whole start-up. Answers the message record's wParam (0). A fatal failure throws through
// _AssertRelease; the settings dialog's Cancel ends the process with status 0.
int WinMain(Windows::HINSTANCE instance, Windows::HINSTANCE previous, char* commandLine, int show);
// WinMain as the host starts it: a fatal failure is shown and ends the process with status 1.
void RunWinMain();
// One frame; 0 when the program is to end.
int GameMainTick();
// Releases everything in order; the window's destroy message runs it once.
void ShutDown();
// Handles at most one pending window message while start-up is busy.
void DrawLoading(int);

// Reads "music.ini": its second line, from the sixth character on, is the music folder when it is a
// plain relative folder name; anything else keeps "music".
void ReadMusicIni();

// The text keys of the twelve months, January first.
inline constexpr const char* kMonthKeys[12] = { "JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE",
    "JULY", "AUGUST", "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER" };

// The date as the player reads it, by dateorder: 'M' the month's text, 'D' the day of the real month,
// 'Y' the year, any other character as it stands. Cut to the buffer.
void ConvertToLocaleDate(char* buffer, std::size_t size, const CDate& date);

// The in-game part of a frame's event work: ready events until none is ready or three clock ticks have
// passed since it began. tickCount reads the clock (the animation ticks of gpTimer when null). Answers
// the events processed.
int ProcessReadyEvents(int (*tickCount)() = nullptr);
