// A dead character's estate: on the host his heirs are found and his titles, claims, wars and gold dealt
// into shares, one inherit event per heir; every machine then gives each heir his share.
#include "world/character_estate.h"

#include <string>
#include <vector>

#include "armies/division.h"
#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/papacy.h"
#include "characters/succession.h"
#include "characters/title.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/event_routing.h"
#include "events/generic_events.h"
#include "events/variable_events.h"
#include "foundation/logs.h"
#include "foundation/random_generator.h"
#include "realms/country.h"
#include "realms/inheritance.h"
#include "realms/province.h"
#include "realms/war.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

enum : int {
    LAW_SALIC_PRIMOGENITURE = 0,
    LAW_SEMISALIC_PRIMOGENITURE = 1,
    LAW_SALIC_CONSANGUINITY = 2,
    LAW_SEMISALIC_CONSANGUINITY = 3,
    LAW_SALIC_GAVELKIND = 4,
    LAW_SEMISALIC_GAVELKIND = 5,
    LAW_ELECTIVE = 6,
    LAW_REGAL_SUPREMACY = 11,
    LAW_MONASTIC_SUPREMACY = 12,
    LAW_ECCLESIASTICAL_BALANCE = 13,
    LAW_CHURCH_SUPREMACY = 14,
};
constexpr int32_t kPapalRealm = 1323;
constexpr int kMessageInheritance = 27;
constexpr int kMessageNewPope = 98;
constexpr int kHeirsAsked = 10;

CCharacter* Find(const CRZID& identity)
{
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(identity));
}

bool SameDynasty(const CCharacter* a, const CCharacter* b)
{
    return CIdentity::GetObjectFromID(a->dynasty) == CIdentity::GetObjectFromID(b->dynasty);
}

bool IsPope(const CCharacter* character)
{
    const CPapacy* papacy = CPapacy::GetInstance();
    return papacy != nullptr && papacy->IsPope(character);
}

bool RulesPlayerRealm(const CCharacter* character)
{
    const CRZCountry* realm = character->GetCountry();
    return character->IsRuler() && realm != nullptr && !realm->IsAI();
}

// A bishop's see goes to churchmen, or, as the realm's laws let the church decide, to the pope's man.
void ChooseBishopHeirs(const CCharacter* dead, const CLawTuple& laws, CSuccessorList& heirs)
{
    for (auto heir = heirs.GetHead(); !heir.IsEnd();) {
        const CCharacter* candidate = (*heir).Get();
        auto here = heir++;
        if (candidate == nullptr || !candidate->HasEcclesticalEducation() || candidate->IsRuler()
            || candidate->IsFemale())
            heirs.Remove(here);
    }
    int chance = laws.Exists(LAW_REGAL_SUPREMACY) ? 20
        : laws.Exists(LAW_MONASTIC_SUPREMACY)     ? 70
        : laws.Exists(LAW_ECCLESIASTICAL_BALANCE) ? 50
        : laws.Exists(LAW_CHURCH_SUPREMACY)       ? 100
                                                  : 0;
    if (dead->religion != 0)
        chance = 0;
    const CPapacy* papacy = CPapacy::GetInstance();
    CCharacter* candidate = papacy != nullptr ? papacy->GetNewBishop() : nullptr;
    if (gGameRandom.Next() % 100 < chance && candidate != nullptr) {
        heirs.RemoveAll();
        heirs.Append(CRef<CCharacter>(candidate));
    }
    if (heirs.IsEmpty() && candidate != nullptr && candidate->religion == 0)
        heirs.Append(CRef<CCharacter>(candidate));
}

int CountyCount(const CCharacter* dead)
{
    int count = 0;
    for (auto title = dead->titles.GetHead(); !title.IsEnd(); title++)
        count += (*title)->GetTier()->IsCounty() ? 1 : 0;
    return count;
}

// Under gavelkind every son takes a share, as far as the counties go; otherwise one share.
int ShareCount(const CCharacter* dead, const CLawTuple& laws, const CSuccessorList& heirs)
{
    int sons = 0;
    if (laws.Exists(LAW_SALIC_GAVELKIND) || laws.Exists(LAW_SEMISALIC_GAVELKIND)) {
        for (auto heir = heirs.GetHead(); !heir.IsEnd(); heir++) {
            const CCharacter* son = (*heir).Get();
            sons += son != nullptr && !son->IsFemale() && dead->IsOurChild(son) ? 1 : 0;
        }
    }
    return std::max(1, std::min(sons, CountyCount(dead)));
}

void DealShares(CCharacter* dead, const CRZCountry* realm, std::vector<CInheritance>& shares)
{
    const int n = static_cast<int>(shares.size());
    const float gold = dead->score.GetGold() / static_cast<float>(n);
    for (CInheritance& share : shares) {
        share.SetFormOfGoverment(realm->GetFormOfGoverment());
        share.AddScore(CSimpleScore(gold, 0.0f, 0.0f));
    }
    int next = 0;
    for (auto claim = dead->claims.GetHead(); !claim.IsEnd(); claim++, next = (next + 1) % n)
        shares[static_cast<std::size_t>(next)].AddClaim(*claim);
    if (dead->IsRuler()) {
        const CList<CRZID> wars = realm->GetWars();
        for (auto war = wars.GetHead(); !war.IsEnd(); war++)
            shares[0].AddWar(*war);
    }
    CList<CTitle*> left;
    for (auto title = dead->titles.GetHead(); !title.IsEnd(); title++)
        left.Append(*title);
    next = 0;
    while (CTitle* title = CCharacter::GetBestHigherTitle(left)) {
        shares[static_cast<std::size_t>(next)].AddTitle(title->GetID());
        next = (next + 1) % n;
    }
    while (!left.IsEmpty()) {
        const int before = left.GetSize();
        shares[static_cast<std::size_t>(next)].TakeBestCountTitle(left);
        next = (next + 1) % n;
        if (left.GetSize() == before)
            break;
    }
}

bool HoldsAnything(const CInheritance& share)
{
    const CSimpleScore& score = share.GetScore();
    return score.GetGold() > 0.01f || score.GetPrestige() > 0.01f || score.GetPiety() > 0.01f
        || !share.GetTitles().IsEmpty() || !share.GetWars().IsEmpty() || !share.GetClaims().IsEmpty();
}

void InstallNewRuler(CCharacter* dead, CRZCountry* realm, const CSuccessorList& heirs, bool cousinMade)
{
    CCharacter* first = heirs.IsEmpty() ? nullptr : (*heirs.GetHead()).Get();
    CCharacter* candidate = nullptr;
    if (first != nullptr && SameDynasty(first, dead)) {
        candidate = first;
    } else {
        for (auto heir = heirs.GetHead(); !heir.IsEnd() && candidate == nullptr; heir++) {
            CCharacter* other = (*heir).Get();
            if (other != nullptr && SameDynasty(other, dead) && !RulesPlayerRealm(other))
                candidate = other;
        }
    }
    if (candidate == nullptr || (!cousinMade && RulesPlayerRealm(candidate)))
        return;
    if (candidate->IsRuler()) {
        const CRZCountry* own = candidate->GetCountry();
        ProcessGlobalEvent(new CRZGenericEvent(_CRZEVT_SET_WILLINHERIT_, CountryIdentity(own->index)));
    }
    realm->SetNewRuler(candidate);
}

// Heirs after the first may press a claim on the dead man's primary title, as many as the laws allow.
int FurtherClaimants(const CLawTuple& laws)
{
    int k = laws.Exists(LAW_SALIC_PRIMOGENITURE) ? 4 : 0;
    const struct {
        int law;
        int claimants;
    } kLater[] = { { LAW_SEMISALIC_PRIMOGENITURE, 3 }, { LAW_SALIC_CONSANGUINITY, 4 },
        { LAW_SEMISALIC_CONSANGUINITY, 3 }, { LAW_SALIC_GAVELKIND, 1 }, { LAW_SEMISALIC_GAVELKIND, 0 },
        { LAW_ELECTIVE, 1 } };
    for (const auto& later : kLater) {
        if (laws.Exists(later.law))
            k = later.claimants;
    }
    return k;
}

// The titles a heir held before a papal inheritance go to his liege, unless that liege is the pope.
void HandOverToLiege(CCharacter* heir)
{
    CCharacter* liege = heir->GetLiegeRuler();
    if (liege == nullptr || IsPope(liege))
        return;
    std::vector<CTitle*> held;
    for (auto title = heir->titles.GetHead(); !title.IsEnd(); title++)
        held.push_back(*title);
    for (CTitle* title : held)
        title->SetNewHolder(liege);
}

void FoundRealm(CCharacter* heir, FormOfGoverment form)
{
    const CRZCountryID free = CRZCountry::FindFreeCountryNumber();
    if (free == 0) {
        history("no free realm number for %s; he keeps his inheritance in realm %d\n", heir->GetName(),
            heir->realmId);
        return;
    }
    // A slot last held by a player must not build a player's realm for a computer heir.
    gCountryControl[free] = CONTROL_COMPUTER;
    CRZCountry::ConstructCountry(free);
    CRZCountry* realm = CRZCountry::GetCountry(free);
    if (realm == nullptr)
        return;
    heir->SetCountry(realm);
    realm->AddRulerImmidiatly(heir);
    realm->ImmidiateSetFormOfGoverment(form);
}

void MergeSameWars(CCharacter* heir)
{
    const CRZCountry* realm = heir->GetCountry();
    if (realm == nullptr || !heir->IsRuler())
        return;
    const CList<CRZID> ids = realm->GetWars();
    std::vector<CWar*> wars;
    for (auto id = ids.GetHead(); !id.IsEnd(); id++) {
        if (CWar* war = CWar::GetWar(*id))
            wars.push_back(war);
    }
    for (std::size_t i = 0; i < wars.size(); ++i) {
        for (std::size_t j = i + 1; j < wars.size(); ++j) {
            CWar* a = wars[i];
            CWar* b = wars[j];
            if (a == nullptr || b == nullptr)
                continue;
            const bool same = (a->GetAttacker() == b->GetAttacker() && a->GetDefender() == b->GetDefender())
                || (a->GetAttacker() == b->GetDefender() && a->GetDefender() == b->GetAttacker());
            if (same) {
                // The older survives, whichever comes first here; the other is ended and deleted.
                wars[i] = a->Merge(b);
                wars[j] = nullptr;
            }
        }
    }
}

// The local player hears of his realm's heir; everyone hears of a new pope, told to the papal realm.
void TellInheritance(const CCharacter& heir, const CCharacter* dead, const CInheritance& share, bool papal)
{
    const int32_t local
        = gCharacterHooks.GetLocalPlayerRealm != nullptr ? gCharacterHooks.GetLocalPlayerRealm() : 0;
    const CRZCountry* realm = heir.GetCountry();
    const bool ours = local != 0 && realm != nullptr && realm->index == local;
    if (gCharacterHooks.ShowMessage == nullptr || (!ours && !papal))
        return;
    // The long names share one buffer that each call overwrites.
    const std::string heirName = heir.GetLongName();
    const std::string deadName = dead != nullptr ? dead->GetLongName() : "";
    if (ours) {
        const std::string what = share.GetString(&heir);
        const char* const texts[] = { "", heirName.c_str(), deadName.c_str(), what.c_str() };
        gCharacterHooks.ShowMessage(kMessageInheritance, local, texts, 4);
    }
    if (papal) {
        const char* const texts[] = { "", deadName.c_str(), heirName.c_str() };
        gCharacterHooks.ShowMessage(kMessageNewPope, kPapalRealm, texts, 3);
    }
}

void Inherit(CCharacter* heir, CRZEvent* event)
{
    const auto* inherit = dynamic_cast<const CRZInheritEvent*>(event);
    if (inherit == nullptr)
        return;
    const CInheritance share(*inherit);
    CCharacter* dead = Find(inherit->Record().second);
    if (dead == heir) {
        // No living heir took this share: his titles must not stay with a dead man.
        for (auto id = share.GetTitles().GetHead(); !id.IsEnd(); id++) {
            if (CTitle* title = CTitle::GetTitle(*id); title != nullptr && title->GetCurrentHolder() == dead)
                title->SetNewHolder(nullptr);
        }
        return;
    }
    std::vector<CTitle*> titles;
    bool papal = false;
    bool county = false;
    CTitle* best = nullptr;
    for (auto id = share.GetTitles().GetHead(); !id.IsEnd(); id++) {
        CTitle* title = CTitle::GetTitle(*id);
        if (title == nullptr)
            continue;
        titles.push_back(title);
        papal = papal || title->GetCountryID() == kPapalRealm;
        county = county || title->GetTier()->IsCounty();
        if (best == nullptr || title->GetRank() > best->GetRank())
            best = title;
    }
    TellInheritance(*heir, dead, share, papal);
    if (papal)
        HandOverToLiege(heir);
    const CTitle* primary = heir->GetPrimaryTitle();
    CRZCountry* realm = heir->GetCountry();
    if (county && heir->IsRuler() && primary != nullptr && best != nullptr
        && primary->GetRank() < best->GetRank()) {
        const CCharacter* holder = best->GetCurrentHolder();
        if (realm != nullptr && holder != nullptr) {
            realm->AdoptLawsEtc(holder->GetCountry());
            realm->AddBadBoy(-realm->GetBadBoy() / 3.0f);
        }
    } else if (county && primary == nullptr && !heir->IsRuler()) {
        FoundRealm(heir, static_cast<FormOfGoverment>(share.GetFormOfGoverment()));
    }
    for (CTitle* title : titles)
        title->SetNewHolder(heir);
    for (auto id = share.GetWars().GetHead(); !id.IsEnd(); id++) {
        if (CWar* war = CWar::GetWar(*id))
            war->Inherit(dead, heir);
    }
    MergeSameWars(heir);
    for (auto id = share.GetClaims().GetHead(); !id.IsEnd(); id++) {
        if (CClaim* claim = CClaim::GetClaim(*id))
            claim->SetCharacter(heir);
    }
    heir->AddScore(share.GetScore());
    // A new pope may stand under another lay ruler's sway.
    if (CPapacy* papacy = CPapacy::GetInstance(); papal && papacy != nullptr && IsHostMachine())
        papacy->DetermineNewController();
}

// Every living character of the day's table takes the day tick, in table order.
class CCharacterDayRoute : public CRZEventHandler {
public:
    CRZReturnType Update(CRZEvent* event) override
    {
        // A day reaches into most of a character's members; fetching the whole object a few characters
        // ahead keeps the walk from waiting on memory at each of them.
        constexpr int kAhead = 4;
        for (int i = 0; i < gGlobal.GetLiveCharCount(); ++i) {
            if (const CCharacter* ahead = gGlobal.GetLiveChar(i + kAhead)) {
                const char* bytes = reinterpret_cast<const char*>(ahead);
                for (std::size_t at = 0; at < sizeof(CCharacter); at += 64)
                    __builtin_prefetch(bytes + at);
            }
            if (CCharacter* character = gGlobal.GetLiveChar(i))
                character->Update(event);
        }
        return 0;
    }
};
CCharacterDayRoute gCharacterDayRoute;

} // namespace

void DivideEstate(CCharacter* dead)
{
    CRZCountry* realm = dead->GetCountry();
    if (realm == nullptr)
        return;
    const CLawTuple laws = realm->GetLaws();
    CSuccessionLaw succession(laws);
    // The pope's see goes to the churchmen the papacy names, not to his family.
    CSuccessorList heirs = IsPope(dead) ? CPapacy::GetInstance()->GetPapalSuccessors()
                                        : succession.GetSuccessors(CRef<CCharacter>(dead), kHeirsAsked);
    const bool ruler = dead->IsRuler();
    if (dead->IsBishop() && !IsPope(dead))
        ChooseBishopHeirs(dead, laws, heirs);
    bool cousinMade = false;
    if (ruler && heirs.IsEmpty()) {
        if (CCharacter* cousin = realm->CreateRandomCousin()) {
            heirs.Append(CRef<CCharacter>(cousin));
            cousinMade = true;
        }
    }
    std::vector<CInheritance> shares(static_cast<std::size_t>(ShareCount(dead, laws, heirs)));
    DealShares(dead, realm, shares);
    if (ruler)
        InstallNewRuler(dead, realm, heirs, cousinMade);
    auto heir = heirs.GetHead();
    for (const CInheritance& share : shares) {
        CCharacter* taker = heir.IsEnd() ? nullptr : (*heir).Get();
        if (!heir.IsEnd())
            heir++;
        if (!HoldsAnything(share))
            continue;
        // A share nobody takes is lost, but its titles are vacated on every machine.
        if (taker != nullptr)
            PostInherit(taker, dead->GetID(), share);
        else if (!share.GetTitles().IsEmpty())
            PostInherit(dead, dead->GetID(), share);
    }
    if (realm->GetFormOfGoverment() == GOV_FEUDAL && dead->GetPrimaryTitle() != nullptr) {
        int claimants = FurtherClaimants(laws);
        auto further = heirs.GetHead();
        if (!further.IsEnd())
            further++;
        for (; !further.IsEnd() && claimants > 0; further++, --claimants) {
            if (CCharacter* claimant = (*further).Get())
                claimant->PostCreateClaim(dead->GetPrimaryTitle()->GetCountryID());
        }
    }
}

void InstallCharacterEstateHooks()
{
    gCharacterHooks.GetNeededCharacters
        = [](CRZCountry* realm) -> int32_t { return realm->GetNeededCharacters(); };
    gCharacterHooks.GetCapitalCulture = [](const CRZCountry* realm) -> int32_t {
        const CProvince* capital = CProvince::GetProvince(realm->capital);
        return capital != nullptr ? capital->culture : 0;
    };
    gCharacterHooks.ReleaseCommand = [](CDivision* division) { division->SetLeader(nullptr); };
    gCharacterHooks.GetLiveCounts = [](int32_t& living, int32_t& women) {
        living = gGlobal.liveCharCount;
        women = gGlobal.livingWomenCount;
    };
    gCharacterHooks.AddToRegistry = [](CCharacter* character) {
        if (gGlobal.characterServer != nullptr)
            gGlobal.characterServer->Append(character);
    };
    gEventRoutes.characters = &gCharacterDayRoute;
    gCharacterHooks.DivideEstate = &DivideEstate;
    gCharacterHooks.Inherit = &Inherit;
}
