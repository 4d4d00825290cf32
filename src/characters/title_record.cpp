// The title's record in scenarios and saved games (tag, tier, liege, the newest tenure and the claims), its
// tenure and claim blocks, and the link step that ties read titles to their holders and claimants.
#include <cstdio>

#include "characters/character.h"
#include "characters/title.h"
#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/definition_kind.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_TAG = static_cast<CRZTokenType>(128);
constexpr CRZTokenType KW_TIER = static_cast<CRZTokenType>(616);
constexpr CRZTokenType KW_COUNTY = static_cast<CRZTokenType>(617);
constexpr CRZTokenType KW_DUCHY = static_cast<CRZTokenType>(618);
constexpr CRZTokenType KW_KINGDOM = static_cast<CRZTokenType>(619);
constexpr CRZTokenType KW_CHARACTER = static_cast<CRZTokenType>(620);
constexpr CRZTokenType KW_HOLDER = static_cast<CRZTokenType>(634);
constexpr CRZTokenType KW_CLAIM = static_cast<CRZTokenType>(636);
constexpr CRZTokenType KW_LIEGE = static_cast<CRZTokenType>(639);
constexpr CRZTokenType KW_STARTDATE = static_cast<CRZTokenType>(203);
constexpr CRZTokenType KW_ENDDATE = static_cast<CRZTokenType>(204);
constexpr CRZTokenType KW_DATE = static_cast<CRZTokenType>(115);

constexpr const char* kUnknownTitleKey = "unknown lhs in scenario file (title)";
constexpr const char* kUnknownHolderKey = "unknown lhs in scenario file (titleholder)";
constexpr const char* kUnknownClaimKey = "unknown lhs in scenario file (claim)";

const char* TagOf(int32_t realmId)
{
    const char* tag = gCharacterHooks.GetTag != nullptr ? gCharacterHooks.GetTag(realmId) : nullptr;
    return tag != nullptr ? tag : "";
}

CRZTokenType TierToken(const CTier* tier)
{
    return tier->IsCounty() ? KW_COUNTY : tier->IsDuchy() ? KW_DUCHY : KW_KINGDOM;
}

CRZID ReadIdentity(CRZParser& parser, const char* message)
{
    ExpectBlock(parser, message);
    CRZID id = NOID;
    if (id.ParseFields(parser) != 0)
        parser.ParseError(message);
    return id;
}

CDate ReadDate(CRZParser& parser, const char* message)
{
    ExpectBlock(parser, message);
    CDate date;
    date.ParseFields(parser);
    return date;
}

} // namespace

CLScript* CTitleHolding::GetScript() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_CHARACTER, holderId.GetScript()));
    list->Append(new CLSymbol(KW_STARTDATE, startDate.GetScript()));
    if (HasEnded())
        list->Append(new CLSymbol(KW_ENDDATE, endDate.GetScript()));
    return list;
}

int CTitleHolding::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_CHARACTER:
            holderId = ReadIdentity(parser, kUnknownHolderKey);
            holder = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(holderId));
            break;
        case KW_STARTDATE:
            startDate = ReadDate(parser, kUnknownHolderKey);
            break;
        case KW_ENDDATE:
            endDate = ReadDate(parser, kUnknownHolderKey);
            break;
        default:
            parser.ParseError(kUnknownHolderKey);
        }
        return kReadOn;
    });
}

CLScript* CClaim::GetScript() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_ID, id.GetScript()));
    list->Append(new CLSymbol(KW_CHARACTER, claimant.GetScript()));
    if (date.year != 0)
        list->Append(new CLSymbol(KW_DATE, date.GetScript()));
    return list;
}

CClaim* CClaim::Parse(int32_t realmId, CRZParser& parser)
{
    CRZID identity = NOID;
    CRZID person = NOID;
    CDate when = GetGameToday();
    ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_ID:
            identity = ReadIdentity(parser, kUnknownClaimKey);
            break;
        case KW_CHARACTER:
            person = ReadIdentity(parser, kUnknownClaimKey);
            break;
        case KW_DATE:
            when = ReadDate(parser, kUnknownClaimKey);
            break;
        default:
            parser.ParseError(kUnknownClaimKey);
        }
        return kReadOn;
    });
    // The registry treats a second object under one identity as fatal; in a file it is only a bad record.
    // A claim outside the registry could never be found by its claimant either.
    if (identity == NOID)
        identity = CIdentity::GetRandomID();
    else if (!CIdentity::IsRegisteredType(identity.type) || CIdentity::GetObjectFromID(identity) != nullptr)
        parser.ParseError("claim: identity missing or in use");
    auto* claim = new CClaim(realmId, identity, when);
    claim->claimant = person;
    return claim;
}

CLScript* CTitle::GetScript() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_TAG, new CLIdentifier(TagOf(realmId))));
    list->Append(new CLSymbol(KW_TIER, new CLIdentifier(TierToken(tier))));
    if (liege != 0)
        list->Append(new CLSymbol(KW_LIEGE, new CLIdentifier(TagOf(liege))));
    auto newest = tenures.GetTail();
    if (!newest.IsEnd() && !((*newest)->holderId == NOID))
        list->Append(new CLSymbol(KW_HOLDER, (*newest)->GetScript()));
    for (auto claim = claims.GetHead(); !claim.IsEnd(); claim++)
        list->Append(new CLSymbol(KW_CLAIM, (*claim)->GetScript()));
    return list;
}

void CTitle::AddTenure(CTitleHolding* holding)
{
    // Kept by start date; a tenure read after another of the same day comes after it.
    auto at = tenures.GetHead();
    while (!at.IsEnd() && !((*at)->startDate > holding->startDate))
        at++;
    tenures.InsertBefore(holding, at);
}

int CTitle::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_HOLDER: {
            ExpectBlock(parser, kUnknownTitleKey);
            // Owned by the title before it is read, so a load that ends inside the block leaks nothing; its
            // place among the tenures is known once its start date is.
            auto* holding = new CTitleHolding(nullptr);
            holding->startDate = CDate();
            tenures.Append(holding);
            holding->ParseFields(parser);
            tenures.Remove(holding);
            AddTenure(holding);
            break;
        }
        case KW_CLAIM:
            ExpectBlock(parser, kUnknownTitleKey);
            claims.Append(CClaim::Parse(realmId, parser));
            break;
        case KW_LIEGE: {
            const int number = CRZParser::_pTagToID != nullptr ? CRZParser::_pTagToID(parser.value.text) : 0;
            // A title can be no liege of its own, and a liege must outrank its vassal.
            CTitle* title = GetTitle(number);
            if (title == nullptr || title == this || !title->MayBecomeLiege(this))
                parser.ParseError("title: bad liege");
            liege = number;
            break;
        }
        case KW_TIER:
            // The tier follows from the realm number; the word is checked, not obeyed.
            if (parser.value.type != KW_COUNTY && parser.value.type != KW_DUCHY
                && parser.value.type != KW_KINGDOM)
                parser.ParseError(kUnknownTitleKey);
            break;
        default:
            parser.ParseError(kUnknownTitleKey);
        }
        return kReadOn;
    });
}

void CTitle::SyncronizeTitlesClaimsAndCharacters()
{
    for (CTitle* title : _pTitle) {
        if (title == nullptr)
            continue;
        if (CCharacter* holder = title->GetCurrentHolder())
            holder->AddTitle(title);
        title->claims.Lock();
        for (auto claim = title->claims.GetHead(); !claim.IsEnd(); claim++) {
            if (CCharacter* claimant = (*claim)->GetCharacter()) {
                if (!claimant->claims.Contains((*claim)->GetID()))
                    claimant->AddClaim((*claim)->GetID());
            } else {
                delete *claim;
                title->claims.Remove(claim);
            }
        }
        title->claims.Unlock();
    }
    // Vassal lists are made from the liege fields, so the two always agree after a load.
    for (CTitle* title : _pTitle) {
        if (title == nullptr)
            continue;
        if (CTitle* liege = title->GetOwnLiege();
            liege != nullptr && !liege->vassals.Contains(title->GetID()))
            liege->vassals.Append(title->GetID());
    }
}
