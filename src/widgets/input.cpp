// The input component: cursor reading and clamping, held-button events and the key table.
#include "widgets/input.h"

#include <algorithm>

#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "gfx/image.h"
#include "gfx/video.h"
#include "platform/input/window_messages.h"

#include "foundation/safeguards.h"

CInput* gpInput = nullptr;

CPoint CInput::_ClippedPos;
CPoint CInput::_PrevPos;
CPoint CInput::_RelativePos;
CPoint CInput::_MouseOffset;
std::int32_t CInput::_LastMoved = 0;
std::int32_t CInput::_isLeftButton = 0;
std::int32_t CInput::_isRightButton = 0;
std::int32_t CInput::_isShift = 0;
std::int32_t CInput::_isControl = 0;
std::int32_t CInput::_isOverButton = 0;
std::int32_t CInput::_isMiddle = 0;
CConsoleToggle* CInput::_pConsole = nullptr;

namespace {

constexpr unsigned kShiftKey = 16;
constexpr unsigned kControlKey = 17;
constexpr unsigned kF12Key = 123;

struct KeyRow {
    unsigned virtualKey;
    int plain;
    int shifted;
};

// Shift+F5 and Page Up share 260, Shift+F6 and Page Down 261, Shift+F12 and Tab 267.
constexpr KeyRow kKeyTable[] = {
    { 9, 267, 267 },
    { 19, 19, 19 },
    { 27, 14, 14 },
    { 33, 260, 260 },
    { 34, 261, 261 },
    { 35, 17, 17 },
    { 36, 16, 16 },
    { 37, 3, 3 },
    { 38, 1, 1 },
    { 39, 4, 4 },
    { 40, 2, 2 },
    { 46, 7, 7 },
    { 112, 255, 256 },
    { 113, 254, 257 },
    { 114, 253, 258 },
    { 115, 252, 259 },
    { 116, 251, 260 },
    { 117, 250, 261 },
    { 118, 249, 262 },
    { 119, 248, 263 },
    { 120, 247, 264 },
    { 121, 246, 265 },
    { 122, 266, 266 },
    { kF12Key, 0, 267 },
    { 220, kBackslashKeyCode, kBackslashKeyCode },
};

void PostKey(int code, long flags)
{
    PostInputEvent(new CRZInputEvent(_CRZEVT_KEYUP_, code, static_cast<int>(flags), CPoint()));
}

} // namespace

bool CInput::GameKeyCode(unsigned virtualKey, bool shift, int* code)
{
    if (virtualKey == kF12Key && !shift)
        return false;
    for (const KeyRow& row : kKeyTable) {
        if (row.virtualKey == virtualKey) {
            *code = shift ? row.shifted : row.plain;
            return true;
        }
    }
    return false;
}

void CInput::Update()
{
    Windows::POINT cursor {};
    Windows::GetCursorPos(&cursor);
    CPoint position(std::max<int32_t>(cursor.x - CVideo::FrontClipper.left, 0),
        std::max<int32_t>(cursor.y - CVideo::FrontClipper.top, 0));
    if (!(position == _PrevPos)) {
        _RelativePos = CPoint(position.x - _PrevPos.x, position.y - _PrevPos.y);
        PostInputEvent(new CRZInputEvent(_CRZEVT_MOUSEMOVE_, 0, 0, position));
        _LastMoved = gpTimer ? gpTimer->GetGameTicks() : 0;
    }
    _PrevPos = position;
    const int width = CVideo::GetBackBufferWidth();
    const int height = CVideo::GetBackBufferHeight();
    _ClippedPos = CPoint(std::clamp<int32_t>(position.x, 0, std::max(width - 1, 0)),
        std::clamp<int32_t>(position.y, 0, std::max(height - 1, 0)));
    if (_isLeftButton)
        PostInputEvent(new CRZInputEvent(_CRZEVT_MOUSELBHELD_, 0, 0, _ClippedPos));
    _isOverButton = 0;
}

CPoint CInput::GetMousePosition()
{
    return CPoint(_ClippedPos.x - _MouseOffset.x, _ClippedPos.y - _MouseOffset.y);
}

CPoint CInput::EventPosition(const CRZEvent* event)
{
    const auto* input = dynamic_cast<const CRZInputEvent*>(event);
    return input ? CPoint(input->Record().x, input->Record().y) : GetMousePosition();
}

void CInput::SetSpecialKeys(unsigned virtualKey, long flags)
{
    if (virtualKey == kShiftKey)
        _isShift = 1;
    if (virtualKey == kControlKey)
        _isControl = 1;
    if (virtualKey == kF12Key && !_isShift) {
        if (_pConsole) {
            CRZGenericEvent toggle(_CRZEVT_TOGGLE_CONSOLE_, ALLID);
            _pConsole->Toggle(&toggle);
        }
        return;
    }
    int code = 0;
    if (GameKeyCode(virtualKey, _isShift != 0, &code))
        PostKey(code, flags);
}

void CInput::SetUpKeys(unsigned virtualKey, long)
{
    if (virtualKey == kShiftKey)
        _isShift = 0;
    if (virtualKey == kControlKey)
        _isControl = 0;
}

void CInput::GenerateKeyboardEvent(unsigned character, long flags)
{
    if (character == 17 || static_cast<std::int8_t>(character & 0xFF) == kBackslashKeyCode)
        return;
    PostKey(static_cast<int>(character), flags);
}
