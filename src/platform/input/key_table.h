// The game's virtual-key codes for SDL key codes, and the modifier flags that key messages track.
#pragma once

#include <SDL_keycode.h>
#include <cstdint>

namespace Ravel {

// Modifier flags as the game view keeps them; Command is tracked but never reported to the game.
enum ModifierFlag : std::uint32_t {
    kShiftFlag = 0x20000,
    kControlFlag = 0x40000,
    kOptionFlag = 0x80000,
    kCommandFlag = 0x100000,
};

std::uint32_t ModifierFlagsFromSdl(std::uint16_t sdlModifiers);
// The flag a modifier key stands for; 0 for every other key.
std::uint32_t ModifierFlagOfKey(SDL_Keycode key);

// The virtual-key code of a key, or 0 when the key sends nothing (function keys beyond F12, keys
// without a code of their own). Letters give their upper case, keypad digits 0x60 to 0x69.
std::uint32_t VirtualKeyFromSdl(SDL_Keycode key);

// Whether a press of the key may come with a text of its own (printable keys and keypad characters).
bool KeyMayType(SDL_Keycode key);

// The character that a key without a text of its own types (Return, Enter, Backspace, Tab, Escape;
// Control with a letter gives its control character); 0 for none.
std::uint32_t ControlCharacterOfKey(SDL_Keycode key, std::uint32_t flags);

} // namespace Ravel
