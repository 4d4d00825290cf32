// The start-up settings dialog (GTK 3, shown before the game window opens): five of the settings of
// "settings.cfg", with OK, Cancel and the credits box.
#pragma once

#include <functional>
#include <string>

#include "platform/settings/settings_file.h"

namespace Ravel {

// The dialog's five controls, apart from the toolkit.
struct SettingsControls {
    bool dontShowThisDialog = false;
    bool playBackgroundMusic = true;
    std::string serverHostname;
    bool stretchedVideoModes = false;
    bool windowedMode = false;
};

// The controls as the file's lines set them. Line 7 loses its final double quote in the file too.
SettingsControls ControlsFromFile(SettingsFile& file);
// OK: the controls into lines 6, 7, 8, 10 and 11 and into the settings globals. The host name is cut
// to fit its line (whole UTF-8 characters) and loses line breaks.
void ApplyControls(const SettingsControls& controls, SettingsFile& file);

// Answers of showVLSettingsDialog.
enum SettingsDialogAnswer : int {
    kSettingsCancelled = 0,
    kSettingsSaved = 1,
    // OK was pressed and the globals are set, but the file could not be written; the user was told.
    kSettingsNotSaved = -1,
};

class GameSettingsDialog {
public:
    // Runs the dialog over the file at path. Without a display nothing can be asked: the file's
    // settings stand, nothing is written, and the answer is kSettingsSaved.
    static int showVLSettingsDialog(const char* path);

    // Called once each time the dialog has been drawn on screen; tests drive the dialog from it.
    static void SetShownHook(std::function<void(GameSettingsDialog&)> hook);

    SettingsControls controls() const;
    void setControls(const SettingsControls& controls);
    void pressedOKButton();
    void pressedCancelButton();
    void pressedCreditsButton();
    // Writes what the dialog shows now as a PNG picture; false when it could not.
    bool screenshot(const char* pngPath) const;
    // The texts of the dialog's controls, top to bottom.
    std::string captions() const;

private:
    GameSettingsDialog() = default;
    int run(const char* path);
    void build();

    void* mVLSettings = nullptr; // GtkWidget*: the dialog window
    void* mDontShowThisDialog = nullptr;
    void* mPlayBackgroundMusic = nullptr;
    void* mServerHostname = nullptr;
    void* mStretchedVideoModes = nullptr;
    void* mWindowedMode = nullptr;
    bool mPressedCancel = false;
};

// Tells the user in an alert that the settings file could not be written, and why.
void ReportSettingsNotSaved(const char* path, const char* reason);

// The dialog forwarded from the game's start-up: path is "settings.cfg".
int showVLSettingsDialog(const char* path);

// The counterpart of holding Option at start: the switch "--settings" among the arguments, or an Alt
// key held while the game starts.
bool SettingsDialogRequested(int argc, const char* const* argv);

// The game's start-up use of the file: reads it, sets the globals, and shows the dialog when the file
// asks for it or the user requested it. False when the user cancelled: the game then ends at once.
bool ReadSettingsAtStart(const char* path, bool requested);

} // namespace Ravel
