// Province improvement types read from their two definition files, their requirements and texts, and the
// improvements a province holds.
#include "realms/province_improvement.h"

#include <strings.h>

#include "foundation/point_rect.h"
#include "foundation/utilities.h"
#include "gfx/sprite.h"
#include "realms/country.h"
#include "realms/province.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_COST = static_cast<CRZTokenType>(83);
constexpr CRZTokenType KW_CONSTRUCTION_TIME = static_cast<CRZTokenType>(742);
constexpr CRZTokenType KW_ONETIME_BONUS = static_cast<CRZTokenType>(743);
constexpr CRZTokenType KW_ONETIME_LOYALTY_BONUS = static_cast<CRZTokenType>(744);
constexpr CRZTokenType KW_LASTING_EFFECTS = static_cast<CRZTokenType>(775);
constexpr CRZTokenType KW_FOREST = static_cast<CRZTokenType>(268);
constexpr CRZTokenType KW_MARCH = static_cast<CRZTokenType>(118);
constexpr CRZTokenType KW_MOUNTAIN = static_cast<CRZTokenType>(269);
constexpr CRZTokenType KW_DESERT = static_cast<CRZTokenType>(270);
constexpr CRZTokenType KW_REQUIRE_COASTAL = static_cast<CRZTokenType>(768);
constexpr CRZTokenType KW_REQUIRED_IMPROVEMENTS = static_cast<CRZTokenType>(762);
constexpr CRZTokenType KW_PROHIBITING_IMPROVEMENTS = static_cast<CRZTokenType>(763);
constexpr CRZTokenType KW_MINIMUM_INCOME = static_cast<CRZTokenType>(765);
constexpr CRZTokenType KW_REQUIRED_TIER = static_cast<CRZTokenType>(766);
constexpr CRZTokenType KW_REQUIRE_CAPITAL = static_cast<CRZTokenType>(767);
constexpr CRZTokenType KW_UPGRADEABLE = static_cast<CRZTokenType>(146);
constexpr CRZTokenType KW_REQUIRED_ADVANCES = static_cast<CRZTokenType>(764);
constexpr CRZTokenType KW_ADDITIONAL_RETURN = static_cast<CRZTokenType>(1186);
constexpr CRZTokenType KW_X_OFFSET = static_cast<CRZTokenType>(771);
constexpr CRZTokenType KW_Y_OFFSET = static_cast<CRZTokenType>(772);
constexpr CRZTokenType KW_COMPLETED_BITMAP = static_cast<CRZTokenType>(773);
constexpr CRZTokenType KW_POSSIBLE_BITMAP = static_cast<CRZTokenType>(774);
constexpr CRZTokenType KW_COUNTY = static_cast<CRZTokenType>(617);
constexpr CRZTokenType KW_KINGDOM = static_cast<CRZTokenType>(619);

constexpr const char* kUnknownImprovementKey = "unknown lhs in provinceimprovement file";

// The terrain a key allows or forbids; -1 for a key that is no terrain. "hills" and "plains" are no
// keywords of the data language and arrive as plain words.
int TerrainOf(const CToken& key)
{
    switch (key.type) {
    case KW_FOREST:
        return 0;
    case KW_MARCH:
        return 2;
    case KW_MOUNTAIN:
        return 3;
    case KW_DESERT:
        return 5;
    case TT_STRING:
        return strcasecmp(key.text, "hills") == 0 ? 1 : strcasecmp(key.text, "plains") == 0 ? 4 : -1;
    default:
        return -1;
    }
}

// Whether target is among the improvements that the chains of requirements starting at from reach, in the
// table being read. The table holds no cycle yet, so every chain ends.
bool Reaches(const CProvinceImprovementType* table, const CProvinceImprovementTuple& from, int target)
{
    bool seen[kImprovementCount] = {};
    int stack[kImprovementCount];
    int depth = 0;
    for (int id = 0; id < kImprovementCount; ++id)
        if (from.Exists(id)) {
            seen[id] = true;
            stack[depth++] = id;
        }
    while (depth > 0) {
        const int id = stack[--depth];
        if (id == target)
            return true;
        for (int next = 0; next < kImprovementCount; ++next)
            if (!seen[next] && table[id].GetRequiredImprovements().Exists(next)) {
                seen[next] = true;
                stack[depth++] = next;
            }
    }
    return false;
}

void ReadPath(CRZParser& parser, char (&path)[256])
{
    CopyString(path, parser.value.text);
}

} // namespace

CProvinceImprovementType* CProvinceImprovementType::_pTypes = nullptr;
CImprovementButtonHooks gImprovementButtonHooks;

int GetProvinceImprovementType(int token)
{
    return kImprovementKind.Find(token);
}

int GetTokenType(int number)
{
    return number >= 0 && number < kImprovementCount ? static_cast<int>(kImprovementKind.tokens[number])
                                                     : static_cast<int>(KW_YES);
}

const CModifier& CProvinceImprovementTuple::GetModifier() const
{
    static CModifier sum;
    sum = CModifier();
    for (int id = 0; id < kImprovementCount; ++id)
        if (const CProvinceImprovementType* type = Exists(id) ? CProvinceImprovementType::Get(id) : nullptr)
            sum += type->GetModifier();
    return sum;
}

CLScript* CProvinceImprovementTuple::GetScript() const
{
    return WriteKeywordSet(kImprovementKind, [&](int number) { return Exists(number); });
}

int CProvinceImprovementTuple::ParseFields(CRZParser& parser)
{
    return ReadKeywordSet(
        parser, kImprovementKind, "Unknown ", [&](int number, bool yes) { Put(number, yes); });
}

struct CProvinceImprovementType::CPictures {
    std::unique_ptr<CSprite> completed;
    std::unique_ptr<CSprite> possible;
    std::unique_ptr<CSprite> underConstruction;
};

CProvinceImprovementType::CProvinceImprovementType() = default;
CProvinceImprovementType::~CProvinceImprovementType() = default;

CProvinceImprovementType::CPictures& CProvinceImprovementType::Pictures() const
{
    if (pictures == nullptr) {
        pictures = std::make_unique<CPictures>();
        if (completedBitmap[0] != '\0')
            pictures->completed = std::make_unique<CSprite>(completedBitmap);
        if (possibleBitmap[0] != '\0' && gImprovementButtonHooks.MakeButton != nullptr)
            pictures->possible.reset(gImprovementButtonHooks.MakeButton(possibleBitmap, id));
        pictures->underConstruction = std::make_unique<CSprite>(GetUnderConstructionBitmap());
    }
    return *pictures;
}

bool CProvinceImprovementType::HasOverlappingGfxWithAnyOfThese(
    const CProvinceImprovementTuple& improvements) const
{
    if (!upgradeable)
        return false;
    CSprite* mine = Pictures().completed.get();
    if (mine == nullptr)
        return false;
    const int left = xOffset;
    const int top = yOffset;
    const int right = left + mine->GetWidth();
    const int bottom = top + mine->GetHeight();
    for (int other = 0; other < kImprovementCount; ++other) {
        const CProvinceImprovementType* type
            = other != id && improvements.Exists(other) ? Get(other) : nullptr;
        CSprite* theirs = type != nullptr ? type->Pictures().completed.get() : nullptr;
        if (theirs == nullptr)
            continue;
        const int otherLeft = type->xOffset;
        const int otherTop = type->yOffset;
        if (left < otherLeft + theirs->GetWidth() && otherLeft < right && top < otherTop + theirs->GetHeight()
            && otherTop < bottom)
            return true;
    }
    return false;
}

void CProvinceImprovementType::DrawCompleted(const CPoint& at) const
{
    if (CSprite* picture = Pictures().completed.get()) {
        picture->MoveTo(at.x + xOffset, at.y + yOffset);
        picture->Draw(DRAW_TYPE_0);
    }
}

void CProvinceImprovementType::DrawPossible(const CPoint& at) const
{
    if (CSprite* button = Pictures().possible.get()) {
        button->MoveTo(at.x + xOffset, at.y + yOffset);
        button->Draw(DRAW_TYPE_0);
    }
}

void CProvinceImprovementType::DrawUnderConstruction(const CPoint& at) const
{
    CSprite* picture = Pictures().completed.get();
    CSprite* scaffold = Pictures().underConstruction.get();
    if (picture == nullptr)
        return;
    DrawCompleted(at);
    if (scaffold == nullptr)
        return;
    // Integer halves truncate toward zero, so a wider scaffold sits half a pixel further right.
    scaffold->MoveTo(at.x + xOffset + (picture->GetWidth() - scaffold->GetWidth()) / 2,
        at.y + yOffset + (picture->GetHeight() - scaffold->GetHeight()) / 2);
    scaffold->Draw(DRAW_TYPE_0);
}

bool CProvinceImprovementType::Within(int x, int y) const
{
    CPictures& made = Pictures();
    if (made.completed == nullptr || made.possible == nullptr)
        return false;
    return made.completed->Within(x, y) != 0 || made.possible->Within(x, y) != 0;
}

bool CProvinceImprovementType::WithinConstruction(int x, int y) const
{
    CPictures& made = Pictures();
    if (made.completed == nullptr || made.underConstruction == nullptr)
        return false;
    return made.completed->Within(x, y) != 0 || made.underConstruction->Within(x, y) != 0;
}

int CProvinceImprovementType::Update(CRZEvent* event) const
{
    CSprite* button = Pictures().possible.get();
    return button != nullptr ? button->Update(event) : 0;
}

bool CProvinceImprovementType::IsPressed() const
{
    CSprite* button = Pictures().possible.get();
    return button != nullptr && gImprovementButtonHooks.IsPressed != nullptr
        && gImprovementButtonHooks.IsPressed(button);
}

void CProvinceImprovementType::EnableConstruction() const
{
    if (CSprite* button = Pictures().possible.get(); button && gImprovementButtonHooks.SetEnabled)
        gImprovementButtonHooks.SetEnabled(button, true);
}

void CProvinceImprovementType::DisableConstruction() const
{
    if (CSprite* button = Pictures().possible.get(); button && gImprovementButtonHooks.SetEnabled)
        gImprovementButtonHooks.SetEnabled(button, false);
}

bool CProvinceImprovementType::Init()
{
    return InitFromFiles("db\\provinceimprovements.txt", "gfx\\provinceimprovements.txt");
}

bool CProvinceImprovementType::InitFromFiles(const char* rules, const char* pictures)
{
    return LoadDefinitionTable({ rules, pictures }, kImprovementKind, kUnknownImprovementKey, _pTypes);
}

void CProvinceImprovementType::Shutdown()
{
    delete[] _pTypes;
    _pTypes = nullptr;
}

const CProvinceImprovementType* CProvinceImprovementType::Get(int id)
{
    return _pTypes && id >= 0 && id < kImprovementCount ? &_pTypes[id] : nullptr;
}

bool CProvinceImprovementType::HasRequirements(const CRZCountry*, const CProvince& province) const
{
    if (!(province.GetModifier().GetProvinceMonthlyScore(province).GetGold() > minimumIncome))
        return false;
    if (!province.GetImprovements().HasAll(requiredImprovements)
        || !province.GetAdvances().HasAll(requiredAdvances))
        return false;
    if (requireCoastal && !province.IsCoastal())
        return false;
    if (requireCapital) {
        const CRZCountry* owner = province.GetOwner();
        if (owner == nullptr || owner->capital != province.GetNumber())
            return false;
    }
    return IsAllowedOnTerrain(province.terrain);
}

bool CProvinceImprovementType::IsAllowedOnTerrain(int terrain) const
{
    return terrain >= 0 && terrain < kTerrainCount && allowedTerrains[terrain];
}

const char* CProvinceImprovementType::GetName() const
{
    return GetKeywordText("PI_", kImprovementKind.GetWord(id), "");
}

const char* CProvinceImprovementType::GetDesc() const
{
    return GetKeywordText("PI_", kImprovementKind.GetWord(id), "_DESC");
}

CProvinceImprovementTuple CProvinceImprovementType::GetIndirectRequirements() const
{
    CProvinceImprovementTuple all = requiredImprovements;
    for (int other = 0; other < kImprovementCount; ++other)
        if (const CProvinceImprovementType* required
            = requiredImprovements.Exists(other) ? Get(other) : nullptr)
            all |= required->GetIndirectRequirements();
    return all;
}

bool CProvinceImprovementType::IsIndirectRequirementForAnyOfThese(
    const CProvinceImprovementTuple& improvements) const
{
    for (int other = 0; other < kImprovementCount; ++other)
        if (const CProvinceImprovementType* type = improvements.Exists(other) ? Get(other) : nullptr)
            if (type->GetIndirectRequirements().Exists(id))
                return true;
    return false;
}

const char* CProvinceImprovementType::GetCompletedDescription() const
{
    static char text[4096];
    text[0] = '\0';
    AppendFormat(text, sizeof text, "%s", lastingEffects.GetDescription());
    return text;
}

const char* CProvinceImprovementType::GetConstructionDescription(const CModifier& provinceModifier) const
{
    static char text[4096];
    text[0] = '\0';
    AppendFormat(text, sizeof text, "%s %.0f\n", TextStrings.GetString("GOLD_COST"), cost.GetGold());
    AppendFormat(text, sizeof text, "%s %.0f %s\n", TextStrings.GetString("CONSTRUCTION_TIME"),
        static_cast<double>(provinceModifier.GetProvinceImprovementBuildTimeInMonths(*this)),
        TextStrings.GetString("MONTHS"));
    const std::pair<const char*, float> bonuses[] = {
        { "GOLD_COMPLETION_BONUS", oneTimeBonus.GetGold() },
        { "PRESTIGE_COMPLETION_BONUS", oneTimeBonus.GetPrestige() },
        { "PIETY_COMPLETION_BONUS", oneTimeBonus.GetPiety() },
        { "PEASANTS_LOYALTY_COMPLETION_BONUS", oneTimeLoyaltyBonus.GetPeasants() },
        { "BURGHERS_LOYALTY_COMPLETION_BONUS", oneTimeLoyaltyBonus.GetBurghers() },
        { "CLERGY_LOYALTY_COMPLETION_BONUS", oneTimeLoyaltyBonus.GetClergy() },
        { "NOBLES_LOYALTY_COMPLETION_BONUS", oneTimeLoyaltyBonus.GetNobles() },
    };
    for (const auto& [key, value] : bonuses)
        if (value != 0.0f)
            AppendFormat(text, sizeof text, "%s %.0f\n", TextStrings.GetString(key), value);
    AppendFormat(text, sizeof text, "%s\n", lastingEffects.GetDescription());
    return text;
}

int CProvinceImprovementType::ParseFields(CRZParser& parser)
{
    const auto block = [&](auto& value) {
        ExpectBlock(parser, kUnknownImprovementKey);
        value.ParseFields(parser);
    };
    const auto yes = [&] { return parser.value.type == KW_YES; };
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_COST:
            block(cost);
            break;
        case KW_CONSTRUCTION_TIME:
            constructionTime = qvx_atof(parser.value.text);
            break;
        case KW_ONETIME_BONUS:
            block(oneTimeBonus);
            break;
        case KW_ONETIME_LOYALTY_BONUS:
            block(oneTimeLoyaltyBonus);
            break;
        case KW_LASTING_EFFECTS:
            block(lastingEffects);
            break;
        case KW_REQUIRE_COASTAL:
            requireCoastal = yes();
            break;
        case KW_REQUIRED_IMPROVEMENTS: {
            block(requiredImprovements);
            // Records are numbered by their place in the table being read.
            const CProvinceImprovementType* table = this - id;
            if (Reaches(table, requiredImprovements, id))
                parser.ParseError("improvement requires itself in provinceimprovement file");
            break;
        }
        case KW_PROHIBITING_IMPROVEMENTS:
            block(prohibitingImprovements);
            break;
        case KW_MINIMUM_INCOME:
            minimumIncome = qvx_atof(parser.value.text);
            break;
        case KW_REQUIRED_TIER:
            if (parser.value.type < KW_COUNTY || parser.value.type > KW_KINGDOM)
                parser.ParseError("unknown tier in provinceimprovement file");
            requiredTier = static_cast<int32_t>(parser.value.type);
            break;
        case KW_REQUIRE_CAPITAL:
            requireCapital = yes();
            break;
        case KW_UPGRADEABLE:
            upgradeable = yes();
            break;
        case KW_REQUIRED_ADVANCES:
            block(requiredAdvances);
            break;
        case KW_ADDITIONAL_RETURN:
            additionalReturnOnInvestment = qvx_atof(parser.value.text);
            break;
        case KW_X_OFFSET:
            xOffset = TextToInt(parser.value.text);
            break;
        case KW_Y_OFFSET:
            yOffset = TextToInt(parser.value.text);
            break;
        case KW_COMPLETED_BITMAP:
            ReadPath(parser, completedBitmap);
            break;
        case KW_POSSIBLE_BITMAP:
            ReadPath(parser, possibleBitmap);
            break;
        default:
            if (const int terrain = TerrainOf(parser.key); terrain >= 0)
                allowedTerrains[terrain] = yes();
            else
                parser.ParseError(kUnknownImprovementKey);
        }
        return kReadOn;
    });
}
