// Law types read from "db\laws.txt" and the sets of laws in force.
#include "characters/law.h"

#include "foundation/utilities.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_GROUP = static_cast<CRZTokenType>(197);
constexpr const char* kUnknownLawKey = "unknown lhs in law file";

} // namespace

CLawType* CLawType::_pTypes = nullptr;

int GetLawType(int token)
{
    return kLawKind.Find(token);
}

bool CLawType::Init()
{
    return InitFromFile("db\\laws.txt");
}

bool CLawType::InitFromFile(const char* path)
{
    return LoadDefinitionTable({ path }, kLawKind, kUnknownLawKey, _pTypes);
}

void CLawType::Shutdown()
{
    delete[] _pTypes;
    _pTypes = nullptr;
}

const CLawType* CLawType::Get(int id)
{
    return _pTypes && id >= 0 && id < kLawCount ? &_pTypes[id] : nullptr;
}

const char* CLawType::GetName() const
{
    return GetKeywordText("", kLawKind.GetWord(id), "");
}

const char* CLawType::GetDesc() const
{
    return GetKeywordText("", kLawKind.GetWord(id), "_DESC");
}

int CLawType::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        if (parser.key.type != KW_GROUP)
            parser.ParseError(kUnknownLawKey);
        const int number = TextToInt(parser.value.text);
        // The realm indexes its per-group change dates by this number.
        if (parser.value.type != TT_NUMBER || number < 0 || number >= kLawGroupCount)
            parser.ParseError("law group out of range in law file");
        group = number;
        return kReadOn;
    });
}

void CLawTuple::Set(int id)
{
    if (id < 0 || id >= kLawCount)
        return;
    if (const CLawType* type = CLawType::Get(id))
        for (int other = 0; other < kLawCount; ++other)
            if (const CLawType* candidate = CLawType::Get(other); candidate->GetGroup() == type->GetGroup())
                Remove(other);
    Add(id);
}

CLScript* CLawTuple::GetScript() const
{
    return WriteKeywordSet(kLawKind, [&](int number) { return Exists(number); });
}

int CLawTuple::ParseFields(CRZParser& parser)
{
    return ReadKeywordSet(parser, kLawKind, "Unknown ", [&](int number, bool yes) { Put(number, yes); });
}
