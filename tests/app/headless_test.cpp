// The game run without a window, as "vellmark --headless" on a generated tiny data folder: the same run
// twice ends on one state hash, a replay of a recorded run ends on the host's and every day on the host's
// day hash, a save loads and saves back to
// the same bytes, and a bad scenario, journal or command line ends with a message and a failing status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "events/event_journal.h"
#include "support/scratch.h"

#include "headless_run.h"

#include "foundation/safeguards.h"

namespace {

testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new CHeadlessFolder);

TEST(Headless, SameRunTwiceEndsOnOneHash)
{
    const RunResult first = Headless("--scenario tiny --days 30");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(first.err.empty()) << first.err;
    // One line: the date thirty days on, and the hash.
    ASSERT_EQ(first.out.size(), 28u) << first.out;
    EXPECT_EQ(first.out.substr(0, 11), "1066-02-01 ");
    const RunResult second = Headless("--scenario tiny --days 30");
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, first.out);
    // A day more is another state.
    const RunResult longer = Headless("--scenario tiny --days 31");
    EXPECT_NE(longer.out.substr(11), first.out.substr(11));
}

TEST(Headless, ReplayOfARecordedRunEndsOnTheHostsHash)
{
    const RunResult host = Headless("--scenario tiny --days 30 --record '" + Data("run.journal") + "'");
    ASSERT_EQ(host.status, 0) << host.err;
    const RunResult client = Headless("--scenario tiny --replay '" + Data("run.journal") + "'");
    ASSERT_EQ(client.status, 0) << client.err;
    EXPECT_EQ(client.out, host.out);
}

// Twenty years of births, deaths and inheritances: the daily check finds every rule kept, a replay of the
// host's events ends where the host did, and the seed alone decides the host's draws.
TEST(Headless, TwentyYearsOfLivesReplayOnTheHostsHashAndTheSeedDecidesThem)
{
    const std::string years = "--scenario tiny --days 7200 --seed 3";
    const RunResult host = Headless(years + " --check --record '" + Data("lives.journal") + "'");
    ASSERT_EQ(host.status, 0) << host.err;
    EXPECT_NE(host.err.find("check: 7200 days, 0 breaks"), std::string::npos) << host.err;
    EXPECT_EQ(host.err.find(" 0 births"), std::string::npos) << host.err;
    const RunResult client = Headless("--scenario tiny --replay '" + Data("lives.journal") + "'");
    ASSERT_EQ(client.status, 0) << client.err;
    EXPECT_EQ(client.out, host.out);
    EXPECT_EQ(Headless(years).out, host.out);
    const RunResult other = Headless("--scenario tiny --days 7200 --seed 4");
    ASSERT_EQ(other.status, 0) << other.err;
    EXPECT_NE(other.out, host.out);
}

// The first line at which two runs' day hashes part, or "" when every day agrees.
std::string FirstDifferingDay(const std::string& host, const std::string& client)
{
    std::size_t at = 0;
    while (at < host.size() || at < client.size()) {
        const std::size_t hostEnd = host.find('\n', at);
        const std::size_t clientEnd = client.find('\n', at);
        const std::string line
            = host.substr(at, hostEnd == std::string::npos ? std::string::npos : hostEnd - at);
        if (line != client.substr(at, clientEnd == std::string::npos ? std::string::npos : clientEnd - at))
            return line.empty() ? client.substr(at, 10) : line.substr(0, 10);
        if (hostEnd == std::string::npos)
            break;
        at = hostEnd + 1;
    }
    return "";
}

// A season of a host with its realms' and provinces' days, and a client fed the host's events: every day
// ends in the same state on both. Hashing every day is slow under the sanitizers; the optimised runner
// holds years of days to the same check.
TEST(Headless, AClientFedTheHostsEventsEndsEveryDayInTheHostsState)
{
    const RunResult host = Headless("--scenario tiny --days 90 --seed 5 --record '" + Data("days.journal")
        + "' --day-hashes '" + Data("host.days") + "'");
    ASSERT_EQ(host.status, 0) << host.err;
    const RunResult client = Headless(
        "--scenario tiny --replay '" + Data("days.journal") + "' --day-hashes '" + Data("client.days") + "'");
    ASSERT_EQ(client.status, 0) << client.err;
    const std::string hostDays = support::ReadAll(Data("host.days"));
    EXPECT_EQ(std::count(hostDays.begin(), hostDays.end(), '\n'), 90);
    EXPECT_EQ(FirstDifferingDay(hostDays, support::ReadAll(Data("client.days"))), "");
}

// Every start of a game, a loaded one too, drifts each character's loyalty by a month, each realm's
// relations by thirty days and seats its court afresh: the lines that hold them are left out of the
// comparison, every other byte must come back.
std::string WithoutStartDrift(const std::string& text)
{
    std::string kept;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string line = text.substr(at, end - at);
        if (line.find("loyalty = ") == std::string::npos && line.find("relation = ") == std::string::npos
            && line.find("court = ") == std::string::npos)
            kept += line;
        at = end;
    }
    return kept;
}

TEST(Headless, SaveLoadsAndSavesBackToTheSameBytes)
{
    const RunResult first = Headless("--scenario tiny --save first.rzg");
    ASSERT_EQ(first.status, 0) << first.err;
    const RunResult second = Headless("--scenario first.rzg --save second.rzg");
    ASSERT_EQ(second.status, 0) << second.err;
    const std::string saved = support::ReadAll(Data("first.rzg"));
    EXPECT_GT(saved.size(), 1000u);
    EXPECT_NE(saved.find("loyalty = "), std::string::npos);
    EXPECT_TRUE(WithoutStartDrift(saved) == WithoutStartDrift(support::ReadAll(Data("second.rzg"))));
}

TEST(Headless, BadInputEndsWithAMessageAndAFailingStatus)
{
    CEventJournal whole;
    whole.scenario = "scenarios\\tiny.rzg";
    whole.records.assign(3, std::vector<uint8_t>(24, 0));
    const std::vector<uint8_t> journal = EncodeEventJournal(whole);
    std::ofstream(Data("cut.journal"), std::ios::binary)
        .write(
            reinterpret_cast<const char*>(journal.data()), static_cast<std::streamsize>(journal.size() / 2));
    std::ofstream(Data("junk.journal"), std::ios::binary) << "not a journal at all";
    std::ofstream(Data("broken.rzg"), std::ios::binary) << "name = \"broken\"\ncharacter = { id = ";
    const struct {
        const char* options;
        int status;
        const char* message;
    } cases[] = {
        { "--scenario tiny --replay cut.journal", 1, "cut" },
        { "--scenario tiny --replay junk.journal", 1, "not an event journal" },
        { "--scenario tiny --replay missing.journal", 1, "could not be opened" },
        { "--scenario broken.rzg --days 1", 1, "could not be loaded" },
        { "--scenario nosuchscenario --days 1", 1, "could not be loaded" },
        { "--scenario tiny --days many", 2, "--days" },
        { "--days 1", 2, "--scenario" },
        { "--scenario tiny --frobnicate", 2, "unknown option" },
        { "--scenario tiny --seed -1", 2, "--seed" },
    };
    for (const auto& c : cases) {
        std::string options = c.options;
        for (const char* name : { "cut.journal", "junk.journal", "missing.journal" })
            if (const std::size_t at = options.find(name); at != std::string::npos)
                options.replace(at, std::string(name).size(), "'" + Data(name) + "'");
        const RunResult run = Headless(options);
        EXPECT_EQ(run.status, c.status) << c.options << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.options << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << c.options;
    }
}

} // namespace
