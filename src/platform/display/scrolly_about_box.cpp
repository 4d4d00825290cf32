// The credits box on GTK 3: a text view in a scrolled window, moved by a host timer.
#include "platform/display/scrolly_about_box.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <gtk/gtk.h>
#include <sstream>

#include "platform/elements/filename_utils.h"
#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"
#include "platform/host/host_timers.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kError);

double NowSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// 0 not tried, 1 ready, -1 unavailable (no display).
int gGtkState = 0;

bool EnsureGtk()
{
    if (gGtkState == 0)
        gGtkState = gtk_init_check(nullptr, nullptr) ? 1 : -1;
    return gGtkState == 1;
}

bool StartsWithNoCase(const std::string& text, std::size_t at, const char* word)
{
    for (std::size_t i = 0; word[i] != '\0'; ++i) {
        if (at + i >= text.size())
            return false;
        char c = text[at + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    return true;
}

void DecodeEntity(const std::string& html, std::size_t& i, std::string& out)
{
    static const struct {
        const char* name;
        const char* text;
    } kEntities[] = { { "&amp;", "&" }, { "&lt;", "<" }, { "&gt;", ">" }, { "&quot;", "\"" },
        { "&#39;", "'" }, { "&apos;", "'" }, { "&nbsp;", " " }, { "&copy;", "\xC2\xA9" } };
    for (const auto& entity : kEntities) {
        if (html.compare(i, std::strlen(entity.name), entity.name) == 0) {
            out += entity.text;
            i += std::strlen(entity.name);
            return;
        }
    }
    out += '&';
    ++i;
}

} // namespace

void CreditsScroll::restart()
{
    mRestart = true;
    mRunning = true;
    mScrollPos = 0.0;
}

double CreditsScroll::step(double nowSeconds, double currentOffset)
{
    if (!mRunning)
        return -1.0;
    if (mRestart) {
        mStartTime = nowSeconds;
        mRestart = false;
    }
    if (std::fabs(currentOffset - mScrollPos) > 0.5) {
        mRunning = false;
        return -1.0;
    }
    mScrollPos = (nowSeconds - mStartTime) * kPixelsPerSecond;
    return mScrollPos;
}

void CreditsScroll::reached(double offset)
{
    // Held back short of where it was sent: the end of the text.
    if (offset + 0.5 < mScrollPos)
        mRunning = false;
    mScrollPos = offset;
}

std::string CreditsTextFromHtml(const std::string& html)
{
    std::string out;
    std::size_t i = 0;
    bool skipping = false; // inside <head>, <style> or <script>
    while (i < html.size()) {
        char c = html[i];
        if (c == '<') {
            std::size_t close = html.find('>', i);
            if (close == std::string::npos)
                break;
            bool ending = i + 1 < html.size() && html[i + 1] == '/';
            std::size_t nameAt = i + (ending ? 2 : 1);
            if (StartsWithNoCase(html, nameAt, "head") || StartsWithNoCase(html, nameAt, "style")
                || StartsWithNoCase(html, nameAt, "script"))
                skipping = !ending;
            else if (!skipping
                && (StartsWithNoCase(html, nameAt, "br") || StartsWithNoCase(html, nameAt, "p")
                    || StartsWithNoCase(html, nameAt, "h") || StartsWithNoCase(html, nameAt, "div")
                    || StartsWithNoCase(html, nameAt, "li")))
                out += '\n';
            i = close + 1;
            continue;
        }
        if (skipping) {
            ++i;
            continue;
        }
        if (c == '&') {
            DecodeEntity(html, i, out);
            continue;
        }
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
        // Runs of blanks in the source are one blank, as a browser shows them.
        if (c == ' ' && (out.empty() || out.back() == ' ' || out.back() == '\n')) {
            ++i;
            continue;
        }
        out += c;
        ++i;
    }
    // No blank lines at the ends, at most one in a row.
    std::string tidy;
    for (char ch : out) {
        if (ch == '\n'
            && (tidy.empty()
                || (tidy.size() >= 2 && tidy[tidy.size() - 1] == '\n' && tidy[tidy.size() - 2] == '\n')))
            continue;
        if (ch == '\n' && !tidy.empty() && tidy.back() == ' ')
            tidy.pop_back();
        tidy += ch;
    }
    while (!tidy.empty() && (tidy.back() == '\n' || tidy.back() == ' '))
        tidy.pop_back();
    return tidy;
}

ScrollyAboutBox& ScrollyAboutBox::Get()
{
    static ScrollyAboutBox* box = new ScrollyAboutBox;
    return *box;
}

ScrollyAboutBox::ScrollyAboutBox()
{
    std::string path = std::string(resourcesPath()) + "data/mac/credits.html";
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        gLog.warn("no credits at %s", path.c_str());
        return;
    }
    std::ostringstream html;
    html << file.rdbuf();
    mText = CreditsTextFromHtml(html.str());
}

bool ScrollyAboutBox::go()
{
    if (!EnsureGtk()) {
        gLog.warn("the credits box needs a display");
        return false;
    }
    if (!mWindow) {
        GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(window), "Vellmark");
        gtk_window_set_default_size(GTK_WINDOW(window), 480, 360);
        gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
        GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
        gtk_container_set_border_width(GTK_CONTAINER(box), 8);
        GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
        gtk_widget_set_vexpand(scrolled, TRUE);
        GtkWidget* view = gtk_text_view_new();
        gtk_text_view_set_editable(GTK_TEXT_VIEW(view), FALSE);
        gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(view), FALSE);
        gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_WORD);
        gtk_text_view_set_justification(GTK_TEXT_VIEW(view), GTK_JUSTIFY_CENTER);
        gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), mText.c_str(), -1);
        gtk_container_add(GTK_CONTAINER(scrolled), view);
        GtkWidget* button = gtk_button_new_with_label("Done");
        gtk_widget_set_halign(button, GTK_ALIGN_END);
        g_signal_connect_swapped(
            button, "clicked", G_CALLBACK(+[](ScrollyAboutBox* self) { self->done(); }), this);
        // Closing by the window frame only hides the box, so it can open again.
        g_signal_connect_swapped(window, "delete-event", G_CALLBACK(+[](ScrollyAboutBox* self) -> gboolean {
            self->done();
            return TRUE;
        }),
            this);
        gtk_box_pack_start(GTK_BOX(box), scrolled, TRUE, TRUE, 0);
        gtk_box_pack_start(GTK_BOX(box), button, FALSE, FALSE, 0);
        gtk_container_add(GTK_CONTAINER(window), box);
        mWindow = window;
        mScrolled = scrolled;
    }
    GtkAdjustment* adjustment = gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(mScrolled));
    gtk_adjustment_set_value(adjustment, 0.0);
    mScroll.restart();
    gtk_widget_show_all(static_cast<GtkWidget*>(mWindow));
    if (mTimer)
        HostTimers::remove(mTimer);
    mTimer = HostTimers::add(
        static_cast<std::uint32_t>(CreditsScroll::kStartDelaySeconds * 1000.0), 0, [this] { scroll(); });
    return true;
}

void ScrollyAboutBox::scroll()
{
    GtkAdjustment* adjustment = gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(mScrolled));
    double target = mScroll.step(NowSeconds(), gtk_adjustment_get_value(adjustment));
    if (target < 0.0) {
        HostTimers::remove(mTimer);
        mTimer = 0;
        return;
    }
    gtk_adjustment_set_value(adjustment, target);
    mScroll.reached(gtk_adjustment_get_value(adjustment));
}

void ScrollyAboutBox::done()
{
    if (mTimer) {
        HostTimers::remove(mTimer);
        mTimer = 0;
    }
    if (mWindow)
        gtk_widget_hide(static_cast<GtkWidget*>(mWindow));
}

bool ScrollyAboutBox::isOpen() const
{
    return mWindow && gtk_widget_get_visible(static_cast<GtkWidget*>(mWindow));
}

void ScrollyAboutBox::PumpDialogs()
{
    if (gGtkState != 1)
        return;
    for (int i = 0; i < 32 && gtk_events_pending(); ++i)
        gtk_main_iteration_do(FALSE);
}

} // namespace Ravel
