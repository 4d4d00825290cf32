// The message handler's display settings and their copy in the settings record, and the delivery of
// news: the type's texts looked up, the caller's strings and the form of address put in, then a log line
// or a box.
#include "messages/message_handler.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "app/game.h"
#include "foundation/text_format.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

CMessageHandler gMessageHandler;
CMessageHooks gMessageHooks;

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

namespace {

constexpr int kTypeThemSlainCommander = 23;

std::string Key(const char* stem, const char* suffix)
{
    return std::string(stem) + suffix;
}

const char* Text(const std::string& key)
{
    return TextStrings.GetString(key.c_str());
}

// The format filled with the strings in order. A text from the tables is data, never a printf format: a
// "%s" with no string left stays empty, and anything else it holds prints as it stands.
std::string Fill(const std::string& format, std::span<const char* const> strings)
{
    std::array<const char*, 6> s {};
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = i < strings.size() && strings[i] != nullptr ? strings[i] : "";
    std::string out = FormatDataText(format, { s[0], s[1], s[2], s[3], s[4], s[5] });
    if (out.size() > CMessageHandler::kTextMax)
        out.resize(CMessageHandler::kTextMax);
    return out;
}

} // namespace

int CMessageHandler::FormatMessageA(MessageType type, std::string& out) const
{
    if (type < 0 || type >= kMessageTypeCount || _MessType[type].shown == 0)
        return 0;
    const CMessType& record = _MessType[type];
    if (record.box != 0) {
        // All seven parts are looked up before joining; joining stops at the first empty part after the
        // first, which is always taken.
        std::string parts[7];
        parts[0] = Text(Key(record.stem, "_HEADER"));
        for (int part = 1; part <= 6; ++part)
            parts[part] = Text(Key(record.stem, ("_" + std::to_string(part)).c_str()));
        std::string joined = parts[0] + ";" + parts[1];
        for (int part = 2; part <= 6 && !parts[part].empty(); ++part)
            joined += ";" + parts[part];
        out = std::move(joined);
    } else {
        out = Text(Key(record.stem, "_LOG"));
    }
    InsertTitle(out);
    return 1;
}

void CMessageHandler::InsertTitle(std::string& text) const
{
    float points = 0.0f;
    if (gMessageHooks.GetPlayerVictoryPoints == nullptr || !gMessageHooks.GetPlayerVictoryPoints(points))
        return;
    // The scan goes on after each replacement, so a form of address that itself holds "%t" cannot make it
    // run for ever.
    for (std::size_t at = text.find("%t"); at != std::string::npos; at = text.find("%t", at)) {
        const int standing = std::clamp(static_cast<int>(points / 100.0f), 0, 5);
        const std::string key = "MESS_MASTERCALL" + std::to_string(standing + 1);
        const std::string address = Text(key);
        text.replace(at, 2, address);
        at += address.size();
    }
}

int CMessageHandler::ShowMessage(
    MessageType type, CRZCountryID country, std::span<const char* const> strings, int place)
{
    if (type < 0 || type >= kMessageTypeCount || strings.empty() || strings.size() > 6) {
        std::fprintf(stderr, "vellmark: a message of type %d with %zu texts is dropped\n",
            static_cast<int>(type), strings.size());
        return 0;
    }
    std::string format;
    if (!FormatMessageA(type, format))
        return 0;
    CMessType& record = _MessType[type];
    // A log line never sees the first string, which is the box's own.
    std::array<const char*, 5> logged {};
    const std::size_t logCount = strings.size() - 1;
    std::copy(strings.begin() + 1, strings.end(), logged.begin());
    if (type == kTypeThemSlainCommander && strings.size() == 3 && place != -1)
        std::swap(logged[0], logged[1]);
    const auto logLine = [&](const std::string& text) {
        // With only the box's own string there is nothing to fill in: the text goes as it is.
        return strings.size() == 1 ? text : Fill(text, std::span(logged.data(), logCount));
    };
    if (record.box == 0) {
        DoMessage(type, country, logLine(format).c_str(), place, -1);
        return 1;
    }
    // A boxed message leaves its log line first.
    record.box = 0;
    FormatMessageA(type, format);
    DoMessage(type, country, logLine(format).c_str(), place, -1);
    record.box = 1;
    FormatMessageA(type, format);
    DoMessage(type, country, Fill(format, strings).c_str(), place, -1);
    return 1;
}

int CMessageHandler::ShowMessage(MessageType type, CRZCountryID country, const char* s1)
{
    const char* const strings[] = { s1 };
    return ShowMessage(type, country, strings, -1);
}

int CMessageHandler::ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2)
{
    const char* const strings[] = { s1, s2 };
    return ShowMessage(type, country, strings, -1);
}

int CMessageHandler::ShowMessage(
    MessageType type, CRZCountryID country, const char* s1, const char* s2, const char* s3)
{
    const char* const strings[] = { s1, s2, s3 };
    return ShowMessage(type, country, strings, -1);
}

int CMessageHandler::ShowMessage(
    MessageType type, CRZCountryID country, const char* s1, const char* s2, const char* s3, const char* s4)
{
    const char* const strings[] = { s1, s2, s3, s4 };
    return ShowMessage(type, country, strings, -1);
}

int CMessageHandler::ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2,
    const char* s3, const char* s4, const char* s5, const char* s6)
{
    const char* const strings[] = { s1, s2, s3, s4, s5, s6 };
    return ShowMessage(type, country, strings, -1);
}

int CMessageHandler::ShowMessage(
    MessageType type, CRZCountryID country, const char* s1, const char* s2, int place)
{
    const char* const strings[] = { s1, s2 };
    return ShowMessage(type, country, strings, place);
}

int CMessageHandler::ShowMessage(
    MessageType type, CRZCountryID country, const char* s1, const char* s2, const char* s3, int place)
{
    const char* const strings[] = { s1, s2, s3 };
    return ShowMessage(type, country, strings, place);
}

int CMessageHandler::ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2,
    const char* s3, const char* s4, int place)
{
    const char* const strings[] = { s1, s2, s3, s4 };
    return ShowMessage(type, country, strings, place);
}

int CMessageHandler::ShowMessage(MessageType type, CRZCountryID country, const char* s1, const char* s2,
    const char* s3, const char* s4, const char* s5, int place)
{
    const char* const strings[] = { s1, s2, s3, s4, s5 };
    return ShowMessage(type, country, strings, place);
}

void CMessageHandler::DoMessage(
    MessageType type, CRZCountryID country, const char* text, int place, int32_t playerState)
{
    if (type < 0 || type >= kMessageTypeCount)
        return;
    const CMessType& record = _MessType[type];
    if (record.box != 0) {
        if (gMessageHooks.OpenBox != nullptr)
            gMessageHooks.OpenBox(type, country, text, Text(Key(record.stem, "_BTN1")),
                Text(Key(record.stem, "_BTN2")), place, playerState);
        return;
    }
    // Messages come from game code only, but a line raised while no game's log exists is dropped rather
    // than written through nothing.
    if (gpLogHistory == nullptr)
        return;
    char date[128] = {};
    const CDate today = CRZGame::GetCurrentDate();
    if (gMessageHooks.FormatDate != nullptr)
        gMessageHooks.FormatDate(date, sizeof date, today);
    // Without the language's date formats (a run without the interface) the date keeps its plain form.
    if (date[0] == 0)
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", static_cast<int>(today.year), today.month + 1,
            today.day + 1);
    std::string line = std::string(date) + " : " + (text != nullptr ? text : "");
    if (line.size() > kLogLineMax)
        line.resize(kLogLineMax);
    auto* log = new CHistoryLog(line.c_str());
    log->place = place;
    log->playerState = playerState;
    gpLogHistory->LogText(log, type);
}
