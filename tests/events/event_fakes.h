// Test doubles of the multiplayer session and the routing, and a fixture that installs them around
// a clean scheduler.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "events/event.h"
#include "events/event_hooks.h"
#include "foundation/calendar_date.h"

// A session that records what it is asked to send: the type and the record bytes of each copy.
class CFakeSession : public CEventSession {
public:
    bool host = true;
    bool open = true;
    std::vector<uint32_t> sentTypes;
    std::vector<std::vector<uint8_t>> sentRecords;

    bool IsHost() const override { return host; }
    bool IsOpen() const override { return open; }
    void SendEvent(CRZNetEvent* event) override;
};

// Installs a recording delivery and a clock date, and leaves the scheduler empty before and after.
class EventTest : public ::testing::Test {
public:
    // Every delivered event's type, in delivery order.
    static std::vector<uint32_t> delivered;
    // Called for each delivery, after it is recorded; lets a test post events while one is processed.
    static void (*onDeliver)(CRZEvent* event);

protected:
    CDate clock { 0, 0, 1066 };

    void SetUp() override;
    void TearDown() override;
};
