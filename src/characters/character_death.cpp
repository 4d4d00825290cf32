// A character's death on every machine: the date agreed through the host, at most one titled death a day,
// his command, office, pregnancy and relations ended; the host's division of his estate and the heir's
// side of it are the realms' to carry out, through the character hooks.
#include "characters/character.h"
#include "characters/papacy.h"
#include "characters/title.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/records_character.h"
#include "events/variable_events.h"

#include "foundation/safeguards.h"

CDate CCharacter::LastRulerDeath;

namespace {

bool IsRealRealm(int32_t realmId)
{
    return realmId > 0 && realmId < CTitle::kTitleCount - 1 && realmId != CTitle::kNobodyRealm;
}

} // namespace

void CCharacter::MarkDeathPosted()
{
    deathPosted = 1;
    _maybeDead.push_back(id);
}

void CCharacter::PostDeath()
{
    if (IsHostMachine())
        MarkDeathPosted();
    PostToHostEvent(new CRZDeathEvent(_CRZEVT_DEATH_, CHARACTER_SERVER, id, GetGameToday()));
}

int CCharacter::handleDeath(CRZEvent* event)
{
    if (const auto* record = RecordAs<CRZDeathEventData>(event))
        Die(record->date);
    return 0;
}

void CCharacter::Die(const CDate& date)
{
    if (IsAnonymous())
        return;
    // A second death event (say, childbirth on the day of an assassination) must not divide the estate again.
    if (deathDate.year != 0 || deathDate.month != 0 || deathDate.day != 0)
        return;
    if (!titles.IsEmpty()) {
        const CDate today = GetGameToday();
        if (LastRulerDeath == today) {
            CDate tomorrow = today;
            tomorrow.AddDays(1);
            ScheduleLocalEvent(new CRZDeathEvent(_CRZEVT_DEATH_, id, id, tomorrow), tomorrow);
            return;
        }
        LastRulerDeath = today;
    }
    if (militaryCommand != nullptr) {
        if (gCharacterHooks.ReleaseCommand != nullptr)
            gCharacterHooks.ReleaseCommand(militaryCommand);
        ClearMilitaryCommand();
    }
    RemoveCourtReferences();
    deathDate = date;
    _maybeDead.push_back(id);
    if (date > GetGameToday())
        ++_deathsAhead;
    ClearImpregnation();
    for (auto relation = relations.GetHead(); !relation.IsEnd(); relation++)
        (*relation)->Terminate();
    if (IsRealRealm(realmId)) {
        if (!titles.IsEmpty())
            CTitle::ExpandInternalVassalLiegeRelations(GetPrimaryTitle(), titles);
        if (IsHostMachine() && gCharacterHooks.DivideEstate != nullptr)
            gCharacterHooks.DivideEstate(this);
        // His gold has gone to his heirs' shares; it leaves him on every machine, not on the host alone,
        // or the machines part ways on the first dead man with gold.
        score = CSimpleScore(0.0f, score.GetPrestige(), score.GetPiety());
    }
    // The host names a new papal controller; the other machines wait for its event.
    if (CPapacy* papacy = CPapacy::GetInstance(); papacy != nullptr && papacy->controller == id)
        papacy->DetermineNewController();
    if (CRZCountry* realm = GetCountry(); realm != nullptr && gCharacterHooks.RemoveCharacter != nullptr)
        gCharacterHooks.RemoveCharacter(realm, this);
}

int CCharacter::handleInherit(CRZEvent* event)
{
    if (gCharacterHooks.Inherit != nullptr)
        gCharacterHooks.Inherit(this, event);
    return 0;
}

CTitle* CCharacter::GetBestHigherTitle(CList<CTitle*>& list)
{
    CTitle* best = nullptr;
    for (auto title = list.GetHead(); !title.IsEnd(); title++) {
        if (!(*title)->GetTier()->IsCounty() && (best == nullptr || (*title)->GetRank() > best->GetRank()))
            best = *title;
    }
    if (best != nullptr)
        list.Remove(best);
    return best;
}
