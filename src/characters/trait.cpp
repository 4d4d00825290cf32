// Trait sets, trait opinions and the trait types read from "db\traits.txt".
#include "characters/trait.h"

#include "foundation/utilities.h"
#include "text/new_text.h"
#include <cstring>

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_ANTITHESIS = static_cast<CRZTokenType>(893);
constexpr CRZTokenType KW_TERMINATES = static_cast<CRZTokenType>(894);
constexpr CRZTokenType KW_OPINION = static_cast<CRZTokenType>(377);
constexpr CRZTokenType KW_OPINION_OF = static_cast<CRZTokenType>(1080);
constexpr CRZTokenType KW_ATTRIBUTES = static_cast<CRZTokenType>(1079);
constexpr CRZTokenType KW_PERIODIC_SCORE = static_cast<CRZTokenType>(754);

constexpr const char* kUnknownTrait = "Unknown trait type";
constexpr const char* kNamePrefix = "TRAIT_NAME_";
constexpr const char* kDescPrefix = "TRAIT_DESC_";
constexpr const char* kUnknownTraitKey = "unknown lhs in trait file";

// Two traits take their texts under a word other than their keyword.
const char* UpperWordOf(int id, char* word, std::size_t size)
{
    if (id == 29)
        CopyString(word, "PLAGUE_INFESTED", size);
    else if (id == 37)
        CopyString(word, "CLUB_FOOTED", size);
    else {
        CopyString(word, kTraitKind.GetWord(id), size);
        for (char* c = word; *c; ++c)
            *c = AsciiUpper(*c);
    }
    return word;
}

} // namespace

CTraitType* CTraitType::_pTypes = nullptr;

int GetTraitType(int token)
{
    return kTraitKind.Find(token);
}

CLScript* CTraitTuple::GetScript() const
{
    return WriteKeywordSet(kTraitKind, [&](int number) { return Exists(number); });
}

int CTraitTuple::ParseFields(CRZParser& parser)
{
    return ReadKeywordSet(parser, kTraitKind, kUnknownTrait, [&](int number, bool yes) {
        if (yes)
            Add(number);
    });
}

// The sums below add in trait-number order, as every machine must for the same float results; only the
// traits held are visited.
float CTraitTuple::GetOpinionOf() const
{
    float sum = 0.0f;
    ForEachHeld([&](int i) {
        if (const CTraitType* type = CTraitType::Get(i))
            sum += type->GetOpinionOf();
    });
    return sum;
}

float CTraitTuple::GetOpinionOf(const CTraitTuple& other) const
{
    int theirs[kTraitCount];
    int count = 0;
    other.ForEachHeld([&](int j) { theirs[count++] = j; });
    float sum = 0.0f;
    if (count == 0)
        return sum;
    ForEachHeld([&](int i) {
        if (const CTraitType* type = CTraitType::Get(i))
            for (int k = 0; k < count; ++k)
                sum += type->GetOpinion(theirs[k]);
    });
    return sum;
}

CTraitOpinion::CTraitOpinion(const CTraitTuple& own)
{
    own.ForEachHeld([&](int i) {
        if (const CTraitType* type = CTraitType::Get(i))
            types[count++] = type;
    });
}

float CTraitOpinion::GetCompabilitySum(const CTraitTuple& other) const
{
    // One walk over the other's traits serves both sums.
    int theirs[kTraitCount];
    int held = 0;
    float regard = 0.0f;
    other.ForEachHeld([&](int j) {
        theirs[held++] = j;
        if (const CTraitType* type = CTraitType::Get(j))
            regard += type->GetOpinionOf();
    });
    float sum = 0.0f;
    for (int a = 0; a < count && held != 0; ++a)
        for (int k = 0; k < held; ++k)
            sum += types[a]->GetOpinion(theirs[k]);
    return sum + regard;
}

CAttributeTuple CTraitTuple::GetAttributeModifier() const
{
    CAttributeTuple sum;
    ForEachHeld([&](int i) {
        if (const CTraitType* type = CTraitType::Get(i))
            sum += type->GetAttributes();
    });
    return sum;
}

CSimpleScore CTraitTuple::GetPeriodicScoreModifier() const
{
    CSimpleScore sum;
    ForEachHeld([&](int i) {
        if (const CTraitType* type = CTraitType::Get(i))
            sum += type->GetPeriodicScore();
    });
    return sum;
}

CLScript* CTraitFloatTuple::GetScript() const
{
    CLSList* list = new CLSList;
    for (int number = 0; number < kTraitCount; ++number)
        if (values[number] != 0.0f)
            list->Append(new CLSymbol(kTraitKind.tokens[number], new CLFloat(values[number])));
    return list;
}

int CTraitFloatTuple::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        const int number = kTraitKind.Find(parser.key.type);
        if (number == kTraitCount)
            parser.ParseError(kUnknownTrait);
        values[number] = qvx_atof(parser.value.text);
        return kReadOn;
    });
}

bool CTraitType::Init()
{
    return InitFromFile("db\\traits.txt");
}

bool CTraitType::InitFromFile(const char* path)
{
    return LoadDefinitionTable({ path }, kTraitKind, kUnknownTraitKey, _pTypes);
}

void CTraitType::Shutdown()
{
    delete[] _pTypes;
    _pTypes = nullptr;
}

const CTraitType* CTraitType::Get(int id)
{
    return _pTypes && id >= 0 && id < kTraitCount ? &_pTypes[id] : nullptr;
}

int CTraitType::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_ANTITHESIS:
            ExpectBlock(parser, kUnknownTraitKey);
            antithesis.ParseFields(parser);
            break;
        case KW_TERMINATES:
            ExpectBlock(parser, kUnknownTraitKey);
            terminates.ParseFields(parser);
            break;
        case KW_OPINION:
            ExpectBlock(parser, kUnknownTraitKey);
            opinion.ParseFields(parser);
            break;
        case KW_OPINION_OF:
            opinionOf = qvx_atof(parser.value.text);
            break;
        case KW_ATTRIBUTES:
            ExpectBlock(parser, kUnknownTraitKey);
            attributes.ParseFields(parser);
            break;
        case KW_PERIODIC_SCORE:
            ExpectBlock(parser, kUnknownTraitKey);
            periodicScore.ParseFields(parser);
            break;
        default:
            parser.ParseError(kUnknownTraitKey);
        }
        return kReadOn;
    });
}

void CTraitType::GetTextKey(int id, const char* prefix, char* key, std::size_t size)
{
    char word[64] = "";
    if (id >= 0 && id < kTraitCount)
        UpperWordOf(id, word, sizeof word);
    if (size > 0) {
        key[0] = '\0';
        AppendFormat(key, size, "%s%s", prefix, word);
    }
}

const char* CTraitType::GetString(const char* prefix) const
{
    char key[CNewText::kKeyMax + 1];
    GetTextKey(id, prefix, key, sizeof key);
    return TextStrings.GetString(key);
}

const char* CTraitType::GetName() const
{
    return GetString(kNamePrefix);
}

const char* CTraitType::GetCompletedDescription() const
{
    static char text[CNewText::kTextMax + 1];
    CopyString(text, GetString(kDescPrefix));
    return text;
}
