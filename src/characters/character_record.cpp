// The character's record in scenarios and saved games: the keys it reads in any order and writes in a
// fixed one.
#include <cstdio>
#include <cstring>

#include "characters/character.h"
#include "characters/culture.h"
#include "characters/title.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_ID = static_cast<CRZTokenType>(1252);
constexpr CRZTokenType KW_DYN = static_cast<CRZTokenType>(395);
constexpr CRZTokenType KW_DYNASTY = static_cast<CRZTokenType>(37);
constexpr CRZTokenType KW_TAG = static_cast<CRZTokenType>(128);
constexpr CRZTokenType KW_COUNTRY = static_cast<CRZTokenType>(93);
constexpr CRZTokenType KW_NAME = static_cast<CRZTokenType>(88);
constexpr CRZTokenType KW_HOME = static_cast<CRZTokenType>(511);
constexpr CRZTokenType KW_LOCATION = static_cast<CRZTokenType>(100);
constexpr CRZTokenType KW_STATUS = static_cast<CRZTokenType>(333);
constexpr CRZTokenType KW_DATE = static_cast<CRZTokenType>(115);
constexpr CRZTokenType KW_BIRTHDATE = static_cast<CRZTokenType>(621);
constexpr CRZTokenType KW_GENDER = static_cast<CRZTokenType>(623);
constexpr CRZTokenType KW_MALE = static_cast<CRZTokenType>(624);
constexpr CRZTokenType KW_FEMALE = static_cast<CRZTokenType>(625);
constexpr CRZTokenType KW_RELIGION = static_cast<CRZTokenType>(90);
constexpr CRZTokenType KW_CULTURE = static_cast<CRZTokenType>(512);
constexpr CRZTokenType KW_DEATHDATE = static_cast<CRZTokenType>(151);
constexpr CRZTokenType KW_IMPREGNATIONDATE = static_cast<CRZTokenType>(622);
constexpr CRZTokenType KW_CHILDS_FATHER = static_cast<CRZTokenType>(631);
constexpr CRZTokenType KW_SCORE = static_cast<CRZTokenType>(678);
constexpr CRZTokenType KW_ATTRIBUTES = static_cast<CRZTokenType>(1079);
constexpr CRZTokenType KW_TRAITS = static_cast<CRZTokenType>(895);
constexpr CRZTokenType KW_FATHER = static_cast<CRZTokenType>(629);
constexpr CRZTokenType KW_MOTHER = static_cast<CRZTokenType>(630);
constexpr CRZTokenType KW_LOYALTY = static_cast<CRZTokenType>(76);
constexpr CRZTokenType KW_COURT = static_cast<CRZTokenType>(635);
constexpr CRZTokenType KW_DNA = static_cast<CRZTokenType>(29);
constexpr CRZTokenType KW_NICKNAME = static_cast<CRZTokenType>(38);

constexpr const char* kUnknownKey = "unknown lhs in scenario file (character)";

// An identity value: an identity block, or a realm's tag.
int ReadID(CRZParser& parser, CRZID& id)
{
    if (parser.value.type == TT_OPEN_BRACE)
        return id.ParseFields(parser);
    const int number = CRZParser::_pTagToID ? CRZParser::_pTagToID(parser.value.text) : 0;
    id = CRZID(RZTYPE_COUNTRY, static_cast<uint32_t>(number));
    return 0;
}

// A date block, or the eight-digit text.
int ReadDate(CRZParser& parser, CDate& date)
{
    if (parser.value.type == TT_OPEN_BRACE)
        return date.ParseFields(parser);
    date.AssignFromString(parser.value.text);
    return 0;
}

} // namespace

void CCharacter::SetDNA(const char* text)
{
    // Cut before the copy: the text may be as long as a token, the field is not.
    const std::size_t length = text != nullptr ? strnlen(text, kDNALength) : 0;
    if (length > 0)
        std::memcpy(dna, text, length);
    if (length < static_cast<std::size_t>(kDNALength))
        dna[length] = '\0';
    for (int place = 0; place < kDNALength; ++place)
        if (dna[place] == '\0')
            dna[place] = '3';
    dna[kDNALength] = '\0';
}

int CCharacter::ParseFields(CRZParser& parser)
{
    const int result = ReadBlockStatements(parser, [&] {
        const CToken& value = parser.value;
        int answer = 0;
        switch (parser.key.type) {
        case KW_ID: {
            CRZID read;
            if (ReadID(parser, read) != 0)
                return -2;
            // Checked here, so that the report names the file and line rather than the registry.
            if (!CIdentity::IsRegisteredType(read.type))
                parser.ParseError("illegal character id");
            if (CIdentity::GetObjectFromID(read) != nullptr)
                parser.ParseError("duplicate character id");
            Create(read);
            break;
        }
        case KW_DYN:
            dynasty = CRZID(RZTYPE_DYNASTY, static_cast<uint32_t>(TextToInt(value.text)));
            break;
        case KW_DYNASTY:
            answer = ReadID(parser, dynasty);
            break;
        case KW_TAG:
        case KW_COUNTRY:
            realmId = CRZParser::_pTagToID ? CRZParser::_pTagToID(value.text) : 0;
            break;
        case KW_NAME:
            SetName(value.text);
            break;
        case KW_HOME:
        case KW_LOCATION:
            homeProvince = TextToInt(value.text);
            break;
        case KW_STATUS:
            status = 1;
            break;
        case KW_DATE:
        case KW_BIRTHDATE:
            answer = ReadDate(parser, birthDate);
            break;
        case KW_GENDER:
            gender = value.type == KW_MALE ? GENDER_MALE : GENDER_FEMALE;
            break;
        case KW_RELIGION:
            religion = CRZReligion::FindType(static_cast<int>(value.type));
            break;
        case KW_CULTURE:
            culture = CRZCulture::Which(value.text);
            break;
        case KW_DEATHDATE:
            answer = ReadDate(parser, deathDate);
            break;
        case KW_IMPREGNATIONDATE:
            answer = ReadDate(parser, conceptionDate);
            break;
        case KW_CHILDS_FATHER:
            answer = ReadID(parser, childFather);
            break;
        case KW_SCORE:
            if (value.type != TT_OPEN_BRACE)
                parser.ParseError(kUnknownKey);
            answer = score.ParseFields(parser);
            break;
        case KW_ATTRIBUTES:
            if (value.type == TT_OPEN_BRACE)
                answer = baseAttributes.ParseFields(parser);
            else
                baseAttributes.AssignFromString(value.text);
            break;
        case KW_TRAITS:
            if (value.type != TT_OPEN_BRACE)
                parser.ParseError(kUnknownKey);
            answer = traits.ParseFields(parser);
            break;
        case KW_FATHER:
            answer = ReadID(parser, father);
            break;
        case KW_MOTHER:
            answer = ReadID(parser, mother);
            break;
        case KW_LOYALTY:
            loyaltyToLiege = qvx_atof(value.text);
            break;
        case KW_COURT:
            courtPosition = TextToInt(value.text);
            break;
        case KW_DNA:
            SetDNA(value.text);
            break;
        case KW_NICKNAME:
            // A block would otherwise be read as the character's own statements.
            if (value.type == TT_OPEN_BRACE)
                parser.ParseError(kUnknownKey);
            break;
        default:
            parser.ParseError(kUnknownKey);
        }
        return answer == 0 ? kReadOn : -2;
    });
    if (result == 0)
        RefreshAttributes();
    return result;
}

CLScript* CCharacter::GetScript() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_ID, id.GetScript()));
    list->Append(new CLSymbol(KW_DYN, new CLInteger(static_cast<int>(dynasty.number))));
    const int realm = GetCountry() != nullptr ? realmId : CTitle::kNobodyRealm;
    const char* tag = CLID::_pIDToTag ? CLID::_pIDToTag(realm) : nullptr;
    list->Append(new CLSymbol(KW_TAG, new CLIdentifier(tag != nullptr ? tag : "NONE")));
    list->Append(new CLSymbol(KW_NAME, new CLString(GetName())));
    if (homeProvince != 0)
        list->Append(new CLSymbol(KW_HOME, new CLInteger(homeProvince)));
    if (status != 0)
        list->Append(new CLSymbol(KW_STATUS, new CLBool(true)));
    char date[9];
    birthDate.GenerateString(date);
    list->Append(new CLSymbol(KW_DATE, new CLString(date)));
    list->Append(new CLSymbol(KW_GENDER, new CLIdentifier(gender == GENDER_MALE ? KW_MALE : KW_FEMALE)));
    list->Append(new CLSymbol(KW_RELIGION, new CLIdentifier(CRZReligion::GetToken(religion))));
    list->Append(new CLSymbol(KW_CULTURE, new CLIdentifier(CRZCulture::GetTag(culture))));
    if (!IsAlive())
        list->Append(new CLSymbol(KW_DEATHDATE, deathDate.GetScript()));
    if (IsPregnant()) {
        list->Append(new CLSymbol(KW_IMPREGNATIONDATE, conceptionDate.GetScript()));
        list->Append(new CLSymbol(KW_CHILDS_FATHER, childFather.GetScript()));
    }
    if (!score.IsZero())
        list->Append(new CLSymbol(KW_SCORE, score.GetScript()));
    char attributesText[96];
    std::snprintf(attributesText, sizeof attributesText, "%d.%d.%d.%d.%d.%d", baseAttributes.GetMartial(),
        baseAttributes.GetDiplomacy(), baseAttributes.GetIntrigue(), baseAttributes.GetStewardship(),
        baseAttributes.GetFertility(), baseAttributes.GetHealth());
    list->Append(new CLSymbol(KW_ATTRIBUTES, new CLString(attributesText)));
    list->Append(new CLSymbol(KW_TRAITS, traits.GetScript()));
    if (CIdentity::GetObjectFromID(father) != nullptr)
        list->Append(new CLSymbol(KW_FATHER, father.GetScript()));
    if (CIdentity::GetObjectFromID(mother) != nullptr)
        list->Append(new CLSymbol(KW_MOTHER, mother.GetScript()));
    if (IsRuler() || loyaltyToLiege != 1.0f)
        list->Append(new CLSymbol(KW_LOYALTY, new CLFloat(loyaltyToLiege)));
    if (courtPosition != COURT_COURTIER)
        list->Append(new CLSymbol(KW_COURT, new CLInteger(courtPosition)));
    // The DNA is kDNALength characters once read; one never read is written as it will read back.
    char dnaText[kDNALength + 1];
    std::snprintf(dnaText, sizeof dnaText, "%.*s", kDNALength, dna);
    list->Append(new CLSymbol(KW_DNA, new CLString(dnaText)));
    return list;
}
