// Test helper of the widget tests: the interface's place in the event routes taken by a recorder of the
// input events that reach it, with the game clock and the input component that input needs.
#pragma once

#include <vector>

#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "widgets/input.h"

namespace widgets_test {

struct Seen {
    int type;
    int code;
    int flags;
    int x;
    int y;
    bool operator==(const Seen&) const = default;
};

class CInputRecorder : public CRZInterfaceHandler {
public:
    CRZReturnType Update(CRZEvent*) override { return 0; }
    CRZReturnType HandleInput(CRZInputEvent* event) override
    {
        const auto& r = event->Record();
        seen.push_back({ static_cast<int>(event->GetType()), r.value1, r.value2, r.x, r.y });
        return 3;
    }
    // Runs the queued input and answers what reached the recorder since the last call.
    std::vector<Seen> Take()
    {
        gEventScheduler.ProcessInput();
        std::vector<Seen> out;
        out.swap(seen);
        return out;
    }
    std::vector<Seen> seen;
};

// The clock, gpInput and the recorder in place for the life of the object; the input state starts clear.
class ScopedInput {
public:
    ScopedInput()
    {
        gpTimer = new CRZTimer(15);
        gpInput = new CInput();
        gEventRoutes.gameInterface = &recorder;
        CInput::_isLeftButton = CInput::_isRightButton = CInput::_isShift = CInput::_isControl = 0;
        CInput::_isMiddle = 0;
        CInput::_PrevPos = CInput::_MouseOffset = CPoint();
    }
    ~ScopedInput()
    {
        gEventScheduler.EmptyInputList();
        gEventRoutes.gameInterface = nullptr;
        delete gpInput;
        gpInput = nullptr;
        delete gpTimer;
        gpTimer = nullptr;
    }
    CInputRecorder recorder;
};

} // namespace widgets_test
