// The message handler's display settings and their copy in the settings record.
#include "messages/message_handler.h"

#include "foundation/safeguards.h"

CMessageHandler gMessageHandler;

void CMessageHandler::UpdateSettings()
{
    if (gpSettings == nullptr)
        return;
    CSettingsRecord& record = gpSettings->Record();
    for (int type = 0; type < kMessageTypeCount; ++type) {
        record.shown[type] = _MessType[type].shown;
        record.inBox[type] = _MessType[type].box;
        record.pause[type] = _MessType[type].pause;
    }
}

void CMessageHandler::InitMessages()
{
    if (gpSettings == nullptr)
        return;
    const CSettingsRecord& record = gpSettings->Record();
    for (int type = 0; type < kMessageTypeCount; ++type) {
        _MessType[type].shown = record.shown[type];
        _MessType[type].box = record.inBox[type];
        _MessType[type].pause = record.pause[type];
    }
}

void CMessageHandler::ShowMessage(int type, int32_t realm, const char* const* texts, int count)
{
    if (type < 0 || type >= kMessageTypeCount)
        return;
    CShownMessage message;
    message.type = type;
    message.realm = realm;
    for (int i = 0; i < count && i < 6; ++i)
        message.texts.emplace_back(texts[i] != nullptr ? texts[i] : "");
    log.push_back(std::move(message));
    if (log.size() > kLogLength)
        log.pop_front();
}
