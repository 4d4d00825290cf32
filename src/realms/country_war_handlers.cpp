// The realm's handlers of war: a war set up between two realms, battles won and lost, sieges won and lost.
// They run on every machine and change only what every machine holds alike.
#include <string>

#include "characters/relation.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "foundation/logs.h"
#include "foundation/random_generator.h"
#include "foundation/text_format.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/war.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;
constexpr int kMessDeclaredOnUs = 1;
constexpr int kMessDeclaredOther = 5;
constexpr int kMessBattleLost = 9;
constexpr int kMessBattleWon = 10;
constexpr int kMessBattleWonOther = 18;
constexpr int kMessWeDeclared = 92;
constexpr int kSoundBattleLost = 3;
constexpr int kSoundBattleWon = 4;
constexpr int kSoundWarDeclared = 18;
// The victory-point source that battles and sieges lost count against.
constexpr int kLossesSource = 2;

// The insult only the attacked player reads: drawn here alone, so it never moves the game's generator.
CRandomGenerator gInsults(0x5eed);

std::string ProvinceName(const CProvince* province)
{
    return province != nullptr ? province->GetName() : "";
}

void Unfriend(CCharacter* a, CCharacter* d, CRelationType type)
{
    if (CRelation* relation = a->GetRelation(d, type))
        relation->Terminate();
    if (type == RELATION_ALLIANCE) {
        a->allies.Remove(d);
        d->allies.Remove(a);
    }
}

} // namespace

int CRZCountry::handleSetUpWar(CRZEvent* event)
{
    const auto* record = RecordAs<CRZWarEventData>(event);
    if (record == nullptr || !IsCountryNumber(record->first, "handleSetUpWar")
        || !IsCountryNumber(record->second, "handleSetUpWar"))
        return kHandled;
    CRZCountry* A = GetCountry(record->first);
    CRZCountry* D = GetCountry(record->second);
    if (A == nullptr || D == nullptr || A->ruler == nullptr || D->ruler == nullptr)
        return kHandled;
    if (CIdentity::GetObjectFromID(record->war) != nullptr) {
        history("A war set-up names an identity already in use: dropped");
        return kHandled;
    }
    CCharacter* a = A->ruler;
    CCharacter* d = D->ruler;

    A->ChangeRelation(D->index, -100.0f);
    if (a->HasTruce(d)) {
        A->ChangeRelation(D->index, -50.0f);
        Unfriend(a, d, RELATION_TRUCE);
    }
    if (a->HasAlliance(d)) {
        A->ChangeRelation(D->index, -20.0f);
        Unfriend(a, d, RELATION_ALLIANCE);
    }

    auto* war = new CWar(a, d);
    war->Create(record->war);
    war->type = record->firstFlag != 0 ? 1 : record->secondFlag != 0 ? 2 : 0;
    if (CWar::_pWars != nullptr)
        CWar::_pWars->Append(war);
    else
        delete war;

    // A war inside one realm: the attacked (or attacking) vassal goes free.
    if (a->GetRealm() != nullptr && a->GetRealm() == d->GetRealm()) {
        CCharacter* vassal = nullptr;
        if (d->GetLiegeRuler() == a)
            vassal = d;
        if (a->GetLiegeRuler() == d)
            vassal = a;
        if (vassal != nullptr) {
            CCharacter* liege = vassal->GetLiegeRuler();
            CRZCountry* liegeRealm = liege->GetCountry();
            if (vassal == d && liegeRealm != nullptr) {
                const float shaken = -0.5f * vassal->GetLoyaltyToLiege();
                CRZCountryList* others = liegeRealm->GetVassals();
                for (auto it = others->GetHead(); !it.IsEnd(); it++) {
                    const CRZCountry* other = GetCountry(*it);
                    if (other != nullptr && other->ruler != nullptr && other->ruler != vassal)
                        other->ruler->ChangeLoyaltyToLiege(shaken);
                }
            }
            vassal->SetLiegeRuler(nullptr);
        }
    }

    A->atWar = 1;
    D->atWar = 1;
    A->atWarWith[D->index] = 1;
    D->atWarWith[A->index] = 1;
    if (!a->enemies.Contains(d))
        a->enemies.Append(d);
    if (!d->enemies.Contains(a))
        d->enemies.Append(a);

    // Names come from buffers that the next call overwrites: each is copied before the next is asked.
    const std::string nameA = A->GetName();
    const std::string nameD = D->GetName();
    if (D->IsLocal()) {
        char key[32];
        std::snprintf(key, sizeof key, "MESS_BADWORDS%d", gInsults.Next() % 4 + 1);
        ShowWarMessage(
            kMessDeclaredOnUs, A->index, { TextStrings.GetString(key), nameA.c_str() }, A->capital);
        PlayWarSound(kSoundWarDeclared);
    } else if (A->IsLocal()) {
        const std::string longD = d->GetLongName();
        ShowWarMessage(kMessWeDeclared, A->index, { "", longD.c_str() }, 0);
        PlayWarSound(kSoundWarDeclared);
    } else {
        ShowWarMessage(
            kMessDeclaredOther, A->index, { nameA.c_str(), nameA.c_str(), nameD.c_str() }, A->capital);
    }

    if (!D->IsRealm()) {
        if (CRZCountry* liegeRealm
            = d->GetLiegeRuler() != nullptr ? d->GetLiegeRuler()->GetCountry() : nullptr)
            liegeRealm->VassalAtWar(D, A);
    }
    if (!A->IsRealm()) {
        if (CRZCountry* liegeRealm
            = a->GetLiegeRuler() != nullptr ? a->GetLiegeRuler()->GetCountry() : nullptr)
            liegeRealm->VassalAtWar(A, D);
    }
    for (auto it = d->allies.GetHead(); !it.IsEnd(); it++) {
        if (CRZCountry* allyRealm = (*it)->GetCountry())
            allyRealm->AllyAtWar(D, A);
    }
    if (record->secondFlag == 0) {
        for (auto it = a->allies.GetHead(); !it.IsEnd(); it++) {
            if (CRZCountry* allyRealm = (*it)->GetCountry())
                allyRealm->AllyAtWar(A, D);
        }
    }
    return kHandled;
}

int CRZCountry::handleBattleWon(CRZEvent* event)
{
    auto* won = dynamic_cast<CRZBattleWonEvent*>(event);
    // The count of beaten realms must fit the record that carries them.
    if (won == nullptr || 36ull + 4ull * won->GetCount() > won->GetHeldSize()) {
        history("A battle won names more beaten realms than its record holds: dropped");
        return kHandled;
    }
    const int32_t number = won->Record().number;
    const CProvince* province = CProvince::GetProvince(number);
    const char* result = "";
    if (gWarHooks.GetResultDesc != nullptr) {
        if (const char* text = gWarHooks.GetResultDesc(won->Record().unit))
            result = text;
    }
    const std::string resultText = result;
    const std::string place = ProvinceName(province);
    const std::string winner = GetName();
    const uint32_t count = won->GetCount();
    for (uint32_t i = 0; i < count; ++i) {
        const CRZCountryID beatenId = won->GetRealm(i);
        const CRZCountry* beaten
            = IsCountryNumber(beatenId, "handleBattleWon") ? GetCountry(beatenId) : nullptr;
        if (beaten != nullptr && beaten->IsLocal()) {
            ShowWarMessage(
                kMessBattleLost, index, { "", winner.c_str(), place.c_str(), resultText.c_str() }, number);
            PlayWarSound(kSoundBattleLost);
        }
    }
    if (count == 0)
        return kHandled;
    const CRZCountryID firstId = won->GetRealm(0);
    const CRZCountry* first = IsCountryNumber(firstId, "handleBattleWon") ? GetCountry(firstId) : nullptr;
    if (first == nullptr)
        return kHandled;
    const std::string beaten = first->GetName();
    if (!IsLocal()) {
        ShowWarMessage(kMessBattleWonOther, index,
            { winner.c_str(), winner.c_str(), beaten.c_str(), place.c_str(), resultText.c_str() }, number);
    } else {
        ShowWarMessage(
            kMessBattleWon, index, { "", beaten.c_str(), place.c_str(), resultText.c_str() }, number);
        PlayWarSound(kSoundBattleWon);
    }
    return kHandled;
}

int CRZCountry::handleBattleLost(CRZEvent* event)
{
    // Built here or rebuilt from the network, the record is the battle-won one with the flag in its first
    // half-word after the province; a copy too short to hold the flag changes nothing.
    const auto* record = RecordAs<CRZBattleLostEventData>(event);
    if (record == nullptr) {
        history("A battle lost too short to hold its flag: dropped");
        return kHandled;
    }
    baseVP[kLossesSource] += record->flag != 0 ? -3.0f : -0.5f;
    return kHandled;
}

int CRZCountry::handleSiegeLost(CRZEvent* event)
{
    const auto* record = RecordAs<CRZBattleLostEventData>(event);
    const CProvince* province = record != nullptr ? CProvince::GetProvince(record->number) : nullptr;
    if (province == nullptr)
        return kHandled;
    baseVP[kLossesSource] -= static_cast<float>(province->GetLandFortressLevel() + 1);
    return kHandled;
}

int CRZCountry::handleWinSiege(CRZEvent* event)
{
    const auto* record = RecordAs<CRZIntCountryEventData>(event);
    CProvince* province = record != nullptr && record->number > 0 && record->number <= kLastTableProvince
        ? CProvince::GetProvince(record->number)
        : nullptr;
    if (province == nullptr) {
        history("A siege won names no province: dropped");
        return kHandled;
    }
    province->AddOccupation(1.0f, this, ruler);
    return kHandled;
}
