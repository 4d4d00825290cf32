// What the pause display and the goto box need of the local player's controller (gpPlayer) and of the
// multiplayer session, both above the widgets. Unset hooks answer as if there were no session, no pause
// button and no hold.
#pragma once

struct CWidgetPlayerHooks {
    // The local player's number in the session's player records; 0 without a session.
    int (*GetLocalPlayer)() = nullptr;
    // The local player may pause again: its pause button is enabled.
    void (*EnablePauseButton)() = nullptr;
    // The controller's hold flag, set while the goto box is open in single player.
    bool (*IsHolding)() = nullptr;
    void (*SetHolding)(bool hold) = nullptr;
};
extern CWidgetPlayerHooks gWidgetPlayerHooks;
