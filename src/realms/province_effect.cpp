// Province effect types read from "db\ProvinceEffects.txt" and the effects a province holds.
#include "realms/province_effect.h"

#include "foundation/utilities.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_EFFECTS = static_cast<CRZTokenType>(1155);
constexpr const char* kUnknownEffectKey = "unknown lhs in ProvinceEffect file";

// Typhoid fever is shown under "TYPHOID".
const char* TextWord(int id)
{
    return id == 9 ? "typhoid" : kEffectKind.GetWord(id);
}

} // namespace

CProvinceEffectType* CProvinceEffectType::_pTypes = nullptr;

int GetProvinceEffectType(int token)
{
    return kEffectKind.Find(token);
}

bool CProvinceEffectType::Init()
{
    return InitFromFile("db\\ProvinceEffects.txt");
}

bool CProvinceEffectType::InitFromFile(const char* path)
{
    return LoadDefinitionTable({ path }, kEffectKind, kUnknownEffectKey, _pTypes);
}

void CProvinceEffectType::Shutdown()
{
    delete[] _pTypes;
    _pTypes = nullptr;
}

const CProvinceEffectType* CProvinceEffectType::Get(int id)
{
    return _pTypes && id >= 0 && id < kEffectCount ? &_pTypes[id] : nullptr;
}

const char* CProvinceEffectType::GetName() const
{
    return GetKeywordText("PE_", TextWord(id), "");
}

const char* CProvinceEffectType::GetExplanation() const
{
    return GetKeywordText("PEX_", TextWord(id), "");
}

int CProvinceEffectType::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        if (parser.key.type != KW_EFFECTS)
            parser.ParseError(kUnknownEffectKey);
        ExpectBlock(parser, kUnknownEffectKey);
        effects.ParseFields(parser);
        return kReadOn;
    });
}

const CModifier& CProvinceEffectTuple::GetModifier() const
{
    static CModifier sum;
    sum = CModifier();
    for (int id = 0; id < kEffectCount; ++id)
        if (const CProvinceEffectType* type = Exists(id) ? CProvinceEffectType::Get(id) : nullptr)
            sum += type->GetModifier();
    return sum;
}

CLScript* CProvinceEffectTuple::GetScript() const
{
    return WriteKeywordSet(kEffectKind, [&](int number) { return Exists(number); });
}

int CProvinceEffectTuple::ParseFields(CRZParser& parser)
{
    return ReadKeywordSet(parser, kEffectKind, "Unknown ", [&](int number, bool yes) { Put(number, yes); });
}
