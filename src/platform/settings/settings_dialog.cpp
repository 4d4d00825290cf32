// The settings dialog on GTK 3: filled from "settings.cfg", run modally before the game window opens,
// and on OK written back whole with the settings globals set.
#include "platform/settings/settings_dialog.h"

#include <chrono>
#include <cstring>
#include <gtk/gtk.h>
#include <thread>

#include "platform/display/scrolly_about_box.h"
#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"
#include "platform/host/headless.h"
#include "platform/host/host_hooks.h"
#include "platform/host/host_timers.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kError);

constexpr int kCreditsResponse = 1;
// Pixels between the dialog's edge and what it holds.
constexpr int kMargin = 16;
// Two quotes around the host name must still fit a line of the file.
constexpr std::size_t kMaxHostBytes = SettingsFile::kMaxLineLength - 2;

std::function<void(GameSettingsDialog&)> gShownHook;

bool EnsureGtk()
{
    static int state = 0;
    if (state == 0)
        state = gtk_init_check(nullptr, nullptr) ? 1 : -1;
    return state == 1;
}

bool IsOn(void* toggle)
{
    // Only the on state counts; the mixed state is off.
    GtkToggleButton* button = GTK_TOGGLE_BUTTON(toggle);
    return gtk_toggle_button_get_active(button) && !gtk_toggle_button_get_inconsistent(button);
}

void SetOn(void* toggle, bool on)
{
    gtk_toggle_button_set_inconsistent(GTK_TOGGLE_BUTTON(toggle), FALSE);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(toggle), on ? TRUE : FALSE);
}

// The host name as it may stand in its line: no line breaks, at most kMaxHostBytes, whole characters.
std::string FittingHostName(const std::string& text)
{
    std::string name;
    for (char c : text) {
        if (c != '\r' && c != '\n')
            name += c;
    }
    if (name.size() > kMaxHostBytes) {
        std::size_t cut = kMaxHostBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return name;
}

void PumpToolkit()
{
    for (int i = 0; i < 1000 && gtk_events_pending(); ++i)
        gtk_main_iteration_do(FALSE);
}

struct ShownWatch {
    GameSettingsDialog* dialog;
    GtkWidget* window;
    bool drawn = false;
};

gboolean OnDraw(GtkWidget*, cairo_t*, gpointer data)
{
    static_cast<ShownWatch*>(data)->drawn = true;
    return FALSE;
}

gboolean OnShownCheck(gpointer data)
{
    auto* watch = static_cast<ShownWatch*>(data);
    if (!watch->drawn || !gtk_widget_get_mapped(watch->window))
        return G_SOURCE_CONTINUE;
    if (gShownHook)
        gShownHook(*watch->dialog);
    return G_SOURCE_REMOVE;
}

} // namespace

SettingsControls ControlsFromFile(SettingsFile& file)
{
    SettingsControls controls;
    controls.dontShowThisDialog = file.line(8) != "SHOW_SETTINGS_DIALOG";
    controls.playBackgroundMusic = file.line(6) == "\"MUSIC_ON\"";
    std::string host = file.line(7);
    if (!host.empty() && host.back() == '"') {
        host.pop_back();
        file.setLine(7, host);
    }
    if (!host.empty() && host.front() == '"')
        host.erase(0, 1);
    controls.serverHostname = host;
    controls.stretchedVideoModes = file.line(10) == "STRETCHED_VIDEO";
    controls.windowedMode = file.line(11) == "WINDOWED_MODE";
    return controls;
}

void ApplyControls(const SettingsControls& controls, SettingsFile& file)
{
    std::string host = FittingHostName(controls.serverHostname);
    std::snprintf(HallName, sizeof HallName, "%s", host.c_str());
    file.setLine(7, "\"" + host + "\"");
    file.setLine(8, controls.dontShowThisDialog ? "NO_SETTINGS_DIALOG" : "SHOW_SETTINGS_DIALOG");
    gShowSettingsDialog = controls.dontShowThisDialog ? 0 : 1;
    file.setLine(6, controls.playBackgroundMusic ? "\"MUSIC_ON\"" : "\"MUSIC_OFF\"");
    nomusic = controls.playBackgroundMusic ? 0 : 1;
    file.setLine(10, controls.stretchedVideoModes ? "STRETCHED_VIDEO" : "NO_STRETCHED_VIDEO");
    gUseStretchedVideoModes = controls.stretchedVideoModes ? 1 : 0;
    file.setLine(11, controls.windowedMode ? "WINDOWED_MODE" : "FULLSCREEN_MODE");
    gWindowedMode = controls.windowedMode ? 1 : 0;
}

void GameSettingsDialog::SetShownHook(std::function<void(GameSettingsDialog&)> hook)
{
    gShownHook = std::move(hook);
}

int GameSettingsDialog::showVLSettingsDialog(const char* path)
{
    GameSettingsDialog dialog;
    return dialog.run(path);
}

void GameSettingsDialog::build()
{
    GtkWidget* window = gtk_dialog_new();
    mVLSettings = window;
    gtk_window_set_title(GTK_WINDOW(window), "Vellmark Settings");
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    gtk_dialog_add_button(GTK_DIALOG(window), "Credits", kCreditsResponse);
    gtk_dialog_add_button(GTK_DIALOG(window), "Cancel", GTK_RESPONSE_CANCEL);
    GtkWidget* ok = gtk_dialog_add_button(GTK_DIALOG(window), "OK", GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
    // The button row keeps the settings' margin, so the dialog is sized around it: left to the toolkit,
    // the row ran to the dialog's very edge and OK looked cut off there.
    GtkWidget* buttons = gtk_widget_get_parent(ok);
    gtk_widget_set_margin_start(buttons, kMargin);
    gtk_widget_set_margin_end(buttons, kMargin);
    gtk_widget_set_margin_bottom(buttons, kMargin);

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
    gtk_container_set_border_width(GTK_CONTAINER(box), kMargin);
    mPlayBackgroundMusic = gtk_check_button_new_with_label("Play background music");
    GtkWidget* hostLabel = gtk_label_new("Lobby server host name:");
    gtk_widget_set_halign(hostLabel, GTK_ALIGN_START);
    mServerHostname = gtk_entry_new();
    gtk_entry_set_max_length(GTK_ENTRY(mServerHostname), static_cast<gint>(kMaxHostBytes));
    gtk_entry_set_width_chars(GTK_ENTRY(mServerHostname), 32);
    gtk_entry_set_activates_default(GTK_ENTRY(mServerHostname), TRUE);
    mStretchedVideoModes = gtk_check_button_new_with_label("Prefer stretched video modes");
    mWindowedMode = gtk_check_button_new_with_label("Play in a window");
    mDontShowThisDialog = gtk_check_button_new_with_label("Do not show this dialog at start");
    for (void* widget : { mPlayBackgroundMusic, static_cast<void*>(hostLabel), mServerHostname,
             mStretchedVideoModes, mWindowedMode, mDontShowThisDialog })
        gtk_box_pack_start(GTK_BOX(box), GTK_WIDGET(widget), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(window))), box, TRUE, TRUE, 0);
    gtk_widget_show_all(box);
}

SettingsControls GameSettingsDialog::controls() const
{
    SettingsControls controls;
    controls.dontShowThisDialog = IsOn(mDontShowThisDialog);
    controls.playBackgroundMusic = IsOn(mPlayBackgroundMusic);
    controls.serverHostname = gtk_entry_get_text(GTK_ENTRY(mServerHostname));
    controls.stretchedVideoModes = IsOn(mStretchedVideoModes);
    controls.windowedMode = IsOn(mWindowedMode);
    return controls;
}

void GameSettingsDialog::setControls(const SettingsControls& controls)
{
    SetOn(mDontShowThisDialog, controls.dontShowThisDialog);
    SetOn(mPlayBackgroundMusic, controls.playBackgroundMusic);
    gtk_entry_set_text(GTK_ENTRY(mServerHostname), controls.serverHostname.c_str());
    SetOn(mStretchedVideoModes, controls.stretchedVideoModes);
    SetOn(mWindowedMode, controls.windowedMode);
}

void GameSettingsDialog::pressedOKButton()
{
    gtk_dialog_response(GTK_DIALOG(mVLSettings), GTK_RESPONSE_OK);
}

void GameSettingsDialog::pressedCancelButton()
{
    mPressedCancel = true;
    gtk_dialog_response(GTK_DIALOG(mVLSettings), GTK_RESPONSE_CANCEL);
}

void GameSettingsDialog::pressedCreditsButton()
{
    gtk_dialog_response(GTK_DIALOG(mVLSettings), kCreditsResponse);
}

bool GameSettingsDialog::screenshot(const char* pngPath) const
{
    GtkWidget* window = GTK_WIDGET(mVLSettings);
    if (!gtk_widget_get_window(window) || !gtk_widget_get_mapped(window))
        return false;
    PumpToolkit();
    // The dialog draws itself into a picture of its own: read back from the screen, any window above it
    // (another program's, or a game window left in front) would stand in its place.
    int width = gtk_widget_get_allocated_width(window);
    int height = gtk_widget_get_allocated_height(window);
    if (width <= 0 || height <= 0)
        return false;
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* painter = cairo_create(picture);
    gtk_widget_draw(window, painter);
    cairo_destroy(painter);
    const cairo_status_t status = cairo_surface_write_to_png(picture, pngPath);
    cairo_surface_destroy(picture);
    if (status != CAIRO_STATUS_SUCCESS)
        gLog.warn("settings dialog picture not saved: %s", cairo_status_to_string(status));
    return status == CAIRO_STATUS_SUCCESS;
}

std::string GameSettingsDialog::captions() const
{
    std::string text;
    for (void* toggle : { mPlayBackgroundMusic, mStretchedVideoModes, mWindowedMode, mDontShowThisDialog }) {
        text += gtk_button_get_label(GTK_BUTTON(toggle));
        text += '\n';
    }
    text += gtk_entry_get_text(GTK_ENTRY(mServerHostname));
    return text;
}

int GameSettingsDialog::run(const char* path)
{
    mPressedCancel = false;
    SettingsFile file;
    file.read(path);
    SettingsControls shown = ControlsFromFile(file);
    if (!EnsureGtk()) {
        gLog.warn("no display for the settings dialog; starting with the settings of %s", path ? path : "");
        return kSettingsSaved;
    }
    build();
    setControls(shown);
    GtkWidget* window = GTK_WIDGET(mVLSettings);
    ShownWatch watch { this, window };
    // After the dialog's own drawing, so "drawn" means its pixels have been produced.
    g_signal_connect_after(window, "draw", G_CALLBACK(OnDraw), &watch);

    int response = GTK_RESPONSE_CANCEL;
    for (;;) {
        watch.drawn = false;
        guint check = g_timeout_add(50, OnShownCheck, &watch);
        response = gtk_dialog_run(GTK_DIALOG(window));
        g_source_remove_by_user_data(&watch);
        (void)check;
        if (response != kCreditsResponse)
            break;
        // The credits box runs on its own; the dialog comes back when it is closed.
        gtk_widget_hide(window);
        ScrollyAboutBox& credits = ScrollyAboutBox::Get();
        if (credits.go()) {
            while (credits.isOpen()) {
                HostTimers::runDue();
                PumpToolkit();
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
    }
    SettingsControls chosen = controls();
    gtk_widget_destroy(window);
    mVLSettings = nullptr;
    PumpToolkit();
    if (response != GTK_RESPONSE_OK || mPressedCancel)
        return kSettingsCancelled;

    ApplyControls(chosen, file);
    std::string reason;
    if (!file.write(path, &reason)) {
        RV_assert_failed("file", __FILE__, __LINE__);
        ReportSettingsNotSaved(path, reason.c_str());
        return kSettingsNotSaved;
    }
    return kSettingsSaved;
}

int showVLSettingsDialog(const char* path)
{
    return GameSettingsDialog::showVLSettingsDialog(path);
}

bool SettingsDialogRequested(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i] && std::strcmp(argv[i], "--settings") == 0)
            return true;
    }
    if (!EnsureGtk())
        return false;
    GdkDisplay* display = gdk_display_get_default();
    if (!display)
        return false;
    guint held = gdk_keymap_get_modifier_state(gdk_keymap_get_for_display(display));
    return (held & GDK_MOD1_MASK) != 0;
}

bool ReadSettingsAtStart(const char* path, bool requested)
{
    SettingsFile file;
    file.read(path);
    ApplyStartupSettings(ReadStartupSettings(file));
    if (gShowSettingsDialog == 0 && !requested)
        return true;
    // Without a display nobody can answer the dialog: a headless game runs on the file as it stands
    // instead of waiting for ever on a window no one sees.
    if (Ravel::IsHeadless())
        return true;
    return showVLSettingsDialog(path) != kSettingsCancelled;
}

} // namespace Ravel
