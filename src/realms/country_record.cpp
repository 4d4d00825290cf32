// The realm's record in scenarios and saved games: the keys it writes in a fixed order, the wider set it
// reads, and the choice of the capital after every read.
#include <cstdio>
#include <iterator>

#include "characters/title.h"
#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/logs.h"
#include "foundation/utilities.h"
#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_TAG = static_cast<CRZTokenType>(128);
constexpr CRZTokenType KW_LASTPEACE = static_cast<CRZTokenType>(289);
constexpr CRZTokenType KW_LASTWAR = static_cast<CRZTokenType>(290);
constexpr CRZTokenType KW_BADBOY = static_cast<CRZTokenType>(547);
constexpr CRZTokenType KW_FORM_OF_GOVERMENT = static_cast<CRZTokenType>(1141);
constexpr CRZTokenType KW_FEUDAL = static_cast<CRZTokenType>(1142);
constexpr CRZTokenType KW_CAPITAL = static_cast<CRZTokenType>(157);
constexpr CRZTokenType KW_TIER = static_cast<CRZTokenType>(616);
constexpr CRZTokenType KW_RULER = static_cast<CRZTokenType>(638);
constexpr CRZTokenType KW_LAW_DATE_1 = static_cast<CRZTokenType>(1160);
constexpr CRZTokenType KW_LAWS = static_cast<CRZTokenType>(800);
constexpr CRZTokenType KW_WARFARE_DEV_FOCUS = static_cast<CRZTokenType>(1053);
constexpr CRZTokenType KW_PRODUCTION_DEV_FOCUS = static_cast<CRZTokenType>(1054);
constexpr CRZTokenType KW_CULTURE_DEV_FOCUS = static_cast<CRZTokenType>(1055);
constexpr CRZTokenType KW_STABILITY = static_cast<CRZTokenType>(134);
constexpr CRZTokenType KW_CONTROLLEDPROVINCES = static_cast<CRZTokenType>(152);
constexpr CRZTokenType KW_UNIT = static_cast<CRZTokenType>(94);
constexpr CRZTokenType KW_RELATION = static_cast<CRZTokenType>(169);
constexpr CRZTokenType KW_VP = static_cast<CRZTokenType>(391);
constexpr CRZTokenType KW_BASEVP = static_cast<CRZTokenType>(392);
constexpr CRZTokenType KW_DIVISION = static_cast<CRZTokenType>(79);
constexpr CRZTokenType KW_EVENT_CHANCE = static_cast<CRZTokenType>(62);
constexpr CRZTokenType KW_REPLACEMENT = static_cast<CRZTokenType>(78);
constexpr CRZTokenType KW_COMBATLOSSES = static_cast<CRZTokenType>(428);
constexpr CRZTokenType KW_ATTRITIONLOSSES = static_cast<CRZTokenType>(429);
constexpr CRZTokenType KW_DISBANDLOSSES = static_cast<CRZTokenType>(430);
constexpr CRZTokenType KW_ARCHIVEDGAMEEVENTS = static_cast<CRZTokenType>(420);
constexpr CRZTokenType KW_CHARACTER = static_cast<CRZTokenType>(620);
constexpr CRZTokenType KW_STARTDATE = static_cast<CRZTokenType>(203);
constexpr CRZTokenType KW_ENDDATE = static_cast<CRZTokenType>(204);

// The budget sliders' keys in slider order.
constexpr CRZTokenType kSliderKeys[kBudgetSliders]
    = { static_cast<CRZTokenType>(31), static_cast<CRZTokenType>(32), static_cast<CRZTokenType>(33),
          static_cast<CRZTokenType>(35), static_cast<CRZTokenType>(36), static_cast<CRZTokenType>(724) };
constexpr CRZTokenType kFocusKeys[3]
    = { KW_WARFARE_DEV_FOCUS, KW_PRODUCTION_DEV_FOCUS, KW_CULTURE_DEV_FOCUS };

constexpr int kLastProvince = static_cast<int>(kProvinceArraySize) - 1;
// The province a realm without a capital measures its candidates from.
constexpr int kReferenceCapital = 399;

void RequireBlock(CRZParser& parser)
{
    if (parser.value.type != TT_OPEN_BRACE)
        parser.ParseError("No Left curly");
}

int SliderOf(uint32_t key)
{
    for (int slider = 0; slider < kBudgetSliders; ++slider)
        if (static_cast<uint32_t>(kSliderKeys[slider]) == key)
            return slider;
    return -1;
}

// The ruler's tenure block: only the character's identity matters to the realm.
CCharacter* ReadRuler(CRZParser& parser)
{
    CRZID id;
    for (;;) {
        const int read = parser.ParseSimpleStatement();
        if (read != 1) {
            if (read == -2)
                parser.ParseError("Country : Unexpected field");
            if (parser.CloseBlock())
                break;
            continue;
        }
        switch (parser.key.type) {
        case KW_CHARACTER:
            RequireBlock(parser);
            if (id.ParseFields(parser) != 0)
                parser.ParseError("Country : Unexpected field");
            break;
        case KW_STARTDATE:
        case KW_ENDDATE: {
            RequireBlock(parser);
            CDate ignored;
            ignored.ParseFields(parser);
            break;
        }
        default:
            parser.ParseError("unknown lhs in scenario file (titleholder)");
        }
    }
    return CRef<CCharacter>(id).Get();
}

CLScript* RulerScript(const CCharacter* ruler)
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_CHARACTER, ruler->GetID().GetScript()));
    return list;
}

// The relations to countries 0, 1, 2, ... in order, commas skipped, up to the block's "}".
void ReadRelations(CRZParser& parser, float* relations)
{
    CLexer* lexer = parser.GetLexer();
    int count = 0;
    for (;;) {
        const uint32_t next = lexer->peek()->type;
        if (next == TT_EOF)
            parser.ParseError("Country : unexpected end of file in relation");
        lexer->getTok();
        if (next == TT_CLOSE_BRACE)
            return;
        if (next == TT_COMMA)
            continue;
        if (next != TT_NUMBER)
            parser.ParseError("Country : not a number in relation");
        if (count >= static_cast<int>(kCountryTableSlots))
            parser.ParseError("Country : Too many relations");
        relations[count++] = qvx_atof(lexer->GetToken().text);
    }
}

void ReadEventChances(CRZParser& parser, CList<CIDFloat>& chances)
{
    chances.RemoveAll();
    for (;;) {
        const int read = parser.ParseSimpleStatement();
        if (read == -2)
            parser.ParseError("Country : Unexpected field");
        if (read != 1) {
            if (parser.CloseBlock())
                return;
            continue;
        }
        if (parser.key.type != TT_NUMBER || parser.value.type != TT_NUMBER)
            parser.ParseError("Country : event_chance needs numbers");
        chances.Append(CIDFloat { TextToInt(parser.key.text), qvx_atof(parser.value.text) });
    }
}

} // namespace

int CRZCountry::ParseFields(CRZParser& parser)
{
    tier = index >= kFirstKingdom ? TIER_KINGDOM : index >= kFirstDuchy ? TIER_DUCHY : TIER_COUNTY;
    SetAIPrefsFile("default.ai");
    bool vpRead = false;
    for (;;) {
        const int read = parser.ParseSimpleStatement();
        if (read == -2)
            return -2;
        if (read != 1) {
            if (parser.CloseBlock()) {
                SetCapital();
                return 0;
            }
            continue;
        }
        const uint32_t key = parser.key.type;
        const CToken& value = parser.value;
        const bool number = value.type == TT_NUMBER;
        if (const int slider = SliderOf(key); slider >= 0) {
            budget[slider] = qvx_atof(value.text);
            continue;
        }
        switch (key) {
        case KW_VP:
            if (number) {
                victoryPoints = qvx_atof(value.text);
                if (!vpRead)
                    startingVictoryPoints = victoryPoints;
                vpRead = true;
            }
            break;
        case KW_CAPITAL:
            if (number) {
                capital = TextToInt(value.text);
                actingCapital = capital;
            }
            break;
        case KW_STABILITY:
            stability = qvx_atof(value.text);
            break;
        case KW_BADBOY:
            badBoy = qvx_atof(value.text);
            break;
        case KW_LASTPEACE:
            RequireBlock(parser);
            lastPeace.ParseFields(parser);
            break;
        case KW_LASTWAR:
            RequireBlock(parser);
            lastWar.ParseFields(parser);
            break;
        case KW_LAW_DATE_1:
        case KW_LAW_DATE_1 + 1:
        case KW_LAW_DATE_1 + 2:
            RequireBlock(parser);
            lawDates[key - KW_LAW_DATE_1].ParseFields(parser);
            break;
        case KW_FORM_OF_GOVERMENT:
            if (value.type >= KW_FEUDAL && value.type <= KW_FEUDAL + 3)
                formOfGovernment = static_cast<FormOfGoverment>(value.type - KW_FEUDAL);
            break;
        case KW_TIER:
            if (const CTier* named = CTier::GetTier(value.text))
                tier = named->IsKingdom() ? TIER_KINGDOM : named->IsDuchy() ? TIER_DUCHY : TIER_COUNTY;
            break;
        case KW_RULER:
            RequireBlock(parser);
            // As a ruler made in play: out of the court, holding no office.
            if (CCharacter* named = ReadRuler(parser))
                AddRulerImmidiatly(named);
            else
                ruler = nullptr;
            break;
        case KW_LAWS:
            RequireBlock(parser);
            laws = CLawTuple();
            laws.ParseFields(parser);
            break;
        case KW_WARFARE_DEV_FOCUS:
        case KW_PRODUCTION_DEV_FOCUS:
        case KW_CULTURE_DEV_FOCUS:
            SetDevFocus(TextToInt(value.text));
            break;
        case KW_CONTROLLEDPROVINCES: {
            if (value.type != TT_OPEN_BRACE)
                parser.ParseError("country.controlledprovinces");
            CList<int> provinces;
            parser.ParseListValues(provinces);
            for (auto it = provinces.GetHead(); !it.IsEnd(); it++) {
                if (*it < 1 || *it > kLastProvince) {
                    char message[64];
                    std::snprintf(message, sizeof message, "Illegal province ID  %d", *it);
                    parser.ParseError(message);
                }
            }
            for (auto it = provinces.GetHead(); !it.IsEnd(); it++) {
                if (CProvince* province = CProvince::GetProvince(*it))
                    province->InitController(index);
                else if (!controlledProvinces.Contains(*it))
                    controlledProvinces.Append(*it);
            }
            break;
        }
        case KW_UNIT:
        case KW_DIVISION:
        case KW_ATTRITIONLOSSES:
        case KW_COMBATLOSSES:
        case KW_DISBANDLOSSES:
            // Armies, divisions and their losses keep no saved form yet; their blocks are passed over.
            RequireBlock(parser);
            mydebug("country %s: %s block passed over\n", tag, parser.key.text);
            SkipBlock(parser, "Country : unexpected end of file");
            break;
        case KW_BASEVP:
            RequireBlock(parser);
            baseVictoryPoints.ParseFields(parser);
            break;
        case KW_EVENT_CHANCE:
            RequireBlock(parser);
            ReadEventChances(parser, eventChances);
            break;
        case KW_REPLACEMENT:
            RequireBlock(parser);
            SkipBlock(parser, "Country : unexpected end of file");
            break;
        case KW_ARCHIVEDGAMEEVENTS:
            RequireBlock(parser);
            if (parser.ParseTimeIDList(RZTYPE_OLDEVENT, archivedGameEvents) != 0)
                parser.ParseError("country.archivedgameevents");
            break;
        case KW_RELATION:
            RequireBlock(parser);
            ReadRelations(parser, relations);
            break;
        default:
            parser.ParseError("Country : Unexpected field");
        }
    }
}

CLScript* CRZCountry::GetScript() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_TAG, new CLIdentifier(tag)));
    list->Append(new CLSymbol(KW_LASTPEACE, lastPeace.GetScript()));
    list->Append(new CLSymbol(KW_LASTWAR, lastWar.GetScript()));
    list->Append(new CLSymbol(KW_BADBOY, new CLFloat(badBoy)));
    if (formOfGovernment >= GOV_FEUDAL && formOfGovernment <= GOV_KNIGHT_ORDER)
        list->Append(new CLSymbol(KW_FORM_OF_GOVERMENT,
            new CLIdentifier(static_cast<CRZTokenType>(
                static_cast<int>(KW_FEUDAL) + static_cast<int>(formOfGovernment)))));
    list->Append(new CLSymbol(KW_CAPITAL, new CLInteger(capital)));
    const CTier* tierObject = tier == TIER_KINGDOM ? GetKingdomTier()
        : tier == TIER_DUCHY                       ? GetDuchyTier()
                                                   : GetCountyTier();
    list->Append(new CLSymbol(KW_TIER, new CLIdentifier(tierObject->GetTag())));
    if (ruler != nullptr)
        list->Append(new CLSymbol(KW_RULER, RulerScript(ruler)));
    for (int group = 0; group < 3; ++group)
        if (lawDates[group].year != 0)
            list->Append(
                new CLSymbol(static_cast<CRZTokenType>(KW_LAW_DATE_1 + group), lawDates[group].GetScript()));
    list->Append(new CLSymbol(KW_LAWS, laws.GetScript()));
    for (int category = 0; category < 3; ++category)
        list->Append(new CLSymbol(kFocusKeys[category], new CLInteger(devFocus[category])));
    list->Append(new CLSymbol(KW_STABILITY, new CLFloat(stability)));
    for (int slider = 0; slider < kBudgetSliders; ++slider)
        list->Append(new CLSymbol(kSliderKeys[slider], new CLFloat(budget[slider])));
    CLSList* provinces = new CLSList;
    for (auto it = controlledProvinces.GetHead(); !it.IsEnd(); it++)
        provinces->Append(new CLInteger(*it));
    list->Append(new CLSymbol(KW_CONTROLLEDPROVINCES, provinces));
    CLSList* opinions = new CLSList;
    for (float opinion : relations)
        opinions->Append(new CLFloat(opinion));
    list->Append(new CLSymbol(KW_RELATION, opinions));
    return list;
}

void CRZCountry::SetCapital()
{
    const int reference = capital != 0 ? capital : kReferenceCapital;
    const CCharacter* holder = ruler;
    float best = -99999.0f;
    int chosen = 0;
    if (holder != nullptr) {
        for (auto it = holder->GetOwnedProvinces().GetHead(); !it.IsEnd(); it++) {
            const CProvince* province = CProvince::GetProvince(*it);
            if (province == nullptr)
                continue;
            const CSimpleScore monthly
                = province->GetModifier().GetProvinceMonthlyScore(*province).GetTotal();
            float score = 10.0f * province->GetIncome() + monthly.GetPrestige() + monthly.GetGold();
            if (province->titleRealms[0] == index)
                score += 10000.0f;
            if (province->titleRealms[1] == index)
                score += 10000.0f;
            if (*it == reference)
                score *= 10.0f;
            if (province->culture == GetPrimaryCulture())
                score *= 5.0f;
            if (province->religion == holder->religion)
                score *= 3.0f;
            score -= GetDistance(reference, *it);
            if (score < 1.0f)
                score = 1.0f;
            if (score > best) {
                best = score;
                chosen = *it;
            }
        }
    }
    if (chosen != 0)
        capital = chosen;
    actingCapital = capital;
}
