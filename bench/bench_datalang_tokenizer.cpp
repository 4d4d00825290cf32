// Tokenizer and parser throughput over a large generated scenario-like file (nested blocks, numbers,
// strings, keywords, comments); reported as bytes per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>

#include "datalang/parser.h"

#include "foundation/safeguards.h"

namespace {

constexpr std::size_t kTargetBytes = 32u << 20;

struct GeneratedFile {
    std::string path;
    std::size_t bytes = 0;

    GeneratedFile()
    {
        char pattern[] = "/tmp/vellmark_bench_XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd < 0)
            return;
        close(fd);
        path = pattern;
        std::FILE* file = std::fopen(pattern, "wb");
        std::mt19937 random(7);
        static const char* kKeys[]
            = { "tag", "gold", "prestige", "piety", "holder", "datePurchased", "location", "strength",
                  "morale", "owner", "culture", "religion", "stability", "Treasury", "type" };
        static const char* kNames[] = { "\"Guillaume le Conquerant\"", "\"Harold Godwinson\"", "FRA", "ENG",
            "catholic", "norman", "yes", "no", "\"Holy Roman Empire { de jure }\"" };
        std::string chunk;
        int id = 0;
        while (bytes < kTargetBytes) {
            chunk.clear();
            chunk += "# character block ";
            chunk += std::to_string(id);
            chunk += "\ncharacter = {\n    id = { type = 4711 id = " + std::to_string(++id) + " }\n";
            for (int i = 0; i < 12; ++i) {
                chunk += "    ";
                chunk += kKeys[random() % std::size(kKeys)];
                chunk += " = ";
                switch (random() % 4) {
                case 0:
                    chunk += std::to_string(static_cast<int>(random() % 100000) - 500);
                    break;
                case 1:
                    chunk += std::to_string(random() % 1000) + "." + std::to_string(random() % 1000);
                    break;
                default:
                    chunk += kNames[random() % std::size(kNames)];
                }
                chunk += "\n";
            }
            chunk += "    birthdate = { year = 1040 month = may day = 3 }\n    values = { 0 3 0 3 17 }\n}\n";
            std::fwrite(chunk.data(), 1, chunk.size(), file);
            bytes += chunk.size();
        }
        std::fclose(file);
    }
    ~GeneratedFile()
    {
        if (!path.empty())
            unlink(path.c_str());
    }
};

const GeneratedFile& File()
{
    static const GeneratedFile file;
    return file;
}

void ReadBlock(CRZParser& parser)
{
    for (;;) {
        const int result = parser.ParseSimpleStatement();
        if (result == 1) {
            if (parser.value.type != TT_OPEN_BRACE)
                continue;
            if (parser.lexer->peek()->type == TT_NUMBER) {
                CList<int> list;
                parser.ParseListValues(list);
            } else {
                ReadBlock(parser);
            }
        } else if (parser.CloseBlock()) {
            return;
        }
    }
}

void BM_Tokenize(benchmark::State& state)
{
    const GeneratedFile& file = File();
    CLexer::InitTokens();
    std::size_t tokens = 0;
    for (auto _ : state) {
        CLexer lexer(file.path.c_str(), "r");
        while (lexer.getTok())
            ++tokens;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.bytes));
    state.counters["tokens"] = static_cast<double>(tokens) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Tokenize)->Unit(benchmark::kMillisecond);

void BM_Parse(benchmark::State& state)
{
    const GeneratedFile& file = File();
    CLexer::InitTokens();
    for (auto _ : state) {
        CRZParser parser(file.path.c_str(), "r");
        while (parser.ParseSimpleStatement() == 1)
            if (parser.value.type == TT_OPEN_BRACE)
                ReadBlock(parser);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.bytes));
}
BENCHMARK(BM_Parse)->Unit(benchmark::kMillisecond);

} // namespace
