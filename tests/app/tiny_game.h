// The generated tiny game for the tests that run the game itself: its data folder, made once for a whole
// test program, and a host and a client session with which one run of the host is replayed on a client
// from the events the host sent.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

#include "app/game.h"
#include "app/headless.h"
#include "events/event_factory.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "events/net_event.h"
#include "foundation/data_file.h"
#include "foundation/random_generator.h"
#include "realms/country.h"
#include "support/generated_data.h"
#include "support/scratch.h"

class CTinyGameFolder : public testing::Environment {
public:
    void SetUp() override
    {
        Dir() = std::make_unique<support::ScratchDir>();
        ASSERT_TRUE(support::GenerateData(Dir()->path(), "tiny", 1));
        SetDataFolderOverride(Dir()->path().c_str());
        SetDataPath();
        ASSERT_TRUE(InitHeadlessTables(stderr));
    }
    void TearDown() override
    {
        ShutDownHeadlessTables();
        Dir().reset();
    }
    static std::unique_ptr<support::ScratchDir>& Dir()
    {
        static std::unique_ptr<support::ScratchDir> dir;
        return dir;
    }
};

inline void ProcessReady()
{
    gEventScheduler.ProcessAll();
    gEventScheduler.EmptyExternalList();
}

// Days as the host's clock hands them out, each with what it brings.
inline void Days(int count)
{
    for (int day = 0; day < count; ++day) {
        PostGlobalEvent(new CRZIntEvent(_CRZEVT_TIMER_DATE_, BASIC_CLIENT, 1));
        ProcessReady();
    }
}

// The host: what it sends to the other machines is kept in its network form, in order.
class CHostSession : public CEventSession {
public:
    bool IsHost() const override { return true; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent* event) override
    {
        const uint8_t* bytes = event->GetRecordBytes();
        records.emplace_back(bytes, bytes + event->GetDataSize());
    }
    std::vector<std::vector<uint8_t>> records;
};

class CClientSession : public CEventSession {
public:
    bool IsHost() const override { return false; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent*) override { }
};

// Loads the tiny game under the session, runs the body and answers the state's hash (0 when the game did
// not load).
template <typename Body> uint64_t PlayTinyGame(CEventSession* session, Body body)
{
    SetEventSession(session);
    gGameRandom.Seed(1);
    gpGame = new CRZGame("scenarios\\tiny.rzg", 0);
    uint64_t hash = 0;
    if (gpGame->IsLoaded()) {
        ProcessReady();
        body();
        hash = HashGameState();
    }
    delete gpGame;
    gpGame = nullptr;
    gEventScheduler.Erase();
    SetEventSession(nullptr);
    return hash;
}

// Every realm's victory points, which the saved state and so its hash leave out.
inline std::vector<float> VictoryPoints()
{
    std::vector<float> points;
    for (const CRZCountry* realm : CRZCountry::_pCountry) {
        if (realm != nullptr)
            points.insert(points.end(), std::begin(realm->baseVP), std::end(realm->baseVP));
    }
    return points;
}

// On a client: applies the host's events in the order it sent them.
inline void ApplyHostRecords(const CHostSession& host)
{
    for (const std::vector<uint8_t>& record : host.records) {
        CRZNetEvent net(record.data(), static_cast<uint32_t>(record.size()));
        CRZEvent* event = BuildEventFromNetwork(&net);
        ASSERT_NE(event, nullptr);
        PostLocalEvent(event);
        ProcessReady();
    }
}
