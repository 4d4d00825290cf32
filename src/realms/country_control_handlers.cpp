// The realm's handlers of a province's change of controller (crusade scores, the rebels' hand-back, the
// seizure of titles by a Mongol conqueror) and of diplomatic settlements. They run on every machine.
#include <string>
#include <vector>

#include "characters/crusade.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/war.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;
constexpr int kMessProvinceOccupied = 8;
constexpr int kMessProvinceLiberated = 16;
constexpr int kMessTitleStolen = 93;
constexpr int kSoundProvinceLost = 11;
constexpr int kSoundProvinceTaken = 12;
// The trait that multiplies a crusader's or a defender's stake by five.
constexpr int kZealousTrait = 71;
constexpr int32_t kCatholic = 0;
constexpr int32_t kActionAnnex = 14;
constexpr int32_t kActionSettle = 21;
constexpr int32_t kKindPeace = 2;
constexpr int kSettlementSlots = 5;
// The computer opponents hear of a change of controller, with the controller before and the province.
constexpr int kNotifyControllerChanged = 18;

bool IsChristian(const CCharacter* c)
{
    return c->religion == 0 || c->religion == 1;
}

void RefreshMap()
{
    if (gWarHooks.RefreshMap)
        gWarHooks.RefreshMap();
}

void ScoreCrusadeCapture(
    const CProvince& province, CCharacter* loser, CCharacter* taker, CCharacter* commander)
{
    const CCrusade* crusade = CCrusade::GetInstance();
    if (crusade == nullptr || !crusade->IsActive() || loser == nullptr || taker == nullptr)
        return;
    const float factor = crusade->GetAreaFactor(province.number);
    if (loser->religion == kCatholic && !IsChristian(taker)) {
        CSimpleScore lost(0.0f, -10.0f, -20.0f);
        if (loser->HasTrait(kZealousTrait))
            lost = lost * 5.0f;
        loser->AddScore(lost * factor);
    } else if (!IsChristian(loser) && taker->religion == kCatholic) {
        CSimpleScore won(0.0f, 10.0f, 20.0f);
        if (taker->HasTrait(kZealousTrait))
            won = won * 5.0f;
        won = won * factor;
        taker->AddScore(won);
        if (commander != nullptr && commander != taker)
            commander->AddScore(won * 0.1f);
    }
}

} // namespace

int CRZCountry::handleProvinceChangeControl(CRZEvent* event)
{
    const auto* record = RecordAs<CRZProvChangeEventData>(event);
    CProvince* province = record != nullptr ? CProvince::GetProvince(record->province) : nullptr;
    if (province == nullptr || record->province <= 0 || record->province > kLastTableProvince) {
        history("A change of control names no province: dropped");
        return kHandled;
    }
    auto* commander = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(record->id));
    CRZCountry* before = province->GetController();
    CCharacter* loser = before != nullptr ? before->ruler : nullptr;
    CCharacter* r = ruler;

    if (before != nullptr && before != this) {
        ScoreCrusadeCapture(*province, loser, r, commander);
        CRZCountry* owner = province->GetOwner();
        CRZCountryID next = index;
        // Rebels do not keep what a third realm had occupied: it goes back to its owner.
        const bool handBack = index == kRebelCountry && owner != before;
        if (handBack && owner != nullptr)
            next = owner->index;
        const std::string place = province->GetName();
        if (before->IsLocal()) {
            if (!handBack)
                PlayWarSound(kSoundProvinceLost);
            const std::string taker = GetName();
            ShowWarMessage(
                kMessProvinceOccupied, before->index, { "", place.c_str(), taker.c_str() }, province->number);
        } else if (IsLocal()) {
            PlayWarSound(kSoundProvinceTaken);
            const std::string loserName = before->GetName();
            ShowWarMessage(
                kMessProvinceLiberated, index, { "", place.c_str(), loserName.c_str() }, province->number);
        }
        province->SetController(next);
        RefreshMap();
        // The opponents' plans follow the fronts; they live on the host alone.
        if (OnHost() && gCountryHooks.NotifyAI)
            gCountryHooks.NotifyAI(kNotifyControllerChanged, before->index, province->number);
    }

    if (r == nullptr)
        return kHandled;
    CCharacter* taker = commander;
    if (taker == nullptr || taker->IsAnonymous() || taker->GetCountry() == nullptr
        || !IsRealCountry(taker->GetCountry()->index) || IsMongol() || taker->religion != r->religion)
        taker = r;
    const CRZCountry* owner = province->GetOwner();
    const bool mongol = IsMongol() || (owner != nullptr && owner->IsMongol());
    if (!mongol || !IsRealCountry(index)) {
        RefreshMap();
        return kHandled;
    }

    province->ClearRegimentSize();
    CTitle* primary = taker->GetPrimaryTitle();
    CTitle* liegeTitle = primary != nullptr ? primary->GetLiege() : CTitle::GetTitle(0);
    std::vector<CTitle*> seized;
    CTitle* best = province->GetBestFreeTitle(taker);
    if (best != nullptr)
        seized.push_back(best);
    CTitle* county = CTitle::GetTitle(province->number);
    if ((best == nullptr || !best->GetTier()->IsCounty()) && county != nullptr && county != best)
        seized.push_back(county);
    if (!taker->IsRuler()) {
        CList<CRZID> ids;
        for (CTitle* title : seized)
            ids.Append(title->GetID());
        CreateCountryFromTitles(ids, taker, kNoCountry);
    }
    for (CTitle* title : seized) {
        CCharacter* holder = title->GetCurrentHolder();
        if (holder == taker)
            continue;
        CRZCountry* held = holder != nullptr ? holder->GetCountry() : nullptr;
        // The last county of a vassal realm: its armies go to its top realm.
        if (title->GetTier()->IsCounty() && held != nullptr && held->GetOwnedProvinces().GetSize() == 1
            && !held->IsRealm() && gWarHooks.MoveArmies != nullptr)
            gWarHooks.MoveArmies(held, held->GetRealm());
        if (holder != nullptr && held != nullptr && held->IsLocal() && held->ruler == holder) {
            const std::string conqueror = taker->GetLongName();
            const std::string stolen = title->GetString(taker);
            ShowWarMessage(kMessTitleStolen, best != nullptr ? best->GetCountryID() : 0,
                { "", conqueror.c_str(), stolen.c_str() }, province->number);
        }
        title->SetNewHolder(taker);
        if (taker->IsRuler()) {
            title->SetLiege(liegeTitle);
        } else {
            title->SetLiege(r->GetPrimaryTitle());
            AddBadBoy(1.0f);
        }
    }
    RefreshMap();
    return kHandled;
}

int CRZCountry::handleSwitchAllegiance(CRZEvent* event)
{
    const auto* record = RecordAs<CRZUnitEventData>(event);
    if (record == nullptr || gWarHooks.SwitchAllegiance == nullptr
        || !gWarHooks.SwitchAllegiance(this, record->unit))
        history("%s: an army that is gone or may not change sides stays where it was", GetTag());
    return kHandled;
}

int CRZCountry::handleDiplomaticEvent(CRZEvent* event)
{
    const auto* record = RecordAs<CRZDiplomaticEventData>(event);
    if (record == nullptr || !IsCountryNumber(record->first, "handleDiplomaticEvent"))
        return kHandled;
    CRZCountry* other = GetCountry(record->first);
    if (other == nullptr)
        return kHandled;
    const auto action = static_cast<int32_t>(record->action);
    const auto kind = static_cast<int32_t>(record->kind);
    if (action == kActionAnnex) {
        other->RefreshKnowledge();
        Annex(other->index, false);
        return kHandled;
    }
    if (action == kActionSettle && kind == kKindPeace) {
        const CRZCountryID otherId = other->index;
        for (int slot = 0; slot < kSettlementSlots; ++slot) {
            const struct {
                int table;
                CRZCountryID to;
                bool province;
            } moves[]
                = { { 0, index, true }, { 1, otherId, true }, { 4, index, false }, { 5, otherId, false } };
            for (const auto& move : moves) {
                const int32_t value = record->tables[move.table][slot];
                if (value <= 0)
                    continue;
                const CRZCountry* to = GetCountry(move.to);
                if (to == nullptr)
                    continue;
                if (move.province) {
                    if (value > kLastTableProvince) {
                        history("A settlement names province %d: left out", value);
                        continue;
                    }
                    ProcessLocalEvent(
                        new CRZProvChangeEvent(_CRZEVT_PROVCHANGEOWNER_, to->GetID(), value, NOID));
                } else {
                    if (value >= kAdvanceCount) {
                        history("A settlement names advance %d: left out", value);
                        continue;
                    }
                    ProcessLocalEvent(new CRZIntEvent(_CRZEVT_GAIN_TECH_, to->GetID(), value));
                }
            }
        }
    }
    RefreshKnowledge();
    if (CRZCountry* still = GetCountry(record->first))
        still->RefreshKnowledge();
    return kHandled;
}
