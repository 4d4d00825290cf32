// Dynasties: their record in the dynasty database and the provinces they are at home in.
#include "characters/dynasty.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "foundation/random_generator.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_ID = static_cast<CRZTokenType>(1252);
constexpr CRZTokenType KW_NAME = static_cast<CRZTokenType>(88);
constexpr CRZTokenType KW_PROVINCE = static_cast<CRZTokenType>(388);
constexpr uint16_t kDynastyType = 12;
constexpr int kLastProvince = static_cast<int>(kProvinceArraySize) - 1;

// Each province's dynasty list; a dynasty leaves the lists when it is destroyed.
std::array<CList<CDynasty*>, kProvinceArraySize>& ProvinceDynasties()
{
    static std::array<CList<CDynasty*>, kProvinceArraySize> lists;
    return lists;
}

} // namespace

CDynasty::~CDynasty()
{
    for (auto it = provinces.GetHead(); !it.IsEnd(); it++)
        if (*it >= 1 && *it <= kLastProvince)
            ProvinceDynasties()[static_cast<std::size_t>(*it)].Remove(this);
    delete[] name;
}

const CList<CDynasty*>& CDynasty::GetProvinceDynasties(int province)
{
    static const CList<CDynasty*> none;
    if (province < 1 || province > kLastProvince)
        return none;
    return ProvinceDynasties()[static_cast<std::size_t>(province)];
}

CDynasty* CDynasty::GetRandomDynasty(int province, const CList<CDynasty*>& all)
{
    const CList<CDynasty*>& home = GetProvinceDynasties(province);
    if (home.GetSize() > 0) {
        int pick = gGameRandom.Next() % home.GetSize();
        for (auto it = home.GetHead(); !it.IsEnd(); it++, --pick)
            if (pick == 0)
                return *it;
    }
    return all.IsEmpty() ? nullptr : *all.GetHead();
}

int CDynasty::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_ID: {
            CRZID read(kDynastyType, 0);
            if (parser.value.type == TT_OPEN_BRACE) {
                if (read.ParseFields(parser) != 0)
                    return -2;
                read.type = kDynastyType;
            } else {
                read.number = static_cast<uint32_t>(TextToInt(parser.value.text));
            }
            if (CIdentity::GetObjectFromID(read) != nullptr)
                parser.ParseError("duplicate dynasty id");
            Create(read);
            return kReadOn;
        }
        case KW_NAME: {
            delete[] name;
            const std::size_t length = std::strlen(parser.value.text);
            name = new char[length + 1];
            std::memcpy(name, parser.value.text, length + 1);
            return kReadOn;
        }
        case KW_PROVINCE: {
            if (parser.value.type != TT_OPEN_BRACE)
                parser.ParseError("unknown lhs in scenario file (dynasty)");
            CList<int> read;
            if (parser.ParseListValues(read) != 0)
                return -2;
            for (auto it = read.GetHead(); !it.IsEnd(); it++) {
                if (*it < 1 || *it > kLastProvince) {
                    char message[64];
                    std::snprintf(message, sizeof message, "Illegal province ID  %d", *it);
                    parser.ParseError(message);
                }
                provinces.Append(*it);
                ProvinceDynasties()[static_cast<std::size_t>(*it)].Append(this);
            }
            return kReadOn;
        }
        default:
            parser.ParseError("unknown lhs in scenario file (dynasty)");
        }
    });
}
