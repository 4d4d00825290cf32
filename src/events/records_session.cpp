// The session events that copy names, blocks and packets, bounded on the way in and checked on receipt.
#include "events/records_session.h"

#include <cstdio>
#include <cstring>

#include "foundation/safeguards.h"

CRZSendPlayerEvent::CRZSendPlayerEvent(CRZNetEvent* net)
    : CRZRecordEvent(net)
{
    TerminateRecordName(Record().player.name);
}

CRZSendPlayerEvent::CRZSendPlayerEvent(CRZEvtType type, const DPPLAYERSendRecord& player)
    : CRZRecordEvent(type, ALLID)
{
    Record().player = player;
    TerminateRecordName(Record().player.name);
}

CRZSetOptionsEvent::CRZSetOptionsEvent(const uint8_t* settingsRecord)
    : CRZRecordEvent(APPSET_OPTIONS, ALLID)
{
    static_assert(kOptionsBlockOffset + sizeof(CRZInts9) == kSettingsRecordSize);
    if (settingsRecord != nullptr)
        std::memcpy(Record().options, settingsRecord + kOptionsBlockOffset, sizeof(Record().options));
}

CRZSetScenarioEvent::CRZSetScenarioEvent(CRZNetEvent* net)
    : CRZRecordEvent(net)
{
    TerminateRecordName(Record().fileName);
}

CRZSetScenarioEvent::CRZSetScenarioEvent(int id, const char* fileName, int fileSize, int byteSum)
    : CRZRecordEvent(APPMSG_SCENARIO, ALLID)
{
    Record().id = id;
    Record().fileSize = fileSize;
    Record().byteSum = byteSum;
    if (!CopyRecordName(Record().fileName, fileName)) {
        std::memset(Record().fileName, 0, sizeof(Record().fileName));
        RefuseEvent(this, "the scenario file name does not fit in 127 characters");
    }
}

CRZPacketEvent::CRZPacketEvent(CRZNetEvent* net)
    : CRZRecordEvent(net)
{
    if (GetRequiredSize() == kUnreadableRecord)
        fprintf(stderr, "Received game-file packet claims %d bytes\n", static_cast<int>(Record().length));
}

CRZPacketEvent::CRZPacketEvent(
    CRZEvtType type, const CRZID& receiver, const char* inData, int number, int length)
    : CRZRecordEvent(type, receiver)
{
    Record().number = number;
    if (length < 0 || length > kMaxLength || (inData == nullptr && length > 0)) {
        RefuseEvent(this, "a game-file packet holds 0 to 2048 bytes");
        return;
    }
    if (length > 0)
        std::memcpy(Record().bytes, inData, static_cast<std::size_t>(length));
    Record().length = length;
}

uint32_t CRZPacketEvent::GetRequiredSize() const
{
    const int32_t length = Record().length;
    return length >= 0 && length <= kMaxLength ? sizeof(CRZPacketData) : kUnreadableRecord;
}
