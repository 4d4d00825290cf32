// The message types' built-in display settings and their round trip through the settings record.
#include <gtest/gtest.h>

#include "app/settings.h"
#include "messages/message_handler.h"

#include "foundation/safeguards.h"

namespace {

TEST(MessageTypes, TheBuiltInTableHoldsItsKindsAndDisplays)
{
    int kinds[5] = {};
    int off = 0, log = 0, box = 0, boxPause = 0;
    for (int type = 0; type < kMessageTypeCount; ++type) {
        const CMessType& t = CMessageHandler::_MessType[type];
        EXPECT_EQ(t.type, type);
        ++kinds[t.boxKind];
        // At start the live and saved flags are the built-in ones.
        EXPECT_TRUE(t.shown == t.defaultShown && t.box == t.defaultBox && t.pause == t.defaultPause) << type;
        EXPECT_TRUE(t.savedShown == t.shown && t.savedBox == t.box && t.savedPause == t.pause) << type;
        if (!t.defaultShown)
            ++off;
        else if (t.defaultPause)
            ++boxPause;
        else if (t.defaultBox)
            ++box;
        else
            ++log;
    }
    EXPECT_EQ(kinds[kMessageBoxNormal], 73);
    EXPECT_EQ(kinds[kMessageBoxGoto], 19);
    EXPECT_EQ(kinds[kMessageBoxQuestion], 11);
    EXPECT_EQ(box, 51);
    EXPECT_EQ(boxPause, 6);
    EXPECT_EQ(log, 33);
    EXPECT_EQ(off, 13);
    EXPECT_STREQ(CMessageHandler::_MessType[72].stem, "SUE_FOR_PEACE");
    EXPECT_STREQ(CMessageHandler::_MessType[18].stem, "LBWINOTHER");
}

TEST(MessageTypes, TheFlagsGoIntoTheRecordAndComeBackUnchanged)
{
    CSettings settings;
    gpSettings = &settings;
    CMessageHandler::_MessType[5].pause = 1;
    gMessageHandler.UpdateSettings();
    EXPECT_EQ(settings.Record().pause[5], 1);
    EXPECT_EQ(settings.Record().shown[18], 0);
    EXPECT_EQ(settings.Record().inBox[0], 1);
    settings.Record().shown[18] = 1;
    gMessageHandler.InitMessages();
    EXPECT_EQ(CMessageHandler::_MessType[18].shown, 1);
    EXPECT_EQ(CMessageHandler::_MessType[18].defaultShown, 0);
    EXPECT_EQ(CMessageHandler::_MessType[5].pause, 1);
    gpSettings = nullptr;
}

} // namespace
