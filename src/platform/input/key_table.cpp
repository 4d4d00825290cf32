// The key table of the game view: SDL key codes to the game's virtual-key codes.
#include "platform/input/key_table.h"

#include <SDL_keyboard.h>

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

struct KeyCode {
    SDL_Keycode key;
    std::uint32_t code;
};

constexpr KeyCode kKeyTable[] = {
    { SDLK_UP, 0x26 },
    { SDLK_DOWN, 0x28 },
    { SDLK_LEFT, 0x25 },
    { SDLK_RIGHT, 0x27 },
    { SDLK_F1, 0x70 },
    { SDLK_F2, 0x71 },
    { SDLK_F3, 0x72 },
    { SDLK_F4, 0x73 },
    { SDLK_F5, 0x74 },
    { SDLK_F6, 0x75 },
    { SDLK_F7, 0x76 },
    { SDLK_F8, 0x77 },
    { SDLK_F9, 0x78 },
    { SDLK_F10, 0x79 },
    { SDLK_F11, 0x7A },
    { SDLK_F12, 0x7B },
    { SDLK_INSERT, 0x2D },
    { SDLK_HELP, 0x2D },
    { SDLK_DELETE, 0x2E }, // forward delete
    { SDLK_HOME, 0x24 },
    { SDLK_END, 0x23 },
    { SDLK_PAGEUP, 0x21 },
    { SDLK_PAGEDOWN, 0x22 },
    { SDLK_BACKSPACE, 0x08 },
    { SDLK_KP_ENTER, 0x0D },
    { SDLK_KP_0, 0x60 },
    { SDLK_KP_1, 0x61 },
    { SDLK_KP_2, 0x62 },
    { SDLK_KP_3, 0x63 },
    { SDLK_KP_4, 0x64 },
    { SDLK_KP_5, 0x65 },
    { SDLK_KP_6, 0x66 },
    { SDLK_KP_7, 0x67 },
    { SDLK_KP_8, 0x68 },
    { SDLK_KP_9, 0x69 },
    { SDLK_KP_PERIOD, 0x6E },
    // The other keypad keys stand for the characters printed on them.
    { SDLK_KP_PLUS, '+' },
    { SDLK_KP_MINUS, '-' },
    { SDLK_KP_MULTIPLY, '*' },
    { SDLK_KP_DIVIDE, '/' },
    { SDLK_KP_EQUALS, '=' },
    { SDLK_KP_COMMA, ',' },
};

} // namespace

std::uint32_t ModifierFlagsFromSdl(std::uint16_t sdlModifiers)
{
    std::uint32_t flags = 0;
    if (sdlModifiers & KMOD_SHIFT)
        flags |= kShiftFlag;
    if (sdlModifiers & KMOD_CTRL)
        flags |= kControlFlag;
    if (sdlModifiers & KMOD_ALT)
        flags |= kOptionFlag;
    if (sdlModifiers & KMOD_GUI)
        flags |= kCommandFlag;
    return flags;
}

std::uint32_t ModifierFlagOfKey(SDL_Keycode key)
{
    switch (key) {
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return kShiftFlag;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return kControlFlag;
    case SDLK_LALT:
    case SDLK_RALT:
        return kOptionFlag;
    case SDLK_LGUI:
    case SDLK_RGUI:
        return kCommandFlag;
    default:
        return 0;
    }
}

std::uint32_t VirtualKeyFromSdl(SDL_Keycode key)
{
    for (const KeyCode& entry : kKeyTable) {
        if (entry.key == key)
            return entry.code;
    }
    // Every remaining key without a character of its own (F13 and up, media keys, Caps Lock).
    if ((key & SDLK_SCANCODE_MASK) != 0 || key <= 0)
        return 0;
    if (key >= 'a' && key <= 'z')
        return static_cast<std::uint32_t>(key - 'a' + 'A');
    return static_cast<std::uint32_t>(key);
}

bool KeyMayType(SDL_Keycode key)
{
    if ((key & SDLK_SCANCODE_MASK) == 0)
        return key >= 0x20 && key != 0x7F;
    bool keypad
        = (key >= SDLK_KP_DIVIDE && key <= SDLK_KP_PERIOD) || key == SDLK_KP_EQUALS || key == SDLK_KP_COMMA;
    return keypad && key != SDLK_KP_ENTER;
}

std::uint32_t ControlCharacterOfKey(SDL_Keycode key, std::uint32_t flags)
{
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    case SDLK_ESCAPE:
        return 27;
    default:
        break;
    }
    if ((flags & kControlFlag) != 0 && key >= 'a' && key <= 'z')
        return static_cast<std::uint32_t>(key - 'a' + 1);
    return 0;
}

} // namespace Ravel
