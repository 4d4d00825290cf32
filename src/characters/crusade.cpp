// The crusade: its start and end, the weight of each province in it, the daily need for one, the prestige and
// piety its battles bring catholic rulers, the crusade button's tooltips and the crusade's block of a saved
// game.
#include "characters/crusade.h"

#include "armies/battle_result.h"
#include "characters/character.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/record_event.h"
#include "events/records_character.h"
#include "foundation/logs.h"
#include "foundation/text_format.h"
#include "foundation/utilities.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_ACTIVE = static_cast<CRZTokenType>(92);
constexpr CRZTokenType KW_ENDED = static_cast<CRZTokenType>(1158);
constexpr CRZTokenType KW_TARGET = static_cast<CRZTokenType>(56);
constexpr const char* kUnknownCrusadeKey = "unknown lhs in scenario file (crusade)";
constexpr int kCatholic = 0;
constexpr int kMuslim = 2;
constexpr int kJewish = 3;
constexpr int kPagan = 4;
constexpr int kCrusaderTrait = 71;
constexpr int kKingdomTitle = 1;
// Provinces 0 to 1003 are the land of the province table that a crusade can aim at.
constexpr int32_t kLastTarget = static_cast<int32_t>(kProvinceArraySize) - 1;
constexpr int kCrusadesStarted = 100;
constexpr int kCrusadesLost = 101;
constexpr int kCrusadesWon = 102;

CCharacter* RulerOf(const CRZCountry* realm)
{
    return realm != nullptr && gCharacterHooks.GetRuler != nullptr ? gCharacterHooks.GetRuler(realm)
                                                                   : nullptr;
}

// The ruler of the realm that owns the province; null where none does.
CCharacter* OwnerRuler(int32_t province)
{
    const int32_t owner
        = gCharacterHooks.GetProvinceOwner != nullptr ? gCharacterHooks.GetProvinceOwner(province) : 0;
    return owner != 0 ? RulerOf(RealmAt(owner)) : nullptr;
}

int32_t KingdomOf(int32_t province)
{
    return gCharacterHooks.GetProvinceTitleRealm != nullptr
        ? gCharacterHooks.GetProvinceTitleRealm(province, kKingdomTitle)
        : 0;
}

// How strongly a faith calls for a crusade against it.
float FaithWeight(int religion)
{
    switch (religion) {
    case kJewish:
        return 1.0f;
    case kMuslim:
        return 5.0f;
    case kPagan:
        return 3.0f;
    default:
        return 0.0f;
    }
}

void TellLocalPlayer(int type)
{
    const int32_t realm
        = gCharacterHooks.GetLocalPlayerRealm != nullptr ? gCharacterHooks.GetLocalPlayerRealm() : 0;
    const char* const texts[] = { "" };
    if (realm != 0 && gCharacterHooks.ShowMessage != nullptr)
        gCharacterHooks.ShowMessage(type, realm, texts, 1);
}

const char* YesNo(int32_t flag)
{
    return flag != 0 ? "yes" : "no";
}

} // namespace

CCrusade* CCrusade::_pInstance = nullptr;

void CCrusade::Init()
{
    Shutdown();
    _pInstance = new CCrusade;
    _pInstance->Create(CRUSADE);
}

void CCrusade::Shutdown()
{
    delete _pInstance;
    _pInstance = nullptr;
}

int CCrusade::Update(CRZEvent* event)
{
    if (event == nullptr)
        return 0;
    switch (event->GetType()) {
    case _CRZEVT_START_CRUSADES_: {
        const auto* record = RecordAs<CRZIntData>(event);
        if (record == nullptr || record->value < 0 || record->value > kLastTarget) {
            history("The crusade: a start naming no province of the table (%d) is dropped",
                record != nullptr ? static_cast<int>(record->value) : -1);
            return 0;
        }
        const int32_t oldTarget = targetProvince;
        active = 1;
        ended = 0;
        targetProvince = record->value;
        if (targetProvince != 0) {
            TellLocalPlayer(kCrusadesStarted);
        } else {
            active = 0;
            if (oldTarget != 0) {
                const CCharacter* holder = OwnerRuler(oldTarget);
                TellLocalPlayer(
                    holder != nullptr && holder->religion != kCatholic ? kCrusadesLost : kCrusadesWon);
            }
        }
        break;
    }
    case _CRZEVT_CRUSADES_LOST_:
    case _CRZEVT_CRUSADES_WON_:
        ended = 1;
        active = 0;
        break;
    default:
        break;
    }
    return 0;
}

float CCrusade::GetAreaFactor(int32_t province) const
{
    if (targetProvince == 0)
        return 0.05f;
    if (province == targetProvince)
        return 10.0f;
    const int32_t kingdom = KingdomOf(targetProvince);
    if (kingdom != 0 && kingdom == KingdomOf(province))
        return 2.0f;
    return 0.25f;
}

float CCrusade::GetCrusadeNeed()
{
    const CDate today = GetGameToday();
    if (needKnown && needDate == today)
        return need;
    float sum = 0.0f;
    for (int32_t province = 0; province <= kLastTarget; ++province) {
        const CCharacter* ruler = OwnerRuler(province);
        if (ruler == nullptr)
            continue;
        const float weight = FaithWeight(ruler->religion);
        if (weight == 0.0f)
            continue;
        const float gold = gCharacterHooks.GetProvinceMonthlyGold != nullptr
            ? gCharacterHooks.GetProvinceMonthlyGold(province)
            : 0.0f;
        sum += GetAreaFactor(province) * weight * gold;
    }
    need = sum;
    needDate = today;
    needKnown = true;
    return need;
}

void CCrusade::AddScoreFromBattle(
    const CBattleResult& result, bool attackerSide, const CRZCountryList& realms) const
{
    const float factor = GetAreaFactor(result.province);
    float score = attackerSide ? result.GetCrusadeScoreForAttacker(factor)
                               : result.GetCrusadeScoreForDefender(factor);
    for (auto it = realms.GetHead(); !it.IsEnd(); it++) {
        const CCharacter* ruler = RulerOf(RealmAt(*it));
        if (ruler == nullptr || ruler->religion != kCatholic)
            continue;
        // The zeal of a crusader carries over to those who fight beside him.
        if (ruler->HasTrait(kCrusaderTrait))
            score *= 5.0f;
        PostToHostEvent(
            new CRZCharacterFloatEvent(_CRZEVT_PIETY_, CHARACTER_SERVER, ruler->GetID(), 2.0f * score));
        PostToHostEvent(
            new CRZCharacterFloatEvent(_CRZEVT_PRESTIGE_, CHARACTER_SERVER, ruler->GetID(), score));
    }
}

const char* CCrusade::GetInstantRollover(const CRZCountry* country) const
{
    static char buffer[1024];
    std::string text;
    if (targetProvince != 0) {
        const char* name = gCharacterHooks.GetProvinceName != nullptr
            ? gCharacterHooks.GetProvinceName(targetProvince)
            : nullptr;
        text = FormatDataText(TextStrings.GetString("CRUSADES_TARGET"), { name });
    }
    const float cost = country != nullptr && gCharacterHooks.GetCrusadesCost != nullptr
        ? gCharacterHooks.GetCrusadesCost(country)
        : 0.0f;
    text += FormatDataText(
        TextStrings.GetString("CRUSADES_INSTANT_ROLLOVER"), { static_cast<int>(cost + 0.5f) });
    CopyString(buffer, text.c_str());
    return buffer;
}

const char* CCrusade::GetDelayedRollover(const CRZCountry*) const
{
    static char buffer[512];
    CopyString(buffer, TextStrings.GetString("CRUSADES_DELAYED_ROLLOVER"));
    return buffer;
}

int CCrusade::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_ACTIVE:
            active = parser.value.type == KW_YES ? 1 : 0;
            break;
        case KW_ENDED:
            ended = parser.value.type == KW_YES ? 1 : 0;
            break;
        case KW_TARGET: {
            const int read = TextToInt(parser.value.text);
            // A target outside the province table would index past it when the need is measured.
            if (read < 0 || read > kLastTarget)
                parser.ParseError("crusade: target outside the province table");
            targetProvince = read;
            break;
        }
        default:
            parser.ParseError(kUnknownCrusadeKey);
        }
        return kReadOn;
    });
}

CLScript* CCrusade::GetScript() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_ACTIVE, new CLIdentifier(YesNo(active))));
    list->Append(new CLSymbol(KW_ENDED, new CLIdentifier(YesNo(ended))));
    list->Append(new CLSymbol(KW_TARGET, new CLInteger(targetProvince)));
    return list;
}
