// Who heads the church: the papal state, its ruler the pope, the lay ruler who controls the papacy, the
// churchmen who may follow the pope or fill a see, and the papacy's block of a saved game.
#include "characters/papacy.h"

#include <algorithm>
#include <vector>

#include "characters/character.h"
#include "characters/character_server.h"
#include "datalang/block_reader.h"
#include "datalang/definition_kind.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/record_event.h"
#include "foundation/logs.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_CONTROL = static_cast<CRZTokenType>(129);
constexpr const char* kUnknownPapacyKey = "unknown lhs in scenario file (papacy)";
constexpr int kCatholic = 0;
constexpr int kFeudal = 0;
constexpr int kEcclesiastical = 2;
constexpr int kSemiSalicPrimogeniture = 1;
constexpr int kSuccessorsKept = 3;
constexpr int kControllerHeirsWalked = 100;
constexpr int kNewControllerMessage = 99;

int FormOf(const CCharacter* ruler)
{
    const CRZCountry* realm = ruler->GetCountry();
    return realm != nullptr && gCharacterHooks.GetFormOfGoverment != nullptr
        ? gCharacterHooks.GetFormOfGoverment(realm)
        : -1;
}

bool IsCatholicMan(const CCharacter* c)
{
    return c->religion == kCatholic && !c->IsFemale();
}

// A lay ruler fit to hold sway over the papacy.
bool MayControl(const CCharacter* c)
{
    return c->IsAlive() && c->IsRuler() && c->religion == kCatholic && FormOf(c) == kFeudal
        && !c->IsAnonymous() && !c->HasTrait(TRAIT_EXCOMMUNICATED) && !c->HasTrait(TRAIT_HERETIC);
}

// A member of a court who may take a see.
bool MayBecomeBishop(const CCharacter* c)
{
    return !c->IsRuler() && !c->IsFemale() && c->IsAlive() && c->IsAdult() && c->religion == kCatholic
        && c->FindSpouse() == nullptr && !c->HasTrait(TRAIT_EXCOMMUNICATED) && !c->HasTrait(TRAIT_HERETIC);
}

const CList<CCharacter*>* CourtOf(CRZCountry* realm)
{
    return realm != nullptr && gCharacterHooks.GetCourt != nullptr ? gCharacterHooks.GetCourt(realm)
                                                                   : nullptr;
}

// The candidates by suitability, at most three; the sort is stable, so equal ones keep their gathering order.
std::vector<CRef<CCharacter>> Best(const std::vector<CCharacter*>& gathered)
{
    std::vector<CRef<CCharacter>> ranked;
    ranked.reserve(gathered.size());
    for (CCharacter* c : gathered)
        ranked.emplace_back(c);
    std::stable_sort(ranked.begin(), ranked.end(), &CPapacy::papalSuitabilityCmp);
    if (ranked.size() > static_cast<std::size_t>(kSuccessorsKept))
        ranked.resize(kSuccessorsKept);
    return ranked;
}

} // namespace

CPapacy* CPapacy::_pInstance = nullptr;

void CPapacy::Init()
{
    Shutdown();
    _pInstance = new CPapacy;
    _pInstance->Create(PAPACY);
}

void CPapacy::Shutdown()
{
    delete _pInstance;
    _pInstance = nullptr;
}

int CPapacy::Update(CRZEvent* event)
{
    if (event != nullptr && event->GetType() == _CRZEVT_SETPAPALCONTROLLER_)
        return handleSetPapalController(event);
    return 0;
}

int CPapacy::handleSetPapalController(CRZEvent* event)
{
    const auto* record = RecordAs<CRZIdEventData>(event);
    if (record == nullptr) {
        history("The papacy: a controller event without its identity is dropped");
        return 0;
    }
    controller = record->id;
    const CCharacter* chosen = GetPapalController();
    const CRZCountry* realm = chosen != nullptr ? chosen->GetCountry() : nullptr;
    if (realm != nullptr && gCharacterHooks.ShowMessage != nullptr
        && gCharacterHooks.GetCountryIndex != nullptr) {
        const char* const texts[] = { "", chosen->GetLongName() };
        gCharacterHooks.ShowMessage(kNewControllerMessage, gCharacterHooks.GetCountryIndex(realm), texts, 2);
    }
    return 0;
}

void CPapacy::SetPapalController(const CCharacter* character)
{
    PostToHostEvent(new CRZIdEvent(
        _CRZEVT_SETPAPALCONTROLLER_, CHARACTER_SERVER, character != nullptr ? character->GetID() : NOID));
}

bool CPapacy::IsPope(const CCharacter* character) const
{
    return character != nullptr && character == GetPope();
}

float CPapacy::GetPapalSuitability(const CCharacter* c)
{
    const CAttributeTuple& attributes = c->GetAttributes();
    float value = c->GetScore().GetPiety() + 5.0f * static_cast<float>(attributes.GetIntrigue())
        + 2.0f * static_cast<float>(attributes.GetDiplomacy()) + c->GetPower();
    if (c->courtPosition == COURT_CHAPLAIN)
        value *= 0.8f;
    if (c->HasEcclesticalEducation())
        value *= 10.0f;
    return value;
}

bool CPapacy::papalSuitabilityCmp(const CRef<CCharacter>& a, const CRef<CCharacter>& b)
{
    const CCharacter* first = a.Get();
    const CCharacter* second = b.Get();
    if (first == nullptr)
        return false;
    if (second == nullptr)
        return true;
    return GetPapalSuitability(first) > GetPapalSuitability(second);
}

CSuccessorList CPapacy::GetPapalSuccessors() const
{
    const CCharacter* pope = GetPope();
    std::vector<CCharacter*> gathered;
    // A chaplain at the controller's court is gathered once, where he was first met.
    const auto gather = [&](CCharacter* c) {
        if (c != nullptr && c != pope && std::find(gathered.begin(), gathered.end(), c) == gathered.end())
            gathered.push_back(c);
    };
    if (const CCharacterServer* everyone = CCharacterServer::GetInstance()) {
        for (auto it = everyone->GetHead(); !it.IsEnd(); it++) {
            CCharacter* c = *it;
            if (c->IsAlive() && c->IsRuler() && FormOf(c) == kEcclesiastical && IsCatholicMan(c))
                gather(c);
        }
        for (auto it = everyone->GetHead(); !it.IsEnd(); it++) {
            CCharacter* c = *it;
            if (c->IsAlive() && c->courtPosition == COURT_CHAPLAIN && IsCatholicMan(c))
                gather(c);
        }
    }
    if (const CList<CCharacter*>* court = CourtOf(GetPapalState())) {
        for (auto it = court->GetHead(); !it.IsEnd(); it++) {
            if ((*it)->IsAlive())
                gather(*it);
        }
    }
    const CCharacter* lord = GetPapalController();
    if (const CList<CCharacter*>* court = lord != nullptr ? CourtOf(lord->GetCountry()) : nullptr) {
        for (auto it = court->GetHead(); !it.IsEnd(); it++) {
            CCharacter* c = *it;
            const bool unschooledSon = lord->IsOurChild(c) && !c->HasEcclesticalEducation();
            if (c->IsAlive() && !c->IsFemale() && !c->IsRuler() && !unschooledSon)
                gather(c);
        }
    }
    std::erase_if(gathered, [](const CCharacter* c) { return c->HasTrait(TRAIT_EXCOMMUNICATED); });
    CSuccessorList successors;
    for (const CRef<CCharacter>& c : Best(gathered))
        successors.Append(c);
    return successors;
}

CCharacter* CPapacy::GetNewBishop() const
{
    CRZCountry* state = GetPapalState();
    if (state == nullptr)
        return nullptr;
    std::vector<CCharacter*> gathered;
    if (const CList<CCharacter*>* court = CourtOf(state)) {
        for (auto it = court->GetHead(); !it.IsEnd(); it++) {
            if (MayBecomeBishop(*it))
                gathered.push_back(*it);
        }
    }
    const CCharacter* lord = GetPapalController();
    if (const CList<CCharacter*>* court = lord != nullptr ? CourtOf(lord->GetCountry()) : nullptr) {
        for (auto it = court->GetHead(); !it.IsEnd(); it++) {
            CCharacter* c = *it;
            if (MayBecomeBishop(c) && c->courtPosition == COURT_COURTIER && !c->HasMilitaryCommand())
                gathered.push_back(c);
        }
    }
    const std::vector<CRef<CCharacter>> best = Best(gathered);
    return best.empty() ? nullptr : best.front().Get();
}

void CPapacy::DetermineNewController()
{
    if (gCharacterHooks.IsHost != nullptr && !gCharacterHooks.IsHost())
        return;
    CCharacter* chosen = nullptr;
    if (CCharacter* pope = GetPope()) {
        CLawTuple laws;
        laws.Set(kSemiSalicPrimogeniture);
        CSuccessionLaw succession(laws);
        const CSuccessorList heirs = succession.GetSuccessors(CRef<CCharacter>(pope), kControllerHeirsWalked);
        for (auto it = heirs.GetHead(); !it.IsEnd() && chosen == nullptr; it++) {
            CCharacter* heir = (*it).Get();
            if (heir != nullptr && MayControl(heir))
                chosen = heir;
        }
    }
    if (chosen == nullptr) {
        float bestPiety = -9999.9f;
        if (const CCharacterServer* everyone = CCharacterServer::GetInstance()) {
            for (auto it = everyone->GetHead(); !it.IsEnd(); it++) {
                CCharacter* c = *it;
                if (MayControl(c) && c->GetScore().GetPiety() > bestPiety) {
                    chosen = c;
                    bestPiety = c->GetScore().GetPiety();
                }
            }
        }
    }
    SetPapalController(chosen);
}

int CPapacy::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        if (parser.key.type != KW_CONTROL)
            parser.ParseError(kUnknownPapacyKey);
        ExpectBlock(parser, kUnknownPapacyKey);
        CRZID read = NOID;
        if (read.ParseFields(parser) != 0)
            parser.ParseError(kUnknownPapacyKey);
        controller = read;
        return kReadOn;
    });
}

CLScript* CPapacy::GetScript() const
{
    CLSList* list = new CLSList;
    if (GetPapalController() != nullptr)
        list->Append(new CLSymbol(KW_CONTROL, controller.GetScript()));
    return list;
}

CRZCountry* CPapacy::GetPapalState()
{
    return RealmAt(kPapalStateCountry);
}

CCharacter* CPapacy::GetPope()
{
    const CRZCountry* state = GetPapalState();
    if (state == nullptr) {
        if (_pInstance != nullptr)
            _pInstance->controller = NOID;
        return nullptr;
    }
    return gCharacterHooks.GetRuler != nullptr ? gCharacterHooks.GetRuler(state) : nullptr;
}

CCharacter* CPapacy::GetPapalController() const
{
    if (controller == NOID)
        return nullptr;
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(controller));
}
