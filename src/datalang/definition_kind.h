// What the definition kinds (traits, laws, advances, improvements, province effects) share: members named by
// keywords, sets of members saved as "keyword = yes", and definition files of "keyword = { ... }" blocks.
#pragma once

#include <bit>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>

#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"

// A kind's members by number, each with its keyword token; the member count stands for "none".
struct CKeywordKind {
    const CRZTokenType* tokens;
    int count;

    // The number of the member named by the token, or count for any other token.
    int Find(int token) const;
    // The keyword's written spelling; "" for a number outside the kind.
    const char* GetWord(int number) const;
};

// The localised text of the key made of prefix, word and suffix in upper case: the display texts of the
// definition kinds are keyed by their keywords this way.
const char* GetKeywordText(const char* prefix, const char* word, const char* suffix);

// Reads "keyword = value" statements up to the block's "}" (consumed), calling set(number, value is "yes")
// for each; a key that names no member ends the load with the message.
template <class Set>
int ReadKeywordSet(CRZParser& parser, const CKeywordKind& kind, const char* unknown, Set set)
{
    return ReadBlockStatements(parser, [&] {
        const int number = kind.Find(parser.key.type);
        if (number == kind.count)
            parser.ParseError(unknown);
        set(number, parser.value.type == KW_YES);
        return kReadOn;
    });
}

// The saved form of a set: one "keyword = yes" per member held, in number order; the caller owns the list.
template <class Has> CLScript* WriteKeywordSet(const CKeywordKind& kind, Has has)
{
    CLSList* list = new CLSList;
    for (int number = 0; number < kind.count; ++number)
        if (has(number))
            list->Append(new CLSymbol(kind.tokens[number], new CLBool(true)));
    return list;
}

// One bit per member of a kind: the set form of traits, laws, improvements and effects. Numbers outside
// 0..N-1 are never held and change nothing. Bits keep a character's traits in two words, so the pairwise
// opinion sums that realms take of each other every month stay within a cache line.
template <int N> class CKeywordFlags {
public:
    bool Exists(int number) const
    {
        return number >= 0 && number < N && (words[number / 64] >> (number % 64) & 1u) != 0;
    }
    void Add(int number) { Put(number, true); }
    void Remove(int number) { Put(number, false); }
    void Put(int number, bool on)
    {
        if (number < 0 || number >= N)
            return;
        const uint64_t bit = uint64_t { 1 } << (number % 64);
        words[number / 64] = on ? words[number / 64] | bit : words[number / 64] & ~bit;
    }
    // Every member of other is held here too.
    bool HasAll(const CKeywordFlags& other) const
    {
        for (int w = 0; w < kWords; ++w)
            if ((other.words[w] & ~words[w]) != 0)
                return false;
        return true;
    }
    CKeywordFlags& operator|=(const CKeywordFlags& other)
    {
        for (int w = 0; w < kWords; ++w)
            words[w] |= other.words[w];
        return *this;
    }
    bool operator==(const CKeywordFlags& other) const = default;
    // Calls f with each member held, in number order.
    template <class F> void ForEachHeld(F f) const
    {
        for (int w = 0; w < kWords; ++w)
            for (uint64_t rest = words[w]; rest != 0; rest &= rest - 1)
                f(w * 64 + std::countr_zero(rest));
    }

private:
    static constexpr int kWords = (N + 63) / 64;
    uint64_t words[kWords] = {};
};

// Reads every statement of a whole file: each must be "key = value" and goes to the handler, which checks
// its key; a stray "}" or a key without "=" ends the load with the message. Returns at the end of the file.
template <class Handler> void ReadFileStatements(CRZParser& parser, const char* unknown, Handler handle)
{
    for (;;) {
        const int read = parser.ParseSimpleStatement();
        if (read == -1)
            return;
        if (read != 1)
            parser.ParseError(unknown);
        handle();
    }
}

// Ends the load with the message unless the statement's value opens a block: a block reader started on
// anything else would take the statements after it as its own.
void ExpectBlock(CRZParser& parser, const char* message);

// Reads the definition file at the game path through read. True when the file was read to its end; false
// when it could not be opened or read ended in a located parse error, whose report GetAssertMessage holds.
bool LoadDefinitionFile(const char* path, const std::function<void(CRZParser&)>& read);

// Builds a fresh table of a kind's records (T needs SetNumber(int) and ParseFields) and reads the definition
// files into it in order: each statement must be "keyword = {" naming a member, whose record reads the block.
// Anything else ends the load with the message. The table replaces the old one (deleted with delete[]) only
// when every file was read; false leaves it as it was, with the report in GetAssertMessage.
template <class T>
bool LoadDefinitionTable(
    std::initializer_list<const char*> paths, const CKeywordKind& kind, const char* unknown, T*& table)
{
    std::unique_ptr<T[]> records(new T[kind.count]);
    for (int number = 0; number < kind.count; ++number)
        records[number].SetNumber(number);
    for (const char* path : paths) {
        const bool read = LoadDefinitionFile(path, [&](CRZParser& parser) {
            ReadFileStatements(parser, unknown, [&] {
                const int number = kind.Find(parser.key.type);
                if (number == kind.count)
                    parser.ParseError(unknown);
                ExpectBlock(parser, unknown);
                records[number].ParseFields(parser);
            });
        });
        if (!read)
            return false;
    }
    delete[] table;
    table = records.release();
    return true;
}
