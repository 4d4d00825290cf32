// The province's record in scenarios and saved games: what the game changes of a province over time, the
// fixed facts staying in "db\province.csv".
#include <cmath>
#include <cstdlib>

#include "characters/culture.h"
#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/definition_kind.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_RELIGION = static_cast<CRZTokenType>(90);
constexpr CRZTokenType KW_CULTURE = static_cast<CRZTokenType>(512);
constexpr CRZTokenType KW_LOYALTY = static_cast<CRZTokenType>(76);
constexpr CRZTokenType KW_PRIVILEGES = static_cast<CRZTokenType>(699);
constexpr CRZTokenType KW_IMPROVEMENTS = static_cast<CRZTokenType>(770);
constexpr CRZTokenType KW_EFFECTS = static_cast<CRZTokenType>(1155);
constexpr CRZTokenType KW_ADVANCES = static_cast<CRZTokenType>(1056);
constexpr CRZTokenType KW_DIVISION = static_cast<CRZTokenType>(79);
constexpr CRZTokenType KW_OCCUPIED = static_cast<CRZTokenType>(1159);
constexpr CRZTokenType KW_CURRENT_REGIMENT_SIZE = static_cast<CRZTokenType>(1091);
constexpr CRZTokenType KW_MAXIMUM_REGIMENT_SIZE = static_cast<CRZTokenType>(1092);
constexpr CRZTokenType KW_CONSTRUCTION_COST = static_cast<CRZTokenType>(778);
constexpr CRZTokenType KW_START_CONSTRUCTION_DATE = static_cast<CRZTokenType>(779);
constexpr CRZTokenType KW_UNDER_CONSTRUCTION = static_cast<CRZTokenType>(776);
constexpr CRZTokenType KW_COMPLETION_DATE = static_cast<CRZTokenType>(777);

constexpr const char* kUnexpected = "Province : Unexpected field";

} // namespace

CLScript* CProvince::GetScript() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_ID, new CLInteger(number)));
    if (IsLand()) {
        list->Append(new CLSymbol(KW_RELIGION, new CLIdentifier(CRZReligion::GetToken(religion))));
        list->Append(new CLSymbol(KW_CULTURE, new CLString(CRZCulture::GetTag(culture))));
        list->Append(new CLSymbol(KW_LOYALTY, loyalty.GetScript()));
        list->Append(new CLSymbol(KW_PRIVILEGES, privileges.GetScript()));
        list->Append(new CLSymbol(KW_IMPROVEMENTS, improvements.GetScript()));
        list->Append(new CLSymbol(KW_EFFECTS, effects.GetScript()));
        list->Append(new CLSymbol(KW_ADVANCES, advances.GetScript()));
    }
    if (!(levyRegiment == NOID))
        list->Append(new CLSymbol(KW_DIVISION, levyRegiment.GetScript()));
    if (occupation != 0.0f)
        list->Append(new CLSymbol(KW_OCCUPIED, new CLFloat(occupation)));
    if (currentLevy.GetTotal() != 0.0f)
        list->Append(new CLSymbol(KW_CURRENT_REGIMENT_SIZE, currentLevy.GetScript()));
    if (maximumLevy.GetTotal() != 0.0f)
        list->Append(new CLSymbol(KW_MAXIMUM_REGIMENT_SIZE, maximumLevy.GetScript()));
    if (HasImprovementUnderConstruction()) {
        list->Append(new CLSymbol(KW_CONSTRUCTION_COST, constructionCost.GetScript()));
        list->Append(new CLSymbol(KW_START_CONSTRUCTION_DATE, constructionStart.GetScript()));
        list->Append(new CLSymbol(
            KW_UNDER_CONSTRUCTION, new CLIdentifier(static_cast<CRZTokenType>(GetTokenType(construction)))));
        list->Append(new CLSymbol(KW_COMPLETION_DATE, constructionDone.GetScript()));
    }
    return list;
}

int CProvince::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_RELIGION:
            religion = CRZReligion::FindType(static_cast<int>(parser.value.type));
            break;
        case KW_CULTURE:
            culture = CRZCulture::Which(parser.value.text);
            break;
        case KW_LOYALTY:
            ExpectBlock(parser, kUnexpected);
            loyalty.ParseFields(parser);
            break;
        case KW_PRIVILEGES:
            ExpectBlock(parser, kUnexpected);
            privileges.ParseFields(parser);
            privileges.Normalize();
            break;
        case KW_IMPROVEMENTS:
            ExpectBlock(parser, kUnexpected);
            improvements.ParseFields(parser);
            break;
        case KW_EFFECTS:
            ExpectBlock(parser, kUnexpected);
            effects.ParseFields(parser);
            break;
        case KW_ADVANCES:
            ExpectBlock(parser, kUnexpected);
            advances.ParseFields(parser);
            break;
        case KW_DIVISION: {
            ExpectBlock(parser, kUnexpected);
            CRZID division = NOID;
            if (division.ParseFields(parser) != 0)
                parser.ParseError("Province : Bad division");
            levyRegiment = division;
            break;
        }
        case KW_OCCUPIED: {
            // Progress lies in 0..1; anything else in a file is held there.
            const float value = std::strtof(parser.value.text, nullptr);
            occupation = std::isfinite(value) ? std::fmin(std::fmax(value, 0.0f), 1.0f) : 0.0f;
            break;
        }
        case KW_CURRENT_REGIMENT_SIZE:
            ExpectBlock(parser, kUnexpected);
            currentLevy.ParseFields(parser);
            manpowerTotal = currentLevy.GetTotal();
            break;
        case KW_MAXIMUM_REGIMENT_SIZE:
            ExpectBlock(parser, kUnexpected);
            maximumLevy.ParseFields(parser);
            break;
        case KW_CONSTRUCTION_COST:
            ExpectBlock(parser, kUnexpected);
            constructionCost.ParseFields(parser);
            break;
        case KW_START_CONSTRUCTION_DATE:
            ExpectBlock(parser, kUnexpected);
            constructionStart.ParseFields(parser);
            break;
        case KW_COMPLETION_DATE:
            ExpectBlock(parser, kUnexpected);
            constructionDone.ParseFields(parser);
            break;
        case KW_UNDER_CONSTRUCTION:
            construction = GetProvinceImprovementType(static_cast<int>(parser.value.type));
            break;
        default:
            parser.ParseError(kUnexpected);
        }
        return kReadOn;
    });
}
