// Who rules a realm and how rulers stand toward each other, as executed events carry it out on every
// machine: a new ruler, a random cousin, an ended plot, a gift of gold and a change of relation.
#include <algorithm>
#include <cmath>
#include <string>

#include "characters/character.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "events/event.h"
#include "events/event_posting.h"
#include "events/record_event.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;

// Message types of a plot's outcome: against this realm, against one's own realm, against others.
constexpr int kMessageWeAssassinated = 94;
constexpr int kMessageOursAssassinated = 95;
constexpr int kMessageOtherAssassinated = 96;
// Trait 26 marks a kinslayer; trait 72 a fosterling, kin of the realm he lives in.
constexpr int kTraitKinslayer = 26;

// Characters of the scenario bear character identities, those born or made in play dynamic ones: the
// object itself says whether it is a character.
CCharacter* CharacterOf(const CRZID& id)
{
    return id.type == RZTYPE_CHARACTER || id.type >= RZTYPE_DYNAMIC
        ? dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(id))
        : nullptr;
}

void Show(int type, CRZCountryID realm, const char* first, const char* second, const char* third,
    const char* fourth)
{
    if (gCountryHooks.ShowMessage)
        gCountryHooks.ShowMessage(type, realm, first, second, third, fourth, 0);
}

bool IsKin(const CCharacter& a, const CCharacter& t)
{
    if (a.IsSibling(&t) || a.IsOurChild(&t) || a.father == t.GetID() || a.mother == t.GetID()
        || a.FindSpouse() == &t)
        return true;
    return a.GetCountry() != nullptr && a.GetCountry() == t.GetCountry() && t.HasTrait(TRAIT_FOSTERLING);
}

} // namespace

int CRZCountry::handleNewRuler(CRZEvent* event)
{
    const auto* record = RecordAs<CRZNewRulerEventData>(event);
    CCharacter* oldRuler = ruler;
    CCharacter* newRuler = record != nullptr ? CharacterOf(record->first) : nullptr;
    if (oldRuler == nullptr || newRuler == nullptr) {
        superdebug("ERROR: new ruler without correct data.\r\n");
        return kHandled;
    }
    if (!IsRealm()) {
        const float compatibility = newRuler->GetBaseCompability(oldRuler->GetLiegeRuler());
        newRuler->SetLoyaltyToLiege(std::min(oldRuler->GetLoyaltyToLiege(), compatibility));
    }
    for (auto it = GetVassals()->GetHead(); !it.IsEnd(); it++) {
        CRZCountry* vassal = GetCountry(*it);
        if (vassal == nullptr || vassal->ruler == nullptr)
            continue;
        CCharacter* vassalRuler = vassal->ruler;
        vassalRuler->SetLoyaltyToLiege(
            std::min(vassalRuler->GetLoyaltyToLiege(), newRuler->GetBaseCompability(vassalRuler)));
    }
    if (newRuler->IsRuler() && OnHost() && newRuler->GetCountry() != this) {
        PostGlobalEvent(new CRZAnnexationEvent(
            _CRZEVT_EXEC_SET_ANNEXATION_, GetID(), index, newRuler->GetCountry()->index));
    }
    newRuler->SetCountry(this);
    AddRulerImmidiatly(newRuler);
    return kHandled;
}

int CRZCountry::handleAssassinate(CRZEvent* event)
{
    const auto* record = RecordAs<CRZAssassinateEventData>(event);
    CCharacter* a = record != nullptr ? CharacterOf(record->first) : nullptr;
    CCharacter* t = record != nullptr ? CharacterOf(record->second) : nullptr;
    if (a == nullptr || t == nullptr) {
        history("%s: plotter or target unknown; event dropped\n", event->GetName());
        return 0;
    }
    const bool killed = record->firstFlag != 0;
    const bool exposed = record->secondFlag != 0;
    CRZCountry* aRealm = a->GetCountry();
    CRZCountry* tRealm = t->GetCountry();

    ++assassinationPlots;
    if (exposed && tRealm != nullptr && aRealm != nullptr) {
        tRealm->ChangeRelation(aRealm->index, -50.0f);
        if (tRealm != this)
            tRealm->lastPlotter = index;
        if (t->GetLiegeRuler() == a && aRealm->GetVassals()->Contains(tRealm->index)
            && tRealm->ruler != nullptr)
            tRealm->ruler->ChangeLoyaltyToLiege(-0.5f);
        aRealm->AddBadBoy(t->GetPrimaryTitle() != nullptr ? 2.0f : 1.0f);
    }
    if (exposed) {
        if (CRelation* alliance = a->GetRelation(t, RELATION_ALLIANCE))
            alliance->Terminate();
    }
    if (killed && tRealm != nullptr)
        tRealm->AddBadBoy(-1.0f);

    if (OnHost() && exposed && IsKin(*a, *t)) {
        PostToHostEvent(new CRZCharacterTraitEvent(
            _CRZEVT_ADD_TRAIT_, CHARACTER_SERVER, a->GetID(), static_cast<TraitType>(kTraitKinslayer)));
    }

    if (exposed && a->IsRuler() && t->IsRuler() && tRealm != nullptr) {
        const CTitle* chosen = nullptr;
        for (auto it = a->titles.GetHead(); !it.IsEnd(); it++) {
            if (!t->HasClaim(*it)) {
                chosen = *it;
                break;
            }
        }
        if (a->HasFriendship(t))
            a->LoseFriend(t);
        if (tRealm->ruler != nullptr && a->HasFriendship(tRealm->ruler))
            a->LoseFriend(tRealm->ruler);
        if (chosen != nullptr && tRealm->ruler != nullptr)
            tRealm->ruler->PostCreateClaim(chosen->GetCountryID());
    }

    const char* key = killed ? (exposed ? "ASS_3" : "ASS_1") : (exposed ? "ASS_4" : "ASS_2");
    const std::string text = TextStrings.GetString(key);
    const std::string plotter = exposed && aRealm != nullptr ? std::string(aRealm->GetName())
                                                             : std::string(TextStrings.GetString("ASS_5"));

    a->AddScore(-t->GetAssassinateCost(exposed));

    if (tRealm != nullptr) {
        const std::string target = t->GetFullName();
        if (IsLocal()) {
            Show(kMessageWeAssassinated, tRealm->index, "", target.c_str(), text.c_str(), "");
        } else {
            CRZCountry* top = tRealm->GetRealm();
            const bool ours = top != nullptr && top->IsLocal();
            Show(ours ? kMessageOursAssassinated : kMessageOtherAssassinated, tRealm->index, "",
                plotter.c_str(), target.c_str(), text.c_str());
        }
    }
    if (killed && OnHost())
        t->PostDeath();
    return 0;
}

int CRZCountry::handleSendGift(CRZEvent* event)
{
    const auto* record = RecordAs<CRZGiftEventData>(event);
    if (record == nullptr)
        return kHandled;
    const float g = record->amount;
    // Only a real gift moves gold: a negative one would take from the receiver.
    if (!std::isfinite(g) || g <= 0.0f) {
        history("%s: gift of %g ignored\n", event->GetName(), static_cast<double>(g));
        return kHandled;
    }
    if (!IsCountryNumber(record->country, event->GetName()))
        return kHandled;
    CRZCountry* giver = GetCountry(record->country);
    if (giver == nullptr || giver->ruler == nullptr || ruler == nullptr)
        return kHandled;

    if (ruler->GetLiegeRuler() == giver->ruler) {
        const float w = ruler->GetScore().GetGold();
        const float p = w < 200.0f ? std::min(g, 200.0f - w) : 0.0f;
        ruler->CalcVassals();
        int n = ruler->GetVassals().GetSize() + GetOwnedProvinces().GetSize();
        if (n < 1)
            n = 1;
        ruler->ChangeLoyaltyToLiege((p / 250.0f + (g - p) / 500.0f) / static_cast<float>(n));
    }
    ChangeRelation(giver->index, g / 100.0f);
    giver->ruler->AddScore(CSimpleScore(-g, 0.0f, 0.0f));
    ruler->AddScore(CSimpleScore(g, 0.0f, 0.0f));
    return kHandled;
}

int CRZCountry::handleExecRelation(CRZEvent* event)
{
    const auto* record = RecordAs<CRZRelationEventData>(event);
    if (record == nullptr || !IsCountryNumber(record->second, event->GetName()))
        return kHandled;
    if (!std::isfinite(record->value)) {
        history("%s: relation change is no number; event dropped\n", event->GetName());
        return kHandled;
    }
    if (GetCountry(record->second) != nullptr)
        ChangeRelation(record->second, record->value);
    return kHandled;
}
