// COptMain (gpOptions): the menu the player opens during a game: save, export as a scenario of the
// predecessor game, the options screen, the hints, quit and back. A single-player game stands still while
// it is open. Saving happens at the end of the frame: the menu only names the file and asks for it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "events/event_routing.h"
#include "foundation/calendar_date.h"
#include "foundation/point_rect.h"
#include "gfx/drawable.h"
#include "widgets/input.h"

class CFileDialog;
class CGameSettings;
class CRZBtn;
class CSprite;

inline constexpr const char* kOptionsBackground = "gfx\\settings\\setupscreen_bg.bmp";
inline constexpr const char* kOptionsButton = "GFX\\interface\\frontend\\btn_frontend_big.bmp";
inline constexpr const char* kSaveFolder = "scenarios\\save games";
inline constexpr const char* kExportFolder = "scenarios\\rz2";
// Where the menu stands among what the display list draws.
inline constexpr int kOptionsDepth = 8999;

// The name a save is offered under: the player's realm, the year, the month's text and the day of the
// month ("%s_%d_%s_%d"), made safe to be a file name.
void ProposeSaveName(const char* realm, const CDate& date, char* out, std::size_t size);

class COptMain : public CDrawable, public CInputable, public CRZEventHandler {
public:
    enum Button { kSave, kExport, kOptions, kHints, kQuit, kBack, kButtonCount };

    // Centred on the back buffer, drawn at kOptionsDepth and offered every event first (the options route)
    // until it finishes; it is gpOptions. Stops the clock of a single-player game.
    COptMain();
    // Restarts the clock of a single-player game and clears gpOptions and the options route.
    ~COptMain() override;
    COptMain(const COptMain&) = delete;
    COptMain& operator=(const COptMain&) = delete;

    // 1 once finished (the display list then destroys the menu) or after a button acted; else what the
    // open dialog or screen answered, or whether a button took the event.
    int Update(CRZEvent* event) override;
    int HandleInput(CRZInputEvent* event) override;
    int Draw(CRZDrawType type) override;
    // Strictly inside the background.
    bool IsOver(CPoint& point);

    bool IsFinished() const { return mFinished != 0; }
    bool IsSaveDialogOpen() const { return mSaveOpen != 0; }
    bool IsExportDialogOpen() const { return mExportOpen != 0; }
    bool IsOptionsOpen() const { return mOptionsOpen != 0; }
    CRZBtn* GetButton(int button) const { return mButtons[button]; }
    CFileDialog* GetFileDialog() const { return mDialog; }
    CGameSettings* GetSettings() const { return mSettings; }
    CSprite* GetBackground() const { return mBackground; }

    // The background's top left.
    static std::int32_t _nXPos;
    static std::int32_t _nYPos;

private:
    // A save or export dialog that closed: a confirmed name goes to the save or the export, and the menu
    // finishes; a cancelled one leaves the plain menu.
    void CloseDialog(bool save);
    void Act(int button);
    void Finish();

    CSprite* mBackground;
    CRZBtn* mButtons[kButtonCount] = {};
    std::int32_t mSaveOpen = 0;
    std::int32_t mExportOpen = 0;
    std::int32_t mOptionsOpen = 0;
    std::int32_t mFinished = 0;
    CFileDialog* mDialog = nullptr;
    CGameSettings* mSettings = nullptr;
};

// The open menu; null while none is.
extern COptMain* gpOptions;
