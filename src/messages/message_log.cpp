// The message log's lines: kept for the strip at the foot of the screen, written to "history.txt" and
// handed to the end-of-year report's history as they come.
#include "messages/message_handler.h"

#include "foundation/logs.h"

#include "foundation/safeguards.h"

CMessageHistoryList* gpLogHistory = nullptr;

void CMessageHistoryList::LogText(CHistoryLog* line, MessageType type)
{
    if (line == nullptr)
        return;
    mLines.push_back(CLine { std::unique_ptr<CHistoryLog>(line), type });
    ++mLogged;
    history("%s", line->text.c_str());
    if (gMessageHooks.AddHistory != nullptr)
        gMessageHooks.AddHistory(line->text.c_str());
}

void CMessageHistoryList::RemoveTop()
{
    if (!mLines.empty())
        mLines.pop_front();
}
