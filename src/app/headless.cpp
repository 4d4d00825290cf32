// The game without a window: the tables a game needs, the session on the chosen file, the days run one
// date event at a time with no frame wait, and the recording or replaying of the host's global events.
#include "app/headless.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "app/game.h"
#include "app/game_wiring.h"
#include "app/invariant_checker.h"
#include "armies/combat_stats.h"
#include "characters/character_server.h"
#include "characters/law.h"
#include "characters/trait.h"
#include "datalang/lexer.h"
#include "datalang/scenario_parser.h"
#include "events/event_factory.h"
#include "events/event_hooks.h"
#include "events/event_journal.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/net_event.h"
#include "foundation/data_file.h"
#include "foundation/fatal_error.h"
#include "foundation/math_tables.h"
#include "foundation/random_generator.h"
#include "messages/message_handler.h"
#include "realms/advance.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/province_effect.h"
#include "realms/province_improvement.h"
#include "realms/terrain.h"
#include "text/new_text.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

// The host of a recorded run: every global event it processes is kept in its network form, in order.
class CRecordingSession : public CEventSession {
public:
    std::vector<std::vector<uint8_t>> records;
    bool IsHost() const override { return true; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent* event) override
    {
        const uint8_t* bytes = event->GetRecordBytes();
        records.emplace_back(bytes, bytes + event->GetDataSize());
    }
};

// A client: it runs no server of the host's and sends nothing anywhere.
class CReplayingSession : public CEventSession {
public:
    bool IsHost() const override { return false; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent*) override { }
};

// Every ready event, and the copies they leave for the other machines.
void ProcessReady()
{
    gEventScheduler.ProcessAll();
    gEventScheduler.EmptyExternalList();
}

} // namespace

bool InitHeadlessTables(std::FILE* err)
{
    SetDataPath();
    InstallGameWiring();
    CTerrain::Init();
    CMath::Init();
    if (!TextStrings.Init(RZ_LANGUAGE_0)) {
        std::fprintf(err, "vellmark: the text tables in the data folder are damaged\n");
        return false;
    }
    CLexer::InitTokens();
    // Without its lists every character born or made in play would bear the infant's name.
    CCharacterServer::ParseRandomCharacterNames();
    const struct {
        bool (*init)();
        const char* file;
    } tables[] = {
        { &CCountryDB::Init, "db\\country.csv" },
        { &CLawType::Init, "db\\laws.txt" },
        { &CProvinceImprovementType::Init, "db\\provinceimprovements.txt" },
        { &CProvinceEffectType::Init, "db\\ProvinceEffects.txt" },
        { &CAdvanceType::Init, "db\\advances.txt" },
        { &CCombatStats::Init, "db\\combat.txt" },
        { &CTraitType::Init, "db\\traits.txt" },
    };
    for (const auto& table : tables) {
        if (!table.init()) {
            std::fprintf(err, "vellmark: %s could not be read\n", table.file);
            return false;
        }
    }
    ClearCountryControl();
    // A clock that no platform timer drives: the runner hands it its days.
    KillTimer();
    gpTimer = new CRZTimer(15);
    // Events scheduled for a later day wait for this clock's date.
    gEventScheduler.SetClockDate(&gpTimer->GetDate());
    gGlobal.Init();
    CRZGame::CalculateVersion();
    return true;
}

void ShutDownHeadlessTables()
{
    KillTimer();
    CLawType::Shutdown();
    CProvinceImprovementType::Shutdown();
    CAdvanceType::Shutdown();
    CCombatStats::Shutdown();
    CTraitType::Shutdown();
    CProvinceEffectType::Shutdown();
    gGlobal.DeInit();
}

namespace {

std::string GamePath(const std::string& scenario)
{
    if (scenario.find_first_of("\\/.") == std::string::npos)
        return "scenarios\\" + scenario + ".rzg";
    return scenario;
}

// Each record of the journal must be an event this game rebuilds from the network, before any is applied.
bool CheckRecords(const CEventJournal& journal, std::string& message)
{
    for (std::size_t i = 0; i < journal.records.size(); ++i) {
        CRZNetEvent net(journal.records[i].data(), static_cast<uint32_t>(journal.records[i].size()));
        std::unique_ptr<CRZEvent> event(BuildEventFromNetwork(&net));
        if (!event) {
            message = "event " + std::to_string(i + 1) + " of the journal is no event this game knows";
            return false;
        }
    }
    return true;
}

} // namespace

bool IsHeadlessCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--headless") == 0)
            return true;
    return false;
}

bool ParseHeadlessArguments(int argc, char** argv, CHeadlessOptions& options, std::string& message)
{
    options = CHeadlessOptions {};
    bool daysGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--headless")
            continue;
        if (option == "--check" || option == "--timing") {
            (option == "--check" ? options.check : options.timing) = true;
            continue;
        }
        if (option == "--messages") {
            options.messages = true;
            continue;
        }
        std::string* text = option == "--scenario" ? &options.scenario
            : option == "--save"                   ? &options.save
            : option == "--record"                 ? &options.record
            : option == "--replay"                 ? &options.replay
            : option == "--day-hashes"             ? &options.dayHashes
                                                   : nullptr;
        const bool days = option == "--days";
        const bool seed = option == "--seed";
        const bool data = option == "--data";
        if (text == nullptr && !days && !data && !seed) {
            message = "unknown option " + option;
            return false;
        }
        if (i + 1 >= argc || argv[i + 1][0] == 0) {
            message = option + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        if (data)
            continue;
        if (seed) {
            char* end = nullptr;
            const unsigned long long number = std::strtoull(value, &end, 10);
            if (*end != 0 || number > 0xFFFFFFFFull || value[0] == '-') {
                message = std::string("--seed takes a number from 0 to 4294967295, not ") + value;
                return false;
            }
            options.seed = static_cast<uint32_t>(number);
            continue;
        }
        if (days) {
            char* end = nullptr;
            const long count = std::strtol(value, &end, 10);
            if (daysGiven || *end != 0 || count < 0 || count > 1000000) {
                message = std::string("--days takes a number of days from 0 to 1000000, not ") + value;
                return false;
            }
            options.days = static_cast<int>(count);
            daysGiven = true;
            continue;
        }
        if (!text->empty()) {
            message = option + " is given twice";
            return false;
        }
        *text = value;
    }
    if (options.scenario.empty()) {
        message = "--scenario NAME is needed";
        return false;
    }
    if (!options.record.empty() && !options.replay.empty()) {
        message = "a run either records or replays a journal, not both";
        return false;
    }
    if (!options.replay.empty() && daysGiven) {
        message = "a replay runs the days of its journal; --days does not go with --replay";
        return false;
    }
    return true;
}

uint64_t HashGameState()
{
    CScenarioWorld* world = gpGame != nullptr ? gpGame->GetWorld() : nullptr;
    if (world == nullptr)
        return 0;
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* memory = open_memstream(&text, &size);
    if (memory == nullptr)
        return 0;
    try {
        CRZScenarioParser parser(memory, "state", *world);
        parser.Write();
    } catch (int) {
    }
    std::fclose(memory);
    uint64_t hash = 0xCBF29CE484222325ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(text[i]);
        hash *= 0x100000001B3ull;
    }
    std::free(text);
    return hash;
}

namespace {

// The line that ends a run, and each day of a run asked for its days' hashes: the date and the state hash.
uint64_t WriteDateAndHash(std::FILE* out)
{
    const uint64_t hash = HashGameState();
    const CDate date = CRZGame::GetCurrentDate();
    std::fprintf(out, "%04d-%02d-%02d %016llx\n", date.year, date.month + 1, date.day + 1,
        static_cast<unsigned long long>(hash));
    return hash;
}

} // namespace

int RunHeadless(const CHeadlessOptions& options, std::FILE* out, std::FILE* err)
{
    CEventJournal journal;
    std::string message;
    if (!options.replay.empty() && !ReadEventJournal(options.replay.c_str(), journal, message)) {
        std::fprintf(err, "vellmark: %s: %s\n", options.replay.c_str(), message.c_str());
        return 1;
    }
    if (!InitHeadlessTables(err)) {
        ShutDownHeadlessTables();
        return 1;
    }
    if (!options.replay.empty() && journal.scenario != GamePath(options.scenario))
        message = "the journal was recorded on " + journal.scenario;
    if (!options.replay.empty() && (!message.empty() || !CheckRecords(journal, message))) {
        std::fprintf(err, "vellmark: %s: %s\n", options.replay.c_str(), message.c_str());
        ShutDownHeadlessTables();
        return 1;
    }
    CRecordingSession recorder;
    CReplayingSession client;
    if (!options.record.empty())
        SetEventSession(&recorder);
    else if (!options.replay.empty())
        SetEventSession(&client);

    int status = 0;
    const std::string path = GamePath(options.scenario);
    gGameRandom.Seed(options.seed);
    CInvariantChecker checker;
    std::FILE* dayHashes = nullptr;
    if (!options.dayHashes.empty() && (dayHashes = std::fopen(options.dayHashes.c_str(), "w")) == nullptr) {
        std::fprintf(err, "vellmark: %s cannot be written\n", options.dayHashes.c_str());
        SetEventSession(nullptr);
        ShutDownHeadlessTables();
        return 1;
    }
    // The message log's lines since the last look; the log is the game's and goes with it.
    uint64_t messagesShown = 0;
    auto showMessages = [&] {
        if (!options.messages || gpLogHistory == nullptr)
            return;
        const uint64_t logged = gpLogHistory->GetLoggedCount();
        const std::size_t count = gpLogHistory->GetCount();
        const uint64_t first = logged - count;
        for (uint64_t line = std::max(messagesShown, first); line < logged; ++line)
            std::fprintf(out, "message: %s\n",
                gpLogHistory->GetLine(static_cast<std::size_t>(line - first)).text.c_str());
        messagesShown = logged;
    };
    // Checks and hashes the day just ended; a replay ends its days where the host's loop ticks did.
    auto check = [&] {
        showMessages();
        if (options.check)
            checker.CheckDay(err);
        if (dayHashes != nullptr)
            WriteDateAndHash(dayHashes);
    };
    gpGame = new CRZGame(path.c_str(), 0);
    if (!gpGame->IsLoaded()) {
        std::fprintf(err, "vellmark: %s could not be loaded: %s\n", path.c_str(), gpGame->GetLoadError());
        status = 1;
    } else {
        ProcessReady();
        // The day's own work only: the checks and hashes asked for are not timed.
        using Clock = std::chrono::steady_clock;
        Clock::duration busy {};
        Clock::duration worst {};
        int timedDays = 0;
        if (options.replay.empty()) {
            for (int day = 0; day < options.days; ++day) {
                const Clock::time_point start = Clock::now();
                PostGlobalEvent(new CRZIntEvent(_CRZEVT_TIMER_DATE_, BASIC_CLIENT, 1));
                ProcessReady();
                // A frame's loop tick ends the day. It goes out with the day's events, so that a replay
                // runs it at the same point as the host.
                PostGlobalEvent(new CRZGenericEvent(_CRZEVT_TIMER_TICK_LOOP_, ALLID));
                ProcessReady();
                const Clock::duration spent = Clock::now() - start;
                busy += spent;
                worst = std::max(worst, spent);
                ++timedDays;
                check();
            }
        } else {
            for (const std::vector<uint8_t>& record : journal.records) {
                CRZNetEvent net(record.data(), static_cast<uint32_t>(record.size()));
                CRZEvent* event = BuildEventFromNetwork(&net);
                const bool dayEnds = event != nullptr && event->GetType() == _CRZEVT_TIMER_TICK_LOOP_;
                PostLocalEvent(event);
                ProcessReady();
                if (dayEnds)
                    check();
            }
        }
        if (options.timing) {
            const double seconds = std::chrono::duration<double>(busy).count();
            std::fprintf(err, "vellmark: %d days in %.3f s, %.0f days/s, slowest day %.3f ms\n", timedDays,
                seconds, seconds > 0.0 ? timedDays / seconds : 0.0,
                std::chrono::duration<double, std::milli>(worst).count());
        }
        if (!options.save.empty() && !gpGame->SaveAs(options.save.c_str())) {
            std::fprintf(err, "vellmark: %s\n", gpGame->GetSaveError());
            status = 1;
        }
        if (options.check) {
            checker.Report(err);
            if (checker.GetBreaks() > 0)
                status = 1;
        }
        showMessages();
        const uint64_t hash = WriteDateAndHash(out);
        if (!options.record.empty()) {
            journal.scenario = path;
            journal.records = recorder.records;
            journal.stateHash = hash;
            if (!WriteEventJournal(options.record.c_str(), journal, message)) {
                std::fprintf(err, "vellmark: %s: %s\n", options.record.c_str(), message.c_str());
                status = 1;
            }
        }
        if (!options.replay.empty() && hash != journal.stateHash) {
            std::fprintf(err, "vellmark: the replay ended in another state than its host (%016llx)\n",
                static_cast<unsigned long long>(journal.stateHash));
            status = 1;
        }
    }
    if (dayHashes != nullptr)
        std::fclose(dayHashes);
    delete gpGame;
    gpGame = nullptr;
    delete gpLogHistory;
    gpLogHistory = nullptr;
    SetEventSession(nullptr);
    ShutDownHeadlessTables();
    return status;
}
