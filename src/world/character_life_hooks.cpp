// What characters need of the armies, the wars and the console once a game runs.
#include "world/character_life_hooks.h"

#include "characters/character.h"
#include "realms/country.h"
#include "realms/peace.h"
#include "realms/war.h"
#include "world/cheats.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

// Of the wars of his realm, the last in which the other is his opponent; null without one.
CWar* WarBetween(const CCharacter* self, const CCharacter* other)
{
    const CRZCountry* realm = self->GetCountry();
    if (realm == nullptr)
        return nullptr;
    CWar* found = nullptr;
    const CList<CRZID> wars = realm->GetWars();
    for (auto it = wars.GetHead(); !it.IsEnd(); it++) {
        CWar* war = CWar::GetWar(*it);
        if (war != nullptr && war->GetOpponent(self) == other)
            found = war;
    }
    return found;
}

void SetPeace(CCharacter* self, CCharacter* other)
{
    if (CWar* war = WarBetween(self, other)) {
        CWar::EndWar(war);
        self->enemies.Remove(other);
        other->enemies.Remove(self);
    }
    CRZCountry* mine = self->GetCountry();
    CRZCountry* theirs = other->GetCountry();
    if (mine == nullptr || theirs == nullptr || !CRZCountry::IsRealCountry(mine->index)
        || !CRZCountry::IsRealCountry(theirs->index))
        return;
    mine->atWarWith[theirs->index] = 0;
    theirs->atWarWith[mine->index] = 0;
    mine->AfterWarPeace(true);
    theirs->AfterWarPeace(true);
    CPeaceProposal::EndWars(self, other);
    gGlobal.RefreshWars();
}

} // namespace

void InstallCharacterLifeHooks()
{
    gCharacterHooks.IsDiploCheat = [] { return CRZCheats::_isDiploCheat != 0; };
    gCharacterHooks.SetPeace = SetPeace;
}
