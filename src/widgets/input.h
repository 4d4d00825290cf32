// CInput (gpInput): the cursor, buttons and modifier keys as the game sees them, the input events made
// once per frame, and the game's own key codes; CInputable, the base of everything that takes input.
#pragma once

#include <cstdint>

#include "foundation/point_rect.h"

class CRZInputEvent;

class CInputable {
public:
    virtual ~CInputable() = default;
    // 0 not taken, 1 remove and destroy me, 2 bring me to the front, 3 taken.
    virtual int HandleInput(CRZInputEvent* event) = 0;
};

// What F12 without Shift toggles: the command console, while it exists.
class CConsoleToggle {
public:
    virtual ~CConsoleToggle() = default;
    // Processes the toggle event, which the caller deletes afterwards.
    virtual void Toggle(class CRZEvent* event) = 0;
};

// The key of virtual-key code 220 sends this code; the character messages must not send it again.
inline constexpr std::int8_t kBackslashKeyCode = -89;

class CInput {
public:
    // Once per frame: the cursor movement, the held left button, and the end of the frame's button hover.
    void Update();

    static CPoint GetMousePosition();
    // Where an input event happened; for any other event (a loop tick), the cursor now.
    static CPoint EventPosition(const class CRZEvent* event);
    static CPoint MousePosition() { return GetMousePosition(); }
    static int LeftButtonHold() { return _isLeftButton; }

    // Key-down messages: modifiers, the console key and the game's special keys.
    void SetSpecialKeys(unsigned virtualKey, long flags);
    // Key-up messages: only the modifiers are tracked.
    void SetUpKeys(unsigned virtualKey, long flags);
    // Character messages: every typed character as a key event.
    void GenerateKeyboardEvent(unsigned character, long flags);
    void ShutDown() { }

    // The game key code of a virtual key, or false for a key the game takes no code from (F12 without
    // Shift is the console's).
    static bool GameKeyCode(unsigned virtualKey, bool shift, int* code);

    static CPoint _ClippedPos;
    static CPoint _PrevPos;
    static CPoint _RelativePos;
    static CPoint _MouseOffset;
    static std::int32_t _LastMoved;
    static std::int32_t _isLeftButton;
    static std::int32_t _isRightButton;
    static std::int32_t _isShift;
    static std::int32_t _isControl;
    static std::int32_t _isOverButton;
    static std::int32_t _isMiddle;
    // The console while it exists (null otherwise); F12 reaches it at once.
    static CConsoleToggle* _pConsole;
};

extern CInput* gpInput;
