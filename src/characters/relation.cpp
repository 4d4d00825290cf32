// Relations between characters, their record in saved games and the registry that holds them.
#include "characters/relation.h"

#include "characters/character.h"
#include "characters/title.h"
#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_MARRIGE = static_cast<CRZTokenType>(780);
constexpr CRZTokenType KW_TRUCE = static_cast<CRZTokenType>(781);
constexpr CRZTokenType KW_ALLIANCE = static_cast<CRZTokenType>(174);
constexpr CRZTokenType KW_FRIEND = static_cast<CRZTokenType>(1192);
constexpr CRZTokenType KW_RIVAL = static_cast<CRZTokenType>(1193);
constexpr CRZTokenType KW_PRIMARY = static_cast<CRZTokenType>(782);
constexpr CRZTokenType KW_SECONDARY = static_cast<CRZTokenType>(783);
constexpr CRZTokenType KW_STARTDATE = static_cast<CRZTokenType>(203);
constexpr CRZTokenType KW_ENDDATE = static_cast<CRZTokenType>(204);

constexpr CRZTokenType kTypeTokens[kRelationTypeCount]
    = { KW_MARRIGE, KW_TRUCE, KW_ALLIANCE, KW_FRIEND, KW_RIVAL };

// Characters born during play carry identities of their machine's type, so the type alone does not tell.
CCharacter* FindCharacter(const CRZID& id)
{
    return CRef<CCharacter>(id).Get();
}

// An alliance across top realms gives way to a liege who may raise the ally's troops directly.
bool LiegeMayRecruit(const CCharacter* character)
{
    return character->GetLiegeRuler() != nullptr && character->GetLoyaltyToLiege() > 0.79f;
}

void RequireBlock(CRZParser& parser, const char* message)
{
    if (parser.value.type != TT_OPEN_BRACE)
        parser.ParseError(message);
}

} // namespace

CRelation::CRelation(
    CRelationType inType, CRef<CCharacter> primaryCharacter, CRef<CCharacter> secondaryCharacter)
    : type(inType)
    , primary(primaryCharacter.GetID())
    , secondary(secondaryCharacter.GetID())
    , startDate(GetGameToday())
{
    // The daily update reaches both characters through the relation, so each keeps it in his list.
    CCharacter* first = GetPrimary();
    CCharacter* second = GetSecondary();
    if (first)
        first->AddRelation(this);
    if (second && second != first)
        second->AddRelation(this);
}

CRelation::CRelation(CRelationType inType)
    : type(inType)
{
}

CRelation::~CRelation()
{
    CCharacter* first = GetPrimary();
    CCharacter* second = GetSecondary();
    if (first)
        first->RemoveRelation(this);
    if (second && second != first)
        second->RemoveRelation(this);
}

CCharacter* CRelation::FindSide(const CRZID& side, CSideCache& cache) const
{
    const uint64_t leaves = CIdentity::GetLeaveCount();
    if (cache.character != nullptr && cache.leaveCount == leaves)
        return cache.character;
    // Only a side found is kept: a missing one may yet be registered.
    cache = CSideCache { FindCharacter(side), leaves };
    return cache.character;
}

CCharacter* CRelation::GetPrimary() const
{
    return FindSide(primary, primaryCache);
}

CCharacter* CRelation::GetSecondary() const
{
    return FindSide(secondary, secondaryCache);
}

CCharacter* CRelation::GetOther(const CCharacter* one) const
{
    return one != nullptr && one->GetID() == primary ? GetSecondary() : GetPrimary();
}

bool CRelation::IsActive() const
{
    if (type == RELATION_TRUCE || type == RELATION_ALLIANCE) {
        const CCharacter* first = GetPrimary();
        const CCharacter* second = GetSecondary();
        if (first == nullptr || second == nullptr)
            return false;
        if (first->realmId == CTitle::kNobodyRealm || second->realmId == CTitle::kNobodyRealm)
            return false;
        if (first->realmId == second->realmId)
            return false;
        if (first->titles.IsEmpty() || second->titles.IsEmpty())
            return false;
        if (type == RELATION_ALLIANCE && first->GetRealm() != second->GetRealm()
            && (LiegeMayRecruit(first) || LiegeMayRecruit(second)))
            return false;
    }
    return !HasEnded();
}

void CRelation::Terminate()
{
    if (IsActive())
        endDate = GetGameToday();
}

int CRelation::GetTypeToken(int type)
{
    return type >= 0 && type < kRelationTypeCount ? kTypeTokens[type] : KW_MARRIGE;
}

int CRelation::FindType(int token)
{
    for (int type = 0; type < kRelationTypeCount; ++type)
        if (kTypeTokens[type] == token)
            return type;
    return -1;
}

CLScript* CRelation::GetScript() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_PRIMARY, primary.GetScript()));
    list->Append(new CLSymbol(KW_SECONDARY, secondary.GetScript()));
    list->Append(new CLSymbol(KW_STARTDATE, startDate.GetScript()));
    if (HasEnded())
        list->Append(new CLSymbol(KW_ENDDATE, endDate.GetScript()));
    return list;
}

int CRelation::ParseFields(CRZParser& parser)
{
    constexpr const char* kUnknown = "unknown lhs in scenario file (relation)";
    const int result = ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_PRIMARY:
        case KW_SECONDARY: {
            RequireBlock(parser, kUnknown);
            CRZID& side = parser.key.type == KW_PRIMARY ? primary : secondary;
            (parser.key.type == KW_PRIMARY ? primaryCache : secondaryCache) = CSideCache {};
            return side.ParseFields(parser) == 0 ? kReadOn : -2;
        }
        case KW_STARTDATE:
        case KW_ENDDATE: {
            RequireBlock(parser, kUnknown);
            CDate& date = parser.key.type == KW_STARTDATE ? startDate : endDate;
            return date.ParseFields(parser) == 0 ? kReadOn : -2;
        }
        default:
            parser.ParseError(kUnknown);
        }
    });
    if (endDate > GetGameToday())
        endDate = CDate();
    return result;
}

CRelations* CRelations::_instance = nullptr;

CRelations::~CRelations()
{
    DeleteAll(*this);
}

void CRelations::Init()
{
    Shutdown();
    _instance = new CRelations;
}

void CRelations::Shutdown()
{
    delete _instance;
    _instance = nullptr;
}

CRelations* CRelations::GetInstance()
{
    if (_instance == nullptr)
        _instance = new CRelations;
    return _instance;
}

void CRelations::SyncronizeCharacters()
{
    for (auto it = GetHead(); !it.IsEnd(); it++) {
        CRelation* relation = *it;
        CCharacter* first = relation->GetPrimary();
        CCharacter* second = relation->GetSecondary();
        if (first == nullptr || second == nullptr)
            continue;
        if (!first->relations.Contains(relation))
            first->AddRelation(relation);
        if (second != first && !second->relations.Contains(relation))
            second->AddRelation(relation);
    }
}

CLScript* CRelations::GetScript() const
{
    CLSList* list = new CLSList;
    for (auto it = GetHead(); !it.IsEnd(); it++)
        list->Append(new CLSymbol(
            static_cast<CRZTokenType>(CRelation::GetTypeToken((*it)->GetType())), (*it)->GetScript()));
    return list;
}

int CRelations::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        const int type = CRelation::FindType(static_cast<int>(parser.key.type));
        if (type < 0 || parser.value.type != TT_OPEN_BRACE)
            parser.ParseError("unknown lhs in scenario file (relations)");
        auto* relation = new CRelation(static_cast<CRelationType>(type));
        // The relation joins the registry before it reads, so that a parse error that abandons the load
        // leaves it to the registry's clean-up rather than leaking it.
        Append(relation);
        return relation->ParseFields(parser) == 0 ? kReadOn : -2;
    });
}
