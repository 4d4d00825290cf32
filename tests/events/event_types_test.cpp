// The event type table: names, the unknown-value text, the input types and the local-only types.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "events/event_types.h"
#include "events/generic_events.h"

#include "foundation/safeguards.h"

TEST(EventTypes, NamesFollowTheirValues)
{
    EXPECT_STREQ(GetEventTypeName(0), "APPMSG_CHATSTRING");
    EXPECT_STREQ(GetEventTypeName(6), "APPSET_OPTIONS");
    EXPECT_STREQ(GetEventTypeName(7), "_CRZEVT_UPDATE_PLAYERS_");
    EXPECT_STREQ(GetEventTypeName(261), "_CRZEVT_START_GAME_TIMER_");
    EXPECT_STREQ(GetEventTypeName(379), "_CRZEVT_ACCESS_");
    EXPECT_STREQ(GetEventTypeName(384), "_CRZEVT_KILL_MINISTER_");
    EXPECT_STREQ(GetEventTypeName(504), "_CRZEVT_SET_PEACE_");
    EXPECT_EQ(_CRZEVT_SET_PEACE_, 504u);
    EXPECT_EQ(_CRZEVT_TIMER_DAY_, 22u);

    // Every named value has its own name; the six unnamed ones answer as unknown.
    std::set<std::string> names;
    int unnamed = 0;
    for (uint32_t type = 0; type < kEventTypeCount; ++type) {
        const std::string name = GetEventTypeName(type);
        if (name.rfind("Uknown event ", 0) == 0)
            ++unnamed;
        else
            EXPECT_TRUE(names.insert(name).second) << name;
    }
    EXPECT_EQ(unnamed, 6);
    EXPECT_EQ(names.size(), 499u);
}

TEST(EventTypes, UnknownValuesShareOneFormattedBuffer)
{
    struct Case {
        uint32_t type;
        const char* text;
    };
    for (const Case& c : { Case { 478, "Uknown event 478" }, Case { 380, "Uknown event 380" },
             Case { 435, "Uknown event 435" }, Case { 505, "Uknown event 505" },
             Case { 0xFFFFFFFFu, "Uknown event -1" } })
        EXPECT_STREQ(GetEventTypeName(c.type), c.text);

    const char* first = GetEventTypeName(505);
    const char* second = GetEventTypeName(478);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "Uknown event 478");
}

TEST(EventTypes, InputTypesAreExactlyTheMouseAndKeyTypes)
{
    for (uint32_t type = 0; type < 600; ++type)
        EXPECT_EQ(IsInputType(type), type >= 12 && type <= 21) << type;
    EXPECT_FALSE(IsInputType(0xFFFFFFFFu));

    struct Point {
        int x, y;
    };
    CRZInputEvent key(_CRZEVT_KEYUP_, 0, 0, Point { 0, 0 });
    CRZGenericEvent tick(_CRZEVT_TIMER_TICK_LOOP_, ALLID);
    CRZIntEvent day(_CRZEVT_TIMER_DATE_, BASIC_CLIENT, 1);
    CRZInputEvent wheel(_CRZEVT_MOUSEWHEEL_, 0, 0, Point { 0, 0 });
    EXPECT_TRUE(IsInputEvent(&key));
    EXPECT_TRUE(IsInputEvent(&wheel));
    EXPECT_FALSE(IsInputEvent(&tick));
    EXPECT_FALSE(IsInputEvent(&day));
}

TEST(EventTypes, OneHundredNinetyTypesHaveNoNetworkForm)
{
    int localOnly = 0;
    for (uint32_t type = 0; type < kEventTypeCount; ++type)
        localOnly += HasNetworkForm(type) ? 0 : 1;
    EXPECT_EQ(localOnly, 190);

    // Both ends of several ranges, their neighbours, and values outside the enumeration.
    for (uint32_t type : { 4u, 7u, 12u, 21u, 26u, 52u, 53u, 129u, 138u, 204u, 215u, 412u, 414u, 474u })
        EXPECT_FALSE(HasNetworkForm(type)) << type;
    for (uint32_t type : { 0u, 3u, 5u, 6u, 11u, 22u, 25u, 27u, 139u, 216u, 380u, 435u, 475u, 478u, 504u })
        EXPECT_TRUE(HasNetworkForm(type)) << type;
    EXPECT_FALSE(HasNetworkForm(505));
    EXPECT_FALSE(HasNetworkForm(0xFFFFFFFFu));
}
