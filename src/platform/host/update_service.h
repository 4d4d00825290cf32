// The check for a newer version of the game before it starts. No update server exists for this build:
// the service answers at once that the running version is the newest.
#pragma once

namespace Ravel {

class GameAppDelegate;

// The version this build reports to the update check.
inline constexpr const char* kRunningVersion = "0.1";

class UpdateService {
public:
    virtual ~UpdateService() = default;
    // Starts the check; the answer comes through GameAppDelegate::statusChecker, now or at a later poll.
    virtual void checkForUpdatesInBackground(GameAppDelegate& delegate) = 0;
    // The update run that follows an answer naming a newer version.
    virtual void startUpdater() = 0;
    // True once the update run is over.
    virtual bool finishedWithWindow() = 0;
};

// Answers at once with the running version, not newer; its update run is over before it starts.
class NoUpdateService : public UpdateService {
public:
    void checkForUpdatesInBackground(GameAppDelegate& delegate) override;
    void startUpdater() override { }
    bool finishedWithWindow() override { return true; }
};

} // namespace Ravel
