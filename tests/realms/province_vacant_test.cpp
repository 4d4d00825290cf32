// Vacant counties: the host makes one count among the rebels for a county without holder and hands him the
// county through the character server; a held county, a client and the days before the inheritance arrives
// make nobody.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "characters/character_server.h"
#include "events/event_hooks.h"
#include "events/game_clock.h"
#include "events/records_character.h"
#include "events/variable_events.h"
#include "realm_handlers.h"
#include "realms/inheritance.h"

#include "foundation/safeguards.h"

namespace {

struct Delivery {
    CRZEvtType type;
    CRZID receiver;
};
std::vector<Delivery> gDelivered;
CCharacterServer* gServer = nullptr;

// The character server and the characters take their events; everything is noted.
CRZReturnType Route(CRZEvent* event)
{
    gDelivered.push_back({ event->GetType(), event->GetReceiver() });
    if (event->GetReceiver() == CHARACTER_SERVER)
        return gServer->Update(event);
    if (auto* character = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(event->GetReceiver())))
        return character->Update(event);
    return 0;
}

class VacantCountyTest : public RealmHandlerTest {
protected:
    void SetUp() override
    {
        RealmHandlerTest::SetUp();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        server = std::make_unique<CCharacterServer>();
        gServer = server.get();
        gDelivered.clear();
        SetEventDelivery(&Route);
        realm = Make(5);
        lord = Ruler(realm);
        rebels = Make(kRebelCountry);
        Ruler(rebels);
        province = Land(12, realm);
        province->religion = 1;
        province->culture = 7;
    }
    void TearDown() override
    {
        SetEventDelivery(nullptr);
        gEventScheduler.Erase();
        for (auto it = server->GetHead(); !it.IsEnd(); it++)
            delete *it;
        server->RemoveAll();
        server.reset();
        RealmHandlerTest::TearDown();
        delete gpTimer;
        gpTimer = nullptr;
    }
    static int Creations()
    {
        int count = 0;
        for (const Delivery& d : gDelivered)
            count += d.type == _CRZEVT_CHARACTER_CREATION_ && d.receiver == CHARACTER_SERVER ? 1 : 0;
        return count;
    }

    std::unique_ptr<CCharacterServer> server;
    CRZCountry* realm = nullptr;
    CRZCountry* rebels = nullptr;
    CCharacter* lord = nullptr;
    CProvince* province = nullptr;
};

TEST_F(VacantCountyTest, ARebelCountIsMadeOnceAndInheritsTheCountyFromItsLastHolder)
{
    province->handleTimerDay();
    EXPECT_EQ(Creations(), 0) << "a held county";

    CTitle::GetTitle(12)->SetNewHolder(nullptr);
    host = false;
    province->handleTimerDay();
    EXPECT_EQ(Creations(), 0) << "a client waits for the host";

    host = true;
    province->handleTimerDay();
    ASSERT_EQ(Creations(), 1);
    auto* count = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(province->vacancyHeir));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->GetCountry(), rebels);
    EXPECT_EQ(count->religion, 1);
    EXPECT_EQ(count->culture, 7);

    const std::vector<CRZEvent*> inherit = Waiting(_CRZEVT_INHERIT_);
    ASSERT_EQ(inherit.size(), 1u);
    const auto* share = static_cast<CRZInheritEvent*>(inherit[0]);
    EXPECT_EQ(share->GetReceiver(), count->GetID());
    EXPECT_EQ(share->Record().second, lord->GetID()) << "the last holder leaves it";
    ASSERT_EQ(share->GetCount(CRZInheritEvent::Titles), 1u);
    EXPECT_EQ(share->GetIdentity(CRZInheritEvent::Titles, 0), CTitle::GetTitle(12)->GetID());

    // Further days before the inheritance is processed make nobody new.
    province->handleTimerDay();
    province->handleTimerDay();
    EXPECT_EQ(Creations(), 1);

    // Once held again the province forgets its count.
    CTitle::GetTitle(12)->SetNewHolder(count);
    province->handleTimerDay();
    EXPECT_EQ(province->vacancyHeir, NOID);
}

TEST_F(VacantCountyTest, WithoutTheRebelsLeaderNoCountIsMade)
{
    rebels->ruler = nullptr;
    CTitle::GetTitle(12)->SetNewHolder(nullptr);
    province->handleTimerDay();
    EXPECT_EQ(province->vacancyHeir, NOID);
    EXPECT_TRUE(Waiting(_CRZEVT_INHERIT_).empty());
}

} // namespace
