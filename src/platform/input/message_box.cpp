// The emulated MessageBoxA: an SDL alert over a fullscreen game that steps back to a window meanwhile.
#include <SDL.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/display/basic_hwnd_imp.h"
#include "platform/elements/prefs.h"
#include "platform/host/headless.h"
#include "platform/input/game_opengl_view.h"
#include "platform/input/window_messages.h"

#include "foundation/safeguards.h"

namespace Windows {

namespace {

std::atomic<bool> gAutoAnswer { false };

struct ButtonTitle {
    char text[64];
};

// A title from the "GameWrapper" strings; an empty or missing one falls back to the English word,
// since a button without a caption cannot be told from the others.
ButtonTitle Title(const char* key, const char* english)
{
    ButtonTitle title {};
    int size = sizeof title.text;
    Ravel::Prefs::GetInstance().get("GameWrapper", key, title.text, &size, "");
    if (title.text[0] == '\0')
        std::snprintf(title.text, sizeof title.text, "%s", english);
    return title;
}

} // namespace

void SetMessageBoxAutoAnswer(bool automatic)
{
    gAutoAnswer = automatic;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type)
{
    const char* message = text ? text : "";
    const char* title = caption ? caption : "";
    ButtonTitle titles[3] {};
    int results[3] {};
    int count = 0;
    switch (type & 0xF) {
    case MB_OK:
        titles[0] = Title("ok", "OK");
        results[0] = IDOK;
        count = 1;
        break;
    case MB_YESNOCANCEL:
        titles[0] = Title("yes", "Yes");
        titles[1] = Title("no", "No");
        titles[2] = Title("cancel", "Cancel");
        results[0] = IDYES;
        results[1] = IDNO;
        results[2] = IDCANCEL;
        count = 3;
        break;
    case MB_YESNO:
        titles[0] = Title("yes", "Yes");
        titles[1] = Title("no", "No");
        results[0] = IDYES;
        results[1] = IDNO;
        count = 2;
        break;
    default:
        std::snprintf(titles[0].text, sizeof titles[0].text, "%s", "unsupported");
        results[0] = 0;
        count = 1;
        break;
    }

    if (gAutoAnswer || Ravel::IsHeadless()) {
        std::fprintf(stderr, "vellmark: alert \"%s\": %s [%s]\n", title, message, titles[0].text);
        return results[0];
    }

    Ravel::BasicHWNDImpOBJC* wrapper = Ravel::getGameWindowWrapper();
    Ravel::GameOpenGLView* view = Ravel::GameOpenGLView::Current();
    if (wrapper)
        wrapper->startTemporaryWindowedMode();
    bool wasVisible = view ? view->cursorVisible() : true;
    if (view)
        view->setCursorVisible(true);

    SDL_MessageBoxButtonData buttons[3] {};
    for (int i = 0; i < count; ++i) {
        buttons[i].buttonid = results[i];
        buttons[i].text = titles[i].text;
    }
    buttons[0].flags = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    buttons[count - 1].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    SDL_MessageBoxData data {};
    data.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    data.window = wrapper ? wrapper->getGameWindow() : nullptr;
    data.title = title;
    data.message = message;
    data.numbuttons = count;
    data.buttons = buttons;
    int pressed = -1;
    int answer = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        std::fprintf(stderr, "vellmark: alert \"%s\": %s [%s] (not shown: %s)\n", title, message,
            titles[0].text, SDL_GetError());
        answer = results[0];
    } else {
        for (int i = 0; i < count; ++i) {
            if (pressed == results[i])
                answer = results[i];
        }
    }

    if (wrapper)
        wrapper->doneTemporaryWindowedMode();
    if (view)
        view->setCursorVisible(wasVisible);
    return answer;
}

} // namespace Windows
